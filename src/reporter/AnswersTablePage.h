// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

namespace quenlow {

class FormSession;

/// The file name of the answers-table page in the page folder.
QString answersTablePageName();

/// Writes "dbTableOfAnswers.html" for the open form, replacing any earlier
/// one: the form's answers table as an HTML table, every value and column
/// name escaped (the answers come from strangers). A missing database or
/// table is reported in a message and in the page, which is still written.
/// Sets OpenFormName from the HTMLName caption and gives the session its
/// default background when it has none. Returns false, after a message, only
/// when the page itself could not be written.
bool writeAnswersTablePage(FormSession& session);

} // namespace quenlow
