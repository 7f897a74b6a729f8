// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

// The reporter's controls, made the same way on every tab: each carries its
// given name as objectName.
namespace quenlow::reporter {

template <typename W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent);
/// A label that shows its text as it is (question texts are the user's own
/// words, never markup).
QLabel* label(const QString& name, const QString& caption, QWidget* parent);
QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent);
QListWidget* listBox(const QString& name, QWidget* parent);

/// A group box title shows "&" as a shortcut marker unless it is doubled.
QString groupTitle(const QString& text);

/// Runs `action` whenever a row of `list` is chosen: when the current row
/// changes (by the user or by the program) and on a click on the row that is
/// already current.
void onRowChosen(QListWidget* list, std::function<void()> action);
/// Selects `row` as a click would: when it is already the current row the
/// list reports no change, so `action` runs here.
void chooseRow(QListWidget* list, int row, const std::function<void()>& action);

} // namespace quenlow::reporter
