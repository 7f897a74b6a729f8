// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;
using namespace Qt::StringLiterals;

namespace {

QList<ElementKind> types(const FormSession& session)
{
    QList<ElementKind> result;
    session.collection().forEach([&result](const FormMethod& m) { result.append(m.kind); });
    return result;
}

} // namespace

class TestElementOperations : public QObject
{
    Q_OBJECT

    // Each case starts from a new form "survey" in a folder of its own; every
    // change is checked against the rows model's rules.
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<FormSession> m_session;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

private slots:
    void init()
    {
        m_folder = std::make_unique<TestProgramFolder>();
        m_session = std::make_unique<FormSession>(m_folder->path());
        m_tester = std::make_unique<QAbstractItemModelTester>(m_session->rows());
        createForm(*m_session, QStringLiteral("survey"));
    }
    void cleanup()
    {
        m_tester.reset();
        m_session.reset();
        m_folder.reset();
    }

    void namesThePageCouldConfuseAreRefused()
    {
        // The page posts tableName, DBLocation, background and allowShowTableButtron
        // itself, and "<question> Type" beside each question.
        TestProgramFolder& folder = *m_folder;
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Size"))));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Colour Type"))));
        QString clash;
        for (const QString& name : { QStringLiteral("tableName"), QStringLiteral("DBLocation"),
                 QStringLiteral("background"), QStringLiteral("Size Type"), QStringLiteral("Colour") }) {
            const Outcome added = insertMethod(session, element(ElementKind::CheckBox, name));
            QVERIFY2(!added && added.tells(Notice::Kind::NameClash), qPrintable(name));
            clash = added.notices().constFirst().detail;
            QVERIFY(clash.contains(QStringLiteral("Please call it something else.")));
        }
        QVERIFY(clash.contains(QStringLiteral("'Colour Type'")));
        // Renaming into a clash is refused too; names merely alike are fine.
        QVERIFY(updateMethod(session, element(ElementKind::TextField, QStringLiteral("Size Type")), 2)
                    .tells(Notice::Kind::NameClash));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Table name"))));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Size Types"))));
        QCOMPARE(columnNames(folder.database(), QStringLiteral("tbl_survey")),
            QStringList({ QStringLiteral("Form Question"), QStringLiteral("Size"),
                QStringLiteral("Colour Type"), QStringLiteral("Table name"), QStringLiteral("Size Types") }));
    }

    // A rename failing for another reason than a taken name says what failed.
    void renameFailingOtherwiseSaysWhatFailed()
    {
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("B2"))));
        QVERIFY(openStore(session.databasePath())
                    ->dropColumn(QStringLiteral("tbl_survey"), QStringLiteral("B2")));
        const Outcome renamed
            = updateMethod(session, element(ElementKind::TextField, QStringLiteral("B3")), 1);
        QVERIFY(!renamed);
        const Notice why = renamed.notices().constFirst();
        QCOMPARE(why.kind, Notice::Kind::ColumnNotChanged);
        QCOMPARE(why.column, Notice::Column::Renamed);
        QCOMPARE(why.detail, QStringLiteral("the table tbl_survey has no column B2"));
        QCOMPARE(session.collection().atPosition(1).userInstruction, QStringLiteral("B2"));
    }

    // Pages sent before a rename post the old names; the form keeps them, the
    // newest rename owning a name, and reads them back from its file.
    void renamesAreRemembered()
    {
        TestProgramFolder& folder = *m_folder;
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Age"))));
        const auto rename = [&session](int position, const QString& to) {
            FormMethod m = session.collection().atPosition(position);
            m.userInstruction = to;
            m.formerNames.clear(); // the editors know nothing of them
            return updateMethod(session, m, position);
        };
        const auto former
            = [&session](int position) { return session.collection().atPosition(position).formerNames; };
        QVERIFY(rename(1, QStringLiteral("Your age")));
        QVERIFY(rename(1, QStringLiteral("Age in years")));
        QCOMPARE(former(1), QStringList({ QStringLiteral("Age"), QStringLiteral("Your age") }));
        QVERIFY(rename(1, QStringLiteral("Age")));
        QCOMPARE(former(1), QStringList({ QStringLiteral("Your age"), QStringLiteral("Age in years") }));
        QVERIFY(updateMethod(session, element(ElementKind::TextField, QStringLiteral("Age")), 1));
        QCOMPARE(former(1).size(), 2); // an edit that keeps the name keeps them
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Your age"))));
        QVERIFY(rename(2, QStringLiteral("Age now")));
        QCOMPARE(former(2), QStringList({ QStringLiteral("Your age") }));
        QCOMPARE(former(1), QStringList({ QStringLiteral("Age in years") }));

        QVERIFY(writeFormPage(session, session.htmlName()));
        const QByteArray file = readBytes(folder.collection(QStringLiteral("survey")));
        QVERIFY(file.contains("\r\nFormer Name\r\nYour age\r\nAttribute 6\r\n"));
        FormSession reopened(folder.path());
        QVERIFY(loadForm(reopened, folder.path(), QStringLiteral("survey.html")));
        QCOMPARE(reopened.collection().methods(), session.collection().methods());
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))), file);
    }

    // The page follows the records as they are edited, moved and removed; a
    // condition follows the question it names through a rename, and goes with it.
    void questionsWithRulesThroughEdits()
    {
        FormSession& session = *m_session;
        const QStringList yesNo { u"Yes"_s, u"No"_s };
        QVERIFY(insertMethod(session, radioButtonsMethod(u"Thirsty"_s, yesNo, noDefaultOption())));
        for (const QString& box : { u"Tea"_s, u"Milk"_s, u"Sugar"_s }) {
            QVERIFY(insertMethod(session,
                withQuestionSettings(
                    checkBoxMethod(box, true, false), { {}, { u"Thirsty"_s, u"Yes"_s }, u"Drinks?"_s })));
        }
        QVERIFY(insertMethod(session,
            withQuestionSettings(
                textFieldMethod(u"Which tea?"_s, {}, {}, {}), { {}, { u"Tea"_s, u"Checked"_s }, {} })));
        QVERIFY(updateMethod(session,
            withQuestionSettings(radioButtonsMethod(u"Are you thirsty?"_s, yesNo, noDefaultOption()),
                { { true, AnswerKind::AnyText, {}, {} }, {}, {} }),
            1));
        session.setSelectedRow(2);
        QVERIFY(moveSelectedDown(session));
        session.setSelectedRow(3); // Tea, moved below Milk
        QVERIFY(removeSelected(session));
        const QString path = m_folder->html(u"survey.html"_s);
        const QByteArray page = readBytes(path);
        const QList<QByteArray> lines = page.split('\n');
        QVERIFY(lines.at(1).contains("Are you thirsty? <span class='required'"));
        QVERIFY(
            lines.at(2).startsWith("<div data-ask-if='Are you thirsty?' data-ask-if-answer='Yes'><fieldset>"
                                   "<legend>Drinks?</legend><input type=hidden name='Milk Type'"));
        QVERIFY(lines.at(3).contains("'Sugar'") && lines.at(3).endsWith("</fieldset></div>\r"));
        // Asked only after a question that is gone, it would never be asked again: it is asked always.
        QVERIFY(lines.at(4).startsWith("<P><input type=hidden name='Which tea? Type'"));
        FormSession reopened(m_folder->path());
        QVERIFY(loadForm(reopened, m_folder->path(), u"survey.html"_s));
        QVERIFY(writeFormPage(reopened, reopened.htmlName()));
        QCOMPARE(readBytes(path), page);
    }

    void moveMethodRefusesTheHeader()
    {
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::Line, QStringLiteral("Horizontal"))));
        QVERIFY(moveMethod(session, 0, 1).tells(Notice::Kind::HeaderStaysOnTop));
        QCOMPARE(types(session), QList<ElementKind>({ ElementKind::Header, ElementKind::Line }));
    }

    void sixteenBitLimitsAreRefusedNotOverflowed()
    {
        m_tester.reset(); // the rows rules are the other cases'; here 32767 rows are only counted
        FormSession& session = *m_session;
        session.setElementCounter(kMaxElements);
        QVERIFY(nextElementNumber(session).tells(Notice::Kind::CounterAtLimit));
        QCOMPARE(session.elementCounter(), qint16(kMaxElements));
        for (int k = 1; k < kMaxElements; ++k)
            session.changeableCollection().append(element(ElementKind::Line, QStringLiteral("Horizontal")));
        QVERIFY(insertMethod(session, element(ElementKind::Line, QStringLiteral("Horizontal")))
                    .tells(Notice::Kind::FormFull));
        QCOMPARE(session.collection().count(), kMaxElements);
    }

    void roundTripOfEveryKindGivesIdenticalBytes()
    {
        TestProgramFolder& folder = *m_folder;
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::PlainText, QStringLiteral("Intro <b>bold</b>"))));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, QStringLiteral("Name"))));
        QVERIFY(insertMethod(session, element(ElementKind::TextArea, QStringLiteral("Comments"))));
        QVERIFY(insertMethod(session, element(ElementKind::CheckBox, QStringLiteral("Tea"))));
        QVERIFY(insertMethod(session,
            element(ElementKind::RadioButtons, QStringLiteral("Colour"),
                { QStringLiteral("Red"), QStringLiteral("Red"), QStringLiteral("none") })));
        QVERIFY(insertMethod(
            session, element(ElementKind::PullDownMenu, QStringLiteral("Size"), { QStringLiteral("S") })));
        QVERIFY(insertMethod(session, element(ElementKind::SubmitButton, QStringLiteral("Go"))));
        QVERIFY(insertMethod(session, element(ElementKind::Line, QStringLiteral("Horizontal"))));
        QVERIFY(writeFormPage(session, session.htmlName()));
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("survey")));
        const QByteArray page = readBytes(folder.html(QStringLiteral("survey.html")));

        FormSession reopened(folder.path());
        QVERIFY(loadForm(reopened, folder.path(), QStringLiteral("survey.html")));
        QCOMPARE(reopened.collection().methods(), session.collection().methods());
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))), collection);
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))), page);
        // Header line plus one per element plus the closing line.
        QCOMPARE(page.count("\r\n"), 10);
        QVERIFY(page.endsWith("<P></FORM></HTML>\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestElementOperations)
#include "tst_elementoperations.moc"
