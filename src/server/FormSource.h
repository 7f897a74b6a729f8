// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "server/FormCatalog.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

namespace quenlow {

/// Where the collection service finds the forms it publishes: the program
/// folder of the designer, or an answers store that keeps published forms
/// (so that servers elsewhere need no folder). Thread-safe.
class FormSource
{
public:
    struct File {
        QByteArray contentType;
        QByteArray bytes; // pages as UTF-8 text
        /// For a form's page, the form's name: each copy sent gets a token.
        std::optional<QString> pageOfForm;
        bool isPage = false;
    };

    virtual ~FormSource() = default;
    /// The file a request path (percent-decoded, starting with "/") stands
    /// for; nothing when it is not published.
    virtual std::optional<File> file(QByteArrayView requestPath) = 0;
    virtual std::optional<PublishedForm> form(const QString& formName) = 0;
    /// The key of the submission tokens: shared by every server of one store,
    /// else empty (each service makes its own).
    virtual QByteArray tokenKey() { return {}; }
};

std::unique_ptr<FormSource> formsInFolder(const QString& appFolder);
/// Nothing (with `error` set) when the store cannot be opened or keeps no forms.
std::unique_ptr<FormSource> formsInStore(const QString& storeLocation, QString* error);

} // namespace quenlow
