// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "ServerFixture.h"

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/FormMethod.h"
#include "model/MethodCollection.h"
#include "model/PageWriter.h"
#include "model/Publication.h"
#include "server/RespondentPage.h"

#include "support/TestProgramFolder.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quenlow::test {

namespace {

RawResponse parseResponse(const QByteArray& received)
{
    RawResponse response;
    const qsizetype end = received.indexOf("\r\n\r\n");
    response.head = end < 0 ? received : received.left(end);
    response.body = end < 0 ? QByteArray() : received.mid(end + 4);
    const QList<QByteArray> statusLine = response.head.left(response.head.indexOf('\r')).split(' ');
    if (statusLine.size() >= 2)
        response.status = statusLine.at(1).toInt();
    return response;
}

} // namespace

bool addQuestionColumn(
    const QString& location, const QString& table, const QString& question, const QString& kind)
{
    const auto store = openStore(location);
    return store
        && store->addColumn(table, columnNameFor(question),
            kind == QLatin1StringView("Text Area") ? AnswersStore::ColumnKind::Memo
                                                   : AnswersStore::ColumnKind::Text,
            columnAddedMarker());
}

QByteArray urlEncoded(const QList<QPair<QString, QString>>& fields)
{
    QByteArray out;
    for (const auto& [name, value] : fields) {
        if (!out.isEmpty())
            out += '&';
        out += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    return out;
}

QString tokenIn(const QByteArray& page)
{
    const qsizetype field = page.indexOf(submissionTokenField().toUtf8());
    const qsizetype at = page.indexOf("value='", field) + 7;
    return field < 0 ? QString() : QString::fromUtf8(page.mid(at, page.indexOf('\'', at) - at));
}

QByteArray RawResponse::header(const QByteArray& name) const
{
    for (const QByteArray& line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

TestClient::TestClient(quint16 port, int timeoutMs)
    : m_port(port)
    , m_timeoutMs(timeoutMs)
{
}

TestClient::~TestClient()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

RawResponse TestClient::send(const QByteArray& request)
{
    if (m_socket < 0 && (m_socket = openConnection(m_port)) < 0)
        return {};
    const RawResponse response = exchangeOn(m_socket, request, m_timeoutMs);
    if (response.status == 0 || response.header("Connection").compare("close", Qt::CaseInsensitive) == 0) {
        ::close(m_socket);
        m_socket = -1;
    }
    return response;
}

RawResponse TestClient::get(const QByteArray& target)
{
    return send("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

RawResponse TestClient::post(const QByteArray& target, const QByteArray& body, const QByteArray& contentType)
{
    return send("POST " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: " + contentType
        + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

RawResponse TestClient::postForm(const QList<QPair<QString, QString>>& fields)
{
    return post("/scripts/save.asp", urlEncoded(fields));
}

QPair<QByteArray, QByteArray> multipartBody(const QList<MultipartPart>& parts)
{
    const QByteArray boundary = "----QuenlowTestBoundary7MA4YWxkTrZu0gW";
    QByteArray body;
    for (const MultipartPart& part : parts) {
        QByteArray name = part.name.toUtf8();
        // As browsers write a name into the part's header.
        name.replace("\"", "%22").replace("\r", "%0D").replace("\n", "%0A");
        body += "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + name + '"';
        if (!part.fileName.isEmpty())
            body += "; filename=\"" + part.fileName.toUtf8() + "\"\r\nContent-Type: text/plain";
        body += "\r\n\r\n" + part.value.toUtf8() + "\r\n";
    }
    body += "--" + boundary + "--\r\n";
    return { body, "multipart/form-data; boundary=" + boundary };
}

int openConnection(quint16 port)
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (sock >= 0 && ::connect(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(sock);
        return -1;
    }
    return sock;
}

bool peerCloses(int socket, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        pollfd p { socket, POLLIN, 0 };
        if (::poll(&p, 1, 20) <= 0)
            continue;
        char buffer[4096];
        if (::recv(socket, buffer, sizeof buffer, MSG_DONTWAIT) <= 0)
            return true;
    }
    return false;
}

RawResponse rawExchange(quint16 port, const QByteArray& bytes, int timeoutMs)
{
    const int sock = openConnection(port);
    if (sock < 0)
        return {};
    RawResponse response = exchangeOn(sock, bytes, timeoutMs);
    ::close(sock);
    return response;
}

RawResponse exchangeOn(int sock, const QByteArray& bytes, int timeoutMs)
{
    QByteArray received;
    qsizetype sent = 0;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        pollfd p { sock, short(POLLIN | (sent < bytes.size() ? POLLOUT : 0)), 0 };
        if (::poll(&p, 1, 50) <= 0)
            continue;
        if ((p.revents & POLLOUT) && sent < bytes.size()) {
            const ssize_t n
                = ::send(sock, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
            if (n > 0)
                sent += n;
            else
                sent = bytes.size(); // the peer stopped reading; take its answer
        }
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
            char buffer[65536];
            const ssize_t n = ::recv(sock, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            received.append(buffer, n);
            // A whole response with a length ends the wait on a connection kept open.
            const qsizetype end = received.indexOf("\r\n\r\n");
            if (end >= 0) {
                RawResponse head;
                head.head = received.left(end);
                const QByteArray length = head.header("Content-Length");
                if (!length.isEmpty() && received.size() >= end + 4 + length.toLongLong())
                    break;
            }
        }
    }
    return parseResponse(received);
}

RawResponse tlsExchange(quint16 port, const QByteArray& bytes)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
        { QStringLiteral("s_client"), QStringLiteral("-quiet"), QStringLiteral("-connect"),
            QStringLiteral("127.0.0.1:%1").arg(port) });
    openssl.write(bytes);
    if (!openssl.waitForFinished(10000))
        openssl.kill();
    return parseResponse(openssl.readAllStandardOutput());
}

TcpRelay::TcpRelay(quint16 target)
    : m_target(target)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof addr;
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0
        || ::listen(m_listener, 64) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &length) != 0)
        QTest::qFail("the relay cannot listen", __FILE__, __LINE__);
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { run(); });
}

TcpRelay::~TcpRelay()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listener);
}

void TcpRelay::run()
{
    std::vector<std::pair<int, int>> pairs; // client, server
    const auto closeAll = [&pairs] {
        for (const auto& [a, b] : pairs) {
            ::close(a);
            ::close(b);
        }
        pairs.clear();
    };
    while (!m_stop) {
        const Mode mode = m_mode;
        if (mode == Down)
            closeAll();
        // Stalled, nothing is read: the system takes new connections and
        // what is sent into its buffers, and no answer comes.
        std::vector<pollfd> fds { { m_listener, short(mode == Stalled ? 0 : POLLIN), 0 } };
        for (const auto& [a, b] : pairs) {
            fds.push_back({ a, short(mode == Passing ? POLLIN : 0), 0 });
            fds.push_back({ b, short(mode == Passing ? POLLIN : 0), 0 });
        }
        if (::poll(fds.data(), fds.size(), 20) <= 0)
            continue;
        std::vector<std::pair<int, int>> open;
        for (size_t i = 0; i < pairs.size(); ++i) {
            bool alive = true;
            for (int side = 0; side < 2 && alive; ++side) {
                if (!(fds[1 + 2 * i + side].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                const int from = side ? pairs[i].second : pairs[i].first,
                          to = side ? pairs[i].first : pairs[i].second;
                char buffer[65536];
                const ssize_t n = ::recv(from, buffer, sizeof buffer, 0);
                alive = n > 0 && ::send(to, buffer, size_t(n), MSG_NOSIGNAL) == n;
            }
            if (alive) {
                open.push_back(pairs[i]);
            } else {
                ::close(pairs[i].first);
                ::close(pairs[i].second);
            }
        }
        pairs = std::move(open);
        if (fds[0].revents & POLLIN) {
            const int client = ::accept(m_listener, nullptr, nullptr);
            const int server = client >= 0 && mode == Passing ? openConnection(m_target) : -1;
            if (server >= 0)
                pairs.emplace_back(client, server);
            else if (client >= 0)
                ::close(client);
        }
    }
    closeAll();
}

} // namespace quenlow::test
