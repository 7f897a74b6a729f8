// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/PostgresAnswersStore.h"

#include "database/AnswerColumns.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeDatabase>
#include <QRandomGenerator>
#include <QUrl>
#include <QUrlQuery>
#include <QVarLengthArray>

#include <libpq-fe.h>

namespace quenlow {

namespace {

// The lock a change of columns takes alone and each batch of rows shares; one
// key per database ("Quenlow" in ASCII).
const QString kLockColumns = QStringLiteral("SELECT %1(22928551618310007)");
// Everything the store keeps besides the answers, out of the way of any
// answers table's name.
const QString kArrivals = QStringLiteral("quenlow.arrivals");
constexpr qsizetype kMaxIdentifierBytes = 63;
// The row id: upper case, which no folded name of a question has.
const QString kId = QStringLiteral("\"ID\"");
constexpr int kTextOid = 25;
constexpr int kMemoOid = 25; // text; a plain question's column is varchar
constexpr qsizetype kMaxStatements = 64;
// Folds ASCII letters only, as the designer compares names.
const QString kFold
    = QStringLiteral("translate(%1, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')");

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

// Where a published form's collecting settings are kept.
QString formSettingsKey(const QString& form)
{
    return QStringLiteral("form settings:") + form;
}

QString quote(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString tableRef(const QString& table)
{
    return QStringLiteral("answers.") + quote(PostgresAnswersStore::physicalName(table));
}

QString columnRef(const QString& column)
{
    return quote(PostgresAnswersStore::physicalName(column));
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

QString text(const pg_result* r, int row, int column)
{
    return QString::fromUtf8(PQgetvalue(r, row, column), PQgetlength(r, row, column));
}

qint64 number(const pg_result* r, int row, int column)
{
    return PQgetisnull(r, row, column) ? -1 : QByteArray(PQgetvalue(r, row, column)).toLongLong();
}

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

QString isoTime(const QDateTime& t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString();
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

} // namespace

void PostgresAnswersStore::ResultDeleter::operator()(pg_result* r) const
{
    PQclear(r);
}

QString PostgresAnswersStore::physicalName(const QString& name)
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

QString PostgresAnswersStore::withoutPassword(const QString& url)
{
    QUrl u(url);
    if (!u.isValid())
        return QStringLiteral("postgresql://…");
    u.setPassword(QString());
    QUrlQuery query(u);
    query.removeAllQueryItems(QStringLiteral("password"));
    u.setQuery(query);
    return u.toString();
}

PostgresAnswersStore::PostgresAnswersStore(pg_conn* conn, const QString& location)
    : m_conn(conn)
    , m_location(location)
{
}

PostgresAnswersStore::~PostgresAnswersStore()
{
    PQfinish(m_conn);
}

namespace {

enum class Opening { Open, Create };

Result<std::shared_ptr<AnswersStore>> reach(
    const QString& url, Opening how, const std::function<PostgresAnswersStore*(pg_conn*)>& make)
{
    const QString where = PostgresAnswersStore::withoutPassword(url);
    pg_conn* conn = connectTo(url);
    if (PQstatus(conn) != CONNECTION_OK) {
        // Tell a missing database from a server that cannot be reached.
        const QString why = messageOf(conn);
        const QByteArray name = PQdb(conn) ? QByteArray(PQdb(conn)) : QByteArray();
        PQfinish(conn);
        pg_conn* admin = connectTo(url, "postgres");
        const auto fail = [&](Error e) {
            PQfinish(admin);
            return Result<std::shared_ptr<AnswersStore>>(std::move(e));
        };
        if (PQstatus(admin) != CONNECTION_OK || name.isEmpty())
            return fail(Error { Error::Io, QStringLiteral("%1: %2").arg(where, why) });
        const char* params[] = { name.constData() };
        PostgresAnswersStore::PgResult found(PQexecParams(
            admin, "SELECT 1 FROM pg_database WHERE datname = $1", 1, nullptr, params, nullptr, nullptr, 0));
        if (PQresultStatus(found.get()) != PGRES_TUPLES_OK)
            return fail(Error { Error::Io, QStringLiteral("%1: %2").arg(where, messageOf(admin)) });
        if (PQntuples(found.get()) > 0)
            return fail(Error { Error::Io, QStringLiteral("%1: %2").arg(where, why) });
        if (how == Opening::Open)
            return fail(Error { Error::NotFound,
                QStringLiteral("%1: there is no database %2 on the server")
                    .arg(where, QString::fromUtf8(name)) });
        const QByteArray sql
            = "CREATE DATABASE " + quote(QString::fromUtf8(name)).toUtf8() + " ENCODING 'UTF8'";
        PostgresAnswersStore::PgResult made(PQexec(admin, sql.constData()));
        if (PQresultStatus(made.get()) != PGRES_COMMAND_OK && stateOf(made.get()) != "42P04")
            return fail(Error { Error::Io, QStringLiteral("%1: %2").arg(where, messageOf(admin)) });
        PQfinish(admin);
        conn = connectTo(url);
        if (PQstatus(conn) != CONNECTION_OK) {
            const QString again = messageOf(conn);
            PQfinish(conn);
            return Error { Error::Io, QStringLiteral("%1: %2").arg(where, again) };
        }
    }
    const auto closeWith = [&](Error e) {
        PQfinish(conn);
        return Result<std::shared_ptr<AnswersStore>>(std::move(e));
    };
    PostgresAnswersStore::PgResult has(PQexec(conn,
        "SELECT to_regclass('quenlow.arrivals') IS NOT NULL, EXISTS (SELECT 1 FROM pg_attribute "
        "WHERE attrelid = to_regclass('quenlow.arrivals') AND attname = 'changed')"));
    if (PQresultStatus(has.get()) != PGRES_TUPLES_OK)
        return closeWith(Error { Error::Io, QStringLiteral("%1: %2").arg(where, messageOf(conn)) });
    const bool present = QByteArray(PQgetvalue(has.get(), 0, 0)) == "t";
    if (how == Opening::Open && present && QByteArray(PQgetvalue(has.get(), 0, 1)) != "t") {
        // A store made before answers could be replaced: the change times go
        // beside the arrivals. Another server may add the column at the same moment.
        PostgresAnswersStore::PgResult added(
            PQexec(conn, "ALTER TABLE quenlow.arrivals ADD COLUMN IF NOT EXISTS changed text"));
        if (PQresultStatus(added.get()) != PGRES_COMMAND_OK)
            return closeWith(Error {
                kindOfState(stateOf(added.get())), QStringLiteral("%1: %2").arg(where, messageOf(conn)) });
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
        PostgresAnswersStore::PgResult made(PQexec(conn, script.constData()));
        if (PQresultStatus(made.get()) != PGRES_COMMAND_OK) {
            const QByteArray state = stateOf(made.get());
            const QString why = messageOf(conn);
            return closeWith(Error { state == "42P06" ? Error::Duplicate : kindOfState(state),
                QStringLiteral("%1: %2").arg(where, why) });
        }
    }
    return std::shared_ptr<AnswersStore>(make(conn));
}

} // namespace

Result<std::shared_ptr<AnswersStore>> PostgresAnswersStore::open(const QString& url)
{
    return reach(
        url, Opening::Open, [&](pg_conn* c) { return new PostgresAnswersStore(c, withoutPassword(url)); });
}

Result<std::shared_ptr<AnswersStore>> PostgresAnswersStore::create(const QString& url)
{
    return reach(
        url, Opening::Create, [&](pg_conn* c) { return new PostgresAnswersStore(c, withoutPassword(url)); });
}

Error PostgresAnswersStore::failure(pg_result* result, const QString& what) const
{
    const char* message = result ? PQresultErrorMessage(result) : nullptr;
    QString why = message && *message ? QString::fromUtf8(message).simplified() : messageOf(m_conn);
    const QByteArray state = stateOf(result);
    return { state.isEmpty() ? (PQstatus(m_conn) == CONNECTION_OK ? Error::Other : Error::Io)
                             : kindOfState(state),
        what + QStringLiteral(": ") + why };
}

Error PostgresAnswersStore::connectionFailure(const QString& what) const
{
    return { Error::Io, QStringLiteral("%1: %2: %3").arg(m_location, what, messageOf(m_conn)) };
}

bool PostgresAnswersStore::reconnect()
{
    // Prepared statements and temporary tables went with the old session.
    m_statements.clear();
    m_columns.clear();
    m_columnsVersion = -1;
    m_inTransaction = false;
    ++m_session;
    PQreset(m_conn);
    return PQstatus(m_conn) == CONNECTION_OK;
}

Result<PostgresAnswersStore::PgResult> PostgresAnswersStore::run(
    const QString& sql, const Params& params, bool binaryResult)
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

Result<QByteArray> PostgresAnswersStore::prepared(const QByteArray& sql, int paramCount)
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

Result<void> PostgresAnswersStore::inTransaction(const std::function<Result<void>()>& work)
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

Result<void> PostgresAnswersStore::changeColumns(const std::function<Result<void>()>& work)
{
    return inTransaction([&]() -> Result<void> {
        // First, before any table is locked: writers hold the columns lock
        // shared for their batch, so the change waits for their open batches
        // and theirs for it, and each of them then sees the new version.
        if (const auto locked = run(kLockColumns.arg(QStringLiteral("pg_advisory_xact_lock"))); !locked)
            return locked.error();
        if (const auto bumped
            = run(QStringLiteral("UPDATE quenlow.columns_version SET version = version + 1"));
            !bumped)
            return bumped.error();
        return work();
    });
}

Result<bool> PostgresAnswersStore::tableExists(const QString& table)
{
    const auto r
        = run(QStringLiteral("SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                             "WHERE n.nspname = 'answers' AND c.relname = $1 AND c.relkind = 'r'"),
            { physicalName(table) });
    if (!r)
        return r.error();
    return PQntuples(r->get()) > 0;
}

Result<QStringList> PostgresAnswersStore::tables()
{
    const auto r
        = run(QStringLiteral("SELECT coalesce(obj_description(c.oid, 'pg_class'), c.relname) FROM pg_class c "
                             "JOIN pg_namespace n ON n.oid = c.relnamespace "
                             "WHERE n.nspname = 'answers' AND c.relkind = 'r' ORDER BY c.oid"));
    if (!r)
        return r.error();
    QStringList names;
    for (int i = 0; i < PQntuples(r->get()); ++i)
        names.append(text(r->get(), i, 0));
    return names;
}

namespace {

QString commentOn(pg_conn* conn, const QString& what, const QString& name)
{
    const QByteArray utf8 = name.toUtf8();
    char* literal = PQescapeLiteral(conn, utf8.constData(), size_t(utf8.size()));
    const QString sql
        = QStringLiteral("COMMENT ON %1 IS %2").arg(what, QString::fromUtf8(literal ? literal : "NULL"));
    PQfreemem(literal);
    return sql;
}

} // namespace

Result<void> PostgresAnswersStore::createTable(const QString& table, const QString& firstColumn)
{
    return changeColumns([&]() -> Result<void> {
        // Without IF NOT EXISTS: a name taken, also in another ASCII case, fails.
        const QString ref = tableRef(table);
        for (const QString& sql :
            { QStringLiteral(
                  "CREATE TABLE %1 (%2 bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, %3 varchar)")
                    .arg(ref, kId, columnRef(firstColumn)),
                commentOn(m_conn, QStringLiteral("TABLE ") + ref, table),
                commentOn(
                    m_conn, QStringLiteral("COLUMN %1.%2").arg(ref, columnRef(firstColumn)), firstColumn) }) {
            if (const auto r = run(sql); !r) {
                if (r.error().kind == Error::Duplicate)
                    return Error { Error::Duplicate, QStringLiteral("the name %1 is taken").arg(table) };
                return r.error();
            }
        }
        return {};
    });
}

Result<void> PostgresAnswersStore::dropTable(const QString& table)
{
    return changeColumns([&]() -> Result<void> {
        if (const auto r = run(QStringLiteral("DROP TABLE %1").arg(tableRef(table))); !r)
            return r.error();
        if (const auto r = run(QStringLiteral("DELETE FROM %1 WHERE answers_table = $1").arg(kArrivals),
                { physicalName(table) });
            !r)
            return r.error();
        return {};
    });
}

Result<void> PostgresAnswersStore::renameTable(const QString& from, const QString& to)
{
    return changeColumns([&]() -> Result<void> {
        const QString target = physicalName(to);
        if (target != physicalName(from)) {
            if (const auto r
                = run(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(tableRef(from), quote(target)));
                !r)
                return r.error();
        }
        // The arrivals are keyed by the table's name: they go with the rows.
        if (const auto r = run(commentOn(m_conn, QStringLiteral("TABLE ") + tableRef(to), to)); !r)
            return r.error();
        if (const auto r
            = run(QStringLiteral("UPDATE %1 SET answers_table = $2 WHERE answers_table = $1").arg(kArrivals),
                { physicalName(from), target });
            !r)
            return r.error();
        return {};
    });
}

Result<void> PostgresAnswersStore::copyTable(const QString& from, const QString& to, bool withRows)
{
    return changeColumns([&]() -> Result<void> {
        const QString source = tableRef(from);
        const QString copy = tableRef(to);
        // The columns with their kinds and original names (kept as comments),
        // and an identity of the copy's own.
        QStringList statements { QStringLiteral(
                                     "CREATE TABLE %1 (LIKE %2 INCLUDING DEFAULTS INCLUDING IDENTITY "
                                     "INCLUDING CONSTRAINTS INCLUDING INDEXES INCLUDING COMMENTS)")
                                     .arg(copy, source),
            commentOn(m_conn, QStringLiteral("TABLE ") + copy, to) };
        if (withRows) {
            statements
                << QStringLiteral("INSERT INTO %1 OVERRIDING SYSTEM VALUE SELECT * FROM %2").arg(copy, source)
                << QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'ID'), "
                                  "COALESCE((SELECT max(%2) FROM %3), 0) + 1, false)")
                       .arg(QString(copy).replace(QLatin1Char('\''), QStringLiteral("''")), kId, copy);
        }
        for (const QString& sql : std::as_const(statements)) {
            if (const auto r = run(sql); !r)
                return r.error();
        }
        if (withRows) {
            if (const auto r
                = run(QStringLiteral("INSERT INTO %1 (answers_table, row_id, arrived, changed) "
                                     "SELECT $2, row_id, arrived, changed FROM %1 WHERE answers_table = $1")
                          .arg(kArrivals),
                    { physicalName(from), physicalName(to) });
                !r)
                return r.error();
        }
        return {};
    });
}

Result<QList<AnswersStore::Column>> PostgresAnswersStore::columns(const QString& table)
{
    const auto r
        = run(QStringLiteral("SELECT a.attname, col_description(c.oid, a.attnum), a.atttypid FROM pg_class c "
                             "JOIN pg_namespace n ON n.oid = c.relnamespace "
                             "LEFT JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 "
                             "AND NOT a.attisdropped AND a.attname <> 'ID' "
                             "WHERE n.nspname = 'answers' AND c.relname = $1 AND c.relkind = 'r' "
                             "ORDER BY a.attnum"),
            { physicalName(table) });
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
    QList<Column> result;
    for (int i = 0; i < PQntuples(r->get()); ++i) {
        if (PQgetisnull(r->get(), i, 0))
            continue;
        const int column = PQgetisnull(r->get(), i, 1) ? 0 : 1;
        result.append({ text(r->get(), i, column),
            number(r->get(), i, 2) == kMemoOid ? ColumnKind::Memo : ColumnKind::Text });
    }
    return result;
}

Result<void> PostgresAnswersStore::addColumnNow(
    const QString& table, const QString& column, bool memo, const QString& olderRowsText, bool fill)
{
    const QString ref = tableRef(table);
    const QString col = columnRef(column);
    const QString type = memo ? QStringLiteral("text") : QStringLiteral("varchar");
    if (fill) {
        // A constant default gives the rows already there their text without
        // rewriting the table (the writers wait for this transaction); rows
        // stored later get none.
        const QByteArray utf8 = olderRowsText.toUtf8();
        char* literal = PQescapeLiteral(m_conn, utf8.constData(), size_t(utf8.size()));
        if (!literal)
            return connectionFailure(QStringLiteral("add column %1").arg(column));
        const QString older = QString::fromUtf8(literal);
        PQfreemem(literal);
        if (const auto r
            = run(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3 DEFAULT %4").arg(ref, col, type, older));
            !r)
            return r.error();
        if (const auto r = run(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 DROP DEFAULT").arg(ref, col));
            !r)
            return r.error();
    } else if (const auto r = run(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(ref, col, type));
               !r) {
        return r.error();
    }
    if (const auto r = run(commentOn(m_conn, QStringLiteral("COLUMN %1.%2").arg(ref, col), column)); !r)
        return r.error();
    return {};
}

Result<void> PostgresAnswersStore::addColumn(
    const QString& table, const QString& column, ColumnKind kind, const QString& olderRowsText)
{
    return changeColumns([&]() -> Result<void> {
        if (const auto may = mayAddColumn(table, column); !may)
            return may;
        return addColumnNow(table, column, kind == ColumnKind::Memo, olderRowsText, true);
    });
}

Result<void> PostgresAnswersStore::renameColumn(const QString& table, const QString& from, const QString& to)
{
    return changeColumns([&]() -> Result<void> {
        // A change of case only is a rename of the same column: only its comment changes.
        if (const auto may = mayRenameColumn(table, from, to); !may)
            return may;
        const QString ref = tableRef(table);
        if (physicalName(from) != physicalName(to)) {
            if (const auto r = run(QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                                       .arg(ref, columnRef(from), columnRef(to)));
                !r)
                return r.error();
        }
        if (const auto r = run(commentOn(m_conn, QStringLiteral("COLUMN %1.%2").arg(ref, columnRef(to)), to));
            !r)
            return r.error();
        return {};
    });
}

Result<void> PostgresAnswersStore::dropColumn(const QString& table, const QString& column)
{
    return changeColumns([&]() -> Result<void> {
        if (const auto may = mayDropColumn(table, column); !may)
            return may;
        if (const auto r
            = run(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(tableRef(table), columnRef(column)));
            !r)
            return r.error();
        return {};
    });
}

Result<qint64> PostgresAnswersStore::count(const QString& table)
{
    const auto r = run(QStringLiteral("SELECT count(*) FROM %1").arg(tableRef(table)));
    if (!r)
        return r.error();
    return number(r->get(), 0, 0);
}

Result<QStringList> PostgresAnswersStore::restoreColumns(
    const QString& table, const QList<Column>& target, const QString& olderRowsText, Restore how)
{
    QStringList kept;
    const Result<void> done = changeColumns([&]() -> Result<void> {
        const auto current = columns(table);
        if (!current)
            return current.error();
        auto [added, removed, renamed] = diffColumns(*current, target, how);
        const auto rows = count(table);
        if (!rows)
            return rows.error();
        const QString ref = tableRef(table);
        if (renamed) {
            const auto& [from, to] = *renamed;
            if (const auto r = run(QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                                       .arg(ref, columnRef(from), columnRef(to)));
                !r)
                return r.error();
            if (const auto r
                = run(commentOn(m_conn, QStringLiteral("COLUMN %1.%2").arg(ref, columnRef(to)), to));
                !r)
                return r.error();
        }
        for (const Column& c : std::as_const(removed)) {
            // A column that has answers by now keeps them; the form no longer asks it.
            bool answered = false;
            if (*rows > 0) {
                const auto r = run(
                    QStringLiteral("SELECT 1 FROM %1 WHERE %2 IS NOT NULL AND %2 IS DISTINCT FROM $1 LIMIT 1")
                        .arg(ref, columnRef(c.name)),
                    { olderRowsText });
                answered = !r || PQntuples(r->get()) > 0;
            }
            if (answered)
                kept.append(c.name);
            else if (const auto r
                     = run(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(ref, columnRef(c.name)));
                     !r)
                return r.error();
        }
        for (const Column& c : std::as_const(added)) {
            // As when the question was added: older answers say they came before it.
            if (const auto r = addColumnNow(table, c.name, c.isMemo(), olderRowsText, *rows > 0); !r)
                return r;
        }
        // A column put back goes back to its place, while the table is empty.
        const auto now = columns(table);
        if (!now)
            return now.error();
        if (how == Restore::Undo && *rows == 0 && !added.isEmpty() && kept.isEmpty() && *now != target) {
            if (const auto r = run(QStringLiteral("DROP TABLE %1").arg(ref)); !r)
                return r.error();
            if (const auto r = run(
                    QStringLiteral("CREATE TABLE %1 (%2 bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY)")
                        .arg(ref, kId));
                !r)
                return r.error();
            if (const auto r = run(commentOn(m_conn, QStringLiteral("TABLE ") + ref, table)); !r)
                return r.error();
            for (const Column& c : target) {
                if (const auto r = addColumnNow(table, c.name, c.isMemo(), QString(), false); !r)
                    return r;
            }
        }
        return {};
    });
    if (!done)
        return done.error();
    return kept;
}

Result<bool> PostgresAnswersStore::columnHoldsAnswers(const QString& table, const QString& column)
{
    const auto r = run(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2 IS NOT NULL)")
                           .arg(tableRef(table), columnRef(column)));
    if (!r)
        return r.error();
    return QByteArray(PQgetvalue(r->get(), 0, 0)) == "t";
}

Result<qint64> PostgresAnswersStore::rowCount(const QString& table)
{
    const auto n = count(table);
    if (n.failedWith(Error::NotFound))
        return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
    return n;
}

Result<AnswersStore::RowSpan> PostgresAnswersStore::rowSpan(const QString& table)
{
    const auto r = run(QStringLiteral("SELECT min(%1), max(%1), count(*) FROM %2").arg(kId, tableRef(table)));
    if (!r)
        return r.error();
    RowSpan span;
    span.count = number(r->get(), 0, 2);
    if (span.count > 0) {
        span.first = number(r->get(), 0, 0);
        span.last = number(r->get(), 0, 1);
    }
    return span;
}

Result<QList<AnswersStore::Row>> PostgresAnswersStore::rowsOf(
    const QString& sql, const Params& params, int valueCount, bool withArrival)
{
    const auto r = run(sql, params);
    if (!r)
        return r.error();
    const pg_result* res = r->get();
    QList<Row> rows;
    const int n = PQntuples(res);
    rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        Row row;
        row.id = number(res, i, 0);
        // With the arrival, column 2 is the change time and the values follow it.
        if (withArrival) {
            row.arrivedAt = timeFrom(res, i, 1);
            row.changedAt = timeFrom(res, i, 2);
        }
        const int first = withArrival ? 3 : 2;
        row.values.reserve(valueCount);
        for (int c = first; c < first + valueCount; ++c)
            row.values.append(PQgetisnull(res, i, c) ? QVariant() : QVariant(text(res, i, c)));
        rows.append(std::move(row));
    }
    return rows;
}

namespace {

QString selectedColumns(const QStringList& columns)
{
    QString selected;
    for (const QString& c : columns)
        selected += QStringLiteral(", t.") + columnRef(c);
    return selected;
}

} // namespace

Result<QList<AnswersStore::Row>> PostgresAnswersStore::readRows(
    const QString& table, const QStringList& columns, qint64 afterId, qint64 limit, bool arrivals)
{
    const QString arrival = arrivals
        ? QStringLiteral(
            "(SELECT a.arrived FROM %1 a WHERE a.answers_table = $1 AND "
            "a.row_id = t.%2 LIMIT 1), (SELECT a.changed FROM %1 a WHERE a.answers_table = $1 AND "
            "a.row_id = t.%2 LIMIT 1)")
              .arg(kArrivals, kId)
        : QStringLiteral("NULL::text");
    const QString sql = QStringLiteral("SELECT t.%1, %2%3 FROM %4 t WHERE t.%1 > %5 ORDER BY t.%1 LIMIT %6")
                            .arg(kId, arrival, selectedColumns(columns), tableRef(table),
                                QString::number(afterId), QString::number(qMax<qint64>(limit, 0)));
    return rowsOf(sql, arrivals ? Params { physicalName(table) } : Params {}, int(columns.size()), arrivals);
}

Result<qint64> PostgresAnswersStore::visitRows(const QString& table, const QStringList& columns,
    qint64 afterId, qint64 limit, const std::function<void(qint64 id, RawValues values)>& visit)
{
    // The server sends UTF-8 text already: hand it over as it came.
    const QString sql = QStringLiteral("SELECT t.%1%2 FROM %3 t WHERE t.%1 > %4 ORDER BY t.%1 LIMIT %5")
                            .arg(kId, selectedColumns(columns), tableRef(table), QString::number(afterId),
                                QString::number(qMax<qint64>(limit, 0)));
    const auto r = run(sql);
    if (!r)
        return r.error();
    const pg_result* res = r->get();
    const int n = PQntuples(res);
    QVarLengthArray<std::optional<QByteArrayView>, 16> values(columns.size());
    for (int i = 0; i < n; ++i) {
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const int column = int(c) + 1;
            if (PQgetisnull(res, i, column))
                values[c].reset();
            else
                values[c] = QByteArrayView(PQgetvalue(res, i, column), PQgetlength(res, i, column));
        }
        visit(number(res, i, 0), RawValues(values.constData(), size_t(values.size())));
    }
    return qint64(n);
}

Result<qint64> PostgresAnswersStore::orderRows(const QString& table, const RowOrder& order)
{
    // The matching ids in the order shown, numbered from 0, in a temporary
    // table of this session. Letters compare as the embedded store does:
    // ASCII case folded, everything else byte by byte.
    QString by = QStringLiteral("t.") + kId;
    if (!order.sortColumn.isEmpty())
        by = kFold.arg(QStringLiteral("t.") + columnRef(order.sortColumn))
            + (order.descending ? QStringLiteral(" COLLATE \"C\" DESC NULLS LAST, t.")
                                : QStringLiteral(" COLLATE \"C\" ASC NULLS FIRST, t."))
            + kId;
    QString sql = QStringLiteral(
        "INSERT INTO pg_temp.answer_order (position, id) SELECT row_number() OVER (ORDER BY %1) - 1, "
        "t.%2 FROM %3 t")
                      .arg(by, kId, tableRef(table));
    Params params;
    if (!order.filter.isEmpty()) {
        QStringList matches;
        for (const QString& column : order.filterColumns)
            matches.append(QStringLiteral("strpos(%1, %2) > 0")
                               .arg(kFold.arg(QStringLiteral("t.") + columnRef(column)),
                                   kFold.arg(QStringLiteral("$1"))));
        sql += QStringLiteral(" WHERE ")
            + (matches.isEmpty() ? QStringLiteral("false") : matches.join(QStringLiteral(" OR ")));
        params.append(order.filter);
    }
    if (const auto r = run(QStringLiteral("DROP TABLE IF EXISTS pg_temp.answer_order")); !r)
        return r.error();
    if (const auto r
        = run(QStringLiteral("CREATE TEMP TABLE answer_order (position bigint PRIMARY KEY, id bigint)"));
        !r)
        return r.error();
    if (const auto r = run(sql, params); !r)
        return r.error();
    const auto n = run(QStringLiteral("SELECT count(*) FROM pg_temp.answer_order"));
    if (!n)
        return n.error();
    m_order = { table, order };
    m_orderSession = m_session;
    return number(n->get(), 0, 0);
}

Result<QList<AnswersStore::Row>> PostgresAnswersStore::orderedRows(
    const QString& table, const QStringList& columns, qint64 position, qint64 limit)
{
    const QString sql
        = QStringLiteral("SELECT t.%1, NULL::text%2 FROM pg_temp.answer_order o JOIN %3 t ON t.%1 = o.id "
                         "WHERE o.position >= %4 ORDER BY o.position LIMIT %5")
              .arg(kId, selectedColumns(columns), tableRef(table), QString::number(position),
                  QString::number(qMax<qint64>(limit, 0)));
    auto rows = rowsOf(sql, {}, int(columns.size()), false);
    // The order lived in a session that is gone (the server restarted):
    // made again in this one.
    if (!rows && m_order && m_orderSession != m_session && PQstatus(m_conn) == CONNECTION_OK) {
        const auto order = *m_order;
        if (orderRows(order.first, order.second))
            rows = rowsOf(sql, {}, int(columns.size()), false);
    }
    return rows;
}

Result<QList<qint64>> PostgresAnswersStore::countMatches(
    const QString& table, const QString& column, const QStringList& values)
{
    // Compared as stored: equality of text is byte equality.
    const auto r = run(QStringLiteral("SELECT %1, count(*) FROM %2 WHERE %1 = ANY ($1::text[]) GROUP BY %1")
                           .arg(columnRef(column), tableRef(table)),
        { Param(arrayOf(values)) });
    if (!r)
        return r.error().kind == Error::Duplicate ? Error { Error::Other, r.error().detail } : r.error();
    QHash<QString, qint64> counts;
    for (int i = 0; i < PQntuples(r->get()); ++i)
        counts.insert(text(r->get(), i, 0), number(r->get(), i, 1));
    QList<qint64> result;
    result.reserve(values.size());
    for (const QString& value : values)
        result.append(counts.value(value));
    return result;
}

Result<void> PostgresAnswersStore::deleteRows(const QString& table, const QList<qint64>& ids)
{
    QByteArray list = "{";
    for (qsizetype i = 0; i < ids.size(); ++i)
        list += (i ? "," : "") + QByteArray::number(ids.at(i));
    list += '}';
    return inTransaction([&]() -> Result<void> {
        if (const auto r
            = run(QStringLiteral("DELETE FROM %1 WHERE %2 = ANY ($1::bigint[])").arg(tableRef(table), kId),
                { Param(list) });
            !r)
            return r.error();
        // The token stays: the same page sent again must not store its answers anew.
        if (const auto r
            = run(QStringLiteral(
                      "UPDATE %1 SET row_id = NULL WHERE answers_table = $1 AND row_id = ANY ($2::bigint[])")
                      .arg(kArrivals),
                { physicalName(table), Param(list) });
            !r)
            return r.error();
        return {};
    });
}

void PostgresAnswersStore::forgetSchema()
{
    m_columns.clear();
    m_columnsVersion = -1;
}

Result<const PostgresAnswersStore::TableColumns*> PostgresAnswersStore::columnsOf(const QString& table)
{
    const QString physical = physicalName(table);
    auto it = m_columns.find(physical);
    if (it == m_columns.end()) {
        TableColumns columns;
        const auto r
            = run(QStringLiteral(
                      "SELECT a.attname, pg_get_serial_sequence(c.oid::regclass::text, 'ID') "
                      "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                      "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 AND NOT a.attisdropped "
                      "AND a.attname <> 'ID' "
                      "WHERE n.nspname = 'answers' AND c.relname = $1 AND c.relkind = 'r' ORDER BY a.attnum"),
                { physical });
        if (!r)
            return r.error();
        for (int i = 0; i < PQntuples(r->get()); ++i) {
            // Physical names are folded already.
            const QString name = text(r->get(), i, 0);
            columns.byFoldedName.insert(name, int(columns.physical.size()));
            columns.physical.append(name);
            columns.sequence = text(r->get(), i, 1);
        }
        it = m_columns.insert(physical, columns);
    }
    return it->physical.isEmpty() ? nullptr : &std::as_const(*it);
}

Result<QList<AnswersStore::Inserted>> PostgresAnswersStore::insertRows(const QList<NewRow>& rows)
{
    bool sentCommit = false;
    auto done = insertBatch(rows, &sentCommit, false);
    // Once more when the batch failed for a reason that a fresh look at the
    // columns or a new connection mends: a column the designer dropped in
    // between, the server restarted. Never after the commit was sent: it may
    // have been stored.
    if (!done && !sentCommit) {
        const bool lost = PQstatus(m_conn) != CONNECTION_OK;
        // A table renamed in between, or a column, a cached plan or statement gone.
        const bool stale = done.failedWith(Error::Stale) || done.failedWith(Error::NotFound);
        if (lost || stale) {
            forgetSchema();
            if (!lost || reconnect())
                done = insertBatch(rows, &sentCommit, true);
        }
    }
    return done;
}

Result<QList<AnswersStore::Inserted>> PostgresAnswersStore::insertBatch(
    const QList<NewRow>& rows, bool* sentCommit, bool lockFirst)
{
    *sentCommit = false;
    const QByteArray lock = kLockColumns.arg(QStringLiteral("pg_advisory_xact_lock_shared")).toUtf8();
    const auto abandon = [this](const Error& e) -> Result<QList<Inserted>> {
        if (m_inTransaction && PQstatus(m_conn) == CONNECTION_OK)
            (void)run(QStringLiteral("ROLLBACK"));
        m_inTransaction = false;
        forgetSchema();
        return e;
    };
    // Again after the columns changed under a batch: this time the columns
    // are read under the lock, so that no change can come in between.
    if (lockFirst) {
        if (const auto begun = run(QStringLiteral("BEGIN")); !begun)
            return begun.error();
        m_inTransaction = true;
        if (const auto locked = run(QString::fromUtf8(lock)); !locked)
            return abandon(locked.error());
        forgetSchema();
    }
    // The columns as this connection last saw them, and their version: the
    // batch checks in the server that the version is still that one.
    if (m_columnsVersion < 0) {
        const auto version = run(QStringLiteral("SELECT version FROM quenlow.columns_version"));
        if (!version)
            return abandon(version.error());
        m_columns.clear();
        m_columnsVersion = number(version->get(), 0, 0);
    }

    // Everything that needs an answer before sending: the columns and the
    // prepared statements. Then the whole transaction goes in one pipeline,
    // one round trip.
    QList<Inserted> results(rows.size());
    struct Pending {
        qsizetype row;
        QByteArray statement;
        Params params;
    };
    QList<Pending> pending;
    pending.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const NewRow& row = rows.at(i);
        if (row.skip && row.skip()) {
            results[i] = { Inserted::Skipped, -1 };
            continue;
        }
        const auto found = columnsOf(row.table);
        if (!found)
            return abandon(found.error());
        if (!*found) {
            results[i] = { Inserted::NoSuchTable, -1 };
            continue;
        }
        Pending p { i, {}, {} };
        const QByteArray sql = insertStatement(row, **found, &p.params);
        const auto name = prepared(sql, int(p.params.size()));
        if (!name)
            return abandon(name.error());
        p.statement = *name;
        pending.append(std::move(p));
    }
    if (pending.isEmpty()) {
        if (lockFirst)
            (void)run(QStringLiteral("ROLLBACK"));
        m_inTransaction = false;
        return results;
    }

    // BEGIN; the columns lock, held shared until the commit, so that a change
    // of columns waits for this batch and a batch begun after a change sees
    // it (an advisory lock: row locks shared by several servers' batches at
    // once would each be written into the row); the check of the version, a
    // statement of its own whose snapshot is taken once the lock is held,
    // failing (division by zero) when the columns changed since they were
    // read; the rows; COMMIT.
    const QByteArray version = QByteArray::number(m_columnsVersion);
    const char* versionValue = version.constData();
    if (!PQenterPipelineMode(m_conn))
        return connectionFailure(QStringLiteral("store the answers"));
    bool sent = lockFirst
        || (PQsendQueryParams(m_conn, "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0)
            && PQsendQueryParams(m_conn, lock.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0)
            && PQsendQueryParams(m_conn,
                "SELECT 1 / (CASE WHEN version = $1::bigint THEN 1 ELSE 0 END) FROM quenlow.columns_version",
                1, nullptr, &versionValue, nullptr, nullptr, 0));
    for (const Pending& p : std::as_const(pending)) {
        QVarLengthArray<const char*, 16> values;
        for (const Param& param : p.params)
            values.append(param.value ? param.value->constData() : nullptr);
        sent = sent
            && PQsendQueryPrepared(
                m_conn, p.statement.constData(), int(values.size()), values.constData(), nullptr, nullptr, 0);
    }
    sent = sent && PQsendQueryParams(m_conn, "COMMIT", 0, nullptr, nullptr, nullptr, nullptr, 0);
    sent = PQpipelineSync(m_conn) && sent;
    // From here on the rows may be stored, unless a result says otherwise.
    *sentCommit = sent;
    m_inTransaction = true;

    std::optional<Error> failed;
    bool columnsChanged = false;
    bool committed = false;
    const auto next = [this]() {
        PgResult r(PQgetResult(m_conn));
        // Each result is followed by a null that ends it.
        while (PGresult* extra = PQgetResult(m_conn))
            PQclear(extra);
        return r;
    };
    const auto expect = [&](ExecStatusType wanted, const QString& what) -> PgResult {
        PgResult r = next();
        if (failed)
            return r;
        if (!r) {
            failed = connectionFailure(what);
        } else if (PQresultStatus(r.get()) != wanted) {
            failed = failure(r.get(), what);
        }
        return r;
    };
    if (!lockFirst) {
        expect(PGRES_COMMAND_OK, QStringLiteral("begin"));
        expect(PGRES_TUPLES_OK, QStringLiteral("lock the columns"));
        PgResult check = next();
        if (!failed && (!check || PQresultStatus(check.get()) != PGRES_TUPLES_OK)) {
            columnsChanged
                = check && QByteArray(PQresultErrorField(check.get(), PG_DIAG_SQLSTATE)) == "22012";
            failed = check ? failure(check.get(), QStringLiteral("check the columns"))
                           : connectionFailure(QStringLiteral("check the columns"));
        }
    }
    for (const Pending& p : std::as_const(pending)) {
        const PgResult r = expect(PGRES_TUPLES_OK, QStringLiteral("store the answers"));
        if (failed)
            continue;
        const pg_result* res = r.get();
        if (PQntuples(res) == 1 && !PQgetisnull(res, 0, 0))
            results[p.row] = { Inserted::Stored, number(res, 0, 0) };
        else if (PQntuples(res) == 1 && !PQgetisnull(res, 0, 1))
            results[p.row]
                = { PQnfields(res) > 2 && number(res, 0, 2) > 0 ? Inserted::Replaced : Inserted::Repeated,
                      number(res, 0, 1) };
        else
            results[p.row] = { Inserted::Repeated, -2 }; // looked up below
    }
    {
        PgResult r = next();
        if (!failed && r && PQresultStatus(r.get()) == PGRES_COMMAND_OK)
            committed = true;
        else if (!failed)
            failed = r ? failure(r.get(), QStringLiteral("commit"))
                       : connectionFailure(QStringLiteral("commit"));
        // A commit that came back aborted was never run: nothing was stored.
        if (r && PQresultStatus(r.get()) == PGRES_PIPELINE_ABORTED)
            *sentCommit = false;
    }
    if (PQstatus(m_conn) == CONNECTION_OK) {
        while (PGresult* r = PQgetResult(m_conn)) {
            const bool end = PQresultStatus(r) == PGRES_PIPELINE_SYNC;
            PQclear(r);
            if (end)
                break;
        }
    }
    PQexitPipelineMode(m_conn);
    if (!committed) {
        // The transaction the failure aborted stays open until rolled back.
        if (PQstatus(m_conn) == CONNECTION_OK)
            (void)run(QStringLiteral("ROLLBACK"));
        m_inTransaction = false;
        // A failed statement may have come from a stale cache; look afresh.
        forgetSchema();
        Error error = failed.value_or(connectionFailure(QStringLiteral("store the answers")));
        if (columnsChanged)
            error.kind = Error::Stale;
        return error;
    }
    m_inTransaction = false;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (results.at(i).outcome != Inserted::Repeated || results.at(i).rowId != -2)
            continue;
        // The first holder of the token committed after the statement began:
        // a new statement sees it.
        const auto first
            = run(QStringLiteral("SELECT coalesce(row_id, -1) FROM %1 WHERE token = $1").arg(kArrivals),
                { rows.at(i).token });
        if (!first)
            return first.error();
        if (PQntuples(first->get()) == 0)
            return Error { Error::Other,
                QStringLiteral("the token of a submission was neither stored nor found") };
        results[i].rowId = number(first->get(), 0, 0);
    }
    return results;
}

QByteArray PostgresAnswersStore::insertStatement(const NewRow& row, const TableColumns& table, Params* params)
{
    const QStringList& columns = table.physical;
    // Each column once, the first value for it winning, in table order so
    // that the same form always gives the same statement.
    QVarLengthArray<const std::optional<QString>*, 64> valueOf(columns.size(), nullptr);
    for (const auto& [field, value] : row.values) {
        const auto it = table.byFoldedName.constFind(physicalName(field));
        if (it == table.byFoldedName.cend() || valueOf[*it])
            continue;
        valueOf[*it] = &value;
    }
    // $1 table, $2 arrival, $3 token, $4 sequence, then the values.
    *params = { physicalName(row.table), isoTime(row.arrivedAt), row.token, table.sequence };
    QString names, marks, set, differs;
    for (int i = 0; i < columns.size(); ++i) {
        if (!valueOf[i])
            continue;
        const QString column = quote(columns.at(i));
        names += QStringLiteral(", ") + column;
        params->append(*valueOf[i] ? Param(**valueOf[i]) : Param(std::nullopt));
        const QString mark = QStringLiteral("$") + QString::number(params->size());
        marks += QStringLiteral(", ") + mark;
        set += (set.isEmpty() ? QString() : QStringLiteral(", ")) + column + QStringLiteral(" = ") + mark
            + QStringLiteral("::text");
        differs += (differs.isEmpty() ? QString() : QStringLiteral(" OR ")) + QStringLiteral("t.") + column
            + QStringLiteral(" IS DISTINCT FROM ") + mark + QStringLiteral("::text");
    }
    const QString ref = tableRef(row.table);
    if (!row.token.isEmpty()) {
        // The token is claimed first, with the id the row will get: a token
        // another server stores at the same moment makes this row a repeat
        // once that server's batch committed, instead of failing this batch.
        // A token stored before (seen by this statement) has its row's
        // answers replaced where they differ, and the change time noted.
        const QString replace = set.isEmpty()
            ? QStringLiteral("upd AS (SELECT NULL::bigint AS id WHERE false) ")
            : QStringLiteral(
                "prior AS (SELECT row_id FROM %1 WHERE token = $3 AND row_id IS NOT NULL), "
                "upd AS (UPDATE %2 t SET %3 FROM prior WHERE t.%4 = prior.row_id AND (%5) "
                "RETURNING t.%4 AS id), "
                "note AS (UPDATE %1 SET changed = $2 WHERE token = $3 AND EXISTS (SELECT 1 FROM upd)) ")
                  .arg(kArrivals, ref, set, kId, differs);
        return QStringLiteral(
            "WITH id AS (SELECT nextval($4::regclass) AS v), "
            "claim AS (INSERT INTO %1 (answers_table, row_id, arrived, token) SELECT $1, v, $2, $3 FROM id "
            "ON CONFLICT (token) DO NOTHING RETURNING row_id), "
            "ins AS (INSERT INTO %2 (%3%4) SELECT row_id%5 FROM claim RETURNING %3), %6"
            "SELECT (SELECT %3 FROM ins), (SELECT coalesce(row_id, -1) FROM %1 WHERE token = $3), "
            "(SELECT count(*) FROM upd)")
            .arg(kArrivals, ref, kId, names, marks, replace)
            .toUtf8();
    }
    if (row.arrivedAt.isValid()) {
        return QStringLiteral(
            "WITH ins AS (INSERT INTO %2 (%3%4) SELECT nextval($4::regclass)%5 RETURNING %3), "
            "a AS (INSERT INTO %1 (answers_table, row_id, arrived) SELECT $1, %3, $2 FROM ins) "
            "SELECT %3, NULL::bigint FROM ins")
            .arg(kArrivals, ref, kId, names, marks)
            .toUtf8();
    }
    return QStringLiteral("INSERT INTO %1 (%2%3) SELECT nextval($4::regclass)%4 RETURNING %2, NULL::bigint")
        .arg(ref, kId, names, marks)
        .toUtf8();
}

Result<std::optional<QDateTime>> PostgresAnswersStore::changeOf(const QString& table, qint64 rowId)
{
    const auto r = run(
        QStringLiteral("SELECT changed FROM %1 WHERE answers_table = $1 AND row_id = $2::bigint AND changed "
                       "IS NOT NULL")
            .arg(kArrivals),
        { physicalName(table), QString::number(rowId) });
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return std::optional<QDateTime>();
    return timeFrom(r->get(), 0, 0);
}

Result<std::optional<QDateTime>> PostgresAnswersStore::arrivalOf(const QString& table, qint64 rowId)
{
    const auto r
        = run(QStringLiteral("SELECT arrived FROM %1 WHERE answers_table = $1 AND row_id = $2::bigint")
                  .arg(kArrivals),
            { physicalName(table), QString::number(rowId) });
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return std::optional<QDateTime>();
    return timeFrom(r->get(), 0, 0);
}

Result<void> PostgresAnswersStore::publish(const Publication& form)
{
    QJsonArray questions;
    for (const Publication::Question& q : form.questions) {
        // Earlier names only where there are any: servers of before read the first two.
        QJsonArray entry { q.field, q.kind };
        if (!q.formerFields.isEmpty() || !q.options.isEmpty() || !q.settings.isEmpty())
            entry.append(QJsonArray::fromStringList(q.formerFields));
        // Servers of before read no further.
        if (!q.options.isEmpty() || !q.settings.isEmpty())
            entry.append(QJsonArray { QJsonArray::fromStringList(q.options), q.text });
        // What the question asks of its answer, as its record's key lines.
        if (!q.settings.isEmpty())
            entry.append(q.settings);
        questions.append(entry);
    }
    const QByteArray questionsJson = QJsonDocument(questions).toJson(QJsonDocument::Compact);
    return inTransaction([&]() -> Result<void> {
        if (const auto r = run(
                QStringLiteral(
                    "INSERT INTO quenlow.forms (form, title, shows_answers, page, questions, background) "
                    "VALUES ($1, $2, $3::boolean, $4, $5, $6) ON CONFLICT (form) DO UPDATE SET "
                    "title = excluded.title, shows_answers = excluded.shows_answers, "
                    "page = excluded.page, questions = excluded.questions, background = excluded.background"),
                { form.form, form.title, form.showsAnswersTable ? QByteArray("true") : QByteArray("false"),
                    Param(form.page, true), Param(questionsJson), form.backgroundImage });
            !r)
            return r.error();
        // Beside the form, where servers of before never look.
        if (const auto r = form.settings.isEmpty()
                ? run(QStringLiteral("DELETE FROM quenlow.settings WHERE key = $1"),
                    { formSettingsKey(form.form) })
                : run(QStringLiteral("INSERT INTO quenlow.settings (key, value) VALUES ($1, $2) "
                                     "ON CONFLICT (key) DO UPDATE SET value = excluded.value"),
                    { formSettingsKey(form.form), Param(form.settings.toUtf8(), true) });
            !r)
            return r.error();
        if (form.backgroundImage.isEmpty() || form.backgroundBytes.isEmpty())
            return {};
        const QByteArray type = QMimeDatabase()
                                    .mimeTypeForFileNameAndData(form.backgroundImage, form.backgroundBytes)
                                    .name()
                                    .toUtf8();
        if (const auto r
            = run(QStringLiteral("INSERT INTO quenlow.files (name, content_type, bytes) VALUES ($1, $2, $3) "
                                 "ON CONFLICT (name) DO UPDATE SET content_type = excluded.content_type, "
                                 "bytes = excluded.bytes"),
                { form.backgroundImage, Param(type), Param(form.backgroundBytes, true) });
            !r)
            return r.error();
        return {};
    });
}

Result<void> PostgresAnswersStore::unpublish(const QString& form)
{
    return inTransaction([&]() -> Result<void> {
        if (const auto r = run(QStringLiteral("DELETE FROM quenlow.forms WHERE form = $1"), { form }); !r)
            return r.error();
        if (const auto r
            = run(QStringLiteral("DELETE FROM quenlow.settings WHERE key = $1"), { formSettingsKey(form) });
            !r)
            return r.error();
        return {};
    });
}

Result<std::optional<AnswersStore::Publication>> PostgresAnswersStore::publication(const QString& form)
{
    // Binary results: the bytes of the page as stored, texts as UTF-8.
    const auto r = run(
        QStringLiteral("SELECT f.form, f.title, f.shows_answers, f.page, f.questions, f.background, "
                       "coalesce(b.bytes, ''::bytea), coalesce(s.value, ''::bytea) FROM quenlow.forms f "
                       "LEFT JOIN quenlow.files b ON b.name = f.background "
                       "LEFT JOIN quenlow.settings s ON s.key = $2 WHERE f.form = $1"),
        { form, formSettingsKey(form) }, true);
    if (!r)
        return r.error();
    const pg_result* res = r->get();
    if (PQntuples(res) == 0)
        return std::optional<Publication>();
    const auto bytes = [&](int c) { return QByteArray(PQgetvalue(res, 0, c), PQgetlength(res, 0, c)); };
    Publication p;
    p.form = QString::fromUtf8(bytes(0));
    p.title = QString::fromUtf8(bytes(1));
    p.showsAnswersTable = bytes(2) == QByteArray(1, '\1');
    p.page = bytes(3);
    for (const QJsonValue& q : QJsonDocument::fromJson(bytes(4)).array()) {
        const QJsonArray entry = q.toArray();
        QStringList former;
        for (const QJsonValue& name : entry.at(2).toArray())
            former.append(name.toString());
        const QJsonArray chart = entry.at(3).toArray();
        QStringList options;
        for (const QJsonValue& option : chart.at(0).toArray())
            options.append(option.toString());
        p.questions.append({ entry.at(0).toString(), entry.at(1).toString(), former, options,
            chart.at(1).toString(), entry.at(4).toString() });
    }
    p.settings = QString::fromUtf8(bytes(7));
    p.backgroundImage = QString::fromUtf8(bytes(5));
    p.backgroundBytes = bytes(6);
    return std::optional<Publication>(std::move(p));
}

Result<std::optional<AnswersStore::PublishedFile>> PostgresAnswersStore::publishedFile(const QString& name)
{
    const auto r = run(
        QStringLiteral("SELECT content_type, bytes FROM quenlow.files WHERE name = $1"), { name }, true);
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return std::optional<PublishedFile>();
    PublishedFile file;
    file.contentType = QByteArray(PQgetvalue(r->get(), 0, 0), PQgetlength(r->get(), 0, 0));
    file.bytes = QByteArray(PQgetvalue(r->get(), 0, 1), PQgetlength(r->get(), 0, 1));
    return std::optional<PublishedFile>(std::move(file));
}

Result<QByteArray> PostgresAnswersStore::sharedKey()
{
    // Made once: of two processes asking at once, the second keeps the first's.
    QByteArray fresh(32, Qt::Uninitialized);
    QRandomGenerator::system()->generate(
        reinterpret_cast<quint32*>(fresh.data()), reinterpret_cast<quint32*>(fresh.data() + fresh.size()));
    if (const auto r
        = run(QStringLiteral("INSERT INTO quenlow.settings (key, value) VALUES ('shared_key', $1) "
                             "ON CONFLICT (key) DO NOTHING"),
            { Param(fresh, true) });
        !r)
        return r.error();
    const auto r
        = run(QStringLiteral("SELECT value FROM quenlow.settings WHERE key = 'shared_key'"), {}, true);
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return Error { Error::Other, QStringLiteral("the shared key was not kept") };
    return QByteArray(PQgetvalue(r->get(), 0, 0), PQgetlength(r->get(), 0, 0));
}

Result<void> PostgresAnswersStore::checkWritable()
{
    const auto r = run(
        QStringLiteral("SELECT NOT pg_is_in_recovery() AND current_setting('transaction_read_only') = 'off' "
                       "AND has_table_privilege('quenlow.arrivals', 'INSERT')"));
    if (!r)
        return r.error();
    if (QByteArray(PQgetvalue(r->get(), 0, 0)) != "t")
        return Error { Error::Io, QStringLiteral("%1 accepts no writes now").arg(m_location) };
    // A committed write, as answers are: a server that cannot write its log refuses it.
    if (const auto w = run(QStringLiteral("INSERT INTO quenlow.settings (key, value) VALUES ('written', $1) "
                                          "ON CONFLICT (key) DO UPDATE SET value = excluded.value"),
            { QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) });
        !w)
        return w.error();
    return {};
}

} // namespace quenlow
