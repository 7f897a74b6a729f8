// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/CollectionService.h"

#include "database/AnswersDatabase.h"
#include "server/AnswerPages.h"
#include "server/AnswerWriter.h"
#include "server/LineLog.h"
#include "server/RequestHandler.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <thread>

#include <sys/socket.h>
#include <unistd.h>

namespace quenlow {

namespace {

// Every connection holds a worker while it is kept alive, so there must be
// more workers than clients that send at once (browsers open up to six).
constexpr size_t kWorkerThreads = 96;
// Short, so that stopping never waits long for an idle browser connection.
constexpr time_t kKeepAliveSeconds = 1;
constexpr size_t kKeepAliveRequests = 10000;
const std::string kAnyPath = "[\\s\\S]*";

using Clock = std::chrono::steady_clock;
// A worker serves one request at a time; its start is kept beside it.
thread_local Clock::time_point t_requestStart;
thread_local bool t_requestTimed = false;

// Control characters and blanks are shown as escapes, so that no request can
// forge a line or shift the fields of one.
QByteArray printable(const std::string& raw, size_t limit)
{
    QByteArray out;
    for (size_t i = 0; i < raw.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(raw[i]);
        if (c <= 0x20 || c == 0x7f || c == '\\')
            out += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0');
        else
            out += char(c);
    }
    if (raw.size() > limit)
        out += "...";
    return out.isEmpty() ? QByteArrayLiteral("-") : out;
}

QByteArray logLine(const httplib::Request& req, const httplib::Response& res)
{
    double ms = 0;
    if (t_requestTimed) {
        ms = std::chrono::duration<double, std::milli>(Clock::now() - t_requestStart).count();
        t_requestTimed = false;
    }
    // The path only: answers travel in bodies and are never written here.
    const QByteArray path = printable(req.path.empty() ? req.target : req.path, 300);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    char tail[64];
    std::snprintf(tail, sizeof tail, " %d %.1f ms", res.status, ms);
    return QByteArray(stamp) + ' ' + printable(req.method, 16) + ' ' + path + tail;
}

void apply(const HttpResponse& from, httplib::Response& to)
{
    to.status = from.status;
    for (const auto& [name, value] : from.headers)
        to.set_header(name.toStdString(), value.toStdString());
    to.set_content(from.body.constData(), size_t(from.body.size()), from.contentType.constData());
}

// A small page for what the library refuses by itself (a request it cannot parse).
HttpResponse libraryError(int status)
{
    switch (status) {
    case 400:
        return errorResponse(400, QStringLiteral("Bad request"), QStringLiteral("The request could not be read."));
    case 404:
        return errorResponse(404, QStringLiteral("Not found"), QStringLiteral("There is no such page here."));
    case 413:
        return errorResponse(413, QStringLiteral("Too large"),
                             QStringLiteral("The data sent is larger than this service accepts. Nothing has been stored."));
    case 414:
        return errorResponse(414, QStringLiteral("Address too long"), QStringLiteral("The address is too long."));
    default:
        return errorResponse(status, QStringLiteral("Error"), QStringLiteral("The request could not be served."));
    }
}

// Browsers write a field name into a multipart header with these three
// characters escaped (and nothing else).
std::string unescapeMultipartName(const std::string& name)
{
    if (name.find('%') == std::string::npos)
        return name;
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '%' && i + 2 < name.size()) {
            const std::string code = name.substr(i + 1, 2);
            if (code == "22" || code == "0D" || code == "0A" || code == "0d" || code == "0a") {
                out += code == "22" ? '"' : (code == "0D" || code == "0d") ? '\r' : '\n';
                i += 2;
                continue;
            }
        }
        out += name[i];
    }
    return out;
}

QString shownHost(const QString& host)
{
    if (host == QLatin1StringView("0.0.0.0") || host == QLatin1StringView("::") || host.isEmpty()) {
        // Listening everywhere: show a name others can use.
        char name[256] = {};
        if (gethostname(name, sizeof name - 1) == 0 && name[0])
            return QString::fromLocal8Bit(name);
        return QStringLiteral("localhost");
    }
    return host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
}

} // namespace

struct CollectionService::Private {
    qint64 maxBody = CollectionService::defaultMaxBodySize;
    std::function<void(const QByteArray&)> sink;
    std::unique_ptr<LineLog> standardError; // the sink unless another was set
    std::function<void(const QByteArray&)> activeSink;

    std::unique_ptr<AnswerWriter> writer;
    std::unique_ptr<RequestHandler> handler;
    std::unique_ptr<httplib::Server> server;
    std::thread listener;
    QString host;
    quint16 port = 0;
    std::atomic<bool> running{false};
    std::atomic<bool> listenerFinished{false};
    int listeningSocket = -1; // the last socket the library made for listening
    quint64 stored = 0, commits = 0; // of the last run, once stopped

    void configure(httplib::Server& s);
    void receivePost(const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader);
    void serve(const httplib::Request& req, httplib::Response& res, HttpRequest request);
};

void CollectionService::Private::configure(httplib::Server& s)
{
    s.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    // Without it every answer waits for the peer's delayed acknowledgement.
    s.set_tcp_nodelay(true);
    // The library's default also sets SO_REUSEPORT, which lets a second
    // service share the port silently; a busy port must be an error.
    s.set_socket_options([this](int sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listeningSocket = sock;
    });
    s.set_payload_max_length(size_t(maxBody));
    s.set_keep_alive_timeout(kKeepAliveSeconds);
    s.set_keep_alive_max_count(kKeepAliveRequests);
    s.set_read_timeout(10);
    s.set_write_timeout(10);

    s.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        t_requestStart = Clock::now();
        t_requestTimed = true;
        return httplib::Server::HandlerResponse::Unhandled;
    });
    s.set_logger([this](const httplib::Request& req, const httplib::Response& res) { activeSink(logLine(req, res)); });
    s.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (!res.body.empty())
            return httplib::Server::HandlerResponse::Unhandled;
        const HttpResponse page = libraryError(res.status);
        res.set_content(page.body.constData(), size_t(page.body.size()), page.contentType.constData());
        return httplib::Server::HandlerResponse::Handled;
    }));
    s.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        // Never the exception's text: it is nobody's business outside.
        apply(errorResponse(500, QStringLiteral("Internal error"),
                            QStringLiteral("The request could not be served. Nothing has been stored.")),
              res);
    });

    const auto plain = [this](const httplib::Request& req, httplib::Response& res) { serve(req, res, {}); };
    s.Get(kAnyPath, plain);
    s.Put(kAnyPath, plain);
    s.Patch(kAnyPath, plain);
    s.Delete(kAnyPath, plain);
    s.Options(kAnyPath, plain);
    s.Post(kAnyPath, [this](const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader) {
        receivePost(req, res, reader);
    });
}

void CollectionService::Private::serve(const httplib::Request& req, httplib::Response& res, HttpRequest request)
{
    request.method = QByteArray::fromStdString(req.method);
    request.path = QByteArray::fromStdString(req.path);
    const size_t question = req.target.find('?');
    if (question != std::string::npos)
        request.query = QByteArray::fromStdString(req.target.substr(question + 1));
    request.contentType = QByteArray::fromStdString(req.get_header_value("Content-Type"));
    apply(handler->handle(request), res);
}

void CollectionService::Private::receivePost(const httplib::Request& req, httplib::Response& res,
                                             const httplib::ContentReader& reader)
{
    // The library checks a declared length against the limit; a chunked body
    // declares none, so count here too. Past the limit the rest is read and
    // dropped, so that it is not taken for the next request; a sender that
    // goes on far beyond that is cut off.
    const size_t limit = size_t(maxBody);
    const size_t discardLimit = std::max<size_t>(limit * 8, 16 * 1024 * 1024);
    size_t received = 0;
    bool tooLarge = false;
    const auto count = [&](size_t length) {
        received += length;
        tooLarge = tooLarge || received > limit;
        return received <= discardLimit;
    };

    HttpRequest request;
    bool read = false;
    bool utf8 = true;
    if (req.is_multipart_form_data()) {
        // Parts come one after another, so the fields keep their order.
        FormFields fields;
        std::string name, value;
        bool inField = false;
        const auto finish = [&] {
            if (inField) {
                auto n = strictUtf8(QByteArrayView(name.data(), qsizetype(name.size())));
                auto v = strictUtf8(QByteArrayView(value.data(), qsizetype(value.size())));
                if (n && v)
                    fields.append({std::move(*n), std::move(*v)});
                else
                    utf8 = false;
            }
            inField = false;
            value.clear();
        };
        read = reader(
            [&](const httplib::MultipartFormData& part) {
                finish();
                // A file is no answer any page asks for.
                inField = part.filename.empty();
                name = unescapeMultipartName(part.name);
                return true;
            },
            [&](const char* data, size_t length) {
                if (!count(length))
                    return false;
                if (inField && !tooLarge)
                    value.append(data, length);
                return true;
            });
        finish();
        request.fields = std::move(fields);
    } else {
        std::string body;
        read = reader([&](const char* data, size_t length) {
            if (!count(length))
                return false;
            if (!tooLarge)
                body.append(data, length);
            return true;
        });
        request.body = QByteArray::fromStdString(body);
    }

    if (!read || !utf8 || tooLarge) {
        HttpResponse refusal;
        if (tooLarge || res.status == 413) {
            refusal = errorResponse(413, QStringLiteral("Too large"),
                                    QStringLiteral("The answers sent are larger than this service accepts (%1 bytes). "
                                                   "Nothing has been stored.")
                                        .arg(maxBody));
        } else {
            refusal = errorResponse(400, QStringLiteral("Bad request"),
                                    utf8 ? QStringLiteral("The answers could not be read. Nothing has been stored.")
                                         : QStringLiteral("The answers are not UTF-8 text. Nothing has been stored."));
        }
        apply(refusal, res);
        return;
    }
    serve(req, res, std::move(request));
}

CollectionService::CollectionService()
    : d(std::make_unique<Private>())
{
}

CollectionService::~CollectionService()
{
    stop();
}

void CollectionService::setMaxBodySize(qint64 bytes)
{
    d->maxBody = bytes > 0 ? bytes : defaultMaxBodySize;
}

void CollectionService::setLogSink(std::function<void(const QByteArray&)> sink)
{
    d->sink = std::move(sink);
}

bool CollectionService::start(const QString& appFolder, const QString& address, quint16 port, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (d->running)
        return fail(QStringLiteral("the service is running already at %1").arg(this->address()));
    if (!QFileInfo(appFolder + QStringLiteral("/HTML")).isDir())
        return fail(QStringLiteral("the program folder %1 has no HTML folder").arg(QDir::toNativeSeparators(appFolder)));

    // A peer that goes away must not end the program that runs the service.
    std::signal(SIGPIPE, SIG_IGN);

    auto writer = std::make_unique<AnswerWriter>(AnswersDatabase::pathIn(appFolder));
    QString why;
    if (!writer->start(&why))
        return fail(why);
    auto handler = std::make_unique<RequestHandler>(appFolder, *writer);
    auto server = std::make_unique<httplib::Server>();
    d->listeningSocket = -1;
    d->configure(*server);

    const std::string host = address.toStdString();
    int bound = port;
    const bool ok = port == 0 ? (bound = server->bind_to_any_port(host)) > 0 : server->bind_to_port(host, port);
    if (!ok) {
        writer->stop();
        return fail(QStringLiteral("cannot listen on %1:%2 (the port is in use, or the address is not one of "
                                   "this machine's)")
                        .arg(address)
                        .arg(port));
    }

    d->activeSink = d->sink;
    if (!d->activeSink) {
        d->standardError = std::make_unique<LineLog>(STDERR_FILENO);
        d->activeSink = [log = d->standardError.get()](const QByteArray& line) { log->append(line); };
    }

    // The library listens with a backlog of five: a class of browsers
    // connecting at once would lose connections and retry a second later.
    if (d->listeningSocket >= 0)
        ::listen(d->listeningSocket, SOMAXCONN);

    d->stored = d->commits = 0;
    d->writer = std::move(writer);
    d->handler = std::move(handler);
    d->server = std::move(server);
    d->host = address;
    d->port = quint16(bound);
    d->running = true;
    d->listenerFinished = false;
    d->listener = std::thread([d = d.get()] {
        d->server->listen_after_bind();
        d->listenerFinished = true;
    });
    return true;
}

void CollectionService::stop()
{
    if (!d->running)
        return;
    // The library forgets a stop that comes before its loop has begun.
    while (!d->server->is_running() && !d->listenerFinished)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // The workers finish the requests they hold; their submissions still
    // reach the writer, which is stopped only after them.
    d->server->stop();
    if (d->listener.joinable())
        d->listener.join();
    d->writer->stop();
    d->standardError.reset(); // writes the last lines
    d->stored = d->writer->storedCount();
    d->commits = d->writer->commitCount();
    d->server.reset();
    d->handler.reset();
    d->writer.reset();
    d->running = false;
}

QString CollectionService::address() const
{
    if (!d->running)
        return {};
    return QStringLiteral("http://") + shownHost(d->host) + QLatin1Char(':') + QString::number(d->port);
}

QString CollectionService::pageAddress(const QString& pageFile) const
{
    if (!d->running)
        return {};
    return address() + QLatin1Char('/') + QString::fromUtf8(QUrl::toPercentEncoding(pageFile));
}

quint16 CollectionService::port() const
{
    return d->running ? d->port : 0;
}

bool CollectionService::isRunning() const
{
    return d->running;
}

quint64 CollectionService::storedCount() const
{
    return d->writer ? d->writer->storedCount() : d->stored;
}

quint64 CollectionService::commitCount() const
{
    return d->writer ? d->writer->commitCount() : d->commits;
}

} // namespace quenlow
