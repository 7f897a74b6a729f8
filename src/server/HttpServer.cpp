// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/HttpServer_p.h"

#include <fcntl.h>

#include <algorithm>

namespace quenlow {

namespace {

// A few bytes, so the limit per address costs no allocation.
std::string peerKey(const tcp::socket& socket)
{
    beast::error_code ec;
    asio::ip::address address = socket.remote_endpoint(ec).address();
    if (ec)
        return {};
    if (address.is_v6() && address.to_v6().is_v4_mapped())
        address = asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6());
    if (address.is_v4()) {
        const auto bytes = address.to_v4().to_bytes();
        return std::string(bytes.begin(), bytes.end());
    }
    const auto bytes = address.to_v6().to_bytes();
    return std::string(bytes.begin(), bytes.begin() + 8);
}

} // namespace

void HttpServer::Private::enqueue(ConnectionBase* c, std::list<ConnectionBase*>& queue)
{
    if (c->queue == &queue)
        return;
    dequeue(c);
    c->queue = &queue;
    c->queuedAt = queue.insert(queue.end(), c);
    c->since = Clock::now();
    if (&queue != &unfinished || ++unfinishedFrom[c->peer] <= limits.maxUnfinishedPerAddress)
        return;
    // One address may not hold every slot with requests it never finishes:
    // its oldest makes room, so its newest still gets a turn.
    for (ConnectionBase* other : unfinished) {
        if (other != c && other->peer == c->peer) {
            other->close();
            return;
        }
    }
}

void HttpServer::Private::dequeue(ConnectionBase* c)
{
    if (!c->queue)
        return;
    if (c->queue == &unfinished) {
        const auto from = unfinishedFrom.find(c->peer);
        if (from != unfinishedFrom.end() && --from->second <= 0)
            unfinishedFrom.erase(from);
    }
    c->queue->erase(c->queuedAt);
    c->queue = nullptr;
}

void HttpServer::Private::closed(ConnectionBase* c)
{
    dequeue(c);
    all.erase(c);
    if (--connections == 0 && drained) {
        drained->set_value();
        drained.reset();
    }
}

// Room is made by closing what waits longest, idle or half-sent: a
// connection that sends nothing and one that never finishes its request cost
// the same slot, and a client that just came has a turn.
bool HttpServer::Private::closeOldest()
{
    if (idle.empty() && unfinished.empty())
        return false;
    if (unfinished.empty() || (!idle.empty() && idle.front()->since <= unfinished.front()->since))
        idle.front()->close();
    else
        unfinished.front()->close();
    return true;
}

void HttpServer::Private::makeRoom()
{
    while (connections.load() >= limits.maxConnections && closeOldest()) { }
}

// A program started while the service runs (a browser, a helper) must not
// inherit its sockets: it would hold the port, and connections, after the
// service stopped.
void notInherited(int descriptor)
{
    ::fcntl(descriptor, F_SETFD, ::fcntl(descriptor, F_GETFD) | FD_CLOEXEC);
}

void HttpServer::Private::accept()
{
    acceptor->async_accept([this](beast::error_code ec, tcp::socket socket) {
        if (!acceptor->is_open() || stopping)
            return;
        if (ec) {
            // Out of descriptors, most likely: make some room and go on, or
            // wait a moment when nothing can be closed.
            if (closeOldest())
                return accept();
            acceptPause->expires_after(std::chrono::milliseconds(50));
            acceptPause->async_wait([this](beast::error_code waited) {
                if (!waited)
                    accept();
            });
            return;
        }
        notInherited(socket.native_handle());
        makeRoom();
        if (connections.load() >= limits.maxConnections) {
            beast::error_code ignored;
            socket.close(ignored);
        } else {
            beast::error_code ignored;
            // Without it each answer waits for the peer's delayed acknowledgement.
            socket.set_option(tcp::no_delay(true), ignored);
            std::string peer = peerKey(socket);
            if (tls)
                serve(asio::ssl::stream<tcp::socket>(std::move(socket), *tls), std::move(peer));
            else
                serve(std::move(socket), std::move(peer));
        }
        accept();
    });
}

HttpServer::HttpServer(Handler handler, Logger logger, const HttpLimits& limits)
    : d(std::make_unique<Private>())
{
    d->handler = std::move(handler);
    d->logger = std::move(logger);
    d->limits = limits;
}

void HttpServer::setImmediateHandler(ImmediateHandler handler)
{
    d->immediate = std::move(handler);
}

HttpServer::~HttpServer()
{
    stop();
}

Result<void> HttpServer::start(const QString& host, quint16 port, const TlsFiles* tls)
{
    const auto fail = [](const QString& why, Error::Kind kind = Error::Io) { return Error { kind, why }; };
    if (d->running)
        return fail(QStringLiteral("already running"), Error::Duplicate);
    beast::error_code ec;
    if (tls) {
        auto context = std::make_unique<asio::ssl::context>(asio::ssl::context::tls_server);
        context->set_options(asio::ssl::context::default_workarounds | asio::ssl::context::no_sslv2
            | asio::ssl::context::no_sslv3 | asio::ssl::context::no_tlsv1 | asio::ssl::context::no_tlsv1_1);
        context->use_certificate_chain_file(tls->certificate.toStdString(), ec);
        if (ec)
            return fail(QStringLiteral("cannot use the certificate %1: %2")
                            .arg(tls->certificate, QString::fromStdString(ec.message())));
        context->use_private_key_file(tls->key.toStdString(), asio::ssl::context::pem, ec);
        if (ec)
            return fail(QStringLiteral("cannot use the key %1: %2")
                            .arg(tls->key, QString::fromStdString(ec.message())));
        d->tls = std::move(context);
    } else {
        d->tls.reset();
    }

    d->ioc = std::make_shared<asio::io_context>(1);
    tcp::endpoint endpoint;
    const std::string name = host.isEmpty() ? std::string("::") : host.toStdString();
    const auto address = asio::ip::make_address(name, ec);
    if (!ec) {
        endpoint = tcp::endpoint(address, port);
    } else {
        tcp::resolver resolver(*d->ioc);
        const auto found = resolver.resolve(name, std::to_string(port), ec);
        if (ec || found.empty())
            return fail(QStringLiteral("cannot listen on %1:%2 (the address is not one of this machine's)")
                            .arg(host)
                            .arg(port));
        endpoint = found.begin()->endpoint();
    }
    d->acceptor.emplace(*d->ioc);
    d->acceptPause.emplace(*d->ioc);
    // SO_REUSEADDR only: a port another service holds must be an error.
    if (d->acceptor->open(endpoint.protocol(), ec) || (notInherited(d->acceptor->native_handle()), false)
        || d->acceptor->set_option(tcp::acceptor::reuse_address(true), ec) || d->acceptor->bind(endpoint, ec)
        || d->acceptor->listen(asio::socket_base::max_listen_connections, ec)) {
        d->acceptor.reset();
        d->acceptPause.reset();
        d->ioc.reset();
        return fail(QStringLiteral("cannot listen on %1:%2 (the port is in use, or the address is not one of "
                                   "this machine's)")
                        .arg(host)
                        .arg(port));
    }
    d->port = d->acceptor->local_endpoint().port();
    d->stopping = false;
    d->work.emplace(d->ioc->get_executor());
    d->workers.emplace(std::size_t(std::max(1, d->limits.workers)));
    d->accept();
    d->ioThread = std::thread([d = d.get()] { d->ioc->run(); });
    d->running = true;
    return {};
}

void HttpServer::stop()
{
    if (!d->running)
        return;
    const auto onIoThread = [this](auto function) {
        std::promise<void> done;
        asio::post(*d->ioc, [&] {
            function();
            done.set_value();
        });
        done.get_future().wait();
    };
    std::promise<void> drained;
    std::future<void> allClosed = drained.get_future();
    onIoThread([this, &drained] {
        d->stopping = true;
        beast::error_code ignored;
        d->acceptor->close(ignored);
        d->acceptPause->cancel();
        const std::set<ConnectionBase*> all = d->all;
        for (ConnectionBase* c : all) {
            if (!c->inHandler())
                c->close();
        }
        if (d->connections.load() == 0)
            drained.set_value();
        else
            d->drained = std::move(drained); // kept when the last one closes
    });
    // Requests in the handler are finished and answered; a client that does
    // not take its answer is cut off by the write deadline, or here.
    allClosed.wait_for(d->limits.writeDeadline);
    onIoThread([this] {
        d->drained.reset();
        const std::set<ConnectionBase*> all = d->all;
        for (ConnectionBase* c : all)
            c->close();
    });
    d->workers->join();
    d->workers.reset();
    d->work.reset();
    d->ioc->stop();
    d->ioThread.join();
    d->acceptor.reset();
    d->acceptPause.reset();
    d->idle.clear();
    d->unfinished.clear();
    d->unfinishedFrom.clear();
    d->all.clear();
    d->connections = 0;
    d->ioc.reset(); // ends what was left in it, the connections with it
    d->running = false;
}

quint16 HttpServer::port() const
{
    return d->running ? d->port : 0;
}

int HttpServer::connectionCount() const
{
    return d->connections.load();
}

} // namespace quenlow
