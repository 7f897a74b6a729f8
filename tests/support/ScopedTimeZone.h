// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

namespace quenlow::test {

/// The process's local time zone is `zone` (a tz database name such as
/// "America/New_York") until the scope ends, as for a program started with TZ set.
class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* zone)
        : m_had(qEnvironmentVariableIsSet("TZ"))
        , m_before(qgetenv("TZ"))
    {
        set(zone);
    }
    ~ScopedTimeZone()
    {
        if (m_had)
            qputenv("TZ", m_before);
        else
            qunsetenv("TZ");
        tzset();
    }
    void set(const char* zone)
    {
        qputenv("TZ", zone);
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool m_had;
    QByteArray m_before;
};

} // namespace quenlow::test
