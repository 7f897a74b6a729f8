// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "server/AnswerWriter.h"
#include "server/FormCatalog.h"
#include "server/FormFields.h"
#include "server/HttpExchange.h"

#include <chrono>
#include <functional>
#include <optional>

namespace quenlow {

class FormSource;
class SubmissionTokens;

/// Why a post is not stored, as a value: what the service answers is made
/// from it in one place (RequestHandler), the words from the form's language.
struct Refusal {
    enum Kind {
        Unreadable, // the body is not well-formed form data; `detail` says why
        HoldsNul, // a name or answer holds a NUL character
        UnsupportedType, // neither urlencoded nor multipart
        NoFormNamed, // the post names no answers table
        UnknownForm, // no form has the table `detail`
        Unavailable, // the store could not tell in time
        NotYetKnown, // the post waits for `waitFor` to be read (taken again then)
        Closed, // the form takes no answers now
        NoQuestion, // the post carries none of the form's questions
        NothingAnswered, // nothing typed, ticked or chosen
        FormChanged, // answers of another form of that name; `kept` to show again
        RuleProblems, // answers the form's rules do not let be stored: `notes` beside them
        QuotaFull, // a quota the answers fall into holds its number of answers
        // A form only invited people answer: the code posted (`detail`, as typed) is
        // none of its participants', or it answered already and answers are anonymous.
        UnknownCode,
        CodeUsed,
    };
    /// What a post that is NotYetKnown waits for.
    enum class Wait { LookUp, ReadAgain };

    Kind kind = Unreadable;
    QString detail {};
    /// The form refused for, once known.
    std::optional<PublishedForm> form {};
    /// The answers that still have a question, to be shown again.
    FormFields kept {};
    /// For RuleProblems: field and what is wrong with its answer.
    FormFields notes {};
    /// The page's own token when it checked, so that corrected answers
    /// replace whatever the page stored before.
    QString token {};
    QString waitFor {};
    Wait wait = Wait::LookUp;
    /// An invited person's code, to go with the page sent again.
    QString participantCode {};
};

/// A post taken: what to store, and the form it answers.
struct Accepted {
    Submission submission;
    PublishedForm form;
};

/// How a post may be taken: a thread that must not wait asks the form
/// source only for what it has at hand.
struct IntakeManner {
    std::chrono::milliseconds lookupWait { 3000 };
    bool mayWait = true;
    /// The store was asked for the form again already: take it as it is.
    bool formReadAgain = false;
};

/// Everything between a post and a stored row or a refusal: the body read,
/// the form found from its table, each answer placed under its question,
/// the form's rules and its answer limit held, and the page's token checked.
/// Knows nothing of responses. Thread-safe.
class SubmissionIntake final
{
public:
    /// `isOpen` tells whether a form takes answers now (its limit and its
    /// closing time); the source and tokens must outlive this.
    SubmissionIntake(
        FormSource& forms, const SubmissionTokens& tokens, std::function<bool(const PublishedForm&)> isOpen);

    /// The fields a post carries, in the order sent.
    static Result<FormFields, Refusal> read(const HttpRequest& post);
    /// The form a table name belongs to.
    Result<PublishedForm, Refusal> formOfTable(
        const std::optional<QString>& table, IntakeManner manner) const;
    /// `post`, whose fields are `fields`, as a submission or a refusal.
    Result<Accepted, Refusal> take(
        const HttpRequest& post, const FormFields& fields, IntakeManner manner) const;
    /// The same, reading the fields first.
    Result<Accepted, Refusal> take(const HttpRequest& post, IntakeManner manner = {}) const;

private:
    FormSource& m_forms;
    const SubmissionTokens& m_tokens;
    std::function<bool(const PublishedForm&)> m_isOpen;
};

} // namespace quenlow
