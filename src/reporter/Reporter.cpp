// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/Reporter.h"

#include "core/Messages.h"
#include "database/AnswersDatabase.h"
#include "model/FormSession.h"
#include "reporter/AnswersTablePage.h"
#include "reporter/ReporterForm.h"
#include "reporter/ReporterDatabase.h"
#include "reporter/ReporterTexts.h"

#include <sqlite3.h>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

QPointer<ReporterForm> g_openForm;

/// Whether `table` holds a row at all: the first row answers it, however
/// many follow. Nothing, with `error` set, when the table cannot be read.
std::optional<bool> holdsAnswers(AnswersDatabase& db, const QString& table, QString* error)
{
    const QByteArray sql
        = u"SELECT EXISTS (SELECT 1 FROM %1)"_s.arg(AnswersDatabase::quoteIdentifier(table)).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    std::optional<bool> result;
    if (sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()), &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        result = sqlite3_column_int(stmt, 0) != 0;
    else
        *error = QString::fromUtf8(sqlite3_errmsg(db.handle()));
    sqlite3_finalize(stmt);
    return result;
}

bool formOpen(const FormSession& session)
{
    if (session.isFormOpen())
        return true;
    showExclamation(u"You don't currently have a Form Open."_s);
    return false;
}

} // namespace

void viewAnswersTable(FormSession& session)
{
    if (!formOpen(session))
        return;
    WriteAnswersTablePage(session);
    session.WebBrowser_Show(answersTablePageName());
    // The browser would otherwise serve the page it showed before from its cache.
    session.refreshBrowser();
    session.setHtmlFrameCaption(u"Current Database Table"_s);
}

void openReporter(FormSession& session, QWidget* owner)
{
    if (!formOpen(session))
        return;
    const QString table = u"tbl_"_s + session.openFormName;
    {
        QString error;
        auto db = openAnswersDatabase(session.databasePath(), &error);
        if (!db) {
            showExclamation(reporter::databaseUnavailable(session.databasePath(), error));
            return;
        }
        if (!db->tableExists(table)) {
            showExclamation(reporter::tableMissing(session.htmlName()));
            return;
        }
        const std::optional<bool> answers = holdsAnswers(*db, table, &error);
        if (!answers) {
            showExclamation(reporter::tableUnreadable(table, error));
            return;
        }
        if (!*answers) {
            showExclamation(u"The table for the form '"_s + session.openFormName + u"' contains no data to report."_s);
            return;
        }
    }
    // A fresh window each time: every opening starts from the designed state.
    ReporterForm form(session, owner);
    form.setWindowModality(Qt::ApplicationModal);
    g_openForm = &form;
    form.exec();
    g_openForm = nullptr;
}

Reporter::Reporter(FormSession& session, QWidget* mainWindow)
    : QObject(mainWindow)
    , m_session(session)
    , m_mainWindow(mainWindow)
{
}

void Reporter::viewAnswersTable()
{
    quenlow::viewAnswersTable(m_session);
}

void Reporter::openReporter()
{
    quenlow::openReporter(m_session, m_mainWindow);
}

ReporterForm* Reporter::openForm()
{
    return g_openForm.data();
}

} // namespace quenlow
