// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"

#include "database/AnswerColumns.h"
#include "database/PostgresAnswersStore.h"
#include "database/SqliteAnswersStore.h"

#include <QRegularExpression>
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

AnswersStore::ColumnDiff AnswersStore::diffColumns(
    const QList<Column>& current, const QList<Column>& target, Restore how)
{
    const auto has = [](const QList<Column>& columns, const QString& name) {
        const QString folded = foldAscii(name);
        return std::any_of(
            columns.cbegin(), columns.cend(), [&](const Column& c) { return foldAscii(c.name) == folded; });
    };
    ColumnDiff diff;
    for (const Column& c : target) {
        if (!has(current, c.name))
            diff.added.append(c);
    }
    for (const Column& c : current) {
        if (!has(target, c.name))
            diff.removed.append(c);
    }
    // An edit renamed the question's column: it is renamed back.
    if (how == Restore::Undo && diff.added.size() == 1 && diff.removed.size() == 1) {
        diff.renamed = std::make_pair(diff.removed.takeFirst().name, diff.added.takeFirst().name);
    }
    return diff;
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

QString shownLocation(const QString& location)
{
    if (isServerLocation(location))
        return PostgresAnswersStore::withoutPassword(location);
    // An address of a server the program does not know (a slip in typing,
    // another kind of database) is taken for a file name, but still shown
    // without the password it may carry: in "user:secret@" or "password=".
    const qsizetype scheme = location.indexOf(QLatin1String("://"));
    if (scheme <= 0)
        return location;
    QString shown = location;
    const qsizetype start = scheme + 3;
    qsizetype end = shown.size();
    for (const QChar stop : { QLatin1Char('/'), QLatin1Char('?'), QLatin1Char('#') }) {
        if (const qsizetype at = shown.indexOf(stop, start); at >= 0)
            end = std::min(end, at);
    }
    const qsizetype at = shown.lastIndexOf(QLatin1Char('@'), end - 1);
    const qsizetype colon = shown.indexOf(QLatin1Char(':'), start);
    if (at >= start && colon >= 0 && colon < at)
        shown.remove(colon, at - colon);
    static const QRegularExpression password(
        QStringLiteral("(password=)[^&;\\s]*"), QRegularExpression::CaseInsensitiveOption);
    shown.replace(password, QStringLiteral("\\1"));
    return shown;
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
