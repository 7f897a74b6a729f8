// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/Receipts.h"

#include "database/AnswersStore.h"

#include <QMessageAuthenticationCode>

namespace quenlow {

namespace {

// 23 characters: read aloud or copied from a phone, none is taken for another.
constexpr char kAlphabet[] = "3479ACDEFGHJKMNPQRTWXY6";
constexpr int kBase = sizeof(kAlphabet) - 1;
constexpr int kLength = 8;

} // namespace

QString receiptFor(const QByteArray& key, qint64 rowId)
{
    const QByteArray digest = QMessageAuthenticationCode::hash(
        QByteArrayLiteral("receipt:") + QByteArray::number(rowId), key, QCryptographicHash::Sha256);
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
    std::optional<qint64> found;
    constexpr qint64 kPage = 10000;
    for (qint64 after = -1;;) {
        qint64 last = after;
        const Result<qint64> visited
            = store.visitRows(table, {}, after, kPage, [&](qint64 id, AnswersStore::RawValues) {
                  if (!found && receiptFor(*key, id) == wanted)
                      found = id;
                  last = id;
              });
        if (!visited)
            return visited.error();
        if (found || *visited < kPage)
            return found;
        after = last;
    }
}

} // namespace quenlow
