// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// Normal submissions while 300 slowloris and 2,500 idle connections are held
// open against the service on 127.0.0.1. Bounded: a few seconds.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include "server/CollectionService.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace quenlow;
using namespace quenlow::test;

class TestServiceUnderAttack : public QObject
{
    Q_OBJECT

private slots:
    void normalSubmissionsKeepFlowing();
};

void TestServiceUnderAttack::normalSubmissionsKeepFlowing()
{
    constexpr int kSlowloris = 300;
    constexpr int kIdle = 2500;
    constexpr int kClients = 4;
    constexpr int kEach = 250;

    // Both ends of every connection live in this process.
    rlimit limit{};
    QVERIFY(getrlimit(RLIMIT_NOFILE, &limit) == 0);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    QVERIFY(getrlimit(RLIMIT_NOFILE, &limit) == 0);
    if (limit.rlim_cur < rlim_t(2 * (kSlowloris + kIdle) + 256))
        QSKIP("this machine allows too few open files for the attack");

    TestProgramFolder folder;
    QVERIFY(FormBuilder(folder.path(), QStringLiteral("survey")).textField(QStringLiteral("Name")).submitButton().write());
    CollectionService service;
    service.setLogSink([](const QByteArray&) {});
    QString error;
    QVERIFY2(service.start(folder.path(), QStringLiteral("127.0.0.1"), 0, &error), qPrintable(error));
    const quint16 port = service.port();

    std::vector<int> attackers;
    for (int i = 0; i < kSlowloris + kIdle; ++i) {
        const int s = openConnection(port);
        QVERIFY(s >= 0);
        attackers.push_back(s);
        if (i < kSlowloris)
            ::send(s, "POST /scripts/save.asp HTTP/1.1\r\nHost: x\r\n", 42, MSG_NOSIGNAL);
    }
    QTRY_VERIFY_WITH_TIMEOUT(service.connectionCount() >= kSlowloris + kIdle, 10000);
    std::atomic<bool> done{false};
    std::thread trickle([&] {
        for (int round = 0; !done && round < 600; ++round) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (round % 10 == 0) {
                for (int i = 0; i < kSlowloris; ++i)
                    ::send(attackers[size_t(i)], "X-Slow: 1\r\n", 11, MSG_NOSIGNAL);
            }
        }
    });

    std::mutex mutex;
    QList<qint64> latenciesUs;
    QSet<QString> acknowledged;
    std::atomic<int> failures{0};
    std::vector<std::thread> clients;
    for (int t = 0; t < kClients; ++t) {
        clients.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                const QString id = QStringLiteral("%1-%2").arg(t).arg(i);
                const QList<QPair<QString, QString>> fields = {{QStringLiteral("tableName"), QStringLiteral("tbl_survey")},
                                                               {QStringLiteral("Name Type"), QStringLiteral("Text Field")},
                                                               {QStringLiteral("Name"), id}};
                QElapsedTimer clock;
                clock.start();
                // A new connection each time, as a crowd of phones makes.
                const RawResponse r = TestClient(port, false, 10000).postForm(fields);
                const qint64 us = clock.nsecsElapsed() / 1000;
                std::lock_guard lock(mutex);
                latenciesUs.append(us);
                if (r.status == 200)
                    acknowledged.insert(id);
                else
                    ++failures;
            }
        });
    }
    for (auto& c : clients)
        c.join();
    // The attack was still on when the last submission was answered.
    const int stillOpen = service.connectionCount();
    done = true;
    trickle.join();
    for (int s : attackers)
        ::close(s);

    QCOMPARE(failures.load(), 0);
    QVERIFY2(stillOpen >= kSlowloris + kIdle, QByteArray::number(stillOpen).constData());
    std::sort(latenciesUs.begin(), latenciesUs.end());
    const qint64 p99 = latenciesUs.at(qsizetype(latenciesUs.size() * 99 / 100));
    qInfo("p99 %.1f ms, median %.1f ms over %d submissions", p99 / 1000.0,
          latenciesUs.at(latenciesUs.size() / 2) / 1000.0, int(latenciesUs.size()));
    QVERIFY2(p99 < 100000, QByteArray::number(p99).constData());

    // Every acknowledged submission stored exactly once.
    service.stop();
    const QList<QVariantMap> rows = tableRows(folder.path(), QStringLiteral("tbl_survey"));
    QCOMPARE(rows.size(), kClients * kEach);
    QSet<QString> stored;
    for (const QVariantMap& row : rows)
        stored.insert(row.value(QStringLiteral("Name")).toString());
    QCOMPARE(stored, acknowledged);
}

QTEST_GUILESS_MAIN(TestServiceUnderAttack)
#include "tst_ServiceUnderAttack.moc"
