// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// bench_results [--rows N] [--duration SECONDS] [--readers N] [--folder DIR]
//
// The live results page of a form with 1,000,000 answers and 10 counted
// questions, from quenlow-server on 127.0.0.1: first the posting rate of 50
// wrk connections alone, then the same load while `readers` clients (20 by
// default, each asking every 250 ms, far more often than a browser's page
// does) fetch /results/bench.html. Targets: the results page answers in
// under 100 ms at the 95th percentile under load, and posting keeps at least
// 0.9x its rate. Exit code 0 when both hold.
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/FormMethod.h"
#include "model/FormSettings.h"
#include "model/MethodCollection.h"
#include "model/PageWriter.h"
#include "server/ListenAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace quenlow;

namespace {

constexpr int kQuestions = 10;
const QStringList kOptions = { QStringLiteral("Never"), QStringLiteral("Sometimes"), QStringLiteral("Often"),
    QStringLiteral("Always") };

void out(const QString& text)
{
    std::printf("%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

[[noreturn]] void fail(const QString& why)
{
    std::fprintf(stderr, "bench_results: %s\n", why.toLocal8Bit().constData());
    std::exit(2);
}

QString question(int i)
{
    return QStringLiteral("Question %1").arg(i + 1);
}

void makeForm(const QString& folder, qint64 rows)
{
    QDir(folder).mkpath(QStringLiteral("HTML"));
    QDir(folder).mkpath(QStringLiteral("Collections"));
    const QString db = answersStoreIn(folder);
    Result<void> made = createDatabase(db);
    if (made)
        made = createFormTable(db, QStringLiteral("tbl_bench"));
    if (!made)
        fail(made.error().detail);
    const auto opened = openAnswersStore(db);
    if (!opened)
        fail(opened.error().detail);
    AnswersStore& answers = **opened;
    MethodCollection collection;
    FormMethod header;
    header.kind = ElementKind::Header;
    header.userInstruction = QStringLiteral("Benchmark");
    header.htmlCode = QStringLiteral("<html><body><FORM method=post action='/scripts/save.asp'>");
    header.attribute6List = { printNumber(1), printNumber(0), db, printNumber(kQuestions) };
    FormSettings settings;
    settings.showResults = true;
    setFormSettings(header, settings);
    collection.append(header);
    for (int i = 0; i < kQuestions; ++i) {
        if (const Result<void> added
            = answers.addColumn(QStringLiteral("tbl_bench"), question(i), AnswersStore::ColumnKind::Text, {});
            !added)
            fail(added.error().detail);
        FormMethod m;
        m.kind = ElementKind::RadioButtons;
        m.userInstruction = question(i);
        m.htmlCode = QStringLiteral("<P>") + question(i);
        m.attribute6List = kOptions;
        collection.append(m);
    }
    if (!writeFileAtomically(folder + QStringLiteral("/Collections/benchCollection.txt"),
            encodeText(serializeCollection(collection)))
        || !writeFileAtomically(
            folder + QStringLiteral("/HTML/bench.html"), encodeText(buildFormPage(collection))))
        fail(QStringLiteral("cannot write the form's files"));

    // The answers already there, stored as the service stores posts: many rows to a commit.
    QList<AnswersStore::NewRow> batch;
    for (qint64 r = 0; r < rows; ++r) {
        AnswersStore::NewRow row;
        row.table = QStringLiteral("tbl_bench");
        for (int i = 0; i < kQuestions; ++i)
            row.values.append({ question(i), kOptions.at((r * 7 + i * 3 + r / 13) % 4) });
        batch.append(std::move(row));
        if (batch.size() == 10'000 || r == rows - 1) {
            if (const auto stored = answers.insertRows(batch); !stored)
                fail(stored.error().detail);
            batch.clear();
        }
    }
}

QByteArray luaScript()
{
    QByteArray body = "tableName=tbl_bench";
    for (int i = 0; i < kQuestions; ++i) {
        body += '&' + QUrl::toPercentEncoding(question(i) + QStringLiteral(" Type")) + "=Radio%20Buttons&"
            + QUrl::toPercentEncoding(question(i)) + '=' + QUrl::toPercentEncoding(kOptions.at(i % 4));
    }
    return "wrk.method = \"POST\"\nwrk.body = \"" + body
        + "\"\nwrk.headers[\"Content-Type\"] = \"application/x-www-form-urlencoded\"\n"
          "function done(summary, latency, requests)\n"
          "  io.write(string.format(\"RESULT ok=%d bad=%d seconds=%.3f p99=%.3f\\n\", summary.requests - "
          "summary.errors.status, summary.errors.status, summary.duration / 1e6, latency:percentile(99) / "
          "1000))\n"
          "end\n";
}

double field(const QString& text, const char* name)
{
    const QRegularExpression re(QStringLiteral("\\b%1=([0-9.]+)").arg(QLatin1StringView(name)));
    return re.match(text).captured(1).toDouble();
}

// One GET on a new connection; its time in ms, or -1 when it failed.
double fetchMs(quint16 port, const QByteArray& path, qint64* answers)
{
    QElapsedTimer timer;
    timer.start();
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(s);
        return -1;
    }
    const QByteArray request = "GET " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    if (::send(s, request.constData(), size_t(request.size()), MSG_NOSIGNAL) != request.size()) {
        ::close(s);
        return -1;
    }
    QByteArray reply;
    char buffer[16384];
    for (ssize_t n; (n = ::recv(s, buffer, sizeof buffer, 0)) > 0;)
        reply.append(buffer, n);
    ::close(s);
    if (!reply.startsWith("HTTP/1.1 200"))
        return -1;
    static const QRegularExpression count(QStringLiteral("<b>(\\d+)</b> answer"));
    *answers = count.match(QString::fromUtf8(reply)).captured(1).toLongLong();
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Posting {
    double rate = 0;
    double p99 = 0;
    qint64 bad = 0;
};

Posting post(const QString& script, quint16 port, int duration)
{
    QProcess load;
    load.setProcessChannelMode(QProcess::MergedChannels);
    load.start(QStringLiteral("wrk"),
        { QStringLiteral("-t1"), QStringLiteral("-c50"), QStringLiteral("-d%1s").arg(duration),
            QStringLiteral("--timeout"), QStringLiteral("5s"), QStringLiteral("-s"), script,
            QStringLiteral("http://127.0.0.1:%1/scripts/save.asp").arg(port) });
    if (!load.waitForFinished((duration + 30) * 1000))
        fail(QStringLiteral("wrk did not finish"));
    const QString report = QString::fromLocal8Bit(load.readAll());
    if (!report.contains(QStringLiteral("RESULT")))
        fail(QStringLiteral("wrk: ") + report);
    return { field(report, "ok") / field(report, "seconds"), field(report, "p99"),
        qint64(field(report, "bad")) };
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qint64 rows = 1000000;
    int duration = 15;
    int readers = 20;
    QString folderArg;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QStringLiteral("--rows"))
            rows = args.at(i + 1).toLongLong();
        else if (args.at(i) == QStringLiteral("--duration"))
            duration = args.at(i + 1).toInt();
        else if (args.at(i) == QStringLiteral("--readers"))
            readers = args.at(i + 1).toInt();
        else if (args.at(i) == QStringLiteral("--folder"))
            folderArg = args.at(i + 1);
    }
    QTemporaryDir temporary;
    const QString folder = folderArg.isEmpty() ? temporary.path() : folderArg;
    QElapsedTimer timer;
    timer.start();
    makeForm(folder, rows);
    out(QStringLiteral("%1 answers written in %2 s")
            .arg(rows)
            .arg(double(timer.elapsed()) / 1000, 0, 'f', 1));
    const QString script = folder + QStringLiteral("/post.lua");
    if (!writeFileAtomically(script, luaScript()))
        fail(QStringLiteral("cannot write the wrk script"));

    const quint16 port = freeLoopbackPort();
    QProcess service;
    service.setStandardErrorFile(folder + QStringLiteral("/server.log"));
    service.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
        { QStringLiteral("--app-folder"), folder, QStringLiteral("--listen"),
            QStringLiteral("127.0.0.1:%1").arg(port) });
    if (!service.waitForStarted(5000))
        fail(QStringLiteral("cannot start quenlow-server"));
    QThread::msleep(500);
    qint64 shown = 0;
    timer.restart();
    if (fetchMs(port, "/results/bench.html", &shown) < 0)
        fail(QStringLiteral("the results page did not answer"));
    out(QStringLiteral("first results page (counts read once from the table): %1 ms, %2 answers")
            .arg(timer.elapsed())
            .arg(shown));

    const Posting alone = post(script, port, duration);
    out(QStringLiteral("posting alone: %1 submissions/s, p99 %2 ms, %3 not 2xx")
            .arg(alone.rate, 0, 'f', 0)
            .arg(alone.p99, 0, 'f', 1)
            .arg(alone.bad));

    std::atomic<bool> reading { true };
    std::mutex mutex;
    std::vector<double> times;
    qint64 failures = 0;
    std::vector<std::thread> threads;
    for (int r = 0; r < readers; ++r) {
        threads.emplace_back([&] {
            while (reading) {
                qint64 n = 0;
                const double ms = fetchMs(port, "/results/bench.html", &n);
                {
                    std::lock_guard lock(mutex);
                    if (ms < 0)
                        ++failures;
                    else
                        times.push_back(ms);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
            }
        });
    }
    const Posting withReaders = post(script, port, duration);
    reading = false;
    for (std::thread& t : threads)
        t.join();
    qint64 last = 0;
    fetchMs(port, "/results/bench.html", &last);
    ::kill(pid_t(service.processId()), SIGTERM);
    service.waitForFinished(15000);

    std::sort(times.begin(), times.end());
    const auto at
        = [&](double p) { return times.empty() ? -1.0 : times[size_t(p * double(times.size() - 1))]; };
    out(QStringLiteral("posting with %1 results readers: %2 submissions/s, p99 %3 ms, %4 not 2xx (%5x alone)")
            .arg(readers)
            .arg(withReaders.rate, 0, 'f', 0)
            .arg(withReaders.p99, 0, 'f', 1)
            .arg(withReaders.bad)
            .arg(withReaders.rate / alone.rate, 0, 'f', 2));
    out(QStringLiteral("results page under load: %1 fetches, %2 failed, p50 %3 ms, p95 %4 ms, max %5 ms")
            .arg(times.size())
            .arg(failures)
            .arg(at(0.5), 0, 'f', 2)
            .arg(at(0.95), 0, 'f', 2)
            .arg(times.empty() ? -1.0 : times.back(), 0, 'f', 2));
    out(QStringLiteral("answers shown at the end: %1 (%2 before the load)").arg(last).arg(shown));
    const bool ok = failures == 0 && at(0.95) >= 0 && at(0.95) < 100 && withReaders.rate >= 0.9 * alone.rate;
    out(ok ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
    return ok ? 0 : 1;
}
