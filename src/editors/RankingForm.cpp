// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/RankingForm.h"

#include "core/Messages.h"
#include "editors/QuestionSettingsBox.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/RankingQuestion.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

RankingForm::RankingForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("RankingForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        tr("A ranking asks the form filler to put its options in order, the first being the one preferred. "
           "Each option is a column of its own in the answers table, holding its place (1 = first)."));
    auto* instructionLabel
        = addLabel(QStringLiteral("UserInstruction"), tr("Please enter the question for the ranking  :"));
    m_instruction = addLineEdit(QStringLiteral("RankingUserInstruction"));

    m_optionBox = new QGroupBox(this);
    m_optionBox->setObjectName(QStringLiteral("RankingOptionBox"));
    m_optionText = new QLineEdit(m_optionBox);
    m_optionText->setObjectName(QStringLiteral("RankingOptionText"));
    m_options = new QListWidget(m_optionBox);
    m_options->setObjectName(QStringLiteral("RankingOptions"));
    m_options->setMinimumHeight(110);
    m_addOption = new QPushButton(tr("Add Option"), m_optionBox);
    m_addOption->setObjectName(QStringLiteral("AddRankingOption"));
    m_removeOption = new QPushButton(tr("Remove Option"), m_optionBox);
    m_removeOption->setObjectName(QStringLiteral("RemoveRankingOption"));
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(m_optionText, 1);
    inputRow->addWidget(m_addOption);
    auto* boxLayout = new QVBoxLayout(m_optionBox);
    boxLayout->addLayout(inputRow);
    boxLayout->addWidget(m_options);
    boxLayout->addWidget(m_removeOption, 0, Qt::AlignRight);
    auto* optionsLabel = addLabel(QStringLiteral("RankingOptionsLabel"), tr("Options to put in order :"));
    optionsLabel->setBuddy(m_optionText);

    m_add = addButton(QStringLiteral("AddRanking"), tr("Add Ranking to HTML Form"));
    m_finish = addButton(QStringLiteral("FinishRanking"), tr("Cancel"));
    layOutBoxes(description, { { instructionLabel, m_instruction }, { optionsLabel, m_optionBox } }, m_add,
        m_finish, addQuestionSettings());
    // Its options may be shown in an order of each page's own; no "Other:".
    questionSettings()->offerChoiceSettings(false);
    proposeInstruction(m_instruction);

    // Enter in the option's box adds the option, not the whole element.
    connect(m_optionText, &QLineEdit::returnPressed, m_addOption, &QPushButton::click);
    connect(m_addOption, &QPushButton::clicked, this, &RankingForm::addOption);
    connect(m_removeOption, &QPushButton::clicked, this, &RankingForm::removeOption);
    connect(m_add, &QPushButton::clicked, this, &RankingForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

void RankingForm::addOption()
{
    const QString text = boxText(m_optionText).trimmed();
    if (text.isEmpty()) {
        showExclamation(tr("The option text box is empty. You must first enter an option."));
        return;
    }
    for (int i = 0; i < m_options->count(); ++i) {
        if (m_options->item(i)->text().compare(text, Qt::CaseInsensitive) == 0) {
            showExclamation(tr("'%1' is already in the list.").arg(text));
            return;
        }
    }
    m_options->addItem(text);
    m_options->setCurrentRow(m_options->count() - 1);
    m_optionText->clear();
    m_optionText->setFocus();
}

void RankingForm::removeOption()
{
    const int row = m_options->currentRow();
    if (row < 0) {
        showExclamation(tr("Sorry, but you don't have an entry of the list selected."));
        return;
    }
    delete m_options->takeItem(row);
}

void RankingForm::fillForEdit(const FormMethod& method)
{
    beginEdit(method);
    m_instruction->setText(method.userInstruction);
    m_options->clear();
    m_options->addItems(rankingOptionsOf(method));
    setWindowTitle(tr("Edit Ranking"));
    m_add->setText(tr("Update Ranking"));
}

void RankingForm::confirm()
{
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(tr("The question text box is empty. You must first enter the question the ranking "
                           "asks."));
        return;
    }
    QStringList options;
    for (int i = 0; i < m_options->count(); ++i)
        options.append(m_options->item(i)->text());
    if (options.size() < 2) {
        showExclamation(tr("You must first enter at least two options."));
        return;
    }
    const FormMethod method
        = finished(rankingMethod(instruction, options), questionSettings()->applyTo(storedSettings()));
    if (insertOrUpdate(method, mode() == Mode::Add,
            tr("You don't currently have a Form Open to add a Ranking to."), true))
        close();
}

} // namespace quenlow
