// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// A receipt once shown must be found again: its digits never change.
#include "database/Receipts.h"

#include <QTest>

using namespace quenlow;
using namespace Qt::Literals::StringLiterals;

class TestReceipts : public QObject
{
    Q_OBJECT

private slots:
    void receiptsStayAsGiven();
};

void TestReceipts::receiptsStayAsGiven()
{
    // Written down when receipts were first given: the digest of the row and
    // its arrival to the millisecond, in UTC, however the moment is held.
    const QDateTime utc(QDate(2026, 12, 7), QTime(17, 31, 13, 5), Qt::UTC);
    QCOMPARE(receiptFor("k", 42, utc), u"KCEAE3WE"_s);
    QCOMPARE(receiptFor("k", 42, utc.toOffsetFromUtc(3600)), u"KCEAE3WE"_s);
    QCOMPARE(receiptFor("k", 42, QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC)), u"96MFWGWT"_s);
    QCOMPARE(receiptFor("k", 42, {}), u"G6PFR9ED"_s); // given before arrivals were kept
    QCOMPARE(normalizedReceipt(u" kcea-e3we "_s), u"KCEAE3WE"_s);
}

QTEST_GUILESS_MAIN(TestReceipts)
#include "tst_receipts.moc"
