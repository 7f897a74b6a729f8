// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "export/AnswersExport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Where an export may write: never over the answers it reads, nor among the
// forms' files. Private to the export library.
namespace quenlow::exporting {

/// A path as the person reads it.
QString displayPath(const QString& path);

/// The answers database's files, by path: the store the export reads and the
/// program folder's own, each with the files SQLite keeps beside it.
QStringList databaseFiles(const ExportRequest& request);

/// Refuses to give the finished file the name `name` in the folder `folder`
/// (a descriptor) when that is one of `databaseFiles` or among the forms.
Result<void> checkOutputAt(
    const ExportRequest& request, const QStringList& databaseFiles, int folder, const QByteArray& name);

/// Refuses an output that is the answers database, among the forms' files, or
/// not a regular file; asked before the export starts.
Result<void> checkOutput(const ExportRequest& request);

} // namespace quenlow::exporting
