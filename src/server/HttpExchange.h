// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "server/FormFields.h"

#include <QByteArray>
#include <QList>
#include <QPair>

#include <optional>

namespace quenlow {

/// One request as the handlers see it, independent of the HTTP library, so
/// every rule of the service can be tested without a socket.
struct HttpRequest {
    QByteArray method;      // "GET", "HEAD", "POST", ...
    QByteArray path;        // percent-decoded once, without the query
    QByteArray query;       // the raw query string, without "?"
    QByteArray contentType; // the Content-Type header, as sent
    QByteArray body;        // the raw body of a urlencoded post
    /// A multipart body the server already split into its parts; when set,
    /// `body` is not looked at.
    std::optional<FormFields> fields;
};

struct HttpResponse {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers; // further headers
};

} // namespace quenlow
