// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "support/TestProgramFolder.h"

#include <QFile>
#include <QTest>

#include <atomic>
#include <thread>

using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kTable = QStringLiteral("tbl_survey");

AnswerTable surveyTable(const TestProgramFolder& folder)
{
    return AnswerTable::forForm(folder.database(), QStringLiteral("survey"), QStringLiteral("survey.html"));
}

QStringList columns(const TestProgramFolder& folder)
{
    return columnNames(folder.database(), kTable);
}

void addRows(const TestProgramFolder& folder, int n)
{
    for (int i = 0; i < n; ++i)
        QVERIFY(openStore(folder.database())->insertRows({{kTable, {{QStringLiteral("Form Question"), QString::number(i)}}, {}, {}, {}}}));
}

QStringList columnValues(const TestProgramFolder& folder, const QString& column)
{
    QStringList values;
    for (const QVariantMap& row : tableRows(folder.database(), kTable))
        values.append(row.value(column).toString());
    return values;
}

} // namespace

class TestAnswerColumns : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        QVERIFY(createFormTable(m_folder->database(), kTable));
    }
    void cleanup() { m_folder.reset(); }

    void openingNeverCreatesAFile()
    {
        TestProgramFolder empty(false);
        QVERIFY(!openAnswersStore(empty.database()));
        QVERIFY(!QFile::exists(empty.database()));
        // SQLite-only: a file that is not a database is refused too.
        writeBytes(empty.database(), "this is not a database, just text\n");
        QVERIFY(!openAnswersStore(empty.database()));
    }

    void memoColumnFillsExistingRows()
    {
        addRows(*m_folder, 3);
        QVERIFY(AddAnswerColumn(surveyTable(*m_folder), QStringLiteral("Comments"), true));
        QVERIFY(openStore(m_folder->database())->columns(kTable).valueOr({}).at(1).isMemo());
        QCOMPARE(columnValues(*m_folder, QStringLiteral("Comments")), QStringList(3, columnAddedMarker()));
    }

    void longQuestionsAddressTheirFirst64Characters()
    {
        const QString question = QString(60, QLatin1Char('q')) + QStringLiteral("0123456789");
        const QString renamed = QString(60, QLatin1Char('r')) + QStringLiteral("0123456789");
        QVERIFY(AddAnswerColumn(surveyTable(*m_folder), question, false));
        QCOMPARE(columns(*m_folder).constLast(), question.left(64));
        QVERIFY(RenameAnswerColumn(surveyTable(*m_folder), question, renamed));
        QCOMPARE(columns(*m_folder).constLast(), renamed.left(64));

        // A second question sharing the first 64 characters collides.
        const QString twin = renamed.left(64) + QStringLiteral("something else");
        QVERIFY(AddAnswerColumn(surveyTable(*m_folder), twin, false).failedWith(Error::Duplicate));

        QVERIFY(RemoveAnswerColumn(surveyTable(*m_folder), renamed));
        QCOMPARE(columns(*m_folder), QStringList({QStringLiteral("Form Question")}));
    }

    void missingTableIsReportedByEveryOperation()
    {
        const AnswerTable missing = AnswerTable::forForm(m_folder->database(), QStringLiteral("gone"), QStringLiteral("gone.html"));
        QVERIFY(AddAnswerColumn(missing, QStringLiteral("A"), false).failedWith(Error::NotFound));
        QVERIFY(RemoveAnswerColumn(missing, QStringLiteral("A")).failedWith(Error::NotFound));
        QVERIFY(RenameAnswerColumn(missing, QStringLiteral("A"), QStringLiteral("B")).failedWith(Error::NotFound));
        QVERIFY(answersStored(missing).failedWith(Error::NotFound));
    }

    void hostileNamesRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("quotes and injection") << QStringLiteral("What's your \"favourite\" colour?; DROP TABLE x");
        QTest::newRow("brackets") << QStringLiteral("[a] (b) {c} `d`");
        QTest::newRow("non-ASCII") << QStringLiteral("Ihr Lieblingsgericht – ÄÖÜ ß 日本語 😀");
        QTest::newRow("64 blanks and punctuation") << QStringLiteral("  .,;:!?'\"-_=+*/\\|<>()[]{}@#$%^&~` ").repeated(3).left(64);
    }

    void hostileNamesRoundTrip()
    {
        QFETCH(QString, name);
        const QString renamed = name + QStringLiteral(" (2)");
        addRows(*m_folder, 2);
        QVERIFY(AddAnswerColumn(surveyTable(*m_folder), name, false));
        QCOMPARE(columns(*m_folder).constLast(), columnNameFor(name));
        QVERIFY(RenameAnswerColumn(surveyTable(*m_folder), name, renamed));
        QCOMPARE(columns(*m_folder).constLast(), columnNameFor(renamed));
        QCOMPARE(columnValues(*m_folder, columnNameFor(renamed)), QStringList(2, columnAddedMarker()));
        QVERIFY(RemoveAnswerColumn(surveyTable(*m_folder), renamed));
        QCOMPARE(columns(*m_folder), QStringList({QStringLiteral("Form Question")}));
        // The other column keeps its answers through the rename and the drop.
        QCOMPARE(columnValues(*m_folder, QStringLiteral("Form Question")), QStringList({QStringLiteral("0"), QStringLiteral("1")}));
    }

    void columnChangesSucceedWhileAnotherConnectionWrites()
    {
        std::atomic<bool> stop = false;
        std::atomic<int> written = 0;
        std::atomic<int> failed = 0;
        std::thread writer([&, store = openAnswersStore(m_folder->database()).value()] {
            for (int i = 0; i < 2000 && !stop; ++i) {
                if (store->insertRows({{kTable, {{QStringLiteral("Form Question"), QString::number(i)}}, {}, {}, {}}}))
                    ++written;
                else
                    ++failed;
            }
        });
        for (int i = 0; i < 20; ++i) {
            const QString name = QStringLiteral("Question %1").arg(i);
            QVERIFY(AddAnswerColumn(surveyTable(*m_folder), name, false));
            QVERIFY(RenameAnswerColumn(surveyTable(*m_folder), name, name + QStringLiteral("!")));
        }
        stop = true;
        writer.join();
        QCOMPARE(failed.load(), 0);
        QCOMPARE(openStore(m_folder->database())->rowCount(kTable).valueOr(-1), qint64(written.load()));
        QCOMPARE(columns(*m_folder).size(), 21);
    }

private:
    std::unique_ptr<TestProgramFolder> m_folder;
};

QTEST_GUILESS_MAIN(TestAnswerColumns)
#include "tst_answercolumns.moc"
