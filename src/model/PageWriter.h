// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/Outcome.h"

#include <QString>

namespace quenlow {

class FormSession;
class MethodCollection;

/// The page of a form: one line per element, then "<P></FORM></HTML>". A run
/// of check boxes with the same question text stands in a fieldset under it;
/// a question with a condition (a group: its fieldset) in a div naming it.
QString buildFormPage(const MethodCollection& collection);

/// Saves the collection file, rewrites the page `pageFile` whole, sets the
/// HTMLName and HTMLFrame captions and shows the page. A failed write is not
/// done (the previous files stay whole); a failed publication is warned of.
Outcome writeFormPage(FormSession& session, const QString& pageFile);

} // namespace quenlow
