// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/AnswerPositions.h"

#include "database/AnswersStore.h"

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

constexpr qint64 kReadAhead = 1024;

} // namespace

AnswerPositions::AnswerPositions(const QString& table)
    : m_table(table)
{
}

bool AnswerPositions::loadAfter(AnswersStore& store, qint64 lastId, qint64 limit)
{
    const auto rows = store.readRows(m_table, {}, lastId, limit);
    if (!rows)
        return false;
    for (const AnswersStore::Row& row : *rows)
        m_ids.append(row.id);
    return true;
}

AnswerPositions::Direct AnswerPositions::directRowId(AnswersStore& store, qint64 number)
{
    const auto span = store.rowSpan(m_table);
    if (!span)
        return {};
    if (span->count == 0)
        return { true, std::nullopt };
    // As many rows as ids from the first to the last: no id is missing in between.
    if (span->last - span->first + 1 != span->count)
        return {};
    if (number > span->count)
        return { true, std::nullopt };
    return { true, span->first + number - 1 };
}

std::optional<qint64> AnswerPositions::rowIdOf(AnswersStore& store, qint64 number)
{
    if (number < 1)
        return std::nullopt;
    if (number > m_ids.size() + kReadAhead) {
        // A long jump. Ids are dense until answers are deleted, and then
        // answer N is simply the N-th id; otherwise the walk below finds it.
        if (const Direct direct = directRowId(store, number); direct.dense)
            return direct.id;
    }
    if (number > m_ids.size()) {
        // Read up to the wanted answer and a little beyond, so that stepping
        // through the answers one by one rarely needs another read. The read
        // starts after the last known id: it is a seek, and it finds answers
        // stored since as well.
        const qint64 last = m_ids.isEmpty() ? std::numeric_limits<qint64>::min() : m_ids.constLast();
        if (!loadAfter(store, last, number - m_ids.size() + kReadAhead))
            return std::nullopt;
        if (number > m_ids.size())
            return std::nullopt;
    }
    return m_ids.at(number - 1);
}

std::optional<qint64> AnswerPositions::numberOf(AnswersStore& store, qint64 rowId)
{
    const auto span = store.rowSpan(m_table);
    if (!span || span->count == 0 || rowId < span->first || rowId > span->last)
        return std::nullopt;
    if (span->last - span->first + 1 == span->count)
        return rowId - span->first + 1;
    // Ids with gaps: counted from the first answer, as the ids known may be
    // stale after deletions elsewhere.
    reset();
    while (m_ids.isEmpty() || m_ids.constLast() < rowId) {
        const qint64 before = m_ids.size();
        const qint64 last = m_ids.isEmpty() ? std::numeric_limits<qint64>::min() : m_ids.constLast();
        if (!loadAfter(store, last, 16 * kReadAhead))
            return std::nullopt;
        if (m_ids.size() == before)
            break;
    }
    const auto found = std::lower_bound(m_ids.cbegin(), m_ids.cend(), rowId);
    if (found == m_ids.cend() || *found != rowId)
        return std::nullopt;
    return found - m_ids.cbegin() + 1;
}

AnswerPositions::Answer AnswerPositions::valueOf(AnswersStore& store, const QString& column, qint64 number)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<qint64> id = rowIdOf(store, number);
        if (!id)
            return {};
        const auto rows = store.readRows(m_table, { column }, *id - 1, 1);
        if (!rows)
            return { ValueState::NoColumn, {}, id };
        if (!rows->isEmpty() && rows->constFirst().id == *id) {
            const QVariant value = rows->constFirst().values.value(0);
            if (value.isNull())
                return { ValueState::Null, {}, id };
            return { ValueState::Value, value, id };
        }
        // The row went away under us: the positions are stale.
        reset();
    }
    return {};
}

} // namespace quenlow
