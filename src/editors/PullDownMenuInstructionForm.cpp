// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/PullDownMenuInstructionForm.h"

#include "core/Messages.h"
#include "editors/OptionList.h"
#include "model/Fragments.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace quenlow {

namespace {

OptionListWindow::Texts pullDownMenuTexts()
{
    return {
        .editCaption = PullDownMenuInstructionForm::editCaption(),
        .description = PullDownMenuInstructionForm::tr(
            "The Pull-Down Menu/Select Element is used for menus. Each item in a "
            "Pull-Down Menu is called an Option."),
        .instructionPrompt
        = PullDownMenuInstructionForm::tr("Please enter the user instruction for the Pull Down menu in the "
                                          "text field below :"),
        .instructionName = QStringLiteral("PullDownMenuUserInstruction"),
        .frameTitle = PullDownMenuInstructionForm::tr("Menu Options"),
        .frameName = QStringLiteral("MenuOptionsDefine"),
        .listName = QStringLiteral("MenuOptionsListBox"),
        .optionPrompt = PullDownMenuInstructionForm::tr(
            "Please enter each Pull Down Menu option in the box below and hit the "
            "'Add Choice to Pull Down Menu' button after each added box option :"),
        .optionInputName = QStringLiteral("PullDownMenuOptionInputBox"),
        .addName = QStringLiteral("AddOption"),
        .addText = PullDownMenuInstructionForm::tr("Add Option to Pull Down Menu"),
        .removeText = PullDownMenuInstructionForm::tr("Remove Option From Pull Down Menu"),
        .finishName = QStringLiteral("FinishPullDownMenuInput"),
        .finishText = PullDownMenuInstructionForm::tr("Add Pull Down Menu to HTML Form"),
        .updateText = PullDownMenuInstructionForm::tr("Update Pull Down Menu"),
        .cancelName = QStringLiteral("Cancel"),
        .emptyInputMessage
        = PullDownMenuInstructionForm::tr("The menu option text field is empty. You must first define an "
                                          "option to add to the pull down menu."),
        .noSelectionMessage
        = PullDownMenuInstructionForm::tr("Sorry, but you don't have an option selected."),
        .noOptionsMessage
        = PullDownMenuInstructionForm::tr("You must first enter some options into the Menu."),
        .noInstructionMessage
        = PullDownMenuInstructionForm::tr("The user instruction text field is empty. You must define a "
                                          "user instruction for the pull down menu."),
        .noFormMessage
        = PullDownMenuInstructionForm::tr("You don't currently have a Form Open to add a Pull Down Menu to."),
    };
}

} // namespace

PullDownMenuInstructionForm::PullDownMenuInstructionForm(FormSession& session, QWidget* parent)
    : OptionListWindow(
        session, QStringLiteral("PullDownMenuInstructionForm"), addCaption(), pullDownMenuTexts(), parent)
{
    auto* heightPrompt = addLabel(
        QStringLiteral("UserInstruction3"), tr("Number of Menu Items to display (height of menu) :"));
    m_noToDisplay = addLineEdit(QStringLiteral("NoToDisplay"), QStringLiteral("1"));
    m_noToDisplay->setMaximumWidth(80);
    auto* heightRow = new QHBoxLayout;
    heightRow->addWidget(heightPrompt);
    heightRow->addWidget(m_noToDisplay);
    heightRow->addStretch(1);
    addBelowInstruction(heightRow, m_noToDisplay);
    resize(640, 480);
}

void PullDownMenuInstructionForm::fillForEdit(const FormMethod& method)
{
    OptionListWindow::fillForEdit(method);
    m_noToDisplay->setText(method.attribute4);
}

std::optional<FormMethod> PullDownMenuInstructionForm::buildMethod(const QString& instruction)
{
    // The height goes unquoted into the page and decides the layout: only a
    // whole number may reach it.
    const QString height = boxText(m_noToDisplay).trimmed();
    if (!menuHeight(height)) {
        showExclamation(tr("The number of menu items to display must be a whole number, such as 1. "
                           "Please correct it."));
        return std::nullopt;
    }
    return pullDownMenuMethod(instruction, height, m_options->walkOptions(), m_options->defaultOption());
}

} // namespace quenlow
