// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/OutcomeMessages.h"

#include "core/Messages.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"

namespace quenlow {

QString noticeText(const Notice& n)
{
    using K = Notice::Kind;
    switch (n.kind) {
    case K::NoneSelected:
        return QStringLiteral("Sorry, but you don't have a method selected.");
    case K::NameClash:
        return n.detail;
    case K::FormFull:
        return QStringLiteral("This form already holds %1 elements, the most a form can hold. "
                              "Please remove an element before adding another.")
            .arg(kMaxElements);
    case K::CounterAtLimit:
        return QStringLiteral("The element counter of this form has reached its limit of %1.")
            .arg(kMaxElements);
    case K::HeaderStaysOnTop:
        return QStringLiteral(
            "Sorry but you cannot move the Form Header - it must remain at the top of the form");
    case K::HeaderCannotMove:
        return QStringLiteral("You cannot move the Header.");
    case K::AboveHeader:
        return QStringLiteral("Can't move method above the HTML Header !");
    case K::SubmitAboveElement:
        return QStringLiteral("You cannot move the Submit Button above this Form Element.");
    case K::EndOfList:
        return QStringLiteral("Can't move method there - You've reached the end of the collection !");
    case K::BelowSubmit:
        return QStringLiteral("You cannot move this Form Element below the Submit Button");
    case K::Essential:
        return QStringLiteral("You cannot remove '") + n.subject
            + QStringLiteral(
                "' Methods since they are essential. You can however edit and move them as you wish.");
    case K::TableMissing:
        return QStringLiteral("The table containing the data for the form ") + n.place
            + QStringLiteral(" is missing.");
    case K::QuestionTaken:
        return QStringLiteral("You already have a User Instruction called ") + n.subject
            + QStringLiteral(". Please call it something else.");
    case K::DatabaseUnusable:
        return QStringLiteral("The answers database '") + n.place + QStringLiteral("' cannot be opened (")
            + n.detail + QStringLiteral("). Nothing has been changed.");
    case K::ColumnNotChanged: {
        const QString verb = n.column == Notice::Column::Added ? QStringLiteral("added")
            : n.column == Notice::Column::Renamed              ? QStringLiteral("renamed")
                                                               : QStringLiteral("removed");
        return QStringLiteral("The answers column for '") + n.subject + QStringLiteral("' could not be ")
            + verb + QStringLiteral(" (") + n.detail + QStringLiteral("). Nothing has been changed.");
    }
    case K::ColumnNotRemoved:
        return QStringLiteral("An error occurred removing column '") + n.subject
            + QStringLiteral("' from the table ") + n.place + QStringLiteral(".");
    case K::ChangeNotNoted:
        return QStringLiteral("The change cannot be made: it could not be recorded in '") + n.place
            + QStringLiteral("' (") + n.detail + QStringLiteral("). Nothing has been changed.");
    case K::CollectionNotSaved:
        return QStringLiteral("The collection file '") + n.place + QStringLiteral("' could not be saved (")
            + n.detail + QStringLiteral("). The previous file has been kept.");
    case K::PageNotWritten:
        return QStringLiteral("The page '") + n.place + QStringLiteral("' could not be written (") + n.detail
            + QStringLiteral("). The previous page has been kept.");
    case K::NotPublished:
        return QStringLiteral("The form '") + n.subject
            + QStringLiteral("' could not be published to the answers database (") + n.detail
            + QStringLiteral("). The page file has been written; collection servers still show the form "
                             "as it was published before.");
    case K::NotAPageName:
        return QStringLiteral("'") + n.subject
            + QStringLiteral(
                "' is not the name of a form page. Please choose a page whose name ends in \".html\".");
    case K::RemoveAnswers:
        return QStringLiteral("The field '") + n.subject
            + QStringLiteral("' contains data - Are you sure you wish to remove it ?");
    case K::OpenPageOnly: {
        QString what;
        switch (n.collection) {
        case Notice::Collection::Missing:
            what = QStringLiteral("could not be found");
            break;
        case Notice::Collection::Unreadable:
            what = QStringLiteral("could not be read (") + n.detail + QLatin1Char(')');
            break;
        case Notice::Collection::Damaged:
            what = QStringLiteral("is damaged (") + n.detail + QLatin1Char(')');
            break;
        }
        return QStringLiteral("Sorry, but Collection text file for the Form '") + n.subject
            + QStringLiteral("' ") + what + QStringLiteral(". Do you wish just to open the HTML Form file ?");
    }
    }
    return {};
}

bool confirm(const Notice& question)
{
    // Yes to removing answers loses them: No is the default there.
    if (question.kind == Notice::Kind::RemoveAnswers)
        return askBeforeDestroying(noticeText(question));
    return askYesNo(noticeText(question));
}

bool tell(FormSession& session, const Outcome& outcome)
{
    for (const Notice& notice : outcome.notices()) {
        if (notice.kind == Notice::Kind::OpenPageOnly) {
            if (confirm(notice))
                openPageOnly(session, notice.subject, notice.place);
        } else if (!notice.isQuestion()) { // the others are the caller's to ask

            showExclamation(noticeText(notice));
        }
    }
    return outcome.done();
}

bool loadFormTelling(FormSession& session, const QString& pageFile)
{
    return tell(session, LoadForm(session, session.appFolder(), pageFile));
}

} // namespace quenlow
