// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/RadioButtonsForm.h"

#include "core/Messages.h"
#include "editors/Fragments.h"
#include "editors/OptionList.h"
#include "model/FormSession.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

RadioButtonsForm::RadioButtonsForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("RadioButtonsForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        QStringLiteral("Radio-button form elements are similar in behaviour to checkboxes, "
                       "except that only one in the group may be selected by the form user. "));
    auto* prompt = addLabel(QStringLiteral("UserInstruction1"),
        QStringLiteral("Please enter the user instruction for the Radio Buttons  in the text field "
                       "below :"));
    m_instruction = addLineEdit(QStringLiteral("RadioButtonUserInstruction"));

    auto* frame = new QGroupBox(QStringLiteral("Radio Button Options"), this);
    frame->setObjectName(QStringLiteral("RadioButtonOptionsDefine"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("RadioButtonsListBox"));
    auto* optionPrompt = addLabel(QStringLiteral("Label1"),
        QStringLiteral("Please enter each Radio Button option in the box below and hit the "
                       "'Add Radio Button Option to Form Question' button after each added "
                       "option :"));
    m_optionInput = addLineEdit(QStringLiteral("RadioButtonTitleBox"));
    m_defaultSelected = new QCheckBox(QStringLiteral("Option to be selected by default"), this);
    m_defaultSelected->setObjectName(QStringLiteral("DefaultSelected"));
    auto* add = addButton(QStringLiteral("AddRadioButton"), QStringLiteral("Add Radio Button option"));
    auto* remove
        = addButton(QStringLiteral("RemoveOption"), QStringLiteral("Remove Button from Form Question"));

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
        QStringLiteral("FinishRadioButton"), QStringLiteral("Finish Adding Check Box Form Methods"));
    m_cancel = addButton(QStringLiteral("CancelRadioButtonForm"), QStringLiteral("Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addWidget(prompt);
    layout->addWidget(m_instruction);
    layout->addWidget(frame, 1);
    layout->addLayout(bottomRow(m_finish, m_cancel));
    resize(640, 460);

    m_options = new OptionList({ m_optionInput, m_list, m_defaultSelected, add, remove },
        QStringLiteral("The radio button name text field is empty. You must first define the "
                       "name of the button to add to the radio buton method."),
        QStringLiteral("Sorry, but you don't have an Radio Button name selected."), this);

    // Loading: the next numbered instruction, and no option preselected.
    m_instruction->setText(QStringLiteral("User Instruction ") + QString::number(session.elementCounter + 1));
    m_options->SetDefaultOption(noDefaultOption());

    connect(m_finish, &QPushButton::clicked, this, &RadioButtonsForm::finish);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

void RadioButtonsForm::SetDefaultOption(const QString& OptionName)
{
    m_options->SetDefaultOption(OptionName);
}

QString RadioButtonsForm::defaultOption() const
{
    return m_options->defaultOption();
}

void RadioButtonsForm::fillForEdit(const FormMethod& method)
{
    setWindowTitle(editCaption());
    m_instruction->setText(method.userInstruction);
    m_finish->setText(QStringLiteral("Update Radio Buttons Menu"));
    SetDefaultOption(method.attribute5);
    m_options->setOptions(method.attribute6List);
}

void RadioButtonsForm::finish()
{
    const bool editing = windowTitle() == editCaption();
    if (m_options->isEmpty()) {
        showExclamation(QStringLiteral("You must first enter some Radio Buttons."));
        return;
    }
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(
            QStringLiteral("The user instruction text field for the radio button form element is empty. "
                           "You must first define a user instruction for the element."));
        return;
    }
    const FormMethod method
        = radioButtonsMethod(instruction, m_options->walkOptions(), m_options->defaultOption());
    if (editing) {
        const auto key = selectedKey();
        if (!key || !update(method, *key))
            return;
    } else {
        if (!checkFormOpen(
                QStringLiteral("You don't currently have a Form Open to add a Radio Button Menu to."))
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
