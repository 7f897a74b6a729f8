// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace quenlow {

/// The language a form speaks to the people who answer it: its page's `lang`
/// and every text the collection service adds to what the designer wrote.
enum class FormLanguage { English, German, Spanish };

QList<FormLanguage> formLanguages();
/// The language's tag ("en", "de", "es"): the page's `lang` and the value kept in the header.
QString languageTag(FormLanguage language);
/// The language of `tag`; nullopt for a tag the program has no texts for.
std::optional<FormLanguage> formLanguageFromTag(const QString& tag);
/// The language a browser asks for in its Accept-Language header ("de-AT,
/// de;q=0.9,en;q=0.5"): the one of ours it weighs highest, the earlier one
/// on a tie; English when it names none of ours.
FormLanguage formLanguageAsked(QByteArrayView acceptLanguage);

/// Every text the service adds for respondents. "%1" stands for what the text
/// names (a form's title, a limit).
enum class RespondentText {
    Choose, // a menu's first, empty choice
    ThankYou,
    AnswersUpdated,
    AnswersReceived, // %1: the form's title
    ViewAnswersTable,
    YourReceipt,
    SendAnother,
    SeeResults,
    FormClosed,
    EnoughLikeYou, // a post refused because its quota is full
    ResultsTitle, // %1: the form's title
    OneAnswer, // after the count 1
    ManyAnswers, // after any other count
    FormChangedNotice,
    AnswersRefusedNotice,
    FormChangedTitle,
    FormChangedPage,
    NothingAnsweredTitle,
    NothingAnswered, // %1: the form's title
    AnswersNotStoredTitle,
    ConnectionClosed,
    NotStoredNow,
    NotSentYet, // the page's script, while it keeps trying
    SendNow,
    EarlierAnswerWaiting, // the page's script, while one answer sent from another page waits
    EarlierAnswersWaiting, // %1: how many such answers wait
    // Beside a question with a problem.
    AnswerQuestion,
    TickBox,
    TickOneBox,
    ChooseAnswer,
    GiveEmail,
    GivePhone,
    GiveWholeNumber,
    GiveWholeNumberRange, // %1 to %2
    GiveWholeNumberAtLeast, // %1
    GiveWholeNumberAtMost, // %1
    GiveNumber,
    GiveNumberRange,
    GiveNumberAtLeast,
    GiveNumberAtMost,
    GiveDate,
    GiveDateRange,
    GiveDateOnOrAfter,
    GiveDateOnOrBefore,
    ChooseScaleNumber, // %1 to %2
    ChooseOffered, // an answer a choice does not offer
    UseAtMost, // %1: the most characters a text field takes
    // Under a typed text field: what it takes, before anything is refused.
    RuleWholeNumber,
    RuleWholeNumberRange, // %1 to %2
    RuleWholeNumberAtLeast,
    RuleWholeNumberAtMost,
    RuleNumber,
    RuleNumberRange,
    RuleNumberAtLeast,
    RuleNumberAtMost,
    RuleDate,
    RuleDateRange,
    RuleDateOnOrAfter,
    RuleDateOnOrBefore,
    RuleEmail,
    RulePhone,
    ChangeAnswers, // the thank-you page's way back to the form
    // A form only invited people answer: the page asking for the code, the
    // refusals of a code, and what an anonymous form says above its questions.
    YourCode,
    ContinueWithCode,
    TypeYourCode,
    CodeNotKnown,
    CodeAlreadyUsed,
    AnonymousAnswersReceived, // said after CodeAlreadyUsed on an anonymous form
    AnswersAnonymous,
    // The service's own pages, for requests it cannot take; "%1" as said there.
    NotFoundTitle,
    NotFound,
    NotAvailableTitle,
    NotAvailable,
    NothingStored,
    MethodNotAllowedTitle,
    MethodNotAllowed,
    BadRequestTitle,
    AnswersUnreadable,
    AnswersHoldNul,
    UnsupportedDataTitle,
    UnsupportedData,
    NoFormNamed,
    NoSuchFormTitle,
    NoSuchForm,
    FormHasNoTable,
    NoAnswersTitle,
    NoAnswers,
    AnswersNotShownTitle,
    AnswersNotShown,
    BusyTitle,
    TableBusy,
    NoAnswersTableTitle,
    NoAnswersTable,
    ResultsNotShownTitle,
    ResultsNotShown,
    NotUpdating, // the results page, when its refresh fails
    AnswerHere, // beside the form's address on the projector
    QrCodeFor, // %1: the address the code holds
    PageOfPages, // %1 of %2: charts shown a page at a time
    // A printed invitation card, beside the code and the address with it.
    InvitationCode,
    InvitationAddress,
    TooLargeTitle,
    TooLarge,
    ExpectationFailedTitle,
    ExpectationFailed,
    RequestUnreadable,
    InternalErrorTitle,
    InternalError,
    FormsTitle,
    NoFormOpen, // the list of forms, when none takes answers
    ResultsLink, // beside a form in that list
    AnswerRequired, // the title of the star beside a required question
    // A form of several pages, one at a time (the page before: PageOfPages).
    NextPage,
    PreviousPage,
    // A choice answered by typing: its option, its box's name, and the note
    // when the box was left empty.
    OtherChoice,
    OtherAnswerBox,
    TypeOtherAnswer,
    OtherAnswers, // a chart's bar of the answers typed after "Other:" that few gave
    // Grids and rankings
    AnswerEveryRow, // beside an unanswered statement of a required grid
    // The answers of the grid's common scales, in order
    AgreeStronglyDisagree,
    AgreeDisagree,
    AgreeNeither,
    AgreeAgree,
    AgreeStronglyAgree,
    SatisfiedVeryDissatisfied,
    SatisfiedDissatisfied,
    SatisfiedNeither,
    SatisfiedSatisfied,
    SatisfiedVerySatisfied,
    OftenNever,
    OftenRarely,
    OftenSometimes,
    OftenOften,
    OftenAlways,
    // A ranking: its note when the places are not each of 1 to N once (%1: N),
    // its buttons (each named with its option) and what is said after a move (%1: the
    // option, %2: its place, %3: N)
    GivePlaces,
    MoveUp,
    MoveDown,
    MovedToPlace,
};
inline constexpr int kRespondentTextCount = int(RespondentText::MovedToPlace) + 1;

/// `text` in `language`; English where a language lacks it.
QString respondentText(RespondentText text, FormLanguage language = FormLanguage::English);
/// Whether `language`'s table has a text of its own for `text`.
bool hasRespondentText(RespondentText text, FormLanguage language);

} // namespace quenlow
