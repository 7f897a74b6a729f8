// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>
#include <QStringList>

namespace quenlow {

/// The statistics file formats answers go to.
enum class StatisticsFormat { Sav, Dta };

/// The most variables a Stata file of the version written holds.
inline constexpr int kMaxStataVariables = 32767;

/// The variable names of an answers file: "Submitted", "Changed", then one
/// per column, in order. Letters, digits and "_" only, starting with a
/// letter, at most 64 bytes (SPSS) or 32 (Stata); a name that clashes with
/// one before it (letter case ignored) or that had to be cut gets "_2", "_3",
/// …. The same columns always give the same names.
QStringList variableNames(const QStringList& columns, StatisticsFormat format);

} // namespace quenlow
