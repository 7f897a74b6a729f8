// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/PostgresConnection_p.h"

#include "core/IsoMoment.h"
#include "database/AnswerColumns.h"
#include "database/PostgresAnswersStore.h"

#include <QCryptographicHash>
#include <QVarLengthArray>

#include <libpq-fe.h>

#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quenlow::postgres {

namespace {

constexpr qsizetype kMaxIdentifierBytes = 63;
// As the connection's own connect_timeout, for a new session made step by step.
constexpr std::chrono::seconds kConnectTimeout { 10 };
constexpr int kInterruptCheckMs = 50;
constexpr int kTextOid = 25;
constexpr qsizetype kMaxStatements = 64;

const char* const kBookkeeping[] = {
    "CREATE SCHEMA quenlow",
    "CREATE SCHEMA IF NOT EXISTS answers",
    "CREATE TABLE quenlow.columns_version (version bigint NOT NULL)",
    "INSERT INTO quenlow.columns_version VALUES (0)",
    "CREATE TABLE quenlow.arrivals (answers_table text NOT NULL, row_id bigint, arrived text NOT NULL, "
    "token text UNIQUE, changed text)",
    "CREATE INDEX arrivals_row ON quenlow.arrivals (answers_table, row_id)",
    "CREATE TABLE quenlow.forms (form text PRIMARY KEY, title text NOT NULL, shows_answers boolean NOT NULL, "
    "page bytea NOT NULL, questions text NOT NULL, background text NOT NULL)",
    "CREATE TABLE quenlow.files (name text PRIMARY KEY, content_type text NOT NULL, bytes bytea NOT NULL)",
    "CREATE TABLE quenlow.settings (key text PRIMARY KEY, value bytea NOT NULL)",
};

// A connection with the settings every statement relies on; `database`
// replaces the one the URL names.
pg_conn* connectTo(const QString& url, const char* database = nullptr)
{
    const QByteArray conninfo = url.toUtf8();
    QVarLengthArray<const char*, 8> keys { "dbname", "client_encoding", "application_name", "options",
        "connect_timeout" };
    // A schema change waits for the writers' open batches, and they for it: not forever.
    QVarLengthArray<const char*, 8> values { conninfo.constData(), "UTF8", "quenlow", "-c lock_timeout=10000",
        "10" };
    if (database) {
        keys.append("dbname");
        values.append(database);
    }
    keys.append(nullptr);
    values.append(nullptr);
    pg_conn* conn = PQconnectdbParams(keys.constData(), values.constData(), 1);
    // Notices ("table does not exist, skipping") are no one's business.
    PQsetNoticeProcessor(
        conn, [](void*, const char*) {}, nullptr);
    return conn;
}

QString messageOf(const pg_conn* conn)
{
    // One line: messages go into boxes and into the service's one-line log.
    return QString::fromUtf8(PQerrorMessage(conn)).simplified();
}

} // namespace

QString physicalName(const QString& name)
{
    const QString folded = foldAscii(name);
    const QByteArray utf8 = folded.toUtf8();
    if (utf8.size() <= kMaxIdentifierBytes)
        return folded;
    // Whole characters up to the room left for a hash of the whole name.
    const QString hash
        = QString::fromLatin1(QCryptographicHash::hash(utf8, QCryptographicHash::Sha256).toHex().left(16));
    const qsizetype room = kMaxIdentifierBytes - 1 - hash.size();
    QString kept;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < folded.size();) {
        const qsizetype n = folded.at(i).isHighSurrogate() && i + 1 < folded.size() ? 2 : 1;
        const QString ch = folded.mid(i, n);
        const qsizetype b = ch.toUtf8().size();
        if (bytes + b > room)
            break;
        kept += ch;
        bytes += b;
        i += n;
    }
    return kept + QLatin1Char('~') + hash;
}

QString quote(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString tableRef(const QString& table)
{
    return QStringLiteral("answers.") + quote(physicalName(table));
}

QString columnRef(const QString& column)
{
    return quote(physicalName(column));
}

Error::Kind kindOfState(const QByteArray& state)
{
    if (state == "23505" || state == "42P07" || state == "42701" || state == "42710" || state == "42P06"
        || state == "42P04")
        return Error::Duplicate;
    if (state == "42P01" || state == "3D000" || state == "3F000")
        return Error::NotFound;
    if (state == "55P03" || state == "40001" || state == "40P01" || state == "57014")
        return Error::Busy;
    // An undefined column, a cached plan or a prepared statement gone.
    if (state == "42703" || state == "0A000" || state == "26000")
        return Error::Stale;
    if (state.startsWith("08") || state.startsWith("53") || state.startsWith("58") || state.startsWith("57")
        || state == "25006")
        return Error::Io;
    return Error::Other;
}

QByteArray stateOf(const pg_result* r)
{
    const char* s = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
    return s ? QByteArray(s) : QByteArray();
}

QStringList firstColumn(const pg_result* r)
{
    QStringList texts;
    for (int i = 0; i < PQntuples(r); ++i)
        texts.append(text(r, i, 0));
    return texts;
}

QString text(const pg_result* r, int row, int column)
{
    return QString::fromUtf8(PQgetvalue(r, row, column), PQgetlength(r, row, column));
}

qint64 number(const pg_result* r, int row, int column)
{
    return PQgetisnull(r, row, column) ? -1 : QByteArray(PQgetvalue(r, row, column)).toLongLong();
}

QString commentOn(pg_conn* conn, const QString& what, const QString& name)
{
    const QByteArray utf8 = name.toUtf8();
    char* literal = PQescapeLiteral(conn, utf8.constData(), size_t(utf8.size()));
    const QString sql
        = QStringLiteral("COMMENT ON %1 IS %2").arg(what, QString::fromUtf8(literal ? literal : "NULL"));
    PQfreemem(literal);
    return sql;
}

QString isoTime(const QDateTime& t)
{
    return t.isValid() ? QString::fromLatin1(isoMomentUtc(t)) : QString();
}

std::optional<QDateTime> timeFrom(const pg_result* r, int row, int column)
{
    if (PQgetisnull(r, row, column) || PQgetlength(r, row, column) == 0)
        return std::nullopt;
    const QDateTime t = QDateTime::fromString(text(r, row, column), Qt::ISODateWithMs);
    if (!t.isValid())
        return std::nullopt;
    return t.toUTC();
}

// A text[] literal of `values`, each quoted.
QByteArray arrayOf(const QStringList& values)
{
    QByteArray out = "{";
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i)
            out += ',';
        QByteArray v = values.at(i).toUtf8();
        v.replace("\\", "\\\\").replace("\"", "\\\"");
        out += '"' + v + '"';
    }
    return out + '}';
}

void ResultDeleter::operator()(pg_result* r) const
{
    PQclear(r);
}

Result<pg_conn*> reach(const QString& url, Opening how)
{
    const QString where = PostgresAnswersStore::withoutPassword(url);
    // The client quotes a malformed address, or a part of it, in its messages.
    const auto said = [&url](const pg_conn* c) { return withoutPasswords(messageOf(c), url); };
    pg_conn* conn = connectTo(url);
    if (PQstatus(conn) != CONNECTION_OK) {
        // Tell a missing database from a server that cannot be reached.
        const QString why = said(conn);
        const QByteArray name = PQdb(conn) ? QByteArray(PQdb(conn)) : QByteArray();
        PQfinish(conn);
        pg_conn* admin = connectTo(url, "postgres");
        const auto fail = [&](Error e) {
            PQfinish(admin);
            return Result<pg_conn*>(std::move(e));
        };
        if (PQstatus(admin) != CONNECTION_OK || name.isEmpty())
            return fail(Error { Error::Io, QStringLiteral("%1: %2").arg(where, why) });
        const char* params[] = { name.constData() };
        PgResult found(PQexecParams(
            admin, "SELECT 1 FROM pg_database WHERE datname = $1", 1, nullptr, params, nullptr, nullptr, 0));
        if (PQresultStatus(found.get()) != PGRES_TUPLES_OK)
            return fail(Error { Error::Io, QStringLiteral("%1: %2").arg(where, said(admin)) });
        if (PQntuples(found.get()) > 0)
            return fail(Error { Error::Io, QStringLiteral("%1: %2").arg(where, why) });
        if (how == Opening::Open)
            return fail(Error { Error::NotFound,
                QStringLiteral("%1: there is no database %2 on the server")
                    .arg(where, QString::fromUtf8(name)) });
        const QByteArray sql
            = "CREATE DATABASE " + quote(QString::fromUtf8(name)).toUtf8() + " ENCODING 'UTF8'";
        PgResult made(PQexec(admin, sql.constData()));
        if (PQresultStatus(made.get()) != PGRES_COMMAND_OK && stateOf(made.get()) != "42P04")
            return fail(Error { Error::Io, QStringLiteral("%1: %2").arg(where, said(admin)) });
        PQfinish(admin);
        conn = connectTo(url);
        if (PQstatus(conn) != CONNECTION_OK) {
            const QString again = said(conn);
            PQfinish(conn);
            return Error { Error::Io, QStringLiteral("%1: %2").arg(where, again) };
        }
    }
    const auto closeWith = [&](Error e) {
        PQfinish(conn);
        return Result<pg_conn*>(std::move(e));
    };
    PgResult has(PQexec(conn,
        "SELECT to_regclass('quenlow.arrivals') IS NOT NULL, EXISTS (SELECT 1 FROM pg_attribute "
        "WHERE attrelid = to_regclass('quenlow.arrivals') AND attname = 'changed')"));
    if (PQresultStatus(has.get()) != PGRES_TUPLES_OK)
        return closeWith(Error { Error::Io, QStringLiteral("%1: %2").arg(where, said(conn)) });
    const bool present = QByteArray(PQgetvalue(has.get(), 0, 0)) == "t";
    if (how == Opening::Open && present && QByteArray(PQgetvalue(has.get(), 0, 1)) != "t") {
        // A store made before answers could be replaced: the change times go
        // beside the arrivals. Another server may add the column at the same moment.
        PgResult added(PQexec(conn, "ALTER TABLE quenlow.arrivals ADD COLUMN IF NOT EXISTS changed text"));
        if (PQresultStatus(added.get()) != PGRES_COMMAND_OK)
            return closeWith(
                Error { kindOfState(stateOf(added.get())), QStringLiteral("%1: %2").arg(where, said(conn)) });
    }
    if (how == Opening::Open && !present)
        return closeWith(
            Error { Error::NotFound, QStringLiteral("the database %1 holds no answers store").arg(where) });
    if (how == Opening::Create) {
        if (present)
            return closeWith(Error { Error::Duplicate,
                QStringLiteral("the database %1 holds an answers store already").arg(where) });
        // All or nothing: a store half made would be neither found nor made again.
        QByteArray script = "BEGIN;";
        for (const char* statement : kBookkeeping)
            script += QByteArray(statement) + ';';
        script += "COMMIT";
        PgResult made(PQexec(conn, script.constData()));
        if (PQresultStatus(made.get()) != PGRES_COMMAND_OK) {
            const QByteArray state = stateOf(made.get());
            const QString why = said(conn);
            return closeWith(Error { state == "42P06" ? Error::Duplicate : kindOfState(state),
                QStringLiteral("%1: %2").arg(where, why) });
        }
    }
    return conn;
}

Connection::Connection(pg_conn* conn, const QString& location)
    : m_conn(conn)
    , m_location(location)
{
    watchSocket();
}

Connection::~Connection()
{
    PQfinish(m_conn);
    if (m_cutDescriptor >= 0)
        ::close(m_cutDescriptor);
}

void Connection::watchSocket()
{
    std::lock_guard lock(m_cutMutex);
    if (m_cutDescriptor >= 0)
        ::close(m_cutDescriptor);
    m_cutDescriptor = -1;
    if (const int socket = PQsocket(m_conn); socket >= 0)
        m_cutDescriptor = ::fcntl(socket, F_DUPFD_CLOEXEC, 0);
    if (m_interrupted && m_cutDescriptor >= 0)
        ::shutdown(m_cutDescriptor, SHUT_RDWR);
}

void Connection::interrupt()
{
    std::lock_guard lock(m_cutMutex);
    m_interrupted = true;
    // A blocked read or write of libpq returns at once; the session is lost.
    if (m_cutDescriptor >= 0)
        ::shutdown(m_cutDescriptor, SHUT_RDWR);
}

bool Connection::connected() const
{
    return PQstatus(m_conn) == CONNECTION_OK;
}

Error Connection::failure(pg_result* result, const QString& what) const
{
    const char* message = result ? PQresultErrorMessage(result) : nullptr;
    QString why = message && *message ? QString::fromUtf8(message).simplified() : messageOf(m_conn);
    const QByteArray state = stateOf(result);
    return { state.isEmpty() ? (PQstatus(m_conn) == CONNECTION_OK ? Error::Other : Error::Io)
                             : kindOfState(state),
        what + QStringLiteral(": ") + why };
}

Error Connection::connectionFailure(const QString& what) const
{
    return { Error::Io, QStringLiteral("%1: %2: %3").arg(m_location, what, messageOf(m_conn)) };
}

bool Connection::reconnect()
{
    // Prepared statements went with the old session.
    m_statements.clear();
    m_inTransaction = false;
    if (m_onNewSession)
        m_onNewSession();
    if (m_interrupted)
        return false;
    // Step by step rather than PQreset, so that interrupt ends a wait for a
    // server that accepts connections and then never answers.
    const auto deadline = std::chrono::steady_clock::now() + kConnectTimeout;
    PostgresPollingStatusType state = PQresetStart(m_conn) ? PGRES_POLLING_WRITING : PGRES_POLLING_FAILED;
    while (state == PGRES_POLLING_READING || state == PGRES_POLLING_WRITING) {
        if (m_interrupted || std::chrono::steady_clock::now() >= deadline)
            return false;
        pollfd ready { PQsocket(m_conn), short(state == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0 };
        if (ready.fd < 0)
            break;
        ::poll(&ready, 1, kInterruptCheckMs);
        if (ready.revents != 0)
            state = PQresetPoll(m_conn);
    }
    watchSocket();
    return PQstatus(m_conn) == CONNECTION_OK && !m_interrupted;
}

Result<PgResult> Connection::run(const QString& sql, const Params& params, bool binaryResult)
{
    const QByteArray command = sql.toUtf8();
    QVarLengthArray<const char*, 16> values;
    QVarLengthArray<int, 16> lengths, formats;
    for (const Param& p : params) {
        values.append(p.value ? p.value->constData() : nullptr);
        lengths.append(p.value ? int(p.value->size()) : 0);
        formats.append(p.binary ? 1 : 0);
    }
    for (int attempt = 0;; ++attempt) {
        if (m_interrupted)
            return Error { Error::Io, QStringLiteral("%1: the call was interrupted").arg(m_location) };
        if (PQstatus(m_conn) != CONNECTION_OK && (m_inTransaction || !reconnect()))
            return connectionFailure(QStringLiteral("connect"));
        PgResult r(PQexecParams(m_conn, command.constData(), int(params.size()), nullptr, values.constData(),
            lengths.constData(), formats.constData(), binaryResult ? 1 : 0));
        const ExecStatusType status = PQresultStatus(r.get());
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
            return r;
        // A lost connection (the server restarted) is tried once more on a
        // new one, unless a transaction was open: its work is gone.
        if (PQstatus(m_conn) != CONNECTION_OK && attempt == 0 && !m_inTransaction)
            continue;
        return failure(r.get(), QStringLiteral("%1").arg(m_location));
    }
}

Result<QByteArray> Connection::prepared(const QByteArray& sql, int paramCount)
{
    if (const auto it = m_statements.constFind(sql); it != m_statements.cend())
        return *it;
    if (m_statements.size() >= kMaxStatements) {
        const auto cleared = run(QStringLiteral("DEALLOCATE ALL"));
        if (!cleared)
            return cleared.error();
        m_statements.clear();
    }
    const QByteArray name = "q" + QByteArray::number(++m_nextStatement);
    // Every parameter is text; the statement casts where it needs another type.
    QVarLengthArray<Oid, 16> types(paramCount, kTextOid);
    PgResult made(PQprepare(m_conn, name.constData(), sql.constData(), paramCount, types.constData()));
    if (PQresultStatus(made.get()) != PGRES_COMMAND_OK)
        return failure(made.get(), QStringLiteral("prepare"));
    m_statements.insert(sql, name);
    return name;
}

Result<void> Connection::inTransaction(const std::function<Result<void>()>& work)
{
    if (const auto begun = run(QStringLiteral("BEGIN")); !begun)
        return begun.error();
    m_inTransaction = true;
    Result<void> done = work();
    if (done) {
        if (const auto committed = run(QStringLiteral("COMMIT")); !committed)
            done = committed.error();
    }
    if (!done && PQstatus(m_conn) == CONNECTION_OK)
        (void)run(QStringLiteral("ROLLBACK"));
    m_inTransaction = false;
    return done;
}

} // namespace quenlow::postgres
