// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RequestHandler.h"

#include "database/AnswersDatabase.h"
#include "model/HtmlText.h"
#include "server/AnswerPages.h"
#include "server/AnswerWriter.h"

#include <QHash>
#include <QSet>

namespace quenlow {

namespace {

const QString kTablePrefix = QStringLiteral("tbl_");
const QString kTypeSuffix = QStringLiteral(" Type");

// The values of the hidden "<name> Type" fields the page writer puts beside each question.
bool isQuestionKindValue(const QString& value)
{
    return value == QLatin1StringView("Text Field") || value == QLatin1StringView("Text Area")
        || value == QLatin1StringView("Check Box") || value == QLatin1StringView("Radio Buttons")
        || value == QLatin1StringView("Menu");
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

HttpResponse methodNotAllowed(const QByteArray& allowed)
{
    HttpResponse response = errorResponse(405, QStringLiteral("Method not allowed"),
                                          QStringLiteral("This address does not take that kind of request."));
    response.headers.append({QByteArrayLiteral("Allow"), allowed});
    return response;
}

} // namespace

Submission submissionFrom(const QString& table, const FormFields& fields)
{
    Submission submission;
    submission.table = table;
    QHash<QString, const QString*> posted; // first value of each name
    posted.reserve(fields.size());
    QStringList questions;                 // announced, in the order of the page
    QHash<QString, QString> kindOf;
    for (const FormField& f : fields) {
        if (!posted.contains(f.name))
            posted.insert(f.name, &f.value);
        if (f.name.size() > kTypeSuffix.size() && f.name.endsWith(kTypeSuffix) && isQuestionKindValue(f.value)) {
            const QString question = f.name.chopped(kTypeSuffix.size());
            if (!kindOf.contains(question)) {
                kindOf.insert(question, f.value);
                questions.append(question);
            }
        }
    }
    for (const QString& question : std::as_const(questions)) {
        const QString* value = posted.value(question);
        Answer answer{question, std::nullopt};
        // An unticked box is not posted at all; the reporter counts both texts.
        if (kindOf.value(question) == QLatin1StringView("Check Box"))
            answer.value = value ? QStringLiteral("Checked") : QStringLiteral("Not Checked");
        else if (value)
            answer.value = *value;
        submission.answers.append(std::move(answer));
    }
    return submission;
}

RequestHandler::RequestHandler(const QString& appFolder, AnswerWriter& writer)
    : m_appFolder(appFolder)
    , m_html(appFolder + QStringLiteral("/HTML"))
    , m_forms(appFolder)
    , m_writer(writer)
{
}

HttpResponse RequestHandler::handle(const HttpRequest& request)
{
    const bool get = request.method == "GET" || request.method == "HEAD";
    if (request.path == submissionPath())
        return request.method == "POST" ? receive(request) : methodNotAllowed(QByteArrayLiteral("POST"));
    if (request.path == answersTablePath())
        return get ? showAnswersTable(request) : methodNotAllowed(QByteArrayLiteral("GET, HEAD"));
    if (get)
        return publish(request);
    if (request.method == "POST")
        return notFound();
    return methodNotAllowed(QByteArrayLiteral("GET, HEAD"));
}

HttpResponse RequestHandler::publish(const HttpRequest& request)
{
    const std::optional<PublishedFolder::File> file = m_html.resolve(request.path);
    if (!file)
        return notFound();
    std::optional<QByteArray> content = PublishedFolder::content(*file);
    if (!content)
        return notFound();
    HttpResponse response;
    response.contentType = file->contentType;
    response.body = std::move(*content);
    // The designer rewrites pages while the service runs; never show a stale one.
    if (file->isPage)
        response.headers.append({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache")});
    return response;
}

std::optional<PublishedForm> RequestHandler::formOfTable(const std::optional<QString>& tableName,
                                                         HttpResponse* refusal, bool submission)
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
    if (tableName->startsWith(kTablePrefix))
        form = m_forms.find(tableName->mid(kTablePrefix.size()));
    if (!form) {
        *refusal = errorResponse(404, QStringLiteral("No such form"),
                                 QStringLiteral("There is no form with the answers table '") + *tableName
                                     + QStringLiteral("' here.") + outcome);
    }
    return form;
}

HttpResponse RequestHandler::receive(const HttpRequest& request)
{
    FormFields fields;
    if (request.fields) {
        fields = *request.fields;
    } else if (isUrlEncoded(request.contentType)) {
        QString why;
        std::optional<FormFields> parsed = parseUrlEncoded(request.body, &why);
        if (!parsed) {
            return errorResponse(400, QStringLiteral("Bad request"),
                                 QStringLiteral("The answers could not be read: ") + why
                                     + QStringLiteral(". Nothing has been stored."));
        }
        fields = std::move(*parsed);
    } else {
        return errorResponse(415, QStringLiteral("Unsupported form data"),
                             QStringLiteral("Forms are accepted as application/x-www-form-urlencoded or "
                                            "multipart/form-data. Nothing has been stored."));
    }

    // Where the answers go is decided here alone: the posted "DBLocation"
    // is never looked at, and only a form's own table can be written.
    HttpResponse refusal;
    const std::optional<QString> tableName = firstValue(fields, QStringLiteral("tableName"));
    const std::optional<PublishedForm> form = formOfTable(tableName, &refusal, true);
    if (!form)
        return refusal;

    const WriteResult result = m_writer.write(submissionFrom(*tableName, fields));
    switch (result.outcome) {
    case WriteResult::Stored:
        return htmlResponse(thankYouPage(*form));
    case WriteResult::NoSuchTable:
        return errorResponse(404, QStringLiteral("No such form"),
                             QStringLiteral("The form '") + form->name
                                 + QStringLiteral("' has no answers table. Nothing has been stored."));
    case WriteResult::Failed:
        break;
    }
    HttpResponse failed = errorResponse(503, QStringLiteral("Answers not stored"),
                                        QStringLiteral("Your answers could not be stored just now, and nothing "
                                                       "has been kept. Please go back and send the form again."));
    failed.headers.append({QByteArrayLiteral("Retry-After"), QByteArrayLiteral("5")});
    return failed;
}

HttpResponse RequestHandler::showAnswersTable(const HttpRequest& request)
{
    std::optional<FormFields> query = parseUrlEncoded(request.query);
    HttpResponse refusal;
    const std::optional<QString> tableName = query ? firstValue(*query, QStringLiteral("tableName")) : std::nullopt;
    const std::optional<PublishedForm> form = formOfTable(tableName, &refusal, false);
    if (!form)
        return refusal;
    // The designer's tick in the stored header decides, whatever a page posted.
    if (!form->showsAnswersTable) {
        return errorResponse(403, QStringLiteral("Answers not shown"),
                             QStringLiteral("The answers to this form are not shown to the people who fill it in."));
    }

    QString why;
    auto db = AnswersDatabase::open(AnswersDatabase::pathIn(m_appFolder), &why);
    QList<TableColumn> columns;
    QList<QVariantList> rows;
    if (db) {
        for (const AnswersDatabase::Column& c : db->columns(*tableName))
            columns.append({c.name, c.isMemo()});
        if (!columns.isEmpty()) {
            db->forEachRow(*tableName, [&rows](const QVariantList& row) {
                rows.append(row);
                return true;
            });
        }
    }
    if (columns.isEmpty()) {
        return errorResponse(404, QStringLiteral("No answers table"),
                             QStringLiteral("The table containing the data for the form ") + form->name
                                 + QStringLiteral(".html is missing."));
    }
    return htmlResponse(answersTablePage(*form, *tableName, columns, rows));
}

} // namespace quenlow
