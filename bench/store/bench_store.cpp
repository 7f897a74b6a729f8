// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// Durable write and read rates of an answers store, as the collection
// service uses it: batches of rows with tokens and arrival times, one commit
// each, from one or more writers (each with its own store object).
//
//   bench_store LOCATION [WRITERS] [SECONDS] [ROWS PER BATCH]
//
// With one row per batch it is the single-row durable insert rate through
// the store (one commit per row).
//
// Then the rows are read back, and ordered for browsing.
//
// LOCATION is a new SQLite file or a PostgreSQL URL of a database without a
// store; the store is made there.
#include "database/AnswersStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

using namespace quenlow;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_store LOCATION [WRITERS] [SECONDS] [ROWS PER BATCH]\n");
        return 2;
    }
    const QString location = args.at(1);
    const int writers = args.size() > 2 ? args.at(2).toInt() : 1;
    const double seconds = args.size() > 3 ? args.at(3).toDouble() : 5;
    const int kBatch = args.size() > 4 ? qBound(1, args.at(4).toInt(), 10000) : 64;
    constexpr int kQuestions = 10;

    auto made = createAnswersStore(location);
    if (!made) {
        std::fprintf(stderr, "%s\n", qPrintable(made.error().detail));
        return 1;
    }
    const QString table = AnswersStore::tableFor(QStringLiteral("bench"));
    QStringList questions;
    for (int q = 0; q < kQuestions; ++q)
        questions.append(QStringLiteral("Question %1").arg(q));
    if (!(*made)->createTable(table, questions.first()))
        return 1;
    for (int q = 1; q < kQuestions; ++q)
        (void)(*made)->addColumn(table, questions.at(q), AnswersStore::ColumnKind::Text, QString());

    // Two phases of the same length: new answers, then the same pages sent
    // again with other answers (each replaces the row its token stored).
    std::vector<qint64> sent(size_t(writers), 0);
    const auto phase = [&](bool corrected, const char* what) {
        std::atomic<qint64> rows = 0;
        std::atomic<bool> failed = false;
        std::vector<std::vector<double>> latencies { size_t(writers) };
        QElapsedTimer clock;
        clock.start();
        std::vector<std::thread> threads;
        for (int w = 0; w < writers; ++w) {
            threads.emplace_back([&, w] {
                auto store = openAnswersStore(location);
                if (!store) {
                    failed = true;
                    return;
                }
                qint64 n = 0;
                while (clock.elapsed() < seconds * 1000 && (!corrected || n + kBatch <= sent[size_t(w)])) {
                    QList<AnswersStore::NewRow> batch;
                    for (int i = 0; i < kBatch; ++i, ++n) {
                        AnswersStore::NewRow row;
                        row.table = table;
                        for (const QString& q : questions)
                            row.values.append({ q,
                                QStringLiteral("%1 of moderate length %2")
                                    .arg(corrected ? u"a corrected answer"_qs : u"an answer"_qs)
                                    .arg(n) });
                        row.token = QStringLiteral("w%1-%2").arg(w).arg(n);
                        row.arrivedAt = QDateTime::currentDateTimeUtc();
                        batch.append(std::move(row));
                    }
                    QElapsedTimer one;
                    one.start();
                    const auto stored = (*store)->insertRows(batch);
                    if (!stored
                        || stored->first().outcome
                            != (corrected ? AnswersStore::Inserted::Replaced
                                          : AnswersStore::Inserted::Stored)) {
                        failed = true;
                        return;
                    }
                    latencies[size_t(w)].push_back(one.nsecsElapsed() / 1e6);
                    rows += kBatch;
                }
                if (!corrected)
                    sent[size_t(w)] = n;
            });
        }
        for (auto& t : threads)
            t.join();
        const double elapsed = clock.nsecsElapsed() / 1e9;
        std::vector<double> all;
        for (const auto& l : latencies)
            all.insert(all.end(), l.begin(), l.end());
        std::sort(all.begin(), all.end());
        const auto at
            = [&](double q) { return all.empty() ? 0.0 : all.at(size_t(q * double(all.size() - 1))); };
        std::printf(
            "%s: %d writer(s), %s: %lld rows in %.1f s: %.0f rows/s, %.0f commits/s; batch of %d p50 %.1f "
            "ms, p99 %.1f ms%s\n",
            qPrintable((*made)->location()), writers, what, qlonglong(rows.load()), elapsed, rows / elapsed,
            double(all.size()) / elapsed, kBatch, at(0.5), at(0.99), failed ? " (a batch FAILED)" : "");
        return !failed;
    };
    const bool ok = phase(false, "new answers") && phase(true, "the same pages corrected");

    // Reading back, as an export does.
    QElapsedTimer clock;
    clock.start();
    qint64 read = 0, after = -1;
    for (;;) {
        qint64 last = after;
        const auto n = (*made)->visitRows(
            table, questions, after, 5000, [&](qint64 id, AnswersStore::RawValues) { last = id; });
        if (!n || *n == 0)
            break;
        read += *n;
        after = last;
    }
    std::printf("read %lld rows in %.2f s: %.0f rows/s\n", qlonglong(read), clock.nsecsElapsed() / 1e9,
        read / (clock.nsecsElapsed() / 1e9));

    // Ordered for browsing by a question, as the answers tab does, and a page of it read.
    clock.restart();
    const auto ordered = (*made)->orderRows(table, { questions.at(1), true, {}, {} });
    const auto page = ordered ? (*made)->orderedRows(table, questions, *ordered / 2, 100)
                              : Result<QList<AnswersStore::Row>>(ordered.error());
    std::printf("ordered %lld rows by a question and read a page of %lld in %.2f s%s\n",
        qlonglong(ordered.valueOr(-1)), qlonglong(page ? page->size() : -1), clock.nsecsElapsed() / 1e9,
        page && page->size() == qMin<qint64>(100, *ordered - *ordered / 2) ? "" : " (FAILED)");
    return ok && page ? 0 : 1;
}
