// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/RespondentTexts.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quenlow {

/// The scripts the service serves itself, so that pages work in a room
/// without internet. The pages work without them too.
///
/// The form page's: keeps what is typed in the browser's storage under the
/// page's token and puts it back after a reload of that page (a new page
/// starts empty); sends the answers in the background and, while the service
/// cannot be reached or fails, keeps the post and tries again by itself, from
/// any form page of the service should this one be left, saying how many
/// earlier answers wait. The token makes a repeat store once.
QByteArray formPageScriptPath();
/// The results page's: fetches the page again every few seconds, says so
/// on the page while that fails, and turns the projector's pages.
QByteArray resultsScriptPath();
/// The scripts themselves.
QByteArray formPageScript();
QByteArray resultsScript();

/// The tag that loads the form page's script, which shows its notices in `language`.
QByteArray formPageScriptTag(FormLanguage language = FormLanguage::English);

} // namespace quenlow
