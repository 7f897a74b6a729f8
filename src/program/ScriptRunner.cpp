// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/ScriptRunner.h"

#include "program/ShownTexts.h"

#include "platform/BrowserView.h"
#include "platform/ExternalBrowser.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace quenlow {

namespace {

// A line whose predecessor is still busy without a modal window (a nested
// event loop the script cannot act in) waits this many turns before the run
// gives up: the first turns immediately, the rest 10 ms apart (about 30 s).
constexpr int kQuickDeferrals = 100;
constexpr int kMaxDeferrals = kQuickDeferrals + 3000;

void writeLine(FILE* stream, const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    // Flushed line by line: a crash still leaves the transcript up to it.
    std::fflush(stream);
}

QString iconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return QStringLiteral("exclamation");
    case MessageIcon::Information:
        return QStringLiteral("information");
    case MessageIcon::Question:
        return QStringLiteral("question");
    case MessageIcon::None:
        break;
    }
    return QStringLiteral("none");
}

QString answerName(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Yes:
        return QStringLiteral("Yes");
    case MessageAnswer::No:
        return QStringLiteral("No");
    case MessageAnswer::Ok:
        break;
    }
    return QStringLiteral("OK");
}

} // namespace

ScriptRunner::ScriptRunner(QObject* parent)
    : QObject(parent)
    , m_out([](const QString& line) { writeLine(stdout, line); })
    , m_err([](const QString& line) { writeLine(stderr, line); })
    , m_commands([this](const QString& line) { print(line); },
          [this](const QString& text) { return withAppFolder(text); })
{
    m_messages.onShown = [this](const RecordingMessages::Box& box) { onMessage(box); };
    // The program's Exit quits the application: lines left then are an error.
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
    Messages::install(&m_messages);
    installBrowserRecorder();
}

void ScriptRunner::setRealView(bool real)
{
    m_realView = real;
    m_commands.setRealView(real);
    installBrowserRecorder();
}

void ScriptRunner::installBrowserRecorder()
{
    BrowserView::setRecorder([this](const QString& window, const QString& kind,
                                 const QString& path) { onBrowser(window, kind, path); },
        m_realView, [this](const BrowserView& view, bool ok) { onLoaded(view, ok); });
    // A script never starts the person's own browser: the address asked for is written instead.
    setExternalBrowserOpener([this](const QUrl& url) {
        print(QStringLiteral("open browser ") + url.toString());
        return true;
    });
}

ScriptRunner::~ScriptRunner()
{
    BrowserView::setRecorder({});
    setExternalBrowserOpener({});
    Messages::install(nullptr);
}

void ScriptRunner::setAppFolder(const QString& folder)
{
    m_appFolders.clear();
    const QString given = QDir::cleanPath(QDir(folder).absolutePath());
    const QString resolved = QFileInfo(given).canonicalFilePath();
    for (const QString& path : { resolved, given }) {
        // The root folder would turn every path into nonsense.
        if (!path.isEmpty() && path != QStringLiteral("/") && !m_appFolders.contains(path))
            m_appFolders.append(path);
    }
    // Longest first, so that one folder inside the other is replaced whole.
    std::sort(m_appFolders.begin(), m_appFolders.end(),
        [](const QString& a, const QString& b) { return a.size() > b.size(); });
}

bool ScriptRunner::load(const QString& script)
{
    ParsedScript parsed = parseScript(script);
    if (!parsed.ok()) {
        m_lines.clear();
        fail(QString::number(parsed.errorLine), parsed.error);
        return false;
    }
    m_lines = std::move(parsed.lines);
    return true;
}

void ScriptRunner::start(const std::function<void()>& startUp)
{
    if (m_started || m_finished)
        return;
    m_started = true;
    // Scheduled first: if the start-up opens a modal window, the script's
    // first line runs inside it.
    scheduleStep(0);
    if (startUp) {
        m_frames.append(Frame { QApplication::activeModalWidget() });
        startUp();
        m_frames.removeLast();
    }
}

bool ScriptRunner::readyForNextLine() const
{
    // A person acts on the page they see, not on one still on its way.
    if (BrowserView::loadsInProgress() > 0)
        return false;
    if (m_frames.isEmpty())
        return true;
    // A line is still in progress, so we are inside an event loop it started.
    // If it opened a modal window that is still up, the next line acts in it.
    // Otherwise that loop is ending (its window was just closed) and the line
    // must first finish what it does after the window closes.
    QWidget* modal = QApplication::activeModalWidget();
    // A progress window is the program at work, not a window waiting for the
    // person: the next line waits for the work to end. (Whether it shows at
    // all depends on timing, so acting in it would make runs differ.)
    if (qobject_cast<QProgressDialog*>(modal))
        return false;
    return modal && modal != m_frames.constLast().modalAtStart;
}

void ScriptRunner::scheduleStep(int delay)
{
    // Through the event loop's timers and then its posted events: whatever the
    // previous line queued (a queued reaction, the program's own quit) runs
    // before the next line, as it would before a person's next action.
    QTimer::singleShot(
        delay, this, [this] { QMetaObject::invokeMethod(this, &ScriptRunner::step, Qt::QueuedConnection); });
}

bool ScriptRunner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit && !m_programEnding) {
        m_programEnding = true;
        // Only reached if the event loop goes on, because a window refused to
        // close: then the program has not ended and the script goes on too.
        QTimer::singleShot(0, this, [this] {
            m_programEnding = false;
            scheduleStep(0);
        });
    }
    return QObject::eventFilter(watched, event);
}

void ScriptRunner::step()
{
    // Once the program has ended by itself, programEnded() tells the rest.
    if (m_finished || m_programEnding)
        return;
    if (!readyForNextLine()) {
        if (++m_deferrals > kMaxDeferrals) {
            fail(m_next < m_lines.size() ? QString::number(m_lines.at(m_next).number) : QStringLiteral("END"),
                QStringLiteral("the previous line has not finished"));
            return;
        }
        scheduleStep(m_deferrals < kQuickDeferrals ? 0 : 10);
        return;
    }
    m_deferrals = 0;
    recordShownTexts();
    if (m_next >= m_lines.size()) {
        finishRun();
        return;
    }
    const ScriptLine line = m_lines.at(m_next++);
    // Scheduled before the line runs: a line that opens a modal window only
    // returns when it closes, and the next lines must act in it meanwhile.
    scheduleStep(0);
    m_frames.append(Frame { QApplication::activeModalWidget() });
    execute(line);
    m_frames.removeLast();
}

void ScriptRunner::execute(const ScriptLine& line)
{
    QString reason;
    if (line.command == QLatin1String("answer"))
        m_messages.queueAnswer(line.argument == QLatin1String("Yes") ? MessageAnswer::Yes
                : line.argument == QLatin1String("No")               ? MessageAnswer::No
                                                                     : MessageAnswer::Ok);
    else
        reason = m_commands.execute(line);
    if (!reason.isEmpty() && !m_finished)
        fail(QString::number(line.number), reason);
}

void ScriptRunner::finishRun()
{
    printHeldBrowserLines();
    // A script that ends with a modal window up has usually forgotten a line.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        fail(QStringLiteral("END"), QStringLiteral("modal window %1 left open").arg(windowLabel(modal)));
        return;
    }
    endWithUnusedAnswersCheck();
}

void ScriptRunner::programEnded()
{
    if (m_finished)
        return;
    if (m_next < m_lines.size()) {
        fail(
            QString::number(m_lines.at(m_next).number), QStringLiteral("the program ended before this line"));
        return;
    }
    endWithUnusedAnswersCheck();
}

void ScriptRunner::endWithUnusedAnswersCheck()
{
    // An answer nobody asked for means the expected question never came.
    const int unused = m_messages.pendingAnswers();
    if (unused == 1)
        fail(QStringLiteral("END"), QStringLiteral("1 answer was never asked for"));
    else if (unused > 1)
        fail(QStringLiteral("END"), QStringLiteral("%1 answers were never asked for").arg(unused));
    else
        endRun(0);
}

void ScriptRunner::fail(const QString& where, const QString& reason)
{
    if (m_finished)
        return;
    m_err(QStringLiteral("error %1: %2").arg(where, withAppFolder(reason)));
    endRun(2);
}

void ScriptRunner::endRun(int exitCode)
{
    m_finished = true;
    m_exitCode = exitCode;
    closeModalWindows();
    emit finished(exitCode);
    if (m_quitAtEnd)
        QCoreApplication::exit(exitCode);
}

void ScriptRunner::closeModalWindows()
{
    // Closing them lets the lines waiting in their event loops return.
    for (int guard = 0; guard < 32; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        if (modal->isVisible())
            modal->hide();
    }
}

// --- Transcript ---------------------------------------------------------------

void ScriptRunner::print(const QString& line)
{
    // What the program does while it is taken down after the run is no part
    // of the transcript.
    if (!m_finished)
        m_out(line);
}

void ScriptRunner::recordShownTexts()
{
    if (!m_shownTexts)
        return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        for (const QString& line : shownTexts(window)) {
            const QString said = withAppFolder(line);
            if (!m_textsSeen.contains(said)) {
                m_textsSeen.insert(said);
                m_shownTexts(said);
            }
        }
    }
}

void ScriptRunner::onMessage(const RecordingMessages::Box& box)
{
    // Multi-argument arg() replaces all places in one pass, so a "%1" in the
    // text stays as it is.
    print(QStringLiteral("message %1 %2 default=%3 \"%4\" %5")
              .arg(iconName(box.icon),
                  box.buttons == MessageButtons::YesNo ? QStringLiteral("YesNo") : QStringLiteral("OK"),
                  answerName(box.defaultAnswer), oneLine(withAppFolder(box.title)),
                  oneLine(withAppFolder(box.text))));
    if (box.unanswered)
        print(QStringLiteral("unanswered"));
}

void ScriptRunner::onBrowser(const QString& window, const QString& kind, const QString& path)
{
    const QString line = kind == QLatin1String("refresh")
        ? QString(QStringLiteral("refresh ") + window)
        : QString(kind + QLatin1Char(' ') + window + QLatin1Char(' ') + withAppFolder(path));
    if (m_realView)
        m_heldBrowserLines.append({ window, line });
    else
        print(line);
}

void ScriptRunner::onLoaded(const BrowserView& view, bool ok)
{
    const QString window = view.windowName();
    for (qsizetype i = 0; i < m_heldBrowserLines.size();) {
        if (m_heldBrowserLines.at(i).first == window)
            print(m_heldBrowserLines.takeAt(i).second);
        else
            ++i;
    }
    const QString url = withAppFolder(view.loadedUrl().toString(QUrl::PreferLocalFile));
    if (ok)
        print(QStringLiteral("loaded ") + window + QLatin1Char(' ') + url + QStringLiteral(" \"")
            + oneLine(view.loadedTitle()) + QLatin1Char('"'));
    else
        print(QStringLiteral("failed ") + window + QLatin1Char(' ') + url);
}

void ScriptRunner::printHeldBrowserLines()
{
    // Requests whose page never came are still part of what was asked.
    for (const auto& held : std::as_const(m_heldBrowserLines))
        print(held.second);
    m_heldBrowserLines.clear();
}

QString ScriptRunner::withAppFolder(const QString& text) const
{
    QString result = text;
    for (const QString& folder : m_appFolders)
        result.replace(folder, QStringLiteral("APP"));
    return result;
}

} // namespace quenlow
