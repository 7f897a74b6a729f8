// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace quenlow {

class FormSession;
class ReporterForm;

/// "Current Database Table in HTML": writes the answers-table page, shows it
/// (refreshed, so new answers appear) under the caption "Current Database
/// Table". With no form open it shows the open-form message and does nothing.
void viewAnswersTable(FormSession& session);

/// "Report Table Data and Graphs to Word Document": opens the reporter modal
/// over `owner` when the open form's answers table holds answers; otherwise
/// says why not (no form open, no database, no table, no answers).
void openReporter(FormSession& session, QWidget* owner);

/// The reporter subsystem as the main window wires it: the two commands.
class Reporter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Reporter)

public:
    Reporter(FormSession& session, QWidget* mainWindow);

    void viewAnswersTable();
    void openReporter();

    /// The reporter window while it is open (for the scenario driver).
    static ReporterForm* openForm();

private:
    FormSession& m_session;
    QPointer<QWidget> m_mainWindow;
};

} // namespace quenlow
