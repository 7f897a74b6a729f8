// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormChanges.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kTable = QStringLiteral("tbl_survey");

// The answers table's columns other than the table's own, each with its answers in row order.
QMap<QString, QStringList> answersByColumn(const TestProgramFolder& folder)
{
    QMap<QString, QStringList> result;
    const QStringList columns = columnNames(folder.database(), kTable).mid(1);
    for (const QString& column : columns)
        result[column]; // a table without rows still lists its columns
    for (const QVariantMap& row : tableRows(folder.database(), kTable)) {
        for (const QString& column : columns)
            result[column].append(row.value(column).toString());
    }
    return result;
}

QStringList questionsOf(const FormSession& session)
{
    QStringList questions;
    session.collection().forEach([&questions](const FormMethod& m) {
        if (isQuestionKind(m.kind))
            questions.append(m.userInstruction);
    });
    return questions;
}

void insertAnswers(const TestProgramFolder& folder, const QList<QPair<QString, QString>>& values)
{
    AnswersStore::NewRow row { kTable, {}, {}, {}, {} };
    for (const auto& [column, value] : values)
        row.values.append({ column, value });
    QVERIFY(openStore(folder.database())->insertRows({ row }));
}

// What the designer does for one change, the page write included.
enum class Change { Add, Rename, Remove };

bool makeChange(FormSession& session, Change change)
{
    switch (change) {
    case Change::Add:
        return insertMethod(session, element(ElementKind::TextField, QStringLiteral("Age")))
            && nextElementNumber(session) && writeFormPage(session, session.htmlName());
    case Change::Rename:
        return updateMethod(session, element(ElementKind::TextField, QStringLiteral("Full name")), 1)
            && writeFormPage(session, session.htmlName());
    case Change::Remove:
        session.setSelectedRow(1);
        return bool(removeSelected(session, true)); // Yes to losing the answers
    }
    return false;
}

} // namespace

class TestFormRepair : public QObject
{
    Q_OBJECT

private slots:
    void crashAtEveryStepOfAChangeLeavesAConsistentForm_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("questionsAfter");
        QTest::newRow("add") << Change::Add
                             << QStringList({ QStringLiteral("Name"), QStringLiteral("Colour"),
                                    QStringLiteral("Age") });
        QTest::newRow("rename") << Change::Rename
                                << QStringList({ QStringLiteral("Full name"), QStringLiteral("Colour") });
        QTest::newRow("remove") << Change::Remove << QStringList({ QStringLiteral("Colour") });
    }

    void crashAtEveryStepOfAChangeLeavesAConsistentForm()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, questionsAfter);
        // The writes a change makes: the rename note, the collection file and the
        // page (twice for a removal, which saves and then reopens); 6 is past them all.
        for (int writes = 0; writes <= 6; ++writes) {
            TestProgramFolder folder;
            folder.allowUnanswered(); // the failed writes are reported
            FormSession session(folder.path());
            createForm(session, QStringLiteral("survey"));
            QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Name"))));
            QVERIFY(insertMethod(session,
                element(ElementKind::RadioButtons, QStringLiteral("Colour"), { QStringLiteral("Red") })));
            QVERIFY(writeFormPage(session, session.htmlName()));
            insertAnswers(folder,
                { { QStringLiteral("Name"), QStringLiteral("Ann") },
                    { QStringLiteral("Colour"), QStringLiteral("Red") } });

            stopWritingAfterForTesting(writes);
            const bool completed = makeChange(session, change);
            stopWritingAfterForTesting(-1);
            // The program stops here; the next run opens the form again.
            FormSession reopened(folder.path());
            QVERIFY(loadForm(reopened, folder.path(), QStringLiteral("survey.html")));
            QCOMPARE(reopened.htmlName(), QStringLiteral("survey.html"));

            // Page, collection file and table agree, and every answer is where its question is.
            const QStringList questions = questionsOf(reopened);
            const QMap<QString, QStringList> answers = answersByColumn(folder);
            QStringList sortedQuestions = questions;
            sortedQuestions.sort();
            QCOMPARE(answers.keys(), sortedQuestions);
            QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))),
                encodeText(buildFormPage(reopened.collection())));
            QCOMPARE(answers.value(QStringLiteral("Colour")), QStringList({ QStringLiteral("Red") }));
            for (const QString& name : { QStringLiteral("Name"), QStringLiteral("Full name") }) {
                if (questions.contains(name))
                    QCOMPARE(answers.value(name), QStringList({ QStringLiteral("Ann") }));
            }
            QCOMPARE(QDir(folder.path() + QStringLiteral("/Collections")).entryList(QDir::Files),
                QStringList({ QStringLiteral("surveyCollection.txt") }));
            if (completed) {
                QCOMPARE(questions, questionsAfter);
                continue;
            }
            // Not done: doing it again is not refused, as a duplicate or otherwise.
            if (questions != questionsAfter)
                QVERIFY(makeChange(reopened, change));
            QCOMPARE(questionsOf(reopened), questionsAfter);
            QCOMPARE(answersByColumn(folder).size(), questionsAfter.size());
        }
    }

    void formsLeftOutOfStepEarlierAreRepairedKeepingEveryAnswer()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Name"))));
        QVERIFY(insertMethod(session, element(ElementKind::TextArea, QStringLiteral("Age"))));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Old"))));
        // Age holds only the marker of rows older than its column.
        insertAnswers(folder,
            { { QStringLiteral("Name"), QStringLiteral("Ann") },
                { QStringLiteral("Old"), QStringLiteral("x") },
                { QStringLiteral("Age"), columnAddedMarker() } });
        // The files know Name and a Colour whose column was never added; Age
        // (no answers) and Old (one answer) are in the table only. A note of a
        // rename the table never took is left as well.
        session.changeableCollection().removeAt(3);
        session.changeableCollection().removeAt(2);
        session.changeableCollection().append(element(ElementKind::TextArea, QStringLiteral("Colour")));
        QVERIFY(writeFormPage(session, session.htmlName()));
        writeBytes(
            folder.path() + QStringLiteral("/Collections/surveyChanging.txt"), "Name\r\nFull name\r\n");

        FormSession reopened(folder.path());
        QVERIFY(loadForm(reopened, folder.path(), QStringLiteral("survey.html")));
        QCOMPARE(questionsOf(reopened), QStringList({ QStringLiteral("Name"), QStringLiteral("Colour") }));
        const QMap<QString, QStringList> answers = answersByColumn(folder);
        QCOMPARE(answers.keys(),
            QStringList({ QStringLiteral("Colour"), QStringLiteral("Name"), QStringLiteral("Old") }));
        QCOMPARE(answers.value(QStringLiteral("Name")), QStringList({ QStringLiteral("Ann") }));
        QCOMPARE(answers.value(QStringLiteral("Old")), QStringList({ QStringLiteral("x") }));
        QCOMPARE(answers.value(QStringLiteral("Colour")), QStringList({ columnAddedMarker() }));
        QVERIFY(openStore(folder.database())->columns(kTable).valueOr({}).constLast().isMemo());
        QVERIFY(!QFile::exists(folder.path() + QStringLiteral("/Collections/surveyChanging.txt")));
        QVERIFY(insertMethod(reopened, element(ElementKind::TextField, QStringLiteral("Age"))));
    }

    // A rename, copy or deletion killed after each of its steps (0: never),
    // then a form opened in the next run: one whole form or the other, the
    // answers and reports with it, and never a page without its collection file.
    void formChangesKilledMidwayAreFinishedOrUndoneOnOpening_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("withAnswers");
        QTest::newRow("rename") << int(FormChange::Rename) << false;
        QTest::newRow("copy with answers") << int(FormChange::Copy) << true;
        QTest::newRow("copy without") << int(FormChange::Copy) << false;
        QTest::newRow("delete with answers") << int(FormChange::Delete) << true;
        QTest::newRow("delete keeping them") << int(FormChange::Delete) << false;
    }

    void formChangesKilledMidwayAreFinishedOrUndoneOnOpening()
    {
        QFETCH(int, kind);
        QFETCH(bool, withAnswers);
        for (int step = 0; step <= 3; ++step) {
            TestProgramFolder folder;
            FormSession session(folder.path());
            createForm(session, QStringLiteral("other"));
            createForm(session, QStringLiteral("survey"));
            QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Name"))));
            QVERIFY(writeFormPage(session, session.htmlName()));
            insertAnswers(folder, { { QStringLiteral("Name"), QStringLiteral("Ann") } });
            QDir().mkpath(session.reportsFolder());
            writeBytes(session.reportsFolder() + QStringLiteral("survey_Report.doc"), "report");

            QList<FormMethod> methods = session.collection().methods();
            methods.first().htmlCode.replace(kTable, QStringLiteral("tbl_poll"));
            const FormChange change { FormChange::Kind(kind), QStringLiteral("survey"),
                kind == FormChange::Delete ? QString() : QStringLiteral("poll"), withAnswers };
            stopFormChangeAfterStep(step);
            QVERIFY(changeForm(session, change, methods));
            stopFormChangeAfterStep(0);

            FormSession reopened(folder.path());
            // After a rename cut short, the old name still opens the form, under its new name when finished.
            const QString opened = kind == FormChange::Delete ? QStringLiteral("other")
                : kind == FormChange::Rename && step == 0     ? QStringLiteral("poll")
                                                              : QStringLiteral("survey");
            QVERIFY(loadForm(reopened, folder.path(), opened + QStringLiteral(".html")));
            QVERIFY(!QFile::exists(folder.path() + QStringLiteral("/Collections/Forms.changing.txt")));
            for (const QString& page :
                QDir(folder.path() + QStringLiteral("/HTML")).entryList({ QStringLiteral("*.html") })) {
                if (page != QLatin1StringView("welcome.html")
                    && page != QLatin1StringView("dbTableOfAnswers.html"))
                    QVERIFY2(QFile::exists(folder.collection(formNameOf(page))), qPrintable(page));
            }
            const auto store = openStore(folder.database());
            const bool done = step != 1; // past the note, a change is finished; before, undone
            const bool oldKept = kind == FormChange::Copy || (kind == FormChange::Rename && !done);
            const bool newMade = kind != FormChange::Delete && done;
            QCOMPARE(QFile::exists(folder.collection(QStringLiteral("survey"))), oldKept);
            QCOMPARE(QFile::exists(folder.html(QStringLiteral("survey.html"))), oldKept);
            QCOMPARE(QFile::exists(folder.collection(QStringLiteral("poll"))), newMade);
            QCOMPARE(store->tableExists(kTable).valueOr(false),
                oldKept || (kind == FormChange::Delete && !withAnswers));
            QCOMPARE(store->tableExists(QStringLiteral("tbl_poll")).valueOr(false), newMade);
            if (kind == FormChange::Rename)
                QCOMPARE(
                    reopened.htmlName(), done ? QStringLiteral("poll.html") : QStringLiteral("survey.html"));
            if (newMade) {
                // The new form's page names its own table, and its answers came with it when asked for.
                QVERIFY(readBytes(folder.html(QStringLiteral("poll.html"))).contains("value='tbl_poll'"));
                const bool rows = kind == FormChange::Rename || withAnswers;
                QCOMPARE(store->rowCount(QStringLiteral("tbl_poll")).valueOr(-1), rows ? 1 : 0);
                QCOMPARE(QFile::exists(session.reportsFolder() + QStringLiteral("poll_Report.doc")), rows);
            }
            QCOMPARE(QFile::exists(session.reportsFolder() + QStringLiteral("survey_Report.doc")),
                kind != FormChange::Rename || !done);
        }
    }
};

QTEST_GUILESS_MAIN(TestFormRepair)
#include "tst_formrepair.moc"
