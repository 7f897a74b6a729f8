// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/SqliteConnection_p.h"

#include "database/AnswersStore.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace quenlow {

namespace {

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement()
    {
        if (stmt)
            sqlite3_finalize(stmt);
    }
};

void bindText(sqlite3_stmt* stmt, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void bindAll(sqlite3_stmt* stmt, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        bindText(stmt, i + 1, texts.at(i));
}

QVariant columnValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, i)));
    }
    }
}

Result<sqlite3*> openWith(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const Error e { Error::Io,
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc)) };
        sqlite3_close(db);
        return e;
    }
    sqlite3_extended_result_codes(db, 1);
    // A double-quoted name that matches no column must be an error, never a
    // string literal that reads as the answer in every row.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    // The collection service writes while the designer works: wait for the
    // other side instead of failing at once.
    sqlite3_busy_timeout(db, 10000);
    char* message = nullptr;
    // Reading the schema proves the file is a database at all.
    if (sqlite3_exec(db,
            "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; SELECT count(*) FROM sqlite_master;", nullptr,
            nullptr, &message)
        != SQLITE_OK) {
        const Error e { Error::Io, QString::fromUtf8(message ? message : sqlite3_errmsg(db)) };
        sqlite3_free(message);
        sqlite3_close(db);
        return e;
    }
    return db;
}

} // namespace

QVariantList sqlite::valuesFrom(sqlite3_stmt* stmt, int first, int count)
{
    QVariantList values;
    values.reserve(count);
    for (int i = first; i < first + count; ++i) {
        if (sqlite3_column_type(stmt, i) == SQLITE_NULL)
            values.append(QVariant());
        else
            values.append(QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)), sqlite3_column_bytes(stmt, i)));
    }
    return values;
}

SqliteConnection::SqliteConnection(sqlite3* db)
    : m_db(db)
{
}

SqliteConnection::~SqliteConnection()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

Result<std::unique_ptr<SqliteConnection>> SqliteConnection::open(const QString& path)
{
    // No SQLITE_OPEN_CREATE: a missing file must fail, not appear empty.
    const Result<sqlite3*> db = openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX);
    if (!db)
        return db.error();
    return std::unique_ptr<SqliteConnection>(new SqliteConnection(*db));
}

Result<std::unique_ptr<SqliteConnection>> SqliteConnection::create(const QString& path)
{
    if (QFileInfo::exists(path))
        return Error { Error::Duplicate,
            QStringLiteral("the file %1 exists already").arg(shownLocation(path)) };
    const Result<sqlite3*> db
        = openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX);
    if (!db)
        return db.error();
    return std::unique_ptr<SqliteConnection>(new SqliteConnection(*db));
}

Error::Kind SqliteConnection::kindOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Error::Busy;
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_PERM:
        return Error::Io;
    case SQLITE_CONSTRAINT:
        return Error::Duplicate;
    default:
        return Error::Other;
    }
}

QString SqliteConnection::quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

Error SqliteConnection::failure(const QString& what) const
{
    return { kindOf(sqlite3_extended_errcode(m_db)),
        what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db)) };
}

Result<sqlite3_stmt*> SqliteConnection::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK)
        return failure(QStringLiteral("prepare"));
    return stmt;
}

Result<void> SqliteConnection::exec(const QString& sql, const QStringList& binds)
{
    const Result<sqlite3_stmt*> prepared = prepare(sql);
    if (!prepared)
        return prepared.error();
    Statement s { *prepared };
    bindAll(s.stmt, binds);
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) { }
    if (rc != SQLITE_DONE)
        return failure(QStringLiteral("step"));
    return {};
}

Result<qint64> SqliteConnection::number(const QString& sql, const QStringList& binds)
{
    const Result<sqlite3_stmt*> prepared = prepare(sql);
    if (!prepared)
        return prepared.error();
    Statement s { *prepared };
    bindAll(s.stmt, binds);
    const int rc = sqlite3_step(s.stmt);
    if (rc == SQLITE_DONE)
        return Error { Error::NotFound, QStringLiteral("no row") };
    if (rc != SQLITE_ROW)
        return failure(QStringLiteral("step"));
    return qint64(sqlite3_column_int64(s.stmt, 0));
}

bool SqliteConnection::tableExists(const QString& table)
{
    const Result<sqlite3_stmt*> prepared = prepare(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE"));
    if (!prepared)
        return false;
    Statement s { *prepared };
    bindText(s.stmt, 1, table);
    return sqlite3_step(s.stmt) == SQLITE_ROW;
}

Result<void> SqliteConnection::createTable(const QString& table, const QString& firstColumn)
{
    // Without IF NOT EXISTS: a taken name must fail, as the caller relies on.
    return exec(QStringLiteral("CREATE TABLE %1 (%2 TEXT)")
                    .arg(quoteIdentifier(table), quoteIdentifier(firstColumn)));
}

Result<void> SqliteConnection::dropTable(const QString& table)
{
    return exec(QStringLiteral("DROP TABLE %1").arg(quoteIdentifier(table)));
}

QList<SqliteConnection::Column> SqliteConnection::columns(const QString& table)
{
    QList<Column> result;
    if (!tableExists(table))
        return result;
    const Result<sqlite3_stmt*> prepared
        = prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?1) ORDER BY cid"));
    if (!prepared)
        return result;
    Statement s { *prepared };
    bindText(s.stmt, 1, table);
    while (sqlite3_step(s.stmt) == SQLITE_ROW)
        result.append({ columnValue(s.stmt, 0).toString(), columnValue(s.stmt, 1).toString() });
    return result;
}

Result<void> SqliteConnection::addColumn(const QString& table, const QString& column, bool memo)
{
    return exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                    .arg(quoteIdentifier(table), quoteIdentifier(column),
                        memo ? QStringLiteral("MEMO") : QStringLiteral("TEXT")));
}

Result<void> SqliteConnection::renameColumn(const QString& table, const QString& from, const QString& to)
{
    return exec(QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                    .arg(quoteIdentifier(table), quoteIdentifier(from), quoteIdentifier(to)));
}

Result<void> SqliteConnection::dropColumn(const QString& table, const QString& column)
{
    return exec(
        QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(quoteIdentifier(table), quoteIdentifier(column)));
}

Result<qint64> SqliteConnection::rowCount(const QString& table)
{
    const Result<sqlite3_stmt*> prepared
        = prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(table)));
    if (!prepared)
        return prepared.error();
    Statement s { *prepared };
    if (sqlite3_step(s.stmt) != SQLITE_ROW)
        return failure(QStringLiteral("count"));
    return qint64(sqlite3_column_int64(s.stmt, 0));
}

std::optional<bool> SqliteConnection::holdsValueOtherThan(
    const QString& table, const QString& column, const QString& except)
{
    const Result<sqlite3_stmt*> prepared
        = prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 IS NOT NULL AND %2 IS NOT ?1 LIMIT 1")
                      .arg(quoteIdentifier(table), quoteIdentifier(column)));
    if (!prepared)
        return std::nullopt;
    Statement s { *prepared };
    bindText(s.stmt, 1, except);
    const int rc = sqlite3_step(s.stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return std::nullopt;
    return rc == SQLITE_ROW;
}

Result<void> SqliteConnection::setColumnInAllRows(
    const QString& table, const QString& column, const QString& value)
{
    return exec(QStringLiteral("UPDATE %1 SET %2 = ?1").arg(quoteIdentifier(table), quoteIdentifier(column)),
        { value });
}

Result<void> SqliteConnection::forEachRow(
    const QString& table, const std::function<bool(const QVariantList&)>& visitor)
{
    const Result<sqlite3_stmt*> prepared
        = prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoteIdentifier(table)));
    if (!prepared)
        return prepared.error();
    Statement s { *prepared };
    const int n = sqlite3_column_count(s.stmt);
    int rc;
    QVariantList row;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
        row.clear();
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.append(columnValue(s.stmt, i));
        if (!visitor(row))
            return {};
    }
    if (rc != SQLITE_DONE)
        return failure(QStringLiteral("read"));
    return {};
}

Result<void> SqliteConnection::begin()
{
    // IMMEDIATE takes the write lock up front, so a schema change never
    // fails half-way for a writer that came in between.
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Result<void> SqliteConnection::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

Result<void> SqliteConnection::rollback()
{
    if (sqlite3_get_autocommit(m_db))
        return {};
    return exec(QStringLiteral("ROLLBACK"));
}

} // namespace quenlow
