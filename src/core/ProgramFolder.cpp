// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quenlow {

namespace {
// Where the build compiles the shipped files in (see resources/CMakeLists.txt).
constexpr auto kCompiledIn = ":/program-folder";
// The shared files relative to the folder of an installed executable
// (../share/quenlow), worked out by the build from the install folders.
constexpr auto kInstalled = QUENLOW_INSTALLED_FILES;
} // namespace

QString shippedFiles(const QString& executableFolder)
{
    if (executableFolder.isEmpty())
        return QString::fromLatin1(kCompiledIn);
    const QString installed = QDir::cleanPath(QDir(executableFolder).filePath(QString::fromUtf8(kInstalled)));
    if (QFileInfo(installed + QStringLiteral("/HTML")).isDir())
        return installed;
    return QString::fromLatin1(kCompiledIn);
}

QString defaultProgramFolder(const QString& executableFolder)
{
    if (shippedFiles(executableFolder) == QLatin1StringView(kCompiledIn))
        return executableFolder;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? executableFolder : data + QStringLiteral("/Quenlow");
}

bool isLaidOutProgramFolder(const QString& folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("Collections"))).isDir();
}

Result<void> layOutProgramFolder(const QString& folder, const QString& shippedFolder)
{
    const QDir root(folder);
    const QStringList subfolders { QStringLiteral("HTML"), QStringLiteral("Collections"),
        QStringLiteral("Reports") };
    for (const QString& sub : QStringList { QString() } + subfolders) {
        const QString path = sub.isEmpty() ? folder : root.filePath(sub);
        if (!QDir().mkpath(path) || !QFileInfo(path).isDir())
            return Error { Error::Io, QStringLiteral("the folder %1 cannot be created").arg(path) };
    }
    QString shipped = shippedFolder;
    if (shipped.isEmpty())
        shipped
            = shippedFiles(QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString());
    QDirIterator files(shipped, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString relative = source.mid(shipped.size() + 1);
        // The installed shared files also hold what is the program's, not the
        // person's (its catalogues in translations/): only the folder's own parts are copied.
        if (relative.contains(QLatin1Char('/'))
            && !subfolders.contains(relative.section(QLatin1Char('/'), 0, 0)))
            continue;
        const QString target = root.filePath(relative);
        if (QFileInfo::exists(target))
            continue;
        // Copied under another name and renamed into place: a copy cut short
        // by a crash or a full disk never passes for the real file.
        const QString partial = target + QStringLiteral(".partial");
        QFile::remove(partial);
        if (!QFile::copy(source, partial)) {
            QFile::remove(partial);
            return Error { Error::Io, QStringLiteral("the file %1 cannot be written").arg(target) };
        }
        // Resources copy as read-only; the person owns the copy.
        QFile::setPermissions(partial,
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                | QFileDevice::ReadOther);
        if (!QFile::rename(partial, target)) {
            QFile::remove(partial);
            // Made meanwhile by another copy of the program: that one is as good.
            if (!QFileInfo::exists(target))
                return Error { Error::Io, QStringLiteral("the file %1 cannot be written").arg(target) };
        }
    }
    return {};
}

} // namespace quenlow
