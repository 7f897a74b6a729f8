// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
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
};

struct WriteResult {
    /// Repeated: its token was stored before with the same answers; nothing
    /// new was stored. Replaced: with other answers, which took their place.
    enum Outcome { Stored, NoSuchTable, Failed, Abandoned, Repeated, Replaced };
    Outcome outcome = Failed;
    qint64 rowId = -1;
    QString error; // why it failed, for the log; never shown with answers
};

/// Stores submissions in the answers database. One writer thread takes every
/// submission that is waiting, stores them in one transaction and commits
/// once, durably, and only then answers each caller: many submissions share
/// the cost of one durable commit, and none is acknowledged before the store
/// has it on disk. Columns are looked up in the table as it is at that
/// commit, so the designer's column changes count at once.
class AnswerWriter final
{
public:
    explicit AnswerWriter(const QString& databasePath);
    ~AnswerWriter();
    Q_DISABLE_COPY_MOVE(AnswerWriter)

    /// Opens the database (it must exist) and starts the writer thread.
    bool start(QString* error);
    /// Stores everything already handed in, then stops; later writes fail.
    void stop();

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
    bool ensureOpen(QString* error);
    void closeDatabase();

    const QString m_path;
    std::shared_ptr<AnswersStore> m_store;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::unique_ptr<Pending>> m_queue;
    bool m_stopping = false;
    bool m_idle = false; // the writer thread waits for work
    bool m_running = false;
    std::thread m_thread;
    std::mutex m_committedMutex;
    std::function<void(const Submission&, const WriteResult&)> m_committed;
    std::atomic<quint64> m_commits{0};
    std::atomic<quint64> m_stored{0};
};

} // namespace quenlow
