// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswerColumns.h"

#include "database/AnswersStore.h"

#include <functional>

namespace quenlow {

namespace {

constexpr int kColumnNameLength = 64;

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
        return Error{Error::NotFound, QStringLiteral("there is no table %1").arg(table.tableName)};
    Result<void> done = change(**store);
    if (done.failedWith(Error::NotFound))
        return Error{Error::Other, done.error().detail};
    return done;
}

} // namespace

AnswerTable AnswerTable::forForm(const QString& appFolder, const QString& formName, const QString& pageFile)
{
    return {answersStoreIn(appFolder), AnswersStore::tableFor(formName), pageFile};
}

QString FitColumnName(const QString& text)
{
    int n = qMin<int>(kColumnNameLength, int(text.size()));
    // A column name that ended in half a character could not be written back.
    if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

QString columnNameFor(const QString& question)
{
    return question.size() <= kColumnNameLength ? question : FitColumnName(question);
}

bool isQuestionKind(const QString& methodType)
{
    return methodType != QLatin1StringView("Submit Button") && methodType != QLatin1StringView("Header")
        && methodType != QLatin1StringView("Plain Text") && methodType != QLatin1StringView("Line");
}

QString columnAddedMarker()
{
    return QStringLiteral("*Column added after this answer*");
}

Result<void> AddAnswerColumn(const AnswerTable& table, const QString& question, const QString& methodType)
{
    const auto kind = methodType == QLatin1StringView("Text Area") ? AnswersStore::ColumnKind::Memo
                                                                   : AnswersStore::ColumnKind::Text;
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

Result<void> RemoveAnswerColumn(const AnswerTable& table, const QString& question)
{
    return changeTable(table,
                       [&](AnswersStore& store) { return store.dropColumn(table.tableName, columnNameFor(question)); });
}

Result<void> RenameAnswerColumn(const AnswerTable& table, const QString& oldQuestion, const QString& newQuestion)
{
    const QString from = columnNameFor(oldQuestion);
    const QString to = columnNameFor(newQuestion);
    return changeTable(table, [&](AnswersStore& store) -> Result<void> {
        if (from == to)
            return {};
        return store.renameColumn(table.tableName, from, to);
    });
}

bool CreateDatabase(const QString& databasePath, QString* error)
{
    const auto made = createAnswersStore(databasePath);
    if (!made && error)
        *error = made.error().detail;
    return made.ok();
}

bool createFormTable(const QString& databasePath, const QString& tableName, QString* error)
{
    const auto store = openAnswersStore(databasePath);
    Result<void> made = store ? (*store)->createTable(tableName, QStringLiteral("Form Question")) : store.error();
    if (!made && error)
        *error = made.error().detail;
    return made.ok();
}

} // namespace quenlow
