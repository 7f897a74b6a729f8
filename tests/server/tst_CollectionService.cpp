// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The service over real HTTP on an ephemeral 127.0.0.1 port.
#include "ServerFixture.h"
#include "support/FileSizeLimit.h"
#include "support/TestProgramFolder.h"

#include "server/CollectionService.h"
#include "server/RespondentPage.h"
#include "server/StorePool.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>

#include <algorithm>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

using Fields = QList<QPair<QString, QString>>;

// Another writer of the embedded store holds its write lock (asked about its
// row's fate, it waits) until released, so that submissions wait for it.
class WriteLock final
{
public:
    explicit WriteLock(const QString& location)
        : m_released(m_release.get_future().share())
        , m_holder([this, location] {
            const auto store = openAnswersStore(location);
            const AnswersStore::NewRow row { u"tbl_survey"_s, {}, {}, {}, [this] {
                                                m_locked.set_value();
                                                m_released.wait();
                                                return true;
                                            } };
            if (!store || !(*store)->insertRows({ row }))
                m_locked.set_value();
        })
    {
        m_held = m_locked.get_future().wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    }
    ~WriteLock() { release(); }
    bool held() const { return m_held; }
    void release()
    {
        if (m_holder.joinable()) {
            m_release.set_value();
            m_holder.join();
        }
    }

private:
    std::promise<void> m_locked, m_release;
    std::shared_future<void> m_released;
    bool m_held = false;
    std::thread m_holder;
};

Fields answers(const QString& name, const QString& comments)
{
    return { { u"tableName"_s, u"tbl_survey"_s }, { u"DBLocation"_s, u"/elsewhere/formAnswers.mdb"_s },
        { u"background"_s, u"Background.gif"_s }, { u"allowShowTableButtron"_s, u"False"_s },
        { u"Name Type"_s, u"Text Field"_s }, { u"Name"_s, name }, { u"Comments Type"_s, u"Text Area"_s },
        { u"Comments"_s, comments }, { u"Tea Type"_s, u"Check Box"_s } };
}

// The answers of `name` as one raw HTTP/1.1 request, for clients that send bytes themselves.
QByteArray postOf(const QString& name, const QByteArray& headers = {})
{
    const QByteArray body = urlEncoded(answers(name, u"x"_s));
    return "POST /scripts/save.asp HTTP/1.1\r\nHost: x\r\n" + headers
        + "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace

class TestCollectionService : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void servesAndStoresOverHttp();
    void refusesOversizedBodies();
    void refusesHostileRequests_data();
    void refusesHostileRequests();
    void busyPortIsAnError();
    void startsAgainAfterAStop();
    void loadWithAColumnAddedMidwayAndAStop();
    void submissionsFlowUnderAttack();
    void deadlineAndCapBoundWhatClientsHold();
    void abandonedSubmissionIsNotStored();
    void stopInBackgroundReturnsWhileASubmissionWaits();
    void servesOverTls();
    void healthSeesAFullDisk();
    void aStoreThatStallsOrGoesAwayIsAnOutage();
    void storeConnectionsAreLentAndKept();
    void aQuotaOfTwoTakesExactlyTwo();

private:
    void startService(qint64 maxBody = CollectionService::defaultMaxBodySize, const HttpLimits& limits = {},
        const QString& store = {});

    QList<QVariantMap> rows() const { return tableRows(m_folder->database(), u"tbl_survey"_s); }

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<CollectionService> m_service;
    std::mutex m_logMutex;
    QList<QByteArray> m_log;
};

void TestCollectionService::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Café survey"_s)
                .textField(u"Name"_s)
                .textArea(u"Comments"_s)
                .checkBox(u"Tea"_s)
                .submitButton()
                .write());
    m_log.clear();
}

void TestCollectionService::cleanup()
{
    m_service.reset();
    m_folder.reset();
}

void TestCollectionService::startService(qint64 maxBody, const HttpLimits& limits, const QString& store)
{
    m_service = std::make_unique<CollectionService>();
    m_service->setAnswersStore(store.isEmpty() ? m_folder->database() : store);
    m_service->setMaxBodySize(maxBody);
    m_service->setLimits(limits);
    m_service->setLogSink([this](const QByteArray& line) {
        std::lock_guard lock(m_logMutex);
        m_log.append(line);
    });
    const Result<void> started = m_service->start(m_folder->path(), u"127.0.0.1"_s, 0);
    QVERIFY2(started, qPrintable(started ? QString() : started.error().detail));
    QVERIFY(m_service->isRunning());
    QVERIFY(m_service->port() != 0);
    QCOMPARE(m_service->address(), u"http://127.0.0.1:%1"_s.arg(m_service->port()));
}

void TestCollectionService::servesAndStoresOverHttp()
{
    startService();
    TestClient c(m_service->port());
    const RawResponse page = c.get("/survey.html");
    QCOMPARE(page.status, 200);
    QCOMPARE(page.header("Content-Type"), QByteArray("text/html; charset=utf-8"));
    QVERIFY(page.body.contains(u"Café survey"_s.toUtf8()));
    QCOMPARE(m_service->pageAddress(u"survey.html"_s), m_service->address() + u"/survey.html"_s);

    const RawResponse sent = c.postForm(answers(u"Zoë"_s, u"secret-answer-1"_s));
    QCOMPARE(sent.status, 200);
    QVERIFY(sent.body.contains("Thank you"));

    // The same answers as multipart/form-data; a file part is no answer.
    QList<MultipartPart> parts;
    for (const auto& [name, value] : answers(u"Åsa \"quoted\""_s, u"secret-answer-2"_s))
        parts.append({ name, value, {} });
    parts.append({ u"Tea"_s, u"on"_s, {} });
    parts.append({ u"Name"_s, u"a file"_s, u"name.txt"_s });
    const auto [multipart, multipartType] = multipartBody(parts);
    QCOMPARE(c.post("/scripts/save.asp", multipart, multipartType).status, 200);

    const RawResponse missing = c.get("/nosuch.html");
    QCOMPARE(missing.status, 404);
    QVERIFY(missing.body.contains("Not found"));

    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.at(0).value(u"Name"_s).toString(), u"Zoë"_s);
    QCOMPARE(stored.at(0).value(u"Tea"_s).toString(), u"Not Checked"_s);
    QCOMPARE(stored.at(1).value(u"Name"_s).toString(), u"Åsa \"quoted\""_s);
    QCOMPARE(stored.at(1).value(u"Tea"_s).toString(), u"Checked"_s);
    QCOMPARE(m_service->storedCount(), 2u);

    // One line per request (their form is quenlow-server's test); never an answer.
    m_service->stop();
    QVERIFY(m_service->address().isEmpty());
    QCOMPARE(m_log.size(), 4);
    for (const QByteArray& line : std::as_const(m_log))
        QVERIFY(!line.contains("secret-answer"));
}

void TestCollectionService::refusesOversizedBodies()
{
    startService(64 * 1024);
    const QByteArray big = urlEncoded(answers(u"Big"_s, QString(70 * 1024, QLatin1Char('x'))));

    // A declared length over the limit.
    const RawResponse sent = TestClient(m_service->port()).post("/scripts/save.asp", big);
    QCOMPARE(sent.status, 413);
    QVERIFY(sent.body.contains("Nothing has been stored"));

    // A chunked body declares no length; it is counted as it comes.
    QByteArray chunked
        = "POST /scripts/save.asp HTTP/1.1\r\nHost: x\r\nContent-Type: application/x-www-form-urlencoded\r\n"
          "Transfer-Encoding: chunked\r\n\r\n";
    for (qsizetype at = 0; at < big.size(); at += 4096) {
        const QByteArray piece = big.mid(at, 4096);
        chunked += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
    }
    chunked += "0\r\n\r\n";
    QCOMPARE(rawExchange(m_service->port(), chunked).status, 413);

    // Multipart, too.
    QList<MultipartPart> parts;
    for (const auto& [name, value] : answers(u"Big"_s, QString(70 * 1024, QLatin1Char('y'))))
        parts.append({ name, value, {} });
    const auto [multipart, multipartType] = multipartBody(parts);
    QCOMPARE(TestClient(m_service->port()).post("/scripts/save.asp", multipart, multipartType).status, 413);

    QVERIFY(rows().isEmpty());
    // Just under the limit is fine, chunked or not.
    QCOMPARE(TestClient(m_service->port())
                 .postForm(answers(u"Fits"_s, QString(60 * 1024, QLatin1Char('z'))))
                 .status,
        200);
    QCOMPARE(rows().size(), 1);
}

void TestCollectionService::refusesHostileRequests_data()
{
    // Pages lie outside HTML/ too (secret.html in the program folder), so the
    // kind of file alone would not stop these. The paths as the handler gets
    // them are its own test's; here what the server decodes on the way.
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("encoded dots") << QByteArray("/%2e%2e/secret.html");
    QTest::newRow("encoded dots in capitals") << QByteArray("/%2E%2E/secret.html");
    QTest::newRow("encoded slash") << QByteArray("/..%2fsecret.html");
    QTest::newRow("all encoded") << QByteArray("/%2e%2e%2fCollections%2fsecret.gif");
    QTest::newRow("twice encoded") << QByteArray("/%252e%252e%252fsecret.html");
    QTest::newRow("overlong UTF-8 dots") << QByteArray("/%c0%ae%c0%ae/secret.html");
    QTest::newRow("encoded backslash") << QByteArray("/..%5csecret.html");
    QTest::newRow("absolute URL") << QByteArray("http://127.0.0.1/../secret.html");
    QTest::newRow("through HTML") << QByteArray("/HTML/../secret.html");
    QTest::newRow("the database") << QByteArray("/%2e%2e/formAnswers.mdb");
    QTest::newRow("NUL") << QByteArray("/survey.html%00.gif");
    QTest::newRow("query") << QByteArray("/formAnswers.mdb?x=survey.html");
}

void TestCollectionService::refusesHostileRequests()
{
    QFETCH(QByteArray, target);
    writeBytes(m_folder->path() + u"/secret.html"_s, "<P>secret outside");
    writeBytes(m_folder->path() + u"/Collections/secret.gif"_s, "GIF89a secret outside");
    startService();
    const auto fetch = [this](const QByteArray& t) {
        return rawExchange(
            m_service->port(), "GET " + t + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    };
    QCOMPARE(fetch("/survey.html").status, 200); // the same client can fetch a page
    const RawResponse r = fetch(target);
    QVERIFY2(r.status == 404 || r.status == 400, r.head.constData());
    QVERIFY(!r.body.isEmpty()); // a page that says what went wrong
    QVERIFY(!r.body.contains("secret outside"));
    QVERIFY(!r.body.contains("SQLite format 3"));
    QVERIFY(!r.body.contains("User Instruction"));
    QVERIFY(!r.body.contains("root:"));
    // The log line shows the path harmlessly, whatever it held.
    m_service->stop();
    for (const QByteArray& line : std::as_const(m_log))
        QVERIFY(!line.contains('\0') && !line.contains('\n'));
}

void TestCollectionService::busyPortIsAnError()
{
    startService();
    CollectionService second;
    second.setAnswersStore(m_folder->database());
    second.setLogSink([](const QByteArray&) {});
    const Result<void> started = second.start(m_folder->path(), u"127.0.0.1"_s, m_service->port());
    QVERIFY(started.failedWith(Error::Io));
    QVERIFY(started.error().detail.contains(QString::number(m_service->port())));
    QVERIFY(!second.isRunning());
    // The first one is untouched.
    QCOMPARE(TestClient(m_service->port()).get("/survey.html").status, 200);
}

void TestCollectionService::startsAgainAfterAStop()
{
    startService();
    // A page sent before the stop and sent again after it is stored once.
    const QString token = tokenIn(TestClient(m_service->port()).get("/survey.html").body);
    QVERIFY(!token.isEmpty());
    const Fields sent = answers(u"once"_s, u"x"_s) + Fields { { submissionTokenField(), token } };
    QCOMPARE(TestClient(m_service->port()).postForm(sent).status, 200);
    m_service->stop();
    QVERIFY(m_service->start(m_folder->path(), u"127.0.0.1"_s, 0));
    QCOMPARE(TestClient(m_service->port()).get("/survey.html").status, 200);
    QCOMPARE(TestClient(m_service->port()).postForm(sent).status, 200);
    QCOMPARE(rows().size(), 1);
    // The key is kept beside the answers, never shown as a form's table.
    QCOMPARE(openStore(m_folder->database())->tables().valueOr({}), QStringList { u"tbl_survey"_s });
}

// 8 clients post without pause; a column comes midway and is used at once;
// then the service stops under them. Bounded: 127.0.0.1, at most 60 s and
// 5000 posts a client.
void TestCollectionService::loadWithAColumnAddedMidwayAndAStop()
{
    constexpr int kClients = 8;
    startService();
    const quint16 port = m_service->port();
    std::atomic<int> done { 0 }, acknowledged { 0 }, failures { 0 }, withMoodAcknowledged { 0 };
    std::atomic<bool> columnAdded { false }, stopping { false };
    std::mutex sentMutex;
    QSet<QString> sentWithMood;
    std::vector<std::thread> clients;
    // A check that fails below returns at once: the clients stop and are
    // joined first, so the failure is reported instead of ending the run.
    const auto joinClients = qScopeGuard([&] {
        stopping = true;
        for (auto& t : clients) {
            if (t.joinable())
                t.join();
        }
    });
    for (int t = 0; t < kClients; ++t) {
        clients.emplace_back([&, t] {
            TestClient c(port);
            QElapsedTimer clock;
            clock.start();
            // Bounded by time alone: a count would let a fast service's
            // clients run out before the column is added, when adding it
            // waits for the writer's lock.
            for (int i = 0; clock.elapsed() < 120000 && !stopping.load(); ++i) {
                const QString id = u"%1-%2"_s.arg(t).arg(i);
                Fields fields = answers(id, u"load"_s);
                const bool withMood = columnAdded.load();
                if (withMood)
                    fields += { { u"Mood Type"_s, u"Text Field"_s }, { u"Mood"_s, id } };
                const bool ok = c.postForm(fields).status == 200;
                ++done;
                if (!ok && !stopping.load())
                    ++failures;
                if (ok)
                    ++acknowledged;
                if (ok && withMood) {
                    ++withMoodAcknowledged;
                    std::lock_guard lock(sentMutex);
                    sentWithMood.insert(id);
                }
            }
        });
    }
    QTRY_VERIFY_WITH_TIMEOUT(done.load() >= kClients * 75, 60000);
    // The designer adds the question: its column, then the form's files.
    QVERIFY(addQuestionColumn(m_folder->database(), u"tbl_survey"_s, u"Mood"_s));
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Café survey"_s)
                .textField(u"Name"_s)
                .textArea(u"Comments"_s)
                .checkBox(u"Tea"_s)
                .textField(u"Mood"_s)
                .submitButton()
                .writeFiles());
    // Servers on a database server look at a publication again after a second.
    if (TestProgramFolder::onServerStore())
        QTest::qWait(1100);
    columnAdded = true;
    QTRY_VERIFY_WITH_TIMEOUT(withMoodAcknowledged.load() >= kClients * 20, 60000);
    stopping = true;
    m_service->stop();
    for (auto& t : clients)
        t.join();

    QCOMPARE(failures.load(), 0);
    // Every acknowledged submission is stored once, and nothing else.
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), acknowledged.load());
    QSet<QString> names;
    for (const QVariantMap& row : stored) {
        const QString id = row.value(u"Name"_s).toString();
        names.insert(id);
        if (sentWithMood.contains(id))
            QCOMPARE(row.value(u"Mood"_s).toString(), id);
    }
    QCOMPARE(names.size(), stored.size());
    // The port is closed.
    QCOMPARE(rawExchange(port, "GET /survey.html HTTP/1.1\r\nHost: x\r\n\r\n", 1000).status, 0);
}

// Normal submissions, each on a new connection as a crowd of phones makes
// them, while 300 slowloris and 2,500 idle connections are held open. Bounded:
// a few seconds, 127.0.0.1 only.
void TestCollectionService::submissionsFlowUnderAttack()
{
    constexpr int kSlowloris = 300;
    constexpr int kIdle = 2500;
    constexpr int kClients = 4;
    constexpr int kEach = 250;
    // Both ends of every connection live in this process.
    rlimit limit {};
    QVERIFY(getrlimit(RLIMIT_NOFILE, &limit) == 0);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    QVERIFY(getrlimit(RLIMIT_NOFILE, &limit) == 0);
    if (limit.rlim_cur < rlim_t(2 * (kSlowloris + kIdle) + 256))
        QSKIP("this machine allows too few open files for the attack");
    startService();
    const quint16 port = m_service->port();
    std::vector<int> attackers;
    for (int i = 0; i < kSlowloris + kIdle; ++i) {
        attackers.push_back(openConnection(port));
        QVERIFY(attackers.back() >= 0);
        if (i < kSlowloris)
            ::send(attackers.back(), "POST /scripts/save.asp HTTP/1.1\r\nHost: x\r\n", 42, MSG_NOSIGNAL);
    }
    QTRY_VERIFY_WITH_TIMEOUT(m_service->connectionCount() >= kSlowloris + kIdle, 10000);
    std::atomic<bool> done { false };
    std::thread trickle([&] {
        for (int round = 0; !done && round < 60; ++round) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            for (int i = 0; i < kSlowloris; ++i)
                ::send(attackers[size_t(i)], "X-Slow: 1\r\n", 11, MSG_NOSIGNAL);
        }
    });
    std::mutex mutex;
    QList<qint64> latenciesUs;
    QSet<QString> acknowledged;
    std::vector<std::thread> clients;
    for (int t = 0; t < kClients; ++t) {
        clients.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                const QString id = u"%1-%2"_s.arg(t).arg(i);
                QElapsedTimer clock;
                clock.start();
                const RawResponse r = TestClient(port, 10000).postForm(answers(id, u"x"_s));
                std::lock_guard lock(mutex);
                latenciesUs.append(clock.nsecsElapsed() / 1000);
                if (r.status == 200)
                    acknowledged.insert(id);
            }
        });
    }
    for (auto& c : clients)
        c.join();
    // An idle connection's first request, late, is still answered.
    const RawResponse late = exchangeOn(attackers.back(), postOf(u"late"_s));
    // The attack was still on when the last submission was answered.
    const int stillOpen = m_service->connectionCount();
    done = true;
    trickle.join();
    for (int s : attackers)
        ::close(s);
    QCOMPARE(late.status, 200);
    QCOMPARE(acknowledged.size(), kClients * kEach);
    QVERIFY2(stillOpen >= kSlowloris + kIdle, QByteArray::number(stillOpen).constData());
    std::sort(latenciesUs.begin(), latenciesUs.end());
    const qint64 p99 = latenciesUs.at(qsizetype(latenciesUs.size() * 99 / 100));
    qInfo("p99 %.1f ms over %d submissions", p99 / 1000.0, int(latenciesUs.size()));
    // Not a speed target (the benchmarks hold those): submissions starved by
    // the attackers wait seconds, on a busy machine too; served ones do not.
    QVERIFY2(p99 < 2000000, QByteArray::number(p99).constData());
    // Every acknowledged submission stored exactly once.
    QSet<QString> stored;
    for (const QVariantMap& row : rows())
        stored.insert(row.value(u"Name"_s).toString());
    QCOMPARE(stored, acknowledged + QSet<QString> { u"late"_s });
    QCOMPARE(m_service->storedCount(), quint64(kClients * kEach + 1));
}

void TestCollectionService::deadlineAndCapBoundWhatClientsHold()
{
    HttpLimits limits;
    limits.requestDeadline = std::chrono::milliseconds(800);
    limits.maxConnections = 8;
    startService(CollectionService::defaultMaxBodySize, limits);
    const quint16 port = m_service->port();

    // One line every 200 ms never finishes the head: cut at the deadline, not kept alive by each line.
    const int slow = openConnection(port);
    QElapsedTimer clock;
    clock.start();
    bool cut = false;
    while (!cut && clock.elapsed() < 4000) {
        ::send(slow, clock.elapsed() == 0 ? "GET / HTTP/1.1\r\n" : "X-Slow: 1\r\n",
            clock.elapsed() == 0 ? 16 : 11, MSG_NOSIGNAL);
        cut = peerCloses(slow, 200);
    }
    QVERIFY(cut);
    QVERIFY2(
        clock.elapsed() >= 700 && clock.elapsed() < 2000, QByteArray::number(clock.elapsed()).constData());
    ::close(slow);

    // At the cap the longest idle connection makes room; the others stay.
    std::vector<int> idle;
    for (int i = 0; i < 8; ++i) {
        idle.push_back(openConnection(port));
        QTRY_COMPARE(m_service->connectionCount(), i + 1);
    }
    QCOMPARE(TestClient(port).get("/survey.html").status, 200);
    QVERIFY(peerCloses(idle.front(), 2000));
    for (size_t i = 1; i < idle.size(); ++i)
        QVERIFY(!peerCloses(idle.at(i), 10));
    for (int s : idle)
        ::close(s);
}

void TestCollectionService::abandonedSubmissionIsNotStored()
{
    if (TestProgramFolder::onServerStore())
        QSKIP("holds the embedded database's write lock");
    startService();
    // SQLite-only: a held write lock makes the submission wait while its
    // client gives up.
    WriteLock lock(m_folder->database());
    QVERIFY(lock.held());
    const int leaving = openConnection(m_service->port());
    const QByteArray post = postOf(u"gone"_s);
    QCOMPARE(::send(leaving, post.constData(), size_t(post.size()), MSG_NOSIGNAL), ssize_t(post.size()));
    QTest::qWait(300);
    ::close(leaving);
    QTest::qWait(300);
    lock.release();
    QCOMPARE(TestClient(m_service->port()).postForm(answers(u"stayed"_s, u"x"_s)).status, 200);
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().value(u"Name"_s).toString(), u"stayed"_s);
}

// The window's stop returns at once; the submission still waiting for the
// store is stored and answered before the stop ends.
void TestCollectionService::stopInBackgroundReturnsWhileASubmissionWaits()
{
    if (TestProgramFolder::onServerStore())
        QSKIP("holds the embedded database's write lock");
    startService();
    WriteLock lock(m_folder->database());
    QVERIFY(lock.held());
    const quint16 port = m_service->port();
    std::future<int> status = std::async(
        std::launch::async, [port] { return TestClient(port).postForm(answers(u"last"_s, u"x"_s)).status; });
    QTest::qWait(300); // the post waits in the writer
    std::atomic<bool> stopped { false };
    m_service->stopInBackground([&stopped] { stopped = true; });
    QVERIFY(!m_service->isRunning());
    QVERIFY(!stopped);
    lock.release();
    QTRY_VERIFY_WITH_TIMEOUT(stopped, 20000);
    QCOMPARE(status.get(), 200);
    QCOMPARE(rows().size(), 1);
}

void TestCollectionService::servesOverTls()
{
    QTemporaryDir keys;
    QString cert, key;
    QVERIFY(makeTestCertificate(keys.path(), &cert, &key));

    m_service = std::make_unique<CollectionService>();
    m_service->setAnswersStore(m_folder->database());
    m_service->setLogSink([](const QByteArray&) {});
    m_service->setTls(cert, cert); // a certificate is no key: refused at start, clearly
    const Result<void> refused = m_service->start(m_folder->path(), u"127.0.0.1"_s, 0);
    QVERIFY(!refused && refused.error().detail.contains(u"key"_s));
    m_service->setTls(cert, key);
    QVERIFY(m_service->start(m_folder->path(), u"127.0.0.1"_s, 0));
    QVERIFY(m_service->address().startsWith(u"https://127.0.0.1:"_s));

    QCOMPARE(tlsExchange(m_service->port(), postOf(u"secure"_s, "Connection: close\r\n")).status, 200);
    // Plain HTTP gets nothing on the TLS port.
    QCOMPARE(rawExchange(m_service->port(), "GET /survey.html HTTP/1.1\r\nHost: x\r\n\r\n", 2000).status, 0);
    QCOMPARE(rows().value(0).value(u"Name"_s).toString(), u"secure"_s);
}

// SQLite-only: the file size limit stands in for a full disk.
void TestCollectionService::healthSeesAFullDisk()
{
    if (TestProgramFolder::onServerStore())
        QSKIP("a database file");
    startService();
    TestClient c(m_service->port());
    QCOMPARE(c.get("/healthz").status, 200);
    {
        const FileSizeLimit full(1024);
        QCOMPARE(c.postForm(answers(u"lost"_s, u"x"_s)).status, 503);
        QCOMPARE(c.get("/healthz").status, 503);
    }
    QCOMPARE(c.get("/healthz").status, 200);
    QCOMPARE(c.postForm(answers(u"kept"_s, u"x"_s)).status, 200);
}

// On a database server reached through a relay: stalled, then down. No
// request waits for it on the service's I/O thread, nothing waits past the
// deadline, an outage is 503 with Retry-After (never 404), and a form known
// to be published is still served.
void TestCollectionService::aStoreThatStallsOrGoesAwayIsAnOutage()
{
    if (!TestProgramFolder::onServerStore())
        QSKIP("a database server");
    QVERIFY(FormBuilder(m_folder->path(), u"other"_s).textField(u"X"_s).write());
    QUrl location(m_folder->database());
    TcpRelay relay(quint16(location.port()));
    location.setPort(relay.port());
    HttpLimits limits;
    limits.requestDeadline = std::chrono::milliseconds(1500);
    startService(CollectionService::defaultMaxBodySize, limits, location.toString());
    const quint16 port = m_service->port();
    QCOMPARE(TestClient(port).get("/survey.html").status, 200);
    const Fields toOther
        = { { u"tableName"_s, u"tbl_other"_s }, { u"X Type"_s, u"Text Field"_s }, { u"X"_s, u"x"_s } };
    const auto isOutage
        = [](const RawResponse& r) { return r.status == 503 && !r.header("Retry-After").isEmpty(); };

    relay.setMode(TcpRelay::Stalled);
    QTest::qWait(1200); // past any freshness of what the service read before
    RawResponse stalledPost;
    std::jthread poster([&] { stalledPost = TestClient(port, 5000).postForm(toOther); });
    QTest::qWait(200);
    QCOMPARE(TestClient(port, 5000).get("/survey.html").status, 200);
    poster.join();
    QVERIFY(isOutage(stalledPost));
    QVERIFY(isOutage(TestClient(port, 5000).postForm(answers(u"stalled"_s, u"x"_s))));
    QCOMPARE(TestClient(port, 5000).get("/healthz").status, 503);

    relay.setMode(TcpRelay::Down);
    QCOMPARE(TestClient(port, 5000).get("/survey.html").status, 200);
    QVERIFY(isOutage(TestClient(port, 5000).postForm(answers(u"down"_s, u"x"_s))));
    // The store's forms were listed while it answered; a name it could not be asked about is an outage.
    QCOMPARE(TestClient(port, 5000).get("/other.html").status, 200);
    QVERIFY(isOutage(TestClient(port, 5000).get("/unheard.html")));
    QVERIFY(isOutage(TestClient(port, 5000).postForm(toOther)));
    QCOMPARE(TestClient(port, 5000).get("/healthz").status, 503);

    relay.setMode(TcpRelay::Passing);
    // Each refused post is stored nowhere, the first one taken once.
    int status = 0;
    for (int i = 0; i < 50 && status != 200; ++i, QTest::qWait(50))
        status = TestClient(port, 5000).postForm(answers(u"back"_s, u"x"_s)).status;
    QCOMPARE(status, 200);
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().value(u"Name"_s).toString(), u"back"_s);
}

// The service's parts borrow their connections from one pool: a connection
// given back is lent again, never to two borrowers at once, and one that
// failed or whose file was replaced is not.
void TestCollectionService::storeConnectionsAreLentAndKept()
{
    const QString location = m_folder->database();
    const std::shared_ptr<StorePool> pool = StorePool::shared(location);
    QCOMPARE(StorePool::shared(location), pool);
    AnswersStore* first = nullptr;
    {
        const auto a = pool->borrow();
        const auto b = pool->borrow();
        QVERIFY(a && b);
        first = a->get();
        QVERIFY(b->get() != first);
        QVERIFY((*a)->tableExists(u"tbl_survey"_s).valueOr(false));
    }
    QCOMPARE(pool->idleCount(), 2);
    {
        const auto again = pool->borrow();
        QVERIFY(again);
        QCOMPARE(pool->idleCount(), 1);
        StorePool::discard(*again);
    }
    QCOMPARE(pool->idleCount(), 1);
    if (isServerLocation(location))
        return;
    // The file replaced under the pool: the kept connection is to the old one.
    QVERIFY(QFile::remove(location));
    QVERIFY(createDatabase(location));
    const auto fresh = pool->borrow();
    QVERIFY(fresh);
    QVERIFY(!(*fresh)->replaced());
    QCOMPARE(pool->idleCount(), 0);
}

// 50 people from the North post at once: a quota of 2 takes exactly 2; the
// others get the page that says so, and the South is still answered.
void TestCollectionService::aQuotaOfTwoTakesExactlyTwo()
{
    FormSettings settings;
    settings.quotas = { { u"Region"_s, u"North"_s, 2 } };
    QVERIFY(FormBuilder(m_folder->path(), u"poll"_s)
                .title(u"Poll"_s)
                .settings(settings)
                .radioButtons(u"Region"_s, { u"North"_s, u"South"_s })
                .submitButton()
                .write());
    startService();
    const auto answer = [](const QString& region) {
        return Fields { { u"tableName"_s, u"tbl_poll"_s }, { u"Region Type"_s, u"Radio Buttons"_s },
            { u"Region"_s, region } };
    };
    std::atomic<int> stored = 0, refused = 0, other = 0;
    std::vector<std::thread> posts;
    for (int i = 0; i < 50; ++i) {
        posts.emplace_back([&] {
            const RawResponse r = TestClient(m_service->port()).postForm(answer(u"North"_s));
            if (r.status == 200)
                ++stored;
            else if (r.status == 403
                && r.body.contains(u"we already have enough answers from people like you."_s.toUtf8()))
                ++refused;
            else
                ++other;
        });
    }
    for (auto& t : posts)
        t.join();
    QCOMPARE(other.load(), 0);
    QCOMPARE(stored.load(), 2);
    QCOMPARE(refused.load(), 48);
    QCOMPARE(TestClient(m_service->port()).postForm(answer(u"South"_s)).status, 200);
    const auto counted = openStore(m_folder->database())
                             ->countMatches(u"tbl_poll"_s, u"Region"_s, { u"North"_s, u"South"_s });
    QCOMPARE(counted.valueOr({}), (QList<qint64> { 2, 1 }));
}

QTEST_GUILESS_MAIN(TestCollectionService)
#include "tst_CollectionService.moc"
