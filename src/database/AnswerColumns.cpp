// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswerColumns.h"

#include "database/AnswersStore.h"

#include <algorithm>
#include <functional>

#include <QHash>
#include <QSet>

namespace quenlow {

namespace {

constexpr int kColumnNameLength = 64;
// The column every table is created with; no question owns it.
const QString kOwnColumn = QStringLiteral("Form Question");

// Runs `change` on the form's table. NotFound means the table is missing; a
// column that is missing is a failure of the change, like any other.
Result<void> changeTable(const AnswerTable& table, const std::function<Result<void>(AnswersStore&)>& change)
{
    const auto store = openAnswersStore(table.databasePath);
    if (!store)
        return store.error();
    const Result<bool> exists = (*store)->tableExists(table.tableName);
    if (!exists)
        return exists.error();
    if (!*exists)
        return Error { Error::NotFound, QStringLiteral("there is no table %1").arg(table.tableName) };
    Result<void> done = change(**store);
    if (done.failedWith(Error::NotFound))
        return Error { Error::Other, done.error().detail };
    return done;
}

} // namespace

AnswerTable AnswerTable::forForm(const QString& store, const QString& formName, const QString& pageFile)
{
    return { store, AnswersStore::tableFor(formName), pageFile };
}

QString fitColumnName(const QString& text)
{
    int n = qMin<int>(kColumnNameLength, int(text.size()));
    // A column name that ended in half a character could not be written back.
    if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

QString columnNameFor(const QString& question)
{
    return question.size() <= kColumnNameLength ? question : fitColumnName(question);
}

QString columnAddedMarker()
{
    return QStringLiteral("*Column added after this answer*");
}

Result<void> addAnswerColumn(const AnswerTable& table, const QString& question, bool memo)
{
    const auto kind = memo ? AnswersStore::ColumnKind::Memo : AnswersStore::ColumnKind::Text;
    return changeTable(table, [&](AnswersStore& store) {
        return store.addColumn(table.tableName, columnNameFor(question), kind, columnAddedMarker());
    });
}

Result<bool> answersStored(const AnswerTable& table)
{
    const auto store = openAnswersStore(table.databasePath);
    if (!store)
        return store.error();
    const Result<qint64> rows = (*store)->rowCount(table.tableName);
    if (!rows)
        return rows.error();
    return *rows > 0;
}

Result<void> removeAnswerColumn(const AnswerTable& table, const QString& question)
{
    return changeTable(table,
        [&](AnswersStore& store) { return store.dropColumn(table.tableName, columnNameFor(question)); });
}

Result<void> renameAnswerColumn(
    const AnswerTable& table, const QString& oldQuestion, const QString& newQuestion)
{
    const QString from = columnNameFor(oldQuestion);
    const QString to = columnNameFor(newQuestion);
    return changeTable(table, [&](AnswersStore& store) -> Result<void> {
        if (from == to)
            return {};
        return store.renameColumn(table.tableName, from, to);
    });
}

std::optional<bool> answerColumnExists(const AnswerTable& table, const QString& question)
{
    const auto store = openAnswersStore(table.databasePath);
    const auto columns
        = store ? (*store)->columns(table.tableName) : Result<QList<AnswersStore::Column>>(store.error());
    if (!columns)
        return std::nullopt;
    const QString wanted = foldAscii(columnNameFor(question));
    return std::any_of(columns->cbegin(), columns->cend(),
        [&](const AnswersStore::Column& c) { return foldAscii(c.name) == wanted; });
}

bool reconcileAnswerColumns(const AnswerTable& table, const QList<QuestionColumn>& questions,
    const std::optional<ColumnRename>& interrupted)
{
    const auto store = openAnswersStore(table.databasePath);
    if (!store)
        return false;
    auto current = (*store)->columns(table.tableName);
    if (!current)
        return false;
    QHash<QString, QString> existing; // folded -> as stored
    for (const AnswersStore::Column& c : std::as_const(*current))
        existing.insert(foldAscii(c.name), c.name);
    QSet<QString> wanted;
    for (const QuestionColumn& q : questions)
        wanted.insert(foldAscii(columnNameFor(q.question)));

    if (interrupted) {
        const QString from = columnNameFor(interrupted->fromQuestion);
        const QString foldedFrom = foldAscii(from);
        const QString foldedTo = foldAscii(columnNameFor(interrupted->toQuestion));
        // The table took the rename, the files did not: the answers go back
        // under the question the form still has.
        if (foldedFrom != foldedTo && wanted.contains(foldedFrom) && !wanted.contains(foldedTo)
            && existing.contains(foldedTo) && !existing.contains(foldedFrom)) {
            if (!(*store)->renameColumn(table.tableName, existing.value(foldedTo), from))
                return false;
            current = (*store)->columns(table.tableName);
            if (!current)
                return false;
        }
    }
    // Every question gets its column, after the ones the table has; the
    // columns no question owns go unless they hold answers.
    QList<AnswersStore::Column> target;
    QSet<QString> placed;
    for (const AnswersStore::Column& c : std::as_const(*current)) {
        const QString folded = foldAscii(c.name);
        if (wanted.contains(folded) || folded == foldAscii(kOwnColumn)) {
            target.append(c);
            placed.insert(folded);
        }
    }
    for (const QuestionColumn& q : questions) {
        const QString column = columnNameFor(q.question);
        if (!placed.contains(foldAscii(column))) {
            target.append(
                { column, q.memo ? AnswersStore::ColumnKind::Memo : AnswersStore::ColumnKind::Text });
            placed.insert(foldAscii(column));
        }
    }
    if (*current == target)
        return true;
    // More questions than a table can hold columns: adding them one by one
    // would fail at the limit and roll back, at every opening.
    if (target.size() > (*store)->columnLimit())
        return false;
    return (*store)
        ->restoreColumns(table.tableName, target, columnAddedMarker(), AnswersStore::Restore::Repair)
        .ok();
}

Result<void> createDatabase(const QString& databasePath)
{
    const auto made = createAnswersStore(databasePath);
    if (!made)
        return made.error();
    return {};
}

Result<void> createFormTable(const QString& databasePath, const QString& tableName)
{
    const auto store = openAnswersStore(databasePath);
    if (!store)
        return store.error();
    return (*store)->createTable(tableName, QStringLiteral("Form Question"));
}

QString foldAscii(const QString& name)
{
    QString folded = name;
    for (QChar& c : folded) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return folded;
}

} // namespace quenlow
