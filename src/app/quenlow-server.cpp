// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// quenlow-server --app-folder DIR [--listen ADDRESS:PORT] [--max-body-size BYTES]
//                [--tls-cert FILE --tls-key FILE]
#include "app/ServiceProcess.h"
#include "core/CommandLine.h"
#include "database/AnswersStore.h"
#include "server/CollectionService.h"
#include "server/ListenAddress.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <cstring>

#include <pthread.h>

namespace {

void say(const QString& text)
{
    std::fprintf(stderr, "quenlow-server: %s\n", text.toLocal8Bit().constData());
}

int usage(const QString& problem)
{
    say(problem);
    std::fprintf(stderr,
        "usage: quenlow-server --app-folder DIR [--database URL|FILE] [OPTIONS]\n"
        "       quenlow-server --database postgresql://USER@HOST:PORT/DBNAME [OPTIONS]\n"
        "options: [--listen ADDRESS:PORT] [--max-body-size BYTES] [--tls-cert FILE --tls-key FILE]\n"
        "  default address 127.0.0.1:8080; bodies up to 1048576 bytes; PEM files for HTTPS\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    quenlow::prepareServiceProcess();
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Publishes the forms of a Quenlow program folder and stores the answers."));
    quenlow::addHelpAndVersionOptions(parser);
    const QCommandLineOption folderOption(
        QStringLiteral("app-folder"), QStringLiteral("The program folder."), QStringLiteral("DIR"));
    const QCommandLineOption listenOption(QStringLiteral("listen"),
        QStringLiteral("Where to listen (default 127.0.0.1:8080)."), QStringLiteral("ADDRESS:PORT"));
    const QCommandLineOption bodyOption(QStringLiteral("max-body-size"),
        QStringLiteral("The largest posted form, in bytes (default 1048576)."), QStringLiteral("BYTES"));
    const QCommandLineOption certOption(
        QStringLiteral("tls-cert"), QStringLiteral("PEM certificate, for HTTPS."), QStringLiteral("FILE"));
    const QCommandLineOption keyOption(
        QStringLiteral("tls-key"), QStringLiteral("PEM private key, for HTTPS."), QStringLiteral("FILE"));
    const QCommandLineOption databaseOption = quenlow::answersDatabaseOption();
    parser.addOptions({ folderOption, listenOption, bodyOption, certOption, keyOption, databaseOption });
    if (const std::optional<int> exit = quenlow::parseArguments(parser, usage))
        return *exit;

    QString appFolder = parser.value(folderOption);
    QString host = quenlow::defaultListenHost();
    quint16 port = quenlow::kDefaultListenPort;
    if (parser.isSet(listenOption)) {
        const std::optional<quenlow::ListenAddress> listen
            = quenlow::parseListenAddress(parser.value(listenOption));
        if (!listen)
            return usage(QStringLiteral("--listen takes ADDRESS:PORT, for example 127.0.0.1:8080"));
        host = listen->host;
        port = listen->port;
    }
    qint64 maxBody = quenlow::CollectionService::defaultMaxBodySize;
    if (parser.isSet(bodyOption)) {
        bool ok = false;
        maxBody = parser.value(bodyOption).toLongLong(&ok);
        if (!ok || maxBody <= 0)
            return usage(QStringLiteral("--max-body-size takes a number of bytes"));
    }
    const QString tlsCertificate = parser.value(certOption);
    const QString tlsKey = parser.value(keyOption);
    const QString database = parser.value(databaseOption);
    // A database server holds the published forms; a folder is then not needed.
    if (appFolder.isEmpty() && !quenlow::isServerLocation(database))
        return usage(QStringLiteral("--app-folder is required unless --database names a database server"));
    if (tlsCertificate.isEmpty() != tlsKey.isEmpty())
        return usage(QStringLiteral("--tls-cert and --tls-key go together"));
    if (!appFolder.isEmpty())
        appFolder = QDir(appFolder).absolutePath();

    // Signals are taken by sigwait below, never by a thread in the middle of a request.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    quenlow::CollectionService service;
    service.setMaxBodySize(maxBody);
    if (!database.isEmpty())
        service.setAnswersStore(database);
    if (!tlsCertificate.isEmpty())
        service.setTls(tlsCertificate, tlsKey);
    if (const quenlow::Result<void> started = service.start(appFolder, host, port); !started) {
        say(started.error().detail);
        return 1;
    }
    say(QStringLiteral("collecting answers for %1 at %2")
            .arg(appFolder.isEmpty() ? quenlow::shownLocation(database) : QDir::toNativeSeparators(appFolder),
                service.address()));

    int signal = 0;
    sigwait(&stopSignals, &signal);
    say(QStringLiteral("stopping (%1); finishing the requests in flight")
            .arg(QString::fromLatin1(strsignal(signal))));
    service.stop();
    say(QStringLiteral("stopped; %1 submissions stored in %2 commits")
            .arg(service.storedCount())
            .arg(service.commitCount()));
    return 0;
}
