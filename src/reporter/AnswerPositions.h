// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace quenlow {

class AnswersDatabase;

/// Answer N of a form is the N-th row of its table in storage order. The row
/// ids are read once, so reaching any answer is one lookup instead of a walk
/// over the rows before it; answers stored since (the collection service keeps
/// writing) are picked up from the last known id on.
class AnswerPositions final
{
public:
    explicit AnswerPositions(const QString& table = {});

    QString table() const { return m_table; }
    /// Reads every row id; false when the table cannot be read.
    bool load(AnswersDatabase& db);
    bool isLoaded() const { return m_loaded; }
    /// Answers known so far.
    qint64 count() const { return m_ids.size(); }

    /// The row id of answer `number` (1-based); nothing when there is no such
    /// answer (past the last one, or the table cannot be read).
    std::optional<qint64> rowIdOf(AnswersDatabase& db, qint64 number);

    enum class ValueState { Value, Null, NoColumn, NoAnswer };
    struct Answer {
        ValueState state = ValueState::NoAnswer;
        QVariant value;
    };
    /// The value of `column` in answer `number`. A row that vanished since the
    /// ids were read makes it read them again once.
    Answer valueOf(AnswersDatabase& db, const QString& column, qint64 number);

private:
    bool loadAfter(AnswersDatabase& db, qint64 lastId);

    QString m_table;
    QList<qint64> m_ids;
    bool m_loaded = false;
};

} // namespace quenlow
