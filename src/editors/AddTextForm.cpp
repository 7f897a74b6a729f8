// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/AddTextForm.h"

#include "core/Messages.h"
#include "model/FormSession.h"
#include "model/Fragments.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

AddTextForm::AddTextForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("AddTextForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        tr("This Text/Instructioins form element simply adds the text you type below to the form. Such "
           "text can be used simply to describe to the form user the purpose of the form or possibly to "
           "add further form element user instructions and information."));
    auto* prompt = addLabel(QStringLiteral("UserInstrunction"),
        tr("Please enter the text or added user instructions you wish to add to the "
           "form in the box below :"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("TextToBeAdded"));
    // The text becomes one paragraph of the page: Tab moves on rather than indenting.
    m_text->setTabChangesFocus(true);
    m_add = addButton(QStringLiteral("AddTextToForm"), addCaption());
    m_finish = addButton(QStringLiteral("FinishTextAddition"), tr("Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addWidget(prompt);
    layout->addWidget(m_text, 1);
    layout->addLayout(bottomRow(m_add, m_finish));
    resize(620, 360);

    if (m_text->toPlainText().isEmpty())
        m_text->setPlainText(tr("Text to be added to form."));

    connect(m_add, &QPushButton::clicked, this, &AddTextForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

void AddTextForm::prepareAdd(const QString& text)
{
    m_text->setPlainText(text);
    setMode(Mode::Add);
    setWindowTitle(addCaption());
    m_add->setText(addCaption());
}

void AddTextForm::fillForEdit(const FormMethod& method)
{
    setMode(Mode::Edit);
    m_text->setPlainText(method.userInstruction);
    setWindowTitle(tr("Edit Text/Instructions"));
    m_add->setText(tr("Update Text"));
}

void AddTextForm::confirm()
{
    const QString text = boxText(m_text);
    if (text.isEmpty()) {
        showExclamation(tr("The box for the text to add to the form is empty. You must first type the "
                           "text you wish to add to the form."));
        return;
    }
    const FormMethod method = plainTextMethod(text);
    if (insertOrUpdate(
            method, mode() == Mode::Add, tr("You don't currently have a Form Open to add a Text to."), false))
        close();
}

} // namespace quenlow
