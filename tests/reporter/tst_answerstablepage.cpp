// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "ReporterFixture.h"

#include "core/TextFile.h"
#include "platform/BrowserView.h"
#include "reporter/AnswersTablePage.h"
#include "reporter/Reporter.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

QByteArray page(const ReporterFixture& f)
{
    return readBytes(f.folder.html(u"dbTableOfAnswers.html"_s));
}

} // namespace

class TestAnswersTablePage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void missingDatabaseIsNeverCreated()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Your name"_s);
        QVERIFY(QFile::remove(f.folder.database()));
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(WriteAnswersTablePage(f.session));
        QCOMPARE(f.folder.messageTexts().size(), 1);
        QVERIFY(f.folder.messageTexts().at(0).startsWith(u"The answers database '"_s + f.folder.database()));
        // The page still tells what is wrong.
        QVERIFY(page(f).contains("cannot be opened. </B></FONT>\r\n</body>\r\n</html>\r\n"));
        QVERIFY(!QFile::exists(f.folder.database()));
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
        for (int i = 1; i < 200; ++i)
            QVERIFY(f.store()->addColumn(f.table(), u"Q%1"_s.arg(i), AnswersStore::ColumnKind::Text, {}));
        QVERIFY(f.session.backgroundFileName.isEmpty());
        QVERIFY(WriteAnswersTablePage(f.session));
        // The default background also becomes the new-form window's.
        QCOMPARE(f.session.backgroundFileName, u"background.gif"_s);
        QVERIFY(page(f).contains("<table border ALIGN=center width=40000><tr><td bgcolor=eeeee height=50 colspan=200>"));
    }

    void viewRewritesThePageEachTime()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Your name"_s);
        viewAnswersTable(f.session);
        QVERIFY(!page(f).contains("Ada"));
        f.answer({{u"Your name"_s, u"Ada"_s}});
        viewAnswersTable(f.session);
        QVERIFY(page(f).contains("\r\n>  Ada\r\n"));
    }
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestAnswersTablePage)
#include "tst_answerstablepage.moc"
