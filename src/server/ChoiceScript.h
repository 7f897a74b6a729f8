// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quenlow {

/// The script that fills earlier answers into later questions as a person
/// answers: each `<span data-pipe='FIELD'>` shows the answer to FIELD, and a
/// menu option marked `data-pipe-text` shows its text with `{…}` filled in
/// (its value stays the designer's). It also makes an "Other:" choice's box
/// required while that choice is taken, and takes the choice when the box is
/// typed in. Without it the page shows the answers the service filled in;
/// the service decides anyway.
QByteArray choiceScriptPath();
/// The script itself.
QByteArray choiceScript();
/// The tag that loads it, after the form page's own script so that it
/// follows the draft that one puts back.
QByteArray choiceScriptTag();

} // namespace quenlow
