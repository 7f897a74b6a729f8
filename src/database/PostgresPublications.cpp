// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The forms published for collection servers elsewhere, their files, and the
// key the servers share.
#include "database/PostgresAnswersStore.h"

#include "database/PostgresConnection_p.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeDatabase>
#include <QRandomGenerator>

#include <libpq-fe.h>

namespace quenlow {

using namespace postgres;

namespace {

// Where a published form's collecting settings are kept.
QString formSettingsKey(const QString& form)
{
    return QStringLiteral("form settings:") + form;
}

// Where a former name of a published form is kept, its value the form's
// name now; one form at a time owns a former name.
const QString kFormerNamePrefix = QStringLiteral("former name:");

QString formerNameKey(const QString& formerName)
{
    return kFormerNamePrefix + formerName;
}

// The former names leading to `form` go (written again as it is published,
// or given up with it); when it is published, so does its own name as a
// former name of another form: the name is this form's now.
Result<void> dropFormerNames(Connection& db, const QString& form, bool published)
{
    if (published) {
        if (const auto r
            = db.run(QStringLiteral("DELETE FROM quenlow.settings WHERE key = $1"), { formerNameKey(form) });
            !r)
            return r.error();
    }
    if (const auto r = db.run(QStringLiteral("DELETE FROM quenlow.settings WHERE starts_with(key, $1) "
                                             "AND value = convert_to($2, 'UTF8')"),
            { kFormerNamePrefix, form });
        !r)
        return r.error();
    return {};
}

} // namespace

Result<void> PostgresAnswersStore::publish(const Publication& form)
{
    QJsonArray questions;
    for (const Publication::Question& q : form.questions) {
        // Earlier names only where there are any: servers of before read the first two.
        QJsonArray entry { q.field, q.kind };
        const bool limited = q.maxLength > 0;
        if (!q.formerFields.isEmpty() || !q.options.isEmpty() || !q.settings.isEmpty() || limited)
            entry.append(QJsonArray::fromStringList(q.formerFields));
        // Servers of before read no further.
        if (!q.options.isEmpty() || !q.settings.isEmpty() || limited)
            entry.append(QJsonArray { QJsonArray::fromStringList(q.options), q.text });
        // What the question asks of its answer, as its record's key lines.
        if (!q.settings.isEmpty() || limited)
            entry.append(q.settings);
        // The most characters a text field takes.
        if (limited)
            entry.append(q.maxLength);
        questions.append(entry);
    }
    const QByteArray questionsJson = QJsonDocument(questions).toJson(QJsonDocument::Compact);
    return m_db->inTransaction([&]() -> Result<void> {
        if (const auto r = m_db->run(
                QStringLiteral(
                    "INSERT INTO quenlow.forms (form, title, shows_answers, page, questions, background) "
                    "VALUES ($1, $2, $3::boolean, $4, $5, $6) ON CONFLICT (form) DO UPDATE SET "
                    "title = excluded.title, shows_answers = excluded.shows_answers, "
                    "page = excluded.page, questions = excluded.questions, background = excluded.background"),
                { form.form, form.title, form.showsAnswersTable ? QByteArray("true") : QByteArray("false"),
                    Param(form.page, true), Param(questionsJson), form.backgroundImage });
            !r)
            return r.error();
        // Beside the form, where servers of before never look.
        if (const auto r = form.settings.isEmpty()
                ? m_db->run(QStringLiteral("DELETE FROM quenlow.settings WHERE key = $1"),
                    { formSettingsKey(form.form) })
                : m_db->run(QStringLiteral("INSERT INTO quenlow.settings (key, value) VALUES ($1, $2) "
                                           "ON CONFLICT (key) DO UPDATE SET value = excluded.value"),
                    { formSettingsKey(form.form), Param(form.settings.toUtf8(), true) });
            !r)
            return r.error();
        // A form's addresses of before lead to it while no form bears them.
        if (const auto r = dropFormerNames(*m_db, form.form, true); !r)
            return r;
        for (const QString& former : form.formerNames) {
            if (former == form.form)
                continue;
            if (const auto r
                = m_db->run(QStringLiteral("INSERT INTO quenlow.settings (key, value) VALUES ($1, "
                                           "convert_to($2, 'UTF8')) "
                                           "ON CONFLICT (key) DO UPDATE SET value = excluded.value"),
                    { formerNameKey(former), form.form });
                !r)
                return r.error();
        }
        if (form.backgroundImage.isEmpty() || form.backgroundBytes.isEmpty())
            return {};
        const QByteArray type = QMimeDatabase()
                                    .mimeTypeForFileNameAndData(form.backgroundImage, form.backgroundBytes)
                                    .name()
                                    .toUtf8();
        if (const auto r = m_db->run(
                QStringLiteral("INSERT INTO quenlow.files (name, content_type, bytes) VALUES ($1, $2, $3) "
                               "ON CONFLICT (name) DO UPDATE SET content_type = excluded.content_type, "
                               "bytes = excluded.bytes"),
                { form.backgroundImage, Param(type), Param(form.backgroundBytes, true) });
            !r)
            return r.error();
        return {};
    });
}

Result<void> PostgresAnswersStore::unpublish(const QString& form)
{
    return m_db->inTransaction([&]() -> Result<void> {
        if (const auto r = m_db->run(QStringLiteral("DELETE FROM quenlow.forms WHERE form = $1"), { form });
            !r)
            return r.error();
        if (const auto r = m_db->run(
                QStringLiteral("DELETE FROM quenlow.settings WHERE key = $1"), { formSettingsKey(form) });
            !r)
            return r.error();
        return dropFormerNames(*m_db, form, false);
    });
}

Result<std::optional<QString>> PostgresAnswersStore::renamedForm(const QString& formerName)
{
    // A form that bears the name now is the one its addresses lead to.
    const auto r = m_db->run(QStringLiteral("SELECT convert_from(s.value, 'UTF8') FROM quenlow.settings s "
                                            "JOIN quenlow.forms f ON f.form = convert_from(s.value, 'UTF8') "
                                            "WHERE s.key = $1 AND NOT EXISTS "
                                            "(SELECT 1 FROM quenlow.forms WHERE form = $2)"),
        { formerNameKey(formerName), formerName });
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return std::optional<QString>();
    return std::optional<QString>(QString::fromUtf8(PQgetvalue(r->get(), 0, 0)));
}

Result<QStringList> PostgresAnswersStore::publishedForms()
{
    const auto r = m_db->run(QStringLiteral("SELECT form FROM quenlow.forms"));
    if (!r)
        return r.error();
    return firstColumn(r->get());
}

Result<std::optional<AnswersStore::Publication>> PostgresAnswersStore::publication(const QString& form)
{
    // Binary results: the bytes of the page as stored, texts as UTF-8.
    const auto r = m_db->run(
        QStringLiteral("SELECT f.form, f.title, f.shows_answers, f.page, f.questions, f.background, "
                       "coalesce(b.bytes, ''::bytea), coalesce(s.value, ''::bytea) FROM quenlow.forms f "
                       "LEFT JOIN quenlow.files b ON b.name = f.background "
                       "LEFT JOIN quenlow.settings s ON s.key = $2 WHERE f.form = $1"),
        { form, formSettingsKey(form) }, true);
    if (!r)
        return r.error();
    const pg_result* res = r->get();
    if (PQntuples(res) == 0)
        return std::optional<Publication>();
    const auto bytes = [&](int c) { return QByteArray(PQgetvalue(res, 0, c), PQgetlength(res, 0, c)); };
    Publication p;
    p.form = QString::fromUtf8(bytes(0));
    p.title = QString::fromUtf8(bytes(1));
    p.showsAnswersTable = bytes(2) == QByteArray(1, '\1');
    p.page = bytes(3);
    for (const QJsonValue& q : QJsonDocument::fromJson(bytes(4)).array()) {
        const QJsonArray entry = q.toArray();
        QStringList former;
        for (const QJsonValue& name : entry.at(2).toArray())
            former.append(name.toString());
        const QJsonArray chart = entry.at(3).toArray();
        QStringList options;
        for (const QJsonValue& option : chart.at(0).toArray())
            options.append(option.toString());
        p.questions.append({ entry.at(0).toString(), entry.at(1).toString(), former, options,
            chart.at(1).toString(), entry.at(4).toString(), entry.at(5).toInt(0) });
    }
    p.settings = QString::fromUtf8(bytes(7));
    const auto former = m_db->run(QStringLiteral("SELECT substr(key, $2) FROM quenlow.settings WHERE "
                                                 "starts_with(key, $3) AND value = convert_to($1, 'UTF8') "
                                                 "ORDER BY key"),
        { form, QString::number(kFormerNamePrefix.size() + 1), kFormerNamePrefix });
    if (!former)
        return former.error();
    p.formerNames = firstColumn(former->get());
    p.backgroundImage = QString::fromUtf8(bytes(5));
    p.backgroundBytes = bytes(6);
    return std::optional<Publication>(std::move(p));
}

Result<std::optional<AnswersStore::PublishedFile>> PostgresAnswersStore::publishedFile(const QString& name)
{
    const auto r = m_db->run(
        QStringLiteral("SELECT content_type, bytes FROM quenlow.files WHERE name = $1"), { name }, true);
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return std::optional<PublishedFile>();
    PublishedFile file;
    file.contentType = QByteArray(PQgetvalue(r->get(), 0, 0), PQgetlength(r->get(), 0, 0));
    file.bytes = QByteArray(PQgetvalue(r->get(), 0, 1), PQgetlength(r->get(), 0, 1));
    return std::optional<PublishedFile>(std::move(file));
}

Result<std::optional<QByteArray>> PostgresAnswersStore::keptSharedKey()
{
    const auto r
        = m_db->run(QStringLiteral("SELECT value FROM quenlow.settings WHERE key = 'shared_key'"), {}, true);
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return std::optional<QByteArray>();
    return std::optional<QByteArray>(QByteArray(PQgetvalue(r->get(), 0, 0), PQgetlength(r->get(), 0, 0)));
}

Result<QByteArray> PostgresAnswersStore::sharedKey()
{
    // Made once: of two processes asking at once, the second keeps the first's.
    QByteArray fresh(32, Qt::Uninitialized);
    QRandomGenerator::system()->generate(
        reinterpret_cast<quint32*>(fresh.data()), reinterpret_cast<quint32*>(fresh.data() + fresh.size()));
    if (const auto r
        = m_db->run(QStringLiteral("INSERT INTO quenlow.settings (key, value) VALUES ('shared_key', $1) "
                                   "ON CONFLICT (key) DO NOTHING"),
            { Param(fresh, true) });
        !r)
        return r.error();
    const auto r
        = m_db->run(QStringLiteral("SELECT value FROM quenlow.settings WHERE key = 'shared_key'"), {}, true);
    if (!r)
        return r.error();
    if (PQntuples(r->get()) == 0)
        return Error { Error::Other, QStringLiteral("the shared key was not kept") };
    return QByteArray(PQgetvalue(r->get(), 0, 0), PQgetlength(r->get(), 0, 0));
}

} // namespace quenlow
