// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quenlow {

/// The script that asks a question only when it applies: a block marked
/// `data-ask-if='FIELD' data-ask-if-answer='ANSWER'` shows, its controls
/// enabled, only while the question FIELD has that answer (the chosen option
/// or number, or "Checked"/"Not Checked" for a box) and is shown itself;
/// otherwise it is hidden and its controls disabled, so nothing is posted for
/// it. Without the script every question shows; the service decides anyway.
QByteArray conditionScriptPath();
/// The script itself.
QByteArray conditionScript();

/// The tag that loads it. A page loads it after the form page's own script,
/// which puts a draft back first: the conditions then follow the answers it
/// restored.
QByteArray conditionScriptTag();

} // namespace quenlow
