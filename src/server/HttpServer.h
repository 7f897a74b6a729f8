// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "server/HttpExchange.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace quenlow {

/// What one connection may cost the service. Reading is event-driven, so a
/// slow or silent client holds a little memory and a socket, never a thread.
struct HttpLimits {
    qint64 maxBody = 1024 * 1024;
    /// The whole head and body of a request, from its first byte.
    std::chrono::milliseconds requestDeadline { 30000 };
    /// How long a new connection may wait before its first request begins:
    /// generous, since phones on slow networks connect well ahead of sending.
    std::chrono::milliseconds firstRequestWait { 30000 };
    /// How long a connection is kept open between requests.
    std::chrono::milliseconds keepAliveWait { 15000 };
    /// Each piece of a response must be taken by the client within this.
    std::chrono::milliseconds writeDeadline { 30000 };
    /// Open connections at most. At the cap a new client gets the slot of the
    /// connection that has waited longest, idle or in a request it has not
    /// finished sending; connections whose request is being served stay.
    int maxConnections = 10000;
    /// Requests begun but not yet read whole from one client address (an
    /// IPv6 /64) at most; beyond it that address's oldest one is closed.
    /// Generous, as a school or an office sends from one address.
    int maxUnfinishedPerAddress = 512;
    /// Threads that run the handler (a submission waits there for its commit).
    int workers = 64;
};

/// The PEM files of a TLS service.
struct TlsFiles {
    QString certificate;
    QString key;
};

/// An HTTP/1.1 server on Boost.Beast: one thread reads and writes every
/// connection, a pool of workers runs the handler.
///
/// Threads: the controlling thread constructs the server, sets its handlers
/// and calls start, stop and the destructor (never two at once). While it
/// runs, the I/O thread owns the connections and the lists that rank them,
/// accepts, reads, writes, keeps the deadlines and calls the logger and the
/// immediate handler; the workers call the handler and produce streamed
/// pages; port and connectionCount may be called from any thread. Which
/// thread owns each member is noted where the members are declared.
class HttpServer final
{
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;
    /// One call per request answered, on the I/O thread: method, target,
    /// status, milliseconds.
    using Logger
        = std::function<void(const QByteArray& method, const QByteArray& target, int status, double ms)>;

    /// May take a request on the I/O thread, provided it never blocks there:
    /// returns true having taken it (and calls the responder later, from any
    /// thread), false to leave it to the handler on a worker.
    using ImmediateHandler
        = std::function<bool(const HttpRequest&, std::function<void(HttpResponse)> respond)>;

    HttpServer(Handler handler, Logger logger, const HttpLimits& limits);
    /// Takes effect at start.
    void setImmediateHandler(ImmediateHandler handler);
    ~HttpServer(); // stops
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    /// Binds `host`:`port` (0 picks a free port) and starts serving, over TLS
    /// when `tls` is given. A port in use is an error.
    Result<void> start(const QString& host, quint16 port, const TlsFiles* tls);
    /// Stops accepting, closes idle and half-read connections, lets the
    /// requests in the handler finish and be answered (waiting for the last
    /// to close, at most the write deadline), then returns.
    void stop();

    quint16 port() const;
    /// Connections open just now.
    int connectionCount() const;

    struct Private; // shared with the connections, inside the implementation

private:
    std::unique_ptr<Private> d; // the controlling thread's; its members say whose they are
};

} // namespace quenlow
