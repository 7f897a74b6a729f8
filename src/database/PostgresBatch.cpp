// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The batch pipeline: the writer's rows stored in one transaction sent in one round
// trip, checked against the version of the columns it was prepared for.
#include "database/PostgresAnswersStore.h"

#include "database/Participants_p.h"
#include "database/PostgresConnection_p.h"
#include "database/StoreRules.h"

#include <QVarLengthArray>

#include <algorithm>

#include <libpq-fe.h>

namespace quenlow {

using namespace postgres;

void PostgresAnswersStore::forgetSchema()
{
    m_columns.clear();
    m_columnsVersion = -1;
    m_participantsReady.clear();
}

Result<bool> PostgresAnswersStore::participantsReady(const QString& table)
{
    const QString physical = physicalName(table);
    if (m_participantsReady.contains(physical))
        return true;
    const auto there = m_db->run(
        QStringLiteral(
            "SELECT to_regclass($1) IS NOT NULL, EXISTS (SELECT 1 FROM pg_attribute WHERE attrelid "
            "= to_regclass($1) AND attname = 'answer_row' AND NOT attisdropped)"),
        { participantsRef(table) });
    if (!there)
        return there.error();
    if (PQgetvalue(there->get(), 0, 0)[0] != 't')
        return false;
    // Tables of participants made before codes answered lack the column.
    if (PQgetvalue(there->get(), 0, 1)[0] != 't') {
        if (const auto r
            = m_db->run(QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS answer_row bigint")
                            .arg(participantsRef(table)));
            !r)
            return r.error();
    }
    m_participantsReady.insert(physical);
    return true;
}

Result<const PostgresAnswersStore::TableColumns*> PostgresAnswersStore::columnsOf(const QString& table)
{
    const QString physical = physicalName(table);
    auto it = m_columns.find(physical);
    if (it == m_columns.end()) {
        TableColumns columns;
        const auto r = m_db->run(
            QStringLiteral(
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
        const bool lost = PQstatus(m_db->handle()) != CONNECTION_OK;
        // A table renamed in between, or a column, a cached plan or statement gone.
        const bool stale = done.failedWith(Error::Stale) || done.failedWith(Error::NotFound);
        if (lost || stale) {
            forgetSchema();
            if (!lost || m_db->reconnect())
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
        if (m_db->transactionOpen() && PQstatus(m_db->handle()) == CONNECTION_OK)
            (void)m_db->run(QStringLiteral("ROLLBACK"));
        m_db->setTransactionOpen(false);
        forgetSchema();
        return e;
    };
    // Again after the columns changed under a batch: this time the columns
    // are read under the lock, so that no change can come in between.
    if (lockFirst) {
        if (const auto begun = m_db->run(QStringLiteral("BEGIN")); !begun)
            return begun.error();
        m_db->setTransactionOpen(true);
        if (const auto locked = m_db->run(QString::fromUtf8(lock)); !locked)
            return abandon(locked.error());
        forgetSchema();
    }
    // The columns as this connection last saw them, and their version: the
    // batch checks in the server that the version is still that one.
    if (m_columnsVersion < 0) {
        const auto version = m_db->run(QStringLiteral("SELECT version FROM quenlow.columns_version"));
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
    QStringList limited; // the tables whose rows are counted against a limit
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
        if (!row.participantCode.isEmpty()) {
            // A form without participants knows no code.
            const auto ready = participantsReady(row.table);
            if (!ready)
                return abandon(ready.error());
            if (!*ready) {
                results[i] = { Inserted::UnknownCode, -1 };
                continue;
            }
        }
        Pending p { i, {}, {} };
        // A code is claimed by one transaction at a time too: a statement
        // that waited for another's claim of the same code would not see the
        // row that claim stored, and store a second one.
        if ((row.limit || !row.quotas.isEmpty() || !row.participantCode.isEmpty())
            && !limited.contains(physicalName(row.table)))
            limited.append(physicalName(row.table));
        const QByteArray sql = insertStatement(row, **found, &p.params);
        const auto name = m_db->prepared(sql, int(p.params.size()));
        if (!name)
            return abandon(name.error());
        p.statement = *name;
        pending.append(std::move(p));
    }
    if (pending.isEmpty()) {
        if (lockFirst)
            (void)m_db->run(QStringLiteral("ROLLBACK"));
        m_db->setTransactionOpen(false);
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
    if (!PQenterPipelineMode(m_db->handle()))
        return m_db->connectionFailure(QStringLiteral("store the answers"));
    bool sent = lockFirst
        || (PQsendQueryParams(m_db->handle(), "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0)
            && PQsendQueryParams(m_db->handle(), lock.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0)
            && PQsendQueryParams(m_db->handle(),
                "SELECT 1 / (CASE WHEN version = $1::bigint THEN 1 ELSE 0 END) FROM quenlow.columns_version",
                1, nullptr, &versionValue, nullptr, nullptr, 0));
    // A table with a limit is counted by one transaction at a time, of
    // every server: each waits for the one before to commit, and then sees
    // its rows. Locked in one order, so two batches never wait on each other.
    std::sort(limited.begin(), limited.end());
    QList<QByteArray> limitedNames;
    for (const QString& table : std::as_const(limited))
        limitedNames.append(table.toUtf8());
    for (const QByteArray& table : std::as_const(limitedNames)) {
        const char* name = table.constData();
        sent = sent
            && PQsendQueryParams(m_db->handle(), "SELECT pg_advisory_xact_lock(1367, hashtext($1))", 1,
                nullptr, &name, nullptr, nullptr, 0);
    }
    for (const Pending& p : std::as_const(pending)) {
        QVarLengthArray<const char*, 16> values;
        for (const Param& param : p.params)
            values.append(param.value ? param.value->constData() : nullptr);
        sent = sent
            && PQsendQueryPrepared(m_db->handle(), p.statement.constData(), int(values.size()),
                values.constData(), nullptr, nullptr, 0);
    }
    sent = sent && PQsendQueryParams(m_db->handle(), "COMMIT", 0, nullptr, nullptr, nullptr, nullptr, 0);
    sent = PQpipelineSync(m_db->handle()) && sent;
    // From here on the rows may be stored, unless a result says otherwise.
    *sentCommit = sent;
    m_db->setTransactionOpen(true);

    std::optional<Error> failed;
    bool columnsChanged = false;
    bool committed = false;
    const auto next = [this]() {
        PgResult r(PQgetResult(m_db->handle()));
        // Each result is followed by a null that ends it.
        while (PGresult* extra = PQgetResult(m_db->handle()))
            PQclear(extra);
        return r;
    };
    const auto expect = [&](ExecStatusType wanted, const QString& what) -> PgResult {
        PgResult r = next();
        if (failed)
            return r;
        if (!r) {
            failed = m_db->connectionFailure(what);
        } else if (PQresultStatus(r.get()) != wanted) {
            failed = m_db->failure(r.get(), what);
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
            failed = check ? m_db->failure(check.get(), QStringLiteral("check the columns"))
                           : m_db->connectionFailure(QStringLiteral("check the columns"));
        }
    }
    for (qsizetype i = 0; i < limitedNames.size(); ++i)
        expect(PGRES_TUPLES_OK, QStringLiteral("lock the answer limit"));
    for (const Pending& p : std::as_const(pending)) {
        const PgResult r = expect(PGRES_TUPLES_OK, QStringLiteral("store the answers"));
        if (failed)
            continue;
        // What the statement did and saw (see insertStatement), decided by the rules.
        const pg_result* res = r.get();
        const bool one = PQntuples(res) == 1;
        const auto flag = [res, one](int column) {
            return one && PQnfields(res) > column && !PQgetisnull(res, 0, column)
                && PQgetvalue(res, 0, column)[0] == 't';
        };
        rules::RowFacts facts;
        if (one && !PQgetisnull(res, 0, 0))
            facts.storedId = number(res, 0, 0);
        if (flag(3))
            facts.holder = rules::TokenHolder { false, -1, {} };
        else if (one && !PQgetisnull(res, 0, 1))
            facts.holder = rules::TokenHolder { true, number(res, 0, 1),
                PQnfields(res) > 5 ? timeFrom(res, 0, 5).value_or(QDateTime()) : QDateTime() };
        facts.answersChanged = one && PQnfields(res) > 2 && number(res, 0, 2) > 0;
        const NewRow& stored = rows.at(p.row);
        if (!stored.participantCode.isEmpty()) {
            facts.full = stored.limit && (!one || flag(4));
            facts.coded = true;
            facts.codeKnown = flag(6);
            facts.codeUsed = flag(7);
            // Neither stored nor put in place of the code's answers: a quota had no room.
            facts.quotaFull = !stored.quotas.isEmpty() && flag(8) && !facts.storedId && !facts.holder;
            const auto decided = rules::outcomeOf(facts);
            if (!decided)
                failed = Error { Error::Other,
                    QStringLiteral("a participant's code was neither claimed nor refused") };
            else
                results[p.row] = *decided;
            continue;
        }
        // A statement that returned no row tells only that there was no room.
        facts.quotaFull = !stored.quotas.isEmpty() && (one ? flag(6) : !stored.limit);
        facts.full = stored.limit && (!one || flag(4)) && !facts.quotaFull;
        // Nothing decided: the token's first holder committed after the statement began.
        results[p.row] = rules::outcomeOf(facts).value_or(Inserted { Inserted::Repeated, -2 });
    }
    {
        PgResult r = next();
        if (!failed && r && PQresultStatus(r.get()) == PGRES_COMMAND_OK)
            committed = true;
        else if (!failed)
            failed = r ? m_db->failure(r.get(), QStringLiteral("commit"))
                       : m_db->connectionFailure(QStringLiteral("commit"));
        // A commit that came back aborted was never run: nothing was stored.
        if (r && PQresultStatus(r.get()) == PGRES_PIPELINE_ABORTED)
            *sentCommit = false;
    }
    if (PQstatus(m_db->handle()) == CONNECTION_OK) {
        while (PGresult* r = PQgetResult(m_db->handle())) {
            const bool end = PQresultStatus(r) == PGRES_PIPELINE_SYNC;
            PQclear(r);
            if (end)
                break;
        }
    }
    PQexitPipelineMode(m_db->handle());
    if (!committed) {
        // The transaction the failure aborted stays open until rolled back.
        if (PQstatus(m_db->handle()) == CONNECTION_OK)
            (void)m_db->run(QStringLiteral("ROLLBACK"));
        m_db->setTransactionOpen(false);
        // A failed statement may have come from a stale cache; look afresh.
        forgetSchema();
        Error error = failed.value_or(m_db->connectionFailure(QStringLiteral("store the answers")));
        if (columnsChanged)
            error.kind = Error::Stale;
        return error;
    }
    m_db->setTransactionOpen(false);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (results.at(i).outcome != Inserted::Repeated || results.at(i).rowId != -2)
            continue;
        // The first holder of the token committed after the statement began:
        // a new statement sees it.
        const auto first = m_db->run(
            QStringLiteral(
                "SELECT coalesce(row_id, -1), answers_table <> $2, arrived FROM %1 WHERE token = $1")
                .arg(kArrivals),
            { rows.at(i).token, physicalName(rows.at(i).table) });
        if (!first)
            return first.error();
        if (PQntuples(first->get()) == 0)
            return Error { Error::Other,
                QStringLiteral("the token of a submission was neither stored nor found") };
        rules::RowFacts facts;
        facts.holder = rules::TokenHolder { PQgetvalue(first->get(), 0, 1)[0] != 't',
            number(first->get(), 0, 0), timeFrom(first->get(), 0, 2).value_or(QDateTime()) };
        results[i] = *rules::outcomeOf(facts);
    }
    return results;
}

QByteArray PostgresAnswersStore::insertStatement(const NewRow& row, const TableColumns& table, Params* params)
{
    const QStringList& columns = table.physical;
    const rules::PickedValues valueOf
        = rules::pickValues(row.values, table.byFoldedName, columns.size(), physicalName);
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
    // A new row only while the table holds fewer than its limit (counted
    // under the table's lock, taken before the rows).
    QString room;
    qsizetype limitAt = 0;
    if (row.limit) {
        params->append(Param(QString::number(*row.limit)));
        limitAt = params->size();
        room = QStringLiteral(" WHERE (SELECT count(*) FROM %1) < $%2::bigint").arg(ref).arg(limitAt);
    }
    QString quotaRoom;
    // A coded row's quotas: room in each, or the code's row (answered
    // before) holds that answer already; asked where the participant `p` is seen.
    QString codedQuotaRoom;
    if (!row.participantCode.isEmpty()) {
        for (const NewRow::Quota& quota : row.quotas) {
            const auto column = table.byFoldedName.constFind(physicalName(quota.column));
            if (column == table.byFoldedName.cend())
                continue;
            const QString name = quote(columns.at(*column));
            params->append(Param(quota.answer));
            const QString answer = QStringLiteral("$%1::text").arg(params->size());
            params->append(Param(QString::number(quota.limit)));
            codedQuotaRoom
                += QStringLiteral(" AND ((SELECT count(*) FROM %1 WHERE %2 = %3) < $%4::bigint OR "
                                  "EXISTS (SELECT 1 FROM %1 h WHERE h.%5 = p.answer_row AND h.%2 = %3))")
                       .arg(ref, name, answer)
                       .arg(params->size())
                       .arg(kId);
        }
    } else {
        // Likewise each quota the row falls into: it has room, or the page's row
        // (sent again) holds that answer already.
        for (const NewRow::Quota& quota : row.quotas) {
            const auto column = table.byFoldedName.constFind(physicalName(quota.column));
            if (column == table.byFoldedName.cend())
                continue;
            const QString name = quote(columns.at(*column));
            params->append(Param(quota.answer));
            const QString answer = QStringLiteral("$%1::text").arg(params->size());
            params->append(Param(QString::number(quota.limit)));
            const QString limit = QStringLiteral("$%1::bigint").arg(params->size());
            QString kept;
            if (!row.token.isEmpty()) {
                kept = QStringLiteral(
                    "EXISTS (SELECT 1 FROM %1 h JOIN %2 a ON a.row_id = h.%3 WHERE a.token = $3 "
                    "AND a.answers_table = $1 AND h.%4 = %5) OR ")
                           .arg(ref, kArrivals, kId, name, answer);
            }
            quotaRoom += (quotaRoom.isEmpty() ? QString() : QStringLiteral(" AND "))
                + QStringLiteral("(%1(SELECT count(*) FROM %2 WHERE %3 = %4) < %5)")
                      .arg(kept, ref, name, answer, limit);
        }
    }
    if (!quotaRoom.isEmpty())
        room += (room.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + quotaRoom;
    if (!row.participantCode.isEmpty()) {
        // The code is claimed by one statement with the row: the server's row
        // lock makes a second claim of it wait for the first to commit, and
        // then see it. Anonymous answers keep no moment with the claim and no
        // row, nor the page's token: nothing tells which row is whose.
        const QString own = participantsRef(row.table);
        params->append(Param(row.participantCode));
        const QString code = QStringLiteral("$%1").arg(params->size());
        params->append(Param(participants::answeredText(
            row.anonymous ? std::nullopt : std::optional<QDateTime>(row.arrivedAt))));
        const QString answered = QStringLiteral("$%1").arg(params->size());
        const QString hasRoom = row.limit
            ? QStringLiteral("(SELECT count(*) FROM %1) < $%2::bigint").arg(ref).arg(limitAt)
            : QStringLiteral("true");
        if (row.anonymous) {
            return QStringLiteral(
                "WITH room AS (SELECT %5 AS ok), id AS (SELECT nextval($4::regclass) AS v FROM room WHERE "
                "ok), "
                "cl AS (UPDATE %6 p SET answered = %8 FROM id WHERE p.code = %7 AND p.answered IS NULL%10 "
                "RETURNING id.v), "
                "ins AS (INSERT INTO %2 (%3%4) SELECT v%9 FROM cl RETURNING %3), "
                "arr AS (INSERT INTO %1 (answers_table, row_id, arrived) SELECT $1, %3, $2 FROM ins) "
                "SELECT (SELECT %3 FROM ins), NULL::bigint, 0, false, NOT (SELECT ok FROM room), NULL::text, "
                "EXISTS (SELECT 1 FROM %6 WHERE code = %7), NOT EXISTS (SELECT 1 FROM cl) AND (SELECT ok "
                "FROM room) AND NOT EXISTS (SELECT 1 FROM %6 p WHERE p.code = %7 AND NOT (true%10)), "
                "EXISTS (SELECT 1 FROM %6 p WHERE p.code = %7 AND NOT (true%10))")
                .arg(kArrivals, ref, kId, names, hasRoom, own, code, answered, marks, codedQuotaRoom)
                .toUtf8();
        }
        const QString replace = set.isEmpty()
            ? QStringLiteral("upd AS (SELECT NULL::bigint AS id WHERE false), ")
            : QStringLiteral("upd AS (UPDATE %1 t SET %2 FROM cl WHERE cl.r <> cl.v AND t.%3 = cl.r AND (%4) "
                             "RETURNING t.%3 AS id), ")
                  .arg(ref, set, kId, differs);
        const QString exists
            = QStringLiteral("EXISTS (SELECT 1 FROM %1 t WHERE t.%2 = p.answer_row)").arg(ref, kId);
        return QStringLiteral(
            "WITH room AS (SELECT %5 AS ok), id AS (SELECT nextval($4::regclass) AS v), "
            "cl AS (UPDATE %6 p SET answered = coalesce(p.answered, %8), answer_row = CASE WHEN %10 THEN "
            "p.answer_row ELSE id.v END FROM id, room WHERE p.code = %7 AND (room.ok OR %10)%12 "
            "RETURNING p.answer_row AS r, id.v AS v), "
            "ins AS (INSERT INTO %2 (%3%4) SELECT v%9 FROM cl WHERE r = v RETURNING %3), "
            "arr AS (INSERT INTO %1 (answers_table, row_id, arrived) SELECT $1, %3, $2 FROM ins), %11"
            "note AS (UPDATE %1 a SET changed = $2 FROM cl WHERE cl.r <> cl.v AND a.answers_table = $1 AND "
            "a.row_id = cl.r AND EXISTS (SELECT 1 FROM upd)) "
            "SELECT (SELECT %3 FROM ins), (SELECT r FROM cl WHERE r <> v), (SELECT count(*) FROM upd), "
            "false, "
            "NOT (SELECT ok FROM room), (SELECT a.arrived FROM %1 a, cl WHERE cl.r <> cl.v AND "
            "a.answers_table = "
            "$1 AND a.row_id = cl.r), EXISTS (SELECT 1 FROM %6 WHERE code = %7), false, "
            "EXISTS (SELECT 1 FROM %6 p WHERE p.code = %7 AND NOT (true%12))")
            .arg(kArrivals, ref, kId, names, hasRoom, own, code, answered, marks, exists, replace)
            .arg(codedQuotaRoom)
            .toUtf8();
    }
    if (!row.token.isEmpty()) {
        // The token is claimed first, with the id the row will get: a token
        // another server stores at the same moment makes this row a repeat
        // once that server's batch committed, instead of failing this batch.
        // A token stored before (seen by this statement) has its row's
        // answers replaced where they differ, and the change time noted.
        const QString replace = set.isEmpty()
            ? QStringLiteral("upd AS (SELECT NULL::bigint AS id WHERE false) ")
            : QStringLiteral(
                "prior AS (SELECT row_id FROM %1 WHERE token = $3 AND answers_table = $1 AND row_id IS NOT "
                "NULL), "
                "upd AS (UPDATE %2 t SET %3 FROM prior WHERE t.%4 = prior.row_id AND (%5)%6 "
                "RETURNING t.%4 AS id), "
                "note AS (UPDATE %1 SET changed = $2 WHERE token = $3 AND EXISTS (SELECT 1 FROM upd)) ")
                  .arg(kArrivals, ref, set, kId, differs,
                      quotaRoom.isEmpty() ? QString() : QStringLiteral(" AND ") + quotaRoom);
        // A token stored with another table's row (a page of a form since
        // renamed or replaced) touches nothing: told by the fourth value.
        return QStringLiteral(
            "WITH id AS (SELECT nextval($4::regclass) AS v%7), "
            "claim AS (INSERT INTO %1 (answers_table, row_id, arrived, token) SELECT $1, v, $2, $3 FROM id "
            "ON CONFLICT (token) DO NOTHING RETURNING row_id), "
            "ins AS (INSERT INTO %2 (%3%4) SELECT row_id%5 FROM claim RETURNING %3), %6"
            "SELECT (SELECT %3 FROM ins), "
            "(SELECT coalesce(row_id, -1) FROM %1 WHERE token = $3 AND answers_table = $1), "
            "(SELECT count(*) FROM upd), (SELECT answers_table <> $1 FROM %1 WHERE token = $3), "
            "NOT EXISTS (SELECT 1 FROM id), (SELECT arrived FROM %1 WHERE token = $3 AND answers_table = "
            "$1)%8")
            .arg(kArrivals, ref, kId, names, marks, replace, room,
                quotaRoom.isEmpty() ? QString() : QStringLiteral(", NOT (") + quotaRoom + QStringLiteral(")"))
            .toUtf8();
    }
    if (row.arrivedAt.isValid()) {
        return QStringLiteral(
            "WITH ins AS (INSERT INTO %2 (%3%4) SELECT nextval($4::regclass)%5%6 RETURNING %3), "
            "a AS (INSERT INTO %1 (answers_table, row_id, arrived) SELECT $1, %3, $2 FROM ins) "
            "SELECT %3, NULL::bigint FROM ins")
            .arg(kArrivals, ref, kId, names, marks, room)
            .toUtf8();
    }
    return QStringLiteral("INSERT INTO %1 (%2%3) SELECT nextval($4::regclass)%4%5 RETURNING %2, NULL::bigint")
        .arg(ref, kId, names, marks, room)
        .toUtf8();
}

} // namespace quenlow
