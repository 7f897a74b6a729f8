// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "app/ServiceProcess.h"
#include "core/CommandLine.h"
#include "core/Messages.h"
#include "platform/MessageBoxMessages.h"
#include "platform/Translations.h"
#include "program/Program.h"
#include "server/ListenAddress.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>

#include <cstdio>

namespace {

int usage(const QString& problem)
{
    std::fprintf(stderr,
        "quenlow: %s\nusage: quenlow [--app-folder DIR] [--listen ADDRESS:PORT] [--database URL|FILE]\n",
        qPrintable(problem));
    return 1;
}

struct DesignerOptions {
    QCommandLineOption folder { QStringLiteral("app-folder"),
        QStringLiteral("The program folder (made and laid out when missing); by default the "
                       "folder of the executable, or ~/.local/share/Quenlow when installed."),
        QStringLiteral("DIR") };
    QCommandLineOption listen { QStringLiteral("listen"),
        QStringLiteral("Where Collect Answers publishes the forms."), QStringLiteral("ADDRESS:PORT") };
    QCommandLineOption database = quenlow::answersDatabaseOption();

    explicit DesignerOptions(QCommandLineParser& parser)
    {
        parser.setApplicationDescription(
            QStringLiteral("Designs questionnaire forms and collects their answers."));
        quenlow::addHelpAndVersionOptions(parser);
        parser.addOptions({ folder, listen, database });
    }
};

} // namespace

int main(int argc, char* argv[])
{
    // Answered before the window program starts: no display, no web engine.
    if (quenlow::asksForHelpOrVersion(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        const DesignerOptions options(parser);
        // Nothing here when --help was only the value of another option: the program goes on.
        if (const std::optional<int> exit = quenlow::parseArguments(parser, usage))
            return *exit;
    }

    // "Collect Answers" runs the service in this process.
    quenlow::prepareServiceProcess();
    // The web engine wants this before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenlow"));
    QApplication::setDesktopFileName(QStringLiteral("quenlow"));
    quenlow::installTranslations();
    if (QFile::exists(QStringLiteral(":/quenlow.png")))
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/quenlow.png")));

    quenlow::MessageBoxMessages messages;
    quenlow::Messages::install(&messages);

    QCommandLineParser parser;
    const DesignerOptions options(parser);
    parser.process(app); // unknown options end here with a message

    QString error;
    const QString folder = quenlow::programFolder(parser.value(options.folder), &error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "quenlow: %s\n", qPrintable(error));
        quenlow::showExclamation(
            QCoreApplication::translate("Program", "Quenlow cannot start: %1.").arg(error));
        quenlow::Messages::install(nullptr);
        return 1;
    }
    QString host = quenlow::defaultListenHost();
    quint16 port = quenlow::kDefaultListenPort;
    if (parser.isSet(options.listen)) {
        const std::optional<quenlow::ListenAddress> listen
            = quenlow::parseListenAddress(parser.value(options.listen));
        if (!listen) {
            std::fprintf(stderr, "quenlow: --listen takes ADDRESS:PORT, for example 127.0.0.1:8080\n");
            quenlow::Messages::install(nullptr);
            return 1;
        }
        host = listen->host;
        port = listen->port;
    }
    int result = 0;
    {
        quenlow::Program program(folder);
        // The database named here, else the one last chosen in the window.
        program.setAnswersStore(parser.isSet(options.database) ? parser.value(options.database)
                                                               : quenlow::Program::rememberedAnswersStore());
        if (parser.isSet(options.listen))
            program.setCollectionListen(host, port);
        program.start();
        program.resumeCollecting();
        result = QApplication::exec();
    }
    quenlow::Messages::install(nullptr);
    return result;
}
