// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// Two quenlow-server processes on one PostgreSQL database, as behind a load
// balancer: they serve the forms the designer published there without any
// program folder, share the key of the page tokens, see a question added
// while they run, and lose no acknowledged answer when one is killed.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"
#include "support/PostgresFixture.h"

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

private:
    bool startServer(QProcess& process, quint16 port);
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
    QVERIFY(AddAnswerColumn({m_location, kTable, QStringLiteral("survey.html")}, QStringLiteral("Name"), false));

    // The designer publishes the form from its folder; the servers get no folder.
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(FormBuilder(m_folder->path(), QStringLiteral("survey")).title(QStringLiteral("Staff")).textField(QStringLiteral("Name")).write());
    FormSession designer(m_folder->path());
    designer.setAnswersStore(m_location);
    const Result<QStringList> unpublished = publishAllForms(designer);
    QVERIFY(unpublished && unpublished->isEmpty());
}

bool TestManyCollectors::startServer(QProcess& process, quint16 port)
{
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
                  {QStringLiteral("--database"), m_location, QStringLiteral("--listen"),
                   QStringLiteral("127.0.0.1:%1").arg(port)});
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
    const QList<QPair<QString, QString>> answers = {{QStringLiteral("tableName"), kTable},
                                                    {QStringLiteral("Name Type"), QStringLiteral("Text Field")},
                                                    {QStringLiteral("Name"), QStringLiteral("sent twice")},
                                                    {submissionTokenField(), token.captured(1)}};
    // Back, and send again, landing on the other server: stored once.
    QCOMPARE(TestClient(portB).postForm(answers).status, 200);
    QCOMPARE(TestClient(portA).postForm(answers).status, 200);
    int stored = 0;
    for (const AnswersStore::Row& row : rows({QStringLiteral("Name")}))
        stored += row.values.value(0).toString() == QLatin1String("sent twice");
    QCOMPARE(stored, 1);
    QCOMPARE(TestClient(portB).get("/nothing.html").status, 404);
    a.terminate();
    b.terminate();
    QVERIFY(a.waitForFinished(10000) && b.waitForFinished(10000));
}

void TestManyCollectors::acknowledgedAnswersAreStoredOnceThroughAKill()
{
    const quint16 ports[2] = {freeLoopbackPort(), freeLoopbackPort()};
    QProcess servers[2];
    QVERIFY(startServer(servers[0], ports[0]));
    QVERIFY(startServer(servers[1], ports[1]));

    std::atomic<bool> columnAdded{false}, stop{false};
    std::mutex mutex;
    QList<Sent> sent;
    std::vector<std::thread> clients;
    for (int c = 0; c < 4; ++c) {
        clients.emplace_back([&, c] {
            QList<Sent> mine;
            for (int n = 0; !stop; ++n) {
                Sent s{QStringLiteral("client %1 post %2").arg(c).arg(n), false, columnAdded.load()};
                QList<QPair<QString, QString>> fields = {{QStringLiteral("tableName"), kTable},
                                                         {QStringLiteral("Name Type"), QStringLiteral("Text Field")},
                                                         {QStringLiteral("Name"), s.name}};
                if (s.afterColumn)
                    fields += {{QStringLiteral("Team Type"), QStringLiteral("Text Field")}, {QStringLiteral("Team"), s.name}};
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
    QVERIFY(AddAnswerColumn({m_location, kTable, QStringLiteral("survey.html")}, QStringLiteral("Team"), false));
    columnAdded = true;
    wait(500);
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
    for (const AnswersStore::Row& row : rows({QStringLiteral("Name"), QStringLiteral("Team")})) {
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
        QVERIFY2(times.value(s.name) == 1, qPrintable(s.name + QStringLiteral(" was acknowledged but not stored")));
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

QTEST_GUILESS_MAIN(TestManyCollectors)
#include "tst_ManyCollectors.moc"
