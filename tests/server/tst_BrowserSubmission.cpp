// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// End to end in a real browser: headless Chromium opens a form from the
// service, answers every kind of question and submits it.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include "database/AnswersDatabase.h"
#include "database/AnswersStore.h"
#include "server/CollectionService.h"
#ifdef QUENLOW_WITH_REPORTER
#include "reporter/ChartCounts.h"
#endif

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

const QString kChromium = QStringLiteral("/usr/bin/chromium");

QJsonObject action(const QString& name, const char* kind, const QJsonValue& value)
{
    return QJsonObject{{QStringLiteral("name"), name}, {QString::fromLatin1(kind), value}};
}

// Counts as the reporter's charts count: exact, case-sensitive matches per option.
QList<qint64> countAnswers(const QString& appFolder, const QString& column, const QStringList& options)
{
    auto db = AnswersDatabase::open(AnswersDatabase::pathIn(appFolder));
    if (!db)
        return {};
#ifdef QUENLOW_WITH_REPORTER
    auto store = quenlow::openAnswersStore(AnswersDatabase::pathIn(appFolder));
    return store ? quenlow::countAnswers(**store, QStringLiteral("tbl_survey"), column, options).valueOr({}) : QList<qint64>{};
#else
    QList<qint64> counts(options.size(), 0);
    for (const QVariantMap& row : tableRows(appFolder, QStringLiteral("tbl_survey"))) {
        const qsizetype i = options.indexOf(row.value(column).toString());
        if (i >= 0 && !row.value(column).isNull())
            ++counts[i];
    }
    return counts;
#endif
}

} // namespace

class TestBrowserSubmission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chromiumFillsInAndSubmitsAForm();

private:
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
    for (const QString& file : {QStringLiteral("package.json"), QStringLiteral("submit.mjs")}) {
        const QString target = m_workDir + QLatin1Char('/') + file;
        QFile::remove(target);
        QVERIFY(QFile::copy(QStringLiteral(QUENLOW_BROWSER_SCRIPTS "/") + file, target));
    }
    if (!QFile::exists(m_workDir + QStringLiteral("/node_modules/playwright-core/package.json"))) {
        QProcess install;
        install.setWorkingDirectory(m_workDir);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(npm, {QStringLiteral("install"), QStringLiteral("--no-audit"), QStringLiteral("--no-fund"),
                            QStringLiteral("--loglevel=error")});
        if (!install.waitForFinished(240000) || install.exitCode() != 0) {
            install.kill();
            qWarning("%s", install.readAll().constData());
            QSKIP("npm could not install playwright-core (no access to the npm registry?)");
        }
    }
}

void TestBrowserSubmission::chromiumFillsInAndSubmitsAForm()
{
    TestProgramFolder folder;
    QVERIFY(FormBuilder(folder.path(), QStringLiteral("survey"))
                .title(QStringLiteral("Staff Survey"))
                .textField(QStringLiteral("What's your name?"))
                .textArea(QStringLiteral("Comments & \"remarks\""))
                .plainText(QStringLiteral("Please tick the approprtiate check boxes :"))
                .checkBox(QStringLiteral("Tea"))
                .checkBox(QStringLiteral("Coffee"), /*ticked=*/true)
                .checkBox(QStringLiteral("Juice"))
                .radioButtons(QStringLiteral("Colour"), {QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")},
                              QStringLiteral("Red"))
                .radioButtons(QStringLiteral("Size"), {QStringLiteral("S"), QStringLiteral("L")})
                .menu(QStringLiteral("Team"), {QStringLiteral("Sales"), QStringLiteral("R&D"), QStringLiteral("Support")})
                .submitButton()
                .write());

    CollectionService service;
    service.setLogSink([](const QByteArray&) {});
    QString error;
    QVERIFY2(service.start(folder.path(), QStringLiteral("127.0.0.1"), 0, &error), qPrintable(error));

    const QJsonArray actions{action(QStringLiteral("What's your name?"), "fill", QStringLiteral("Zoë O'Brien")),
                             action(QStringLiteral("Comments & \"remarks\""), "fill",
                                    QStringLiteral("Line one\nLine two: 5 < 6 & \"fine\" ✓")),
                             action(QStringLiteral("Tea"), "check", true),
                             action(QStringLiteral("Coffee"), "check", false),
                             action(QStringLiteral("Colour"), "choose", QStringLiteral("Blue")),
                             action(QStringLiteral("Team"), "select", QStringLiteral("R&D"))};
    QProcess node;
    node.setWorkingDirectory(m_workDir);
    node.start(m_node, {m_workDir + QStringLiteral("/submit.mjs"), service.pageAddress(QStringLiteral("survey.html")),
                        QString::fromUtf8(QJsonDocument(actions).toJson(QJsonDocument::Compact))});
    QVERIFY(node.waitForFinished(120000));
    const QByteArray errors = node.readAllStandardError();
    QVERIFY2(node.exitCode() == 0, errors.constData());
    const QJsonObject answer = QJsonDocument::fromJson(node.readAllStandardOutput().trimmed()).object();
    QCOMPARE(answer.value(QStringLiteral("status")).toInt(), 200);
    QVERIFY(answer.value(QStringLiteral("url")).toString().endsWith(QStringLiteral("/scripts/save.asp")));
    QVERIFY(answer.value(QStringLiteral("text")).toString().contains(QStringLiteral("Thank you")));

    const QList<QVariantMap> rows = tableRows(folder.path(), QStringLiteral("tbl_survey"));
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

    // What the reporter's charts make of it.
    const QStringList boxes{QStringLiteral("Checked"), QStringLiteral("Not Checked")};
    QCOMPARE(countAnswers(folder.path(), QStringLiteral("Tea"), boxes), (QList<qint64>{1, 0}));
    QCOMPARE(countAnswers(folder.path(), QStringLiteral("Coffee"), boxes), (QList<qint64>{0, 1}));
    QCOMPARE(countAnswers(folder.path(), QStringLiteral("Colour"),
                          {QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")}),
             (QList<qint64>{0, 0, 1}));
    QCOMPARE(countAnswers(folder.path(), QStringLiteral("Size"), {QStringLiteral("S"), QStringLiteral("L")}),
             (QList<qint64>{0, 0}));
    QCOMPARE(countAnswers(folder.path(), QStringLiteral("Team"),
                          {QStringLiteral("Sales"), QStringLiteral("R&D"), QStringLiteral("Support")}),
             (QList<qint64>{0, 1, 0}));
    service.stop();
}

QTEST_GUILESS_MAIN(TestBrowserSubmission)
#include "tst_BrowserSubmission.moc"
