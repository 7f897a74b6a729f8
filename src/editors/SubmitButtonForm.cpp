// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/SubmitButtonForm.h"

#include "core/Messages.h"
#include "model/FormSession.h"
#include "model/Fragments.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

SubmitButtonForm::SubmitButtonForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("SubmitButtonForm"), addCaption(), parent)
{
    auto* submitFrame = new QGroupBox(tr("Submit Button"), this);
    submitFrame->setObjectName(QStringLiteral("SubmitButtonFrame"));
    auto* submitPrompt = addLabel(QStringLiteral("SubmitUserInstruction"),
        tr("Please enter the title of the Submit Button in the box below (e.g. "
           "Submit) :"));
    m_submitTitle = addLineEdit(QStringLiteral("SubmitButtonTitle"));
    auto* submitLayout = new QVBoxLayout(submitFrame);
    submitLayout->addWidget(submitPrompt);
    submitLayout->addWidget(m_submitTitle);

    auto* resetFrame = new QGroupBox(tr("Reset Button"), this);
    resetFrame->setObjectName(QStringLiteral("ResetButtonFrame"));
    auto* resetPrompt = addLabel(QStringLiteral("ResetUserInstruction"),
        tr("If you also wish to have a reset button on the Form enter the desired "
           "title of the Reset Button in the box below (e.g. Reset Form) and Check "
           "the Reset Button Check Box:"));
    m_resetTitle = addLineEdit(QStringLiteral("ResetButtonTitle"), tr("Reset Form"));
    m_resetCheck = new QCheckBox(tr("Have Reset Button"), this);
    m_resetCheck->setObjectName(QStringLiteral("ResetButtonCheck"));
    auto* resetLayout = new QGridLayout(resetFrame);
    resetLayout->addWidget(resetPrompt, 0, 0, 1, 2);
    resetLayout->addWidget(m_resetTitle, 1, 0);
    resetLayout->addWidget(m_resetCheck, 1, 1);
    resetLayout->setColumnStretch(0, 1);

    m_add = addButton(QStringLiteral("AddSubmitButton"), tr("Add button(s) to HTML Form"));
    m_cancel = addButton(QStringLiteral("Cancel"), tr("Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(submitFrame);
    layout->addWidget(resetFrame);
    layout->addStretch(1);
    layout->addLayout(bottomRow(m_add, m_cancel));
    resize(560, sizeHint().height());

    m_submitTitle->setText(tr("Submit Form"));

    connect(m_add, &QPushButton::clicked, this, &SubmitButtonForm::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

void SubmitButtonForm::fillForEdit(const FormMethod& method)
{
    setMode(Mode::Edit);
    m_submitTitle->setText(method.userInstruction);
    m_resetTitle->setText(method.attribute4);
    m_resetCheck->setChecked(wholeNumber(method.attribute5) != 0);
    setWindowTitle(tr("Edit Submit Button"));
    m_add->setText(tr("Update Submit Button"));
}

void SubmitButtonForm::confirm()
{
    const QString title = boxText(m_submitTitle);
    if (title.isEmpty()) {
        showExclamation(tr("The Submit button Title Text Box Is Empty. Please enter a name for the button."));
        return;
    }
    const FormMethod method = submitButtonMethod(title, m_resetCheck->isChecked(), boxText(m_resetTitle));
    if (insertOrUpdate(method, mode() == Mode::Add,
            tr("You don't currently have a Form Open to add a Submit Button to."), false))
        close();
}

} // namespace quenlow
