// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

#include <optional>

namespace quenlow {

/// Where the collection service listens unless told otherwise.
inline QString defaultListenHost()
{
    return QStringLiteral("127.0.0.1");
}
constexpr quint16 kDefaultListenPort = 8080;

struct ListenAddress {
    QString host;
    quint16 port = 0;
};

/// Reads "127.0.0.1:8080", "[::1]:8080" or ":8080" (every address of this
/// machine). Nothing when the text is not an address and port.
std::optional<ListenAddress> parseListenAddress(const QString& text);

/// A loopback port nothing listens on just now (the kernel's choice for a
/// throwaway socket), for programs started on a port of their own.
quint16 freeLoopbackPort();

} // namespace quenlow
