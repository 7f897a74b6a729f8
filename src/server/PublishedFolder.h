// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quenlow {

/// The program's HTML/ folder as the service publishes it: the form pages and
/// their images, and nothing else. A request names one file directly in the
/// folder; whatever the name resolves to (links followed) must be a regular
/// file inside the folder, of a published kind.
class PublishedFolder final
{
public:
    struct File {
        QString path; // the real path, inside the folder
        QByteArray contentType;
        bool isPage = false;
    };

    explicit PublishedFolder(const QString& htmlFolder);

    /// What a file of this name is when published: its content type and
    /// whether it is a page; nothing for a name never published.
    struct FileKind {
        QByteArray contentType;
        bool isPage = false;
    };
    static std::optional<FileKind> kindOf(const QString& fileName);

    /// The file a request path (percent-decoded, starting with "/") stands for,
    /// or nothing when it is not published.
    std::optional<File> resolve(QByteArrayView requestPath) const;

    /// The bytes to send: pages converted to UTF-8 from the encoding they were
    /// written in, images as they are. Nothing when the file cannot be read.
    static std::optional<QByteArray> content(const File& file);

private:
    QString m_folder;
};

} // namespace quenlow
