// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <optional>

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

/// Parses the program's arguments: --help prints the help (exit code 0), a
/// bad option or a stray argument goes to `usage`; nothing when the program
/// goes on.
inline std::optional<int> parseArguments(QCommandLineParser& parser, const std::function<int(const QString&)>& usage)
{
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("unknown argument '%1'").arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
}

} // namespace quenlow
