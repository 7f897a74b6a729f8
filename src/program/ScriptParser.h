// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QList>
#include <QString>

namespace quenlow {

/// One line of a scenario script, checked for its syntax.
struct ScriptLine {
    int number = 0;
    QString command;
    QString target; // "Window.Control" or "Window"
    QString argument; // text, number or answer, as the command needs
    int row = 0;
};

/// A whole script read, or the first syntax error in it.
struct ParsedScript {
    QList<ScriptLine> lines;
    int errorLine = 0;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

/// Reads a scenario script (the language is described in docs/scenarios.md):
/// blank lines and "#" comments are skipped; an unknown command or a missing
/// or malformed argument stops the reading at that line.
ParsedScript parseScript(const QString& script);

} // namespace quenlow
