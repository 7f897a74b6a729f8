// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "support/PostgresFixture.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <thread>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;

namespace {

const QString kTable = AnswersStore::tableFor(u"survey"_s);

// Each kind of store the program can use: the location of a fresh, empty
// one (a place inside `dir` for a file); empty with the reason in `why` when
// that kind cannot be had here. Every case runs on each.
using StoreMaker = std::function<QString(const QTemporaryDir& dir, QString* why)>;

AnswersStore::NewRow answer(const QString& value, const QString& token = {})
{
    AnswersStore::NewRow row;
    row.table = kTable;
    row.values = { { u"Mood"_s, value }, { u"Not a question"_s, u"x"_s } };
    row.token = token;
    row.arrivedAt = QDateTime(QDate(2026, 12, 6), QTime(15, 4, 5, 678), Qt::UTC);
    return row;
}

} // namespace

Q_DECLARE_METATYPE(StoreMaker)

class TestAnswersStore : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QFETCH_GLOBAL(StoreMaker, make);
        m_dir = std::make_unique<QTemporaryDir>();
        QString why;
        m_location = make(*m_dir, &why);
        QVERIFY2(!m_location.isEmpty(), qPrintable(why));
        auto made = createAnswersStore(m_location);
        QVERIFY2(made, qPrintable(made ? QString() : made.error().detail));
        m_store = std::move(made).value();
        QVERIFY(m_store->createTable(kTable, u"Form Question"_s));
        QVERIFY(m_store->addColumn(kTable, u"Mood"_s, AnswersStore::ColumnKind::Text, QString()));
    }
    void initTestCase_data()
    {
        QTest::addColumn<StoreMaker>("make");
        QTest::newRow("sqlite") << StoreMaker(
            [](const QTemporaryDir& dir, QString*) { return dir.filePath(u"a.mdb"_s); });
        QTest::newRow("postgresql") << StoreMaker(
            [](const QTemporaryDir&, QString* why) { return test::freshPostgresLocation(why); });
    }
    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    // A store made before answers could be replaced has no column for the
    // change times: reading works as before, and the first replacement adds it.
    void aSideTableOfBeforeGetsChangeTimes()
    {
        QVERIFY(m_store->insertRows({ answer(u"a"_s, u"t1"_s) }));
        m_store.reset();
        QProcess tool;
        if (isServerLocation(m_location))
            tool.start(
                u"psql"_s, { m_location, u"-qc"_s, u"ALTER TABLE quenlow.arrivals DROP COLUMN changed"_s });
        else
            tool.start(u"sqlite3"_s, { m_location, u"ALTER TABLE quenlow_arrivals DROP COLUMN changed"_s });
        QVERIFY(tool.waitForFinished(30000) && tool.exitCode() == 0);
        auto reopened = openAnswersStore(m_location);
        QVERIFY(reopened);
        m_store = *reopened;
        const auto rows = m_store->readRows(kTable, { u"Mood"_s }, -1, 10, true);
        QVERIFY(rows && rows->size() == 1 && rows->first().arrivedAt && !rows->first().changedAt);
        const auto again = m_store->insertRows({ answer(u"b"_s, u"t1"_s) });
        QVERIFY(again);
        QCOMPARE(again->first().outcome, AnswersStore::Inserted::Replaced);
        QVERIFY(m_store->changeOf(kTable, again->first().rowId).valueOr(std::nullopt));
    }

    void tablesAndColumnsChangeWithTypedFailures()
    {
        QVERIFY(m_store->createTable(kTable.toUpper(), u"X"_s).failedWith(Error::Duplicate));
        QCOMPARE(m_store->tables().valueOr({}), QStringList { kTable });
        QVERIFY(m_store->columns(u"tbl_gone"_s).failedWith(Error::NotFound));
        QVERIFY(m_store->insertRows({ answer(u"glad"_s) }));
        QVERIFY(m_store->addColumn(kTable, u"Notes"_s, AnswersStore::ColumnKind::Memo, u"*older*"_s));
        QVERIFY(m_store->addColumn(kTable, u"NOTES"_s, AnswersStore::ColumnKind::Text, QString())
                    .failedWith(Error::Duplicate));
        QVERIFY(m_store->renameColumn(kTable, u"Mood"_s, u"notes"_s).failedWith(Error::Duplicate));
        QVERIFY(m_store->renameColumn(kTable, u"Gone"_s, u"Other"_s).failedWith(Error::NotFound));
        QVERIFY(m_store->renameColumn(kTable, u"Mood"_s, u"Feeling"_s));
        const auto columns = m_store->columns(kTable).valueOr({});
        QCOMPARE(columns.size(), 3);
        QCOMPARE(columns.at(1).name, u"Feeling"_s);
        QVERIFY(columns.at(2).isMemo());
        AnswersStore::NewRow later = answer(QString());
        later.values = { { u"feeling"_s, u"calm"_s } };
        QVERIFY(m_store->insertRows({ later }));
        const auto rows = m_store->readRows(kTable, { u"Feeling"_s, u"Notes"_s }, -1, 10);
        QVERIFY(rows);
        QCOMPARE(rows->size(), 2);
        // Only rows older than the column hold the marker.
        QCOMPARE(rows->first().values, QVariantList({ u"glad"_s, u"*older*"_s }));
        QCOMPARE(rows->last().values, QVariantList({ u"calm"_s, QVariant() }));
        // The raw visitor hands over the same values as UTF-8, nothing where nothing was answered, from a row
        // on.
        AnswersStore::NewRow unanswered;
        unanswered.table = kTable;
        unanswered.values = { { u"Feeling"_s, u"Zoë, 山田"_s } };
        QVERIFY(m_store->insertRows({ unanswered }));
        QList<std::optional<QByteArray>> seen;
        const auto visited = m_store->visitRows(kTable, { u"Notes"_s, u"Feeling"_s }, rows->last().id, 10,
            [&](qint64, AnswersStore::RawValues values) {
                for (const auto& v : values)
                    seen.append(v ? std::optional(v->toByteArray()) : std::nullopt);
            });
        QCOMPARE(visited.valueOr(-1), 1);
        QCOMPARE(seen,
            (QList<std::optional<QByteArray>> {
                std::nullopt, QByteArray("Zo\xC3\xAB, \xE5\xB1\xB1\xE7\x94\xB0") }));
        QVERIFY(m_store->dropColumn(kTable, u"Notes"_s));
        QCOMPARE(m_store->columns(kTable).valueOr({}).size(), 2);
    }

    void aTokenIsStoredOnceAndArrivalsKept()
    {
        auto stored
            = m_store->insertRows({ answer(u"a"_s, u"t1"_s), answer(u"b"_s), answer(u"c"_s, u"t1"_s) });
        QVERIFY(stored);
        QCOMPARE(stored->at(0).outcome, AnswersStore::Inserted::Stored);
        QCOMPARE(stored->at(1).outcome, AnswersStore::Inserted::Stored);
        // The same page with other answers replaces them; with the same, nothing.
        QCOMPARE(stored->at(2).outcome, AnswersStore::Inserted::Replaced);
        QCOMPARE(stored->at(2).rowId, stored->at(0).rowId);
        const auto same = m_store->insertRows({ answer(u"c"_s, u"t1"_s) });
        QVERIFY(same);
        QCOMPARE(same->first().outcome, AnswersStore::Inserted::Repeated);
        const auto replaced = m_store->readRows(kTable, { u"Mood"_s }, -1, 10, true);
        QVERIFY(replaced && replaced->size() == 2);
        QCOMPARE(replaced->first().values.value(0).toString(), u"c"_s);
        QVERIFY(replaced->first().changedAt && !replaced->last().changedAt);
        // A later batch, after the first row was deleted: still repeated.
        QVERIFY(m_store->deleteRows(kTable, { stored->at(0).rowId }));
        const auto again = m_store->insertRows({ answer(u"d"_s, u"t1"_s) });
        QVERIFY(again);
        QCOMPARE(again->first().outcome, AnswersStore::Inserted::Repeated);
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 1);

        const auto when = m_store->arrivalOf(kTable, stored->at(1).rowId);
        QVERIFY(when && *when);
        QCOMPARE(**when, answer(QString()).arrivedAt);
        // The side table is no answers table and adds no column.
        QCOMPARE(m_store->tables().valueOr({}), QStringList { kTable });
        QCOMPARE(m_store->columns(kTable).valueOr({}).size(), 2);

        AnswersStore::NewRow lost = answer(u"x"_s);
        lost.table = u"tbl_gone"_s;
        QCOMPARE(m_store->insertRows({ lost }).value().first().outcome, AnswersStore::Inserted::NoSuchTable);
        QVERIFY(m_store->checkWritable());
    }

    void tablesAreRenamedAndCopiedWithTheirArrivals()
    {
        QVERIFY(m_store->addColumn(kTable, u"Notes"_s, AnswersStore::ColumnKind::Memo, QString()));
        QVERIFY(m_store->insertRows({ answer(u"a"_s, u"t1"_s), answer(u"b"_s) }));
        QVERIFY(m_store->insertRows({ answer(u"c"_s, u"t1"_s) })); // replaces a: a change time
        const auto original = m_store->readRows(kTable, { u"Mood"_s }, -1, 10, true).valueOr({});
        QCOMPARE(original.size(), 2);
        const auto sameRows = [&](const QString& table) {
            const auto rows = m_store->readRows(table, { u"Mood"_s }, -1, 10, true).valueOr({});
            QCOMPARE(rows.size(), original.size());
            for (qsizetype i = 0; i < rows.size(); ++i) {
                QCOMPARE(rows.at(i).id, original.at(i).id);
                QCOMPARE(rows.at(i).values, original.at(i).values);
                QCOMPARE(rows.at(i).arrivedAt, original.at(i).arrivedAt);
                QCOMPARE(rows.at(i).changedAt, original.at(i).changedAt);
            }
        };
        const QString copy = u"tbl_copy"_s, empty = u"tbl_empty"_s, renamed = u"tbl_renamed"_s;
        const auto copied = m_store->copyTable(kTable, copy, true);
        QVERIFY2(copied, qPrintable(copied ? QString() : copied.error().detail));
        sameRows(copy);
        QVERIFY(m_store->copyTable(kTable, empty, false));
        QCOMPARE(m_store->rowCount(empty).valueOr(-1), 0);
        QCOMPARE(m_store->columns(empty).valueOr({}), m_store->columns(kTable).valueOr({}));
        QVERIFY(m_store->copyTable(kTable, copy.toUpper(), true).failedWith(Error::Duplicate));
        QVERIFY(m_store->copyTable(u"tbl_gone"_s, u"tbl_x"_s, true).failedWith(Error::NotFound));
        // The copy's rows keep no token (a page sent again belongs to the original) and new rows follow them.
        const auto sentAgain = m_store->insertRows({ answer(u"c"_s, u"t1"_s) });
        QVERIFY(sentAgain);
        QCOMPARE(sentAgain->first().outcome, AnswersStore::Inserted::Repeated);
        QCOMPARE(sentAgain->first().rowId, original.first().id);
        AnswersStore::NewRow toCopy = answer(u"e"_s);
        toCopy.table = copy;
        const auto intoCopy = m_store->insertRows({ toCopy });
        QVERIFY(intoCopy);
        QCOMPARE(intoCopy->first().outcome, AnswersStore::Inserted::Stored);
        QVERIFY(intoCopy->first().rowId > original.last().id);

        QVERIFY(m_store->renameTable(kTable, copy).failedWith(Error::Duplicate));
        QVERIFY(m_store->renameTable(u"tbl_gone"_s, u"tbl_x"_s).failedWith(Error::NotFound));
        QVERIFY(m_store->renameTable(kTable, renamed));
        QVERIFY(!m_store->tableExists(kTable).valueOr(true));
        sameRows(renamed);
        // The tokens went with the rows: the same page is still the same answers.
        AnswersStore::NewRow again = answer(u"c"_s, u"t1"_s);
        again.table = renamed;
        QCOMPARE(
            m_store->insertRows({ again }).valueOr({}).value(0).outcome, AnswersStore::Inserted::Repeated);
        QVERIFY(m_store->dropTable(renamed));
        QVERIFY(m_store->copyTable(copy, renamed, true)); // no arrivals left over under the name
        QCOMPARE(m_store->rowCount(renamed).valueOr(-1), 3);
    }

    // A form's participants stay with it: added all or none, read in order,
    // renamed, copied (answered only with the answers) and dropped with it,
    // and never listed as a form's table.
    void participantsGoWithTheirForm()
    {
        const auto person = [](const QString& code, const QString& name, bool answered = false) {
            Participant p;
            p.code = code;
            p.name = name;
            p.attributes = { { u"class"_s, u"5a"_s }, { u"région"_s, u"Nord, \"Süd\""_s } };
            p.answered = answered;
            if (answered)
                p.answeredAt = QDateTime(QDate(2026, 12, 7), QTime(8, 0, 1, 2), Qt::UTC);
            return p;
        };
        QCOMPARE(participantsOf(*m_store, kTable).valueOr({ person(u"X"_s, u"x"_s) }).size(), 0);
        QVERIFY(participantsOf(*m_store, u"tbl_gone"_s).failedWith(Error::NotFound));
        QCOMPARE(participationOf(*m_store, kTable).valueOr({ -1, -1 }), Participation {});
        QVERIFY(participationOf(*m_store, u"tbl_gone"_s).failedWith(Error::NotFound));
        QVERIFY(addParticipants(*m_store, u"tbl_gone"_s, { person(u"AAAAAAAA"_s, u"Ann"_s) })
                    .failedWith(Error::NotFound));
        const QList<Participant> first { person(u"AAAAAAAA"_s, u"Ann"_s),
            person(u"CCCCCCCC"_s, QString(), true) };
        const auto added = addParticipants(*m_store, kTable, first);
        QVERIFY2(added, qPrintable(added ? QString() : added.error().detail));
        // A code taken, even once among others: none of them is added.
        QVERIFY(addParticipants(
            *m_store, kTable, { person(u"DDDDDDDD"_s, u"Dan"_s), person(u"AAAAAAAA"_s, u"Eve"_s) })
                    .failedWith(Error::Duplicate));
        QVERIFY(addParticipants(*m_store, kTable, { person(u"DDDDDDDD"_s, u"Dan"_s) }));
        const QList<Participant> all = first + QList { person(u"DDDDDDDD"_s, u"Dan"_s) };
        QCOMPARE(participantsOf(*m_store, kTable).valueOr({}), all);
        QCOMPARE(m_store->tables().valueOr({}), QStringList { kTable });

        QVERIFY(m_store->copyTable(kTable, u"tbl_with"_s, true));
        QVERIFY(m_store->copyTable(kTable, u"tbl_without"_s, false));
        QCOMPARE(participantsOf(*m_store, u"tbl_with"_s).valueOr({}), all);
        QList<Participant> notYet = all;
        notYet[1] = person(u"CCCCCCCC"_s, QString());
        QCOMPARE(participantsOf(*m_store, u"tbl_without"_s).valueOr({}), notYet);
        // Those who answered are counted, those whose answers stayed behind are not.
        QCOMPARE(participationOf(*m_store, u"tbl_with"_s).valueOr({}), (Participation { 3, 1 }));
        QCOMPARE(participationOf(*m_store, u"tbl_without"_s).valueOr({}), (Participation { 3, 0 }));
        QVERIFY(m_store->renameTable(kTable, u"tbl_renamed"_s));
        QCOMPARE(participantsOf(*m_store, u"tbl_renamed"_s).valueOr({}), all);
        QVERIFY(m_store->createTable(kTable, u"Form Question"_s));
        QCOMPARE(participantsOf(*m_store, kTable).valueOr({ person(u"X"_s, u"x"_s) }).size(), 0);

        QVERIFY(removeParticipants(*m_store, u"tbl_renamed"_s, { u"AAAAAAAA"_s, u"NOTTHERE"_s }));
        QCOMPARE(participantsOf(*m_store, u"tbl_renamed"_s).valueOr({}), all.mid(1));
        QVERIFY(m_store->dropTable(u"tbl_renamed"_s));
        QVERIFY(m_store->createTable(u"tbl_renamed"_s, u"Form Question"_s));
        QCOMPARE(participantsOf(*m_store, u"tbl_renamed"_s).valueOr({ person(u"X"_s, u"x"_s) }).size(), 0);
        QVERIFY(addParticipants(*m_store, u"tbl_renamed"_s, { person(u"AAAAAAAA"_s, u"Ann"_s) }));
    }

    // A code is claimed with its row, at the moment the row arrived (to the
    // millisecond, in UTC); a form renamed away keeps its claims, and the
    // same code in the form made anew under the old name is a new one there.
    void aCodeIsClaimedInItsOwnFormOnly()
    {
        const auto invited = [](const QString& code) {
            Participant p;
            p.code = code;
            return p;
        };
        const auto coded = [](const QString& mood, const QString& code) {
            AnswersStore::NewRow row = answer(mood);
            row.participantCode = code;
            row.arrivedAt = QDateTime(QDate(2026, 12, 6), QTime(17, 4, 5, 678), QTimeZone(7200));
            return row;
        };
        const QDateTime claimedAt(QDate(2026, 12, 6), QTime(15, 4, 5, 678), Qt::UTC);
        QVERIFY(addParticipants(*m_store, kTable, { invited(u"AAAAAAAA"_s), invited(u"BBBBBBBB"_s) }));
        QCOMPARE(m_store->insertRows({ coded(u"first"_s, u"AAAAAAAA"_s) }).valueOr({}).value(0).outcome,
            AnswersStore::Inserted::Stored);
        const auto claimed = participantsOf(*m_store, kTable).valueOr({});
        QCOMPARE(claimed.size(), 2);
        QCOMPARE(claimed.at(0).answeredAt, std::optional(claimedAt));
        QVERIFY(!claimed.at(1).answered);

        const QString renamed = AnswersStore::tableFor(u"renamed"_s);
        QVERIFY(m_store->renameTable(kTable, renamed));
        QVERIFY(m_store->createTable(kTable, u"Form Question"_s));
        QVERIFY(m_store->addColumn(kTable, u"Mood"_s, AnswersStore::ColumnKind::Text, QString()));
        QVERIFY(addParticipants(*m_store, kTable, { invited(u"AAAAAAAA"_s) }));
        const auto again = m_store->insertRows({ coded(u"second"_s, u"AAAAAAAA"_s),
            coded(u"third"_s, u"AAAAAAAA"_s), coded(u"x"_s, u"CCCCCCCC"_s) });
        QVERIFY2(again, qPrintable(again ? QString() : again.error().detail));
        QCOMPARE(again->value(0).outcome, AnswersStore::Inserted::Stored);
        QCOMPARE(again->value(1).outcome, AnswersStore::Inserted::Replaced);
        QCOMPARE(again->value(2).outcome, AnswersStore::Inserted::UnknownCode);
        QCOMPARE(m_store->readRows(kTable, { u"Mood"_s }, -1, 10).valueOr({}).value(0).values,
            QVariantList { u"third"_s });
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 1);
        QCOMPARE(participantsOf(*m_store, kTable).valueOr({}).value(0).answeredAt, std::optional(claimedAt));
        QCOMPARE(m_store->readRows(renamed, { u"Mood"_s }, -1, 10).valueOr({}).value(0).values,
            QVariantList { u"first"_s });
        QCOMPARE(participantsOf(*m_store, renamed).valueOr({}), claimed);
    }

    void aWriterSeesCodesChangedSinceItLastLooked()
    {
        QList<Participant> people;
        for (const QString& code :
            { u"AAAAAAAA"_s, u"BBBBBBBB"_s, u"CCCCCCCC"_s, u"DDDDDDDD"_s, u"EEEEEEEE"_s }) {
            people.append(Participant {});
            people.last().code = code;
        }
        QVERIFY(addParticipants(*m_store, kTable, people));
        const auto coded = [](const QString& code) {
            AnswersStore::NewRow row = answer(code.left(1));
            row.participantCode = code;
            row.anonymous = true;
            row.arrivedAt = QDateTime::currentDateTimeUtc();
            return row;
        };
        const auto outcome = [&coded](AnswersStore& store, const QString& code) {
            return store.insertRows({ coded(code) }).valueOr({}).value(0).outcome;
        };
        // A second service on the same file, and this writer, each take a
        // code: this one now knows the others as not answered.
        auto other = openAnswersStore(m_location);
        QVERIFY(other);
        QCOMPARE(outcome(**other, u"AAAAAAAA"_s), AnswersStore::Inserted::Stored);
        QCOMPARE(outcome(*m_store, u"EEEEEEEE"_s), AnswersStore::Inserted::Stored);
        // Then the other service answers with one and the designer takes one
        // away on it.
        QCOMPARE(outcome(**other, u"CCCCCCCC"_s), AnswersStore::Inserted::Stored);
        QVERIFY(removeParticipants(**other, kTable, { u"BBBBBBBB"_s }));
        const auto later = m_store->insertRows({ coded(u"BBBBBBBB"_s), coded(u"CCCCCCCC"_s) });
        QVERIFY2(later, qPrintable(later ? QString() : later.error().detail));
        QCOMPARE(later->value(0).outcome, AnswersStore::Inserted::UnknownCode);
        QCOMPARE(later->value(1).outcome, AnswersStore::Inserted::CodeUsed);
        // And one goes on this connection.
        QVERIFY(removeParticipants(*m_store, kTable, { u"DDDDDDDD"_s }));
        QCOMPARE(outcome(*m_store, u"DDDDDDDD"_s), AnswersStore::Inserted::UnknownCode);
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 3);
    }

    void aTokenSentTwiceAtOnceIsStoredOnce()
    {
        // Two connections racing with the same tokens: the store decides.
        std::vector<std::thread> writers;
        std::atomic<int> stored = 0, repeated = 0, failed = 0;
        for (int w = 0; w < 2; ++w) {
            writers.emplace_back([&] {
                auto store = openAnswersStore(m_location);
                for (int i = 0; store && i < 50; ++i) {
                    const auto r = (*store)->insertRows({ answer(QString::number(i), u"k%1"_s.arg(i)) });
                    if (!r)
                        ++failed;
                    else if (r->first().outcome == AnswersStore::Inserted::Stored)
                        ++stored;
                    else if (r->first().outcome == AnswersStore::Inserted::Repeated)
                        ++repeated;
                }
            });
        }
        for (auto& t : writers)
            t.join();
        QCOMPARE(failed.load(), 0);
        QCOMPARE(stored.load(), 50);
        QCOMPARE(repeated.load(), 50);
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 50);
    }

    // A token is its table's: a page of a form renamed away and then made
    // anew under the old name changes nothing of the renamed form's row,
    // and stores nothing under the token in the new one.
    void aTokenNeverCrossesTables()
    {
        QVERIFY(m_store->insertRows({ answer(u"first person"_s, u"t1"_s) }));
        const QString renamed = AnswersStore::tableFor(u"renamed"_s);
        QVERIFY(m_store->renameTable(kTable, renamed));
        QVERIFY(m_store->createTable(kTable, u"Form Question"_s));
        QVERIFY(m_store->addColumn(kTable, u"Mood"_s, AnswersStore::ColumnKind::Text, QString()));
        QVERIFY(m_store->insertRows({ answer(u"second person"_s) }));
        const auto sentAgain = m_store->insertRows({ answer(u"changed"_s, u"t1"_s) });
        QVERIFY2(sentAgain, qPrintable(sentAgain ? QString() : sentAgain.error().detail));
        QCOMPARE(sentAgain->first().outcome, AnswersStore::Inserted::OtherTable);
        QCOMPARE(m_store->readRows(kTable, { u"Mood"_s }, -1, 10).valueOr({}).value(0).values,
            QVariantList { u"second person"_s });
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 1);
        QCOMPARE(m_store->readRows(renamed, { u"Mood"_s }, -1, 10).valueOr({}).value(0).values,
            QVariantList { u"first person"_s });
        // In its own table the page still replaces its answers, and tells when its row arrived.
        AnswersStore::NewRow own = answer(u"changed"_s, u"t1"_s);
        own.table = renamed;
        const auto replaced = m_store->insertRows({ own });
        QCOMPARE(replaced.valueOr({}).value(0).outcome, AnswersStore::Inserted::Replaced);
        QCOMPARE(replaced.valueOr({}).value(0).firstArrival, answer(QString()).arrivedAt);
    }

    // Ids of deleted rows, the last ones included, are never given again:
    // a receipt or a page's token of a deleted answer names no other answer.
    void deletedRowIdsAreNotGivenAgain()
    {
        const auto stored = m_store->insertRows({ answer(u"a"_s), answer(u"b"_s), answer(u"c"_s) });
        QVERIFY(stored);
        const qint64 last = stored->last().rowId;
        QVERIFY(m_store->deleteRows(kTable, { last }));
        const auto next = m_store->insertRows({ answer(u"d"_s), answer(u"e"_s) });
        QVERIFY(next);
        QVERIFY(next->first().rowId > last);
        QVERIFY(next->last().rowId > next->first().rowId);
        QVERIFY(m_store->deleteRows(
            kTable, { stored->at(0).rowId, stored->at(1).rowId, next->first().rowId, next->last().rowId }));
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 0);
        const auto afterAll = m_store->insertRows({ answer(u"f"_s) });
        QVERIFY(afterAll && afterAll->first().rowId > next->last().rowId);
        // The ids given out go with a renamed table.
        const QString renamed = AnswersStore::tableFor(u"renamed"_s);
        QVERIFY(m_store->deleteRows(kTable, { afterAll->first().rowId }));
        QVERIFY(m_store->renameTable(kTable, renamed));
        AnswersStore::NewRow there = answer(u"g"_s);
        there.table = renamed;
        const auto inRenamed = m_store->insertRows({ there });
        QVERIFY(inRenamed && inRenamed->first().rowId > afterAll->first().rowId);
        QCOMPARE(m_store->tables().valueOr({}), QStringList { renamed });
    }

    // A limit holds exactly: in one batch, across connections writing at
    // once, and again once answers are deleted; a page sent again still
    // replaces its answers when the table is full.
    void aLimitHoldsExactly()
    {
        const auto limited = [](AnswersStore::NewRow row, qint64 limit) {
            row.limit = limit;
            return row;
        };
        const auto batch = m_store->insertRows(
            { limited(answer(u"a"_s, u"t1"_s), 2), limited(answer(u"b"_s), 2), limited(answer(u"c"_s), 2) });
        QVERIFY(batch);
        QCOMPARE(batch->at(1).outcome, AnswersStore::Inserted::Stored);
        QCOMPARE(batch->at(2).outcome, AnswersStore::Inserted::Full);
        QCOMPARE(m_store->insertRows({ limited(answer(u"a2"_s, u"t1"_s), 2) }).valueOr({}).value(0).outcome,
            AnswersStore::Inserted::Replaced);
        QCOMPARE(m_store->insertRows({ limited(answer(u"d"_s, u"t2"_s), 2) }).valueOr({}).value(0).outcome,
            AnswersStore::Inserted::Full);
        // Deleted elsewhere (the designer): there is room again.
        QVERIFY((*openAnswersStore(m_location))->deleteRows(kTable, { batch->at(1).rowId }));
        QCOMPARE(m_store->insertRows({ limited(answer(u"e"_s, u"t3"_s), 2) }).valueOr({}).value(0).outcome,
            AnswersStore::Inserted::Stored);
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 2);

        QList<qint64> all;
        for (const auto& r : m_store->readRows(kTable, {}, -1, 10).valueOr({}))
            all.append(r.id);
        QVERIFY(m_store->deleteRows(kTable, all));
        std::vector<std::thread> writers;
        std::atomic<int> stored = 0, full = 0, failed = 0;
        for (int w = 0; w < 3; ++w) {
            writers.emplace_back([&] {
                auto store = openAnswersStore(m_location);
                for (int i = 0; store && i < 20; ++i) {
                    const auto r = (*store)->insertRows(
                        { limited(answer(QString::number(i)), 10), limited(answer(QString::number(i)), 10) });
                    if (!r) {
                        ++failed;
                        continue;
                    }
                    for (const auto& one : *r)
                        ++(one.outcome == AnswersStore::Inserted::Stored ? stored : full);
                }
            });
        }
        for (auto& t : writers)
            t.join();
        QCOMPARE(failed.load(), 0);
        QCOMPARE(stored.load(), 10);
        QCOMPARE(full.load(), 110);
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 10);
    }

    // A quota holds exactly as the limit does; a page sent again may keep
    // its place in a full quota, but not take one.
    void aQuotaHoldsExactly()
    {
        const auto quota = [](AnswersStore::NewRow row, qint64 limit) {
            if (row.values.first().second == u"happy"_s)
                row.quotas = { { u"mood"_s, u"happy"_s, limit } };
            return row;
        };
        using I = AnswersStore::Inserted;
        const auto outcome = [this](const AnswersStore::NewRow& row) {
            return m_store->insertRows({ row }).valueOr({}).value(0, I { I::NoSuchTable, -1 }).outcome;
        };
        const auto batch
            = m_store->insertRows({ quota(answer(u"happy"_s, u"t1"_s), 2), quota(answer(u"happy"_s), 2),
                quota(answer(u"happy"_s), 2), quota(answer(u"sad"_s, u"t2"_s), 2) });
        QVERIFY(batch);
        QCOMPARE(batch->at(1).outcome, I::Stored);
        QCOMPARE(batch->at(2).outcome, I::QuotaFull);
        QCOMPARE(batch->at(3).outcome, I::Stored);
        QCOMPARE(outcome(quota(answer(u"happy"_s, u"t2"_s), 2)), I::QuotaFull);
        QCOMPARE(outcome(quota(answer(u"happy"_s, u"t1"_s), 2)), I::Repeated);
        QCOMPARE(m_store->countMatches(kTable, u"Mood"_s, { u"happy"_s, u"sad"_s }).valueOr({}),
            (QList<qint64> { 2, 1 }));
        // Its place given up, another page takes it.
        QCOMPARE(outcome(quota(answer(u"calm"_s, u"t1"_s), 2)), I::Replaced);
        QCOMPARE(outcome(quota(answer(u"happy"_s, u"t2"_s), 2)), I::Replaced);
        QCOMPARE(m_store->countMatches(kTable, u"Mood"_s, { u"happy"_s, u"sad"_s, u"calm"_s }).valueOr({}),
            (QList<qint64> { 2, 0, 1 }));

        QList<qint64> all;
        for (const auto& r : m_store->readRows(kTable, {}, -1, 10).valueOr({}))
            all.append(r.id);
        QVERIFY(m_store->deleteRows(kTable, all));
        std::vector<std::thread> writers;
        std::atomic<int> stored = 0, full = 0, failed = 0;
        for (int w = 0; w < 3; ++w) {
            writers.emplace_back([&] {
                auto store = openAnswersStore(m_location);
                for (int i = 0; store && i < 20; ++i) {
                    const auto r = (*store)->insertRows(
                        { quota(answer(u"happy"_s), 10), quota(answer(u"happy"_s), 10) });
                    if (!r) {
                        ++failed;
                        continue;
                    }
                    for (const auto& one : *r)
                        ++(one.outcome == I::Stored ? stored : full);
                }
            });
        }
        for (auto& t : writers)
            t.join();
        QCOMPARE(failed.load(), 0);
        QCOMPARE(stored.load(), 10);
        QCOMPARE(full.load(), 110);
        QCOMPARE(m_store->rowCount(kTable).valueOr(-1), 10);
    }

    void aColumnChangedElsewhereReachesTheWriter()
    {
        // The writer has its statement for the columns it knows.
        QVERIFY(m_store->insertRows({ answer(u"first"_s) }));
        auto designer = openAnswersStore(m_location);
        QVERIFY(designer);
        QVERIFY((*designer)->addColumn(kTable, u"Late"_s, AnswersStore::ColumnKind::Text, u"*"_s));
        AnswersStore::NewRow row = answer(u"second"_s);
        row.values.append({ u"late"_s, u"in time"_s });
        QVERIFY(m_store->insertRows({ row }));
        QVERIFY((*designer)->dropColumn(kTable, u"Mood"_s));
        const auto afterDrop = m_store->insertRows({ row });
        QVERIFY2(afterDrop, qPrintable(afterDrop ? QString() : afterDrop.error().detail));
        // Every column as it should be: the dropped one's answer went nowhere else.
        const auto rows = m_store->readRows(kTable, { u"Form Question"_s, u"Late"_s }, -1, 10);
        QVERIFY(rows);
        QCOMPARE(rows->size(), 3);
        QCOMPARE(rows->at(0).values, (QVariantList { QVariant(), u"*"_s }));
        QCOMPARE(rows->at(1).values, (QVariantList { QVariant(), u"in time"_s }));
        QCOMPARE(rows->at(2).values, (QVariantList { QVariant(), u"in time"_s }));
    }

    void columnsAreRestoredForUndoAndRepair()
    {
        using Kind = AnswersStore::ColumnKind;
        const QList<AnswersStore::Column> original { { u"Form Question"_s, Kind::Text },
            { u"Mood"_s, Kind::Text } };
        const auto names = [&] {
            QStringList seen;
            for (const auto& c : m_store->columns(kTable).valueOr({}))
                seen.append(c.name);
            return seen;
        };
        QVERIFY(m_store->renameColumn(kTable, u"Mood"_s, u"Feeling"_s));
        QCOMPARE(m_store->restoreColumns(kTable, original, u"*"_s, AnswersStore::Restore::Undo)
                     .valueOr({ u"?"_s }),
            QStringList());
        QCOMPARE(m_store->columns(kTable).valueOr({}), original);
        // Put back in its place while the table is empty.
        QVERIFY(m_store->dropColumn(kTable, u"Form Question"_s));
        QVERIFY(m_store->restoreColumns(kTable, original, u"*"_s, AnswersStore::Restore::Undo));
        QCOMPARE(m_store->columns(kTable).valueOr({}), original);

        // A column with answers stays; one holding only the marker goes.
        QVERIFY(m_store->insertRows({ answer(u"glad"_s) }));
        const QList<AnswersStore::Column> repaired { original.first(), { u"Why"_s, Kind::Memo } };
        QCOMPARE(m_store->restoreColumns(kTable, repaired, u"*"_s, AnswersStore::Restore::Repair).valueOr({}),
            QStringList { u"Mood"_s });
        QCOMPARE(names(), QStringList({ u"Form Question"_s, u"Mood"_s, u"Why"_s }));
        QVERIFY(m_store->columns(kTable).value().at(2).isMemo());
        QCOMPARE(
            m_store->readRows(kTable, { u"Why"_s }, -1, 5).value().first().values, QVariantList { u"*"_s });
        QVERIFY(m_store->restoreColumns(kTable, original, u"*"_s, AnswersStore::Restore::Repair));
        QCOMPARE(names(), QStringList({ u"Form Question"_s, u"Mood"_s }));
    }

    void rowsOrderAndMatchAsTheDesignerCompares()
    {
        QList<AnswersStore::NewRow> rows;
        for (const QString& v : { u"beta"_s, u"Alpha"_s, u"\u00c9mile"_s, u"zed"_s, u"alpha2"_s, u"50%"_s })
            rows.append(answer(v));
        AnswersStore::NewRow unanswered = answer(QString());
        unanswered.values = {};
        rows.append(unanswered);
        const auto stored = m_store->insertRows(rows);
        QVERIFY(stored);
        const auto mood = [&](qint64 position, qint64 limit) {
            QStringList seen;
            for (const auto& r : m_store->orderedRows(kTable, { u"Mood"_s }, position, limit).valueOr({}))
                seen.append(r.values.first().isNull() ? u"-"_s : r.values.first().toString());
            return seen;
        };
        // ASCII letters without regard to case, everything else by its bytes.
        QCOMPARE(m_store->orderRows(kTable, { u"Mood"_s, false, {}, {} }).valueOr(-1), 7);
        QCOMPARE(mood(0, 10),
            QStringList({ u"-"_s, u"50%"_s, u"Alpha"_s, u"alpha2"_s, u"beta"_s, u"zed"_s, u"\u00c9mile"_s }));
        QCOMPARE(m_store->orderRows(kTable, { u"Mood"_s, true, u"ALP"_s, { u"Mood"_s } }).valueOr(-1), 2);
        QCOMPARE(mood(1, 5), QStringList { u"Alpha"_s });
        QCOMPARE(m_store->orderRows(kTable, { {}, false, u"%"_s, { u"Mood"_s } }).valueOr(-1), 1);
        QCOMPARE(
            m_store->countMatches(kTable, u"Mood"_s, { u"alpha2"_s, u"Alpha2"_s, u"beta"_s }).valueOr({}),
            QList<qint64>({ 1, 0, 1 }));
        QVERIFY(m_store->countMatches(u"tbl_gone"_s, u"Mood"_s, {}).failedWith(Error::NotFound));
        const auto span = m_store->rowSpan(kTable);
        QVERIFY(span);
        QCOMPARE(span->count, 7);
        QCOMPARE(span->first, stored->first().rowId);
        QCOMPARE(span->last, stored->last().rowId);
    }

    // The browser's own orders (by receipt, by change) are kept as given, and
    // a page of them carries each row's times as the stored order does.
    void aKeptOrderIsReadWithItsTimes()
    {
        AnswersStore::NewRow first = answer(u"one"_s, u"t1"_s);
        AnswersStore::NewRow second = answer(u"two"_s, u"t2"_s);
        second.arrivedAt = first.arrivedAt.addSecs(60);
        QVERIFY(m_store->insertRows({ first, second }));
        AnswersStore::NewRow changed = first;
        changed.values = { { u"Mood"_s, u"uno"_s } };
        changed.arrivedAt = first.arrivedAt.addSecs(120);
        QVERIFY(m_store->insertRows({ changed }));
        AnswersStore::NewRow untimed = answer(u"three"_s);
        untimed.arrivedAt = {};
        QVERIFY(m_store->insertRows({ untimed }));

        const auto stored = m_store->readRows(kTable, {}, -1, 10, true);
        QCOMPARE(stored.valueOr({}).size(), 3);
        QCOMPARE(m_store->orderRows(kTable, {}).valueOr(-1), 3);
        QList<qint64> reversed;
        for (const AnswersStore::Row& row : *stored)
            reversed.prepend(row.id);
        QCOMPARE(m_store->keepOrder(reversed), 3);
        const auto read = m_store->orderedRows(kTable, { u"Mood"_s }, 0, 10, true);
        QCOMPARE(read.valueOr({}).size(), 3);
        QCOMPARE(read->at(0).values, QVariantList { u"three"_s });
        QVERIFY(!read->at(0).arrivedAt && !read->at(0).changedAt);
        QCOMPARE(read->at(1).arrivedAt, std::optional(second.arrivedAt));
        QVERIFY(!read->at(1).changedAt);
        QCOMPARE(read->at(2).values, QVariantList { u"uno"_s });
        QCOMPARE(read->at(2).arrivedAt, std::optional(first.arrivedAt));
        QCOMPARE(read->at(2).changedAt, std::optional(changed.arrivedAt));
        // Without asking, no times, as before.
        QVERIFY(!m_store->orderedRows(kTable, { u"Mood"_s }, 2, 1).valueOr({}).value(0).arrivedAt);
    }

    // A form of as many questions as a table takes columns: a select of its
    // rows names two more, so the values are read in groups and joined.
    void theWidestTableIsReadWhole()
    {
        if (isServerLocation(m_location))
            QSKIP("the server selects more columns than a table can have");
        const QString wide = AnswersStore::tableFor(u"wide"_s);
        QStringList names;
        QList<AnswersStore::Column> columns;
        for (int i = 0; i < m_store->columnLimit(); ++i) {
            names.append(u"Q%1"_s.arg(i));
            columns.append({ names.last() });
        }
        // In one transaction: added one by one they take seconds.
        QVERIFY(m_store->createTable(wide, names.first()));
        QVERIFY(m_store->restoreColumns(wide, columns, {}, AnswersStore::Restore::Repair));
        const AnswersStore::NewRow row { wide, { { names.at(1000), u"a"_s }, { names.last(), u"z"_s } }, {},
            {}, {} };
        QVERIFY(m_store->insertRows({ row, row }));
        QVERIFY(m_store->orderRows(wide, {}));
        for (const auto& rows : { m_store->readRows(wide, names, -1, 10, true),
                 m_store->orderedRows(wide, names, 0, 10), m_store->orderedRows(wide, names, 0, 10, true) }) {
            QCOMPARE(rows.valueOr({}).size(), 2);
            for (const AnswersStore::Row& r : *rows)
                QVERIFY(
                    r.values.first().isNull() && r.values.at(1000) == u"a"_s && r.values.last() == u"z"_s);
        }
        QByteArray last;
        QCOMPARE(m_store
                     ->visitRows(wide, names, -1, 10,
                         [&](qint64, AnswersStore::RawValues values) {
                             last = values.back().value_or(QByteArrayView()).toByteArray();
                         })
                     .valueOr(-1),
            2);
        QCOMPARE(last, QByteArray("z"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_location;
    std::shared_ptr<AnswersStore> m_store;
};

QTEST_GUILESS_MAIN(TestAnswersStore)
#include "tst_answersstore.moc"
