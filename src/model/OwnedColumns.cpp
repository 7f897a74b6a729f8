// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/OwnedColumns.h"

#include "database/AnswerColumns.h"
#include "model/GridQuestion.h"
#include "model/QuestionSettings.h"
#include "model/RankingQuestion.h"

namespace quenlow {

QList<OwnedColumn> answerColumnsOf(const FormMethod& element)
{
    if (!isQuestionKind(element.kind))
        return {};
    if (element.kind == ElementKind::Grid) {
        const GridQuestion grid = gridOf(element);
        QList<OwnedColumn> columns;
        for (const QString& row : grid.rows)
            columns.append({ columnNameFor(row), row, element.userInstruction + QStringLiteral(": ") + row,
                OwnedColumn::Role::GridRow, false, grid.answers });
        return columns;
    }
    if (element.kind == ElementKind::Ranking) {
        const QStringList options = rankingOptionsOf(element);
        const QStringList places = rankingPlaces(options.size());
        QList<OwnedColumn> columns;
        for (const QString& option : options)
            columns.append(
                { columnNameFor(option), option, element.userInstruction + QStringLiteral(": ") + option,
                    OwnedColumn::Role::RankPlace, false, places });
        return columns;
    }
    QList<OwnedColumn> columns { { columnNameFor(element.userInstruction), element.userInstruction,
        element.userInstruction, OwnedColumn::Role::Answer, hasMemoColumn(element.kind), {} } };
    columns.append(extraColumnsOf(element));
    return columns;
}

QList<OwnedColumn> extraColumnsOf(const FormMethod& element)
{
    if (element.kind != ElementKind::CheckBox || element.settings.isEmpty())
        return {};
    // The group's settings stand on one of its boxes only, which owns the column.
    const QuestionSettings settings = questionSettingsOf(element);
    if (!settings.otherAnswer || settings.questionText.isEmpty())
        return {};
    const QString source = groupOtherSource(settings.questionText);
    return { { columnNameFor(source), source, source, OwnedColumn::Role::OtherText, false, {} } };
}

QString groupOtherSource(const QString& groupQuestion)
{
    return groupQuestion + QStringLiteral(": Other");
}

QStringList columnSourcesOf(const FormMethod& element)
{
    QStringList sources;
    for (const OwnedColumn& column : answerColumnsOf(element))
        sources.append(column.source);
    return sources;
}

bool ownsSeveralColumns(const FormMethod& element)
{
    return element.kind == ElementKind::Grid || element.kind == ElementKind::Ranking;
}

} // namespace quenlow
