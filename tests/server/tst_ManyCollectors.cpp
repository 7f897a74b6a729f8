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
#include "model/FormSession.h"
#include "model/Publication.h"
#include "server/ListenAddress.h"
#include "server/RespondentPage.h"

#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <atomic>
#include <csignal>
#include <mutex>
#include <thread>

using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kTable = QStringLiteral("tbl_survey");

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
    QVERIFY((*store)->createTable(kTable, QStringLiteral("Form Question")));
    QVERIFY(AddAnswerColumn(
        { m_location, kTable, QStringLiteral("survey.html") }, QStringLiteral("Name"), false));

    // The designer publishes the form from its folder; the servers get no folder.
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(FormBuilder(m_folder->path(), QStringLiteral("survey"))
                .title(QStringLiteral("Staff"))
                .textField(QStringLiteral("Name"))
                .write());
    FormSession designer(m_folder->path());
    designer.setAnswersStore(m_location);
    const Result<QStringList> unpublished = publishAllForms(designer);
    QVERIFY(unpublished && unpublished->isEmpty());
}

bool TestManyCollectors::startServer(QProcess& process, quint16 port)
{
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
        { QStringLiteral("--database"), m_location, QStringLiteral("--listen"),
            QStringLiteral("127.0.0.1:%1").arg(port) });
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
    const QRegularExpressionMatch token
        = QRegularExpression(QStringLiteral("name=%1 value='([^']+)'").arg(submissionTokenField()))
              .match(QString::fromUtf8(page.body));
    QVERIFY(token.hasMatch());
    const QList<QPair<QString, QString>> answers = { { QStringLiteral("tableName"), kTable },
        { QStringLiteral("Name Type"), QStringLiteral("Text Field") },
        { QStringLiteral("Name"), QStringLiteral("sent twice") },
        { submissionTokenField(), token.captured(1) } };
    // Back, and send again, landing on the other server: stored once.
    QCOMPARE(TestClient(portB).postForm(answers).status, 200);
    QCOMPARE(TestClient(portA).postForm(answers).status, 200);
    int stored = 0;
    for (const AnswersStore::Row& row : rows({ QStringLiteral("Name") }))
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
                Sent s { QStringLiteral("client %1 post %2").arg(c).arg(n), false, columnAdded.load() };
                QList<QPair<QString, QString>> fields = { { QStringLiteral("tableName"), kTable },
                    { QStringLiteral("Name Type"), QStringLiteral("Text Field") },
                    { QStringLiteral("Name"), s.name } };
                if (s.afterColumn)
                    fields += { { QStringLiteral("Team Type"), QStringLiteral("Text Field") },
                        { QStringLiteral("Team"), s.name } };
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
    QVERIFY(AddAnswerColumn(
        { m_location, kTable, QStringLiteral("survey.html") }, QStringLiteral("Team"), false));
    FormBuilder teamForm(m_folder->path(), QStringLiteral("survey"));
    republish(teamForm.title(QStringLiteral("Staff"))
                  .textField(QStringLiteral("Name"))
                  .textField(QStringLiteral("Team")));
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
    for (const AnswersStore::Row& row : rows({ QStringLiteral("Name"), QStringLiteral("Team") })) {
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
        QVERIFY2(times.value(s.name) == 1,
            qPrintable(s.name + QStringLiteral(" was acknowledged but not stored")));
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
    const RawResponse page = TestClient(port).get("/survey.html");
    return QRegularExpression(QStringLiteral("name=%1 value='([^']+)'").arg(submissionTokenField()))
        .match(QString::fromUtf8(page.body))
        .captured(1);
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
    QVERIFY(store && (*store)->renameColumn(kTable, QStringLiteral("Name"), QStringLiteral("Full name")));
    FormBuilder renamed(m_folder->path(), QStringLiteral("survey"));
    QuestionSettings age;
    age.rules = { false, AnswerKind::WholeNumber, QStringLiteral("0"), QStringLiteral("120") };
    republish(renamed.title(QStringLiteral("Staff"))
                  .textField(QStringLiteral("Full name"))
                  .formerly(QStringLiteral("Name"))
                  .textField(QStringLiteral("Team"))
                  .textField(QStringLiteral("Age"))
                  .asks(age));
    QTest::qWait(1200); // each server looks at a publication again after a second
    // Its new rule holds on every server at once.
    for (const quint16 port : { portA, portB }) {
        QCOMPARE(TestClient(port)
                     .postForm({ { QStringLiteral("tableName"), kTable },
                         { QStringLiteral("Age Type"), QStringLiteral("Text Field") },
                         { QStringLiteral("Age"), QStringLiteral("130") } })
                     .status,
            422);
    }
    const QList<QPair<QString, QString>> old = { { QStringLiteral("tableName"), kTable },
        { QStringLiteral("Name Type"), QStringLiteral("Text Field") },
        { QStringLiteral("Name"), QStringLiteral("under the old name") },
        { submissionTokenField(), oldPage } };
    QCOMPARE(TestClient(portB).postForm(old).status, 200);
    bool found = false;
    for (const AnswersStore::Row& row : rows({ QStringLiteral("Full name") }))
        found = found || row.values.value(0).toString() == QLatin1String("under the old name");
    QVERIFY(found);

    const QString page = tokenOf(portB);
    const qint64 before = rows({}).size();
    std::atomic<int> thanked { 0 };
    std::vector<std::thread> senders;
    for (int i = 0; i < 2; ++i) {
        senders.emplace_back([&, i] {
            const QList<QPair<QString, QString>> fields = { { QStringLiteral("tableName"), kTable },
                { QStringLiteral("Full name Type"), QStringLiteral("Text Field") },
                { QStringLiteral("Full name"), QStringLiteral("correction %1").arg(i) },
                { submissionTokenField(), page } };
            thanked += TestClient(i ? portA : portB).postForm(fields).status == 200;
        });
    }
    for (std::thread& t : senders)
        t.join();
    QCOMPARE(thanked.load(), 2);
    const QList<AnswersStore::Row> after = rows({ QStringLiteral("Full name") });
    QCOMPARE(after.size(), before + 1);
    QVERIFY(after.last().values.value(0).toString().startsWith(QLatin1String("correction ")));
    a.terminate();
    b.terminate();
    QVERIFY(a.waitForFinished(10000) && b.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestManyCollectors)
#include "tst_ManyCollectors.moc"
