// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <csignal>

#include <sys/resource.h>

namespace quenlow {

/// What a process that runs the collection service sets for itself, once, at
/// the start of main(): a reader of its standard error that goes away must
/// not end it, and as every connection costs a descriptor, it may open as
/// many files as it is allowed to. Process-wide, so never done by a library.
inline void prepareServiceProcess()
{
    std::signal(SIGPIPE, SIG_IGN);
    rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace quenlow
