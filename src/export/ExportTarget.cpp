// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "export/ExportTarget_p.h"

#include "database/AnswersStore.h"
#include "export/ExportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::exporting {

namespace {

/// `path` with its links and ".." resolved: the canonical path of what is
/// there, or for a name not there yet the canonical folder and the name. A
/// dangling link is followed to where it would create the file. Empty when
/// the folder does not exist.
QString resolvedPath(const QString& path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int hops = 0; info.isSymLink() && !info.exists() && hops < 40; ++hops)
        info.setFile(info.symLinkTarget());
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = info.absoluteDir().canonicalPath();
    return folder.isEmpty() ? QString() : folder + u'/' + info.fileName();
}

bool isWithin(const QString& path, const QString& folder)
{
    return !folder.isEmpty() && path.startsWith(folder + u'/');
}

} // namespace

QString displayPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

/// The answers database's files, by path: the store the export reads and the
/// program folder's own (another store named does not make that one safe),
/// each with the files SQLite keeps beside it for uncommitted and recent
/// answers.
QStringList databaseFiles(const ExportRequest& request)
{
    QStringList databases { answersStoreIn(request.appFolder) };
    if (!request.answersStore.isEmpty() && !isServerLocation(request.answersStore))
        databases.prepend(request.answersStore);
    QStringList files;
    for (const QString& database : std::as_const(databases)) {
        for (const QString& path : { QFileInfo(database).absoluteFilePath(), resolvedPath(database) }) {
            if (path.isEmpty())
                continue;
            for (const QString& suffix : { QString(), u"-wal"_s, u"-shm"_s, u"-journal"_s })
                files.append(path + suffix);
        }
    }
    files.removeDuplicates();
    return files;
}

namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

Error refusal(const QString& output, const QString& why)
{
    return Error { Error::Other,
        u"The file '%1' cannot be written: %2. Choose another file; nothing has been written."_s.arg(
            displayPath(output), why) };
}

} // namespace

/// Refuses, with the reason, to give the export's file the name `name` in the folder
/// `folder` (a descriptor) when the name is one of the answers database's files,
/// by device and inode, whatever path reaches it (a link, a bind mount, a
/// folder swapped meanwhile), or the folder is one of those holding the
/// forms. Each file is looked at now, as the name is about to be taken.
Result<void> checkOutputAt(
    const ExportRequest& request, const QStringList& databaseFiles, int folder, const QByteArray& name)
{
    struct stat here {
    };
    if (::fstat(folder, &here) != 0)
        return refusal(request.outputPath, u"its folder cannot be examined"_s);
    struct stat target {
    };
    struct stat entry {
    };
    const bool hasTarget = ::fstatat(folder, name.constData(), &target, 0) == 0;
    const bool hasEntry = ::fstatat(folder, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0;
    for (const QString& file : databaseFiles) {
        const QFileInfo info(file);
        struct stat known {
        };
        struct stat knownFolder {
        };
        // A journal not there now would be made here: the folder and name say so.
        const bool hit
            = (::stat(QFile::encodeName(file).constData(), &known) == 0
                  && ((hasTarget && sameFile(known, target)) || (hasEntry && sameFile(known, entry))))
            || (QFile::encodeName(info.fileName()) == name
                && ::stat(QFile::encodeName(info.absolutePath()).constData(), &knownFolder) == 0
                && sameFile(knownFolder, here));
        if (hit) {
            const QString database = file.endsWith(u"-wal"_s) || file.endsWith(u"-shm"_s) ? file.chopped(4)
                : file.endsWith(u"-journal"_s)                                            ? file.chopped(8)
                                                                                          : file;
            return refusal(request.outputPath,
                u"it is the answers database '%1', whose answers would be lost"_s.arg(displayPath(database)));
        }
    }
    for (const QString& forms : { u"HTML"_s, u"Collections"_s }) {
        const QString path = request.appFolder + u'/' + forms;
        struct stat known {
        };
        if (::stat(QFile::encodeName(path).constData(), &known) == 0 && sameFile(known, here))
            return refusal(request.outputPath,
                u"it is in the program's folder '%1', which holds the forms"_s.arg(
                    displayPath(QFileInfo(path).canonicalFilePath())));
    }
    return {};
}

/// Refuses, with the reason, to write to the output the export was given when it is the answers
/// database (and its journals), a file among the forms' pages and element
/// lists, or something that is not a regular file. Renaming the finished file
/// over any of these would destroy it. Asked before the export starts, so a
/// refusal costs nothing; the database is looked for again just before the
/// finished file takes its name.
Result<void> checkOutput(const ExportRequest& request)
{
    const QString& output = request.outputPath;
    if (output.isEmpty() || output == u"-"_s)
        return {};
    const QString target = resolvedPath(output);
    if (target.isEmpty())
        return {}; // no such folder: the write fails and says so
    const auto refuse = [&](const QString& why) { return refusal(output, why); };

    const FilePlace place = placeOf(output);
    const int placeFolder
        = ::open(QFile::encodeName(place.folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (placeFolder >= 0) {
        Result<void> allowed
            = checkOutputAt(request, databaseFiles(request), placeFolder, QFile::encodeName(place.name));
        ::close(placeFolder);
        if (!allowed)
            return allowed;
    }
    for (const QString& folder : { u"HTML"_s, u"Collections"_s }) {
        const QString forms = QFileInfo(request.appFolder + u'/' + folder).canonicalFilePath();
        if (isWithin(target, forms))
            return refuse(
                u"it is in the program's folder '%1', which holds the forms"_s.arg(displayPath(forms)));
    }

    struct stat status;
    if (::stat(QFile::encodeName(target).constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        QString what = u"something other than a file"_s;
        if (S_ISDIR(status.st_mode))
            what = u"a folder"_s;
        else if (S_ISFIFO(status.st_mode))
            what = u"a named pipe"_s;
        else if (S_ISSOCK(status.st_mode))
            what = u"a socket"_s;
        else if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
            what = u"a device"_s;
        return refuse(u"it is %1, not a regular file"_s.arg(what));
    }
    return {};
}

} // namespace quenlow::exporting

namespace quenlow {

Result<void> writeExportOutput(const ExportRequest& request, QByteArrayView bytes)
{
    if (const Result<void> allowed = exporting::checkOutput(request); !allowed)
        return allowed;
    if (QFileInfo(request.outputPath).isDir())
        return Error { Error::Io,
            u"The file '%1' cannot be written: it is a folder."_s.arg(
                exporting::displayPath(request.outputPath)) };
    ExportFile file(request.outputPath);
    if (const Result<void> opened = file.open(); !opened)
        return opened;
    if (const Result<void> written = file.write(bytes); !written)
        return written;
    const QStringList databaseFiles = exporting::databaseFiles(request);
    return file.commit([&](int folder, const QByteArray& name) {
        return exporting::checkOutputAt(request, databaseFiles, folder, name);
    });
}

} // namespace quenlow
