// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

// Private to the answers stores: how both keep a participant's attributes and
// the moment they answered.

#include "database/Participants.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace quenlow::participants {

/// The attributes as a JSON array of [name, value] pairs, so their order stays.
QByteArray attributesText(const QList<std::pair<QString, QString>>& attributes);
QList<std::pair<QString, QString>> attributesFrom(const QByteArray& text);
QString answeredText(const std::optional<QDateTime>& moment);
std::optional<QDateTime> answeredFrom(const QString& text);
/// A code's state from the number a look-up gives: -1 none has it, 0 not answered, 1 answered.
CodeState codeStateOf(qint64 looked);

} // namespace quenlow::participants
