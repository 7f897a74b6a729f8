// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// quenlow-server as a program: its arguments, its log, its signals, and
// what a kill after an acknowledgement leaves behind.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include <QProcess>
#include <QTest>

#include "server/ListenAddress.h"

#include <unistd.h>

#include <csignal>

using namespace quenlow;
using namespace quenlow::test;

namespace {

QByteArray answersFor(const QString& name)
{
    return urlEncoded({ { QStringLiteral("tableName"), QStringLiteral("tbl_survey") },
        { QStringLiteral("Name Type"), QStringLiteral("Text Field") }, { QStringLiteral("Name"), name } });
}

} // namespace

class TestServerProgram : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void refusesBadArguments_data();
    void refusesBadArguments();
    void logsEachRequestAndStopsCleanlyOnSignals_data();
    void logsEachRequestAndStopsCleanlyOnSignals();

private:
    bool startServer(QProcess& process, quint16 port);

    std::unique_ptr<TestProgramFolder> m_folder;
};

void TestServerProgram::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(
        FormBuilder(m_folder->path(), QStringLiteral("survey")).textField(QStringLiteral("Name")).write());
}

void TestServerProgram::cleanup()
{
    m_folder.reset();
}

bool TestServerProgram::startServer(QProcess& process, quint16 port)
{
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
        { QStringLiteral("--app-folder"), m_folder->path(), QStringLiteral("--listen"),
            QStringLiteral("127.0.0.1:%1").arg(port) });
    if (!process.waitForStarted(5000))
        return false;
    // Ready once it says where it listens.
    QByteArray said;
    for (int i = 0; i < 100 && !said.contains("collecting answers"); ++i) {
        process.waitForReadyRead(100);
        said += process.readAllStandardError();
        if (process.state() != QProcess::Running)
            return false;
    }
    return said.contains(QStringLiteral("http://127.0.0.1:%1").arg(port).toUtf8());
}

void TestServerProgram::refusesBadArguments_data()
{
    // APP is the program folder (EMPTY one without an answers database), PORT a free port.
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no folder") << QString() << 2 << QStringLiteral("--app-folder is required");
    // Only a database server holds the forms a server without a folder serves.
    QTest::newRow("a database file, no folder") << QStringLiteral("--database APP/formAnswers.mdb") << 2
                                                << QStringLiteral("--app-folder is required");
    QTest::newRow("an unreachable database server")
        << QStringLiteral("--database postgresql://nobody@127.0.0.1:PORT/answers --listen 127.0.0.1:PORT")
        << 1 << QStringLiteral("cannot be opened");
    QTest::newRow("no port") << QStringLiteral("--app-folder APP --listen 127.0.0.1") << 2
                             << QStringLiteral("ADDRESS:PORT");
    QTest::newRow("certificate alone") << QStringLiteral("--app-folder APP --tls-cert c.pem") << 2
                                       << QStringLiteral("--tls-cert and --tls-key go together");
    QTest::newRow("missing certificate") << QStringLiteral(
        "--app-folder APP --listen 127.0.0.1:PORT --tls-cert APP/no.pem --tls-key APP/no.pem")
                                         << 1 << QStringLiteral("cannot use the certificate");
    // A clear message, and no new database.
    QTest::newRow("no database") << QStringLiteral("--app-folder EMPTY --listen 127.0.0.1:PORT") << 1
                                 << QStringLiteral("formAnswers.mdb cannot be opened");
}

void TestServerProgram::refusesBadArguments()
{
    QFETCH(QString, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    TestProgramFolder empty(/*withDatabase=*/false);
    arguments.replace(QStringLiteral("APP"), m_folder->path()).replace(QStringLiteral("EMPTY"), empty.path());
    arguments.replace(QStringLiteral("PORT"), QString::number(freeLoopbackPort()));
    QProcess p;
    p.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE), arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), exitCode);
    QVERIFY(p.readAllStandardError().contains(message.toUtf8()));
    QVERIFY(!QFile::exists(empty.database()));
}

void TestServerProgram::logsEachRequestAndStopsCleanlyOnSignals_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    // No chance to tidy up: what was acknowledged must already be in the file.
    QTest::newRow("SIGKILL") << int(SIGKILL);
}

void TestServerProgram::logsEachRequestAndStopsCleanlyOnSignals()
{
    QFETCH(int, signal);
    const quint16 port = freeLoopbackPort();
    QProcess server;
    QVERIFY(startServer(server, port));

    TestClient c(port);
    QCOMPARE(c.get("/survey.html").status, 200);
    QCOMPARE(c.post("/scripts/save.asp", answersFor(QStringLiteral("never-logged"))).status, 200);
    QCOMPARE(c.get("/formAnswers.mdb").status, 404);
    // A second server on the busy port ends with the reason.
    QProcess second;
    second.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
        { QStringLiteral("--app-folder"), m_folder->path(), QStringLiteral("--listen"),
            QStringLiteral("127.0.0.1:%1").arg(port) });
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.readAllStandardError().contains(
        QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port).toUtf8()));

    ::kill(pid_t(server.processId()), signal);
    QVERIFY(server.waitForFinished(10000));
    QCOMPARE(tableRows(m_folder->database(), QStringLiteral("tbl_survey")).size(), 1);
    if (signal == SIGKILL)
        return;
    QCOMPARE(server.exitStatus(), QProcess::NormalExit);
    QCOMPARE(server.exitCode(), 0);

    const QList<QByteArray> lines = server.readAllStandardError().split('\n');
    QStringList requests;
    for (const QByteArray& line : lines) {
        QVERIFY(!line.contains("never-logged"));
        if (line.endsWith(" ms"))
            requests.append(QString::fromUtf8(line.mid(20))); // after the date and time
    }
    // The workers serve the connections side by side, so the lines may come in any order.
    QCOMPARE(requests.size(), 3);
    requests.sort();
    QVERIFY2(
        requests.at(0).startsWith(QStringLiteral("GET /formAnswers.mdb 404 ")), qPrintable(requests.at(0)));
    QVERIFY2(requests.at(1).startsWith(QStringLiteral("GET /survey.html 200 ")), qPrintable(requests.at(1)));
    QVERIFY2(
        requests.at(2).startsWith(QStringLiteral("POST /scripts/save.asp 200 ")), qPrintable(requests.at(2)));
}

QTEST_GUILESS_MAIN(TestServerProgram)
#include "tst_ServerProgram.moc"
