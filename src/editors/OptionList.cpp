// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/OptionList.h"

#include "core/Messages.h"
#include "model/Fragments.h"
#include "model/HtmlText.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quenlow {

OptionList::OptionList(const Controls& controls, const QString& emptyInputMessage,
    const QString& noSelectionMessage, QObject* parent)
    : QObject(parent)
    , m_c(controls)
    , m_emptyInputMessage(emptyInputMessage)
    , m_noSelectionMessage(noSelectionMessage)
    , m_defaultOption(noDefaultOption())
{
    m_c.list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_c.add, &QPushButton::clicked, this, &OptionList::addOption);
    connect(m_c.remove, &QPushButton::clicked, this, &OptionList::removeOption);
    connect(m_c.tick, &QCheckBox::clicked, this, &OptionList::tickClicked);
    connect(m_c.list, &QListWidget::itemSelectionChanged, this, &OptionList::selectionChanged);
    // Typing a new option leaves the list, so the tick speaks of the new option.
    connect(m_c.input, &QLineEdit::textChanged, this, [this] { m_c.list->clearSelection(); });
    // Enter in the option box adds the option typed rather than pressing the
    // window's main button, which would finish a list still being made.
    m_c.input->installEventFilter(this);
}

bool OptionList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_c.input && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            addOption();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool OptionList::isEmpty() const
{
    return m_c.list->count() == 0;
}

void OptionList::setOptions(const QStringList& options)
{
    m_c.list->clear();
    for (const QString& option : options)
        m_c.list->addItem(option);
}

QStringList OptionList::walkOptions()
{
    QStringList options;
    for (int row = 0; row < m_c.list->count(); ++row) {
        m_c.list->setCurrentRow(row);
        options.append(optionAt(row));
    }
    return options;
}

int OptionList::selectedRow() const
{
    const QList<QListWidgetItem*> selected = m_c.list->selectedItems();
    return selected.isEmpty() ? -1 : m_c.list->row(selected.constFirst());
}

QString OptionList::optionAt(int row) const
{
    return m_c.list->item(row)->text();
}

void OptionList::addOption()
{
    const QString option = singleLine(m_c.input->text());
    if (option.isEmpty()) {
        showExclamation(m_emptyInputMessage);
        return;
    }
    if (m_c.tick->isChecked())
        m_defaultOption = option;
    m_c.list->addItem(option);
    m_c.list->clearSelection();
    m_c.tick->setChecked(false);
    m_c.input->clear();
}

void OptionList::removeOption()
{
    const int row = selectedRow();
    if (row < 0) {
        showExclamation(m_noSelectionMessage);
        return;
    }
    if (optionAt(row) == m_defaultOption)
        m_defaultOption = noDefaultOption();
    delete m_c.list->takeItem(row);
    m_c.list->clearSelection();
    if (m_c.list->count() > 0)
        m_c.list->setCurrentRow(m_c.list->count() - 1);
}

void OptionList::tickClicked(bool ticked)
{
    // While an option is being typed the tick is read when it is added.
    if (!m_c.input->text().isEmpty())
        return;
    const int row = selectedRow();
    if (row < 0)
        return;
    if (ticked)
        m_defaultOption = optionAt(row);
    else if (optionAt(row) == m_defaultOption)
        m_defaultOption = noDefaultOption();
}

void OptionList::selectionChanged()
{
    const int row = selectedRow();
    if (row >= 0)
        m_c.tick->setChecked(optionAt(row) == m_defaultOption);
}

} // namespace quenlow
