// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <optional>
#include <string_view>

namespace quenlow {

/// --database, as every executable takes it.
inline QCommandLineOption answersDatabaseOption()
{
    return QCommandLineOption(QStringLiteral("database"),
        QStringLiteral(
            "Where the answers are stored: postgresql://USER@HOST:PORT/DBNAME (the password from PGPASSWORD "
            "or ~/.pgpass) or a database file; by default formAnswers.mdb in the program folder."),
        QStringLiteral("URL|FILE"));
}

/// --help and --version, as every executable takes them.
inline void addHelpAndVersionOptions(QCommandLineParser& parser)
{
    parser.addHelpOption();
    parser.addVersionOption();
}

/// Answers --help (usage and every option) or --version (the executable's
/// name, version and commit) on standard output; nothing when neither was
/// asked for.
inline std::optional<int> answerHelpOrVersion(QCommandLineParser& parser)
{
    // Qt's own answer, with Qt's options; it ends the program with exit code 0.
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        const QString name = QFileInfo(QCoreApplication::arguments().value(0)).fileName();
        std::fputs(qPrintable(name + QLatin1Char(' ') + versionText() + QLatin1Char('\n')), stdout);
        return 0;
    }
    return std::nullopt;
}

/// Whether the arguments hold --help or --version. A window program answers
/// those before it makes its application object, so that they need no display.
inline bool asksForHelpOrVersion(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "-?" || argument == "--help" || argument == "--help-all"
            || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

/// Parses the program's arguments: --help and --version print their answer
/// (exit code 0), a bad option or a stray argument goes to `usage`; nothing
/// when the program goes on.
inline std::optional<int> parseArguments(
    QCommandLineParser& parser, const std::function<int(const QString&)>& usage)
{
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (const std::optional<int> answered = answerHelpOrVersion(parser))
        return answered;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("unknown argument '%1'").arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
}

} // namespace quenlow
