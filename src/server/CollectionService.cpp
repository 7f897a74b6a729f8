// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/CollectionService.h"

#include "database/AnswersStore.h"
#include "server/AnswerPages.h"
#include "server/AnswerWriter.h"
#include "server/LineLog.h"
#include "server/RequestHandler.h"
#include "server/ServiceClock.h"
#include "server/StoreExecutor.h"
#include "server/StorePool.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "server/HttpServer.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>

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
    std::tm local {};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    char tail[64];
    std::snprintf(tail, sizeof tail, " %d %.1f ms", status, ms);
    return QByteArray(stamp) + ' ' + printable(method, 16) + ' ' + printable(path, 300) + tail;
}

// Each connection costs a descriptor; the service may use what the process
// may open (its executable raises the limit as far as it is allowed).
int descriptorRoom()
{
    rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 1024;
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

// One run of the service: its parts in the order they depend on each other.
// They are made in this order and go in the reverse one, after stop has
// ended every thread: the server refers to the handler and the log, the
// handler to the writer, the executor and the clock, and every part borrows
// from the pool.
struct ServiceRun {
    std::shared_ptr<StorePool> pool; // the run's connections, which every part borrows
    std::unique_ptr<LineLog> standardError; // the log's sink unless another was set
    std::function<void(const QByteArray&)> sink;
    ServiceClock clock;
    StoreExecutor executor;
    std::unique_ptr<AnswerWriter> writer;
    std::unique_ptr<RequestHandler> handler;
    std::unique_ptr<HttpServer> server;

    explicit ServiceRun(const QString& store)
        : pool(StorePool::shared(store))
        , executor(store)
        , writer(std::make_unique<AnswerWriter>(store))
    {
    }
    ~ServiceRun() { stop(); }
    Q_DISABLE_COPY_MOVE(ServiceRun)

    // Each part is stopped once what it serves has stopped, each within its deadline.
    void stop()
    {
        // The server finishes the requests in the handler; their submissions
        // still reach the writer, which is stopped only after them.
        if (server)
            server->stop();
        if (const Result<void> stored = writer->stop(); !stored && sink)
            sink(stored.error().detail.toUtf8());
        clock.stop(); // the posts' deadlines: every post is answered by now
        executor.stop();
        standardError.reset(); // writes the last lines
    }
};

struct CollectionService::Private {
    qint64 maxBody = CollectionService::defaultMaxBodySize;
    HttpLimits limits;
    std::optional<TlsFiles> tls;
    QString store; // empty: the program folder's embedded store
    std::function<void(const QByteArray&)> sink;

    std::unique_ptr<ServiceRun> run;
    QString host;
    quint16 port = 0;
    std::atomic<bool> running { false };
    // Of the last run, once stopped; set by the thread that stops it.
    std::atomic<quint64> stored { 0 }, commits { 0 };
    // Stops a run in the background; joined before the next run and at the end.
    std::thread stopper;

    void waitForStop()
    {
        if (stopper.joinable())
            stopper.join();
    }
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
        d->tls = TlsFiles { certificateFile, keyFile };
}

void CollectionService::setAnswersStore(const QString& location)
{
    d->store = location;
}

void CollectionService::setLogSink(std::function<void(const QByteArray&)> sink)
{
    d->sink = std::move(sink);
}

Result<void> CollectionService::start(const QString& appFolder, const QString& address, quint16 port)
{
    const auto fail = [](const QString& why, Error::Kind kind = Error::Io) { return Error { kind, why }; };
    if (d->running)
        return fail(
            QStringLiteral("the service is running already at %1").arg(this->address()), Error::Duplicate);
    // The last run lets go of its port before this one takes it.
    d->waitForStop();
    // A store that keeps the published forms serves them, so a server
    // elsewhere needs no program folder.
    const QString store = d->store.isEmpty() ? answersStoreIn(appFolder) : d->store;
    if (!isServerLocation(store) && !QFileInfo(appFolder + QStringLiteral("/HTML")).isDir()) {
        return fail(QStringLiteral("the program folder %1 has no HTML folder")
                        .arg(QDir::toNativeSeparators(appFolder)),
            Error::NotFound);
    }
    // Held for the whole run, so connections are kept between requests.
    auto run = std::make_unique<ServiceRun>(store);
    std::unique_ptr<FormSource> forms;
    if (isServerLocation(store)) {
        auto published = formsInStore(run->executor, run->clock);
        if (!published)
            return published.error();
        forms = std::move(published).value();
    } else {
        forms = formsInFolder(appFolder, store);
    }

    if (const Result<void> started = run->writer->start(); !started)
        return started;
    run->handler
        = std::make_unique<RequestHandler>(std::move(forms), store, *run->writer, run->executor, run->clock);
    run->handler->setAnswerDeadline(d->limits.requestDeadline);

    run->sink = d->sink;
    if (!run->sink) {
        run->standardError = std::make_unique<LineLog>(STDERR_FILENO);
        run->sink = [log = run->standardError.get()](const QByteArray& line) { log->append(line); };
    }
    HttpLimits limits = d->limits;
    limits.maxBody = d->maxBody;
    // Room for the database, the log and the files being served.
    limits.maxConnections = std::max(1, std::min(limits.maxConnections, descriptorRoom() - 64));
    run->server = std::make_unique<HttpServer>(
        [h = run->handler.get()](const HttpRequest& request) { return h->handle(request); },
        [sink = run->sink](const QByteArray& method, const QByteArray& path, int status, double ms) {
            sink(logLine(method, path, status, ms));
        },
        limits);
    run->server->setImmediateHandler(
        [h = run->handler.get()](const HttpRequest& request, std::function<void(HttpResponse)> respond) {
            return h->handleWithoutWaiting(request, std::move(respond));
        });
    if (const Result<void> listening = run->server->start(address, port, d->tls ? &*d->tls : nullptr);
        !listening)
        return listening;

    d->stored = d->commits = 0;
    d->host = address;
    d->port = run->server->port();
    d->run = std::move(run);
    d->running = true;
    return {};
}

void CollectionService::stop()
{
    stopInBackground();
    d->waitForStop();
}

void CollectionService::stopInBackground(std::function<void()> done)
{
    if (!d->running) {
        if (done)
            done();
        return;
    }
    d->running = false;
    // The run goes to the stopping thread whole.
    d->stopper = std::thread([d = d.get(), run = std::move(d->run), done = std::move(done)]() mutable {
        run->stop();
        d->stored = run->writer->storedCount();
        d->commits = run->writer->commitCount();
        run.reset(); // the idle connections close with its pool
        if (done)
            done();
    });
}

QString CollectionService::address() const
{
    if (!d->running)
        return {};
    return (d->tls ? QStringLiteral("https://") : QStringLiteral("http://")) + shownHost(d->host)
        + QLatin1Char(':') + QString::number(d->port);
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
    return d->run ? d->run->writer->storedCount() : d->stored.load();
}

quint64 CollectionService::storedWithin(std::chrono::seconds span) const
{
    return d->run ? d->run->writer->storedWithin(span) : 0;
}

int CollectionService::connectionCount() const
{
    return d->run ? d->run->server->connectionCount() : 0;
}

quint64 CollectionService::commitCount() const
{
    return d->run ? d->run->writer->commitCount() : d->commits.load();
}

} // namespace quenlow
