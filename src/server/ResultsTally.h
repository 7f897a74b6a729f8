// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "server/AnswerWriter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>

namespace quenlow {

class ServiceClock;
class StoreExecutor;

/// The number of answers of each form and how often each value was answered
/// to its counted questions, kept in memory so that a results page never
/// counts the table again: read from the store once, on first use, on the
/// service's store executor, and then kept up to date with every row the
/// writer commits.
///
/// Threads: workers and the I/O thread call counts and totalIfKnown; the
/// writer thread calls committed; one reading at a time runs on a thread of
/// `executor`, and a reading due later waits its turn on `clock`. What they
/// share is guarded by its own mutex and lives as long as a reading holds
/// it; the destructor cancels the turn on the clock. The executor and the
/// clock must outlive this.
class ResultsTally final
{
public:
    ResultsTally(StoreExecutor& executor, ServiceClock& clock);
    ~ResultsTally();
    Q_DISABLE_COPY_MOVE(ResultsTally)

    struct Counts {
        qint64 total = 0;
        QList<QList<qint64>> perQuestion; // per field asked for, per option
        // Per field asked for: the answers typed after "Other:" as a chart shows them
        // (typedAnswersShown); none for a question that takes none.
        QList<QList<std::pair<QString, qint64>>> typed;
    };
    /// The counts of `table`: the answers in `fields` counted over each
    /// question's `options`, and for those `typedToo` marks the answers typed
    /// instead of an option, the rare ones together under `otherLabel`. Waits
    /// up to `wait` for the first reading of the table; nothing when it is
    /// not ready by then or cannot be read.
    std::optional<Counts> counts(const QString& table, const QStringList& fields,
        const QList<QStringList>& options, std::chrono::milliseconds wait, const QList<bool>& typedToo = {},
        const QString& otherLabel = {});
    /// The number of answers of `table` when known now; otherwise nothing,
    /// and the table is read in the background. With `readAgainWhenOld`,
    /// counts read a while ago are read again in the background (for a form
    /// that looks full: answers deleted since open it again).
    std::optional<qint64> totalIfKnown(const QString& table, bool readAgainWhenOld = false);

    /// A row the writer committed; only tables already read are told.
    void committed(const Submission& submission, const WriteResult& result);

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

} // namespace quenlow
