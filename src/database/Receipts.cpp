// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/Receipts.h"

#include "database/AnswersStore.h"
#include "database/PostgresAnswersStore.h"
#include "database/SqliteAnswersStore.h"

#include <QMessageAuthenticationCode>

namespace quenlow {

namespace {

// 23 characters: read aloud or copied from a phone, none is taken for another.
constexpr char kAlphabet[] = "3479ACDEFGHJKMNPQRTWXY6";
constexpr int kBase = sizeof(kAlphabet) - 1;
constexpr int kLength = 8;

// The moment as "yyyy-MM-ddTHH:mm:ss.zzzZ", as Qt writes an ISO date with
// milliseconds in UTC: written digit by digit, since formatting a date the
// general way costs more than the digest made of it.
QByteArray isoMoment(const QDateTime& moment)
{
    const QDateTime utc = moment.timeSpec() == Qt::UTC ? moment : moment.toUTC();
    const QDate date = utc.date();
    const QTime time = utc.time();
    if (date.year() < 1000 || date.year() > 9999)
        return utc.toString(Qt::ISODateWithMs).toLatin1();
    char text[24];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char('0' + value % 10);
    };
    put(0, date.year(), 4);
    text[4] = '-';
    put(5, date.month(), 2);
    text[7] = '-';
    put(8, date.day(), 2);
    text[10] = 'T';
    put(11, time.hour(), 2);
    text[13] = ':';
    put(14, time.minute(), 2);
    text[16] = ':';
    put(17, time.second(), 2);
    text[19] = '.';
    put(20, time.msec(), 3);
    text[23] = 'Z';
    return QByteArray(text, sizeof text);
}

} // namespace

QString receiptFor(const QByteArray& key, qint64 rowId, const QDateTime& arrivedAt)
{
    QByteArray message = QByteArrayLiteral("receipt:") + QByteArray::number(rowId);
    if (arrivedAt.isValid())
        message += '@' + isoMoment(arrivedAt);
    const QByteArray digest = QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha256);
    // 64 bits of the digest, written in the alphabet's base.
    quint64 n = 0;
    for (int i = 0; i < 8; ++i)
        n = (n << 8) | quint8(digest.at(i));
    QString receipt;
    for (int i = 0; i < kLength; ++i) {
        receipt.append(QLatin1Char(kAlphabet[n % kBase]));
        n /= kBase;
    }
    return receipt;
}

Result<std::optional<QByteArray>> keptReceiptKey(AnswersStore& store)
{
    // Asked of the engine: the store's own sharedKey() makes one when there is none.
    if (auto* sqlite = dynamic_cast<SqliteAnswersStore*>(&store))
        return sqlite->keptSharedKey();
    if (auto* postgres = dynamic_cast<PostgresAnswersStore*>(&store))
        return postgres->keptSharedKey();
    return std::optional<QByteArray>();
}

QString normalizedReceipt(const QString& typed)
{
    QString receipt;
    for (const QChar c : typed) {
        if (!c.isSpace() && c != QLatin1Char('-'))
            receipt.append(c.toUpper());
    }
    return receipt;
}

Result<std::optional<qint64>> findRowByReceipt(
    AnswersStore& store, const QString& table, const QString& receipt)
{
    const QString wanted = normalizedReceipt(receipt);
    if (wanted.size() != kLength)
        return std::optional<qint64>();
    const Result<QByteArray> key = store.sharedKey();
    if (!key)
        return key.error();
    constexpr qint64 kPage = 10000;
    for (qint64 after = -1;;) {
        const Result<QList<AnswersStore::Row>> rows = store.readRows(table, {}, after, kPage, true);
        if (!rows)
            return rows.error();
        for (const AnswersStore::Row& row : *rows) {
            // Receipts given before they took the arrival in are still found.
            if (receiptFor(*key, row.id, row.arrivedAt.value_or(QDateTime())) == wanted
                || receiptFor(*key, row.id, {}) == wanted)
                return std::optional<qint64>(row.id);
        }
        if (rows->size() < kPage)
            return std::optional<qint64>();
        after = rows->last().id;
    }
}

} // namespace quenlow
