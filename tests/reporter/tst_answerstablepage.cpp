// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "ReporterFixture.h"

#include "core/TextFile.h"
#include "platform/BrowserView.h"
#include "reporter/AnswersTablePage.h"
#include "reporter/Reporter.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

QByteArray page(const ReporterFixture& f)
{
    return readBytes(f.folder.html(u"dbTableOfAnswers.html"_s));
}

QStringList headerCell(const QString& name, bool memo)
{
    return {memo ? u" <td width=250 ALIGN=center bgcolor=CCCCCC>"_s : u" <td width=110 ALIGN=center bgcolor=CCCCCC>"_s,
            u" <b>"_s, name, u"</b>"_s, u" </td>"_s};
}

const QStringList kHead = {u"<html>"_s,       u"<head>"_s,  u"<title>"_s,
                           u"<h1>"_s,         u"Database table - tbl_survey"_s,
                           u"</h1>"_s,        u"</title>"_s, u"<BODY BGCOLOR='#000000' BACKGROUND='background.gif'>"_s};

} // namespace

class TestAnswersTablePage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void surveyExampleByteForByte()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Your name"_s);
        f.session.openFormName.clear(); // taken again from the HTMLName caption
        QVERIFY(f.session.backgroundFileName.isEmpty());

        QVERIFY(WriteAnswersTablePage(f.session));

        QStringList lines = kHead;
        lines << u"<table border ALIGN=center width=400><tr><td bgcolor=eeeee height=50 colspan=2><B><FONT SIZE=6>"
                 "<pre>      Database table : 'tbl_survey'</FONT></B></td></tr>"_s
              << u"<tr>"_s << headerCell(u"Form Question"_s, false) << headerCell(u"Your name"_s, false) << u"</tr>"_s
              << u"</table>"_s << u"</body>"_s << u"</html>"_s;
        QCOMPARE(page(f), crlfLines(lines));
        QCOMPARE(f.session.openFormName, u"survey"_s);
        // The default background also becomes the new-form window's.
        QCOMPARE(f.session.backgroundFileName, u"background.gif"_s);
    }

    void rowsMemoWidthAndShading()
    {
        ReporterFixture f;
        f.session.backgroundFileName = u"marble.jpg"_s;
        f.add(Kind::textArea(), u"Comments"_s);
        f.add(Kind::checkBox(), u"Tea"_s);
        f.answer({{u"Comments"_s, u"Fine"_s}, {u"Tea"_s, u"Checked"_s}});
        f.answer({{u"Tea"_s, u"Not Checked"_s}}); // no comment: a null value

        QVERIFY(WriteAnswersTablePage(f.session));

        QStringList rows;
        const auto row = [&](const QString& question, const QString& comments, const QString& tea) {
            rows << u"<tr>"_s << u"  <td VALIGN=top"_s << u" bgcolor=CCCCCC "_s << u">  "_s + question
                 << u"  </td>"_s << u"  <td VALIGN=top"_s << u">  "_s + comments << u"  </td>"_s
                 << u"  <td VALIGN=top"_s << u">  "_s + tea << u"  </td>"_s << u"</tr>"_s;
        };
        row({}, u"Fine"_s, u"Checked"_s);
        row({}, {}, u"Not Checked"_s);
        QStringList lines = kHead;
        lines[7] = u"<BODY BGCOLOR='#000000' BACKGROUND='marble.jpg'>"_s;
        lines << u"<table border ALIGN=center width=600><tr><td bgcolor=eeeee height=50 colspan=3><B><FONT SIZE=6>"
                 "<pre>      Database table : 'tbl_survey'</FONT></B></td></tr>"_s
              << u"<tr>"_s << headerCell(u"Form Question"_s, false) << headerCell(u"Comments"_s, true)
              << headerCell(u"Tea"_s, false) << u"</tr>"_s << rows << u"</table>"_s << u"</body>"_s << u"</html>"_s;
        QCOMPARE(page(f), crlfLines(lines));
    }

    void missingTableOrDatabase()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Your name"_s);
        QVERIFY(f.database()->dropTable(f.table()));

        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(WriteAnswersTablePage(f.session));
        QCOMPARE(f.folder.messages().boxes().size(), 1);
        QCOMPARE(f.folder.messages().boxes().at(0).icon, MessageIcon::Exclamation);
        QCOMPARE(f.folder.messageTexts(), {u"The table containing the data for the form survey.html is missing."_s});
        QCOMPARE(page(f), crlfLines(QStringList(kHead)
                                    << u"<font size=5><B> The table containing the data for the form survey.html "
                                       "is missing. </B></FONT>"_s
                                    << u"</body>"_s << u"</html>"_s));

        // No database at all: said so, and the page still tells what is wrong.
        QVERIFY(QFile::remove(f.folder.database()));
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(WriteAnswersTablePage(f.session));
        QCOMPARE(f.folder.messageTexts().size(), 1);
        QVERIFY(f.folder.messageTexts().at(0).startsWith(u"The answers database '"_s + f.folder.database()));
        QVERIFY(page(f).contains("cannot be opened. </B></FONT>\r\n</body>\r\n</html>\r\n"));
        QVERIFY(!QFile::exists(f.folder.database())); // nothing created behind the user's back
    }

    void hostileAnswersShownAsText()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Name <b>"_s);
        f.add(Kind::textArea(), u"Story"_s);
        const QString big = QString(1024 * 1024, u'x') + u"<end>"_s;
        f.answer({{u"Name <b>"_s, u"<script>alert('x')</script> & \"quotes\""_s}, {u"Story"_s, big}});
        f.answer({{u"Name <b>"_s, u"Zoë ☃"_s}});

        QVERIFY(WriteAnswersTablePage(f.session));
        const QByteArray bytes = page(f);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF")); // the snowman needs UTF-8
        const QString text = decodeText(bytes);
        QVERIFY(!text.contains(u"<script>"_s));
        QCOMPARE(text.count(u"<b>"_s), 3); // only the header cells' own tags
        QVERIFY(text.contains(u"\r\nName &lt;b&gt;\r\n"_s));
        QVERIFY(text.contains(u">  &lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;quotes&quot;\r\n"_s));
        QVERIFY(text.contains(u">  "_s + QString(1024 * 1024, u'x') + u"&lt;end&gt;\r\n"_s));
        QVERIFY(text.contains(u">  Zoë ☃\r\n"_s));
    }

    void wideTableHasNoOverflow()
    {
        ReporterFixture f;
        auto db = f.database();
        for (int i = 1; i < 200; ++i)
            QVERIFY(db->addColumn(f.table(), u"Q%1"_s.arg(i), false));
        db.reset();
        QVERIFY(WriteAnswersTablePage(f.session));
        QVERIFY(page(f).contains("<table border ALIGN=center width=40000><tr><td bgcolor=eeeee height=50 colspan=200>"));
    }

    void viewShowsRefreshedPage()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Your name"_s);
        QSignalSpy navigated(&f.session, &FormSession::navigateRequested);
        QSignalSpy refreshed(&f.session, &FormSession::refreshRequested);

        viewAnswersTable(f.session);
        QCOMPARE(f.session.htmlFrameCaption(), u"Current Database Table"_s);
        QCOMPARE(navigated.size(), 1);
        QCOMPARE(navigated.at(0).at(0).toString(), f.folder.html(u"dbTableOfAnswers.html"_s));
        QCOMPARE(refreshed.size(), 1);
        QVERIFY(!page(f).contains("Ada"));

        f.answer({{u"Your name"_s, u"Ada"_s}});
        viewAnswersTable(f.session);
        QCOMPARE(navigated.size(), 2);
        QCOMPARE(refreshed.size(), 2);
        QVERIFY(page(f).contains("\r\n>  Ada\r\n"));
    }

    void noFormOpen()
    {
        ReporterFixture f;
        f.session.setHtmlName({});
        f.session.setHtmlFrameCaption(u"Help Pages"_s);
        QSignalSpy navigated(&f.session, &FormSession::navigateRequested);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        viewAnswersTable(f.session);
        openReporter(f.session, nullptr);
        QCOMPARE(f.folder.messageTexts(),
                 QStringList({u"You don't currently have a Form Open."_s, u"You don't currently have a Form Open."_s}));
        QCOMPARE(navigated.size(), 0);
        QCOMPARE(f.session.htmlFrameCaption(), u"Help Pages"_s);
        QVERIFY(!QFile::exists(f.folder.html(u"dbTableOfAnswers.html"_s)));
    }
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestAnswersTablePage)
#include "tst_answerstablepage.moc"
