// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "server/AnswerWriter.h"
#include "server/FormCatalog.h"
#include "server/FormSource.h"
#include "server/HttpExchange.h"
#include "server/RespondentPage.h"

#include <QString>

#include <atomic>
#include <functional>

namespace quenlow {

/// Everything the service answers, as a function of the request: the pages
/// and images of HTML/, the posted forms, and a form's answers table where
/// its designer allows it. Knows nothing of sockets; safe to call from many
/// threads at once.
class RequestHandler final
{
public:
    /// `writer` stores the submissions and must outlive the handler.
    /// Publishes the forms of the program folder; answers go to its embedded store.
    RequestHandler(const QString& appFolder, AnswerWriter& writer);
    /// Publishes the forms of `forms`; answers go to the store at `storeLocation`.
    RequestHandler(std::unique_ptr<FormSource> forms, const QString& storeLocation, AnswerWriter& writer);

    HttpResponse handle(const HttpRequest& request);
    /// Takes a submission without blocking the calling thread: `respond` is
    /// called with the answer once it is stored (on the writer's thread), or
    /// at once when it is refused. False, with nothing done, for any other
    /// request: those go to handle().
    bool handleWithoutWaiting(const HttpRequest& request, std::function<void(HttpResponse)> respond);

    /// The address the generated pages post to.
    static QByteArray submissionPath() { return QByteArrayLiteral("/scripts/save.asp"); }

private:
    HttpResponse health();
    HttpResponse publish(const HttpRequest& request);
    HttpResponse receive(const HttpRequest& request);
    /// The submission a post makes, or nothing with `refusal` set.
    std::optional<Submission> prepareSubmission(const HttpRequest& request, HttpResponse* refusal,
                                                PublishedForm* form);
    static HttpResponse responseTo(const WriteResult& result, const PublishedForm& form);
    /// 409: the form as it is now, with the answers of `kept` filled in.
    HttpResponse changedFormPage(const PublishedForm& form, const FormFields& kept);
    HttpResponse showAnswersTable(const HttpRequest& request);
    /// The form a posted or asked-for table name belongs to, or the response refusing it.
    std::optional<PublishedForm> formOfTable(const std::optional<QString>& tableName, HttpResponse* refusal,
                                             bool submission);

    static constexpr int kMaxTablePagesAtOnce = 4;

    std::unique_ptr<FormSource> m_forms;
    QString m_storeLocation;
    std::atomic<int> m_tablePagesBuilt{0};
    AnswerWriter& m_writer;
    SubmissionTokens m_tokens;
};

/// The submission a set of posted fields makes for `table`. Each question is
/// announced by its field "<name> Type"; a "Check Box" stores "Checked" when
/// its field came and "Not Checked" when it did not, the other kinds what was
/// posted, or no value when nothing was. Everything else is left out.
Submission submissionFrom(const QString& table, const FormFields& fields);

} // namespace quenlow
