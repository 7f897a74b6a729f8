// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/ScriptParser.h"

#include <QStringList>

namespace quenlow {

namespace {

bool parseRow(const QString& text, int* value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

} // namespace

ParsedScript parseScript(const QString& script)
{
    ParsedScript parsed;
    auto refused = [&parsed](int number, const QString& reason) {
        parsed.lines.clear();
        parsed.errorLine = number;
        parsed.error = reason;
        return parsed;
    };
    const QStringList rawLines = script.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < rawLines.size(); ++i) {
        QString text = rawLines.at(i);
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;

        ScriptLine line;
        line.number = int(i + 1);
        // Words are separated by blanks; the text of "set" is the rest of the
        // line after the one blank that follows the control, blanks and all.
        qsizetype pos = 0;
        auto isBlank = [&text](qsizetype p) {
            return p < text.size() && (text.at(p) == QLatin1Char(' ') || text.at(p) == QLatin1Char('\t'));
        };
        auto word = [&]() {
            while (isBlank(pos))
                ++pos;
            const qsizetype start = pos;
            while (pos < text.size() && !isBlank(pos))
                ++pos;
            return text.mid(start, pos - start);
        };
        line.command = word();
        line.target = word();

        static const QStringList commands = { QStringLiteral("click"), QStringLiteral("set"),
            QStringLiteral("tick"), QStringLiteral("select"), QStringLiteral("doubleclick"),
            QStringLiteral("close"), QStringLiteral("answer"), QStringLiteral("show") };
        if (!commands.contains(line.command))
            return refused(line.number, QStringLiteral("unknown command \"%1\"").arg(line.command));

        if (line.command == QLatin1String("set")) {
            if (isBlank(pos))
                ++pos;
            line.argument = text.mid(pos);
        } else {
            line.argument = word();
            if (!word().isEmpty())
                return refused(line.number, QStringLiteral("too many words for %1").arg(line.command));
        }

        const bool needsControl = line.command != QLatin1String("close")
            && line.command != QLatin1String("answer") && line.command != QLatin1String("show");
        const qsizetype dot = line.target.indexOf(QLatin1Char('.'));
        if (line.command == QLatin1String("answer")) {
            if (line.target != QLatin1String("Yes") && line.target != QLatin1String("No")
                && line.target != QLatin1String("OK"))
                return refused(line.number, QStringLiteral("answer needs Yes, No or OK"));
            if (!line.argument.isEmpty())
                return refused(line.number, QStringLiteral("too many words for answer"));
            line.argument = line.target;
            line.target.clear();
        } else if (line.target.isEmpty()) {
            return refused(line.number,
                QStringLiteral("%1 needs a %2")
                    .arg(line.command,
                        needsControl ? QStringLiteral("control (Window.Control)")
                                     : QStringLiteral("window")));
        } else if (needsControl && (dot <= 0 || dot == line.target.size() - 1)) {
            return refused(line.number,
                QStringLiteral("\"%1\" is not a control name (Window.Control)").arg(line.target));
        } else if (line.command == QLatin1String("close") && dot >= 0) {
            return refused(line.number, QStringLiteral("close needs a window name, not a control"));
        } else if (line.command == QLatin1String("show") && (dot == 0 || dot == line.target.size() - 1)) {
            return refused(
                line.number, QStringLiteral("\"%1\" is not a window or control name").arg(line.target));
        }

        if (line.command == QLatin1String("tick")) {
            if (line.argument != QLatin1String("0") && line.argument != QLatin1String("1"))
                return refused(line.number, QStringLiteral("tick needs 0 or 1"));
        } else if (line.command == QLatin1String("select") || line.command == QLatin1String("doubleclick")) {
            const int lowest = line.command == QLatin1String("select") ? -1 : 0;
            if (!parseRow(line.argument, &line.row) || line.row < lowest)
                return refused(line.number,
                    QStringLiteral("%1 needs a row number%2")
                        .arg(line.command, lowest < 0 ? QStringLiteral(" (-1 clears)") : QString()));
        } else if (line.command != QLatin1String("set") && line.command != QLatin1String("answer")
            && !line.argument.isEmpty()) {
            return refused(line.number, QStringLiteral("too many words for %1").arg(line.command));
        }
        parsed.lines.append(line);
    }
    return parsed;
}

} // namespace quenlow
