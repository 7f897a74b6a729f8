// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>
#include <QStringList>

namespace quenlow {

/// The eleven background choices, in list order (positions 0 to 10).
const QStringList& backgroundChoices();
/// The image file of a choice text (exact comparison); empty when the text is none of the choices.
QString backgroundImageFor(const QString& choice);

} // namespace quenlow
