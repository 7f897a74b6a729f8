// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"
#include "model/MethodCollection.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quenlow {

// An earlier answer shown in a later text: "{QUESTION}" in a question, a
// check box's title, an option or a plain text names the question by its
// text. The page sent shows the answer given there.

/// What "{…}" in the record's texts hold, in order, each once.
QStringList pipedNames(const FormMethod& m);
/// The first question of the form `m` names that does not stand before
/// `position` (itself, or one after it): its answer cannot be known yet.
/// None when every question it names is earlier; a name no question has is
/// plain text.
std::optional<QString> pipedFromLater(const MethodCollection& collection, const FormMethod& m, int position);
/// The record with every "{from}" in its texts as "{to}" and its fragment
/// made again; nothing when it names `from` nowhere.
std::optional<FormMethod> withPipeRenamed(const FormMethod& m, const QString& from, const QString& to);
/// The texts of the elements that name `question`, in the form's order.
QStringList elementsNaming(const MethodCollection& collection, const QString& question);

} // namespace quenlow
