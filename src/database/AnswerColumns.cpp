// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswerColumns.h"

#include "core/Messages.h"
#include "database/AnswersDatabase.h"

namespace quenlow {

namespace {

constexpr int kColumnNameLength = 64;

void tableMissing(const AnswerTable& table)
{
    showExclamation(QStringLiteral("The table containing the data for the form ") + table.pageFile
                    + QStringLiteral(" is missing."));
}

void nameTaken(const QString& question)
{
    showExclamation(QStringLiteral("You already have a User Instruction called ") + question
                    + QStringLiteral(". Please call it something else."));
}

void databaseUnavailable(const AnswerTable& table, const QString& reason)
{
    showExclamation(QStringLiteral("The answers database '") + table.databasePath
                    + QStringLiteral("' cannot be opened (") + reason
                    + QStringLiteral("). Nothing has been changed."));
}

// Opens the database and checks the table; shows the message itself when either is missing.
std::unique_ptr<AnswersDatabase> openTable(const AnswerTable& table)
{
    QString error;
    auto db = AnswersDatabase::open(table.databasePath, &error);
    if (!db) {
        databaseUnavailable(table, error);
        return nullptr;
    }
    if (!db->tableExists(table.tableName)) {
        tableMissing(table);
        return nullptr;
    }
    return db;
}

} // namespace

AnswerTable AnswerTable::forForm(const QString& appFolder, const QString& formName, const QString& pageFile)
{
    return {AnswersDatabase::pathIn(appFolder), QStringLiteral("tbl_") + formName, pageFile};
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

bool AddAnswerColumn(const AnswerTable& table, const QString& question, const QString& methodType)
{
    const QString column = columnNameFor(question);
    auto db = openTable(table);
    if (!db)
        return false;
    // One transaction: the column and the filler in older rows come together or not at all.
    if (!db->begin()) {
        databaseUnavailable(table, db->lastError());
        return false;
    }
    if (!db->addColumn(table.tableName, column, methodType == QLatin1StringView("Text Area"))) {
        db->rollback();
        nameTaken(question);
        return false;
    }
    const qint64 rows = db->rowCount(table.tableName);
    if (rows < 0 || (rows > 0 && !db->setColumnInAllRows(table.tableName, column, columnAddedMarker()))) {
        db->rollback();
        nameTaken(question);
        return false;
    }
    if (!db->commit()) {
        db->rollback();
        nameTaken(question);
        return false;
    }
    return true;
}

bool RemoveAnswerColumn(const AnswerTable& table, const QString& question)
{
    const QString column = columnNameFor(question);
    auto db = openTable(table);
    if (!db)
        return false;
    if (db->rowCount(table.tableName) > 0
        && !askBeforeDestroying(QStringLiteral("The field '") + question
                     + QStringLiteral("' contains data - Are you sure you wish to remove it ?"))) {
        return false;
    }
    if (!db->begin() || !db->dropColumn(table.tableName, column) || !db->commit()) {
        db->rollback();
        showExclamation(QStringLiteral("An error occurred removing column '") + question
                        + QStringLiteral("' from the table ") + table.tableName + QStringLiteral("."));
        return false;
    }
    return true;
}

bool RenameAnswerColumn(const AnswerTable& table, const QString& oldQuestion, const QString& newQuestion)
{
    const QString from = columnNameFor(oldQuestion);
    const QString to = columnNameFor(newQuestion);
    auto db = openTable(table);
    if (!db)
        return false;
    if (from == to)
        return true;
    if (!db->begin() || !db->renameColumn(table.tableName, from, to) || !db->commit()) {
        db->rollback();
        nameTaken(newQuestion);
        return false;
    }
    return true;
}

bool CreateDatabase(const QString& databasePath, QString* error)
{
    return AnswersDatabase::create(databasePath, error) != nullptr;
}

bool createFormTable(const QString& databasePath, const QString& tableName, QString* error)
{
    auto db = AnswersDatabase::open(databasePath, error);
    if (!db)
        return false;
    if (!db->createTable(tableName, QStringLiteral("Form Question"))) {
        if (error)
            *error = db->lastError();
        return false;
    }
    return true;
}

} // namespace quenlow
