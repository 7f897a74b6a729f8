// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "model/Fragments.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
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
        createForm(*m_session, u"survey"_s);
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
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Size"_s)));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Colour Type"_s)));
        Notice clash { Notice::Kind::NoneSelected, {}, {}, {} };
        for (const QString& name :
            { u"tableName"_s, u"DBLocation"_s, u"background"_s, u"Size Type"_s, u"Colour"_s }) {
            const Outcome added = insertMethod(session, element(ElementKind::CheckBox, name));
            QVERIFY2(!added && added.tells(Notice::Kind::NameClash), qPrintable(name));
            clash = added.notices().constFirst();
            QCOMPARE(clash.place, name);
        }
        QCOMPARE(clash.names, QStringList { u"Colour Type"_s });
        // Renaming into a clash is refused too; names merely alike are fine.
        QVERIFY(updateMethod(session, element(ElementKind::TextField, u"Size Type"_s), 2)
                    .tells(Notice::Kind::NameClash));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Table name"_s)));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Size Types"_s)));
        QCOMPARE(columnNames(folder.database(), u"tbl_survey"_s),
            QStringList(
                { u"Form Question"_s, u"Size"_s, u"Colour Type"_s, u"Table name"_s, u"Size Types"_s }));
    }

    // A rename failing for another reason than a taken name says what failed.
    void renameFailingOtherwiseSaysWhatFailed()
    {
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"B2"_s)));
        QVERIFY(openStore(session.databasePath())->dropColumn(u"tbl_survey"_s, u"B2"_s));
        const Outcome renamed = updateMethod(session, element(ElementKind::TextField, u"B3"_s), 1);
        QVERIFY(!renamed);
        const Notice why = renamed.notices().constFirst();
        QCOMPARE(why.kind, Notice::Kind::ColumnNotChanged);
        QCOMPARE(why.column, Notice::Column::Renamed);
        QCOMPARE(why.detail, u"the table tbl_survey has no column B2"_s);
        QCOMPARE(session.collection().atPosition(1).userInstruction, u"B2"_s);
    }

    // Pages sent before a rename post the old names; the form keeps them, the
    // newest rename owning a name, and reads them back from its file.
    void renamesAreRemembered()
    {
        TestProgramFolder& folder = *m_folder;
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Age"_s)));
        const auto rename = [&session](int position, const QString& to) {
            FormMethod m = session.collection().atPosition(position);
            m.userInstruction = to;
            m.formerNames.clear(); // the editors know nothing of them
            return updateMethod(session, m, position);
        };
        const auto former
            = [&session](int position) { return session.collection().atPosition(position).formerNames; };
        QVERIFY(rename(1, u"Your age"_s));
        QVERIFY(rename(1, u"Age in years"_s));
        QCOMPARE(former(1), QStringList({ u"Age"_s, u"Your age"_s }));
        QVERIFY(rename(1, u"Age"_s));
        QCOMPARE(former(1), QStringList({ u"Your age"_s, u"Age in years"_s }));
        QVERIFY(updateMethod(session, element(ElementKind::TextField, u"Age"_s), 1));
        QCOMPARE(former(1).size(), 2); // an edit that keeps the name keeps them
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Your age"_s)));
        QVERIFY(rename(2, u"Age now"_s));
        QCOMPARE(former(2), QStringList({ u"Your age"_s }));
        QCOMPARE(former(1), QStringList({ u"Age in years"_s }));

        QVERIFY(writeFormPage(session, session.htmlName()));
        const QByteArray file = readBytes(folder.collection(u"survey"_s));
        QVERIFY(file.contains("\r\nFormer Name\r\nYour age\r\nAttribute 6\r\n"));
        FormSession reopened(folder.path());
        QVERIFY(loadForm(reopened, folder.path(), u"survey.html"_s));
        QCOMPARE(reopened.collection().methods(), session.collection().methods());
        QCOMPARE(readBytes(folder.collection(u"survey"_s)), file);
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
        const Outcome removed = removeSelected(session);
        QVERIFY(removed.tells(Notice::Kind::AskedAlwaysAfterRemoval));
        QCOMPARE(removed.notices().constLast().names, QStringList { u"Which tea?"_s });
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
        // An edit that drops the awaited answer frees the questions waiting for it, and says which.
        const Outcome edited = updateMethod(
            session, radioButtonsMethod(u"Are you thirsty?"_s, { u"No"_s }, noDefaultOption()), 1);
        QCOMPARE(edited.notices().constLast().names, QStringList({ u"Milk"_s, u"Sugar"_s }));
        QVERIFY(edited.tells(Notice::Kind::AskedAlwaysAfterEdit));
        QVERIFY(questionSettingsOf(session.collection().atPosition(3)).condition.always());
    }

    // Quotas count one question's answers: they follow a rename of the
    // question and of an option renamed in place, and go, said, with the
    // answer or the question.
    void quotasFollowTheirQuestion()
    {
        FormSession& session = *m_session;
        const QStringList regions { u"North"_s, u"South"_s, u"East"_s };
        QVERIFY(insertMethod(session, radioButtonsMethod(u"Region"_s, regions, noDefaultOption())));
        QVERIFY(insertMethod(
            session, pullDownMenuMethod(u"Team"_s, u"1"_s, { u"Sales"_s, u"R&D"_s }, noDefaultOption())));
        FormMethod header = session.collection().atPosition(0);
        FormSettings settings = formSettingsOf(header);
        settings.quotas = { { u"Region"_s, u"North"_s, 50 }, { u"Region"_s, u"East"_s, 9 },
            { u"Team"_s, u"Sales"_s, 3 } };
        setFormSettings(header, settings);
        session.changeableCollection().replace(0, header);
        const auto quotas = [&session] { return formSettingsOf(session.collection().atPosition(0)).quotas; };

        QVERIFY(updateMethod(session,
            radioButtonsMethod(u"Where?"_s, { u"Northern"_s, u"South"_s, u"East"_s }, noDefaultOption()), 1));
        QCOMPARE(quotas(),
            (QList<FormQuota> { { u"Where?"_s, u"Northern"_s, 50 }, { u"Where?"_s, u"East"_s, 9 },
                { u"Team"_s, u"Sales"_s, 3 } }));
        const Outcome edited = updateMethod(
            session, radioButtonsMethod(u"Where?"_s, { u"Northern"_s, u"West"_s }, noDefaultOption()), 1);
        QVERIFY(edited.tells(Notice::Kind::QuotasDropped));
        QCOMPARE(edited.notices().constLast().names, QStringList { u"East"_s });
        QCOMPARE(quotas().size(), 2);

        session.setSelectedRow(1);
        const Outcome removed = removeSelected(session);
        QVERIFY(removed.tells(Notice::Kind::QuotasDropped));
        QCOMPARE(quotas(), (QList<FormQuota> { FormQuota { u"Team"_s, u"Sales"_s, 3 } }));
        // Kept in the form's file, as the rest of the header.
        FormSession reopened(m_folder->path());
        QVERIFY(loadForm(reopened, m_folder->path(), u"survey.html"_s));
        QCOMPARE(formSettingsOf(reopened.collection().atPosition(0)).quotas, quotas());
    }

    // "{QUESTION}" shows an earlier answer: only an earlier question may be
    // named; a rename follows into the texts naming it, answers columns and
    // all; a removal leaves them as written and says which.
    void earlierAnswersInLaterTexts()
    {
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, textFieldMethod(u"Name"_s, {}, {}, {})));
        QVERIFY(insertMethod(session, plainTextMethod(u"Hello {Name}, {not a question}"_s)));
        QVERIFY(insertMethod(session,
            withQuestionSettings(
                radioButtonsMethod(u"Why {Name}?"_s, { u"{Name} said so"_s, u"No"_s }, u"No"_s),
                { {}, {}, {}, true, true })));
        // A question cannot show its own answer, nor a text one asked after it.
        const Outcome own = insertMethod(
            session, radioButtonsMethod(u"Dish"_s, { u"Soup"_s, u"{Dish} again"_s }, noDefaultOption()));
        QVERIFY(!own && own.tells(Notice::Kind::PipedFromLater));
        QCOMPARE(session.methodCount(), 4);
        QVERIFY(insertMethod(session, radioButtonsMethod(u"Dish"_s, { u"Soup"_s }, noDefaultOption())));
        QVERIFY(updateMethod(session, plainTextMethod(u"Hello {Name}, about {Dish}"_s), 2)
                    .tells(Notice::Kind::PipedFromLater));
        QCOMPARE(session.collection().atPosition(2).userInstruction, u"Hello {Name}, {not a question}"_s);

        QVERIFY(updateMethod(session, textFieldMethod(u"Full name"_s, {}, {}, {}), 1));
        QCOMPARE(
            session.collection().atPosition(2).userInstruction, u"Hello {Full name}, {not a question}"_s);
        const FormMethod& why = session.collection().atPosition(3);
        QCOMPARE(why.userInstruction, u"Why {Full name}?"_s);
        QCOMPARE(why.attribute6List, QStringList({ u"{Full name} said so"_s, u"No"_s }));
        QVERIFY(
            questionSettingsOf(why).otherAnswer && why.htmlCode.contains(u"name='Why {Full name}? Other'"_s));
        QCOMPARE(why.formerNames, QStringList { u"Why {Name}?"_s });
        const auto store = openAnswersStore(session.databasePath());
        QVERIFY(store);
        const auto columns = (*store)->columns(session.answerTable().tableName);
        QVERIFY(columns);
        QStringList names;
        for (const AnswersStore::Column& column : *columns)
            names.append(column.name);
        QVERIFY(names.contains(u"Why {Full name}?"_s) && !names.contains(u"Why {Name}?"_s));
        QVERIFY(writeFormPage(session, session.htmlName()));
        const QByteArray page = readBytes(m_folder->html(u"survey.html"_s));
        QVERIFY2(page.contains("<P>Hello {Full name}, {not a question}"), page.constData());

        session.setSelectedRow(1);
        const Outcome removed = removeSelected(session);
        QVERIFY(removed.tells(Notice::Kind::PipedQuestionRemoved));
        QCOMPARE(removed.notices().constLast().names,
            QStringList({ u"Hello {Full name}, {not a question}"_s, u"Why {Full name}?"_s }));
        QCOMPARE(
            session.collection().atPosition(1).userInstruction, u"Hello {Full name}, {not a question}"_s);
    }

    void moveMethodRefusesTheHeader()
    {
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::Line, u"Horizontal"_s)));
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
            session.changeableCollection().append(element(ElementKind::Line, u"Horizontal"_s));
        QVERIFY(
            insertMethod(session, element(ElementKind::Line, u"Horizontal"_s)).tells(Notice::Kind::FormFull));
        QCOMPARE(session.collection().count(), kMaxElements);
    }

    void roundTripOfEveryKindGivesIdenticalBytes()
    {
        TestProgramFolder& folder = *m_folder;
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, element(ElementKind::PlainText, u"Intro <b>bold</b>"_s)));
        QVERIFY(insertMethod(session, element(ElementKind::TextField, u"Name"_s)));
        QVERIFY(insertMethod(session, element(ElementKind::TextArea, u"Comments"_s)));
        QVERIFY(insertMethod(session, element(ElementKind::CheckBox, u"Tea"_s)));
        QVERIFY(insertMethod(
            session, element(ElementKind::RadioButtons, u"Colour"_s, { u"Red"_s, u"Red"_s, u"none"_s })));
        QVERIFY(insertMethod(session, element(ElementKind::PullDownMenu, u"Size"_s, { u"S"_s })));
        QVERIFY(insertMethod(session, element(ElementKind::SubmitButton, u"Go"_s)));
        QVERIFY(insertMethod(session, element(ElementKind::Line, u"Horizontal"_s)));
        QVERIFY(writeFormPage(session, session.htmlName()));
        const QByteArray collection = readBytes(folder.collection(u"survey"_s));
        const QByteArray page = readBytes(folder.html(u"survey.html"_s));

        FormSession reopened(folder.path());
        QVERIFY(loadForm(reopened, folder.path(), u"survey.html"_s));
        QCOMPARE(reopened.collection().methods(), session.collection().methods());
        QCOMPARE(readBytes(folder.collection(u"survey"_s)), collection);
        QCOMPARE(readBytes(folder.html(u"survey.html"_s)), page);
        // Header line plus one per element plus the closing line.
        QCOMPARE(page.count("\r\n"), 10);
        QVERIFY(page.endsWith("<P></FORM></HTML>\r\n"));
    }

    // A page break: its own record and line, no column; its title may be a
    // question's text, whose column outlives the break's removal.
    void pageBreaksOwnNoColumn()
    {
        TestProgramFolder& folder = *m_folder;
        FormSession& session = *m_session;
        QVERIFY(insertMethod(session, textFieldMethod(u"Part 2"_s, u"30"_s, {}, {})));
        QVERIFY(insertMethod(session, pageBreakMethod(u"Part 2"_s)));
        QVERIFY(insertMethod(session, pageBreakMethod({})));
        QVERIFY(writeFormPage(session, session.htmlName()));
        QCOMPARE(session.rows()->texts().mid(1),
            QStringList({ u"Text Field - Part 2"_s, u"Page Break - Part 2"_s, u"Page Break"_s }));
        const QByteArray page = readBytes(folder.html(u"survey.html"_s));
        QVERIFY(
            page.contains("\r\n<hr data-page-break><h2>Part 2</h2>\r\n<hr data-page-break>\r\n<P></FORM>"));
        QVERIFY(readBytes(folder.collection(u"survey"_s))
                    .endsWith(
                        "User Instruction\r\n\r\nMethod Type\r\nPage Break\r\nHTML Code\r\n"
                        "<hr data-page-break>\r\nAttribute 4\r\n\r\nAttribute 5\r\n\r\nAttribute 6\r\n\r\n"));

        FormSession reopened(folder.path());
        QVERIFY(loadForm(reopened, folder.path(), u"survey.html"_s));
        QCOMPARE(reopened.collection().methods(), session.collection().methods());
        QCOMPARE(readBytes(folder.html(u"survey.html"_s)), page);

        const auto columns = [&] {
            QStringList names;
            for (const auto& column : openStore(folder.database())->columns(u"tbl_survey"_s).valueOr({}))
                names.append(column.name);
            return names;
        };
        const QStringList before = columns();
        QVERIFY(before.contains(u"Part 2"_s));
        reopened.setSelectedRow(2);
        QVERIFY(removeSelected(reopened));
        QCOMPARE(reopened.rows()->texts().mid(1), QStringList({ u"Text Field - Part 2"_s, u"Page Break"_s }));
        QCOMPARE(columns(), before);
    }

    void aGroupsOtherAnswerHasAColumnWhileTheGroupHasBoxes()
    {
        TestProgramFolder& folder = *m_folder;
        FormSession& session = *m_session;
        QuestionSettings group;
        group.questionText = u"Topics"_s;
        QuestionSettings first = group;
        first.otherAnswer = true;
        QVERIFY(insertMethod(session, withQuestionSettings(checkBoxMethod(u"Maths"_s, true, false), first)));
        QVERIFY(insertMethod(session, withQuestionSettings(checkBoxMethod(u"Art"_s, true, false), group)));
        QVERIFY(writeFormPage(session, session.htmlName()));
        const auto columns = [&] {
            QStringList names;
            for (const auto& column : openStore(folder.database())->columns(u"tbl_survey"_s).valueOr({}))
                names.append(column.name);
            return names.mid(1);
        };
        QCOMPARE(columns(), QStringList({ u"Maths"_s, u"Topics: Other"_s, u"Art"_s }));
        // Its key line on the first box only; its box after the group's last, inside the group.
        QCOMPARE(readBytes(folder.collection(u"survey"_s)).count("OtherAnswer\r\n1\r\n"), 1);
        QVERIFY(
            readBytes(folder.html(u"survey.html"_s))
                .contains("type='checkbox'>Art<input type=hidden name='Topics: Other Type' "
                          "value='Check Box'><P><input name='Topics: Other' type='checkbox' value='Other:'>"
                          "Other: <input name='Topics: Other Other' type='text' size='20' maxlength='255'>"
                          "</fieldset>"));
        // A question elsewhere may not take its name.
        QVERIFY(!insertMethod(session, textFieldMethod(u"Topics: Other"_s, u"30"_s, {}, {})));

        // The first box removed, the next takes the group's "Other:" over, column and all.
        session.setSelectedRow(1);
        QVERIFY(removeSelected(session, true));
        QVERIFY(questionSettingsOf(session.collection().atPosition(1)).otherAnswer);
        QCOMPARE(columns(), QStringList({ u"Topics: Other"_s, u"Art"_s }));
        QVERIFY(readBytes(folder.html(u"survey.html"_s)).contains("name='Topics: Other' type='checkbox'"));
        // Taken off in an edit, the column goes with it; the last box removed, nothing is left.
        QVERIFY(updateMethod(session, withQuestionSettings(session.collection().atPosition(1), group), 1));
        QCOMPARE(columns(), QStringList({ u"Art"_s }));
        QVERIFY(updateMethod(session, withQuestionSettings(session.collection().atPosition(1), first), 1));
        QCOMPARE(columns(), QStringList({ u"Art"_s, u"Topics: Other"_s }));
        // The group's question renamed: its typed answers go with it.
        QVERIFY(
            openStore(folder.database())
                ->insertRows({ { u"tbl_survey"_s, { { u"Topics: Other"_s, u"Chess"_s } }, {}, {}, {} } }));
        first.questionText = u"Subjects"_s;
        QVERIFY(updateMethod(session, withQuestionSettings(session.collection().atPosition(1), first), 1));
        QCOMPARE(columns(), QStringList({ u"Art"_s, u"Subjects: Other"_s }));
        QCOMPARE(openStore(folder.database())
                     ->countMatches(u"tbl_survey"_s, u"Subjects: Other"_s, { u"Chess"_s })
                     .valueOr({}),
            QList<qint64> { 1 });
        session.setSelectedRow(1);
        QVERIFY(removeSelected(session, true));
        QCOMPARE(columns(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestElementOperations)
#include "tst_elementoperations.moc"
