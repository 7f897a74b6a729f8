// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The embedded store itself: opening it, its transactions, its kept statements
// and its own settings.
#include "database/SqliteAnswersStore.h"

#include "database/AnswerColumns.h"
#include "database/SqliteConnection_p.h"
#include "database/StoreRules.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sys/stat.h>

#include <sqlite3.h>

namespace quenlow {

using namespace sqlite;

namespace {

// Distinct column sets in use at once; a flood of odd ones only costs re-preparing.
constexpr qsizetype kMaxStatements = 64;

} // namespace

SqliteAnswersStore::SqliteAnswersStore(const QString& path, std::unique_ptr<SqliteConnection> db)
    : m_path(path)
    , m_db(std::move(db))
{
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        m_device = st.st_dev;
        m_inode = st.st_ino;
    }
}

SqliteAnswersStore::~SqliteAnswersStore()
{
    forgetSchema();
}

Result<std::shared_ptr<AnswersStore>> SqliteAnswersStore::open(const QString& path)
{
    if (!QFileInfo::exists(path))
        return Error { Error::NotFound, QStringLiteral("there is no file %1").arg(shownLocation(path)) };
    auto db = SqliteConnection::open(path);
    if (!db)
        return Error { Error::Io, db.error().detail };
    return std::shared_ptr<AnswersStore>(new SqliteAnswersStore(path, std::move(db).value()));
}

Result<std::shared_ptr<AnswersStore>> SqliteAnswersStore::create(const QString& path)
{
    if (QFileInfo::exists(path))
        return Error { Error::Duplicate,
            QStringLiteral("the file %1 exists already").arg(shownLocation(path)) };
    auto db = SqliteConnection::create(path);
    if (!db)
        return Error { db.error().kind == Error::Duplicate ? Error::Duplicate : Error::Io,
            db.error().detail };
    return std::shared_ptr<AnswersStore>(new SqliteAnswersStore(path, std::move(db).value()));
}

Error SqliteAnswersStore::failure(const QString& what, const Error& cause)
{
    return { cause.kind, what + QStringLiteral(": ") + cause.detail };
}

Error SqliteAnswersStore::engineFailure(const QString& what) const
{
    return { SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle())),
        what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
}

Result<void> SqliteAnswersStore::inTransaction(const std::function<Result<void>()>& work)
{
    if (const auto r = m_db->begin(); !r)
        return failure(QStringLiteral("begin"), r.error());
    // Rows deleted, tables renamed or dropped: the rows counted are no longer known.
    m_rowCounts.clear();
    m_quotaCounts.clear();
    Result<void> done = work();
    if (done) {
        if (const auto r = m_db->commit(); !r)
            done = failure(QStringLiteral("commit"), r.error());
    }
    if (!done)
        (void)m_db->rollback();
    return done;
}

int SqliteAnswersStore::columnLimit() const
{
    return sqlite3_limit(m_db->handle(), SQLITE_LIMIT_COLUMN, -1);
}

Result<sqlite3_stmt*> SqliteAnswersStore::prepareOn(const QString& table, const QByteArray& sql)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db->handle(), sql.constData(), int(sql.size()), &stmt, nullptr) == SQLITE_OK)
        return stmt;
    // A statement on a table that is not there fails as NotFound, as the interface promises.
    const Error e { m_db->tableExists(table)
            ? SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle()))
            : Error::NotFound,
        QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
    sqlite3_finalize(stmt);
    return e;
}

Result<void> SqliteAnswersStore::stepOnce(sqlite3_stmt* stmt)
{
    // A statement kept for the next row: ready again whatever happened.
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (rc != SQLITE_DONE)
        return Error { SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle())),
            QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
    return {};
}

sqlite3_stmt* SqliteAnswersStore::statementFor(const QString& sql)
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
    if (sqlite3_prepare_v3(
            m_db->handle(), utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr)
        != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    m_statements.insert(sql, stmt);
    return stmt;
}

void SqliteAnswersStore::forgetSchema()
{
    for (sqlite3_stmt* s : std::as_const(m_statements))
        sqlite3_finalize(s);
    m_statements.clear();
    m_columns.clear();
    m_codeStatements.clear();
    m_unclaimed.clear();
    m_schemaVersion = -1;
    m_arrivalsKnown = false;
    m_changesKnown = false;
    m_marksKnown.reset();
    m_rowCounts.clear();
    m_quotaCounts.clear();
}

Result<QByteArray> SqliteAnswersStore::sharedKey()
{
    // Made once and kept in the file, so that a page sent before the service
    // restarted still checks.
    QByteArray fresh(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(fresh.data()), fresh.size() / 4);
    QString kept;
    const Result<void> done = inTransaction([&]() -> Result<void> {
        Result<void> r = m_db->exec(
            QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (key TEXT PRIMARY KEY, value TEXT NOT NULL)")
                .arg(quote(kSettings)));
        if (r)
            r = m_db->exec(QStringLiteral("INSERT OR IGNORE INTO %1 (key, value) VALUES ('shared_key', ?1)")
                               .arg(quote(kSettings)),
                { QString::fromLatin1(fresh.toHex()) });
        if (!r)
            return failure(QStringLiteral("keep the shared key"), r.error());
        const Result<void> read = m_db->forEachRow(kSettings, [&](const QVariantList& row) {
            if (row.value(0).toString() == QLatin1StringView("shared_key"))
                kept = row.value(1).toString();
            return true;
        });
        return read ? Result<void>() : failure(QStringLiteral("read the shared key"), read.error());
    });
    if (!done)
        return done.error();
    const QByteArray key = QByteArray::fromHex(kept.toLatin1());
    if (key.size() != fresh.size())
        return Error { Error::Other, QStringLiteral("the shared key was not kept") };
    return key;
}

Result<std::optional<QByteArray>> SqliteAnswersStore::keptSharedKey()
{
    if (!m_db->tableExists(kSettings))
        return std::optional<QByteArray>();
    QString kept;
    const Result<void> read = m_db->forEachRow(kSettings, [&](const QVariantList& row) {
        if (row.value(0).toString() == QLatin1StringView("shared_key"))
            kept = row.value(1).toString();
        return true;
    });
    if (!read)
        return failure(QStringLiteral("read the shared key"), read.error());
    if (kept.isEmpty())
        return std::optional<QByteArray>();
    return std::optional<QByteArray>(QByteArray::fromHex(kept.toLatin1()));
}

Result<void> SqliteAnswersStore::checkWritable()
{
    if (replaced())
        return Error { Error::Io,
            QStringLiteral("the file %1 was replaced or removed").arg(shownLocation(m_path)) };
    // A committed write, as answers are: a full disk refuses it. Rolled back,
    // nothing would reach the write-ahead log and nothing would be proved.
    return inTransaction([&]() -> Result<void> {
        Result<void> r = m_db->exec(
            QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (key TEXT PRIMARY KEY, value TEXT NOT NULL)")
                .arg(quote(kSettings)));
        if (r)
            r = m_db->exec(QStringLiteral("INSERT OR REPLACE INTO %1 (key, value) VALUES ('written', ?1)")
                               .arg(quote(kSettings)),
                { QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) });
        if (!r)
            return failure(QStringLiteral("write"), r.error());
        return {};
    });
}

bool SqliteAnswersStore::replaced() const
{
    struct stat st {
    };
    return ::stat(QFile::encodeName(m_path).constData(), &st) != 0 || st.st_dev != m_device
        || st.st_ino != m_inode;
}
} // namespace quenlow
