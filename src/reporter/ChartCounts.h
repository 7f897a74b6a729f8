// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"
#include "model/TypedAnswers.h"

#include <QList>
#include <QString>
#include <QStringList>

#include "core/Result.h"

#include <optional>

namespace quenlow {

class AnswersStore;
class MethodCollection;

/// The options a choice question's answers are counted over: its list of
/// options for radio buttons and pull-down menus, "Checked" and "Not Checked"
/// for a check box (how the answers table holds a check box's answer), every
/// number of a scale from its low end to its high end.
QStringList chartOptions(const FormMethod& method);

/// How many answers in `column` of `table` equal each of `options`, exactly
/// and case-sensitively, in the options' order. Other values, empty answers
/// and the marker of a column added later count for none. The table is read
/// once, however many options there are. NotFound when the table is
/// missing; another failure when the column cannot be read.
Result<QList<qint64>> countAnswers(
    AnswersStore& store, const QString& table, const QString& column, const QStringList& options);

/// What a chart of a question with an "Other:" choice shows beyond its
/// options (typedAnswersShown: the answers typed there as written, those
/// given at least twice and most often first, and the others together
/// under `otherLabel`, last). Values that are one of `options`, empty or the
/// marker of a column added later are none of them.
Result<QList<std::pair<QString, qint64>>> countTypedAnswers(AnswersStore& store, const QString& table,
    const QString& column, const QStringList& options, const QString& otherLabel);

/// Check boxes asked as one question: a run of consecutive check boxes whose
/// records carry the same question text.
struct CheckBoxGroup {
    QString question;
    QList<int> positions; // of its boxes in the element list, in order
    QStringList boxes; // their titles
    QString otherColumn; // where its answers typed after "Other:" are; empty when it offers none
};

/// The group whose first box is at `position`; nullopt when no group starts there.
std::optional<CheckBoxGroup> checkBoxGroupAt(const MethodCollection& collection, int position);

/// How many answers ticked each of the group's boxes, in the boxes' order.
Result<QList<qint64>> countTicked(AnswersStore& store, const QString& table, const CheckBoxGroup& group);

} // namespace quenlow
