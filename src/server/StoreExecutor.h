// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "server/StoreCalls.h"

#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quenlow {

class AnswersStore;

/// The threads of a collection service that ask its answers store for what
/// requests are served from memory: the forms the store publishes, the
/// results' counts, the health probe. Each of those hands in one task at a
/// time, so a few threads serve them all and none waits for another's store.
///
/// A database server that stopped answering may hold a task in a call for
/// as long as it likes; stop gives the tasks under way their deadline, then
/// interrupts their store calls (which then fail at once) and joins every
/// thread. No thread is ever left behind.
///
/// Threads: any thread posts; the executor's threads run the tasks and
/// borrow connections through it; the owner calls stop (or the destructor).
///   member                         owner
///   m_tasks, m_busy, m_stopping    m_mutex (any thread)
///   m_calls                        thread-safe; interrupted by stop
///   m_threads                      the owner: started by the constructor, joined by stop
class StoreExecutor final
{
public:
    static constexpr int kThreads = 3;
    static constexpr std::chrono::milliseconds kStopDeadline { 2000 };

    explicit StoreExecutor(const QString& storeLocation, int threads = kThreads);
    ~StoreExecutor(); // stops with kStopDeadline
    Q_DISABLE_COPY_MOVE(StoreExecutor)

    /// Runs `task` on one of the threads; dropped once stopping (false).
    bool post(std::function<void()> task);
    /// A connection to the store for a task; its calls end when stop
    /// interrupts them. Cancelled once stopped.
    Result<std::shared_ptr<AnswersStore>> borrow();
    QString location() const { return m_calls.location(); }

    /// Drops the tasks not begun, waits up to `deadline` for those under way,
    /// then interrupts their store calls and joins the threads.
    void stop(std::chrono::milliseconds deadline = kStopDeadline);

private:
    void run();

    StoreCalls m_calls;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_tasks;
    int m_busy = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

} // namespace quenlow
