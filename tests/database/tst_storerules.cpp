// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswerColumns.h"
#include "database/StoreRules.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using Inserted = AnswersStore::Inserted;
using Column = AnswersStore::Column;

namespace {

// An engine that records the steps the rules take and answers from a script.
struct FakeRows final : rules::RowEngine {
    std::optional<rules::TokenHolder> holder;
    bool differs = false;
    qint64 rows = 0;
    bool lookupFails = false;
    QStringList steps;

    Result<std::optional<rules::TokenHolder>> tokenHolder(const QString&, const QString&) override
    {
        steps << u"look up"_s;
        if (lookupFails)
            return Error { Error::Busy, u"locked"_s };
        return holder;
    }
    Result<bool> replaceAnswers(const AnswersStore::NewRow&, qint64 rowId) override
    {
        steps << u"replace %1"_s.arg(rowId);
        return differs;
    }
    Result<qint64> rowCount(const QString&) override
    {
        steps << u"count"_s;
        return rows;
    }
    Result<qint64> insertRow(const AnswersStore::NewRow& row) override
    {
        steps << u"insert"_s;
        insertedToken = row.token;
        return 42;
    }
    bool quotaIsFull = false;
    Result<bool> quotaFull(const AnswersStore::NewRow&, std::optional<qint64> heldBy) override
    {
        steps << (heldBy ? u"quota %1"_s.arg(*heldBy) : u"quota"_s);
        return quotaIsFull;
    }
    QString insertedToken;
    rules::CodeHolder code;
    Result<rules::CodeHolder> codeHolder(const AnswersStore::NewRow&) override
    {
        steps << u"code"_s;
        return code;
    }
    Result<void> claimCode(const AnswersStore::NewRow&, std::optional<qint64> rowId) override
    {
        steps << (rowId ? u"claim for %1"_s.arg(*rowId) : u"claim"_s);
        return {};
    }
};

// A table's columns and which of them hold answers, changed as the rules ask.
struct FakeColumns final : rules::ColumnEngine {
    QList<Column> now;
    qint64 rows = 0;
    QStringList answered;
    QStringList unreadable;
    QStringList steps;

    Result<QList<Column>> columns(const QString&) override { return now; }
    Result<qint64> rowCount(const QString&) override { return rows; }
    Result<void> renameColumn(const QString&, const QString& from, const QString& to) override
    {
        steps << u"rename %1 %2"_s.arg(from, to);
        for (Column& c : now) {
            if (c.name == from)
                c.name = to;
        }
        return {};
    }
    Result<bool> holdsOtherThan(const QString&, const QString& column, const QString&) override
    {
        if (unreadable.contains(column))
            return Error { Error::Io, u"unreadable"_s };
        return answered.contains(column);
    }
    Result<void> dropColumn(const QString&, const QString& column) override
    {
        steps << u"drop %1"_s.arg(column);
        now.removeIf([&](const Column& c) { return c.name == column; });
        return {};
    }
    Result<void> addColumn(const QString&, const Column& column, const std::optional<QString>& older) override
    {
        steps << u"add %1 %2"_s.arg(column.name, older.value_or(u"-"_s));
        now.append(column);
        return {};
    }
    Result<void> remakeEmpty(const QString&, const QList<Column>& columns) override
    {
        steps << u"remake"_s;
        now = columns;
        return {};
    }
};

QList<Column> columnsNamed(const QStringList& names)
{
    QList<Column> columns;
    for (const QString& n : names)
        columns.append({ n, AnswersStore::ColumnKind::Text });
    return columns;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<rules::TokenHolder>)
Q_DECLARE_METATYPE(std::optional<qint64>)
Q_DECLARE_METATYPE(rules::CodeHolder)

class TestStoreRules : public QObject
{
    Q_OBJECT

private slots:
    void aRowIsStoredRepeatedReplacedOrRefused_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<std::optional<rules::TokenHolder>>("holder");
        QTest::addColumn<bool>("differs");
        QTest::addColumn<std::optional<qint64>>("limit");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<qint64>("rowId");
        QTest::addColumn<QStringList>("steps");
        const QDateTime first(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC);
        const rules::TokenHolder ours { true, 7, first };
        const rules::TokenHolder deleted { true, -1, first };
        const rules::TokenHolder elsewhere { false, 7, first };
        const std::optional<qint64> none;
        QTest::newRow("new token") << u"t"_s << std::optional<rules::TokenHolder>() << false << none
                                   << int(Inserted::Stored) << qint64(42)
                                   << QStringList { u"look up"_s, u"insert"_s };
        QTest::newRow("no token, room left")
            << QString() << std::optional<rules::TokenHolder>() << false << std::optional<qint64>(3)
            << int(Inserted::Stored) << qint64(42) << QStringList { u"count"_s, u"insert"_s };
        QTest::newRow("no token, full")
            << QString() << std::optional<rules::TokenHolder>() << false << std::optional<qint64>(2)
            << int(Inserted::Full) << qint64(-1) << QStringList { u"count"_s };
        QTest::newRow("same answers again")
            << u"t"_s << std::optional(ours) << false << none << int(Inserted::Repeated) << qint64(7)
            << QStringList { u"look up"_s, u"replace 7"_s };
        QTest::newRow("other answers of the page")
            << u"t"_s << std::optional(ours) << true << none << int(Inserted::Replaced) << qint64(7)
            << QStringList { u"look up"_s, u"replace 7"_s };
        // A page sent again is its own row's, never one beyond the limit.
        QTest::newRow("page sent again to a full table")
            << u"t"_s << std::optional(ours) << true << std::optional<qint64>(2) << int(Inserted::Replaced)
            << qint64(7) << QStringList { u"look up"_s, u"replace 7"_s };
        QTest::newRow("row deleted since")
            << u"t"_s << std::optional(deleted) << true << none << int(Inserted::Repeated) << qint64(-1)
            << QStringList { u"look up"_s };
        QTest::newRow("token of another table")
            << u"t"_s << std::optional(elsewhere) << true << std::optional<qint64>(9)
            << int(Inserted::OtherTable) << qint64(-1) << QStringList { u"look up"_s };
    }
    void aRowIsStoredRepeatedReplacedOrRefused()
    {
        QFETCH(QString, token);
        QFETCH(std::optional<rules::TokenHolder>, holder);
        QFETCH(bool, differs);
        QFETCH(std::optional<qint64>, limit);
        FakeRows engine;
        engine.holder = holder;
        engine.differs = differs;
        engine.rows = 2;
        AnswersStore::NewRow row;
        row.table = u"tbl_survey"_s;
        row.token = token;
        row.limit = limit;
        const auto done = rules::storeRow(engine, row);
        QVERIFY(done);
        QTEST(int(done->outcome), "outcome");
        QTEST(done->rowId, "rowId");
        QTEST(engine.steps, "steps");
        if (holder && holder->sameTable)
            QCOMPARE(done->firstArrival, holder->arrived);
    }

    // A full quota refuses a new row, and a page sent again whose answers
    // would come into it: nothing replaced. The limit is counted first.
    void aFullQuotaStoresAndReplacesNothing()
    {
        const QDateTime first(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC);
        struct Case {
            QString token;
            std::optional<rules::TokenHolder> holder;
            bool quotaIsFull;
            std::optional<qint64> limit;
            Inserted::Outcome outcome;
            QStringList steps;
        };
        const rules::TokenHolder ours { true, 7, first };
        const Case cases[] = {
            { {}, {}, true, {}, Inserted::QuotaFull, { u"quota"_s } },
            { {}, {}, false, 5, Inserted::Stored, { u"count"_s, u"quota"_s, u"insert"_s } },
            { {}, {}, true, 2, Inserted::Full, { u"count"_s } },
            { u"t"_s, ours, true, {}, Inserted::QuotaFull, { u"look up"_s, u"quota 7"_s } },
            { u"t"_s, ours, false, 2, Inserted::Replaced, { u"look up"_s, u"quota 7"_s, u"replace 7"_s } },
        };
        for (const Case& c : cases) {
            FakeRows engine;
            engine.holder = c.holder;
            engine.differs = true;
            engine.rows = 2;
            engine.quotaIsFull = c.quotaIsFull;
            AnswersStore::NewRow row;
            row.table = u"tbl_survey"_s;
            row.token = c.token;
            row.limit = c.limit;
            row.quotas = { { u"Region"_s, u"North"_s, 2 } };
            const auto done = rules::storeRow(engine, row);
            QVERIFY(done);
            QCOMPARE(done->outcome, c.outcome);
            QCOMPARE(engine.steps, c.steps);
        }
        rules::RowFacts facts;
        facts.holder = ours;
        facts.quotaFull = true;
        QCOMPARE(rules::outcomeOf(facts)->outcome, Inserted::QuotaFull);
    }

    // A participant's code, not the page's token, tells a first answer from
    // a second; anonymous answers are claimed without their row, once.
    void aCodedRowGoesByItsCode_data()
    {
        QTest::addColumn<bool>("anonymous");
        QTest::addColumn<rules::CodeHolder>("code");
        QTest::addColumn<std::optional<qint64>>("limit");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("steps");
        const QDateTime first(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC);
        const rules::CodeHolder unknown;
        const rules::CodeHolder fresh { true, false, -1, {} };
        const rules::CodeHolder answered { true, true, 7, first };
        const rules::CodeHolder rowDeleted { true, true, -1, {} };
        const std::optional<qint64> none;
        QTest::newRow("unknown") << false << unknown << none << int(Inserted::UnknownCode)
                                 << QStringList { u"code"_s };
        QTest::newRow("first answer") << false << fresh << none << int(Inserted::Stored)
                                      << QStringList { u"code"_s, u"insert"_s, u"claim for 42"_s };
        QTest::newRow("first anonymous answer") << true << fresh << none << int(Inserted::Stored)
                                                << QStringList { u"code"_s, u"insert"_s, u"claim"_s };
        QTest::newRow("answered again")
            << false << answered << std::optional<qint64>(2) << int(Inserted::Replaced)
            << QStringList { u"code"_s, u"replace 7"_s };
        QTest::newRow("anonymous answered again")
            << true << answered << none << int(Inserted::CodeUsed) << QStringList { u"code"_s };
        QTest::newRow("answered, its answers deleted since")
            << false << rowDeleted << none << int(Inserted::Stored)
            << QStringList { u"code"_s, u"insert"_s, u"claim for 42"_s };
        QTest::newRow("first answer to a full table")
            << false << fresh << std::optional<qint64>(2) << int(Inserted::Full)
            << QStringList { u"code"_s, u"count"_s };
    }
    void aCodedRowGoesByItsCode()
    {
        QFETCH(bool, anonymous);
        QFETCH(rules::CodeHolder, code);
        QFETCH(std::optional<qint64>, limit);
        FakeRows engine;
        engine.code = code;
        engine.differs = true;
        engine.rows = 2;
        AnswersStore::NewRow row;
        row.table = u"tbl_survey"_s;
        row.token = u"page"_s; // never stored with a coded row
        row.limit = limit;
        row.participantCode = u"ACDE3479"_s;
        row.anonymous = anonymous;
        const auto done = rules::storeRow(engine, row);
        QVERIFY(done);
        QTEST(int(done->outcome), "outcome");
        QTEST(engine.steps, "steps");
        QVERIFY(engine.insertedToken.isEmpty());
        if (done->outcome == Inserted::Replaced)
            QCOMPARE(done->firstArrival, code.arrived);
    }

    // A code's answers are held to the form's quotas too: a first answer
    // into a full quota claims nothing, and a second one that would come
    // into it leaves the first in place.
    void aCodedRowKeepsToItsQuotas()
    {
        const rules::CodeHolder fresh { true, false, -1, {} };
        const rules::CodeHolder answered { true, true, 7,
            QDateTime(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC) };
        for (const auto& [code, full, outcome, steps] : {
                 std::tuple { fresh, true, Inserted::QuotaFull, QStringList { u"code"_s, u"quota"_s } },
                 std::tuple { answered, true, Inserted::QuotaFull, QStringList { u"code"_s, u"quota 7"_s } },
                 std::tuple { fresh, false, Inserted::Stored,
                     QStringList { u"code"_s, u"quota"_s, u"insert"_s, u"claim for 42"_s } },
             }) {
            FakeRows engine;
            engine.code = code;
            engine.differs = true;
            engine.quotaIsFull = full;
            AnswersStore::NewRow row;
            row.table = u"tbl_survey"_s;
            row.participantCode = u"ACDE3479"_s;
            row.quotas = { { u"Region"_s, u"North"_s, 2 } };
            const auto done = rules::storeRow(engine, row);
            QVERIFY(done);
            QCOMPARE(done->outcome, outcome);
            QCOMPARE(engine.steps, steps);
        }
    }

    void aFailedStepStoresNothing()
    {
        FakeRows engine;
        engine.lookupFails = true;
        AnswersStore::NewRow row;
        row.token = u"t"_s;
        QVERIFY(rules::storeRow(engine, row).failedWith(Error::Busy));
        QCOMPARE(engine.steps, QStringList { u"look up"_s });
    }

    // The batch of the server store reports facts of one statement: a row
    // stored wins, and facts that decide nothing are told apart.
    void factsOfOneStatementDecide()
    {
        rules::RowFacts facts;
        QVERIFY(!rules::outcomeOf(facts));
        facts.full = true;
        QCOMPARE(rules::outcomeOf(facts)->outcome, Inserted::Full);
        // A full table still takes its page sent again.
        facts.holder = rules::TokenHolder { true, 3, {} };
        facts.answersChanged = true;
        QCOMPARE(rules::outcomeOf(facts)->outcome, Inserted::Replaced);
        facts.holder = rules::TokenHolder { false, -1, {} };
        QCOMPARE(rules::outcomeOf(facts)->outcome, Inserted::OtherTable);
        facts.storedId = 5;
        QCOMPARE(rules::outcomeOf(facts)->rowId, 5);
    }

    void eachColumnTakesTheFirstValueForIt()
    {
        const QHash<QString, int> byKey { { u"mood"_s, 0 }, { u"why"_s, 1 }, { u"é"_s, 2 } };
        const QList<std::pair<QString, std::optional<QString>>> values { { u"WHY"_s, u"first"_s },
            { u"Unknown"_s, u"x"_s }, { u"why"_s, u"second"_s }, { u"É"_s, u"not folded"_s },
            { u"Mood"_s, std::nullopt } };
        const auto picked = rules::pickValues(values, byKey, 4, foldAscii);
        QCOMPARE(picked.size(), 4);
        QVERIFY(picked[0] && !*picked[0]); // answered as nothing, which is not left out
        QCOMPARE(**picked[1], u"first"_s);
        QVERIFY(!picked[2] && !picked[3]);
    }

    void columnsAreRestored_data()
    {
        QTest::addColumn<QStringList>("current");
        QTest::addColumn<QStringList>("target");
        QTest::addColumn<bool>("undo");
        QTest::addColumn<qint64>("rows");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("after");
        const QStringList ab { u"A"_s, u"B"_s };
        QTest::newRow("a lone rename undone") << QStringList { u"A"_s, u"C"_s } << ab << true << qint64(3)
                                              << QStringList() << QStringList { u"rename C B"_s } << ab;
        QTest::newRow("repaired, not renamed")
            << QStringList { u"A"_s, u"C"_s } << ab << false << qint64(3) << QStringList()
            << QStringList { u"drop C"_s, u"add B *"_s } << ab;
        QTest::newRow("answers keep their column")
            << QStringList { u"A"_s, u"Kept"_s, u"Unread"_s } << QStringList { u"A"_s } << false << qint64(1)
            << QStringList { u"Kept"_s, u"Unread"_s } << QStringList()
            << QStringList { u"A"_s, u"Kept"_s, u"Unread"_s };
        QTest::newRow("case alone is the same column")
            << QStringList { u"a"_s, u"b"_s } << ab << true << qint64(1) << QStringList() << QStringList()
            << QStringList { u"a"_s, u"b"_s };
        QTest::newRow("put back in its place while empty")
            << QStringList { u"B"_s } << ab << true << qint64(0) << QStringList()
            << QStringList { u"add A -"_s, u"remake"_s } << ab;
        QTest::newRow("left at the end once answered")
            << QStringList { u"B"_s } << ab << true << qint64(2) << QStringList()
            << QStringList { u"add A *"_s } << QStringList { u"B"_s, u"A"_s };
        QTest::newRow("left at the end for a repair")
            << QStringList { u"B"_s } << ab << false << qint64(0) << QStringList()
            << QStringList { u"add A -"_s } << QStringList { u"B"_s, u"A"_s };
    }
    void columnsAreRestored()
    {
        QFETCH(QStringList, current);
        QFETCH(QStringList, target);
        QFETCH(bool, undo);
        FakeColumns engine;
        engine.now = columnsNamed(current);
        QFETCH(qint64, rows);
        engine.rows = rows;
        engine.answered = { u"Kept"_s };
        engine.unreadable = { u"Unread"_s };
        const auto kept = rules::restoreColumns(engine, u"tbl_survey"_s, columnsNamed(target), u"*"_s,
            undo ? AnswersStore::Restore::Undo : AnswersStore::Restore::Repair);
        QVERIFY(kept);
        QTEST(*kept, "kept");
        QTEST(engine.steps, "steps");
        QStringList after;
        for (const Column& c : std::as_const(engine.now))
            after.append(c.name);
        QTEST(after, "after");
    }

    void rowsAreOrderedAsTheDesignerCompares()
    {
        rules::RowOrdering order;
        const auto text = [&](qint64 id, const QByteArray& bytes) {
            order.addText(id, reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()));
        };
        text(1, "beta");
        order.addNull(2);
        text(3, "Alpha");
        text(4, "\xc3\x89mile"); // beyond ASCII: by its bytes, after every ASCII letter
        text(5, "alpha");
        order.addInteger(6, 10);
        order.addReal(7, 2.5);
        text(8, "a long answer that differs late: Z");
        text(9, "A LONG ANSWER THAT DIFFERS LATE: y");
        order.addNull(10);
        QCOMPARE(order.ids(false), QList<qint64>({ 2, 10, 7, 6, 9, 8, 3, 5, 1, 4 }));
        rules::RowOrdering reversed = order;
        // Ties stay in id order both ways.
        QCOMPARE(reversed.ids(true), QList<qint64>({ 4, 1, 3, 5, 8, 9, 6, 7, 2, 10 }));
    }

    void aPageOfAnOrderLeavesOutRowsDeletedSince()
    {
        QList<qint64> order;
        for (qint64 id = 1200; id > 0; --id)
            order.append(id);
        int fetches = 0;
        const auto rows = rules::rowsInOrder(order, 100, 1000, [&](std::span<const qint64> ids) {
            ++fetches;
            QList<AnswersStore::Row> found;
            for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
                if (*it % 2 == 0) // the odd ones were deleted
                    found.append({ *it, {}, {}, {} });
            }
            return Result<QList<AnswersStore::Row>>(found);
        });
        QVERIFY(rows);
        QCOMPARE(fetches, 2);
        QCOMPARE(rows->size(), 500);
        QCOMPARE(rows->first().id, 1100);
        QCOMPARE(rows->last().id, 102);
        QVERIFY(rules::rowsInOrder(order, 1200, 5, {}).value().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStoreRules)
#include "tst_storerules.moc"
