// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/SubmissionIntake.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "model/PageFormat.h"
#include "server/AnswerChecks.h"
#include "server/AnswerPlacement.h"
#include "server/FormSource.h"
#include "server/PageTokens.h"

#include <cstring>

namespace quenlow {

namespace {

bool isUrlEncoded(QByteArrayView contentType)
{
    const qsizetype semicolon = contentType.indexOf(';');
    const QByteArrayView type = (semicolon < 0 ? contentType : contentType.first(semicolon)).trimmed();
    return type.isEmpty() || type.compare("application/x-www-form-urlencoded", Qt::CaseInsensitive) == 0;
}

// Whether a body holds a NUL, as sent or escaped ("%00").
bool mayHoldNul(QByteArrayView body)
{
    const char* p = body.data();
    const char* const end = p + body.size();
    if (body.isEmpty())
        return false;
    if (std::memchr(p, 0, size_t(body.size())))
        return true;
    for (; (p = static_cast<const char*>(std::memchr(p, '%', size_t(end - p)))); ++p) {
        if (end - p >= 3 && p[1] == '0' && p[2] == '0')
            return true;
    }
    return false;
}

Refusal refusal(Refusal::Kind kind, QString detail = {})
{
    Refusal r;
    r.kind = kind;
    r.detail = std::move(detail);
    return r;
}

Refusal refusalFor(Refusal::Kind kind, const PublishedForm& form)
{
    Refusal r = refusal(kind);
    r.form = form;
    return r;
}

} // namespace

SubmissionIntake::SubmissionIntake(
    FormSource& forms, const SubmissionTokens& tokens, std::function<bool(const PublishedForm&)> isOpen)
    : m_forms(forms)
    , m_tokens(tokens)
    , m_isOpen(std::move(isOpen))
{
}

Result<FormFields, Refusal> SubmissionIntake::read(const HttpRequest& post)
{
    FormFields fields;
    if (post.fields) {
        fields = *post.fields;
    } else if (isMultipart(post.contentType) || isUrlEncoded(post.contentType)) {
        Result<FormFields> parsed = isMultipart(post.contentType)
            ? parseMultipart(post.body, post.contentType)
            : parseUrlEncoded(post.body);
        if (!parsed)
            return refusal(Refusal::Unreadable, parsed.error().detail);
        fields = std::move(parsed).value();
    } else {
        return refusal(Refusal::UnsupportedType);
    }
    // A NUL ends the text in most programs that read the answers back, so
    // what was stored would differ from what was typed: refused, not cut.
    // Looked for in the body first: a field can hold one only when the body
    // has one as sent or escaped.
    if (!post.fields && !mayHoldNul(post.body))
        return fields;
    for (const FormField& f : std::as_const(fields)) {
        if (f.name.contains(QChar(0)) || f.value.contains(QChar(0)))
            return refusal(Refusal::HoldsNul);
    }
    return fields;
}

Result<PublishedForm, Refusal> SubmissionIntake::formOfTable(
    const std::optional<QString>& table, IntakeManner manner) const
{
    if (!table || table->isEmpty())
        return refusal(Refusal::NoFormNamed);
    const std::optional<QString> formName = AnswersStore::formOfTable(*table);
    if (!formName)
        return refusal(Refusal::UnknownForm, *table);
    // Never a 404 for a form the store could not be asked about.
    const auto found
        = m_forms.form(*formName, manner.mayWait ? manner.lookupWait : std::chrono::milliseconds(0));
    if (!found) {
        if (!manner.mayWait && found.failedWith(Error::Busy)) {
            Refusal wait = refusal(Refusal::NotYetKnown);
            wait.waitFor = *formName;
            return wait;
        }
        return refusal(Refusal::Unavailable);
    }
    if (*found)
        return **found;
    // A page of the name the form had before a rename: its answers go to the form.
    const auto renamed = m_forms.renamedForm(*formName, std::chrono::milliseconds(0));
    if (!renamed || !*renamed)
        return refusal(Refusal::UnknownForm, *table);
    const auto form
        = m_forms.form(**renamed, manner.mayWait ? manner.lookupWait : std::chrono::milliseconds(0));
    if (!form) {
        if (!manner.mayWait && form.failedWith(Error::Busy)) {
            Refusal wait = refusal(Refusal::NotYetKnown);
            wait.waitFor = **renamed;
            return wait;
        }
        return refusal(Refusal::Unavailable);
    }
    if (!*form)
        return refusal(Refusal::UnknownForm, *table);
    return **form;
}

Result<Accepted, Refusal> SubmissionIntake::take(const HttpRequest& post, IntakeManner manner) const
{
    Result<FormFields, Refusal> fields = read(post);
    if (!fields)
        return std::move(fields).error();
    return take(post, *fields, manner);
}

namespace {

// The quotas the answers fall into, each by its question's field.
QList<SubmissionQuota> quotasOf(const QList<FormQuota>& quotas, const QList<Answer>& answers)
{
    QList<SubmissionQuota> fallen;
    for (const FormQuota& quota : quotas) {
        const QString field = foldAscii(columnNameFor(quota.question));
        for (const Answer& answer : answers) {
            if (answer.value && *answer.value == quota.answer && foldAscii(answer.field) == field) {
                fallen.append({ answer.field, quota.answer, quota.limit });
                break;
            }
        }
    }
    return fallen;
}

} // namespace

Result<Accepted, Refusal> SubmissionIntake::take(
    const HttpRequest& post, const FormFields& fields, IntakeManner manner) const
{
    // Where the answers go is decided here alone: the posted "DBLocation"
    // is never looked at, and only a form's own table can be written.
    const std::optional<QString> table = firstValue(fields, pageFormat::tableNameField());
    Result<PublishedForm, Refusal> found = formOfTable(table, manner);
    if (!found)
        return std::move(found).error();
    PublishedForm form = std::move(found).value();

    // A page of another version than the one this server knows: a server
    // sharing a store may not have seen the designer's latest publication
    // yet, so the store is asked before the answers are placed.
    const QString pageVersion = firstValue(fields, formVersionField()).value_or(QString());
    const bool otherVersion = !pageVersion.isEmpty() && pageVersion != form.version;
    if (otherVersion && !manner.formReadAgain && m_forms.readsAgain()) {
        if (!manner.mayWait) {
            Refusal wait = refusalFor(Refusal::NotYetKnown, form);
            wait.waitFor = form.name;
            wait.wait = Refusal::Wait::ReadAgain;
            return wait;
        }
        if (const auto again = m_forms.formReadAgain(form.name, manner.lookupWait); again && *again)
            form = std::move(**again);
    }
    if (!m_isOpen(form))
        return refusalFor(Refusal::Closed, form);
    // Invited people only: the code posted is what counts, whatever the page
    // showed. One that cannot be a code is refused here; whether a participant
    // has it is told by the store, as it stores the answers.
    QString code;
    if (form.settings.invitedOnly) {
        const QString typed = firstValue(fields, participantCodeField()).value_or(QString());
        code = normalizedCode(typed);
        if (!isParticipantCode(code)) {
            Refusal unknown = refusalFor(Refusal::UnknownCode, form);
            unknown.detail = typed;
            return unknown;
        }
    }

    // A token this service did not issue for this form (forged, from another
    // form, or from before a restart) cannot be trusted to tell repeats: the
    // answers are kept, as from a page without one. A page sent back goes
    // with the token, so that corrected answers replace any stored before.
    const QString pageToken
        = m_tokens.verified(*table, firstValue(fields, submissionTokenField()).value_or(QString()));
    PlacedAnswers placed = placeAnswers(form, fields);
    const auto refuse
        = [&form, &pageToken, &code](Refusal::Kind kind, FormFields kept = {}, FormFields notes = {}) {
              Refusal r = refusalFor(kind, form);
              r.kept = std::move(kept);
              r.notes = std::move(notes);
              r.token = pageToken;
              r.participantCode = code;
              return r;
          };
    switch (placed.verdict) {
    case PlacedAnswers::Verdict::Answers:
        break;
    case PlacedAnswers::Verdict::NoQuestion:
        // Counted from the form: a post naming questions it lacks is no answer to it.
        return refuse(Refusal::NoQuestion);
    case PlacedAnswers::Verdict::NothingAnswered:
        return refuse(Refusal::NothingAnswered);
    case PlacedAnswers::Verdict::FormChanged:
        return refuse(Refusal::FormChanged, placed.kept);
    }
    // A choice answered on a page of another version of the form, that the
    // form no longer offers (an option renamed or removed since): the form as
    // it is now, that answer left to choose again, the others kept.
    if (otherVersion && form.checks) {
        if (const QStringList stale = form.checks->notOffered(placed.answers); !stale.isEmpty()) {
            FormFields kept = placed.kept;
            kept.removeIf([&stale](const FormField& f) { return stale.contains(f.name); });
            return refuse(Refusal::FormChanged, kept);
        }
    }
    // The page's own checks can be left out or got round: the service decides.
    const FormLanguage language = form.settings.language;
    CheckedAnswers checked = form.checks
        ? form.checks->check(placed.answers, language)
        : checkAnswers(form.questions, form.charted, placed.answers, language);
    if (!checked.problems.isEmpty())
        return refuse(Refusal::RuleProblems, placed.kept, checked.problems);

    Submission submission;
    // The form's own table, also for a page of the name it had before a
    // rename; another while that rename is half done.
    submission.table = *table;
    if (!form.storedIn.isEmpty())
        submission.table = form.storedIn;
    else if (AnswersStore::formOfTable(*table) != form.name)
        submission.table = AnswersStore::tableFor(form.name);
    submission.answers = std::move(checked.answers);
    submission.token = pageToken;
    submission.arrivedAt = QDateTime::currentDateTimeUtc();
    submission.abandoned = post.clientGone;
    submission.limit = form.settings.answerLimit;
    submission.quotas = quotasOf(form.settings.quotas, submission.answers);
    submission.participantCode = code;
    submission.anonymous = !code.isEmpty() && form.settings.anonymousAnswers;
    return Accepted { std::move(submission), std::move(form) };
}

} // namespace quenlow
