// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// Rows read, counted, ordered for browsing, and their times.
#include "database/SqliteAnswersStore.h"

#include "database/AnswerColumns.h"
#include "database/SqliteConnection_p.h"
#include "database/StoreRules.h"

#include <QVarLengthArray>

#include <algorithm>

#include <sqlite3.h>

namespace quenlow {

using namespace sqlite;

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

// The value in column `column` of the current row of `stmt`, by its kind.
// Read through sqlite3_value, which takes no lock per call (the connection
// is this thread's alone while the rows are read).
void addValue(rules::RowOrdering& order, sqlite3_stmt* stmt, int column, qint64 id)
{
    sqlite3_value* value = sqlite3_column_value(stmt, column);
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        order.addNull(id);
        break;
    case SQLITE_INTEGER:
        order.addInteger(id, sqlite3_value_int64(value));
        break;
    case SQLITE_FLOAT:
        order.addReal(id, sqlite3_value_double(value));
        break;
    case SQLITE_TEXT:
        order.addText(id, sqlite3_value_text(value), sqlite3_value_bytes(value));
        break;
    default:
        order.addBlob(
            id, static_cast<const unsigned char*>(sqlite3_value_blob(value)), sqlite3_value_bytes(value));
        break;
    }
}

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
    rules::RowOrdering values;
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
                addValue(values, stmt, 1, sqlite3_column_int64(stmt, 0));
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
    const QString& table, const QStringList& columns, qint64 position, qint64 limit, bool arrivals)
{
    // As many columns as one select can name; the others are joined after.
    // The times are joined from the side table where it exists, as readRows does.
    const qsizetype group = selectableColumns();
    const bool joined = arrivals && m_db->tableExists(kArrivals);
    const auto changes = joined ? hasChangeTimes(false) : Result<bool>(false);
    if (!changes)
        return changes.error();
    QString selected = joined ? (*changes ? QStringLiteral("t.rowid, a.arrived, a.changed")
                                          : QStringLiteral("t.rowid, a.arrived, NULL"))
                              : QStringLiteral("t.rowid, NULL, NULL");
    for (const QString& c : columns.mid(0, group))
        selected += QStringLiteral(", t.") + quote(c);
    const QString join = joined
        ? QStringLiteral(" LEFT JOIN %1 a ON a.answers_table = ?1 AND a.row_id = t.rowid")
              .arg(quote(kArrivals))
        : QString();
    const QByteArray name = table.toUtf8();
    auto rows = rules::rowsInOrder(
        m_orderIds, position, limit, [&](std::span<const qint64> wanted) -> Result<QList<Row>> {
            QString ids;
            for (const qint64 id : wanted)
                ids += (ids.isEmpty() ? QString() : QStringLiteral(",")) + QString::number(id);
            const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 t%3 WHERE t.rowid IN (%4)")
                                       .arg(selected, quote(table), join, ids)
                                       .toUtf8();
            auto prepared = prepareOn(table, sql);
            if (!prepared)
                return prepared.error();
            if (joined)
                sqlite3_bind_text(*prepared, 1, name.constData(), int(name.size()), SQLITE_STATIC);
            return rowsOf(*prepared, int(std::min(columns.size(), group)), true);
        });
    if (!rows)
        return rows.error();
    QList<Row> found = std::move(rows).value();
    if (columns.size() > group) {
        if (const auto others = readOtherColumns(table, columns, group, found); !others)
            return others.error();
    }
    return found;
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
} // namespace quenlow
