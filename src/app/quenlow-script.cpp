// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers

// quenlow-script [--real-view] --app-folder DIR SCRIPT
//
// Runs the desktop program on the offscreen platform and drives its windows
// from SCRIPT ("-" for standard input), printing a transcript of what the
// program showed. Exit status 0 after a complete run, 2 after an error.
// With --real-view the browser views render the pages (offscreen) and the
// transcript tells what they actually showed.

#include "program/Program.h"
#include "program/ScriptRunner.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kErrorExit = 2;

int usage(const char* reason)
{
    std::fprintf(stderr,
        "quenlow-script: %s\nusage: quenlow-script [--real-view] --app-folder DIR SCRIPT   (SCRIPT may be -)\n", reason);
    return kErrorExit;
}

} // namespace

int main(int argc, char* argv[])
{
    // Before QApplication: the platform is chosen when it starts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // As the program does, in case a window holds a web view of its own.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenlow"));

    const QStringList arguments = QApplication::arguments();
    QStringList folderArguments { arguments.value(0) };
    QString scriptPath;
    bool realView = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--app-folder")) {
            if (i + 1 >= arguments.size())
                return usage("--app-folder needs a folder");
            folderArguments << arguments.at(i) << arguments.at(i + 1);
            ++i;
        } else if (arguments.at(i) == QLatin1String("--real-view")) {
            realView = true;
        } else if (scriptPath.isEmpty()) {
            scriptPath = arguments.at(i);
        } else {
            return usage("more than one script given");
        }
    }
    if (scriptPath.isEmpty())
        return usage("no script given");

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
    const QString appFolder = quenlow::programFolderFromArguments(folderArguments, &error);
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

    quenlow::Program program(appFolder);
    QTimer::singleShot(0, &runner, [&runner, &program] { runner.start([&program] { program.start(); }); });
    QApplication::exec();
    runner.programEnded();
    return runner.exitCode();
}
