// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/PageBreakForm.h"

#include "model/Fragments.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quenlow {

PageBreakForm::PageBreakForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("PageBreakForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        tr("A page break starts a new page of the form. People who answer it see one page at a time, "
           "with \"Next\" and \"Back\" buttons, and the submit button on the last page only. The title, "
           "when you give one, is shown at the top of the new page."));
    auto* titleLabel
        = addLabel(QStringLiteral("PageBreakTitleLabel"), tr("Title of the new page (optional) :"));
    m_title = addLineEdit(QStringLiteral("PageBreakTitle"));
    titleLabel->setBuddy(m_title);
    m_add = addButton(QStringLiteral("AddPageBreak"), tr("Add Page Break to HTML Form"));
    m_finish = addButton(QStringLiteral("FinishPageBreak"), tr("Cancel"));
    layOutBoxes(description, { { titleLabel, m_title } }, m_add, m_finish);
    m_title->setFocus();

    connect(m_add, &QPushButton::clicked, this, &PageBreakForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

void PageBreakForm::fillForEdit(const FormMethod& method)
{
    beginEdit(method);
    m_title->setText(method.userInstruction);
    setWindowTitle(tr("Edit Page Break"));
    m_add->setText(tr("Update Page Break"));
}

void PageBreakForm::confirm()
{
    // Blanks alone are no title: the row would read "Page Break - ".
    const QString title = boxText(m_title).trimmed();
    if (insertOrUpdate(pageBreakMethod(title), mode() == Mode::Add,
            tr("You don't currently have a Form Open to add a Page Break to."), false))
        close();
}

} // namespace quenlow
