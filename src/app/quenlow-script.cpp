// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers

// quenlow-script [--real-view] [--database URL|FILE] --app-folder DIR SCRIPT
// quenlow-script --help | --version
//
// Runs the desktop program on the offscreen platform and drives its windows
// from SCRIPT ("-" for standard input), printing a transcript of what the
// program showed. Exit status 0 after a complete run, 2 after an error.
// With --real-view the browser views render the pages (offscreen) and the
// transcript tells what they actually showed.

#include "app/ServiceProcess.h"
#include "core/CommandLine.h"
#include "platform/Translations.h"
#include "program/Program.h"
#include "program/ScriptRunner.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kErrorExit = 2;

int usage(const char* reason)
{
    std::fprintf(stderr,
        "quenlow-script: %s\nusage: quenlow-script [--real-view] [--database URL|FILE] --app-folder DIR "
        "SCRIPT   (SCRIPT may be -)\n",
        reason);
    return kErrorExit;
}

} // namespace

int main(int argc, char* argv[])
{
    // Before QApplication: the platform is chosen when it starts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // As the program does: a script may collect answers, and a window may
    // hold a web view of its own.
    quenlow::prepareServiceProcess();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenlow"));
    quenlow::installTranslations();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs the program from a script and prints what it showed."));
    quenlow::addHelpAndVersionOptions(parser);
    const QCommandLineOption folderOption(
        QStringLiteral("app-folder"), QStringLiteral("The program folder."), QStringLiteral("DIR"));
    const QCommandLineOption realViewOption(
        QStringLiteral("real-view"), QStringLiteral("Render the pages for real and tell what they show."));
    const QCommandLineOption shownTextsOption(QStringLiteral("shown-texts"),
        QStringLiteral("Write every text the windows show to FILE, one \"PLACE<tab>TEXT\" a line."),
        QStringLiteral("FILE"));
    const QCommandLineOption databaseOption = quenlow::answersDatabaseOption();
    parser.addOptions({ folderOption, realViewOption, shownTextsOption, databaseOption });
    parser.addPositionalArgument(
        QStringLiteral("SCRIPT"), QStringLiteral("The script, or - for standard input."));
    if (!parser.parse(QApplication::arguments()))
        return usage(qPrintable(parser.errorText()));
    if (const std::optional<int> answered = quenlow::answerHelpOrVersion(parser))
        return *answered;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usage("no script given");
    if (positional.size() > 1)
        return usage("more than one script given");
    const QString scriptPath = positional.constFirst();
    const bool realView = parser.isSet(realViewOption);

    QFile file;
    const bool opened = scriptPath == QLatin1String("-")
        ? file.open(stdin, QIODevice::ReadOnly)
        : (file.setFileName(scriptPath), file.open(QIODevice::ReadOnly));
    if (!opened) {
        std::fprintf(stderr, "error 0: cannot read the script %s: %s\n", qPrintable(scriptPath),
            qPrintable(file.errorString()));
        return kErrorExit;
    }
    const QString script = QString::fromUtf8(file.readAll());

    QString error;
    const QString appFolder = quenlow::programFolder(parser.value(folderOption), &error);
    if (appFolder.isEmpty()) {
        std::fprintf(stderr, "error 0: %s\n", qPrintable(error));
        return kErrorExit;
    }

    // The recorders go in before the program creates a single window.
    quenlow::ScriptRunner runner;
    runner.setRealView(realView);
    runner.setAppFolder(appFolder);
    if (!runner.load(script))
        return runner.exitCode();
    QFile shownTexts(parser.value(shownTextsOption));
    if (parser.isSet(shownTextsOption)) {
        if (!shownTexts.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "error 0: cannot write %s: %s\n", qPrintable(shownTexts.fileName()),
                qPrintable(shownTexts.errorString()));
            return kErrorExit;
        }
        runner.setShownTextsOutput(
            [&shownTexts](const QString& line) { shownTexts.write(line.toUtf8() + '\n'); });
    }

    quenlow::Program program(appFolder);
    program.setAnswersStore(parser.value(databaseOption));
    QTimer::singleShot(0, &runner, [&runner, &program] {
        runner.start([&program] {
            program.start();
            program.resumeCollecting();
        });
    });
    QApplication::exec();
    runner.programEnded();
    return runner.exitCode();
}
