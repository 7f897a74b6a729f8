// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"
#include "model/Outcome.h"
#include "model/QuestionSettings.h"

#include <QString>

namespace quenlow {

class FormSession;

/// The most elements a form can hold: the counts are 16-bit.
constexpr int kMaxElements = 32767;

/// Adds an element: its answers column first (question kinds), then the
/// record, the row (selected) and the count; when the form has a submit
/// button the new element is moved up to stand directly above it. Not done,
/// saying why, when the column could not be added or the form is full. The
/// caller writes the page afterwards.
Outcome insertMethod(FormSession& session, const FormMethod& method);
/// Where an element added now lands: above the first submit button, else at the end.
int insertPosition(const FormSession& session);
/// The questions before `position` of the open form that a condition may
/// name, in the form's order.
QList<ConditionChoice> conditionChoices(const FormSession& session, int position);

/// Replaces the record at `position` in place; renames the answers
/// column (and the row) only when the instruction changed, noting the rename
/// first so that a crash before the page is written can be undone. Questions
/// asked only after an answer the record no longer offers are asked always
/// from then on (told as AskedAlwaysAfterEdit).
Outcome updateMethod(FormSession& session, const FormMethod& method, int position);

/// Swaps the records at `upper` and `lower` (adjacent);
/// the header cannot move.
Outcome moveMethod(FormSession& session, int upper, int lower);

/// Advances ElementCounter and stores it as item 4 of the header's list.
/// Not done when the counter is at its limit.
Outcome nextElementNumber(FormSession& session);

// The main window's "Alter Form Layout" commands, on the selected row.
/// "Move Method Up Form"; `writePage` false leaves the page to the caller.
Outcome moveSelectedUp(FormSession& session, bool writePage = true);
/// "Move Method Down Form".
Outcome moveSelectedDown(FormSession& session);
/// "Remove Form Method": drops the answers column (noting the removal first so
/// a crash before the save is finished at the next opening), removes the
/// element, saves and reloads the form. A column that holds answers is dropped
/// only with `answersMayGo`; without it the outcome asks RemoveAnswers.
/// Questions asked only after the removed one's answer are asked always from
/// then on (told last, as AskedAlwaysAfterRemoval).
Outcome removeSelected(FormSession& session, bool answersMayGo = false);

} // namespace quenlow
