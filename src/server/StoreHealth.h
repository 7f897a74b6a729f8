// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QString>

#include <chrono>
#include <memory>

namespace quenlow {

class StoreThread;

/// Whether answers can be stored now, told by a real write into the store (a
/// committed one, which a full disk refuses as it refuses answers). The probes
/// run on a thread of their own, one at a time and at most ten a second,
/// however many ask; nobody waits on a store that stopped answering for longer
/// than they said. Thread-safe.
class StoreHealth final
{
public:
    explicit StoreHealth(const QString& storeLocation);
    ~StoreHealth();
    StoreHealth(const StoreHealth&) = delete;
    StoreHealth& operator=(const StoreHealth&) = delete;

    /// The outcome of a probe begun after this call, or Busy when none ended within `wait`.
    Result<void> check(std::chrono::milliseconds wait);

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::unique_ptr<StoreThread> m_thread;
};

} // namespace quenlow
