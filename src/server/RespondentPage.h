// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

// What every page sent to respondents has in common: the head below, and on
// a form's page the tokens of PageTokens.h (how a form's page is sent:
// PageAsSent.h).
#include "server/PageTokens.h"

#include <QByteArrayView>

namespace quenlow {

/// The viewport and stylesheet every page sent to respondents carries: tap
/// targets and text sized for phones below a phone's width, buttons tall
/// enough to tap everywhere, and the look of a notice.
QByteArrayView respondentHead();

} // namespace quenlow
