// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/OutcomeMessages.h"

#include "core/Messages.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormChanges.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "platform/WordDocument.h"

#include <QCoreApplication>

namespace quenlow {

QString noticeText(const Notice& n)
{
    using K = Notice::Kind;
    switch (n.kind) {
    case K::NoneSelected:
        return QCoreApplication::translate("OutcomeMessages", "Sorry, but you don't have a method selected.");
    case K::NameClash:
        if (n.names.isEmpty()) {
            return QCoreApplication::translate("OutcomeMessages",
                "The form itself sends a field called '%1', so a question of that name would store the "
                "wrong answer. Please call it something else.")
                .arg(n.place);
        }
        return QCoreApplication::translate("OutcomeMessages",
            "The form already has a question called '%1'; together with '%2' the answers could be stored "
            "under the wrong question, since the form sends the kind of each question as '<question> Type'. "
            "Please call it something else.")
            .arg(n.names.constFirst(), n.place);
    case K::FormFull:
        return QCoreApplication::translate("OutcomeMessages",
            "This form already holds %1 elements, the most a form can hold. "
            "Please remove an element before adding another.")
            .arg(kMaxElements);
    case K::CounterAtLimit:
        return QCoreApplication::translate(
            "OutcomeMessages", "The element counter of this form has reached its limit of %1.")
            .arg(kMaxElements);
    case K::HeaderStaysOnTop:
        return QCoreApplication::translate("OutcomeMessages",
            "Sorry but you cannot move the Form Header - it must remain at the top of the form");
    case K::HeaderCannotMove:
        return QCoreApplication::translate("OutcomeMessages", "You cannot move the Header.");
    case K::AboveHeader:
        return QCoreApplication::translate("OutcomeMessages", "Can't move method above the HTML Header !");
    case K::SubmitAboveElement:
        return QCoreApplication::translate(
            "OutcomeMessages", "You cannot move the Submit Button above this Form Element.");
    case K::EndOfList:
        return QCoreApplication::translate(
            "OutcomeMessages", "Can't move method there - You've reached the end of the collection !");
    case K::BelowSubmit:
        return QCoreApplication::translate(
            "OutcomeMessages", "You cannot move this Form Element below the Submit Button");
    case K::Essential:
        return QCoreApplication::translate("OutcomeMessages",
            "You cannot remove '%1' Methods since they are essential. You can however edit and move them "
            "as you wish.")
            .arg(n.subject);
    case K::TableMissing:
        return QCoreApplication::translate(
            "OutcomeMessages", "The table containing the data for the form %1 is missing.")
            .arg(n.place);
    case K::QuestionTaken:
        return QCoreApplication::translate("OutcomeMessages",
            "You already have a User Instruction called %1. Please call it something else.")
            .arg(n.subject);
    case K::DatabaseUnusable:
        return QCoreApplication::translate(
            "OutcomeMessages", "The answers database '%1' cannot be opened (%2). Nothing has been changed.")
            .arg(n.place, n.detail);
    case K::ColumnNotChanged: {
        const char* text = n.column == Notice::Column::Added
            ? QT_TRANSLATE_NOOP("OutcomeMessages",
                "The answers column for '%1' could not be added (%2). Nothing has been changed.")
            : n.column == Notice::Column::Renamed
            ? QT_TRANSLATE_NOOP("OutcomeMessages",
                "The answers column for '%1' could not be renamed (%2). Nothing has been changed.")
            : QT_TRANSLATE_NOOP("OutcomeMessages",
                "The answers column for '%1' could not be removed (%2). Nothing has been changed.");
        return QCoreApplication::translate("OutcomeMessages", text).arg(n.subject, n.detail);
    }
    case K::ColumnNotRemoved:
        return QCoreApplication::translate(
            "OutcomeMessages", "An error occurred removing column '%1' from the table %2.")
            .arg(n.subject, n.place);
    case K::ChangeNotNoted:
        return QCoreApplication::translate("OutcomeMessages",
            "The change cannot be made: it could not be recorded in '%1' (%2). Nothing has been changed.")
            .arg(n.place, n.detail);
    case K::CollectionNotSaved:
        return QCoreApplication::translate("OutcomeMessages",
            "The collection file '%1' could not be saved (%2). The previous file has been kept.")
            .arg(n.place, n.detail);
    case K::PageNotWritten:
        return QCoreApplication::translate(
            "OutcomeMessages", "The page '%1' could not be written (%2). The previous page has been kept.")
            .arg(n.place, n.detail);
    case K::NotPublished:
        return QCoreApplication::translate("OutcomeMessages",
            "The form '%1' could not be published to the answers database (%2). The page file has been "
            "written; collection servers still show the form as it was published before.")
            .arg(n.subject, n.detail);
    case K::NotAPageName:
        return QCoreApplication::translate("OutcomeMessages",
            "'%1' is not the name of a form page. Please choose a page whose name ends in \".html\".")
            .arg(n.subject);
    case K::RemoveAnswers:
        return QCoreApplication::translate(
            "OutcomeMessages", "The field '%1' contains data - Are you sure you wish to remove it ?")
            .arg(n.subject);
    case K::OpenPageOnly:
        switch (n.collection) {
        case Notice::Collection::Missing:
            return QCoreApplication::translate("OutcomeMessages",
                "Sorry, but Collection text file for the Form '%1' could not be found. Do you wish just to "
                "open the HTML Form file ?")
                .arg(n.subject);
        case Notice::Collection::Unreadable:
            return QCoreApplication::translate("OutcomeMessages",
                "Sorry, but Collection text file for the Form '%1' could not be read (%2). Do you wish just "
                "to open the HTML Form file ?")
                .arg(n.subject, n.detail);
        case Notice::Collection::Damaged:
            return QCoreApplication::translate("OutcomeMessages",
                "Sorry, but Collection text file for the Form '%1' is damaged (%2). Do you wish just to "
                "open the HTML Form file ?")
                .arg(n.subject, n.detail);
        }
        break;
    case K::AskedAlwaysAfterEdit:
        return QCoreApplication::translate("OutcomeMessages",
            "'%1' no longer offers the answer these questions were asked for, so they are now always asked: "
            "'%2'")
            .arg(n.subject, n.names.join(QStringLiteral("', '")));
    case K::AskedAlwaysAfterRemoval:
        return QCoreApplication::translate("OutcomeMessages",
            "'%1' was removed, so the questions asked only when it had a given answer are now always asked: "
            "'%2'")
            .arg(n.subject, n.names.join(QStringLiteral("', '")));
    case K::PipedFromLater:
        return QCoreApplication::translate("OutcomeMessages",
            "'{%1}' shows the answer to '%1', which is not asked before this point of the form. Only an "
            "earlier question's answer can be shown.")
            .arg(n.subject);
    case K::PipedQuestionRemoved:
        return QCoreApplication::translate("OutcomeMessages",
            "'%1' was removed; these texts still show its answer as '{%1}' and are left as written: '%2'")
            .arg(n.subject, n.names.join(QStringLiteral("', '")));
    case K::QuotasDropped:
        return QCoreApplication::translate("OutcomeMessages",
            "The quotas that counted these answers to '%1' were removed, since the form no longer asks "
            "for them: '%2'")
            .arg(n.subject, n.names.join(QStringLiteral("', '")));
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

namespace {

/// The context of the words for report documents, as for the notices.
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(OutcomeMessages)
};

} // namespace

QString documentProblemText(const DocumentProblem& p)
{
    using P = DocumentProblem;
    const auto notOpened = [&](const QString& why) {
        return Texts::tr("The document '%1' cannot be opened: %2").arg(p.path, why);
    };
    const auto crafted = [&](const QString& what) {
        return notOpened(
            Texts::tr("its part '%1' holds %2, which no word-processing document has. The file is "
                      "damaged or crafted to exhaust the computer's memory; it has not been changed.")
                .arg(p.part, what));
    };
    const auto notAPackage = [&](const QString& why) {
        return notOpened(
            Texts::tr("it is not an Office Open XML (.docx) word-processing document (%1). A document "
                      "saved in the old binary Word format must be saved in the .docx format first.")
                .arg(why));
    };
    const auto notSaved = [&](const QString& why) {
        return Texts::tr("The document cannot be saved as '%1': %2.").arg(p.path, why);
    };
    switch (p.kind) {
    case P::NotFound:
        return Texts::tr("The document '%1' cannot be found.").arg(p.path);
    case P::IsFolder:
        return Texts::tr("'%1' is a folder, not a document.").arg(p.path);
    case P::TooBig:
        return notOpened(Texts::tr("at %1 MB it is larger than a report document can be (%2 MB).")
                             .arg(QString::number(p.size), QString::number(p.limit)));
    case P::Unreadable:
        return Texts::tr("The document '%1' cannot be read: %2.").arg(p.path, p.detail);
    case P::Empty:
        return notAPackage(Texts::tr("the file is empty"));
    case P::NotAPackage:
        return notAPackage(p.detail);
    case P::NoMainPart:
        return notOpened(Texts::tr("the package has no word-processing part '%1'.").arg(p.part));
    case P::PartTooBig:
        return notOpened(
            Texts::tr("its part '%1' unpacks to more than a report document can hold (%2 MB). The file "
                      "is damaged or was not made as a report; it has not been changed.")
                .arg(p.part, QString::number(p.limit)));
    case P::PartTooPacked:
        return notOpened(
            Texts::tr("its part '%1' is packed far more tightly than a document's text can be (more "
                      "than %2 to 1). The file is damaged or crafted to exhaust the computer's memory; "
                      "it has not been changed.")
                .arg(p.part, QString::number(p.limit)));
    case P::PartDamaged:
        return notOpened(Texts::tr(
            "its part '%1' is damaged (it cannot be unpacked to the size the package gives for it).")
                             .arg(p.part));
    case P::NestedTooDeep:
        return crafted(Texts::tr("elements nested more than %1 deep").arg(p.limit));
    case P::TooManyAttributes:
        return crafted(Texts::tr("an element with more than %1 attributes").arg(p.limit));
    case P::TooManyNamespaces:
        return crafted(Texts::tr("more than %1 namespace declarations in force at once").arg(p.limit));
    case P::DocumentType:
        return crafted(Texts::tr("a document type declaration"));
    case P::NotText:
        return notOpened(Texts::tr("its part '%1' is not UTF-8 or UTF-16 text.").arg(p.part));
    case P::NotReadable:
        return notOpened(Texts::tr("its part '%1': %2.").arg(p.part, p.detail));
    case P::NothingOpen:
        return Texts::tr("There is no document to save.");
    case P::NeverSaved:
        return Texts::tr("The document has never been saved, so it has no file name yet.");
    case P::NoFileName:
        return Texts::tr("No file name was given for the document.");
    case P::NoFolder:
        return notSaved(Texts::tr("the folder '%1' does not exist").arg(p.part));
    case P::SaveIsFolder:
        return notSaved(Texts::tr("it is a folder"));
    case P::NotSaved:
        return notSaved(p.detail);
    }
    return {};
}

bool tell(FormSession& session, const Outcome& outcome)
{
    for (const Notice& notice : outcome.notices()) {
        if (notice.kind == Notice::Kind::OpenPageOnly) {
            if (confirm(notice))
                openPageOnly(session, notice.subject, notice.place);
        } else if (notice.kind == Notice::Kind::AskedAlwaysAfterEdit
            || notice.kind == Notice::Kind::AskedAlwaysAfterRemoval
            || notice.kind == Notice::Kind::PipedQuestionRemoved
            || notice.kind == Notice::Kind::QuotasDropped) {
            showInformation(noticeText(notice)); // work done as asked, and what followed from it
        } else if (!notice.isQuestion()) { // the others are the caller's to ask
            showExclamation(noticeText(notice));
        }
    }
    return outcome.done();
}

bool loadFormTelling(FormSession& session, const QString& pageFile)
{
    return tell(session, loadForm(session, session.appFolder(), pageFile));
}

// The form-name texts keep the context they were translated under.
void sayFormNameTaken(const QString& name)
{
    showExclamation(QCoreApplication::translate("NewFormOperations",
        "Sorry but there is already a Form and DB Table with the name '%1'.Please enter another name for the "
        "HTML form file.")
                        .arg(name));
}

QString formNameProblemText(const FormNameProblem& problem)
{
    switch (problem.kind) {
    case FormNameProblem::BlankAtEdge:
        return QCoreApplication::translate("NewFormOperations", "it begins or ends with a blank.");
    case FormNameProblem::ControlCharacter:
        return QCoreApplication::translate(
            "NewFormOperations", "it contains a control character or a line break.");
    case FormNameProblem::NotFileNameText:
        return QCoreApplication::translate(
            "NewFormOperations", "it contains a character that cannot be part of a file name.");
    case FormNameProblem::PathSeparator:
        return QCoreApplication::translate("NewFormOperations",
            "it contains '/' or '\\', which would place the form's files outside the program's folders.");
    case FormNameProblem::Dot:
        return QCoreApplication::translate("NewFormOperations",
            "it contains a '.', and a form is found again by the part of its page name "
            "before the first '.'.");
    case FormNameProblem::ProgramPage:
        return QCoreApplication::translate(
            "NewFormOperations", "a page of that name comes with Quenlow and is not a form.");
    case FormNameProblem::TooLong:
        return QCoreApplication::translate("NewFormOperations", "it is too long for a file name.");
    }
    return {};
}

bool acceptFormName(const FormSession& session, const QString& name, bool mustBeFree)
{
    if (name.isEmpty()) {
        showExclamation(QCoreApplication::translate("NewFormOperations",
            "HTML File name Text Box is empty. Please enter a name for the new HTML Form."));
        return false;
    }
    if (const auto usable = checkFormName(name); !usable) {
        showExclamation(QCoreApplication::translate("NewFormOperations",
            "The name '%1' cannot be used for a form: %2 Please enter another name for the HTML form file.")
                            .arg(name, formNameProblemText(usable.error())));
        return false;
    }
    if (mustBeFree && formNameTaken(session, name)) {
        sayFormNameTaken(name);
        return false;
    }
    return true;
}

} // namespace quenlow
