// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/Fragments.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <atomic>
#include <thread>

namespace quenlow::test {

/// Writes a form the way the designer leaves it: the answers table with its
/// columns, the collection file and the page (attribute values escaped, as
/// the page writer does). The desktop's windows are not needed for it.
class FormBuilder
{
public:
    FormBuilder(const QString& appFolder, const QString& name);

    FormBuilder& title(const QString& title);
    /// Position in the background list (1 is "Marble", Background.gif).
    FormBuilder& background(int choice);
    FormBuilder& showsAnswersTable(bool allowed);
    /// The database location written into the page and the header.
    FormBuilder& databaseLocation(const QString& location);

    // The elements as the editors make them.
    FormBuilder& textField(const QString& question, const QString& defaultText = {})
    {
        return add(textFieldMethod(question, QStringLiteral("30"), {}, defaultText));
    }
    FormBuilder& textArea(const QString& question, const QString& defaultText = {})
    {
        return add(textAreaMethod(question, QStringLiteral("5"), QStringLiteral("40"), defaultText));
    }
    FormBuilder& checkBox(const QString& title, bool ticked = false) { return add(checkBoxMethod(title, true, ticked)); }
    FormBuilder& radioButtons(const QString& question, const QStringList& options, const QString& preselected = {})
    {
        return add(radioButtonsMethod(question, options, preselected.isEmpty() ? noDefaultOption() : preselected));
    }
    FormBuilder& menu(const QString& question, const QStringList& options, const QString& preselected = {})
    {
        return add(pullDownMenuMethod(question, QStringLiteral("1"), options,
                                      preselected.isEmpty() ? noDefaultOption() : preselected));
    }
    FormBuilder& plainText(const QString& text) { return add(plainTextMethod(text)); }
    /// The last question had this text before the designer renamed it.
    FormBuilder& formerly(const QString& question)
    {
        m_elements.last().formerNames.append(question);
        return *this;
    }
    FormBuilder& submitButton(const QString& title = QStringLiteral("Submit Form"))
    {
        return add(submitButtonMethod(title, false, QStringLiteral("Reset Form")));
    }

    /// Creates the table and writes the files; fails the test (and returns
    /// false) when anything cannot be made.
    bool write();
    /// Only the files (and the publication): the form changed as the
    /// designer changes it, its table left as it is.
    bool writeFiles();

    QString tableName() const { return QStringLiteral("tbl_") + m_name; }
    QString pageFile() const { return m_name + QStringLiteral(".html"); }

private:
    FormBuilder& add(const FormMethod& element)
    {
        m_elements.append(element);
        return *this;
    }
    FormMethod header() const;

    QString m_folder, m_name, m_title, m_location;
    QString m_store; // where the answers go (m_location is what the page names)
    int m_background = 1;
    bool m_allowTable = false;
    QList<FormMethod> m_elements;
};

/// Adds a column as the designer does (same filler for older rows); false when refused.
bool addQuestionColumn(const QString& location, const QString& table, const QString& question,
                       const QString& kind = QStringLiteral("Text Field"));

/// Form fields urlencoded as a browser sends them.
QByteArray urlEncoded(const QList<QPair<QString, QString>>& fields);

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
    std::atomic<Mode> m_mode{Passing};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace quenlow::test
