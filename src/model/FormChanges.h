// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "model/FormMethod.h"

#include <QList>
#include <QString>

#include <optional>

namespace quenlow {

class FormSession;

// A form is its page, its collection file, its answers table and the report
// files named after it. Renaming, copying or deleting it touches all of them,
// which cannot happen in one step: the change is noted first, and a change
// that a crash cut short is finished or undone the next time a form is
// opened, so that one whole form (the old or the new) is always there.

struct FormChange {
    enum Kind { Rename, Copy, Delete };
    Kind kind = Rename;
    QString from;
    QString to; // empty for Delete
    bool withAnswers = false; // Copy: the rows are copied; Delete: the table is dropped
    friend bool operator==(const FormChange&, const FormChange&) = default;
};

/// True when a page, a collection file or an answers table of `name` exists.
bool formNameTaken(const FormSession& session, const QString& name);
/// The number of answers of form `name`; 0 without a table or a store.
Result<qint64> answersOfForm(const FormSession& session, const QString& name);

/// A report file a change made could not carry along (move, copy or
/// delete); the file is left where it was.
struct ReportLeft {
    enum Reason { TargetTaken, NotMoved, NotCopied, NotDeleted };
    QString file; // its name in the reports folder
    Reason reason = NotMoved;
    QString detail; // what the file system said
    friend bool operator==(const ReportLeft&, const ReportLeft&) = default;
};

/// Makes `change`. For Rename and Copy, `methods` are the new form's
/// elements (its header already naming the new table), written as its
/// collection file and page; a renamed form keeps its former names in its
/// header (so the addresses people have still lead to it), a copy starts
/// without any, and the new name is no other form's former name any more.
/// Nothing is left half done on a failure. Once made, the report files that
/// could not follow the form are returned.
Result<QList<ReportLeft>> changeForm(
    const FormSession& session, const FormChange& change, const QList<FormMethod>& methods = {});

/// Takes `name` away from the former names of every other form of the
/// program folder (and of the store's publications), because a new form now
/// bears it: its addresses are the new form's. The forms that could not be
/// written are named in the result. The form `leaving` (renamed away) is
/// left as it is.
Result<void> claimFormName(const FormSession& session, const QString& name, const QString& leaving = {});

/// The change noted in `collectionsFolder` and not finished yet (the
/// designer was stopped midway, or is making it now); nothing when none is.
/// A change whose new form's page is written is finished on the next
/// opening, one whose page is not is undone.
std::optional<FormChange> pendingFormChange(const QString& collectionsFolder);

/// Finishes, or undoes, a change cut short; returns it, or nothing when there
/// was none. A step that cannot be made now is tried again next time.
std::optional<FormChange> finishFormChange(const FormSession& session);

/// The report files of form `name` in the reports folder (file names only).
QStringList reportFilesOf(const FormSession& session, const QString& name);

/// For tests: changeForm stops (as a killed program would) after step
/// `step`: 1 the note, 2 the new form's files (for Delete, the answers
/// table), 3 the answers table (for Delete, the old files).
void stopFormChangeAfterStep(int step);

} // namespace quenlow
