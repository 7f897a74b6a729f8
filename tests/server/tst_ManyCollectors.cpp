// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// Two quenlow-server processes on one PostgreSQL database, as behind a load
// balancer: they serve the forms the designer published there without any
// program folder, share the key of the page tokens, see a question added
// while they run, and lose no acknowledged answer when one is killed.
#include "ServerFixture.h"
#include "support/PostgresFixture.h"
#include "support/TestProgramFolder.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "model/FormSession.h"
#include "model/Publication.h"
#include "model/QuestionSettings.h"
#include "server/ListenAddress.h"
#include "server/RespondentPage.h"

#include <QHash>
#include <QProcess>
#include <QTest>

#include <atomic>
#include <csignal>
#include <mutex>
#include <thread>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

// A participant as the designer adds them.
Participant invitee(
    const QString& code, const QString& name, QList<std::pair<QString, QString>> attributes = {})
{
    Participant p;
    p.code = code;
    p.name = name;
    p.attributes = std::move(attributes);
    return p;
}

const QString kTable = u"tbl_survey"_s;

struct Sent {
    QString name;
    bool acknowledged = false;
    bool afterColumn = false; // sent once the column "Team" was there
};

} // namespace

class TestManyCollectors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aPageFromOneServerIsAnsweredThroughTheOther();
    void acknowledgedAnswersAreStoredOnceThroughAKill();
    void aRenameAndCorrectionsReachEveryServer();
    void aPublishedGridIsHeldRowByRow();
    void aQuotaHoldsAcrossServers();
    void oneCodeRacingThroughBothServersIsTakenOnce();

private:
    bool startServer(QProcess& process, quint16 port);
    /// The form's questions as the designer changes them, published anew.
    void republish(FormBuilder& form);
    QString tokenOf(quint16 port);
    QList<AnswersStore::Row> rows(const QStringList& columns);

    std::unique_ptr<TestProgramFolder> m_folder;
    QString m_location;
};

void TestManyCollectors::initTestCase()
{
    QString why;
    m_location = freshPostgresLocation(&why);
    QVERIFY2(!m_location.isEmpty(), qPrintable(why));
    auto store = createAnswersStore(m_location);
    QVERIFY2(store, qPrintable(store ? QString() : store.error().detail));
    QVERIFY((*store)->createTable(kTable, u"Form Question"_s));
    QVERIFY(addAnswerColumn({ m_location, kTable, u"survey.html"_s }, u"Name"_s, false));

    // The designer publishes the form from its folder; the servers get no folder.
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s).title(u"Staff"_s).textField(u"Name"_s).write());
    FormSession designer(m_folder->path());
    designer.setAnswersStore(m_location);
    const Result<QStringList> unpublished = publishAllForms(designer);
    QVERIFY(unpublished && unpublished->isEmpty());
}

bool TestManyCollectors::startServer(QProcess& process, quint16 port)
{
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
        { u"--database"_s, m_location, u"--listen"_s, u"127.0.0.1:%1"_s.arg(port) });
    QByteArray said;
    for (int i = 0; i < 100 && !said.contains("collecting answers"); ++i) {
        process.waitForReadyRead(100);
        said += process.readAllStandardError();
        if (process.state() != QProcess::Running)
            break;
    }
    if (!said.contains("collecting answers"))
        qWarning("quenlow-server said: %s", said.constData());
    return said.contains("collecting answers");
}

QList<AnswersStore::Row> TestManyCollectors::rows(const QStringList& columns)
{
    QList<AnswersStore::Row> all;
    auto store = openAnswersStore(m_location);
    for (qint64 after = -1; store;) {
        const auto page = (*store)->readRows(kTable, columns, after, 1000);
        if (!page || page->isEmpty())
            break;
        all += *page;
        after = page->last().id;
    }
    return all;
}

void TestManyCollectors::aPageFromOneServerIsAnsweredThroughTheOther()
{
    const quint16 portA = freeLoopbackPort(), portB = freeLoopbackPort();
    QProcess a, b;
    QVERIFY(startServer(a, portA));
    QVERIFY(startServer(b, portB));

    const RawResponse page = TestClient(portA).get("/survey.html");
    QCOMPARE(page.status, 200);
    QVERIFY(page.body.contains("Staff"));
    const QString token = tokenIn(page.body);
    QVERIFY(!token.isEmpty());
    const QList<QPair<QString, QString>> answers
        = { { u"tableName"_s, kTable }, { u"Name Type"_s, u"Text Field"_s }, { u"Name"_s, u"sent twice"_s },
              { submissionTokenField(), token } };
    // Back, and send again, landing on the other server: stored once.
    QCOMPARE(TestClient(portB).postForm(answers).status, 200);
    QCOMPARE(TestClient(portA).postForm(answers).status, 200);
    int stored = 0;
    for (const AnswersStore::Row& row : rows({ u"Name"_s }))
        stored += row.values.value(0).toString() == QLatin1String("sent twice");
    QCOMPARE(stored, 1);
    QCOMPARE(TestClient(portB).get("/nothing.html").status, 404);
    a.terminate();
    b.terminate();
    QVERIFY(a.waitForFinished(10000) && b.waitForFinished(10000));
}

void TestManyCollectors::acknowledgedAnswersAreStoredOnceThroughAKill()
{
    const quint16 ports[2] = { freeLoopbackPort(), freeLoopbackPort() };
    QProcess servers[2];
    QVERIFY(startServer(servers[0], ports[0]));
    QVERIFY(startServer(servers[1], ports[1]));

    std::atomic<bool> columnAdded { false }, stop { false };
    std::mutex mutex;
    QList<Sent> sent;
    std::vector<std::thread> clients;
    for (int c = 0; c < 4; ++c) {
        clients.emplace_back([&, c] {
            QList<Sent> mine;
            for (int n = 0; !stop; ++n) {
                Sent s { u"client %1 post %2"_s.arg(c).arg(n), false, columnAdded.load() };
                QList<QPair<QString, QString>> fields = { { u"tableName"_s, kTable },
                    { u"Name Type"_s, u"Text Field"_s }, { u"Name"_s, s.name } };
                if (s.afterColumn)
                    fields += { { u"Team Type"_s, u"Text Field"_s }, { u"Team"_s, s.name } };
                // Each post to the other server in turn, on a connection of its own.
                TestClient client(ports[(c + n) % 2], 5000);
                s.acknowledged = client.postForm(fields).status == 200;
                mine.append(s);
            }
            std::lock_guard lock(mutex);
            sent += mine;
        });
    }
    const auto wait = [](int ms) { QTest::qWait(ms); };
    wait(700);
    // The designer adds a question while both servers take answers.
    QVERIFY(addAnswerColumn({ m_location, kTable, u"survey.html"_s }, u"Team"_s, false));
    FormBuilder teamForm(m_folder->path(), u"survey"_s);
    republish(teamForm.title(u"Staff"_s).textField(u"Name"_s).textField(u"Team"_s));
    columnAdded = true;
    wait(500);
    // A server that ended already has no process: kill(0) would end this test's whole group.
    QVERIFY2(servers[0].state() == QProcess::Running && servers[0].processId() > 0,
        servers[0].readAllStandardError().constData());
    ::kill(pid_t(servers[0].processId()), SIGKILL);
    QVERIFY(servers[0].waitForFinished(5000));
    wait(500);
    QVERIFY(startServer(servers[0], ports[0]));
    wait(700);
    stop = true;
    for (std::thread& t : clients)
        t.join();
    for (QProcess& server : servers) {
        server.terminate();
        QVERIFY(server.waitForFinished(10000));
    }

    QHash<QString, int> times;
    QHash<QString, QString> teamOf;
    for (const AnswersStore::Row& row : rows({ u"Name"_s, u"Team"_s })) {
        const QString name = row.values.value(0).toString();
        ++times[name];
        teamOf.insert(name, row.values.value(1).toString());
    }
    int acknowledged = 0, refused = 0, withTeam = 0;
    for (const Sent& s : std::as_const(sent)) {
        // Unacknowledged posts (to the killed server) may or may not be stored, never twice.
        QVERIFY2(times.value(s.name) <= 1, qPrintable(s.name));
        if (!s.acknowledged) {
            ++refused;
            continue;
        }
        ++acknowledged;
        QVERIFY2(times.value(s.name) == 1, qPrintable(s.name + u" was acknowledged but not stored"_s));
        if (s.afterColumn) {
            QCOMPARE(teamOf.value(s.name), s.name);
            ++withTeam;
        }
    }
    qInfo("%d posts acknowledged, %d not (sent to the server while it was down), %d with the new question",
        acknowledged, refused, withTeam);
    QVERIFY(acknowledged > 100);
    QVERIFY(refused > 0);
    QVERIFY(withTeam > 0);
}

void TestManyCollectors::republish(FormBuilder& form)
{
    QVERIFY(form.writeFiles());
    FormSession designer(m_folder->path());
    designer.setAnswersStore(m_location);
    const Result<QStringList> unpublished = publishAllForms(designer);
    QVERIFY(unpublished && unpublished->isEmpty());
}

QString TestManyCollectors::tokenOf(quint16 port)
{
    return tokenIn(TestClient(port).get("/survey.html").body);
}

// A page sent before the designer renamed its question is answered through
// another server: the answer lands in the renamed column. Two corrections
// of one page racing through both servers leave one row.
void TestManyCollectors::aRenameAndCorrectionsReachEveryServer()
{
    const quint16 portA = freeLoopbackPort(), portB = freeLoopbackPort();
    QProcess a, b;
    QVERIFY(startServer(a, portA));
    QVERIFY(startServer(b, portB));
    const QString oldPage = tokenOf(portA);
    QVERIFY(!oldPage.isEmpty());

    auto store = openAnswersStore(m_location);
    QVERIFY(store && (*store)->renameColumn(kTable, u"Name"_s, u"Full name"_s));
    FormBuilder renamed(m_folder->path(), u"survey"_s);
    republish(renamed.title(u"Staff"_s)
                  .textField(u"Full name"_s)
                  .formerly(u"Name"_s)
                  .textField(u"Team"_s)
                  .textField(u"Age"_s)
                  .asks(false, AnswerKind::WholeNumber, u"0"_s, u"120"_s));
    QTest::qWait(1200); // each server looks at a publication again after a second
    // Its new rule holds on every server at once.
    for (const quint16 port : { portA, portB }) {
        QCOMPARE(TestClient(port)
                     .postForm({ { u"tableName"_s, kTable }, { u"Age Type"_s, u"Text Field"_s },
                         { u"Age"_s, u"130"_s } })
                     .status,
            422);
    }
    const QList<QPair<QString, QString>> old
        = { { u"tableName"_s, kTable }, { u"Name Type"_s, u"Text Field"_s },
              { u"Name"_s, u"under the old name"_s }, { submissionTokenField(), oldPage } };
    QCOMPARE(TestClient(portB).postForm(old).status, 200);
    bool found = false;
    for (const AnswersStore::Row& row : rows({ u"Full name"_s }))
        found = found || row.values.value(0).toString() == QLatin1String("under the old name");
    QVERIFY(found);

    const QString page = tokenOf(portB);
    const qint64 before = rows({}).size();
    std::atomic<int> thanked { 0 };
    std::vector<std::thread> senders;
    for (int i = 0; i < 2; ++i) {
        senders.emplace_back([&, i] {
            const QList<QPair<QString, QString>> fields
                = { { u"tableName"_s, kTable }, { u"Full name Type"_s, u"Text Field"_s },
                      { u"Full name"_s, u"correction %1"_s.arg(i) }, { submissionTokenField(), page } };
            thanked += TestClient(i ? portA : portB).postForm(fields).status == 200;
        });
    }
    for (std::thread& t : senders)
        t.join();
    QCOMPARE(thanked.load(), 2);
    const QList<AnswersStore::Row> after = rows({ u"Full name"_s });
    QCOMPARE(after.size(), before + 1);
    QVERIFY(after.last().values.value(0).toString().startsWith(QLatin1String("correction ")));
    a.terminate();
    b.terminate();
    QVERIFY(a.waitForFinished(10000) && b.waitForFinished(10000));
}

// A grid published on the database server: its statements are held by a
// server with no folder as on disk, a required one refusing a post that
// leaves one out, and stored one column each.
void TestManyCollectors::aPublishedGridIsHeldRowByRow()
{
    const QStringList statements { u"Clear goals"_s, u"Fair workload"_s };
    QuestionSettings required;
    required.rules.required = true;
    QVERIFY(FormBuilder(m_folder->path(), u"staff"_s)
                .title(u"Staff Grid"_s)
                .answersIn(m_location)
                .grid(u"How satisfied are you?"_s, { statements, gridPresetAnswers(GridPreset::Satisfied) })
                .asks(required)
                .submitButton()
                .write());
    FormSession designer(m_folder->path());
    designer.setAnswersStore(m_location);
    const Result<QStringList> unpublished = publishAllForms(designer);
    QVERIFY(unpublished && unpublished->isEmpty());
    const quint16 port = freeLoopbackPort();
    QProcess server;
    QVERIFY(startServer(server, port));
    const RawResponse page = TestClient(port).get("/staff.html");
    QCOMPARE(page.status, 200);
    QVERIFY(page.body.contains("<legend>Fair workload</legend>"));
    const QString token = tokenIn(page.body);
    QList<QPair<QString, QString>> answers = { { u"tableName"_s, u"tbl_staff"_s },
        { u"Clear goals Type"_s, u"Grid"_s }, { u"Clear goals"_s, u"Satisfied"_s },
        { u"Fair workload Type"_s, u"Grid"_s }, { submissionTokenField(), token } };
    const RawResponse refused = TestClient(port).postForm(answers);
    QCOMPARE(refused.status, 422);
    QVERIFY(refused.body.contains("Please answer every row."));
    answers.append({ u"Fair workload"_s, u"Very dissatisfied"_s });
    QCOMPARE(TestClient(port).postForm(answers).status, 200);
    server.terminate();
    QVERIFY(server.waitForFinished(10000));
    auto store = openAnswersStore(m_location);
    QVERIFY(store);
    const auto stored = (*store)->readRows(u"tbl_staff"_s, statements, -1, 10);
    QVERIFY(stored && stored->size() == 1);
    QCOMPARE(stored->constFirst().values.value(0).toString(), u"Satisfied"_s);
    QCOMPARE(stored->constFirst().values.value(1).toString(), u"Very dissatisfied"_s);
}

// Two servers, 50 people from the North posting at once through either: a
// quota of 2 published with the form takes exactly 2, counted one server
// after the other; a page sent again that stays in the full quota is
// thanked, one that moves into it is refused and keeps its answer.
void TestManyCollectors::aQuotaHoldsAcrossServers()
{
    FormSettings settings;
    settings.quotas = { { u"Region"_s, u"North"_s, 2 } };
    FormBuilder poll(m_folder->path(), u"poll"_s);
    poll.databaseLocation(m_location)
        .answersIn(m_location)
        .title(u"Poll"_s)
        .settings(settings)
        .radioButtons(u"Region"_s, { u"North"_s, u"South"_s })
        .submitButton();
    QVERIFY(poll.write());
    const quint16 ports[2] = { freeLoopbackPort(), freeLoopbackPort() };
    QProcess servers[2];
    QVERIFY(startServer(servers[0], ports[0]));
    QVERIFY(startServer(servers[1], ports[1]));
    const auto answer = [](const QString& region, const QString& token = {}) {
        QList<QPair<QString, QString>> fields { { u"tableName"_s, u"tbl_poll"_s },
            { u"Region Type"_s, u"Radio Buttons"_s }, { u"Region"_s, region } };
        if (!token.isEmpty())
            fields.append({ submissionTokenField(), token });
        return fields;
    };
    const QString kept = tokenIn(TestClient(ports[0]).get("/poll.html").body);
    QCOMPARE(TestClient(ports[1]).postForm(answer(u"North"_s, kept)).status, 200);
    std::atomic<int> stored = 0, refused = 0;
    std::vector<std::thread> posts;
    for (int i = 0; i < 50; ++i) {
        posts.emplace_back([&, i] {
            const RawResponse r = TestClient(ports[i % 2]).postForm(answer(u"North"_s));
            ++(r.status == 200 ? stored : r.status == 403 ? refused : stored);
        });
    }
    for (auto& t : posts)
        t.join();
    QCOMPARE(stored.load(), 1);
    QCOMPARE(refused.load(), 49);
    QCOMPARE(TestClient(ports[0]).postForm(answer(u"North"_s, kept)).status, 200);

    const QString token = tokenIn(TestClient(ports[0]).get("/poll.html").body);
    QVERIFY(!token.isEmpty());
    QCOMPARE(TestClient(ports[1]).postForm(answer(u"South"_s, token)).status, 200);
    const RawResponse moved = TestClient(ports[0]).postForm(answer(u"North"_s, token));
    QCOMPARE(moved.status, 403);
    QVERIFY(moved.body.contains("people like you"));
    const auto counted = (*openAnswersStore(m_location))
                             ->countMatches(u"tbl_poll"_s, u"Region"_s, { u"North"_s, u"South"_s });
    QCOMPARE(counted.valueOr({}), (QList<qint64> { 2, 1 }));
    for (QProcess& server : servers) {
        server.terminate();
        QVERIFY(server.waitForFinished(10000));
    }
}

// One code sent many times at once through both servers: an anonymous
// form stores one answer and refuses every other post; a named one stores
// one row, each post after the first replacing its answers.
void TestManyCollectors::oneCodeRacingThroughBothServersIsTakenOnce()
{
    for (const bool anonymous : { true, false }) {
        const QString form = anonymous ? u"secret"_s : u"named"_s;
        const QString table = u"tbl_"_s + form;
        FormSettings settings;
        settings.invitedOnly = true;
        settings.anonymousAnswers = anonymous;
        QVERIFY(FormBuilder(m_folder->path(), form)
                    .answersIn(m_location)
                    .settings(settings)
                    .textField(u"Name"_s)
                    .write());
        FormSession designer(m_folder->path());
        designer.setAnswersStore(m_location);
        const Result<QStringList> unpublished = publishAllForms(designer);
        QVERIFY(unpublished && unpublished->isEmpty());
        auto store = openAnswersStore(m_location);
        QVERIFY(store);
        QVERIFY(addParticipants(**store, table, { invitee(u"ACDE3479"_s, u"Ann"_s) }));

        const quint16 ports[] = { freeLoopbackPort(), freeLoopbackPort() };
        QProcess a, b;
        QVERIFY(startServer(a, ports[0]));
        QVERIFY(startServer(b, ports[1]));
        std::atomic<int> stored { 0 }, refused { 0 }, other { 0 };
        std::vector<std::thread> clients;
        for (int c = 0; c < 16; ++c) {
            clients.emplace_back([&, c] {
                const int status
                    = TestClient(ports[c % 2], 10000)
                          .postForm({ { u"tableName"_s, table }, { u"participantCode"_s, u"ACDE3479"_s },
                              { u"Name Type"_s, u"Text Field"_s }, { u"Name"_s, u"try %1"_s.arg(c) } })
                          .status;
                ++(status == 200 ? stored : status == 403 ? refused : other);
            });
        }
        for (std::thread& t : clients)
            t.join();
        QCOMPARE(other.load(), 0);
        QCOMPARE(stored.load(), anonymous ? 1 : 16);
        QCOMPARE(refused.load(), anonymous ? 15 : 0);
        QCOMPARE((*store)->rowCount(table).valueOr(-1), 1);
        a.terminate();
        b.terminate();
        QVERIFY(a.waitForFinished(10000) && b.waitForFinished(10000));
    }
}

QTEST_GUILESS_MAIN(TestManyCollectors)
#include "tst_ManyCollectors.moc"
