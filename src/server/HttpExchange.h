// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "server/FormFields.h"

#include <QByteArray>
#include <QList>
#include <QPair>

#include <functional>
#include <optional>

namespace quenlow {

/// One request as the handlers see it, independent of the HTTP library, so
/// every rule of the service can be tested without a socket.
struct HttpRequest {
    QByteArray method; // "GET", "HEAD", "POST", ...
    QByteArray path; // percent-decoded once, without the query
    QByteArray query; // the raw query string, without "?"
    QByteArray contentType; // the Content-Type header, as sent
    QByteArray host; // the Host header of a GET or HEAD, as sent
    bool secure = false; // came over TLS (set with `host`)
    QByteArray acceptLanguage; // the Accept-Language header, as sent
    QByteArray body; // the raw body of a urlencoded post
    /// A multipart body the server already split into its parts; when set,
    /// `body` is not looked at.
    std::optional<FormFields> fields;
    /// True once the client has gone away (closed or reset its connection);
    /// a submission is then not stored. Unset: the client is there.
    std::function<bool()> clientGone;
};

/// Takes the next piece of a streamed body; false when the client is gone
/// and producing more is pointless.
using ChunkSink = std::function<bool(const QByteArray& chunk)>;

struct HttpResponse {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers; // further headers
    /// When set, the body is produced piece by piece by this call (on the
    /// server's worker threads) instead of `body`, so a large page is never
    /// held whole. Returns false when it stopped before the end.
    std::function<bool(const ChunkSink& sink)> stream;
};

} // namespace quenlow
