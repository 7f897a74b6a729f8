// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersDatabase.h"

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

std::unique_ptr<AnswersDatabase> openWith(const QString& path, int flags, QString* error,
                                          AnswersDatabase* (*make)(sqlite3*))
{
    sqlite3* db = nullptr;
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        return nullptr;
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
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; SELECT count(*) FROM sqlite_master;",
                     nullptr, nullptr, &message)
        != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        sqlite3_close(db);
        return nullptr;
    }
    return std::unique_ptr<AnswersDatabase>(make(db));
}

} // namespace

AnswersDatabase::AnswersDatabase(sqlite3* db)
    : m_db(db)
{
}

AnswersDatabase::AnswersDatabase(AnswersDatabase&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr))
    , m_error(std::move(other.m_error))
{
}

AnswersDatabase& AnswersDatabase::operator=(AnswersDatabase&& other) noexcept
{
    if (this != &other) {
        if (m_db)
            sqlite3_close_v2(m_db);
        m_db = std::exchange(other.m_db, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

AnswersDatabase::~AnswersDatabase()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

QString AnswersDatabase::pathIn(const QString& appFolder)
{
    return appFolder + QStringLiteral("/formAnswers.mdb");
}

std::unique_ptr<AnswersDatabase> AnswersDatabase::open(const QString& path, QString* error)
{
    // No SQLITE_OPEN_CREATE: a missing file must fail, not appear empty.
    return openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, error,
                    [](sqlite3* db) { return new AnswersDatabase(db); });
}

std::unique_ptr<AnswersDatabase> AnswersDatabase::create(const QString& path, QString* error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("the file %1 exists already").arg(shownLocation(path));
        return nullptr;
    }
    return openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, error,
                    [](sqlite3* db) { return new AnswersDatabase(db); });
}

QString AnswersDatabase::quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool AnswersDatabase::fail(const QString& what)
{
    m_code = sqlite3_extended_errcode(m_db);
    m_error = what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db));
    return false;
}

sqlite3_stmt* AnswersDatabase::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("prepare"));
        return nullptr;
    }
    return stmt;
}

bool AnswersDatabase::exec(const QString& sql, const QStringList& binds)
{
    Statement s{prepare(sql)};
    if (!s.stmt)
        return false;
    for (int i = 0; i < binds.size(); ++i)
        bindText(s.stmt, i + 1, binds.at(i));
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        return fail(QStringLiteral("step"));
    return true;
}

std::optional<qint64> AnswersDatabase::number(const QString& sql, const QStringList& binds)
{
    Statement s{prepare(sql)};
    if (!s.stmt)
        return std::nullopt;
    for (int i = 0; i < binds.size(); ++i)
        bindText(s.stmt, i + 1, binds.at(i));
    if (sqlite3_step(s.stmt) != SQLITE_ROW)
        return std::nullopt;
    return sqlite3_column_int64(s.stmt, 0);
}

bool AnswersDatabase::tableExists(const QString& table)
{
    Statement s{prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE"))};
    if (!s.stmt)
        return false;
    bindText(s.stmt, 1, table);
    return sqlite3_step(s.stmt) == SQLITE_ROW;
}

QString AnswersDatabase::storedTableName(const QString& table)
{
    Statement s{prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE"))};
    if (!s.stmt)
        return {};
    bindText(s.stmt, 1, table);
    return sqlite3_step(s.stmt) == SQLITE_ROW ? columnValue(s.stmt, 0).toString() : QString();
}

bool AnswersDatabase::createTable(const QString& table, const QString& firstColumn)
{
    // Without IF NOT EXISTS: a taken name must fail, as the caller relies on.
    return exec(QStringLiteral("CREATE TABLE %1 (%2 TEXT)").arg(quoteIdentifier(table), quoteIdentifier(firstColumn)));
}

bool AnswersDatabase::dropTable(const QString& table)
{
    return exec(QStringLiteral("DROP TABLE %1").arg(quoteIdentifier(table)));
}

QList<AnswersDatabase::Column> AnswersDatabase::columns(const QString& table)
{
    QList<Column> result;
    if (!tableExists(table))
        return result;
    Statement s{prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?1) ORDER BY cid"))};
    if (!s.stmt)
        return result;
    bindText(s.stmt, 1, table);
    while (sqlite3_step(s.stmt) == SQLITE_ROW)
        result.append({columnValue(s.stmt, 0).toString(), columnValue(s.stmt, 1).toString()});
    return result;
}

bool AnswersDatabase::hasColumn(const QString& table, const QString& column)
{
    // The engine compares column names without regard to ASCII case only.
    const auto asciiLower = [](QString text) {
        for (QChar& c : text) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                c = QChar(c.unicode() + 32);
        }
        return text;
    };
    const QString wanted = asciiLower(column);
    for (const Column& c : columns(table)) {
        if (asciiLower(c.name) == wanted)
            return true;
    }
    return false;
}

bool AnswersDatabase::addColumn(const QString& table, const QString& column, bool memo)
{
    return exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                    .arg(quoteIdentifier(table), quoteIdentifier(column),
                         memo ? QStringLiteral("MEMO") : QStringLiteral("TEXT")));
}

bool AnswersDatabase::renameColumn(const QString& table, const QString& from, const QString& to)
{
    return exec(QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                    .arg(quoteIdentifier(table), quoteIdentifier(from), quoteIdentifier(to)));
}

bool AnswersDatabase::dropColumn(const QString& table, const QString& column)
{
    return exec(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(quoteIdentifier(table), quoteIdentifier(column)));
}

qint64 AnswersDatabase::rowCount(const QString& table)
{
    Statement s{prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(table)))};
    if (!s.stmt)
        return -1;
    if (sqlite3_step(s.stmt) != SQLITE_ROW) {
        fail(QStringLiteral("count"));
        return -1;
    }
    return sqlite3_column_int64(s.stmt, 0);
}

std::optional<bool> AnswersDatabase::holdsValueOtherThan(const QString& table, const QString& column,
                                                         const QString& except)
{
    Statement s{prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 IS NOT NULL AND %2 IS NOT ?1 LIMIT 1")
                            .arg(quoteIdentifier(table), quoteIdentifier(column)))};
    if (!s.stmt)
        return std::nullopt;
    bindText(s.stmt, 1, except);
    const int rc = sqlite3_step(s.stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        fail(QStringLiteral("read"));
        return std::nullopt;
    }
    return rc == SQLITE_ROW;
}

bool AnswersDatabase::setColumnInAllRows(const QString& table, const QString& column, const QString& value)
{
    return exec(QStringLiteral("UPDATE %1 SET %2 = ?1").arg(quoteIdentifier(table), quoteIdentifier(column)), {value});
}

bool AnswersDatabase::forEachRow(const QString& table, const std::function<bool(const QVariantList&)>& visitor)
{
    Statement s{prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoteIdentifier(table)))};
    if (!s.stmt)
        return false;
    const int n = sqlite3_column_count(s.stmt);
    int rc;
    QVariantList row;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
        row.clear();
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.append(columnValue(s.stmt, i));
        if (!visitor(row))
            return true;
    }
    if (rc != SQLITE_DONE)
        return fail(QStringLiteral("read"));
    return true;
}

QList<qint64> AnswersDatabase::rowIds(const QString& table)
{
    QList<qint64> ids;
    Statement s{prepare(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(quoteIdentifier(table)))};
    if (!s.stmt)
        return ids;
    while (sqlite3_step(s.stmt) == SQLITE_ROW)
        ids.append(sqlite3_column_int64(s.stmt, 0));
    return ids;
}

QVariant AnswersDatabase::valueAt(const QString& table, const QString& column, qint64 rowId, bool* found)
{
    if (found)
        *found = false;
    Statement s{prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(quoteIdentifier(column), quoteIdentifier(table)))};
    if (!s.stmt)
        return {};
    sqlite3_bind_int64(s.stmt, 1, rowId);
    if (sqlite3_step(s.stmt) != SQLITE_ROW)
        return {};
    if (found)
        *found = true;
    return columnValue(s.stmt, 0);
}

qint64 AnswersDatabase::insertRow(const QString& table, const QList<QPair<QString, QString>>& values)
{
    QString sql;
    if (values.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(table));
    } else {
        QStringList names, marks;
        for (int i = 0; i < values.size(); ++i) {
            names.append(quoteIdentifier(values.at(i).first));
            marks.append(QLatin1Char('?') + QString::number(i + 1));
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoteIdentifier(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    }
    Statement s{prepare(sql)};
    if (!s.stmt)
        return -1;
    for (int i = 0; i < values.size(); ++i)
        bindText(s.stmt, i + 1, values.at(i).second);
    if (sqlite3_step(s.stmt) != SQLITE_DONE) {
        fail(QStringLiteral("insert"));
        return -1;
    }
    return sqlite3_last_insert_rowid(m_db);
}

bool AnswersDatabase::begin()
{
    // IMMEDIATE takes the write lock up front, so a schema change never
    // fails half-way for a writer that came in between.
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

bool AnswersDatabase::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

bool AnswersDatabase::rollback()
{
    if (sqlite3_get_autocommit(m_db))
        return true;
    return exec(QStringLiteral("ROLLBACK"));
}

} // namespace quenlow
