// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/RespondentTexts.h"

#include <QString>
#include <QStringList>

namespace quenlow {

struct FormMethod;

/// A grid: statements, each answered with one of the same answers ("Agree",
/// "Disagree", …). In the record the statements are "Attribute 6"'s list, in
/// the order they are asked (one list, so that it can be reordered as a
/// whole), and the answers are GridAnswer key lines, in order.
struct GridQuestion {
    QStringList rows;
    QStringList answers;

    bool operator==(const GridQuestion&) const = default;
};

/// The common scales a grid's answers can be filled with.
enum class GridPreset { None, Agree, Satisfied, HowOften };

/// Whether `key` is the key line of a grid's answer.
bool isGridAnswerKey(const QString& key);
GridQuestion gridOf(const FormMethod& record);
/// Writes the statements and answers into the record, replacing those it held.
void setGrid(FormMethod& record, const GridQuestion& grid);
/// The answers of a common scale in the form's language, in order; none for None.
QStringList gridPresetAnswers(GridPreset preset, FormLanguage language = FormLanguage::English);

} // namespace quenlow
