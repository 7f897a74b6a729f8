// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The reporter's window and the answers page it writes.
#include "ReporterFixture.h"

#include "core/TextFile.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "platform/BrowserView.h"
#include "platform/ChartControl.h"
#include "reporter/AnswerPositions.h"
#include "reporter/AnswersTablePage.h"
#include "reporter/Reporter.h"
#include "reporter/ReporterForm.h"
#include "support/PrintedCards.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

/// The example form: header, a text field Name, a check box Tea, a submit button.
void nameAndTea(ReporterFixture& f)
{
    f.add(ElementKind::TextField, u"Name"_s);
    f.add(ElementKind::CheckBox, u"Tea"_s);
    f.add(ElementKind::SubmitButton, u"Submit"_s);
    f.answer({ { u"Name"_s, u"Ada"_s }, { u"Tea"_s, u"Checked"_s } });
}

QByteArray page(const ReporterFixture& f)
{
    return readBytes(f.folder.html(u"dbTableOfAnswers.html"_s));
}

QString shownNumber(QObject* form)
{
    return child<QLabel>(form, u"AnswerNumber"_s)->text();
}

QString shownAnswer(QObject* form)
{
    return child<QPlainTextEdit>(form, u"FieldAnswerTextBox"_s)->toPlainText();
}

/// Questions A and B with three answers each.
void threeAnswers(ReporterFixture& f)
{
    f.add(ElementKind::TextField, u"A"_s);
    f.add(ElementKind::TextArea, u"B"_s);
    for (int i = 1; i <= 3; ++i)
        f.answer({ { u"A"_s, u"a%1"_s.arg(i) }, { u"B"_s, u"b%1\nline two"_s.arg(i) } });
}

} // namespace

class TestReporterWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    // Neither the reporter nor the answers page creates a missing database; both say so.
    void missingDatabaseIsNeverCreated()
    {
        if (TestProgramFolder::onServerStore())
            QSKIP("a database file");
        ReporterFixture f;
        nameAndTea(f);
        QVERIFY(QFile::remove(f.folder.database()));
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        openReporter(f.session, nullptr);
        QCOMPARE(Reporter::openForm(), nullptr);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(writeAnswersTablePage(f.session));
        QCOMPARE(f.folder.messageTexts().size(), 2);
        QVERIFY(f.folder.messageTexts().at(0).contains(u"cannot be opened"_s));
        QVERIFY(f.folder.messageTexts().at(1).startsWith(u"The answers database '"_s + f.folder.database()));
        // The page still tells what is wrong.
        QVERIFY(page(f).contains("cannot be opened. </B></FONT>\r\n</body>\r\n</html>\r\n"));
        QVERIFY(!QFile::exists(f.folder.database()));
    }

    void graphsPageCountsAfreshOnEachVisit()
    {
        ReporterFixture f;
        nameAndTea(f);
        ReporterForm form(f.session);
        auto* tabs = child<QTabBar>(&form, u"TabStrip1"_s);

        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"1"_s);
        // Another answer arrives; the same tab again does nothing ...
        f.answer({ { u"Tea"_s, u"Checked"_s } });
        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"1"_s);
        // ... while going to the report page and back counts afresh.
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"2"_s);
    }

    void clickOnTheSelectedRowRunsItsAction()
    {
        ReporterFixture f;
        nameAndTea(f);
        ReporterForm form(f.session);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* list = child<QListWidget>(&form, u"TableFieldsList"_s);
        auto* box = child<QPlainTextEdit>(&form, u"FieldAnswerTextBox"_s);
        box->setPlainText(u"edited"_s);
        const QRect row0 = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row0.center());
        QCOMPARE(box->toPlainText(), u"Ada"_s);

        // A click that changes the row runs it too.
        const QRect row1 = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1.center());
        QCOMPARE(box->toPlainText(), u"Checked"_s);
        QVERIFY(f.folder.messageTexts().isEmpty());
    }

    void columnGoneFromUnderTheWindow()
    {
        ReporterFixture f;
        threeAnswers(f);
        ReporterForm form(f.session);
        QVERIFY(f.store()->renameColumn(f.table(), u"B"_s, u"Renamed"_s));
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        child<QListWidget>(&form, u"TableFieldsList"_s)->setCurrentRow(1);
        // Never the column's own name read back as the answer.
        QCOMPARE(f.folder.messageTexts(),
            { u"The  field 'B' from database table 'tbl_survey ' contains no data."_s });
        QCOMPARE(shownAnswer(&form), u"a1"_s);
    }

    void answersStoredWhileOpenAreReached()
    {
        ReporterFixture f;
        f.add(ElementKind::TextField, u"A"_s);
        f.answer({ { u"A"_s, u"one"_s } });
        f.answer({ { u"A"_s, u"two"_s } });
        ReporterForm form(f.session);
        QCOMPARE(child<QLabel>(&form, u"AnswerTotal"_s)->text(), u"of 2"_s);

        // The third arrives through the service, with its arrival time.
        AnswersStore::NewRow third;
        third.table = f.table();
        third.values = { { u"A"_s, u"three"_s } };
        third.arrivedAt = QDateTime(QDate(2026, 12, 6), QTime(15, 4, 5), Qt::UTC);
        third.token = u"page"_s;
        QVERIFY(f.store()->insertRows({ third }));
        click(&form, u"NextAnswer"_s);
        QCOMPARE(child<QLabel>(&form, u"AnswerArrival"_s)->text(), QString());
        click(&form, u"NextAnswer"_s);
        QCOMPARE(shownNumber(&form), u"3"_s);
        QCOMPARE(child<QLabel>(&form, u"AnswerArrival"_s)->text(), u"arrived 2026-12-06 15:04:05 UTC"_s);
        // The same page sent again with another answer: when it changed.
        third.values = { { u"A"_s, u"three, corrected"_s } };
        third.arrivedAt = third.arrivedAt.addSecs(60);
        QVERIFY(f.store()->insertRows({ third }));
        click(&form, u"PreviousAnswer"_s);
        click(&form, u"NextAnswer"_s);
        QCOMPARE(child<QLabel>(&form, u"AnswerArrival"_s)->text(),
            u"arrived 2026-12-06 15:04:05 UTC, changed 2026-12-06 15:05:05 UTC"_s);
        // "Answer 3 of 3": the total follows what came in meanwhile.
        QCOMPARE(child<QLabel>(&form, u"AnswerTotal"_s)->text(), u"of 3"_s);
        QCOMPARE(shownAnswer(&form), u"three, corrected"_s);

        // A row gone from under the window: positions are read again.
        f.deleteAnswers(u"A"_s, u"one"_s);
        click(&form, u"ViewFieldAnswerOne"_s);
        QCOMPARE(shownAnswer(&form), u"two"_s);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"NextAnswer"_s);
        click(&form, u"NextAnswer"_s);
        QCOMPARE(f.folder.messageTexts(), { u"You have reached the end of the answers."_s });
        QCOMPARE(shownAnswer(&form), u"three, corrected"_s);
    }

    void longJumpsFindTheAnswerWithAndWithoutGaps()
    {
        ReporterFixture f;
        f.add(ElementKind::TextField, u"A"_s);
        f.answerNumbered(u"A"_s, 1, 3000, u"v%1"_s);
        const auto valueAt = [&](qint64 number) {
            AnswerPositions positions(f.table());
            const AnswerPositions::Answer answer = positions.valueOf(*f.store(), u"A"_s, number);
            return answer.state == AnswerPositions::ValueState::Value ? answer.value.toString() : u"none"_s;
        };
        QCOMPARE(valueAt(2999), u"v2999"_s);
        QCOMPARE(valueAt(3001), u"none"_s);
        // The first answer deleted: the ids start later, still without gaps.
        f.deleteAnswers(u"A"_s, u"v1"_s);
        QCOMPARE(valueAt(2999), u"v3000"_s);
        QCOMPARE(valueAt(3000), u"none"_s);
        // A gap in the middle: the N-th answer is no longer the N-th id.
        f.deleteAnswers(u"A"_s, u"v10"_s);
        QCOMPARE(valueAt(2000), u"v2002"_s);
        QCOMPARE(valueAt(2998), u"v3000"_s);
        QCOMPARE(valueAt(2999), u"none"_s);
    }

    void tableDroppedWhileOpen()
    {
        ReporterFixture f;
        threeAnswers(f);
        ReporterForm form(f.session);
        QVERIFY(f.store()->dropTable(f.table()));
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"NextAnswer"_s);
        QCOMPARE(f.folder.messageTexts(),
            { u"The table containing the data for the form survey.html is missing."_s });
        QCOMPARE(shownNumber(&form), u"1"_s);
    }

    void hostileAnswersShownAsText()
    {
        ReporterFixture f;
        f.add(ElementKind::TextField, u"Name <b>"_s);
        f.add(ElementKind::TextArea, u"Story"_s);
        const QString big = QString(1024 * 1024, u'x') + u"<end>"_s;
        f.answer({ { u"Name <b>"_s, u"<script>alert('x')</script> & \"quotes\""_s }, { u"Story"_s, big } });
        f.answer({ { u"Name <b>"_s, u"Zoë ☃"_s } });

        QVERIFY(writeAnswersTablePage(f.session));
        const QByteArray bytes = page(f);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF")); // the snowman needs UTF-8
        const QString text = decodeText(bytes);
        QVERIFY(!text.contains(u"<script>"_s));
        QCOMPARE(text.count(u"<b>"_s), 3); // only the header cells' own tags
        QVERIFY(text.contains(u"\r\nName &lt;b&gt;\r\n"_s));
        // How markup, quotes and ampersands in answers are written is the report-viewing scenario's.
        QVERIFY(text.contains(u">  "_s + QString(1024 * 1024, u'x') + u"&lt;end&gt;\r\n"_s));
        QVERIFY(text.contains(u">  Zoë ☃\r\n"_s));
    }

    void wideTableHasNoOverflow()
    {
        ReporterFixture f;
        for (int i = 1; i < 200; ++i)
            QVERIFY(f.store()->addColumn(f.table(), u"Q%1"_s.arg(i), AnswersStore::ColumnKind::Text, {}));
        QVERIFY(f.session.backgroundFileName().isEmpty());
        QVERIFY(writeAnswersTablePage(f.session));
        // The default background also becomes the new-form window's.
        QCOMPARE(f.session.backgroundFileName(), u"background.gif"_s);
        QVERIFY(page(f).contains(
            "<table border ALIGN=center width=40000><tr><td bgcolor=eeeee height=50 colspan=200>"));
    }

    void viewRewritesThePageEachTime()
    {
        ReporterFixture f;
        f.add(ElementKind::TextField, u"Your name"_s);
        viewAnswersTable(f.session);
        QVERIFY(!page(f).contains("Ada"));
        f.answer({ { u"Your name"_s, u"Ada"_s } });
        viewAnswersTable(f.session);
        QVERIFY(page(f).contains("\r\n>  Ada\r\n"));
    }

    // The fourth tab: how many of those invited answered, and who has not,
    // counted afresh each time it is shown.
    void whoHasNotAnsweredIsListed()
    {
        ReporterFixture f;
        ReporterForm form(f.session);
        auto* tabs = child<QTabBar>(&form, u"TabStrip1"_s);
        auto* summary = child<QLabel>(&form, u"ParticipationSummary"_s);
        auto* list = child<QTableWidget>(&form, u"NotAnsweredList"_s);
        tabs->setCurrentIndex(3);
        QVERIFY2(summary->text().startsWith(u"This form invites nobody"_s), qPrintable(summary->text()));
        QCOMPARE(list->rowCount(), 0);

        const auto person
            = [](const QString& code, const QString& name, QList<std::pair<QString, QString>> attributes) {
                  Participant p;
                  p.code = code;
                  p.name = name;
                  p.attributes = std::move(attributes);
                  return p;
              };
        QVERIFY(addParticipants(*f.store(), f.table(),
            { person(u"AAAAAAAA"_s, u"Ann"_s, { { u"class"_s, u"5a"_s } }),
                person(u"CCCCCCCC"_s, u"Ben"_s, { { u"class"_s, u"5b"_s }, { u"bus"_s, u"yes"_s } }),
                person(u"DDDDDDDD"_s, QString(), {}) }));
        markAnswered(f.folder.database(), f.session.openFormName(), { u"AAAAAAAA"_s });
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(3);
        QCOMPARE(summary->text(), u"answered 1 of 3"_s);
        QCOMPARE(list->rowCount(), 2);
        QStringList cells;
        for (int r = 0; r < list->rowCount(); ++r) {
            for (int c = 0; c < list->columnCount(); ++c)
                cells.append(list->item(r, c) ? list->item(r, c)->text() : QString());
        }
        QCOMPARE(cells,
            (QStringList { u"Ben"_s, u"CCCCCCCC"_s, u"5b"_s, u"yes"_s, QString(), u"DDDDDDDD"_s, QString(),
                QString() }));
    }
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestReporterWindow)
#include "tst_reporterwindow.moc"
