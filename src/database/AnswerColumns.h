// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QList>
#include <QString>

#include <optional>

namespace quenlow {

/// Where a form's answers live: the answers store's location, the form's
/// table, and the page file name the messages speak of.
struct AnswerTable {
    QString databasePath;
    QString tableName;
    QString pageFile;

    static AnswerTable forForm(const QString& store, const QString& formName, const QString& pageFile);
};

/// The first 64 characters of `text` (never splitting a surrogate pair).
QString fitColumnName(const QString& text);
/// The column and field name of a question: the text itself up to 64 characters, else FitColumnName.
QString columnNameFor(const QString& question);

/// `name` as the engine compares column names: ASCII letters folded to lower
/// case, everything else as it is.
QString foldAscii(const QString& name);

/// The text that rows which existed before a column was added hold in it.
QString columnAddedMarker();

/// Adds the answers column of a new question (a memo column for long text). Rows
/// already stored hold columnAddedMarker() in it. NotFound when the table is
/// missing, Duplicate when the name is taken.
Result<void> addAnswerColumn(const AnswerTable& table, const QString& question, bool memo);
/// True when the form's table holds answers (removing a column then loses some).
Result<bool> answersStored(const AnswerTable& table);
/// Removes the column of `question`.
Result<void> removeAnswerColumn(const AnswerTable& table, const QString& question);
/// Gives the column of `oldQuestion` the name of `newQuestion`; Duplicate when that is taken.
Result<void> renameAnswerColumn(
    const AnswerTable& table, const QString& oldQuestion, const QString& newQuestion);

/// A question's column as its form's files have it.
struct QuestionColumn {
    QString question;
    bool memo = false; // "Text Area"
};

/// A column rename the table may have taken before the form's files did.
struct ColumnRename {
    QString fromQuestion;
    QString toQuestion;
};

/// Puts the answers table back in step with the questions of its form's
/// files after the designer stopped between changing one and the other:
/// undoes `interrupted` when the files still name its old question, gives
/// every question its column (older rows get the added-column marker), and
/// drops the columns no question owns that hold no answers. A column with
/// answers is never dropped. Nothing is shown; false when the table is
/// missing or could not be changed.
bool reconcileAnswerColumns(const AnswerTable& table, const QList<QuestionColumn>& questions,
    const std::optional<ColumnRename>& interrupted);

/// Whether the table has the column of `question`; nullopt when the table
/// cannot be read.
std::optional<bool> answerColumnExists(const AnswerTable& table, const QString& question);

/// Creates the answers store at `databasePath`: an embedded database file, or
/// the tables on a database server (Duplicate when one is there).
Result<void> createDatabase(const QString& databasePath);

/// Creates a form's table with its one column "Form Question"; Duplicate when
/// the name is taken, another error when it is refused or the database cannot
/// be opened.
Result<void> createFormTable(const QString& databasePath, const QString& tableName);

} // namespace quenlow
