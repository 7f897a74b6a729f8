// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "support/PostgresFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <atomic>

namespace quenlow::test {

QString freshPostgresLocation(QString* why)
{
    QString admin = qEnvironmentVariable("QUENLOW_TEST_POSTGRES");
    if (admin.isEmpty()) {
        QFile file(QStringLiteral(QUENLOW_PG_URL_FILE));
        if (!file.open(QIODevice::ReadOnly)) {
            if (why)
                *why = QStringLiteral(
                    "PostgreSQL is not installed: no test cluster runs (%1 is missing; run the tests "
                    "through ctest, which starts it)")
                           .arg(file.fileName());
            return {};
        }
        admin = QString::fromUtf8(file.readAll()).trimmed();
    }
    // Unique across the processes of one run (ctest -j) and across runs on
    // a kept server.
    static std::atomic<int> counter = 0;
    return QStringLiteral("%1/t%2_%3_%4")
        .arg(admin)
        .arg(QCoreApplication::applicationPid())
        .arg(++counter)
        .arg(QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QLatin1Char('0'));
}

} // namespace quenlow::test
