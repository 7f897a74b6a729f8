// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The HTTP engine alone, over raw sockets on 127.0.0.1: how it frames
// requests, answers clients that stop sending, and shares its connections.
#include "ServerFixture.h"

#include "server/HttpServer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <atomic>
#include <mutex>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace quenlow;
using namespace quenlow::test;

namespace {

// Sends `bytes`, then reads until the peer closes (true) or `timeoutMs` passes.
bool sendAndRead(int socket, const QByteArray& bytes, int timeoutMs, QByteArray* received, int shutHow = -1)
{
    if (::send(socket, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) != ssize_t(bytes.size()))
        return false;
    if (shutHow >= 0)
        ::shutdown(socket, shutHow);
    QElapsedTimer timer;
    timer.start();
    char buffer[4096];
    for (ssize_t n = 1; n > 0 && timer.elapsed() < timeoutMs;) {
        pollfd p { socket, POLLIN, 0 };
        if (::poll(&p, 1, 20) > 0 && (n = ::recv(socket, buffer, sizeof buffer, 0)) > 0)
            received->append(buffer, n);
    }
    return timer.elapsed() < timeoutMs;
}

} // namespace

class TestHttpServer : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { m_server.reset(); }
    void framing_data();
    void framing();
    void answersAClientThatStopsSending();
    void aProgramStartedMeanwhileHoldsNoSocket();
    void slowClientsDoNotCrowdOutOthers_data();
    void slowClientsDoNotCrowdOutOthers();

private:
    void start(const HttpLimits& limits = {});

    std::unique_ptr<HttpServer> m_server;
    std::mutex m_mutex;
    QList<QByteArray> m_seen; // "METHOD path?query" as the handler got them
    std::atomic<int> m_waited { 0 }; // 1: the client of /wait stayed, 2: it went
};

void TestHttpServer::start(const HttpLimits& limits)
{
    m_seen.clear();
    m_server = std::make_unique<HttpServer>(
        [this](const HttpRequest& request) {
            const QByteArray seen = request.method + ' ' + request.path
                + (request.query.isEmpty() ? QByteArray() : "?" + request.query);
            {
                std::lock_guard lock(m_mutex);
                m_seen.append(seen);
            }
            // Long enough for the client to stop sending, or to go, meanwhile.
            QElapsedTimer timer;
            timer.start();
            while (request.path == "/wait" && !request.clientGone() && timer.elapsed() < 1000)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            m_waited = request.clientGone() ? 2 : 1;
            HttpResponse response;
            response.body = seen;
            return response;
        },
        nullptr, limits);
    QVERIFY(m_server->start(QStringLiteral("127.0.0.1"), 0, nullptr));
}

void TestHttpServer::framing_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("seen"); // what the handler got, if anything
    // Only "chunked" ends a body without a length; under any other coding the
    // body must not be read as the next request.
    for (const char* coding : { "identity", "gzip", "chunked, identity" })
        QTest::newRow(coding) << "POST /save HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: " + QByteArray(coding)
                + "\r\n\r\nGET /smuggled HTTP/1.1\r\nHost: x\r\n\r\n"
                              << 400 << QByteArray();
    QTest::newRow("chunked") << QByteArray("POST /save HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n"
                                           "Connection: close\r\n\r\n3\r\na=b\r\n0\r\n\r\n")
                             << 200 << QByteArray("POST /save");
    // A proxy's form of the target is served as its path.
    QTest::newRow("absolute form") << QByteArray(
        "POST http://127.0.0.1:8080/scripts/save.asp?x=1 HTTP/1.1\r\nHost: x\r\n"
        "Connection: close\r\nContent-Length: 3\r\n\r\na=b")
                                   << 200 << QByteArray("POST /scripts/save.asp?x=1");
    QTest::newRow("absolute form, no path")
        << QByteArray("GET HTTPS://example.org?y HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n") << 200
        << QByteArray("GET /?y");
}

void TestHttpServer::framing()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    QFETCH(QByteArray, seen);
    start();
    const int socket = openConnection(m_server->port());
    QByteArray received;
    // One answer, then the connection closes.
    QVERIFY2(sendAndRead(socket, request, 3000, &received), received.constData());
    ::close(socket);
    QCOMPARE(received.count("HTTP/1.1 "), 1);
    QVERIFY2(received.startsWith(QByteArray("HTTP/1.1 " + QByteArray::number(status) + ' ')),
        received.constData());
    m_server->stop();
    QCOMPARE(m_seen, seen.isEmpty() ? QList<QByteArray> {} : QList<QByteArray> { seen });
}

void TestHttpServer::answersAClientThatStopsSending()
{
    start();
    const QByteArray post = "POST /wait HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\na=b";
    // Done sending, still reading: it gets its answer, and it was there all along.
    int socket = openConnection(m_server->port());
    QByteArray received;
    QVERIFY(sendAndRead(socket, post, 5000, &received, SHUT_WR));
    ::close(socket);
    QVERIFY2(
        received.contains("HTTP/1.1 200 OK\r\n") && received.endsWith("POST /wait"), received.constData());
    QCOMPARE(m_waited.load(), 1);

    // Closed altogether: the handler learns that it has gone.
    socket = openConnection(m_server->port());
    QVERIFY(sendAndRead(socket, post, 300, &received) == false);
    ::close(socket);
    QTRY_COMPARE_WITH_TIMEOUT(m_waited.load(), 2, 2000);
}

void TestHttpServer::aProgramStartedMeanwhileHoldsNoSocket()
{
    start();
    const quint16 port = m_server->port();
    const int socket = openConnection(port);
    QProcess child;
    child.start(QStringLiteral("sleep"), { QStringLiteral("30") });
    QVERIFY(child.waitForStarted());
    ::close(socket);
    m_server->stop();
    // The port is free again at once, though the child still runs.
    QVERIFY(m_server->start(QStringLiteral("127.0.0.1"), port, nullptr).ok());
    child.kill();
    child.waitForFinished();
}

void TestHttpServer::slowClientsDoNotCrowdOutOthers_data()
{
    QTest::addColumn<int>("maxConnections");
    QTest::addColumn<int>("perAddress");
    QTest::newRow("at the cap") << 20 << 1000;
    QTest::newRow("many from one address") << 1000 << 8;
}

// Slow clients that send a byte and no more: the oldest make room, and every
// normal request is answered.
void TestHttpServer::slowClientsDoNotCrowdOutOthers()
{
    QFETCH(int, maxConnections);
    QFETCH(int, perAddress);
    HttpLimits limits;
    limits.maxConnections = maxConnections;
    limits.maxUnfinishedPerAddress = perAddress;
    start(limits);
    std::vector<int> slow;
    for (int i = 0; i < 30; ++i) {
        slow.push_back(openConnection(m_server->port()));
        QCOMPARE(::send(slow.back(), "P", 1, MSG_NOSIGNAL), 1);
        QTest::qWait(5); // each its own age
    }
    int answered = 0;
    for (int i = 0; i < 20; ++i)
        answered += TestClient(m_server->port(), 3000).get("/page.html").status == 200 ? 1 : 0;
    QCOMPARE(answered, 20);
    QVERIFY(peerCloses(slow.front(), 2000));
    QVERIFY(!peerCloses(slow.back(), 50));
    QTRY_VERIFY(m_server->connectionCount() <= std::min(maxConnections, perAddress));
    for (int s : slow)
        ::close(s);
}

QTEST_GUILESS_MAIN(TestHttpServer)
#include "tst_HttpServer.moc"
