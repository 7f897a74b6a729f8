// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

namespace quenlow {

class FormSession;

/// "Horizontal Line Rule": adds a line at once, above the submit button when
/// the form has one, and rewrites the page. False when nothing was added.
bool addLineRule(FormSession& session);

} // namespace quenlow
