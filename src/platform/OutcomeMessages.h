// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/Outcome.h"

namespace quenlow {

class FormSession;
struct DocumentProblem;
struct FormNameProblem;

/// The words a person reads for what an operation on the open form tells.
QString noticeText(const Notice& notice);

/// The words a person reads for why a report document could not be opened or saved.
QString documentProblemText(const DocumentProblem& problem);

/// Shows every notice of `outcome` in turn (a question is asked, and a Yes to
/// opening a page without its collection file does so); true when it is done.
bool tell(FormSession& session, const Outcome& outcome);

/// Asks `question` (one of an outcome's questions); true for Yes.
bool confirm(const Notice& question);

/// The words for why a name cannot be a form's.
QString formNameProblemText(const FormNameProblem& problem);
/// Says that a form or table of `name` is there already.
void sayFormNameTaken(const QString& name);
/// The checks of a new form's name, each refusal shown: not empty, usable
/// for the form's files and table (see checkFormName), and with
/// `mustBeFree`, no page, collection file or answers table of that name.
bool acceptFormName(const FormSession& session, const QString& name, bool mustBeFree);

/// Opens a form's page as LoadForm does, telling what there is to tell.
bool loadFormTelling(FormSession& session, const QString& pageFile);

} // namespace quenlow
