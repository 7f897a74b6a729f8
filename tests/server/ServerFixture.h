// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "support/FormBuilder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <atomic>
#include <thread>

namespace quenlow::test {

/// Adds a column as the designer does (same filler for older rows); false when refused.
bool addQuestionColumn(const QString& location, const QString& table, const QString& question,
    const QString& kind = QStringLiteral("Text Field"));

/// Form fields urlencoded as a browser sends them.
QByteArray urlEncoded(const QList<QPair<QString, QString>>& fields);
/// The submission token a sent page carries; empty when it carries none.
QString tokenIn(const QByteArray& page);

/// A response read off the wire.
struct RawResponse {
    int status = 0;
    QByteArray head; // status line and headers
    QByteArray body;
    QByteArray header(const QByteArray& name) const;
};
/// A keep-alive HTTP/1.1 client of 127.0.0.1:`port`. A failed exchange
/// gives status 0; the next request opens a new connection. Not retried:
/// tests count what was sent.
class TestClient
{
public:
    explicit TestClient(quint16 port, int timeoutMs = 20000);
    ~TestClient();
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    RawResponse get(const QByteArray& target);
    RawResponse post(const QByteArray& target, const QByteArray& body,
        const QByteArray& contentType = "application/x-www-form-urlencoded");
    /// Urlencoded fields to the submission address.
    RawResponse postForm(const QList<QPair<QString, QString>>& fields);

private:
    RawResponse send(const QByteArray& request);
    quint16 m_port;
    int m_timeoutMs;
    int m_socket = -1;
};

/// One part of a multipart/form-data body; a file part when `fileName` is set.
struct MultipartPart {
    QString name, value, fileName;
};
/// The body and its Content-Type.
QPair<QByteArray, QByteArray> multipartBody(const QList<MultipartPart>& parts);

/// Sends `bytes` as they are to 127.0.0.1:`port` and reads the answer until the
/// peer closes or `timeoutMs` passes. For requests no well-behaved client sends.
RawResponse rawExchange(quint16 port, const QByteArray& bytes, int timeoutMs = 5000);
/// The same on a socket already open; the socket stays open.
RawResponse exchangeOn(int socket, const QByteArray& bytes, int timeoutMs = 5000);
/// The same over TLS (openssl s_client, taking any certificate); the request
/// should ask the server to close the connection.
RawResponse tlsExchange(quint16 port, const QByteArray& bytes);
/// A socket connected to 127.0.0.1:`port`, or -1.
int openConnection(quint16 port);
/// True when the peer closes `socket` within `timeoutMs` (what it sent is read and dropped).
bool peerCloses(int socket, int timeoutMs);

/// A TCP relay from a port of its own to 127.0.0.1:`target`, standing in for
/// a database server that stops answering (Stalled: connections stay open and
/// nothing passes, as when its process is stopped) or goes away (Down: every
/// connection is closed, new ones at once).
class TcpRelay
{
public:
    enum Mode { Passing, Stalled, Down };
    explicit TcpRelay(quint16 target);
    ~TcpRelay(); // closes every connection
    TcpRelay(const TcpRelay&) = delete;
    TcpRelay& operator=(const TcpRelay&) = delete;

    quint16 port() const { return m_port; }
    void setMode(Mode mode) { m_mode = mode; }

private:
    void run();
    quint16 m_target, m_port = 0;
    int m_listener = -1;
    std::atomic<Mode> m_mode { Passing };
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

} // namespace quenlow::test
