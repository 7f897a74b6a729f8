// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QString>

namespace quenlow {

/// Where a form's answers live: the database file, the form's table, and the page file name the messages speak of.
struct AnswerTable {
    QString databasePath;
    QString tableName;
    QString pageFile;

    static AnswerTable forForm(const QString& appFolder, const QString& formName, const QString& pageFile);
};

/// The first 64 characters of `text` (never splitting a surrogate pair).
QString FitColumnName(const QString& text);
/// The column and field name of a question: the text itself up to 64 characters, else FitColumnName.
QString columnNameFor(const QString& question);
/// True for the kinds that own an answers column.
bool isQuestionKind(const QString& methodType);

/// The text that rows which existed before a column was added hold in it.
QString columnAddedMarker();

/// Adds the answers column of a new question; memo for "Text Area". Rows
/// already stored hold columnAddedMarker() in it. NotFound when the table is
/// missing, Duplicate when the name is taken.
Result<void> AddAnswerColumn(const AnswerTable& table, const QString& question, const QString& methodType);
/// True when the form's table holds answers (removing a column then loses some).
Result<bool> answersStored(const AnswerTable& table);
/// Removes the column of `question`.
Result<void> RemoveAnswerColumn(const AnswerTable& table, const QString& question);
/// Gives the column of `oldQuestion` the name of `newQuestion`; Duplicate when that is taken.
Result<void> RenameAnswerColumn(const AnswerTable& table, const QString& oldQuestion, const QString& newQuestion);

/// Creates the answers database file. Returns false with `error` set when it cannot.
bool CreateDatabase(const QString& databasePath, QString* error = nullptr);

/// Creates a form's table with its one column "Form Question"; false when the
/// name is taken or refused (or the database cannot be opened), with `error` set.
bool createFormTable(const QString& databasePath, const QString& tableName, QString* error = nullptr);

} // namespace quenlow
