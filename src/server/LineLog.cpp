// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/LineLog.h"

#include <cerrno>
#include <chrono>

#include <unistd.h>

namespace quenlow {

namespace {

// A log nobody reads (a full pipe) must not grow without end.
constexpr qsizetype kMaxPending = 4 * 1024 * 1024;

void writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // nowhere to write to: the lines are lost, the service goes on
        data += n;
        left -= n;
    }
}

} // namespace

LineLog::LineLog(int fd)
    : m_fd(fd)
{
    m_thread = std::thread([this] { run(); });
}

LineLog::~LineLog()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void LineLog::append(const QByteArray& line)
{
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_pending.size() + line.size() < kMaxPending) {
            m_pending += line;
            m_pending += '\n';
        } else {
            ++m_dropped;
        }
        wake = m_waiting;
    }
    if (wake)
        m_wake.notify_one();
}

void LineLog::run()
{
    for (;;) {
        QByteArray out;
        bool stopping = false;
        {
            std::unique_lock lock(m_mutex);
            m_waiting = true;
            m_wake.wait(lock, [this] { return !m_pending.isEmpty() || m_stopping; });
            m_waiting = false;
            out.swap(m_pending);
            if (m_dropped) {
                out += QByteArray::number(m_dropped);
                out += " log lines dropped: the log was not being read\n";
                m_dropped = 0;
            }
            stopping = m_stopping;
        }
        writeAll(m_fd, out);
        if (stopping)
            return;
        // Let lines gather: one write for all that come meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace quenlow
