// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/CommandLine.h"
#include "core/Messages.h"
#include "platform/MessageBoxMessages.h"
#include "program/Program.h"
#include "server/ListenAddress.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    // The web engine wants this before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenlow"));
    QApplication::setDesktopFileName(QStringLiteral("quenlow"));
    if (QFile::exists(QStringLiteral(":/quenlow.png")))
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/quenlow.png")));

    quenlow::MessageBoxMessages messages;
    quenlow::Messages::install(&messages);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Designs questionnaire forms and collects their answers."));
    parser.addHelpOption();
    const QCommandLineOption folderOption(QStringLiteral("app-folder"),
                                          QStringLiteral("The program folder (made and laid out when missing)."),
                                          QStringLiteral("DIR"));
    const QCommandLineOption listenOption(QStringLiteral("listen"),
                                          QStringLiteral("Where Collect Answers publishes the forms."),
                                          QStringLiteral("ADDRESS:PORT"));
    const QCommandLineOption databaseOption = quenlow::answersDatabaseOption();
    parser.addOptions({folderOption, listenOption, databaseOption});
    parser.process(app); // --help, and unknown options, end here with a message

    QString error;
    const QString folder = quenlow::programFolder(parser.value(folderOption), &error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "quenlow: %s\n", qPrintable(error));
        quenlow::showExclamation(QStringLiteral("Quenlow cannot start: ") + error + QStringLiteral("."));
        quenlow::Messages::install(nullptr);
        return 1;
    }
    QString host = quenlow::defaultListenHost();
    quint16 port = quenlow::kDefaultListenPort;
    if (parser.isSet(listenOption) && !quenlow::parseListenAddress(parser.value(listenOption), &host, &port)) {
        std::fprintf(stderr, "quenlow: --listen takes ADDRESS:PORT, for example 127.0.0.1:8080\n");
        quenlow::Messages::install(nullptr);
        return 1;
    }
    int result = 0;
    {
        quenlow::Program program(folder);
        // The database named here, else the one last chosen in the window.
        program.setAnswersStore(parser.isSet(databaseOption) ? parser.value(databaseOption)
                                                             : quenlow::Program::rememberedAnswersStore());
        if (parser.isSet(listenOption))
            program.setCollectionListen(host, port);
        program.start();
        result = QApplication::exec();
    }
    quenlow::Messages::install(nullptr);
    return result;
}
