// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

// Private to the PostgreSQL store: its one connection to the server, and the
// names and conversions its statements share. Nothing outside the store's own
// files includes this header.

#include "core/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

struct pg_conn;
struct pg_result;

namespace quenlow::postgres {

// The lock a change of columns takes alone and each batch of rows shares; one
// key per database ("Quenlow" in ASCII).
inline const QString kLockColumns = QStringLiteral("SELECT %1(22928551618310007)");
// Everything the store keeps besides the answers, out of the way of any
// answers table's name.
inline const QString kArrivals = QStringLiteral("quenlow.arrivals");
// The row id: upper case, which no folded name of a question has.
inline const QString kId = QStringLiteral("\"ID\"");
inline constexpr int kMemoOid = 25; // text; a plain question's column is varchar
// Folds ASCII letters only, as the designer compares names.
inline const QString kFold
    = QStringLiteral("translate(%1, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')");

/// The name the server knows a table or column by: folded to ASCII lower
/// case, shortened with a hash where longer than the server's 63 bytes.
QString physicalName(const QString& name);
QString quote(const QString& name);
/// A table of answers ("answers"."name") and a column, as statements name them.
QString tableRef(const QString& table);
QString columnRef(const QString& column);
/// A form's participants table, named as its answers table in a schema of their own.
QString participantsRef(const QString& table);
extern const QString kParticipantsColumns;
/// COMMENT ON `what` IS 'name': the real name of a table or column.
QString commentOn(pg_conn* conn, const QString& what, const QString& name);

/// The kind of failure an SQLSTATE is.
Error::Kind kindOfState(const QByteArray& state);
QByteArray stateOf(const pg_result* r);
QString text(const pg_result* r, int row, int column);
/// The texts of the first column of every row.
QStringList firstColumn(const pg_result* r);
/// A whole number; -1 for NULL.
qint64 number(const pg_result* r, int row, int column);
QString isoTime(const QDateTime& t);
std::optional<QDateTime> timeFrom(const pg_result* r, int row, int column);
/// A text[] literal of `values`, each quoted.
QByteArray arrayOf(const QStringList& values);

/// One bound value: text, or bytes sent as they are; nothing for null.
struct Param {
    std::optional<QByteArray> value;
    bool binary = false;
    Param(std::nullopt_t) { }
    Param(const QByteArray& bytes, bool asBinary = false)
        : value(bytes)
        , binary(asBinary)
    {
    }
    Param(const QString& text)
        : value(text.toUtf8())
    {
    }
};
using Params = QList<Param>;
struct ResultDeleter {
    void operator()(pg_result* r) const;
};
using PgResult = std::unique_ptr<pg_result, ResultDeleter>;

enum class Opening { Open, Create };
/// A connection to the database `url` names that holds a store; with
/// Create, the database (when missing) and the store's own tables are made.
/// NotFound when there is no such database or store; Io when the server
/// cannot be reached.
Result<pg_conn*> reach(const QString& url, Opening how);

/// The store's connection: statements run on it, prepared statements kept
/// for it, transactions, and a new session when the server went away. Used
/// from one thread at a time, like the store.
class Connection
{
public:
    Connection(pg_conn* conn, const QString& location);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    pg_conn* handle() const { return m_conn; }
    bool connected() const;
    /// Called when a new session replaces a lost one: what the store kept of
    /// the old session (columns seen) is gone with it.
    void onNewSession(std::function<void()> forget) { m_onNewSession = std::move(forget); }

    /// Runs one statement. A lost connection is tried once more on a new
    /// one, unless a transaction was open (its work is gone).
    Result<PgResult> run(const QString& sql, const Params& params = {}, bool binaryResult = false);
    /// The name of the statement prepared for `sql`.
    Result<QByteArray> prepared(const QByteArray& sql, int paramCount);
    Result<void> inTransaction(const std::function<Result<void>()>& work);
    /// Whether a transaction is open: the batch pipeline opens its own.
    bool transactionOpen() const { return m_inTransaction; }
    void setTransactionOpen(bool open) { m_inTransaction = open; }

    Error failure(pg_result* result, const QString& what) const;
    Error connectionFailure(const QString& what) const;
    bool reconnect();

    /// From any thread: the call under way fails at once (its socket is shut
    /// down), and every later call and new session is refused.
    void interrupt();
    bool interrupted() const { return m_interrupted.load(); }

private:
    /// Keeps a second descriptor of the session's socket: interrupt shuts the
    /// socket down through it, never through a number libpq may have closed
    /// and the process given to another file meanwhile.
    void watchSocket();

    // Threads: the thread using the connection owns everything but these,
    // which interrupt shares with it under m_cutMutex.
    std::mutex m_cutMutex;
    int m_cutDescriptor = -1;
    std::atomic<bool> m_interrupted { false };

    pg_conn* m_conn = nullptr;
    QString m_location;
    bool m_inTransaction = false;
    std::function<void()> m_onNewSession;
    QHash<QByteArray, QByteArray> m_statements; // SQL -> prepared statement's name
    int m_nextStatement = 0;
};

} // namespace quenlow::postgres
