// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/RankingQuestion.h"

#include "model/FormMethod.h"

#include <QVarLengthArray>

namespace quenlow {

QStringList rankingOptionsOf(const FormMethod& record)
{
    return record.attribute6List;
}

void setRankingOptions(FormMethod& record, const QStringList& options)
{
    record.attribute6List.clear();
    // A line break would end the value's line in the file.
    for (QString option : options)
        record.attribute6List.append(
            option.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

QStringList rankingPlaces(qsizetype count)
{
    QStringList places;
    places.reserve(count);
    for (qsizetype place = 1; place <= count; ++place)
        places.append(QString::number(place));
    return places;
}

std::optional<QString> rankingProblem(const QStringList& places, bool required, FormLanguage language)
{
    const qsizetype count = places.size();
    const auto problem = [&] { return respondentText(RespondentText::GivePlaces, language).arg(count); };
    qsizetype empty = 0;
    for (const QString& place : places)
        empty += place.isEmpty() ? 1 : 0;
    if (empty == count && count > 0)
        return required ? std::optional(problem()) : std::nullopt;
    if (empty > 0)
        return problem(); // part of an order says nothing of the rest
    QVarLengthArray<bool, 32> taken(count, false);
    for (const QString& place : places) {
        // Only the spelling the menus post: "1" to "N".
        bool ok = false;
        const qsizetype n = place.toLongLong(&ok);
        if (!ok || n < 1 || n > count || QString::number(n) != place || taken[n - 1])
            return problem();
        taken[n - 1] = true;
    }
    return std::nullopt;
}

} // namespace quenlow
