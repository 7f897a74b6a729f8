// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/ServiceClock.h"

namespace quenlow {

ServiceClock::ServiceClock()
    : m_thread([this] { run(); })
{
}

ServiceClock::~ServiceClock()
{
    stop();
}

ServiceClock::Key ServiceClock::after(std::chrono::milliseconds delay, std::function<void()> call)
{
    return schedule(Clock::now() + delay, Entry { std::move(call), {} });
}

ServiceClock::Key ServiceClock::every(std::chrono::milliseconds period, std::function<void()> call)
{
    // A period of nothing would keep the thread busy for ever.
    const Clock::duration step = std::max<Clock::duration>(period, std::chrono::milliseconds(1));
    return schedule(Clock::now() + step, Entry { std::move(call), step });
}

ServiceClock::Key ServiceClock::schedule(Clock::time_point due, Entry entry)
{
    std::lock_guard lock(m_mutex);
    if (m_stopping)
        return 0;
    const Key key = ++m_next;
    m_due.emplace(std::pair(due, key), std::move(entry));
    m_when.emplace(key, due);
    if (m_due.begin()->first.second == key)
        m_wake.notify_all();
    return key;
}

void ServiceClock::cancel(Key key)
{
    std::lock_guard lock(m_mutex);
    if (key != 0 && key == m_current)
        m_currentCancelled = true;
    const auto when = m_when.find(key);
    if (when == m_when.end())
        return;
    m_due.erase(std::pair(when->second, key));
    m_when.erase(when);
}

void ServiceClock::stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
    // Dropped here, on the owner's thread: what they hold may need it.
    std::map<std::pair<Clock::time_point, Key>, Entry> dropped;
    {
        std::lock_guard lock(m_mutex);
        dropped.swap(m_due);
        m_when.clear();
    }
}

void ServiceClock::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (m_due.empty()) {
            m_wake.wait(lock);
            continue;
        }
        // A copy: the entry may be cancelled (and freed) while this waits.
        const Clock::time_point due = m_due.begin()->first.first;
        if (due > Clock::now()) {
            m_wake.wait_until(lock, due);
            continue;
        }
        auto node = m_due.extract(m_due.begin());
        const Key key = node.key().second;
        m_when.erase(key);
        m_current = key;
        m_currentCancelled = false;
        lock.unlock();
        node.mapped().call();
        lock.lock();
        m_current = 0;
        const Clock::duration period = node.mapped().period;
        if (period != Clock::duration::zero() && !m_currentCancelled && !m_stopping) {
            // The next turn counts from the last one due, not from when it ran.
            node.key().first = std::max(due + period, Clock::now());
            m_when.emplace(key, node.key().first);
            m_due.insert(std::move(node));
        }
    }
}

} // namespace quenlow
