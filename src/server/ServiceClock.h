// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace quenlow {

/// The one timer of a collection service: the post deadlines, the form
/// source's refreshing, the tally's and the health probe's next turns all
/// wait on it. Its calls must be short (answer a post, hand work to the
/// store executor): a call that waited on the store would hold every other.
///
/// Threads: any thread calls after, every and cancel; the clock's own thread
/// makes every call; the owner calls stop (or the destructor), which returns
/// once a call under way has ended, dropping those not yet due.
///   member            owner
///   m_due, m_when     m_mutex (any thread)
///   m_current         m_mutex: the call being made, for cancel during it
///   m_thread          the owner: started by the constructor, joined by stop
class ServiceClock final
{
public:
    using Clock = std::chrono::steady_clock;
    using Key = quint64; // 0 is no call

    ServiceClock();
    ~ServiceClock(); // stops
    Q_DISABLE_COPY_MOVE(ServiceClock)

    /// Calls `call` once, `delay` from now; 0 once stopped, nothing scheduled.
    Key after(std::chrono::milliseconds delay, std::function<void()> call);
    /// Calls `call` every `period`, the first time a period from now.
    Key every(std::chrono::milliseconds period, std::function<void()> call);
    /// The call is not made (again); one under way on the clock's thread ends as it is.
    void cancel(Key key);
    /// Drops what is not due, waits for a call under way, ends the thread.
    void stop();

private:
    struct Entry {
        std::function<void()> call;
        Clock::duration period {}; // zero: once
    };
    Key schedule(Clock::time_point due, Entry entry);
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::map<std::pair<Clock::time_point, Key>, Entry> m_due;
    std::unordered_map<Key, Clock::time_point> m_when;
    Key m_next = 0;
    Key m_current = 0;
    bool m_currentCancelled = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace quenlow
