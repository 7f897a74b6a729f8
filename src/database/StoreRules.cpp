// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/StoreRules.h"

#include "database/AnswerColumns.h"

#include <algorithm>
#include <cstring>

namespace quenlow::rules {

using Column = AnswersStore::Column;
using Inserted = AnswersStore::Inserted;

ColumnDiff diffColumns(const QList<Column>& current, const QList<Column>& target, AnswersStore::Restore how)
{
    const auto has = [](const QList<Column>& columns, const QString& name) {
        const QString folded = foldAscii(name);
        return std::any_of(
            columns.cbegin(), columns.cend(), [&](const Column& c) { return foldAscii(c.name) == folded; });
    };
    ColumnDiff diff;
    for (const Column& c : target) {
        if (!has(current, c.name))
            diff.added.append(c);
    }
    for (const Column& c : current) {
        if (!has(target, c.name))
            diff.removed.append(c);
    }
    // An edit renamed the question's column: it is renamed back.
    if (how == AnswersStore::Restore::Undo && diff.added.size() == 1 && diff.removed.size() == 1)
        diff.renamed = std::make_pair(diff.removed.takeFirst().name, diff.added.takeFirst().name);
    return diff;
}

Result<QStringList> restoreColumns(ColumnEngine& engine, const QString& table, const QList<Column>& target,
    const QString& olderRowsText, AnswersStore::Restore how)
{
    const auto current = engine.columns(table);
    if (!current)
        return current.error();
    const auto [added, removed, renamed] = diffColumns(*current, target, how);
    const auto rows = engine.rowCount(table);
    if (!rows)
        return rows.error();
    if (renamed) {
        if (const auto r = engine.renameColumn(table, renamed->first, renamed->second); !r)
            return r.error();
    }
    QStringList kept;
    for (const Column& c : removed) {
        // A column that has answers by now keeps them; the form no longer asks
        // it. One that cannot be read is taken to have some.
        bool answered = false;
        if (*rows > 0) {
            const auto held = engine.holdsOtherThan(table, c.name, olderRowsText);
            answered = !held || *held;
        }
        if (answered)
            kept.append(c.name);
        else if (const auto r = engine.dropColumn(table, c.name); !r)
            return r.error();
    }
    for (const Column& c : added) {
        // As when the question was added: older answers say they came before it.
        if (const auto r
            = engine.addColumn(table, c, *rows > 0 ? std::optional(olderRowsText) : std::nullopt);
            !r)
            return r.error();
    }
    // A column put back goes back to its place, while the table is empty.
    if (how == AnswersStore::Restore::Undo && *rows == 0 && !added.isEmpty() && kept.isEmpty()) {
        const auto now = engine.columns(table);
        if (!now)
            return now.error();
        if (*now != target) {
            if (const auto r = engine.remakeEmpty(table, target); !r)
                return r.error();
        }
    }
    return kept;
}

PickedValues pickValues(const QList<std::pair<QString, std::optional<QString>>>& values,
    const QHash<QString, int>& byKey, qsizetype columnCount, QString (*keyOf)(const QString&))
{
    // In table order, so that the same form always gives the same statement.
    PickedValues valueOf(columnCount, nullptr);
    for (const auto& [field, value] : values) {
        const auto it = byKey.constFind(keyOf(field));
        if (it == byKey.cend() || valueOf[*it])
            continue;
        valueOf[*it] = &value;
    }
    return valueOf;
}

bool replacesHolder(const TokenHolder& holder)
{
    // A row the designer deleted stays deleted; a token belongs to the table
    // its row was stored in (the same page posted to a new form under the old
    // name never touches that row).
    return holder.sameTable && holder.rowId >= 0;
}

std::optional<Inserted> outcomeOf(const RowFacts& facts)
{
    if (facts.coded && !facts.codeKnown)
        return Inserted { Inserted::UnknownCode, -1 };
    if (facts.coded && facts.codeUsed)
        return Inserted { Inserted::CodeUsed, -1 };
    if (facts.storedId)
        return Inserted { Inserted::Stored, *facts.storedId };
    if (facts.holder && !facts.holder->sameTable)
        return Inserted { Inserted::OtherTable, -1 };
    if (facts.quotaFull)
        return Inserted { Inserted::QuotaFull, -1 };
    // A page sent again is never refused for a full table: it stored its row before.
    if (facts.holder)
        return Inserted { facts.answersChanged ? Inserted::Replaced : Inserted::Repeated, facts.holder->rowId,
            facts.holder->arrived };
    if (facts.full)
        return Inserted { Inserted::Full, -1 };
    return std::nullopt;
}

namespace {

// A row answered with a participant's code: the code, not the page's token,
// tells a second answer from a first.
Result<Inserted> storeCodedRow(RowEngine& engine, const AnswersStore::NewRow& row)
{
    RowFacts facts;
    facts.coded = true;
    const auto code = engine.codeHolder(row);
    if (!code)
        return code.error();
    facts.codeKnown = code->known;
    facts.codeUsed = code->answered && row.anonymous;
    if (!facts.codeKnown || facts.codeUsed)
        return *outcomeOf(facts);
    if (code->answered && code->rowId >= 0) {
        facts.holder = TokenHolder { true, code->rowId, code->arrived };
        if (!row.quotas.isEmpty()) {
            const auto over = engine.quotaFull(row, code->rowId);
            if (!over)
                return over.error();
            if ((facts.quotaFull = *over))
                return *outcomeOf(facts);
        }
        const auto changed = engine.replaceAnswers(row, code->rowId);
        if (!changed)
            return changed.error();
        facts.answersChanged = *changed;
        return *outcomeOf(facts);
    }
    // Answered first now (or again after the designer deleted the answers).
    if (row.limit) {
        const auto counted = engine.rowCount(row.table);
        if (!counted)
            return counted.error();
        facts.full = *counted >= *row.limit;
    }
    if (!facts.full && !row.quotas.isEmpty()) {
        const auto over = engine.quotaFull(row, std::nullopt);
        if (!over)
            return over.error();
        facts.quotaFull = *over;
    }
    if (!facts.full && !facts.quotaFull) {
        // Never the page's token: for anonymous answers it could tell whose the row is.
        AnswersStore::NewRow tokenless = row;
        tokenless.token.clear();
        const auto id = engine.insertRow(tokenless);
        if (!id)
            return id.error();
        facts.storedId = *id;
        if (const auto claimed
            = engine.claimCode(row, row.anonymous ? std::nullopt : std::optional<qint64>(*id));
            !claimed)
            return claimed.error();
    }
    return *outcomeOf(facts);
}

} // namespace

Result<Inserted> storeRow(RowEngine& engine, const AnswersStore::NewRow& row)
{
    if (!row.participantCode.isEmpty())
        return storeCodedRow(engine, row);
    RowFacts facts;
    if (!row.token.isEmpty()) {
        const auto holder = engine.tokenHolder(row.token, row.table);
        if (!holder)
            return holder.error();
        facts.holder = *holder;
        if (facts.holder && replacesHolder(*facts.holder) && !row.quotas.isEmpty()) {
            const auto over = engine.quotaFull(row, facts.holder->rowId);
            if (!over)
                return over.error();
            facts.quotaFull = *over;
        }
        if (facts.holder && replacesHolder(*facts.holder) && !facts.quotaFull) {
            const auto changed = engine.replaceAnswers(row, facts.holder->rowId);
            if (!changed)
                return changed.error();
            facts.answersChanged = *changed;
        }
    }
    if (!facts.holder && row.limit) {
        const auto counted = engine.rowCount(row.table);
        if (!counted)
            return counted.error();
        facts.full = *counted >= *row.limit;
    }
    if (!facts.holder && !facts.full && !row.quotas.isEmpty()) {
        const auto over = engine.quotaFull(row, std::nullopt);
        if (!over)
            return over.error();
        facts.quotaFull = *over;
    }
    if (!facts.holder && !facts.full && !facts.quotaFull) {
        const auto id = engine.insertRow(row);
        if (!id)
            return id.error();
        facts.storedId = *id;
    }
    return *outcomeOf(facts);
}

void RowOrdering::reserve(qint64 rows)
{
    const auto n = qsizetype(qBound<qint64>(0, rows, qint64(1) << 28));
    m_texts.keys.reserve(n);
    m_texts.ids.reserve(n);
}

QList<qint64> RowOrdering::ids(bool descending)
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

bool RowOrdering::Number::less(const Number& a, const Number& b)
{
    if (a.isInteger && b.isInteger)
        return a.integer < b.integer;
    const auto value
        = [](const Number& n) { return n.isInteger ? static_cast<long double>(n.integer) : n.real; };
    return value(a) < value(b);
}

namespace {

quint64 word(const unsigned char* bytes, int size, bool fold)
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

} // namespace

void RowOrdering::Bytes::add(qint64 id, const unsigned char* bytes, int size, bool fold)
{
    keys.append({ word(bytes, size, fold), size > 8 ? word(bytes + 8, size - 8, fold) : 0, arena.size(),
        quint32(size), quint32(ids.size()) });
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

int RowOrdering::Bytes::compare(const Key& a, const Key& b) const
{
    if (a.head0 != b.head0)
        return a.head0 < b.head0 ? -1 : 1;
    if (a.head1 != b.head1)
        return a.head1 < b.head1 ? -1 : 1;
    // Alike in the first 16 bytes (zero bytes padding a shorter one).
    if (a.size > 16 && b.size > 16) {
        if (const int c
            = std::memcmp(arena.constData() + a.tail, arena.constData() + b.tail, qMin(a.size, b.size) - 16))
            return c;
    }
    return a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
}

void RowOrdering::Bytes::sort(bool descending)
{
    // In place (a stable sort's buffer would be as large again); equal values
    // by their place in the scan, which is id order.
    std::sort(keys.begin(), keys.end(), [this, descending](const Key& a, const Key& b) {
        if (const int c = compare(a, b))
            return descending ? c > 0 : c < 0;
        return a.at < b.at;
    });
}

void RowOrdering::Bytes::appendIds(QList<qint64>& out) const
{
    for (const Key& key : keys)
        out.append(ids.at(key.at));
}

Result<QList<AnswersStore::Row>> rowsInOrder(const QList<qint64>& order, qint64 position, qint64 limit,
    const std::function<Result<QList<AnswersStore::Row>>(std::span<const qint64> ids)>& fetch)
{
    QList<AnswersStore::Row> rows;
    if (position < 0 || limit <= 0 || position >= order.size())
        return rows;
    const qsizetype end = qsizetype(qMin<qint64>(order.size(), position + limit));
    // A few hundred ids at a time, looked up by id.
    constexpr qsizetype kLookup = 500;
    for (qsizetype from = qsizetype(position); from < end; from += kLookup) {
        const qsizetype to = qMin(end, from + kLookup);
        auto found = fetch(std::span<const qint64>(order.constData() + from, size_t(to - from)));
        if (!found)
            return found.error();
        QHash<qint64, qsizetype> byId;
        byId.reserve(found->size());
        for (qsizetype i = 0; i < found->size(); ++i)
            byId.insert(found->at(i).id, i);
        QList<AnswersStore::Row> fetched = std::move(found).value();
        for (qsizetype i = from; i < to; ++i) {
            if (const auto it = byId.constFind(order.at(i)); it != byId.cend())
                rows.append(std::move(fetched[*it]));
        }
    }
    return rows;
}

} // namespace quenlow::rules
