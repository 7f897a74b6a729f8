// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/StoreHealth.h"

#include "database/AnswersStore.h"
#include "server/StorePool.h"
#include "server/StoreThread.h"

#include <condition_variable>
#include <mutex>

namespace quenlow {

namespace {

// A crowd of monitors asking at once costs at most this many writes a second.
constexpr std::chrono::milliseconds kProbeSpacing { 100 };

} // namespace

struct StoreHealth::State {
    explicit State(const QString& storeLocation)
        : location(storeLocation)
    {
    }

    const QString location;
    std::mutex mutex;
    std::condition_variable changed;
    quint64 asked = 0, answered = 0; // probes asked for, and the last one answered
    Result<void> outcome;
    bool stopping = false;
    std::shared_ptr<AnswersStore> store; // the probing thread's own

    void run()
    {
        std::unique_lock lock(mutex);
        auto lastStart = std::chrono::steady_clock::now() - kProbeSpacing;
        for (;;) {
            changed.wait(lock, [this] { return stopping || asked > answered; });
            if (stopping)
                return;
            lock.unlock();
            std::this_thread::sleep_until(lastStart + kProbeSpacing);
            lock.lock();
            const quint64 probe = asked; // everyone who asked so far gets this one
            lock.unlock();
            lastStart = std::chrono::steady_clock::now();
            Result<void> result = probeOnce();
            lock.lock();
            outcome = std::move(result);
            answered = probe;
            changed.notify_all();
        }
    }

    Result<void> probeOnce()
    {
        if (!store) {
            auto opened = StorePool::shared(location)->borrow();
            if (!opened)
                return opened.error();
            store = std::move(*opened);
        }
        Result<void> writable = store->checkWritable();
        if (!writable) {
            StorePool::discard(store);
            store.reset();
        } // opened anew next time: the file may have been replaced
        return writable;
    }
};

StoreHealth::StoreHealth(const QString& storeLocation)
    : m_state(std::make_shared<State>(storeLocation))
    , m_thread(std::make_unique<StoreThread>([state = m_state] { state->run(); }))
{
}

StoreHealth::~StoreHealth()
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->stopping = true;
    }
    m_state->changed.notify_all();
    m_thread.reset();
}

Result<void> StoreHealth::check(std::chrono::milliseconds wait)
{
    std::unique_lock lock(m_state->mutex);
    const quint64 mine = ++m_state->asked;
    m_state->changed.notify_all();
    if (!m_state->changed.wait_for(lock, wait, [&] { return m_state->answered >= mine; }))
        return Error { Error::Busy,
            QStringLiteral("%1 did not answer within %2 ms")
                .arg(shownLocation(m_state->location))
                .arg(wait.count()) };
    return m_state->outcome;
}

} // namespace quenlow
