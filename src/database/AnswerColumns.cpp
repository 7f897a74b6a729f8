// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswerColumns.h"

#include "database/AnswersDatabase.h"
#include "database/AnswersStore.h"

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
        return Error{Error::NotFound, QStringLiteral("there is no table %1").arg(table.tableName)};
    Result<void> done = change(**store);
    if (done.failedWith(Error::NotFound))
        return Error{Error::Other, done.error().detail};
    return done;
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

QString columnAddedMarker()
{
    return QStringLiteral("*Column added after this answer*");
}

Result<void> AddAnswerColumn(const AnswerTable& table, const QString& question, bool memo)
{
    const auto kind = memo ? AnswersStore::ColumnKind::Memo
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
