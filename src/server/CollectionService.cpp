// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/CollectionService.h"

#include "database/AnswersStore.h"
#include "server/AnswerPages.h"
#include "server/AnswerWriter.h"
#include "server/LineLog.h"
#include "server/RequestHandler.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "server/HttpServer.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>

#include <sys/resource.h>
#include <unistd.h>

namespace quenlow {

namespace {

// Control characters and blanks are shown as escapes, so that no request can
// forge a line or shift the fields of one.
QByteArray printable(const QByteArray& raw, qsizetype limit)
{
    QByteArray out;
    for (qsizetype i = 0; i < raw.size() && i < limit; ++i) {
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

QByteArray logLine(const QByteArray& method, const QByteArray& path, int status, double ms)
{
    // The path only: answers travel in bodies and are never written here.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    char tail[64];
    std::snprintf(tail, sizeof tail, " %d %.1f ms", status, ms);
    return QByteArray(stamp) + ' ' + printable(method, 16) + ' ' + printable(path, 300) + tail;
}

// Each connection costs a descriptor; the service may use all the process may open.
int descriptorRoom()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 1024;
    if (limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    return int(std::min<rlim_t>(limit.rlim_cur, 1 << 20));
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
    HttpLimits limits;
    std::optional<TlsFiles> tls;
    QString store; // empty: the program folder's embedded store
    std::function<void(const QByteArray&)> sink;
    std::unique_ptr<LineLog> standardError; // the sink unless another was set
    std::function<void(const QByteArray&)> activeSink;

    std::unique_ptr<AnswerWriter> writer;
    std::unique_ptr<RequestHandler> handler;
    std::unique_ptr<HttpServer> server;
    QString host;
    quint16 port = 0;
    std::atomic<bool> running{false};
    quint64 stored = 0, commits = 0; // of the last run, once stopped
};

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

void CollectionService::setLimits(const HttpLimits& limits)
{
    d->limits = limits;
}

void CollectionService::setTls(const QString& certificateFile, const QString& keyFile)
{
    if (certificateFile.isEmpty())
        d->tls.reset();
    else
        d->tls = TlsFiles{certificateFile, keyFile};
}

void CollectionService::setAnswersStore(const QString& location)
{
    d->store = location;
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
    // A store that keeps the published forms serves them, so a server
    // elsewhere needs no program folder.
    const QString store = d->store.isEmpty() ? answersStoreIn(appFolder) : d->store;
    QString why;
    std::unique_ptr<FormSource> forms;
    if (isServerLocation(store)) {
        forms = formsInStore(store, &why);
        if (!forms)
            return fail(why);
    } else if (!QFileInfo(appFolder + QStringLiteral("/HTML")).isDir()) {
        return fail(QStringLiteral("the program folder %1 has no HTML folder").arg(QDir::toNativeSeparators(appFolder)));
    } else {
        forms = formsInFolder(appFolder, store);
    }

    // A peer that goes away must not end the program that runs the service.
    std::signal(SIGPIPE, SIG_IGN);

    auto writer = std::make_unique<AnswerWriter>(store);
    if (!writer->start(&why))
        return fail(why);
    auto handler = std::make_unique<RequestHandler>(std::move(forms), store, *writer);
    handler->setAnswerDeadline(d->limits.requestDeadline);

    d->activeSink = d->sink;
    if (!d->activeSink) {
        d->standardError = std::make_unique<LineLog>(STDERR_FILENO);
        d->activeSink = [log = d->standardError.get()](const QByteArray& line) { log->append(line); };
    }
    HttpLimits limits = d->limits;
    limits.maxBody = d->maxBody;
    // Room for the database, the log and the files being served.
    limits.maxConnections = std::max(1, std::min(limits.maxConnections, descriptorRoom() - 64));
    auto server = std::make_unique<HttpServer>(
        [h = handler.get()](const HttpRequest& request) { return h->handle(request); },
        [sink = d->activeSink](const QByteArray& method, const QByteArray& path, int status, double ms) {
            sink(logLine(method, path, status, ms));
        },
        limits);
    server->setImmediateHandler([h = handler.get()](const HttpRequest& request, std::function<void(HttpResponse)> respond) {
        return h->handleWithoutWaiting(request, std::move(respond));
    });
    if (!server->start(address, port, d->tls ? &*d->tls : nullptr, &why)) {
        writer->stop();
        d->standardError.reset();
        return fail(why);
    }

    d->stored = d->commits = 0;
    d->writer = std::move(writer);
    d->handler = std::move(handler);
    d->host = address;
    d->port = server->port();
    d->server = std::move(server);
    d->running = true;
    return true;
}

void CollectionService::stop()
{
    if (!d->running)
        return;
    // The server finishes the requests in the handler; their submissions
    // still reach the writer, which is stopped only after them.
    d->server->stop();
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
    return (d->tls ? QStringLiteral("https://") : QStringLiteral("http://")) + shownHost(d->host) + QLatin1Char(':') + QString::number(d->port);
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

int CollectionService::connectionCount() const
{
    return d->server ? d->server->connectionCount() : 0;
}

quint64 CollectionService::commitCount() const
{
    return d->writer ? d->writer->commitCount() : d->commits;
}

} // namespace quenlow
