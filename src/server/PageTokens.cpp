// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/PageTokens.h"

#include "core/KeyedDigest.h"

#include <QRandomGenerator>

namespace quenlow {

namespace {

constexpr int kNonceBytes = 16; // 128 random bits
constexpr int kDigestBytes = 16; // of the keyed SHA-256

} // namespace

QString submissionTokenField()
{
    return QStringLiteral("submissionToken");
}

QString participantCodeField()
{
    return QStringLiteral("participantCode");
}

QString formVersionField()
{
    return QStringLiteral("formVersion");
}

SubmissionTokens::SubmissionTokens(const QByteArray& key)
    : m_key(key)
{
    if (m_key.isEmpty()) {
        m_key.resize(32);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(m_key.data()), m_key.size() / 4);
    }
}

QByteArray SubmissionTokens::digest(const QByteArray& nonceHex, const QString& table) const
{
    const QByteArray message = nonceHex + '\n' + table.toUtf8();
    return keyedSha256(m_key, message).first(kDigestBytes).toHex();
}

QString SubmissionTokens::issue(const QString& table) const
{
    quint32 nonce[kNonceBytes / 4];
    QRandomGenerator::system()->fillRange(nonce);
    const QByteArray nonceHex = QByteArray(reinterpret_cast<const char*>(nonce), kNonceBytes).toHex();
    return QString::fromLatin1(nonceHex + digest(nonceHex, table));
}

QString SubmissionTokens::verified(const QString& table, const QString& token) const
{
    if (token.size() != 2 * (kNonceBytes + kDigestBytes))
        return {};
    const QByteArray bytes = token.toLatin1();
    const QByteArray expected = digest(bytes.first(2 * kNonceBytes), table);
    // Compared in full every time: how long it takes tells nothing of the digest.
    char difference = 0;
    for (qsizetype i = 0; i < expected.size(); ++i)
        difference |= char(expected.at(i) ^ bytes.at(2 * kNonceBytes + i));
    return difference == 0 ? token : QString();
}

} // namespace quenlow
