// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/PageFormat.h"
#include "server/AnswerWriter.h"
#include "server/FormCatalog.h"
#include "server/FormSource.h"
#include "server/HttpExchange.h"
#include "server/RespondentPage.h"
#include "server/ResultsTally.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>

namespace quenlow {

class Deadlines;
class ServiceClock;
class StoreExecutor;
class StoreHealth;
class SubmissionIntake;
struct Refusal;

/// Everything the service answers, as a function of the request: the pages
/// and images of HTML/, the posted forms, and a form's answers table where
/// its designer allows it. Knows nothing of sockets; safe to call from many
/// threads at once. Starts no thread of its own.
/// Threads: the controlling thread constructs and destroys it (after the
/// server that calls it has stopped); the members are set then and only read.
///   thread          calls
///   controlling     constructors, destructor, setAnswerDeadline (before serving)
///   server worker   handle (may wait on the store, up to the lookup wait)
///   server I/O      handleWithoutWaiting (never waits: a post whose form is not
///                   at hand is taken again from the form source's task)
///   store executor  takes a post again once its form was looked up or read again
///   writer          answers a stored post (`respond`), its thank-you page made there
///   clock           answers a post not stored by its deadline
class RequestHandler final
{
public:
    /// `writer` stores the submissions; the health probe and the results'
    /// readings run on `executor` (for the same store) and take their turns,
    /// with the posts' deadlines, on `clock`. All three must outlive the handler.
    /// Publishes the forms of the program folder; answers go to its embedded store.
    RequestHandler(
        const QString& appFolder, AnswerWriter& writer, StoreExecutor& executor, ServiceClock& clock);
    /// Publishes the forms of `forms`; answers go to the store at `storeLocation`.
    RequestHandler(std::unique_ptr<FormSource> forms, const QString& storeLocation, AnswerWriter& writer,
        StoreExecutor& executor, ServiceClock& clock);
    ~RequestHandler();

    /// A post not stored by then (the store does not answer) is answered that
    /// the answers cannot be taken now; lookups of forms wait no longer.
    void setAnswerDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }

    HttpResponse handle(const HttpRequest& request);
    /// Takes a submission without blocking the calling thread: `respond` is
    /// called with the answer once it is stored (on the writer's thread), at
    /// once when it is refused, or by the answer deadline when the store has
    /// not answered. False, with nothing done, for any other request: those
    /// go to handle().
    bool handleWithoutWaiting(const HttpRequest& request, std::function<void(HttpResponse)> respond);

    /// The address the generated pages post to.
    static QByteArray submissionPath() { return pageFormat::postPath(); }

private:
    HttpResponse health();
    HttpResponse publish(const HttpRequest& request);
    HttpResponse receive(const HttpRequest& request);
    /// What the service answers to a post (or a table asked for, when not
    /// `afterPost`) that is refused.
    HttpResponse refusalResponse(const Refusal& refusal, bool afterPost = true);
    /// `token`: of the page sent, which the thank-you page's way back to the form keeps.
    /// A post refused for a full quota: the thank-you style page saying so.
    static HttpResponse quotaFullResponse(const PublishedForm& form);
    static HttpResponse responseTo(const WriteResult& result, const PublishedForm& form,
        const QByteArray& receiptKey, const QString& token, const QString& code = {});
    /// A refused participant's code: the page asking for it again (403).
    static HttpResponse codeRefused(const Refusal& refusal);
    /// The page of a form only invited people answer (`designerPage` as
    /// written) for the code in `query` (with `change`: the page's token
    /// kept); the page asking for the code when there is none or nobody has it.
    HttpResponse invitedPage(
        const QByteArray& designerPage, const PublishedForm& form, const QByteArray& query);
    HttpResponse formsIndex(FormLanguage language);
    /// For a page address under `folder` ("/" or the results') of a form's
    /// former name: the redirect to the same address of its name now.
    std::optional<HttpResponse> formerAddress(const HttpRequest& request, const QByteArray& folder);
    HttpResponse showResults(const HttpRequest& request);
    /// Whether `form` takes answers now (its answer limit once its count is known).
    bool isOpen(const PublishedForm& form);
    /// 409: the form as it is now, with the answers of `kept` filled in.
    /// The form as it is now for a page of it as it was: `token`, the page's
    /// own, goes with it, so the corrected answers take the place of any the
    /// page stored before instead of becoming a second answer.
    HttpResponse changedFormPage(
        const PublishedForm& form, const FormFields& kept, const QString& token, const QString& code = {});
    /// The form's page again with `kept` filled in, `notice` at the top and
    /// each of `questionNotes` beside its question; the page carries `token`
    /// (a fresh one when empty).
    HttpResponse formAgainPage(const PublishedForm& form, const FormFields& kept, const QString& notice,
        const FormFields& questionNotes, const QString& token, int status, const QString& code = {});
    HttpResponse showAnswersTable(const HttpRequest& request);

    struct PendingPost;
    /// Takes a post without waiting on the store: one whose form is not in
    /// memory yet is taken again once the form source has it.
    void takeSubmission(const std::shared_ptr<PendingPost>& pending);
    std::chrono::milliseconds lookupWait() const;

    static constexpr int kMaxTablePagesAtOnce = 4;

    std::unique_ptr<FormSource> m_forms;
    QString m_storeLocation;
    std::atomic<int> m_tablePagesBuilt { 0 };
    AnswerWriter& m_writer;
    SubmissionTokens m_tokens;
    std::chrono::milliseconds m_deadline { 30000 };
    std::unique_ptr<StoreHealth> m_health;
    std::shared_ptr<Deadlines> m_deadlines;
    QByteArray m_receiptKey;
    std::unique_ptr<ResultsTally> m_tally;
    std::unique_ptr<SubmissionIntake> m_intake; // uses the forms, tokens and tally above
};

} // namespace quenlow
