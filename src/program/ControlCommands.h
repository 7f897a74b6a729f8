// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "program/ScriptParser.h"

#include <QString>

#include <functional>

class QObject;
class QWidget;

namespace quenlow {

/// What a script line does to a window or a control, found by its objectName
/// among the program's top-level windows: click, set, tick, select,
/// doubleclick, close and show. Each acts as a person would (through the
/// control's own signals) and refuses what a person could not do: a hidden,
/// disabled or read-only control, a window blocked by a modal one.
class ControlCommands final
{
public:
    using Print = std::function<void(const QString& line)>;
    /// A path or text as the transcript writes it (the program folder as "APP").
    using TranscriptText = std::function<QString(const QString& text)>;

    ControlCommands(Print print, TranscriptText transcriptText);

    /// Whether the browser views render real pages: `show` then prints what
    /// they actually show instead of what they were asked to show.
    void setRealView(bool real) { m_realView = real; }

    /// Runs the line; an empty string, or the reason it failed.
    QString execute(const ScriptLine& line) const;

    /// The visible window of that name, else a hidden one, else null.
    static QWidget* findWindow(const QString& name);
    /// The name of the modal window that keeps a person from using this
    /// window, or an empty string.
    static QString blockingModal(QWidget* window);

private:
    QString click(const ScriptLine& line) const;
    QString setText(const ScriptLine& line) const;
    QString tick(const ScriptLine& line) const;
    QString select(const ScriptLine& line, bool doubleClick) const;
    QString closeWindow(const ScriptLine& line) const;
    QString show(const ScriptLine& line) const;

    static QString resolve(const QString& target, QWidget** window, QObject** control);
    static QString checkUsable(QWidget* window, QObject* control, const QString& target);

    Print m_print;
    TranscriptText m_transcriptText;
    bool m_realView = false;
};

/// A window as the transcript names it: its objectName, else its class.
QString windowLabel(const QWidget* window);
/// One transcript line per event: line breaks inside a text are written as \n.
QString oneLine(QString text);

} // namespace quenlow
