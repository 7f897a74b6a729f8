// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "export/XlsForm.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quenlow {

class FormSession;

/// The words a person reads for why an XLSForm at `path` cannot become a form.
QString xlsFormProblemText(const XlsFormProblem& problem, const QString& path);

/// Makes the new form `name` from an XLSForm's contents, as "Create New Form"
/// makes one (its table, header, page and collection file), then adds its
/// elements. Everything that can be refused is refused, and shown, before
/// anything is made: a name that is taken or unusable, a question name the
/// page could not post. False when no form was made.
bool createFormFromXlsForm(FormSession& session, const QString& name, const XlsFormContents& contents);

/// Form > "Import XLSForm…": a workbook file and the new form's name.
class ImportXlsForm final : public QDialog
{
    Q_OBJECT
public:
    explicit ImportXlsForm(FormSession& session, QWidget* parent = nullptr);

    /// Shows the window modally over `owner`; true when a form was made.
    static bool importXlsForm(FormSession& session, QWidget* owner);

private:
    void browse();
    /// Proposes the name of the form the chosen file holds, unless one was typed.
    void proposeName();
    void import();

    FormSession& m_session;
    QLineEdit* m_file;
    QLineEdit* m_name;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QString m_proposedName;
};

} // namespace quenlow
