// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/TextAreaForm.h"

#include "core/Messages.h"
#include "editors/QuestionSettingsBox.h"
#include "model/FormSession.h"
#include "model/Fragments.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quenlow {

TextAreaForm::TextAreaForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("TextAreaForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        tr("Text Areas are used when you want extended feedback from the filler "
           "of the form. Ohterwise they are just like text boxes."));
    auto* instructionLabel = addLabel(
        QStringLiteral("UserInstrunction"), tr("Please enter the user instruction for the text area  :"));
    m_instruction = addLineEdit(QStringLiteral("TextAreaUserInstruction"));
    auto* rowsLabel
        = addLabel(QStringLiteral("NoOfRows"), tr("Please enter the the number of rows you wish  :"));
    m_rows = addLineEdit(QStringLiteral("aNoOfRows"));
    auto* widthLabel
        = addLabel(QStringLiteral("NoOfChars"), tr("Please enter the desired width (no. of characters) :"));
    m_width = addLineEdit(QStringLiteral("aNoOfChars"));
    auto* defaultLabel = addLabel(
        QStringLiteral("DefaultText"), tr("Please enter the default text to appear in the box  :"));
    m_defaultText = addLineEdit(QStringLiteral("aDefaultText"));
    m_add = addButton(QStringLiteral("AddAnotherTextArea"), tr("Add Text Area to HTML Form"));
    m_finish = addButton(QStringLiteral("FinishTextArea"), tr("Cancel"));

    layOutBoxes(description,
        { { instructionLabel, m_instruction }, { rowsLabel, m_rows }, { widthLabel, m_width },
            { defaultLabel, m_defaultText } },
        m_add, m_finish, addQuestionSettings());

    if (m_instruction->text().isEmpty()) {
        proposeInstruction(m_instruction);
        m_width->setText(QStringLiteral("40"));
        m_rows->setText(QStringLiteral("5"));
        m_defaultText->setText(tr("Enter any comments here."));
    }

    connect(m_add, &QPushButton::clicked, this, &TextAreaForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

void TextAreaForm::fillForEdit(const FormMethod& method)
{
    beginEdit(method);
    m_instruction->setText(method.userInstruction);
    m_rows->setText(method.attribute4);
    m_width->setText(method.attribute5);
    m_defaultText->setText(method.attribute6);
    setWindowTitle(tr("Edit Text Area Form Element"));
    m_add->setText(tr("Update Text Area"));
    m_finish->setText(tr("Cancel"));
}

void TextAreaForm::confirm()
{
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(tr("Text Field Box Is Empty !"));
        return;
    }
    const FormMethod method
        = finished(textAreaMethod(instruction, boxText(m_rows), boxText(m_width), boxText(m_defaultText)),
            questionSettings()->applyTo(storedSettings()));
    if (insertOrUpdate(method, mode() == Mode::Add,
            tr("You don't currently have a Form Open to add a Text Area to."), true))
        close();
}

} // namespace quenlow
