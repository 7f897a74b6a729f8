// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/Participants.h"
#include "model/ParticipantList.h"
#include "support/TestProgramFolder.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;

class TestParticipantList : public QObject
{
    Q_OBJECT

private slots:
    // The name is the column "name" wherever it stands, or else the first;
    // quoted fields keep separators, breaks and quotes; semicolons and tabs
    // separate when the first row has no comma.
    void aListIsReadWithItsAttributes()
    {
        const auto read = readParticipantsCsv(
            "\xEF\xBB\xBF"
            "class,Name,region\r\n5a,Ann,North\r\n\"5,b\",\"Ben \"\"B\"\"\",\"two\nlines\"\r\n5c,,South");
        QVERIFY(read);
        QCOMPARE(read->size(), 3);
        QCOMPARE(read->at(0).name, u"Ann"_s);
        QCOMPARE(read->at(0).attributes,
            (QList<std::pair<QString, QString>> { { u"class"_s, u"5a"_s }, { u"region"_s, u"North"_s } }));
        QCOMPARE(read->at(1).name, u"Ben \"B\""_s);
        QCOMPARE(read->at(1).attributes.at(0).second, u"5,b"_s);
        QCOMPARE(read->at(1).attributes.at(1).second, u"two\nlines"_s);
        QVERIFY(read->at(2).name.isEmpty());

        const auto semicolons = readParticipantsCsv("Pupil;Group\nJosé;A\nZoë;B\n");
        QVERIFY(semicolons);
        QCOMPARE(semicolons->at(1).name, u"Zoë"_s);
        QCOMPARE(
            semicolons->at(1).attributes, (QList<std::pair<QString, QString>> { { u"Group"_s, u"B"_s } }));
    }

    void badListsAreRefusedWithTheirLine_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("line");
        QTest::newRow("latin-1") << QByteArray("name\nAnn\nJos\xE9\n") << int(ParticipantsProblem::NotUtf8)
                                 << 3;
        QTest::newRow("header only") << QByteArray("name,class\r\n") << int(ParticipantsProblem::NoRows) << 0;
        QTest::newRow("empty file") << QByteArray() << int(ParticipantsProblem::NoRows) << 0;
        QTest::newRow("repeated name")
            << QByteArray("name\nAnn\nBen\nAnn\n") << int(ParticipantsProblem::RepeatedName) << 4;
        QTest::newRow("empty line") << QByteArray("name,class\nAnn,5a\n\nBen,5b\n")
                                    << int(ParticipantsProblem::EmptyLine) << 3;
        QTest::newRow("blank fields")
            << QByteArray("name,class\nAnn,5a\n , \nBen,5b\n") << int(ParticipantsProblem::EmptyLine) << 3;
        QTest::newRow("extra field") << QByteArray("name,class\nAnn,5a,x\n")
                                     << int(ParticipantsProblem::ExtraFields) << 2;
        QTest::newRow("open quote") << QByteArray("name\nAnn\n\"Ben\n")
                                    << int(ParticipantsProblem::UnclosedQuote) << 3;
        QTest::newRow("column twice")
            << QByteArray("name,Class,class\nAnn,a,b\n") << int(ParticipantsProblem::RepeatedColumn) << 1;
    }
    void badListsAreRefusedWithTheirLine()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, kind);
        QFETCH(int, line);
        const auto read = readParticipantsCsv(csv);
        QVERIFY(!read);
        QCOMPARE(int(read.error().kind), kind);
        QCOMPARE(read.error().line, line);
    }

    // An import gives everyone a code of their own, and refuses a name the
    // form has already with nothing added; so do bad files.
    void importingGivesCodesAndIsAllOrNothing()
    {
        test::TestProgramFolder folder;
        const QString table = AnswersStore::tableFor(u"class"_s);
        {
            auto store = openAnswersStore(folder.database());
            QVERIFY(store);
            QVERIFY((*store)->createTable(table, u"Form Question"_s));
        }
        const QString csv = folder.path() + u"/pupils.csv"_s;
        test::writeBytes(csv, "name,class\nAnn,5a\nBen,5b\n");
        const auto imported = importParticipants(folder.database(), u"class"_s, csv);
        QVERIFY2(imported, qPrintable(imported ? QString() : imported.error().detail));
        QCOMPARE(*imported, 2);
        QCOMPARE(addUnnamedParticipants(folder.database(), u"class"_s, 30).valueOr(0), 30);

        test::writeBytes(csv, "name,class\nCid,5a\nBen,5c\n");
        const auto again = importParticipants(folder.database(), u"class"_s, csv);
        QVERIFY(!again);
        QCOMPARE(again.error().kind, ParticipantsProblem::RepeatedName);
        QCOMPARE(again.error().name, u"Ben"_s);
        test::writeBytes(csv, "name\nDee\n\nEd\n");
        QCOMPARE(importParticipants(folder.database(), u"class"_s, csv).error().kind,
            ParticipantsProblem::EmptyLine);
        QCOMPARE(
            importParticipants(folder.database(), u"class"_s, folder.path() + u"/none.csv"_s).error().kind,
            ParticipantsProblem::Unreadable);
        QCOMPARE(importParticipants(folder.database(), u"other"_s, csv).error().kind,
            ParticipantsProblem::EmptyLine);
        test::writeBytes(csv, "name\nDee\n");
        QCOMPARE(
            importParticipants(folder.database(), u"other"_s, csv).error().kind, ParticipantsProblem::NoForm);

        auto store = openAnswersStore(folder.database());
        const auto people = participantsOf(**store, table).valueOr({});
        QCOMPARE(people.size(), 32);
        QCOMPARE(people.at(1).name, u"Ben"_s);
        QSet<QString> codes;
        static const QRegularExpression shape(u"^[3479ACDEFGHJKMNPQRTWXY6]{8}$"_s);
        for (const auto& p : people) {
            QVERIFY2(shape.match(p.code).hasMatch(), qPrintable(p.code));
            codes.insert(p.code);
        }
        QCOMPARE(codes.size(), people.size());
        QCOMPARE(normalizedCode(u" ab-cd ef gh"_s), u"ABCDEFGH"_s);
    }

    void theNotAnsweredAreExportedAsImported()
    {
        Participant ann { u"AAAAAAAA"_s, u"Ann, A."_s, { { u"class"_s, u"5a"_s } }, false, {} };
        Participant ben { u"CCCCCCCC"_s, u"Ben"_s, { { u"class"_s, u"5b"_s } }, true, {} };
        Participant cid { u"DDDDDDDD"_s, QString(), {}, false, {} };
        const QByteArray csv = notAnsweredCsv({ ann, ben, cid });
        QCOMPARE(csv, QByteArray("name,code,class\r\n\"Ann, A.\",AAAAAAAA,5a\r\n,DDDDDDDD,\r\n"));
        // What is exported imports again.
        QCOMPARE(readParticipantsCsv(csv).valueOr({}).value(0).name, u"Ann, A."_s);
    }
};

QTEST_GUILESS_MAIN(TestParticipantList)
#include "tst_participantlist.moc"
