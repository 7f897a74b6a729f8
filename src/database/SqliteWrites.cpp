// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// Rows stored and deleted: the writer's transaction, its caches, ids never given twice.
#include "database/SqliteAnswersStore.h"

#include "core/IsoMoment.h"
#include "database/AnswerColumns.h"
#include "database/SqliteConnection_p.h"
#include "database/StoreRules.h"

#include <QVarLengthArray>

#include <algorithm>

#include <sqlite3.h>

namespace quenlow {

using namespace sqlite;

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

Result<void> SqliteAnswersStore::stepKept(const QString& sql)
{
    sqlite3_stmt* stmt = statementFor(sql);
    if (!stmt)
        return engineFailure(QStringLiteral("prepare"));
    return stepOnce(stmt);
}

Result<qint64> SqliteAnswersStore::keptNumber(const QString& sql)
{
    sqlite3_stmt* stmt = statementFor(sql);
    if (!stmt)
        return engineFailure(QStringLiteral("prepare"));
    const int rc = sqlite3_step(stmt);
    const qint64 n = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
    sqlite3_reset(stmt);
    if (rc != SQLITE_ROW)
        return engineFailure(QStringLiteral("step"));
    return n;
}

Result<QList<AnswersStore::Inserted>> SqliteAnswersStore::insertRows(const QList<NewRow>& rows)
{
    // IMMEDIATE: the write lock is ours before the first look at the schema,
    // so what is read below holds until the commit.
    if (const auto r = stepKept(QStringLiteral("BEGIN IMMEDIATE")); !r)
        return failure(QStringLiteral("begin"), r.error());
    // The schema cookie changes with every column the designer adds, renames
    // or drops; forget whatever it outdates.
    const qint64 version = keptNumber(QStringLiteral("PRAGMA schema_version")).valueOr(-1);
    if (version != m_schemaVersion || version < 0) {
        forgetSchema();
        m_schemaVersion = version;
    }
    // Another connection's commit (the designer deleting answers, a second
    // service) changes how many rows there are.
    const qint64 dataVersion = keptNumber(QStringLiteral("PRAGMA data_version")).valueOr(-1);
    if (dataVersion != m_countsDataVersion || dataVersion < 0) {
        m_rowCounts.clear();
        m_quotaCounts.clear();
        m_unclaimed.clear();
        m_countsDataVersion = dataVersion;
    }
    // Participants added or removed, or answers deleted, on this connection
    // outside the writer's transactions.
    if (sqlite3_total_changes64(m_db->handle()) != m_changesAfterWriting)
        m_unclaimed.clear();
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
        if (const auto r = stepKept(QStringLiteral("COMMIT")); !r)
            failed = failure(QStringLiteral("commit"), r.error());
        else
            m_changesAfterWriting = sqlite3_total_changes64(m_db->handle());
    }
    if (failed) {
        (void)m_db->rollback();
        // A failed statement may leave cached ones unusable; prepare afresh.
        forgetSchema();
        return *failed;
    }
    return results;
}

// The embedded engine's steps storing one row, for the rules of tokens and limits.
class SqliteRowWrites final : public rules::RowEngine
{
public:
    SqliteRowWrites(SqliteAnswersStore& store, const QStringList& columns, const rules::PickedValues& values)
        : m_store(store)
        , m_columns(columns)
        , m_values(values)
    {
    }

    Result<std::optional<rules::TokenHolder>> tokenHolder(const QString& token, const QString& table) override
    {
        return m_store.tokenHolder(token, table);
    }
    Result<bool> replaceAnswers(const AnswersStore::NewRow& row, qint64 rowId) override
    {
        return m_store.replaceAnswers(row, rowId, m_columns, m_values);
    }
    Result<qint64> rowCount(const QString& table) override { return m_store.rowsCounted(table); }
    Result<qint64> insertRow(const AnswersStore::NewRow& row) override
    {
        return m_store.insertNew(row, m_columns, m_values);
    }
    Result<bool> quotaFull(const AnswersStore::NewRow& row, std::optional<qint64> holder) override
    {
        return m_store.quotaFull(row, holder);
    }
    Result<rules::CodeHolder> codeHolder(const AnswersStore::NewRow& row) override
    {
        return m_store.codeHolder(row);
    }
    Result<void> claimCode(const AnswersStore::NewRow& row, std::optional<qint64> rowId) override
    {
        return m_store.claimCode(row, rowId);
    }

private:
    SqliteAnswersStore& m_store;
    const QStringList& m_columns;
    const rules::PickedValues& m_values;
};

Result<AnswersStore::Inserted> SqliteAnswersStore::insertOne(const NewRow& row)
{
    if (row.skip && row.skip())
        return Inserted { Inserted::Skipped, -1 };
    const TableColumns* table = columnsOf(row.table);
    if (!table)
        return Inserted { Inserted::NoSuchTable, -1 };
    if (!row.token.isEmpty() || row.arrivedAt.isValid()) {
        const auto made = hasArrivals();
        if (!made)
            return made.error();
    }
    const rules::PickedValues values
        = rules::pickValues(row.values, table->byFoldedName, table->names.size(), foldAscii);
    SqliteRowWrites engine(*this, table->names, values);
    return rules::storeRow(engine, row);
}

Result<std::optional<rules::TokenHolder>> SqliteAnswersStore::tokenHolder(
    const QString& token, const QString& table)
{
    sqlite3_stmt* seen = statementFor(QStringLiteral("SELECT ifnull(row_id, -1), answers_table = ?2 COLLATE "
                                                     "NOCASE, arrived FROM %1 WHERE token = ?1")
                                          .arg(quote(kArrivals)));
    if (!seen)
        return engineFailure(QStringLiteral("prepare"));
    const QByteArray tokenText = token.toUtf8();
    const QByteArray tableName = table.toUtf8();
    sqlite3_bind_text(seen, 1, tokenText.constData(), int(tokenText.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(seen, 2, tableName.constData(), int(tableName.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(seen);
    std::optional<rules::TokenHolder> holder;
    if (rc == SQLITE_ROW) {
        holder = rules::TokenHolder { sqlite3_column_int(seen, 1) != 0, sqlite3_column_int64(seen, 0),
            QDateTime::fromString(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(seen, 2))),
                Qt::ISODateWithMs) };
    }
    sqlite3_reset(seen);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return Error { SqliteConnection::kindOf(rc), QStringLiteral("look up token") };
    return holder;
}

Result<qint64> SqliteAnswersStore::insertNew(
    const NewRow& row, const QStringList& columns, const rules::PickedValues& valueOf)
{
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
    countQuotas(row.table, valueOf);
    if (row.token.isEmpty() && !row.arrivedAt.isValid())
        return id;

    sqlite3_stmt* arrival = statementFor(
        QStringLiteral("INSERT INTO %1 (answers_table, row_id, arrived, token) VALUES (?1, ?2, ?3, ?4)")
            .arg(quote(kArrivals)));
    if (!arrival)
        return engineFailure(QStringLiteral("prepare"));
    const QByteArray tableName = row.table.toUtf8();
    const QByteArray when = isoMomentUtc(row.arrivedAt);
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
    return id;
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

Result<bool> SqliteAnswersStore::quotaFull(const NewRow& row, std::optional<qint64> holder)
{
    const TableColumns* table = columnsOf(row.table);
    if (!table)
        return false;
    for (const NewRow::Quota& quota : row.quotas) {
        const auto column = table->byFoldedName.constFind(foldAscii(quota.column));
        if (column == table->byFoldedName.cend())
            continue;
        if (holder) {
            // A page sent again keeps a place it holds already.
            sqlite3_stmt* kept = statementFor(QStringLiteral("SELECT %1 IS ?1 FROM %2 WHERE rowid = ?2")
                                                  .arg(quote(table->names.at(*column)), quote(row.table)));
            if (!kept)
                return engineFailure(QStringLiteral("prepare"));
            const QByteArray answer = quota.answer.toUtf8();
            sqlite3_bind_text(kept, 1, answer.constData(), int(answer.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(kept, 2, *holder);
            const int rc = sqlite3_step(kept);
            const bool keeps = rc == SQLITE_ROW && sqlite3_column_int(kept, 0) != 0;
            sqlite3_reset(kept);
            if (rc != SQLITE_ROW && rc != SQLITE_DONE)
                return engineFailure(QStringLiteral("read the answers of row %1").arg(*holder));
            if (keeps)
                continue;
        }
        const Result<qint64> counted = quotaCounted(row.table, *column, quota.answer);
        if (!counted)
            return counted.error();
        if (*counted >= quota.limit)
            return true;
    }
    return false;
}

Result<qint64> SqliteAnswersStore::quotaCounted(const QString& table, int column, const QString& answer)
{
    // Counted once per answer while no other connection writes; the rows
    // this connection stores are added as they come.
    QList<QuotaCount>& counts = m_quotaCounts[table];
    for (const QuotaCount& known : std::as_const(counts)) {
        if (known.column == column && known.answer == answer)
            return known.rows;
    }
    const TableColumns* columns = columnsOf(table);
    if (!columns || column >= columns->names.size())
        return Error { Error::NotFound, QStringLiteral("no column %1 in %2").arg(column).arg(table) };
    const Result<qint64> counted = m_db->number(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?1")
                                                    .arg(quote(table), quote(columns->names.at(column))),
        { answer });
    if (!counted)
        return failure(QStringLiteral("count the answers of %1").arg(table), counted.error());
    counts.append({ column, answer, *counted });
    return *counted;
}

void SqliteAnswersStore::countQuotas(const QString& table, const rules::PickedValues& values)
{
    const auto counts = m_quotaCounts.find(table);
    if (counts == m_quotaCounts.end())
        return;
    for (QuotaCount& count : *counts) {
        if (count.column < values.size() && values[count.column] && *values[count.column]
            && **values[count.column] == count.answer)
            ++count.rows;
    }
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

Result<bool> SqliteAnswersStore::replaceAnswers(
    const NewRow& row, qint64 rowId, const QStringList& columns, const rules::PickedValues& valueOf)
{
    // One statement that changes the row only where an answer differs, so
    // the same answers sent again change nothing, not even the change time.
    QString set, differs;
    int bound = 0;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (!valueOf[i])
            continue;
        const QString column = quote(columns.at(i));
        const QString mark = QStringLiteral("?%1").arg(++bound);
        set += (bound > 1 ? QStringLiteral(", ") : QString()) + column + QStringLiteral(" = ") + mark;
        differs
            += (bound > 1 ? QStringLiteral(" OR ") : QString()) + column + QStringLiteral(" IS NOT ") + mark;
    }
    if (!bound)
        return false;
    sqlite3_stmt* update = statementFor(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3 AND (%4)")
                                            .arg(quote(row.table), set, QString::number(bound + 1), differs));
    if (!update)
        return engineFailure(QStringLiteral("prepare"));
    int position = 0;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (!valueOf[i])
            continue;
        ++position;
        if (!*valueOf[i]) {
            sqlite3_bind_null(update, position);
        } else {
            const QByteArray utf8 = (*valueOf[i])->toUtf8();
            sqlite3_bind_text(update, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
    }
    sqlite3_bind_int64(update, bound + 1, rowId);
    if (const auto stepped = stepOnce(update); !stepped)
        return stepped.error();
    if (sqlite3_changes(m_db->handle()) == 0)
        return false;
    // The row may have left one quota's answer for another's.
    m_quotaCounts.remove(row.table);

    if (const auto changes = hasChangeTimes(true); !changes)
        return changes.error();
    // By the row, not the token: a participant's second answer replaces the
    // first from a page of another token.
    sqlite3_stmt* noted
        = statementFor(QStringLiteral("UPDATE %1 SET changed = ?1 WHERE answers_table = ?2 AND row_id = ?3")
                           .arg(quote(kArrivals)));
    if (!noted)
        return engineFailure(QStringLiteral("prepare"));
    const QDateTime at = row.arrivedAt.isValid() ? row.arrivedAt : QDateTime::currentDateTimeUtc();
    const QByteArray when = isoMomentUtc(at);
    const QByteArray tableName = row.table.toUtf8();
    sqlite3_bind_text(noted, 1, when.constData(), int(when.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(noted, 2, tableName.constData(), int(tableName.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(noted, 3, rowId);
    if (const auto stepped = stepOnce(noted); !stepped)
        return stepped.error();
    return true;
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
} // namespace quenlow
