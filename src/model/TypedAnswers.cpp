// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/TypedAnswers.h"

#include <algorithm>

namespace quenlow {

QList<std::pair<QString, qint64>> typedAnswersShown(
    QList<std::pair<QString, qint64>> typed, const QString& otherLabel)
{
    std::stable_sort(
        typed.begin(), typed.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    QList<std::pair<QString, qint64>> shown;
    qint64 rest = 0;
    for (const auto& [value, count] : std::as_const(typed)) {
        if (count >= 2 && shown.size() < kTypedAnswersShown)
            shown.append({ value, count });
        else
            rest += count;
    }
    if (rest > 0)
        shown.append({ otherLabel, rest });
    return shown;
}

} // namespace quenlow
