// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// bench_server [--duration SECONDS] [--connections N] [--folder DIR] [--database postgresql://…]
//              [--server FILE (another quenlow-server build, to compare)]
//
// In one run: the single-row durable insert rate of SQLite on this disk (one
// commit per row, WAL, synchronous FULL), nginx's rate for a fixed response
// under the same load when nginx is installed (one worker process, a
// buffered access log as the service keeps its own), then
// quenlow-server under wrk on 127.0.0.1 (urlencoded posts of a 6-question
// form), then a count of the rows. Targets: submissions/s at least 3x the
// single-row rate, 0.6x the rate of a minimal Beast server answering the same
// posts with a fixed page (bench_fixed_server, one I/O thread, run just before)
// and 0.35x nginx's rate, p99 under 20 ms, no answer other
// than 2xx, a row for every 2xx, and a long form page sent (as respondents
// get it) in under 1 ms at the median. With --database, the same load then
// goes to one quenlow-server storing into that PostgreSQL database (it must
// be empty or hold no store yet) and then to two of them at once, half the
// connections each: one server at least 0.5x the SQLite service's rate, two
// together at least one, p99 under 50 ms, a row for every 2xx. Last, slow
// clients: 1,000 connections that send one byte of a request each (opened
// again whenever closed) against a service allowed 1,024 open files, while
// page requests come on new connections: at least 90% of them answered.
// Questions with rules: a 40-question form with a rule on every question
// (required, typed and limited, a scale, asked only when an earlier answer
// holds) takes at least 0.9x the submissions/s of the same form without
// rules, and a refused post (422, the page again with the answers) is
// answered in under 2 ms at the median and stores nothing.
// `--part rules` runs that part alone.
// A form of several pages: ten pages of eight required option-button
// questions each (80 in all), the page as sent (adapted, with a token, each
// page in a section) and a refused post (one question left unanswered: 422,
// the page again with the answers and a note), at the median; the same
// questions on one page beside them. `--part pages` runs that part alone.
// Grids and rankings: a form of ten pages with five grids of ten statements,
// two rankings of five options and thirty other questions, statements and
// options shown in each page's own order: the page as sent at the median;
// its durable submissions/s at least 0.9x those of a form of as many plain
// option-button questions; a refused post (a place given twice) answered in
// under 2 ms at the median, storing nothing. `--part rankings` runs it alone.
// `--part handler --posts N` takes N posts of the 6-question form through
// the request handler in this process, one after the other, each answered
// when stored: run it under valgrind --tool=callgrind --separate-threads=yes
// for the instructions per submission of the handler (the main thread) and
// of the writer (its thread, which also makes the thank-you page). With
// QUENLOW_BENCH_TOKEN set, each post carries a page token, as pages do.
// With QUENLOW_BENCH_QUOTAS set to 0 or 5, the posts answer the 40-question
// form of the quota part instead, without quotas or with its five.
// An answer limit (counted by the store in the transaction that stores each
// answer): the 40-question form with a limit it never reaches takes at least
// 0.95x the submissions/s of the same form without one; `--part limit` runs
// that part alone.
// Quotas (counted by the store as the limit is): the 40-question form with
// five quotas every post falls into, never full, takes at least 0.9x the
// submissions/s of the same form without them; `--part quota` runs that part
// alone.
// Invited people only: the 40-question form that only its participants
// (100,000 at least, more for a longer run) answer, each post with a code of
// its own (claimed in the transaction that stores it), takes at least 0.9x
// the submissions/s of the same form open to anyone, the two taking turns
// every second; `--part invited` runs that part alone.
// Exit code 0 when all hold.
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "model/CollectionFile.h"
#include "model/FormHeader.h"
#include "model/FormMethod.h"
#include "model/FormSettings.h"
#include "model/Fragments.h"
#include "model/MethodCollection.h"
#include "model/OwnedColumns.h"
#include "model/PageWriter.h"
#include "model/Publication.h"
#include "server/AnswerChecks.h"
#include "server/AnswerPlacement.h"
#include "server/AnswerWriter.h"
#include "server/FormCatalog.h"
#include "server/RequestHandler.h"
#include "server/ServiceClock.h"
#include "server/StoreExecutor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "server/ListenAddress.h"

#include <netinet/in.h>
#include <poll.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <future>
#include <mutex>
#include <thread>

using namespace quenlow;

namespace {

const QStringList kQuestions = { QStringLiteral("Your name"), QStringLiteral("Comments"),
    QStringLiteral("Tea"), QStringLiteral("Coffee"), QStringLiteral("Colour"), QStringLiteral("Team") };
const QList<ElementKind> kKinds = { ElementKind::TextField, ElementKind::TextArea, ElementKind::CheckBox,
    ElementKind::CheckBox, ElementKind::RadioButtons, ElementKind::PullDownMenu };

void out(const QString& text)
{
    std::printf("%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

[[noreturn]] void fail(const QString& why)
{
    std::fprintf(stderr, "bench_server: %s\n", why.toLocal8Bit().constData());
    std::exit(2);
}

// The form as the designer leaves it: table with its columns, collection file, page.
void makeForm(const QString& folder)
{
    QDir(folder).mkpath(QStringLiteral("HTML"));
    QDir(folder).mkpath(QStringLiteral("Collections"));
    const QString db = answersStoreIn(folder);
    Result<void> made = createDatabase(db);
    if (made)
        made = createFormTable(db, QStringLiteral("tbl_bench"));
    if (!made)
        fail(made.error().detail);
    const auto answers = openAnswersStore(db);
    if (!answers)
        fail(answers.error().detail);
    MethodCollection collection;
    FormMethod header;
    header.kind = ElementKind::Header;
    header.userInstruction = QStringLiteral("Benchmark");
    header.htmlCode = QStringLiteral("<html><body><FORM method=post action='/scripts/save.asp'>");
    header.attribute6List = { printNumber(1), printNumber(0), db, printNumber(6) };
    collection.append(header);
    for (int i = 0; i < kQuestions.size(); ++i) {
        const auto kind
            = hasMemoColumn(kKinds.at(i)) ? AnswersStore::ColumnKind::Memo : AnswersStore::ColumnKind::Text;
        if (const auto added = (*answers)->addColumn(QStringLiteral("tbl_bench"), kQuestions.at(i), kind, {});
            !added)
            fail(added.error().detail);
        FormMethod m;
        m.kind = kKinds.at(i);
        m.userInstruction = kQuestions.at(i);
        m.htmlCode = QStringLiteral("<P>") + kQuestions.at(i);
        collection.append(m);
    }
    if (!writeFileAtomically(folder + QStringLiteral("/Collections/benchCollection.txt"),
            encodeText(serializeCollection(collection)))
        || !writeFileAtomically(
            folder + QStringLiteral("/HTML/bench.html"), encodeText(buildFormPage(collection))))
        fail(QStringLiteral("cannot write the form's files"));
}

QByteArray submissionBody()
{
    const QList<QPair<QString, QString>> fields
        = { { QStringLiteral("tableName"), QStringLiteral("tbl_bench") },
              { QStringLiteral("DBLocation"), QStringLiteral("C:\\Forms\\formAnswers.mdb") },
              { QStringLiteral("background"), QStringLiteral("Background.gif") },
              { QStringLiteral("allowShowTableButtron"), QStringLiteral("False") },
              { QStringLiteral("Your name Type"), QStringLiteral("Text Field") },
              { QStringLiteral("Your name"), QStringLiteral("Ann O'Neil") },
              { QStringLiteral("Comments Type"), QStringLiteral("Text Area") },
              { QStringLiteral("Comments"),
                  QStringLiteral("The canteen could open earlier; otherwise all is well.") },
              { QStringLiteral("Tea Type"), QStringLiteral("Check Box") },
              { QStringLiteral("Tea"), QStringLiteral("on") },
              { QStringLiteral("Coffee Type"), QStringLiteral("Check Box") },
              { QStringLiteral("Colour Type"), QStringLiteral("Radio Buttons") },
              { QStringLiteral("Colour"), QStringLiteral("Green") },
              { QStringLiteral("Team Type"), QStringLiteral("Menu") },
              { QStringLiteral("Team"), QStringLiteral("R&D") } };
    QByteArray body;
    for (const auto& [name, value] : fields)
        body += (body.isEmpty() ? "" : "&") + QUrl::toPercentEncoding(name) + '='
            + QUrl::toPercentEncoding(value);
    return body;
}

// The median time, in microseconds, of `times` runs of `run`; what it
// returns is then looked at by `check`, outside the time taken.
template <typename Run, typename Check> double medianMicroseconds(int times, Run run, Check check)
{
    std::vector<qint64> nanoseconds;
    nanoseconds.reserve(times);
    QElapsedTimer timer;
    for (int i = 0; i < times; ++i) {
        timer.start();
        const auto result = run();
        nanoseconds.push_back(timer.nsecsElapsed());
        check(result);
    }
    std::nth_element(nanoseconds.begin(), nanoseconds.begin() + times / 2, nanoseconds.end());
    return nanoseconds[times / 2] / 1000.0;
}

// The median time the service takes to send a form page as respondents get
// it (read, decoded, adapted for phones, a fresh token), in microseconds. The
// page is a long form in the designer's markup: 40 questions, 110 choices.
double pageSendMicroseconds(const QString& folder, int times)
{
    HeaderSettings header;
    header.formName = QStringLiteral("survey");
    header.title = QStringLiteral("Staff Survey");
    header.letterSize = QStringLiteral("7");
    header.justification = QStringLiteral("Centre");
    header.background = QStringLiteral("Background.gif");
    header.databaseLocation = QStringLiteral("/srv/quenlow/formAnswers.mdb");
    QString page = headerFragment(header);
    for (int i = 0; i < 10; ++i) {
        const QString n = QStringLiteral("Question %1").arg(i);
        page += QStringLiteral(
            "<P><input type=hidden name='%1 Type' value='Text Field'><P>%1 <input name='%1' "
            "size='30' maxlength='' type='text' value =''>")
                    .arg(n);
        page += QStringLiteral(
            "<input type=hidden name='Box %1 Type' value='Check Box'><P><input name='Box %1' "
            "type='checkbox'>Box %1 with a longer text")
                    .arg(i);
        page += QStringLiteral("<input type=hidden name='Pick %1 Type' value='Radio Buttons'><P>Pick %1")
                    .arg(i);
        for (int o = 0; o < 10; ++o)
            page += QStringLiteral("<BR><input name='Pick %1' type='radio' value='Option %2'>Option %2")
                        .arg(i)
                        .arg(o);
        page += QStringLiteral("<P><input type=hidden name='Menu %1 Type' value='Menu'><P>Menu %1 <select "
                               "name='Menu %1' size=1><option>One<option>Two<option>Three</select>")
                    .arg(i);
    }
    page += QStringLiteral(
        "<P> <CENTER> <INPUT TYPE='submit' VALUE='Submit Form'></CENTER></FORM></BODY></HTML>");
    if (!writeFileAtomically(folder + QStringLiteral("/HTML/survey.html"), encodeText(page)))
        fail(QStringLiteral("cannot write the long form page"));

    quenlow::AnswerWriter writer(answersStoreIn(folder));
    if (const Result<void> started = writer.start(); !started)
        fail(started.error().detail);
    quenlow::ServiceClock clock;
    quenlow::StoreExecutor executor(answersStoreIn(folder));
    quenlow::RequestHandler handler(folder, writer, executor, clock);
    quenlow::HttpRequest request;
    request.method = "GET";
    request.path = "/survey.html";
    const double median = medianMicroseconds(
        times, [&] { return handler.handle(request); },
        [](const quenlow::HttpResponse& response) {
            if (response.status != 200 || !response.body.contains("submissionToken"))
                fail(QStringLiteral("the long form page was not sent as respondents get it"));
        });
    (void)writer.stop();
    return median;
}

// One commit per row, as a receiver that acknowledges each row durably on its
// own would do: SQLite itself, set up as the embedded store sets it up.
double singleRowRate(const QString& folder, double seconds)
{
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("/single-row.db"));
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
            != SQLITE_OK
        || sqlite3_exec(db,
               "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; "
               "CREATE TABLE t (a TEXT, b TEXT, c TEXT, d TEXT, e TEXT, f TEXT, g TEXT)",
               nullptr, nullptr, nullptr)
            != SQLITE_OK)
        fail(QStringLiteral("single-row database: ") + QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t (b,c,d,e,f,g) VALUES (?1,?2,?3,?4,?5,?6)", -1, &insert, nullptr);
    const QByteArray values[] = { "Ann O'Neil", "The canteen could open earlier; otherwise all is well.",
        "Checked", "Not Checked", "Green", "R&D" };
    qint64 rows = 0;
    QElapsedTimer timer;
    timer.start();
    while (timer.nsecsElapsed() < qint64(seconds * 1e9)) {
        for (int i = 0; i < 6; ++i)
            sqlite3_bind_text(insert, i + 1, values[i].constData(), int(values[i].size()), SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE)
            fail(QStringLiteral("single-row insert failed"));
        sqlite3_reset(insert);
        ++rows;
    }
    const double elapsed = timer.nsecsElapsed() / 1e9;
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return rows / elapsed;
}

// No response() hook: it would have wrk build a Lua table for every answer,
// and the load generator shares the two cores with the service. wrk counts
// answers of 400 and above itself; the row count below catches anything else
// that was not stored.
QByteArray luaScript(const QByteArray& body)
{
    QByteArray quoted = body;
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    return "wrk.method = \"POST\"\n"
           "wrk.body = \""
        + quoted
        + "\"\n"
          "wrk.headers[\"Content-Type\"] = \"application/x-www-form-urlencoded\"\n"
          "function done(summary, latency, requests)\n"
          "  local bad = summary.errors.status\n"
          "  io.write(string.format(\"RESULT ok=%d bad=%d seconds=%.3f p50=%.3f p90=%.3f p99=%.3f max=%.3f "
          "connect=%d read=%d write=%d timeout=%d\\n\", summary.requests - bad, bad, summary.duration / "
          "1e6,\n"
          "    latency:percentile(50) / 1000, latency:percentile(90) / 1000, latency:percentile(99) / 1000,\n"
          "    latency.max / 1000, summary.errors.connect, summary.errors.read, summary.errors.write,\n"
          "    summary.errors.timeout))\n"
          "end\n";
}

// Connections the kernel dropped because a listen queue was full (all of this machine).
qint64 listenDrops()
{
    QFile file(QStringLiteral("/proc/net/netstat"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (!lines.at(i).startsWith("TcpExt:") || !lines.at(i + 1).startsWith("TcpExt:"))
            continue;
        const QList<QByteArray> names = lines.at(i).split(' '), values = lines.at(i + 1).split(' ');
        const qsizetype at = names.indexOf("ListenDrops");
        return at >= 0 && at < values.size() ? values.at(at).toLongLong() : -1;
    }
    return -1;
}

// wrk's requests/s for a fixed response from nginx on 127.0.0.1, or -1 when
// nginx is not installed.
double nginxRate(const QString& folder, const QString& wrk, int connections, int duration)
{
    QString nginx = QStandardPaths::findExecutable(QStringLiteral("nginx"));
    if (nginx.isEmpty())
        nginx = QStandardPaths::findExecutable(QStringLiteral("nginx"), { QStringLiteral("/usr/sbin") });
    if (nginx.isEmpty())
        return -1;
    const quint16 port = freeLoopbackPort();
    const QString dir = folder + QStringLiteral("/nginx");
    QDir().mkpath(dir);
    const QString conf = dir + QStringLiteral("/nginx.conf");
    const QByteArray text = "daemon off;\nworker_processes 1;\npid " + dir.toUtf8()
        + "/nginx.pid;\nerror_log " + dir.toUtf8()
        + "/error.log;\nevents { worker_connections 1024; }\nhttp {\n  access_log " + dir.toUtf8()
        + "/access.log combined buffer=64k;\n"
          "  client_body_temp_path "
        + dir.toUtf8() + ";\n  proxy_temp_path " + dir.toUtf8()
        + ";\n"
          "  fastcgi_temp_path "
        + dir.toUtf8() + ";\n  uwsgi_temp_path " + dir.toUtf8() + ";\n  scgi_temp_path " + dir.toUtf8()
        + ";\n  server {\n    listen 127.0.0.1:" + QByteArray::number(port)
        + ";\n    location / { default_type text/html; return 200 \"<html><body>Thank "
          "you</body></html>\\n\"; }\n  }\n}\n";
    QFile file(conf);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0)
        fail(QStringLiteral("cannot write the nginx configuration"));
    file.close();
    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(nginx, { QStringLiteral("-p"), dir, QStringLiteral("-c"), conf });
    if (!server.waitForStarted(5000))
        return -1;
    QThread::msleep(300);
    QProcess load;
    load.setProcessChannelMode(QProcess::MergedChannels);
    load.start(wrk,
        { QStringLiteral("-t2"), QStringLiteral("-c%1").arg(connections),
            QStringLiteral("-d%1s").arg(duration), QStringLiteral("http://127.0.0.1:%1/").arg(port) });
    load.waitForFinished((duration + 30) * 1000);
    const QString report = QString::fromLocal8Bit(load.readAll());
    server.terminate();
    if (!server.waitForFinished(5000))
        server.kill();
    const QRegularExpression re(QStringLiteral("Requests/sec:\\s+([0-9.]+)"));
    const auto match = re.match(report);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

double field(const QString& text, const char* name);

// A process's processor time so far, from the kernel's account; -1 when unknown.
double processorSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> parts = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return parts.size() > 13
        ? (parts.at(11).toDouble() + parts.at(12).toDouble()) / double(sysconf(_SC_CLK_TCK))
        : -1;
}

struct Fixed {
    double rate = -1; // requests/s
    double microseconds = -1; // processor time per request
};

// wrk's rate for the same posts answered with a fixed page by a minimal
// Beast server with one I/O thread: what the engine alone can do here.
Fixed fixedServerRate(const QString& wrk, const QString& script, int connections, int duration)
{
    const quint16 port = freeLoopbackPort();
    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    // It stops by itself a while after the load.
    server.start(QStringLiteral(BENCH_FIXED_SERVER_EXECUTABLE),
        { QStringLiteral("--port"), QString::number(port), QStringLiteral("--seconds"),
            QString::number(duration + 15) });
    if (!server.waitForStarted(5000))
        return {};
    QThread::msleep(300);
    QProcess load;
    load.setProcessChannelMode(QProcess::MergedChannels);
    load.start(wrk,
        { QStringLiteral("-t2"), QStringLiteral("-c%1").arg(connections),
            QStringLiteral("-d%1s").arg(duration), QStringLiteral("--timeout"), QStringLiteral("5s"),
            QStringLiteral("-s"), script, QStringLiteral("http://127.0.0.1:%1/scripts/save.asp").arg(port) });
    load.waitForFinished((duration + 30) * 1000);
    const QString report = QString::fromLocal8Bit(load.readAll());
    const double cpu = processorSeconds(server.processId());
    server.kill();
    server.waitForFinished(5000);
    const double seconds = field(report, "seconds");
    const double answered = field(report, "ok");
    if (seconds <= 0 || answered <= 0 || field(report, "bad") != 0)
        return {};
    return { answered / seconds, cpu >= 0 ? cpu * 1e6 / answered : -1 };
}

int connectTo(quint16 port)
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (sock >= 0 && ::connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(sock);
        return -1;
    }
    return sock;
}

// A page asked for on a new connection: its answer's status within `timeoutMs`, or 0.
int pageStatus(quint16 port, int timeoutMs)
{
    const int sock = connectTo(port);
    if (sock < 0)
        return 0;
    const QByteArray request = "GET /bench.html HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    QByteArray received;
    if (::send(sock, request.constData(), size_t(request.size()), MSG_NOSIGNAL) == ssize_t(request.size())) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            pollfd p { sock, POLLIN, 0 };
            if (::poll(&p, 1, 50) <= 0)
                continue;
            char buffer[16384];
            const ssize_t n = ::recv(sock, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            received.append(buffer, n);
        }
    }
    ::close(sock);
    return received.startsWith("HTTP/1.1 ") ? received.mid(9, 3).toInt() : 0;
}

struct SlowClients {
    int asked = 0, answered = 0;
    double p50 = 0, p99 = 0; // milliseconds
};

// Page requests, each on a new connection, while `slow` connections from this
// address each hold one byte of a request, the service allowed `descriptors`
// open files. A slow connection the service closes is opened again at once,
// as an attacker would. Bounded: 127.0.0.1, about a minute at most.
SlowClients underSlowClients(const QString& server, const QString& folder, int slow, int descriptors)
{
    rlimit own {};
    getrlimit(RLIMIT_NOFILE, &own);
    own.rlim_cur = own.rlim_max;
    setrlimit(RLIMIT_NOFILE, &own);
    if (own.rlim_cur < rlim_t(slow + 256))
        fail(QStringLiteral("this machine allows too few open files for %1 slow clients").arg(slow));
    const quint16 port = freeLoopbackPort();
    QProcess service;
    service.setStandardErrorFile(folder + QStringLiteral("/server-slow.log"));
    service.setChildProcessModifier([descriptors] {
        const rlimit limit { rlim_t(descriptors), rlim_t(descriptors) };
        setrlimit(RLIMIT_NOFILE, &limit);
    });
    service.start(server,
        { QStringLiteral("--app-folder"), folder, QStringLiteral("--listen"),
            QStringLiteral("127.0.0.1:%1").arg(port) });
    if (!service.waitForStarted(5000))
        fail(QStringLiteral("cannot start ") + server);
    QThread::msleep(300);

    std::atomic<bool> ready { false }, done { false };
    std::thread attacker([&] {
        std::vector<pollfd> held(size_t(slow), pollfd { -1, POLLIN, 0 });
        const auto open = [port](pollfd& p) {
            p.fd = connectTo(port);
            if (p.fd >= 0)
                ::send(p.fd, "P", 1, MSG_NOSIGNAL);
        };
        for (pollfd& p : held)
            open(p);
        ready = true;
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < 60000) {
            if (::poll(held.data(), held.size(), 50) <= 0)
                continue;
            for (pollfd& p : held) {
                if (p.fd >= 0 && !(p.revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                char buffer[512];
                if (p.fd >= 0 && ::recv(p.fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0)
                    continue; // a refusal, read until the close
                if (p.fd >= 0)
                    ::close(p.fd);
                open(p);
            }
        }
        for (pollfd& p : held) {
            if (p.fd >= 0)
                ::close(p.fd);
        }
    });
    while (!ready)
        QThread::msleep(10);
    QThread::msleep(500); // the service has read the first bytes

    constexpr int kClients = 4, kEach = 50;
    std::mutex mutex;
    std::vector<qint64> latencies;
    SlowClients result;
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&] {
            for (int i = 0; i < kEach; ++i) {
                QElapsedTimer clock;
                clock.start();
                const bool ok = pageStatus(port, 5000) == 200;
                std::lock_guard lock(mutex);
                ++result.asked;
                if (ok) {
                    ++result.answered;
                    latencies.push_back(clock.nsecsElapsed());
                }
            }
        });
    }
    for (auto& c : clients)
        c.join();
    done = true;
    attacker.join();
    ::kill(pid_t(service.processId()), SIGTERM);
    if (!service.waitForFinished(15000))
        service.kill();
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty()) {
        result.p50 = latencies[latencies.size() / 2] / 1e6;
        result.p99 = latencies[latencies.size() * 99 / 100] / 1e6;
    }
    return result;
}

// The bench form in a PostgreSQL store, published there, as the designer
// leaves it when that store is chosen.
void makeFormIn(const QString& database, const QString& folder)
{
    auto store = openAnswersStore(database);
    if (!store && store.error().kind == Error::NotFound)
        store = createAnswersStore(database);
    if (!store)
        fail(QStringLiteral("cannot open %1: %2").arg(database, store.error().detail));
    const QString table = QStringLiteral("tbl_bench");
    if ((*store)->tableExists(table).valueOr(false) && !(*store)->dropTable(table))
        fail(QStringLiteral("cannot empty the bench table"));
    if (!(*store)->createTable(table, QStringLiteral("Form Question")))
        fail(QStringLiteral("cannot create the bench table"));
    for (int i = 0; i < kQuestions.size(); ++i) {
        const auto kind
            = hasMemoColumn(kKinds.at(i)) ? AnswersStore::ColumnKind::Memo : AnswersStore::ColumnKind::Text;
        if (!(*store)->addColumn(table, kQuestions.at(i), kind, columnAddedMarker()))
            fail(QStringLiteral("cannot add a column"));
    }
    const ParsedCollection parsed
        = readCollectionFile(folder + QStringLiteral("/Collections/benchCollection.txt"));
    if (!(*store)->publish(
            publicationOf(QStringLiteral("bench"), parsed.methods, folder + QStringLiteral("/HTML/"))))
        fail(QStringLiteral("cannot publish the bench form"));
}

struct Load {
    qint64 ok = 0, bad = 0, rows = 0;
    double seconds = 0, p50 = 0, p99 = 0, max = 0;
    double serviceSeconds = 0; // the service's processor time during the runs, where counted
    double rate() const { return seconds > 0 ? ok / seconds : 0; }
};

// `servers` quenlow-server processes on `database` under wrk, the
// connections shared between them; the rows counted afterwards.
Load loadServers(int servers, const QString& server, const QString& database, const QString& folder,
    const QString& wrk, const QString& script, int connections, int duration)
{
    auto store = openAnswersStore(database);
    const qint64 rowsBefore = store ? (*store)->rowCount(QStringLiteral("tbl_bench")).valueOr(-1) : -1;
    std::vector<std::unique_ptr<QProcess>> services, loads;
    for (int i = 0; i < servers; ++i) {
        const quint16 port = freeLoopbackPort();
        auto service = std::make_unique<QProcess>();
        service->setStandardErrorFile(folder + QStringLiteral("/server-pg-%1.log").arg(i));
        service->start(server,
            { QStringLiteral("--database"), database, QStringLiteral("--listen"),
                QStringLiteral("127.0.0.1:%1").arg(port) });
        if (!service->waitForStarted(5000))
            fail(QStringLiteral("cannot start ") + server);
        services.push_back(std::move(service));
        auto load = std::make_unique<QProcess>();
        load->setProcessChannelMode(QProcess::MergedChannels);
        load->setProperty("port", port);
        loads.push_back(std::move(load));
    }
    QThread::msleep(500);
    for (auto& load : loads) {
        load->start(wrk,
            { QStringLiteral("-t1"), QStringLiteral("-c%1").arg(std::max(1, connections / servers)),
                QStringLiteral("-d%1s").arg(duration), QStringLiteral("--timeout"), QStringLiteral("5s"),
                QStringLiteral("-s"), script,
                QStringLiteral("http://127.0.0.1:%1/scripts/save.asp")
                    .arg(load->property("port").toUInt()) });
    }
    Load total;
    for (auto& load : loads) {
        if (!load->waitForFinished((duration + 30) * 1000))
            fail(QStringLiteral("wrk did not finish"));
        const QString report = QString::fromLocal8Bit(load->readAll());
        total.ok += qint64(field(report, "ok"));
        total.bad += qint64(field(report, "bad"));
        total.seconds = std::max(total.seconds, field(report, "seconds"));
        total.p50 = std::max(total.p50, field(report, "p50"));
        total.p99 = std::max(total.p99, field(report, "p99"));
        total.max = std::max(total.max, field(report, "max"));
    }
    for (auto& service : services) {
        ::kill(pid_t(service->processId()), SIGTERM);
        if (!service->waitForFinished(15000) || service->exitCode() != 0)
            fail(QStringLiteral("a service did not stop cleanly"));
    }
    const qint64 rowsAfter = store ? (*store)->rowCount(QStringLiteral("tbl_bench")).valueOr(-1) : -1;
    total.rows = rowsBefore >= 0 && rowsAfter >= 0 ? rowsAfter - rowsBefore : -1;
    return total;
}

void reportLoad(const QString& what, const Load& load)
{
    // The service's processor time per answer: less swayed than the rate by
    // others' work on a shared machine.
    const QString processor = load.serviceSeconds > 0 && load.ok > 0
        ? QStringLiteral(", service %1 us of processor per answer")
              .arg(load.serviceSeconds * 1e6 / load.ok, 0, 'f', 1)
        : QString();
    out(QStringLiteral(
        "%1: %2 submissions/s (%3 answered 2xx, %4 other, %5 rows stored), p50 %6 ms, p99 %7 ms, max %8 ms%9")
            .arg(what)
            .arg(load.rate(), 0, 'f', 0)
            .arg(load.ok)
            .arg(load.bad)
            .arg(load.rows)
            .arg(load.p50, 0, 'f', 2)
            .arg(load.p99, 0, 'f', 2)
            .arg(load.max, 0, 'f', 2)
            .arg(processor));
}

// A new form `name` of the course kind, as the designer starts one: its
// answers table made, its header the collection's first record.
struct StartedForm {
    std::shared_ptr<AnswersStore> answers;
    QString table;
    MethodCollection collection;
};
// The form's answers table, made in the store at `db`, and the store.
std::shared_ptr<AnswersStore> formTableIn(const QString& db, const QString& table)
{
    if (const Result<void> made = createFormTable(db, table); !made)
        fail(made.error().detail);
    auto answers = openAnswersStore(db);
    if (!answers)
        fail(answers.error().detail);
    return *answers;
}

StartedForm startCourseForm(const QString& folder, const QString& name)
{
    const QString db = answersStoreIn(folder);
    const QString table = AnswersStore::tableFor(name);
    const std::shared_ptr<AnswersStore> answers = formTableIn(db, table);
    HeaderSettings settings;
    settings.formName = name;
    settings.title = QStringLiteral("Course evaluation");
    settings.letterSize = QStringLiteral("5");
    settings.justification = QStringLiteral("Centre");
    settings.background = QStringLiteral("Background.gif");
    settings.databaseLocation = db;
    MethodCollection collection;
    collection.append(headerRecord(settings, 1, 0));
    return { answers, table, collection };
}

// The form's collection file and page, as the designer writes them.
void writeFormFiles(const QString& folder, const QString& name, const MethodCollection& collection)
{
    if (!writeFileAtomically(
            folder + QStringLiteral("/Collections/") + name + QStringLiteral("Collection.txt"),
            encodeText(serializeCollection(collection)))
        || !writeFileAtomically(folder + QStringLiteral("/HTML/") + name + QStringLiteral(".html"),
            encodeText(buildFormPage(collection))))
        fail(QStringLiteral("cannot write the form's files"));
}

// Forty questions in blocks of four: a whole number from 0 to 120, a date
// from 2000, a yes-or-no choice, and a scale asked only after a yes; every
// one required. `withRules` false: the same questions without any rule.
// With `limit`, the form takes no more than that many answers; with
// `quotas`, no more than so many of each; `invited`: only its participants answer.
void makeRulesForm(const QString& folder, const QString& name, bool withRules,
    std::optional<qint64> limit = std::nullopt, const QList<FormQuota>& quotas = {}, bool invited = false)
{
    const QString db = answersStoreIn(folder);
    const QString table = AnswersStore::tableFor(name);
    const std::shared_ptr<AnswersStore> answers = formTableIn(db, table);
    MethodCollection collection;
    FormMethod header;
    header.kind = ElementKind::Header;
    header.userInstruction = name;
    header.htmlCode = QStringLiteral("<html><body><FORM method=post action='/scripts/save.asp'>");
    header.attribute6List = { printNumber(1), printNumber(0), db, printNumber(6) };
    if (limit || !quotas.isEmpty() || invited) {
        FormSettings settings;
        settings.answerLimit = limit;
        settings.quotas = quotas;
        settings.invitedOnly = invited;
        setFormSettings(header, settings);
    }
    collection.append(header);
    const auto rule = [withRules](AnswerKind kind, const QString& min, const QString& max,
                          const AskCondition& condition = {}) {
        QuestionSettings s;
        if (withRules) {
            s.rules = { true, kind, min, max };
            s.condition = condition;
        }
        return s;
    };
    for (int i = 0; i < 10; ++i) {
        const QString n = QString::number(i);
        const FormMethod block[] = {
            withQuestionSettings(textFieldMethod(QStringLiteral("Age ") + n, QStringLiteral("30"), {}, {}),
                rule(AnswerKind::WholeNumber, QStringLiteral("0"), QStringLiteral("120"))),
            withQuestionSettings(textFieldMethod(QStringLiteral("Day ") + n, QStringLiteral("30"), {}, {}),
                rule(AnswerKind::Date, QStringLiteral("2000-01-01"), {})),
            withQuestionSettings(radioButtonsMethod(QStringLiteral("Pick ") + n,
                                     { QStringLiteral("Yes"), QStringLiteral("No") }, noDefaultOption()),
                rule(AnswerKind::AnyText, {}, {})),
            withQuestionSettings(scaleMethod(QStringLiteral("Rate ") + n, { 1, 5, {}, {} }),
                rule(AnswerKind::AnyText, {}, {}, { QStringLiteral("Pick ") + n, QStringLiteral("Yes") })),
        };
        for (const FormMethod& m : block) {
            if (const auto added
                = answers->addColumn(table, m.userInstruction, AnswersStore::ColumnKind::Text, {});
                !added)
                fail(added.error().detail);
            collection.append(m);
        }
    }
    writeFormFiles(folder, name, collection);
}

// Ten pages of 90 answers each way: five grids of ten statements, two
// rankings of five options (statements and options shown in each page's own
// order) and thirty option-button questions when `ranked`; else ninety
// option-button questions. All required.
void makeRankedForm(const QString& folder, const QString& name, bool ranked)
{
    auto [answers, table, collection] = startCourseForm(folder, name);
    QuestionSettings asked;
    asked.rules.required = true;
    asked.shuffleOptions = true;
    const QStringList agree { QStringLiteral("Agree"), QStringLiteral("Neither"),
        QStringLiteral("Disagree") };
    const auto add = [&](const FormMethod& element) {
        for (const OwnedColumn& column : answerColumnsOf(element)) {
            if (const auto added
                = answers->addColumn(table, column.source, AnswersStore::ColumnKind::Text, {});
                !added)
                fail(added.error().detail);
        }
        collection.append(element);
    };
    int radios = 0;
    for (int page = 0; page < 10; ++page) {
        if (page > 0)
            collection.append(pageBreakMethod(QStringLiteral("Part %1").arg(page + 1)));
        if (ranked && page < 5) {
            QStringList rows;
            for (int r = 0; r < 10; ++r)
                rows.append(QStringLiteral("Statement %1.%2").arg(page).arg(r));
            add(withQuestionSettings(
                gridMethod(QStringLiteral("Grid %1").arg(page), { rows, agree }), asked));
        } else if (ranked && page < 7) {
            QStringList options;
            for (int o = 0; o < 5; ++o)
                options.append(QStringLiteral("Option %1.%2").arg(page).arg(o));
            add(withQuestionSettings(rankingMethod(QStringLiteral("Ranking %1").arg(page), options), asked));
        }
        for (int q = 0; q < (ranked ? 3 : 9); ++q) {
            QuestionSettings required;
            required.rules.required = true;
            add(withQuestionSettings(
                radioButtonsMethod(QStringLiteral("Question %1").arg(radios++), agree, noDefaultOption()),
                required));
        }
    }
    collection.append(submitButtonMethod(QStringLiteral("Submit Form"), false, QStringLiteral("Reset Form")));
    writeFormFiles(folder, name, collection);
}

// Every answer of makeRankedForm's form `name` given; `firstPlace` is the
// first ranking's first option's place.
QByteArray rankedBody(const QString& name, bool ranked, const QString& firstPlace = QStringLiteral("5"))
{
    QList<QPair<QString, QString>> fields = { { QStringLiteral("tableName"), AnswersStore::tableFor(name) } };
    int radios = 0;
    for (int page = 0; page < 10; ++page) {
        if (ranked && page < 5) {
            for (int r = 0; r < 10; ++r) {
                const QString row = QStringLiteral("Statement %1.%2").arg(page).arg(r);
                fields += { { row + QStringLiteral(" Type"), QStringLiteral("Grid") },
                    { row, QStringLiteral("Agree") } };
            }
        } else if (ranked && page < 7) {
            for (int o = 0; o < 5; ++o) {
                const QString option = QStringLiteral("Option %1.%2").arg(page).arg(o);
                fields += { { option + QStringLiteral(" Type"), QStringLiteral("Ranking") },
                    { option, page == 5 && o == 0 ? firstPlace : QString::number(5 - o) } };
            }
        }
        for (int q = 0; q < (ranked ? 3 : 9); ++q) {
            const QString question = QStringLiteral("Question %1").arg(radios++);
            fields += { { question + QStringLiteral(" Type"), QStringLiteral("Radio Buttons") },
                { question, QStringLiteral("Neither") } };
        }
    }
    QByteArray body;
    for (const auto& [field, value] : fields)
        body += (body.isEmpty() ? "" : "&") + QUrl::toPercentEncoding(field) + '='
            + QUrl::toPercentEncoding(value);
    return body;
}

// Every question of the forty answered; `age` stands for the first age.
QByteArray rulesBody(const QString& name, const QString& age)
{
    QList<QPair<QString, QString>> fields = { { QStringLiteral("tableName"), AnswersStore::tableFor(name) } };
    for (int i = 0; i < 10; ++i) {
        const QString n = QString::number(i);
        fields += { { QStringLiteral("Age %1 Type").arg(n), QStringLiteral("Text Field") },
            { QStringLiteral("Age ") + n, i == 0 ? age : QStringLiteral("42") },
            { QStringLiteral("Day %1 Type").arg(n), QStringLiteral("Text Field") },
            { QStringLiteral("Day ") + n, QStringLiteral("2026-12-07") },
            { QStringLiteral("Pick %1 Type").arg(n), QStringLiteral("Radio Buttons") },
            { QStringLiteral("Pick ") + n, QStringLiteral("Yes") },
            { QStringLiteral("Rate %1 Type").arg(n), QStringLiteral("Scale") },
            { QStringLiteral("Rate ") + n, QStringLiteral("4") } };
    }
    QByteArray body;
    for (const auto& [field, value] : fields)
        body += (body.isEmpty() ? "" : "&") + QUrl::toPercentEncoding(field) + '='
            + QUrl::toPercentEncoding(value);
    return body;
}

// The median time, in microseconds, to refuse a post whose first age is
// "abc": the rules checked and the page rebuilt with the answers. False in
// `storedNothing` when a refused post left a row.
double refusedPostMicroseconds(const QString& folder, int times, bool* storedNothing)
{
    quenlow::AnswerWriter writer(answersStoreIn(folder));
    if (const Result<void> started = writer.start(); !started)
        fail(started.error().detail);
    quenlow::ServiceClock clock;
    quenlow::StoreExecutor executor(answersStoreIn(folder));
    quenlow::RequestHandler handler(folder, writer, executor, clock);
    quenlow::HttpRequest request;
    request.method = "POST";
    request.path = "/scripts/save.asp";
    request.contentType = "application/x-www-form-urlencoded";
    request.body = rulesBody(QStringLiteral("rules"), QStringLiteral("abc"));
    const double median = medianMicroseconds(
        times, [&] { return handler.handle(request); },
        [](const quenlow::HttpResponse& response) {
            if (response.status != 422 || !response.body.contains("value='abc'"))
                fail(QStringLiteral("the post with a bad answer was not refused with the answers kept"));
        });
    (void)writer.stop();
    const auto db = openAnswersStore(answersStoreIn(folder));
    *storedNothing = db && (*db)->rowCount(AnswersStore::tableFor(QStringLiteral("rules"))).valueOr(-1) == 0;
    return median;
}

// The median time, in microseconds, to place a post's forty answers and hold
// them to the form's rules, as the service does before storing.
double checkMicroseconds(const QString& folder, const QString& name, int times)
{
    FormCatalog catalog(folder);
    const std::optional<PublishedForm> form = catalog.find(name);
    const Result<FormFields> fields = parseUrlEncoded(rulesBody(name, QStringLiteral("42")));
    if (!form || !fields)
        fail(QStringLiteral("cannot read the form ") + name);
    return medianMicroseconds(
        times,
        [&] {
            PlacedAnswers placed = placeAnswers(*form, *fields);
            const CheckedAnswers checked = form->checks->check(placed.answers);
            return checked.answers.size() == 40 && checked.problems.isEmpty();
        },
        [&](bool asPosted) {
            if (!asPosted)
                fail(QStringLiteral("the answers to ") + name + QStringLiteral(" were not placed as posted"));
        });
}

// The two forty-question forms under the same load, one after the other, on
// one service; then the refused post. True when every target holds.
// The service under wrk, posting all forty answers to form `a`, then `b`,
// `b`, `a` (a drift of the machine's load during the four weighs on both
// alike), `rounds` times over, each run `duration` seconds long; each form's
// runs together, with the rows it stored.
std::pair<Load, Load> alternateLoads(const QString& folder, const QString& server, const QString& wrk,
    int connections, int duration, const QString& a, const QString& b,
    const std::function<QByteArray(const QString& name)>& extraLua = {},
    const std::function<QByteArray(const QString&)>& bodyOf = {}, int rounds = 1)
{
    const quint16 port = freeLoopbackPort();
    QProcess service;
    service.setStandardErrorFile(folder + QStringLiteral("/server-%1-%2.log").arg(a, b));
    service.start(server,
        { QStringLiteral("--app-folder"), folder, QStringLiteral("--listen"),
            QStringLiteral("127.0.0.1:%1").arg(port) });
    if (!service.waitForStarted(5000))
        fail(QStringLiteral("cannot start ") + server);
    QThread::msleep(300);
    const auto run = [&](const QString& name) {
        const QString script = folder + QStringLiteral("/post-%1.lua").arg(name);
        QFile lua(script);
        if (!lua.open(QIODevice::WriteOnly)
            || lua.write(luaScript(bodyOf ? bodyOf(name) : rulesBody(name, QStringLiteral("42")))
                   + (extraLua ? extraLua(name) : QByteArray()))
                < 0)
            fail(QStringLiteral("cannot write the wrk script"));
        lua.close();
        QProcess load;
        load.setProcessChannelMode(QProcess::MergedChannels);
        const double processorBefore = processorSeconds(service.processId());
        load.start(wrk,
            { QStringLiteral("-t2"), QStringLiteral("-c%1").arg(connections),
                QStringLiteral("-d%1s").arg(duration), QStringLiteral("--timeout"), QStringLiteral("5s"),
                QStringLiteral("-s"), script,
                QStringLiteral("http://127.0.0.1:%1/scripts/save.asp").arg(port) });
        if (!load.waitForFinished((duration + 30) * 1000))
            fail(QStringLiteral("wrk did not finish"));
        const QString report = QString::fromLocal8Bit(load.readAll());
        Load result;
        result.serviceSeconds = processorSeconds(service.processId()) - processorBefore;
        result.ok = qint64(field(report, "ok"));
        result.bad = qint64(field(report, "bad"));
        result.seconds = field(report, "seconds");
        result.p50 = field(report, "p50");
        result.p99 = field(report, "p99");
        result.max = field(report, "max");
        return result;
    };
    const auto add = [](Load& total, const Load& load) {
        total.serviceSeconds += load.serviceSeconds;
        total.ok += load.ok;
        total.bad += load.bad;
        total.seconds += load.seconds;
        total.p50 = std::max(total.p50, load.p50);
        total.p99 = std::max(total.p99, load.p99);
        total.max = std::max(total.max, load.max);
    };
    Load first, second;
    for (int round = 0; round < rounds; ++round) {
        add(first, run(a));
        add(second, run(b));
        add(second, run(b));
        add(first, run(a));
    }
    ::kill(pid_t(service.processId()), SIGTERM);
    if (!service.waitForFinished(15000) || service.exitCode() != 0)
        fail(QStringLiteral("the service did not stop cleanly"));
    const auto db = openAnswersStore(answersStoreIn(folder));
    first.rows = db ? (*db)->rowCount(AnswersStore::tableFor(a)).valueOr(-1) : -1;
    second.rows = db ? (*db)->rowCount(AnswersStore::tableFor(b)).valueOr(-1) : -1;
    return { first, second };
}

bool rulesPart(
    const QString& folder, const QString& server, const QString& wrk, int connections, int duration)
{
    makeRulesForm(folder, QStringLiteral("plain"), false);
    makeRulesForm(folder, QStringLiteral("rules"), true);
    bool storedNothing = false;
    const double refused = refusedPostMicroseconds(folder, 2000, &storedNothing);
    out(QStringLiteral("placing and checking 40 answers: median %1 us without rules, %2 us with rules")
            .arg(checkMicroseconds(folder, QStringLiteral("plain"), 5000), 0, 'f', 1)
            .arg(checkMicroseconds(folder, QStringLiteral("rules"), 5000), 0, 'f', 1));

    const auto [plain, rules] = alternateLoads(
        folder, server, wrk, connections, duration, QStringLiteral("plain"), QStringLiteral("rules"));
    reportLoad(QStringLiteral("40 questions without rules (two runs)"), plain);
    reportLoad(QStringLiteral("40 questions with rules (two runs)"), rules);
    const double ratio = plain.rate() > 0 ? rules.rate() / plain.rate() : 0;
    out(QStringLiteral("ratio of the form with rules to the form without: %1x").arg(ratio, 0, 'f', 2));
    out(QStringLiteral("refused post (422, page again with the answers): median %1 us, rows stored: %2")
            .arg(refused, 0, 'f', 1)
            .arg(storedNothing ? u"none" : u"SOME"));
    const bool rateMet = ratio >= 0.9;
    const bool allStored = plain.bad == 0 && rules.bad == 0 && rules.ok > 0 && rules.rows >= rules.ok
        && rules.rows <= rules.ok + 2 * connections && plain.rows >= plain.ok
        && plain.rows <= plain.ok + 2 * connections;
    const bool refusedMet = refused < 2000 && storedNothing;
    out(QStringLiteral("target rules >= 0.9x without: %1").arg(rateMet ? u"met" : u"MISSED"));
    out(QStringLiteral("target zero non-2xx and a row for every 2xx (40 questions): %1")
            .arg(allStored ? u"met" : u"MISSED"));
    out(QStringLiteral("target refused post < 2 ms at the median, nothing stored: %1")
            .arg(refusedMet ? u"met" : u"MISSED"));
    return rateMet && allStored && refusedMet;
}

// Posts taken in this process, for counting instructions: no sockets, no wrk.
bool handlerPart(const QString& folder, int posts)
{
    AnswerWriter writer(answersStoreIn(folder));
    if (const Result<void> started = writer.start(); !started)
        fail(started.error().detail);
    quenlow::ServiceClock clock;
    quenlow::StoreExecutor executor(answersStoreIn(folder));
    RequestHandler handler(folder, writer, executor, clock);
    HttpRequest post;
    post.method = "POST";
    post.path = RequestHandler::submissionPath();
    post.contentType = "application/x-www-form-urlencoded";
    post.body = submissionBody();
    if (const QByteArray quotas = qgetenv("QUENLOW_BENCH_QUOTAS"); !quotas.isEmpty()) {
        QList<FormQuota> five;
        for (int i = 0; quotas == "5" && i < 5; ++i)
            five.append({ QStringLiteral("Pick %1").arg(i), QStringLiteral("Yes"), qint64(1) << 50 });
        makeRulesForm(folder, QStringLiteral("forty"), false, std::nullopt, five);
        post.body = rulesBody(QStringLiteral("forty"), QStringLiteral("42"));
    }
    // QUENLOW_BENCH_FORM=plain or rules: the forty questions, without or with
    // their rules, for comparing what the rules cost.
    if (const QString form = qEnvironmentVariable("QUENLOW_BENCH_FORM");
        form == QLatin1StringView("plain") || form == QLatin1StringView("rules")) {
        makeRulesForm(folder, form, form == QLatin1StringView("rules"));
        post.body = rulesBody(form, QStringLiteral("42"));
    }
    // QUENLOW_BENCH_FORM=ranked or radios: the form of grids and rankings, or
    // the one of as many option buttons, for comparing what they cost.
    if (const QString form = qEnvironmentVariable("QUENLOW_BENCH_FORM");
        form == QLatin1StringView("ranked") || form == QLatin1StringView("radios")) {
        const bool ranked = form == QLatin1StringView("ranked");
        makeRankedForm(folder, form, ranked);
        post.body = rankedBody(form, ranked);
    }
    // QUENLOW_BENCH_FORM=open or invited: the forty questions, open to anyone
    // or to as many invited people as there are posts, each post with a code
    // of its own (the open form gets the same posts), for comparing what the
    // codes cost.
    QStringList codes;
    if (const QString form = qEnvironmentVariable("QUENLOW_BENCH_FORM");
        form == QLatin1StringView("open") || form == QLatin1StringView("invited")) {
        const bool invited = form == QLatin1StringView("invited");
        makeRulesForm(folder, form, false, std::nullopt, {}, invited);
        post.body = rulesBody(form, QStringLiteral("42"));
        const auto db = openAnswersStore(answersStoreIn(folder));
        if (!db)
            fail(db.error().detail);
        const QString table = AnswersStore::tableFor(QStringLiteral("invited"));
        codes = makeParticipantCodes((*db)->sharedKey().valueOr("bench"), table, posts, {});
        QList<Participant> people;
        for (const QString& code : std::as_const(codes)) {
            Participant person;
            person.code = code;
            people.append(person);
        }
        if (const Result<void> added = invited ? addParticipants(**db, table, people) : Result<void>();
            !added)
            fail(added.error().detail);
    }
    // As a page posts one: a token of the right length, checked (and found
    // not this service's) with every post.
    if (qEnvironmentVariableIsSet("QUENLOW_BENCH_TOKEN"))
        post.body += "&submissionToken=" + QByteArray(64, 'a');
    const QByteArray body = post.body;
    int stored = 0;
    for (int i = 0; i < posts; ++i) {
        if (!codes.isEmpty())
            post.body = body + "&participantCode=" + codes.at(i).toLatin1();
        std::promise<int> answered;
        std::future<int> status = answered.get_future();
        const bool taken = handler.handleWithoutWaiting(
            post, [&answered](HttpResponse response) { answered.set_value(response.status); });
        if (taken && status.get() == 200)
            ++stored;
    }
    out(QStringLiteral("posts taken in process: %1, stored: %2").arg(posts).arg(stored));
    return stored == posts;
}

bool limitPart(
    const QString& folder, const QString& server, const QString& wrk, int connections, int duration)
{
    makeRulesForm(folder, QStringLiteral("open"), false);
    makeRulesForm(folder, QStringLiteral("limited"), false, qint64(1) << 50);
    const auto [open, limited] = alternateLoads(
        folder, server, wrk, connections, duration, QStringLiteral("open"), QStringLiteral("limited"));
    reportLoad(QStringLiteral("40 questions, no answer limit (two runs)"), open);
    reportLoad(QStringLiteral("40 questions, an answer limit never reached (two runs)"), limited);
    const double ratio = open.rate() > 0 ? limited.rate() / open.rate() : 0;
    out(QStringLiteral("ratio of the form with a limit to the form without: %1x").arg(ratio, 0, 'f', 3));
    const bool rateMet = ratio >= 0.95;
    const bool allStored = open.bad == 0 && limited.bad == 0 && limited.ok > 0 && limited.rows >= limited.ok
        && open.rows >= open.ok;
    out(QStringLiteral("target limit >= 0.95x without: %1").arg(rateMet ? u"met" : u"MISSED"));
    out(QStringLiteral("target zero non-2xx and a row for every 2xx (limit): %1")
            .arg(allStored ? u"met" : u"MISSED"));
    return rateMet && allStored;
}

bool quotaPart(
    const QString& folder, const QString& server, const QString& wrk, int connections, int duration)
{
    makeRulesForm(folder, QStringLiteral("unquoted"), false);
    QList<FormQuota> quotas;
    for (int i = 0; i < 5; ++i)
        quotas.append({ QStringLiteral("Pick %1").arg(i), QStringLiteral("Yes"), qint64(1) << 50 });
    makeRulesForm(folder, QStringLiteral("quoted"), false, std::nullopt, quotas);
    const auto [open, quoted] = alternateLoads(
        folder, server, wrk, connections, duration, QStringLiteral("unquoted"), QStringLiteral("quoted"));
    reportLoad(QStringLiteral("40 questions, no quota (two runs)"), open);
    reportLoad(QStringLiteral("40 questions, 5 quotas every post falls into, never full (two runs)"), quoted);
    const double ratio = open.rate() > 0 ? quoted.rate() / open.rate() : 0;
    out(QStringLiteral("ratio of the form with quotas to the form without: %1x").arg(ratio, 0, 'f', 3));
    const bool rateMet = ratio >= 0.9;
    const bool allStored = open.bad == 0 && quoted.bad == 0 && quoted.ok > 0 && quoted.rows >= quoted.ok
        && open.rows >= open.ok;
    out(QStringLiteral("target quotas >= 0.9x without: %1").arg(rateMet ? u"met" : u"MISSED"));
    out(QStringLiteral("target zero non-2xx and a row for every 2xx (quotas): %1")
            .arg(allStored ? u"met" : u"MISSED"));
    return rateMet && allStored;
}

// Each of wrk's two threads posts the codes of its own share (`share` codes
// long; the run's first share is `firstShare`), each once. Only the run's
// codes go into its script: a long one would take wrk a while to read.
QByteArray codesLua(const QStringList& codes, int firstShare, int share)
{
    QByteArray lua = "codes = {";
    for (qsizetype i = qsizetype(firstShare) * share; i < qsizetype(firstShare + 2) * share; ++i)
        lua += '"' + codes.at(i % codes.size()).toLatin1() + "\",";
    lua += "}\n"
           "local threads = 0\n"
           "function setup(thread) thread:set(\"share\", threads); threads = threads + 1 end\n"
           "local sent = 0\n"
           "function request()\n"
           "  sent = sent + 1\n"
           "  local code = codes[(share * "
        + QByteArray::number(share)
        + " + sent - 1) % #codes + 1]\n"
          "  return wrk.format(nil, nil, nil, wrk.body .. \"&participantCode=\" .. code)\n"
          "end\n";
    return lua;
}

bool invitedPart(
    const QString& folder, const QString& server, const QString& wrk, int connections, int duration)
{
    makeRulesForm(folder, QStringLiteral("open"), false);
    makeRulesForm(folder, QStringLiteral("invited"), false, std::nullopt, {}, true);
    const auto db = openAnswersStore(answersStoreIn(folder));
    if (!db)
        fail(db.error().detail);
    const QString table = AnswersStore::tableFor(QStringLiteral("invited"));
    // The disk's pace here changes from one second to the next by more than
    // the difference sought: the forms take turns every second, `duration`
    // rounds of four runs, each form posted to for `duration` × 2 seconds.
    const int rounds = std::max(1, duration);
    // Every post to the invited form a code not posted before: two shares
    // (two wrk threads) for each of its runs, each more than one thread
    // posts in a run of a second (it runs a little longer; 15,000 posts/s is
    // well above what the service stores here), and never fewer than
    // 100,000 people in all.
    const int invitedRuns = 2 * rounds;
    const int share = std::max(15000, (100000 + 2 * invitedRuns - 1) / (2 * invitedRuns));
    const QStringList codes
        = makeParticipantCodes((*db)->sharedKey().valueOr("bench"), table, 2 * invitedRuns * share, {});
    QList<Participant> people;
    for (const QString& code : codes) {
        Participant person;
        person.code = code;
        people.append(person);
    }
    if (const Result<void> added = addParticipants(**db, table, people); !added)
        fail(added.error().detail);
    const auto [open, invited] = alternateLoads(
        folder, server, wrk, connections, 1, QStringLiteral("open"), QStringLiteral("invited"),
        [&codes, share, invitedPosted = 0](const QString& name) mutable {
            // The open form gets the same posts, made the same way (its page has
            // no code, and the service leaves the field alone): wrk's work is
            // alike. Only the invited form's runs use codes up.
            if (name != QLatin1StringView("invited"))
                return codesLua(codes, 2 * invitedPosted, share);
            return codesLua(codes, 2 * invitedPosted++, share);
        },
        {}, rounds);
    reportLoad(QStringLiteral("40 questions, open to anyone (%1 runs of a second)").arg(2 * rounds), open);
    reportLoad(QStringLiteral("40 questions, %1 invited, a code of its own each (%2 runs of a second)")
                   .arg(QLocale(QLocale::English).toString(codes.size()))
                   .arg(2 * rounds),
        invited);
    const double ratio = open.rate() > 0 ? invited.rate() / open.rate() : 0;
    out(QStringLiteral("ratio of the invited form to the open one: %1x").arg(ratio, 0, 'f', 3));
    if (open.serviceSeconds > 0 && open.ok > 0 && invited.ok > 0)
        out(QStringLiteral("service processor time per answer, open to invited: %1x")
                .arg((open.serviceSeconds / open.ok) / (invited.serviceSeconds / invited.ok), 0, 'f', 3));
    const bool rateMet = ratio >= 0.9;
    const auto answered = participantsOf(**db, table);
    const qint64 claimed = answered
        ? std::count_if(answered->cbegin(), answered->cend(), [](const Participant& p) { return p.answered; })
        : -1;
    // A code posted twice replaces its row: fewer rows than answers.
    const bool allStored = open.bad == 0 && invited.bad == 0 && invited.ok > 0 && invited.rows >= invited.ok
        && claimed == invited.rows;
    out(QStringLiteral("codes claimed: %1, rows stored: %2").arg(claimed).arg(invited.rows));
    out(QStringLiteral("target invited >= 0.9x open: %1").arg(rateMet ? u"met" : u"MISSED"));
    out(QStringLiteral("target zero non-2xx, a row for every 2xx and a claimed code for every row: %1")
            .arg(allStored ? u"met" : u"MISSED"));
    return rateMet && allStored;
}

double field(const QString& text, const char* name)
{
    const QRegularExpression re(QStringLiteral("\\b%1=([0-9.]+)").arg(QLatin1StringView(name)));
    return re.match(text).captured(1).toDouble();
}

// Eighty required option-button questions, a page break after every eight
// when `paged`, as the designer writes them.
void makePagedForm(const QString& folder, const QString& name, bool paged)
{
    auto [answers, table, collection] = startCourseForm(folder, name);
    QuestionSettings required;
    required.rules.required = true;
    for (int i = 0; i < 80; ++i) {
        if (paged && i > 0 && i % 8 == 0)
            collection.append(pageBreakMethod(QStringLiteral("Part %1").arg(i / 8 + 1)));
        const FormMethod question
            = withQuestionSettings(radioButtonsMethod(QStringLiteral("Question %1").arg(i),
                                       { QStringLiteral("Strongly agree"), QStringLiteral("Agree"),
                                           QStringLiteral("Disagree"), QStringLiteral("Strongly disagree") },
                                       noDefaultOption()),
                required);
        if (const auto added
            = answers->addColumn(table, question.userInstruction, AnswersStore::ColumnKind::Text, {});
            !added)
            fail(added.error().detail);
        collection.append(question);
    }
    collection.append(submitButtonMethod(QStringLiteral("Submit Form"), false, QStringLiteral("Reset Form")));
    writeFormFiles(folder, name, collection);
}

// The page of `name` as sent and a refused post to it (the first question
// unanswered), each at the median in microseconds.
std::pair<double, double> pagedFormMicroseconds(
    const QString& folder, const QString& name, bool paged, int times)
{
    quenlow::AnswerWriter writer(answersStoreIn(folder));
    if (const Result<void> started = writer.start(); !started)
        fail(started.error().detail);
    quenlow::ServiceClock clock;
    quenlow::StoreExecutor executor(answersStoreIn(folder));
    quenlow::RequestHandler handler(folder, writer, executor, clock);
    quenlow::HttpRequest page;
    page.method = "GET";
    page.path = "/" + name.toUtf8() + ".html";
    const QByteArray sections = paged ? "<section class=form-page>" : "submissionToken";
    const double sent = medianMicroseconds(
        times, [&] { return handler.handle(page); },
        [&](const quenlow::HttpResponse& response) {
            if (response.status != 200 || response.body.count(sections) != (paged ? 10 : 1))
                fail(QStringLiteral("the page of ") + name
                    + QStringLiteral(" was not sent as respondents get it"));
        });
    QByteArray body = "tableName=" + QUrl::toPercentEncoding(AnswersStore::tableFor(name));
    for (int i = 0; i < 80; ++i) {
        const QByteArray field = QUrl::toPercentEncoding(QStringLiteral("Question %1").arg(i));
        body += '&' + field + "%20Type=Radio%20Buttons";
        if (i > 0)
            body += '&' + field + "=Agree";
    }
    quenlow::HttpRequest post;
    post.method = "POST";
    post.path = "/scripts/save.asp";
    post.contentType = "application/x-www-form-urlencoded";
    post.body = body;
    const double refused = medianMicroseconds(
        times, [&] { return handler.handle(post); },
        [](const quenlow::HttpResponse& response) {
            if (response.status != 422 || !response.body.contains("Please choose an answer."))
                fail(QStringLiteral("the post with a question unanswered was not refused with its note"));
        });
    (void)writer.stop();
    return { sent, refused };
}

bool pagesPart(const QString& folder)
{
    makePagedForm(folder, QStringLiteral("paged"), true);
    makePagedForm(folder, QStringLiteral("unpaged"), false);
    const auto [pagedSent, pagedRefused] = pagedFormMicroseconds(folder, QStringLiteral("paged"), true, 2000);
    const auto [oneSent, oneRefused] = pagedFormMicroseconds(folder, QStringLiteral("unpaged"), false, 2000);
    out(QStringLiteral(
        "10 pages of 80 option-button questions: page as sent (adapted, with a token) median %1 us, "
        "refused post (422) median %2 us")
            .arg(pagedSent, 0, 'f', 1)
            .arg(pagedRefused, 0, 'f', 1));
    out(QStringLiteral(
        "the same 80 questions on one page: page as sent median %1 us, refused post median %2 us")
            .arg(oneSent, 0, 'f', 1)
            .arg(oneRefused, 0, 'f', 1));
    return true;
}

// The form of grids and rankings: its page as sent (adapted, with a token,
// statements and options shuffled) and a refused post (a place given twice:
// 422, the page again with the places and a note) at the median; then its
// durable submissions/s under wrk beside those of a form of as many plain
// option-button questions. True when every target holds.
bool rankingsPart(
    const QString& folder, const QString& server, const QString& wrk, int connections, int duration)
{
    makeRankedForm(folder, QStringLiteral("ranked"), true);
    makeRankedForm(folder, QStringLiteral("radios"), false);
    double sent = 0, refused = 0;
    {
        quenlow::AnswerWriter writer(answersStoreIn(folder));
        if (const Result<void> started = writer.start(); !started)
            fail(started.error().detail);
        quenlow::ServiceClock clock;
        quenlow::StoreExecutor executor(answersStoreIn(folder));
        quenlow::RequestHandler handler(folder, writer, executor, clock);
        quenlow::HttpRequest page;
        page.method = "GET";
        page.path = "/ranked.html";
        sent = medianMicroseconds(
            2000, [&] { return handler.handle(page); },
            [](const quenlow::HttpResponse& response) {
                if (response.status != 200 || response.body.count("<section class=form-page>") != 10
                    || !response.body.contains("/scripts/ranking.js"))
                    fail(QStringLiteral("the page of grids and rankings was not sent as respondents get it"));
            });
        quenlow::HttpRequest post;
        post.method = "POST";
        post.path = "/scripts/save.asp";
        post.contentType = "application/x-www-form-urlencoded";
        post.body = rankedBody(QStringLiteral("ranked"), true, QStringLiteral("4"));
        refused = medianMicroseconds(
            2000, [&] { return handler.handle(post); },
            [](const quenlow::HttpResponse& response) {
                if (response.status != 422
                    || !response.body.contains("Please give each option a different place from 1 to 5."))
                    fail(QStringLiteral("the post with a place given twice was not refused with its note"));
            });
        (void)writer.stop();
    }
    const auto db = openAnswersStore(answersStoreIn(folder));
    const bool storedNothing
        = db && (*db)->rowCount(AnswersStore::tableFor(QStringLiteral("ranked"))).valueOr(-1) == 0;

    // Placing and checking a post's answers in this process: the service's own work, without the
    // machine's other load that the runs under wrk share.
    const auto placeAndCheck = [&](const QString& name, bool withRankings) {
        FormCatalog catalog(folder);
        const std::optional<PublishedForm> form = catalog.find(name);
        const Result<FormFields> fields = parseUrlEncoded(rankedBody(name, withRankings));
        if (!form || !fields)
            fail(QStringLiteral("cannot read the form ") + name);
        return medianMicroseconds(
            5000,
            [&] {
                PlacedAnswers placed = placeAnswers(*form, *fields);
                const CheckedAnswers checked = form->checks->check(placed.answers);
                return checked.answers.size() == 90 && checked.problems.isEmpty();
            },
            [&](bool asPosted) {
                if (!asPosted)
                    fail(QStringLiteral("the answers to ") + name
                        + QStringLiteral(" were not placed as posted"));
            });
    };
    out(QStringLiteral("placing and checking 90 answers: median %1 us for option buttons, %2 us for grids, "
                       "rankings and option buttons")
            .arg(placeAndCheck(QStringLiteral("radios"), false), 0, 'f', 1)
            .arg(placeAndCheck(QStringLiteral("ranked"), true), 0, 'f', 1));
    const auto [radios, ranked] = alternateLoads(folder, server, wrk, connections, duration,
        QStringLiteral("radios"), QStringLiteral("ranked"), {},
        [](const QString& name) { return rankedBody(name, name == QStringLiteral("ranked")); });
    out(QStringLiteral("10 pages, 5 grids of 10 statements, 2 rankings of 5 options, 30 other questions: "
                       "page as sent (adapted, with a token, shuffled) median %1 us")
            .arg(sent, 0, 'f', 1));
    reportLoad(QStringLiteral("90 option-button questions (two runs)"), radios);
    reportLoad(QStringLiteral("grids, rankings and 30 questions, 90 answers (two runs)"), ranked);
    const double ratio = radios.rate() > 0 ? ranked.rate() / radios.rate() : 0;
    out(QStringLiteral("ratio of the form of grids and rankings to the plain one: %1x")
            .arg(ratio, 0, 'f', 2));
    out(QStringLiteral(
        "refused post (a place given twice: 422, the page again): median %1 us, rows stored: %2")
            .arg(refused, 0, 'f', 1)
            .arg(storedNothing ? u"none" : u"SOME"));
    const bool rateMet = ratio >= 0.9;
    const bool allStored = radios.bad == 0 && ranked.bad == 0 && ranked.ok > 0 && ranked.rows >= ranked.ok
        && radios.rows >= radios.ok;
    const bool refusedMet = refused < 2000 && storedNothing;
    out(QStringLiteral("target grids and rankings >= 0.9x plain: %1").arg(rateMet ? u"met" : u"MISSED"));
    out(QStringLiteral("target zero non-2xx and a row for every 2xx (rankings): %1")
            .arg(allStored ? u"met" : u"MISSED"));
    out(QStringLiteral("target refused post < 2 ms at the median, nothing stored: %1")
            .arg(refusedMet ? u"met" : u"MISSED"));
    return rateMet && allStored && refusedMet;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int duration = 10;
    int connections = 50;
    QString base = QDir::currentPath();
    QString server = QStringLiteral(QUENLOW_SERVER_EXECUTABLE);
    QString database;
    QString part;
    int posts = 2000;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1StringView("--duration"))
            duration = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1StringView("--connections"))
            connections = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1StringView("--folder"))
            base = args.at(i + 1);
        else if (args.at(i) == QLatin1StringView("--database"))
            database = args.at(i + 1);
        else if (args.at(i) == QLatin1StringView("--server"))
            server = args.at(i + 1);
        else if (args.at(i) == QLatin1StringView("--part")
            && (args.at(i + 1) == QLatin1StringView("rules") || args.at(i + 1) == QLatin1StringView("limit")
                || args.at(i + 1) == QLatin1StringView("handler")
                || args.at(i + 1) == QLatin1StringView("pages")
                || args.at(i + 1) == QLatin1StringView("quota")
                || args.at(i + 1) == QLatin1StringView("invited")
                || args.at(i + 1) == QLatin1StringView("rankings")))
            part = args.at(i + 1);
        else if (args.at(i) == QLatin1StringView("--posts"))
            posts = qBound(1, args.at(i + 1).toInt(), 1000000);
        else
            fail(QStringLiteral("unknown argument ") + args.at(i));
    }
    // Bounded: the load runs for at most a minute, on 127.0.0.1 only.
    duration = qBound(1, duration, 60);
    connections = qBound(1, connections, 200);
    const QString wrk = QStandardPaths::findExecutable(QStringLiteral("wrk"));
    if (wrk.isEmpty())
        fail(QStringLiteral("wrk is needed (Debian package wrk)"));

    QTemporaryDir dir(base + QStringLiteral("/bench-server-XXXXXX"));
    if (!dir.isValid())
        fail(QStringLiteral("cannot make a folder in ") + base);
    const QString folder = dir.path();
    makeForm(folder);
    out(QStringLiteral("folder: %1").arg(folder));
    if (part == QLatin1StringView("rules"))
        return rulesPart(folder, server, wrk, connections, duration) ? 0 : 1;
    if (part == QLatin1StringView("limit"))
        return limitPart(folder, server, wrk, connections, duration) ? 0 : 1;
    if (part == QLatin1StringView("quota"))
        return quotaPart(folder, server, wrk, connections, duration) ? 0 : 1;
    if (part == QLatin1StringView("invited"))
        return invitedPart(folder, server, wrk, connections, duration) ? 0 : 1;
    if (part == QLatin1StringView("handler"))
        return handlerPart(folder, posts) ? 0 : 1;
    if (part == QLatin1StringView("pages"))
        return pagesPart(folder) ? 0 : 1;
    if (part == QLatin1StringView("rankings"))
        return rankingsPart(folder, server, wrk, connections, duration) ? 0 : 1;

    const double single = singleRowRate(folder, 3.0);
    out(QStringLiteral("SQLite single-row durable inserts: %1 rows/s").arg(single, 0, 'f', 0));

    const double pageMicroseconds = pageSendMicroseconds(folder, 2000);
    out(QStringLiteral("sending a form page (40 questions, adapted, with a token): median %1 us")
            .arg(pageMicroseconds, 0, 'f', 1));

    const QString script = folder + QStringLiteral("/post.lua");
    QFile lua(script);
    if (!lua.open(QIODevice::WriteOnly) || lua.write(luaScript(submissionBody())) < 0)
        fail(QStringLiteral("cannot write the wrk script"));
    lua.close();

    const Fixed fixedServer = fixedServerRate(wrk, script, connections, duration);
    const double fixed = fixedServer.rate;
    if (fixed > 0)
        out(QStringLiteral("fixed response from a minimal Beast server (one I/O thread): %1 requests/s, %2 "
                           "us processor time per request")
                .arg(fixed, 0, 'f', 0)
                .arg(fixedServer.microseconds, 0, 'f', 1));
    else
        out(QStringLiteral("fixed response from a minimal Beast server: not measured"));

    const double nginx = nginxRate(folder, wrk, connections, duration);
    if (nginx > 0)
        out(QStringLiteral("nginx fixed response: %1 requests/s").arg(nginx, 0, 'f', 0));
    else
        out(QStringLiteral("nginx fixed response: not measured (nginx is not installed)"));

    const quint16 port = freeLoopbackPort();
    QProcess service;
    service.setStandardErrorFile(folder + QStringLiteral("/server.log"));
    service.start(server,
        { QStringLiteral("--app-folder"), folder, QStringLiteral("--listen"),
            QStringLiteral("127.0.0.1:%1").arg(port) });
    if (!service.waitForStarted(5000))
        fail(QStringLiteral("cannot start ") + server);
    QThread::msleep(300);

    const qint64 dropsBefore = listenDrops();
    QProcess load;
    load.setProcessChannelMode(QProcess::MergedChannels);
    load.start(wrk,
        { QStringLiteral("-t2"), QStringLiteral("-c%1").arg(connections),
            QStringLiteral("-d%1s").arg(duration), QStringLiteral("--timeout"), QStringLiteral("5s"),
            QStringLiteral("-s"), script, QStringLiteral("http://127.0.0.1:%1/scripts/save.asp").arg(port) });
    if (!load.waitForFinished((duration + 30) * 1000))
        fail(QStringLiteral("wrk did not finish"));
    const QString report = QString::fromLocal8Bit(load.readAll());
    const qint64 drops = listenDrops() - dropsBefore;

    // The service's own processor time per submission, from the kernel's account.
    const double cpuSeconds = processorSeconds(service.processId());
    ::kill(pid_t(service.processId()), SIGTERM);
    if (!service.waitForFinished(15000) || service.exitCode() != 0)
        fail(QStringLiteral("the service did not stop cleanly"));
    const auto db = openAnswersStore(answersStoreIn(folder));
    const qint64 rows = db ? (*db)->rowCount(QStringLiteral("tbl_bench")).valueOr(-1) : -1;

    const qint64 ok = qint64(field(report, "ok"));
    const qint64 bad = qint64(field(report, "bad"));
    const double seconds = field(report, "seconds");
    const double rate = seconds > 0 ? ok / seconds : 0;
    const double p50 = field(report, "p50"), p90 = field(report, "p90"), p99 = field(report, "p99");
    const double ratio = single > 0 ? rate / single : 0;
    QFile log(folder + QStringLiteral("/server.log"));
    log.open(QIODevice::ReadOnly);
    const QByteArray logText = log.readAll();
    const qint64 logLines = logText.count(" ms\n");

    out(QStringLiteral("wrk: %1 connections, %2 s, 2 threads").arg(connections).arg(seconds, 0, 'f', 1));
    out(QStringLiteral(
        "submissions: %1 answered 2xx, %2 other (socket errors: connect %3, read %4, write %5, timeout %6)")
            .arg(ok)
            .arg(bad)
            .arg(field(report, "connect"))
            .arg(field(report, "read"))
            .arg(field(report, "write"))
            .arg(field(report, "timeout")));
    out(QStringLiteral("throughput: %1 submissions/s").arg(rate, 0, 'f', 0));
    out(QStringLiteral("latency: p50 %1 ms, p90 %2 ms, p99 %3 ms, max %4 ms")
            .arg(p50, 0, 'f', 2)
            .arg(p90, 0, 'f', 2)
            .arg(p99, 0, 'f', 2)
            .arg(field(report, "max"), 0, 'f', 2));
    out(QStringLiteral("rows in the table: %1 (log lines: %2)").arg(rows).arg(logLines));
    out(QStringLiteral("connections dropped by full listen queues meanwhile: %1").arg(drops));
    if (cpuSeconds >= 0 && rows > 0)
        out(QStringLiteral("service processor time: %1 s, %2 us per submission")
                .arg(cpuSeconds, 0, 'f', 2)
                .arg(cpuSeconds * 1e6 / rows, 0, 'f', 0));
    const QString stopped = QString::fromUtf8(logText.mid(logText.lastIndexOf("stopped")).trimmed());
    out(QStringLiteral("service: %1").arg(stopped));
    out(QStringLiteral("ratio to single-row durable inserts: %1x").arg(ratio, 0, 'f', 2));
    const double nginxRatio = nginx > 0 ? rate / nginx : -1;
    if (nginx > 0)
        out(QStringLiteral("ratio to nginx's fixed response: %1x").arg(nginxRatio, 0, 'f', 2));

    const double fixedRatio = fixed > 0 ? rate / fixed : -1;
    if (fixed > 0)
        out(QStringLiteral("ratio to the minimal Beast server's fixed response: %1x")
                .arg(fixedRatio, 0, 'f', 2));

    const bool fastEnough = ratio >= 3.0;
    const bool fixedMet = fixedRatio >= 0.6;
    const bool nginxMet = nginx <= 0 || nginxRatio >= 0.35;
    const bool quickEnough = p99 < 20.0;
    const bool allOk = bad == 0 && ok > 0;
    // Requests still in flight when wrk stops are stored but not counted by it.
    const bool noneLost = rows >= ok && rows <= ok + connections;
    const bool pageQuick = pageMicroseconds < 1000;
    out(QStringLiteral("target >= 3x single-row rate: %1").arg(fastEnough ? u"met" : u"MISSED"));
    out(QStringLiteral("target form page sent in < 1 ms at the median: %1")
            .arg(pageQuick ? u"met" : u"MISSED"));
    out(QStringLiteral("target >= 0.6x the minimal Beast server: %1").arg(fixedMet ? u"met" : u"MISSED"));
    out(QStringLiteral("target >= 0.35x nginx: %1")
            .arg(nginx <= 0    ? u"not measured"
                    : nginxMet ? u"met"
                               : u"MISSED"));
    out(QStringLiteral("target p99 < 20 ms: %1").arg(quickEnough ? u"met" : u"MISSED"));
    out(QStringLiteral("target zero non-2xx: %1").arg(allOk ? u"met" : u"MISSED"));
    out(QStringLiteral("target a row for every 2xx: %1").arg(noneLost ? u"met" : u"MISSED"));
    bool sharedMet = true;
    if (!database.isEmpty()) {
        makeFormIn(database, folder);
        const Load one = loadServers(1, server, database, folder, wrk, script, connections, duration);
        reportLoad(QStringLiteral("PostgreSQL, one server"), one);
        const Load two = loadServers(2, server, database, folder, wrk, script, connections, duration);
        reportLoad(QStringLiteral("PostgreSQL, two servers"), two);
        const double pgRatio = rate > 0 ? one.rate() / rate : 0;
        out(QStringLiteral("ratio of one PostgreSQL server to the SQLite service: %1x")
                .arg(pgRatio, 0, 'f', 2));
        out(QStringLiteral("ratio of two PostgreSQL servers to one: %1x")
                .arg(one.rate() > 0 ? two.rate() / one.rate() : 0, 0, 'f', 2));
        const bool halfMet = pgRatio >= 0.5;
        const bool twoMet = two.rate() >= one.rate();
        const bool pgQuick = one.p99 < 50.0 && two.p99 < 50.0;
        const bool pgAll = one.bad == 0 && two.bad == 0 && one.ok > 0 && two.ok > 0 && one.rows >= one.ok
            && two.rows >= two.ok && one.rows <= one.ok + connections && two.rows <= two.ok + connections;
        out(QStringLiteral("target one PostgreSQL server >= 0.5x SQLite: %1")
                .arg(halfMet ? u"met" : u"MISSED"));
        out(QStringLiteral("target two servers >= one: %1").arg(twoMet ? u"met" : u"MISSED"));
        out(QStringLiteral("target PostgreSQL p99 < 50 ms: %1").arg(pgQuick ? u"met" : u"MISSED"));
        out(QStringLiteral("target PostgreSQL zero non-2xx and a row for every 2xx: %1")
                .arg(pgAll ? u"met" : u"MISSED"));
        sharedMet = halfMet && twoMet && pgQuick && pgAll;
    }
    const SlowClients slow = underSlowClients(server, folder, 1000, 1024);
    const double answeredShare = slow.asked > 0 ? 100.0 * slow.answered / slow.asked : 0;
    out(QStringLiteral(
        "1000 slow clients at 1024 descriptors: %1 of %2 page requests answered (%3%), p50 %4 ms, p99 %5 ms")
            .arg(slow.answered)
            .arg(slow.asked)
            .arg(answeredShare, 0, 'f', 1)
            .arg(slow.p50, 0, 'f', 2)
            .arg(slow.p99, 0, 'f', 2));
    const bool slowMet = answeredShare >= 90.0;
    out(QStringLiteral("target >= 90% of page requests answered among slow clients: %1")
            .arg(slowMet ? u"met" : u"MISSED"));
    const bool rulesMet = rulesPart(folder, server, wrk, connections, duration);
    return rulesMet && slowMet && fastEnough && fixedMet && nginxMet && quickEnough && allOk && noneLost
            && pageQuick && sharedMet
        ? 0
        : 1;
}
