// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/CheckBoxesForm.h"

#include "core/Messages.h"
#include "editors/QuestionSettingsBox.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/Fragments.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quenlow {

CheckBoxesForm::CheckBoxesForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("CheckBoxesForm"), addCaption(), parent)
{
    auto* explanation = addLabel(QStringLiteral("Label1"),
        tr("The Checkbox element gives users a way to quickly and easily select or deselect an item in "
           "your HTML form. Checkboxes may also be grouped to create a set of choices, any of which may "
           "be selected or deselected by the user."));
    m_advice = addLabel(QStringLiteral("IntrolLineAdvice"),
        tr("If you require several check boxes and require a user instruction before "
           "proceeding to define the check boxes click the 'Add Text' button :"));
    m_addText = addButton(QStringLiteral("AddText"), tr("Add Text"));

    auto* questionPrompt = addLabel(QStringLiteral("QuestionTextLabel"),
        tr("To ask the check boxes as one question, enter the question here (e.g. \"Which topics did "
           "you enjoy?\"); the boxes you add until you finish form its answers :"));
    m_questionText = addLineEdit(QStringLiteral("QuestionText"));
    // A group's boxes may be shuffled, and end with an "Other:" box of their own.
    addQuestionSettings()->offerChoiceSettings(true);

    auto* frame = new QGroupBox(tr("Define Checkboxes"), this);
    frame->setObjectName(QStringLiteral("CheckBoxDefine"));
    auto* prompt = addLabel(QStringLiteral("UserInstrunction"),
        tr("Please enter name/title of each Check Box in the box below :"));
    m_title = addLineEdit(QStringLiteral("CheckBoxTitleBox"));
    m_defaultSelected = new QCheckBox(tr("to be selected by default"), this);
    m_defaultSelected->setObjectName(QStringLiteral("DefaultSelected"));
    m_newLine = new QRadioButton(tr("On a new line"), this);
    m_newLine->setObjectName(QStringLiteral("NewLineButton"));
    m_sameLine = new QRadioButton(tr("On the same line"), this);
    m_sameLine->setObjectName(QStringLiteral("SameLineButton"));
    auto* lineChoice = new QButtonGroup(this);
    lineChoice->addButton(m_newLine);
    lineChoice->addButton(m_sameLine);
    m_add = addButton(QStringLiteral("AddCheckBox"), tr("Add Check Box to HTML Form"));

    auto* frameLayout = new QGridLayout(frame);
    frameLayout->addWidget(prompt, 0, 0, 1, 2);
    frameLayout->addWidget(m_title, 1, 0);
    frameLayout->addWidget(m_defaultSelected, 1, 1);
    auto* lineRow = new QHBoxLayout;
    lineRow->addWidget(m_newLine);
    lineRow->addWidget(m_sameLine);
    lineRow->addStretch(1);
    frameLayout->addLayout(lineRow, 2, 0, 1, 2);
    frameLayout->addWidget(m_add, 3, 0, 1, 2, Qt::AlignLeft);
    frameLayout->setColumnStretch(0, 1);

    m_finish = addButton(QStringLiteral("FinishCheckBox"), tr("Finish Adding Check Box Form Methods"));
    m_cancel = addButton(QStringLiteral("Cancel"), tr("Cancel"));

    auto* adviceRow = new QHBoxLayout;
    adviceRow->addWidget(m_advice, 1);
    adviceRow->addWidget(m_addText, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(adviceRow);
    layout->addWidget(questionPrompt);
    layout->addWidget(m_questionText);
    layout->addWidget(questionSettings());
    layout->addWidget(frame);
    layout->addStretch(1);
    layout->addLayout(bottomRow(m_finish, m_cancel));
    // Here the main button adds a box; finishing only closes the window.
    m_finish->setDefault(false);
    m_add->setDefault(true);
    resize(620, sizeHint().height());

    if (!m_newLine->isChecked() && !m_sameLine->isChecked())
        m_newLine->setChecked(true);

    connect(m_add, &QPushButton::clicked, this, &CheckBoxesForm::confirm);
    connect(m_addText, &QPushButton::clicked, this,
        [this] { emit addTextRequested(tr("Please tick the approprtiate check boxes :")); });
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

namespace {

// The positions of the group the box at `position` belongs to: the run of
// check boxes around it asking the same question; the box alone when it asks none.
QList<int> groupOf(const FormSession& session, int position)
{
    const QString question = questionSettingsOf(session.collection().atPosition(position)).questionText;
    if (question.isEmpty())
        return { position };
    auto inGroup = [&](int i) {
        if (i < 0 || i >= session.collection().count())
            return false;
        const FormMethod& m = session.collection().atPosition(i);
        return m.kind == ElementKind::CheckBox && questionSettingsOf(m).questionText == question;
    };
    int first = position;
    while (inGroup(first - 1))
        --first;
    QList<int> group;
    for (int i = first; inGroup(i); ++i)
        group.append(i);
    return group;
}

// Whether a box asking `question` already offers the group's "Other:" answer.
bool groupOffersOther(const FormSession& session, const QString& question)
{
    for (const FormMethod& m : session.collection().methods()) {
        if (m.kind == ElementKind::CheckBox && !m.settings.isEmpty()) {
            const QuestionSettings settings = questionSettingsOf(m);
            if (settings.otherAnswer && settings.questionText == question)
                return true;
        }
    }
    return false;
}

} // namespace

void CheckBoxesForm::fillForEdit(const FormMethod& method)
{
    beginEdit(method);
    QuestionSettings settings = questionSettingsOf(method);
    // One box of the group holds its "Other:"; each shows it.
    settings.otherAnswer
        = !settings.questionText.isEmpty() && groupOffersOther(session(), settings.questionText);
    m_questionText->setText(settings.questionText);
    // A group's condition may only name questions before its first box.
    const int row = session().selectedRow();
    if (row >= 0 && row < session().collection().count()) {
        questionSettings()->offerConditions(conditionChoices(session(), groupOf(session(), row).first()));
        questionSettings()->showSettings(settings);
    }
    m_title->setText(method.userInstruction);
    m_defaultSelected->setChecked(wholeNumber(method.attribute4) != 0);
    setWindowTitle(tr("Edit Check Box"));
    m_add->setText(tr("Update Check Box"));
    m_finish->setText(tr("Finish Editing Check Box"));
    m_advice->hide();
    m_addText->hide();
}

void CheckBoxesForm::confirm()
{
    const QString title = boxText(m_title);
    if (title.isEmpty()) {
        showExclamation(tr("The check box name text field is empty. You must first enter a title for the "
                           "check box."));
        return;
    }
    if (mode() == Mode::Add) {
        if (!checkFormOpen(tr("You don't currently have a Form Open to add a Check Box to.")))
            return;
        QuestionSettings settings = questionSettings()->applyTo({});
        settings.questionText = boxText(m_questionText).trimmed();
        // The group's first box holds its "Other:"; a box alone has none.
        settings.otherAnswer = settings.otherAnswer && !settings.questionText.isEmpty()
            && !groupOffersOther(session(), settings.questionText);
        // Emptied before the insert, ready for the next check box, whatever the insert says.
        m_title->clear();
        const bool added = insert(
            withQuestionSettings(
                checkBoxMethod(title, m_newLine->isChecked(), m_defaultSelected->isChecked()), settings),
            false);
        if (added && !settings.questionText.isEmpty()) {
            // Every box of a group asks the same question with the same settings.
            m_questionText->setReadOnly(true);
            questionSettings()->setChangeable(false);
        } else if (added) {
            offerConditions(); // the new box may be the condition of the next
        }
    } else if (const auto position = selectedPosition()) {
        QuestionSettings settings = questionSettings()->applyTo(storedSettings());
        settings.questionText = boxText(m_questionText).trimmed();
        const bool offersOther = settings.otherAnswer && !settings.questionText.isEmpty();
        // The group's settings change on all its boxes together; its "Other:" stands on its first box only.
        const QList<int> group = groupOf(session(), *position);
        settings.otherAnswer = offersOther && *position == group.constFirst();
        const FormMethod box = finished(
            checkBoxMethod(title, m_newLine->isChecked(), m_defaultSelected->isChecked()), settings);
        QList<QPair<FormMethod, int>> changes;
        for (int member : group) {
            if (member == *position) {
                changes.append({ box, member });
            } else {
                FormMethod other = session().collection().atPosition(member);
                QuestionSettings its = questionSettingsOf(other);
                its.questionText = settings.questionText;
                its.rules.required = settings.rules.required;
                its.condition = settings.condition;
                its.shuffleOptions = settings.shuffleOptions;
                its.otherAnswer = offersOther && member == group.constFirst();
                changes.append({ withQuestionSettings(other, its), member });
            }
        }
        updateAll(changes);
    }
    // The window stays open; the tick and the line option carry over to the next check box.
}

} // namespace quenlow
