// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/TextFieldForm.h"

#include "core/Messages.h"
#include "editors/QuestionSettingsBox.h"
#include "model/FormSession.h"
#include "model/Fragments.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quenlow {

namespace {

// Limits are in the stored spelling: dates compare as text, numbers by value.
bool limitsInOrder(AnswerKind kind, const QString& minimum, const QString& maximum)
{
    if (kind == AnswerKind::Date)
        return minimum <= maximum;
    return minimum.toDouble() <= maximum.toDouble();
}

} // namespace

TextFieldForm::TextFieldForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("TextFieldForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        tr("A text box allows the form filler to enter a single line of text into a form."));
    auto* instructionLabel = addLabel(
        QStringLiteral("UserInstrunction"), tr("Please enter the user instruction for the text field  :"));
    m_instruction = addLineEdit(QStringLiteral("TextFieldUserInstruction"));
    auto* sizeLabel
        = addLabel(QStringLiteral("BoxLength"), tr("Please enter box size (no. of characters long) :"));
    m_boxSize = addLineEdit(QStringLiteral("aBoxSize"));
    auto* maxLabel = addLabel(QStringLiteral("MaxNo"), tr("Please enter the maximum number of characters :"));
    m_maxChars = addLineEdit(QStringLiteral("aMaxChars"));
    auto* defaultLabel = addLabel(
        QStringLiteral("DefaultText"), tr("Please enter the default text to appear in the box  :"));
    m_defaultText = addLineEdit(QStringLiteral("aDefaultText"));
    auto* kindLabel = addLabel(QStringLiteral("AnswerKindLabel"), tr("The answer to be given :"));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("AnswerKind"));
    // In the order of the kinds; the stored value is the kind's own name.
    const QStringList kindCaptions { tr("Any text"), tr("Whole number"), tr("Number"), tr("Date"),
        tr("E-mail address"), tr("Phone number") };
    const QList<AnswerKind> kinds = allAnswerKinds();
    for (qsizetype i = 0; i < kinds.size(); ++i)
        m_kind->addItem(
            i < kindCaptions.size() ? kindCaptions.at(i) : answerKindName(kinds.at(i)), int(kinds.at(i)));
    kindLabel->setBuddy(m_kind);
    auto* minimumLabel = addLabel(QStringLiteral("MinimumValueLabel"), tr("Smallest answer allowed :"));
    m_minimum = addLineEdit(QStringLiteral("MinimumValue"));
    auto* maximumLabel = addLabel(QStringLiteral("MaximumValueLabel"), tr("Largest answer allowed :"));
    m_maximum = addLineEdit(QStringLiteral("MaximumValue"));
    m_add = addButton(QStringLiteral("AddAnotherTextField"), tr("Add Text Field to HTML Form"));
    m_finish = addButton(QStringLiteral("FinishTextField"), tr("Cancel"));

    layOutBoxes(description,
        { { instructionLabel, m_instruction }, { sizeLabel, m_boxSize }, { maxLabel, m_maxChars },
            { defaultLabel, m_defaultText }, { kindLabel, m_kind }, { minimumLabel, m_minimum },
            { maximumLabel, m_maximum } },
        m_add, m_finish, addQuestionSettings());
    showLimits();

    // Loading: a fresh window proposes the next numbered instruction.
    if (m_instruction->text().isEmpty()) {
        proposeInstruction(m_instruction);
        m_boxSize->setText(QStringLiteral("30"));
        m_maxChars->clear();
        m_defaultText->clear();
    }

    connect(m_kind, &QComboBox::currentIndexChanged, this, &TextFieldForm::showLimits);
    connect(m_add, &QPushButton::clicked, this, &TextFieldForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

AnswerKind TextFieldForm::kind() const
{
    return AnswerKind(m_kind->currentData().toInt());
}

void TextFieldForm::showLimits()
{
    // Only numbers and dates have limits; the others keep what was typed
    // (unused) in case the kind is changed back.
    const bool limits = answerKindHasLimits(kind());
    m_minimum->setEnabled(limits);
    m_maximum->setEnabled(limits);
    if (kind() == AnswerKind::Date) {
        m_minimum->setPlaceholderText(tr("YYYY-MM-DD"));
        m_maximum->setPlaceholderText(tr("YYYY-MM-DD"));
    } else {
        m_minimum->setPlaceholderText(limits ? tr("no limit") : QString());
        m_maximum->setPlaceholderText(limits ? tr("no limit") : QString());
    }
}

std::optional<AnswerRules> TextFieldForm::checkedRules()
{
    AnswerRules rules;
    rules.kind = kind();
    if (!answerKindHasLimits(rules.kind))
        return rules;
    const QString kindName = m_kind->currentText();
    const std::optional<QString> minimum = canonicalLimit(rules.kind, boxText(m_minimum));
    if (!minimum) {
        showExclamation(tr("The smallest answer allowed, \"%1\", is not a %2. Please correct it or leave "
                           "the box empty for no limit.")
                            .arg(boxText(m_minimum).trimmed(), kindName.toLower()));
        m_minimum->setFocus();
        return std::nullopt;
    }
    const std::optional<QString> maximum = canonicalLimit(rules.kind, boxText(m_maximum));
    if (!maximum) {
        showExclamation(tr("The largest answer allowed, \"%1\", is not a %2. Please correct it or leave "
                           "the box empty for no limit.")
                            .arg(boxText(m_maximum).trimmed(), kindName.toLower()));
        m_maximum->setFocus();
        return std::nullopt;
    }
    if (!minimum->isEmpty() && !maximum->isEmpty() && !limitsInOrder(rules.kind, *minimum, *maximum)) {
        showExclamation(tr("The smallest answer allowed (%1) is above the largest (%2). Please correct "
                           "them.")
                            .arg(*minimum, *maximum));
        m_minimum->setFocus();
        return std::nullopt;
    }
    rules.minimum = *minimum;
    rules.maximum = *maximum;
    return rules;
}

void TextFieldForm::fillForEdit(const FormMethod& method)
{
    beginEdit(method);
    const AnswerRules rules = questionSettingsOf(method).rules;
    m_kind->setCurrentIndex(qMax(0, m_kind->findData(int(rules.kind))));
    m_minimum->setText(rules.minimum);
    m_maximum->setText(rules.maximum);
    m_instruction->setText(method.userInstruction);
    m_boxSize->setText(method.attribute4);
    m_maxChars->setText(method.attribute5);
    m_defaultText->setText(method.attribute6);
    setWindowTitle(tr("Edit Text Field Form Element"));
    m_add->setText(tr("Update Text Field"));
    m_finish->setText(tr("Cancel"));
}

void TextFieldForm::confirm()
{
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(tr("The user instruction text box is empty. You must first define a user "
                           "instruction for the text field."));
        return;
    }
    const std::optional<AnswerRules> rules = checkedRules();
    if (!rules)
        return;
    QuestionSettings settings = questionSettings()->applyTo(storedSettings());
    settings.rules.kind = rules->kind;
    settings.rules.minimum = rules->minimum;
    settings.rules.maximum = rules->maximum;
    const FormMethod method = finished(
        textFieldMethod(instruction, boxText(m_boxSize), boxText(m_maxChars), boxText(m_defaultText)),
        settings);
    if (insertOrUpdate(method, mode() == Mode::Add,
            tr("You don't currently have a Form Open to add a Text Field to."), true))
        close();
}

} // namespace quenlow
