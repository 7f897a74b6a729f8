// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/TextFieldForm.h"

#include "core/Messages.h"
#include "model/FormSession.h"
#include "model/Fragments.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quenlow {

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
    m_add = addButton(QStringLiteral("AddAnotherTextField"), tr("Add Text Field to HTML Form"));
    m_finish = addButton(QStringLiteral("FinishTextField"), tr("Cancel"));

    layOutBoxes(description,
        { { instructionLabel, m_instruction }, { sizeLabel, m_boxSize }, { maxLabel, m_maxChars },
            { defaultLabel, m_defaultText } },
        m_add, m_finish);

    // Loading: a fresh window proposes the next numbered instruction.
    if (m_instruction->text().isEmpty()) {
        m_instruction->setText(numberedInstruction());
        m_boxSize->setText(QStringLiteral("30"));
        m_maxChars->clear();
        m_defaultText->clear();
    }

    connect(m_add, &QPushButton::clicked, this, &TextFieldForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

void TextFieldForm::fillForEdit(const FormMethod& method)
{
    setMode(Mode::Edit);
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
    const FormMethod method
        = textFieldMethod(instruction, boxText(m_boxSize), boxText(m_maxChars), boxText(m_defaultText));
    if (insertOrUpdate(method, mode() == Mode::Add,
            tr("You don't currently have a Form Open to add a Text Field to."), true))
        close();
}

} // namespace quenlow
