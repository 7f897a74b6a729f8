// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/AnswerWriter.h"

#include "database/AnswersDatabase.h"

#include <QFile>
#include <QVarLengthArray>

#include <algorithm>

#include <sqlite3.h>
#include <sys/stat.h>

namespace quenlow {

namespace {

// Bounds the wait of the last submission in a batch; far above what arrives
// between two commits in practice.
constexpr size_t kMaxBatch = 1000;
// Distinct column sets in use at once; a flood of odd ones only costs re-preparing.
constexpr qsizetype kMaxStatements = 64;

// The engine compares column names without regard to ASCII case only.
QString foldAscii(const QString& name)
{
    QString folded = name;
    for (QChar& c : folded) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return folded;
}

// The program keeps this column for itself; no post writes into it.
bool isReservedColumn(const QString& foldedName)
{
    return foldedName == QLatin1StringView("form question");
}

WriteResult failure(const QString& why)
{
    return {WriteResult::Failed, -1, why};
}

} // namespace

AnswerWriter::AnswerWriter(const QString& databasePath)
    : m_path(databasePath)
{
}

AnswerWriter::~AnswerWriter()
{
    stop();
    closeDatabase();
}

bool AnswerWriter::start(QString* error)
{
    std::lock_guard lock(m_mutex);
    if (m_running)
        return true;
    if (!ensureOpen(error))
        return false;
    m_stopping = false;
    m_running = true;
    m_thread = std::thread([this] { run(); });
    return true;
}

void AnswerWriter::stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_running || m_stopping)
            return;
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    m_running = false;
}

WriteResult AnswerWriter::write(Submission submission)
{
    auto pending = std::make_unique<Pending>();
    pending->submission = std::move(submission);
    std::future<WriteResult> result = pending->done.get_future();
    if (!enqueue(std::move(pending)))
        return failure(QStringLiteral("the service is stopping"));
    return result.get();
}

void AnswerWriter::writeAsync(Submission submission, std::function<void(const WriteResult&)> done)
{
    auto pending = std::make_unique<Pending>();
    pending->submission = std::move(submission);
    pending->callback = std::move(done);
    const auto callback = pending->callback;
    if (!enqueue(std::move(pending)))
        callback(failure(QStringLiteral("the service is stopping")));
}

bool AnswerWriter::enqueue(std::unique_ptr<Pending> pending)
{
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        if (!m_running || m_stopping)
            return false;
        m_queue.push_back(std::move(pending));
        // A writer in the middle of a commit looks at the queue again anyway.
        wake = m_idle;
    }
    if (wake)
        m_wake.notify_one();
    return true;
}

void AnswerWriter::run()
{
    for (;;) {
        std::deque<std::unique_ptr<Pending>> batch;
        {
            std::unique_lock lock(m_mutex);
            m_idle = true;
            m_wake.wait(lock, [this] { return !m_queue.empty() || m_stopping; });
            m_idle = false;
            // When stopping, everything handed in before is still stored.
            if (m_queue.empty())
                break;
            while (!m_queue.empty() && batch.size() < kMaxBatch) {
                batch.push_back(std::move(m_queue.front()));
                m_queue.pop_front();
            }
        }
        storeBatch(batch);
    }
    closeDatabase();
}

void AnswerWriter::storeBatch(std::deque<std::unique_ptr<Pending>>& batch)
{
    // A database file replaced under us (deleted and created anew) would take
    // rows nobody ever sees again: follow the path, not the old file.
    if (m_db && !stillTheFileOnDisk())
        closeDatabase();
    QString error;
    if (!ensureOpen(&error)) {
        for (auto& p : batch)
            p->finish(failure(error));
        return;
    }

    // First try: the whole batch in one transaction, one durable commit.
    QList<WriteResult> results;
    results.reserve(qsizetype(batch.size()));
    bool whole = execute("BEGIN IMMEDIATE");
    if (whole) {
        refreshSchema();
        for (auto& p : batch) {
            WriteResult r = insert(p->submission);
            if (r.outcome == WriteResult::Failed) {
                whole = false;
                break;
            }
            results.append(r);
        }
    }
    if (whole && execute("COMMIT")) {
        m_commits.fetch_add(1);
        for (size_t i = 0; i < batch.size(); ++i) {
            if (results.at(qsizetype(i)).outcome == WriteResult::Stored)
                m_stored.fetch_add(1);
            batch[i]->finish(results.at(qsizetype(i)));
        }
        return;
    }
    if (!sqlite3_get_autocommit(m_db->handle()))
        execute("ROLLBACK");

    // Something failed: nothing of the batch is stored. Take the submissions
    // one by one, so that one that cannot be stored costs no other.
    bool anyFailed = false;
    for (auto& p : batch) {
        WriteResult r;
        if (!ensureOpen(&error)) {
            r = failure(error);
        } else if (!execute("BEGIN IMMEDIATE")) {
            r = failure(lastError());
        } else {
            refreshSchema();
            r = insert(p->submission);
            if (r.outcome == WriteResult::Stored && !execute("COMMIT"))
                r = failure(lastError());
            if (!sqlite3_get_autocommit(m_db->handle()))
                execute("ROLLBACK");
            if (r.outcome == WriteResult::Stored) {
                m_commits.fetch_add(1);
                m_stored.fetch_add(1);
            }
        }
        if (r.outcome == WriteResult::Failed)
            anyFailed = true;
        p->finish(r);
    }
    // A connection that failed may be in a bad state (a replaced or damaged
    // file): open it afresh for the next batch.
    if (anyFailed)
        closeDatabase();
}

WriteResult AnswerWriter::insert(const Submission& submission)
{
    // Looked at as late as possible: the last moment before it would count.
    if (submission.abandoned && submission.abandoned())
        return {WriteResult::Abandoned, -1, QStringLiteral("the client has gone")};
    const TableColumns* table = columnsOf(submission.table);
    if (!table)
        return {WriteResult::NoSuchTable, -1, QStringLiteral("no table ") + submission.table};
    const QStringList* columns = &table->names;

    // Each column once, the first answer for it winning, in table order so
    // that the same form always gives the same statement.
    QVarLengthArray<const std::optional<QString>*, 64> valueOf(columns->size(), nullptr);
    for (const Answer& answer : submission.answers) {
        const QString folded = foldAscii(answer.field);
        const auto it = table->byFoldedName.constFind(folded);
        if (it == table->byFoldedName.cend() || isReservedColumn(folded) || valueOf[*it])
            continue;
        valueOf[*it] = &answer.value;
    }

    QString names, marks;
    int bound = 0;
    for (int i = 0; i < columns->size(); ++i) {
        if (!valueOf[i])
            continue;
        if (bound++) {
            names += QLatin1Char(',');
            marks += QLatin1Char(',');
        }
        names += AnswersDatabase::quoteIdentifier(columns->at(i));
        marks += QLatin1Char('?');
    }
    const QString quoted = AnswersDatabase::quoteIdentifier(submission.table);
    const QString sql = bound ? QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quoted, names, marks)
                              : QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted);
    sqlite3_stmt* stmt = statementFor(sql);
    if (!stmt)
        return failure(lastError());

    int position = 0;
    for (int i = 0; i < columns->size(); ++i) {
        if (!valueOf[i])
            continue;
        ++position;
        const std::optional<QString>& value = *valueOf[i];
        if (!value) {
            sqlite3_bind_null(stmt, position);
        } else {
            const QByteArray utf8 = value->toUtf8();
            sqlite3_bind_text(stmt, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
    }
    const int rc = sqlite3_step(stmt);
    WriteResult result = rc == SQLITE_DONE ? WriteResult{WriteResult::Stored, sqlite3_last_insert_rowid(m_db->handle()), {}}
                                           : failure(lastError());
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return result;
}

void AnswerWriter::refreshSchema()
{
    // The schema cookie changes with every column the designer adds, renames
    // or drops. Read inside the write transaction, it cannot change before
    // the commit; forget whatever it outdates.
    sqlite3_stmt* cookie = nullptr;
    qint64 version = -1;
    if (sqlite3_prepare_v2(m_db->handle(), "PRAGMA schema_version", -1, &cookie, nullptr) == SQLITE_OK
        && sqlite3_step(cookie) == SQLITE_ROW)
        version = sqlite3_column_int64(cookie, 0);
    sqlite3_finalize(cookie);
    if (version != m_schemaVersion || version < 0) {
        forgetSchema();
        m_schemaVersion = version;
    }
}

const AnswerWriter::TableColumns* AnswerWriter::columnsOf(const QString& table)
{
    auto it = m_columns.find(table);
    if (it == m_columns.end()) {
        TableColumns columns;
        const QByteArray name = table.toUtf8();
        sqlite3_stmt* stmt = nullptr;
        // Only a real table of that exact name; a view or an index is no form's table.
        if (sqlite3_prepare_v2(m_db->handle(),
                               "SELECT p.name FROM sqlite_master m, pragma_table_info(m.name) p "
                               "WHERE m.type = 'table' AND m.name = ?1 ORDER BY p.cid",
                               -1, &stmt, nullptr)
            == SQLITE_OK) {
            sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                const QString column = QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), sqlite3_column_bytes(stmt, 0));
                columns.byFoldedName.insert(foldAscii(column), int(columns.names.size()));
                columns.names.append(column);
            }
        }
        sqlite3_finalize(stmt);
        it = m_columns.insert(table, columns);
    }
    return it->names.isEmpty() ? nullptr : &*it;
}

sqlite3_stmt* AnswerWriter::statementFor(const QString& sql)
{
    if (sqlite3_stmt* cached = m_statements.value(sql))
        return cached;
    if (m_statements.size() >= kMaxStatements) {
        for (sqlite3_stmt* s : std::as_const(m_statements))
            sqlite3_finalize(s);
        m_statements.clear();
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(m_db->handle(), utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           nullptr)
        != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    m_statements.insert(sql, stmt);
    return stmt;
}

void AnswerWriter::forgetSchema()
{
    for (sqlite3_stmt* s : std::as_const(m_statements))
        sqlite3_finalize(s);
    m_statements.clear();
    m_columns.clear();
    m_schemaVersion = -1;
}

bool AnswerWriter::ensureOpen(QString* error)
{
    if (m_db)
        return true;
    QString why;
    m_db = AnswersDatabase::open(m_path, &why);
    if (!m_db) {
        if (error)
            *error = QStringLiteral("the answers database %1 cannot be opened: %2").arg(m_path, why);
        return false;
    }
    // Every commit waits for the disk: an acknowledged answer survives a crash.
    execute("PRAGMA synchronous=FULL");
    struct stat st {};
    if (::stat(QFile::encodeName(m_path).constData(), &st) == 0) {
        m_device = st.st_dev;
        m_inode = st.st_ino;
    }
    return true;
}

bool AnswerWriter::stillTheFileOnDisk() const
{
    struct stat st {};
    return ::stat(QFile::encodeName(m_path).constData(), &st) == 0 && st.st_dev == m_device && st.st_ino == m_inode;
}

void AnswerWriter::closeDatabase()
{
    if (!m_db)
        return;
    forgetSchema();
    m_db.reset();
}

bool AnswerWriter::execute(const char* sql)
{
    return sqlite3_exec(m_db->handle(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString AnswerWriter::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db->handle())) : QStringLiteral("no database");
}

} // namespace quenlow
