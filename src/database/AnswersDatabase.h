// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

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

/// One connection to the answers database, opened for one operation and
/// closed when the object goes. The file keeps its old name for the forms
/// that post to it; its content is an SQLite database in WAL mode, so the
/// collection service may write rows while the designer changes columns.
/// Identifiers are always quoted and values always bound.
class AnswersDatabase final
{
public:
    struct Column {
        QString name;
        QString declaredType; // "TEXT" or "MEMO"
        bool isMemo() const { return declaredType.compare(QLatin1StringView("MEMO"), Qt::CaseInsensitive) == 0; }
    };

    AnswersDatabase(AnswersDatabase&& other) noexcept;
    AnswersDatabase& operator=(AnswersDatabase&& other) noexcept;
    ~AnswersDatabase();

    /// `appFolder` + "/formAnswers.mdb".
    static QString pathIn(const QString& appFolder);

    /// Opens an existing database. Fails, creating nothing, when the file is
    /// missing, unreadable or not a database. `error` receives the reason.
    static std::unique_ptr<AnswersDatabase> open(const QString& path, QString* error = nullptr);
    /// Creates a new, empty database file (fails when one is there already).
    static std::unique_ptr<AnswersDatabase> create(const QString& path, QString* error = nullptr);

    QString lastError() const { return m_error; }
    /// The engine's extended result code of the last failure.
    int lastCode() const { return m_code; }

    bool tableExists(const QString& table);
    /// The name `table` is stored under (names match without regard to ASCII case); empty when there is none.
    QString storedTableName(const QString& table);
    /// Creates `table` with its single text column `firstColumn`; false when the name is taken.
    bool createTable(const QString& table, const QString& firstColumn);
    bool dropTable(const QString& table);
    /// Columns in table order; empty when the table is missing.
    QList<Column> columns(const QString& table);
    bool hasColumn(const QString& table, const QString& column);
    bool addColumn(const QString& table, const QString& column, bool memo);
    bool renameColumn(const QString& table, const QString& from, const QString& to);
    bool dropColumn(const QString& table, const QString& column);
    /// Number of rows, or -1 when the table cannot be read.
    qint64 rowCount(const QString& table);
    /// Whether some row holds in `column` a value that is neither null nor
    /// `except`; nullopt when the column cannot be read.
    std::optional<bool> holdsValueOtherThan(const QString& table, const QString& column, const QString& except);
    /// Sets `column` to `value` in every row.
    bool setColumnInAllRows(const QString& table, const QString& column, const QString& value);

    /// Walks `SELECT * FROM table` in storage order. The visitor gets the
    /// values of one row (null values as a null QVariant) and returns false to stop.
    bool forEachRow(const QString& table, const std::function<bool(const QVariantList&)>& visitor);
    /// Row ids in storage order; a position N (1-based) is then one lookup away.
    QList<qint64> rowIds(const QString& table);
    /// The value of `column` in the row with `rowId`. `found` tells whether the row exists.
    QVariant valueAt(const QString& table, const QString& column, qint64 rowId, bool* found = nullptr);
    /// Inserts one row; `values` maps column names to texts. Returns the new row id or -1.
    qint64 insertRow(const QString& table, const QList<QPair<QString, QString>>& values);

    bool begin();
    bool commit();
    bool rollback();

    /// Runs a statement with bound texts; for the few places that need more than the above.
    bool exec(const QString& sql, const QStringList& binds = {});
    /// The whole number a query's first row and column hold; nothing when the
    /// query fails or returns no row.
    std::optional<qint64> number(const QString& sql, const QStringList& binds = {});

    sqlite3* handle() const { return m_db; }

    static QString quoteIdentifier(const QString& name);

private:
    explicit AnswersDatabase(sqlite3* db);
    bool fail(const QString& what);
    sqlite3_stmt* prepare(const QString& sql);

    sqlite3* m_db = nullptr;
    QString m_error;
    int m_code = 0;
};

} // namespace quenlow
