// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/RespondentTexts.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quenlow {

struct FormMethod;

/// A ranking: options a person puts in order. In the record the options are
/// "Attribute 6"'s list, in the designer's order (the order answers are stored
/// and reported in); each option owns a column holding its place, "1" for the
/// first.
QStringList rankingOptionsOf(const FormMethod& record);
/// Writes the options into the record, replacing those it held.
void setRankingOptions(FormMethod& record, const QStringList& options);
/// The places of a ranking of `count` options, in order: "1" to "count".
QStringList rankingPlaces(qsizetype count);
/// Whether `places` (one per option, empty where none was given) rank the
/// options: each of 1 to N once, or — when the ranking is not required —
/// none at all. Otherwise the note that says what is asked.
std::optional<QString> rankingProblem(const QStringList& places, bool required, FormLanguage language);

} // namespace quenlow
