// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "server/ServiceClock.h"

#include <QString>

#include <chrono>
#include <memory>

namespace quenlow {

class StoreExecutor;

/// Whether answers can be stored now, told by a real write into the store (a
/// committed one, which a full disk refuses as it refuses answers). The probes
/// run on the service's store executor, one at a time and at most ten a
/// second, however many ask; nobody waits on a store that stopped answering
/// for longer than they said.
///
/// Threads: any thread calls check (a worker, for /healthz); a probe runs on
/// a thread of `executor`, and the next one waits its turn on `clock`. The
/// state they share is guarded by its own mutex and lives as long as a probe
/// holds it; the owner's destructor cancels the turn on the clock. The
/// executor and the clock must outlive this.
class StoreHealth final
{
public:
    StoreHealth(StoreExecutor& executor, ServiceClock& clock);
    ~StoreHealth();
    StoreHealth(const StoreHealth&) = delete;
    StoreHealth& operator=(const StoreHealth&) = delete;

    /// The outcome of a probe begun after this call, or Busy when none ended within `wait`.
    Result<void> check(std::chrono::milliseconds wait);

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace quenlow
