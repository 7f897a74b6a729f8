// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/TextAreaForm.h"

#include "core/Messages.h"
#include "editors/Fragments.h"
#include "model/FormSession.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

TextAreaForm::TextAreaForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("TextAreaForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        QStringLiteral("Text Areas are used when you want extended feedback from the filler "
                       "of the form. Ohterwise they are just like text boxes."));
    auto* instructionLabel = addLabel(QStringLiteral("UserInstrunction"),
        QStringLiteral("Please enter the user instruction for the text area  :"));
    m_instruction = addLineEdit(QStringLiteral("TextAreaUserInstruction"));
    auto* rowsLabel = addLabel(
        QStringLiteral("NoOfRows"), QStringLiteral("Please enter the the number of rows you wish  :"));
    m_rows = addLineEdit(QStringLiteral("aNoOfRows"));
    auto* widthLabel = addLabel(
        QStringLiteral("NoOfChars"), QStringLiteral("Please enter the desired width (no. of characters) :"));
    m_width = addLineEdit(QStringLiteral("aNoOfChars"));
    auto* defaultLabel = addLabel(QStringLiteral("DefaultText"),
        QStringLiteral("Please enter the default text to appear in the box  :"));
    m_defaultText = addLineEdit(QStringLiteral("aDefaultText"));
    m_add = addButton(QStringLiteral("AddAnotherTextArea"), QStringLiteral("Add Text Area to HTML Form"));
    m_finish = addButton(QStringLiteral("FinishTextArea"), QStringLiteral("Cancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(instructionLabel, 0, 0);
    grid->addWidget(m_instruction, 0, 1);
    grid->addWidget(rowsLabel, 1, 0);
    grid->addWidget(m_rows, 1, 1);
    grid->addWidget(widthLabel, 2, 0);
    grid->addWidget(m_width, 2, 1);
    grid->addWidget(defaultLabel, 3, 0);
    grid->addWidget(m_defaultText, 3, 1);
    grid->setColumnStretch(1, 1);
    // The prompts read best on one line each, beside their boxes.
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget()))
            label->setWordWrap(false);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(bottomRow(m_add, m_finish));
    resize(qMax(640, sizeHint().width()), sizeHint().height());

    if (m_instruction->text().isEmpty()) {
        m_instruction->setText(
            QStringLiteral("User Instruction ") + QString::number(session.elementCounter + 1));
        m_width->setText(QStringLiteral("40"));
        m_rows->setText(QStringLiteral("5"));
        m_defaultText->setText(QStringLiteral("Enter any comments here."));
    }

    connect(m_add, &QPushButton::clicked, this, &TextAreaForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

void TextAreaForm::fillForEdit(const FormMethod& method)
{
    m_instruction->setText(method.userInstruction);
    m_rows->setText(method.attribute4);
    m_width->setText(method.attribute5);
    m_defaultText->setText(method.attribute6);
    setWindowTitle(QStringLiteral("Edit Text Area Form Element"));
    m_add->setText(QStringLiteral("Update Text Area"));
    m_finish->setText(QStringLiteral("Cancel"));
}

void TextAreaForm::confirm()
{
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(QStringLiteral("Text Field Box Is Empty !"));
        return;
    }
    const FormMethod method
        = textAreaMethod(instruction, boxText(m_rows), boxText(m_width), boxText(m_defaultText));
    if (windowTitle() == addCaption()) {
        if (!checkFormOpen(QStringLiteral("You don't currently have a Form Open to add a Text Area to."))
            || !insert(method, true))
            return;
    } else {
        const auto key = selectedKey();
        if (!key || !update(method, *key))
            return;
    }
    close();
}

} // namespace quenlow
