// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormRepair.h"

#include "database/AnswerColumns.h"
#include "model/FormSession.h"
#include "model/OwnedColumns.h"

#include <QFile>

#include <optional>

namespace quenlow {

namespace {

QString notePath(const FormSession& session, const QString& formName)
{
    return session.collectionsFolder() + formName + QStringLiteral("Changing.txt");
}

std::optional<ColumnChange> readNote(const QString& path)
{
    QByteArray bytes;
    if (!QFile::exists(path) || !readWholeFile(path, &bytes))
        return std::nullopt;
    const QStringList lines = decodeText(bytes).split(QStringLiteral("\r\n"));
    if (lines.size() != 3 || lines.at(0).isEmpty() || !lines.at(2).isEmpty())
        return std::nullopt;
    return ColumnChange { lines.at(0), lines.at(1) };
}

// Position of the question whose column is that of `question`, or -1.
qsizetype questionOf(const QList<FormMethod>& methods, const QString& question)
{
    const QString column = columnNameFor(question);
    for (qsizetype i = 0; i < methods.size(); ++i) {
        if (isQuestionKind(methods.at(i).kind) && columnNameFor(methods.at(i).userInstruction) == column)
            return i;
    }
    return -1;
}

// Removes the note at `path`; fails when it is still there.
FileResult removeNote(const QString& path)
{
    QFile note(path);
    if (note.remove() || !note.exists())
        return {};
    return fileError(note.errorString());
}

} // namespace

FileResult noteColumnChange(const FormSession& session, const ColumnChange& change)
{
    return writeFileAtomically(notePath(session, session.openFormName()),
        encodeText(
            change.fromQuestion + QStringLiteral("\r\n") + change.toQuestion + QStringLiteral("\r\n")));
}

FileResult forgetColumnChange(const FormSession& session)
{
    return removeNote(notePath(session, session.openFormName()));
}

FileResult settleColumnChange(const FormSession& session, const QList<FormMethod>& saved)
{
    const QString path = notePath(session, session.openFormName());
    if (!QFile::exists(path))
        return {};
    const std::optional<ColumnChange> note = readNote(path);
    if (!note || questionOf(saved, note->fromQuestion) < 0
        || (!note->toQuestion.isEmpty() && questionOf(saved, note->toQuestion) >= 0))
        return removeNote(path);
    return {};
}

FileResult bringAnswersTableInStep(
    const FormSession& session, const QString& formName, const QString& pageFile, QList<FormMethod>& methods)
{
    const AnswerTable table = AnswerTable::forForm(session.databasePath(), formName, pageFile);
    const QString path = notePath(session, formName);
    const std::optional<ColumnChange> note = readNote(path);
    std::optional<ColumnRename> rename;
    if (note && !note->toQuestion.isEmpty()) {
        rename = ColumnRename { note->fromQuestion, note->toQuestion };
    } else if (note) {
        // The user confirmed the removal and the table has dropped the answers:
        // the question goes from the form as well.
        const qsizetype removed = questionOf(methods, note->fromQuestion);
        if (removed >= 0 && answerColumnExists(table, note->fromQuestion) == false)
            methods.removeAt(removed);
    }
    QList<QuestionColumn> questions;
    for (const FormMethod& m : std::as_const(methods)) {
        for (const OwnedColumn& column : answerColumnsOf(m))
            questions.append({ column.source, column.memo });
    }
    if (!reconcileAnswerColumns(table, questions, rename))
        return fileError(QStringLiteral("the answers table could not be brought in step with the questions"));
    return note ? removeNote(path) : FileResult {};
}

} // namespace quenlow
