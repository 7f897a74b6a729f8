// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/Publication.h"
#include "model/RespondentTexts.h"
#include "server/FormFields.h"

#include <QByteArray>
#include <QString>

namespace quenlow {

/// What adapting a page needs of the form's questions.
struct QuestionsAsAsked {
    QStringList fields {}; // every question's field, in the form's order: what "{…}" in a text may name
    /// The questions whose options each page shows in an order of its own:
    /// a question's field, or a check box group's boxes.
    QList<QStringList> shuffled {};
    QStringList otherAnswers {}; // the questions with an "Other:" choice
    bool rankings = false; // some question is a ranking: the page loads the ranking's script
};
QuestionsAsAsked questionsAsAsked(const QList<PostedQuestion>& questions);

/// A form's page and what it is sent with. The answers, notice and notes are
/// for a page sent again to a person who has to send it again.
struct PageAsSent {
    QByteArray designerPage {}; // the page file's text in UTF-8, as the designer wrote it
    QString formName {};
    QString token {};
    FormLanguage language = FormLanguage::English;
    QString version {}; // none: the page carries no version field
    /// The answers only, question by question, never the page's hidden fields:
    /// a field's name and what was posted for it.
    FormFields answers {};
    QString notice {}; // at the top of the form
    FormFields questionNotes {}; // field name and text, just above its question
    /// Field name and what its typed answer takes, said under its box.
    FormFields ruleHints {};
    /// Field name and what is said beside its typed answer when it is
    /// refused: a form of several pages says it before the next page.
    FormFields refusalNotes {};
    /// Sent from the post's address: the page's images are named from where it lives.
    bool fromPostAddress = false;
    QuestionsAsAsked questions {};
    /// An invited person's code, carried in a hidden field; none for other forms.
    QString participantCode {};
    /// Said at the top of the form, above any notice (that answers are anonymous).
    QString statement {};
};

/// The page as it is sent to the people who answer it (the file on disk is
/// not changed): a standards-mode page in its language with a viewport and a
/// stylesheet for phones that leave a desktop browser's layout alone, the
/// scripts of the room (and of conditions, where a question has one), each
/// tick box and option button wrapped with its text in a label so tapping
/// the text ticks it, each text box labelled by the question before it, a
/// text area's default text as a hint rather than an answer, each menu
/// opening on an empty "Choose…" unless the designer chose a default, a
/// question asked under a condition required only while it is shown, the
/// token and version in hidden fields, and the form's name instead of the
/// database location the page holds. For screen readers and keyboards: the
/// content in a main landmark with the title above the form as its heading,
/// option buttons and scales each in a fieldset named by their question, a
/// typed box's rule under it and tied to it. A form divided by page breaks
/// has each page in a section of its own and the paging script (see
/// PagingScript.h) with the words it shows; a page break with nothing before
/// or after it divides nothing. An earlier answer named in a
/// text ("{QUESTION}") shows as given (filled in by the script as the person
/// answers); a question's options marked to be shuffled stand in the order
/// the page's token draws, an "Other:" choice staying last; an "Other:"
/// choice and its box speak the form's language. A page with no form posting
/// to the service gets none of that.
///
/// The answers are put back: a box counts as ticked with its value ("on"
/// unless the page names one) or "Checked", anything else unticks it; option
/// buttons and menus take the chosen value. A text box, text area, tick box or
/// menu takes the next answer of its name, so a name given twice fills two
/// boxes in page order; option buttons of one name share one answer. Every
/// control named in the answers shows only what they say; the others keep
/// the page's defaults; hidden fields never change. A note stands before the
/// hidden field announcing its question, or else before its first control;
/// its question's controls are marked invalid and described by it, and the
/// first of them takes the focus.
/// Every text is escaped, with characters beyond ASCII as references.
QByteArray pageAsSent(const PageAsSent& page);

} // namespace quenlow
