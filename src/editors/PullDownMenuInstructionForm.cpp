// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/PullDownMenuInstructionForm.h"

#include "core/Messages.h"
#include "editors/Fragments.h"
#include "editors/OptionList.h"
#include "model/FormSession.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

PullDownMenuInstructionForm::PullDownMenuInstructionForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("PullDownMenuInstructionForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        QStringLiteral("The Pull-Down Menu/Select Element is used for menus. Each item in a "
                       "Pull-Down Menu is called an Option."));
    auto* prompt = addLabel(QStringLiteral("UserInstruction1"),
        QStringLiteral("Please enter the user instruction for the Pull Down menu in the text field "
                       "below :"));
    m_instruction = addLineEdit(QStringLiteral("PullDownMenuUserInstruction"));
    auto* heightPrompt = addLabel(QStringLiteral("UserInstruction3"),
        QStringLiteral("Number of Menu Items to display (height of menu) :"));
    m_noToDisplay = addLineEdit(QStringLiteral("NoToDisplay"), QStringLiteral("1"));
    m_noToDisplay->setMaximumWidth(80);

    auto* frame = new QGroupBox(QStringLiteral("Menu Options"), this);
    frame->setObjectName(QStringLiteral("MenuOptionsDefine"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("MenuOptionsListBox"));
    auto* optionPrompt = addLabel(QStringLiteral("Label1"),
        QStringLiteral("Please enter each Pull Down Menu option in the box below and hit the "
                       "'Add Choice to Pull Down Menu' button after each added box option :"));
    m_optionInput = addLineEdit(QStringLiteral("PullDownMenuOptionInputBox"));
    m_defaultSelected = new QCheckBox(QStringLiteral("Option to be selected by default"), this);
    m_defaultSelected->setObjectName(QStringLiteral("DefaultSelected"));
    auto* add = addButton(QStringLiteral("AddOption"), QStringLiteral("Add Option to Pull Down Menu"));
    auto* remove
        = addButton(QStringLiteral("RemoveOption"), QStringLiteral("Remove Option From Pull Down Menu"));

    auto* frameLayout = new QGridLayout(frame);
    frameLayout->addWidget(m_list, 0, 0, 6, 1);
    frameLayout->addWidget(optionPrompt, 0, 1);
    frameLayout->addWidget(m_optionInput, 1, 1);
    frameLayout->addWidget(m_defaultSelected, 2, 1);
    frameLayout->addWidget(add, 3, 1, Qt::AlignLeft);
    frameLayout->addWidget(remove, 4, 1, Qt::AlignLeft);
    frameLayout->setRowStretch(5, 1);
    frameLayout->setColumnStretch(0, 2);
    frameLayout->setColumnStretch(1, 3);

    m_finish = addButton(
        QStringLiteral("FinishPullDownMenuInput"), QStringLiteral("Add Pull Down Menu to HTML Form"));
    m_cancel = addButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"));

    auto* heightRow = new QHBoxLayout;
    heightRow->addWidget(heightPrompt);
    heightRow->addWidget(m_noToDisplay);
    heightRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addWidget(prompt);
    layout->addWidget(m_instruction);
    layout->addLayout(heightRow);
    layout->addWidget(frame, 1);
    layout->addLayout(bottomRow(m_finish, m_cancel));
    resize(640, 480);

    m_options = new OptionList({ m_optionInput, m_list, m_defaultSelected, add, remove },
        QStringLiteral("The menu option text field is empty. You must first define an option "
                       "to add to the pull down menu."),
        QStringLiteral("Sorry, but you don't have an option selected."), this);

    m_instruction->setText(QStringLiteral("User Instruction ") + QString::number(session.elementCounter + 1));
    m_options->SetDefaultOption(noDefaultOption());

    connect(m_finish, &QPushButton::clicked, this, &PullDownMenuInstructionForm::finish);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

void PullDownMenuInstructionForm::SetDefaultOption(const QString& OptionName)
{
    m_options->SetDefaultOption(OptionName);
}

QString PullDownMenuInstructionForm::defaultOption() const
{
    return m_options->defaultOption();
}

void PullDownMenuInstructionForm::fillForEdit(const FormMethod& method)
{
    setWindowTitle(editCaption());
    m_instruction->setText(method.userInstruction);
    m_noToDisplay->setText(method.attribute4);
    m_finish->setText(QStringLiteral("Update Pull Down Menu"));
    SetDefaultOption(method.attribute5);
    m_options->setOptions(method.attribute6List);
}

void PullDownMenuInstructionForm::finish()
{
    const bool editing = windowTitle() == editCaption();
    if (m_options->isEmpty()) {
        showExclamation(QStringLiteral("You must first enter some options into the Menu."));
        return;
    }
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(
            QStringLiteral("The user instruction text field is empty. You must define a user instruction "
                           "for the pull down menu."));
        return;
    }
    // The height goes unquoted into the page and decides the layout: only a
    // whole number may reach it.
    const QString height = boxText(m_noToDisplay).trimmed();
    if (!menuHeight(height)) {
        showExclamation(
            QStringLiteral("The number of menu items to display must be a whole number, such as 1. "
                           "Please correct it."));
        return;
    }
    const FormMethod method
        = pullDownMenuMethod(instruction, height, m_options->walkOptions(), m_options->defaultOption());
    if (editing) {
        const auto key = selectedKey();
        if (!key || !update(method, *key))
            return;
    } else {
        if (!checkFormOpen(QStringLiteral("You don't currently have a Form Open to add a Pull Down Menu to."))
            || !insert(method, true))
            return;
    }
    if (QWidget* mainWindow = parentWidget()) {
        mainWindow->raise();
        mainWindow->activateWindow();
    }
    close();
}

} // namespace quenlow
