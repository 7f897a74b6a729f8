// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormMethod.h"

namespace quenlow {

QString keyLinesText(const QList<std::pair<QString, QString>>& lines)
{
    QString text;
    for (const auto& [key, value] : lines)
        text += key + QStringLiteral("\r\n") + value + QStringLiteral("\r\n");
    return text;
}

QList<std::pair<QString, QString>> keyLinesFromText(const QString& text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        pairs.append({ lines.at(i), lines.at(i + 1) });
    return pairs;
}

QString printNumber(int value)
{
    if (value < 0)
        return QString::number(value) + QLatin1Char(' ');
    return QLatin1Char(' ') + QString::number(value) + QLatin1Char(' ');
}

int wholeNumber(const QString& value)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace quenlow
