// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/OptionListWindow.h"

#include "core/Messages.h"
#include "editors/OptionList.h"
#include "editors/QuestionSettingsBox.h"
#include "model/Fragments.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

OptionListWindow::OptionListWindow(
    FormSession& session, const QString& name, const QString& caption, const Texts& texts, QWidget* parent)
    : EditorWindow(session, name, caption, parent)
    , m_texts(texts)
{
    auto* description = addLabel(QStringLiteral("Description"), texts.description);
    auto* prompt = addLabel(QStringLiteral("UserInstruction1"), texts.instructionPrompt);
    m_instruction = addLineEdit(texts.instructionName);

    auto* frame = new QGroupBox(texts.frameTitle, this);
    frame->setObjectName(texts.frameName);
    auto* list = new QListWidget(this);
    list->setObjectName(texts.listName);
    auto* optionPrompt = addLabel(QStringLiteral("Label1"), texts.optionPrompt);
    auto* optionInput = addLineEdit(texts.optionInputName);
    auto* defaultSelected = new QCheckBox(tr("Option to be selected by default"), this);
    defaultSelected->setObjectName(QStringLiteral("DefaultSelected"));
    auto* add = addButton(texts.addName, texts.addText);
    auto* remove = addButton(QStringLiteral("RemoveOption"), texts.removeText);

    auto* frameLayout = new QGridLayout(frame);
    frameLayout->addWidget(list, 0, 0, 6, 1);
    frameLayout->addWidget(optionPrompt, 0, 1);
    frameLayout->addWidget(optionInput, 1, 1);
    frameLayout->addWidget(defaultSelected, 2, 1);
    frameLayout->addWidget(add, 3, 1, Qt::AlignLeft);
    frameLayout->addWidget(remove, 4, 1, Qt::AlignLeft);
    frameLayout->setRowStretch(5, 1);
    frameLayout->setColumnStretch(0, 2);
    frameLayout->setColumnStretch(1, 3);

    m_finish = addButton(texts.finishName, texts.finishText);
    auto* cancel = addButton(texts.cancelName, tr("Cancel"));

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(description);
    m_layout->addWidget(prompt);
    m_layout->addWidget(m_instruction);
    m_layout->addWidget(frame, 1);
    m_layout->addWidget(addQuestionSettings());
    questionSettings()->offerChoiceSettings(true);
    questionSettings()->followInTabOrder(remove);
    m_layout->addLayout(bottomRow(m_finish, cancel));

    m_options = new OptionList({ optionInput, list, defaultSelected, add, remove }, texts.emptyInputMessage,
        texts.noSelectionMessage, this);

    // Loading: the next numbered instruction, and no option preselected.
    proposeInstruction(m_instruction);
    m_options->setDefaultOption(noDefaultOption());

    connect(m_finish, &QPushButton::clicked, this, &OptionListWindow::finish);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

void OptionListWindow::addBelowInstruction(QLayout* row, QWidget* box)
{
    m_layout->insertLayout(m_layout->indexOf(m_instruction) + 1, row);
    setTabOrder(m_instruction, box);
}

void OptionListWindow::setDefaultOption(const QString& OptionName)
{
    m_options->setDefaultOption(OptionName);
}

QString OptionListWindow::defaultOption() const
{
    return m_options->defaultOption();
}

void OptionListWindow::fillForEdit(const FormMethod& method)
{
    beginEdit(method);
    setWindowTitle(m_texts.editCaption);
    m_instruction->setText(method.userInstruction);
    m_finish->setText(m_texts.updateText);
    setDefaultOption(method.attribute5);
    m_options->setOptions(method.attribute6List);
}

void OptionListWindow::finish()
{
    const bool editing = mode() == Mode::Edit;
    if (m_options->isEmpty()) {
        showExclamation(m_texts.noOptionsMessage);
        return;
    }
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(m_texts.noInstructionMessage);
        return;
    }
    const std::optional<FormMethod> method = buildMethod(instruction);
    if (!method
        || !insertOrUpdate(finished(*method, questionSettings()->applyTo(storedSettings())), !editing,
            m_texts.noFormMessage, true))
        return;
    if (QWidget* mainWindow = parentWidget()) {
        mainWindow->raise();
        mainWindow->activateWindow();
    }
    close();
}

} // namespace quenlow
