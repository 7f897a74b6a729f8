// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace quenlow {

namespace sqlite {

// The side table of arrival times and tokens; no form's table can take its
// name, since theirs all begin with "tbl_".
inline const QString kArrivals = QStringLiteral("quenlow_arrivals");
// The store's own settings (the key of the page tokens), made when first needed.
inline const QString kSettings = QStringLiteral("quenlow_settings");
// The highest row id each table ever gave out, kept once rows were deleted:
// an id taken back (a receipt, a token's row) must never name another answer.
inline const QString kRowMarks = QStringLiteral("quenlow_row_marks");
// Each form's participants are in a table of its own, named after its
// answers table; the prefix keeps it out of the list of answers tables.
inline const QString kParticipantsPrefix = QStringLiteral("quenlow_participants ");
inline QString participantsTable(const QString& answersTable)
{
    return kParticipantsPrefix + answersTable;
}
// Its columns; `answered` holds when an answer came with the code.
inline const QString kParticipantsColumns
    = QStringLiteral("(code TEXT PRIMARY KEY, position INTEGER NOT NULL, name TEXT NOT NULL, attributes TEXT "
                     "NOT NULL, answered TEXT)");

/// The values of `count` columns of the current row from `first` on: texts,
/// or a null QVariant where nothing was answered.
QVariantList valuesFrom(sqlite3_stmt* stmt, int first, int count);

} // namespace sqlite

/// The SQLite store's own connection to its file, opened with the store and
/// closed with it; nothing but the embedded store's own files include this header. The
/// file keeps its old name for the forms that post to it; its content is an
/// SQLite database in WAL mode, so the collection service may write rows
/// while the designer changes columns. Identifiers are always quoted and
/// values always bound. A failure comes back as an Error whose kind is read
/// from the engine's result code.
class SqliteConnection final
{
public:
    struct Column {
        QString name;
        QString declaredType; // "TEXT" or "MEMO"
        bool isMemo() const
        {
            return declaredType.compare(QLatin1StringView("MEMO"), Qt::CaseInsensitive) == 0;
        }
    };

    ~SqliteConnection();
    Q_DISABLE_COPY_MOVE(SqliteConnection)

    /// Opens an existing database. Fails, creating nothing, when the file is
    /// missing, unreadable or not a database.
    static Result<std::unique_ptr<SqliteConnection>> open(const QString& path);
    /// Creates a new, empty database file (Duplicate when one is there already).
    static Result<std::unique_ptr<SqliteConnection>> create(const QString& path);

    /// False also when the schema cannot be read.
    bool tableExists(const QString& table);
    /// Creates `table` with its single text column `firstColumn`; fails when the name is taken.
    Result<void> createTable(const QString& table, const QString& firstColumn);
    Result<void> dropTable(const QString& table);
    /// Columns in table order; empty when the table is missing.
    QList<Column> columns(const QString& table);
    Result<void> addColumn(const QString& table, const QString& column, bool memo);
    Result<void> renameColumn(const QString& table, const QString& from, const QString& to);
    Result<void> dropColumn(const QString& table, const QString& column);
    Result<qint64> rowCount(const QString& table);
    /// Whether some row holds in `column` a value that is neither null nor
    /// `except`; nullopt when the column cannot be read.
    std::optional<bool> holdsValueOtherThan(
        const QString& table, const QString& column, const QString& except);
    /// Sets `column` to `value` in every row.
    Result<void> setColumnInAllRows(const QString& table, const QString& column, const QString& value);

    /// Walks `SELECT * FROM table` in storage order. The visitor gets the
    /// values of one row (null values as a null QVariant) and returns false to stop.
    Result<void> forEachRow(const QString& table, const std::function<bool(const QVariantList&)>& visitor);

    Result<void> begin();
    Result<void> commit();
    Result<void> rollback();

    /// Runs a statement with bound texts; for the few places that need more than the above.
    Result<void> exec(const QString& sql, const QStringList& binds = {});
    /// The whole number a query's first row and column hold; NotFound when
    /// the query returns no row.
    Result<qint64> number(const QString& sql, const QStringList& binds = {});

    /// For the store's own prepared statements.
    sqlite3* handle() const { return m_db; }

    static QString quoteIdentifier(const QString& name);
    /// The kind of a failure by the engine's (extended) result code.
    static Error::Kind kindOf(int code);

private:
    explicit SqliteConnection(sqlite3* db);
    /// The engine's failure on this connection just now, with its kind.
    Error failure(const QString& what) const;
    Result<sqlite3_stmt*> prepare(const QString& sql);

    sqlite3* m_db = nullptr;
};

namespace sqlite {

/// `name` quoted as an SQLite identifier, as every room of the store writes it.
inline QString quote(const QString& name)
{
    return SqliteConnection::quoteIdentifier(name);
}

} // namespace sqlite

} // namespace quenlow
