// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/Receipts.h"

#include "database/AnswersStore.h"
#include "database/PostgresAnswersStore.h"
#include "database/SqliteAnswersStore.h"

#include "core/IsoMoment.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>

#include <openssl/evp.h>

#include <optional>

namespace quenlow {

namespace {

// 23 characters: read aloud or copied from a phone, none is taken for another.
constexpr char kAlphabet[] = "3479ACDEFGHJKMNPQRTWXY6";
constexpr int kBase = sizeof(kAlphabet) - 1;
constexpr int kLength = 8;

// HMAC-SHA256 with the key's inner and outer blocks hashed once and kept,
// for each thread, for the last key used: a receipt is made for every stored
// answer and for every row the reporter shows, and hashing the key's blocks
// anew each time cost more than the rest of storing a row. The digest is the
// standard one (the same as QMessageAuthenticationCode's).
class ReceiptDigest
{
public:
    ReceiptDigest()
        : m_sha256(EVP_MD_fetch(nullptr, "SHA256", nullptr))
        , m_inner(EVP_MD_CTX_new())
        , m_outer(EVP_MD_CTX_new())
        , m_work(EVP_MD_CTX_new())
    {
    }
    ReceiptDigest(const ReceiptDigest&) = delete;
    ReceiptDigest& operator=(const ReceiptDigest&) = delete;
    ~ReceiptDigest()
    {
        EVP_MD_CTX_free(m_work);
        EVP_MD_CTX_free(m_outer);
        EVP_MD_CTX_free(m_inner);
        EVP_MD_free(m_sha256);
    }

    /// The first eight bytes of the digest of `message`; nothing when the
    /// library failed.
    std::optional<quint64> of(const QByteArray& key, const QByteArray& message)
    {
        if (!m_sha256 || !m_inner || !m_outer || !m_work)
            return std::nullopt;
        if (!m_ready || key != m_key) {
            m_ready = prepare(key);
            m_key = key;
        }
        unsigned char inner[EVP_MAX_MD_SIZE], outer[EVP_MAX_MD_SIZE];
        unsigned int innerSize = 0, outerSize = 0;
        if (!m_ready || !EVP_MD_CTX_copy_ex(m_work, m_inner)
            || !EVP_DigestUpdate(m_work, message.constData(), size_t(message.size()))
            || !EVP_DigestFinal_ex(m_work, inner, &innerSize) || !EVP_MD_CTX_copy_ex(m_work, m_outer)
            || !EVP_DigestUpdate(m_work, inner, innerSize) || !EVP_DigestFinal_ex(m_work, outer, &outerSize)
            || outerSize < 8)
            return std::nullopt;
        quint64 n = 0;
        for (int i = 0; i < 8; ++i)
            n = (n << 8) | outer[i];
        return n;
    }

private:
    bool prepare(const QByteArray& key)
    {
        constexpr int kBlock = 64; // SHA-256's
        QByteArray block
            = key.size() > kBlock ? QCryptographicHash::hash(key, QCryptographicHash::Sha256) : key;
        block.resize(kBlock, '\0');
        QByteArray innerPad(kBlock, '\0'), outerPad(kBlock, '\0');
        for (int i = 0; i < kBlock; ++i) {
            innerPad[i] = char(block.at(i) ^ 0x36);
            outerPad[i] = char(block.at(i) ^ 0x5c);
        }
        return EVP_DigestInit_ex(m_inner, m_sha256, nullptr)
            && EVP_DigestUpdate(m_inner, innerPad.constData(), kBlock)
            && EVP_DigestInit_ex(m_outer, m_sha256, nullptr)
            && EVP_DigestUpdate(m_outer, outerPad.constData(), kBlock);
    }

    EVP_MD* m_sha256;
    EVP_MD_CTX* m_inner;
    EVP_MD_CTX* m_outer;
    EVP_MD_CTX* m_work;
    QByteArray m_key;
    bool m_ready = false;
};

quint64 digestNumber(const QByteArray& key, const QByteArray& message)
{
    thread_local ReceiptDigest digest;
    if (const std::optional<quint64> n = digest.of(key, message))
        return *n;
    // Qt's own, should the library ever refuse: slower, the same digest.
    const QByteArray d = QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha256);
    quint64 n = 0;
    for (int i = 0; i < 8; ++i)
        n = (n << 8) | quint8(d.at(i));
    return n;
}

} // namespace

QString receiptFor(const QByteArray& key, qint64 rowId, const QDateTime& arrivedAt)
{
    QByteArray message = QByteArrayLiteral("receipt:") + QByteArray::number(rowId);
    if (arrivedAt.isValid())
        message += '@' + isoMomentUtc(arrivedAt);
    // 64 bits of the digest, written in the alphabet's base.
    quint64 n = digestNumber(key, message);
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
