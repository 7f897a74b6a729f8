// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswerColumns.h"

#include "core/Messages.h"
#include "database/AnswersDatabase.h"

#include <QHash>
#include <QSet>

namespace quenlow {

namespace {

constexpr int kColumnNameLength = 64;
// The column every table is created with; no question owns it.
const QString kOwnColumn = QStringLiteral("Form Question");

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

// The engine compares column names without regard to ASCII case only.
QString foldAscii(QString text)
{
    for (QChar& c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return text;
}

struct ColumnRepairs {
    std::optional<std::pair<QString, QString>> renameBack; // column as it is now -> as the files name it
    QList<QuestionColumn> add;                              // with column names
    QStringList drop;
    bool isEmpty() const { return !renameBack && add.isEmpty() && drop.isEmpty(); }
};

// What reconcileAnswerColumns must change in the table as it is now;
// nullopt when the table cannot be read.
std::optional<ColumnRepairs> planRepairs(AnswersDatabase& db, const QString& table,
                                         const QList<QuestionColumn>& questions,
                                         const std::optional<ColumnRename>& interrupted)
{
    QHash<QString, QString> existing; // folded -> as stored
    for (const AnswersDatabase::Column& c : db.columns(table))
        existing.insert(foldAscii(c.name), c.name);
    if (existing.isEmpty())
        return std::nullopt;
    QSet<QString> wanted;
    for (const QuestionColumn& q : questions)
        wanted.insert(foldAscii(columnNameFor(q.question)));

    ColumnRepairs repairs;
    if (interrupted) {
        const QString from = columnNameFor(interrupted->fromQuestion);
        const QString foldedFrom = foldAscii(from);
        const QString foldedTo = foldAscii(columnNameFor(interrupted->toQuestion));
        // The table took the rename, the files did not: the answers go back
        // under the question the form still has.
        if (foldedFrom != foldedTo && wanted.contains(foldedFrom) && !wanted.contains(foldedTo)
            && existing.contains(foldedTo) && !existing.contains(foldedFrom)) {
            repairs.renameBack = std::make_pair(existing.take(foldedTo), from);
            existing.insert(foldedFrom, from);
        }
    }
    for (const QuestionColumn& q : questions) {
        const QString column = columnNameFor(q.question);
        if (!existing.contains(foldAscii(column))) {
            repairs.add.append({column, q.memo});
            existing.insert(foldAscii(column), column);
        }
    }
    // A form with more questions than a table can hold columns cannot be put in step; say so at once.
    if (existing.size() > db.columnLimit())
        return std::nullopt;
    for (auto it = existing.cbegin(); it != existing.cend(); ++it) {
        if (wanted.contains(it.key()) || it.key() == foldAscii(kOwnColumn))
            continue;
        const std::optional<bool> holdsAnswers = db.holdsValueOtherThan(table, it.value(), columnAddedMarker());
        if (!holdsAnswers)
            return std::nullopt;
        if (!*holdsAnswers)
            repairs.drop.append(it.value());
    }
    return repairs;
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

std::optional<bool> answerColumnExists(const AnswerTable& table, const QString& question)
{
    auto db = AnswersDatabase::open(table.databasePath);
    if (!db || !db->tableExists(table.tableName))
        return std::nullopt;
    return db->hasColumn(table.tableName, columnNameFor(question));
}

bool reconcileAnswerColumns(const AnswerTable& table, const QList<QuestionColumn>& questions,
                            const std::optional<ColumnRename>& interrupted)
{
    auto db = AnswersDatabase::open(table.databasePath);
    if (!db || !db->tableExists(table.tableName))
        return false;
    std::optional<ColumnRepairs> repairs = planRepairs(*db, table.tableName, questions, interrupted);
    if (!repairs)
        return false;
    if (repairs->isEmpty())
        return true;
    // Plan again under the write lock: the service may have stored answers since.
    if (!db->begin())
        return false;
    repairs = planRepairs(*db, table.tableName, questions, interrupted);
    bool done = repairs.has_value();
    if (done && repairs->renameBack)
        done = db->renameColumn(table.tableName, repairs->renameBack->first, repairs->renameBack->second);
    const qint64 rows = done ? db->rowCount(table.tableName) : -1;
    done = done && rows >= 0;
    for (qsizetype i = 0; done && i < repairs->add.size(); ++i) {
        const QuestionColumn& c = repairs->add.at(i);
        done = db->addColumn(table.tableName, c.question, c.memo)
            && (rows == 0 || db->setColumnInAllRows(table.tableName, c.question, columnAddedMarker()));
    }
    for (qsizetype i = 0; done && i < repairs->drop.size(); ++i)
        done = db->dropColumn(table.tableName, repairs->drop.at(i));
    if (!done || !db->commit()) {
        db->rollback();
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
