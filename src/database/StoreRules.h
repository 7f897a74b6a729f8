// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

// The rules both answers stores keep, written once: how columns are restored,
// which value of a submission goes to which column, what a page token sent
// again does, and the order rows are browsed in. Each store supplies the few
// engine operations the rules work over; the decisions are made here only.
// Private to the database library.

#include "database/AnswersStore.h"

#include <QHash>
#include <QVarLengthArray>

#include <span>

namespace quenlow::rules {

// --- Columns restored -------------------------------------------------------

/// What restoreColumns changes in `current` to reach `target`: the columns to
/// add and to drop and, for Undo, a lone column renamed (then in neither
/// list). Names compare as the designer compares them.
struct ColumnDiff {
    QList<AnswersStore::Column> added, removed;
    std::optional<std::pair<QString, QString>> renamed; // from, to
};
ColumnDiff diffColumns(const QList<AnswersStore::Column>& current, const QList<AnswersStore::Column>& target,
    AnswersStore::Restore how);

/// A store's changes of one table's columns, made inside the transaction of
/// the caller; no checks, no transaction of their own.
class ColumnEngine
{
public:
    virtual ~ColumnEngine() = default;
    virtual Result<QList<AnswersStore::Column>> columns(const QString& table) = 0;
    virtual Result<qint64> rowCount(const QString& table) = 0;
    virtual Result<void> renameColumn(const QString& table, const QString& from, const QString& to) = 0;
    /// Whether some row holds in `column` a value neither null nor `except`.
    virtual Result<bool> holdsOtherThan(const QString& table, const QString& column, const QString& except)
        = 0;
    virtual Result<void> dropColumn(const QString& table, const QString& column) = 0;
    /// With `olderRowsText`, the rows already there hold it in the new column.
    virtual Result<void> addColumn(
        const QString& table, const AnswersStore::Column& column, const std::optional<QString>& olderRowsText)
        = 0;
    /// The table, empty, made again with exactly `columns` in that order.
    virtual Result<void> remakeEmpty(const QString& table, const QList<AnswersStore::Column>& columns) = 0;
};

/// AnswersStore::restoreColumns over `engine`: the columns kept for their answers.
Result<QStringList> restoreColumns(ColumnEngine& engine, const QString& table,
    const QList<AnswersStore::Column>& target, const QString& olderRowsText, AnswersStore::Restore how);

// --- Values of a submission -------------------------------------------------

/// For each of a table's columns, in table order, the submission's value
/// for it or null when it has none.
using PickedValues = QVarLengthArray<const std::optional<QString>*, 64>;
/// Each column once, the first value for it winning; a field without a
/// column is left out. `byKey` finds a column by the key `keyOf` makes of a name.
PickedValues pickValues(const QList<std::pair<QString, std::optional<QString>>>& values,
    const QHash<QString, int>& byKey, qsizetype columnCount, QString (*keyOf)(const QString&));

// --- Page tokens --------------------------------------------------------------

/// The row a token was stored with before.
struct TokenHolder {
    bool sameTable = true; // stored with a row of the table this one goes to
    qint64 rowId = -1; // -1: that row was deleted since
    QDateTime arrived;
};

/// What a store did and saw storing one row.
struct RowFacts {
    std::optional<qint64> storedId; // a new row was stored
    std::optional<TokenHolder> holder; // the token was stored before
    bool answersChanged = false; // the holder's answers were replaced by these
    bool full = false; // the table holds its limit of rows
    bool quotaFull = false; // a quota the row's answers fall into is full
    // A participant's code: whether the table's participants have it, and
    // whether it was taken already (anonymous answers: once only).
    bool coded = false;
    bool codeKnown = false;
    bool codeUsed = false;
};

/// A participant's code as the store holds it, looked at before it is claimed.
struct CodeHolder {
    bool known = false; // a participant of the table has it
    bool answered = false;
    qint64 rowId = -1; // its answers' row, while it is there (never kept for anonymous answers)
    QDateTime arrived; // when that row arrived
};

/// Whether a row's answers go in place of those of the token's holder: only
/// a row of the same table that is still there.
bool replacesHolder(const TokenHolder& holder);
/// The outcome the facts make; nothing when they decide nothing (a token
/// another writer claimed at the same moment, to be looked up again).
std::optional<AnswersStore::Inserted> outcomeOf(const RowFacts& facts);

/// A store's steps storing one row, inside its write transaction.
class RowEngine
{
public:
    virtual ~RowEngine() = default;
    virtual Result<std::optional<TokenHolder>> tokenHolder(const QString& token, const QString& table) = 0;
    /// The values in place of those of row `rowId` where they differ (the
    /// change time then noted); true when one differed.
    virtual Result<bool> replaceAnswers(const AnswersStore::NewRow& row, qint64 rowId) = 0;
    virtual Result<qint64> rowCount(const QString& table) = 0;
    /// A new row with its arrival and token; its id.
    virtual Result<qint64> insertRow(const AnswersStore::NewRow& row) = 0;
    /// Whether one of the row's quotas holds its number of rows; with
    /// `holder`, a quota that row's answer is in already does not count.
    virtual Result<bool> quotaFull(const AnswersStore::NewRow& row, std::optional<qint64> holder) = 0;
    /// The row's participant code as the table's participants hold it.
    virtual Result<CodeHolder> codeHolder(const AnswersStore::NewRow& row) = 0;
    /// Marks the code answered (when it was not), and its answers as those
    /// of `rowId` unless nothing may tell which they are (`rowId` none).
    virtual Result<void> claimCode(const AnswersStore::NewRow& row, std::optional<qint64> rowId) = 0;
};

/// Stores `row` (its table known to exist) by the rules: a token stored
/// before with another table's row touches nothing; with a row of this table
/// its answers replace that row's; a limit is counted only for a new row;
/// a quota for a new row and for answers that come into it.
/// A row with a participant's code goes by the code instead of the token:
/// an unknown code stores nothing, a code that answered before replaces its
/// answers (or, for anonymous answers, stores nothing).
Result<AnswersStore::Inserted> storeRow(RowEngine& engine, const AnswersStore::NewRow& row);

// --- Order of rows ----------------------------------------------------------

/// Orders the values of one column for browsing: nulls first, then numbers
/// by value, then texts by their bytes with ASCII letters folded to lower
/// case, then other bytes as they are; equal values by id, ascending in both
/// directions; descending reverses all but the ties. Values are added in id
/// order.
class RowOrdering
{
public:
    /// Room for `rows` values, most of them texts: growing lists of a million
    /// entries would copy them over and over.
    void reserve(qint64 rows);
    void addNull(qint64 id) { m_nulls.append(id); }
    void addInteger(qint64 id, qint64 value) { m_numbers.append({ id, value, 0, true }); }
    void addReal(qint64 id, double value) { m_numbers.append({ id, 0, value, false }); }
    void addText(qint64 id, const unsigned char* bytes, int size) { m_texts.add(id, bytes, size, true); }
    void addBlob(qint64 id, const unsigned char* bytes, int size) { m_blobs.add(id, bytes, size, false); }
    /// The ids in order.
    QList<qint64> ids(bool descending);

private:
    struct Number {
        qint64 id;
        qint64 integer;
        double real;
        bool isInteger;
        static bool less(const Number& a, const Number& b);
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

        void add(qint64 id, const unsigned char* bytes, int size, bool fold);
        int compare(const Key& a, const Key& b) const;
        void sort(bool descending);
        void appendIds(QList<qint64>& out) const;
    };

    QList<qint64> m_nulls;
    QList<Number> m_numbers;
    Bytes m_texts, m_blobs;
};

/// Up to `limit` rows from `position` of `order`, fetched a few hundred ids
/// at a time by `fetch` (rows in any order); rows deleted since the order was
/// made are left out.
Result<QList<AnswersStore::Row>> rowsInOrder(const QList<qint64>& order, qint64 position, qint64 limit,
    const std::function<Result<QList<AnswersStore::Row>>(std::span<const qint64> ids)>& fetch);

} // namespace quenlow::rules
