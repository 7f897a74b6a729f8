// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"

#include "database/AnswerColumns.h"
#include "database/PostgresAnswersStore.h"
#include "database/SqliteAnswersStore.h"

#include <QRegularExpression>
#include <QUrl>
#include <QVarLengthArray>

#include <algorithm>

namespace quenlow {

namespace {

const QString kTablePrefix = QStringLiteral("tbl_");

Error noPublications()
{
    return Error { Error::Other, QStringLiteral("this answers store keeps no published forms") };
}

} // namespace

QString AnswersStore::tableFor(const QString& formName)
{
    return kTablePrefix + formName;
}

std::optional<QString> AnswersStore::formOfTable(const QString& table)
{
    if (!table.startsWith(kTablePrefix) || table.size() == kTablePrefix.size())
        return std::nullopt;
    return table.mid(kTablePrefix.size());
}

Result<qint64> AnswersStore::visitRows(const QString& table, const QStringList& columns, qint64 afterId,
    qint64 limit, const std::function<void(qint64 id, RawValues values)>& visit)
{
    const Result<QList<Row>> rows = readRows(table, columns, afterId, limit);
    if (!rows)
        return rows.error();
    QVarLengthArray<QByteArray, 16> utf8(columns.size());
    QVarLengthArray<std::optional<QByteArrayView>, 16> values(columns.size());
    for (const Row& row : *rows) {
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const QVariant& v = row.values.at(i);
            if (v.isNull()) {
                values[i].reset();
            } else {
                utf8[i] = v.toString().toUtf8();
                values[i] = QByteArrayView(utf8[i]);
            }
        }
        visit(row.id, RawValues(values.constData(), size_t(values.size())));
    }
    return qint64(rows->size());
}

namespace {

// `column` as `table` names it; nothing when the table has no such column.
Result<std::optional<QString>> storedColumn(AnswersStore& store, const QString& table, const QString& column)
{
    const auto found = store.columns(table);
    if (!found)
        return found.error();
    const QString wanted = foldAscii(column);
    for (const AnswersStore::Column& c : *found) {
        if (foldAscii(c.name) == wanted)
            return std::optional<QString>(c.name);
    }
    return std::optional<QString>();
}

Error hasColumn(const QString& table, const QString& column)
{
    return Error { Error::Duplicate, QStringLiteral("the table %1 has a column %2").arg(table, column) };
}

Error hasNoColumn(const QString& table, const QString& column)
{
    return Error { Error::NotFound, QStringLiteral("the table %1 has no column %2").arg(table, column) };
}

} // namespace

Result<void> AnswersStore::mayAddColumn(const QString& table, const QString& column)
{
    const auto existing = storedColumn(*this, table, column);
    if (!existing)
        return existing.error();
    if (*existing)
        return hasColumn(table, **existing);
    return {};
}

Result<void> AnswersStore::mayRenameColumn(const QString& table, const QString& from, const QString& to)
{
    const auto source = storedColumn(*this, table, from);
    if (!source)
        return source.error();
    if (!*source)
        return hasNoColumn(table, from);
    const auto target = storedColumn(*this, table, to);
    if (!target)
        return target.error();
    if (*target && foldAscii(from) != foldAscii(to))
        return hasColumn(table, **target);
    return {};
}

Result<void> AnswersStore::mayDropColumn(const QString& table, const QString& column)
{
    const auto existing = storedColumn(*this, table, column);
    if (!existing)
        return existing.error();
    if (!*existing)
        return hasNoColumn(table, column);
    return {};
}

Result<void> AnswersStore::publish(const Publication&)
{
    return noPublications();
}

Result<std::optional<AnswersStore::Publication>> AnswersStore::publication(const QString&)
{
    return noPublications();
}

Result<void> AnswersStore::unpublish(const QString&)
{
    return {};
}

Result<std::optional<QString>> AnswersStore::renamedForm(const QString&)
{
    return noPublications();
}

Result<QStringList> AnswersStore::publishedForms()
{
    return QStringList();
}

Result<std::optional<AnswersStore::PublishedFile>> AnswersStore::publishedFile(const QString&)
{
    return noPublications();
}

Result<QByteArray> AnswersStore::sharedKey()
{
    return noPublications();
}

bool isServerLocation(const QString& location)
{
    return location.startsWith(QLatin1String("postgresql://"))
        || location.startsWith(QLatin1String("postgres://"));
}

namespace {

// "password", "sslpassword", …: however the key is spelled or encoded, a
// connection takes it decoded and without case.
bool isPasswordKey(const QString& key)
{
    return QUrl::fromPercentEncoding(key.toUtf8())
        .trimmed()
        .endsWith(QLatin1String("password"), Qt::CaseInsensitive);
}

// `location` without its passwords; what was taken out goes to `secrets`.
QString strippedOfPasswords(const QString& location, QStringList* secrets)
{
    QString shown = location;
    const qsizetype scheme = shown.indexOf(QLatin1String("://"));
    if (scheme > 0) {
        // "user:secret@": the user part ends at the first '/', as the database
        // client reads it; in an address no parser takes (a password typed with
        // a '/' in it), the last '@' before the query may end it too.
        const qsizetype start = scheme + 3;
        const qsizetype slash = shown.indexOf(QLatin1Char('/'), start);
        qsizetype at = shown.lastIndexOf(QLatin1Char('@'), (slash < 0 ? shown.size() : slash) - 1);
        if (at < start && !QUrl(shown, QUrl::StrictMode).isValid()) {
            const qsizetype query = shown.indexOf(QLatin1Char('?'), start);
            at = shown.lastIndexOf(QLatin1Char('@'), (query < 0 ? shown.size() : query) - 1);
        }
        const qsizetype colon = shown.indexOf(QLatin1Char(':'), start);
        if (at >= start && colon >= start && colon < at) {
            secrets->append(shown.mid(colon + 1, at - colon - 1));
            shown.remove(colon, at - colon);
        }
    }
    // The value of every password keyword: an item of an address's query (up
    // to the next '&') or a "key=value" word of a connection string (a quoted
    // value whole).
    static const QRegularExpression inAddress(QStringLiteral("([^\\s&?;=]+)\\s*=\\s*([^&]*)"));
    static const QRegularExpression inWords(
        QStringLiteral("([^\\s&?;=]+)\\s*=\\s*('(?:[^'\\\\]|\\\\.)*'?|\\S*)"));
    QString kept;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = (scheme > 0 ? inAddress : inWords).globalMatch(shown);
         it.hasNext();) {
        const QRegularExpressionMatch found = it.next();
        if (!isPasswordKey(found.captured(1)))
            continue;
        secrets->append(found.captured(2));
        kept += QStringView(shown).mid(from, found.capturedStart(2) - from);
        from = found.capturedEnd(2);
    }
    return kept + QStringView(shown).mid(from);
}

} // namespace

QString shownLocation(const QString& location)
{
    // Worked on as text, not through a parser: an address that is mistyped or
    // malformed (an unclosed "[::1", a bad escape) must lose its password too,
    // and so must one of a kind the program does not know, taken for a file
    // name, or a "key=value" connection string.
    QStringList secrets;
    return strippedOfPasswords(location, &secrets);
}

QString withoutPasswords(const QString& message, const QString& location)
{
    if (location.isEmpty())
        return message;
    QStringList secrets;
    QString said = message;
    said.replace(location, strippedOfPasswords(location, &secrets));
    for (QString secret : std::as_const(secrets)) {
        if (secret.startsWith(QLatin1Char('\'')))
            secret = secret.mid(1).chopped(secret.endsWith(QLatin1Char('\'')) && secret.size() > 1 ? 1 : 0);
        for (const QString& spelled : { secret, QUrl::fromPercentEncoding(secret.toUtf8()) }) {
            if (spelled.isEmpty())
                continue;
            // A short one only where it is quoted: elsewhere its letters are the message's own.
            said.replace(QLatin1Char('"') + spelled + QLatin1Char('"'), QStringLiteral("\"…\""));
            if (spelled.size() >= 4)
                said.replace(spelled, QStringLiteral("…"));
        }
    }
    return said;
}

QString answersStoreIn(const QString& appFolder)
{
    return appFolder + QStringLiteral("/formAnswers.mdb");
}

Result<std::shared_ptr<AnswersStore>> openAnswersStore(const QString& location)
{
    if (isServerLocation(location))
        return PostgresAnswersStore::open(location);
    return SqliteAnswersStore::open(location);
}

Result<std::shared_ptr<AnswersStore>> createAnswersStore(const QString& location)
{
    if (isServerLocation(location))
        return PostgresAnswersStore::create(location);
    return SqliteAnswersStore::create(location);
}

} // namespace quenlow
