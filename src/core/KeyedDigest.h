// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quenlow {

/// HMAC-SHA256 of `message` under `key`: the 32 bytes of the standard keyed
/// digest (the same as QMessageAuthenticationCode's). Receipts and page
/// tokens make one for every answer and every page, so each thread keeps the
/// key's inner and outer blocks hashed for the few keys it used last; making
/// them anew each time cost more than the rest of storing an answer.
QByteArray keyedSha256(const QByteArray& key, QByteArrayView message);

} // namespace quenlow
