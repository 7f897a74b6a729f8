// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/GridQuestion.h"

#include "model/FormMethod.h"

namespace quenlow {

namespace {

const QString kGridAnswer = QStringLiteral("GridAnswer");

// A line break would end the value's line in the file.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

bool isGridAnswerKey(const QString& key)
{
    return key == kGridAnswer;
}

GridQuestion gridOf(const FormMethod& record)
{
    GridQuestion grid;
    grid.rows = record.attribute6List;
    for (const auto& [key, value] : record.settings) {
        if (key == kGridAnswer)
            grid.answers.append(value);
    }
    return grid;
}

void setGrid(FormMethod& record, const GridQuestion& grid)
{
    record.attribute6List.clear();
    for (const QString& row : grid.rows)
        record.attribute6List.append(oneLine(row));
    // The answers go first among the key lines, where the settings that follow them expect them.
    QList<std::pair<QString, QString>> lines;
    for (const QString& answer : grid.answers)
        lines.append({ kGridAnswer, oneLine(answer) });
    for (const auto& line : std::as_const(record.settings)) {
        if (!isGridAnswerKey(line.first))
            lines.append(line);
    }
    record.settings = lines;
}

QStringList gridPresetAnswers(GridPreset preset, FormLanguage language)
{
    RespondentText first = RespondentText::AgreeStronglyDisagree;
    switch (preset) {
    case GridPreset::None:
        return {};
    case GridPreset::Agree:
        break;
    case GridPreset::Satisfied:
        first = RespondentText::SatisfiedVeryDissatisfied;
        break;
    case GridPreset::HowOften:
        first = RespondentText::OftenNever;
        break;
    }
    // Five answers each, in order in the table of texts.
    QStringList answers;
    for (int i = 0; i < 5; ++i)
        answers.append(respondentText(RespondentText(int(first) + i), language));
    return answers;
}

} // namespace quenlow
