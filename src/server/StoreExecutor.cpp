// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/StoreExecutor.h"

namespace quenlow {

StoreExecutor::StoreExecutor(const QString& storeLocation, int threads)
    : m_calls(storeLocation)
{
    for (int i = 0; i < std::max(1, threads); ++i)
        m_threads.emplace_back([this] { run(); });
}

StoreExecutor::~StoreExecutor()
{
    stop();
}

bool StoreExecutor::post(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return false;
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
    return true;
}

Result<std::shared_ptr<AnswersStore>> StoreExecutor::borrow()
{
    return m_calls.borrow();
}

void StoreExecutor::stop(std::chrono::milliseconds deadline)
{
    std::deque<std::function<void()>> dropped;
    {
        std::unique_lock lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
        dropped.swap(m_tasks);
        m_wake.notify_all();
        if (!m_idle.wait_for(lock, deadline, [this] { return m_busy == 0; })) {
            lock.unlock();
            // What the store does not answer now it will not answer in time.
            m_calls.interrupt();
        }
    }
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
}

void StoreExecutor::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
        if (m_stopping)
            return;
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        ++m_busy;
        lock.unlock();
        task();
        task = nullptr; // what it holds goes before the owner is told
        lock.lock();
        if (--m_busy == 0)
            m_idle.notify_all();
    }
}

} // namespace quenlow
