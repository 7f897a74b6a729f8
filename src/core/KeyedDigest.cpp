// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/KeyedDigest.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>

#include <openssl/evp.h>

#include <array>

namespace quenlow {

namespace {

constexpr int kBlock = 64; // SHA-256's block

struct DigestContext {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    DigestContext() = default;
    DigestContext(const DigestContext&) = delete;
    DigestContext& operator=(const DigestContext&) = delete;
    ~DigestContext() { EVP_MD_CTX_free(context); }
};

// One key's blocks, hashed.
struct PreparedKey {
    QByteArray key;
    DigestContext inner, outer;
    bool ready = false;
};

class KeyedDigests
{
public:
    KeyedDigests()
        : m_sha256(EVP_MD_fetch(nullptr, "SHA256", nullptr))
    {
    }
    KeyedDigests(const KeyedDigests&) = delete;
    KeyedDigests& operator=(const KeyedDigests&) = delete;
    ~KeyedDigests() { EVP_MD_free(m_sha256); }

    /// Empty when the library failed.
    QByteArray of(const QByteArray& key, QByteArrayView message)
    {
        PreparedKey* prepared = preparedFor(key);
        unsigned char inner[EVP_MAX_MD_SIZE], outer[EVP_MAX_MD_SIZE];
        unsigned int innerSize = 0, outerSize = 0;
        if (!prepared || !m_work.context || !EVP_MD_CTX_copy_ex(m_work.context, prepared->inner.context)
            || !EVP_DigestUpdate(m_work.context, message.data(), size_t(message.size()))
            || !EVP_DigestFinal_ex(m_work.context, inner, &innerSize)
            || !EVP_MD_CTX_copy_ex(m_work.context, prepared->outer.context)
            || !EVP_DigestUpdate(m_work.context, inner, innerSize)
            || !EVP_DigestFinal_ex(m_work.context, outer, &outerSize))
            return QByteArray();
        return QByteArray(reinterpret_cast<const char*>(outer), int(outerSize));
    }

private:
    PreparedKey* preparedFor(const QByteArray& key)
    {
        for (PreparedKey& k : m_keys) {
            if (k.ready && k.key == key)
                return &k;
        }
        if (!m_sha256)
            return nullptr;
        // The oldest goes: a thread seldom uses more than one or two keys.
        PreparedKey& k = m_keys[m_next];
        m_next = (m_next + 1) % m_keys.size();
        QByteArray block
            = key.size() > kBlock ? QCryptographicHash::hash(key, QCryptographicHash::Sha256) : key;
        block.resize(kBlock, '\0');
        std::array<unsigned char, kBlock> innerPad {}, outerPad {};
        for (int i = 0; i < kBlock; ++i) {
            innerPad[size_t(i)] = static_cast<unsigned char>(block.at(i) ^ 0x36);
            outerPad[size_t(i)] = static_cast<unsigned char>(block.at(i) ^ 0x5c);
        }
        k.key = key;
        k.ready = k.inner.context && k.outer.context && EVP_DigestInit_ex(k.inner.context, m_sha256, nullptr)
            && EVP_DigestUpdate(k.inner.context, innerPad.data(), kBlock)
            && EVP_DigestInit_ex(k.outer.context, m_sha256, nullptr)
            && EVP_DigestUpdate(k.outer.context, outerPad.data(), kBlock);
        return k.ready ? &k : nullptr;
    }

    EVP_MD* m_sha256;
    std::array<PreparedKey, 4> m_keys;
    size_t m_next = 0;
    DigestContext m_work;
};

} // namespace

QByteArray keyedSha256(const QByteArray& key, QByteArrayView message)
{
    thread_local KeyedDigests digests;
    QByteArray digest = digests.of(key, message);
    if (digest.isEmpty()) // should the library ever refuse: Qt's own, slower, the same digest
        digest = QMessageAuthenticationCode::hash(message.toByteArray(), key, QCryptographicHash::Sha256);
    return digest;
}

} // namespace quenlow
