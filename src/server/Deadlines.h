// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include <QtGlobal>

namespace quenlow {

// Answers each post by its deadline when the store has not: a store that
// stopped answering must hold neither the person nor the service.
class Deadlines final
{
public:
    using Clock = std::chrono::steady_clock;
    using Key = std::pair<Clock::time_point, quint64>;

    Deadlines()
        : m_thread([this] { run(); })
    {
    }
    ~Deadlines()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    Key add(std::chrono::milliseconds after, std::function<void()> call)
    {
        std::lock_guard lock(m_mutex);
        const Key key { Clock::now() + after, ++m_next };
        m_due.emplace(key, std::move(call));
        if (m_due.begin()->first == key)
            m_wake.notify_all();
        return key;
    }
    void cancel(const Key& key)
    {
        std::lock_guard lock(m_mutex);
        m_due.erase(key);
    }

private:
    void run()
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
            std::function<void()> call = std::move(m_due.begin()->second);
            m_due.erase(m_due.begin());
            lock.unlock();
            call();
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::map<Key, std::function<void()>> m_due;
    quint64 m_next = 0;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace quenlow
