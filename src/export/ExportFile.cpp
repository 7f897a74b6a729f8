// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "export/ExportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

/// Read and write for all that the umask allows, as a new file gets. Read
/// where the system tells it, so the mask is never changed while other
/// threads make files.
mode_t newFilePermissions()
{
    mode_t mask = 022;
    if (QFile status(u"/proc/self/status"_s); status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:"))
                mask = mode_t(line.mid(6).trimmed().toUInt(nullptr, 8));
        }
    }
    return 0666 & ~mask;
}

QByteArray descriptorName(int descriptor)
{
    return "/proc/self/fd/" + QByteArray::number(descriptor);
}

} // namespace

FilePlace placeOf(const QString& path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info.setFile(info.symLinkTarget());
    return { info.absolutePath(), info.fileName() };
}

ExportFile::ExportFile(QString path)
    : m_path(std::move(path))
    , m_place(placeOf(m_path))
{
}

ExportFile::~ExportFile()
{
    if (m_file >= 0)
        ::close(m_file);
    if (!m_temporaryName.isEmpty())
        ::unlinkat(m_folder, m_temporaryName.constData(), 0);
    if (m_folder >= 0)
        ::close(m_folder);
}

Error ExportFile::failure(int error) const
{
    return Error { Error::Io,
        u"The file '%1' cannot be written: %2."_s.arg(
            QDir::toNativeSeparators(m_path), QString::fromLocal8Bit(std::strerror(error))) };
}

Result<void> ExportFile::open()
{
    const QByteArray folder = QFile::encodeName(m_place.folder);
    m_folder = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    m_syncFolder = m_folder >= 0;
    // A folder that may be written but not listed is still a place for the file.
    if (m_folder < 0 && errno == EACCES)
        m_folder = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        return failure(errno);
    if (m_place.name.isEmpty() || m_place.name == u"."_s || m_place.name == u".."_s)
        return failure(EISDIR);

    const QByteArray name = QFile::encodeName(m_place.name);
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray temporary = '.' + name + '.';
        for (int i = 0; i < 6; ++i)
            temporary += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
        // For the owner alone until whole; the commit gives the final permissions.
        m_file = ::openat(m_folder, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (m_file >= 0) {
            m_temporaryName = temporary;
            return {};
        }
        if (errno != EEXIST)
            return failure(errno);
    }
    return failure(EEXIST);
}

QByteArray ExportFile::fileName() const
{
    return descriptorName(m_file);
}

QByteArray ExportFile::folderName() const
{
    return descriptorName(m_folder);
}

Result<void> ExportFile::write(QByteArrayView data)
{
    const char* next = data.data();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(m_file, next, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failure(written < 0 ? errno : ENOSPC);
        next += written;
        left -= written;
    }
    return {};
}

Result<void> ExportFile::commit(const Guard& guard)
{
    // On disk before it takes the name, so a crash leaves the old file or the whole new one.
    if (::fsync(m_file) != 0)
        return failure(errno);
    const QByteArray name = QFile::encodeName(m_place.name);
    struct stat replaced {
    };
    const mode_t permissions = ::fstatat(m_folder, name.constData(), &replaced, 0) == 0
        ? replaced.st_mode & 07777
        : newFilePermissions();
    if (::fchmod(m_file, permissions) != 0)
        return failure(errno);
    if (guard) {
        if (Result<void> allowed = guard(m_folder, name); !allowed)
            return allowed.error();
    }
    if (::renameat(m_folder, m_temporaryName.constData(), m_folder, name.constData()) != 0)
        return failure(errno);
    m_temporaryName.clear();
    if (m_syncFolder)
        ::fsync(m_folder); // the new name on disk too; the file is whole either way
    return {};
}

} // namespace quenlow
