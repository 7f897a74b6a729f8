// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The service's rules, request by request, without a socket, and the pages it sends.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "database/Receipts.h"
#include "model/CollectionFile.h"
#include "model/FormChanges.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "server/AnswerPages.h"
#include "server/AnswerWriter.h"
#include "server/FormCatalog.h"
#include "server/FormFields.h"
#include "server/RequestHandler.h"
#include "server/RespondentPage.h"
#include "server/ResultsPage.h"
#include "server/ServiceClock.h"
#include "server/StoreExecutor.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace quenlow;
using namespace quenlow::test;
using namespace Qt::Literals::StringLiterals;

namespace {

using Fields = QList<QPair<QString, QString>>;

// What a browser posts for the "survey" form below with every question answered.
Fields surveyHeader(const QString& table = u"tbl_survey"_s)
{
    return { { u"tableName"_s, table }, { u"DBLocation"_s, u"C:\\Forms\\formAnswers.mdb"_s },
        { u"background"_s, u"Background.gif"_s }, { u"allowShowTableButtron"_s, u"False"_s } };
}

// Fields written "name=value|…", in the order a browser posts them.
Fields fieldsOf(const QString& written)
{
    Fields fields;
    for (const QString& field : written.split(u'|'))
        fields.append({ field.section(u'=', 0, 0), field.section(u'=', 1) });
    return fields;
}

// The "survey" page's post: its hidden fields, the page's token when given, then `written`.
Fields sentWith(const QString& token, const QString& written)
{
    Fields fields = surveyHeader();
    if (!token.isEmpty())
        fields.append({ submissionTokenField(), token });
    return fields + fieldsOf(written);
}

// Settings of a form whose results are shown.
FormSettings showingResults()
{
    FormSettings settings;
    settings.showResults = true;
    return settings;
}

// A participant as the designer adds them.
Participant invitee(
    const QString& code, const QString& name, QList<std::pair<QString, QString>> attributes = {})
{
    Participant p;
    p.code = code;
    p.name = name;
    p.attributes = std::move(attributes);
    return p;
}

HttpRequest request(const QByteArray& method, const QByteArray& path, const QByteArray& query = {})
{
    HttpRequest r;
    r.method = method;
    r.path = path;
    r.query = query;
    return r;
}

} // namespace

class TestRequestHandler : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readsUrlEncodedFieldsInOrder();
    void thankYouPagesFollowTheForm();
    void refusesWhatItCannotTake_data();
    void refusesWhatItCannotTake();

    void servesPagesAsUtf8AndImagesAsTheyAre();
    void servesNothingElse_data();
    void servesNothingElse();

    void storesWhatItsQuestionsAnnounce_data();
    void storesWhatItsQuestionsAnnounce();
    void answersTableAsWideAsATableCanBe();
    void neverUsesThePostedDatabaseLocation();
    void showsTheAnswersTableOnlyWhenTheHeaderAllows();
    void takesTenThousandFields();
    void followsAReplacedOrDamagedDatabaseFile();
    void answersOtherMethodsClearly();
    void aRepeatedTokenIsStoredOnceWithItsArrival();
    void aPageStaysWithItsFormAndItsRow();
    void aLimitIsTheStoresToKeep();
    void aFullQuotaRefusesWhatWouldPassIt();
    void followsARenameCutShort();
    void aRenamedFormKeepsItsAddresses();
    void resultsChartAnswersTypedAfterOther();
    void projectorShowsAScreenfulAndWhereToAnswer();

    void sentPageIsAdaptedAndTheFileIsNot();
    void tokensCheckOnlyForTheirForm();
    void servesTheRoom();
    void speaksTheFormsLanguage();
    void speaksTheBrowsersLanguageWhereNoFormIsNamed();
    void refusesAnswersItsQuestionsCannotTake();
    void holdsScalesBoxGroupsAndChainedConditions_data();
    void holdsScalesBoxGroupsAndChainedConditions();
    void holdsGridsAndRankingsWhole();
    void invitedPeopleAnswerWithTheirCode();
    void invitedAnswersKeepToTheQuotas();
    void anonymousAnswersKeepNoLinkToTheirCode();

private:
    HttpResponse get(const QByteArray& path, const QByteArray& query = {});
    HttpResponse post(const Fields& fields);
    HttpResponse postBody(
        const QByteArray& body, const QByteArray& contentType = "application/x-www-form-urlencoded");
    void makeSurvey(bool allowTable = false);
    std::shared_ptr<AnswersStore> inviteAnnAndBo(const FormSettings& settings);
    HttpResponse commentAs(const QString& code, const QString& comment, const QString& token = {});
    QList<QVariantMap> rows(const QString& table = u"tbl_survey"_s)
    {
        return tableRows(m_folder->database(), table);
    }

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<AnswerWriter> m_writer;
    std::unique_ptr<ServiceClock> m_clock;
    std::unique_ptr<StoreExecutor> m_executor;
    std::unique_ptr<RequestHandler> m_handler;
};

void TestRequestHandler::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    m_writer = std::make_unique<AnswerWriter>(m_folder->database());
    const Result<void> started = m_writer->start();
    QVERIFY2(started, qPrintable(started ? QString() : started.error().detail));
    // On a database server's store, the forms come from the store, as for
    // a collection server without a program folder.
    m_clock = std::make_unique<ServiceClock>();
    m_executor = std::make_unique<StoreExecutor>(m_folder->database());
    auto forms = TestProgramFolder::onServerStore()
        ? formsInStore(*m_executor, *m_clock)
        : Result<std::unique_ptr<FormSource>>(formsInFolder(m_folder->path()));
    QVERIFY2(forms, qPrintable(forms ? QString() : forms.error().detail));
    m_handler = std::make_unique<RequestHandler>(
        std::move(forms).value(), m_folder->database(), *m_writer, *m_executor, *m_clock);
}

void TestRequestHandler::cleanup()
{
    m_handler.reset();
    m_executor.reset();
    m_clock.reset();
    m_writer.reset();
    m_folder.reset();
}

HttpResponse TestRequestHandler::get(const QByteArray& path, const QByteArray& query)
{
    HttpResponse response = m_handler->handle(request("GET", path, query));
    if (response.stream) {
        response.stream([&response](const QByteArray& piece) {
            response.body += piece;
            return true;
        });
    }
    return response;
}

HttpResponse TestRequestHandler::postBody(const QByteArray& body, const QByteArray& contentType)
{
    HttpRequest post = request("POST", "/scripts/save.asp");
    post.contentType = contentType;
    post.body = body;
    return m_handler->handle(post);
}

HttpResponse TestRequestHandler::post(const Fields& fields)
{
    return postBody(urlEncoded(fields));
}

void TestRequestHandler::makeSurvey(bool allowTable)
{
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Staff Survey"_s)
                .showsAnswersTable(allowTable)
                .textField(u"What's your name?"_s)
                .textArea(u"Comments"_s)
                .checkBox(u"Tea"_s)
                .checkBox(u"Coffee"_s)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s })
                .radioButtons(u"Size"_s, { u"S"_s, u"L"_s })
                .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s })
                .submitButton()
                .write());
}

// The "survey" form with `settings`, answered by Ann (ACDE3479) and Bo (FGHJ3479) with their codes.
std::shared_ptr<AnswersStore> TestRequestHandler::inviteAnnAndBo(const FormSettings& settings)
{
    const bool written = FormBuilder(m_folder->path(), u"survey"_s)
                             .title(u"Staff Survey"_s)
                             .settings(settings)
                             .textArea(u"Comments"_s)
                             .write();
    auto store = openStore(m_folder->database());
    const bool invited = written
        && addParticipants(
            *store, u"tbl_survey"_s, { invitee(u"ACDE3479"_s, u"Ann"_s), invitee(u"FGHJ3479"_s, u"Bo"_s) });
    return invited ? store : nullptr;
}

HttpResponse TestRequestHandler::commentAs(const QString& code, const QString& comment, const QString& token)
{
    return post(sentWith(
        token, participantCodeField() + u"="_s + code + u"|Comments Type=Text Area|Comments="_s + comment));
}

void TestRequestHandler::readsUrlEncodedFieldsInOrder()
{
    const auto fields = parseUrlEncoded("b=2&a=1&b=3&&c+d=e+f%26g&empty=&bare");
    QVERIFY(fields);
    const FormFields expected { { u"b"_s, u"2"_s }, { u"a"_s, u"1"_s }, { u"b"_s, u"3"_s },
        { u"c d"_s, u"e f&g"_s }, { u"empty"_s, QString() }, { u"bare"_s, QString() } };
    QCOMPARE(*fields, expected);
    QCOMPARE(parseUrlEncoded("name=%C3%A9t%C3%A9")->first().value, u"été"_s);
    QCOMPARE(*parseUrlEncoded("a=b=c&%C3%A9t%C3%A9=\xC3\xA9t\xC3\xA9+x"),
        (FormFields { { u"a"_s, u"b=c"_s }, { u"été"_s, u"été x"_s } }));
    QVERIFY(parseUrlEncoded("")->isEmpty());
    QVERIFY(!parseUrlEncoded("a=%4"));
    QVERIFY(!parseUrlEncoded("a=\xC3"));
    // Texts seen before are handed out again: many names of one length,
    // sharing their first and last bytes, each still read as sent.
    for (int round = 0; round < 2; ++round) {
        for (int n = 0; n < 3000; ++n) {
            const QString name = u"Question %1 of the long form"_s.arg(n, 5, 10, QLatin1Char('0'));
            const QString value = QString::number(n * 7);
            const QByteArray body = QUrl::toPercentEncoding(name) + '=' + value.toLatin1();
            const auto one = parseUrlEncoded(body);
            QVERIFY(one && one->size() == 1);
            QCOMPARE(one->first(), (FormField { name, value }));
        }
    }
}

void TestRequestHandler::thankYouPagesFollowTheForm()
{
    // The parts every answer shares are kept between answers: an edited
    // form, another form or another answer is never thanked with old words.
    PublishedForm form;
    form.name = u"survey"_s;
    form.title = u"Canteen"_s;
    const QByteArray first = thankYouPage(form, false, u"KCEAE3WE"_s, u"tok1"_s);
    QVERIFY(first.contains("KCEAE3WE") && first.contains("change=tok1") && first.contains("Canteen"));
    QCOMPARE(thankYouPage(form, false, u"KCEAE3WE"_s, u"tok1"_s), first);
    const QByteArray second = thankYouPage(form, false, u"96MFWGWT"_s, QString());
    QVERIFY(second.contains("96MFWGWT") && !second.contains("KCEAE3WE") && !second.contains("change="));
    form.settings.thankYouText = u"Merci"_s;
    QVERIFY(thankYouPage(form, false, {}, {}).contains("Merci"));
    QVERIFY(!thankYouPage(form, true, {}, {}).contains("Merci"));
    form.title = u"Library"_s;
    form.settings.thankYouText.clear();
    QVERIFY(thankYouPage(form, false, {}, {}).contains("Library"));
    form.name = u"other"_s;
    form.settings.offerAnotherAnswer = true;
    QVERIFY(thankYouPage(form, false, {}, {}).contains("HREF='/other.html'"));
}

void TestRequestHandler::refusesWhatItCannotTake_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<int>("status");
    const QByteArray form = "application/x-www-form-urlencoded";
    const QByteArray valid = "tableName=tbl_survey&Comments+Type=Text+Area&Comments=";
    // One of each kind of refusal; the intake's own tests hold the cases.
    QTest::newRow("bad escape") << valid + "%zz" << form << 400;
    QTest::newRow("plain text body") << QByteArray("tableName=tbl_survey") << QByteArray("text/plain") << 415;
    QTest::newRow("hidden fields only") << QByteArray(
        "tableName=tbl_survey&DBLocation=x&background=Background.gif&allowShowTableButtron=False")
                                        << form << 400;
    // A NUL would cut the answer short wherever it is read back.
    QTest::newRow("NUL in a value") << valid + "a%00b" << form << 400;
    QTest::newRow("multipart without its boundary") << QByteArray(
        "--x\r\nContent-Disposition: form-data; name=\"tableName\"\r\n\r\ntbl_survey\r\n--x--\r\n")
                                                    << QByteArray("multipart/form-data; boundary=y") << 400;
    // An answer to a form that is not one, or not whole.
    const auto to = [](const QString& table) {
        return urlEncoded(Fields { { u"tableName"_s, table } } + fieldsOf(u"Q Type=Text Field|Q=x"_s));
    };
    QTest::newRow("no tableName") << urlEncoded(fieldsOf(u"Q Type=Text Field|Q=x"_s)) << form << 400;
    QTest::newRow("empty tableName") << to(QString()) << form << 400;
    QTest::newRow("no such form") << to(u"tbl_nosuch"_s) << form << 404;
    QTest::newRow("without the prefix") << to(u"survey"_s) << form << 404;
    QTest::newRow("another case") << to(u"tbl_SURVEY"_s) << form << 404;
    QTest::newRow("a path") << to(u"tbl_../Collections/survey"_s) << form << 404;
    QTest::newRow("injection-shaped") << to(u"tbl_survey\"; DROP TABLE \"tbl_survey"_s) << form << 404;
    QTest::newRow("the engine's own table") << to(u"sqlite_master"_s) << form << 404;
    QTest::newRow("collection file without table") << to(u"tbl_lost"_s) << form << 404;
    QTest::newRow("damaged collection file") << to(u"tbl_broken"_s) << form << 404;
}

void TestRequestHandler::refusesWhatItCannotTake()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, contentType);
    QFETCH(int, status);
    if (TestProgramFolder::onServerStore()
        && QByteArrayView(QTest::currentDataTag()) == "damaged collection file")
        QSKIP("the program folder's collection file");
    makeSurvey();
    QVERIFY(FormBuilder(m_folder->path(), u"lost"_s).textField(u"Q"_s).write());
    QVERIFY(FormBuilder(m_folder->path(), u"broken"_s).textField(u"Q"_s).write());
    QVERIFY(openStore(m_folder->database())->dropTable(u"tbl_lost"_s));
    writeBytes(m_folder->collection(u"broken"_s), "User Instruction\r\n");

    const HttpResponse r = postBody(body, contentType);
    QCOMPARE(r.status, status);
    QVERIFY(r.contentType.startsWith("text/html"));
    QVERIFY(r.body.contains("Nothing has been stored"));
    QVERIFY(openStore(m_folder->database())->tableExists(u"tbl_survey"_s).valueOr(false));
    QVERIFY(rows().isEmpty());
    QVERIFY(rows(u"tbl_broken"_s).isEmpty());
}

void TestRequestHandler::servesPagesAsUtf8AndImagesAsTheyAre()
{
    if (TestProgramFolder::onServerStore())
        QSKIP("the program folder's files; a database server's store serves what was published");
    // A page the designer wrote in Windows-1252, one in UTF-8 with a BOM.
    writeBytes(m_folder->html(u"cafe.html"_s), "<P>Caf\xe9 \x80 5\r\n");
    writeBytes(m_folder->html(u"greek.html"_s), "\xef\xbb\xbf<P>\xce\xb1\xce\xb2\r\n");
    const QByteArray gif = QByteArray::fromHex("474946383961010001000000ff002c");
    writeBytes(m_folder->html(u"Background.gif"_s), gif);

    HttpResponse r = get("/cafe.html");
    QCOMPARE(r.status, 200);
    QCOMPARE(r.contentType, QByteArray("text/html; charset=utf-8"));
    QCOMPARE(r.body, u"<P>Café € 5\r\n"_s.toUtf8());
    r = get("/greek.html");
    QCOMPARE(r.status, 200);
    QCOMPARE(r.body, u"<P>αβ\r\n"_s.toUtf8()); // the BOM is not part of the page

    r = get("/Background.gif");
    QCOMPARE(r.status, 200);
    QCOMPARE(r.contentType, QByteArray("image/gif"));
    QCOMPARE(r.body, gif);
}

void TestRequestHandler::servesNothingElse_data()
{
    QTest::addColumn<QByteArray>("path");
    // Paths as the server hands them over: decoded once.
    QTest::newRow("the database") << QByteArray("/formAnswers.mdb");
    QTest::newRow("up to the database") << QByteArray("/../formAnswers.mdb");
    QTest::newRow("twice encoded dots") << QByteArray("/%2e%2e/formAnswers.mdb");
    QTest::newRow("up and into Collections") << QByteArray("/../Collections/surveyCollection.txt");
    QTest::newRow("a collection file by name") << QByteArray("/surveyCollection.txt");
    QTest::newRow("backslash") << QByteArray("/..\\formAnswers.mdb");
    QTest::newRow("absolute path") << QByteArray("//etc/passwd");
    QTest::newRow("absolute path, no root slash") << QByteArray("/etc/passwd");
    QTest::newRow("a folder inside") << QByteArray("/pages.html");
    QTest::newRow("the scratch answers page") << QByteArray("/dbTableOfAnswers.html");
    QTest::newRow("the scratch page in other case") << QByteArray("/DBTableOfAnswers.HTML");
    QTest::newRow("a file of another kind") << QByteArray("/notes.txt");
    QTest::newRow("a hidden file") << QByteArray("/.secret.html");
    QTest::newRow("a link out of the folder") << QByteArray("/outside.html");
    QTest::newRow("a link to the database") << QByteArray("/db.gif");
    QTest::newRow("a link to the scratch page") << QByteArray("/innocent.html");
    QTest::newRow("a link to another kind") << QByteArray("/notes.html");
    QTest::newRow("NUL in the name") << QByteArray("/survey.html\0.gif", 17);
    QTest::newRow("not UTF-8") << QByteArray("/\xff.html");
    QTest::newRow("missing") << QByteArray("/nosuch.html");
}

void TestRequestHandler::servesNothingElse()
{
    if (TestProgramFolder::onServerStore())
        QSKIP("the program folder's files; a database server's store serves what was published");
    QFETCH(QByteArray, path);
    makeSurvey();
    const QString html = m_folder->path() + u"/HTML/"_s;
    writeBytes(html + u"dbTableOfAnswers.html"_s, "<td>secret answer</td>");
    writeBytes(html + u"notes.txt"_s, "secret notes");
    writeBytes(html + u".secret.html"_s, "secret");
    QVERIFY(QDir(html).mkdir(u"pages.html"_s));
    writeBytes(m_folder->path() + u"/outside.html"_s, "<P>secret outside");
    QVERIFY(QFile::link(m_folder->path() + u"/outside.html"_s, html + u"outside.html"_s));
    QVERIFY(QFile::link(m_folder->database(), html + u"db.gif"_s));
    QVERIFY(QFile::link(html + u"dbTableOfAnswers.html"_s, html + u"innocent.html"_s));
    QVERIFY(QFile::link(html + u"notes.txt"_s, html + u"notes.html"_s));

    const HttpResponse r = get(path);
    QCOMPARE(r.status, 404);
    QVERIFY(!r.body.contains("secret"));
    QVERIFY(!r.body.contains("SQLite format"));
    QVERIFY(!r.body.contains("User Instruction"));
    // A link that stays inside the folder, to a page, is fine.
    QVERIFY(QFile::link(html + u"survey.html"_s, html + u"latest.html"_s));
    QCOMPARE(get("/latest.html").status, 200);
}

void TestRequestHandler::storesWhatItsQuestionsAnnounce_data()
{
    // The fields after the page's hidden ones, as "name=value|…" in the order a
    // browser posts them, and what the row holds ("<null>": no value, "!": no
    // column); a refused post stores nothing and its page says why.
    QTest::addColumn<QString>("form"); // survey, or odd: questions renamed, or named like the page's fields
    QTest::addColumn<QString>("fields");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stored"); // or, when refused, texts of the page
    QTest::newRow("every kind") // an unticked box and an unchosen group are not posted
        << u"survey"_s
        << u"What's your name? Type=Text Field|What's your name?=Ann O'Neil|Comments Type=Text Area|"
           "Comments=line one\r\nline two ✓|Tea Type=Check Box|Tea=on|Coffee Type=Check Box|"
           "Colour Type=Radio Buttons|Colour=Green|Size Type=Radio Buttons|Team Type=Menu|Team=R&D"_s
        << 200
        << u"What's your name?=Ann O'Neil|Comments=line one\r\nline two ✓|Tea=Checked|Coffee=Not Checked|"
           "Colour=Green|Size=<null>|Team=R&D|Form Question=<null>"_s;
    QTest::newRow("an empty text is an answer beside another")
        << u"survey"_s << u"Comments Type=Text Area|Comments=|Tea Type=Check Box|Tea=on"_s << 200
        << u"Comments=|Tea=Checked|Coffee=<null>"_s;
    // A script, a kiosk or a proxy may send the fields in any order.
    QTest::newRow("answers away from their Type fields")
        << u"survey"_s
        << u"Tea=on|Colour=Red|What's your name? Type=Text Field|Team Type=Menu|Comments Type=Text Area|"
           "Tea Type=Check Box|Comments=late|Team=Sales|What's your name?=Ann"_s
        << 200
        << u"What's your name?=Ann|Comments=late|Tea=Checked|Colour=Red|Team=Sales|Coffee=<null>|Size=<null>"_s;
    QTest::newRow("by name alone, repeats and kinds ignored")
        << u"survey"_s
        << u"Comments=unannounced|" // a question's field without its Type field
           "Colour Type=Password|Colour=Red|" // a kind no page writes
           "Team Type=Menu|Team Type=Check Box|Team=Sales|Team=R&D|" // repeated: the first counts
           "tea Type=Check Box|tea=on|" // another ASCII case is the same question
           "Mood="_s // an empty field of no question loses nothing
        << 200 << u"Comments=unannounced|Colour=Red|Team=Sales|Tea=Checked|Form Question=<null>"_s;
    QTest::newRow("under the names the questions had before")
        << u"odd"_s << u"Remarks Type=Text Area|Remarks=old page|Color Type=Radio Buttons|Color=Red"_s << 200
        << u"Comments=old page|Colour=Red|!Remarks|!Color"_s;
    QTest::newRow("a question the form no longer has")
        << u"survey"_s << u"Comments Type=Text Area|Comments=kept|Shoe size Type=Text Field|Shoe size=44"_s
        << 409 << u"This form was changed while you were filling it in."_s;
    // The form as it is now comes back with the answers.
    QTest::newRow("an answer the form cannot place")
        << u"survey"_s << u"Comments Type=Text Area|Comments=kept & sound|Mood=fine"_s << 409
        << u"Please check your answers and send them again.|>kept &amp; sound</textarea>"_s;
    QTest::newRow("the column the program keeps is no question")
        << u"survey"_s << u"Form Question Type=Text Field|Form Question=sneaked in|Comments=x"_s << 409
        << u"This form was changed"_s;
    QTest::newRow("injection-shaped")
        << u"odd"_s
        << u"x\"); DROP TABLE tbl_survey; -- Type=Text Field|x\"); DROP TABLE tbl_survey; --="
           "'); DELETE FROM tbl_survey; -- <script>alert(1)</script>"_s
        << 200
        << u"x\"); DROP TABLE tbl_survey; --='); DELETE FROM tbl_survey; -- <script>alert(1)</script>"_s;
    // Each kind marker directly before its field, as in the page.
    QTest::newRow("named like the page's fields")
        << u"odd"_s
        << u"tableName Type=Text Field|tableName=my table|DBLocation Type=Text Field|DBLocation=Leeds|"
           "background Type=Radio Buttons|background=Farm|Size Type=Text Field|Size=XL|"
           "Size Type Type=Text Field|Size Type=Menu|Extra Type Type=Check Box|Extra Type=Text Field|Extra=none"_s
        << 200
        << u"tableName=my table|DBLocation=Leeds|background=Farm|Size=XL|Size Type=Menu|Extra Type=Not "
           u"Checked|"
           "Extra=none"_s;
    QTest::newRow("those unanswered get no hidden field's value")
        << u"odd"_s
        << u"tableName Type=Text Field|background Type=Radio Buttons|Size Type Type=Text Field|Size "
           u"Type=Text Field|"
           "Size=S"_s
        << 200 << u"tableName=<null>|background=<null>|Size=S|Size Type=<null>"_s;
}

void TestRequestHandler::storesWhatItsQuestionsAnnounce()
{
    QFETCH(QString, form);
    QFETCH(QString, fields);
    QFETCH(int, status);
    QFETCH(QString, stored);
    if (form == u"survey"_s)
        makeSurvey();
    else // renamed questions, and names saved before names like these were refused
        QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                    .textArea(u"Comments"_s)
                    .formerly(u"Notes"_s)
                    .formerly(u"Remarks"_s)
                    .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s })
                    .formerly(u"Color"_s)
                    .textField(u"x\"); DROP TABLE tbl_survey; --"_s)
                    .textField(u"tableName"_s)
                    .textField(u"DBLocation"_s)
                    .radioButtons(u"background"_s, { u"Farm"_s, u"Town"_s })
                    .textField(u"Size"_s)
                    .textField(u"Size Type"_s)
                    .checkBox(u"Extra Type"_s)
                    .textField(u"Extra"_s)
                    .write());
    const Fields posted = surveyHeader() + fieldsOf(fields);
    const HttpResponse r = post(posted);
    QCOMPARE(r.status, status);
    if (status != 200) {
        for (const QString& text : stored.split(u'|'))
            QVERIFY2(QString::fromUtf8(r.body).contains(text), r.body.constData());
        // Sent from the post's address, the form's images are still found.
        QCOMPARE(r.body.contains("<base href='/'>"), status == 409);
        QCOMPARE(rows().size(), 0);
        return;
    }
    QVERIFY(r.body.contains("Thank you"));
    QCOMPARE(post(posted).status, 200); // a second submission is a second row
    QCOMPARE(rows().size(), 2);
    for (const QString& expected : stored.split(u'|')) {
        const QVariant value = rows().at(1).value(expected.section(u'=', 0, 0));
        if (expected.startsWith(u'!'))
            QVERIFY2(!rows().at(1).contains(expected.mid(1)), qPrintable(expected));
        else if (expected.section(u'=', 1) == u"<null>"_s)
            QVERIFY2(value.isNull(), qPrintable(expected));
        else
            QVERIFY2(!value.isNull() && value.toString() == expected.section(u'=', 1), qPrintable(expected));
    }
}

// As many columns as a table can have: more than one select can name with
// the ids. A table gone while its page is written: the page says why it ends.
void TestRequestHandler::answersTableAsWideAsATableCanBe()
{
    if (TestProgramFolder::onServerStore())
        QSKIP("a database file");
    QVERIFY(FormBuilder(m_folder->path(), u"wide"_s).showsAnswersTable(true).textField(u"Q0"_s).write());
    const auto store = openStore(m_folder->database());
    QList<AnswersStore::Column> columns;
    for (int i = 0; i < store->columnLimit(); ++i)
        columns.append({ u"Q%1"_s.arg(i) });
    QVERIFY(store->restoreColumns(u"tbl_wide"_s, columns, {}, AnswersStore::Restore::Repair));
    const QString last = u"Q%1"_s.arg(store->columnLimit() - 1);
    QVERIFY(store->insertRows({ { u"tbl_wide"_s, { { last, u"the last answer"_s } }, {}, {}, {} } }));
    const QByteArray page = get("/scripts/showTable.asp", "tableName=tbl_wide").body;
    QVERIFY(page.contains("the last answer") && page.endsWith("</html>\r\n"));

    QByteArray cut;
    const HttpResponse gone
        = m_handler->handle(request("GET", "/scripts/showTable.asp", "tableName=tbl_wide"));
    QVERIFY(store->dropTable(u"tbl_wide"_s));
    QVERIFY(!gone.stream([&](const QByteArray& piece) {
        cut += piece;
        return true;
    }));
    QVERIFY(cut.contains("The answers could not all be read."));
}

void TestRequestHandler::neverUsesThePostedDatabaseLocation()
{
    makeSurvey();
    // Another database with a table of the same name, and a path where none is.
    const QString other = m_folder->path() + u"/Reports/other.mdb"_s;
    QVERIFY(createDatabase(other));
    QVERIFY(createFormTable(other, u"tbl_survey"_s));
    const QString nowhere = m_folder->path() + u"/Reports/new.mdb"_s;
    for (const QString& location : { other, nowhere, u"/dev/null"_s, u"../../../etc/x.mdb"_s }) {
        Fields fields = surveyHeader();
        fields[1].second = location;
        fields += { { u"Comments Type"_s, u"Text Area"_s }, { u"Comments"_s, location } };
        QCOMPARE(post(fields).status, 200);
    }
    QCOMPARE(rows().size(), 4);
    QCOMPARE(rows().at(0).value(u"Comments"_s).toString(), other);
    QCOMPARE(openStore(other)->rowCount(u"tbl_survey"_s).valueOr(-1), 0);
    QVERIFY(!QFile::exists(nowhere));
}

void TestRequestHandler::showsTheAnswersTableOnlyWhenTheHeaderAllows()
{
    makeSurvey(/*allowTable=*/false);
    QVERIFY(FormBuilder(m_folder->path(), u"open"_s)
                .showsAnswersTable(true)
                .background(6)
                .title(u"A <i>title</i>"_s)
                .textField(u"Name <b>"_s)
                .textArea(u"Notes"_s)
                .write());

    // The post claims the table may be shown; the stored header says no.
    Fields fields = surveyHeader();
    fields[3].second = u"True"_s;
    fields += fieldsOf(u"Comments Type=Text Area|Comments=x"_s);
    HttpResponse r = post(fields);
    QCOMPARE(r.status, 200);
    QVERIFY(!r.body.contains("showTable"));
    r = get("/scripts/showTable.asp", "tableName=tbl_survey");
    QCOMPARE(r.status, 403);
    QVERIFY(!r.body.contains("<table"));

    // A form that allows it: the answer page offers it and it is escaped; the
    // background is the stored one, never the posted one.
    fields = surveyHeader(u"tbl_open"_s);
    fields[2].second = u"x.gif'><script>alert(1)</script>"_s;
    fields[3].second = u"False"_s;
    fields += { { u"Name <b> Type"_s, u"Text Field"_s }, { u"Name <b>"_s, u"<script>alert('x')</script>"_s },
        { u"Notes Type"_s, u"Text Area"_s } };
    r = post(fields);
    QCOMPARE(r.status, 200);
    QVERIFY(r.body.contains("action='/scripts/showTable.asp'"));
    QVERIFY(r.body.contains("value='tbl_open'"));
    QVERIFY(r.body.contains("<BODY BGCOLOR='#000000' BACKGROUND='/Background3.jpg'>"));
    QVERIFY(!r.body.contains("script>"));
    QVERIFY(r.body.contains("A &lt;i&gt;title&lt;/i&gt;"));

    r = get("/scripts/showTable.asp", "tableName=tbl_open");
    QCOMPARE(r.status, 200);
    QCOMPARE(r.contentType, QByteArray("text/html; charset=utf-8"));
    // Escaped as the designer's answers page is (the same writer; report-viewing and tst_reporterwindow).
    QVERIFY(!r.body.contains("<script>"));
    QVERIFY(r.body.contains("BACKGROUND='/Background3.jpg'"));
    // Notes is a memo column, so its header cell is the wide one.
    QVERIFY(r.body.contains(" <td width=250 ALIGN=center bgcolor=CCCCCC>\r\n <b>\r\nNotes\r\n"));

    QCOMPARE(get("/scripts/showTable.asp", "tableName=tbl_nosuch").status, 404);
    QCOMPARE(get("/scripts/showTable.asp").status, 400);

    // Thousands of answers: the page is streamed, and the pages being built
    // (none now: the one above is let go) are bounded.
    r = HttpResponse();
    QList<AnswersStore::NewRow> answers(3000);
    for (AnswersStore::NewRow& answer : answers)
        answer = { u"tbl_open"_s, { { u"Notes"_s, QString(200, QLatin1Char('n')) } }, {}, {}, {} };
    QVERIFY(openStore(m_folder->database())->insertRows(answers));
    const HttpRequest showTable = request("GET", "/scripts/showTable.asp", "tableName=tbl_open");
    // The rest are told to come back.
    QList<HttpResponse> held;
    for (int i = 0; i < 4; ++i) {
        held.append(m_handler->handle(showTable));
        QCOMPARE(held.last().status, 200);
        QVERIFY(held.last().stream);
        QVERIFY(held.last().body.isEmpty());
    }
    const HttpResponse busy = m_handler->handle(showTable);
    QCOMPARE(busy.status, 503);
    QCOMPARE(busy.headers.value(0).first, QByteArray("Retry-After"));

    // Written in pieces, each far smaller than the page; a reader that goes
    // away stops it.
    qsizetype total = 0, largest = 0, pieces = 0;
    QVERIFY(held.first().stream([&](const QByteArray& piece) {
        total += piece.size();
        largest = std::max(largest, piece.size());
        ++pieces;
        return true;
    }));
    QVERIFY2(total > 600000, QByteArray::number(total).constData());
    QVERIFY(largest < 100000);
    QVERIFY(pieces > 10);
    int taken = 0;
    QVERIFY(!held.last().stream([&](const QByteArray&) { return ++taken < 2; }));
    QCOMPARE(taken, 2);

    held.clear();
    QCOMPARE(m_handler->handle(showTable).status, 200);
}

void TestRequestHandler::takesTenThousandFields()
{
    makeSurvey();
    Fields fields = surveyHeader();
    // Empty fields of no question: read, and nothing lost by leaving them out.
    for (int i = 0; i < 10000; ++i)
        fields.append({ u"q%1"_s.arg(i), QString() });
    fields += fieldsOf(u"Comments Type=Text Area|Comments=kept"_s);
    const QByteArray body = urlEncoded(fields);
    QVERIFY(body.size() < 1024 * 1024);
    QCOMPARE(postBody(body).status, 200);
    QCOMPARE(rows().size(), 1);
    QCOMPARE(rows().first().value(u"Comments"_s).toString(), u"kept"_s);
}

// SQLite-only: the store is a file deleted or damaged under the running service.
void TestRequestHandler::followsAReplacedOrDamagedDatabaseFile()
{
    if (TestProgramFolder::onServerStore())
        QSKIP("a database file");
    makeSurvey();
    const Fields fields = surveyHeader() + fieldsOf(u"Comments Type=Text Area|Comments=kept"_s);
    QCOMPARE(post(fields).status, 200);
    QCOMPARE(get("/healthz").status, 200);
    const auto removeDatabase = [this] {
        for (const char* suffix : { "", "-wal", "-shm" })
            QFile::remove(m_folder->database() + QLatin1StringView(suffix));
    };
    // Damaged: nothing could be stored, and the health check says so.
    removeDatabase();
    writeBytes(m_folder->database(), QByteArray("not a database\n").repeated(64));
    QCOMPARE(get("/healthz").status, 503);
    // Deleted: the person is told nothing has been kept, and no file is made.
    removeDatabase();
    QCOMPARE(get("/healthz").status, 503);
    const HttpResponse refused = post(fields);
    QCOMPARE(refused.status, 503);
    QVERIFY(refused.body.contains("nothing has been kept"));
    QVERIFY(!QFile::exists(m_folder->database()));

    // A new database in its place takes the next answers.
    QVERIFY(createDatabase(m_folder->database()));
    QVERIFY(createFormTable(m_folder->database(), u"tbl_survey"_s));
    QVERIFY(addQuestionColumn(m_folder->database(), u"tbl_survey"_s, u"Comments"_s, u"Text Area"_s));
    QCOMPARE(post(fields).status, 200);
    QCOMPARE(rows().size(), 1);
    QCOMPARE(rows().first().value(u"Comments"_s).toString(), u"kept"_s);
}

void TestRequestHandler::answersOtherMethodsClearly()
{
    makeSurvey();
    HttpResponse r = get("/scripts/save.asp");
    QCOMPARE(r.status, 405);
    QCOMPARE(r.headers.value(0).first, QByteArray("Allow"));
    QCOMPARE(r.headers.value(0).second, QByteArray("POST"));

    HttpRequest put = request("PUT", "/survey.html");
    put.body = "overwritten";
    QCOMPARE(m_handler->handle(put).status, 405);
    QVERIFY(get("/survey.html").body.contains("Staff Survey"));

    QCOMPARE(m_handler->handle(request("POST", "/survey.html")).status, 404);
    QCOMPARE(m_handler->handle(request("HEAD", "/survey.html")).status, 200);
}

// The writer stores a page's answers once: the same answers again change
// nothing, other answers of the same page replace them, the arrival kept
// and the change noted.
void TestRequestHandler::aRepeatedTokenIsStoredOnceWithItsArrival()
{
    makeSurvey();
    const auto write = [this](const QString& token, const QString& comment, const QString& table) {
        Submission s;
        s.table = table;
        s.answers = { { u"Form Question"_s, u"mine"_s }, { u"Comments"_s, comment } };
        s.token = token;
        return m_writer->write(s);
    };
    const auto store = openStore(m_folder->database());
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    const WriteResult first = write(u"page-1"_s, u"a"_s, u"tbl_survey"_s);
    QCOMPARE(first->outcome, StoredSubmission::Stored);
    const auto arrived = store->arrivalOf(u"tbl_survey"_s, first->rowId);
    QVERIFY(arrived && *arrived && **arrived >= before);
    QCOMPARE(write(u"page-1"_s, u"a"_s, u"tbl_survey"_s)->outcome, StoredSubmission::Repeated);
    QCOMPARE(store->changeOf(u"tbl_survey"_s, first->rowId).valueOr({}), std::nullopt);
    const WriteResult corrected = write(u"page-1"_s, u"b"_s, u"tbl_survey"_s);
    QCOMPARE(corrected->outcome, StoredSubmission::Replaced);
    QCOMPARE(corrected->rowId, first->rowId);
    QVERIFY(write({}, u"c"_s, u"tbl_nosuch"_s).failedWith(Error::NotFound));
    QCOMPARE(rows().size(), 1);
    QCOMPARE(rows().at(0).value(u"Comments"_s).toString(), u"b"_s);
    // The reserved column stays the program's.
    QVERIFY(rows().at(0).value(u"Form Question"_s).isNull());
    QCOMPARE(store->arrivalOf(u"tbl_survey"_s, first->rowId).valueOr({}), *arrived);
    const auto changed = store->changeOf(u"tbl_survey"_s, first->rowId);
    QVERIFY(changed && *changed && **changed >= **arrived);
}

// A page's answers go to its own row only: "Change your answers" opens the
// page again with its token, a corrected page of a changed form replaces
// them, and a page of a form renamed away, posted to a new form of the old
// name, touches neither.
void TestRequestHandler::aPageStaysWithItsFormAndItsRow()
{
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s).textArea(u"Comments"_s).textField(u"Mood"_s).write());
    const QString token = tokenIn(get("/survey.html").body);
    const auto comments = [&](const QString& text, const QString& more = {}) {
        return post(sentWith(token, u"Comments Type=Text Area|Comments="_s + text + more));
    };
    const QString mood = u"|Mood Type=Text Field|Mood=fine"_s;
    const QByteArray thanks = comments(u"first"_s, mood).body;
    QVERIFY(thanks.contains("have been received"));
    QVERIFY(thanks.contains(
        QByteArray("<A CLASS=change-answers HREF='/survey.html?change=" + token.toLatin1() + "'>")));
    QCOMPARE(tokenIn(get("/survey.html", QByteArray("change=" + token.toLatin1())).body), token);
    // One the service did not give for this form is not taken.
    const QString forged = (token.front() == u'a' ? u"b"_s : u"a"_s) + token.mid(1);
    QVERIFY(tokenIn(get("/survey.html", QByteArray("change=" + forged.toLatin1())).body) != forged);

    QVERIFY(openStore(m_folder->database())->dropColumn(u"tbl_survey"_s, u"Mood"_s));
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s).textArea(u"Comments"_s).writeFiles());
    if (TestProgramFolder::onServerStore())
        QTest::qWait(1500);
    const HttpResponse changed = comments(u"second"_s, mood);
    QCOMPARE(changed.status, 409);
    QCOMPARE(tokenIn(changed.body), token);
    const HttpResponse updated = comments(u"second"_s);
    QCOMPARE(updated.status, 200);
    QVERIFY(updated.body.contains("Your answers have been updated."));
    QVERIFY(comments(u"second"_s).body.contains("have been received")); // the same again: nothing to update
    QCOMPARE(rows().size(), 1);
    QCOMPARE(rows().first().value(u"Comments"_s).toString(), u"second"_s);

    // Renamed away as the designer renames a form, and a new form made under the name.
    QVERIFY(openStore(m_folder->database())->renameTable(u"tbl_survey"_s, u"tbl_renamed"_s));
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s).textArea(u"Comments"_s).write());
    QCOMPARE(post(sentWith({}, u"Comments Type=Text Area|Comments=someone else"_s)).status, 200);
    if (TestProgramFolder::onServerStore())
        QTest::qWait(1500);
    const HttpResponse old = comments(u"third"_s);
    QCOMPARE(old.status, 409);
    QVERIFY(!old.body.contains("updated"));
    QCOMPARE(rows().size(), 1);
    QCOMPARE(rows().first().value(u"Comments"_s).toString(), u"someone else"_s);
    QCOMPARE(rows(u"tbl_renamed"_s).first().value(u"Comments"_s).toString(), u"second"_s);
}

// However the service came to believe a form had room, the store decides:
// a full form takes nothing after a restart, before its answers are counted,
// and opens again when the designer deletes answers.
void TestRequestHandler::aLimitIsTheStoresToKeep()
{
    FormSettings limited;
    limited.answerLimit = 2;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s).settings(limited).textArea(u"Comments"_s).write());
    const auto store = openStore(m_folder->database());
    const AnswersStore::NewRow row { u"tbl_survey"_s, { { u"Comments"_s, u"before"_s } }, {}, {}, {} };
    QVERIFY(store->insertRows({ row, row }));
    const Fields answer = surveyHeader() + fieldsOf(u"Comments Type=Text Area|Comments=one too many"_s);
    const HttpResponse refused = post(answer);
    QCOMPARE(refused.status, 403);
    QVERIFY(refused.body.contains("This form is closed."));
    QCOMPARE(rows().size(), 2);
    QVERIFY(store->deleteRows(u"tbl_survey"_s, { store->readRows(u"tbl_survey"_s, {}, -1, 1)->first().id }));
    // Counted again within seconds; each refused post stores nothing.
    int status = 0;
    for (QDeadlineTimer until(10000); status != 200 && !until.hasExpired(); QTest::qWait(100))
        status = post(answer).status;
    QCOMPARE(status, 200);
    QCOMPARE(rows().size(), 2);
    QCOMPARE(post(answer).status, 403);
}

// A full quota refuses a post that falls into it with its page, in the
// form's language, and stores nothing; a page sent again with an answer
// that moves into it keeps its answer, one that keeps its own is thanked.
void TestRequestHandler::aFullQuotaRefusesWhatWouldPassIt()
{
    FormSettings settings;
    settings.language = FormLanguage::Spanish;
    settings.quotas = { { u"Region"_s, u"North"_s, 1 } };
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Encuesta"_s)
                .settings(settings)
                .radioButtons(u"Region"_s, { u"North"_s, u"South"_s })
                .submitButton()
                .write());
    const auto answer = [&](const QString& region, const QString& token) {
        return post(sentWith(token, u"Region Type=Radio Buttons|Region="_s + region));
    };
    const QString first = tokenIn(get("/survey.html").body), second = tokenIn(get("/survey.html").body);
    QCOMPARE(answer(u"North"_s, first).status, 200);
    const HttpResponse refused = answer(u"North"_s, second);
    QCOMPARE(refused.status, 403);
    QVERIFY(refused.body.contains(u"<h1>Encuesta</h1><p>Gracias \u2014 ya tenemos suficientes respuestas de "
                                  "personas como usted.</p>"_s.toUtf8()));
    QCOMPARE(rows().size(), 1);
    QCOMPARE(answer(u"South"_s, second).status, 200);
    QCOMPARE(answer(u"North"_s, second).status, 403);
    QCOMPARE(answer(u"North"_s, first).status, 200);
    QCOMPARE(rows().size(), 2);
    QCOMPARE(rows().at(1).value(u"Region"_s).toString(), u"South"_s);
}

// The designer stopped midway through renaming a form: the service serves
// the form the next opening will leave, once, and its answers (also from a
// page of the old name) go to the table that holds them now.
void TestRequestHandler::followsARenameCutShort()
{
    if (TestProgramFolder::onServerStore())
        QSKIP("a store's servers follow the published forms, which change once the rename is whole");
    for (const int step : { 1, 2 }) {
        cleanup();
        init();
        QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                    .title(u"Staff Survey"_s)
                    .textArea(u"Comments"_s)
                    .write());
        const QString oldToken = tokenIn(get("/survey.html").body);
        FormSession session(m_folder->path());
        QVERIFY(loadForm(session, m_folder->path(), u"survey.html"_s));
        QList<FormMethod> methods = session.collection().methods();
        methods.first().htmlCode.replace(u"tbl_survey"_s, u"tbl_poll"_s);
        stopFormChangeAfterStep(
            step); // 1: only noted, to be undone; 2: the new files written, to be finished
        QVERIFY(changeForm(session, { FormChange::Rename, u"survey"_s, u"poll"_s, false }, methods));
        stopFormChangeAfterStep(0);

        const QString live = step == 1 ? u"survey"_s : u"poll"_s;
        const QString gone = step == 1 ? u"poll"_s : u"survey"_s;
        const QByteArray livePath = "/" + live.toUtf8() + ".html", gonePath = "/" + gone.toUtf8() + ".html";
        const QByteArray index = get("/").body;
        QVERIFY(index.contains(livePath));
        QVERIFY(!index.contains(gonePath));
        QCOMPARE(get(gonePath).status, 404);
        const QByteArray page = get(livePath).body;
        for (const auto& [table, token] : { std::pair(AnswersStore::tableFor(live), tokenIn(page)),
                 std::pair(u"tbl_survey"_s, oldToken) }) {
            const HttpResponse r = post(surveyHeader(table) + Fields { { submissionTokenField(), token } }
                + fieldsOf(u"Comments Type=Text Area|Comments=from "_s + table));
            QCOMPARE(r.status, 200);
        }
        QCOMPARE(rows().size(), 2);
    }
}

// A form renamed while collecting keeps its addresses: the page and results
// of each name it had lead to its name now (308), and a page sent before the
// rename stores its answers in the renamed table, until a form bears the name.
void TestRequestHandler::aRenamedFormKeepsItsAddresses()
{
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .settings(showingResults())
                .textArea(u"Comments"_s)
                .write());
    const QString oldToken = tokenIn(get("/survey.html").body);
    FormSession session(m_folder->path());
    session.setAnswersStore(m_folder->database());
    const auto change = [&](FormChange::Kind kind, const QString& from, const QString& to) {
        QVERIFY(loadForm(session, m_folder->path(), from + u".html"_s));
        QList<FormMethod> methods = session.collection().methods();
        if (kind != FormChange::Delete)
            methods.first() = headerRenamed(methods.first(), from, to);
        QVERIFY(changeForm(session, { kind, from, to, kind == FormChange::Copy }, methods));
    };
    // The status and Location of a page; a store's servers learn of a change
    // within the second they ask the store again, the folder's at once.
    const int learning = TestProgramFolder::onServerStore() ? 10000 : 0;
    const auto redirect = [&](const QByteArray& path, const QByteArray& query = {}) {
        const HttpResponse r = get(path, query);
        const auto location = std::find_if(
            r.headers.cbegin(), r.headers.cend(), [](const auto& h) { return h.first == "Location"; });
        return std::pair(r.status, location == r.headers.cend() ? QByteArray() : location->second);
    };

    change(FormChange::Rename, u"survey"_s, u"staff poll"_s);
    QTRY_COMPARE_WITH_TIMEOUT(
        redirect("/survey.html"), std::pair(308, QByteArray("/staff%20poll.html")), learning);
    QTRY_COMPARE_WITH_TIMEOUT(redirect("/survey.html", "lang=de"),
        std::pair(308, QByteArray("/staff%20poll.html?lang=de")), learning);
    QTRY_COMPARE_WITH_TIMEOUT(redirect("/results/survey.html", "present"),
        std::pair(308, QByteArray("/results/staff%20poll.html?present")), learning);
    QCOMPARE(get("/staff poll.html").status, 200);
    QCOMPARE(
        post(sentWith(oldToken, u"Comments Type=Text Area|Comments=sent before the rename"_s)).status, 200);
    QCOMPARE(rows(u"tbl_staff poll"_s).size(), 1);
    QCOMPARE(rows(u"tbl_staff poll"_s).first().value(u"Comments"_s).toString(), u"sent before the rename"_s);

    // A chain leads every name to the last; a copy under a former name takes its addresses.
    change(FormChange::Rename, u"staff poll"_s, u"poll"_s);
    QTRY_COMPARE_WITH_TIMEOUT(
        redirect("/staff poll.html"), std::pair(308, QByteArray("/poll.html")), learning);
    // A store's servers learn of a former name's new holder when they read the publications again.
    QTRY_COMPARE(redirect("/survey.html"), std::pair(308, QByteArray("/poll.html")));
    change(FormChange::Copy, u"poll"_s, u"survey"_s);
    QTRY_COMPARE_WITH_TIMEOUT(get("/survey.html").status, 200, learning);
    QCOMPARE(post(surveyHeader() + fieldsOf(u"Comments Type=Text Area|Comments=to the copy"_s)).status, 200);
    QCOMPARE(rows(u"tbl_survey"_s).size(), 2);
    QCOMPARE(rows(u"tbl_poll"_s).size(), 1);
    // Deleted, the copy leaves its name to nobody.
    change(FormChange::Delete, u"survey"_s, {});
    QTRY_COMPARE_WITH_TIMEOUT(get("/survey.html").status, 404, 10000);
    // Renamed back to a former name.
    change(FormChange::Rename, u"poll"_s, u"staff poll"_s);
    QTRY_COMPARE_WITH_TIMEOUT(get("/staff poll.html").status, 200, learning);
    QTRY_COMPARE_WITH_TIMEOUT(
        redirect("/poll.html"), std::pair(308, QByteArray("/staff%20poll.html")), learning);
    QCOMPARE(rows(u"tbl_staff poll"_s).size(), 1);
}

// Answers typed after "Other:" are charted as the designer's charts show
// them: those given twice as written, the rare ones together, never alone.
void TestRequestHandler::resultsChartAnswersTypedAfterOther()
{
    FormSettings settings;
    settings.showResults = true;
    settings.language = FormLanguage::German;
    QuestionSettings other;
    other.otherAnswer = true;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .settings(settings)
                .radioButtons(u"Transport"_s, { u"Bus"_s, u"Bike"_s })
                .asks(other)
                .menu(u"Colour"_s, { u"Red"_s, u"Green"_s })
                .write());
    const auto answer = [&](const QString& fields) {
        return post(surveyHeader() + fieldsOf(u"Transport Type=Radio Buttons|"_s + fields)).status;
    };
    QCOMPARE(answer(u"Transport=Bus"_s), 200);
    QCOMPARE(answer(u"Transport=Other:|Transport Other=Ferry"_s), 200);
    QCOMPARE(answer(u"Transport=Other:|Transport Other=Ferry"_s), 200);
    QCOMPARE(answer(u"Transport=Other:|Transport Other=my neighbour's van"_s), 200);
    QCOMPARE(answer(u"Transport=Other:|Transport Other=Tram"_s), 200);
    const QByteArray shown = get("/results/survey.html").body;
    QVERIFY(shown.contains("<b>5</b> "));
    // Bus, Bike, then Ferry; the two answers given once together, in the form's language.
    QVERIFY2(shown.contains("<th scope=row>Bus</th><td>1 (20%)</td></tr><tr><th scope=row>Bike</th><td>0 (0%)"
                            "</td></tr><tr><th scope=row>Ferry</th><td>2 (40%)</td></tr><tr><th "
                            "scope=row>Sonstige</th><td>2 (40%)</td></tr>"),
        shown.constData());
    QVERIFY(!shown.contains("neighbour") && !shown.contains("Tram"));
    // Kept up to date as answers arrive; a menu without "Other:" charts its
    // options alone, not an answer it no longer offers.
    QCOMPARE(answer(u"Transport=Other:|Transport Other=Tram"_s), 200);
    const AnswersStore::NewRow renamed { u"tbl_survey"_s, { { u"Colour"_s, u"Teal"_s } }, {}, {}, {} };
    QVERIFY(openStore(m_folder->database())->insertRows({ renamed, renamed }));
    QTRY_VERIFY_WITH_TIMEOUT(get("/results/survey.html").body.contains("<b>8</b> "), 10000);
    const QByteArray later = get("/results/survey.html").body;
    QVERIFY2(
        later.contains("<th scope=row>Tram</th><td>2 (33%)</td></tr><tr><th scope=row>Sonstige</th><td>1"),
        later.constData());
    QVERIFY(!later.contains("Teal"));
}

void TestRequestHandler::sentPageIsAdaptedAndTheFileIsNot()
{
    const QString secret = u"/srv/private/answers/formAnswers.mdb"_s;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Staff Survey"_s)
                .databaseLocation(secret)
                .textField(u"Name"_s)
                .checkBox(u"Tea"_s)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s })
                .textArea(u"Comments"_s, u"Enter any comments here."_s)
                .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s })
                .submitButton()
                .write());
    QFile file(m_folder->html(u"survey.html"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    file.close();

    const QByteArray first = get("/survey.html").body;
    const QByteArray second = get("/survey.html").body;

    static const QRegularExpression tokenField(
        u"<input type=hidden name=submissionToken value='([0-9a-f]{64})'>"_s);
    const QString firstToken = tokenField.match(QString::fromUtf8(first)).captured(1);
    QVERIFY(!firstToken.isEmpty());
    QVERIFY(firstToken != tokenField.match(QString::fromUtf8(second)).captured(1));
    QVERIFY(first.contains(QByteArray(
        "action='/scripts/save.asp'>" + tokenField.match(QString::fromUtf8(first)).captured(0).toUtf8())));
    QVERIFY(first.startsWith("<!DOCTYPE html><html lang=\"en\"><head><meta name=\"viewport\" "
                             "content=\"width=device-width, initial-scale=1\"><style>"));
    QVERIFY(!first.contains("/srv/private"));
    QVERIFY(first.contains("<input type=hidden name=DBLocation value='survey'>"));
    QVERIFY(first.contains("<title>Staff Survey</title>")); // the stray "</h1>" is no text in the tab
    // Nothing else differs from the file (the labels, hints and empty first
    // choice are checked one by one in tst_PageAsSent), and the file is as it was.
    static const QRegularExpression versionField(
        u"<input type=hidden name=formVersion value='[0-9a-f]{16}'>"_s);
    QCOMPARE(QString::fromUtf8(first).count(versionField), 1);
    static const QRegularExpression added(
        u"<!DOCTYPE html>| lang=\"en\"|<meta.*?</style>|"
        "<input type=hidden name=(submissionToken|formVersion) value='[0-9a-f]+'>|"
        "</?label( for=answer-\\d)?>| id=answer-\\d|"
        " placeholder='Enter any comments here.'|"
        "<option value='' selected>Choose&#8230;</option>|"
        "<script src=\"/scripts/answers.js\" defer></script>|"
        // The landmark, the heading and the groups of options.
        "</?main>| role=heading aria-level=1|<fieldset class=choices><legend>|"
        "</legend>|</fieldset>"_s,
        QRegularExpression::DotMatchesEverythingOption);
    QString undone = QString::fromUtf8(first).remove(added);
    undone.replace(u"Survey</title>"_s, u"Survey</h1></title>"_s)
        .replace(u"value='survey'"_s, u"value='"_s + secret + u"'"_s)
        .replace(u"></textarea>"_s, u">Enter any comments here.</textarea>"_s);
    QCOMPARE(undone.toUtf8(), onDisk);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), onDisk);

    // The pages that follow it are in its style.
    const QByteArray style
        = "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">" + respondentHead().toByteArray();
    QVERIFY(thankYouPage(PublishedForm { u"survey"_s, u"Staff Survey"_s, {}, true, {}, {}, {} })
                .startsWith(style));
    QVERIFY(errorResponse(409, u"Changed"_s, u"Changed."_s).body.startsWith(style));
}

void TestRequestHandler::tokensCheckOnlyForTheirForm()
{
    const SubmissionTokens tokens;
    const QString token = tokens.issue(u"tbl_survey"_s);
    // Their form (64 hex digits, a new one for each page) is sentPageIsAdaptedAndTheFileIsNot's.
    QCOMPARE(tokens.verified(u"tbl_survey"_s, token), token);
    QCOMPARE(tokens.verified(u"tbl_other"_s, token), QString());
    // Another service's (or a restarted one's), altered, shortened, made up.
    QCOMPARE(SubmissionTokens().verified(u"tbl_survey"_s, token), QString());
    QString altered = token;
    altered[63] = altered[63] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(tokens.verified(u"tbl_survey"_s, altered), QString());
    QCOMPARE(tokens.verified(u"tbl_survey"_s, token.chopped(1)), QString());
    QCOMPARE(tokens.verified(u"tbl_survey"_s, QString(64, QChar(0xE9))), QString());
}

// The projector: at most a screenful of charts a page, turned by the page
// itself; the form's address and its code as the browser reached the
// service, never this computer's own or a Host header that is not a host.
void TestRequestHandler::projectorShowsAScreenfulAndWhereToAnswer()
{
    FormSettings settings;
    settings.showResults = true;
    FormBuilder form(m_folder->path(), u"room survey"_s);
    form.settings(settings);
    for (int i = 1; i <= 14; ++i)
        form.radioButtons(u"Q%1"_s.arg(i), { u"Yes"_s, u"No"_s });
    QVERIFY(form.write());
    const auto shown = [this](const QByteArray& query, const QByteArray& host) {
        HttpRequest asked = request("GET", "/results/room survey.html", query);
        asked.host = host;
        const HttpResponse response = m_handler->handle(asked);
        return response.status == 200 ? QString::fromUtf8(response.body) : QString();
    };
    QTRY_VERIFY(!shown("present", "192.168.1.5:8080").isEmpty());

    const QString first = shown("present", "192.168.1.5:8080");
    QCOMPARE(first.count(u"<section>"_s), kChartsOnProjector);
    QVERIFY(first.contains(u"<h2>Q12</h2>"_s) && !first.contains(u"<h2>Q13</h2>"_s));
    QVERIFY(first.contains(u"Page 1 of 2"_s));
    QVERIFY(first.contains(u"data-page=1 data-pages=2"_s));
    QVERIFY(first.contains(u"<p class=address>http://192.168.1.5:8080/room%20survey.html</p>"_s));
    QVERIFY(first.contains(u"aria-label='QR code for http://192.168.1.5:8080/room%20survey.html'"_s));
    // Without script the page turns by reloading the next one.
    QVERIFY(
        first.contains(u"<noscript><meta http-equiv=\"refresh\" content=\"10;url=?present&amp;page=2\">"_s));

    const QString second = shown("page=2&present", "192.168.1.5:8080");
    QCOMPARE(second.count(u"<section>"_s), 2);
    QVERIFY(second.contains(u"<h2>Q13</h2>"_s) && second.contains(u"<h2>Q14</h2>"_s));
    QVERIFY(second.contains(u"content=\"10;url=?present&amp;page=1\""_s));
    QCOMPARE(shown("present&page=9", "192.168.1.5:8080"), second);
    QCOMPARE(shown("present&page=-3", "192.168.1.5:8080"), first);

    for (const QByteArray host : { "127.0.0.1:8080", "localhost:8080", "[::1]:8080", "", "x\"><script>" }) {
        const QString page = shown("present", host);
        QVERIFY2(!page.isEmpty() && !page.contains(u"class=join"_s) && !page.contains(u"<script>"_s),
            host.constData());
    }
    // The page people answer on keeps its own look.
    QVERIFY(!shown({}, "192.168.1.5:8080").contains(u"class=join"_s));
    QCOMPARE(shown({}, "192.168.1.5:8080").count(u"<section>"_s), 14);
}

// A room collecting: the page keeps answers with its script, each answer
// gets a receipt, the results count what the store holds (rows another
// server stored, new answers while a resent page keeps replacing its own),
// and a closed form takes nothing.
void TestRequestHandler::servesTheRoom()
{
    FormSettings settings = showingResults();
    settings.thankYouText = u"Thanks, room & all!"_s;
    settings.offerAnotherAnswer = true;
    const auto survey = [&](const FormSettings& s) {
        return FormBuilder(m_folder->path(), u"survey"_s)
            .title(u"Staff Survey"_s)
            .settings(s)
            .textArea(u"Comments"_s)
            .checkBox(u"Tea"_s)
            .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s });
    };
    QVERIFY(survey(settings).write());
    // Listed before anyone asked for its page, also by a server without a program folder.
    QTRY_VERIFY(get("/").body.contains("<a href='/survey.html'>Staff Survey</a>"));
    QCOMPARE(get("/").status, 200);
    const QByteArray page = get("/survey.html").body;
    QVERIFY(page.contains("<script src=\"/scripts/answers.js\" defer></script>"));
    const HttpResponse script = get("/scripts/answers.js");
    QCOMPARE(script.status, 200);
    QVERIFY(script.contentType.startsWith("text/javascript") && script.body.contains("localStorage"));
    // The script of questions asked only when they apply: loaded, after the
    // answers' own, only by a page that has such a question.
    QVERIFY(!page.contains("conditions.js"));
    QVERIFY(get("/scripts/conditions.js").body.contains("data-ask-if-answer"));

    // A retry of the same answers stores once and shows the same receipt.
    const QString token = tokenIn(page);
    const Fields answers = sentWith(token,
        u"Comments Type=Text Area|Comments=a secret thought|Colour Type=Radio Buttons|Colour=Red|"
        "Tea Type=Check Box"_s);
    const HttpResponse thanks = post(answers);
    QCOMPARE(thanks.status, 200);
    QVERIFY(thanks.body.contains("Thanks, room &amp; all!"));
    QVERIFY(thanks.body.contains("Send another answer"));
    static const QRegularExpression receiptText(
        u"class=receipt[^>]*>([^<]*)<"_s, QRegularExpression::CaseInsensitiveOption);
    const QString receipt = receiptText.match(QString::fromUtf8(thanks.body)).captured(1);
    QCOMPARE(receiptText.match(QString::fromUtf8(post(answers).body)).captured(1), receipt);
    QCOMPARE(rows().size(), 1);
    const auto store = openStore(m_folder->database());
    const auto found
        = findRowByReceipt(*store, u"tbl_survey"_s, receipt.toLower().insert(4, QLatin1Char('-')));
    QVERIFY(found && *found);
    QCOMPARE(receiptFor(store->sharedKey().valueOr({}), **found,
                 *store->arrivalOf(u"tbl_survey"_s, **found).value()),
        receipt);
    QCOMPARE(findRowByReceipt(*store, u"tbl_survey"_s, u"AAAAAAAA"_s).valueOr(0), std::nullopt);

    // Counted as answers arrive; a typed answer is never shown.
    HttpResponse results = get("/results/survey.html");
    QCOMPARE(results.status, 200);
    QVERIFY(results.body.contains("<b>1</b> answer<"));
    QVERIFY(results.body.contains(">1 (100%)</text>"));
    QVERIFY(!results.body.contains("secret"));
    const Fields other = sentWith({}, u"Colour Type=Radio Buttons|Colour=Green|Tea Type=Check Box|Tea=on"_s);
    QCOMPARE(post(other).status, 200);
    results = get("/results/survey.html");
    QVERIFY(results.body.contains("<b>2</b> answers<"));
    QCOMPARE(results.body.count(">1 (50%)</text>"), 4); // Red, Green, Checked, Not Checked
    QVERIFY(!results.body.contains("class=present"));
    QVERIFY(get("/results/survey.html", "present").body.contains("<body class=present>"));
    const AnswersStore::NewRow elsewhere { u"tbl_survey"_s, { { u"Colour"_s, u"Green"_s } }, {}, {}, {} };
    QVERIFY(store->insertRows({ elsewhere, elsewhere }));
    QTRY_VERIFY_WITH_TIMEOUT(get("/results/survey.html").body.contains("<b>4</b> answers<"), 10000);
    for (int i = 0; i < 60; ++i) {
        const QString colour = i % 2 ? u"Red"_s : u"Green"_s;
        QCOMPARE(post(sentWith(token, u"Colour Type=Radio Buttons|Colour="_s + colour)).status, 200);
        QCOMPARE(post(other).status, 200);
        get("/results/survey.html");
        QTest::qWait(50);
    }
    QCOMPARE(rows().size(), 64);
    QTRY_VERIFY_WITH_TIMEOUT(get("/results/survey.html").body.contains("<b>64</b> answers<"), 10000);

    // Closed by the designer, by its time, or by its limit: its page says so, a post stores nothing.
    FormSettings closedBy[3] = { settings, settings, settings };
    closedBy[0].acceptingAnswers = false;
    closedBy[1].closingTime = QDateTime::currentDateTime().addSecs(-60);
    closedBy[2].answerLimit = 64;
    for (const FormSettings& closed : closedBy) {
        QVERIFY(survey(closed).writeFiles());
        QTRY_VERIFY(get("/survey.html").body.contains("<p>This form is closed.</p>"));
        const HttpResponse refused = post(other);
        QCOMPARE(refused.status, 403);
        QVERIFY(refused.body.contains("This form is closed."));
        QVERIFY(!get("/").body.contains("survey.html"));
    }
    QCOMPARE(rows().size(), 64);
    settings.showResults = false;
    QVERIFY(survey(settings).writeFiles());
    QTRY_COMPARE(get("/results/survey.html").status, 403);
    QCOMPARE(post(other).status, 200);
}

// Every text the service adds is in the form's language; the designer's own
// are left as written. A form of several pages is sent in sections with the
// paging script, also when sent again refused.
void TestRequestHandler::speaksTheFormsLanguage()
{
    FormSettings settings;
    settings.language = FormLanguage::German;
    settings.offerAnotherAnswer = true;
    const auto survey = [&](const FormSettings& s) {
        return FormBuilder(m_folder->path(), u"survey"_s)
            .title(u"Umfrage"_s)
            .settings(s)
            .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s })
            .asks(true)
            .pageBreak(u"Teil 2"_s)
            .textField(u"Alter"_s)
            .asks(false, AnswerKind::WholeNumber, u"5"_s, u"99"_s)
            .submitButton();
    };
    QVERIFY(survey(settings).write());
    const QByteArray page = get("/survey.html").body;
    // The required star's title too; the designer's file keeps its own.
    QVERIFY(page.contains("<span class='required' title='Eine Antwort ist erforderlich'>*</span>"));
    QVERIFY(readBytes(m_folder->html(u"survey.html"_s)).contains("title='An answer is required'"));
    // A typed box's rule, said under it in the form's language.
    QVERIFY(page.contains(">Eine ganze Zahl von 5 bis 99.</span>"));
    QCOMPARE(page.count("<section class=form-page>"), 2);
    QVERIFY(page.contains("<script src=\"/scripts/pages.js\" defer data-next='Weiter'"));
    QVERIFY(page.contains("data-refused-note='Bitte geben Sie eine ganze Zahl von 5 bis 99 an.'"));
    const HttpResponse paging = get("/scripts/pages.js");
    QCOMPARE(paging.status, 200);
    QVERIFY(paging.contentType.startsWith("text/javascript") && paging.body.contains("section.form-page"));
    // The page's language, its empty first choice and the script's texts are the form-language scenario's.
    const QByteArray script = get("/scripts/answers.js").body;
    for (const char* words :
        { "'data-send-now'", "'data-not-sent'", "'data-one-waiting'", "'data-many-waiting'" })
        QVERIFY2(script.contains(QByteArray("said(").append(words)), words);

    const QString team = u"Team Type=Pull Down Menu|Team=Sales"_s;
    const HttpResponse refused = post(sentWith(tokenIn(page), team + u"|Alter Type=Text Field|Alter=150"_s));
    QCOMPARE(refused.status, 422);
    QCOMPARE(refused.body.count("<section class=form-page>"), 2);
    QVERIFY(refused.body.contains("/scripts/pages.js"));
    const QByteArray thanks = post(sentWith(tokenIn(page), team)).body;
    QVERIFY(thanks.startsWith("<!DOCTYPE html><html lang=\"de\">"));
    QVERIFY(thanks.contains("<P role=heading aria-level=1>Vielen Dank</FONT>"));
    QVERIFY(thanks.contains(u"Ihre Antworten zum Formular \u201eUmfrage\u201c sind eingegangen."_s.toUtf8()));
    QVERIFY(thanks.contains("Weitere Antwort senden"));
    const HttpResponse nothing = post(sentWith({}, u"Team Type=Pull Down Menu|Team="_s));
    QCOMPARE(nothing.status, 400);
    QVERIFY(nothing.body.contains("<h1>Nichts beantwortet</h1>"));
    // The service's own refusals speak the form's language too, once the form is known.
    const HttpResponse none = post(sentWith({}, u"Ghost Type=Text Field"_s));
    QCOMPARE(none.status, 400);
    QVERIFY(none.body.contains("<main><h1>Keine Antworten</h1>"));
    QVERIFY(none.body.contains("Es wurde nichts gespeichert."));

    settings.acceptingAnswers = false;
    QVERIFY(survey(settings).writeFiles());
    QTRY_VERIFY(get("/survey.html").body.contains("<p>Dieses Formular ist geschlossen.</p>"));
}

void TestRequestHandler::speaksTheBrowsersLanguageWhereNoFormIsNamed()
{
    const auto asked = [&](const QByteArray& path, const QByteArray& languages) {
        HttpRequest r = request("GET", path);
        r.acceptLanguage = languages;
        return m_handler->handle(r);
    };
    HttpResponse index = asked("/", "fr-CH, de;q=0.9, es;q=0.8, en;q=0.7");
    QVERIFY(index.body.contains("<html lang=\"de\">"));
    QVERIFY(index.body.contains("<h1>Formulare</h1><p>Zurzeit nimmt kein Formular Antworten an.</p>"));
    index = asked("/", "en;q=0.5, es-MX");
    QVERIFY(index.body.contains(u"<h1>Formularios</h1><p>Ahora mismo ning\u00fan formulario"_s.toUtf8()));
    const HttpResponse missing = asked("/nothing.html", "es;q=0.2, de;q=0.4");
    QCOMPARE(missing.status, 404);
    QVERIFY(missing.body.contains("<h1>Nicht gefunden</h1>"));
    // None of ours asked, or none at all: English.
    QVERIFY(asked("/nothing.html", "fr, it;q=0.8").body.contains("<h1>Not found</h1>"));
    QVERIFY(get("/").body.contains("<h1>Forms</h1>"));

    FormSettings settings;
    settings.language = FormLanguage::Spanish;
    settings.showResults = true;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Encuesta"_s)
                .settings(settings)
                .radioButtons(u"Pets"_s, { u"Yes"_s, u"No"_s })
                .submitButton()
                .write());
    // The list of forms speaks the browser's language, a form named speaks its own.
    QTRY_VERIFY(asked("/", "de").body.contains(".html'>Ergebnisse</a>"));
    settings.showResults = false;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s).settings(settings).submitButton().writeFiles());
    QTRY_COMPARE(asked("/results/survey.html", "de").status, 403);
    QVERIFY(asked("/results/survey.html", "de").body.contains("<h1>Resultados no visibles</h1>"));
}

// A grid's statements and a ranking's options are questions of their own,
// each held whole: a required grid refuses a post missing a statement (its
// note beside it) or an answer it does not offer; a ranking giving one place
// twice is refused with one note (where it stands and the places put back
// are tst_PageAsSent's). Corrected, one row holds each answer, and the same
// page again replaces it; the results chart the grid by its answers and the
// ranking by mean place.
void TestRequestHandler::holdsGridsAndRankingsWhole()
{
    const QStringList statements { u"The pace was right"_s, u"The room was comfortable"_s,
        u"I would come again"_s };
    const QStringList drinks { u"Tea"_s, u"Coffee"_s, u"Cocoa"_s };
    QuestionSettings required;
    required.rules.required = true;
    QuestionSettings shuffled = required;
    shuffled.shuffleOptions = true;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Course Survey"_s)
                .settings(showingResults())
                .textField(u"Name"_s)
                .pageBreak(u"Your views"_s)
                .grid(u"How much do you agree?"_s, { statements, gridPresetAnswers(GridPreset::Agree) })
                .asks(required)
                .pageBreak(u"Tastes"_s)
                .ranking(u"Which do you like best?"_s, drinks)
                .asks(shuffled)
                .submitButton()
                .write());
    // Three pages, the grid on the second.
    const QByteArray page = get("/survey.html").body;
    QCOMPARE(page.count("<section class=form-page>"), 3);
    QVERIFY(page.contains("<fieldset class='qgrid-row'><legend>The room was comfortable</legend>"));
    QVERIFY(page.contains("<script src=\"/scripts/ranking.js\" defer"));
    QVERIFY(get("/scripts/ranking.js").body.contains("qrank-list"));
    const QString token = tokenIn(page);
    const auto posted = [&](const QStringList& answers, const QStringList& places) {
        Fields fields = sentWith(token, u"Name Type=Text Field|Name=Ann"_s);
        for (qsizetype i = 0; i < statements.size(); ++i) {
            fields.append({ statements.at(i) + u" Type"_s, u"Grid"_s });
            if (!answers.at(i).isEmpty())
                fields.append({ statements.at(i), answers.at(i) });
        }
        for (qsizetype i = 0; i < drinks.size(); ++i)
            fields += { { drinks.at(i) + u" Type"_s, u"Ranking"_s }, { drinks.at(i), places.at(i) } };
        return post(fields);
    };
    const QStringList agreed { u"Agree"_s, u"Disagree"_s, u"Strongly agree"_s };
    const QStringList ranked { u"3"_s, u"1"_s, u"2"_s };
    HttpResponse response = posted({ u"Agree"_s, {}, u"Strongly agree"_s }, ranked);
    QCOMPARE(response.status, 422);
    QCOMPARE(response.body.count("Please answer every row."), 1);
    const qsizetype note = response.body.indexOf("Please answer every row.");
    QVERIFY(note > response.body.indexOf("<legend>The room was comfortable</legend>"));
    QVERIFY(note < response.body.indexOf("<legend>I would come again</legend>"));
    QVERIFY(response.body.contains("value='Ann'"));
    QCOMPARE(response.body.count("<section class=form-page>"), 3);
    response = posted({ u"Agree"_s, u"Maybe"_s, u"Agree"_s }, ranked);
    QCOMPARE(response.status, 422);
    QCOMPARE(response.body.count("Please choose one of the answers offered."), 1);
    response = posted(agreed, { u"2"_s, u"1"_s, u"2"_s });
    QCOMPARE(response.status, 422);
    const QByteArray twice = "Please give each option a different place from 1 to 3.";
    QCOMPARE(response.body.count(twice), 1);
    QVERIFY(rows().isEmpty());

    QCOMPARE(posted(agreed, ranked).status, 200);
    QCOMPARE(posted(agreed, ranked).status, 200); // the same page again: replaces, stores once
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 1);
    const QStringList columns = statements + drinks + QStringList { u"Name"_s };
    const QStringList values = agreed + ranked + QStringList { u"Ann"_s };
    for (qsizetype i = 0; i < columns.size(); ++i)
        QCOMPARE(stored.at(0).value(columns.at(i)).toString(), values.at(i));

    // The grid as one chart of its statements by its answers, then each statement;
    // the ranking as one chart, the preferred (the smallest mean place) first.
    const QByteArray shown = get("/results/survey.html").body;
    const qsizetype grid = shown.indexOf("<h2>How much do you agree?</h2>");
    QVERIFY(grid >= 0);
    QVERIFY(shown.indexOf(
                "<th scope=row>The room was comfortable</th><td>0 (0%)</td><td>1 (100%)</td><td>0 (0%)</td>")
        > grid);
    QVERIFY(shown.indexOf("<h2>How much do you agree?: I would come again</h2>") > grid);
    const qsizetype chart = shown.indexOf("<h2>Which do you like best?</h2>");
    QVERIFY(chart >= 0);
    QVERIFY(shown.indexOf("<th scope=row>Coffee</th><td>1.0</td>") > chart);
    QVERIFY(
        shown.indexOf("<th scope=row>Cocoa</th><td>2.0</td>") > shown.indexOf("<th scope=row>Coffee</th>"));
    QVERIFY(shown.indexOf("<th scope=row>Tea</th><td>3.0</td>") > shown.indexOf("<th scope=row>Cocoa</th>"));
    QVERIFY(!shown.contains("<h2>Which do you like best?: Tea</h2>"));
}

namespace {

// Every table of the store as text, as its own engine's tool writes it out.
QByteArray storeDump(const QString& location)
{
    QProcess dump;
    if (location.startsWith(u"postgresql:"_s))
        dump.start(u"pg_dump"_s, { u"--data-only"_s, u"--inserts"_s, location });
    else
        dump.start(u"sqlite3"_s, { location, u".dump"_s });
    if (!dump.waitForFinished(30000) || dump.exitCode() != 0)
        return {};
    return dump.readAllStandardOutput();
}

// The participant with `code` as the dump holds them, blanks left out.
QByteArray dumpedParticipant(const QByteArray& dump, const QByteArray& code)
{
    for (const QByteArray& line : dump.split('\n')) {
        if (line.contains(QByteArray("'" + code + "'")) && line.startsWith("INSERT"))
            return QByteArray(line).replace(' ', QByteArray());
    }
    return {};
}

} // namespace

// Only the form's participants answer, each with their code however typed;
// the post decides, and a code answering again replaces its answers.
void TestRequestHandler::invitedPeopleAnswerWithTheirCode()
{
    FormSettings invited;
    invited.invitedOnly = true;
    const auto store = inviteAnnAndBo(invited);
    QVERIFY(store);
    QVERIFY(FormBuilder(m_folder->path(), u"other"_s).settings(invited).textArea(u"Comments"_s).write());
    QVERIFY(addParticipants(*store, u"tbl_other"_s, { invitee(u"KMNP3479"_s, u"Cy"_s) }));

    // Without a code, or with one nobody of this form has, the page asks for it.
    const HttpResponse asks = get("/survey.html");
    QCOMPARE(asks.status, 200);
    QVERIFY(asks.body.contains("<label for=code>Your code</label>"));
    QVERIFY(asks.body.contains("<form method=get action='/survey.html'>"));
    QVERIFY(!asks.body.contains("Comments"));
    const HttpResponse elsewhere = get("/survey.html", "code=KMNP3479");
    QCOMPARE(elsewhere.status, 403);
    QVERIFY(elsewhere.body.contains("This code is not known. Please check it."));
    const QByteArray page = get("/survey.html", "code=acde-34+79").body;
    QVERIFY(page.contains("<input type=hidden name=participantCode value='ACDE3479'>"));
    QVERIFY(!page.contains("anonymous"));
    const QString token = tokenIn(page);

    for (const QString& code : { u"KMNP3479"_s, u"XXXXXXXX"_s, QString() }) {
        const HttpResponse refused = commentAs(code, u"sneaky"_s, token);
        QCOMPARE(refused.status, 403);
        QVERIFY(refused.body.contains("This code is not known. Please check it."));
        QVERIFY(refused.body.contains("<label for=code>Your code</label>"));
    }
    QVERIFY(rows().isEmpty());
    QVERIFY(!participantsOf(*store, u"tbl_other"_s)->first().answered);

    const HttpResponse first = commentAs(u"acde 3479"_s, u"first"_s, token);
    QCOMPARE(first.status, 200);
    QVERIFY(first.body.contains("have been received"));
    QVERIFY(first.body.contains(QByteArray("/survey.html?code=ACDE3479&amp;change=" + token.toLatin1())));
    const auto people = participantsOf(*store, u"tbl_survey"_s);
    QVERIFY(people->at(0).answered && people->at(0).answeredAt);
    QVERIFY(!people->at(1).answered);

    // From a page opened anew: the code, not the page, tells it is the same person.
    const QString again = tokenIn(get("/survey.html", "code=ACDE3479").body);
    QVERIFY(again != token);
    const HttpResponse second = commentAs(u"ACDE3479"_s, u"second"_s, again);
    QCOMPARE(second.status, 200);
    QVERIFY(second.body.contains("Your answers have been updated."));
    QCOMPARE(commentAs(u"FGHJ3479"_s, u"third"_s, token).status, 200);
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.at(0).value(u"Comments"_s).toString(), u"second"_s);
    QCOMPARE(stored.at(1).value(u"Comments"_s).toString(), u"third"_s);
    QCOMPARE(participantsOf(*store, u"tbl_survey"_s)->at(0).answeredAt, people->at(0).answeredAt);
}

// Answers given with a participant's code count in the quotas as any other:
// a first answer into a full quota is refused and claims nothing, and a
// second answer may leave a quota for another but not come into a full one.
void TestRequestHandler::invitedAnswersKeepToTheQuotas()
{
    FormSettings settings;
    settings.invitedOnly = true;
    settings.quotas = { { u"Region"_s, u"North"_s, 1 } };
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .settings(settings)
                .radioButtons(u"Region"_s, { u"North"_s, u"South"_s })
                .submitButton()
                .write());
    const auto store = openStore(m_folder->database());
    QVERIFY(addParticipants(
        *store, u"tbl_survey"_s, { invitee(u"ACDE3479"_s, u"Ann"_s), invitee(u"FGHJ3479"_s, u"Bo"_s) }));
    const auto answer = [&](const QString& code, const QString& region) {
        return post(surveyHeader() + Fields { { participantCodeField(), code } }
            + fieldsOf(u"Region Type=Radio Buttons|Region="_s + region))
            .status;
    };
    QCOMPARE(answer(u"ACDE3479"_s, u"North"_s), 200);
    QCOMPARE(answer(u"FGHJ3479"_s, u"North"_s), 403);
    QVERIFY(!participantsOf(*store, u"tbl_survey"_s)->at(1).answered);
    QCOMPARE(answer(u"FGHJ3479"_s, u"South"_s), 200);
    QCOMPARE(answer(u"ACDE3479"_s, u"South"_s), 200); // leaves the quota
    QCOMPARE(answer(u"FGHJ3479"_s, u"North"_s), 200); // comes into it again
    QCOMPARE(answer(u"ACDE3479"_s, u"North"_s), 403);
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.at(0).value(u"Region"_s).toString(), u"South"_s);
    QCOMPARE(stored.at(1).value(u"Region"_s).toString(), u"North"_s);
}

// Anonymous answers: the store keeps that a code answered and nothing that
// tells which answers are its own; the code answers once.
void TestRequestHandler::anonymousAnswersKeepNoLinkToTheirCode()
{
    FormSettings anonymous;
    anonymous.invitedOnly = true;
    anonymous.anonymousAnswers = true;
    const auto store = inviteAnnAndBo(anonymous);
    QVERIFY(store);
    const QByteArray page = get("/survey.html", "code=ACDE3479").body;
    QVERIFY(page.contains("Your answers are anonymous: nobody can tell which answers are yours."));
    const QString token = tokenIn(page);
    const HttpResponse thanks = commentAs(u"ACDE3479"_s, u"frank"_s, token);
    QCOMPARE(thanks.status, 200);
    QVERIFY(!thanks.body.contains("change-answers"));
    const HttpResponse used = commentAs(u"ACDE3479"_s, u"frank"_s, token);
    QCOMPARE(used.status, 403);
    const QByteArray received = "This code has already been used. The answers sent with it were received.";
    QVERIFY(used.body.contains(received));
    // Asked again with it, the form is not shown to be filled in for nothing.
    const HttpResponse again = get("/survey.html", "code=acde-3479");
    QCOMPARE(again.status, 403);
    QVERIFY(again.body.contains(received) && !again.body.contains("name='Comments'"));
    QCOMPARE(commentAs(u"FGHJ3479"_s, u"blunt"_s).status, 200);
    QCOMPARE(rows().size(), 2);
    const auto people = participantsOf(*store, u"tbl_survey"_s);
    QVERIFY(people->at(0).answered && !people->at(0).answeredAt);

    // Every table: the code once (its participant, answered without a moment
    // or a row), the page's token nowhere.
    const QByteArray dump = storeDump(m_folder->database());
    QVERIFY(!dump.isEmpty());
    QCOMPARE(dump.count("ACDE3479"), 1);
    QVERIFY(dumpedParticipant(dump, "ACDE3479").endsWith("'answered',NULL);"));
    QVERIFY(!dump.contains(token.toLatin1()));
}

QTEST_GUILESS_MAIN(TestRequestHandler)
#include "tst_RequestHandler.moc"

// Bad answers store nothing; the page comes back with what was typed, each
// problem beside its question, and the same token. Option buttons and menus
// take only their options: another answer is a problem (422) on a page of the
// form as it is, and on a page of before an option was renamed, the form
// changed (409), the other answers kept.
void TestRequestHandler::refusesAnswersItsQuestionsCannotTake()
{
    const auto form = [&](const QString& oldest, const QString& research) {
        return FormBuilder(m_folder->path(), u"survey"_s)
            .title(u"Staff Survey"_s)
            .textField(u"Age"_s)
            .asks(true, AnswerKind::WholeNumber, u"0"_s, oldest)
            .textField(u"Height"_s)
            .asks(false, AnswerKind::Number)
            .textField(u"Birthday"_s)
            .asks(false, AnswerKind::Date)
            .radioButtons(u"Pets"_s, { u"Yes"_s, u"No"_s })
            .asks(true)
            .textField(u"Which pet?"_s)
            .asks(true, AnswerKind::AnyText, {}, {}, { u"Pets"_s, u"Yes"_s })
            .checkBox(u"I agree"_s)
            .asks(true)
            .menu(u"Team"_s, { u"Sales"_s, research })
            .submitButton();
    };
    QVERIFY(form(u"120"_s, u"R&D"_s).write());
    const QByteArray page = get("/survey.html").body;
    // Asked only after "Yes": required while the page's script shows it, and
    // never by a browser that shows every question. The file keeps its four.
    QCOMPARE(page.count(" required>"), 3);
    QVERIFY(page.contains("type='text' value ='' data-required></div>"));
    QFile file(m_folder->html(u"survey.html"_s));
    QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().count(" required>") == 4);
    const QString token = tokenIn(page);
    static const QRegularExpression versionText(u"name=formVersion value='([0-9a-f]+)'"_s);
    const QString version = versionText.match(QString::fromUtf8(page)).captured(1);
    QCOMPARE(version.size(), 16);
    const auto answers = [&](const QString& age, const QString& pets, bool agreed,
                             const QString& team = u"Sales"_s) {
        return sentWith(token,
            u"%1=%2|Age Type=Text Field|Age=%3|Height Type=Text Field|Height=1,75|Birthday Type=Text Field|"
            "Birthday=24.12.1990|Pets Type=Radio Buttons|Pets=%4|Which pet? Type=Text Field|"
            "Which pet?=A dog|Team Type=Pull Down Menu|Team=%5|I agree Type=Check Box%6"_s.arg(
                formVersionField(), version, age, pets, team, agreed ? u"|I agree=on"_s : QString()));
    };

    HttpResponse refused = post(answers(u"abc"_s, u"Yes"_s, false));
    QCOMPARE(refused.status, 422);
    QVERIFY(refused.body.contains("Please give a whole number from 0 to 120."));
    QVERIFY(refused.body.contains("Please tick this box."));
    QVERIFY(refused.body.contains("value='abc'") || refused.body.contains("value=\"abc\""));
    QVERIFY(refused.body.contains(token.toUtf8()));
    QCOMPARE(post(answers(u"121"_s, u"No"_s, true)).status, 422);
    // A question that applies must be answered; one that does not is never stored.
    Fields noPet = answers(u"42"_s, u"Yes"_s, true);
    noPet[noPet.indexOf({ u"Which pet?"_s, u"A dog"_s })].second = u" "_s;
    QVERIFY(post(noPet).body.contains("Please answer this question."));
    for (const Fields& offTheList :
        { answers(u"42"_s, u"Maybe"_s, true), answers(u"42"_s, u"Yes"_s, true, u"Marketing"_s) }) {
        refused = post(offTheList);
        QCOMPARE(refused.status, 422);
        QVERIFY(refused.body.contains("Please choose one of the answers offered."));
    }
    QVERIFY(rows().isEmpty());

    // Corrected, with the page's token: stored once, in the one spelling.
    QCOMPARE(post(answers(u" 42 "_s, u"No"_s, true)).status, 200);
    QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.at(0).value(u"Age"_s).toString(), u"42"_s);
    QCOMPARE(stored.at(0).value(u"Height"_s).toString(), u"1.75"_s);
    QCOMPARE(stored.at(0).value(u"Birthday"_s).toString(), u"1990-12-24"_s);
    QVERIFY(stored.at(0).value(columnNameFor(u"Which pet?"_s)).isNull());
    QCOMPARE(stored.at(0).value(columnNameFor(u"I agree"_s)).toString(), u"Checked"_s);

    // The designer lowers the limit and renames an option: posts are held to
    // the form as soon as the page is new.
    QVERIFY(form(u"100"_s, u"Research"_s).writeFiles());
    QTRY_VERIFY(get("/survey.html").body.contains("max='100'"));
    QVERIFY(
        post(answers(u"110"_s, u"No"_s, true)).body.contains("Please give a whole number from 0 to 100."));
    const HttpResponse changed = post(answers(u"43"_s, u"No"_s, true, u"R&D"_s));
    QCOMPARE(changed.status, 409);
    QVERIFY(changed.body.contains("24.12.1990"));
    QVERIFY(!changed.body.contains("selected>R&amp;D"));
    QCOMPARE(rows().size(), 1);
    QCOMPARE(rows().first().value(u"Age"_s).toString(), u"42"_s);
    QCOMPARE(post(answers(u"43"_s, u"No"_s, true, u"Research"_s)).status, 200);
    stored = rows();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.at(0).value(u"Team"_s).toString(), u"Research"_s);
}

void TestRequestHandler::holdsScalesBoxGroupsAndChainedConditions_data()
{
    // Posted: the scale, the topics ticked, lunch, its rating, why, the extras ticked.
    QTest::addColumn<QStringList>("posted");
    QTest::addColumn<QString>("note"); // what the refusal says; empty: stored
    QTest::addColumn<QStringList>("nulls"); // stored with no answer (an unticked box is "Not Checked")
    const auto row
        = [](const char* name, const QString& posted, const QString& note, const QString& nulls = {}) {
              QTest::newRow(name) << posted.split(u'|') << note << nulls.split(u'|', Qt::SkipEmptyParts);
          };
    row("all answered", u"4|B|Yes|2|cold|X"_s, {});
    row("forged scale value", u"99|B|No|||"_s, u"Please choose one of the numbers from 1 to 5."_s);
    row("scale left out", u"|B|No|||"_s, u"Please choose an answer."_s);
    row("no box of the group", u"4||No|||"_s, u"Please tick at least one box."_s);
    row("not asked, posted anyway", u"4|AC|No|99|x|XY"_s, {}, u"Lunch rating|Why so low?|Extra X|Extra Y"_s);
    row("chain broken at its second link", u"4|A|Yes|7|x|Y"_s, {}, u"Why so low?"_s);
    row("chained question unanswered", u"4|A|Yes|2| |X"_s, u"Please answer this question."_s);
    row("asked group unanswered", u"4|A|Yes|5||"_s, u"Please tick at least one box."_s);
    row("asked scale out of range", u"4|A|Yes|11||X"_s, u"Please choose one of the numbers from 0 to 10."_s);
}

void TestRequestHandler::holdsScalesBoxGroupsAndChainedConditions()
{
    QFETCH(QStringList, posted);
    QFETCH(QString, note);
    QFETCH(QStringList, nulls);
    const auto asks = [](bool required, const AskCondition& condition = {}, const QString& group = {}) {
        QuestionSettings s;
        s.rules.required = required;
        s.condition = condition;
        s.questionText = group;
        return s;
    };
    const QString topics = u"Which topics did you enjoy?"_s, extras = u"Which extras?"_s;
    const AskCondition lunched { u"Had lunch"_s, u"Yes"_s };
    FormSettings settings;
    settings.showResults = true;
    FormBuilder form(m_folder->path(), u"survey"_s);
    form.title(u"Day Survey"_s)
        .settings(settings)
        .scale(u"Rating"_s, { 1, 5, u"Poor"_s, u"Great"_s })
        .asks(asks(true));
    for (const QString& box : { u"Topic A"_s, u"Topic B"_s, u"Topic C"_s })
        form.checkBox(box).asks(asks(true, {}, topics));
    form.radioButtons(u"Had lunch"_s, { u"Yes"_s, u"No"_s }).scale(u"Lunch rating"_s, { 0, 10, {}, {} });
    form.asks(asks(true, lunched))
        .textField(u"Why so low?"_s)
        .asks(asks(true, { u"Lunch rating"_s, u"2"_s }));
    for (const QString& box : { u"Extra X"_s, u"Extra Y"_s })
        form.checkBox(box).asks(asks(true, lunched, extras));
    QVERIFY(form.submitButton().write());
    const QByteArray page = get("/survey.html").body;
    const QString token = tokenIn(page);
    Fields fields = surveyHeader() + Fields { { submissionTokenField(), token } };
    const auto add = [&](const QString& question, const QString& kind, const QString& value) {
        fields.append({ columnNameFor(question) + u" Type"_s, kind });
        if (!value.isEmpty())
            fields.append({ columnNameFor(question), value });
    };
    const auto boxes = [&](const QString& letters, const QString& prefix, const QString& all) {
        for (const QChar letter : all)
            add(prefix + letter, u"Check Box"_s, letters.contains(letter) ? u"on"_s : QString());
    };
    add(u"Rating"_s, u"Scale"_s, posted.at(0));
    boxes(posted.at(1), u"Topic "_s, u"ABC"_s);
    add(u"Had lunch"_s, u"Radio Buttons"_s, posted.at(2));
    add(u"Lunch rating"_s, u"Scale"_s, posted.at(3));
    add(u"Why so low?"_s, u"Text Field"_s, posted.at(4));
    boxes(posted.at(5), u"Extra "_s, u"XY"_s);

    const HttpResponse response = post(fields);
    if (!note.isEmpty()) {
        // Refused: nothing stored, one note, the page again with the same token (what
        // was chosen is put back as tst_PageAsSent checks).
        QCOMPARE(response.status, 422);
        QCOMPARE(response.body.count(note.toUtf8()), 1);
        QVERIFY(response.body.contains(token.toUtf8()));
        QVERIFY(rows().isEmpty());
        return;
    }
    QCOMPARE(response.status, 200);
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 1);
    for (const QString& question : { u"Rating"_s, u"Topic A"_s, u"Topic B"_s, u"Topic C"_s, u"Had lunch"_s,
             u"Lunch rating"_s, u"Why so low?"_s, u"Extra X"_s, u"Extra Y"_s }) {
        const QVariant value = stored.at(0).value(columnNameFor(question));
        QVERIFY2(
            value.isNull() == nulls.contains(question), qPrintable(question + u": "_s + value.toString()));
    }
    QCOMPARE(stored.at(0).value(u"Rating"_s).toString(), posted.at(0));

    // The results: a scale's bars in the order of its numbers; a group of
    // boxes as one chart of how many ticked each box, and no chart per box.
    const QString results = QString::fromUtf8(get("/results/survey.html").body);
    const auto chartOf = [&](const QString& heading) {
        const qsizetype from = results.indexOf(u"<h2>"_s + heading + u"</h2>"_s);
        return from < 0 ? QString() : results.mid(from, results.indexOf(u"</section>"_s, from) - from);
    };
    QVERIFY(chartOf(u"Rating"_s)
                .contains(QRegularExpression(u">1</text>.*>2</text>.*>3</text>.*>4</text>.*>5</text>"_s)));
    const QString chart = chartOf(u"Which topics did you enjoy?"_s);
    QCOMPARE(chart.count(u"<rect"_s), 6);
    for (const QString& box : { u"Topic A"_s, u"Topic B"_s, u"Topic C"_s })
        QVERIFY(chart.contains(u">"_s + box + u"</text>"_s));
    QCOMPARE(chart.count(u">0 (0%)</text>"_s), posted.at(1).size() == 1 ? 2 : 1);
    QVERIFY(!results.contains(u"<h2>Topic A</h2>"_s));
}
