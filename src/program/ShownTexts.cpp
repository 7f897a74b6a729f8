// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/ShownTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableView>
#include <QTextDocumentFragment>

namespace quenlow {

namespace {

// Rows past these are the same kind of text again.
constexpr int kMostRows = 40;

class Walk
{
public:
    QStringList lines;

    void add(const QString& place, const QString& text)
    {
        const QString shown = text.simplified();
        if (!shown.isEmpty())
            lines.append(place + QLatin1Char('\t') + shown);
    }

    void menu(const QString& place, const QMenu* menu)
    {
        add(place, menu->title());
        const QList<QAction*> actions = menu->actions();
        for (int i = 0; i < actions.size(); ++i) {
            const QAction* action = actions.at(i);
            if (!action->isVisible() || action->isSeparator())
                continue;
            const QString at = place + QLatin1Char('/') + nameOf(action, i);
            if (action->menu())
                this->menu(at, action->menu());
            else
                add(at, action->text());
        }
    }

    void widget(const QString& place, QWidget* w)
    {
        add(place + QStringLiteral("#tip"), w->toolTip());
        if (const auto* label = qobject_cast<QLabel*>(w))
            add(place,
                Qt::mightBeRichText(label->text())
                    ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                    : label->text());
        else if (const auto* button = qobject_cast<QAbstractButton*>(w))
            add(place, button->text());
        else if (const auto* box = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < box->count(); ++i)
                add(place + QStringLiteral("/item%1").arg(i), box->itemText(i));
        } else if (const auto* line = qobject_cast<QLineEdit*>(w)) {
            add(place + QStringLiteral("#placeholder"), line->placeholderText());
        } else if (const auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(place + QStringLiteral("/tab%1").arg(i), tabs->tabText(i));
        } else if (const auto* bar = qobject_cast<QMenuBar*>(w)) {
            const QList<QAction*> actions = bar->actions();
            for (int i = 0; i < actions.size(); ++i) {
                if (actions.at(i)->menu() && actions.at(i)->isVisible())
                    menu(place + QLatin1Char('/') + nameOf(actions.at(i), i), actions.at(i)->menu());
            }
        } else if (const auto* view = qobject_cast<QAbstractItemView*>(w)) {
            items(place, view);
        }
        if (const auto* frame = qobject_cast<QGroupBox*>(w))
            add(place, frame->title());

        const QObjectList children = w->children();
        for (int i = 0; i < children.size(); ++i) {
            auto* child = qobject_cast<QWidget*>(children.at(i));
            // Windows of their own (menus, dialogs) are walked when they are shown.
            if (child && !child->isWindow() && child->isVisibleTo(w))
                widget(place + QLatin1Char('/') + nameOf(child, i), child);
        }
    }

    void items(const QString& place, const QAbstractItemView* view)
    {
        const QAbstractItemModel* model = view->model();
        if (!model)
            return;
        if (const auto* table = qobject_cast<const QTableView*>(view);
            table && table->horizontalHeader()->isVisible()) {
            for (int c = 0; c < model->columnCount(); ++c)
                add(place + QStringLiteral("/heading%1").arg(c),
                    model->headerData(c, Qt::Horizontal).toString());
        }
        for (int r = 0; r < std::min(model->rowCount(), kMostRows); ++r)
            add(place + QStringLiteral("/row%1").arg(r), model->index(r, 0).data().toString());
    }

    static QString nameOf(const QObject* object, int position)
    {
        return object->objectName().isEmpty()
            ? QString::fromLatin1(object->metaObject()->className()) + QString::number(position)
            : object->objectName();
    }
};

} // namespace

QStringList shownTexts(QWidget* window)
{
    Walk walk;
    const QString place = window->objectName().isEmpty()
        ? QString::fromLatin1(window->metaObject()->className())
        : window->objectName();
    walk.add(place + QStringLiteral("#title"), window->windowTitle());
    walk.widget(place, window);
    return walk.lines;
}

} // namespace quenlow
