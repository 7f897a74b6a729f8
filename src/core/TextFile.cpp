// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

namespace quenlow {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the C1 control with the same number, so any byte
// sequence decodes and encodes back unchanged.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == c)
            return 0x80 + i;
    }
    return -1;
}

int g_writesLeft = -1;

const QByteArray kBom("\xEF\xBB\xBF", 3);

} // namespace

bool fitsWindows1252(const QString& text)
{
    for (QChar c : text) {
        if (windows1252Byte(c.unicode()) < 0)
            return false;
    }
    return true;
}

QByteArray encodeText(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* d = out.data();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const int b = (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) ? int(u) : windows1252Byte(u);
        if (b < 0)
            return kBom + text.toUtf8();
        *d++ = char(b);
    }
    return out;
}

QString decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith(kBom))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *d++ = QChar((b >= 0x80 && b < 0xA0) ? kHighTable[b - 0x80] : char16_t(b));
    }
    return out;
}

FileResult writeFileAtomically(const QString& path, const QByteArray& data)
{
    if (g_writesLeft == 0)
        return fileError(QStringLiteral("stopped for testing"));
    if (g_writesLeft > 0)
        --g_writesLeft;
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return fileError(QStringLiteral("the folder %1 cannot be created").arg(info.absolutePath()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileError(file.errorString());
    // A write the system cuts short (a full disk, a size limit) may still pass
    // for success in QSaveFile's buffered commit: look at what reached the file.
    // Qt has often lost the system's reason by then ("Unknown error").
    if (file.write(data) != data.size() || !file.flush() || file.size() != data.size()) {
        const QString reason = QStringLiteral("only %1 of %2 bytes could be written (is the disk full?)")
                                   .arg(std::max<qint64>(0, file.size()))
                                   .arg(data.size());
        file.cancelWriting();
        return fileError(reason);
    }
    if (!file.commit())
        return fileError(file.errorString());
    return {};
}

FileResult readWholeFile(const QString& path, QByteArray* data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fileError(file.errorString(), file.exists() ? Error::Io : Error::NotFound);
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fileError(file.errorString());
    return {};
}

void stopWritingAfterForTesting(int writes)
{
    g_writesLeft = writes;
}

} // namespace quenlow
