// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/AnswerPositions.h"

#include "database/AnswersDatabase.h"

#include <sqlite3.h>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    Statement(sqlite3* db, const QString& sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK)
            stmt = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

constexpr qint64 kReadAhead = 1024;

} // namespace

AnswerPositions::AnswerPositions(const QString& table)
    : m_table(table)
{
}

bool AnswerPositions::loadAfter(AnswersDatabase& db, qint64 lastId, qint64 limit)
{
    Statement s(db.handle(), u"SELECT rowid FROM %1 WHERE rowid > ?1 ORDER BY rowid LIMIT ?2"_s.arg(
                                 AnswersDatabase::quoteIdentifier(m_table)));
    if (!s.stmt)
        return false;
    sqlite3_bind_int64(s.stmt, 1, lastId);
    sqlite3_bind_int64(s.stmt, 2, limit);
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW)
        m_ids.append(sqlite3_column_int64(s.stmt, 0));
    return rc == SQLITE_DONE;
}

AnswerPositions::Direct AnswerPositions::directRowId(AnswersDatabase& db, qint64 number)
{
    // min and max of the rowid are one descent of the tree each, and count(*)
    // counts the cells of the leaf pages without reading the rows.
    // (Each in its own subquery: min and max together would scan the table.)
    Statement s(db.handle(), u"SELECT (SELECT min(rowid) FROM %1), (SELECT max(rowid) FROM %1), (SELECT count(*) FROM %1)"_s.arg(
                                 AnswersDatabase::quoteIdentifier(m_table)));
    if (!s.stmt || sqlite3_step(s.stmt) != SQLITE_ROW)
        return {};
    const qint64 count = sqlite3_column_int64(s.stmt, 2);
    if (count == 0)
        return {true, std::nullopt};
    const qint64 first = sqlite3_column_int64(s.stmt, 0);
    const qint64 last = sqlite3_column_int64(s.stmt, 1);
    // As many rows as ids from the first to the last: no id is missing in between.
    if (last - first + 1 != count)
        return {};
    if (number > count)
        return {true, std::nullopt};
    return {true, first + number - 1};
}

std::optional<qint64> AnswerPositions::rowIdOf(AnswersDatabase& db, qint64 number)
{
    if (number < 1)
        return std::nullopt;
    if (number > m_ids.size() + kReadAhead) {
        // A long jump. Ids are dense until answers are deleted, and then
        // answer N is simply the N-th id; otherwise the walk below finds it.
        if (const Direct direct = directRowId(db, number); direct.dense)
            return direct.id;
    }
    if (number > m_ids.size()) {
        // Read up to the wanted answer and a little beyond, so that stepping
        // through the answers one by one rarely needs another read. The read
        // starts after the last known id: it is a seek, and it finds answers
        // stored since as well.
        const qint64 last = m_ids.isEmpty() ? std::numeric_limits<qint64>::min() : m_ids.constLast();
        if (!loadAfter(db, last, number - m_ids.size() + kReadAhead))
            return std::nullopt;
        if (number > m_ids.size())
            return std::nullopt;
    }
    return m_ids.at(number - 1);
}

AnswerPositions::Answer AnswerPositions::valueOf(AnswersDatabase& db, const QString& column, qint64 number)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<qint64> id = rowIdOf(db, number);
        if (!id)
            return {};
        Statement s(db.handle(), u"SELECT %1 FROM %2 WHERE rowid = ?1"_s.arg(AnswersDatabase::quoteIdentifier(column),
                                                                             AnswersDatabase::quoteIdentifier(m_table)));
        if (!s.stmt)
            return {ValueState::NoColumn, {}};
        sqlite3_bind_int64(s.stmt, 1, *id);
        const int rc = sqlite3_step(s.stmt);
        if (rc == SQLITE_ROW) {
            switch (sqlite3_column_type(s.stmt, 0)) {
            case SQLITE_NULL:
                return {ValueState::Null, {}};
            case SQLITE_INTEGER:
                return {ValueState::Value, QVariant(qlonglong(sqlite3_column_int64(s.stmt, 0)))};
            case SQLITE_FLOAT:
                return {ValueState::Value, QVariant(sqlite3_column_double(s.stmt, 0))};
            default:
                return {ValueState::Value,
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 0)),
                                          sqlite3_column_bytes(s.stmt, 0))};
            }
        }
        if (rc != SQLITE_DONE)
            return {ValueState::NoColumn, {}};
        // The row went away under us: the positions are stale.
        reset();
    }
    return {};
}

} // namespace quenlow
