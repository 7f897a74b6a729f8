// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/ScriptRunner.h"

#include "platform/BrowserView.h"
#include "platform/ChartControl.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
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

/// One transcript line per event: line breaks inside a text are written as \n.
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\n"));
    return text;
}

QString windowLabel(const QWidget* window)
{
    if (!window->objectName().isEmpty())
        return window->objectName();
    return QString::fromLatin1(window->metaObject()->className());
}

QString className(const QObject* object)
{
    return QString::fromLatin1(object->metaObject()->className());
}

bool parseInt(const QString& text, int* value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

/// A control searched by name inside its window, not inside other windows
/// (dialogs owned by it); menus are popups but belong to the window.
QObject* findControl(QWidget* window, const QString& name)
{
    QObjectList queue = window->children();
    QObject* action = nullptr;
    while (!queue.isEmpty()) {
        QObject* object = queue.takeFirst();
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget && widget->isWindow() && !qobject_cast<QMenu*>(widget))
            continue;
        if (object->objectName() == name) {
            if (widget)
                return widget;
            if (!action && qobject_cast<QAction*>(object))
                action = object;
        }
        queue += object->children();
    }
    return action;
}

/// The rows of a list as the view shows them: column of the list, under its root.
struct ListRows {
    QAbstractItemModel* model = nullptr;
    QModelIndex root;
    int column = 0;

    explicit ListRows(const QAbstractItemView* view)
        : model(view->model())
        , root(view->rootIndex())
    {
        if (auto* list = qobject_cast<const QListView*>(view))
            column = list->modelColumn();
    }
    int count() const { return model ? model->rowCount(root) : 0; }
    QModelIndex index(int row) const { return model ? model->index(row, column, root) : QModelIndex(); }
    QString text(int row) const { return index(row).data(Qt::DisplayRole).toString(); }
};

int selectedRow(const QAbstractItemView* view)
{
    const QItemSelectionModel* selection = view->selectionModel();
    if (!selection)
        return -1;
    const QModelIndex current = view->currentIndex();
    if (current.isValid() && selection->isSelected(current))
        return current.row();
    const QModelIndexList selected = selection->selectedIndexes();
    if (selected.isEmpty())
        return -1;
    return std::min_element(selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) {
        return a.row() < b.row();
    })->row();
}

} // namespace

ScriptRunner::ScriptRunner(QObject* parent)
    : QObject(parent)
    , m_out([](const QString& line) { writeLine(stdout, line); })
    , m_err([](const QString& line) { writeLine(stderr, line); })
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
    installBrowserRecorder();
}

void ScriptRunner::installBrowserRecorder()
{
    BrowserView::setRecorder(
        [this](const QString& window, const QString& kind, const QString& path) { onBrowser(window, kind, path); },
        m_realView, [this](const BrowserView& view, bool ok) { onLoaded(view, ok); });
}

ScriptRunner::~ScriptRunner()
{
    BrowserView::setRecorder({});
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
    m_lines.clear();
    const QStringList rawLines = script.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < rawLines.size(); ++i) {
        QString text = rawLines.at(i);
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;

        Line line;
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
        const QString where = QString::number(line.number);

        static const QStringList commands = { QStringLiteral("click"), QStringLiteral("set"),
            QStringLiteral("tick"), QStringLiteral("select"), QStringLiteral("doubleclick"),
            QStringLiteral("close"), QStringLiteral("answer"), QStringLiteral("show") };
        if (!commands.contains(line.command)) {
            fail(where, QStringLiteral("unknown command \"%1\"").arg(line.command));
            return false;
        }

        if (line.command == QLatin1String("set")) {
            if (isBlank(pos))
                ++pos;
            line.argument = text.mid(pos);
        } else {
            line.argument = word();
            if (!word().isEmpty()) {
                fail(where, QStringLiteral("too many words for %1").arg(line.command));
                return false;
            }
        }

        const bool needsControl = line.command != QLatin1String("close")
            && line.command != QLatin1String("answer") && line.command != QLatin1String("show");
        const qsizetype dot = line.target.indexOf(QLatin1Char('.'));
        if (line.command == QLatin1String("answer")) {
            if (line.target != QLatin1String("Yes") && line.target != QLatin1String("No")
                && line.target != QLatin1String("OK")) {
                fail(where, QStringLiteral("answer needs Yes, No or OK"));
                return false;
            }
            if (!line.argument.isEmpty()) {
                fail(where, QStringLiteral("too many words for answer"));
                return false;
            }
            line.argument = line.target;
            line.target.clear();
        } else if (line.target.isEmpty()) {
            fail(where,
                QStringLiteral("%1 needs a %2")
                    .arg(line.command,
                        needsControl ? QStringLiteral("control (Window.Control)")
                                     : QStringLiteral("window")));
            return false;
        } else if (needsControl && (dot <= 0 || dot == line.target.size() - 1)) {
            fail(where, QStringLiteral("\"%1\" is not a control name (Window.Control)").arg(line.target));
            return false;
        } else if (line.command == QLatin1String("close") && dot >= 0) {
            fail(where, QStringLiteral("close needs a window name, not a control"));
            return false;
        } else if (line.command == QLatin1String("show") && (dot == 0 || dot == line.target.size() - 1)) {
            fail(where, QStringLiteral("\"%1\" is not a window or control name").arg(line.target));
            return false;
        }

        if (line.command == QLatin1String("tick")) {
            if (line.argument != QLatin1String("0") && line.argument != QLatin1String("1")) {
                fail(where, QStringLiteral("tick needs 0 or 1"));
                return false;
            }
        } else if (line.command == QLatin1String("select") || line.command == QLatin1String("doubleclick")) {
            const int lowest = line.command == QLatin1String("select") ? -1 : 0;
            if (!parseInt(line.argument, &line.row) || line.row < lowest) {
                fail(where,
                    QStringLiteral("%1 needs a row number%2")
                        .arg(line.command, lowest < 0 ? QStringLiteral(" (-1 clears)") : QString()));
                return false;
            }
        } else if (line.command != QLatin1String("set") && line.command != QLatin1String("answer")
            && !line.argument.isEmpty()) {
            fail(where, QStringLiteral("too many words for %1").arg(line.command));
            return false;
        }
        m_lines.append(line);
    }
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
    if (m_next >= m_lines.size()) {
        finishRun();
        return;
    }
    const Line line = m_lines.at(m_next++);
    // Scheduled before the line runs: a line that opens a modal window only
    // returns when it closes, and the next lines must act in it meanwhile.
    scheduleStep(0);
    m_frames.append(Frame { QApplication::activeModalWidget() });
    execute(line);
    m_frames.removeLast();
}

void ScriptRunner::execute(const Line& line)
{
    QString reason;
    if (line.command == QLatin1String("click"))
        reason = click(line);
    else if (line.command == QLatin1String("set"))
        reason = setText(line);
    else if (line.command == QLatin1String("tick"))
        reason = tick(line);
    else if (line.command == QLatin1String("select"))
        reason = select(line, false);
    else if (line.command == QLatin1String("doubleclick"))
        reason = select(line, true);
    else if (line.command == QLatin1String("close"))
        reason = closeWindow(line);
    else if (line.command == QLatin1String("show"))
        reason = show(line);
    else if (line.command == QLatin1String("answer"))
        m_messages.queueAnswer(line.argument == QLatin1String("Yes") ? MessageAnswer::Yes
                : line.argument == QLatin1String("No")               ? MessageAnswer::No
                                                                     : MessageAnswer::Ok);
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

// --- Finding windows and controls ------------------------------------------

QWidget* ScriptRunner::findWindow(const QString& name) const
{
    QWidget* hidden = nullptr;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() != name)
            continue;
        if (window->isVisible())
            return window;
        if (!hidden)
            hidden = window;
    }
    return hidden;
}

QString ScriptRunner::resolve(const QString& target, QWidget** window, QObject** control) const
{
    const qsizetype dot = target.indexOf(QLatin1Char('.'));
    const QString windowName = dot < 0 ? target : target.left(dot);
    *window = findWindow(windowName);
    *control = nullptr;
    if (!*window)
        return QStringLiteral("no window %1").arg(windowName);
    if (dot < 0)
        return {};
    const QString controlName = target.mid(dot + 1);
    *control = findControl(*window, controlName);
    if (!*control)
        return QStringLiteral("no control %1 in window %2").arg(controlName, windowName);
    return {};
}

QString ScriptRunner::blockingModal(QWidget* window) const
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return {};
    // The modal window itself and the windows it owns stay usable.
    for (QWidget* w = window; w; w = w->parentWidget()) {
        if (w == modal)
            return {};
    }
    if (modal->windowModality() == Qt::WindowModal) {
        // Blocks only the windows it belongs to.
        bool owner = false;
        for (QWidget* w = modal->parentWidget(); w; w = w->parentWidget())
            owner = owner || w->window() == window;
        if (!owner)
            return {};
    }
    return windowLabel(modal);
}

QString ScriptRunner::checkUsable(QWidget* window, QObject* control, const QString& target) const
{
    if (!window->isVisible())
        return QStringLiteral("window %1 is not shown").arg(window->objectName());
    if (const QString modal = blockingModal(window); !modal.isEmpty())
        return QStringLiteral("window %1 is blocked by the modal window %2").arg(window->objectName(), modal);
    if (auto* action = qobject_cast<QAction*>(control)) {
        if (!action->isVisible())
            return QStringLiteral("%1 is hidden").arg(target);
        if (!action->isEnabled())
            return QStringLiteral("%1 is disabled").arg(target);
        return {};
    }
    auto* widget = qobject_cast<QWidget*>(control);
    if (!widget->isVisible())
        return QStringLiteral("%1 is hidden").arg(target);
    if (!widget->isEnabled())
        return QStringLiteral("%1 is disabled").arg(target);
    return {};
}

// --- Commands ---------------------------------------------------------------

QString ScriptRunner::click(const Line& line)
{
    QWidget* window = nullptr;
    QObject* control = nullptr;
    if (QString reason = resolve(line.target, &window, &control); !reason.isEmpty())
        return reason;
    if (auto* action = qobject_cast<QAction*>(control)) {
        if (action->isSeparator() || action->menu())
            return QStringLiteral("%1 is not a menu entry that can be chosen").arg(line.target);
        if (QString reason = checkUsable(window, control, line.target); !reason.isEmpty())
            return reason;
        action->trigger();
        return {};
    }
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button)
        return QStringLiteral("%1 (%2) cannot be clicked").arg(line.target, className(control));
    if (QString reason = checkUsable(window, control, line.target); !reason.isEmpty())
        return reason;
    button->click();
    return {};
}

QString ScriptRunner::setText(const Line& line)
{
    QWidget* window = nullptr;
    QObject* control = nullptr;
    if (QString reason = resolve(line.target, &window, &control); !reason.isEmpty())
        return reason;
    QLineEdit* edit = qobject_cast<QLineEdit*>(control);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (!combo->isEditable())
            return QStringLiteral("%1 is a list to choose from: use select").arg(line.target);
        edit = combo->lineEdit();
    }
    auto* textEdit = qobject_cast<QTextEdit*>(control);
    auto* plainEdit = qobject_cast<QPlainTextEdit*>(control);
    if (!edit && !textEdit && !plainEdit)
        return QStringLiteral("%1 (%2) has no text to set").arg(line.target, className(control));
    if (QString reason = checkUsable(window, control, line.target); !reason.isEmpty())
        return reason;
    if ((edit && edit->isReadOnly()) || (textEdit && textEdit->isReadOnly())
        || (plainEdit && plainEdit->isReadOnly()))
        return QStringLiteral("%1 is read-only").arg(line.target);
    if (edit) {
        // Replaced as typing would: textEdited and textChanged are emitted and
        // the box's length limit and validator apply.
        edit->selectAll();
        if (line.argument.isEmpty())
            edit->del();
        else
            edit->insert(line.argument);
    } else if (textEdit) {
        textEdit->setPlainText(line.argument);
    } else {
        plainEdit->setPlainText(line.argument);
    }
    return {};
}

QString ScriptRunner::tick(const Line& line)
{
    QWidget* window = nullptr;
    QObject* control = nullptr;
    if (QString reason = resolve(line.target, &window, &control); !reason.isEmpty())
        return reason;
    const bool wanted = line.argument == QLatin1String("1");
    if (auto* action = qobject_cast<QAction*>(control)) {
        if (!action->isCheckable())
            return QStringLiteral("%1 cannot be ticked").arg(line.target);
        if (QString reason = checkUsable(window, control, line.target); !reason.isEmpty())
            return reason;
        if (action->isChecked() != wanted)
            action->trigger();
        return {};
    }
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button || !button->isCheckable())
        return QStringLiteral("%1 (%2) cannot be ticked").arg(line.target, className(control));
    if (QString reason = checkUsable(window, control, line.target); !reason.isEmpty())
        return reason;
    if (button->isChecked() == wanted)
        return {};
    if (!wanted && button->autoExclusive())
        return QStringLiteral("%1 is cleared by choosing another option").arg(line.target);
    button->click();
    return {};
}

QString ScriptRunner::select(const Line& line, bool doubleClick)
{
    QWidget* window = nullptr;
    QObject* control = nullptr;
    if (QString reason = resolve(line.target, &window, &control); !reason.isEmpty())
        return reason;
    auto outOfRange = [&](int count) {
        return QStringLiteral("%1 has no row %2 (%3 rows)")
            .arg(line.target, QString::number(line.row), QString::number(count));
    };
    const int row = line.row;

    if (auto* view = qobject_cast<QAbstractItemView*>(control)) {
        const ListRows rows(view);
        if (row >= rows.count())
            return outOfRange(rows.count());
        if (QString reason = checkUsable(window, control, line.target); !reason.isEmpty())
            return reason;
        QItemSelectionModel* selection = view->selectionModel();
        if (row < 0) {
            if (selection)
                selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
            return {};
        }
        const QModelIndex index = rows.index(row);
        if (!(index.flags() & Qt::ItemIsEnabled))
            return QStringLiteral("row %1 of %2 is disabled").arg(QString::number(row), line.target);
        // As a click does: the row becomes current and selected, then pressed
        // and clicked; a double click goes on with doubleClicked and activated.
        view->scrollTo(index);
        if (selection) {
            QItemSelectionModel::SelectionFlags flags
                = view->selectionMode() == QAbstractItemView::NoSelection
                ? QItemSelectionModel::NoUpdate
                : QItemSelectionModel::ClearAndSelect;
            if (view->selectionBehavior() == QAbstractItemView::SelectRows)
                flags |= QItemSelectionModel::Rows;
            selection->setCurrentIndex(index, flags);
        }
        const QPersistentModelIndex persistent(index);
        emit view->pressed(index);
        if (persistent.isValid())
            emit view->clicked(persistent);
        if (doubleClick && persistent.isValid()) {
            emit view->doubleClicked(persistent);
            if (persistent.isValid())
                emit view->activated(persistent);
        }
        return {};
    }

    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (doubleClick)
            return QStringLiteral("%1 is a combo box: use select").arg(line.target);
        if (row >= combo->count())
            return outOfRange(combo->count());
        if (QString reason = checkUsable(window, control, line.target); !reason.isEmpty())
            return reason;
        combo->setCurrentIndex(row);
        if (row >= 0) {
            emit combo->activated(row);
            emit combo->textActivated(combo->itemText(row));
        }
        return {};
    }

    QTabBar* tabBar = qobject_cast<QTabBar*>(control);
    if (auto* tabs = qobject_cast<QTabWidget*>(control))
        tabBar = tabs->tabBar();
    if (tabBar) {
        if (doubleClick)
            return QStringLiteral("%1 is a tab strip: use select").arg(line.target);
        // Tabs are counted from 1, as the tab strip numbers them.
        if (row < 1 || row > tabBar->count())
            return QStringLiteral("%1 has no tab %2 (tabs 1 to %3)")
                .arg(line.target, QString::number(row), QString::number(tabBar->count()));
        if (QString reason = checkUsable(window, control, line.target); !reason.isEmpty())
            return reason;
        if (!tabBar->isTabEnabled(row - 1))
            return QStringLiteral("tab %1 of %2 is disabled").arg(QString::number(row), line.target);
        emit tabBar->tabBarClicked(row - 1);
        tabBar->setCurrentIndex(row - 1);
        return {};
    }

    return QStringLiteral("%1 (%2) has no rows to select").arg(line.target, className(control));
}

QString ScriptRunner::closeWindow(const Line& line)
{
    QWidget* window = findWindow(line.target);
    if (!window)
        return QStringLiteral("no window %1").arg(line.target);
    if (!window->isVisible())
        return QStringLiteral("window %1 is not shown").arg(line.target);
    if (const QString modal = blockingModal(window); !modal.isEmpty())
        return QStringLiteral("window %1 is blocked by the modal window %2").arg(line.target, modal);
    // close() sends the close event the title bar's button sends.
    window->close();
    return {};
}

QString ScriptRunner::show(const Line& line)
{
    QWidget* window = nullptr;
    QObject* control = nullptr;
    if (QString reason = resolve(line.target, &window, &control); !reason.isEmpty())
        return reason;
    QObject* object = control ? control : window;

    if (auto* chart = qobject_cast<ChartControl*>(object)) {
        print(line.target + QStringLiteral(" title=\"") + oneLine(withAppFolder(chart->title()))
            + QStringLiteral("\" chartType=") + QString::number(chart->chartType())
            + QStringLiteral(" ColumnCount=") + QString::number(chart->columnCount()));
        for (int column = 1; column <= chart->columnCount(); ++column) {
            print(QStringLiteral("  [") + QString::number(column) + QStringLiteral("] ")
                + oneLine(withAppFolder(chart->columnLabel(column))) + QStringLiteral(" = ")
                + chart->data(column));
        }
        return {};
    }

    QString caption;
    QString text;
    bool visible = false;
    bool enabled = false;
    bool checked = false;
    int selected = -1;
    QStringList rows;
    QString pageFields; // a rendering browser view: what it actually shows

    if (auto* action = qobject_cast<QAction*>(object)) {
        caption = action->text();
        visible = window->isVisible() && action->isVisible();
        enabled = action->isEnabled();
        checked = action->isChecked();
    } else {
        auto* widget = qobject_cast<QWidget*>(object);
        visible = widget->isVisible();
        enabled = widget->isEnabled();
        if (widget == window) {
            caption = widget->windowTitle();
        } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
            // A menu is shown as its title in the menu bar, its entries as rows.
            caption = menu->title();
            visible = window->isVisible() && menu->menuAction()->isVisible();
            const QList<QAction*> entries = menu->actions();
            for (const QAction* entry : entries)
                rows.append(
                    entry->isSeparator() && entry->text().isEmpty() ? QStringLiteral("-") : entry->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            caption = button->text();
            checked = button->isChecked();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            caption = label->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            caption = group->title();
            checked = group->isCheckable() && group->isChecked();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            text = edit->text();
        } else if (auto* textEdit = qobject_cast<QTextEdit*>(widget)) {
            text = textEdit->toPlainText();
        } else if (auto* plainEdit = qobject_cast<QPlainTextEdit*>(widget)) {
            text = plainEdit->toPlainText();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            text = combo->currentText();
            selected = combo->currentIndex();
            for (int i = 0; i < combo->count(); ++i)
                rows.append(combo->itemText(i));
        } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
            const ListRows list(view);
            selected = selectedRow(view);
            for (int i = 0; i < list.count(); ++i)
                rows.append(list.text(i));
            if (selected >= 0)
                text = list.text(selected);
        } else if (auto* browser = qobject_cast<BrowserView*>(widget)) {
            if (m_realView) {
                text = browser->loadedText();
                pageFields = QStringLiteral(" url=\"") + withAppFolder(browser->loadedUrl().toString(QUrl::PreferLocalFile))
                    + QStringLiteral("\" title=\"") + oneLine(browser->loadedTitle()) + QLatin1Char('"');
            } else {
                text = browser->lastPath();
            }
        } else if (qobject_cast<QTabWidget*>(widget) || qobject_cast<QTabBar*>(widget)) {
            auto* tabs = qobject_cast<QTabWidget*>(widget);
            QTabBar* bar = tabs ? tabs->tabBar() : qobject_cast<QTabBar*>(widget);
            selected = bar->currentIndex() < 0 ? -1 : bar->currentIndex() + 1;
            for (int i = 0; i < bar->count(); ++i)
                rows.append(bar->tabText(i));
            if (bar->currentIndex() >= 0)
                text = bar->tabText(bar->currentIndex());
        }
    }

    // Built by concatenation: captions may contain "%1" and the like.
    print(line.target + QStringLiteral(" caption=\"") + oneLine(withAppFolder(caption))
        + QStringLiteral("\" text=\"") + oneLine(withAppFolder(text)) + QLatin1Char('"') + pageFields
        + QStringLiteral(" visible=")
        + QString::number(int(visible)) + QStringLiteral(" enabled=") + QString::number(int(enabled))
        + QStringLiteral(" checked=") + QString::number(int(checked)) + QStringLiteral(" selected=")
        + QString::number(selected) + QStringLiteral(" rows=") + QString::number(rows.size()));
    // Tabs are numbered from 1 like select numbers them; list rows from 0.
    const int first = (qobject_cast<QTabWidget*>(object) || qobject_cast<QTabBar*>(object)) ? 1 : 0;
    for (qsizetype i = 0; i < rows.size(); ++i)
        print(QStringLiteral("  [") + QString::number(i + first) + QStringLiteral("] ")
            + oneLine(withAppFolder(rows.at(i))));
    return {};
}

// --- Transcript ---------------------------------------------------------------

void ScriptRunner::print(const QString& line)
{
    // What the program does while it is taken down after the run is no part
    // of the transcript.
    if (!m_finished)
        m_out(line);
}

void ScriptRunner::onMessage(const RecordingMessages::Box& box)
{
    // Multi-argument arg() replaces all places in one pass, so a "%1" in the
    // text stays as it is.
    print(QStringLiteral("message %1 %2 default=%3 \"%4\" %5")
              .arg(iconName(box.icon),
                  box.buttons == MessageButtons::YesNo ? QStringLiteral("YesNo") : QStringLiteral("OK"),
                  answerName(box.defaultAnswer),
                  oneLine(withAppFolder(box.title)), oneLine(withAppFolder(box.text))));
    if (box.unanswered)
        print(QStringLiteral("unanswered"));
}

void ScriptRunner::onBrowser(const QString& window, const QString& kind, const QString& path)
{
    const QString line = kind == QLatin1String("refresh")
        ? QString(QStringLiteral("refresh ") + window)
        : QString(kind + QLatin1Char(' ') + window + QLatin1Char(' ') + withAppFolder(path));
    if (m_realView)
        m_heldBrowserLines.append({window, line});
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
