// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "model/FormMethod.h"

#include <QString>

namespace quenlow {

/// What the header of a form is made of.
struct HeaderSettings {
    QString formName; // also names the answers table
    QString title;
    QString letterSize; // text of LetterSize
    QString justification; // exactly "Centre" centres the heading; any other text does not
    QString background; // image file name (BackgroundFileName)
    QString databaseLocation; // full path of the answers database, as the page posts it
    bool userViewTable = false;
};

/// The header's "HTML Code": head, body tag, heading, form tag and the four
/// hidden fields, on one line. Values inside attributes are escaped so an
/// apostrophe cannot end them early; the document title and the heading show
/// the title as typed. Line breaks in any value become blanks.
QString headerFragment(const HeaderSettings& settings);

/// The header record: the fragment, the title, "Header", the size, the
/// justification, and the list of background position, view permission (0/1),
/// database location and element counter.
FormMethod headerRecord(const HeaderSettings& settings, int backgroundPosition, qint16 elementCounter);

/// The header record `header` of form `formName` as it is for the form
/// `newName`: the fragment names the new form's table, the rest is kept.
FormMethod headerRenamed(const FormMethod& header, const QString& formName, const QString& newName);

/// Why a name cannot name a new form (its page, collection file and table).
struct FormNameProblem {
    enum Kind {
        BlankAtEdge, // begins or ends with a blank
        ControlCharacter, // a control character or a line break
        NotFileNameText, // text no file name can hold (a lone surrogate)
        PathSeparator, // a slash or a backslash: the files would land outside the program's folders
        Dot, // a form is found again by its page name up to the first '.'
        ProgramPage, // a page that comes with the program
        TooLong, // too long for a file name
    };
    Kind kind;
};

/// Whether `name` can name a new form. An empty name passes: it is the
/// caller's own message.
Result<void, FormNameProblem> checkFormName(const QString& name);

} // namespace quenlow
