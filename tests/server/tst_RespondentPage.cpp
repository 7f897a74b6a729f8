// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// What the people who answer a form are sent: the page adapted for phones,
// with its token and without the server's paths, the file left alone.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include "server/AnswerWriter.h"
#include "server/RequestHandler.h"
#include "server/RespondentPage.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

class TestRespondentPage : public QObject
{
    Q_OBJECT

private slots:
    void sentPageIsAdaptedAndTheFileIsNot();
    void wrapsOptionsWithTheirText_data();
    void wrapsOptionsWithTheirText();
    void tokensCheckOnlyForTheirForm();
};

void TestRespondentPage::sentPageIsAdaptedAndTheFileIsNot()
{
    TestProgramFolder folder;
    const QString secret = QStringLiteral("/srv/private/answers/formAnswers.mdb");
    QVERIFY(FormBuilder(folder.path(), QStringLiteral("survey"))
                .title(QStringLiteral("Staff Survey"))
                .databaseLocation(secret)
                .textField(QStringLiteral("Name"))
                .checkBox(QStringLiteral("Tea"))
                .radioButtons(QStringLiteral("Colour"), {QStringLiteral("Red"), QStringLiteral("Green")})
                .submitButton()
                .write());
    QFile file(folder.html(QStringLiteral("survey.html")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    file.close();

    AnswerWriter writer(folder.database());
    QVERIFY(writer.start(nullptr));
    RequestHandler handler(folder.path(), writer);
    HttpRequest request;
    request.method = "GET";
    request.path = "/survey.html";
    const QByteArray first = handler.handle(request).body;
    const QByteArray second = handler.handle(request).body;

    static const QRegularExpression tokenField(QStringLiteral("<input type=hidden name=submissionToken value='([0-9a-f]{64})'>"));
    const QString firstToken = tokenField.match(QString::fromUtf8(first)).captured(1);
    QVERIFY(!firstToken.isEmpty());
    QVERIFY(firstToken != tokenField.match(QString::fromUtf8(second)).captured(1));
    QVERIFY(first.contains(QByteArray("action='/scripts/save.asp'>" + tokenField.match(QString::fromUtf8(first)).captured(0).toUtf8())));
    QVERIFY(first.startsWith("<html><head><meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><style>"));
    QVERIFY(!first.contains("/srv/private"));
    QVERIFY(first.contains("<input type=hidden name=DBLocation value='survey'>"));
    QVERIFY(first.contains("<label><input name='Tea' type='checkbox'>Tea</label>"));
    QVERIFY(first.contains("<label><input name='Colour' type='radio' value='Green'>Green</label>"));

    // Nothing else differs from the file, and the file is as it was.
    QByteArray undone = first;
    undone.replace(first.mid(first.indexOf("<meta"), first.indexOf("</style>") + 8 - first.indexOf("<meta")), "");
    undone.replace(tokenField.match(QString::fromUtf8(first)).captured(0).toUtf8(), "");
    undone.replace("<label>", "").replace("</label>", "");
    undone.replace("value='survey'", QByteArray("value='" + secret.toUtf8() + "'"));
    QCOMPARE(undone, onDisk);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), onDisk);
    writer.stop();
}

void TestRespondentPage::wrapsOptionsWithTheirText_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("inline markup is part of the text")
        << QByteArray("<INPUT TYPE=checkbox name=a><b>Very</b> good\r\n<P>next")
        << QByteArray("<label><INPUT TYPE=checkbox name=a><b>Very</b> good</label>\r\n<P>next");
    QTest::newRow("a quoted > inside the tag")
        << QByteArray("<input type='radio' name=r value='a>b'>A > B<BR>")
        << QByteArray("<label><input type='radio' name=r value='a>b'>A > B</label><BR>");
    QTest::newRow("already in a label, or without text: left alone")
        << QByteArray("<label><input type=checkbox name=a> A</label><input type=checkbox name=b><P>")
        << QByteArray("<label><input type=checkbox name=a> A</label><input type=checkbox name=b><P>");
    QTest::newRow("a name beyond ASCII in place of the location")
        << QByteArray("<input type=hidden name=DBLocation value='C:\\x.mdb'>")
        << QByteArray("<input type=hidden name=DBLocation value='Caf&#233; &#128512;'>");
    QTest::newRow("text fields untouched, comments skipped")
        << QByteArray("<!-- <input type=checkbox name=c>x --><input type='text' name='t'>Text")
        << QByteArray("<!-- <input type=checkbox name=c>x --><input type='text' name='t'>Text");
    QTest::newRow("a page with no form comes back as it was") << QByteArray("no form") << QByteArray("no form");
}

void TestRespondentPage::wrapsOptionsWithTheirText()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expected);
    const QByteArray head = "<html><head><title>t</title>";
    const QByteArray formTag = "<FORM method=post action='/scripts/save.asp'>";
    const QString name = QStringLiteral("Café 😀");
    if (body == "no form") {
        const QByteArray page = head + "<input type=checkbox name=a>A";
        QCOMPARE(pageForRespondents(page, name, QStringLiteral("t")), page);
        return;
    }
    const QByteArray sent = pageForRespondents(head + formTag + body, name, QStringLiteral("t"));
    QCOMPARE(sent.mid(sent.indexOf(formTag)), QByteArray(formTag + "<input type=hidden name=submissionToken value='t'>" + expected));
}

void TestRespondentPage::tokensCheckOnlyForTheirForm()
{
    const SubmissionTokens tokens;
    const QString token = tokens.issue(QStringLiteral("tbl_survey"));
    QCOMPARE(token.size(), 64);
    QVERIFY(token != tokens.issue(QStringLiteral("tbl_survey")));
    QCOMPARE(tokens.verified(QStringLiteral("tbl_survey"), token), token);
    QCOMPARE(tokens.verified(QStringLiteral("tbl_other"), token), QString());
    // Another service's (or a restarted one's), altered, shortened, made up.
    QCOMPARE(SubmissionTokens().verified(QStringLiteral("tbl_survey"), token), QString());
    QString altered = token;
    altered[63] = altered[63] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(tokens.verified(QStringLiteral("tbl_survey"), altered), QString());
    QCOMPARE(tokens.verified(QStringLiteral("tbl_survey"), token.chopped(1)), QString());
    QCOMPARE(tokens.verified(QStringLiteral("tbl_survey"), QString(64, QChar(0xE9))), QString());
}

QTEST_GUILESS_MAIN(TestRespondentPage)
#include "tst_RespondentPage.moc"
