// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace quenlow {

/// Where a file named by `path` is: its folder and its name there, after
/// following links of the name itself (a link is written through, not
/// replaced). Links in the folder's path are left to the system.
struct FilePlace {
    QString folder;
    QString name;
};
FilePlace placeOf(const QString& path);

/// An export's file, built under a temporary name in the target's folder and
/// given the target's name only when whole. The folder is opened once: all
/// the file's work happens in that folder, whatever its path comes to name
/// meanwhile (a link retargeted, a folder renamed or mounted over).
class ExportFile final
{
public:
    /// Whether the finished file may take `name` in the folder `folder` (a
    /// descriptor); a refusal says why.
    using Guard = std::function<Result<void>(int folder, const QByteArray& name)>;

    explicit ExportFile(QString path);
    ~ExportFile(); // an uncommitted file is removed; the target stays as it was
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    /// Opens the folder and creates the temporary file in it.
    Result<void> open();
    /// The temporary file and its folder by names that reach them whatever
    /// happens to their paths, for libraries that open files by name.
    QByteArray fileName() const;
    QByteArray folderName() const;
    Result<void> write(QByteArrayView data);
    /// Puts the file on disk and, unless `guard` refuses (its refusal is the
    /// error), renames it over the target, which keeps its
    /// permissions (a new one gets those the umask allows).
    Result<void> commit(const Guard& guard);

private:
    Error failure(int error) const;

    QString m_path;
    FilePlace m_place;
    int m_folder = -1;
    int m_file = -1;
    QByteArray m_temporaryName;
    bool m_syncFolder = false;
};

} // namespace quenlow
