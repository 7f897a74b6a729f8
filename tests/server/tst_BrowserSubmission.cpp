// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// End to end in a real browser: headless Chromium opens a form from the
// service, answers every kind of question and submits it.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include "model/FormSettings.h"
#include "model/ScaleQuestion.h"
#include "server/CollectionService.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kChromium = QStringLiteral("/usr/bin/chromium");

// The pages' text is black on the designer's background; the screenshots show it.
void copyBackground(const TestProgramFolder& folder)
{
    // From the sources: a build of the tests alone lays out no program folder.
    QVERIFY(QFile::copy(QStringLiteral(QUENLOW_SOURCE_DIR "/resources/html/Background.gif"),
        folder.html(QStringLiteral("Background.gif"))));
}

// True when the service started; why not is printed when it did not.
bool started(const Result<void>& result)
{
    if (!result)
        qWarning("the service did not start: %s", qPrintable(result.error().detail));
    return result.ok();
}

QJsonObject action(const QString& name, const char* kind, const QJsonValue& value)
{
    return QJsonObject { { QStringLiteral("name"), name }, { QString::fromLatin1(kind), value } };
}

} // namespace

class TestBrowserSubmission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void phoneAnswersEveryKindOnce();
    void desktopShowsThePageAsDesignedOverHttps();
    void aRenameWhileAnsweringAndACorrectionLoseNothing();
    void aPhoneKeepsItsAnswersWhileTheServiceIsDown();
    void aPhoneFollowsTheRulesOfEachQuestion();

private:
    // Runs submit.mjs; the printed JSON, or an empty object after a failed
    // check. With the option "pause", `whilePaused` runs before the submit.
    QJsonObject runBrowser(const QString& url, const QJsonArray& actions, const QJsonObject& options,
        const std::function<void()>& whilePaused = {});

    QString m_node;
    QString m_workDir;
};

void TestBrowserSubmission::initTestCase()
{
    // Optional tools: without them the test says why and skips, never fails.
    m_node = QStandardPaths::findExecutable(QStringLiteral("node"));
    const QString npm = QStandardPaths::findExecutable(QStringLiteral("npm"));
    if (m_node.isEmpty() || npm.isEmpty())
        QSKIP("node and npm are needed to drive the browser (Debian packages nodejs, npm)");
    if (!QFile::exists(kChromium))
        QSKIP("Chromium is needed at /usr/bin/chromium (Debian package chromium)");

    m_workDir = QStringLiteral(QUENLOW_BROWSER_WORKDIR);
    QDir().mkpath(m_workDir);
    for (const QString& file : { QStringLiteral("package.json"), QStringLiteral("submit.mjs"),
             QStringLiteral("room.mjs"), QStringLiteral("rules.mjs") }) {
        const QString target = m_workDir + QLatin1Char('/') + file;
        QFile::remove(target);
        QVERIFY(QFile::copy(QStringLiteral(QUENLOW_BROWSER_SCRIPTS "/") + file, target));
    }
    if (!QFile::exists(m_workDir + QStringLiteral("/node_modules/playwright-core/package.json"))) {
        QProcess install;
        install.setWorkingDirectory(m_workDir);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(npm,
            { QStringLiteral("install"), QStringLiteral("--no-audit"), QStringLiteral("--no-fund"),
                QStringLiteral("--loglevel=error") });
        if (!install.waitForFinished(240000) || install.exitCode() != 0) {
            install.kill();
            qWarning("%s", install.readAll().constData());
            QSKIP("npm could not install playwright-core (no access to the npm registry?)");
        }
    }
}

QJsonObject TestBrowserSubmission::runBrowser(const QString& url, const QJsonArray& actions,
    const QJsonObject& options, const std::function<void()>& whilePaused)
{
    QProcess node;
    node.setWorkingDirectory(m_workDir);
    node.start(m_node,
        { m_workDir + QStringLiteral("/submit.mjs"), url,
            QString::fromUtf8(QJsonDocument(actions).toJson(QJsonDocument::Compact)),
            QString::fromUtf8(QJsonDocument(options).toJson(QJsonDocument::Compact)) });
    QByteArray out;
    if (whilePaused) {
        [&] {
            for (int i = 0; i < 1200 && !out.contains("{\"ready\":true}\n"); ++i) {
                node.waitForReadyRead(100);
                out += node.readAllStandardOutput();
                QVERIFY2(node.state() == QProcess::Running, node.readAllStandardError().constData());
            }
            QVERIFY(out.contains("{\"ready\":true}\n"));
        }();
        whilePaused();
        node.write("go\n");
    }
    [&] {
        QVERIFY(node.waitForFinished(120000));
        QVERIFY2(node.exitCode() == 0, node.readAllStandardError().constData());
    }();
    out += node.readAllStandardOutput();
    return QJsonDocument::fromJson(out.trimmed().split('\n').last()).object();
}

void TestBrowserSubmission::phoneAnswersEveryKindOnce()
{
    TestProgramFolder folder;
    const QString secret = QStringLiteral("/srv/quenlow-private/formAnswers.mdb");
    QVERIFY(
        FormBuilder(folder.path(), QStringLiteral("survey"))
            .title(QStringLiteral("Staff Survey: Supercalifragilisticexpialidocious")) // wider than a phone
            .databaseLocation(secret)
            .textField(QStringLiteral("What's your name?"))
            .textArea(QStringLiteral("Comments & \"remarks\""))
            .plainText(QStringLiteral("Please tick the approprtiate check boxes :"))
            .checkBox(QStringLiteral("Tea"))
            .checkBox(QStringLiteral("Coffee"), /*ticked=*/true)
            .checkBox(QStringLiteral("Juice"))
            .radioButtons(QStringLiteral("Colour"),
                { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") },
                QStringLiteral("Red"))
            .radioButtons(QStringLiteral("Size"), { QStringLiteral("S"), QStringLiteral("L") })
            .menu(QStringLiteral("Team"),
                { QStringLiteral("Sales"), QStringLiteral("R&D"), QStringLiteral("Support") })
            .submitButton()
            .write());
    copyBackground(folder);

    CollectionService service;
    service.setLogSink([](const QByteArray&) {});
    QVERIFY(started(service.start(folder.path(), QStringLiteral("127.0.0.1"), 0)));

    // Boxes and options by tapping their text, as on a phone.
    const QJsonArray actions { action(QStringLiteral("What's your name?"), "fill",
                                   QStringLiteral("Zoë O'Brien")),
        action(QStringLiteral("Comments & \"remarks\""), "fill",
            QStringLiteral("Line one\nLine two: 5 < 6 & \"fine\" ✓")),
        QJsonObject { { QStringLiteral("tap"), QStringLiteral("Tea") } },
        QJsonObject { { QStringLiteral("tap"), QStringLiteral("Coffee") } },
        QJsonObject { { QStringLiteral("tap"), QStringLiteral("Blue") } },
        action(QStringLiteral("Team"), "select", QStringLiteral("R&D")) };
    const QJsonObject answer = runBrowser(service.pageAddress(QStringLiteral("survey.html")), actions,
        QJsonObject { { QStringLiteral("width"), 390 }, { QStringLiteral("height"), 844 },
            { QStringLiteral("phone"), true }, { QStringLiteral("again"), true },
            { QStringLiteral("screenshot"), QString(m_workDir + QStringLiteral("/phone.png")) } });
    QVERIFY(!answer.isEmpty());

    const QJsonObject layout = answer.value(QStringLiteral("layout")).toObject();
    QCOMPARE(layout.value(QStringLiteral("innerWidth")).toInt(), 390);
    QVERIFY(layout.value(QStringLiteral("scrollWidth")).toInt() <= 390);
    QVERIFY(layout.value(QStringLiteral("smallestFont")).toDouble() >= 16);
    QVERIFY(layout.value(QStringLiteral("smallestBox")).toDouble() >= 24);
    QVERIFY(!answer.value(QStringLiteral("html")).toString().contains(QStringLiteral("quenlow-private")));

    QCOMPARE(answer.value(QStringLiteral("status")).toInt(), 200);
    QVERIFY(answer.value(QStringLiteral("url")).toString().endsWith(QStringLiteral("/scripts/save.asp")));
    QVERIFY(answer.value(QStringLiteral("text")).toString().contains(QStringLiteral("Thank you")));
    // Back and submit again: the same page's token, thanked again, stored once.
    // (Over HTTP: Chromium keeps no page whose certificate it does not trust,
    // so going Back over the tests' HTTPS fetches a new page and token.)
    const QJsonObject again = answer.value(QStringLiteral("again")).toObject();
    QCOMPARE(again.value(QStringLiteral("status")).toInt(), 200);
    QVERIFY(again.value(QStringLiteral("text")).toString().contains(QStringLiteral("Thank you")));
    const QJsonArray tokens = answer.value(QStringLiteral("tokens")).toArray();
    QCOMPARE(tokens.size(), 2);
    QCOMPARE(tokens.at(0).toString().size(), 64);
    QCOMPARE(tokens.at(1), tokens.at(0));

    const QList<QVariantMap> rows = tableRows(folder.database(), QStringLiteral("tbl_survey"));
    // Back and submit again sent the same token: the answers are stored once.
    QCOMPARE(rows.size(), 1);
    const QVariantMap& row = rows.first();
    QCOMPARE(row.value(QStringLiteral("What's your name?")).toString(), QStringLiteral("Zoë O'Brien"));
    // Browsers send a text area's line breaks as CR LF.
    QCOMPARE(row.value(QStringLiteral("Comments & \"remarks\"")).toString(),
        QStringLiteral("Line one\r\nLine two: 5 < 6 & \"fine\" ✓"));
    QCOMPARE(row.value(QStringLiteral("Tea")).toString(), QStringLiteral("Checked"));
    QCOMPARE(row.value(QStringLiteral("Coffee")).toString(), QStringLiteral("Not Checked"));
    QCOMPARE(row.value(QStringLiteral("Juice")).toString(), QStringLiteral("Not Checked"));
    QCOMPARE(row.value(QStringLiteral("Colour")).toString(), QStringLiteral("Blue"));
    QVERIFY(row.value(QStringLiteral("Size")).isNull());
    QCOMPARE(row.value(QStringLiteral("Team")).toString(), QStringLiteral("R&D"));

    service.stop();
}

void TestBrowserSubmission::desktopShowsThePageAsDesignedOverHttps()
{
    TestProgramFolder folder;
    QVERIFY(FormBuilder(folder.path(), QStringLiteral("survey"))
                .title(QStringLiteral("Staff Survey"))
                .textField(QStringLiteral("What's your name?"))
                .textArea(QStringLiteral("Comments"))
                .checkBox(QStringLiteral("Tea"))
                .radioButtons(QStringLiteral("Colour"), { QStringLiteral("Red"), QStringLiteral("Blue") })
                .menu(QStringLiteral("Team"), { QStringLiteral("Sales"), QStringLiteral("R&D") })
                .submitButton()
                .write());
    copyBackground(folder);
    QTemporaryDir keys;
    QString cert, key;
    QVERIFY(makeTestCertificate(keys.path(), &cert, &key));

    CollectionService service;
    service.setLogSink([](const QByteArray&) {});
    service.setTls(cert, key);
    QVERIFY(started(service.start(folder.path(), QStringLiteral("127.0.0.1"), 0)));
    QVERIFY(service.address().startsWith(QStringLiteral("https://")));
    const QJsonObject shown = runBrowser(service.pageAddress(QStringLiteral("survey.html")),
        QJsonArray { QJsonObject { { QStringLiteral("tap"), QStringLiteral("Tea") } } },
        QJsonObject {
            { QStringLiteral("screenshot"), QString(m_workDir + QStringLiteral("/desktop.png")) } });
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.value(QStringLiteral("status")).toInt(), 200);
    QVERIFY(shown.value(QStringLiteral("url")).toString().startsWith(QStringLiteral("https://127.0.0.1:")));
    QCOMPARE(tableRows(folder.database(), QStringLiteral("tbl_survey"))
                 .value(0)
                 .value(QStringLiteral("Tea"))
                 .toString(),
        QStringLiteral("Checked"));
    // The browser's own sizes: none of the phone rules apply at this width.
    const QJsonObject layout = shown.value(QStringLiteral("layout")).toObject();
    QCOMPARE(layout.value(QStringLiteral("innerWidth")).toInt(), 1280);
    QVERIFY(layout.value(QStringLiteral("smallestFont")).toDouble() < 16);
    QVERIFY(layout.value(QStringLiteral("smallestBox")).toDouble() < 24);
    service.stop();
}

// The designer renames one question and removes another while a phone fills
// the form in: the post is refused with the form as it is now, the answers
// that still have a question kept; sent again, the answer lands in the
// renamed column. Back, a change, and the same page sent again replace that
// row's answers.
void TestBrowserSubmission::aRenameWhileAnsweringAndACorrectionLoseNothing()
{
    TestProgramFolder folder;
    QVERIFY(FormBuilder(folder.path(), QStringLiteral("survey"))
                .title(QStringLiteral("Staff Survey"))
                .textField(QStringLiteral("Name"))
                .textField(QStringLiteral("Town"))
                .submitButton()
                .write());
    copyBackground(folder);
    CollectionService service;
    service.setLogSink([](const QByteArray&) {});
    QVERIFY(started(service.start(folder.path(), QStringLiteral("127.0.0.1"), 0)));
    const QJsonObject phone { { QStringLiteral("width"), 390 }, { QStringLiteral("height"), 844 },
        { QStringLiteral("phone"), true } };

    QJsonObject options = phone;
    options.insert(QStringLiteral("pause"), true);
    options.insert(QStringLiteral("sendAgainOn409"), true);
    options.insert(QStringLiteral("conflictScreenshot"), QString(m_workDir + QStringLiteral("/changed.png")));
    const QJsonObject changed = runBrowser(service.pageAddress(QStringLiteral("survey.html")),
        QJsonArray { action(QStringLiteral("Name"), "fill", QStringLiteral("Zoë")),
            action(QStringLiteral("Town"), "fill", QStringLiteral("Leeds")) },
        options, [&] {
            // The designer, meanwhile: a new name for one question, the other gone.
            const auto store = openStore(folder.database());
            QVERIFY(store->renameColumn(
                QStringLiteral("tbl_survey"), QStringLiteral("Name"), QStringLiteral("Full name")));
            QVERIFY(store->dropColumn(QStringLiteral("tbl_survey"), QStringLiteral("Town")));
            QVERIFY(FormBuilder(folder.path(), QStringLiteral("survey"))
                        .title(QStringLiteral("Staff Survey"))
                        .textField(QStringLiteral("Full name"))
                        .formerly(QStringLiteral("Name"))
                        .submitButton()
                        .writeFiles());
        });
    QVERIFY(!changed.isEmpty());
    const QJsonObject conflict = changed.value(QStringLiteral("conflict")).toObject();
    QCOMPARE(conflict.value(QStringLiteral("status")).toInt(), 409);
    QVERIFY(conflict.value(QStringLiteral("text"))
                .toString()
                .contains(QStringLiteral("This form was changed while you were filling it in.")));
    QCOMPARE(changed.value(QStringLiteral("status")).toInt(), 200);
    QList<QVariantMap> rows = tableRows(folder.database(), QStringLiteral("tbl_survey"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(QStringLiteral("Full name")).toString(), QStringLiteral("Zoë"));

    options = phone;
    options.insert(QStringLiteral("again"), true);
    options.insert(QStringLiteral("changeAfterBack"),
        QJsonArray { action(QStringLiteral("Full name"), "fill", QStringLiteral("Anna")) });
    const QJsonObject corrected = runBrowser(service.pageAddress(QStringLiteral("survey.html")),
        QJsonArray { action(QStringLiteral("Full name"), "fill", QStringLiteral("Ann")) }, options);
    QCOMPARE(corrected.value(QStringLiteral("status")).toInt(), 200);
    const QJsonObject again = corrected.value(QStringLiteral("again")).toObject();
    QCOMPARE(again.value(QStringLiteral("status")).toInt(), 200);
    QVERIFY(again.value(QStringLiteral("text"))
                .toString()
                .contains(QStringLiteral("Your answers have been updated.")));
    rows = tableRows(folder.database(), QStringLiteral("tbl_survey"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(1).value(QStringLiteral("Full name")).toString(), QStringLiteral("Anna"));
    service.stop();
}

// Typed answers survive a reload; sent while the service is down they wait
// on the page and go by themselves once it is back, stored once, with a
// receipt; the results page follows the answers.
void TestBrowserSubmission::aPhoneKeepsItsAnswersWhileTheServiceIsDown()
{
    TestProgramFolder folder;
    FormSettings settings;
    settings.showResults = true;
    QVERIFY(FormBuilder(folder.path(), QStringLiteral("survey"))
                .title(QStringLiteral("Room Survey"))
                .settings(settings)
                .textArea(QStringLiteral("Comments"))
                .checkBox(QStringLiteral("Tea"))
                .radioButtons(QStringLiteral("Colour"),
                    { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") })
                .submitButton()
                .write());
    copyBackground(folder);
    CollectionService service;
    service.setLogSink([](const QByteArray&) {});
    QVERIFY(started(service.start(folder.path(), QStringLiteral("127.0.0.1"), 0)));
    const quint16 port = service.port();

    QProcess node;
    node.setWorkingDirectory(m_workDir);
    node.start(m_node,
        { m_workDir + QStringLiteral("/room.mjs"), QStringLiteral("http://127.0.0.1:%1").arg(port),
            m_workDir });
    QJsonObject seen;
    QByteArray out;
    while (seen.isEmpty() && node.waitForReadyRead(120000)) {
        out += node.readAllStandardOutput();
        qsizetype end;
        while ((end = out.indexOf('\n')) >= 0) {
            const QJsonObject line = QJsonDocument::fromJson(out.left(end)).object();
            out.remove(0, end + 1);
            const QString step = line.value(QStringLiteral("step")).toString();
            if (step == QStringLiteral("stop")) {
                service.stop();
            } else if (step == QStringLiteral("start")) {
                QTest::qWait(3000); // a few tries fail first
                QVERIFY(started(service.start(folder.path(), QStringLiteral("127.0.0.1"), port)));
            } else {
                seen = line;
                break;
            }
            node.write("go\n");
        }
    }
    QVERIFY(node.waitForFinished(60000));
    QVERIFY2(!seen.contains(QStringLiteral("failure")), QJsonDocument(seen).toJson().constData());
    QCOMPARE(seen.value(QStringLiteral("errors")).toArray(), QJsonArray());

    const QJsonObject restored = seen.value(QStringLiteral("restored")).toObject();
    QCOMPARE(restored.value(QStringLiteral("comments")).toString(), QStringLiteral("Kept through a reload"));
    QVERIFY(restored.value(QStringLiteral("green")).toBool());
    QVERIFY(seen.value(QStringLiteral("notSent"))
                .toString()
                .contains(QStringLiteral("Not sent yet — trying again…")));
    QVERIFY(seen.value(QStringLiteral("notSent")).toString().contains(QStringLiteral("Send now")));
    QCOMPARE(seen.value(QStringLiteral("keptWhileDown")).toInt(), 1);
    QCOMPARE(seen.value(QStringLiteral("keptAfterSending")).toInt(), 0);
    QCOMPARE(seen.value(QStringLiteral("receipt")).toString().size(), 8);
    // The results page counts what the table holds, and follows a new answer.
    QCOMPARE(seen.value(QStringLiteral("answers390")).toString(), QStringLiteral("1"));
    QVERIFY(seen.value(QStringLiteral("resultsChangedAfterMs")).toInt() < 5000);
    QVERIFY(seen.value(QStringLiteral("index")).toString().contains(QStringLiteral("Room Survey")));
    const QList<QVariantMap> rows = tableRows(folder.database(), QStringLiteral("tbl_survey"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(
        rows.first().value(QStringLiteral("Comments")).toString(), QStringLiteral("Kept through a reload"));
    QCOMPARE(rows.first().value(QStringLiteral("Colour")).toString(), QStringLiteral("Green"));
    service.stop();
}

// Typed answers, a required answer and a question asked only after a "Yes",
// on a phone: the page as the page writer marks such questions up.
void TestBrowserSubmission::aPhoneFollowsTheRulesOfEachQuestion()
{
    TestProgramFolder folder;
    const auto asks = [](bool required, AnswerKind kind = AnswerKind::AnyText, const QString& min = {},
                          const QString& max = {}, const AskCondition& condition = {}) {
        QuestionSettings s;
        s.rules = { required, kind, min, max };
        s.condition = condition;
        return s;
    };
    const ScaleQuestion rating { 1, 5, QStringLiteral("Poor"), QStringLiteral("Great") };
    QVERIFY(
        FormBuilder(folder.path(), QStringLiteral("survey"))
            .title(QStringLiteral("Pet Survey"))
            .textField(QStringLiteral("Age"))
            .asks(asks(true, AnswerKind::WholeNumber, QStringLiteral("0"), QStringLiteral("120")))
            .textField(QStringLiteral("Birthday"))
            .asks(asks(false, AnswerKind::Date))
            .radioButtons(QStringLiteral("Pets"), { QStringLiteral("Yes"), QStringLiteral("No") })
            .asks(asks(true))
            .textField(QStringLiteral("Which pet?"))
            .asks(asks(true, AnswerKind::AnyText, {}, {}, { QStringLiteral("Pets"), QStringLiteral("Yes") }))
            .scale(QStringLiteral("Rating"), rating)
            .asks(asks(true))
            .submitButton()
            .write());
    copyBackground(folder);
    CollectionService service;
    service.setLogSink([](const QByteArray&) {});
    QVERIFY(started(service.start(folder.path(), QStringLiteral("127.0.0.1"), 0)));
    QProcess node;
    node.setWorkingDirectory(m_workDir);
    node.start(m_node,
        { m_workDir + QStringLiteral("/rules.mjs"), service.pageAddress(QStringLiteral("survey.html")),
            m_workDir });
    QVERIFY(node.waitForFinished(120000));
    QVERIFY2(node.exitCode() == 0, node.readAllStandardError().constData());
    const QJsonObject seen
        = QJsonDocument::fromJson(node.readAllStandardOutput().trimmed().split('\n').last()).object();
    service.stop();
    const auto at = [&](const char* step) { return seen.value(QLatin1StringView(step)).toObject(); };
    const auto of = [](const QJsonObject& facts, const char* question, const char* what) {
        return facts.value(QLatin1StringView(question)).toObject().value(QLatin1StringView(what));
    };

    // The number keyboard, limits and the date picker; the question after "Yes" hidden and off.
    const QJsonObject opened = at("opened");
    QCOMPARE(of(opened, "age", "type").toString(), QStringLiteral("number"));
    QCOMPARE(of(opened, "age", "inputMode").toString(), QStringLiteral("numeric"));
    QCOMPARE(of(opened, "age", "max").toString(), QStringLiteral("120"));
    QCOMPARE(of(opened, "birthday", "type").toString(), QStringLiteral("date"));
    QVERIFY(of(opened, "pet", "hidden").toBool() && of(opened, "pet", "disabled").toBool());
    // The browser refuses the missing answers, and not the hidden question's.
    const QJsonObject browserRefused = at("refusedByBrowser");
    QVERIFY(!browserRefused.value(QStringLiteral("valid")).toBool());
    QCOMPARE(browserRefused.value(QStringLiteral("invalid")).toArray(),
        (QJsonArray { QStringLiteral("Age"), QStringLiteral("Pets"), QStringLiteral("Rating") }));
    QCOMPARE(browserRefused.value(QStringLiteral("posts")).toInt(), 0);
    const QJsonObject revealed = at("revealed");
    QVERIFY(!of(revealed, "pet", "hidden").toBool() && !of(revealed, "pet", "disabled").toBool());
    QVERIFY(revealed.value(QStringLiteral("invalid")).toArray().contains(QStringLiteral("Which pet?")));

    // Refused by the service (150 is over the limit): every answer kept, the note beside Age.
    const QJsonObject refused = at("refusedByService");
    QCOMPARE(refused.value(QStringLiteral("status")).toInt(), 422);
    QCOMPARE(of(refused, "age", "value").toString(), QStringLiteral("150"));
    QCOMPARE(of(refused, "birthday", "value").toString(), QStringLiteral("1990-12-24"));
    QCOMPARE(of(refused, "pet", "value").toString(), QStringLiteral("A dog"));
    QVERIFY(!of(refused, "pet", "hidden").toBool());
    QCOMPARE(refused.value(QStringLiteral("rating")).toString(), QStringLiteral("4"));
    QVERIFY(refused.value(QStringLiteral("notes"))
                .toArray()
                .contains(QStringLiteral("Please give a whole number from 0 to 120.")));
    // Corrected with the same page's token: stored once.
    QCOMPARE(at("corrected").value(QStringLiteral("status")).toInt(), 200);
    const QJsonArray tokens = seen.value(QStringLiteral("tokens")).toArray();
    QCOMPARE(tokens.size(), 2);
    QCOMPARE(tokens.at(1), tokens.at(0));
    // Without script the question after "Yes" shows, yet "No" is sent.
    QCOMPARE(at("withoutScript").value(QStringLiteral("status")).toInt(), 200);
    const QList<QVariantMap> rows = tableRows(folder.database(), QStringLiteral("tbl_survey"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).value(QStringLiteral("Age")).toString(), QStringLiteral("42"));
    QCOMPARE(rows.at(0).value(QStringLiteral("Birthday")).toString(), QStringLiteral("1990-12-24"));
    QCOMPARE(rows.at(0).value(QStringLiteral("Which pet?")).toString(), QStringLiteral("A dog"));
    QCOMPARE(rows.at(0).value(QStringLiteral("Rating")).toString(), QStringLiteral("4"));
    QCOMPARE(rows.at(1).value(QStringLiteral("Pets")).toString(), QStringLiteral("No"));
    QVERIFY(rows.at(1).value(QStringLiteral("Which pet?")).isNull());
}

QTEST_GUILESS_MAIN(TestBrowserSubmission)
#include "tst_BrowserSubmission.moc"
