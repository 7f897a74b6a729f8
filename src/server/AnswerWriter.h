// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "server/StoreCalls.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace quenlow {

class AnswersStore;

/// One answer of a submission: the posted field name and its value; no value
/// (SQL NULL) when nothing was chosen.
struct Answer {
    QString field;
    std::optional<QString> value;
    bool typedOther = false; // typed in the box of an "Other:" choice instead of choosing an option
};

/// A quota a submission falls into: at most `limit` rows whose question
/// `field` has the answer `answer`.
struct SubmissionQuota {
    QString field;
    QString answer;
    qint64 limit = 0;
};

/// One submitted form, ready to store as one row of `table`.
struct Submission {
    QString table;
    QList<Answer> answers;
    /// The one-time token of the page it was sent from (empty when the post
    /// carried none): a second submission with the same token stores nothing.
    QString token;
    /// When it arrived (UTC), kept beside the answers table.
    QDateTime arrivedAt;
    /// True once the person who sent it has gone away: it is then not stored,
    /// since nobody learns that it was and a resubmission would duplicate it.
    std::function<bool()> abandoned;
    /// The form's answer limit: counted by the store as it stores the row.
    std::optional<qint64> limit {};
    /// The form's quotas its answers fall into: counted by the store as it stores the row.
    QList<SubmissionQuota> quotas {};
    /// For a form only invited people answer: the participant's code (as
    /// normalizedCode makes it), claimed as the row is stored, and whether
    /// nothing may tell which answers are whose. The page's token is then not
    /// stored: the code tells a second answer from a first.
    QString participantCode {};
    bool anonymous = false;
};

/// A submission the store has taken.
struct StoredSubmission {
    /// Repeated: its token was stored before with the same answers; nothing
    /// new was stored. Replaced: with other answers, which took their place.
    /// Full: the form holds its limit of answers; nothing was stored.
    /// QuotaFull: a quota its answers fall into is full; nothing was stored.
    /// OtherForm: its token is of a row of another form (its page is of a form
    /// since renamed or replaced); nothing was stored.
    /// UnknownCode: no participant of the form has its code; CodeUsed: the
    /// code answered before, and answers are anonymous. Nothing was stored.
    enum Outcome { Stored, Repeated, Replaced, Full, OtherForm, QuotaFull, UnknownCode, CodeUsed };
    Outcome outcome = Stored;
    qint64 rowId = -1;
    /// When the row first arrived, for its receipt.
    QDateTime arrivedAt {};
};
/// A submission stored, or why not: NotFound when its form has no answers
/// table, Cancelled when its sender had gone, Io or Busy when the store
/// failed (the detail is for the log; never shown with answers).
using WriteResult = Result<StoredSubmission>;

/// Stores submissions in the answers database. One writer thread takes every
/// submission that is waiting, stores them in one transaction and commits
/// once, durably, and only then answers each caller: many submissions share
/// the cost of one durable commit, and none is acknowledged before the store
/// has it on disk. Columns are looked up in the table as it is at that
/// commit, so the designer's column changes count at once.
///
/// Threads: the controlling thread constructs the writer and calls start,
/// stop and the destructor; write and writeAsync may be called from any
/// thread (the service's workers and its I/O thread); the writer thread
/// stores and finishes each submission. Which thread owns each member is
/// noted where the members are declared.
///   thread          calls
///   controlling     constructor, start, stop, destructor, setStopDeadline
///   any             write, writeAsync, setCommitted, the counts
///   writer          run: stores, calls `committed` and each `done`
class AnswerWriter final
{
public:
    static constexpr std::chrono::milliseconds kStopDeadline { 10000 };

    explicit AnswerWriter(const QString& databasePath);
    ~AnswerWriter(); // stops
    Q_DISABLE_COPY_MOVE(AnswerWriter)

    /// Opens the database (it must exist) and starts the writer thread.
    Result<void> start();
    /// Stores everything already handed in, then stops; later writes fail.
    /// A store that does not answer within the stop deadline has its call
    /// interrupted: what was not confirmed by then fails (each caller is
    /// told), and the error says how many submissions were not confirmed (a
    /// batch whose commit the server had been sent may yet be stored when it
    /// resumes, as with any connection lost after a commit was sent).
    Result<void> stop();
    /// How long stop waits for the store. Takes effect at the next stop.
    void setStopDeadline(std::chrono::milliseconds deadline) { m_stopDeadline = deadline; }

    /// Stores one submission; blocks until it is committed or has failed.
    /// Answers whose field has no column, and the "Form Question" column the
    /// program keeps for itself, are left out.
    WriteResult write(Submission submission);
    /// The same without waiting: `done` is called on the writer thread once
    /// the submission is committed or has failed (at once when stopping).
    void writeAsync(Submission submission, std::function<void(const WriteResult&)> done);

    /// Called on the writer thread with each submission once its commit is
    /// durable (not for one that failed), before its caller is answered.
    void setCommitted(std::function<void(const Submission&, const WriteResult&)> committed);

    /// Totals since start, for the benchmark and the tests.
    quint64 commitCount() const { return m_commits.load(); }
    quint64 storedCount() const { return m_stored.load(); }
    /// Submissions stored in the last `span` (up to an hour), for a person
    /// about to stop collecting. Any thread.
    quint64 storedWithin(std::chrono::seconds span) const;

private:
    struct Pending {
        Submission submission;
        std::promise<WriteResult> done;
        std::function<void(const WriteResult&)> callback; // instead of `done` when set
        void finish(const WriteResult& result)
        {
            if (callback)
                callback(result);
            else
                done.set_value(result);
        }
    };
    bool enqueue(std::unique_ptr<Pending> pending);

    void run();
    void storeBatch(std::deque<std::unique_ptr<Pending>>& batch);
    Result<void> ensureOpen();
    void closeDatabase();

    // Fixed at construction.
    const QString m_path;
    // The controlling thread's until start, then the writer thread's until it ends.
    std::shared_ptr<AnswersStore> m_store;
    // Thread-safe: where m_store is borrowed, so that stop can interrupt its calls.
    StoreCalls m_calls;
    // The controlling thread's.
    std::chrono::milliseconds m_stopDeadline = kStopDeadline;
    std::future<void> m_ended; // kept by the writer thread as it ends
    // The writer thread's, read by the controlling thread once it has joined it.
    quint64 m_unstoredAtStop = 0;

    // Guarded by m_mutex, for every thread.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::unique_ptr<Pending>> m_queue;
    bool m_stopping = false;
    bool m_idle = false; // the writer thread waits for work
    bool m_running = false;
    // The controlling thread's: started by start, joined by stop (the thread
    // ends once it has stored what was handed in; no polling).
    std::thread m_thread;
    // Set by any thread, read by the writer thread after each commit.
    std::mutex m_committedMutex;
    std::function<void(const Submission&, const WriteResult&)> m_committed;
    // Counted by the writer thread, read by any.
    std::atomic<quint64> m_commits { 0 };
    std::atomic<quint64> m_stored { 0 };
    // Stored submissions counted per second of the steady clock, the last
    // hour's; added to by the writer thread, read by any.
    void countStored();
    mutable std::mutex m_recentMutex;
    std::deque<std::pair<qint64, quint64>> m_recent;
};

} // namespace quenlow
