// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QDateTime>

namespace quenlow {

/// The moment in UTC as "yyyy-MM-ddTHH:mm:ss.zzzZ", exactly as Qt writes an
/// ISO date with milliseconds, but written digit by digit: the stores write
/// one for every answer, and formatting a date the general way costs more
/// than storing the row. Empty for an invalid moment.
QByteArray isoMomentUtc(const QDateTime& moment);

} // namespace quenlow
