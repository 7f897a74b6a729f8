// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <chrono>
#include <future>
#include <thread>
#include <utility>

namespace quenlow {

/// A thread that talks to the answers store. A database server that stopped
/// answering may hold it in a call for as long as it likes, so its owner waits
/// for it only a moment when it goes, then leaves it to finish alone: what the
/// thread works on must be shared with it, never the owner's own. The owner
/// tells the work to end before this goes.
class StoreThread final
{
public:
    template <typename Work> explicit StoreThread(Work work)
    {
        std::promise<void> finished;
        m_finished = finished.get_future();
        m_thread = std::thread([work = std::move(work), finished = std::move(finished)]() mutable {
            work();
            finished.set_value();
        });
    }
    ~StoreThread()
    {
        if (m_finished.wait_for(std::chrono::seconds(1)) == std::future_status::ready)
            m_thread.join();
        else
            m_thread.detach();
    }
    StoreThread(const StoreThread&) = delete;
    StoreThread& operator=(const StoreThread&) = delete;

private:
    std::future<void> m_finished;
    std::thread m_thread;
};

} // namespace quenlow
