// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace quenlow {

class AnswersStore;

/// Answer N of a form is the N-th row of its table in storage order. The row
/// ids are read as far as they are needed and kept, so reaching any answer is
/// one lookup instead of a walk over the rows before it (opening costs
/// nothing). While no answer has been deleted the ids have no gaps and a jump
/// to answer N is computed from the first id; otherwise the first jump to
/// answer N reads the ids up to N once).
/// Answers stored since (the collection service keeps writing) are picked up
/// from the last known id on.
class AnswerPositions final
{
public:
    explicit AnswerPositions(const QString& table = {});

    QString table() const { return m_table; }
    /// Forgets the positions read so far.
    void reset() { m_ids.clear(); }
    /// Answers known so far.
    qint64 known() const { return m_ids.size(); }

    /// The row id of answer `number` (1-based); nothing when there is no such
    /// answer (past the last one, or the table cannot be read).
    std::optional<qint64> rowIdOf(AnswersStore& store, qint64 number);

    /// The number of the answer stored in row `rowId`; nothing when no answer
    /// is (or the table cannot be read).
    std::optional<qint64> numberOf(AnswersStore& store, qint64 rowId);

    enum class ValueState { Value, Null, NoColumn, NoAnswer };
    struct Answer {
        ValueState state = ValueState::NoAnswer;
        QVariant value;
        std::optional<qint64> rowId; // the answer's row, when there is one
    };
    /// The value of `column` in answer `number`. A row that vanished since the
    /// ids were read makes it read them again once.
    Answer valueOf(AnswersStore& store, const QString& column, qint64 number);

private:
    struct Direct {
        bool dense = false; // the table's ids have no gaps (then `id` is the answer's, if any)
        std::optional<qint64> id;
    };
    /// Answer `number` found from the first id and the row count, when the ids have no gaps.
    Direct directRowId(AnswersStore& store, qint64 number);
    /// Appends up to `limit` ids after `lastId`; false when the table cannot be read.
    bool loadAfter(AnswersStore& store, qint64 lastId, qint64 limit);

    QString m_table;
    QList<qint64> m_ids;
};

} // namespace quenlow
