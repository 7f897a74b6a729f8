// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QCommandLineOption>

namespace quenlow {

/// --database, as every executable takes it.
inline QCommandLineOption answersDatabaseOption()
{
    return QCommandLineOption(
        QStringLiteral("database"),
        QStringLiteral("Where the answers are stored: postgresql://USER@HOST:PORT/DBNAME (the password from PGPASSWORD "
                       "or ~/.pgpass) or a database file; by default formAnswers.mdb in the program folder."),
        QStringLiteral("URL|FILE"));
}

} // namespace quenlow
