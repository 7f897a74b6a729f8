// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

#include <QString>

namespace quenlow {

class FormSession;

/// The most elements a form can hold: the counts are 16-bit.
constexpr int kMaxElements = 32767;

/// Adds an element: its answers column first (question kinds), then the
/// record, the row (selected) and the count; when the form has a submit
/// button the new element is moved up to stand directly above it. Returns
/// false, having told the user why, when the column could not be added or
/// the form is full. The caller writes the page afterwards.
bool InsertMethod(FormSession& session, const FormMethod& method);

/// Replaces the record under `positionKey` in place; renames the answers
/// column (and the row) only when the instruction changed, noting the rename
/// first so that a crash before the page is written can be undone.
bool UpdateMethod(FormSession& session, const FormMethod& method, const QString& positionKey);

/// Swaps the contents of the records under `upperKey` and `lowerKey` (adjacent);
/// the header cannot move. Returns false, with the message, for the header.
bool MoveMethod(FormSession& session, const QString& upperKey, const QString& lowerKey);

/// Advances ElementCounter and stores it as item 4 of the header's list.
/// Returns false, with a message, when the counter is at its limit.
bool NextElementNumber(FormSession& session);

// The main window's "Alter Form Layout" commands, on the selected row.
/// "Move Method Up Form"; `writePage` false leaves the page to the caller.
bool moveSelectedUp(FormSession& session, bool writePage = true);
/// "Move Method Down Form".
bool moveSelectedDown(FormSession& session);
/// "Remove Form Method": drops the answers column (asking first when it holds
/// answers, and noting the removal so a crash before the save is finished at
/// the next opening), removes the element, saves and reloads the form.
bool removeSelected(FormSession& session);

} // namespace quenlow
