// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// One client's connection of the HTTP server: reading requests, handing them
// to the handler, writing the answers.
#include "server/HttpServer_p.h"

#include "model/RespondentTexts.h"

#include "server/AnswerPages.h"
#include "server/FormFields.h"

#include <algorithm>
#include <cstring>

namespace quenlow {

namespace {

constexpr std::uint32_t kHeaderLimit = 16 * 1024;
constexpr std::size_t kReadPiece = 4096;
constexpr std::size_t kLargestRead = 64 * 1024;
// A buffer above this, left by a large request, is given back once it is empty.
constexpr std::size_t kKeptBuffer = 64 * 1024;
// After a refusal the rest of what the client sends is read and dropped for a
// moment, so that closing does not reset the connection before the client
// has read why.
constexpr std::chrono::milliseconds kLinger { 1000 };
constexpr std::size_t kLingerBytes = 16 * 1024 * 1024;

HttpResponse refusal(int status)
{
    switch (status) {
    case 413:
        return errorResponse(413, respondentText(RespondentText::TooLargeTitle),
            respondentText(RespondentText::TooLarge) + u' ' + respondentText(RespondentText::NothingStored));
    case 417:
        return errorResponse(417, respondentText(RespondentText::ExpectationFailedTitle),
            respondentText(RespondentText::ExpectationFailed));
    default:
        return errorResponse(400, respondentText(RespondentText::BadRequestTitle),
            respondentText(RespondentText::RequestUnreadable));
    }
}

// A negative length: the body follows in chunks. Room is kept for `room`
// more bytes, the body that follows.
std::string headText(const HttpResponse& r, bool keepAlive, qint64 length, std::size_t room = 0)
{
    const auto append = [](std::string& to, const QByteArray& bytes) {
        to.append(bytes.constData(), std::size_t(bytes.size()));
    };
    const beast::string_view reason = http::obsolete_reason(http::int_to_status(unsigned(r.status)));
    std::size_t size = 96 + reason.size() + std::size_t(r.contentType.size()) + room;
    for (const auto& [name, value] : r.headers)
        size += std::size_t(name.size() + value.size()) + 4;
    std::string head;
    head.reserve(size);
    head += "HTTP/1.1 ";
    head += std::to_string(r.status);
    head += ' ';
    head.append(reason.data(), reason.size());
    head += "\r\n";
    if (!r.contentType.isEmpty()) {
        head += "Content-Type: ";
        append(head, r.contentType);
        head += "\r\n";
    }
    for (const auto& [name, value] : r.headers) {
        append(head, name);
        head += ": ";
        append(head, value);
        head += "\r\n";
    }
    if (length >= 0) {
        head += "Content-Length: ";
        head += std::to_string(length);
        head += "\r\n";
    } else {
        head += "Transfer-Encoding: chunked\r\n";
    }
    if (!keepAlive)
        head += "Connection: close\r\n";
    head += "\r\n";
    return head;
}

// The request target as a path: a proxy's absolute form
// ("http://host/scripts/save.asp") is served as the path it names.
QByteArray originForm(const QByteArray& target)
{
    if (target.startsWith('/'))
        return target;
    const qsizetype scheme = target.indexOf("://");
    const QByteArray name = target.left(std::max<qsizetype>(scheme, 0)).toLower();
    if (name != "http" && name != "https")
        return target;
    qsizetype end = scheme + 3;
    while (end < target.size() && target.at(end) != '/' && target.at(end) != '?')
        ++end;
    return end < target.size() && target.at(end) == '/' ? target.mid(end) : '/' + target.mid(end);
}

// One client's connection. Its members are the I/O thread's: a worker runs
// streamFromWorker, which touches them only through posts to the I/O thread,
// and reads m_head and m_server's settings, fixed while its request is served;
// the handler reads m_gone, an atomic flag it shares.
template <class Stream>
class Connection final : public ConnectionBase, public std::enable_shared_from_this<Connection<Stream>>
{
public:
    Connection(HttpServer::Private& server, Stream stream)
        : m_server(server)
        , m_stream(std::move(stream))
        , m_timer(*server.ioc)
    {
    }

    void begin(std::string from)
    {
        peer = std::move(from);
        m_server.all.insert(this);
        ++m_server.connections;
        // The first request may come late; it still gets its answer.
        setDeadline(m_server.limits.firstRequestWait);
        m_server.enqueue(this, m_server.idle);
        if constexpr (std::is_same_v<Stream, asio::ssl::stream<tcp::socket>>) {
            m_stream.async_handshake(
                asio::ssl::stream_base::server, [self = this->shared_from_this()](beast::error_code ec) {
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
        m_held = nullptr;
        m_timer.cancel();
        beast::error_code ec;
        socket().shutdown(tcp::socket::shutdown_both, ec);
        socket().close(ec);
        m_server.closed(this);
    }

    bool inHandler() const override { return m_busy; }

private:
    tcp::socket& socket() { return beast::get_lowest_layer(m_stream); }

    // One wait on the timer at a time: moving a deadline later costs nothing,
    // the wait finds it moved when it ends and waits on.
    void setDeadline(std::chrono::milliseconds after) { setDeadlineAt(Clock::now() + after); }

    void setDeadlineAt(Clock::time_point at)
    {
        m_deadline = at;
        if (m_timerWaiting && m_timer.expiry() <= at)
            return;
        m_timerWaiting = true;
        m_timer.expires_at(at); // ends the wait under way, as aborted
        m_timer.async_wait([self = this->shared_from_this()](beast::error_code ec) {
            if (ec == asio::error::operation_aborted || self->m_closed)
                return;
            self->m_timerWaiting = false;
            if (self->m_deadline == Clock::time_point::max())
                return; // none for now
            if (self->m_deadline > Clock::now())
                return self->setDeadlineAt(self->m_deadline);
            self->close();
        });
    }

    void noDeadline() { m_deadline = Clock::time_point::max(); }

    // Waits for the first byte of the next request (idle), unless it came already.
    void waitForRequest()
    {
        if (m_buffer.size() > 0)
            return startRequest();
        m_server.enqueue(this, m_server.idle);
        if (!m_reading)
            readMore();
    }

    // One read, outstanding while idle and while the handler runs: it brings
    // the next request's first bytes, or tells that the client has gone.
    void readMore()
    {
        m_reading = true;
        m_stream.async_read_some(m_buffer.prepare(kReadPiece),
            [self = this->shared_from_this()](beast::error_code ec, std::size_t n) {
                self->m_reading = false;
                if (self->m_closed)
                    return;
                if (ec == asio::error::eof && self->m_busy)
                    return self->peerDoneSending();
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

    // The client ended its side after a whole request: it may still be
    // reading (a half-close), or have closed altogether, which looks the same
    // until something is sent. A client that has closed answers anything with
    // a reset, so a post is sent an interim "100 Continue", which every
    // HTTP/1.1 client passes over, and the reset (if it comes) marks the
    // client gone: a submission not stored by then is not stored.
    void peerDoneSending()
    {
        m_peerDone = true;
        if (m_responding || !m_probe)
            return;
        socket().async_wait(tcp::socket::wait_error, [self = this->shared_from_this()](beast::error_code ec) {
            if (!ec && !self->m_closed && self->m_gone)
                *self->m_gone = true;
        });
        sendInterim("HTTP/1.1 100 Continue\r\n\r\n");
    }

    // A 1xx answer; the final one waits until it is out, the two never mix.
    void sendInterim(const char* text)
    {
        if (m_responding)
            return;
        m_interimOut = true;
        asio::async_write(m_stream, asio::buffer(text, std::strlen(text)),
            [self = this->shared_from_this()](beast::error_code ec, std::size_t) {
                self->m_interimOut = false;
                if (self->m_closed)
                    return;
                if (ec) {
                    if (self->m_gone)
                        *self->m_gone = true;
                    if (!self->m_busy)
                        return self->close();
                }
                if (auto held = std::move(self->m_held)) {
                    self->m_held = nullptr;
                    held();
                }
            });
    }

    // Sends part or all of the final answer.
    template <class Done> void send(std::shared_ptr<std::string> text, Done done)
    {
        m_responding = true;
        if (m_interimOut) {
            m_held = [self = this->shared_from_this(), text, done = std::move(done)]() mutable {
                self->send(std::move(text), std::move(done));
            };
            return;
        }
        setDeadline(m_server.limits.writeDeadline);
        asio::async_write(m_stream, asio::buffer(*text),
            [text, done = std::move(done)](beast::error_code ec, std::size_t) { done(ec); });
    }

    void startRequest()
    {
        if (m_server.stopping)
            return close();
        // Counted as unfinished until read whole; may close this address's oldest.
        m_server.enqueue(this, m_server.unfinished);
        // One deadline for the whole head and body, however the bytes trickle in.
        setDeadline(m_server.limits.requestDeadline);
        m_started = Clock::now();
        m_parser.emplace();
        m_headRead = false;
        m_parser->header_limit(kHeaderLimit);
        m_parser->body_limit(std::uint64_t(m_server.limits.maxBody));
        parse();
    }

    // Parses what has come; reads more only when the request is not whole.
    // A request that came in one piece, as most do, takes no further wait.
    void parse()
    {
        while (!m_parser->is_done()) {
            beast::error_code ec = http::error::need_more;
            if (m_buffer.size() > 0)
                m_buffer.consume(m_parser->put(m_buffer.data(), ec));
            if (ec == http::error::need_more)
                return readRequest();
            if (ec)
                return readFailed(ec);
            if (m_parser->is_header_done() && !m_headRead) {
                m_headRead = true;
                if (!headAccepted())
                    return;
                m_parser->eager(true); // the rest of the body in one go
            }
        }
        dispatch();
    }

    void readRequest()
    {
        // Larger pieces once a body is under way, as the buffer has grown.
        const std::size_t room = m_buffer.capacity() - m_buffer.size();
        m_reading = true;
        m_stream.async_read_some(m_buffer.prepare(std::clamp(room, kReadPiece, kLargestRead)),
            [self = this->shared_from_this()](beast::error_code ec, std::size_t n) {
                self->m_reading = false;
                if (self->m_closed)
                    return;
                if (ec == asio::error::eof && self->m_parser->got_some())
                    self->m_parser->put_eof(ec); // a request cut short
                if (ec)
                    return self->readFailed(ec);
                self->m_buffer.commit(n);
                self->parse();
            });
    }

    // The head has come: false when the request is refused for what it says.
    bool headAccepted()
    {
        auto& head = m_parser->get();
        m_method = QByteArray(head.method_string().data(), qsizetype(head.method_string().size()));
        const std::string_view target(head.target().data(), head.target().size());
        m_target = QByteArray(target.data(), qsizetype(target.size()));
        // A body ends where Content-Length or the chunked coding says, and
        // nowhere else: under any other coding its end is unknown, and reading
        // on would take the body for the next request.
        const auto codings = head.equal_range(http::field::transfer_encoding);
        if (codings.first != codings.second
            && (std::next(codings.first) != codings.second
                || !beast::iequals(codings.first->value(), "chunked"))) {
            refuse(400);
            return false;
        }
        const auto length = m_parser->content_length();
        if (length && *length > std::uint64_t(m_server.limits.maxBody)) {
            refuse(413);
            return false;
        }
        const auto expect = head[http::field::expect];
        if (!expect.empty()) {
            if (!beast::iequals(expect, "100-continue")) {
                refuse(417);
                return false;
            }
            // Without it, some clients wait a second before sending the body
            // (unless it is coming already).
            if (!m_parser->is_done() && m_buffer.size() == 0)
                sendInterim("HTTP/1.1 100 Continue\r\n\r\n");
        }
        return true;
    }

    void readFailed(beast::error_code ec)
    {
        if (ec == http::error::body_limit)
            return refuse(413);
        if (ec == http::error::end_of_stream || ec == asio::error::eof || ec == asio::error::operation_aborted
            || ec == asio::error::connection_reset || ec == http::error::partial_message
            || ec == asio::ssl::error::stream_truncated)
            return close();
        refuse(400);
    }

    void refuse(int status)
    {
        m_keepAlive = false;
        m_busy = true;
        m_server.dequeue(this);
        if (m_method.isEmpty())
            m_method = "-";
        const HttpResponse response = refusal(status);
        writeWhole(response, false);
    }

    void dispatch()
    {
        m_server.dequeue(this);
        auto& message = m_parser->get();
        m_keepAlive = message.keep_alive() && !m_server.stopping;
        m_head = message.method() == http::verb::head;
        // Whether the client is still there matters to what changes something;
        // HTTP/1.0 clients must not be sent an interim answer.
        m_probe = message.method() != http::verb::get && !m_head && message.version() >= 11;
        HttpRequest request;
        request.method = m_method;
        const QByteArray target = originForm(m_target);
        const qsizetype question = target.indexOf('?');
        request.path = percentDecoded(question < 0 ? target : target.left(question));
        if (question >= 0)
            request.query = target.mid(question + 1);
        const auto type = message[http::field::content_type];
        request.contentType = QByteArray(type.data(), qsizetype(type.size()));
        const auto languages = message[http::field::accept_language];
        request.acceptLanguage = QByteArray(languages.data(), qsizetype(languages.size()));
        if (message.method() == http::verb::get || m_head) {
            // Pages that show their own address (the projector's) name it as the browser reached it.
            const auto host = message[http::field::host];
            request.host = QByteArray(host.data(), qsizetype(host.size()));
            request.secure = std::is_same_v<Stream, asio::ssl::stream<tcp::socket>>;
        }
        request.body = QByteArray(message.body().data(), qsizetype(message.body().size()));
        m_parser.reset();
        m_gone = std::make_shared<std::atomic<bool>>(false);
        request.clientGone = [gone = m_gone] { return gone->load(); };
        m_logPath = request.path;
        m_busy = true;
        noDeadline(); // the handler takes what it takes; a submission waits for its commit
        if (!m_reading && m_buffer.size() == 0) {
            // A large request leaves a large buffer; a waiting connection keeps little.
            if (m_buffer.capacity() > kKeptBuffer)
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
        asio::post(
            *m_server.workers, [self = this->shared_from_this(), request = std::move(request)]() mutable {
                HttpResponse response;
                try {
                    response = self->m_server.handler(request);
                } catch (...) {
                    // Never the exception's text: it is nobody's business outside.
                    response = errorResponse(500, respondentText(RespondentText::InternalErrorTitle),
                        respondentText(RespondentText::InternalError) + u' '
                            + respondentText(RespondentText::NothingStored));
                }
                if (response.stream && !self->m_head)
                    return self->streamFromWorker(std::move(response));
                asio::post(
                    *self->m_server.ioc, [self, response = std::move(response)] { self->deliver(response); });
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

    bool keepsAlive() const { return m_keepAlive && !m_peerDone; }

    void writeWhole(const HttpResponse& response, bool headOnly)
    {
        m_status = response.status;
        // A streamed page (asked for by HEAD here) has no length known beforehand.
        const qint64 length = response.stream ? -1 : response.body.size();
        auto text = std::make_shared<std::string>(
            headText(response, keepsAlive(), length, headOnly ? 0 : std::size_t(response.body.size())));
        if (!headOnly)
            text->append(response.body.constData(), std::size_t(response.body.size()));
        send(
            std::move(text), [self = this->shared_from_this()](beast::error_code ec) { self->finished(ec); });
    }

    // Runs on a worker: each piece goes out before the next is made, so a
    // page of any size costs one piece of memory and a slow reader slows
    // only its own page.
    void streamFromWorker(HttpResponse response)
    {
        const auto post = [this](std::function<std::string()> make) {
            auto done = std::make_shared<std::promise<bool>>();
            std::future<bool> sent = done->get_future();
            asio::post(
                *m_server.ioc, [self = this->shared_from_this(), make = std::move(make), done]() mutable {
                    if (self->m_closed || *self->m_gone) {
                        done->set_value(false);
                        return;
                    }
                    self->send(std::make_shared<std::string>(make()), [self, done](beast::error_code ec) {
                        if (ec && !self->m_closed)
                            self->close();
                        done->set_value(!ec && !self->m_closed);
                    });
                });
            return sent.get();
        };
        // The head is made on the I/O thread, which knows whether the client still sends.
        bool ok = post([this, &response] { return headText(response, keepsAlive(), -1); });
        if (ok) {
            ok = response.stream([&post](const QByteArray& piece) {
                if (piece.isEmpty())
                    return true;
                char size[20];
                std::snprintf(size, sizeof size, "%llx\r\n", static_cast<unsigned long long>(piece.size()));
                std::string chunk = size;
                chunk.append(piece.constData(), std::size_t(piece.size()));
                chunk += "\r\n";
                return post([&chunk] { return std::move(chunk); });
            });
        }
        // A page cut short must not look whole: no last chunk, the connection closes.
        if (ok)
            ok = post([] { return std::string("0\r\n\r\n"); });
        asio::post(*m_server.ioc, [self = this->shared_from_this(), ok, status = response.status] {
            self->m_status = status;
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
        m_responding = false;
        if (ec || m_server.stopping)
            return close();
        if (!keepsAlive())
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
        m_stream.async_read_some(m_buffer.prepare(kReadPiece),
            [self = this->shared_from_this()](beast::error_code ec, std::size_t n) {
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
    Clock::time_point m_deadline = Clock::time_point::max();
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
    std::shared_ptr<std::atomic<bool>> m_gone; // shared with the handler's request
    std::function<void()> m_held; // the final answer, waiting for an interim one
    Clock::time_point m_started = Clock::now();
    QByteArray m_method, m_target, m_logPath;
    int m_status = 0;
    std::size_t m_dropped = 0;
    bool m_timerWaiting = false;
    bool m_reading = false; // a read is outstanding
    bool m_busy = false; // a request is in the handler or its answer being written
    bool m_responding = false; // its answer has begun
    bool m_interimOut = false; // a 1xx answer is being written
    bool m_closed = false;
    bool m_keepAlive = true;
    bool m_peerDone = false; // the client sends no more
    bool m_probe = false; // worth asking whether a client that stopped sending is still there
    bool m_head = false;
    bool m_headRead = false; // the head of the request being read was looked at
};

} // namespace

template <class Stream> void HttpServer::Private::serve(Stream stream, std::string peer)
{
    std::make_shared<Connection<Stream>>(*this, std::move(stream))->begin(std::move(peer));
}

template void HttpServer::Private::serve<tcp::socket>(tcp::socket stream, std::string peer);
template void HttpServer::Private::serve<asio::ssl::stream<tcp::socket>>(
    asio::ssl::stream<tcp::socket> stream, std::string peer);

} // namespace quenlow
