// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The PostgreSQL store's participants: one table per form in a schema of
// their own, named as the form's answers table is, so that every collection
// server sharing the store knows the same people.
#include "database/PostgresAnswersStore.h"

#include "database/Participants_p.h"
#include "database/PostgresConnection_p.h"

#include <libpq-fe.h>

namespace quenlow {

using namespace postgres;

namespace postgres {

QString participantsRef(const QString& table)
{
    return QStringLiteral("participants.") + quote(physicalName(table));
}

const QString kParticipantsColumns
    = QStringLiteral("(code text PRIMARY KEY, position bigint NOT NULL, name text NOT NULL, attributes text "
                     "NOT NULL, answered text)");

} // namespace postgres

namespace {

// A participant from a row whose first columns are code, name, attributes
// and answered.
Participant participantFrom(const pg_result* res, int row)
{
    Participant p;
    p.code = text(res, row, 0);
    p.name = text(res, row, 1);
    p.attributes = participants::attributesFrom(text(res, row, 2).toUtf8());
    p.answered = !PQgetisnull(res, row, 3);
    if (p.answered)
        p.answeredAt = participants::answeredFrom(text(res, row, 3));
    return p;
}

} // namespace

Result<void> PostgresAnswersStore::addParticipants(const QString& table, const QList<Participant>& people)
{
    const auto exists = tableExists(table);
    if (!exists)
        return exists.error();
    if (!*exists)
        return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
    const QString own = participantsRef(table);
    return m_db->inTransaction([&]() -> Result<void> {
        for (const QString& sql : { QStringLiteral("CREATE SCHEMA IF NOT EXISTS participants"),
                 QStringLiteral("CREATE TABLE IF NOT EXISTS %1 %2").arg(own, kParticipantsColumns) }) {
            if (const auto r = m_db->run(sql); !r)
                return r.error();
        }
        QStringList codes, names, attributes, answered;
        for (const Participant& p : people) {
            codes.append(p.code);
            names.append(p.name);
            attributes.append(QString::fromUtf8(participants::attributesText(p.attributes)));
            answered.append(p.answered ? participants::answeredText(p.answeredAt) : QString());
        }
        // One statement for all of them: ten thousand people are one round trip.
        const auto r = m_db->run(
            QStringLiteral("INSERT INTO %1 (code, position, name, attributes, answered) "
                           "SELECT c, (SELECT coalesce(max(position), 0) FROM %1) + o, n, a, NULLIF(w, '') "
                           "FROM unnest($1::text[], $2::text[], $3::text[], $4::text[]) WITH ORDINALITY "
                           "AS u(c, n, a, w, o)")
                .arg(own),
            { arrayOf(codes), arrayOf(names), arrayOf(attributes), arrayOf(answered) });
        if (!r) {
            if (r.error().kind == Error::Duplicate)
                return Error { Error::Duplicate, QStringLiteral("a code is taken") };
            return r.error();
        }
        return {};
    });
}

Result<QList<Participant>> PostgresAnswersStore::participants(const QString& table)
{
    QList<Participant> people;
    const auto there = m_db->run(QStringLiteral("SELECT to_regclass($1)"), { participantsRef(table) });
    if (!there)
        return there.error();
    if (PQgetisnull(there->get(), 0, 0)) {
        const auto exists = tableExists(table);
        if (!exists)
            return exists.error();
        if (!*exists)
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
        return people;
    }
    const auto r
        = m_db->run(QStringLiteral("SELECT code, name, attributes, answered FROM %1 ORDER BY position")
                        .arg(participantsRef(table)));
    if (!r)
        return r.error();
    for (int i = 0; i < PQntuples(r->get()); ++i) {
        people.append(participantFrom(r->get(), i));
    }
    return people;
}

Result<void> PostgresAnswersStore::removeParticipants(const QString& table, const QStringList& codes)
{
    const auto there = m_db->run(QStringLiteral("SELECT to_regclass($1)"), { participantsRef(table) });
    if (!there)
        return there.error();
    if (PQgetisnull(there->get(), 0, 0))
        return {};
    const auto r
        = m_db->run(QStringLiteral("DELETE FROM %1 WHERE code = ANY($1::text[])").arg(participantsRef(table)),
            { arrayOf(codes) });
    return r ? Result<void>() : Result<void>(r.error());
}

Result<Participation> PostgresAnswersStore::participation(const QString& table)
{
    const auto there = m_db->run(QStringLiteral("SELECT to_regclass($1)"), { participantsRef(table) });
    if (!there)
        return there.error();
    if (PQgetisnull(there->get(), 0, 0)) {
        const auto exists = tableExists(table);
        if (!exists)
            return exists.error();
        if (!*exists)
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
        return Participation {};
    }
    const auto r
        = m_db->run(QStringLiteral("SELECT count(*), count(answered) FROM %1").arg(participantsRef(table)));
    if (!r)
        return r.error();
    return Participation { number(r->get(), 0, 0), number(r->get(), 0, 1) };
}

Result<CodeState> PostgresAnswersStore::participantCodeState(const QString& table, const QString& code)
{
    const auto there = m_db->run(QStringLiteral("SELECT to_regclass($1)"), { participantsRef(table) });
    if (!there)
        return there.error();
    if (PQgetisnull(there->get(), 0, 0))
        return CodeState::Unknown;
    const auto r = m_db->run(QStringLiteral("SELECT coalesce((SELECT CASE WHEN answered IS NULL THEN 0 ELSE "
                                            "1 END FROM %1 WHERE code = $1), -1)")
                                 .arg(participantsRef(table)),
        { code });
    if (!r)
        return r.error();
    return participants::codeStateOf(QByteArray(PQgetvalue(r->get(), 0, 0)).toLongLong());
}

Result<QHash<qint64, Participant>> PostgresAnswersStore::participantsByAnswer(const QString& table)
{
    QHash<qint64, Participant> byRow;
    const auto there = m_db->run(
        QStringLiteral(
            "SELECT to_regclass($1) IS NOT NULL, EXISTS (SELECT 1 FROM pg_attribute WHERE attrelid "
            "= to_regclass($1) AND attname = 'answer_row' AND NOT attisdropped)"),
        { participantsRef(table) });
    if (!there)
        return there.error();
    if (PQgetvalue(there->get(), 0, 0)[0] != 't' || PQgetvalue(there->get(), 0, 1)[0] != 't')
        return byRow;
    const auto r
        = m_db->run(QStringLiteral("SELECT code, name, attributes, answered, answer_row FROM %1 WHERE "
                                   "answer_row IS NOT NULL")
                        .arg(participantsRef(table)));
    if (!r)
        return r.error();
    for (int i = 0; i < PQntuples(r->get()); ++i) {
        byRow.insert(number(r->get(), i, 4), participantFrom(r->get(), i));
    }
    return byRow;
}

} // namespace quenlow
