// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/TextFile.h"
#include "model/FormMethod.h"

#include <QList>
#include <QString>

namespace quenlow {

class FormSession;

// A form is three things that cannot change in one step: its answers table,
// its collection file and its page. The table changes first and the files
// follow; a crash in between is put right the next time the form is opened.

/// A change to a question's answers column that the form's files have not
/// caught up with yet.
struct ColumnChange {
    QString fromQuestion;
    QString toQuestion; // empty: the question is removed
};

/// A renamed or dropped column cannot be told from a new or lost one by
/// looking, so the change is noted beside the open form's collection file
/// before the table takes it.
FileResult noteColumnChange(const FormSession& session, const ColumnChange& change);
/// Forgets the open form's note: the table did not take the change. Fails
/// when the note stays.
FileResult forgetColumnChange(const FormSession& session);
/// Forgets the open form's note once `saved`, the collection just written,
/// has caught up with it (no longer names the old question, or names the new).
/// Fails when a note that is done with stays.
FileResult settleColumnChange(const FormSession& session, const QList<FormMethod>& saved);
/// Opening form `formName` with the elements `methods` read from its file:
/// finishes a removal whose column the table already dropped (the record
/// goes from `methods`), undoes a rename the files did not take, and brings
/// the answers table in step with the questions. Fails when the table could
/// not be brought in step or its note stays; what cannot be changed now is
/// tried again at the next opening.
FileResult bringAnswersTableInStep(
    const FormSession& session, const QString& formName, const QString& pageFile, QList<FormMethod>& methods);

} // namespace quenlow
