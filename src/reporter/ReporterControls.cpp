// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ReporterControls.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::reporter {

namespace {

/// Tells a click on the current row (which runs the row's action again) from
/// a click that changed it, by the changes of the current row counted since
/// the mouse button went down.
class RowChoice final : public QObject
{
public:
    RowChoice(QListWidget* list, std::function<void()> action)
        : QObject(list)
        , m_action(std::move(action))
    {
        connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
            ++m_rowChanges;
            if (row >= 0)
                m_action();
        });
        connect(list, &QListWidget::itemClicked, this, [this] {
            if (m_rowChanges == m_rowChangesAtPress)
                m_action();
        });
        list->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            m_rowChangesAtPress = m_rowChanges;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
    quint64 m_rowChanges = 0;
    quint64 m_rowChangesAtPress = 0;
};

} // namespace

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const QString& name, const QString& caption, QWidget* parent)
{
    auto* l = named(new QLabel(caption, parent), name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent)
{
    return named(new QGroupBox(caption, parent), name);
}

QListWidget* listBox(const QString& name, QWidget* parent)
{
    auto* list = named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

QString groupTitle(const QString& text)
{
    QString title = text;
    return title.replace(u'&', u"&&"_s);
}

void onRowChosen(QListWidget* list, std::function<void()> action)
{
    new RowChoice(list, std::move(action));
}

void chooseRow(QListWidget* list, int row, const std::function<void()>& action)
{
    if (list->currentRow() == row)
        action();
    else
        list->setCurrentRow(row);
}

} // namespace quenlow::reporter
