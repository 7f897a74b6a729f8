// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "newform/FormHeader.h"

#include <QTest>

using namespace quenlow;

class TestFormHeader : public QObject
{
    Q_OBJECT

private:
    static HeaderSettings staffSurvey()
    {
        HeaderSettings s;
        s.formName = QStringLiteral("survey");
        s.title = QStringLiteral("Staff Survey");
        s.letterSize = QStringLiteral("7");
        s.justification = QStringLiteral("Centre");
        s.background = QStringLiteral("Background.gif");
        s.databaseLocation = QStringLiteral("/opt/Forms/formAnswers.mdb");
        s.userViewTable = true;
        return s;
    }

private slots:
    // The whole header is compared byte for byte in the pages the scenarios save.
    void justificationOtherThanCentreIsNotCentred_data()
    {
        QTest::addColumn<QString>("justification");
        QTest::newRow("lower case") << QStringLiteral("centre");
        QTest::newRow("American") << QStringLiteral("Center");
        QTest::newRow("empty") << QString();
    }
    void justificationOtherThanCentreIsNotCentred()
    {
        QFETCH(QString, justification);
        HeaderSettings s = staffSurvey();
        s.justification = justification;
        const QString html = headerFragment(s);
        QVERIFY(html.contains(
            QLatin1StringView("</title><BODY BGCOLOR='#000000' BACKGROUND='Background.gif'><I><B><FONT SIZE='7'><P>"
                              "Staff Survey</FONT></B></I><FORM name=")));
    }

    void attributeValuesAreEscapedVisibleTextIsNot()
    {
        HeaderSettings s = staffSurvey();
        s.formName = QStringLiteral("O'Brien");
        s.title = QStringLiteral("Bob's <b>Survey</b> & more");
        s.databaseLocation = QStringLiteral("/home/o'neil/formAnswers.mdb");
        s.background = QStringLiteral("it's.gif");
        s.letterSize = QStringLiteral("7'");
        const QString html = headerFragment(s);
        QVERIFY(html.startsWith(QLatin1StringView("<html><head><title>Bob's <b>Survey</b> & more</h1></title>")));
        QVERIFY(html.contains(QLatin1StringView("<P>Bob's <b>Survey</b> & more</FONT>")));
        QVERIFY(html.contains(QLatin1StringView(
            "<FORM name='Bob&#39;s &lt;b&gt;Survey&lt;/b&gt; &amp; more' method=post")));
        QVERIFY(html.contains(QLatin1StringView("name=tableName value='tbl_O&#39;Brien'>")));
        QVERIFY(html.contains(QLatin1StringView("name=DBLocation value='/home/o&#39;neil/formAnswers.mdb'>")));
        QVERIFY(html.contains(QLatin1StringView("BACKGROUND='it&#39;s.gif'>")));
        QVERIFY(html.contains(QLatin1StringView("name=background value='it&#39;s.gif'>")));
        QVERIFY(html.contains(QLatin1StringView("<FONT SIZE='7&#39;'>")));
    }

    void lineBreaksNeverReachTheFragmentOrTheRecord()
    {
        HeaderSettings s = staffSurvey();
        s.title = QStringLiteral("Staff\r\nSurvey");
        s.databaseLocation = QStringLiteral("/opt/\nForms/formAnswers.mdb");
        s.letterSize = QStringLiteral("7\n");
        const FormMethod header = headerRecord(s, 1, 0);
        QVERIFY(!header.htmlCode.contains(QLatin1Char('\n')));
        QVERIFY(!header.htmlCode.contains(QLatin1Char('\r')));
        QCOMPARE(header.userInstruction, QStringLiteral("Staff Survey"));
        QCOMPARE(header.attribute4, QStringLiteral("7 "));
        QCOMPARE(header.item(3), QStringLiteral("/opt/ Forms/formAnswers.mdb"));
    }

    void formNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("plain") << QStringLiteral("survey") << true;
        QTest::newRow("inner blank") << QStringLiteral("Staff Survey") << true;
        QTest::newRow("apostrophe") << QStringLiteral("O'Brien") << true;
        QTest::newRow("accents") << QStringLiteral("enquête") << true;
        QTest::newRow("slash") << QStringLiteral("a/b") << false;
        QTest::newRow("parent folder") << QStringLiteral("../evil") << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
        QTest::newRow("leading blank") << QStringLiteral(" survey") << false;
        QTest::newRow("trailing blank") << QStringLiteral("survey ") << false;
        QTest::newRow("only blanks") << QStringLiteral("   ") << false;
        QTest::newRow("tab") << QStringLiteral("a\tb") << false;
        QTest::newRow("line break") << QStringLiteral("a\nb") << false;
        QTest::newRow("dot") << QStringLiteral("my.survey") << false;
        QTest::newRow("help page") << QStringLiteral("welcome") << false;
        QTest::newRow("answers page") << QStringLiteral("dbTableOfAnswers") << false;
        QTest::newRow("fits a file name") << QString(241, QLatin1Char('x')) << true;
        QTest::newRow("too long") << QString(242, QLatin1Char('x')) << false;
    }
    void formNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, acceptable);
        QCOMPARE(formNameProblem(name).isEmpty(), acceptable);
    }
};

QTEST_GUILESS_MAIN(TestFormHeader)
#include "tst_formheader.moc"
