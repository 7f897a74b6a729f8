// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quenlow {

/// One row of a worksheet as its cells' texts, by column (A is 0); cells the
/// file leaves out are empty. `number` is the row's number in the sheet.
struct SheetRow {
    int number = 0;
    QStringList cells;

    QString cell(qsizetype column) const
    {
        return column >= 0 && column < cells.size() ? cells.at(column) : QString();
    }
};

/// A worksheet of a workbook: its name and its rows that hold something, in order.
struct WorkbookSheet {
    QString name;
    QList<SheetRow> rows;
};

/// Why a workbook could not be read.
struct WorkbookProblem {
    enum Kind {
        Unreadable, // the file cannot be opened or read
        NotWorkbook, // not a zip, or a zip without a workbook in it
        Damaged, // a workbook whose parts cannot be read
    };
    Kind kind;
    QString detail; // the system's or the part's reason, for the person
};

/// Reads every worksheet of an Office Open XML workbook (.xlsx): shared,
/// inline and formula strings, numbers as written, booleans as TRUE/FALSE.
/// Bounded like the report documents: a crafted file that unpacks to
/// gigabytes is refused as damaged, not read.
Result<QList<WorkbookSheet>, WorkbookProblem> readWorkbook(const QString& path);
Result<QList<WorkbookSheet>, WorkbookProblem> readWorkbookBytes(const QByteArray& bytes);

} // namespace quenlow
