// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

#include <QList>
#include <QString>
#include <QStringList>

#include "core/Result.h"

#include <optional>

namespace quenlow {

class AnswersStore;

/// The options a choice question's answers are counted over: its list of
/// options for radio buttons and pull-down menus, "Checked" and "Not Checked"
/// for a check box (how the answers table holds a check box's answer).
QStringList chartOptions(const FormMethod& method);

/// How many answers in `column` of `table` equal each of `options`, exactly
/// and case-sensitively, in the options' order. Other values, empty answers
/// and the marker of a column added later count for none. The table is read
/// once, however many options there are. NotFound when the table is
/// missing; another failure when the column cannot be read.
Result<QList<qint64>> countAnswers(
    AnswersStore& store, const QString& table, const QString& column, const QStringList& options);

} // namespace quenlow
