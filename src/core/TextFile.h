// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

namespace quenlow {

/// Outcome of a file operation: success, or the reason it failed.
using FileResult = Result<void>;
/// A file operation that failed for `reason`, as a person reads it.
inline Error fileError(const QString& reason, Error::Kind kind = Error::Io)
{
    return { kind, reason };
}

/// Pages and collection files are Windows-1252 whenever every character fits
/// that code page; otherwise the file is UTF-8 with a byte-order mark, so no
/// text is ever lost. Browsers and our own reader recognise both.
QByteArray encodeText(const QString& text);
/// Reads what encodeText wrote: UTF-8 when the bytes start with a BOM, else Windows-1252.
QString decodeText(const QByteArray& bytes);
/// True when every character of `text` has a Windows-1252 byte.
bool fitsWindows1252(const QString& text);

/// Replaces `path` atomically: the data goes to a temporary file beside it,
/// which is renamed over the old file only when everything was written. The
/// folder is created when it is missing.
FileResult writeFileAtomically(const QString& path, const QByteArray& data);

/// Reads a whole file.
FileResult readWholeFile(const QString& path, QByteArray* data);

/// Test hook: after `writes` more atomic writes every later one fails before
/// touching the disk, as if the program had stopped there (-1 switches it off).
void stopWritingAfterForTesting(int writes);

} // namespace quenlow
