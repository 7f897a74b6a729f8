// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/ScaleQuestion.h"

#include "model/FormMethod.h"

#include <algorithm>

namespace quenlow {

namespace {

const QString kLowLabel = QStringLiteral("ScaleLowLabel");
const QString kHighLabel = QStringLiteral("ScaleHighLabel");

int endOf(const QString& text, int fallback, int lowest, int highest)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::clamp(value, lowest, highest) : fallback;
}

// A line break would end the value's line in the file.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

bool isScaleLabelKey(const QString& key)
{
    return key == kLowLabel || key == kHighLabel;
}

ScaleQuestion scaleOf(const FormMethod& record)
{
    ScaleQuestion scale;
    scale.from = endOf(record.attribute4, scale.from, kScaleLowestFrom, kScaleHighestFrom);
    scale.to = endOf(record.attribute5, scale.to, kScaleLowestTo, kScaleHighestTo);
    for (const auto& [key, value] : record.settings) {
        if (key == kLowLabel)
            scale.lowLabel = value;
        else if (key == kHighLabel)
            scale.highLabel = value;
    }
    return scale;
}

void setScale(FormMethod& record, const ScaleQuestion& scale)
{
    record.attribute4 = QString::number(scale.from);
    record.attribute5 = QString::number(scale.to);
    record.settings.removeIf([](const auto& line) { return isScaleLabelKey(line.first); });
    if (!scale.lowLabel.isEmpty())
        record.settings.append({ kLowLabel, oneLine(scale.lowLabel) });
    if (!scale.highLabel.isEmpty())
        record.settings.append({ kHighLabel, oneLine(scale.highLabel) });
}

QStringList scaleValues(const ScaleQuestion& scale)
{
    QStringList values;
    for (int n = scale.from; n <= scale.to; ++n)
        values.append(QString::number(n));
    return values;
}

} // namespace quenlow
