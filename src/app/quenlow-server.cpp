// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// quenlow-server --app-folder DIR [--listen ADDRESS:PORT] [--max-body-size BYTES]
//                [--tls-cert FILE --tls-key FILE]
#include "server/CollectionService.h"
#include "server/ListenAddress.h"

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
    std::fprintf(stderr, "usage: quenlow-server --app-folder DIR [--listen ADDRESS:PORT] [--max-body-size BYTES]\n"
                         "                      [--tls-cert FILE --tls-key FILE]\n"
                         "  default address 127.0.0.1:8080; bodies up to 1048576 bytes; PEM files for HTTPS\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    QString appFolder;
    QString host = quenlow::defaultListenHost();
    quint16 port = quenlow::kDefaultListenPort;
    qint64 maxBody = quenlow::CollectionService::defaultMaxBodySize;
    QString tlsCertificate, tlsKey;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1StringView("--help") || a == QLatin1StringView("-h")) {
            usage(QStringLiteral("publishes the forms of a Quenlow program folder and stores the answers"));
            return 0;
        } else if (a == QLatin1StringView("--app-folder") && hasValue) {
            appFolder = args.at(++i);
        } else if (a == QLatin1StringView("--listen") && hasValue) {
            if (!quenlow::parseListenAddress(args.at(++i), &host, &port))
                return usage(QStringLiteral("--listen takes ADDRESS:PORT, for example 127.0.0.1:8080"));
        } else if (a == QLatin1StringView("--max-body-size") && hasValue) {
            bool ok = false;
            maxBody = args.at(++i).toLongLong(&ok);
            if (!ok || maxBody <= 0)
                return usage(QStringLiteral("--max-body-size takes a number of bytes"));
        } else if (a == QLatin1StringView("--tls-cert") && hasValue) {
            tlsCertificate = args.at(++i);
        } else if (a == QLatin1StringView("--tls-key") && hasValue) {
            tlsKey = args.at(++i);
        } else {
            return usage(QStringLiteral("unknown or incomplete argument '%1'").arg(a));
        }
    }
    if (appFolder.isEmpty())
        return usage(QStringLiteral("--app-folder is required"));
    if (tlsCertificate.isEmpty() != tlsKey.isEmpty())
        return usage(QStringLiteral("--tls-cert and --tls-key go together"));
    appFolder = QDir(appFolder).absolutePath();

    // Signals are taken by sigwait below, never by a thread in the middle of a request.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    quenlow::CollectionService service;
    service.setMaxBodySize(maxBody);
    if (!tlsCertificate.isEmpty())
        service.setTls(tlsCertificate, tlsKey);
    QString error;
    if (!service.start(appFolder, host, port, &error)) {
        say(error);
        return 1;
    }
    say(QStringLiteral("collecting answers for %1 at %2").arg(QDir::toNativeSeparators(appFolder), service.address()));

    int signal = 0;
    sigwait(&stopSignals, &signal);
    say(QStringLiteral("stopping (%1); finishing the requests in flight").arg(QString::fromLatin1(strsignal(signal))));
    service.stop();
    say(QStringLiteral("stopped; %1 submissions stored in %2 commits")
            .arg(service.storedCount())
            .arg(service.commitCount()));
    return 0;
}
