// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/RadioButtonsForm.h"

#include "editors/OptionList.h"
#include "model/Fragments.h"

namespace quenlow {

namespace {

OptionListWindow::Texts radioButtonsTexts()
{
    return {
        .editCaption = RadioButtonsForm::editCaption(),
        .description
        = RadioButtonsForm::tr("Radio-button form elements are similar in behaviour to checkboxes, "
                               "except that only one in the group may be selected by the form user. "),
        .instructionPrompt
        = RadioButtonsForm::tr("Please enter the user instruction for the Radio Buttons  in the "
                               "text field below :"),
        .instructionName = QStringLiteral("RadioButtonUserInstruction"),
        .frameTitle = RadioButtonsForm::tr("Radio Button Options"),
        .frameName = QStringLiteral("RadioButtonOptionsDefine"),
        .listName = QStringLiteral("RadioButtonsListBox"),
        .optionPrompt
        = RadioButtonsForm::tr("Please enter each Radio Button option in the box below and hit the "
                               "'Add Radio Button Option to Form Question' button after each added "
                               "option :"),
        .optionInputName = QStringLiteral("RadioButtonTitleBox"),
        .addName = QStringLiteral("AddRadioButton"),
        .addText = RadioButtonsForm::tr("Add Radio Button option"),
        .removeText = RadioButtonsForm::tr("Remove Button from Form Question"),
        .finishName = QStringLiteral("FinishRadioButton"),
        .finishText = RadioButtonsForm::tr("Finish Adding Radio Buttons"),
        .updateText = RadioButtonsForm::tr("Update Radio Buttons Menu"),
        .cancelName = QStringLiteral("CancelRadioButtonForm"),
        .emptyInputMessage
        = RadioButtonsForm::tr("The radio button name text field is empty. You must first "
                               "define the name of the button to add to the radio buton method."),
        .noSelectionMessage
        = RadioButtonsForm::tr("Sorry, but you don't have an Radio Button name selected."),
        .noOptionsMessage = RadioButtonsForm::tr("You must first enter some Radio Buttons."),
        .noInstructionMessage
        = RadioButtonsForm::tr("The user instruction text field for the radio button form "
                               "element is empty. You must first define a user instruction "
                               "for the element."),
        .noFormMessage
        = RadioButtonsForm::tr("You don't currently have a Form Open to add a Radio Button Menu to."),
    };
}

} // namespace

RadioButtonsForm::RadioButtonsForm(FormSession& session, QWidget* parent)
    : OptionListWindow(session, QStringLiteral("RadioButtonsForm"), addCaption(), radioButtonsTexts(), parent)
{
    resize(640, 460);
}

std::optional<FormMethod> RadioButtonsForm::buildMethod(const QString& instruction)
{
    return radioButtonsMethod(instruction, m_options->walkOptions(), m_options->defaultOption());
}

} // namespace quenlow
