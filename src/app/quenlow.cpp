// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/Messages.h"
#include "platform/MessageBoxMessages.h"
#include "program/Program.h"
#include "server/ListenAddress.h"

#include <QApplication>
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

    QString error;
    const QString folder = quenlow::programFolderFromArguments(QApplication::arguments(), &error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "quenlow: %s\n", qPrintable(error));
        quenlow::showExclamation(QStringLiteral("Quenlow cannot start: ") + error + QStringLiteral("."));
        quenlow::Messages::install(nullptr);
        return 1;
    }
    // "--listen ADDRESS:PORT": where "Collect Answers" publishes the forms.
    QString host = quenlow::defaultListenHost();
    quint16 port = quenlow::kDefaultListenPort;
    const QStringList arguments = QApplication::arguments();
    const qsizetype listen = arguments.indexOf(QStringLiteral("--listen"));
    if (listen > 0 && (listen + 1 >= arguments.size() || !quenlow::parseListenAddress(arguments.at(listen + 1), &host, &port))) {
        std::fprintf(stderr, "quenlow: --listen takes ADDRESS:PORT, for example 127.0.0.1:8080\n");
        quenlow::Messages::install(nullptr);
        return 1;
    }
    int result = 0;
    {
        quenlow::Program program(folder);
        program.setCollectionListen(host, port);
        program.start();
        result = QApplication::exec();
    }
    quenlow::Messages::install(nullptr);
    return result;
}
