// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/EditorWindow.h"

#include "core/Messages.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/HtmlText.h"
#include "model/PageWriter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quenlow {

bool hasEditableForm(const FormSession& session)
{
    return session.isFormOpen() && !session.collection.isEmpty()
        && session.collection.atPosition(0).methodType == Kind::header();
}

EditorWindow::EditorWindow(FormSession& session, const QString& name, const QString& caption, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
}

QString EditorWindow::boxText(const QLineEdit* box)
{
    return singleLine(box->text());
}

QString EditorWindow::boxText(const QPlainTextEdit* box)
{
    return singleLine(box->toPlainText());
}

bool EditorWindow::checkFormOpen(const QString& message) const
{
    const bool open = hasEditableForm(m_session);
    if (!open)
        showExclamation(message);
    return open;
}

std::optional<QString> EditorWindow::selectedKey() const
{
    const int row = m_session.selectedRow();
    const QString key = QString::number(row);
    if (row < 0 || !m_session.collection.contains(key)) {
        showExclamation(QStringLiteral("You do not have a Form Method Selected."));
        return std::nullopt;
    }
    return key;
}

bool EditorWindow::insert(const FormMethod& method, bool counted)
{
    if (!InsertMethod(m_session, method))
        return false;
    if (counted)
        NextElementNumber(m_session);
    WriteFormPage(m_session, m_session.htmlName());
    return true;
}

bool EditorWindow::update(const FormMethod& method, const QString& key)
{
    if (!UpdateMethod(m_session, method, key))
        return false;
    WriteFormPage(m_session, m_session.htmlName());
    return true;
}

QLabel* EditorWindow::addLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QLineEdit* EditorWindow::addLineEdit(const QString& name, const QString& text)
{
    auto* box = new QLineEdit(text, this);
    box->setObjectName(name);
    return box;
}

QPushButton* EditorWindow::addButton(const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QBoxLayout* EditorWindow::bottomRow(QPushButton* left, QPushButton* right)
{
    auto* row = new QHBoxLayout;
    row->addWidget(left);
    row->addStretch(1);
    row->addWidget(right);
    return row;
}

} // namespace quenlow
