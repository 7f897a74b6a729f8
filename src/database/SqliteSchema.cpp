// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The embedded store's tables and columns.
#include "database/SqliteAnswersStore.h"

#include "database/AnswerColumns.h"
#include "database/SqliteConnection_p.h"
#include "database/StoreRules.h"

#include <sqlite3.h>

namespace quenlow {

using namespace sqlite;

Result<bool> SqliteAnswersStore::tableExists(const QString& table)
{
    if (m_db->tableExists(table))
        return true;
    // Tell a missing table from a store that cannot be read.
    if (const auto r = m_db->number(QStringLiteral("SELECT count(*) FROM sqlite_master")); !r)
        return failure(QStringLiteral("read the tables"), r.error());
    return false;
}

Result<QStringList> SqliteAnswersStore::tables()
{
    QStringList names;
    const Result<void> read = m_db->forEachRow(QStringLiteral("sqlite_master"), [&](const QVariantList& row) {
        // type, name, tbl_name, rootpage, sql
        if (row.value(0).toString() == QLatin1StringView("table")) {
            const QString name = row.value(1).toString();
            if (!name.startsWith(QLatin1StringView("sqlite_"))
                && name.compare(kArrivals, Qt::CaseInsensitive) != 0
                && name.compare(kSettings, Qt::CaseInsensitive) != 0
                && name.compare(kRowMarks, Qt::CaseInsensitive) != 0
                && !name.startsWith(kParticipantsPrefix, Qt::CaseInsensitive))
                names.append(name);
        }
        return true;
    });
    if (!read)
        return failure(QStringLiteral("list the tables"), read.error());
    return names;
}

Result<void> SqliteAnswersStore::createTable(const QString& table, const QString& firstColumn)
{
    // Names are compared without regard to ASCII case, and a view of that
    // name takes it too: a query on the name sees both.
    const auto taken = [&] {
        return m_db->tableExists(table)
            || m_db->exec(QStringLiteral("SELECT 1 FROM %1 LIMIT 0").arg(quote(table)));
    };
    if (taken())
        return Error { Error::Duplicate, QStringLiteral("the name %1 is taken").arg(table) };
    // Without IF NOT EXISTS: one made in between must fail, not be reused.
    if (const auto r = m_db->createTable(table, firstColumn); !r) {
        const Error e = failure(QStringLiteral("create table %1").arg(table), r.error());
        if (taken())
            return Error { Error::Duplicate, e.detail };
        return e;
    }
    return {};
}

Result<void> SqliteAnswersStore::dropTable(const QString& table)
{
    return inTransaction([&]() -> Result<void> {
        if (const auto r = m_db->dropTable(table); !r)
            return failure(QStringLiteral("drop table %1").arg(table), r.error());
        if (const auto r
            = m_db->exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(quote(participantsTable(table))));
            !r)
            return failure(QStringLiteral("forget the participants of %1").arg(table), r.error());
        if (m_db->tableExists(kRowMarks)) {
            if (const auto r
                = m_db->exec(QStringLiteral("DELETE FROM %1 WHERE answers_table = ?1").arg(quote(kRowMarks)),
                    { table });
                !r)
                return failure(QStringLiteral("forget the row ids of %1").arg(table), r.error());
        }
        if (!m_db->tableExists(kArrivals))
            return {};
        if (const auto r = m_db->exec(
                QStringLiteral("DELETE FROM %1 WHERE answers_table = ?1").arg(quote(kArrivals)), { table });
            !r)
            return failure(QStringLiteral("forget the arrivals of %1").arg(table), r.error());
        return {};
    });
}

Result<void> SqliteAnswersStore::renameTable(const QString& from, const QString& to)
{
    return inTransaction([&]() -> Result<void> {
        if (!m_db->tableExists(from))
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(from) };
        if (m_db->tableExists(to) && from.compare(to, Qt::CaseInsensitive) != 0)
            return Error { Error::Duplicate, QStringLiteral("the name %1 is taken").arg(to) };
        if (const auto r
            = m_db->exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quote(from), quote(to)));
            !r)
            return failure(QStringLiteral("rename table %1").arg(from), r.error());
        // The participants go with the form; a change of case only keeps their table.
        if (m_db->tableExists(participantsTable(from)) && from.compare(to, Qt::CaseInsensitive) != 0) {
            if (const auto r
                = m_db->exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                                 .arg(quote(participantsTable(from)), quote(participantsTable(to))));
                !r)
                return failure(QStringLiteral("move the participants of %1").arg(from), r.error());
        }
        if (m_db->tableExists(kRowMarks)) {
            if (const auto r
                = m_db->exec(QStringLiteral("UPDATE %1 SET answers_table = ?2 WHERE answers_table = ?1")
                                 .arg(quote(kRowMarks)),
                    { from, to });
                !r)
                return failure(QStringLiteral("move the row ids of %1").arg(from), r.error());
        }
        // The arrivals are keyed by the table's name: they go with the rows.
        if (!m_db->tableExists(kArrivals))
            return {};
        if (const auto r
            = m_db->exec(QStringLiteral("UPDATE %1 SET answers_table = ?2 WHERE answers_table = ?1")
                             .arg(quote(kArrivals)),
                { from, to });
            !r)
            return failure(QStringLiteral("move the arrivals of %1").arg(from), r.error());
        return {};
    });
}

Result<void> SqliteAnswersStore::copyTable(const QString& from, const QString& to, bool withRows)
{
    return inTransaction([&]() -> Result<void> {
        if (!m_db->tableExists(from))
            return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(from) };
        if (m_db->tableExists(to))
            return Error { Error::Duplicate, QStringLiteral("the name %1 is taken").arg(to) };
        QStringList definition, names;
        for (const SqliteConnection::Column& c : m_db->columns(from)) {
            definition.append(
                quote(c.name) + (c.isMemo() ? QStringLiteral(" MEMO") : QStringLiteral(" TEXT")));
            names.append(quote(c.name));
        }
        if (const auto r = m_db->exec(
                QStringLiteral("CREATE TABLE %1 (%2)").arg(quote(to), definition.join(QStringLiteral(", "))));
            !r)
            return failure(QStringLiteral("create table %1").arg(to), r.error());
        // The copy invites the same people with the same codes; they have
        // answered it only when their answers came along.
        if (m_db->tableExists(participantsTable(from))) {
            Result<void> r = m_db->exec(
                QStringLiteral("CREATE TABLE %1 %2").arg(quote(participantsTable(to)), kParticipantsColumns));
            if (r)
                r = m_db->exec(
                    QStringLiteral("INSERT INTO %1 SELECT code, position, name, attributes, %3 FROM %2")
                        .arg(quote(participantsTable(to)), quote(participantsTable(from)),
                            withRows ? QStringLiteral("answered") : QStringLiteral("NULL")));
            if (!r)
                return failure(QStringLiteral("copy the participants of %1").arg(from), r.error());
        }
        if (!withRows)
            return {};
        // The same row ids, so that the arrival times copied below still name their rows.
        const QString list = names.join(QStringLiteral(", "));
        if (const auto r = m_db->exec(QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %2 FROM %3")
                                          .arg(quote(to), list, quote(from)));
            !r)
            return failure(QStringLiteral("copy the rows of %1").arg(from), r.error());
        if (m_db->tableExists(kRowMarks)) {
            if (const auto r = m_db->exec(QStringLiteral("INSERT INTO %1 (answers_table, last_id) SELECT ?2, "
                                                         "last_id FROM %1 WHERE answers_table = ?1")
                                              .arg(quote(kRowMarks)),
                    { from, to });
                !r)
                return failure(QStringLiteral("copy the row ids of %1").arg(from), r.error());
        }
        if (!m_db->tableExists(kArrivals))
            return {};
        const auto changes = hasChangeTimes(false);
        const QString times
            = changes && *changes ? QStringLiteral("arrived, changed") : QStringLiteral("arrived");
        if (const auto r = m_db->exec(
                QStringLiteral("INSERT INTO %1 (answers_table, row_id, %2) SELECT ?2, row_id, %2 FROM %1 "
                               "WHERE answers_table = ?1")
                    .arg(quote(kArrivals), times),
                { from, to });
            !r)
            return failure(QStringLiteral("copy the arrivals of %1").arg(from), r.error());
        return {};
    });
}

Result<QList<AnswersStore::Column>> SqliteAnswersStore::columns(const QString& table)
{
    if (!m_db->tableExists(table))
        return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table) };
    QList<Column> result;
    for (const SqliteConnection::Column& c : m_db->columns(table))
        result.append({ c.name, c.isMemo() ? ColumnKind::Memo : ColumnKind::Text });
    return result;
}

Result<void> SqliteAnswersStore::addColumn(
    const QString& table, const QString& column, ColumnKind kind, const QString& olderRowsText)
{
    // One transaction: the column and the text in older rows come together or not at all.
    return inTransaction([&]() -> Result<void> {
        if (const auto may = mayAddColumn(table, column); !may)
            return may;
        if (const auto r = m_db->addColumn(table, column, kind == ColumnKind::Memo); !r)
            return failure(QStringLiteral("add column %1").arg(column), r.error());
        if (const auto r = m_db->setColumnInAllRows(table, column, olderRowsText); !r)
            return failure(QStringLiteral("fill column %1").arg(column), r.error());
        return {};
    });
}

Result<void> SqliteAnswersStore::renameColumn(const QString& table, const QString& from, const QString& to)
{
    return inTransaction([&]() -> Result<void> {
        if (const auto may = mayRenameColumn(table, from, to); !may)
            return may;
        if (const auto r = m_db->renameColumn(table, from, to); !r)
            return failure(QStringLiteral("rename column %1").arg(from), r.error());
        return {};
    });
}

Result<void> SqliteAnswersStore::dropColumn(const QString& table, const QString& column)
{
    return inTransaction([&]() -> Result<void> {
        if (const auto may = mayDropColumn(table, column); !may)
            return may;
        if (const auto r = m_db->dropColumn(table, column); !r)
            return failure(QStringLiteral("drop column %1").arg(column), r.error());
        return {};
    });
}

namespace {

// The embedded engine's changes of columns, for the rules restoring them.
class SqliteColumnChanges final : public rules::ColumnEngine
{
public:
    SqliteColumnChanges(AnswersStore& store, SqliteConnection& db)
        : m_store(store)
        , m_db(db)
    {
    }

    Result<QList<AnswersStore::Column>> columns(const QString& table) override
    {
        return m_store.columns(table);
    }
    Result<qint64> rowCount(const QString& table) override
    {
        return failed(QStringLiteral("count the rows of %1").arg(table), m_db.rowCount(table));
    }
    Result<void> renameColumn(const QString& table, const QString& from, const QString& to) override
    {
        return failed(QStringLiteral("rename column %1").arg(from), m_db.renameColumn(table, from, to));
    }
    Result<bool> holdsOtherThan(const QString& table, const QString& column, const QString& except) override
    {
        if (const auto held = m_db.holdsValueOtherThan(table, column, except))
            return *held;
        return Error { Error::Other, QStringLiteral("read column %1").arg(column) };
    }
    Result<void> dropColumn(const QString& table, const QString& column) override
    {
        return failed(QStringLiteral("drop column %1").arg(column), m_db.dropColumn(table, column));
    }
    Result<void> addColumn(const QString& table, const AnswersStore::Column& column,
        const std::optional<QString>& olderRowsText) override
    {
        Result<void> r = m_db.addColumn(table, column.name, column.isMemo());
        if (r && olderRowsText)
            r = m_db.setColumnInAllRows(table, column.name, *olderRowsText);
        return failed(QStringLiteral("add column %1").arg(column.name), r);
    }
    Result<void> remakeEmpty(const QString& table, const QList<AnswersStore::Column>& columns) override
    {
        QStringList definition;
        for (const AnswersStore::Column& c : columns)
            definition.append(
                quote(c.name) + (c.isMemo() ? QStringLiteral(" MEMO") : QStringLiteral(" TEXT")));
        const QString rebuilt = table + QStringLiteral("_reordered");
        Result<void> r = m_db.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                                       .arg(quote(rebuilt), definition.join(QStringLiteral(", "))));
        if (r)
            r = m_db.dropTable(table);
        if (r)
            r = m_db.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quote(rebuilt), quote(table)));
        return failed(QStringLiteral("reorder the columns of %1").arg(table), r);
    }

private:
    template <typename T> static Result<T> failed(const QString& what, Result<T> r)
    {
        if (r)
            return r;
        return Error { r.error().kind, what + QStringLiteral(": ") + r.error().detail };
    }

    AnswersStore& m_store;
    SqliteConnection& m_db;
};

} // namespace

Result<QStringList> SqliteAnswersStore::restoreColumns(
    const QString& table, const QList<Column>& target, const QString& olderRowsText, Restore how)
{
    QStringList kept;
    const Result<void> done = inTransaction([&]() -> Result<void> {
        SqliteColumnChanges engine(*this, *m_db);
        const auto restored = rules::restoreColumns(engine, table, target, olderRowsText, how);
        if (!restored)
            return restored.error();
        kept = *restored;
        return {};
    });
    if (!done)
        return done.error();
    return kept;
}

Result<bool> SqliteAnswersStore::columnHoldsAnswers(const QString& table, const QString& column)
{
    const auto n = m_db->number(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2 IS NOT NULL)")
                                    .arg(quote(table), quote(column)));
    if (!n)
        return failure(QStringLiteral("read column %1").arg(column), n.error());
    return *n != 0;
}

Result<bool> SqliteAnswersStore::hasArrivals()
{
    if (m_arrivalsKnown)
        return true;
    // Made on the first stored submission only, so a store that never
    // collected keeps exactly the tables the designer made.
    Result<void> made = m_db->exec(
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (answers_table TEXT NOT NULL, row_id INTEGER, "
                       "arrived TEXT NOT NULL, token TEXT UNIQUE, changed TEXT)")
            .arg(quote(kArrivals)));
    if (made)
        made = m_db->exec(
            QStringLiteral("CREATE INDEX IF NOT EXISTS quenlow_arrivals_row ON %1 (answers_table, row_id)")
                .arg(quote(kArrivals)));
    if (!made)
        return failure(QStringLiteral("create the arrivals table"), made.error());
    m_arrivalsKnown = true;
    return true;
}

Result<bool> SqliteAnswersStore::hasChangeTimes(bool make)
{
    if (m_changesKnown)
        return true;
    if (!m_db->tableExists(kArrivals))
        return false;
    // Side tables made before answers could be replaced lack the column.
    const Result<qint64> found = m_db->number(
        QStringLiteral("SELECT count(*) FROM pragma_table_info(?1) WHERE name = 'changed'"), { kArrivals });
    if (!found)
        return failure(QStringLiteral("read the arrivals table"), found.error());
    if (*found == 0) {
        if (!make)
            return false;
        if (const auto r
            = m_db->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN changed TEXT").arg(quote(kArrivals)));
            !r)
            return failure(QStringLiteral("keep change times"), r.error());
    }
    m_changesKnown = true;
    return true;
}
} // namespace quenlow
