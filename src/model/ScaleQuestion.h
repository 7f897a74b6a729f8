// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>
#include <QStringList>

namespace quenlow {

struct FormMethod;

/// A scale question: the respondent picks one number from `from` to `to`;
/// the two ends carry labels ("Not at all" … "Very much"). In the record,
/// "Attribute 4" and "Attribute 5" hold the two ends as digits, and the labels
/// are the key lines ScaleLowLabel and ScaleHighLabel, each only when set.
struct ScaleQuestion {
    int from = 1; // 0 or 1
    int to = 5; // 2 to 10
    QString lowLabel;
    QString highLabel;

    bool operator==(const ScaleQuestion&) const = default;
};

inline constexpr int kScaleLowestFrom = 0;
inline constexpr int kScaleHighestFrom = 1;
inline constexpr int kScaleLowestTo = 2;
inline constexpr int kScaleHighestTo = 10;

/// Whether `key` is the key line of a scale's label.
bool isScaleLabelKey(const QString& key);
/// The scale a record holds; ends that cannot be read (a hand-edited file)
/// count as the defaults, and an end out of its range is brought into it.
ScaleQuestion scaleOf(const FormMethod& record);
/// Writes the ends and the labels into the record, replacing those it held.
void setScale(FormMethod& record, const ScaleQuestion& scale);
/// The answers the scale takes, in order: "1", "2", … "5".
QStringList scaleValues(const ScaleQuestion& scale);

} // namespace quenlow
