// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/HttpServer.h"

#include "server/AnswerPages.h"
#include "server/FormFields.h"

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <atomic>
#include <future>
#include <list>
#include <optional>
#include <set>
#include <thread>

namespace quenlow {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::uint32_t kHeaderLimit = 16 * 1024;
constexpr std::size_t kReadPiece = 4096;
// After a refusal the rest of what the client sends is read and dropped for a
// moment, so that closing does not reset the connection before the client
// has read why.
constexpr std::chrono::milliseconds kLinger{1000};
constexpr std::size_t kLingerBytes = 16 * 1024 * 1024;

class ConnectionBase
{
public:
    virtual ~ConnectionBase() = default;
    virtual void close() = 0;
    virtual bool inHandler() const = 0;
    bool idle = false;
    std::list<ConnectionBase*>::iterator idleAt;
};

HttpResponse refusal(int status)
{
    switch (status) {
    case 413:
        return errorResponse(413, QStringLiteral("Too large"),
                             QStringLiteral("The data sent is larger than this service accepts. Nothing has been stored."));
    case 417:
        return errorResponse(417, QStringLiteral("Expectation failed"), QStringLiteral("Only 100-continue is understood."));
    default:
        return errorResponse(400, QStringLiteral("Bad request"), QStringLiteral("The request could not be read."));
    }
}

// A negative length: the body follows in chunks.
std::string headText(const HttpResponse& r, bool keepAlive, qint64 length)
{
    std::string head = "HTTP/1.1 " + std::to_string(r.status) + ' '
        + std::string(http::obsolete_reason(http::int_to_status(unsigned(r.status)))) + "\r\n";
    if (!r.contentType.isEmpty())
        head += "Content-Type: " + r.contentType.toStdString() + "\r\n";
    for (const auto& [name, value] : r.headers)
        head += name.toStdString() + ": " + value.toStdString() + "\r\n";
    head += length >= 0 ? "Content-Length: " + std::to_string(length) + "\r\n" : std::string("Transfer-Encoding: chunked\r\n");
    if (!keepAlive)
        head += "Connection: close\r\n";
    head += "\r\n";
    return head;
}

} // namespace

struct HttpServer::Private {
    Handler handler;
    ImmediateHandler immediate;
    Logger logger;
    HttpLimits limits;

    // Made anew for each run, so nothing of a stopped run lingers in it.
    std::shared_ptr<asio::io_context> ioc;
    std::optional<asio::executor_work_guard<asio::io_context::executor_type>> work;
    std::optional<tcp::acceptor> acceptor;
    std::optional<asio::steady_timer> acceptPause;
    std::unique_ptr<asio::ssl::context> tls;
    std::optional<asio::thread_pool> workers;
    std::thread ioThread;
    quint16 port = 0;
    bool running = false;

    // Touched on the I/O thread only.
    bool stopping = false;
    std::set<ConnectionBase*> all;
    std::list<ConnectionBase*> idle; // the longest idle first
    std::atomic<int> connections{0};

    void accept();
    void makeRoom();
    template<class Stream>
    void serve(Stream stream);
};

namespace {

template<class Stream>
class Connection final : public ConnectionBase, public std::enable_shared_from_this<Connection<Stream>>
{
public:
    Connection(HttpServer::Private& server, Stream stream)
        : m_server(server)
        , m_stream(std::move(stream))
        , m_timer(*server.ioc)
    {
    }

    void begin()
    {
        m_server.all.insert(this);
        ++m_server.connections;
        // The first request may come late; it still gets its answer.
        setDeadline(m_server.limits.firstRequestWait);
        markIdle();
        if constexpr (std::is_same_v<Stream, asio::ssl::stream<tcp::socket>>) {
            m_stream.async_handshake(asio::ssl::stream_base::server, [self = this->shared_from_this()](beast::error_code ec) {
                if (self->m_closed)
                    return;
                if (ec)
                    return self->close();
                self->waitForRequest();
            });
        } else {
            waitForRequest();
        }
    }

    void close() override
    {
        if (m_closed)
            return;
        m_closed = true;
        if (m_gone)
            *m_gone = true;
        unmarkIdle();
        m_timer.cancel();
        beast::error_code ec;
        socket().shutdown(tcp::socket::shutdown_both, ec);
        socket().close(ec);
        m_server.all.erase(this);
        --m_server.connections;
    }

    bool inHandler() const override { return m_busy; }

private:
    tcp::socket& socket() { return beast::get_lowest_layer(m_stream); }

    void setDeadline(std::chrono::milliseconds after)
    {
        m_timer.expires_after(after);
        m_timer.async_wait([self = this->shared_from_this()](beast::error_code ec) {
            // A wait outdated by a newer deadline completes as aborted, or
            // finds the expiry moved on.
            if (ec == asio::error::operation_aborted || self->m_closed || self->m_timer.expiry() > Clock::now())
                return;
            self->close();
        });
    }

    void markIdle()
    {
        if (idle)
            return;
        idle = true;
        idleAt = m_server.idle.insert(m_server.idle.end(), this);
    }

    void unmarkIdle()
    {
        if (!idle)
            return;
        idle = false;
        m_server.idle.erase(idleAt);
    }

    // Waits for the first byte of the next request (idle), unless it came already.
    void waitForRequest()
    {
        if (m_buffer.size() > 0)
            return startRequest();
        markIdle();
        if (!m_reading)
            readMore();
    }

    // One read, outstanding while idle and while the handler runs: it brings
    // the next request's first bytes, or tells that the client has gone.
    void readMore()
    {
        m_reading = true;
        m_stream.async_read_some(m_buffer.prepare(kReadPiece), [self = this->shared_from_this()](beast::error_code ec,
                                                                                                 std::size_t n) {
            self->m_reading = false;
            if (self->m_closed)
                return;
            if (ec) {
                // Gone; a request in the handler is then not stored, nor answered.
                if (self->m_gone)
                    *self->m_gone = true;
                if (!self->m_busy)
                    self->close();
                return;
            }
            self->m_buffer.commit(n);
            if (!self->m_busy)
                self->startRequest();
        });
    }

    void startRequest()
    {
        unmarkIdle();
        if (m_server.stopping)
            return close();
        // One deadline for the whole head and body, however the bytes trickle in.
        setDeadline(m_server.limits.requestDeadline);
        m_started = Clock::now();
        m_parser.emplace();
        m_parser->header_limit(kHeaderLimit);
        m_parser->body_limit(std::uint64_t(m_server.limits.maxBody));
        m_reading = true;
        http::async_read_header(m_stream, m_buffer, *m_parser, whenRead(&Connection::readBody));
    }

    // The completion of a read: `next` runs unless the connection was closed
    // meanwhile or the read failed.
    auto whenRead(void (Connection::*next)())
    {
        return [self = this->shared_from_this(), next](beast::error_code ec, std::size_t) {
            self->m_reading = false;
            if (self->m_closed)
                return;
            if (ec)
                return self->readFailed(ec);
            ((*self).*next)();
        };
    }

    void readBody()
    {
        auto& head = m_parser->get();
        m_method = QByteArray(head.method_string().data(), qsizetype(head.method_string().size()));
        const std::string_view target(head.target().data(), head.target().size());
        m_target = QByteArray(target.data(), qsizetype(target.size()));
        const auto length = m_parser->content_length();
        if (length && *length > std::uint64_t(m_server.limits.maxBody))
            return refuse(413);
        const auto expect = head[http::field::expect];
        if (!expect.empty()) {
            if (!beast::iequals(expect, "100-continue"))
                return refuse(417);
            if (!m_parser->is_done()) {
                // Without it, some clients wait a second before sending the body.
                auto text = std::make_shared<std::string>("HTTP/1.1 100 Continue\r\n\r\n");
                asio::async_write(m_stream, asio::buffer(*text),
                                  [self = this->shared_from_this(), text](beast::error_code ec, std::size_t) {
                                      if (self->m_closed)
                                          return;
                                      if (ec)
                                          return self->close();
                                  });
            }
        }
        m_reading = true;
        http::async_read(m_stream, m_buffer, *m_parser, whenRead(&Connection::dispatch));
    }

    void readFailed(beast::error_code ec)
    {
        if (ec == http::error::body_limit)
            return refuse(413);
        if (ec == http::error::end_of_stream || ec == asio::error::eof || ec == asio::error::operation_aborted
            || ec == asio::error::connection_reset || ec == http::error::partial_message)
            return close();
        refuse(400);
    }

    void refuse(int status)
    {
        m_keepAlive = false;
        m_busy = true;
        unmarkIdle();
        if (m_method.isEmpty())
            m_method = "-";
        const HttpResponse response = refusal(status);
        writeWhole(response, false);
    }

    void dispatch()
    {
        auto& message = m_parser->get();
        m_keepAlive = message.keep_alive() && !m_server.stopping;
        m_head = message.method() == http::verb::head;
        HttpRequest request;
        request.method = m_method;
        const qsizetype question = m_target.indexOf('?');
        request.path = percentDecoded(question < 0 ? m_target : m_target.left(question));
        if (question >= 0)
            request.query = m_target.mid(question + 1);
        const auto type = message[http::field::content_type];
        request.contentType = QByteArray(type.data(), qsizetype(type.size()));
        request.body = QByteArray(message.body().data(), qsizetype(message.body().size()));
        m_parser.reset();
        m_gone = std::make_shared<std::atomic<bool>>(false);
        request.clientGone = [gone = m_gone] { return gone->load(); };
        m_logPath = request.path;
        m_busy = true;
        m_timer.cancel(); // the handler takes what it takes; a submission waits for its commit
        if (!m_reading && m_buffer.size() == 0) {
            // A large request leaves a large buffer; a waiting connection keeps little.
            m_buffer.shrink_to_fit();
            readMore();
        }

        // A submission is handed to the writer from here, and answered when
        // its commit is done: no thread waits for it.
        if (m_server.immediate) {
            auto respond = [self = this->shared_from_this(), ioc = m_server.ioc](HttpResponse response) {
                asio::post(*ioc, [self, response = std::move(response)] { self->deliver(response); });
            };
            if (m_server.immediate(request, std::move(respond)))
                return;
        }
        asio::post(*m_server.workers, [self = this->shared_from_this(), request = std::move(request)]() mutable {
            HttpResponse response;
            try {
                response = self->m_server.handler(request);
            } catch (...) {
                // Never the exception's text: it is nobody's business outside.
                response = errorResponse(500, QStringLiteral("Internal error"),
                                         QStringLiteral("The request could not be served. Nothing has been stored."));
            }
            if (response.stream && !self->m_head)
                return self->streamFromWorker(std::move(response));
            asio::post(*self->m_server.ioc, [self, response = std::move(response)] { self->deliver(response); });
        });
    }

    void deliver(const HttpResponse& response)
    {
        if (m_closed)
            return;
        if (*m_gone) {
            // Still one line for it, saying what was decided.
            m_status = response.status;
            finished(asio::error::connection_reset);
            return;
        }
        writeWhole(response, m_head);
    }

    void writeWhole(const HttpResponse& response, bool headOnly)
    {
        m_status = response.status;
        // A streamed page (asked for by HEAD here) has no length known beforehand.
        const qint64 length = response.stream ? -1 : response.body.size();
        auto text = std::make_shared<std::string>(headText(response, m_keepAlive, length));
        if (!headOnly)
            text->append(response.body.constData(), std::size_t(response.body.size()));
        setDeadline(m_server.limits.writeDeadline);
        asio::async_write(m_stream, asio::buffer(*text),
                          [self = this->shared_from_this(), text](beast::error_code ec, std::size_t) {
                              self->finished(ec);
                          });
    }

    // Runs on a worker: each piece goes out before the next is made, so a
    // page of any size costs one piece of memory and a slow reader slows
    // only its own page.
    void streamFromWorker(HttpResponse response)
    {
        const auto send = [this](std::string bytes) {
            auto done = std::make_shared<std::promise<bool>>();
            std::future<bool> sent = done->get_future();
            asio::post(*m_server.ioc, [self = this->shared_from_this(), bytes = std::move(bytes), done]() mutable {
                if (self->m_closed || *self->m_gone) {
                    done->set_value(false);
                    return;
                }
                auto text = std::make_shared<std::string>(std::move(bytes));
                self->setDeadline(self->m_server.limits.writeDeadline);
                asio::async_write(self->m_stream, asio::buffer(*text),
                                  [self, text, done](beast::error_code ec, std::size_t) {
                                      if (ec && !self->m_closed)
                                          self->close();
                                      done->set_value(!ec && !self->m_closed);
                                  });
            });
            return sent.get();
        };
        m_status = response.status;
        bool ok = send(headText(response, m_keepAlive, -1));
        if (ok) {
            ok = response.stream([&send](const QByteArray& piece) {
                if (piece.isEmpty())
                    return true;
                char size[20];
                std::snprintf(size, sizeof size, "%llx\r\n", static_cast<unsigned long long>(piece.size()));
                std::string chunk = size;
                chunk.append(piece.constData(), std::size_t(piece.size()));
                chunk += "\r\n";
                return send(std::move(chunk));
            });
        }
        // A page cut short must not look whole: no last chunk, the connection closes.
        if (ok)
            ok = send("0\r\n\r\n");
        asio::post(*m_server.ioc, [self = this->shared_from_this(), ok] {
            if (!ok)
                self->m_keepAlive = false;
            self->finished({});
        });
    }

    void finished(beast::error_code ec)
    {
        if (m_closed)
            return;
        if (m_server.logger)
            m_server.logger(m_method, m_logPath.isEmpty() ? m_target : m_logPath, m_status,
                            std::chrono::duration<double, std::milli>(Clock::now() - m_started).count());
        m_method.clear();
        m_target.clear();
        m_logPath.clear();
        m_busy = false;
        if (ec || m_server.stopping)
            return close();
        if (!m_keepAlive)
            return linger();
        setDeadline(m_server.limits.keepAliveWait);
        waitForRequest();
    }

    void linger()
    {
        beast::error_code ignored;
        socket().shutdown(tcp::socket::shutdown_send, ignored);
        setDeadline(kLinger);
        drop();
    }

    void drop()
    {
        if (m_reading)
            return; // the outstanding read ends it
        m_reading = true;
        m_buffer.clear();
        m_stream.async_read_some(m_buffer.prepare(kReadPiece), [self = this->shared_from_this()](beast::error_code ec,
                                                                                                 std::size_t n) {
            self->m_reading = false;
            self->m_dropped += n;
            if (self->m_closed)
                return;
            if (ec || self->m_dropped > kLingerBytes)
                return self->close();
            self->drop();
        });
    }

    HttpServer::Private& m_server;
    Stream m_stream;
    asio::steady_timer m_timer;
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
    std::shared_ptr<std::atomic<bool>> m_gone;
    Clock::time_point m_started = Clock::now();
    QByteArray m_method, m_target, m_logPath;
    int m_status = 0;
    std::size_t m_dropped = 0;
    bool m_reading = false; // a read is outstanding
    bool m_busy = false;    // a request is in the handler or its answer being written
    bool m_closed = false;
    bool m_keepAlive = true;
    bool m_head = false;
};

} // namespace

void HttpServer::Private::makeRoom()
{
    // The oldest idle connections go first: they are the likeliest abandoned.
    while (connections.load() >= limits.maxConnections && !idle.empty())
        idle.front()->close();
}

template<class Stream>
void HttpServer::Private::serve(Stream stream)
{
    std::make_shared<Connection<Stream>>(*this, std::move(stream))->begin();
}

void HttpServer::Private::accept()
{
    acceptor->async_accept([this](beast::error_code ec, tcp::socket socket) {
        if (!acceptor->is_open() || stopping)
            return;
        if (ec) {
            // Out of descriptors, most likely: make some room and go on, or
            // wait a moment when nothing can be closed.
            if (!idle.empty()) {
                idle.front()->close();
                return accept();
            }
            acceptPause->expires_after(std::chrono::milliseconds(50));
            acceptPause->async_wait([this](beast::error_code waited) {
                if (!waited)
                    accept();
            });
            return;
        }
        makeRoom();
        if (connections.load() >= limits.maxConnections) {
            beast::error_code ignored;
            socket.close(ignored);
        } else {
            beast::error_code ignored;
            // Without it each answer waits for the peer's delayed acknowledgement.
            socket.set_option(tcp::no_delay(true), ignored);
            if (tls)
                serve(asio::ssl::stream<tcp::socket>(std::move(socket), *tls));
            else
                serve(std::move(socket));
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

bool HttpServer::start(const QString& host, quint16 port, const TlsFiles* tls, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (d->running)
        return fail(QStringLiteral("already running"));
    beast::error_code ec;
    if (tls) {
        auto context = std::make_unique<asio::ssl::context>(asio::ssl::context::tls_server);
        context->set_options(asio::ssl::context::default_workarounds | asio::ssl::context::no_sslv2
                             | asio::ssl::context::no_sslv3 | asio::ssl::context::no_tlsv1
                             | asio::ssl::context::no_tlsv1_1);
        context->use_certificate_chain_file(tls->certificate.toStdString(), ec);
        if (ec)
            return fail(QStringLiteral("cannot use the certificate %1: %2")
                            .arg(tls->certificate, QString::fromStdString(ec.message())));
        context->use_private_key_file(tls->key.toStdString(), asio::ssl::context::pem, ec);
        if (ec)
            return fail(QStringLiteral("cannot use the key %1: %2").arg(tls->key, QString::fromStdString(ec.message())));
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
            return fail(QStringLiteral("cannot listen on %1:%2 (the address is not one of this machine's)").arg(host).arg(port));
        endpoint = found.begin()->endpoint();
    }
    d->acceptor.emplace(*d->ioc);
    d->acceptPause.emplace(*d->ioc);
    // SO_REUSEADDR only: a port another service holds must be an error.
    if (d->acceptor->open(endpoint.protocol(), ec) || d->acceptor->set_option(tcp::acceptor::reuse_address(true), ec)
        || d->acceptor->bind(endpoint, ec) || d->acceptor->listen(asio::socket_base::max_listen_connections, ec)) {
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
    return true;
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
    onIoThread([this] {
        d->stopping = true;
        beast::error_code ignored;
        d->acceptor->close(ignored);
        d->acceptPause->cancel();
        const std::set<ConnectionBase*> all = d->all;
        for (ConnectionBase* c : all) {
            if (!c->inHandler())
                c->close();
        }
    });
    // Requests in the handler are finished and answered; a client that does
    // not take its answer is cut off by the write deadline, or here.
    const auto giveUp = Clock::now() + d->limits.writeDeadline;
    while (d->connections.load() > 0 && Clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    onIoThread([this] {
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
