// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

namespace quenlow {

class MethodCollection;

/// An element's kind as the windows show it, in the person's language. The
/// stored name (collection files, pages, row labels) stays as it is.
QString shownKindName(const FormMethod& method);

/// A row of the element list as shown: "kind - instruction", or the row's own
/// label (the new header's) in the person's language.
QString shownRowText(const FormMethod& method);
QString shownRowText(const MethodCollection& elements, int position);

} // namespace quenlow
