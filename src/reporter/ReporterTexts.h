// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswersStore.h"

#include <QString>

// Messages the reporter's operations share.
namespace quenlow::reporter {

inline QString databaseUnavailable(const QString& path, const QString& reason)
{
    return QStringLiteral("The answers database '") + shownLocation(path)
        + QStringLiteral("' cannot be opened (") + reason + QStringLiteral(").");
}

inline QString tableMissing(const QString& pageFile)
{
    return QStringLiteral("The table containing the data for the form ") + pageFile
        + QStringLiteral(" is missing.");
}

inline QString tableUnreadable(const QString& table, const QString& reason)
{
    return QStringLiteral("The table '") + table
        + QStringLiteral("' of the answers database cannot be read (") + reason + QStringLiteral(").");
}

inline QString noFieldSelected()
{
    return QStringLiteral("Sorry, but you don't have a field selected");
}

} // namespace quenlow::reporter
