// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// End to end in a real browser: headless Chromium opens a form from the
// service, answers every kind of question and submits it.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include "database/Participants.h"

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

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kChromium = u"/usr/bin/chromium"_s;

// True when the service started; why not is printed when it did not.
bool started(const Result<void>& result)
{
    if (!result)
        qWarning("the service did not start: %s", qPrintable(result.error().detail));
    return result.ok();
}

QJsonObject action(const QString& name, const char* kind, const QJsonValue& value)
{
    return QJsonObject { { u"name"_s, name }, { QString::fromLatin1(kind), value } };
}

} // namespace

class TestBrowserSubmission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { m_folder = std::make_unique<TestProgramFolder>(); }
    void cleanup()
    {
        m_service.reset();
        m_folder.reset();
    }
    void phoneAnswersEveryKindOnce();
    void desktopShowsThePageAsDesignedOverHttps();
    void aRenameWhileAnsweringAndACorrectionLoseNothing();
    void aPhoneKeepsItsAnswersWhileTheServiceIsDown();
    void aPhoneFollowsTheRulesOfEachQuestion();
    void aSharedPhoneKeepsEachPagesAnswersApart();
    void theProjectorShowsEveryChartWithoutScrolling();
    void everyPageServesEveryone();
    void answersSentCanBeChangedAfterTheThanks();
    void aFormOfSeveralPagesShowsOnePageAtATime();
    void anInvitedFormAsksForTheCodeForEveryone();
    void aRankingIsPutInOrderByKeyboardOrWithMenus();

private:
    // Runs submit.mjs; the printed JSON, or an empty object after a failed
    // check. With the option "pause", `whilePaused` runs before the submit.
    QJsonObject runBrowser(const QString& url, const QJsonArray& actions, const QJsonObject& options,
        const std::function<void()>& whilePaused = {});
    // Runs the browser script `script` (in the work folder) with `arguments`
    // for at most `wait` ms; the last line it printed, as JSON, or an empty
    // object when it failed.
    QJsonObject runScript(const QString& script, const QStringList& arguments, int wait);
    // Starts the service on the form written, over TLS when `cert` is given.
    bool startService(const QString& cert = {}, const QString& key = {});
    QList<QVariantMap> rows() const { return tableRows(m_folder->database(), u"tbl_survey"_s); }

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<CollectionService> m_service;
    QString m_node;
    QString m_workDir;
};

void TestBrowserSubmission::initTestCase()
{
    // Optional tools: without them the test says why and skips, never fails.
    m_node = QStandardPaths::findExecutable(u"node"_s);
    const QString npm = QStandardPaths::findExecutable(u"npm"_s);
    if (m_node.isEmpty() || npm.isEmpty())
        QSKIP("node and npm are needed to drive the browser (Debian packages nodejs, npm)");
    if (!QFile::exists(kChromium))
        QSKIP("Chromium is needed at /usr/bin/chromium (Debian package chromium)");

    m_workDir = QStringLiteral(QUENLOW_BROWSER_WORKDIR);
    QDir().mkpath(m_workDir);
    for (const QString& file : { u"package.json"_s, u"browser.mjs"_s, u"submit.mjs"_s, u"room.mjs"_s,
             u"rules.mjs"_s, u"phones.mjs"_s, u"access.mjs"_s, u"change.mjs"_s, u"projector.mjs"_s,
             u"pages.mjs"_s, u"invite.mjs"_s, u"ranking.mjs"_s }) {
        const QString target = m_workDir + QLatin1Char('/') + file;
        QFile::remove(target);
        QVERIFY(QFile::copy(QStringLiteral(QUENLOW_BROWSER_SCRIPTS "/") + file, target));
    }
    if (!QFile::exists(m_workDir + u"/node_modules/playwright-core/package.json"_s)
        || !QFile::exists(m_workDir + u"/node_modules/axe-core/axe.min.js"_s)) {
        QProcess install;
        install.setWorkingDirectory(m_workDir);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(npm, { u"install"_s, u"--no-audit"_s, u"--no-fund"_s, u"--loglevel=error"_s });
        if (!install.waitForFinished(240000) || install.exitCode() != 0) {
            install.kill();
            qWarning("%s", install.readAll().constData());
            QSKIP("npm could not install playwright-core (no access to the npm registry?)");
        }
    }
}

QJsonObject TestBrowserSubmission::runScript(const QString& script, const QStringList& arguments, int wait)
{
    QProcess node;
    node.setWorkingDirectory(m_workDir);
    node.start(m_node, QStringList { m_workDir + QLatin1Char('/') + script } + arguments);
    if (!node.waitForFinished(wait) || node.exitCode() != 0) {
        qWarning("%s: %s", qPrintable(script), node.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(node.readAllStandardOutput().trimmed().split('\n').last()).object();
}

bool TestBrowserSubmission::startService(const QString& cert, const QString& key)
{
    // The pages' text is black on the designer's background; the screenshots show it.
    // From the sources: a build of the tests alone lays out no program folder.
    if (!QFile::copy(QStringLiteral(QUENLOW_SOURCE_DIR "/resources/html/Background.gif"),
            m_folder->html(u"Background.gif"_s)))
        return false;
    m_service = std::make_unique<CollectionService>();
    m_service->setLogSink([](const QByteArray&) {});
    if (!cert.isEmpty())
        m_service->setTls(cert, key);
    return started(m_service->start(m_folder->path(), u"127.0.0.1"_s, 0));
}

QJsonObject TestBrowserSubmission::runBrowser(const QString& url, const QJsonArray& actions,
    const QJsonObject& options, const std::function<void()>& whilePaused)
{
    QProcess node;
    node.setWorkingDirectory(m_workDir);
    node.start(m_node,
        { m_workDir + u"/submit.mjs"_s, url,
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
    const QString secret = u"/srv/quenlow-private/formAnswers.mdb"_s;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Staff Survey: Supercalifragilisticexpialidocious"_s) // wider than a phone
                .databaseLocation(secret)
                .textField(u"What's your name?"_s)
                .textArea(u"Comments & \"remarks\""_s)
                .plainText(u"Please tick the approprtiate check boxes :"_s)
                .checkBox(u"Tea"_s)
                .checkBox(u"Coffee"_s, /*ticked=*/true)
                .checkBox(u"Juice"_s)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s, u"Blue"_s }, u"Red"_s)
                .radioButtons(u"Size"_s, { u"S"_s, u"L"_s })
                .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s, u"Support"_s })
                .submitButton()
                .write());
    QVERIFY(startService());

    // Boxes and options by tapping their text, as on a phone.
    const QJsonArray actions { action(u"What's your name?"_s, "fill", u"Zoë O'Brien"_s),
        action(u"Comments & \"remarks\""_s, "fill", u"Line one\nLine two: 5 < 6 & \"fine\" ✓"_s),
        QJsonObject { { u"tap"_s, u"Tea"_s } }, QJsonObject { { u"tap"_s, u"Coffee"_s } },
        QJsonObject { { u"tap"_s, u"Blue"_s } }, action(u"Team"_s, "select", u"R&D"_s) };
    const QJsonObject answer = runBrowser(m_service->pageAddress(u"survey.html"_s), actions,
        QJsonObject { { u"width"_s, 390 }, { u"height"_s, 844 }, { u"phone"_s, true }, { u"again"_s, true },
            { u"screenshot"_s, QString(m_workDir + u"/phone.png"_s) } });
    QVERIFY(!answer.isEmpty());

    const QJsonObject layout = answer.value(u"layout"_s).toObject();
    QCOMPARE(layout.value(u"innerWidth"_s).toInt(), 390);
    QVERIFY(layout.value(u"scrollWidth"_s).toInt() <= 390);
    QVERIFY(layout.value(u"smallestFont"_s).toDouble() >= 16);
    QVERIFY(layout.value(u"smallestBox"_s).toDouble() >= 24);
    QVERIFY(!answer.value(u"html"_s).toString().contains(u"quenlow-private"_s));

    QCOMPARE(answer.value(u"status"_s).toInt(), 200);
    QVERIFY(answer.value(u"url"_s).toString().endsWith(u"/scripts/save.asp"_s));
    QVERIFY(answer.value(u"text"_s).toString().contains(u"Thank you"_s));
    // Back and submit again: the same page's token, thanked again, stored once.
    // (Over HTTP: Chromium keeps no page whose certificate it does not trust,
    // so going Back over the tests' HTTPS fetches a new page and token.)
    const QJsonObject again = answer.value(u"again"_s).toObject();
    QCOMPARE(again.value(u"status"_s).toInt(), 200);
    QVERIFY(again.value(u"text"_s).toString().contains(u"Thank you"_s));
    const QJsonArray tokens = answer.value(u"tokens"_s).toArray();
    QCOMPARE(tokens.size(), 2);
    QCOMPARE(tokens.at(0).toString().size(), 64);
    QCOMPARE(tokens.at(1), tokens.at(0));

    const QList<QVariantMap> stored = rows();
    // Back and submit again sent the same token: the answers are stored once.
    QCOMPARE(stored.size(), 1);
    const QVariantMap& row = stored.first();
    QCOMPARE(row.value(u"What's your name?"_s).toString(), u"Zoë O'Brien"_s);
    // Browsers send a text area's line breaks as CR LF.
    QCOMPARE(
        row.value(u"Comments & \"remarks\""_s).toString(), u"Line one\r\nLine two: 5 < 6 & \"fine\" ✓"_s);
    QCOMPARE(row.value(u"Tea"_s).toString(), u"Checked"_s);
    QCOMPARE(row.value(u"Coffee"_s).toString(), u"Not Checked"_s);
    QCOMPARE(row.value(u"Juice"_s).toString(), u"Not Checked"_s);
    QCOMPARE(row.value(u"Colour"_s).toString(), u"Blue"_s);
    QVERIFY(row.value(u"Size"_s).isNull());
    QCOMPARE(row.value(u"Team"_s).toString(), u"R&D"_s);
}

void TestBrowserSubmission::desktopShowsThePageAsDesignedOverHttps()
{
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Staff Survey"_s)
                .textField(u"What's your name?"_s)
                .textArea(u"Comments"_s)
                .checkBox(u"Tea"_s)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Blue"_s })
                .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s })
                .submitButton()
                .write());
    QTemporaryDir keys;
    QString cert, key;
    QVERIFY(makeTestCertificate(keys.path(), &cert, &key));
    QVERIFY(startService(cert, key));
    QVERIFY(m_service->address().startsWith(u"https://"_s));
    const QJsonObject shown = runBrowser(m_service->pageAddress(u"survey.html"_s),
        QJsonArray { QJsonObject { { u"tap"_s, u"Tea"_s } } },
        QJsonObject { { u"screenshot"_s, QString(m_workDir + u"/desktop.png"_s) } });
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.value(u"status"_s).toInt(), 200);
    QVERIFY(shown.value(u"url"_s).toString().startsWith(u"https://127.0.0.1:"_s));
    QCOMPARE(rows().value(0).value(u"Tea"_s).toString(), u"Checked"_s);
    // The browser's own sizes: none of the phone rules apply at this width.
    const QJsonObject layout = shown.value(u"layout"_s).toObject();
    QCOMPARE(layout.value(u"innerWidth"_s).toInt(), 1280);
    QVERIFY(layout.value(u"smallestFont"_s).toDouble() < 16);
    QVERIFY(layout.value(u"smallestBox"_s).toDouble() < 24);
}

// The designer renames one question and removes another while a phone fills
// the form in: the post is refused with the form as it is now, the answers
// that still have a question kept; sent again, the answer lands in the
// renamed column. Back, a change, and the same page sent again replace that
// row's answers.
void TestBrowserSubmission::aRenameWhileAnsweringAndACorrectionLoseNothing()
{
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Staff Survey"_s)
                .textField(u"Name"_s)
                .textField(u"Town"_s)
                .submitButton()
                .write());
    QVERIFY(startService());
    const QJsonObject phone { { u"width"_s, 390 }, { u"height"_s, 844 }, { u"phone"_s, true } };

    QJsonObject options = phone;
    options.insert(u"pause"_s, true);
    options.insert(u"sendAgainOn409"_s, true);
    options.insert(u"conflictScreenshot"_s, QString(m_workDir + u"/changed.png"_s));
    const QJsonObject changed = runBrowser(m_service->pageAddress(u"survey.html"_s),
        QJsonArray { action(u"Name"_s, "fill", u"Zoë"_s), action(u"Town"_s, "fill", u"Leeds"_s) }, options,
        [&] {
            // The designer, meanwhile: a new name for one question, the other gone.
            const auto store = openStore(m_folder->database());
            QVERIFY(store->renameColumn(u"tbl_survey"_s, u"Name"_s, u"Full name"_s));
            QVERIFY(store->dropColumn(u"tbl_survey"_s, u"Town"_s));
            QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                        .title(u"Staff Survey"_s)
                        .textField(u"Full name"_s)
                        .formerly(u"Name"_s)
                        .submitButton()
                        .writeFiles());
        });
    QVERIFY(!changed.isEmpty());
    const QJsonObject conflict = changed.value(u"conflict"_s).toObject();
    QCOMPARE(conflict.value(u"status"_s).toInt(), 409);
    QVERIFY(conflict.value(u"text"_s).toString().contains(
        u"This form was changed while you were filling it in."_s));
    QCOMPARE(changed.value(u"status"_s).toInt(), 200);
    QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().value(u"Full name"_s).toString(), u"Zoë"_s);

    options = phone;
    options.insert(u"again"_s, true);
    options.insert(u"changeAfterBack"_s, QJsonArray { action(u"Full name"_s, "fill", u"Anna"_s) });
    const QJsonObject corrected = runBrowser(m_service->pageAddress(u"survey.html"_s),
        QJsonArray { action(u"Full name"_s, "fill", u"Ann"_s) }, options);
    QCOMPARE(corrected.value(u"status"_s).toInt(), 200);
    const QJsonObject again = corrected.value(u"again"_s).toObject();
    QCOMPARE(again.value(u"status"_s).toInt(), 200);
    QVERIFY(again.value(u"text"_s).toString().contains(u"Your answers have been updated."_s));
    stored = rows();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.at(1).value(u"Full name"_s).toString(), u"Anna"_s);
}

// Typed answers survive a reload; sent while the service is down they wait
// on the page and go by themselves once it is back, stored once, with a
// receipt; the results page follows the answers.
void TestBrowserSubmission::aPhoneKeepsItsAnswersWhileTheServiceIsDown()
{
    FormSettings settings;
    settings.showResults = true;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Room Survey"_s)
                .settings(settings)
                .textArea(u"Comments"_s)
                .checkBox(u"Tea"_s)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s, u"Blue"_s })
                .submitButton()
                .write());
    QVERIFY(startService());
    const quint16 port = m_service->port();

    QProcess node;
    node.setWorkingDirectory(m_workDir);
    node.start(m_node, { m_workDir + u"/room.mjs"_s, u"http://127.0.0.1:%1"_s.arg(port), m_workDir });
    QJsonObject seen;
    QByteArray out;
    while (seen.isEmpty() && node.waitForReadyRead(120000)) {
        out += node.readAllStandardOutput();
        qsizetype end;
        while ((end = out.indexOf('\n')) >= 0) {
            const QJsonObject line = QJsonDocument::fromJson(out.left(end)).object();
            out.remove(0, end + 1);
            const QString step = line.value(u"step"_s).toString();
            if (step == u"stop"_s) {
                m_service->stop();
            } else if (step == u"start"_s) {
                QTest::qWait(3000); // a few tries fail first
                QVERIFY(started(m_service->start(m_folder->path(), u"127.0.0.1"_s, port)));
            } else {
                seen = line;
                break;
            }
            node.write("go\n");
        }
    }
    QVERIFY(node.waitForFinished(60000));
    QVERIFY2(!seen.contains(u"failure"_s), QJsonDocument(seen).toJson().constData());
    QCOMPARE(seen.value(u"errors"_s).toArray(), QJsonArray());

    const QJsonObject restored = seen.value(u"restored"_s).toObject();
    QCOMPARE(restored.value(u"comments"_s).toString(), u"Kept through a reload"_s);
    QVERIFY(restored.value(u"green"_s).toBool());
    QVERIFY(seen.value(u"notSent"_s).toString().contains(u"Not sent yet — trying again…"_s));
    QVERIFY(seen.value(u"notSent"_s).toString().contains(u"Send now"_s));
    QCOMPARE(seen.value(u"keptWhileDown"_s).toInt(), 1);
    QCOMPARE(seen.value(u"keptAfterSending"_s).toInt(), 0);
    QCOMPARE(seen.value(u"receipt"_s).toString().size(), 8);
    // The results page counts what the table holds, and follows a new answer.
    QCOMPARE(seen.value(u"answers390"_s).toString(), u"1"_s);
    QVERIFY(seen.value(u"resultsChangedAfterMs"_s).toInt() < 5000);
    QVERIFY(seen.value(u"index"_s).toString().contains(u"Room Survey"_s));
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.first().value(u"Comments"_s).toString(), u"Kept through a reload"_s);
    QCOMPARE(stored.first().value(u"Colour"_s).toString(), u"Green"_s);
}

// Typed answers, a required answer and a question asked only after a "Yes",
// on a phone: the page as the page writer marks such questions up.
void TestBrowserSubmission::aPhoneFollowsTheRulesOfEachQuestion()
{
    const ScaleQuestion rating { 1, 5, u"Poor"_s, u"Great"_s };
    QuestionSettings extras;
    extras.questionText = u"Extras"_s;
    QuestionSettings extrasWithOther = extras;
    extrasWithOther.otherAnswer = true;
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Pet Survey"_s)
                .textField(u"Age"_s)
                .asks(true, AnswerKind::WholeNumber, u"0"_s, u"120"_s)
                .textField(u"Birthday"_s)
                .asks(false, AnswerKind::Date)
                .radioButtons(u"Pets"_s, { u"Yes"_s, u"No"_s })
                .asks(true)
                .textField(u"Which pet?"_s)
                .asks(true, AnswerKind::AnyText, {}, {}, { u"Pets"_s, u"Yes"_s })
                .scale(u"Rating"_s, rating)
                .asks(true)
                .textField(u"Nickname"_s, {}, u"5"_s)
                .checkBox(u"Milk"_s)
                .asks(extrasWithOther)
                .checkBox(u"Lemon"_s)
                .asks(extras)
                .submitButton()
                .write());
    QVERIFY(startService());
    const QJsonObject seen
        = runScript(u"rules.mjs"_s, { m_service->pageAddress(u"survey.html"_s), m_workDir }, 120000);
    m_service->stop();
    const auto at = [&](const char* step) { return seen.value(QLatin1StringView(step)).toObject(); };
    const auto of = [](const QJsonObject& facts, const char* question, const char* what) {
        return facts.value(QLatin1StringView(question)).toObject().value(QLatin1StringView(what));
    };

    // The number keyboard, limits and the date picker; the question after "Yes" hidden and off.
    const QJsonObject opened = at("opened");
    QCOMPARE(of(opened, "age", "type").toString(), u"number"_s);
    QCOMPARE(of(opened, "age", "inputMode").toString(), u"numeric"_s);
    QCOMPARE(of(opened, "age", "max").toString(), u"120"_s);
    QCOMPARE(of(opened, "birthday", "type").toString(), u"date"_s);
    QVERIFY(of(opened, "pet", "hidden").toBool() && of(opened, "pet", "disabled").toBool());
    // The browser refuses the missing answers, and not the hidden question's.
    const QJsonObject browserRefused = at("refusedByBrowser");
    QVERIFY(!browserRefused.value(u"valid"_s).toBool());
    QCOMPARE(browserRefused.value(u"invalid"_s).toArray(), (QJsonArray { u"Age"_s, u"Pets"_s, u"Rating"_s }));
    QCOMPARE(browserRefused.value(u"posts"_s).toInt(), 0);
    const QJsonObject revealed = at("revealed");
    QVERIFY(!of(revealed, "pet", "hidden").toBool() && !of(revealed, "pet", "disabled").toBool());
    QVERIFY(revealed.value(QStringLiteral("invalid")).toArray().contains(QStringLiteral("Which pet?")));

    // Refused by the service (150 is over the limit): every answer kept, the note beside Age.
    const QJsonObject refused = at("refusedByService");
    QCOMPARE(refused.value(u"status"_s).toInt(), 422);
    QCOMPARE(of(refused, "age", "value").toString(), u"150"_s);
    QCOMPARE(of(refused, "birthday", "value").toString(), u"1990-12-24"_s);
    QCOMPARE(of(refused, "pet", "value").toString(), u"A dog"_s);
    QVERIFY(!of(refused, "pet", "hidden").toBool());
    QCOMPARE(refused.value(u"rating"_s).toString(), u"4"_s);
    QVERIFY(refused.value(u"notes"_s).toArray().contains(u"Please give a whole number from 0 to 120."_s));
    // Corrected with the same page's token: stored once.
    QCOMPARE(at("corrected").value(u"status"_s).toInt(), 200);
    const QJsonArray tokens = seen.value(u"tokens"_s).toArray();
    QCOMPARE(tokens.size(), 2);
    QCOMPARE(tokens.at(1), tokens.at(0));
    // Without script the question after "Yes" shows, yet "No" is sent.
    QCOMPARE(at("withoutScript").value(u"status"_s).toInt(), 200);
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.at(0).value(u"Age"_s).toString(), u"42"_s);
    QCOMPARE(stored.at(0).value(u"Birthday"_s).toString(), u"1990-12-24"_s);
    QCOMPARE(stored.at(0).value(u"Which pet?"_s).toString(), u"A dog"_s);
    QCOMPARE(stored.at(0).value(u"Rating"_s).toString(), u"4"_s);
    // Counted as a person counts: five emoji fill a box of five, and are stored.
    const QString fiveEmoji = QString(u"\U0001F600"_s).repeated(5);
    QCOMPARE(seen.value(u"nickname"_s).toString(), fiveEmoji);
    QCOMPARE(stored.at(0).value(u"Nickname"_s).toString(), fiveEmoji);
    QCOMPARE(stored.at(1).value(u"Pets"_s).toString(), u"No"_s);
    QVERIFY(stored.at(1).value(u"Which pet?"_s).isNull());
    // A group's "Other:" ticked asks for its text; typing there ticks it.
    QVERIFY(seen.value(u"otherAsksForText"_s).toBool());
    QVERIFY(seen.value(u"typingTicksOther"_s).toBool());
    QCOMPARE(stored.at(0).value(u"Extras: Other"_s).toString(), u"Honey"_s);
    QVERIFY(stored.at(1).value(u"Extras: Other"_s).isNull());
}

// One phone passed from person to person: each page keeps its own answers
// under its own token. A's send, queued while posts cannot get through, goes
// by itself from B's page as A's own row and is never poured into B's page; a
// reload brings a page's own draft back; a page refused and left hands
// nothing to the next person.
void TestBrowserSubmission::aSharedPhoneKeepsEachPagesAnswersApart()
{
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Room Survey"_s)
                .textField(u"Name"_s)
                .textArea(u"Comments"_s)
                .textField(u"Age"_s)
                .asks(false, AnswerKind::WholeNumber, u"0"_s, u"120"_s)
                .submitButton()
                .write());
    QVERIFY(startService());
    const QJsonObject seen = runScript(u"phones.mjs"_s, { m_service->address(), m_workDir }, 240000);
    m_service->stop();
    QVERIFY2(!seen.isEmpty() && !seen.contains(u"failure"_s), QJsonDocument(seen).toJson().constData());
    QCOMPARE(seen.value(u"errors"_s).toArray(), QJsonArray());
    const auto at = [&](const char* page) { return seen.value(QLatin1StringView(page)).toObject(); };
    const auto went = [&](const char* page) {
        return !at(page).contains(u"failure"_s)
            || (qWarning("%s", qPrintable(at(page).value(u"failure"_s).toString())), false);
    };
    QVERIFY(went("a"));

    // Each new page starts empty with a token of its own and says how many earlier answers wait.
    const QJsonArray left = seen.value(u"a"_s).toArray();
    QCOMPARE(left.size(), 2);
    const QJsonObject second = left.at(1).toObject().value(u"opened"_s).toObject();
    QCOMPARE(second.value(u"name"_s).toString(), QString());
    QCOMPARE(second.value(u"earlier"_s).toString(), u"1 earlier answer waiting to be sent"_s);
    const QJsonObject opened = at("b").value(u"opened"_s).toObject();
    QCOMPARE(opened.value(u"name"_s).toString(), QString());
    QCOMPARE(opened.value(u"comments"_s).toString(), QString());
    QCOMPARE(opened.value(u"earlier"_s).toString(), u"2 earlier answers waiting to be sent"_s);
    const QJsonValue tokenA = left.at(0).toObject().value(u"sent"_s).toObject().value(u"token"_s);
    const QJsonValue tokenA2 = left.at(1).toObject().value(u"sent"_s).toObject().value(u"token"_s);
    QVERIFY(tokenA != tokenA2 && opened.value(u"token"_s) != tokenA && opened.value(u"token"_s) != tokenA2);
    QCOMPARE(at("b").value(u"noteViolations"_s).toArray(), QJsonArray());
    QCOMPARE(at("b").value(u"wcagViolations"_s).toArray(), QJsonArray());
    QVERIFY(went("b"));
    QVERIFY(at("b").value(u"thanked"_s).toBool());
    QCOMPARE(at("b").value(u"kept"_s).toArray(), QJsonArray());

    // A reload keeps the page's draft and its token; the page beside it is new.
    QVERIFY(went("c"));
    const QJsonObject before = at("c").value(u"before"_s).toObject();
    const QJsonObject reloaded = at("c").value(u"reloaded"_s).toObject();
    QCOMPARE(reloaded.value(u"name"_s).toString(), u"Cy"_s);
    QCOMPARE(reloaded.value(u"token"_s), before.value(u"token"_s));
    QCOMPARE(at("d").value(u"name"_s).toString(), QString());
    QVERIFY(at("d").value(u"token"_s) != before.value(u"token"_s));

    // Refused and left: F starts empty with a token of its own.
    QVERIFY(went("e") && went("f"));
    QCOMPARE(at("e").value(u"status"_s).toInt(), 422);
    QCOMPARE(at("e").value(u"name"_s).toString(), u"Eve"_s);
    QCOMPARE(at("f").value(u"name"_s).toString(), QString());
    QCOMPARE(at("f").value(u"age"_s).toString(), QString());
    QVERIFY(at("f").value(u"token"_s) != at("e").value(u"token"_s));
    QVERIFY(at("f").value(u"thanked"_s).toBool());
    // What stays: the drafts of C's and E's pages, nothing waiting, nothing a day old.
    const QJsonArray kept = at("f").value(u"kept"_s).toArray();
    QCOMPARE(kept.size(), 2);
    for (const QJsonValue& entry : kept) {
        QVERIFY(!entry.toObject().value(u"pending"_s).toBool());
        QVERIFY(!entry.toObject().value(u"key"_s).toString().endsWith(u"ffff"_s));
    }

    // Each person's answers in a row of their own.
    QStringList stored;
    for (const QVariantMap& row : rows()) {
        stored.append(row.value(u"Name"_s).toString() + u" / "_s + row.value(u"Comments"_s).toString()
            + u" / "_s + row.value(u"Age"_s).toString());
    }
    std::sort(stored.begin(),
        stored.begin() + std::min<qsizetype>(2, stored.size())); // the waiting two in any order
    QCOMPARE(stored,
        (QStringList { u"Abe / Abe's comment / "_s, u"Ann / Ann's comment / "_s, u"Bea / B's comment / "_s,
            u"Old /  / "_s, u"Fay /  / "_s }));
}

// The projector at 1920×1080: a screenful of charts without scrolling, each
// drawn large enough to read across a room, the form's address and code in a
// corner, the next page after ten seconds, and a notice once the service is gone.
void TestBrowserSubmission::theProjectorShowsEveryChartWithoutScrolling()
{
    FormSettings settings;
    settings.showResults = true;
    FormBuilder form(m_folder->path(), u"room"_s);
    form.title(u"Room Survey"_s).settings(settings);
    for (int i = 1; i <= 14; ++i)
        form.radioButtons(u"Question %1"_s.arg(i), { u"Yes"_s, u"No"_s, u"Not sure"_s });
    QVERIFY(form.submitButton().write());
    QVERIFY(startService());
    const QString base = u"http://room.test:%1"_s.arg(m_service->port());

    QProcess node;
    node.setWorkingDirectory(m_workDir);
    node.start(
        m_node, { m_workDir + u"/projector.mjs"_s, base + u"/results/room.html?present"_s, m_workDir });
    QJsonObject seen;
    QByteArray out;
    while (seen.isEmpty() && node.waitForReadyRead(120000)) {
        out += node.readAllStandardOutput();
        qsizetype end;
        while ((end = out.indexOf('\n')) >= 0) {
            const QJsonObject line = QJsonDocument::fromJson(out.left(end)).object();
            out.remove(0, end + 1);
            if (line.value(u"step"_s).toString() != u"stop"_s) {
                seen = line;
                break;
            }
            m_service->stop();
            node.write("go\n");
        }
    }
    QVERIFY(node.waitForFinished(60000));
    QVERIFY2(!seen.isEmpty() && !seen.contains(u"failure"_s), QJsonDocument(seen).toJson().constData());
    QCOMPARE(seen.value(u"errors"_s).toArray(), QJsonArray());
    QCOMPARE(seen.value(u"violations"_s).toArray(), QJsonArray());

    const auto fits = [](const QJsonObject& shown, int charts) {
        QVERIFY(!shown.value(u"scrolls"_s).toBool());
        const QJsonArray drawn = shown.value(u"charts"_s).toArray();
        QCOMPARE(drawn.size(), charts);
        for (const QJsonValue& chart : drawn) {
            QVERIFY(chart[u"inside"_s].toBool());
            // Three bars a chart: a third of a 1080-line screen's height would be one a page.
            QVERIFY2(
                chart[u"height"_s].toDouble() >= 150, QJsonDocument(chart.toObject()).toJson().constData());
        }
    };
    const QJsonObject first = seen.value(u"first"_s).toObject();
    fits(first, 12);
    QCOMPARE(first.value(u"pages"_s).toString(), u"Page 1 of 2"_s);
    QCOMPARE(first.value(u"address"_s).toString(), base + u"/room.html"_s);
    QVERIFY(first[u"code"_s][u"inside"_s].toBool());
    QVERIFY(first[u"code"_s][u"side"_s].toDouble() >= 150); // a phone reads it from the back of a room
    const QJsonObject second = seen.value(u"second"_s).toObject();
    fits(second, 2);
    QCOMPARE(second.value(u"headings"_s).toArray(), (QJsonArray { u"Question 13"_s, u"Question 14"_s }));
    QVERIFY(seen.value(u"secondUrl"_s).toString().endsWith(u"?present&page=2"_s));
    QCOMPARE(seen.value(u"offline"_s).toString(), u"Not updating — the service cannot be reached"_s);
    QVERIFY(seen.value(u"offlineInside"_s).toBool());
}

// Every page a respondent sees passes every accessibility rule, on each
// background, and at 200 % zoom scrolls one way only; a refused answer is
// tied to its box, which takes the focus; choices are groups named by their
// question; a typed box says its rule before it is refused; a scale fits a
// phone with its end labels at its ends; the results' charts have a table of
// their counts.
void TestBrowserSubmission::everyPageServesEveryone()
{
    FormSettings results;
    results.showResults = true;
    // Boxes asked as one question, ending with "Other:" and the box its answer is typed in.
    QuestionSettings drinks;
    drinks.questionText = u"Drinks"_s;
    QuestionSettings drinksWithOther = drinks;
    drinksWithOther.otherAnswer = true;
    const auto everyKind = [&](const QString& name, int background) {
        return FormBuilder(m_folder->path(), name)
            .title(u"Staff Survey"_s)
            .background(background)
            .settings(results)
            .plainText(u"Please answer every question."_s)
            .textField(u"Name"_s)
            .textField(u"Age"_s)
            .asks(true, AnswerKind::WholeNumber, u"5"_s, u"99"_s)
            .textArea(u"Comments"_s, u"Anything else?"_s)
            .checkBox(u"Tea"_s)
            .checkBox(u"Milk"_s)
            .asks(drinksWithOther)
            .checkBox(u"Sugar"_s)
            .asks(drinks)
            .radioButtons(u"Colour"_s, { u"Red"_s, u"Blue"_s })
            .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s })
            .scale(u"Rating"_s, ScaleQuestion { 1, 10, u"Not at all likely"_s, u"Extremely likely"_s })
            .grid(u"How much do you agree?"_s,
                { { u"The work is interesting"_s, u"My team helps me when I need it"_s },
                    gridPresetAnswers(GridPreset::Agree) })
            .asks(true)
            .submitButton()
            .write();
    };
    QStringList forms { u"survey"_s };
    QVERIFY(everyKind(forms.first(), 1));
    for (int background : { 0, 2, 3, 4, 5, 6, 7, 8, 9, 10 }) {
        forms.append(u"bg%1"_s.arg(background));
        QVERIFY(everyKind(forms.last(), background));
    }
    FormSettings closed;
    closed.acceptingAnswers = false;
    QVERIFY(FormBuilder(m_folder->path(), u"closed"_s)
                .title(u"Closed Survey"_s)
                .settings(closed)
                .textField(u"Name"_s)
                .submitButton()
                .write());
    // A quota full already: the post of its answer is refused with the page that says so.
    FormSettings quota;
    quota.quotas = { { u"Region"_s, u"North"_s, 1 } };
    QVERIFY(FormBuilder(m_folder->path(), u"full"_s)
                .title(u"Regional Survey"_s)
                .settings(quota)
                .radioButtons(u"Region"_s, { u"North"_s, u"South"_s })
                .submitButton()
                .write());
    QVERIFY(openStore(m_folder->database())
                ->insertRows({ { u"tbl_full"_s, { { u"Region"_s, u"North"_s } }, {}, {}, {} } }));
    QVERIFY(startService());
    for (const QString& image :
        QDir(QStringLiteral(QUENLOW_SOURCE_DIR "/resources/html")).entryList({ u"*.gif"_s, u"*.jpg"_s }))
        QFile::copy(QStringLiteral(QUENLOW_SOURCE_DIR "/resources/html/") + image, m_folder->html(image));

    const QJsonObject seen = runScript(u"access.mjs"_s,
        { m_service->address(),
            QString::fromUtf8(
                QJsonDocument(QJsonArray::fromStringList(forms)).toJson(QJsonDocument::Compact)),
            m_workDir },
        300000);
    m_service->stop();
    QVERIFY2(!seen.isEmpty() && !seen.contains(u"failure"_s), QJsonDocument(seen).toJson().constData());
    QCOMPARE(seen.value(u"errors"_s).toArray(), QJsonArray());
    for (const char* found : { "violations", "sideways" }) {
        const QJsonArray list = seen.value(QLatin1StringView(found)).toArray();
        QVERIFY2(list.isEmpty(), QJsonDocument(list).toJson().constData());
    }

    const QJsonObject opened = seen.value(u"opened"_s).toObject();
    QCOMPARE(opened.value(u"ageDescribedBy"_s).toArray(), QJsonArray { u"A whole number from 5 to 99."_s });
    QVERIFY(opened.value(u"hintBelowBox"_s).toBool());
    QCOMPARE(opened.value(u"groups"_s).toArray(),
        (QJsonArray { QJsonObject { { u"legend"_s, u"Drinks"_s }, { u"options"_s, 0 } },
            QJsonObject { { u"legend"_s, u"Colour"_s }, { u"options"_s, 2 } },
            QJsonObject { { u"legend"_s, u"Rating"_s }, { u"options"_s, 10 } },
            QJsonObject { { u"legend"_s, u"How much do you agree? *"_s }, { u"options"_s, 10 } },
            QJsonObject { { u"legend"_s, u"The work is interesting"_s }, { u"options"_s, 5 } },
            QJsonObject { { u"legend"_s, u"My team helps me when I need it"_s }, { u"options"_s, 5 } } }));
    QCOMPARE(opened.value(u"scaleEnds"_s).toArray(),
        (QJsonArray { u"Not at all likely"_s, u"Extremely likely"_s }));
    QVERIFY(opened.value(u"scrollWidth"_s).toInt() <= 390);
    QVERIFY(opened.value(u"oneRow"_s).toBool());
    QVERIFY(opened.value(u"lowAtFirst"_s).toBool());
    QVERIFY(opened.value(u"highAtLast"_s).toBool());

    const QJsonObject refused = seen.value(u"refused"_s).toObject();
    // The grid left unanswered is refused too, each statement's answers marked.
    QJsonArray invalid { u"Age"_s };
    for (const QString& statement : { u"The work is interesting"_s, u"My team helps me when I need it"_s }) {
        for (int i = 0; i < 5; ++i)
            invalid.append(statement);
    }
    QCOMPARE(refused.value(u"invalid"_s).toArray(), invalid);
    QCOMPARE(refused.value(u"describedBy"_s).toArray(),
        (QJsonArray { u"Please give a whole number from 5 to 99."_s, u"A whole number from 5 to 99."_s }));
    QCOMPARE(refused.value(u"focused"_s).toString(), u"Age"_s);
    QCOMPARE(refused.value(u"age"_s).toString(), u"150"_s);
    QCOMPARE(refused.value(u"alert"_s).toArray().size(), 1);

    // The counts of the first form's charts, one table each.
    const QJsonArray tables = seen.value(u"results"_s).toArray();
    QVERIFY(!tables.isEmpty());
    QVERIFY(tables.contains(QJsonArray { u"Red|0 (0%)"_s, u"Blue|0 (0%)"_s }));
}

// Sent on a phone and thanked in place, Back brings the form back with the
// answers sent and the same page token, and sending again replaces them;
// without script "Change your answers" opens the form with that token.
void TestBrowserSubmission::answersSentCanBeChangedAfterTheThanks()
{
    QVERIFY(FormBuilder(m_folder->path(), u"survey"_s)
                .title(u"Staff Survey"_s)
                .textField(u"Name"_s)
                .textField(u"Town"_s)
                .submitButton()
                .write());
    QVERIFY(startService());
    const QJsonObject seen
        = runScript(u"change.mjs"_s, { m_service->pageAddress(u"survey.html"_s), m_workDir }, 120000);
    m_service->stop();
    QVERIFY2(!seen.isEmpty(), "no result");
    QCOMPARE(seen.value(u"errors"_s).toArray(), QJsonArray());
    const QJsonObject phone = seen.value(u"phone"_s).toObject();
    QVERIFY2(!phone.contains(u"failure"_s), qPrintable(phone.value(u"failure"_s).toString()));
    QCOMPARE(phone.value(u"change"_s).toString(), u"Change your answers"_s);
    const QJsonArray tokens = phone.value(u"tokens"_s).toArray();
    QCOMPARE(tokens.size(), 2);
    QCOMPARE(tokens.at(1), tokens.at(0));
    const QJsonObject back = phone.value(u"back"_s).toObject();
    QCOMPARE(back.value(u"name"_s).toString(), u"Ann"_s);
    QCOMPARE(back.value(u"town"_s).toString(), u"Leeds"_s);
    QCOMPARE(back.value(u"token"_s), tokens.at(0));
    const QJsonObject again = phone.value(u"changeLink"_s).toObject();
    QCOMPARE(again.value(u"town"_s).toString(), u"York"_s);
    QCOMPARE(again.value(u"token"_s), tokens.at(0));

    const QJsonObject plain = seen.value(u"plain"_s).toObject();
    QVERIFY2(!plain.contains(u"failure"_s), qPrintable(plain.value(u"failure"_s).toString()));
    const QJsonArray plainTokens = plain.value(u"tokens"_s).toArray();
    QCOMPARE(plainTokens.size(), 2);
    QCOMPARE(plainTokens.at(1), plainTokens.at(0));
    QCOMPARE(plain.value(u"opened"_s).toObject().value(u"token"_s), plainTokens.at(0));
    QVERIFY(plain.value(u"text"_s).toString().contains(u"Your answers have been updated."_s));

    // One row for each person, holding what they sent last.
    const QList<QVariantMap> stored = rows();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.at(0).value(u"Name"_s).toString(), u"Ann"_s);
    QCOMPARE(stored.at(0).value(u"Town"_s).toString(), u"York"_s);
    QCOMPARE(stored.at(1).value(u"Town"_s).toString(), u"Ely"_s);
}

// Four pages, one at a time on a phone and a desktop: Next says what is
// missing or wrong as the service would, a page whose questions do not apply
// is passed over, a reload keeps the page, and a refused post opens where its
// problem is; without script every page shows. Every state passes axe-core.
void TestBrowserSubmission::aFormOfSeveralPagesShowsOnePageAtATime()
{
    const AskCondition attended { u"Did you attend?"_s, u"Yes"_s };
    QVERIFY(FormBuilder(m_folder->path(), u"course"_s)
                .title(u"Course Evaluation"_s)
                .textField(u"Your name"_s)
                .asks(true)
                .textField(u"Age"_s)
                .asks(false, AnswerKind::WholeNumber, u"16"_s, u"99"_s)
                .pageBreak(u"Your course"_s)
                .radioButtons(u"Did you attend?"_s, { u"Yes"_s, u"No"_s })
                .asks(true)
                .pageBreak()
                .textArea(u"What did you like?"_s)
                .asks(true, AnswerKind::AnyText, {}, {}, attended)
                .radioButtons(u"Would you recommend it?"_s, { u"Surely"_s, u"Hardly"_s })
                .asks(false, AnswerKind::AnyText, {}, {}, attended)
                .pageBreak(u"Last words"_s)
                .textField(u"Anything else?"_s)
                .submitButton()
                .write());
    QVERIFY(startService());
    const QJsonObject seen = runScript(u"pages.mjs"_s, { m_service->address(), m_workDir }, 300000);
    m_service->stop();
    QVERIFY2(!seen.isEmpty() && !seen.contains(u"failure"_s), QJsonDocument(seen).toJson().constData());
    QCOMPARE(seen.value(u"errors"_s).toArray(), QJsonArray());
    QVERIFY2(seen.value(u"violations"_s).toArray().isEmpty(),
        QJsonDocument(seen.value(u"violations"_s).toArray()).toJson().constData());
    const QJsonObject states = seen.value(u"states"_s).toObject();
    const auto at = [&](const char* name) { return states.value(QLatin1StringView(name)).toObject(); };
    const auto list
        = [](const QJsonObject& s, const char* what) { return s.value(QLatin1StringView(what)).toArray(); };
    for (const QString& name : states.keys())
        QVERIFY2(states.value(name).toObject().value(u"sideways"_s).toInt() <= 0, qPrintable(name));

    // One page, its count and bar (the page asked only after "Yes" not
    // counted yet); Back only after the first, the submit button on the last only.
    const QJsonObject first = at("phone-1");
    QCOMPARE(list(first, "pages"), QJsonArray { 1 });
    QCOMPARE(first.value(u"count"_s).toString(), u"Page 1 of 3"_s);
    QCOMPARE(list(first, "bar"), (QJsonArray { 1, 3 }));
    QVERIFY(!first.value(u"back"_s).toBool() && first.value(u"next"_s).toBool());
    QVERIFY(!first.value(u"submit"_s).toBool());
    for (const QJsonValue height : list(first, "buttonHeights"))
        QVERIFY(height.toInt() >= 44);
    // Next says what the service would, beside the question, and stays.
    const QJsonObject refused = at("phone-1-refused");
    QCOMPARE(list(refused, "pages"), QJsonArray { 1 });
    QCOMPARE(list(refused, "notes"), QJsonArray { u"Please answer this question."_s });
    QCOMPARE(list(refused, "invalid"), QJsonArray { u"Your name"_s });
    QCOMPARE(refused.value(u"focused"_s).toString(), u"Your name"_s);
    QCOMPARE(list(at("phone-1-age"), "notes"), QJsonArray { u"Please give a whole number from 16 to 99."_s });
    const QJsonObject second = at("phone-2");
    QCOMPARE(list(second, "pages"), QJsonArray { 2 });
    QCOMPARE(list(second, "headings"), QJsonArray { u"Your course"_s });
    QVERIFY(second.value(u"back"_s).toBool());
    QCOMPARE(list(at("phone-2-refused"), "notes"), QJsonArray { u"Please choose an answer."_s });
    // "No": the page asked only after "Yes" is passed over, and not counted.
    const QJsonObject afterNo = at("phone-4-after-no");
    QCOMPARE(list(afterNo, "pages"), QJsonArray { 4 });
    QCOMPARE(afterNo.value(u"count"_s).toString(), u"Page 3 of 3"_s);
    QVERIFY(afterNo.value(u"submit"_s).toBool() && !afterNo.value(u"next"_s).toBool());
    QCOMPARE(list(at("phone-reloaded"), "pages"), QJsonArray { 4 });
    QCOMPARE(seen.value(u"reloadedName"_s).toString(), u"Ana"_s);
    QCOMPARE(list(at("phone-back"), "pages"), QJsonArray { 2 });
    const QJsonObject third = at("phone-3-refused");
    QCOMPARE(list(third, "pages"), QJsonArray { 3 });
    QCOMPARE(third.value(u"count"_s).toString(), u"Page 3 of 4"_s);
    QCOMPARE(list(third, "notes"), QJsonArray { u"Please answer this question."_s });
    // The service refused what the page let through: the page with the problem opens.
    QCOMPARE(seen.value(u"refusedStatus"_s).toInt(), 422);
    const QJsonObject again = at("phone-422");
    QCOMPARE(list(again, "pages"), QJsonArray { 1 });
    QCOMPARE(list(again, "invalid"), QJsonArray { u"Age"_s });
    QCOMPARE(again.value(u"focused"_s).toString(), u"Age"_s);
    QVERIFY(seen.value(u"thanked"_s).toBool());

    QCOMPARE(list(at("desktop-1"), "pages"), QJsonArray { 1 });
    QCOMPARE(list(at("desktop-2"), "pages"), QJsonArray { 2 });
    for (const char* bare : { "noscript-390", "noscript-1920" }) {
        QCOMPARE(list(at(bare), "pages"), (QJsonArray { 1, 2, 3, 4 }));
        QCOMPARE(list(at(bare), "headings"), (QJsonArray { u"Your course"_s, u"Last words"_s }));
        QVERIFY(at(bare).value(u"submit"_s).toBool());
    }

    const QList<QVariantMap> stored = tableRows(m_folder->database(), u"tbl_course"_s);
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.constFirst().value(u"Age"_s).toString(), u"31"_s);
    QCOMPARE(stored.constFirst().value(u"What did you like?"_s).toString(), u"The exercises"_s);
    QCOMPARE(stored.constFirst().value(u"Anything else?"_s).toString(), u"Thanks"_s);
}

// The page asking for the code, its refusals and the form with a code pass
// axe-core on a phone and on a desktop, and work by keyboard.
void TestBrowserSubmission::anInvitedFormAsksForTheCodeForEveryone()
{
    FormSettings anonymous;
    anonymous.invitedOnly = true;
    anonymous.anonymousAnswers = true;
    QVERIFY(FormBuilder(m_folder->path(), u"invite"_s)
                .title(u"Staff Survey"_s)
                .settings(anonymous)
                .textField(u"Name"_s)
                .submitButton()
                .write());
    QVERIFY(addParticipants(*openStore(m_folder->database()), u"tbl_invite"_s, { [] {
        Participant p;
        p.code = u"ACDE3479"_s;
        p.name = u"Ann"_s;
        return p;
    }() }));
    QVERIFY(startService());
    const QJsonObject seen
        = runScript(u"invite.mjs"_s, { m_service->address(), u"ACDE3479"_s, m_workDir }, 120000);
    m_service->stop();
    QVERIFY2(!seen.isEmpty() && !seen.contains(u"failure"_s), QJsonDocument(seen).toJson().constData());
    QCOMPARE(seen.value(u"errors"_s).toArray(), QJsonArray());
    QCOMPARE(seen.value(u"violations"_s).toArray(), QJsonArray());
    const QJsonObject said = seen.value(u"said"_s).toObject();
    for (const QString& size : { u"phone"_s, u"desktop"_s }) {
        QCOMPARE(said.value(size + u"-focused"_s).toString(), u"code"_s);
        QVERIFY(said.value(size + u"-code"_s).toString().contains(u"Your code"_s));
        QVERIFY(said.value(size + u"-unknown"_s)
                    .toString()
                    .contains(u"This code is not known. Please check it."_s));
        QVERIFY(said.value(size + u"-form"_s)
                    .toString()
                    .contains(u"Your answers are anonymous: nobody can tell which answers are yours."_s));
        QVERIFY(said.value(size + u"-refused"_s).toString().contains(u"This code is not known."_s));
    }
    QVERIFY(tableRows(m_folder->database(), u"tbl_invite"_s).isEmpty());
}

// A ranking with the page's script is a list moved by keyboard: the focus
// stays on the moved option's button, a live note says its place, the menus
// hidden but set; sent as shown. Without script the menus show, and a ranking
// given in part is refused with its places put back. No finding of axe-core
// at 390 and 1920 px, nothing wider than a phone.
void TestBrowserSubmission::aRankingIsPutInOrderByKeyboardOrWithMenus()
{
    QuestionSettings required;
    required.rules.required = true;
    required.shuffleOptions = true;
    QuestionSettings shuffled;
    shuffled.shuffleOptions = true;
    QVERIFY(
        FormBuilder(m_folder->path(), u"tastes"_s)
            .title(u"Tastes"_s)
            .ranking(u"Which drink do you like best?"_s, { u"Tea"_s, u"Coffee"_s, u"Cocoa"_s })
            .asks(required)
            .ranking(u"And which sport?"_s, { u"Golf"_s, u"Polo"_s })
            .radioButtons(u"Colour"_s,
                { u"Red"_s, u"Green"_s, u"Blue"_s, u"Grey"_s, u"Pink"_s, u"Teal"_s, u"Gold"_s, u"Plum"_s })
            .asks(shuffled)
            .submitButton()
            .write());
    QVERIFY(startService());
    const QJsonObject seen = runScript(u"ranking.mjs"_s, { m_service->address(), m_workDir }, 300000);
    m_service->stop();
    QVERIFY2(!seen.isEmpty() && !seen.contains(u"failure"_s), QJsonDocument(seen).toJson().constData());
    QCOMPARE(seen.value(u"errors"_s).toArray(), QJsonArray());
    QVERIFY2(seen.value(u"violations"_s).toArray().isEmpty(),
        QJsonDocument(seen.value(u"violations"_s).toArray()).toJson().constData());
    const QJsonObject states = seen.value(u"states"_s).toObject();
    const auto at = [&](const QString& name) { return states.value(name).toObject(); };
    for (const QString& name : states.keys()) {
        QVERIFY2(at(name).value(u"sideways"_s).toInt() <= 0, qPrintable(name));
        QVERIFY2(at(name).value(u"smallest"_s).toInt() >= 44, qPrintable(name));
    }
    const auto drinks = [&](const QString& name) {
        QStringList shown;
        for (const QJsonValue& v : at(name).value(u"lists"_s).toArray().at(0).toArray())
            shown.append(v.toString());
        return shown;
    };
    const QStringList first = drinks(u"phone"_s);
    QCOMPARE(first.size(), 3);
    QCOMPARE(at(u"phone"_s).value(u"menusShown"_s).toInt(), 0);
    // The required ranking is placed as shown from the start; the other not until moved.
    const QJsonObject places = at(u"phone"_s).value(u"places"_s).toObject();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(places.value(first.at(i)).toString(), QString::number(i + 1));
    QCOMPARE(places.value(u"Golf"_s).toString(), QString());
    QVERIFY(at(u"phone"_s).value(u"buttons"_s).toArray().contains(QString(u"Move up: "_s + first.at(1))));
    // Moved down twice by keyboard: last, the focus on its "Move up" once it cannot go further.
    QCOMPARE(drinks(u"phone-moved-once"_s), (QStringList { first.at(1), first.at(0), first.at(2) }));
    QCOMPARE(at(u"phone-moved-once"_s).value(u"focused"_s).toString(), u"Move down: "_s + first.at(0));
    QCOMPARE(at(u"phone-moved-once"_s).value(u"live"_s).toArray().at(0).toString(),
        first.at(0) + u": place 2 of 3"_s);
    QCOMPARE(drinks(u"phone-moved-twice"_s), (QStringList { first.at(1), first.at(2), first.at(0) }));
    QCOMPARE(at(u"phone-moved-twice"_s).value(u"focused"_s).toString(), u"Move up: "_s + first.at(0));
    // Shift+Tab and Space: the "Move down" of the option before it, which goes last in its turn.
    const QStringList sent = drinks(u"phone-moved-back"_s);
    QCOMPARE(sent, (QStringList { first.at(1), first.at(0), first.at(2) }));
    QCOMPARE(seen.value(u"colours"_s).toArray(), (QJsonArray { u"Green"_s, u"Green"_s, u"Green"_s }));
    QCOMPARE(drinks(u"phone-reloaded"_s), sent);
    QCOMPARE(seen.value(u"sentStatus"_s).toInt(), 200);
    QCOMPARE(seen.value(u"refusedStatus"_s).toInt(), 422);
    QCOMPARE(at(u"noscript-390"_s).value(u"menusShown"_s).toInt(), 5);
    const QJsonObject refused = at(u"noscript-390-refused"_s);
    QVERIFY(refused.value(u"notes"_s)
                .toArray()
                .contains(u"Please give each option a different place from 1 to 2."_s));
    QCOMPARE(refused.value(u"places"_s).toObject().value(u"Golf"_s).toString(), u"1"_s);
    QCOMPARE(refused.value(u"places"_s).toObject().value(u"Tea"_s).toString(), u"3"_s);

    const QList<QVariantMap> stored = tableRows(m_folder->database(), u"tbl_tastes"_s);
    QCOMPARE(stored.size(), 1);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(stored.at(0).value(sent.at(i)).toString(), QString::number(i + 1));
    QVERIFY(stored.at(0).value(u"Golf"_s).isNull());
}

QTEST_GUILESS_MAIN(TestBrowserSubmission)
#include "tst_BrowserSubmission.moc"
