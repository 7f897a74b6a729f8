// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/SqliteAnswersStore.h"
#include "database/AnswerColumns.h"

#include "database/SqliteConnection_p.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QVarLengthArray>

#include <algorithm>

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace quenlow {

namespace {

// The side table of arrival times and tokens; no form's table can take its
// name, since theirs all begin with "tbl_".
const QString kArrivals = QStringLiteral("quenlow_arrivals");
// The store's own settings (the key of the page tokens), made when first needed.
const QString kSettings = QStringLiteral("quenlow_settings");
// The highest row id each table ever gave out, kept once rows were deleted:
// an id taken back (a receipt, a token's row) must never name another answer.
const QString kRowMarks = QStringLiteral("quenlow_row_marks");
// Distinct column sets in use at once; a flood of odd ones only costs re-preparing.
constexpr qsizetype kMaxStatements = 64;

QString quote(const QString& name)
{
    return SqliteConnection::quoteIdentifier(name);
}

} // namespace

// The values of `count` columns of the current row from `first` on: texts,
// or a null QVariant where nothing was answered.
static QVariantList valuesFrom(sqlite3_stmt* stmt, int first, int count)
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
    Result<void> done = work();
    if (done) {
        if (const auto r = m_db->commit(); !r)
            done = failure(QStringLiteral("commit"), r.error());
    }
    if (!done)
        (void)m_db->rollback();
    return done;
}

Result<bool> SqliteAnswersStore::tableExists(const QString& table)
{
    if (m_db->tableExists(table))
        return true;
    // Tell a missing table from a store that cannot be read.
    if (const auto r = m_db->number(QStringLiteral("SELECT count(*) FROM sqlite_master")); !r)
        return failure(QStringLiteral("read the tables"), r.error());
    return false;
}

Result<QStringList> SqliteAnswersStore::tables()
{
    QStringList names;
    const Result<void> read = m_db->forEachRow(QStringLiteral("sqlite_master"), [&](const QVariantList& row) {
        // type, name, tbl_name, rootpage, sql
        if (row.value(0).toString() == QLatin1StringView("table")) {
            const QString name = row.value(1).toString();
            if (!name.startsWith(QLatin1StringView("sqlite_"))
                && name.compare(kArrivals, Qt::CaseInsensitive) != 0
                && name.compare(kSettings, Qt::CaseInsensitive) != 0
                && name.compare(kRowMarks, Qt::CaseInsensitive) != 0)
                names.append(name);
        }
        return true;
    });
    if (!read)
        return failure(QStringLiteral("list the tables"), read.error());
    return names;
}

Result<void> SqliteAnswersStore::createTable(const QString& table, const QString& firstColumn)
{
    // Names are compared without regard to ASCII case, and a view of that
    // name takes it too: a query on the name sees both.
    const auto taken = [&] {
        return m_db->tableExists(table)
            || m_db->exec(QStringLiteral("SELECT 1 FROM %1 LIMIT 0").arg(quote(table)));
    };
    if (taken())
        return Error { Error::Duplicate, QStringLiteral("the name %1 is taken").arg(table) };
    // Without IF NOT EXISTS: one made in between must fail, not be reused.
    if (const auto r = m_db->createTable(table, firstColumn); !r) {
        const Error e = failure(QStringLiteral("create table %1").arg(table), r.error());
        if (taken())
            return Error { Error::Duplicate, e.detail };
        return e;
    }
    return {};
}

Result<void> SqliteAnswersStore::dropTable(const QString& table)
{
    return inTransaction([&]() -> Result<void> {
        if (const auto r = m_db->dropTable(table); !r)
            return failure(QStringLiteral("drop table %1").arg(table), r.error());
        if (m_db->tableExists(kRowMarks)) {
            if (const auto r
                = m_db->exec(QStringLiteral("DELETE FROM %1 WHERE answers_table = ?1").arg(quote(kRowMarks)),
                    { table });
                !r)
                return failure(QStringLiteral("forget the row ids of %1").arg(table), r.error());
        }
        if (!m_db->tableExists(kArrivals))
            return {};
        if (const auto r = m_db->exec(
                QStringLiteral("DELETE FROM %1 WHERE answers_table = ?1").arg(quote(kArrivals)), { table });
            !r)
            return failure(QStringLiteral("forget the arrivals of %1").arg(table), r.error());
        return {};
    });
}

Result<void> SqliteAnswersStore::renameTable(const QString& from, const QString& to)
{
    return inTransaction([&]() -> Result<void> {
        if (!m_db->tableExists(from))
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(from) };
        if (m_db->tableExists(to) && from.compare(to, Qt::CaseInsensitive) != 0)
            return Error { Error::Duplicate, QStringLiteral("the name %1 is taken").arg(to) };
        if (const auto r
            = m_db->exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quote(from), quote(to)));
            !r)
            return failure(QStringLiteral("rename table %1").arg(from), r.error());
        if (m_db->tableExists(kRowMarks)) {
            if (const auto r
                = m_db->exec(QStringLiteral("UPDATE %1 SET answers_table = ?2 WHERE answers_table = ?1")
                                 .arg(quote(kRowMarks)),
                    { from, to });
                !r)
                return failure(QStringLiteral("move the row ids of %1").arg(from), r.error());
        }
        // The arrivals are keyed by the table's name: they go with the rows.
        if (!m_db->tableExists(kArrivals))
            return {};
        if (const auto r
            = m_db->exec(QStringLiteral("UPDATE %1 SET answers_table = ?2 WHERE answers_table = ?1")
                             .arg(quote(kArrivals)),
                { from, to });
            !r)
            return failure(QStringLiteral("move the arrivals of %1").arg(from), r.error());
        return {};
    });
}

Result<void> SqliteAnswersStore::copyTable(const QString& from, const QString& to, bool withRows)
{
    return inTransaction([&]() -> Result<void> {
        if (!m_db->tableExists(from))
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(from) };
        if (m_db->tableExists(to))
            return Error { Error::Duplicate, QStringLiteral("the name %1 is taken").arg(to) };
        QStringList definition, names;
        for (const SqliteConnection::Column& c : m_db->columns(from)) {
            definition.append(
                quote(c.name) + (c.isMemo() ? QStringLiteral(" MEMO") : QStringLiteral(" TEXT")));
            names.append(quote(c.name));
        }
        if (const auto r = m_db->exec(
                QStringLiteral("CREATE TABLE %1 (%2)").arg(quote(to), definition.join(QStringLiteral(", "))));
            !r)
            return failure(QStringLiteral("create table %1").arg(to), r.error());
        if (!withRows)
            return {};
        // The same row ids, so that the arrival times copied below still name their rows.
        const QString list = names.join(QStringLiteral(", "));
        if (const auto r = m_db->exec(QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %2 FROM %3")
                                          .arg(quote(to), list, quote(from)));
            !r)
            return failure(QStringLiteral("copy the rows of %1").arg(from), r.error());
        if (m_db->tableExists(kRowMarks)) {
            if (const auto r = m_db->exec(QStringLiteral("INSERT INTO %1 (answers_table, last_id) SELECT ?2, "
                                                         "last_id FROM %1 WHERE answers_table = ?1")
                                              .arg(quote(kRowMarks)),
                    { from, to });
                !r)
                return failure(QStringLiteral("copy the row ids of %1").arg(from), r.error());
        }
        if (!m_db->tableExists(kArrivals))
            return {};
        const auto changes = hasChangeTimes(false);
        const QString times
            = changes && *changes ? QStringLiteral("arrived, changed") : QStringLiteral("arrived");
        if (const auto r = m_db->exec(
                QStringLiteral("INSERT INTO %1 (answers_table, row_id, %2) SELECT ?2, row_id, %2 FROM %1 "
                               "WHERE answers_table = ?1")
                    .arg(quote(kArrivals), times),
                { from, to });
            !r)
            return failure(QStringLiteral("copy the arrivals of %1").arg(from), r.error());
        return {};
    });
}

Result<QList<AnswersStore::Column>> SqliteAnswersStore::columns(const QString& table)
{
    if (!m_db->tableExists(table))
        return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
    QList<Column> result;
    for (const SqliteConnection::Column& c : m_db->columns(table))
        result.append({ c.name, c.isMemo() ? ColumnKind::Memo : ColumnKind::Text });
    return result;
}

Result<void> SqliteAnswersStore::addColumn(
    const QString& table, const QString& column, ColumnKind kind, const QString& olderRowsText)
{
    // One transaction: the column and the text in older rows come together or not at all.
    return inTransaction([&]() -> Result<void> {
        if (const auto may = mayAddColumn(table, column); !may)
            return may;
        if (const auto r = m_db->addColumn(table, column, kind == ColumnKind::Memo); !r)
            return failure(QStringLiteral("add column %1").arg(column), r.error());
        if (const auto r = m_db->setColumnInAllRows(table, column, olderRowsText); !r)
            return failure(QStringLiteral("fill column %1").arg(column), r.error());
        return {};
    });
}

Result<void> SqliteAnswersStore::renameColumn(const QString& table, const QString& from, const QString& to)
{
    return inTransaction([&]() -> Result<void> {
        if (const auto may = mayRenameColumn(table, from, to); !may)
            return may;
        if (const auto r = m_db->renameColumn(table, from, to); !r)
            return failure(QStringLiteral("rename column %1").arg(from), r.error());
        return {};
    });
}

Result<void> SqliteAnswersStore::dropColumn(const QString& table, const QString& column)
{
    return inTransaction([&]() -> Result<void> {
        if (const auto may = mayDropColumn(table, column); !may)
            return may;
        if (const auto r = m_db->dropColumn(table, column); !r)
            return failure(QStringLiteral("drop column %1").arg(column), r.error());
        return {};
    });
}

Result<QStringList> SqliteAnswersStore::restoreColumns(
    const QString& table, const QList<Column>& target, const QString& olderRowsText, Restore how)
{
    QStringList kept;
    const Result<void> done = inTransaction([&]() -> Result<void> {
        const auto current = columns(table);
        if (!current)
            return current.error();
        auto [added, removed, renamed] = diffColumns(*current, target, how);
        const Result<qint64> counted = m_db->rowCount(table);
        if (!counted)
            return failure(QStringLiteral("count the rows of %1").arg(table), counted.error());
        const qint64 rows = *counted;
        if (renamed) {
            if (const auto r = m_db->renameColumn(table, renamed->first, renamed->second); !r)
                return failure(QStringLiteral("rename column %1").arg(renamed->first), r.error());
        }
        for (const Column& c : std::as_const(removed)) {
            // A column that has answers by now keeps them; the form no longer asks it.
            const bool answered
                = rows > 0 && m_db->holdsValueOtherThan(table, c.name, olderRowsText).value_or(true);
            if (answered)
                kept.append(c.name);
            else if (const auto r = m_db->dropColumn(table, c.name); !r)
                return failure(QStringLiteral("drop column %1").arg(c.name), r.error());
        }
        for (const Column& c : std::as_const(added)) {
            // As when the question was added: older answers say they came before it.
            Result<void> r = m_db->addColumn(table, c.name, c.isMemo());
            if (r && rows > 0)
                r = m_db->setColumnInAllRows(table, c.name, olderRowsText);
            if (!r)
                return failure(QStringLiteral("add column %1").arg(c.name), r.error());
        }
        // A column put back goes back to its place, while the table is empty.
        if (how == Restore::Undo && rows == 0 && !added.isEmpty() && kept.isEmpty()
            && *columns(table) != target) {
            QStringList definition;
            for (const Column& c : target)
                definition.append(
                    quote(c.name) + (c.isMemo() ? QStringLiteral(" MEMO") : QStringLiteral(" TEXT")));
            const QString rebuilt = table + QStringLiteral("_reordered");
            Result<void> r = m_db->exec(QStringLiteral("CREATE TABLE %1 (%2)")
                                            .arg(quote(rebuilt), definition.join(QStringLiteral(", "))));
            if (r)
                r = m_db->dropTable(table);
            if (r)
                r = m_db->exec(
                    QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quote(rebuilt), quote(table)));
            if (!r)
                return failure(QStringLiteral("reorder the columns of %1").arg(table), r.error());
        }
        return {};
    });
    if (!done)
        return done.error();
    return kept;
}

int SqliteAnswersStore::columnLimit() const
{
    return sqlite3_limit(m_db->handle(), SQLITE_LIMIT_COLUMN, -1);
}

Result<bool> SqliteAnswersStore::columnHoldsAnswers(const QString& table, const QString& column)
{
    const auto n = m_db->number(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2 IS NOT NULL)")
                                    .arg(quote(table), quote(column)));
    if (!n)
        return failure(QStringLiteral("read column %1").arg(column), n.error());
    return *n != 0;
}

Result<qint64> SqliteAnswersStore::rowCount(const QString& table)
{
    const Result<qint64> n = m_db->rowCount(table);
    if (!n)
        return m_db->tableExists(table)
            ? failure(QStringLiteral("count the rows of %1").arg(table), n.error())
            : Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
    return *n;
}

Result<AnswersStore::RowSpan> SqliteAnswersStore::rowSpan(const QString& table)
{
    // Counting reads every page of the table, so the span is kept while
    // nothing could have changed it: no commit by another connection (the
    // data version), no row changed and no table changed by this one. The
    // versions are read before the count, so a commit in between only costs
    // another count next time.
    const qint64 dataVersion = m_db->number(QStringLiteral("PRAGMA data_version")).valueOr(-1);
    const qint64 schemaVersion = m_db->number(QStringLiteral("PRAGMA schema_version")).valueOr(-1);
    const qint64 changes = sqlite3_total_changes64(m_db->handle());
    if (m_spanSeen && dataVersion >= 0 && schemaVersion >= 0 && m_spanSeen->table == table
        && m_spanSeen->dataVersion == dataVersion && m_spanSeen->schemaVersion == schemaVersion
        && m_spanSeen->changes == changes)
        return m_spanSeen->span;
    m_spanSeen.reset();

    // min and max of the rowid are one descent of the tree each, and count(*)
    // counts the cells of the leaf pages without reading the rows.
    // (Each in its own subquery: min and max together would scan the table.)
    const QString sql = QStringLiteral(
        "SELECT (SELECT min(rowid) FROM %1), (SELECT max(rowid) FROM %1), (SELECT count(*) FROM %1)")
                            .arg(quote(table));
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    RowSpan span;
    int rc = sqlite3_prepare_v2(m_db->handle(), utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        span.count = sqlite3_column_int64(stmt, 2);
        if (span.count > 0) {
            span.first = sqlite3_column_int64(stmt, 0);
            span.last = sqlite3_column_int64(stmt, 1);
        }
    }
    const Error failed { m_db->tableExists(table)
            ? SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle()))
            : Error::NotFound,
        QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW)
        return failed;
    if (dataVersion >= 0 && schemaVersion >= 0)
        m_spanSeen = SpanSeen { table, dataVersion, schemaVersion, changes, span };
    return span;
}

Result<QList<AnswersStore::Row>> SqliteAnswersStore::rowsOf(sqlite3_stmt* stmt, int valueCount, bool changes)
{
    // Column 0 the id, 1 the arrival time (null when not asked for), with
    // `changes` 2 the change time, then the values.
    const auto timeAt = [stmt](int column) -> std::optional<QDateTime> {
        if (sqlite3_column_bytes(stmt, column) <= 0)
            return std::nullopt;
        const QDateTime t = QDateTime::fromString(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                sqlite3_column_bytes(stmt, column)),
            Qt::ISODateWithMs);
        return t.isValid() ? std::optional(t.toUTC()) : std::nullopt;
    };
    QList<Row> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row row;
        row.id = sqlite3_column_int64(stmt, 0);
        row.arrivedAt = timeAt(1);
        if (changes)
            row.changedAt = timeAt(2);
        row.values = valuesFrom(stmt, changes ? 3 : 2, valueCount);
        rows.append(std::move(row));
    }
    const Error e { SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle())),
        QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return e;
    return rows;
}

Result<QList<AnswersStore::Row>> SqliteAnswersStore::readRows(
    const QString& table, const QStringList& columns, qint64 afterId, qint64 limit, bool arrivals)
{
    const qsizetype group = selectableColumns();
    if (columns.size() <= group)
        return readRowsOf(table, columns, afterId, limit, arrivals);
    auto read = readRowsOf(table, columns.mid(0, group), afterId, limit, arrivals);
    if (!read)
        return read;
    QList<Row> rows = std::move(read).value();
    if (const auto joined = readOtherColumns(table, columns, group, rows); !joined)
        return joined.error();
    return rows;
}

Result<QList<AnswersStore::Row>> SqliteAnswersStore::readRowsOf(
    const QString& table, const QStringList& columns, qint64 afterId, qint64 limit, bool arrivals)
{
    // The side table is joined only where it exists: a store that never
    // collected has none.
    const bool joined = arrivals && m_db->tableExists(kArrivals);
    const auto changes = joined ? hasChangeTimes(false) : Result<bool>(false);
    if (!changes)
        return changes.error();
    QString selected = joined ? (*changes ? QStringLiteral("t.rowid, a.arrived, a.changed")
                                          : QStringLiteral("t.rowid, a.arrived, NULL"))
                              : QStringLiteral("t.rowid, NULL, NULL");
    for (const QString& c : columns)
        selected += QStringLiteral(", t.") + quote(c);
    const QString join = joined
        ? QStringLiteral(" LEFT JOIN %1 a ON a.answers_table = ?1 AND a.row_id = t.rowid")
              .arg(quote(kArrivals))
        : QString();
    const QString sql
        = QStringLiteral("SELECT %1 FROM %2 t%3 WHERE t.rowid > %4 ORDER BY t.rowid LIMIT %5")
              .arg(selected, quote(table), join, QString::number(afterId), QString::number(limit));
    auto prepared = prepareOn(table, sql.toUtf8());
    if (!prepared)
        return prepared.error();
    sqlite3_stmt* stmt = *prepared;
    const QByteArray name = table.toUtf8();
    if (joined)
        sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_STATIC);
    return rowsOf(stmt, int(columns.size()), true);
}

Result<qint64> SqliteAnswersStore::visitRows(const QString& table, const QStringList& columns, qint64 afterId,
    qint64 limit, const std::function<void(qint64 id, RawValues values)>& visit)
{
    if (columns.size() > selectableColumns())
        return AnswersStore::visitRows(table, columns, afterId, limit, visit); // through readRows, in groups
    QString selected = QStringLiteral("rowid");
    for (const QString& c : columns)
        selected += QStringLiteral(", ") + quote(c);
    const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid > ?1 ORDER BY rowid LIMIT ?2")
                               .arg(selected, quote(table))
                               .toUtf8();
    auto prepared = prepareOn(table, sql);
    if (!prepared)
        return prepared.error();
    sqlite3_stmt* stmt = *prepared;
    sqlite3_bind_int64(stmt, 1, afterId);
    sqlite3_bind_int64(stmt, 2, limit);
    const int n = int(columns.size());
    QVarLengthArray<std::optional<QByteArrayView>, 16> values(n);
    QVarLengthArray<QByteArray, 16> repaired(n);
    qint64 visited = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            if (sqlite3_column_type(stmt, i + 1) == SQLITE_NULL) {
                values[i].reset();
                continue;
            }
            const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i + 1));
            const QByteArrayView bytes(text, sqlite3_column_bytes(stmt, i + 1));
            if (QUtf8StringView(bytes).isValidUtf8()) {
                values[i] = bytes;
            } else {
                // Bytes that are not UTF-8 go out as readRows gives them (replacement characters).
                repaired[i] = QString::fromUtf8(bytes).toUtf8();
                values[i] = QByteArrayView(repaired[i]);
            }
        }
        visit(sqlite3_column_int64(stmt, 0), RawValues(values.constData(), size_t(n)));
        ++visited;
    }
    const Error e { SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle())),
        QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return e;
    return visited;
}

namespace {

/// Orders the values of one column as `ORDER BY value COLLATE NOCASE, rowid`
/// does, a good deal faster than the engine's sorter over a large table.
/// SQLite places nulls first, then numbers by value, then texts by their bytes
/// with ASCII letters folded to lower case, then blobs by their bytes; each
/// kind is sorted on its own here, equal values by id, and the kinds are put
/// together.
class ColumnOrder
{
public:
    /// Room for `rows` values, most of them texts: growing lists of a million
    /// entries would copy them over and over.
    void reserve(qint64 rows)
    {
        const auto n = qsizetype(qBound<qint64>(0, rows, qint64(1) << 28));
        m_texts.keys.reserve(n);
        m_texts.ids.reserve(n);
    }

    /// Takes the value in column `column` of the current row of `stmt`. Read
    /// through sqlite3_value, which takes no lock per call (the connection
    /// is this thread's alone while the rows are read).
    void add(sqlite3_stmt* stmt, int column, qint64 id)
    {
        sqlite3_value* value = sqlite3_column_value(stmt, column);
        switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            m_nulls.append(id);
            break;
        case SQLITE_INTEGER:
            m_numbers.append({ id, sqlite3_value_int64(value), 0, true });
            break;
        case SQLITE_FLOAT:
            m_numbers.append({ id, 0, sqlite3_value_double(value), false });
            break;
        case SQLITE_TEXT: {
            const auto* text = sqlite3_value_text(value);
            m_texts.add(id, text, sqlite3_value_bytes(value), true);
            break;
        }
        default: {
            const auto* blob = static_cast<const unsigned char*>(sqlite3_value_blob(value));
            m_blobs.add(id, blob, sqlite3_value_bytes(value), false);
            break;
        }
        }
    }

    /// The ids in order; ties by id, ascending in both directions.
    QList<qint64> ids(bool descending)
    {
        std::stable_sort(m_numbers.begin(), m_numbers.end(), [descending](const Number& a, const Number& b) {
            return descending ? Number::less(b, a) : Number::less(a, b);
        });
        m_texts.sort(descending);
        m_blobs.sort(descending);
        QList<qint64> ids;
        ids.reserve(m_nulls.size() + m_numbers.size() + m_texts.keys.size() + m_blobs.keys.size());
        const auto numbers = [&] {
            for (const Number& n : std::as_const(m_numbers))
                ids.append(n.id);
        };
        if (descending) {
            m_blobs.appendIds(ids);
            m_texts.appendIds(ids);
            numbers();
            ids.append(m_nulls);
        } else {
            ids.append(m_nulls);
            numbers();
            m_texts.appendIds(ids);
            m_blobs.appendIds(ids);
        }
        return ids;
    }

private:
    struct Number {
        qint64 id;
        qint64 integer;
        double real;
        bool isInteger;
        static bool less(const Number& a, const Number& b)
        {
            if (a.isInteger && b.isInteger)
                return a.integer < b.integer;
            const auto value
                = [](const Number& n) { return n.isInteger ? static_cast<long double>(n.integer) : n.real; };
            return value(a) < value(b);
        }
    };

    /// Texts or blobs: the first 16 bytes of each as two numbers, so that
    /// most comparisons are two integer comparisons; the rest in one arena.
    struct Bytes {
        struct Key {
            quint64 head0 = 0, head1 = 0; // big-endian, zero-padded
            qsizetype tail = 0; // where the bytes after the 16th start in the arena
            quint32 size = 0;
            quint32 at = 0; // where its id is in `ids`: the place in the scan
        };
        QList<Key> keys;
        QList<qint64> ids;
        QByteArray arena;

        static quint64 word(const unsigned char* bytes, int size, bool fold)
        {
            quint64 w = 0;
            for (int i = 0; i < 8; ++i) {
                unsigned char c = i < size ? bytes[i] : 0;
                if (fold && c >= 'A' && c <= 'Z')
                    c += 32;
                w = (w << 8) | c;
            }
            return w;
        }

        void add(qint64 id, const unsigned char* bytes, int size, bool fold)
        {
            keys.append({ word(bytes, size, fold), size > 8 ? word(bytes + 8, size - 8, fold) : 0,
                arena.size(), quint32(size), quint32(ids.size()) });
            ids.append(id);
            if (size > 16) {
                const qsizetype start = arena.size();
                arena.append(reinterpret_cast<const char*>(bytes) + 16, size - 16);
                if (fold) {
                    for (char* c = arena.data() + start; c != arena.data() + arena.size(); ++c) {
                        if (*c >= 'A' && *c <= 'Z')
                            *c = char(*c + 32);
                    }
                }
            }
        }

        int compare(const Key& a, const Key& b) const
        {
            if (a.head0 != b.head0)
                return a.head0 < b.head0 ? -1 : 1;
            if (a.head1 != b.head1)
                return a.head1 < b.head1 ? -1 : 1;
            // Alike in the first 16 bytes (zero bytes padding a shorter one).
            if (a.size > 16 && b.size > 16) {
                if (const int c = std::memcmp(
                        arena.constData() + a.tail, arena.constData() + b.tail, qMin(a.size, b.size) - 16))
                    return c;
            }
            return a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
        }

        void sort(bool descending)
        {
            // In place (a stable sort's buffer would be as large again); equal
            // values by their place in the scan, which is id order.
            std::sort(keys.begin(), keys.end(), [this, descending](const Key& a, const Key& b) {
                if (const int c = compare(a, b))
                    return descending ? c > 0 : c < 0;
                return a.at < b.at;
            });
        }

        void appendIds(QList<qint64>& out) const
        {
            for (const Key& key : keys)
                out.append(ids.at(key.at));
        }
    };

    QList<qint64> m_nulls;
    QList<Number> m_numbers;
    Bytes m_texts, m_blobs;
};

} // namespace

Result<qint64> SqliteAnswersStore::orderRows(const QString& table, const RowOrder& order)
{
    // The matching ids in the order shown, kept here: a page of them is then
    // a lookup of those ids. One pass over the table reads the ids (and the
    // values to sort by); the tables themselves are left as they are, so the
    // service's inserts pay for no index.
    m_orderIds.clear();
    const bool sorted = !order.sortColumn.isEmpty();
    QString sql = sorted
        ? QStringLiteral("SELECT rowid, %1 FROM %2").arg(quote(order.sortColumn), quote(table))
        : QStringLiteral("SELECT rowid FROM %1").arg(quote(table));
    QByteArray pattern;
    if (!order.filter.isEmpty()) {
        // LIKE ignores the case of ASCII letters; the pattern's own wildcards are taken literally.
        QString escaped = order.filter;
        escaped.replace(QStringLiteral("\\"), QStringLiteral("\\\\"))
            .replace(QStringLiteral("%"), QStringLiteral("\\%"))
            .replace(QStringLiteral("_"), QStringLiteral("\\_"));
        QStringList matches;
        for (const QString& column : order.filterColumns)
            matches.append(quote(column) + QStringLiteral(" LIKE ?1 ESCAPE '\\'"));
        sql += QStringLiteral(" WHERE ")
            + (matches.isEmpty() ? QStringLiteral("0") : matches.join(QStringLiteral(" OR ")));
        pattern = (QLatin1Char('%') + escaped + QLatin1Char('%')).toUtf8();
    }
    sql += QStringLiteral(" ORDER BY rowid");

    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db->handle(), utf8.constData(), int(utf8.size()), &stmt, nullptr);
    ColumnOrder values;
    if (sorted) {
        // The span is known already, as a rule (the table was shown first).
        if (const auto span = rowSpan(table))
            values.reserve(span->count);
    } else if (m_spanSeen && m_spanSeen->table == table) {
        m_orderIds.reserve(qsizetype(m_spanSeen->span.count));
    }
    if (rc == SQLITE_OK) {
        if (!pattern.isEmpty())
            sqlite3_bind_text(stmt, 1, pattern.constData(), int(pattern.size()), SQLITE_STATIC);
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            if (sorted)
                values.add(stmt, 1, sqlite3_column_int64(stmt, 0));
            else
                m_orderIds.append(sqlite3_column_int64(stmt, 0));
        }
    }
    const Error failed { m_db->tableExists(table)
            ? SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle()))
            : Error::NotFound,
        QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        m_orderIds.clear();
        return failed;
    }
    if (sorted)
        m_orderIds = values.ids(order.descending);
    return qint64(m_orderIds.size());
}

Result<QList<AnswersStore::Row>> SqliteAnswersStore::orderedRows(
    const QString& table, const QStringList& columns, qint64 position, qint64 limit)
{
    QList<Row> rows;
    if (position < 0 || limit <= 0 || position >= m_orderIds.size())
        return rows;
    const qsizetype end = qsizetype(qMin<qint64>(m_orderIds.size(), position + limit));
    // As many columns as one select can name; the others are joined after.
    const qsizetype group = selectableColumns();
    QString selected = QStringLiteral("rowid, NULL");
    for (const QString& c : columns.mid(0, group))
        selected += QStringLiteral(", ") + quote(c);
    // A few hundred ids at a time, looked up by id; answers deleted since the order was made are left out.
    constexpr qsizetype kLookup = 500;
    for (qsizetype from = qsizetype(position); from < end; from += kLookup) {
        const qsizetype to = qMin(end, from + kLookup);
        QString ids;
        for (qsizetype i = from; i < to; ++i)
            ids += (i > from ? QStringLiteral(",") : QString()) + QString::number(m_orderIds.at(i));
        const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
                                   .arg(selected, quote(table), ids)
                                   .toUtf8();
        auto prepared = prepareOn(table, sql);
        if (!prepared)
            return prepared.error();
        sqlite3_stmt* stmt = *prepared;
        auto found = rowsOf(stmt, int(std::min(columns.size(), group)));
        if (!found)
            return found.error();
        QHash<qint64, qsizetype> byId;
        byId.reserve(found->size());
        for (qsizetype i = 0; i < found->size(); ++i)
            byId.insert(found->at(i).id, i);
        for (qsizetype i = from; i < to; ++i) {
            if (const auto it = byId.constFind(m_orderIds.at(i)); it != byId.cend())
                rows.append(std::move((*found)[*it]));
        }
    }
    if (columns.size() > group) {
        if (const auto joined = readOtherColumns(table, columns, group, rows); !joined)
            return joined.error();
    }
    return rows;
}

qsizetype SqliteAnswersStore::selectableColumns() const
{
    // A select names the id, the arrival and the change time besides the values.
    return std::max(1, columnLimit() - 3);
}

Result<void> SqliteAnswersStore::readOtherColumns(
    const QString& table, const QStringList& columns, qsizetype from, QList<Row>& rows)
{
    // A table may have as many columns as one select can name, and the rows
    // need more beside them (id, times): the values past the first select are read in groups of
    // the same rows and put beside the values already read.
    if (rows.isEmpty())
        return {};
    QStringList ids;
    QHash<qint64, qsizetype> rowOf;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        ids.append(QString::number(rows.at(i).id));
        rowOf.insert(rows.at(i).id, i);
    }
    const QString which = ids.join(QLatin1Char(','));
    const qsizetype group = selectableColumns();
    for (qsizetype first = from; first < columns.size(); first += group) {
        const QStringList part = columns.mid(first, group);
        QString selected = QStringLiteral("rowid");
        for (const QString& c : part)
            selected += QStringLiteral(", ") + quote(c);
        const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
                                   .arg(selected, quote(table), which)
                                   .toUtf8();
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v2(m_db->handle(), sql.constData(), int(sql.size()), &stmt, nullptr);
        QList<bool> filled(rows.size(), false);
        if (rc == SQLITE_OK) {
            while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
                const auto at = rowOf.constFind(sqlite3_column_int64(stmt, 0));
                if (at == rowOf.cend())
                    continue;
                rows[*at].values += valuesFrom(stmt, 1, int(part.size()));
                filled[*at] = true;
            }
        }
        const Error e { SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle())),
            QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            return e;
        // A row deleted between the reads has nothing more to show.
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (!filled.at(i))
                rows[i].values += QVariantList(part.size());
        }
    }
    return {};
}

Result<QList<qint64>> SqliteAnswersStore::countMatches(
    const QString& table, const QString& column, const QStringList& values)
{
    // One pass over the one column, counted here: cheaper than letting the
    // engine sort the values for a GROUP BY, and every value is counted in
    // the same pass. Compared as the bytes stored, so exact and case-sensitive.
    QHash<QByteArray, qint64> counts;
    for (const QString& value : values)
        counts.insert(value.toUtf8(), 0);
    const QByteArray sql = QStringLiteral("SELECT %1 FROM %2").arg(quote(column), quote(table)).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db->handle(), sql.constData(), int(sql.size()), &stmt, nullptr);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            if (sqlite3_column_type(stmt, 0) == SQLITE_NULL)
                continue;
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            const auto found = counts.find(QByteArray::fromRawData(text, sqlite3_column_bytes(stmt, 0)));
            if (found != counts.end())
                ++*found;
        }
    }
    const Error failed { SqliteConnection::kindOf(sqlite3_extended_errcode(m_db->handle())),
        QString::fromUtf8(sqlite3_errmsg(m_db->handle())) };
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        if (!m_db->tableExists(table))
            return Error { Error::NotFound, failed.detail };
        return failed.kind == Error::Duplicate ? Error { Error::Other, failed.detail } : failed;
    }
    QList<qint64> result;
    result.reserve(values.size());
    for (const QString& value : values)
        result.append(counts.value(value.toUtf8()));
    return result;
}

Result<void> SqliteAnswersStore::deleteRows(const QString& table, const QList<qint64>& ids)
{
    if (ids.isEmpty())
        return {};
    return inTransaction([&]() -> Result<void> {
        // The engine gives the next row the highest id there plus one: the
        // highest deleted is kept so that no new row takes it again.
        Result<void> marked = m_db->exec(
            QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (answers_table TEXT PRIMARY KEY COLLATE NOCASE, "
                           "last_id INTEGER NOT NULL)")
                .arg(quote(kRowMarks)));
        if (marked)
            marked = m_db->exec(QStringLiteral("INSERT INTO %1 (answers_table, last_id) VALUES (?1, "
                                               "CAST(?2 AS INTEGER)) ON CONFLICT (answers_table) DO "
                                               "UPDATE SET last_id = max(last_id, excluded.last_id)")
                                    .arg(quote(kRowMarks)),
                { table, QString::number(*std::max_element(ids.cbegin(), ids.cend())) });
        if (!marked)
            return failure(QStringLiteral("keep the row ids of %1").arg(table), marked.error());
        const bool arrivals = m_db->tableExists(kArrivals);
        for (const qint64 id : ids) {
            const QStringList binds { QString::number(id) };
            if (const auto r = m_db->exec(
                    QStringLiteral("DELETE FROM %1 WHERE rowid = CAST(?1 AS INTEGER)").arg(quote(table)),
                    binds);
                !r)
                return failure(QStringLiteral("delete row %1").arg(id), r.error());
            // The token stays: the same page sent again must not store its answers anew.
            if (!arrivals)
                continue;
            if (const auto r
                = m_db->exec(QStringLiteral("UPDATE %1 SET row_id = NULL WHERE answers_table = ?1 AND "
                                            "row_id = CAST(?2 AS INTEGER)")
                                 .arg(quote(kArrivals)),
                    { table, QString::number(id) });
                !r)
                return failure(QStringLiteral("forget the arrival of row %1").arg(id), r.error());
        }
        return {};
    });
}

Result<bool> SqliteAnswersStore::hasArrivals()
{
    if (m_arrivalsKnown)
        return true;
    // Made on the first stored submission only, so a store that never
    // collected keeps exactly the tables the designer made.
    Result<void> made = m_db->exec(
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (answers_table TEXT NOT NULL, row_id INTEGER, "
                       "arrived TEXT NOT NULL, token TEXT UNIQUE, changed TEXT)")
            .arg(quote(kArrivals)));
    if (made)
        made = m_db->exec(
            QStringLiteral("CREATE INDEX IF NOT EXISTS quenlow_arrivals_row ON %1 (answers_table, row_id)")
                .arg(quote(kArrivals)));
    if (!made)
        return failure(QStringLiteral("create the arrivals table"), made.error());
    m_arrivalsKnown = true;
    return true;
}

Result<bool> SqliteAnswersStore::hasChangeTimes(bool make)
{
    if (m_changesKnown)
        return true;
    if (!m_db->tableExists(kArrivals))
        return false;
    // Side tables made before answers could be replaced lack the column.
    const Result<qint64> found = m_db->number(
        QStringLiteral("SELECT count(*) FROM pragma_table_info(?1) WHERE name = 'changed'"), { kArrivals });
    if (!found)
        return failure(QStringLiteral("read the arrivals table"), found.error());
    if (*found == 0) {
        if (!make)
            return false;
        if (const auto r
            = m_db->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN changed TEXT").arg(quote(kArrivals)));
            !r)
            return failure(QStringLiteral("keep change times"), r.error());
    }
    m_changesKnown = true;
    return true;
}

Result<QList<AnswersStore::Inserted>> SqliteAnswersStore::insertRows(const QList<NewRow>& rows)
{
    // IMMEDIATE: the write lock is ours before the first look at the schema,
    // so what is read below holds until the commit.
    if (const auto r = m_db->begin(); !r)
        return failure(QStringLiteral("begin"), r.error());
    // The schema cookie changes with every column the designer adds, renames
    // or drops; forget whatever it outdates.
    const qint64 version = m_db->number(QStringLiteral("PRAGMA schema_version")).valueOr(-1);
    if (version != m_schemaVersion || version < 0) {
        forgetSchema();
        m_schemaVersion = version;
    }
    // Another connection's commit (the designer deleting answers, a second
    // service) changes how many rows there are.
    const qint64 dataVersion = m_db->number(QStringLiteral("PRAGMA data_version")).valueOr(-1);
    if (dataVersion != m_countsDataVersion || dataVersion < 0) {
        m_rowCounts.clear();
        m_countsDataVersion = dataVersion;
    }
    QList<Inserted> results;
    results.reserve(rows.size());
    std::optional<Error> failed;
    for (const NewRow& row : rows) {
        Result<Inserted> one = insertOne(row);
        if (!one) {
            failed = one.error();
            break;
        }
        results.append(*one);
    }
    if (!failed) {
        if (const auto r = m_db->commit(); !r)
            failed = failure(QStringLiteral("commit"), r.error());
    }
    if (failed) {
        (void)m_db->rollback();
        // A failed statement may leave cached ones unusable; prepare afresh.
        forgetSchema();
        return *failed;
    }
    return results;
}

Result<AnswersStore::Inserted> SqliteAnswersStore::insertOne(const NewRow& row)
{
    if (row.skip && row.skip())
        return Inserted { Inserted::Skipped, -1 };
    const TableColumns* table = columnsOf(row.table);
    if (!table)
        return Inserted { Inserted::NoSuchTable, -1 };
    const bool recorded = !row.token.isEmpty() || row.arrivedAt.isValid();
    if (recorded) {
        const auto made = hasArrivals();
        if (!made)
            return made.error();
    }

    const QStringList& columns = table->names;
    // Each column once, the first value for it winning, in table order so
    // that the same form always gives the same statement.
    QVarLengthArray<const std::optional<QString>*, 64> valueOf(columns.size(), nullptr);
    for (const auto& [field, value] : row.values) {
        const auto it = table->byFoldedName.constFind(foldAscii(field));
        if (it == table->byFoldedName.cend() || valueOf[*it])
            continue;
        valueOf[*it] = &value;
    }

    if (!row.token.isEmpty()) {
        sqlite3_stmt* seen
            = statementFor(QStringLiteral("SELECT ifnull(row_id, -1), answers_table = ?2 COLLATE NOCASE, "
                                          "arrived FROM %1 WHERE token = ?1")
                               .arg(quote(kArrivals)));
        if (!seen)
            return engineFailure(QStringLiteral("prepare"));
        const QByteArray token = row.token.toUtf8();
        const QByteArray tableName = row.table.toUtf8();
        sqlite3_bind_text(seen, 1, token.constData(), int(token.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(seen, 2, tableName.constData(), int(tableName.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(seen);
        const qint64 first = rc == SQLITE_ROW ? sqlite3_column_int64(seen, 0) : -1;
        const bool ours = rc == SQLITE_ROW && sqlite3_column_int(seen, 1) != 0;
        const QDateTime arrived = rc == SQLITE_ROW
            ? QDateTime::fromString(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(seen, 2))),
                Qt::ISODateWithMs)
            : QDateTime();
        sqlite3_reset(seen);
        // A token belongs to the table its row was stored in: the same page
        // posted to another table (a new form under the old name) never
        // touches that row, nor stores a second one under the token.
        if (rc == SQLITE_ROW && !ours)
            return Inserted { Inserted::OtherTable, -1 };
        if (rc == SQLITE_ROW) {
            // A row the designer deleted stays deleted.
            if (first < 0)
                return Inserted { Inserted::Repeated, first, arrived };
            QStringList named;
            QList<const std::optional<QString>*> values;
            for (int i = 0; i < columns.size(); ++i) {
                if (valueOf[i]) {
                    named.append(columns.at(i));
                    values.append(valueOf[i]);
                }
            }
            const Result<Inserted> replaced = replaceAnswers(row, first, named, values);
            if (!replaced)
                return replaced.error();
            Inserted done = *replaced;
            done.firstArrival = arrived;
            return done;
        }
        if (rc != SQLITE_DONE)
            return Error { SqliteConnection::kindOf(rc), QStringLiteral("look up token") };
    }

    if (row.limit) {
        const Result<qint64> counted = rowsCounted(row.table);
        if (!counted)
            return counted.error();
        if (*counted >= *row.limit)
            return Inserted { Inserted::Full, -1 };
    }

    QString names, marks;
    int bound = 0;
    for (int i = 0; i < columns.size(); ++i) {
        if (!valueOf[i])
            continue;
        if (bound++) {
            names += QLatin1Char(',');
            marks += QLatin1Char(',');
        }
        names += quote(columns.at(i));
        marks += QLatin1Char('?');
    }
    const QString quoted = quote(row.table);
    sqlite3_stmt* stmt
        = statementFor(bound ? QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quoted, names, marks)
                             : QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted));
    if (!stmt)
        return engineFailure(QStringLiteral("prepare"));
    int position = 0;
    for (int i = 0; i < columns.size(); ++i) {
        if (!valueOf[i])
            continue;
        ++position;
        if (!*valueOf[i]) {
            sqlite3_bind_null(stmt, position);
        } else {
            const QByteArray utf8 = (*valueOf[i])->toUtf8();
            sqlite3_bind_text(stmt, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
    }
    if (const auto stepped = stepOnce(stmt); !stepped)
        return stepped.error();
    const Result<qint64> placed = unusedId(row.table, sqlite3_last_insert_rowid(m_db->handle()));
    if (!placed)
        return placed.error();
    const qint64 id = *placed;
    if (const auto counted = m_rowCounts.find(row.table); counted != m_rowCounts.end())
        ++*counted;
    if (!recorded)
        return Inserted { Inserted::Stored, id };

    sqlite3_stmt* arrival = statementFor(
        QStringLiteral("INSERT INTO %1 (answers_table, row_id, arrived, token) VALUES (?1, ?2, ?3, ?4)")
            .arg(quote(kArrivals)));
    if (!arrival)
        return engineFailure(QStringLiteral("prepare"));
    const QByteArray tableName = row.table.toUtf8();
    const QByteArray when
        = row.arrivedAt.isValid() ? row.arrivedAt.toUTC().toString(Qt::ISODateWithMs).toUtf8() : QByteArray();
    const QByteArray token = row.token.toUtf8();
    sqlite3_bind_text(arrival, 1, tableName.constData(), int(tableName.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(arrival, 2, id);
    sqlite3_bind_text(arrival, 3, when.constData(), int(when.size()), SQLITE_TRANSIENT);
    if (token.isEmpty())
        sqlite3_bind_null(arrival, 4);
    else
        sqlite3_bind_text(arrival, 4, token.constData(), int(token.size()), SQLITE_TRANSIENT);
    if (const auto stepped = stepOnce(arrival); !stepped)
        return stepped.error();
    return Inserted { Inserted::Stored, id };
}

Result<qint64> SqliteAnswersStore::rowsCounted(const QString& table)
{
    // Counted once per table while no other connection writes; the rows this
    // connection stores are added as they come.
    if (const auto known = m_rowCounts.constFind(table); known != m_rowCounts.cend())
        return *known;
    const Result<qint64> counted = m_db->number(QStringLiteral("SELECT count(*) FROM %1").arg(quote(table)));
    if (!counted)
        return failure(QStringLiteral("count the rows of %1").arg(table), counted.error());
    m_rowCounts.insert(table, *counted);
    return *counted;
}

Result<qint64> SqliteAnswersStore::unusedId(const QString& table, qint64 id)
{
    if (!m_marksKnown)
        m_marksKnown = m_db->tableExists(kRowMarks);
    if (!*m_marksKnown)
        return id;
    sqlite3_stmt* mark = statementFor(
        QStringLiteral("SELECT last_id FROM %1 WHERE answers_table = ?1").arg(quote(kRowMarks)));
    if (!mark)
        return engineFailure(QStringLiteral("prepare"));
    const QByteArray tableName = table.toUtf8();
    sqlite3_bind_text(mark, 1, tableName.constData(), int(tableName.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(mark);
    const qint64 last = rc == SQLITE_ROW ? sqlite3_column_int64(mark, 0) : -1;
    sqlite3_reset(mark);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return engineFailure(QStringLiteral("read the row ids of %1").arg(table));
    if (id > last)
        return id;
    // The row took the id of one deleted: it moves past every id given out.
    sqlite3_stmt* move
        = statementFor(QStringLiteral("UPDATE %1 SET rowid = ?1 WHERE rowid = ?2").arg(quote(table)));
    if (!move)
        return engineFailure(QStringLiteral("prepare"));
    sqlite3_bind_int64(move, 1, last + 1);
    sqlite3_bind_int64(move, 2, id);
    if (const auto stepped = stepOnce(move); !stepped)
        return stepped.error();
    return last + 1;
}

Result<AnswersStore::Inserted> SqliteAnswersStore::replaceAnswers(const NewRow& row, qint64 rowId,
    const QStringList& columns, const QList<const std::optional<QString>*>& values)
{
    if (columns.isEmpty())
        return Inserted { Inserted::Repeated, rowId };
    // One statement that changes the row only where an answer differs, so
    // the same answers sent again change nothing, not even the change time.
    QString set, differs;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString column = quote(columns.at(i));
        const QString mark = QStringLiteral("?%1").arg(i + 1);
        set += (i ? QStringLiteral(", ") : QString()) + column + QStringLiteral(" = ") + mark;
        differs += (i ? QStringLiteral(" OR ") : QString()) + column + QStringLiteral(" IS NOT ") + mark;
    }
    sqlite3_stmt* update
        = statementFor(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3 AND (%4)")
                           .arg(quote(row.table), set, QString::number(columns.size() + 1), differs));
    if (!update)
        return engineFailure(QStringLiteral("prepare"));
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (!*values.at(i)) {
            sqlite3_bind_null(update, int(i + 1));
        } else {
            const QByteArray utf8 = (*values.at(i))->toUtf8();
            sqlite3_bind_text(update, int(i + 1), utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
    }
    sqlite3_bind_int64(update, int(columns.size() + 1), rowId);
    if (const auto stepped = stepOnce(update); !stepped)
        return stepped.error();
    if (sqlite3_changes(m_db->handle()) == 0)
        return Inserted { Inserted::Repeated, rowId };

    if (const auto changes = hasChangeTimes(true); !changes)
        return changes.error();
    sqlite3_stmt* noted
        = statementFor(QStringLiteral("UPDATE %1 SET changed = ?1 WHERE token = ?2").arg(quote(kArrivals)));
    if (!noted)
        return engineFailure(QStringLiteral("prepare"));
    const QDateTime at = row.arrivedAt.isValid() ? row.arrivedAt : QDateTime::currentDateTimeUtc();
    const QByteArray when = at.toUTC().toString(Qt::ISODateWithMs).toUtf8();
    const QByteArray token = row.token.toUtf8();
    sqlite3_bind_text(noted, 1, when.constData(), int(when.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(noted, 2, token.constData(), int(token.size()), SQLITE_TRANSIENT);
    if (const auto stepped = stepOnce(noted); !stepped)
        return stepped.error();
    return Inserted { Inserted::Replaced, rowId };
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

const SqliteAnswersStore::TableColumns* SqliteAnswersStore::columnsOf(const QString& table)
{
    auto it = m_columns.find(table);
    if (it == m_columns.end()) {
        TableColumns columns;
        // Only a real table of that exact name; a view or an index is no
        // form's table, and neither is the side table.
        if (table.compare(kArrivals, Qt::CaseInsensitive) != 0) {
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(m_db->handle(),
                    "SELECT p.name FROM sqlite_master m, pragma_table_info(m.name) p "
                    "WHERE m.type = 'table' AND m.name = ?1 ORDER BY p.cid",
                    -1, &stmt, nullptr)
                == SQLITE_OK) {
                const QByteArray name = table.toUtf8();
                sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
                while (sqlite3_step(stmt) == SQLITE_ROW) {
                    const QString column
                        = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                            sqlite3_column_bytes(stmt, 0));
                    columns.byFoldedName.insert(foldAscii(column), int(columns.names.size()));
                    columns.names.append(column);
                }
            }
            sqlite3_finalize(stmt);
        }
        it = m_columns.insert(table, columns);
    }
    return it->names.isEmpty() ? nullptr : &*it;
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
    m_schemaVersion = -1;
    m_arrivalsKnown = false;
    m_changesKnown = false;
    m_marksKnown.reset();
    m_rowCounts.clear();
}

Result<std::optional<QDateTime>> SqliteAnswersStore::arrivalOf(const QString& table, qint64 rowId)
{
    // Asked once per exported row: the statement is kept.
    if (!m_arrivalsKnown) {
        if (!m_db->tableExists(kArrivals))
            return std::optional<QDateTime>();
        m_arrivalsKnown = true;
    }
    return timeOf(QStringLiteral("arrived"), table, rowId);
}

Result<std::optional<QDateTime>> SqliteAnswersStore::changeOf(const QString& table, qint64 rowId)
{
    const auto changes = hasChangeTimes(false);
    if (!changes || !*changes)
        return changes ? Result<std::optional<QDateTime>>(std::optional<QDateTime>()) : changes.error();
    return timeOf(QStringLiteral("changed"), table, rowId);
}

Result<std::optional<QDateTime>> SqliteAnswersStore::timeOf(
    const QString& column, const QString& table, qint64 rowId)
{
    sqlite3_stmt* stmt
        = statementFor(QStringLiteral("SELECT %1 FROM %2 WHERE answers_table = ?1 AND row_id = ?2")
                           .arg(column, quote(kArrivals)));
    if (!stmt)
        return engineFailure(QStringLiteral("prepare"));
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(stmt, 2, rowId);
    std::optional<QDateTime> when;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW && sqlite3_column_bytes(stmt, 0) > 0) {
        const QDateTime t = QDateTime::fromString(
            QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), sqlite3_column_bytes(stmt, 0)),
            Qt::ISODateWithMs);
        if (t.isValid())
            when = t.toUTC();
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return Error { SqliteConnection::kindOf(rc), QStringLiteral("read the time of row %1").arg(rowId) };
    return when;
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
