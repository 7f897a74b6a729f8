// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// A receipt once shown must be found again: its digits never change.
#include "core/IsoMoment.h"
#include "database/Receipts.h"

#include <QMessageAuthenticationCode>
#include <QTest>

using namespace quenlow;
using namespace Qt::Literals::StringLiterals;

class TestReceipts : public QObject
{
    Q_OBJECT

private slots:
    void receiptsStayAsGiven();
    void receiptsFollowTheKeyInUse();
    void momentsAreWrittenAsQtWritesThem();
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

void TestReceipts::receiptsFollowTheKeyInUse()
{
    // Keys kept from one receipt to the next, more of them than are kept:
    // each receipt is still the keyed digest of its own key, short or longer
    // than a hash block.
    const QList<QByteArray> keys { "k", QByteArray(32, '\x7f'), QByteArray(100, 'a'), "", "k2", "k3" };
    for (int round = 0; round < 2; ++round) {
        for (const QByteArray& key : keys) {
            for (const qint64 row : { 1, 42, 123456789 }) {
                const QByteArray digest = QMessageAuthenticationCode::hash(
                    "receipt:" + QByteArray::number(row), key, QCryptographicHash::Sha256);
                quint64 n = 0;
                for (int i = 0; i < 8; ++i)
                    n = (n << 8) | quint8(digest.at(i));
                QString expected;
                for (int i = 0; i < 8; ++i, n /= 23)
                    expected += QLatin1Char("3479ACDEFGHJKMNPQRTWXY6"[n % 23]);
                QCOMPARE(receiptFor(key, row, {}), expected);
            }
        }
    }
}

void TestReceipts::momentsAreWrittenAsQtWritesThem()
{
    const QList<QDateTime> moments { QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59, 999), Qt::UTC),
        QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0, 7), Qt::UTC).toOffsetFromUtc(-5 * 3600),
        QDateTime(QDate(1970, 1, 1), QTime(1, 2, 3, 40), Qt::LocalTime),
        QDateTime(QDate(999, 5, 6), QTime(7, 8, 9), Qt::UTC) };
    for (const QDateTime& moment : moments)
        QCOMPARE(isoMomentUtc(moment), moment.toUTC().toString(Qt::ISODateWithMs).toLatin1());
    QVERIFY(isoMomentUtc(QDateTime()).isEmpty());
}

QTEST_GUILESS_MAIN(TestReceipts)
#include "tst_receipts.moc"
