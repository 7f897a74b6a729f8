// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/ListenAddress.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quenlow {

std::optional<ListenAddress> parseListenAddress(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    QString h = text.left(colon);
    if (h.startsWith(QLatin1Char('[')) && h.endsWith(QLatin1Char(']')))
        h = h.mid(1, h.size() - 2);
    bool ok = false;
    const uint p = text.mid(colon + 1).toUInt(&ok);
    if (!ok || p > 65535)
        return std::nullopt;
    return ListenAddress { h.isEmpty() ? QStringLiteral("0.0.0.0") : h, quint16(p) };
}

quint16 freeLoopbackPort()
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0)
        return 0;
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof addr;
    const bool ok = ::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0
        && ::getsockname(sock, reinterpret_cast<sockaddr*>(&addr), &size) == 0;
    ::close(sock);
    return ok ? ntohs(addr.sin_port) : 0;
}

} // namespace quenlow
