// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace quenlow {

/// What a chart of a question with an "Other:" choice shows beyond its
/// options, given each answer typed there and how often (ties keep the
/// order given): the answers as written that were given at least twice,
/// most often first (at most kTypedAnswersShown), and the others together
/// under `otherLabel`, last. The designer's charts and the results page
/// both show them so, so that a rare answer, which may name its writer, is
/// never shown alone.
inline constexpr int kTypedAnswersShown = 8;
QList<std::pair<QString, qint64>> typedAnswersShown(
    QList<std::pair<QString, qint64>> typed, const QString& otherLabel);

} // namespace quenlow
