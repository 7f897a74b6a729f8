// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/FormHistory.h"

#include "core/Messages.h"
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "model/CollectionFile.h"

#include <QFile>
#include <QScopedValueRollback>
#include <QUndoCommand>

namespace quenlow {

namespace {

class FormChange final : public QUndoCommand
{
public:
    FormChange(FormHistory& history, const QString& label, FormState before, FormState after)
        : QUndoCommand(label)
        , m_history(history)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }

    void undo() override { done(m_history.restore(m_before, m_after)); }
    void redo() override
    {
        // Pushed after it was made: the first redo has already happened.
        if (m_made) {
            m_made = false;
            return;
        }
        done(m_history.restore(m_after, m_before));
    }

private:
    void done(bool restored)
    {
        // Files and table no longer match what the history remembers.
        if (!restored)
            setObsolete(true);
    }

    FormHistory& m_history;
    FormState m_before;
    FormState m_after;
    bool m_made = true;
};

bool sameColumns(const QList<AnswersDatabase::Column>& a, const QList<AnswersDatabase::Column>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].declaredType != b[i].declaredType)
            return false;
    }
    return true;
}

bool hasColumn(const QList<AnswersDatabase::Column>& columns, const QString& name)
{
    for (const auto& column : columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString droppedWithAnswers(const FormState& before, const FormState& after)
{
    if (before.rows <= 0)
        return {};
    for (const auto& column : before.columns) {
        if (!hasColumn(after.columns, column.name))
            return column.name;
    }
    return {};
}

} // namespace

FormHistory::FormHistory(FormSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
{
    m_session.setChangeRecorder(this);
    // Another form: the changes remembered are of the form that went.
    connect(&m_session, &FormSession::htmlNameChanged, this, [this] {
        if (!m_restoring)
            m_stack.clear();
    });
}

FormHistory::~FormHistory()
{
    m_session.setChangeRecorder(nullptr);
}

FormState FormHistory::capture() const
{
    FormState state;
    if (!m_session.isFormOpen())
        return state;
    QFile page(m_session.htmlFolder() + m_session.htmlName());
    if (page.open(QIODevice::ReadOnly)) {
        state.pageExists = true;
        state.page = page.readAll();
    }
    QFile collection(m_session.collectionFilePath(m_session.openFormName));
    if (collection.open(QIODevice::ReadOnly)) {
        state.collectionExists = true;
        state.collection = collection.readAll();
    }
    if (auto db = AnswersDatabase::open(m_session.databasePath())) {
        const QString table = m_session.answerTable().tableName;
        state.columns = db->columns(table);
        state.rows = db->rowCount(table);
    }
    return state;
}

bool FormHistory::record(const QString& label, const std::function<bool()>& change)
{
    if (m_restoring || !m_session.isFormOpen())
        return change();
    const QString form = m_session.htmlName();
    FormState before = capture();
    const bool changed = change();
    if (m_session.htmlName() != form)
        return changed; // the change opened another form: nothing to undo there
    FormState after = capture();
    if (after.page == before.page && after.collection == before.collection && sameColumns(after.columns, before.columns))
        return changed;
    if (const QString column = droppedWithAnswers(before, after); !column.isEmpty()) {
        // Its answers are gone for good: the changes before it can no longer
        // be replayed over it.
        const bool hadHistory = m_stack.count() > 0;
        m_stack.clear();
        if (hadHistory)
            showInformation(QStringLiteral("The answers to '") + column
                            + QStringLiteral("' cannot be brought back, so the earlier changes to this form can no "
                                             "longer be undone."));
        return changed;
    }
    m_stack.push(new FormChange(*this, label, std::move(before), std::move(after)));
    return changed;
}

bool FormHistory::restore(const FormState& target, const FormState& current)
{
    QScopedValueRollback<bool> restoring(m_restoring, true);
    const QString table = m_session.answerTable().tableName;
    QString error;
    auto db = AnswersDatabase::open(m_session.databasePath(), &error);
    if (!db) {
        showExclamation(QStringLiteral("The change cannot be undone: the answers database cannot be opened (") + error
                        + QStringLiteral(")."));
        m_stack.clear();
        return false;
    }

    // The columns first, in one transaction: the files follow only when the
    // table is as the form needs it.
    const QList<AnswersDatabase::Column> now = db->columns(table);
    bool ok = db->begin();
    QList<AnswersDatabase::Column> added;
    QList<AnswersDatabase::Column> removed;
    for (const auto& column : target.columns) {
        if (!hasColumn(now, column.name))
            added.append(column);
    }
    for (const auto& column : now) {
        if (!hasColumn(target.columns, column.name))
            removed.append(column);
    }
    const qint64 rows = db->rowCount(table);
    if (ok && added.size() == 1 && removed.size() == 1) {
        // An edit renamed the question's column: rename it back.
        ok = db->renameColumn(table, removed.constFirst().name, added.constFirst().name);
        added.clear();
        removed.clear();
    }
    QStringList kept;
    for (const auto& column : std::as_const(removed)) {
        // A column that has answers by now keeps them; the form no longer asks it.
        const QString name = AnswersDatabase::quoteIdentifier(column.name);
        const bool answered = rows > 0
            && db->number(QStringLiteral("SELECT EXISTS (SELECT 1 FROM ") + AnswersDatabase::quoteIdentifier(table)
                              + QStringLiteral(" WHERE ") + name + QStringLiteral(" IS NOT NULL AND ") + name
                              + QStringLiteral(" <> ?1)"),
                          {columnAddedMarker()})
                   .value_or(1)
                != 0;
        if (answered)
            kept.append(column.name);
        else if (ok)
            ok = db->dropColumn(table, column.name);
    }
    for (const auto& column : std::as_const(added)) {
        // As when the question was added: older answers say they came before it.
        if (ok)
            ok = db->addColumn(table, column.name, column.isMemo())
                && (rows == 0 || db->setColumnInAllRows(table, column.name, columnAddedMarker()));
    }
    // A column put back goes back to its place, while the table is empty.
    if (ok && rows == 0 && !added.isEmpty() && kept.isEmpty() && !sameColumns(db->columns(table), target.columns)) {
        QString definition;
        for (const auto& column : target.columns)
            definition += (definition.isEmpty() ? QString() : QStringLiteral(", "))
                + AnswersDatabase::quoteIdentifier(column.name) + QLatin1Char(' ') + column.declaredType;
        const QString rebuilt = table + QStringLiteral("_reordered");
        ok = db->exec(QStringLiteral("CREATE TABLE ") + AnswersDatabase::quoteIdentifier(rebuilt) + QStringLiteral(" (")
                      + definition + QLatin1Char(')'))
            && db->dropTable(table)
            && db->exec(QStringLiteral("ALTER TABLE ") + AnswersDatabase::quoteIdentifier(rebuilt)
                        + QStringLiteral(" RENAME TO ") + AnswersDatabase::quoteIdentifier(table));
    }
    if (!ok || !db->commit()) {
        const QString reason = db->lastError();
        db->rollback();
        showExclamation(QStringLiteral("The change cannot be undone: the answers table could not be changed (") + reason
                        + QStringLiteral("). Nothing has been changed."));
        return false;
    }

    const QString pagePath = m_session.htmlFolder() + m_session.htmlName();
    const QString collectionPath = m_session.collectionFilePath(m_session.openFormName);
    for (const auto& [path, bytes, exists] : {std::tuple{pagePath, target.page, target.pageExists},
                                              std::tuple{collectionPath, target.collection, target.collectionExists}}) {
        const FileResult written = exists ? writeFileAtomically(path, bytes) : FileResult{};
        if (!written) {
            showExclamation(QStringLiteral("The change cannot be undone: '") + path
                            + QStringLiteral("' could not be written (") + written.error + QStringLiteral(")."));
            m_stack.clear();
            return false;
        }
    }
    Q_UNUSED(current);
    const int selected = m_session.selectedRow();
    LoadForm(m_session, m_session.appFolder(), m_session.htmlName());
    m_session.setSelectedRow(std::min(selected, int(m_session.rows()->rowCount()) - 1));
    m_session.refreshBrowser();
    if (!kept.isEmpty())
        showInformation(QStringLiteral("The answers to '") + kept.join(QStringLiteral("', '"))
                        + QStringLiteral("' are kept in the answers table."));
    return true;
}

} // namespace quenlow
