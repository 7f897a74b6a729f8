// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/RecordingMessages.h"
#include "program/ControlCommands.h"
#include "program/ScriptParser.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace quenlow {

class BrowserView;

/// Drives the program's windows from a scenario script, the way a person
/// would, and writes a transcript of what the program showed (message boxes,
/// pages asked of the browser views, control states asked for by `show`).
///
/// While it exists it replaces the message boxes and the web engine with
/// recorders, so create it before the program creates its windows.
///
/// Lines run one at a time from the event loop. A line that opens a modal
/// window does not return until that window closes, so the following lines run
/// inside the modal window's own event loop, and act in it. The script language
/// is described in docs/scenarios.md.
///
/// Reading a script is `parseScript`'s; what a line does to a control is
/// `ControlCommands`'; this class decides when each line runs and keeps the
/// transcript.
class ScriptRunner final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScriptRunner)

public:
    using Sink = std::function<void(const QString& line)>;

    explicit ScriptRunner(QObject* parent = nullptr);
    ~ScriptRunner() override;

    /// Lets the browser views render real pages (offscreen): each request is
    /// printed once its page has loaded, followed by a "loaded" line, and
    /// `show` prints the address, title and text actually shown. Call it before
    /// the program creates its windows.
    void setRealView(bool real);

    /// Paths and texts that contain this folder are printed with "APP" in its place.
    void setAppFolder(const QString& folder);
    /// Where transcript lines go (standard output by default).
    void setOutput(Sink sink) { m_out = std::move(sink); }
    /// When set, every text of the windows shown before each line and at the
    /// end goes there once, as "PLACE<tab>TEXT" (see shownTexts): what a
    /// person reads, for checking that the windows speak their language.
    void setShownTextsOutput(Sink sink) { m_shownTexts = std::move(sink); }
    /// Where "error …" lines go (standard error by default).
    void setErrorOutput(Sink sink) { m_err = std::move(sink); }
    /// Whether the end of the run also ends the application's event loops
    /// (the default). Tests that run several scripts in one process turn it off.
    void setQuitAtEnd(bool quit) { m_quitAtEnd = quit; }

    /// Reads the script. Syntax errors (unknown command, missing or malformed
    /// argument) are reported at once, before anything runs: false, the error
    /// line written, exit code 2.
    bool load(const QString& script);

    /// Runs the script from the event loop. `startUp`, when given, runs first as
    /// if it were a line of the script (the program's start-up may open a modal
    /// window the script then acts in).
    void start(const std::function<void()>& startUp = {});

    /// To be called when the application's event loop has returned: the program
    /// may have ended by itself (its Exit command), possibly before the script did.
    void programEnded();

    bool isFinished() const { return m_finished; }
    /// 0 after a complete run, 2 after an error.
    int exitCode() const { return m_exitCode; }

signals:
    void finished(int exitCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// A line (or the start-up) in progress: it may be waiting in a modal
    /// window's event loop while later lines run.
    struct Frame {
        QPointer<QWidget> modalAtStart;
    };

    void scheduleStep(int delay);
    void step();
    bool readyForNextLine() const;
    void execute(const ScriptLine& line);
    void finishRun();
    void endWithUnusedAnswersCheck();
    void fail(const QString& where, const QString& reason);
    void endRun(int exitCode);
    void closeModalWindows();

    void print(const QString& line);
    void recordShownTexts();
    void onMessage(const RecordingMessages::Box& box);
    void onBrowser(const QString& window, const QString& kind, const QString& path);
    void onLoaded(const BrowserView& view, bool ok);
    void installBrowserRecorder();
    void printHeldBrowserLines();
    QString withAppFolder(const QString& text) const;

    RecordingMessages m_messages;
    Sink m_out;
    Sink m_err;
    Sink m_shownTexts;
    QSet<QString> m_textsSeen;
    QStringList m_appFolders; // the folder as given and as resolved on disk
    ControlCommands m_commands;
    QList<ScriptLine> m_lines;
    qsizetype m_next = 0;
    QList<Frame> m_frames;
    int m_deferrals = 0;
    bool m_started = false;
    bool m_finished = false;
    bool m_quitAtEnd = true;
    bool m_programEnding = false;
    bool m_realView = false;
    // With real pages: request lines of each window, held until its page loads.
    QList<QPair<QString, QString>> m_heldBrowserLines;
    int m_exitCode = 0;
};

} // namespace quenlow
