// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// How long importing a list of participants takes, codes and all, as the
// Participants window does it: read the CSV file, make a code for each, add
// them in one transaction.
//
//   bench_participants LOCATION [PEOPLE]
//
// LOCATION is a new SQLite file or a PostgreSQL URL of a database without a
// store; the store is made there.
#include "database/AnswersStore.h"
#include "model/ParticipantList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace quenlow;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_participants LOCATION [PEOPLE]\n");
        return 2;
    }
    const int people = args.size() > 2 ? args.at(2).toInt() : 10000;
    auto made = createAnswersStore(args.at(1));
    if (!made
        || !(*made)->createTable(
            AnswersStore::tableFor(QStringLiteral("bench")), QStringLiteral("Question"))) {
        std::fprintf(stderr, "cannot make the store\n");
        return 1;
    }
    made = Error { Error::Other, QString() }; // closed before the import opens it again
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("people.csv"));
    QFile file(csv);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write("name,class,region\r\n");
    for (int i = 0; i < people; ++i)
        file.write(QStringLiteral("Pupil %1,%2,Région %3\r\n").arg(i).arg(i % 30).arg(i % 7).toUtf8());
    file.close();

    QElapsedTimer clock;
    clock.start();
    const auto added = importParticipants(args.at(1), QStringLiteral("bench"), csv);
    const qint64 ms = clock.elapsed();
    if (!added) {
        std::fprintf(
            stderr, "import failed: %d %s\n", int(added.error().kind), qPrintable(added.error().detail));
        return 1;
    }
    std::printf("%d participants imported in %lld ms\n", *added, ms);
    return 0;
}
