// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quenlow {

class FormSession;

/// Asks the name of a form to be made from the open one (renamed or
/// copied). OK checks the name as a new form's name is checked, and stays
/// open, with the reason shown, until a free and usable name is given.
class FormNameDialog final : public QDialog
{
    Q_OBJECT
public:
    FormNameDialog(FormSession& session, const QString& title, const QString& prompt, const QString& name,
        QWidget* parent = nullptr);

    QString name() const;

private:
    void confirm();

    FormSession& m_session;
    QLineEdit* m_nameBox;
};

// The Form menu's commands on the open form; each asks its questions and
// shows what went wrong. The open form must have its collection file.
/// Renames the open form and opens it under the new name.
void renameOpenForm(FormSession& session, QWidget* owner);
/// Copies the open form, with its answers when the person wants, and opens the copy.
void copyOpenForm(FormSession& session, QWidget* owner);
/// Deletes the open form (its answers only when the person says so) and closes it.
void deleteOpenForm(FormSession& session);

} // namespace quenlow
