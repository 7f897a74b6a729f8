// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// The service's threads stop within their deadlines and are joined, also
// when the PostgreSQL server stops answering in the middle of a call (its
// backends are frozen with SIGSTOP), and the shared clock keeps its word.
#include "ServerFixture.h"
#include "support/FormBuilder.h"
#include "support/PostgresFixture.h"
#include "support/TestProgramFolder.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/FormSession.h"
#include "model/Publication.h"
#include "server/AnswerWriter.h"
#include "server/CollectionService.h"
#include "server/ServiceClock.h"
#include "server/StoreExecutor.h"

#include <QProcess>
#include <QTest>

#include <atomic>
#include <csignal>
#include <future>
#include <mutex>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kTable = u"tbl_survey"_s;
// Far above any deadline given below: only a stop that hangs exceeds it.
constexpr auto kGenerous = std::chrono::seconds(30);

Submission named(const QString& name)
{
    Submission s;
    s.table = kTable;
    s.answers = { { u"Name"_s, name } };
    return s;
}

// Every backend serving one database of the test cluster, held still and let go again.
class FrozenDatabase
{
public:
    explicit FrozenDatabase(const QString& location)
    {
        const qsizetype slash = location.lastIndexOf(QLatin1Char('/'));
        const QString database = location.mid(slash + 1);
        QProcess psql;
        psql.start(u"psql"_s,
            { location.left(slash) + u"/postgres"_s, u"-Atc"_s,
                u"SELECT pid FROM pg_stat_activity WHERE datname = '%1'"_s.arg(database) });
        if (!psql.waitForFinished(10000) || psql.exitCode() != 0)
            return;
        for (const QByteArray& line : psql.readAllStandardOutput().split('\n')) {
            bool ok = false;
            const pid_t pid = pid_t(line.trimmed().toInt(&ok));
            if (ok && ::kill(pid, SIGSTOP) == 0)
                m_pids.append(pid);
        }
    }
    ~FrozenDatabase() { resume(); }
    bool frozen() const { return !m_pids.isEmpty(); }
    void resume()
    {
        for (const pid_t pid : std::as_const(m_pids))
            ::kill(pid, SIGCONT);
        m_pids.clear();
    }

private:
    QList<pid_t> m_pids;
};

} // namespace

class TestServiceThreads : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void theClockCallsWhatIsDueAndNothingCancelled();
    void theWriterStopsWithinItsDeadlineOnAFrozenStore();
    void theExecutorStopsWithinItsDeadlineOnAFrozenStore();
    void theServiceAnswersAndStopsOnAFrozenStore();

private:
    QString m_location;
};

void TestServiceThreads::init()
{
    QString why;
    m_location = freshPostgresLocation(&why);
    QVERIFY2(!m_location.isEmpty(), qPrintable(why));
    auto store = createAnswersStore(m_location);
    QVERIFY2(store, qPrintable(store ? QString() : store.error().detail));
    QVERIFY((*store)->createTable(kTable, u"Form Question"_s));
    QVERIFY(addAnswerColumn({ m_location, kTable, u"survey.html"_s }, u"Name"_s, false));
}

void TestServiceThreads::theClockCallsWhatIsDueAndNothingCancelled()
{
    ServiceClock clock;
    std::atomic<int> once { 0 }, cancelled { 0 }, repeated { 0 }, later { 0 };
    clock.after(std::chrono::milliseconds(10), [&] { ++once; });
    clock.cancel(clock.after(std::chrono::milliseconds(20), [&] { ++cancelled; }));
    // A repeated call that cancels itself from its third turn on.
    ServiceClock::Key every = 0;
    std::mutex keyMutex;
    {
        std::lock_guard lock(keyMutex);
        every = clock.every(std::chrono::milliseconds(5), [&] {
            if (++repeated == 3) {
                std::lock_guard inner(keyMutex);
                clock.cancel(every);
            }
        });
    }
    clock.after(std::chrono::hours(1), [&] { ++later; });
    QTRY_COMPARE(once.load(), 1);
    QTRY_COMPARE(repeated.load(), 3);
    // Long past the cancelled call's time and the repeated one's next turns.
    QTest::qWait(100);
    QCOMPARE(cancelled.load(), 0);
    QCOMPARE(repeated.load(), 3);
    QCOMPARE(once.load(), 1);
    // What is not due goes with the clock, uncalled, and nothing is scheduled after.
    clock.stop();
    QCOMPARE(later.load(), 0);
    QCOMPARE(clock.after(std::chrono::milliseconds(0), [&] { ++once; }), ServiceClock::Key(0));
}

void TestServiceThreads::theWriterStopsWithinItsDeadlineOnAFrozenStore()
{
    AnswerWriter writer(m_location);
    QVERIFY(writer.start());
    QVERIFY(writer.write(named(u"before"_s))); // its connection is open and used
    writer.setStopDeadline(std::chrono::milliseconds(300));

    FrozenDatabase frozen(m_location);
    if (!frozen.frozen())
        QSKIP("the test cluster's backends cannot be signalled from here");
    std::promise<WriteResult> waiting;
    writer.writeAsync(named(u"during"_s), [&waiting](const WriteResult& r) { waiting.set_value(r); });
    auto stopped = std::async(std::launch::async, [&writer] { return writer.stop(); });
    if (stopped.wait_for(kGenerous) != std::future_status::ready) {
        frozen.resume(); // lets the old writer end, so the failure is reported rather than hung
        QFAIL("the writer did not stop while the store did not answer");
    }
    const Result<void> outcome = stopped.get();
    frozen.resume();
    // The submission that waited is answered as not stored, and the stop says so.
    const WriteResult during = waiting.get_future().get();
    QVERIFY(!during);
    QVERIFY(during.failedWith(Error::Io));
    QVERIFY(!outcome);
    QVERIFY2(outcome.error().detail.startsWith(u"1 submissions were not confirmed as stored"_s),
        qPrintable(outcome.error().detail));
}

void TestServiceThreads::theExecutorStopsWithinItsDeadlineOnAFrozenStore()
{
    // One thread, held by the task that waits on the store: what comes after it waits its turn.
    StoreExecutor executor(m_location, 1);
    std::promise<void> connected;
    std::promise<Result<qint64>> counted;
    std::promise<void> go;
    std::shared_future<void> goSignal = go.get_future().share();
    executor.post([&] {
        auto store = executor.borrow();
        connected.set_value();
        goSignal.wait();
        counted.set_value(store ? (*store)->rowCount(kTable) : Result<qint64>(store.error()));
    });
    connected.get_future().wait();
    FrozenDatabase frozen(m_location);
    if (!frozen.frozen()) {
        go.set_value();
        QSKIP("the test cluster's backends cannot be signalled from here");
    }
    std::atomic<bool> laterRan { false };
    go.set_value();
    auto stopped = std::async(std::launch::async, [&] {
        // Posted while one is stuck: dropped, never run.
        executor.post([&] { laterRan = true; });
        executor.stop(std::chrono::milliseconds(300));
    });
    if (stopped.wait_for(kGenerous) != std::future_status::ready) {
        frozen.resume();
        QFAIL("the executor did not stop while the store did not answer");
    }
    frozen.resume();
    const Result<qint64> count = counted.get_future().get();
    QVERIFY(!count);
    QVERIFY(!laterRan);
    // A task of a stopped executor gets no connection.
    QVERIFY(executor.borrow().failedWith(Error::Cancelled));
    QVERIFY(!executor.post([] {}));
}

void TestServiceThreads::theServiceAnswersAndStopsOnAFrozenStore()
{
    // The designer publishes the form into the store; the service serves it from there.
    TestProgramFolder folder;
    QVERIFY(FormBuilder(folder.path(), u"survey"_s).title(u"Staff"_s).textField(u"Name"_s).write());
    FormSession designer(folder.path());
    designer.setAnswersStore(m_location);
    const Result<QStringList> unpublished = publishAllForms(designer);
    QVERIFY(unpublished && unpublished->isEmpty());

    CollectionService service;
    service.setAnswersStore(m_location);
    HttpLimits limits;
    limits.requestDeadline = std::chrono::milliseconds(1000);
    service.setLimits(limits);
    std::mutex linesMutex;
    QByteArrayList lines;
    service.setLogSink([&](const QByteArray& line) {
        std::lock_guard lock(linesMutex);
        lines.append(line);
    });
    QVERIFY(service.start(folder.path(), u"127.0.0.1"_s, 0));
    const QByteArray body = urlEncoded({ { u"tableName"_s, u"tbl_survey"_s },
        { u"Name Type"_s, u"Text Field"_s }, { u"Name"_s, u"first"_s } });
    const QByteArray post = "POST /scripts/save.asp HTTP/1.1\r\nHost: x\r\n"
                            "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    QCOMPARE(rawExchange(service.port(), post).status, 200); // the store answers, its connections are open

    FrozenDatabase frozen(m_location);
    if (!frozen.frozen())
        QSKIP("the test cluster's backends cannot be signalled from here");
    // The person is answered by the post's deadline, not by the store.
    const RawResponse held = rawExchange(service.port(), post, 20000);
    QCOMPARE(held.status, 503);
    QCOMPARE(held.header("Retry-After"), QByteArray("30"));
    auto stopped = std::async(std::launch::async, [&service] { service.stop(); });
    if (stopped.wait_for(kGenerous) != std::future_status::ready) {
        frozen.resume();
        QFAIL("the service did not stop while the store did not answer");
    }
    frozen.resume();
    QVERIFY(!service.isRunning());
    // The submission the writer could not confirm is told of in the log.
    std::lock_guard lock(linesMutex);
    QVERIFY2(std::any_of(lines.cbegin(), lines.cend(),
                 [](const QByteArray& line) { return line.startsWith("1 submissions were not confirmed"); }),
        lines.join('\n').constData());
}

QTEST_GUILESS_MAIN(TestServiceThreads)
#include "tst_ServiceThreads.moc"
