// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The embedded store's participants: one table per form, beside its answers.
#include "database/SqliteAnswersStore.h"

#include "core/IsoMoment.h"
#include "database/Participants_p.h"
#include "database/SqliteConnection_p.h"

#include <sqlite3.h>

#include <functional>
#include <string_view>

namespace quenlow {

using namespace sqlite;

namespace {

void bind(sqlite3_stmt* stmt, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

QString columnText(sqlite3_stmt* stmt, int column)
{
    return QString::fromUtf8(
        reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)), sqlite3_column_bytes(stmt, column));
}

struct Finalizer {
    sqlite3_stmt* stmt = nullptr;
    ~Finalizer() { sqlite3_finalize(stmt); }
};

// Runs the query `sql`, handing each row to `take` until it returns false;
// false when the engine failed (its message is still on the connection).
bool eachRow(sqlite3* db, const QString& sql, const std::function<bool(sqlite3_stmt*)>& take)
{
    const QByteArray utf8 = sql.toUtf8();
    Finalizer select;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &select.stmt, nullptr) != SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(select.stmt)) == SQLITE_ROW) {
        if (!take(select.stmt))
            return true;
    }
    return rc == SQLITE_DONE;
}

unsigned unitOf(QChar c)
{
    return c.unicode();
}

unsigned unitOf(char c)
{
    return static_cast<unsigned char>(c);
}

// A code's eight characters as one number, for keeping many codes in little
// memory; none for a code of another shape (it is looked up in the table).
template <typename Text> std::optional<quint64> packedCode(const Text& code)
{
    if (code.size() != 8)
        return std::nullopt;
    quint64 packed = 0;
    for (const auto c : code) {
        const unsigned u = unitOf(c);
        if (u == 0 || u > 0x7f)
            return std::nullopt;
        packed = packed << 8 | u;
    }
    return packed;
}

// More codes not answered than this are looked up in the table each time.
constexpr qsizetype kUnclaimedKept = 500'000;

// A participant from a row whose first columns are code, name, attributes
// and answered.
Participant participantFrom(sqlite3_stmt* row)
{
    Participant p;
    p.code = columnText(row, 0);
    p.name = columnText(row, 1);
    p.attributes = participants::attributesFrom(
        QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(row, 2)), sqlite3_column_bytes(row, 2)));
    p.answered = sqlite3_column_type(row, 3) != SQLITE_NULL;
    if (p.answered)
        p.answeredAt = participants::answeredFrom(columnText(row, 3));
    return p;
}

} // namespace

Result<void> SqliteAnswersStore::addParticipants(const QString& table, const QList<Participant>& people)
{
    const QString own = quote(participantsTable(table));
    return inTransaction([&]() -> Result<void> {
        if (!m_db->tableExists(table))
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
        if (const auto r
            = m_db->exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 %2").arg(own, kParticipantsColumns));
            !r)
            return failure(QStringLiteral("keep the participants of %1").arg(table), r.error());
        const auto last = m_db->number(QStringLiteral("SELECT coalesce(max(position), 0) FROM %1").arg(own));
        if (!last)
            return failure(QStringLiteral("read the participants of %1").arg(table), last.error());
        // One statement for every person: ten thousand are added at once.
        const QByteArray sql = QStringLiteral(
            "INSERT INTO %1 (code, position, name, attributes, answered) VALUES (?1, ?2, ?3, ?4, ?5)")
                                   .arg(own)
                                   .toUtf8();
        Finalizer insert;
        if (sqlite3_prepare_v2(m_db->handle(), sql.constData(), int(sql.size()), &insert.stmt, nullptr)
            != SQLITE_OK)
            return engineFailure(QStringLiteral("add participants"));
        qint64 position = *last;
        for (const Participant& p : people) {
            bind(insert.stmt, 1, p.code);
            sqlite3_bind_int64(insert.stmt, 2, ++position);
            bind(insert.stmt, 3, p.name);
            bind(insert.stmt, 4, QString::fromUtf8(participants::attributesText(p.attributes)));
            if (p.answered)
                bind(insert.stmt, 5, participants::answeredText(p.answeredAt));
            else
                sqlite3_bind_null(insert.stmt, 5);
            const int rc = sqlite3_step(insert.stmt);
            sqlite3_reset(insert.stmt);
            if (rc != SQLITE_DONE) {
                if (sqlite3_extended_errcode(m_db->handle()) == SQLITE_CONSTRAINT_PRIMARYKEY)
                    return Error { Error::Duplicate, QStringLiteral("the code %1 is taken").arg(p.code) };
                return engineFailure(QStringLiteral("add participants"));
            }
        }
        return {};
    });
}

Result<QList<Participant>> SqliteAnswersStore::participants(const QString& table)
{
    QList<Participant> people;
    const QString own = participantsTable(table);
    if (!m_db->tableExists(own)) {
        const auto exists = tableExists(table);
        if (!exists)
            return exists.error();
        if (!*exists)
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
        return people;
    }
    if (!eachRow(m_db->handle(),
            QStringLiteral("SELECT code, name, attributes, answered FROM %1 ORDER BY position")
                .arg(quote(own)),
            [&people](sqlite3_stmt* row) {
                people.append(participantFrom(row));
                return true;
            }))
        return engineFailure(QStringLiteral("read the participants of %1").arg(table));
    return people;
}

Result<void> SqliteAnswersStore::removeParticipants(const QString& table, const QStringList& codes)
{
    const QString own = participantsTable(table);
    return inTransaction([&]() -> Result<void> {
        if (!m_db->tableExists(own))
            return {};
        for (const QString& code : codes) {
            if (const auto r
                = m_db->exec(QStringLiteral("DELETE FROM %1 WHERE code = ?1").arg(quote(own)), { code });
                !r)
                return failure(QStringLiteral("remove a participant of %1").arg(table), r.error());
        }
        return {};
    });
}

Result<Participation> SqliteAnswersStore::participation(const QString& table)
{
    const QString own = participantsTable(table);
    if (!m_db->tableExists(own)) {
        const auto exists = tableExists(table);
        if (!exists)
            return exists.error();
        if (!*exists)
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
        return Participation {};
    }
    // count(answered) leaves out those whose moment is still NULL.
    const auto invited = m_db->number(QStringLiteral("SELECT count(*) FROM %1").arg(quote(own)));
    if (!invited)
        return failure(QStringLiteral("count the participants of %1").arg(table), invited.error());
    const auto answered = m_db->number(QStringLiteral("SELECT count(answered) FROM %1").arg(quote(own)));
    if (!answered)
        return failure(QStringLiteral("count the participants of %1").arg(table), answered.error());
    return Participation { *invited, *answered };
}

Result<CodeState> SqliteAnswersStore::participantCodeState(const QString& table, const QString& code)
{
    const QString own = participantsTable(table);
    if (!m_db->tableExists(own))
        return CodeState::Unknown;
    const auto n = m_db->number(
        QStringLiteral("SELECT ifnull((SELECT answered IS NOT NULL FROM %1 WHERE code = ?1), -1)")
            .arg(quote(own)),
        { code });
    if (!n)
        return failure(QStringLiteral("look up a participant of %1").arg(table), n.error());
    return participants::codeStateOf(*n);
}

Result<QHash<qint64, Participant>> SqliteAnswersStore::participantsByAnswer(const QString& table)
{
    QHash<qint64, Participant> byRow;
    const QString own = participantsTable(table);
    if (!m_db->tableExists(own))
        return byRow;
    // Read only: a table of before, whose codes never answered, has no rows to tell.
    const Result<qint64> column = m_db->number(
        QStringLiteral("SELECT count(*) FROM pragma_table_info(?1) WHERE name = 'answer_row'"), { own });
    if (!column)
        return failure(QStringLiteral("read the participants of %1").arg(table), column.error());
    if (*column == 0)
        return byRow;
    if (!eachRow(m_db->handle(),
            QStringLiteral("SELECT code, name, attributes, answered, answer_row FROM %1 WHERE "
                           "answer_row IS NOT NULL")
                .arg(quote(own)),
            [&byRow](sqlite3_stmt* row) {
                byRow.insert(sqlite3_column_int64(row, 4), participantFrom(row));
                return true;
            }))
        return engineFailure(QStringLiteral("read the participants of %1").arg(table));
    return byRow;
}

Result<const SqliteAnswersStore::CodeStatements*> SqliteAnswersStore::codeStatements(const QString& table)
{
    if (const auto known = m_codeStatements.constFind(table); known != m_codeStatements.cend())
        return &*known;
    const QString own = participantsTable(table);
    if (!m_db->tableExists(own))
        return nullptr;
    // Tables of participants made before codes answered lack the column.
    const Result<qint64> found = m_db->number(
        QStringLiteral("SELECT count(*) FROM pragma_table_info(?1) WHERE name = 'answer_row'"), { own });
    if (!found)
        return failure(QStringLiteral("read the participants of %1").arg(table), found.error());
    if (*found == 0) {
        if (const auto r
            = m_db->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN answer_row INTEGER").arg(quote(own)));
            !r)
            return failure(
                QStringLiteral("keep the answers of the participants of %1").arg(table), r.error());
    }
    // Every code claimed reads and rewrites its participant's page, one of
    // many in no order: SQLite's default cache (2 MB) holds the pages of some
    // 40,000 people, so a larger list would be read back from the file for
    // most posts. 32 MB holds a few hundred thousand; pages are taken only
    // as they are read.
    if (const auto r = m_db->exec(QStringLiteral("PRAGMA cache_size = -32768")); !r)
        return failure(QStringLiteral("read the participants of %1").arg(table), r.error());
    // One look by the code's key: the row of its answers only while it is
    // there. Anonymous answers keep no moment: it would match the row's arrival.
    return &*m_codeStatements.insert(table,
        { QStringLiteral("SELECT p.answered IS NOT NULL, ifnull(t.rowid, -1), p.rowid FROM %1 p "
                         "LEFT JOIN %2 t ON t.rowid = p.answer_row WHERE p.code = ?1")
                .arg(quote(own), quote(table)),
            QStringLiteral("UPDATE %1 SET answered = ifnull(answered, ?2), answer_row = ?3 WHERE rowid = ?4 "
                           "AND code = ?1")
                .arg(quote(own)) });
}

Result<const QHash<quint64, qint64>*> SqliteAnswersStore::unclaimedCodes(const QString& table)
{
    if (const auto known = m_unclaimed.constFind(table); known != m_unclaimed.cend())
        return known->isEmpty() ? nullptr : &*known;
    QHash<quint64, qint64> codes;
    if (!eachRow(m_db->handle(),
            QStringLiteral("SELECT code, rowid FROM %1 WHERE answered IS NULL")
                .arg(quote(participantsTable(table))),
            [&codes](sqlite3_stmt* row) {
                const std::string_view code(reinterpret_cast<const char*>(sqlite3_column_text(row, 0)),
                    size_t(sqlite3_column_bytes(row, 0)));
                if (const auto packed = packedCode(code))
                    codes.insert(*packed, sqlite3_column_int64(row, 1));
                return codes.size() <= kUnclaimedKept;
            }))
        return engineFailure(QStringLiteral("read the codes of %1").arg(table));
    // Too many: kept empty, so that they are not read again for every code.
    if (codes.size() > kUnclaimedKept)
        codes.clear();
    const auto kept = m_unclaimed.insert(table, std::move(codes));
    return kept->isEmpty() ? nullptr : &*kept;
}

Result<rules::CodeHolder> SqliteAnswersStore::codeHolder(const NewRow& row)
{
    rules::CodeHolder holder;
    m_codeSeen = {};
    const auto statements = codeStatements(row.table);
    if (!statements)
        return statements.error();
    if (!*statements)
        return holder; // a form without participants knows no code
    // Most codes answer once: known and not answered, without a look-up.
    if (const auto packed = packedCode(QStringView(row.participantCode))) {
        const auto unclaimed = unclaimedCodes(row.table);
        if (!unclaimed)
            return unclaimed.error();
        if (*unclaimed) {
            if (const auto found = (*unclaimed)->constFind(*packed); found != (*unclaimed)->cend()) {
                holder.known = true;
                m_codeSeen = { row.table, row.participantCode, *found };
                return holder;
            }
        }
    }
    sqlite3_stmt* seen = statementFor((*statements)->lookup);
    if (!seen)
        return engineFailure(QStringLiteral("prepare"));
    bind(seen, 1, row.participantCode);
    const int rc = sqlite3_step(seen);
    if (rc == SQLITE_ROW) {
        holder.known = true;
        holder.answered = sqlite3_column_int(seen, 0) != 0;
        holder.rowId = sqlite3_column_int64(seen, 1);
        m_codeSeen = { row.table, row.participantCode, sqlite3_column_int64(seen, 2) };
    }
    sqlite3_reset(seen);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return Error { SqliteConnection::kindOf(rc), QStringLiteral("look up a participant's code") };
    // A second answer only: when the first arrived, for its receipt.
    if (holder.rowId >= 0 && m_db->tableExists(kArrivals)) {
        const auto arrived = timeOf(QStringLiteral("arrived"), row.table, holder.rowId);
        if (!arrived)
            return arrived.error();
        holder.arrived = arrived->value_or(QDateTime());
    }
    return holder;
}

Result<void> SqliteAnswersStore::claimCode(const NewRow& row, std::optional<qint64> rowId)
{
    const auto statements = codeStatements(row.table);
    if (!statements)
        return statements.error();
    if (!*statements)
        return Error { Error::NotFound, QStringLiteral("there are no participants of %1").arg(row.table) };
    // Always looked up just before, in the same transaction.
    if (m_codeSeen.table != row.table || m_codeSeen.code != row.participantCode)
        return Error { Error::Other, QStringLiteral("a code was claimed without being looked up") };
    sqlite3_stmt* claim = statementFor((*statements)->claim);
    if (!claim)
        return engineFailure(QStringLiteral("prepare"));
    // Bound in place: both live until the statement has run, and its
    // bindings are cleared after it.
    const QByteArray code = row.participantCode.toUtf8();
    const QByteArray answered = rowId
        ? isoMomentUtc(row.arrivedAt.isValid() ? row.arrivedAt : QDateTime::currentDateTimeUtc())
        : participants::answeredText(std::nullopt).toUtf8();
    sqlite3_bind_text(claim, 1, code.constData(), int(code.size()), SQLITE_STATIC);
    sqlite3_bind_text(claim, 2, answered.constData(), int(answered.size()), SQLITE_STATIC);
    sqlite3_bind_int64(claim, 4, m_codeSeen.participant);
    if (rowId)
        sqlite3_bind_int64(claim, 3, *rowId);
    else
        sqlite3_bind_null(claim, 3);
    if (const auto claimed = stepOnce(claim); !claimed)
        return claimed;
    if (sqlite3_changes(m_db->handle()) != 1)
        return Error { Error::Other, QStringLiteral("the code %1 was not claimed").arg(row.participantCode) };
    if (const auto unclaimed = m_unclaimed.find(row.table); unclaimed != m_unclaimed.end())
        if (const auto packed = packedCode(QStringView(row.participantCode)))
            unclaimed->remove(*packed);
    return {};
}

} // namespace quenlow
