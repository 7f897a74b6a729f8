// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/Reporter.h"

#include "core/Messages.h"
#include "database/AnswersStore.h"
#include "model/FormSession.h"
#include "reporter/AnswersTablePage.h"
#include "reporter/ReporterForm.h"
#include "reporter/ReporterTexts.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

QPointer<ReporterForm> g_openForm;

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
    writeAnswersTablePage(session);
    session.showInBrowser(answersTablePageName());
    // The browser would otherwise serve the page it showed before from its cache.
    session.refreshBrowser();
    session.setHtmlFrameCaption(u"Current Database Table"_s);
}

void openReporter(FormSession& session, QWidget* owner)
{
    if (!formOpen(session))
        return;
    const QString table = AnswersStore::tableFor(session.openFormName());
    {
        const auto store = openAnswersStore(session.databasePath());
        if (!store) {
            showExclamation(reporter::databaseUnavailable(session.databasePath(), store.error().detail));
            return;
        }
        const Result<bool> exists = (*store)->tableExists(table);
        if (exists && !*exists) {
            showExclamation(reporter::tableMissing(session.htmlName()));
            return;
        }
        // The first row answers whether it holds any, however many follow.
        const auto first = exists ? (*store)->readRows(table, {}, -1, 1)
                                  : Result<QList<AnswersStore::Row>>(exists.error());
        if (!first) {
            showExclamation(reporter::tableUnreadable(table, first.error().detail));
            return;
        }
        if (first->isEmpty()) {
            showExclamation(
                u"The table for the form '"_s + session.openFormName() + u"' contains no data to report."_s);
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
