// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/Receipts.h"

#include "database/AnswersStore.h"
#include "database/PostgresAnswersStore.h"
#include "database/SqliteAnswersStore.h"

#include "core/IsoMoment.h"
#include "core/KeyedDigest.h"

namespace quenlow {

namespace {

// 23 characters: read aloud or copied from a phone, none is taken for another.
constexpr char kAlphabet[] = "3479ACDEFGHJKMNPQRTWXY6";
constexpr int kBase = sizeof(kAlphabet) - 1;
constexpr int kLength = 8;

} // namespace

QString receiptFor(const QByteArray& key, qint64 rowId, const QDateTime& arrivedAt)
{
    QByteArray message = QByteArrayLiteral("receipt:") + QByteArray::number(rowId);
    if (arrivedAt.isValid())
        message += '@' + isoMomentUtc(arrivedAt);
    // 64 bits of the digest, written in the alphabet's base.
    const QByteArray digest = keyedSha256(key, message);
    quint64 n = 0;
    for (int i = 0; i < 8; ++i)
        n = (n << 8) | quint8(digest.at(i));
    char receipt[kLength];
    for (char& c : receipt) {
        c = kAlphabet[n % kBase];
        n /= kBase;
    }
    return QString::fromLatin1(receipt, kLength);
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
