// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"
#include "model/Outcome.h"

#include <QList>
#include <QString>

namespace quenlow {

class FormSession;
class MethodCollection;

/// The text of a collection file: key and value lines, CR LF after each.
QString serializeCollection(const MethodCollection& collection);

/// A collection file read back, or why it cannot be.
struct ParsedCollection {
    QList<FormMethod> methods;
    QString error; // empty when the file is a complete collection
    /// Why there is an error: no such file, a file that cannot be read, or
    /// one that is not a whole collection.
    enum class Failure { Missing, Unreadable, Damaged } failure = Failure::Damaged;
    bool ok() const { return error.isEmpty(); }
};

/// Reads the text of a collection file. Refuses anything that is not a
/// whole collection (empty, truncated, not starting with "User Instruction",
/// a record without it, no header first, a header whose list is short).
/// Values may hold any character but a line break; a question's name may
/// not hold a NUL, which no answers column or posted field can carry.
ParsedCollection parseCollection(const QString& text);
/// Reads and checks a collection file from disk (either encoding).
ParsedCollection readCollectionFile(const QString& path);

/// Saves the open form's collection file; not done when the write failed
/// (the previous file stays whole).
Outcome saveCollectionFile(FormSession& session);

/// Opens the form of page `pageFile`, or shows a page without opening a form.
/// A form that cannot be read leaves the open form as it was. The form's
/// answers table is first brought in step with its file (see FormRepair.h).
/// When the collection file is missing or cannot be read, the outcome asks
/// OpenPageOnly; on Yes the caller calls openPageOnly.
Outcome loadForm(FormSession& session, const QString& appFolder, const QString& pageFile);
/// Shows the page `pageFile` of form `formName` without its collection file:
/// no element list, nothing to edit.
void openPageOnly(FormSession& session, const QString& formName, const QString& pageFile);

/// The form name of a page file name: the text before its first ".".
QString formNameOf(const QString& pageFile);

/// Whether `pageFile` comes with the program and holds no form: the help
/// page (welcome.html, and one per language such as welcome.de.html) or the
/// answers table's page.
bool isProgramPage(const QString& pageFile);
/// The help page in the language of `languageTag` ("de") when the folder
/// `htmlFolder` (ending in "/") has one, else welcome.html.
QString helpPage(const QString& htmlFolder, const QString& languageTag);

} // namespace quenlow
