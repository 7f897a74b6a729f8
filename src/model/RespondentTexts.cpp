// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/RespondentTexts.h"

#include <QByteArray>

#include <span>
#include <utility>

namespace quenlow {

namespace {

using T = RespondentText;
using Entry = std::pair<RespondentText, const char*>; // the text in UTF-8

// English: word for word the texts pages carried before forms had a language.
constexpr Entry kEnglish[] = {
    { T::Choose, "Choose\u2026" },
    { T::ThankYou, "Thank you" },
    { T::AnswersUpdated, "Your answers have been updated." },
    { T::AnswersReceived, "Your answers to the form '%1' have been received." },
    { T::ViewAnswersTable, "View the answers table" },
    { T::YourReceipt, "Your receipt:" },
    { T::SendAnother, "Send another answer" },
    { T::SeeResults, "See the results" },
    { T::FormClosed, "This form is closed." },
    { T::EnoughLikeYou, "Thank you \u2014 we already have enough answers from people like you." },
    { T::ResultsTitle, "Results - %1" },
    { T::OneAnswer, "answer" },
    { T::ManyAnswers, "answers" },
    { T::FormChangedNotice,
        "This form was changed while you were filling it in. Please check your answers and send them "
        "again." },
    { T::AnswersRefusedNotice,
        "Some answers need another look: please see the notes beside the questions and send your answers "
        "again. Nothing has been stored yet." },
    { T::FormChangedTitle, "The form was changed" },
    { T::FormChangedPage,
        "This form was changed while you were filling it in. Please open it again and send your answers "
        "again. Nothing has been stored." },
    { T::NothingAnsweredTitle, "Nothing was answered" },
    { T::NothingAnswered, "Nothing was typed, ticked or chosen in the form '%1'. Nothing has been stored." },
    { T::AnswersNotStoredTitle, "Answers not stored" },
    { T::ConnectionClosed,
        "The connection was closed before the answers were stored. Nothing has been kept." },
    { T::NotStoredNow,
        "Your answers could not be stored just now, and nothing has been kept. Please go back and send the "
        "form again." },
    { T::NotSentYet, "Not sent yet \u2014 trying again\u2026" },
    { T::SendNow, "Send now" },
    { T::EarlierAnswerWaiting, "1 earlier answer waiting to be sent" },
    { T::EarlierAnswersWaiting, "%1 earlier answers waiting to be sent" },
    { T::AnswerQuestion, "Please answer this question." },
    { T::TickBox, "Please tick this box." },
    { T::TickOneBox, "Please tick at least one box." },
    { T::ChooseAnswer, "Please choose an answer." },
    { T::GiveEmail, "Please give an e-mail address, such as name@example.org." },
    { T::GivePhone, "Please give a phone number: digits, spaces and + - ( ) only." },
    { T::GiveWholeNumber, "Please give a whole number." },
    { T::GiveWholeNumberRange, "Please give a whole number from %1 to %2." },
    { T::GiveWholeNumberAtLeast, "Please give a whole number of at least %1." },
    { T::GiveWholeNumberAtMost, "Please give a whole number of at most %1." },
    { T::GiveNumber, "Please give a number." },
    { T::GiveNumberRange, "Please give a number from %1 to %2." },
    { T::GiveNumberAtLeast, "Please give a number of at least %1." },
    { T::GiveNumberAtMost, "Please give a number of at most %1." },
    { T::GiveDate, "Please give a date as year-month-day, for example 2026-12-24." },
    { T::GiveDateRange, "Please give a date from %1 to %2." },
    { T::GiveDateOnOrAfter, "Please give a date on or after %1." },
    { T::GiveDateOnOrBefore, "Please give a date on or before %1." },
    { T::ChooseScaleNumber, "Please choose one of the numbers from %1 to %2." },
    { T::ChooseOffered, "Please choose one of the answers offered." },
    { T::UseAtMost, "Please use at most %1 characters." },
    { T::RuleWholeNumber, "A whole number." },
    { T::RuleWholeNumberRange, "A whole number from %1 to %2." },
    { T::RuleWholeNumberAtLeast, "A whole number of at least %1." },
    { T::RuleWholeNumberAtMost, "A whole number of at most %1." },
    { T::RuleNumber, "A number." },
    { T::RuleNumberRange, "A number from %1 to %2." },
    { T::RuleNumberAtLeast, "A number of at least %1." },
    { T::RuleNumberAtMost, "A number of at most %1." },
    { T::RuleDate, "A date as year-month-day, for example 2026-12-24." },
    { T::RuleDateRange, "A date from %1 to %2." },
    { T::RuleDateOnOrAfter, "A date on or after %1." },
    { T::RuleDateOnOrBefore, "A date on or before %1." },
    { T::RuleEmail, "An e-mail address, such as name@example.org." },
    { T::RulePhone, "A phone number: digits, spaces and + - ( ) only." },
    { T::ChangeAnswers, "Change your answers" },
    { T::YourCode, "Your code" },
    { T::ContinueWithCode, "Continue" },
    { T::TypeYourCode, "Please type the personal code from your invitation." },
    { T::CodeNotKnown, "This code is not known. Please check it." },
    { T::CodeAlreadyUsed, "This code has already been used." },
    { T::AnonymousAnswersReceived,
        "The answers sent with it were received. They are kept without the code, so they cannot be "
        "changed." },
    { T::AnswersAnonymous, "Your answers are anonymous: nobody can tell which answers are yours." },
    { T::NotFoundTitle, "Not found" },
    { T::NotFound,
        "There is no such page here. Form pages are opened by their name, for example /survey.html." },
    { T::NotAvailableTitle, "Not available right now" },
    { T::NotAvailable,
        "The answers to this form cannot be taken right now. Please try again in a few minutes." },
    { T::NothingStored, "Nothing has been stored." },
    { T::MethodNotAllowedTitle, "Method not allowed" },
    { T::MethodNotAllowed, "This address does not take that kind of request." },
    { T::BadRequestTitle, "Bad request" },
    { T::AnswersUnreadable, "The answers could not be read: %1." },
    { T::AnswersHoldNul, "The answers contain a NUL character (%00), which no form field can hold." },
    { T::UnsupportedDataTitle, "Unsupported form data" },
    { T::UnsupportedData, "Forms are accepted as application/x-www-form-urlencoded or multipart/form-data." },
    { T::NoFormNamed,
        "The request does not say which form it belongs to (the field \"tableName\" is missing)." },
    { T::NoSuchFormTitle, "No such form" },
    { T::NoSuchForm, "There is no form with the answers table '%1' here." },
    { T::FormHasNoTable, "The form '%1' has no answers table." },
    { T::NoAnswersTitle, "No answers" },
    { T::NoAnswers, "The post carries none of the questions of the form '%1'." },
    { T::AnswersNotShownTitle, "Answers not shown" },
    { T::AnswersNotShown, "The answers to this form are not shown to the people who fill it in." },
    { T::BusyTitle, "Busy" },
    { T::TableBusy,
        "The answers table is being shown to many people just now. Please try again in a moment." },
    { T::NoAnswersTableTitle, "No answers table" },
    { T::NoAnswersTable, "The table containing the data for the form %1.html is missing." },
    { T::ResultsNotShownTitle, "Results not shown" },
    { T::ResultsNotShown, "The results of this form are not shown to the people who fill it in." },
    { T::NotUpdating, "Not updating \u2014 the service cannot be reached" },
    { T::AnswerHere, "Answer here:" },
    { T::QrCodeFor, "QR code for %1" },
    { T::PageOfPages, "Page %1 of %2" },
    { T::InvitationCode, "Your personal code" },
    { T::InvitationAddress, "Scan the code, or open this address:" },
    { T::TooLargeTitle, "Too large" },
    { T::TooLarge, "The data sent is larger than this service accepts." },
    { T::ExpectationFailedTitle, "Expectation failed" },
    { T::ExpectationFailed, "Only 100-continue is understood." },
    { T::RequestUnreadable, "The request could not be read." },
    { T::InternalErrorTitle, "Internal error" },
    { T::InternalError, "The request could not be served." },
    { T::FormsTitle, "Forms" },
    { T::NoFormOpen, "No form is open for answers just now." },
    { T::ResultsLink, "results" },
    { T::AnswerRequired, "An answer is required" },
    { T::NextPage, "Next" },
    { T::PreviousPage, "Back" },
    { T::OtherChoice, "Other:" },
    { T::OtherAnswerBox, "Your other answer" },
    { T::TypeOtherAnswer, "Please type your answer after \u201cOther:\u201d." },
    { T::OtherAnswers, "Other" },
    { T::AnswerEveryRow, "Please answer every row." },
    { T::AgreeStronglyDisagree, "Strongly disagree" },
    { T::AgreeDisagree, "Disagree" },
    { T::AgreeNeither, "Neither agree nor disagree" },
    { T::AgreeAgree, "Agree" },
    { T::AgreeStronglyAgree, "Strongly agree" },
    { T::SatisfiedVeryDissatisfied, "Very dissatisfied" },
    { T::SatisfiedDissatisfied, "Dissatisfied" },
    { T::SatisfiedNeither, "Neither satisfied nor dissatisfied" },
    { T::SatisfiedSatisfied, "Satisfied" },
    { T::SatisfiedVerySatisfied, "Very satisfied" },
    { T::OftenNever, "Never" },
    { T::OftenRarely, "Rarely" },
    { T::OftenSometimes, "Sometimes" },
    { T::OftenOften, "Often" },
    { T::OftenAlways, "Always" },
    { T::GivePlaces, "Please give each option a different place from 1 to %1." },
    { T::MoveUp, "Move up" },
    { T::MoveDown, "Move down" },
    { T::MovedToPlace, "%1: place %2 of %3" },
};

constexpr Entry kGerman[] = {
    { T::Choose, "Bitte w\u00e4hlen\u2026" },
    { T::ThankYou, "Vielen Dank" },
    { T::AnswersUpdated, "Ihre Antworten wurden aktualisiert." },
    { T::AnswersReceived, "Ihre Antworten zum Formular \u201e%1\u201c sind eingegangen." },
    { T::ViewAnswersTable, "Antworttabelle ansehen" },
    { T::YourReceipt, "Ihre Empfangsbest\u00e4tigung:" },
    { T::SendAnother, "Weitere Antwort senden" },
    { T::SeeResults, "Ergebnisse ansehen" },
    { T::FormClosed, "Dieses Formular ist geschlossen." },
    { T::EnoughLikeYou, "Vielen Dank \u2014 wir haben schon genug Antworten von Menschen wie Ihnen." },
    { T::ResultsTitle, "Ergebnisse \u2013 %1" },
    { T::OneAnswer, "Antwort" },
    { T::ManyAnswers, "Antworten" },
    { T::FormChangedNotice,
        "Dieses Formular wurde ge\u00e4ndert, w\u00e4hrend Sie es ausgef\u00fcllt haben. Bitte pr\u00fcfen "
        "Sie "
        "Ihre Antworten und senden Sie sie erneut." },
    { T::AnswersRefusedNotice,
        "Einige Antworten m\u00fcssen Sie sich noch einmal ansehen: Bitte beachten Sie die Hinweise bei den "
        "Fragen und senden Sie Ihre Antworten erneut. Es wurde noch nichts gespeichert." },
    { T::FormChangedTitle, "Das Formular wurde ge\u00e4ndert" },
    { T::FormChangedPage,
        "Dieses Formular wurde ge\u00e4ndert, w\u00e4hrend Sie es ausgef\u00fcllt haben. Bitte \u00f6ffnen "
        "Sie "
        "es erneut und senden Sie Ihre Antworten noch einmal. Es wurde nichts gespeichert." },
    { T::NothingAnsweredTitle, "Nichts beantwortet" },
    { T::NothingAnswered,
        "Im Formular \u201e%1\u201c wurde nichts eingegeben, angekreuzt oder ausgew\u00e4hlt. Es wurde "
        "nichts "
        "gespeichert." },
    { T::AnswersNotStoredTitle, "Antworten nicht gespeichert" },
    { T::ConnectionClosed,
        "Die Verbindung wurde getrennt, bevor die Antworten gespeichert waren. Es wurde nichts "
        "\u00fcbernommen." },
    { T::NotStoredNow,
        "Ihre Antworten konnten gerade nicht gespeichert werden; es wurde nichts \u00fcbernommen. Bitte "
        "gehen "
        "Sie zur\u00fcck und senden Sie das Formular erneut." },
    { T::NotSentYet, "Noch nicht gesendet \u2013 neuer Versuch\u2026" },
    { T::SendNow, "Jetzt senden" },
    { T::EarlierAnswerWaiting, "1 fr\u00fchere Antwort wartet noch auf das Senden" },
    { T::EarlierAnswersWaiting, "%1 fr\u00fchere Antworten warten noch auf das Senden" },
    { T::AnswerQuestion, "Bitte beantworten Sie diese Frage." },
    { T::TickBox, "Bitte kreuzen Sie dieses K\u00e4stchen an." },
    { T::TickOneBox, "Bitte kreuzen Sie mindestens ein K\u00e4stchen an." },
    { T::ChooseAnswer, "Bitte w\u00e4hlen Sie eine Antwort." },
    { T::GiveEmail, "Bitte geben Sie eine E-Mail-Adresse an, zum Beispiel name@example.org." },
    { T::GivePhone, "Bitte geben Sie eine Telefonnummer an: nur Ziffern, Leerzeichen und + - ( )." },
    { T::GiveWholeNumber, "Bitte geben Sie eine ganze Zahl an." },
    { T::GiveWholeNumberRange, "Bitte geben Sie eine ganze Zahl von %1 bis %2 an." },
    { T::GiveWholeNumberAtLeast, "Bitte geben Sie eine ganze Zahl von mindestens %1 an." },
    { T::GiveWholeNumberAtMost, "Bitte geben Sie eine ganze Zahl von h\u00f6chstens %1 an." },
    { T::GiveNumber, "Bitte geben Sie eine Zahl an." },
    { T::GiveNumberRange, "Bitte geben Sie eine Zahl von %1 bis %2 an." },
    { T::GiveNumberAtLeast, "Bitte geben Sie eine Zahl von mindestens %1 an." },
    { T::GiveNumberAtMost, "Bitte geben Sie eine Zahl von h\u00f6chstens %1 an." },
    { T::GiveDate, "Bitte geben Sie ein Datum als Jahr-Monat-Tag an, zum Beispiel 2026-12-24." },
    { T::GiveDateRange, "Bitte geben Sie ein Datum vom %1 bis zum %2 an." },
    { T::GiveDateOnOrAfter, "Bitte geben Sie ein Datum am oder nach dem %1 an." },
    { T::GiveDateOnOrBefore, "Bitte geben Sie ein Datum am oder vor dem %1 an." },
    { T::ChooseScaleNumber, "Bitte w\u00e4hlen Sie eine der Zahlen von %1 bis %2." },
    { T::ChooseOffered, "Bitte w\u00e4hlen Sie eine der angebotenen Antworten." },
    { T::UseAtMost, "Bitte verwenden Sie h\u00f6chstens %1 Zeichen." },
    { T::RuleWholeNumber, "Eine ganze Zahl." },
    { T::RuleWholeNumberRange, "Eine ganze Zahl von %1 bis %2." },
    { T::RuleWholeNumberAtLeast, "Eine ganze Zahl von mindestens %1." },
    { T::RuleWholeNumberAtMost, "Eine ganze Zahl von h\u00f6chstens %1." },
    { T::RuleNumber, "Eine Zahl." },
    { T::RuleNumberRange, "Eine Zahl von %1 bis %2." },
    { T::RuleNumberAtLeast, "Eine Zahl von mindestens %1." },
    { T::RuleNumberAtMost, "Eine Zahl von h\u00f6chstens %1." },
    { T::RuleDate, "Ein Datum als Jahr-Monat-Tag, zum Beispiel 2026-12-24." },
    { T::RuleDateRange, "Ein Datum vom %1 bis zum %2." },
    { T::RuleDateOnOrAfter, "Ein Datum am oder nach dem %1." },
    { T::RuleDateOnOrBefore, "Ein Datum am oder vor dem %1." },
    { T::RuleEmail, "Eine E-Mail-Adresse, zum Beispiel name@example.org." },
    { T::RulePhone, "Eine Telefonnummer: nur Ziffern, Leerzeichen und + - ( )." },
    { T::ChangeAnswers, "Antworten \u00e4ndern" },
    { T::YourCode, "Ihr Code" },
    { T::ContinueWithCode, "Weiter" },
    { T::TypeYourCode, "Bitte geben Sie den pers\u00f6nlichen Code aus Ihrer Einladung ein." },
    { T::CodeNotKnown, "Dieser Code ist nicht bekannt. Bitte pr\u00fcfen Sie ihn." },
    { T::CodeAlreadyUsed, "Dieser Code wurde bereits verwendet." },
    { T::AnonymousAnswersReceived,
        "Die damit gesendeten Antworten sind eingegangen. Sie werden ohne den Code gespeichert und "
        "k\u00f6nnen "
        "daher nicht ge\u00e4ndert werden." },
    { T::AnswersAnonymous, "Ihre Antworten sind anonym: Niemand kann erkennen, welche Antworten Ihre sind." },
    { T::NotFoundTitle, "Nicht gefunden" },
    { T::NotFound,
        "Diese Seite gibt es hier nicht. Formularseiten werden mit ihrem Namen ge\u00f6ffnet, zum Beispiel "
        "/survey.html." },
    { T::NotAvailableTitle, "Derzeit nicht verf\u00fcgbar" },
    { T::NotAvailable,
        "Die Antworten zu diesem Formular k\u00f6nnen gerade nicht angenommen werden. Bitte versuchen Sie es "
        "in einigen Minuten erneut." },
    { T::NothingStored, "Es wurde nichts gespeichert." },
    { T::MethodNotAllowedTitle, "Methode nicht erlaubt" },
    { T::MethodNotAllowed, "Diese Adresse nimmt diese Art von Anfrage nicht an." },
    { T::BadRequestTitle, "Ung\u00fcltige Anfrage" },
    { T::AnswersUnreadable, "Die Antworten konnten nicht gelesen werden: %1." },
    { T::AnswersHoldNul,
        "Die Antworten enthalten ein NUL-Zeichen (%00), das kein Formularfeld aufnehmen kann." },
    { T::UnsupportedDataTitle, "Nicht unterst\u00fctzte Formulardaten" },
    { T::UnsupportedData,
        "Formulare werden als application/x-www-form-urlencoded oder multipart/form-data angenommen." },
    { T::NoFormNamed,
        "Die Anfrage sagt nicht, zu welchem Formular sie geh\u00f6rt (das Feld \u201etableName\u201c "
        "fehlt)." },
    { T::NoSuchFormTitle, "Kein solches Formular" },
    { T::NoSuchForm, "Hier gibt es kein Formular mit der Antworttabelle \u201e%1\u201c." },
    { T::FormHasNoTable, "Das Formular \u201e%1\u201c hat keine Antworttabelle." },
    { T::NoAnswersTitle, "Keine Antworten" },
    { T::NoAnswers, "Die gesendeten Daten enthalten keine der Fragen des Formulars \u201e%1\u201c." },
    { T::AnswersNotShownTitle, "Antworten werden nicht gezeigt" },
    { T::AnswersNotShown, "Die Antworten zu diesem Formular werden den Ausf\u00fcllenden nicht gezeigt." },
    { T::BusyTitle, "Ausgelastet" },
    { T::TableBusy,
        "Die Antworttabelle wird gerade vielen Personen gezeigt. Bitte versuchen Sie es gleich noch "
        "einmal." },
    { T::NoAnswersTableTitle, "Keine Antworttabelle" },
    { T::NoAnswersTable, "Die Tabelle mit den Daten f\u00fcr das Formular %1.html fehlt." },
    { T::ResultsNotShownTitle, "Ergebnisse werden nicht gezeigt" },
    { T::ResultsNotShown, "Die Ergebnisse dieses Formulars werden den Ausf\u00fcllenden nicht gezeigt." },
    { T::NotUpdating, "Keine Aktualisierung \u2014 der Dienst ist nicht erreichbar" },
    { T::AnswerHere, "Hier antworten:" },
    { T::QrCodeFor, "QR-Code f\u00fcr %1" },
    { T::PageOfPages, "Seite %1 von %2" },
    { T::InvitationCode, "Ihr pers\u00f6nlicher Code" },
    { T::InvitationAddress, "Scannen Sie den Code oder \u00f6ffnen Sie diese Adresse:" },
    { T::TooLargeTitle, "Zu gro\u00df" },
    { T::TooLarge, "Die gesendeten Daten sind gr\u00f6\u00dfer, als dieser Dienst annimmt." },
    { T::ExpectationFailedTitle, "Erwartung nicht erf\u00fcllbar" },
    { T::ExpectationFailed, "Nur 100-continue wird verstanden." },
    { T::RequestUnreadable, "Die Anfrage konnte nicht gelesen werden." },
    { T::InternalErrorTitle, "Interner Fehler" },
    { T::InternalError, "Die Anfrage konnte nicht bearbeitet werden." },
    { T::FormsTitle, "Formulare" },
    { T::NoFormOpen, "Zurzeit nimmt kein Formular Antworten an." },
    { T::ResultsLink, "Ergebnisse" },
    { T::AnswerRequired, "Eine Antwort ist erforderlich" },
    { T::NextPage, "Weiter" },
    { T::PreviousPage, "Zur\u00fcck" },
    { T::OtherChoice, "Sonstiges:" },
    { T::OtherAnswerBox, "Ihre sonstige Antwort" },
    { T::TypeOtherAnswer, "Bitte geben Sie Ihre Antwort nach \u201eSonstiges:\u201c ein." },
    { T::OtherAnswers, "Sonstige" },
    { T::AnswerEveryRow, "Bitte beantworten Sie jede Zeile." },
    { T::AgreeStronglyDisagree, "Stimme \u00fcberhaupt nicht zu" },
    { T::AgreeDisagree, "Stimme nicht zu" },
    { T::AgreeNeither, "Weder noch" },
    { T::AgreeAgree, "Stimme zu" },
    { T::AgreeStronglyAgree, "Stimme voll und ganz zu" },
    { T::SatisfiedVeryDissatisfied, "Sehr unzufrieden" },
    { T::SatisfiedDissatisfied, "Unzufrieden" },
    { T::SatisfiedNeither, "Weder zufrieden noch unzufrieden" },
    { T::SatisfiedSatisfied, "Zufrieden" },
    { T::SatisfiedVerySatisfied, "Sehr zufrieden" },
    { T::OftenNever, "Nie" },
    { T::OftenRarely, "Selten" },
    { T::OftenSometimes, "Manchmal" },
    { T::OftenOften, "Oft" },
    { T::OftenAlways, "Immer" },
    { T::GivePlaces, "Bitte geben Sie jeder Option einen anderen Platz von 1 bis %1." },
    { T::MoveUp, "Nach oben" },
    { T::MoveDown, "Nach unten" },
    { T::MovedToPlace, "%1: Platz %2 von %3" },
};

constexpr Entry kSpanish[] = {
    { T::Choose, "Elija\u2026" },
    { T::ThankYou, "Gracias" },
    { T::AnswersUpdated, "Sus respuestas se han actualizado." },
    { T::AnswersReceived, "Hemos recibido sus respuestas al formulario \u00ab%1\u00bb." },
    { T::ViewAnswersTable, "Ver la tabla de respuestas" },
    { T::YourReceipt, "Su comprobante:" },
    { T::SendAnother, "Enviar otra respuesta" },
    { T::SeeResults, "Ver los resultados" },
    { T::FormClosed, "Este formulario est\u00e1 cerrado." },
    { T::EnoughLikeYou, "Gracias \u2014 ya tenemos suficientes respuestas de personas como usted." },
    { T::ResultsTitle, "Resultados - %1" },
    { T::OneAnswer, "respuesta" },
    { T::ManyAnswers, "respuestas" },
    { T::FormChangedNotice,
        "Este formulario se modific\u00f3 mientras lo rellenaba. Revise sus respuestas y env\u00edelas de "
        "nuevo." },
    { T::AnswersRefusedNotice,
        "Algunas respuestas necesitan otra revisi\u00f3n: lea las notas junto a las preguntas y env\u00ede "
        "sus "
        "respuestas de nuevo. Todav\u00eda no se ha guardado nada." },
    { T::FormChangedTitle, "El formulario ha cambiado" },
    { T::FormChangedPage,
        "Este formulario se modific\u00f3 mientras lo rellenaba. \u00c1bralo de nuevo y vuelva a enviar sus "
        "respuestas. No se ha guardado nada." },
    { T::NothingAnsweredTitle, "No se ha respondido nada" },
    { T::NothingAnswered,
        "No se escribi\u00f3, marc\u00f3 ni eligi\u00f3 nada en el formulario \u00ab%1\u00bb. No se ha "
        "guardado "
        "nada." },
    { T::AnswersNotStoredTitle, "Respuestas no guardadas" },
    { T::ConnectionClosed,
        "La conexi\u00f3n se cerr\u00f3 antes de guardar las respuestas. No se ha guardado nada." },
    { T::NotStoredNow,
        "Sus respuestas no se han podido guardar en este momento y no se ha guardado nada. Vuelva atr\u00e1s "
        "y "
        "env\u00ede el formulario de nuevo." },
    { T::NotSentYet, "A\u00fan no se ha enviado: volviendo a intentarlo\u2026" },
    { T::SendNow, "Enviar ahora" },
    { T::EarlierAnswerWaiting, "1 respuesta anterior pendiente de env\u00edo" },
    { T::EarlierAnswersWaiting, "%1 respuestas anteriores pendientes de env\u00edo" },
    { T::AnswerQuestion, "Responda a esta pregunta." },
    { T::TickBox, "Marque esta casilla." },
    { T::TickOneBox, "Marque al menos una casilla." },
    { T::ChooseAnswer, "Elija una respuesta." },
    { T::GiveEmail, "Indique una direcci\u00f3n de correo electr\u00f3nico, como nombre@example.org." },
    { T::GivePhone, "Indique un n\u00famero de tel\u00e9fono: solo d\u00edgitos, espacios y + - ( )." },
    { T::GiveWholeNumber, "Indique un n\u00famero entero." },
    { T::GiveWholeNumberRange, "Indique un n\u00famero entero entre %1 y %2." },
    { T::GiveWholeNumberAtLeast, "Indique un n\u00famero entero de al menos %1." },
    { T::GiveWholeNumberAtMost, "Indique un n\u00famero entero de como m\u00e1ximo %1." },
    { T::GiveNumber, "Indique un n\u00famero." },
    { T::GiveNumberRange, "Indique un n\u00famero entre %1 y %2." },
    { T::GiveNumberAtLeast, "Indique un n\u00famero de al menos %1." },
    { T::GiveNumberAtMost, "Indique un n\u00famero de como m\u00e1ximo %1." },
    { T::GiveDate, "Indique una fecha como a\u00f1o-mes-d\u00eda, por ejemplo 2026-12-24." },
    { T::GiveDateRange, "Indique una fecha entre el %1 y el %2." },
    { T::GiveDateOnOrAfter, "Indique una fecha igual o posterior al %1." },
    { T::GiveDateOnOrBefore, "Indique una fecha igual o anterior al %1." },
    { T::ChooseScaleNumber, "Elija uno de los n\u00fameros del %1 al %2." },
    { T::ChooseOffered, "Elija una de las respuestas ofrecidas." },
    { T::UseAtMost, "Use como m\u00e1ximo %1 caracteres." },
    { T::RuleWholeNumber, "Un n\u00famero entero." },
    { T::RuleWholeNumberRange, "Un n\u00famero entero entre %1 y %2." },
    { T::RuleWholeNumberAtLeast, "Un n\u00famero entero de al menos %1." },
    { T::RuleWholeNumberAtMost, "Un n\u00famero entero de como m\u00e1ximo %1." },
    { T::RuleNumber, "Un n\u00famero." },
    { T::RuleNumberRange, "Un n\u00famero entre %1 y %2." },
    { T::RuleNumberAtLeast, "Un n\u00famero de al menos %1." },
    { T::RuleNumberAtMost, "Un n\u00famero de como m\u00e1ximo %1." },
    { T::RuleDate, "Una fecha como a\u00f1o-mes-d\u00eda, por ejemplo 2026-12-24." },
    { T::RuleDateRange, "Una fecha entre el %1 y el %2." },
    { T::RuleDateOnOrAfter, "Una fecha igual o posterior al %1." },
    { T::RuleDateOnOrBefore, "Una fecha igual o anterior al %1." },
    { T::RuleEmail, "Una direcci\u00f3n de correo electr\u00f3nico, como nombre@example.org." },
    { T::RulePhone, "Un n\u00famero de tel\u00e9fono: solo d\u00edgitos, espacios y + - ( )." },
    { T::ChangeAnswers, "Cambiar sus respuestas" },
    { T::YourCode, "Su c\u00f3digo" },
    { T::ContinueWithCode, "Continuar" },
    { T::TypeYourCode, "Escriba el c\u00f3digo personal de su invitaci\u00f3n." },
    { T::CodeNotKnown, "Este c\u00f3digo no se conoce. Compru\u00e9belo, por favor." },
    { T::CodeAlreadyUsed, "Este c\u00f3digo ya se ha utilizado." },
    { T::AnonymousAnswersReceived,
        "Las respuestas enviadas con \u00e9l se recibieron. Se guardan sin el c\u00f3digo, por lo que no se "
        "pueden "
        "cambiar." },
    { T::AnswersAnonymous,
        "Sus respuestas son an\u00f3nimas: nadie puede saber qu\u00e9 respuestas son las suyas." },
    { T::NotFoundTitle, "No encontrado" },
    { T::NotFound,
        "Aqu\u00ed no existe esa p\u00e1gina. Las p\u00e1ginas de formularios se abren por su nombre, por "
        "ejemplo /survey.html." },
    { T::NotAvailableTitle, "No disponible en este momento" },
    { T::NotAvailable,
        "Ahora mismo no se pueden recibir las respuestas a este formulario. Int\u00e9ntelo de nuevo dentro "
        "de unos minutos." },
    { T::NothingStored, "No se ha guardado nada." },
    { T::MethodNotAllowedTitle, "M\u00e9todo no permitido" },
    { T::MethodNotAllowed, "Esta direcci\u00f3n no acepta ese tipo de petici\u00f3n." },
    { T::BadRequestTitle, "Petici\u00f3n incorrecta" },
    { T::AnswersUnreadable, "No se han podido leer las respuestas: %1." },
    { T::AnswersHoldNul,
        "Las respuestas contienen un car\u00e1cter NUL (%00), que ning\u00fan campo de formulario puede "
        "contener." },
    { T::UnsupportedDataTitle, "Datos de formulario no admitidos" },
    { T::UnsupportedData,
        "Los formularios se aceptan como application/x-www-form-urlencoded o multipart/form-data." },
    { T::NoFormNamed,
        "La petici\u00f3n no indica a qu\u00e9 formulario pertenece (falta el campo "
        "\u00abtableName\u00bb)." },
    { T::NoSuchFormTitle, "No existe ese formulario" },
    { T::NoSuchForm, "Aqu\u00ed no hay ning\u00fan formulario con la tabla de respuestas \u00ab%1\u00bb." },
    { T::FormHasNoTable, "El formulario \u00ab%1\u00bb no tiene tabla de respuestas." },
    { T::NoAnswersTitle, "Sin respuestas" },
    { T::NoAnswers,
        "Los datos enviados no contienen ninguna de las preguntas del formulario \u00ab%1\u00bb." },
    { T::AnswersNotShownTitle, "Respuestas no visibles" },
    { T::AnswersNotShown, "Las respuestas a este formulario no se muestran a quienes lo rellenan." },
    { T::BusyTitle, "Ocupado" },
    { T::TableBusy,
        "La tabla de respuestas se est\u00e1 mostrando ahora a muchas personas. Int\u00e9ntelo de nuevo en "
        "un momento." },
    { T::NoAnswersTableTitle, "Sin tabla de respuestas" },
    { T::NoAnswersTable, "Falta la tabla con los datos del formulario %1.html." },
    { T::ResultsNotShownTitle, "Resultados no visibles" },
    { T::ResultsNotShown, "Los resultados de este formulario no se muestran a quienes lo rellenan." },
    { T::NotUpdating, "Sin actualizar: no se puede acceder al servicio" },
    { T::AnswerHere, "Responda aqu\u00ed:" },
    { T::QrCodeFor, "C\u00f3digo QR de %1" },
    { T::PageOfPages, "P\u00e1gina %1 de %2" },
    { T::InvitationCode, "Su c\u00f3digo personal" },
    { T::InvitationAddress, "Escanee el c\u00f3digo o abra esta direcci\u00f3n:" },
    { T::TooLargeTitle, "Demasiado grande" },
    { T::TooLarge, "Los datos enviados superan lo que acepta este servicio." },
    { T::ExpectationFailedTitle, "Expectativa no cumplida" },
    { T::ExpectationFailed, "Solo se entiende 100-continue." },
    { T::RequestUnreadable, "No se ha podido leer la petici\u00f3n." },
    { T::InternalErrorTitle, "Error interno" },
    { T::InternalError, "No se ha podido atender la petici\u00f3n." },
    { T::FormsTitle, "Formularios" },
    { T::NoFormOpen, "Ahora mismo ning\u00fan formulario acepta respuestas." },
    { T::ResultsLink, "resultados" },
    { T::AnswerRequired, "La respuesta es obligatoria" },
    { T::NextPage, "Siguiente" },
    { T::PreviousPage, "Atr\u00e1s" },
    { T::OtherChoice, "Otro:" },
    { T::OtherAnswerBox, "Su otra respuesta" },
    { T::TypeOtherAnswer, "Escriba su respuesta despu\u00e9s de \u00abOtro:\u00bb." },
    { T::OtherAnswers, "Otras" },
    { T::AnswerEveryRow, "Responda a cada fila." },
    { T::AgreeStronglyDisagree, "Totalmente en desacuerdo" },
    { T::AgreeDisagree, "En desacuerdo" },
    { T::AgreeNeither, "Ni de acuerdo ni en desacuerdo" },
    { T::AgreeAgree, "De acuerdo" },
    { T::AgreeStronglyAgree, "Totalmente de acuerdo" },
    { T::SatisfiedVeryDissatisfied, "Muy insatisfecho" },
    { T::SatisfiedDissatisfied, "Insatisfecho" },
    { T::SatisfiedNeither, "Ni satisfecho ni insatisfecho" },
    { T::SatisfiedSatisfied, "Satisfecho" },
    { T::SatisfiedVerySatisfied, "Muy satisfecho" },
    { T::OftenNever, "Nunca" },
    { T::OftenRarely, "Rara vez" },
    { T::OftenSometimes, "A veces" },
    { T::OftenOften, "A menudo" },
    { T::OftenAlways, "Siempre" },
    { T::GivePlaces, "Asigne a cada opci\u00f3n un puesto distinto del 1 al %1." },
    { T::MoveUp, "Subir" },
    { T::MoveDown, "Bajar" },
    { T::MovedToPlace, "%1: puesto %2 de %3" },
};

std::span<const Entry> tableOf(FormLanguage language)
{
    switch (language) {
    case FormLanguage::German:
        return kGerman;
    case FormLanguage::Spanish:
        return kSpanish;
    case FormLanguage::English:
        break;
    }
    return kEnglish;
}

const char* find(std::span<const Entry> table, RespondentText text)
{
    for (const auto& [key, value] : table) {
        if (key == text)
            return value;
    }
    return nullptr;
}

} // namespace

QList<FormLanguage> formLanguages()
{
    return { FormLanguage::English, FormLanguage::German, FormLanguage::Spanish };
}

QString languageTag(FormLanguage language)
{
    switch (language) {
    case FormLanguage::German:
        return QStringLiteral("de");
    case FormLanguage::Spanish:
        return QStringLiteral("es");
    case FormLanguage::English:
        break;
    }
    return QStringLiteral("en");
}

std::optional<FormLanguage> formLanguageFromTag(const QString& tag)
{
    for (const FormLanguage language : formLanguages()) {
        if (tag.compare(languageTag(language), Qt::CaseInsensitive) == 0)
            return language;
    }
    return std::nullopt;
}

FormLanguage formLanguageAsked(QByteArrayView acceptLanguage)
{
    FormLanguage best = FormLanguage::English;
    double bestWeight = 0;
    for (const QByteArray& item : acceptLanguage.toByteArray().split(',')) {
        const QList<QByteArray> parts = item.split(';');
        double weight = 1;
        if (parts.size() > 1) {
            const QByteArray parameter = parts.at(1).trimmed().toLower();
            bool ok = parameter.startsWith("q=");
            if (ok)
                weight = parameter.mid(2).toDouble(&ok);
            if (!ok)
                continue;
        }
        const QByteArray primary = parts.constFirst().trimmed().split('-').constFirst();
        const std::optional<FormLanguage> language = formLanguageFromTag(QString::fromLatin1(primary));
        if (language && weight > bestWeight) {
            best = *language;
            bestWeight = weight;
        }
    }
    return best;
}

bool hasRespondentText(RespondentText text, FormLanguage language)
{
    return find(tableOf(language), text) != nullptr;
}

QString respondentText(RespondentText text, FormLanguage language)
{
    const char* found = find(tableOf(language), text);
    if (!found)
        found = find(kEnglish, text);
    return found ? QString::fromUtf8(found) : QString();
}

} // namespace quenlow
