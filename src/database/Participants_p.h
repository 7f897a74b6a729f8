// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

// Private to the answers stores: how both keep a participant's attributes and
// the moment they answered.

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

} // namespace quenlow::participants
