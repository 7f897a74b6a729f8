// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/StoreHealth.h"

#include "database/AnswersStore.h"
#include "server/StoreExecutor.h"
#include "server/StorePool.h"

#include <condition_variable>
#include <mutex>

namespace quenlow {

namespace {

// A crowd of monitors asking at once costs at most this many writes a second.
constexpr std::chrono::milliseconds kProbeSpacing { 100 };

} // namespace

struct StoreHealth::State : std::enable_shared_from_this<State> {
    State(StoreExecutor& runOn, ServiceClock& turns)
        : executor(runOn)
        , clock(turns)
    {
    }

    StoreExecutor& executor;
    ServiceClock& clock;
    std::mutex mutex;
    std::condition_variable changed;
    quint64 asked = 0, answered = 0; // probes asked for, and the last one answered
    Result<void> outcome;
    bool probing = false; // a probe is under way or has its turn on the clock
    bool stopping = false;
    ServiceClock::Key turn = 0;
    std::chrono::steady_clock::time_point lastStart = std::chrono::steady_clock::now() - kProbeSpacing;
    std::shared_ptr<AnswersStore> store; // the probe's own, between probes

    // With the mutex held: the next probe, when one is asked for and none under way.
    void next()
    {
        if (probing || stopping || asked <= answered)
            return;
        probing = true;
        const auto wait = lastStart + kProbeSpacing - std::chrono::steady_clock::now();
        if (wait <= std::chrono::steady_clock::duration::zero()) {
            executor.post([self = shared_from_this()] { self->probe(); });
            return;
        }
        turn = clock.after(std::chrono::ceil<std::chrono::milliseconds>(wait), [self = shared_from_this()] {
            std::lock_guard lock(self->mutex);
            self->turn = 0;
            if (!self->stopping)
                self->executor.post([self] { self->probe(); });
        });
    }

    void probe()
    {
        std::unique_lock lock(mutex);
        const quint64 probe = asked; // everyone who asked so far gets this one
        lastStart = std::chrono::steady_clock::now();
        lock.unlock();
        Result<void> result = probeOnce();
        lock.lock();
        outcome = std::move(result);
        answered = probe;
        probing = false;
        changed.notify_all();
        next();
    }

    Result<void> probeOnce()
    {
        if (!store) {
            auto opened = executor.borrow();
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

StoreHealth::StoreHealth(StoreExecutor& executor, ServiceClock& clock)
    : m_state(std::make_shared<State>(executor, clock))
{
}

StoreHealth::~StoreHealth()
{
    std::lock_guard lock(m_state->mutex);
    m_state->stopping = true;
    m_state->clock.cancel(m_state->turn);
}

Result<void> StoreHealth::check(std::chrono::milliseconds wait)
{
    std::unique_lock lock(m_state->mutex);
    const quint64 mine = ++m_state->asked;
    m_state->next();
    if (!m_state->changed.wait_for(lock, wait, [&] { return m_state->answered >= mine; }))
        return Error { Error::Busy,
            QStringLiteral("%1 did not answer within %2 ms")
                .arg(shownLocation(m_state->executor.location()))
                .arg(wait.count()) };
    return m_state->outcome;
}

} // namespace quenlow
