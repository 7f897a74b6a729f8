// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/ElementOperations.h"

#include "core/Messages.h"
#include "database/AnswerColumns.h"
#include "model/CollectionFile.h"
#include "model/FormRepair.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "model/QuestionNames.h"

namespace quenlow {

namespace {

QString key(int position)
{
    return QString::number(position);
}

bool isLineOrText(const QString& methodType)
{
    return methodType == Kind::line() || methodType == Kind::plainText();
}

// The form's question names other than the one at `except` (-1: none).
QStringList otherQuestions(const FormSession& session, int except)
{
    QStringList names;
    for (int i = 0; i < session.collection.count(); ++i) {
        const FormMethod& m = session.collection.atPosition(i);
        if (i != except && isQuestionKind(m.methodType))
            names.append(m.userInstruction);
    }
    return names;
}

// Refuses, with the reason, a new name the posted answers could not be told from.
bool nameIsUsable(const FormSession& session, const QString& question, int except)
{
    const QString clash = questionNameClash(question, otherQuestions(session, except));
    if (clash.isEmpty())
        return true;
    showExclamation(clash);
    return false;
}

void changeNotRecorded(const FormSession& session, const FileResult& noted)
{
    showExclamation(QStringLiteral("The change cannot be made: it could not be recorded in '")
                    + session.collectionsFolder() + QStringLiteral("' (") + noted.error().detail
                    + QStringLiteral("). Nothing has been changed."));
}

void noneSelected()
{
    showExclamation(QStringLiteral("Sorry, but you don't have a method selected."));
}

// The messages for a change of an answers column that failed; true when it did not.
bool columnChanged(const AnswerTable& table, const QString& question, const Result<void>& changed, const QString& verb)
{
    if (changed)
        return true;
    switch (changed.error().kind) {
    case Error::NotFound:
        showExclamation(QStringLiteral("The table containing the data for the form ") + table.pageFile
                        + QStringLiteral(" is missing."));
        break;
    case Error::Duplicate:
        showExclamation(QStringLiteral("You already have a User Instruction called ") + question
                        + QStringLiteral(". Please call it something else."));
        break;
    case Error::Io:
        // The database itself could not be used (missing, unreadable, full).
        showExclamation(QStringLiteral("The answers database '") + table.databasePath
                        + QStringLiteral("' cannot be opened (") + changed.error().detail
                        + QStringLiteral("). Nothing has been changed."));
        break;
    default:
        showExclamation(QStringLiteral("The answers column for '") + question + QStringLiteral("' could not be ")
                        + verb + QStringLiteral(" (") + changed.error().detail
                        + QStringLiteral("). Nothing has been changed."));
        break;
    }
    return false;
}

// Removes the question's column, asking first when answers would be lost.
bool removeColumn(const AnswerTable& table, const QString& question)
{
    const Result<bool> stored = answersStored(table);
    if (!stored)
        return columnChanged(table, question, stored.error(), QStringLiteral("removed"));
    if (*stored
        && !askBeforeDestroying(QStringLiteral("The field '") + question
                                + QStringLiteral("' contains data - Are you sure you wish to remove it ?")))
        return false;
    const Result<void> removed = RemoveAnswerColumn(table, question);
    if (removed.failedWith(Error::NotFound) || removed.failedWith(Error::Io))
        return columnChanged(table, question, removed, QStringLiteral("removed"));
    if (!removed) {
        showExclamation(QStringLiteral("An error occurred removing column '") + question
                        + QStringLiteral("' from the table ") + table.tableName + QStringLiteral("."));
        return false;
    }
    return true;
}

} // namespace

bool InsertMethod(FormSession& session, const FormMethod& method)
{
    if (session.methodCount() >= kMaxElements) {
        showExclamation(QStringLiteral("This form already holds %1 elements, the most a form can hold. "
                                       "Please remove an element before adding another.")
                            .arg(kMaxElements));
        return false;
    }
    if (isQuestionKind(method.methodType)
        && (!nameIsUsable(session, method.userInstruction, -1)
            || !columnChanged(session.answerTable(), method.userInstruction,
                              AddAnswerColumn(session.answerTable(), method.userInstruction, hasMemoColumn(method.methodType)),
                              QStringLiteral("added"))))
        return false;

    // 1-based position of the first submit button, or one past the end.
    int submit = session.collection.count() + 1;
    for (int i = 0; i < session.collection.count(); ++i) {
        if (session.collection.atPosition(i).methodType == Kind::submitButton()) {
            submit = i + 1;
            break;
        }
    }
    const bool hasSubmit = submit <= session.collection.count();

    session.collection.append(key(session.methodCount()), method);
    session.setSelectedRow(session.methodCount() - 1);

    // The moves are those of the "Move Method Up Form" button, checks
    // included; the caller writes the page once at the end.
    if (hasSubmit) {
        for (int presses = session.methodCount() - submit; presses > 0; --presses)
            moveSelectedUp(session, false);
    }
    return true;
}

namespace {

// Pages sent before a rename post the question's old field name; the
// service places those answers by the names kept here. The newest rename
// owns a name, so no two questions ever claim the same old name.
constexpr qsizetype kMaxFormerNames = 20;

void recordRename(FormSession& session, FormMethod& renamed, const QString& oldInstruction)
{
    const QString oldField = foldAscii(columnNameFor(oldInstruction));
    const QString newField = foldAscii(columnNameFor(renamed.userInstruction));
    const auto sameField = [](const QString& folded) {
        return [folded](const QString& name) { return foldAscii(columnNameFor(name)) == folded; };
    };
    renamed.formerNames.removeIf(sameField(newField));
    renamed.formerNames.removeIf(sameField(oldField));
    if (oldField != newField)
        renamed.formerNames.append(oldInstruction);
    while (renamed.formerNames.size() > kMaxFormerNames)
        renamed.formerNames.removeFirst();
    for (int i = 0; i < session.collection.count(); ++i) {
        FormMethod other = session.collection.atPosition(i);
        if (other.userInstruction == oldInstruction || other.formerNames.isEmpty())
            continue;
        if (other.formerNames.removeIf(sameField(oldField)) > 0)
            session.collection.replace(i, other);
    }
}

} // namespace

bool UpdateMethod(FormSession& session, const FormMethod& method, const QString& positionKey)
{
    const int position = session.collection.indexOf(positionKey);
    if (position < 0)
        return false;
    const QString oldInstruction = session.collection.at(positionKey).userInstruction;
    if (method.userInstruction != oldInstruction) {
        if (isQuestionKind(method.methodType)) {
            if (!nameIsUsable(session, method.userInstruction, position))
                return false;
            // Noted first, so a crash before the files follow can be undone when the form is opened.
            if (const FileResult noted = noteColumnChange(session, {oldInstruction, method.userInstruction}); !noted) {
                changeNotRecorded(session, noted);
                return false;
            }
            if (!columnChanged(session.answerTable(), method.userInstruction,
                               RenameAnswerColumn(session.answerTable(), oldInstruction, method.userInstruction),
                               QStringLiteral("renamed"))) {
                forgetColumnChange(session);
                return false;
            }
        }
        FormMethod renamed = method;
        renamed.formerNames = session.collection.atPosition(position).formerNames;
        if (isQuestionKind(method.methodType))
            recordRename(session, renamed, oldInstruction);
        // The row shows the new instruction, whatever label it had.
        session.collection.replace(position, renamed, QString());
        session.setSelectedRow(position);
        return true;
    }
    // The editors know nothing of earlier names: they stay with the question.
    FormMethod updated = method;
    updated.formerNames = session.collection.atPosition(position).formerNames;
    session.collection.replace(position, updated);
    return true;
}

bool MoveMethod(FormSession& session, const QString& upperKey, const QString& lowerKey)
{
    const FormMethod upper = session.collection.at(upperKey);
    if (upper.methodType == Kind::header()) {
        showExclamation(QStringLiteral("Sorry but you cannot move the Form Header - it must remain at the top of the form"));
        return false;
    }
    session.collection.swap(session.collection.indexOf(upperKey), session.collection.indexOf(lowerKey));
    return true;
}

bool NextElementNumber(FormSession& session)
{
    if (session.elementCounter >= kMaxElements) {
        showExclamation(QStringLiteral("The element counter of this form has reached its limit of %1.").arg(kMaxElements));
        return false;
    }
    ++session.elementCounter;
    if (session.collection.isEmpty())
        return true;
    FormMethod header = session.collection.atPosition(0);
    if (header.attribute6List.size() >= 4)
        header.attribute6List.removeAt(3);
    header.attribute6List.append(printNumber(session.elementCounter));
    session.collection.replace(0, header);
    return true;
}

bool moveSelectedUp(FormSession& session, bool writePage)
{
    const int i = session.selectedRow();
    if (i == -1) {
        noneSelected();
        return false;
    }
    const QString type = session.collection.at(key(i)).methodType;
    if (type == Kind::header()) {
        showExclamation(QStringLiteral("You cannot move the Header."));
        return false;
    }
    if (i - 1 < 1) {
        showExclamation(QStringLiteral("Can't move method above the HTML Header !"));
        return false;
    }
    if (type == Kind::submitButton() && !isLineOrText(session.collection.at(key(i - 1)).methodType)) {
        showExclamation(QStringLiteral("You cannot move the Submit Button above this Form Element."));
        return false;
    }
    if (!MoveMethod(session, key(i - 1), key(i)))
        return false;
    session.setSelectedRow(i - 1);
    return !writePage || WriteFormPage(session, session.htmlName());
}

bool moveSelectedDown(FormSession& session)
{
    const int i = session.selectedRow();
    if (i == -1) {
        noneSelected();
        return false;
    }
    if (i + 1 >= session.methodCount()) {
        showExclamation(QStringLiteral("Can't move method there - You've reached the end of the collection !"));
        return false;
    }
    const QString type = session.collection.at(key(i)).methodType;
    if (type == Kind::header()) {
        showExclamation(QStringLiteral("You cannot move the Header."));
        return false;
    }
    if (session.collection.at(key(i + 1)).methodType == Kind::submitButton() && !isLineOrText(type)) {
        showExclamation(QStringLiteral("You cannot move this Form Element below the Submit Button"));
        return false;
    }
    if (!MoveMethod(session, key(i), key(i + 1)))
        return false;
    session.setSelectedRow(i + 1);
    return WriteFormPage(session, session.htmlName());
}

bool removeSelected(FormSession& session)
{
    const int i = session.selectedRow();
    if (i == -1) {
        noneSelected();
        return false;
    }
    const FormMethod& m = session.collection.at(key(i));
    const QString type = m.methodType;
    if (type == Kind::submitButton() || type == Kind::header()) {
        showExclamation(QStringLiteral("You cannot remove '") + type
                        + QStringLiteral("' Methods since they are essential. You can however edit and move them as you wish."));
        return false;
    }
    if (!isLineOrText(type)) {
        // Noted first, so a crash before the files follow is finished when the form is opened.
        if (const FileResult noted = noteColumnChange(session, {m.userInstruction, {}}); !noted) {
            changeNotRecorded(session, noted);
            return false;
        }
        if (!removeColumn(session.answerTable(), m.userInstruction)) {
            forgetColumnChange(session);
            return false;
        }
    }
    session.collection.remove(key(i));
    // Close the gap in the keys at once, so the list stays sound even when
    // the save below fails; the reload then reads the same order back.
    session.collection.renumber();
    if (!SaveCollectionFile(session))
        return false;
    LoadForm(session, session.appFolder(), session.htmlName());
    return true;
}

} // namespace quenlow
