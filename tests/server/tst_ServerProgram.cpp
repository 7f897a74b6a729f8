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

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

QByteArray answersFor(const QString& name)
{
    return urlEncoded(
        { { u"tableName"_s, u"tbl_survey"_s }, { u"Name Type"_s, u"Text Field"_s }, { u"Name"_s, name } });
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
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s).textField(u"Name"_s).write());
}

void TestServerProgram::cleanup()
{
    m_folder.reset();
}

bool TestServerProgram::startServer(QProcess& process, quint16 port)
{
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
        { u"--app-folder"_s, m_folder->path(), u"--listen"_s, u"127.0.0.1:%1"_s.arg(port) });
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
    return said.contains(u"http://127.0.0.1:%1"_s.arg(port).toUtf8());
}

void TestServerProgram::refusesBadArguments_data()
{
    // APP is the program folder (EMPTY one without an answers database), PORT a free port.
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no folder") << QString() << 2 << u"--app-folder is required"_s;
    // Only a database server holds the forms a server without a folder serves.
    QTest::newRow("a database file, no folder")
        << u"--database APP/formAnswers.mdb"_s << 2 << u"--app-folder is required"_s;
    QTest::newRow("an unreachable database server")
        << u"--database postgresql://nobody@127.0.0.1:PORT/answers --listen 127.0.0.1:PORT"_s << 1
        << u"cannot be opened"_s;
    QTest::newRow("no port") << u"--app-folder APP --listen 127.0.0.1"_s << 2 << u"ADDRESS:PORT"_s;
    QTest::newRow("certificate alone")
        << u"--app-folder APP --tls-cert c.pem"_s << 2 << u"--tls-cert and --tls-key go together"_s;
    QTest::newRow("missing certificate") << QStringLiteral(
        "--app-folder APP --listen 127.0.0.1:PORT --tls-cert APP/no.pem --tls-key APP/no.pem")
                                         << 1 << u"cannot use the certificate"_s;
    // A clear message, and no new database.
    QTest::newRow("no database") << u"--app-folder EMPTY --listen 127.0.0.1:PORT"_s << 1
                                 << u"formAnswers.mdb cannot be opened"_s;
}

void TestServerProgram::refusesBadArguments()
{
    QFETCH(QString, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    TestProgramFolder empty(/*withDatabase=*/false);
    arguments.replace(u"APP"_s, m_folder->path()).replace(u"EMPTY"_s, empty.path());
    arguments.replace(u"PORT"_s, QString::number(freeLoopbackPort()));
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
    QCOMPARE(c.post("/scripts/save.asp", answersFor(u"never-logged"_s)).status, 200);
    QCOMPARE(c.get("/formAnswers.mdb").status, 404);
    // A second server on the busy port ends with the reason.
    QProcess second;
    second.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
        { u"--app-folder"_s, m_folder->path(), u"--listen"_s, u"127.0.0.1:%1"_s.arg(port) });
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.readAllStandardError().contains(u"cannot listen on 127.0.0.1:%1"_s.arg(port).toUtf8()));

    ::kill(pid_t(server.processId()), signal);
    QVERIFY(server.waitForFinished(10000));
    QCOMPARE(tableRows(m_folder->database(), u"tbl_survey"_s).size(), 1);
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
    QVERIFY2(requests.at(0).startsWith(u"GET /formAnswers.mdb 404 "_s), qPrintable(requests.at(0)));
    QVERIFY2(requests.at(1).startsWith(u"GET /survey.html 200 "_s), qPrintable(requests.at(1)));
    QVERIFY2(requests.at(2).startsWith(u"POST /scripts/save.asp 200 "_s), qPrintable(requests.at(2)));
}

QTEST_GUILESS_MAIN(TestServerProgram)
#include "tst_ServerProgram.moc"
