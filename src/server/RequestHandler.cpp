// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RequestHandler.h"

#include "model/ElementKind.h"
#include "model/PageFormat.h"

#include "database/AnswersStore.h"
#include "model/HtmlText.h"
#include "server/AnswerChecks.h"
#include "server/AnswerPages.h"
#include "server/AnswerPlacement.h"
#include "server/AnswerWriter.h"
#include "server/ConditionScript.h"
#include "server/Deadlines.h"
#include "server/PageAsSent.h"
#include "server/ResultsPage.h"
#include "server/RoomScript.h"
#include "server/StoreHealth.h"

#include "database/Receipts.h"
#include "server/StorePool.h"

#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QVariant>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace quenlow {

namespace {

const QString kTypeSuffix = pageFormat::kindSuffix();

// The values of the hidden "<name> Type" fields the page writer puts beside each question.
bool isQuestionKindValue(const QString& value)
{
    return questionKindOfPageType(value).has_value();
}

bool isUrlEncoded(const QByteArray& contentType)
{
    const qsizetype semicolon = contentType.indexOf(';');
    const QByteArray type = (semicolon < 0 ? contentType : contentType.left(semicolon)).trimmed().toLower();
    return type.isEmpty() || type == "application/x-www-form-urlencoded";
}

HttpResponse htmlResponse(QByteArray body)
{
    HttpResponse response;
    response.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    response.body = std::move(body);
    return response;
}

HttpResponse notFound()
{
    return errorResponse(404, QStringLiteral("Not found"),
        QStringLiteral("There is no such page here. Form pages are opened by their name, "
                       "for example /survey.html."));
}

// The store cannot be reached now: trying again later loses nothing.
HttpResponse unavailable(bool submission)
{
    HttpResponse response = errorResponse(503, QStringLiteral("Not available right now"),
        QStringLiteral(
            "The answers to this form cannot be taken right now. Please try again in a few minutes.")
            + (submission ? QStringLiteral(" Nothing has been stored.") : QString()));
    response.headers.append({ QByteArrayLiteral("Retry-After"), QByteArrayLiteral("30") });
    return response;
}

// Set while a post is taken on the I/O thread: lookups of forms must not
// wait there, and the one that could not be made without waiting is noted.
struct NotWaiting {
    NotWaiting();
    ~NotWaiting();
    NotWaiting* previous;
    std::optional<QString> formToLookUp;
    std::optional<QString> formToReadAgain; // a page of another version came: the store is asked first
    bool readAgain = false; // and it was
};
thread_local NotWaiting* t_notWaiting = nullptr;
NotWaiting::NotWaiting()
    : previous(t_notWaiting)
{
    t_notWaiting = this;
}
NotWaiting::~NotWaiting()
{
    t_notWaiting = previous;
}

HttpResponse methodNotAllowed(const QByteArray& allowed)
{
    HttpResponse response = errorResponse(405, QStringLiteral("Method not allowed"),
        QStringLiteral("This address does not take that kind of request."));
    response.headers.append({ QByteArrayLiteral("Allow"), allowed });
    return response;
}

} // namespace

Submission submissionFrom(const QString& table, const FormFields& fields)
{
    // The page announces each question with its kind marker "<name> Type"
    // directly before the question's own field; the form's hidden fields
    // (tableName, DBLocation, ...) all come before the first marker. So a
    // question's answer is the field of its name after its marker: never a
    // hidden field or another question's marker that shares the name.
    Submission submission;
    submission.table = table;
    QSet<QString> announced;
    QList<std::optional<ElementKind>> kinds;
    bool answered = false; // the current (last announced) question has its value
    const auto markedQuestion = [&announced](const FormField& f) -> std::optional<QString> {
        if (f.name.size() <= kTypeSuffix.size() || !f.name.endsWith(kTypeSuffix)
            || !isQuestionKindValue(f.value))
            return std::nullopt;
        QString question = f.name.chopped(kTypeSuffix.size());
        if (announced.contains(question))
            return std::nullopt;
        return question;
    };
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const FormField& f = fields.at(i);
        const std::optional<QString> marked = markedQuestion(f);
        const bool current
            = !submission.answers.isEmpty() && !answered && f.name == submission.answers.last().field;
        if (current) {
            // Both the current question's value and the next one's marker (the
            // question "Size Type" followed by "Size"): a box posts "on", never
            // a kind, and otherwise the field that follows tells.
            const bool isMarker = marked
                && (kinds.last() == ElementKind::CheckBox
                    || (i + 1 < fields.size() && fields.at(i + 1).name == *marked));
            if (!isMarker) {
                submission.answers.last().value = f.value;
                answered = true;
                continue;
            }
        }
        if (marked) {
            announced.insert(*marked);
            submission.answers.append({ *marked, std::nullopt });
            kinds.append(questionKindOfPageType(f.value));
            answered = false;
        }
    }
    for (qsizetype i = 0; i < submission.answers.size(); ++i) {
        // An unticked box is not posted at all; the reporter counts both texts.
        if (kinds.at(i) == ElementKind::CheckBox) {
            Answer& box = submission.answers[i];
            box.value = box.value ? QStringLiteral("Checked") : QStringLiteral("Not Checked");
        }
    }
    return submission;
}

RequestHandler::RequestHandler(const QString& appFolder, AnswerWriter& writer)
    : RequestHandler(formsInFolder(appFolder), answersStoreIn(appFolder), writer)
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

RequestHandler::RequestHandler(
    std::unique_ptr<FormSource> forms, const QString& storeLocation, AnswerWriter& writer)
    : m_forms(std::move(forms))
    , m_storeLocation(storeLocation)
    , m_writer(writer)
    , m_tokens(m_forms->tokenKey())
    , m_health(std::make_unique<StoreHealth>(storeLocation))
    , m_deadlines(std::make_shared<Deadlines>())
    , m_receiptKey(m_forms->tokenKey())
    , m_tally(std::make_unique<ResultsTally>(storeLocation))
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
        return request.method == "POST" ? receive(request) : methodNotAllowed(QByteArrayLiteral("POST"));
    if (request.path == answersTablePath())
        return get ? showAnswersTable(request) : methodNotAllowed(QByteArrayLiteral("GET, HEAD"));
    if (request.path == "/healthz")
        return get ? health() : methodNotAllowed(QByteArrayLiteral("GET, HEAD"));
    if (get && request.path == "/")
        return formsIndex();
    if (get && request.path.startsWith(resultsPathPrefix()))
        return showResults(request);
    if (get) {
        std::optional<QByteArray> script = roomScript(request.path);
        if (!script)
            script = conditionScript(request.path);
        if (script) {
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
        return notFound();
    return methodNotAllowed(QByteArrayLiteral("GET, HEAD"));
}

HttpResponse RequestHandler::publish(const HttpRequest& request)
{
    Result<std::optional<FormSource::File>> found = m_forms->file(request.path, lookupWait());
    if (!found)
        return unavailable(false);
    std::optional<FormSource::File> file = std::move(found).value();
    if (!file)
        return notFound();
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
            } else {
                const FormLanguage language
                    = form && *form ? (*form)->settings.language : FormLanguage::English;
                response.body = pageAsSent({ .designerPage = response.body,
                    .formName = *file->pageOfForm,
                    .token = m_tokens.issue(AnswersStore::tableFor(*file->pageOfForm)),
                    .language = language,
                    .version = form && *form ? (*form)->version : QString() });
            }
        }
        // The designer rewrites pages while the service runs; never show a
        // stale one. Not no-store: going Back must show the page with the
        // token already sent, so sending it again is known as a repeat.
        response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache") });
    }
    return response;
}

std::optional<PublishedForm> RequestHandler::formOfTable(
    const std::optional<QString>& tableName, HttpResponse* refusal, bool submission)
{
    const QString outcome = submission ? QStringLiteral(" Nothing has been stored.") : QString();
    if (!tableName || tableName->isEmpty()) {
        *refusal = errorResponse(400, QStringLiteral("Bad request"),
            QStringLiteral("The request does not say which form it belongs to "
                           "(the field \"tableName\" is missing).")
                + outcome);
        return std::nullopt;
    }
    std::optional<PublishedForm> form;
    if (const std::optional<QString> formName = AnswersStore::formOfTable(*tableName)) {
        // Never a 404 for a form the store could not be asked about.
        const auto found
            = m_forms->form(*formName, t_notWaiting ? std::chrono::milliseconds(0) : lookupWait());
        if (!found) {
            if (t_notWaiting && found.failedWith(Error::Busy))
                t_notWaiting->formToLookUp = *formName;
            *refusal = unavailable(submission);
            return std::nullopt;
        }
        form = *found;
    }
    if (!form) {
        *refusal = errorResponse(404, QStringLiteral("No such form"),
            QStringLiteral("There is no form with the answers table '") + *tableName
                + QStringLiteral("' here.") + outcome);
    }
    return form;
}

HttpResponse RequestHandler::receive(const HttpRequest& request)
{
    HttpResponse refusal;
    PublishedForm form;
    std::optional<Submission> submission = prepareSubmission(request, &refusal, &form);
    if (!submission)
        return refusal;
    return responseTo(m_writer.write(std::move(*submission)), form, m_receiptKey);
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
    HttpResponse refusal;
    PublishedForm form;
    NotWaiting notWaiting;
    notWaiting.readAgain = pending->formReadAgain;
    std::optional<Submission> submission = prepareSubmission(pending->request, &refusal, &form);
    if (!submission && notWaiting.formToReadAgain) {
        pending->formReadAgain = true;
        const bool queued
            = m_forms->whenReadAgain(*notWaiting.formToReadAgain, [this, post = std::weak_ptr(pending)] {
                  if (const auto p = post.lock())
                      takeSubmission(p);
              });
        if (queued)
            return;
        // Placed on the form as this server has it.
        notWaiting.formToReadAgain.reset();
        notWaiting.readAgain = true;
        submission = prepareSubmission(pending->request, &refusal, &form);
    }
    if (!submission) {
        if (notWaiting.formToLookUp) {
            const bool queued
                = m_forms->whenLookedUp(*notWaiting.formToLookUp, [this, post = std::weak_ptr(pending)] {
                      if (const auto p = post.lock())
                          takeSubmission(p);
                  });
            if (queued)
                return;
        }
        pending->answer(std::move(refusal));
        return;
    }
    // Answered by its deadline already: not stored, as for a person gone.
    submission->abandoned = [gone = std::move(submission->abandoned), pending] {
        return pending->answered || (gone && gone());
    };
    m_writer.writeAsync(std::move(*submission),
        [form = std::move(form), pending, key = m_receiptKey](
            const WriteResult& result) { pending->answer(responseTo(result, form, key)); });
}

std::optional<Submission> RequestHandler::prepareSubmission(
    const HttpRequest& request, HttpResponse* refusal, PublishedForm* formOut)
{
    const auto refuse = [refusal](HttpResponse response) {
        *refusal = std::move(response);
        return std::nullopt;
    };
    FormFields fields;
    if (request.fields) {
        fields = *request.fields;
    } else if (isUrlEncoded(request.contentType) || isMultipart(request.contentType)) {
        QString why;
        std::optional<FormFields> parsed = isMultipart(request.contentType)
            ? parseMultipart(request.body, request.contentType, &why)
            : parseUrlEncoded(request.body, &why);
        if (!parsed) {
            return refuse(errorResponse(400, QStringLiteral("Bad request"),
                QStringLiteral("The answers could not be read: ") + why
                    + QStringLiteral(". Nothing has been stored.")));
        }
        fields = std::move(*parsed);
    } else {
        return refuse(errorResponse(415, QStringLiteral("Unsupported form data"),
            QStringLiteral("Forms are accepted as application/x-www-form-urlencoded or "
                           "multipart/form-data. Nothing has been stored.")));
    }

    // A NUL ends the text in most programs that read the answers back, so
    // what was stored would differ from what was typed: refused, not cut.
    for (const FormField& f : std::as_const(fields)) {
        if (f.name.contains(QChar(0)) || f.value.contains(QChar(0))) {
            return refuse(errorResponse(400, QStringLiteral("Bad request"),
                QStringLiteral("The answers contain a NUL character (%00), which no form "
                               "field can hold. Nothing has been stored.")));
        }
    }

    // Where the answers go is decided here alone: the posted "DBLocation"
    // is never looked at, and only a form's own table can be written.
    const std::optional<QString> tableName = firstValue(fields, pageFormat::tableNameField());
    std::optional<PublishedForm> form = formOfTable(tableName, refusal, true);
    if (!form)
        return std::nullopt;
    *formOut = std::move(*form);
    // A page of another version than the one this server knows: a server
    // sharing a store may not have seen the designer's latest publication
    // yet, so the store is asked before the answers are placed.
    const QString pageVersion = firstValue(fields, formVersionField()).value_or(QString());
    if (!pageVersion.isEmpty() && pageVersion != formOut->version) {
        if (t_notWaiting && !t_notWaiting->readAgain) {
            t_notWaiting->formToReadAgain = formOut->name;
            return refuse(unavailable(true));
        }
        if (!t_notWaiting) {
            if (const auto again = m_forms->formReadAgain(formOut->name, lookupWait()); again && *again)
                *formOut = std::move(**again);
        }
    }
    if (!isOpen(*formOut)) {
        HttpResponse closed = htmlResponse(closedFormPage(*formOut));
        closed.status = 403;
        return refuse(std::move(closed));
    }
    // A token this service did not issue for this form (forged, from another
    // form, or from before a restart) cannot be trusted to tell repeats: the
    // answers are kept, as from a page without one. A page sent back goes
    // with the token, so that corrected answers replace any stored before.
    const QString pageToken
        = m_tokens.verified(*tableName, firstValue(fields, submissionTokenField()).value_or(QString()));
    PlacedAnswers placed = placeAnswers(*tableName, formOut->questions, fields);
    switch (placed.verdict) {
    case PlacedAnswers::Verdict::Answers:
        break;
    case PlacedAnswers::Verdict::NoQuestion:
        // Counted from the form: a post naming questions it lacks is no answer to it.
        return refuse(errorResponse(400, QStringLiteral("No answers"),
            QStringLiteral("The post carries none of the questions of the form '") + formOut->name
                + QStringLiteral("'. Nothing has been stored.")));
    case PlacedAnswers::Verdict::NothingAnswered:
        return refuse(errorResponse(400,
            respondentText(RespondentText::NothingAnsweredTitle, formOut->settings.language),
            respondentText(RespondentText::NothingAnswered, formOut->settings.language).arg(formOut->title),
            formOut->settings.language));
    case PlacedAnswers::Verdict::FormChanged:
        return refuse(changedFormPage(*formOut, placed.kept, pageToken));
    }
    // A choice answered on a page of another version of the form, that the
    // form no longer offers (an option renamed or removed since): the form as
    // it is now, that answer left to choose again, the others kept.
    if (!pageVersion.isEmpty() && pageVersion != formOut->version && formOut->checks) {
        if (const QStringList stale = formOut->checks->notOffered(placed.answers); !stale.isEmpty()) {
            FormFields kept = placed.kept;
            kept.removeIf([&stale](const FormField& f) { return stale.contains(f.name); });
            return refuse(changedFormPage(*formOut, kept, pageToken));
        }
    }
    // The page's own checks can be left out or got round: the service decides.
    const FormLanguage language = formOut->settings.language;
    if (const FormFields problems = formOut->checks
            ? formOut->checks->check(placed.answers, language)
            : checkAnswers(formOut->questions, formOut->charted, placed.answers, language);
        !problems.isEmpty()) {
        return refuse(formAgainPage(*formOut, placed.kept,
            respondentText(RespondentText::AnswersRefusedNotice, formOut->settings.language), problems,
            pageToken, 422));
    }
    Submission submission;
    // The form's own table, also for a page of the name it had before a
    // rename; another while that rename is half done.
    submission.table = *tableName;
    if (!formOut->storedIn.isEmpty())
        submission.table = formOut->storedIn;
    else if (AnswersStore::formOfTable(*tableName) != formOut->name)
        submission.table = AnswersStore::tableFor(formOut->name);
    submission.answers = std::move(placed.answers);
    submission.token = pageToken;
    submission.arrivedAt = QDateTime::currentDateTimeUtc();
    submission.abandoned = request.clientGone;
    submission.limit = formOut->settings.answerLimit;
    return submission;
}

HttpResponse RequestHandler::changedFormPage(
    const PublishedForm& form, const FormFields& kept, const QString& token)
{
    // The form as it is now, with every answer that still has a question, so
    // that nothing typed is lost and nothing is stored under a wrong name.
    return formAgainPage(form, kept,
        respondentText(RespondentText::FormChangedNotice, form.settings.language), {}, token, 409);
}

HttpResponse RequestHandler::formAgainPage(const PublishedForm& form, const FormFields& kept,
    const QString& notice, const FormFields& questionNotes, const QString& token, int status)
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
        .fromPostAddress = true }));
    response.status = status;
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store") });
    return response;
}

HttpResponse RequestHandler::responseTo(
    const WriteResult& result, const PublishedForm& form, const QByteArray& receiptKey)
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
        case StoredSubmission::OtherForm:
            // The page is of an earlier form of that name: its row is not this form's to change.
            return errorResponse(409,
                respondentText(RespondentText::FormChangedTitle, form.settings.language),
                respondentText(RespondentText::FormChangedPage, form.settings.language),
                form.settings.language);
        case StoredSubmission::Stored:
        case StoredSubmission::Repeated: // the same answers sent again: stored once, thanked again
            return htmlResponse(thankYouPage(form, false, receipt));
        case StoredSubmission::Replaced: // the same page sent again with other answers: the latest win
            return htmlResponse(thankYouPage(form, true, receipt));
        }
    }
    if (result.failedWith(Error::Cancelled))
        return errorResponse(503,
            respondentText(RespondentText::AnswersNotStoredTitle, form.settings.language),
            respondentText(RespondentText::ConnectionClosed, form.settings.language), form.settings.language);
    if (result.failedWith(Error::NotFound))
        return errorResponse(404, QStringLiteral("No such form"),
            QStringLiteral("The form '") + form.name
                + QStringLiteral("' has no answers table. Nothing has been stored."));
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
    std::optional<FormFields> query = parseUrlEncoded(request.query);
    HttpResponse refusal;
    const std::optional<QString> tableName
        = query ? firstValue(*query, pageFormat::tableNameField()) : std::nullopt;
    const std::optional<PublishedForm> form = formOfTable(tableName, &refusal, false);
    if (!form)
        return refusal;
    // The designer's tick in the stored header decides, whatever a page posted.
    if (!form->showsAnswersTable) {
        return errorResponse(403, QStringLiteral("Answers not shown"),
            QStringLiteral("The answers to this form are not shown to the people who fill it in."));
    }

    // Each page being written holds a worker and a database reader; a crowd
    // asking at once waits its turn outside, not in memory here.
    auto slot = std::shared_ptr<std::atomic<int>>(&m_tablePagesBuilt, [](std::atomic<int>* n) { --*n; });
    if (++m_tablePagesBuilt > kMaxTablePagesAtOnce) {
        HttpResponse busy = errorResponse(503, QStringLiteral("Busy"),
            QStringLiteral("The answers table is being shown to many people just now. "
                           "Please try again in a moment."));
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
        return errorResponse(404, QStringLiteral("No answers table"),
            QStringLiteral("The table containing the data for the form ") + form->name
                + QStringLiteral(".html is missing."));
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
    return settings.isOpen(QDateTime::currentDateTime(), stored);
}

HttpResponse RequestHandler::formsIndex()
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
    HttpResponse response = htmlResponse(openFormsPage(open));
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache") });
    return response;
}

HttpResponse RequestHandler::showResults(const HttpRequest& request)
{
    const QByteArray file = request.path.mid(resultsPathPrefix().size());
    if (!file.endsWith(".html"))
        return notFound();
    const QString name = QString::fromUtf8(file.chopped(5));
    const auto found = m_forms->form(name, lookupWait());
    if (!found)
        return unavailable(false);
    if (!*found)
        return notFound();
    const PublishedForm& form = **found;
    if (!form.settings.showResults) {
        return errorResponse(403, QStringLiteral("Results not shown"),
            QStringLiteral("The results of this form are not shown to the people who fill it in."));
    }
    QStringList fields;
    QList<QStringList> options;
    for (const ChartedQuestion& q : form.charted) {
        fields.append(q.field);
        options.append(q.options);
    }
    // Counted once, on first asking; then kept up to date as answers are stored.
    const std::optional<ResultsTally::Counts> counts = m_tally->counts(
        AnswersStore::tableFor(form.name), fields, options, std::max(m_deadline, lookupWait()));
    if (!counts)
        return unavailable(false);
    const bool present = request.query == "present" || request.query.startsWith("present&")
        || request.query.contains("&present");
    HttpResponse response = htmlResponse(resultsPage(form, *counts, present));
    response.headers.append({ QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store") });
    return response;
}

} // namespace quenlow
