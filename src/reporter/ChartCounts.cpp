// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ChartCounts.h"

#include "model/ElementKind.h"
#include "model/OwnedColumns.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/MethodCollection.h"
#include "model/QuestionSettings.h"
#include "model/ScaleQuestion.h"

#include <QHash>

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

QStringList chartOptions(const FormMethod& method)
{
    if (method.kind == ElementKind::CheckBox)
        return { checkedAnswer(), notCheckedAnswer() };
    if (method.kind == ElementKind::RadioButtons || method.kind == ElementKind::PullDownMenu)
        return method.attribute6List;
    if (method.kind == ElementKind::Scale)
        return scaleValues(scaleOf(method));
    return {};
}

Result<QList<qint64>> countAnswers(
    AnswersStore& store, const QString& table, const QString& column, const QStringList& options)
{
    return store.countMatches(table, column, options);
}

Result<QList<std::pair<QString, qint64>>> countTypedAnswers(AnswersStore& store, const QString& table,
    const QString& column, const QStringList& options, const QString& otherLabel)
{
    QHash<QString, qint64> typed;
    QStringList firstSeen; // ties keep the order they came in
    const QString marker = columnAddedMarker();
    const auto visited = store.visitRows(table, { column }, 0, std::numeric_limits<qint64>::max(),
        [&](qint64, AnswersStore::RawValues values) {
            if (values.empty() || !values[0] || values[0]->isEmpty())
                return;
            const QString value = QString::fromUtf8(*values[0]);
            if (value == marker || options.contains(value))
                return;
            if (!typed.contains(value))
                firstSeen.append(value);
            ++typed[value];
        });
    if (!visited)
        return visited.error();
    QList<std::pair<QString, qint64>> counted;
    for (const QString& value : std::as_const(firstSeen))
        counted.append({ value, typed.value(value) });
    return typedAnswersShown(counted, otherLabel);
}

namespace {

/// The group heading of a check box; empty for anything else.
QString groupQuestionOf(const MethodCollection& collection, int position)
{
    if (position < 0 || position >= collection.count())
        return {};
    const FormMethod& method = collection.atPosition(position);
    return method.kind == ElementKind::CheckBox ? questionSettingsOf(method).questionText : QString();
}

} // namespace

std::optional<CheckBoxGroup> checkBoxGroupAt(const MethodCollection& collection, int position)
{
    const QString question = groupQuestionOf(collection, position);
    if (question.isEmpty() || groupQuestionOf(collection, position - 1) == question)
        return std::nullopt;
    CheckBoxGroup group { question, {}, {}, {} };
    for (int i = position; groupQuestionOf(collection, i) == question; ++i) {
        group.positions.append(i);
        group.boxes.append(collection.atPosition(i).userInstruction);
        if (const QList<OwnedColumn> other = extraColumnsOf(collection.atPosition(i)); !other.isEmpty())
            group.otherColumn = other.constFirst().name;
    }
    return group;
}

Result<QList<qint64>> countTicked(AnswersStore& store, const QString& table, const CheckBoxGroup& group)
{
    QList<qint64> counts;
    for (const QString& box : group.boxes) {
        const auto ticked = store.countMatches(table, columnNameFor(box), { checkedAnswer() });
        if (!ticked)
            return ticked.error();
        counts.append(ticked->value(0));
    }
    return counts;
}

} // namespace quenlow
