// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormChanges.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kTable = u"tbl_survey"_s;

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
        return insertMethod(session, element(ElementKind::TextField, u"Age"_s)) && nextElementNumber(session)
            && writeFormPage(session, session.htmlName());
    case Change::Rename:
        return updateMethod(session, element(ElementKind::TextField, u"Full name"_s), 1)
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
        QTest::newRow("add") << Change::Add << QStringList({ u"Name"_s, u"Colour"_s, u"Age"_s });
        QTest::newRow("rename") << Change::Rename << QStringList({ u"Full name"_s, u"Colour"_s });
        QTest::newRow("remove") << Change::Remove << QStringList({ u"Colour"_s });
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
            createForm(session, u"survey"_s);
            QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Name"_s)));
            QVERIFY(insertMethod(session, element(ElementKind::RadioButtons, u"Colour"_s, { u"Red"_s })));
            QVERIFY(writeFormPage(session, session.htmlName()));
            insertAnswers(folder, { { u"Name"_s, u"Ann"_s }, { u"Colour"_s, u"Red"_s } });

            stopWritingAfterForTesting(writes);
            const bool completed = makeChange(session, change);
            stopWritingAfterForTesting(-1);
            // The program stops here; the next run opens the form again.
            FormSession reopened(folder.path());
            QVERIFY(loadForm(reopened, folder.path(), u"survey.html"_s));
            QCOMPARE(reopened.htmlName(), u"survey.html"_s);

            // Page, collection file and table agree, and every answer is where its question is.
            const QStringList questions = questionsOf(reopened);
            const QMap<QString, QStringList> answers = answersByColumn(folder);
            QStringList sortedQuestions = questions;
            sortedQuestions.sort();
            QCOMPARE(answers.keys(), sortedQuestions);
            QCOMPARE(
                readBytes(folder.html(u"survey.html"_s)), encodeText(buildFormPage(reopened.collection())));
            QCOMPARE(answers.value(u"Colour"_s), QStringList({ u"Red"_s }));
            for (const QString& name : { u"Name"_s, u"Full name"_s }) {
                if (questions.contains(name))
                    QCOMPARE(answers.value(name), QStringList({ u"Ann"_s }));
            }
            QCOMPARE(QDir(folder.path() + u"/Collections"_s).entryList(QDir::Files),
                QStringList({ u"surveyCollection.txt"_s }));
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
        createForm(session, u"survey"_s);
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Name"_s)));
        QVERIFY(insertMethod(session, element(ElementKind::TextArea, u"Age"_s)));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Old"_s)));
        // Age holds only the marker of rows older than its column.
        insertAnswers(
            folder, { { u"Name"_s, u"Ann"_s }, { u"Old"_s, u"x"_s }, { u"Age"_s, columnAddedMarker() } });
        // The files know Name and a Colour whose column was never added; Age
        // (no answers) and Old (one answer) are in the table only. A note of a
        // rename the table never took is left as well.
        session.changeableCollection().removeAt(3);
        session.changeableCollection().removeAt(2);
        session.changeableCollection().append(element(ElementKind::TextArea, u"Colour"_s));
        QVERIFY(writeFormPage(session, session.htmlName()));
        writeBytes(folder.path() + u"/Collections/surveyChanging.txt"_s, "Name\r\nFull name\r\n");

        FormSession reopened(folder.path());
        QVERIFY(loadForm(reopened, folder.path(), u"survey.html"_s));
        QCOMPARE(questionsOf(reopened), QStringList({ u"Name"_s, u"Colour"_s }));
        const QMap<QString, QStringList> answers = answersByColumn(folder);
        QCOMPARE(answers.keys(), QStringList({ u"Colour"_s, u"Name"_s, u"Old"_s }));
        QCOMPARE(answers.value(u"Name"_s), QStringList({ u"Ann"_s }));
        QCOMPARE(answers.value(u"Old"_s), QStringList({ u"x"_s }));
        QCOMPARE(answers.value(u"Colour"_s), QStringList({ columnAddedMarker() }));
        QVERIFY(openStore(folder.database())->columns(kTable).valueOr({}).constLast().isMemo());
        QVERIFY(!QFile::exists(folder.path() + u"/Collections/surveyChanging.txt"_s));
        QVERIFY(insertMethod(reopened, element(ElementKind::TextField, u"Age"_s)));
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
            createForm(session, u"other"_s);
            createForm(session, u"survey"_s);
            QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Name"_s)));
            QVERIFY(writeFormPage(session, session.htmlName()));
            insertAnswers(folder, { { u"Name"_s, u"Ann"_s } });
            QDir().mkpath(session.reportsFolder());
            writeBytes(session.reportsFolder() + u"survey_Report.doc"_s, "report");

            QList<FormMethod> methods = session.collection().methods();
            methods.first().htmlCode.replace(kTable, u"tbl_poll"_s);
            const FormChange change { FormChange::Kind(kind), u"survey"_s,
                kind == FormChange::Delete ? QString() : u"poll"_s, withAnswers };
            stopFormChangeAfterStep(step);
            QVERIFY(changeForm(session, change, methods));
            stopFormChangeAfterStep(0);

            FormSession reopened(folder.path());
            // After a rename cut short, the old name still opens the form, under its new name when finished.
            const QString opened = kind == FormChange::Delete ? u"other"_s
                : kind == FormChange::Rename && step == 0     ? u"poll"_s
                                                              : u"survey"_s;
            QVERIFY(loadForm(reopened, folder.path(), opened + u".html"_s));
            QVERIFY(!QFile::exists(folder.path() + u"/Collections/Forms.changing.txt"_s));
            for (const QString& page : QDir(folder.path() + u"/HTML"_s).entryList({ u"*.html"_s })) {
                if (!isProgramPage(page))
                    QVERIFY2(QFile::exists(folder.collection(formNameOf(page))), qPrintable(page));
            }
            const auto store = openStore(folder.database());
            const bool done = step != 1; // past the note, a change is finished; before, undone
            const bool oldKept = kind == FormChange::Copy || (kind == FormChange::Rename && !done);
            const bool newMade = kind != FormChange::Delete && done;
            QCOMPARE(QFile::exists(folder.collection(u"survey"_s)), oldKept);
            QCOMPARE(QFile::exists(folder.html(u"survey.html"_s)), oldKept);
            QCOMPARE(QFile::exists(folder.collection(u"poll"_s)), newMade);
            QCOMPARE(store->tableExists(kTable).valueOr(false),
                oldKept || (kind == FormChange::Delete && !withAnswers));
            QCOMPARE(store->tableExists(u"tbl_poll"_s).valueOr(false), newMade);
            if (kind == FormChange::Rename)
                QCOMPARE(reopened.htmlName(), done ? u"poll.html"_s : u"survey.html"_s);
            if (newMade) {
                // The new form's page names its own table, and its answers came with it when asked for.
                QVERIFY(readBytes(folder.html(u"poll.html"_s)).contains("value='tbl_poll'"));
                const bool rows = kind == FormChange::Rename || withAnswers;
                QCOMPARE(store->rowCount(u"tbl_poll"_s).valueOr(-1), rows ? 1 : 0);
                QCOMPARE(QFile::exists(session.reportsFolder() + u"poll_Report.doc"_s), rows);
            }
            // The reports stay with the old form's files: a deleted form takes them with it.
            QCOMPARE(QFile::exists(session.reportsFolder() + u"survey_Report.doc"_s), oldKept);
        }
    }

    // The report files go with the form, names with spaces too: moved by a
    // rename, copied with the answers, deleted with the form. One that cannot
    // follow stays whole where it was and is named; another form's files and
    // a file already there under the new name are never touched.
    void reportFilesFollowTheForm()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, u"staff survey"_s);
        const QString reports = session.reportsFolder();
        const auto files = [&] { return QDir(reports).entryList(QDir::Files, QDir::Name); };
        for (const char* suffix : { "_Report.docx", ".csv", ".xlsx" })
            writeBytes(reports + u"staff survey"_s + QLatin1StringView(suffix), suffix);
        writeBytes(reports + u"staff survey 2_Report.docx"_s, "another form's");
        const auto change = [&](FormChange::Kind kind, const QString& from, const QString& to) {
            QList<FormMethod> methods = session.collection().methods();
            if (kind != FormChange::Delete)
                methods.first() = headerRenamed(methods.first(), from, to);
            const Result<QList<ReportLeft>> done = changeForm(session, { kind, from, to, true }, methods);
            if (!done)
                QTest::qFail(qPrintable(done.error().detail), __FILE__, __LINE__);
            if (kind != FormChange::Delete && !loadForm(session, folder.path(), to + u".html"_s))
                QTest::qFail("the changed form does not open", __FILE__, __LINE__);
            return done.valueOr({});
        };

        QCOMPARE(change(FormChange::Rename, u"staff survey"_s, u"team poll"_s), QList<ReportLeft>());
        QCOMPARE(files(),
            QStringList({ u"staff survey 2_Report.docx"_s, u"team poll.csv"_s, u"team poll.xlsx"_s,
                u"team poll_Report.docx"_s }));
        QCOMPARE(readBytes(reports + u"team poll_Report.docx"_s), "_Report.docx");
        QCOMPARE(session.collection().atPosition(0).formerNames, QStringList({ u"staff survey"_s }));

        QCOMPARE(change(FormChange::Copy, u"team poll"_s, u"team poll copy"_s), QList<ReportLeft>());
        QCOMPARE(session.collection().atPosition(0).formerNames, QStringList());
        QCOMPARE(readBytes(reports + u"team poll copy.xlsx"_s), ".xlsx");
        QCOMPARE(change(FormChange::Delete, u"team poll copy"_s, {}), QList<ReportLeft>());
        QCOMPARE(files(),
            QStringList({ u"staff survey 2_Report.docx"_s, u"team poll.csv"_s, u"team poll.xlsx"_s,
                u"team poll_Report.docx"_s }));

        QVERIFY(loadForm(session, folder.path(), u"team poll.html"_s));
        writeBytes(reports + u"staff survey.csv"_s, "someone's");
        QCOMPARE(change(FormChange::Rename, u"team poll"_s, u"staff survey"_s),
            QList<ReportLeft>({ { u"team poll.csv"_s, ReportLeft::TargetTaken, u"staff survey.csv"_s } }));
        QCOMPARE(readBytes(reports + u"staff survey.csv"_s), "someone's");
        QCOMPARE(readBytes(reports + u"team poll.csv"_s), ".csv");
        QCOMPARE(session.collection().atPosition(0).formerNames, QStringList({ u"team poll"_s }));
        QCOMPARE(change(FormChange::Delete, u"staff survey"_s, {}), QList<ReportLeft>());
        QCOMPARE(files(), QStringList({ u"staff survey 2_Report.docx"_s, u"team poll.csv"_s }));
    }
};

QTEST_GUILESS_MAIN(TestFormRepair)
#include "tst_formrepair.moc"
