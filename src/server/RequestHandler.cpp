// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RequestHandler.h"
#include "server/ServedScripts.h"

#include "model/PageFormat.h"

#include "database/AnswersStore.h"
#include "model/AnswerRules.h"
#include "model/HtmlText.h"
#include "server/AnswerPages.h"
#include "server/AnswerWriter.h"
#include "server/ChoiceScript.h"
#include "server/ConditionScript.h"
#include "server/Deadlines.h"
#include "server/PageAsSent.h"
#include "server/PagingScript.h"
#include "server/PublishedFolder.h"
#include "server/RankingScript.h"
#include "server/ResultsPage.h"
#include "server/RoomScript.h"
#include "server/StoreHealth.h"
#include "server/SubmissionIntake.h"

#include "database/Participants.h"
#include "database/Receipts.h"
#include "server/StorePool.h"

#include <QRandomGenerator>
#include <QUrl>
#include <QVariant>

#include <algorithm>

namespace quenlow {

namespace {

// What each typed text field takes, in the form's language, said under its box.
FormFields ruleHintsOf(const PublishedForm& form)
{
    FormFields hints;
    for (const PostedQuestion& q : form.questions) {
        if (q.kind != ElementKind::TextField)
            continue;
        const QString hint = ruleHint(q.settings.rules, form.settings.language);
        if (!hint.isEmpty())
            hints.append({ q.field, hint });
    }
    return hints;
}

// What is said beside each typed text field's answer when it is refused, in the form's language.
FormFields refusalNotesOf(const PublishedForm& form)
{
    FormFields notes;
    for (const PostedQuestion& q : form.questions) {
        if (q.kind != ElementKind::TextField)
            continue;
        const QString note = refusedAnswerNote(q.settings.rules, form.settings.language);
        if (!note.isEmpty())
            notes.append({ q.field, note });
    }
    return notes;
}

// What a form whose answers are anonymous says above its questions.
QString anonymityStatement(const PublishedForm& form)
{
    return form.settings.invitedOnly && form.settings.anonymousAnswers
        ? respondentText(RespondentText::AnswersAnonymous, form.settings.language)
        : QString();
}

HttpResponse htmlResponse(QByteArray body)
{
    HttpResponse response;
    response.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    response.body = std::move(body);
    return response;
}

QString said(RespondentText text, FormLanguage language = FormLanguage::English)
{
    return respondentText(text, language);
}

// Whether the question answered in `field` takes an answer typed after "Other:".
bool takesTypedAnswer(const PublishedForm& form, const QString& field)
{
    for (const PostedQuestion& q : form.questions) {
        if (q.field == field)
            return takesOtherAnswer(q);
    }
    return false;
}

// `text`, and that nothing was stored when the request was a post.
QString saidOfPost(const QString& text, bool afterPost, FormLanguage language = FormLanguage::English)
{
    return afterPost ? text + u' ' + said(RespondentText::NothingStored, language) : text;
}

// The service's own pages that name no form speak the browser's language.
FormLanguage askedLanguage(const HttpRequest& request)
{
    return formLanguageAsked(request.acceptLanguage);
}

HttpResponse notFound(const HttpRequest& request)
{
    const FormLanguage language = askedLanguage(request);
    return errorResponse(404, said(RespondentText::NotFoundTitle, language),
        said(RespondentText::NotFound, language), language);
}

// The store cannot be reached now: trying again later loses nothing.
HttpResponse unavailable(bool submission, FormLanguage language = FormLanguage::English)
{
    HttpResponse response = errorResponse(503, said(RespondentText::NotAvailableTitle, language),
        saidOfPost(said(RespondentText::NotAvailable, language), submission, language), language);
    response.headers.append({ QByteArrayLiteral("Retry-After"), QByteArrayLiteral("30") });
    return response;
}

// The form's address as the browser reached the service, for a projector
// to show the room; none when that is this computer's own (a phone could
// not open it) or the Host header is not a plain host name and port.
QString joiningAddress(const HttpRequest& request, const QString& formName)
{
    const QByteArray& host = request.host;
    const bool plain
        = !host.isEmpty() && host.size() <= 255 && std::all_of(host.cbegin(), host.cend(), [](char c) {
              return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'
                  || c == '-' || c == ':' || c == '[' || c == ']';
          });
    const QByteArray name = host.toLower();
    if (!plain || name.startsWith("127.") || name == "localhost" || name.startsWith("localhost:")
        || name.startsWith("[::1]"))
        return {};
    return QString::fromLatin1(request.secure ? "https://" : "http://") + QString::fromLatin1(host)
        + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(formName)) + QStringLiteral(".html");
}

HttpResponse methodNotAllowed(const HttpRequest& request, const QByteArray& allowed)
{
    const FormLanguage language = askedLanguage(request);
    HttpResponse response = errorResponse(405, said(RespondentText::MethodNotAllowedTitle, language),
        said(RespondentText::MethodNotAllowed, language), language);
    response.headers.append({ QByteArrayLiteral("Allow"), allowed });
    return response;
}

// The part of `fileName` that names a form, as a page's name does: before its first ".".
QString formPartOf(QByteArrayView fileName)
{
    const qsizetype dot = fileName.indexOf('.');
    return QString::fromUtf8(fileName.first(dot < 0 ? fileName.size() : dot));
}

// 308: an address of a form's former name leads to the same address of its
// name now, the query kept (a post sent there is sent there again as it was).
HttpResponse movedTo(
    const QByteArray& folder, const QString& formName, QByteArrayView fileName, const QByteArray& query)
{
    const qsizetype dot = fileName.indexOf('.');
    const QString rest = dot < 0 ? QString() : QString::fromUtf8(fileName.sliced(dot));
    QByteArray location = folder + QUrl::toPercentEncoding(formName) + QUrl::toPercentEncoding(rest, ".");
    if (!query.isEmpty())
        location += '?' + query;
    HttpResponse response;
    response.status = 308;
    response.contentType = QByteArrayLiteral("text/plain; charset=utf-8");
    response.headers.append({ QByteArrayLiteral("Location"), location });
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache") });
    return response;
}

} // namespace

RequestHandler::RequestHandler(
    const QString& appFolder, AnswerWriter& writer, StoreExecutor& executor, ServiceClock& clock)
    : RequestHandler(formsInFolder(appFolder), answersStoreIn(appFolder), writer, executor, clock)
{
}

// A post being taken: answered once, by the writer or by its deadline.
struct RequestHandler::PendingPost {
    HttpRequest request;
    std::function<void(HttpResponse)> respond;
    std::atomic<bool> answered { false };
    std::weak_ptr<Deadlines> deadlines;
    Deadlines::Key deadline;
    bool formReadAgain = false;

    void answer(HttpResponse response)
    {
        if (answered.exchange(true))
            return;
        if (const auto d = deadlines.lock())
            d->cancel(deadline);
        std::function<void(HttpResponse)> call = std::move(respond);
        call(std::move(response));
    }
};

RequestHandler::RequestHandler(std::unique_ptr<FormSource> forms, const QString& storeLocation,
    AnswerWriter& writer, StoreExecutor& executor, ServiceClock& clock)
    : m_forms(std::move(forms))
    , m_storeLocation(storeLocation)
    , m_writer(writer)
    , m_tokens(m_forms->tokenKey())
    , m_health(std::make_unique<StoreHealth>(executor, clock))
    , m_deadlines(std::make_shared<Deadlines>(clock))
    , m_receiptKey(m_forms->tokenKey())
    , m_tally(std::make_unique<ResultsTally>(executor, clock))
    , m_intake(std::make_unique<SubmissionIntake>(
          *m_forms, m_tokens, [this](const PublishedForm& form) { return isOpen(form); }))
{
    // Without the store's key nobody else could tell a receipt: one of our own still lets the person quote
    // it.
    if (m_receiptKey.isEmpty())
        m_receiptKey = QByteArray::number(QRandomGenerator::system()->generate64(), 36);
    m_writer.setCommitted(
        [tally = m_tally.get()](const Submission& s, const WriteResult& r) { tally->committed(s, r); });
}

RequestHandler::~RequestHandler()
{
    m_writer.setCommitted({});
    // First: the source's thread may be taking a post again through this handler.
    m_forms.reset();
}

std::chrono::milliseconds RequestHandler::lookupWait() const
{
    // A worker waits for a form no longer than this, so a store that stopped
    // answering cannot take every worker for long.
    return std::min(m_deadline, std::chrono::milliseconds(3000));
}

HttpResponse RequestHandler::handle(const HttpRequest& request)
{
    const bool get = request.method == "GET" || request.method == "HEAD";
    if (request.path == submissionPath())
        return request.method == "POST" ? receive(request)
                                        : methodNotAllowed(request, QByteArrayLiteral("POST"));
    if (request.path == answersTablePath())
        return get ? showAnswersTable(request) : methodNotAllowed(request, QByteArrayLiteral("GET, HEAD"));
    if (request.path == "/healthz")
        return get ? health() : methodNotAllowed(request, QByteArrayLiteral("GET, HEAD"));
    if (get && request.path == "/")
        return formsIndex(askedLanguage(request));
    if (get && request.path.startsWith(resultsPathPrefix()))
        return showResults(request);
    if (get) {
        if (std::optional<QByteArray> script = servedScript(request.path)) {
            HttpResponse response;
            response.contentType = QByteArrayLiteral("text/javascript; charset=utf-8");
            response.body = std::move(*script);
            response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache") });
            return response;
        }
    }
    if (get && request.path == "/favicon.ico") {
        // Every browser asks; without an icon of the designer's, nothing (and no error in its console).
        HttpResponse icon = publish(request);
        if (icon.status == 404) {
            icon = HttpResponse();
            icon.status = 204;
            icon.contentType.clear();
        }
        return icon;
    }
    if (get)
        return publish(request);
    if (request.method == "POST")
        return notFound(request);
    return methodNotAllowed(request, QByteArrayLiteral("GET, HEAD"));
}

HttpResponse RequestHandler::publish(const HttpRequest& request)
{
    Result<std::optional<FormSource::File>> found = m_forms->file(request.path, lookupWait());
    if (!found)
        return unavailable(false, askedLanguage(request));
    std::optional<FormSource::File> file = std::move(found).value();
    if (!file)
        return formerAddress(request, "/").value_or(notFound(request));
    HttpResponse response;
    response.contentType = file->contentType;
    response.body = std::move(file->bytes);
    if (file->isPage) {
        // Each copy of a form's page sent carries its own token.
        if (file->pageOfForm) {
            const auto form = m_forms->form(*file->pageOfForm, lookupWait());
            if (form && *form && !isOpen(**form)) {
                response.body = closedFormPage(**form);
                response.contentType = QByteArrayLiteral("text/html; charset=utf-8");
            } else if (form && *form && (*form)->settings.invitedOnly) {
                return invitedPage(response.body, **form, request.query);
            } else {
                const FormLanguage language
                    = form && *form ? (*form)->settings.language : FormLanguage::English;
                // Opened again from the thank-you page to change the answers
                // sent: the page's own token, so that sending again replaces them.
                const QString table = AnswersStore::tableFor(*file->pageOfForm);
                const QString kept = request.query.startsWith("change=")
                    ? m_tokens.verified(table, QString::fromLatin1(request.query.sliced(7)))
                    : QString();
                response.body = pageAsSent({ .designerPage = response.body,
                    .formName = *file->pageOfForm,
                    .token = kept.isEmpty() ? m_tokens.issue(table) : kept,
                    .language = language,
                    .version = form && *form ? (*form)->version : QString(),
                    .ruleHints = form && *form ? ruleHintsOf(**form) : FormFields(),
                    .refusalNotes = form && *form ? refusalNotesOf(**form) : FormFields(),
                    .questions = form && *form ? questionsAsAsked((*form)->questions) : QuestionsAsAsked() });
            }
        }
        // The designer rewrites pages while the service runs; never show a
        // stale one. Not no-store: going Back must show the page with the
        // token already sent, so sending it again is known as a repeat.
        response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache") });
    }
    return response;
}

HttpResponse RequestHandler::invitedPage(
    const QByteArray& designerPage, const PublishedForm& form, const QByteArray& query)
{
    const FormFields asked = parseUrlEncoded(query).valueOr({});
    const QString typed = firstValue(asked, QStringLiteral("code")).value_or(QString());
    const QString code = normalizedCode(typed);
    const QString table = AnswersStore::tableFor(form.name);
    const auto page = [&form](RespondentText said, int status) {
        HttpResponse response = htmlResponse(codePage(form, said));
        response.status = status;
        response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store") });
        return response;
    };
    if (typed.trimmed().isEmpty())
        return page(RespondentText::TypeYourCode, 200);
    // Said before anything is typed in vain; the post is checked again as it is stored.
    Result<CodeState> known = CodeState::Unknown;
    if (isParticipantCode(code)) {
        const auto store = StorePool::shared(m_storeLocation)->borrow();
        if (!store)
            return unavailable(false, form.settings.language);
        known = participantCodeState(**store, table, code);
    }
    if (!known)
        return unavailable(false, form.settings.language);
    if (*known == CodeState::Unknown)
        return page(RespondentText::CodeNotKnown, 403);
    // Anonymous answers sent cannot be changed: none would be taken.
    if (*known == CodeState::Answered && form.settings.anonymousAnswers)
        return page(RespondentText::CodeAlreadyUsed, 403);
    // Opened again from the thank-you page to change the answers sent.
    const QString kept
        = m_tokens.verified(table, firstValue(asked, QStringLiteral("change")).value_or(QString()));
    HttpResponse response = htmlResponse(pageAsSent({ .designerPage = designerPage,
        .formName = form.name,
        .token = kept.isEmpty() ? m_tokens.issue(table) : kept,
        .language = form.settings.language,
        .version = form.version,
        .ruleHints = ruleHintsOf(form),
        .refusalNotes = refusalNotesOf(form),
        .questions = questionsAsAsked(form.questions),
        .participantCode = code,
        .statement = anonymityStatement(form) }));
    // Personal: kept by no cache on the way.
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store") });
    return response;
}

std::optional<HttpResponse> RequestHandler::formerAddress(
    const HttpRequest& request, const QByteArray& folder)
{
    if (!request.path.startsWith(folder))
        return std::nullopt;
    const QByteArrayView fileName = QByteArrayView(request.path).sliced(folder.size());
    // Only a page's addresses, and any of the results': an image of that name is no form's.
    const std::optional<QString> name = strictUtf8(fileName);
    const std::optional<PublishedFolder::FileKind> kind
        = name ? PublishedFolder::kindOf(*name) : std::nullopt;
    if (!name || (folder == "/" && (!kind || !kind->isPage)))
        return std::nullopt;
    const Result<std::optional<QString>> renamed = m_forms->renamedForm(formPartOf(fileName), lookupWait());
    if (!renamed)
        return unavailable(false);
    if (!*renamed)
        return std::nullopt;
    return movedTo(folder, **renamed, fileName, request.query);
}

HttpResponse RequestHandler::receive(const HttpRequest& request)
{
    Result<Accepted, Refusal> taken = m_intake->take(request, { lookupWait(), true, false });
    if (!taken)
        return refusalResponse(taken.error());
    Accepted accepted = std::move(taken).value();
    // Anonymous answers cannot be changed: nothing tells which row was theirs.
    const QString token = accepted.submission.anonymous ? QString() : accepted.submission.token;
    const QString code = accepted.submission.participantCode;
    return responseTo(
        m_writer.write(std::move(accepted.submission)), accepted.form, m_receiptKey, token, code);
}

bool RequestHandler::handleWithoutWaiting(
    const HttpRequest& request, std::function<void(HttpResponse)> respond)
{
    if (request.path != submissionPath() || request.method != "POST")
        return false;
    auto pending = std::make_shared<PendingPost>();
    pending->request = request;
    pending->respond = std::move(respond);
    pending->deadlines = m_deadlines;
    // Until then the deadline holds the post; whoever else waits for it does not.
    pending->deadline = m_deadlines->add(m_deadline, [pending] { pending->answer(unavailable(true)); });
    takeSubmission(pending);
    return true;
}

void RequestHandler::takeSubmission(const std::shared_ptr<PendingPost>& pending)
{
    if (pending->answered)
        return;
    // Read once: a post waiting for its form is taken again from its fields.
    if (!pending->request.fields) {
        Result<FormFields, Refusal> fields = SubmissionIntake::read(pending->request);
        if (!fields) {
            pending->answer(refusalResponse(fields.error()));
            return;
        }
        pending->request.fields = std::move(fields).value();
        pending->request.body.clear();
    }
    const IntakeManner manner { lookupWait(), false, pending->formReadAgain };
    Result<Accepted, Refusal> taken = m_intake->take(pending->request, *pending->request.fields, manner);
    if (taken.failedWith(Refusal::NotYetKnown)) {
        const Refusal& waiting = taken.error();
        const auto again = [this, post = std::weak_ptr(pending)] {
            if (const auto p = post.lock())
                takeSubmission(p);
        };
        bool queued = false;
        if (waiting.wait == Refusal::Wait::ReadAgain) {
            pending->formReadAgain = true;
            queued = m_forms->whenReadAgain(waiting.waitFor, again);
            if (!queued) {
                // Too many wait already: placed on the form as this server has it.
                takeSubmission(pending);
                return;
            }
        } else {
            queued = m_forms->whenLookedUp(waiting.waitFor, again);
        }
        if (!queued)
            pending->answer(unavailable(true));
        return;
    }
    if (!taken) {
        pending->answer(refusalResponse(taken.error()));
        return;
    }
    Accepted accepted = std::move(taken).value();
    // Answered by its deadline already: not stored, as for a person gone.
    accepted.submission.abandoned = [gone = std::move(accepted.submission.abandoned), pending] {
        return pending->answered || (gone && gone());
    };
    QString token = accepted.submission.anonymous ? QString() : accepted.submission.token;
    QString code = accepted.submission.participantCode;
    m_writer.writeAsync(std::move(accepted.submission),
        [form = std::move(accepted.form), pending, key = m_receiptKey, token = std::move(token),
            code = std::move(code)](
            const WriteResult& result) { pending->answer(responseTo(result, form, key, token, code)); });
}

HttpResponse RequestHandler::refusalResponse(const Refusal& refusal, bool afterPost)
{
    const FormLanguage language = refusal.form ? refusal.form->settings.language : FormLanguage::English;
    const auto refused = [&](int status, RespondentText title, const QString& text) {
        return errorResponse(status, said(title, language), saidOfPost(text, afterPost, language), language);
    };
    switch (refusal.kind) {
    case Refusal::Unreadable:
        return refused(400, RespondentText::BadRequestTitle,
            said(RespondentText::AnswersUnreadable, language).arg(refusal.detail));
    case Refusal::HoldsNul:
        return refused(400, RespondentText::BadRequestTitle, said(RespondentText::AnswersHoldNul, language));
    case Refusal::UnsupportedType:
        return refused(
            415, RespondentText::UnsupportedDataTitle, said(RespondentText::UnsupportedData, language));
    case Refusal::NoFormNamed:
        return refused(400, RespondentText::BadRequestTitle, said(RespondentText::NoFormNamed, language));
    case Refusal::UnknownForm:
        return refused(404, RespondentText::NoSuchFormTitle,
            said(RespondentText::NoSuchForm, language).arg(refusal.detail));
    case Refusal::Unavailable:
    case Refusal::NotYetKnown:
        return unavailable(afterPost, language);
    case Refusal::Closed: {
        HttpResponse closed = htmlResponse(closedFormPage(*refusal.form));
        closed.status = 403;
        return closed;
    }
    case Refusal::NoQuestion:
        return refused(400, RespondentText::NoAnswersTitle,
            said(RespondentText::NoAnswers, language).arg(refusal.form->name));
    case Refusal::NothingAnswered:
        return errorResponse(400, said(RespondentText::NothingAnsweredTitle, language),
            said(RespondentText::NothingAnswered, language).arg(refusal.form->title), language);
    case Refusal::FormChanged:
        return changedFormPage(*refusal.form, refusal.kept, refusal.token, refusal.participantCode);
    case Refusal::RuleProblems:
        return formAgainPage(*refusal.form, refusal.kept,
            said(RespondentText::AnswersRefusedNotice, language), refusal.notes, refusal.token, 422,
            refusal.participantCode);
    case Refusal::QuotaFull:
        return quotaFullResponse(*refusal.form);
    case Refusal::UnknownCode:
    case Refusal::CodeUsed:
        return codeRefused(refusal);
    }
    return unavailable(afterPost, language);
}

HttpResponse RequestHandler::quotaFullResponse(const PublishedForm& form)
{
    HttpResponse enough = htmlResponse(quotaFullPage(form));
    enough.status = 403;
    return enough;
}

HttpResponse RequestHandler::codeRefused(const Refusal& refusal)
{
    // Nothing was stored; the box again, so that a mistyped code is mended at once.
    HttpResponse refused = htmlResponse(codePage(*refusal.form,
        refusal.kind == Refusal::CodeUsed ? RespondentText::CodeAlreadyUsed : RespondentText::CodeNotKnown));
    refused.status = 403;
    refused.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store") });
    return refused;
}

HttpResponse RequestHandler::changedFormPage(
    const PublishedForm& form, const FormFields& kept, const QString& token, const QString& code)
{
    // The form as it is now, with every answer that still has a question, so
    // that nothing typed is lost and nothing is stored under a wrong name.
    return formAgainPage(form, kept,
        respondentText(RespondentText::FormChangedNotice, form.settings.language), {}, token, 409, code);
}

HttpResponse RequestHandler::formAgainPage(const PublishedForm& form, const FormFields& kept,
    const QString& notice, const FormFields& questionNotes, const QString& token, int status,
    const QString& code)
{
    // The form was just found, so its page is at hand: never a wait here.
    const Result<std::optional<FormSource::File>> found
        = m_forms->file(QByteArray("/" + form.name.toUtf8() + ".html"), std::chrono::milliseconds(0));
    const std::optional<FormSource::File> file = found ? *found : std::nullopt;
    if (!file || !file->isPage) {
        return errorResponse(409, respondentText(RespondentText::FormChangedTitle, form.settings.language),
            respondentText(RespondentText::FormChangedPage, form.settings.language), form.settings.language);
    }
    const QString pageToken = token.isEmpty() ? m_tokens.issue(AnswersStore::tableFor(form.name)) : token;
    // Sent from the post's address: the page's images are named from where
    // the page itself lives.
    HttpResponse response = htmlResponse(pageAsSent({ .designerPage = file->bytes,
        .formName = form.name,
        .token = pageToken,
        .language = form.settings.language,
        .version = form.version,
        .answers = kept,
        .notice = notice,
        .questionNotes = questionNotes,
        .ruleHints = ruleHintsOf(form),
        .refusalNotes = refusalNotesOf(form),
        .fromPostAddress = true,
        .questions = questionsAsAsked(form.questions),
        .participantCode = code,
        .statement = code.isEmpty() ? QString() : anonymityStatement(form) }));
    response.status = status;
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store") });
    return response;
}

HttpResponse RequestHandler::responseTo(const WriteResult& result, const PublishedForm& form,
    const QByteArray& receiptKey, const QString& token, const QString& code)
{
    if (result) {
        const QString receipt
            = result->rowId >= 0 ? receiptFor(receiptKey, result->rowId, result->arrivedAt) : QString();
        switch (result->outcome) {
        case StoredSubmission::Full: {
            // Filled up by answers that came at the same moment.
            HttpResponse closed = htmlResponse(closedFormPage(form));
            closed.status = 403;
            return closed;
        }
        case StoredSubmission::QuotaFull:
            // The store counted the quota: a refusal like the intake's.
            return quotaFullResponse(form);
        case StoredSubmission::OtherForm:
            // The page is of an earlier form of that name: its row is not this form's to change.
            return errorResponse(409,
                respondentText(RespondentText::FormChangedTitle, form.settings.language),
                respondentText(RespondentText::FormChangedPage, form.settings.language),
                form.settings.language);
        case StoredSubmission::UnknownCode:
        case StoredSubmission::CodeUsed: {
            Refusal refusal;
            refusal.kind
                = result->outcome == StoredSubmission::CodeUsed ? Refusal::CodeUsed : Refusal::UnknownCode;
            refusal.form = form;
            return codeRefused(refusal);
        }
        case StoredSubmission::Stored:
        case StoredSubmission::Repeated: // the same answers sent again: stored once, thanked again
            return htmlResponse(thankYouPage(form, false, receipt, token, code));
        case StoredSubmission::Replaced: // the same page (or code) sent again with other answers: the latest
                                         // win
            return htmlResponse(thankYouPage(form, true, receipt, token, code));
        }
    }
    if (result.failedWith(Error::Cancelled))
        return errorResponse(503,
            respondentText(RespondentText::AnswersNotStoredTitle, form.settings.language),
            respondentText(RespondentText::ConnectionClosed, form.settings.language), form.settings.language);
    if (result.failedWith(Error::NotFound))
        return errorResponse(404, said(RespondentText::NoSuchFormTitle, form.settings.language),
            saidOfPost(said(RespondentText::FormHasNoTable, form.settings.language).arg(form.name), true,
                form.settings.language),
            form.settings.language);
    HttpResponse failed
        = errorResponse(503, respondentText(RespondentText::AnswersNotStoredTitle, form.settings.language),
            respondentText(RespondentText::NotStoredNow, form.settings.language), form.settings.language);
    failed.headers.append({ QByteArrayLiteral("Retry-After"), QByteArrayLiteral("5") });
    return failed;
}

HttpResponse RequestHandler::health()
{
    // For a load balancer or a service monitor: can answers be stored now? A
    // committed write tells, made on the probe's own thread; a store that
    // does not answer in time cannot store either.
    const Result<void> writable = m_health->check(lookupWait());
    HttpResponse response;
    response.status = writable ? 200 : 503;
    response.contentType = QByteArrayLiteral("text/plain; charset=utf-8");
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store") });
    response.body = writable ? QByteArrayLiteral("ok\n") : QByteArrayLiteral("answers cannot be stored\n");
    return response;
}

HttpResponse RequestHandler::showAnswersTable(const HttpRequest& request)
{
    const Result<FormFields> query = parseUrlEncoded(request.query);
    const std::optional<QString> tableName
        = query ? firstValue(*query, pageFormat::tableNameField()) : std::nullopt;
    const Result<PublishedForm, Refusal> form
        = m_intake->formOfTable(tableName, { lookupWait(), true, false });
    if (!form)
        return refusalResponse(form.error(), false);
    // The designer's tick in the stored header decides, whatever a page posted.
    if (!form->showsAnswersTable) {
        return errorResponse(403, said(RespondentText::AnswersNotShownTitle, form->settings.language),
            said(RespondentText::AnswersNotShown, form->settings.language), form->settings.language);
    }

    // Each page being written holds a worker and a database reader; a crowd
    // asking at once waits its turn outside, not in memory here.
    auto slot = std::shared_ptr<std::atomic<int>>(&m_tablePagesBuilt, [](std::atomic<int>* n) { --*n; });
    if (++m_tablePagesBuilt > kMaxTablePagesAtOnce) {
        HttpResponse busy = errorResponse(503, said(RespondentText::BusyTitle, form->settings.language),
            said(RespondentText::TableBusy, form->settings.language), form->settings.language);
        busy.headers.append({ QByteArrayLiteral("Retry-After"), QByteArrayLiteral("2") });
        return busy;
    }
    const auto store = StorePool::shared(m_storeLocation)->borrow();
    QList<TableColumn> columns;
    QStringList names;
    if (store) {
        const auto found = (*store)->columns(*tableName);
        for (const AnswersStore::Column& c : found.valueOr({})) {
            columns.append({ c.name, c.isMemo() });
            names.append(c.name);
        }
    }
    if (columns.isEmpty()) {
        return errorResponse(404, said(RespondentText::NoAnswersTableTitle, form->settings.language),
            said(RespondentText::NoAnswersTable, form->settings.language).arg(form->name),
            form->settings.language);
    }
    HttpResponse page = htmlResponse({});
    page.stream
        = [slot, db = *store, form = *form, table = *tableName, columns, names](const ChunkSink& sink) {
              const RowSource rows = [&](const std::function<bool(const QVariantList&)>& visitor) {
                  // Read in pages, so a large table never sits in memory whole.
                  for (qint64 after = -1;;) {
                      const auto read = db->readRows(table, names, after, 500);
                      if (!read)
                          return false;
                      for (const AnswersStore::Row& row : *read) {
                          if (!visitor(row.values))
                              return true;
                      }
                      if (read->size() < 500)
                          return true;
                      after = read->last().id;
                  }
              };
              return writeAnswersTablePage(form, table, columns, rows, sink);
          };
    return page;
}

bool RequestHandler::isOpen(const PublishedForm& form)
{
    const FormSettings& settings = form.settings;
    std::optional<qint64> stored;
    if (settings.answerLimit) {
        // The store keeps the limit exactly; this spares a post to a form
        // that is full, and is read again while the form looks full.
        const QString table = AnswersStore::tableFor(form.name);
        stored = m_tally->totalIfKnown(table);
        if (stored && *stored >= *settings.answerLimit)
            stored = m_tally->totalIfKnown(table, true);
    }
    // The clock is read only for a form that closes: reading it costs more than the rest.
    return settings.isOpen(
        settings.closingTime.isValid() ? QDateTime::currentDateTimeUtc() : QDateTime(), stored);
}

HttpResponse RequestHandler::formsIndex(FormLanguage language)
{
    // The one address a room needs: every form that takes answers now.
    QList<PublishedForm> open;
    for (const QString& name : m_forms->formNames()) {
        const auto form = m_forms->form(name, lookupWait());
        if (form && *form && isOpen(**form))
            open.append(**form);
    }
    std::sort(open.begin(), open.end(), [](const PublishedForm& a, const PublishedForm& b) {
        return a.title.compare(b.title, Qt::CaseInsensitive) < 0;
    });
    HttpResponse response = htmlResponse(openFormsPage(open, language));
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache") });
    return response;
}

HttpResponse RequestHandler::showResults(const HttpRequest& request)
{
    const QByteArray file = request.path.mid(resultsPathPrefix().size());
    if (!file.endsWith(".html"))
        return formerAddress(request, resultsPathPrefix()).value_or(notFound(request));
    const QString name = QString::fromUtf8(file.chopped(5));
    const auto found = m_forms->form(name, lookupWait());
    if (!found)
        return unavailable(false, askedLanguage(request));
    if (!*found)
        return formerAddress(request, resultsPathPrefix()).value_or(notFound(request));
    const PublishedForm& form = **found;
    if (!form.settings.showResults) {
        return errorResponse(403, said(RespondentText::ResultsNotShownTitle, form.settings.language),
            said(RespondentText::ResultsNotShown, form.settings.language), form.settings.language);
    }
    QStringList fields;
    QList<QStringList> options;
    QList<bool> typed; // answers typed after "Other:" are charted too
    for (const ChartedQuestion& q : form.charted) {
        fields.append(q.field);
        options.append(q.options);
        typed.append(takesTypedAnswer(form, q.field));
    }
    // Counted once, on first asking; then kept up to date as answers are stored.
    const std::optional<ResultsTally::Counts> counts = m_tally->counts(AnswersStore::tableFor(form.name),
        fields, options, std::max(m_deadline, lookupWait()), typed,
        said(RespondentText::OtherAnswers, form.settings.language));
    if (!counts)
        return unavailable(false, form.settings.language);
    bool present = false;
    ProjectorView view;
    for (const QByteArray& pair : request.query.split('&')) {
        if (pair == "present")
            present = true;
        else if (pair.startsWith("page="))
            view.page = pair.sliced(5).toInt();
    }
    if (present)
        view.formAddress = joiningAddress(request, form.name);
    HttpResponse response
        = htmlResponse(present ? projectorPage(form, *counts, view) : resultsPage(form, *counts));
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store") });
    return response;
}

} // namespace quenlow
