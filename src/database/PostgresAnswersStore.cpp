// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The store itself: opening it, and reading, ordering and deleting rows.
#include "database/PostgresAnswersStore.h"

#include "database/PostgresConnection_p.h"
#include "database/StoreRules.h"

#include <QVarLengthArray>

#include <limits>

#include <libpq-fe.h>

namespace quenlow {

using namespace postgres;

PostgresAnswersStore::PostgresAnswersStore(std::unique_ptr<Connection> connection, const QString& location)
    : m_db(std::move(connection))
    , m_location(location)
{
    // What the store saw of a session is gone with it.
    m_db->onNewSession([this] { forgetSchema(); });
}

PostgresAnswersStore::~PostgresAnswersStore() = default;

QString PostgresAnswersStore::withoutPassword(const QString& url)
{
    return shownLocation(url);
}

Result<std::shared_ptr<AnswersStore>> PostgresAnswersStore::reached(const QString& url, bool create)
{
    const Result<pg_conn*> conn = reach(url, create ? Opening::Create : Opening::Open);
    if (!conn)
        return conn.error();
    const QString location = withoutPassword(url);
    return std::shared_ptr<AnswersStore>(
        new PostgresAnswersStore(std::make_unique<Connection>(*conn, location), location));
}

Result<std::shared_ptr<AnswersStore>> PostgresAnswersStore::open(const QString& url)
{
    return reached(url, false);
}

Result<std::shared_ptr<AnswersStore>> PostgresAnswersStore::create(const QString& url)
{
    return reached(url, true);
}

Result<qint64> PostgresAnswersStore::rowCount(const QString& table)
{
    const auto n = count(table);
    if (n.failedWith(Error::NotFound))
        return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
    return n;
}

Result<AnswersStore::RowSpan> PostgresAnswersStore::rowSpan(const QString& table)
{
    const auto r
        = m_db->run(QStringLiteral("SELECT min(%1), max(%1), count(*) FROM %2").arg(kId, tableRef(table)));
    if (!r)
        return r.error();
    RowSpan span;
    span.count = number(r->get(), 0, 2);
    if (span.count > 0) {
        span.first = number(r->get(), 0, 0);
        span.last = number(r->get(), 0, 1);
    }
    return span;
}

Result<QList<AnswersStore::Row>> PostgresAnswersStore::rowsOf(
    const QString& sql, const Params& params, int valueCount, bool withArrival)
{
    const auto r = m_db->run(sql, params);
    if (!r)
        return r.error();
    const pg_result* res = r->get();
    QList<Row> rows;
    const int n = PQntuples(res);
    rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        Row row;
        row.id = number(res, i, 0);
        // With the arrival, column 2 is the change time and the values follow it.
        if (withArrival) {
            row.arrivedAt = timeFrom(res, i, 1);
            row.changedAt = timeFrom(res, i, 2);
        }
        const int first = withArrival ? 3 : 2;
        row.values.reserve(valueCount);
        for (int c = first; c < first + valueCount; ++c)
            row.values.append(PQgetisnull(res, i, c) ? QVariant() : QVariant(text(res, i, c)));
        rows.append(std::move(row));
    }
    return rows;
}

namespace {

QString selectedColumns(const QStringList& columns)
{
    QString selected;
    for (const QString& c : columns)
        selected += QStringLiteral(", t.") + columnRef(c);
    return selected;
}

} // namespace

Result<QList<AnswersStore::Row>> PostgresAnswersStore::readRows(
    const QString& table, const QStringList& columns, qint64 afterId, qint64 limit, bool arrivals)
{
    const QString arrival = arrivals
        ? QStringLiteral(
            "(SELECT a.arrived FROM %1 a WHERE a.answers_table = $1 AND "
            "a.row_id = t.%2 LIMIT 1), (SELECT a.changed FROM %1 a WHERE a.answers_table = $1 AND "
            "a.row_id = t.%2 LIMIT 1)")
              .arg(kArrivals, kId)
        : QStringLiteral("NULL::text");
    const QString sql = QStringLiteral("SELECT t.%1, %2%3 FROM %4 t WHERE t.%1 > %5 ORDER BY t.%1 LIMIT %6")
                            .arg(kId, arrival, selectedColumns(columns), tableRef(table),
                                QString::number(afterId), QString::number(qMax<qint64>(limit, 0)));
    return rowsOf(sql, arrivals ? Params { physicalName(table) } : Params {}, int(columns.size()), arrivals);
}

Result<qint64> PostgresAnswersStore::visitRows(const QString& table, const QStringList& columns,
    qint64 afterId, qint64 limit, const std::function<void(qint64 id, RawValues values)>& visit)
{
    // The server sends UTF-8 text already: hand it over as it came.
    const QString sql = QStringLiteral("SELECT t.%1%2 FROM %3 t WHERE t.%1 > %4 ORDER BY t.%1 LIMIT %5")
                            .arg(kId, selectedColumns(columns), tableRef(table), QString::number(afterId),
                                QString::number(qMax<qint64>(limit, 0)));
    const auto r = m_db->run(sql);
    if (!r)
        return r.error();
    const pg_result* res = r->get();
    const int n = PQntuples(res);
    QVarLengthArray<std::optional<QByteArrayView>, 16> values(columns.size());
    for (int i = 0; i < n; ++i) {
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const int column = int(c) + 1;
            if (PQgetisnull(res, i, column))
                values[c].reset();
            else
                values[c] = QByteArrayView(PQgetvalue(res, i, column), PQgetlength(res, i, column));
        }
        visit(number(res, i, 0), RawValues(values.constData(), size_t(values.size())));
    }
    return qint64(n);
}

Result<qint64> PostgresAnswersStore::orderRows(const QString& table, const RowOrder& order)
{
    // The matching ids in the order shown, kept here and put in order by the
    // rules the embedded store follows; the rows are read a page of ids at a
    // time, so that a large table never lies in memory twice.
    m_orderIds.clear();
    const bool sorted = !order.sortColumn.isEmpty();
    QString filter;
    Params params { Param(QByteArray::number(std::numeric_limits<qint64>::min())) };
    if (!order.filter.isEmpty()) {
        // ASCII letters folded, everything else as it is, as the embedded store's LIKE.
        QStringList matches;
        for (const QString& column : order.filterColumns)
            matches.append(QStringLiteral("strpos(%1, %2) > 0")
                               .arg(kFold.arg(QStringLiteral("t.") + columnRef(column)),
                                   kFold.arg(QStringLiteral("$2"))));
        filter = QStringLiteral(" AND (%1)")
                     .arg(matches.isEmpty() ? QStringLiteral("false") : matches.join(QStringLiteral(" OR ")));
        params.append(order.filter);
    }
    constexpr int kPage = 50000;
    const QString sql
        = QStringLiteral("SELECT t.%1%2 FROM %3 t WHERE t.%1 > $1::bigint%4 ORDER BY t.%1 LIMIT %5")
              .arg(kId, sorted ? QStringLiteral(", t.") + columnRef(order.sortColumn) : QString(),
                  tableRef(table), filter, QString::number(kPage));
    rules::RowOrdering values;
    for (;;) {
        const auto r = m_db->run(sql, params);
        if (!r) {
            m_orderIds.clear();
            return r.error();
        }
        const pg_result* res = r->get();
        const int n = PQntuples(res);
        for (int i = 0; i < n; ++i) {
            const qint64 id = number(res, i, 0);
            if (!sorted)
                m_orderIds.append(id);
            else if (PQgetisnull(res, i, 1))
                values.addNull(id);
            else
                values.addText(id, reinterpret_cast<const unsigned char*>(PQgetvalue(res, i, 1)),
                    PQgetlength(res, i, 1));
        }
        if (n < kPage)
            break;
        params[0] = Param(QByteArray::number(number(res, n - 1, 0)));
    }
    if (sorted)
        m_orderIds = values.ids(order.descending);
    return qint64(m_orderIds.size());
}

Result<QList<AnswersStore::Row>> PostgresAnswersStore::orderedRows(
    const QString& table, const QStringList& columns, qint64 position, qint64 limit, bool arrivals)
{
    const QString times = arrivals
        ? QStringLiteral(
            "(SELECT a.arrived FROM %1 a WHERE a.answers_table = $2 AND "
            "a.row_id = t.%2 LIMIT 1), (SELECT a.changed FROM %1 a WHERE a.answers_table = $2 AND "
            "a.row_id = t.%2 LIMIT 1)")
              .arg(kArrivals, kId)
        : QStringLiteral("NULL::text");
    const QString sql = QStringLiteral("SELECT t.%1, %2%3 FROM %4 t WHERE t.%1 = ANY ($1::bigint[])")
                            .arg(kId, times, selectedColumns(columns), tableRef(table));
    return rules::rowsInOrder(m_orderIds, position, limit, [&](std::span<const qint64> ids) {
        QByteArray list = "{";
        for (const qint64 id : ids)
            list += (list.size() > 1 ? "," : "") + QByteArray::number(id);
        list += '}';
        Params params { Param(list) };
        if (arrivals)
            params.append(physicalName(table));
        return rowsOf(sql, params, int(columns.size()), arrivals);
    });
}

Result<QList<qint64>> PostgresAnswersStore::countMatches(
    const QString& table, const QString& column, const QStringList& values)
{
    // Compared as stored: equality of text is byte equality.
    const auto r
        = m_db->run(QStringLiteral("SELECT %1, count(*) FROM %2 WHERE %1 = ANY ($1::text[]) GROUP BY %1")
                        .arg(columnRef(column), tableRef(table)),
            { Param(arrayOf(values)) });
    if (!r)
        return r.error().kind == Error::Duplicate ? Error { Error::Other, r.error().detail } : r.error();
    QHash<QString, qint64> counts;
    for (int i = 0; i < PQntuples(r->get()); ++i)
        counts.insert(text(r->get(), i, 0), number(r->get(), i, 1));
    QList<qint64> result;
    result.reserve(values.size());
    for (const QString& value : values)
        result.append(counts.value(value));
    return result;
}

Result<void> PostgresAnswersStore::deleteRows(const QString& table, const QList<qint64>& ids)
{
    QByteArray list = "{";
    for (qsizetype i = 0; i < ids.size(); ++i)
        list += (i ? "," : "") + QByteArray::number(ids.at(i));
    list += '}';
    return m_db->inTransaction([&]() -> Result<void> {
        if (const auto r = m_db->run(
                QStringLiteral("DELETE FROM %1 WHERE %2 = ANY ($1::bigint[])").arg(tableRef(table), kId),
                { Param(list) });
            !r)
            return r.error();
        // The token stays: the same page sent again must not store its answers anew.
        if (const auto r = m_db->run(
                QStringLiteral(
                    "UPDATE %1 SET row_id = NULL WHERE answers_table = $1 AND row_id = ANY ($2::bigint[])")
                    .arg(kArrivals),
                { physicalName(table), Param(list) });
            !r)
            return r.error();
        return {};
    });
}

Result<std::optional<QDateTime>> PostgresAnswersStore::changeOf(const QString& table, qint64 rowId)
{
    const auto r = m_db->run(
        QStringLiteral("SELECT changed FROM %1 WHERE answers_table = $1 AND row_id = $2::bigint AND changed "
                       "IS NOT NULL")
            .arg(kArrivals),
        { physicalName(table), QString::number(rowId) });
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return std::optional<QDateTime>();
    return timeFrom(r->get(), 0, 0);
}

Result<std::optional<QDateTime>> PostgresAnswersStore::arrivalOf(const QString& table, qint64 rowId)
{
    const auto r
        = m_db->run(QStringLiteral("SELECT arrived FROM %1 WHERE answers_table = $1 AND row_id = $2::bigint")
                        .arg(kArrivals),
            { physicalName(table), QString::number(rowId) });
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return std::optional<QDateTime>();
    return timeFrom(r->get(), 0, 0);
}

void PostgresAnswersStore::interrupt()
{
    m_db->interrupt();
}

Result<void> PostgresAnswersStore::checkWritable()
{
    const auto r = m_db->run(
        QStringLiteral("SELECT NOT pg_is_in_recovery() AND current_setting('transaction_read_only') = 'off' "
                       "AND has_table_privilege('quenlow.arrivals', 'INSERT')"));
    if (!r)
        return r.error();
    if (QByteArray(PQgetvalue(r->get(), 0, 0)) != "t")
        return Error { Error::Io, QStringLiteral("%1 accepts no writes now").arg(m_location) };
    // A committed write, as answers are: a server that cannot write its log refuses it.
    if (const auto w
        = m_db->run(QStringLiteral("INSERT INTO quenlow.settings (key, value) VALUES ('written', $1) "
                                   "ON CONFLICT (key) DO UPDATE SET value = excluded.value"),
            { QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) });
        !w)
        return w.error();
    return {};
}

} // namespace quenlow
