// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/ControlCommands.h"

#include "platform/BrowserView.h"
#include "platform/ChartControl.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>

namespace quenlow {

namespace {

QString className(const QObject* object)
{
    return QString::fromLatin1(object->metaObject()->className());
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

ControlCommands::ControlCommands(Print print, TranscriptText transcriptText)
    : m_print(std::move(print))
    , m_transcriptText(std::move(transcriptText))
{
}

QString ControlCommands::execute(const ScriptLine& line) const
{
    if (line.command == QLatin1String("click"))
        return click(line);
    if (line.command == QLatin1String("set"))
        return setText(line);
    if (line.command == QLatin1String("tick"))
        return tick(line);
    if (line.command == QLatin1String("select"))
        return select(line, false);
    if (line.command == QLatin1String("doubleclick"))
        return select(line, true);
    if (line.command == QLatin1String("close"))
        return closeWindow(line);
    if (line.command == QLatin1String("show"))
        return show(line);
    return QStringLiteral("%1 is not a command for a window or control").arg(line.command);
}

QWidget* ControlCommands::findWindow(const QString& name)
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

QString ControlCommands::resolve(const QString& target, QWidget** window, QObject** control)
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

QString ControlCommands::blockingModal(QWidget* window)
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

QString ControlCommands::checkUsable(QWidget* window, QObject* control, const QString& target)
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

QString ControlCommands::click(const ScriptLine& line) const
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

QString ControlCommands::setText(const ScriptLine& line) const
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
    // A spin box is typed into through its own box, as a person types.
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(control))
        edit = spin->findChild<QLineEdit*>();
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

QString ControlCommands::tick(const ScriptLine& line) const
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

QString ControlCommands::select(const ScriptLine& line, bool doubleClick) const
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

QString ControlCommands::closeWindow(const ScriptLine& line) const
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

QString ControlCommands::show(const ScriptLine& line) const
{
    QWidget* window = nullptr;
    QObject* control = nullptr;
    if (QString reason = resolve(line.target, &window, &control); !reason.isEmpty())
        return reason;
    QObject* object = control ? control : window;

    if (auto* chart = qobject_cast<ChartControl*>(object)) {
        m_print(line.target + QStringLiteral(" title=\"") + oneLine(m_transcriptText(chart->title()))
            + QStringLiteral("\" chartType=") + QString::number(chart->chartType())
            + QStringLiteral(" ColumnCount=") + QString::number(chart->columnCount()));
        for (int column = 1; column <= chart->columnCount(); ++column) {
            m_print(QStringLiteral("  [") + QString::number(column) + QStringLiteral("] ")
                + oneLine(m_transcriptText(chart->columnLabel(column))) + QStringLiteral(" = ")
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
        } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
            text = spin->text();
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
                pageFields = QStringLiteral(" url=\"")
                    + m_transcriptText(browser->loadedUrl().toString(QUrl::PreferLocalFile))
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
    m_print(line.target + QStringLiteral(" caption=\"") + oneLine(m_transcriptText(caption))
        + QStringLiteral("\" text=\"") + oneLine(m_transcriptText(text)) + QLatin1Char('"') + pageFields
        + QStringLiteral(" visible=") + QString::number(int(visible)) + QStringLiteral(" enabled=")
        + QString::number(int(enabled)) + QStringLiteral(" checked=") + QString::number(int(checked))
        + QStringLiteral(" selected=") + QString::number(selected) + QStringLiteral(" rows=")
        + QString::number(rows.size()));
    // Tabs are numbered from 1 like select numbers them; list rows from 0.
    const int first = (qobject_cast<QTabWidget*>(object) || qobject_cast<QTabBar*>(object)) ? 1 : 0;
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_print(QStringLiteral("  [") + QString::number(i + first) + QStringLiteral("] ")
            + oneLine(m_transcriptText(rows.at(i))));
    return {};
}

} // namespace quenlow
