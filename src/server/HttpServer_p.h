// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

// Private to the HTTP server: what the server and its connections
// (HttpConnection.cpp) share. Nothing else includes this header.

#include "server/HttpServer.h"

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <atomic>
#include <future>
#include <list>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <unordered_map>

namespace quenlow {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

// What the server's lists need of a connection; all on the I/O thread.
class ConnectionBase
{
public:
    virtual ~ConnectionBase() = default;
    virtual void close() = 0;
    virtual bool inHandler() const = 0;

    /// The list it waits in (the idle or the unfinished), if any, and where.
    std::list<ConnectionBase*>* queue = nullptr;
    std::list<ConnectionBase*>::iterator queuedAt;
    /// Since when it waits there.
    Clock::time_point since;
    /// The client's address, or its IPv6 /64 (what one client can pick from).
    std::string peer;
};

// Who may touch what: the members below are grouped by the thread that owns them.
struct HttpServer::Private {
    // Set on the controlling thread before start, then only read (by any thread).
    Handler handler;
    ImmediateHandler immediate;
    Logger logger;
    HttpLimits limits;

    // The controlling thread's (the one that calls start and stop); made anew
    // for each run, so nothing of a stopped run lingers in them. The I/O
    // thread uses ioc, acceptor, acceptPause, tls and workers while running.
    std::shared_ptr<asio::io_context> ioc;
    std::optional<asio::executor_work_guard<asio::io_context::executor_type>> work;
    std::optional<tcp::acceptor> acceptor;
    std::optional<asio::steady_timer> acceptPause;
    std::unique_ptr<asio::ssl::context> tls;
    std::optional<asio::thread_pool> workers;
    std::thread ioThread;
    quint16 port = 0;
    bool running = false;

    // The I/O thread's alone while running.
    bool stopping = false;
    std::set<ConnectionBase*> all;
    std::list<ConnectionBase*> idle; // waiting for a request, the longest waiting first
    std::list<ConnectionBase*> unfinished; // a request begun, not yet read whole; the oldest first
    std::unordered_map<std::string, int> unfinishedFrom; // their count per client address
    /// Set while stopping, when connections remain: kept once the last is closed.
    std::optional<std::promise<void>> drained;

    // Any thread.
    std::atomic<int> connections { 0 };

    void accept();
    void makeRoom();
    bool closeOldest();
    void enqueue(ConnectionBase* c, std::list<ConnectionBase*>& queue);
    void dequeue(ConnectionBase* c);
    void closed(ConnectionBase* c);
    /// A new connection (HttpConnection.cpp), plain or over TLS.
    template <class Stream> void serve(Stream stream, std::string peer);
};

} // namespace quenlow
