// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswersStore.h"

#include <QCoreApplication>
#include <QString>

// Messages the reporter's operations share.
namespace quenlow::reporter {

/// The translation context of the reporter's texts that belong to no window.
class ReporterTexts
{
    Q_DECLARE_TR_FUNCTIONS(ReporterTexts)
};

inline QString databaseUnavailable(const QString& path, const QString& reason)
{
    return ReporterTexts::tr("The answers database '%1' cannot be opened (%2).")
        .arg(shownLocation(path), reason);
}

inline QString tableMissing(const QString& pageFile)
{
    return ReporterTexts::tr("The table containing the data for the form %1 is missing.").arg(pageFile);
}

inline QString tableUnreadable(const QString& table, const QString& reason)
{
    return ReporterTexts::tr("The table '%1' of the answers database cannot be read (%2).")
        .arg(table, reason);
}

inline QString noFieldSelected()
{
    return ReporterTexts::tr("Sorry, but you don't have a field selected");
}

} // namespace quenlow::reporter
