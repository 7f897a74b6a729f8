// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace quenlow {

/// Lines for a file descriptor (standard error by default), written by a
/// thread of their own a few at a time: under load one write carries many
/// lines instead of every request paying for its own, and a slow reader of
/// the log never holds up a request. Lines appear within about 10 ms.
///
/// Threads: any thread appends; the log's own thread writes; the owner
/// constructs it and its destructor, which writes what is left and joins
/// the thread (a write to a reader that never reads ends when the
/// descriptor does; the service's own is standard error).
///   member                                       owner
///   m_pending, m_dropped, m_waiting, m_stopping  m_mutex (any thread)
///   m_fd                                         fixed at construction
///   m_thread                                     the owner: started by the constructor, joined by the
///   destructor
class LineLog final
{
public:
    explicit LineLog(int fd = 2);
    ~LineLog(); // writes what is left
    LineLog(const LineLog&) = delete;
    LineLog& operator=(const LineLog&) = delete;

    /// Queues one line (without its line end); thread-safe.
    void append(const QByteArray& line);

private:
    void run();

    const int m_fd;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    QByteArray m_pending;
    qint64 m_dropped = 0;
    bool m_waiting = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace quenlow
