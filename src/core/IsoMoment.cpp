// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/IsoMoment.h"

namespace quenlow {

QByteArray isoMomentUtc(const QDateTime& moment)
{
    if (!moment.isValid())
        return QByteArray();
    const QDateTime utc = moment.timeSpec() == Qt::UTC ? moment : moment.toUTC();
    const QDate date = utc.date();
    const QTime time = utc.time();
    if (date.year() < 1000 || date.year() > 9999)
        return utc.toString(Qt::ISODateWithMs).toLatin1();
    char text[24];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char('0' + value % 10);
    };
    put(0, date.year(), 4);
    text[4] = '-';
    put(5, date.month(), 2);
    text[7] = '-';
    put(8, date.day(), 2);
    text[10] = 'T';
    put(11, time.hour(), 2);
    text[13] = ':';
    put(14, time.minute(), 2);
    text[16] = ':';
    put(17, time.second(), 2);
    text[19] = '.';
    put(20, time.msec(), 3);
    text[23] = 'Z';
    return QByteArray(text, sizeof text);
}

} // namespace quenlow
