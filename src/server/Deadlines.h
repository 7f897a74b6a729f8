// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "server/ServiceClock.h"

#include <chrono>
#include <functional>

namespace quenlow {

// Answers each post by its deadline when the store has not: a store that
// stopped answering must hold neither the person nor the service. The
// deadlines wait on the service's one clock; this is the handler's view of it.
class Deadlines final
{
public:
    using Key = ServiceClock::Key;

    explicit Deadlines(ServiceClock& clock)
        : m_clock(clock)
    {
    }
    Key add(std::chrono::milliseconds after, std::function<void()> call)
    {
        return m_clock.after(after, std::move(call));
    }
    void cancel(const Key& key) { m_clock.cancel(key); }

private:
    ServiceClock& m_clock;
};

} // namespace quenlow
