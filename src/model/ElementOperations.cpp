// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/ElementOperations.h"
#include "model/Piping.h"

#include "database/AnswerColumns.h"
#include "model/CollectionFile.h"
#include "model/FormRepair.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "model/Fragments.h"
#include "model/OwnedColumns.h"
#include "model/PageWriter.h"
#include "model/QuestionNames.h"
#include "model/QuestionSettings.h"

namespace quenlow {

namespace {

bool isLineOrText(ElementKind kind)
{
    return kind == ElementKind::Line || kind == ElementKind::PlainText;
}

// The form's question names other than the one at `except` (-1: none).
QStringList otherQuestions(const FormSession& session, int except)
{
    QStringList names;
    for (int i = 0; i < session.collection().count(); ++i) {
        const FormMethod& m = session.collection().atPosition(i);
        if (i != except)
            names.append(columnSourcesOf(m));
    }
    return names;
}

// Refuses, with the reason, a new name the posted answers could not be told from.
Outcome nameIsUsable(const QStringList& others, const QString& question)
{
    const auto usable = checkQuestionName(question, others);
    if (usable)
        return {};
    const NameClash& clash = usable.error();
    Notice refusal { Notice::Kind::NameClash, question, clash.field, {} };
    if (clash.kind == NameClash::KindField)
        refusal.names = { clash.otherQuestion };
    return refusal;
}

Outcome nameIsUsable(const FormSession& session, const QString& question, int except)
{
    return nameIsUsable(otherQuestions(session, except), question);
}

// The columns an element with several of them names, each usable beside the
// form's other questions (but the element at `except`) and its own other columns.
Outcome columnNamesUsable(const FormSession& session, const QList<OwnedColumn>& columns, int except)
{
    QStringList others = otherQuestions(session, except);
    // Taken by another question, or by another of its own: compared as the engine compares names.
    QStringList folded;
    for (const QString& other : std::as_const(others))
        folded.append(foldAscii(columnNameFor(other)));
    for (const OwnedColumn& column : columns) {
        if (Outcome usable = nameIsUsable(others, column.source); !usable)
            return usable;
        if (folded.contains(foldAscii(column.name)))
            return Notice { Notice::Kind::QuestionTaken, column.source, {}, {} };
        folded.append(foldAscii(column.name));
        others.append(column.source);
    }
    return {};
}

Outcome changeNotRecorded(const FormSession& session, const FileResult& noted)
{
    return Notice { Notice::Kind::ChangeNotNoted, {}, session.collectionsFolder(), noted.error().detail };
}

// Why a change of an answers column failed; done when it did not.
Outcome columnChanged(
    const AnswerTable& table, const QString& question, const Result<void>& changed, Notice::Column column)
{
    if (changed)
        return {};
    switch (changed.error().kind) {
    case Error::NotFound:
        return Notice { Notice::Kind::TableMissing, question, table.pageFile, {} };
    case Error::Duplicate:
        return Notice { Notice::Kind::QuestionTaken, question, {}, {} };
    case Error::Io:
        // The database itself could not be used (missing, unreadable, full).
        return Notice { Notice::Kind::DatabaseUnusable, question, table.databasePath,
            changed.error().detail };
    default:
        return Notice { Notice::Kind::ColumnNotChanged, question, {}, changed.error().detail, column };
    }
}

// Removes the question's column; when answers would be lost, only with `answersMayGo`.
Outcome removeColumn(const AnswerTable& table, const QString& question, bool answersMayGo)
{
    const Result<bool> stored = answersStored(table);
    if (!stored)
        return columnChanged(table, question, stored.error(), Notice::Column::Removed);
    if (*stored && !answersMayGo)
        return Notice { Notice::Kind::RemoveAnswers, question, {}, {} };
    const Result<void> removed = removeAnswerColumn(table, question);
    if (removed.failedWith(Error::NotFound) || removed.failedWith(Error::Io))
        return columnChanged(table, question, removed, Notice::Column::Removed);
    if (!removed)
        return Notice { Notice::Kind::ColumnNotRemoved, question, table.tableName, {} };
    return {};
}

// A question asked only after an answer to `question`, which the form no
// longer has, could never be asked again: it is asked always.
// A question asked only when `question` has an answer it does not offer
// (none, once it is removed) would never be asked again: it is asked always.
void askAlwaysWhatCannotHold(FormSession& session, Outcome& outcome, Notice::Kind told,
    const QString& question, const QStringList& offered)
{
    QStringList freed;
    for (int i = 0; i < session.collection().count(); ++i) {
        FormMethod other = session.collection().atPosition(i);
        if (other.settings.isEmpty())
            continue;
        QuestionSettings settings = questionSettingsOf(other);
        if (settings.condition.always() || settings.condition.question != question
            || offered.contains(settings.condition.answer))
            continue;
        settings.condition = {};
        setQuestionSettings(other, settings);
        session.changeableCollection().replace(i, other);
        freed.append(other.userInstruction);
    }
    if (!freed.isEmpty()) {
        Notice notice { told, question, {}, {} };
        notice.names = freed;
        outcome.warn(notice);
    }
}

Outcome askAlwaysWhatItNoLongerAwaits(FormSession& session, const FormMethod& question)
{
    Outcome outcome;
    if (const auto choice = conditionChoice(question))
        askAlwaysWhatCannotHold(
            session, outcome, Notice::Kind::AskedAlwaysAfterEdit, choice->question, choice->answers);
    return outcome;
}

// Quotas count one question's answers: they follow the question through a
// rename, and an option renamed in place (the same number of options, only
// that one changed); a quota whose question or answer went goes too, and the
// outcome says which. `now` is the question after the change, none once removed.
void followQuotas(
    FormSession& session, Outcome& outcome, const FormMethod& before, const std::optional<FormMethod>& now)
{
    if (session.collection().isEmpty() || session.collection().atPosition(0).kind != ElementKind::Header)
        return;
    const std::optional<ConditionChoice> was = conditionChoice(before);
    if (!was)
        return;
    FormMethod header = session.collection().atPosition(0);
    FormSettings settings = formSettingsOf(header);
    const FormSettings original = settings;
    const std::optional<ConditionChoice> is = now ? conditionChoice(*now) : std::nullopt;
    const bool inPlace
        = is && was && now->kind != ElementKind::Scale && is->answers.size() == was->answers.size();
    QStringList dropped;
    for (qsizetype i = 0; i < settings.quotas.size();) {
        FormQuota& quota = settings.quotas[i];
        if (quota.question != before.userInstruction) {
            ++i;
            continue;
        }
        if (is && !is->box) {
            quota.question = is->question;
            if (is->answers.contains(quota.answer)) {
                ++i;
                continue;
            }
            const qsizetype at = inPlace ? was->answers.indexOf(quota.answer) : -1;
            if (at >= 0 && !was->answers.contains(is->answers.at(at))) {
                quota.answer = is->answers.at(at);
                ++i;
                continue;
            }
        }
        dropped.append(quota.answer);
        settings.quotas.removeAt(i);
    }
    if (settings == original)
        return;
    setFormSettings(header, settings);
    session.changeableCollection().replace(0, header);
    if (!dropped.isEmpty()) {
        Notice notice { Notice::Kind::QuotasDropped, before.userInstruction, {}, {} };
        notice.names = dropped;
        outcome.warn(notice);
    }
}

} // namespace

int insertPosition(const FormSession& session)
{
    for (int i = 0; i < session.collection().count(); ++i) {
        if (session.collection().atPosition(i).kind == ElementKind::SubmitButton)
            return i;
    }
    return session.collection().count();
}

QList<ConditionChoice> conditionChoices(const FormSession& session, int position)
{
    QList<ConditionChoice> choices;
    const int end = qMin(position, session.collection().count());
    for (int i = 0; i < end; ++i) {
        if (const auto choice = conditionChoice(session.collection().atPosition(i)))
            choices.append(*choice);
    }
    return choices;
}

namespace {

// Adds the columns of an element that owns several; none stays when one cannot be added.
Outcome addOwnedColumns(const AnswerTable& table, const QList<OwnedColumn>& columns)
{
    QStringList added;
    for (const OwnedColumn& column : columns) {
        Outcome done = columnChanged(
            table, column.source, addAnswerColumn(table, column.source, column.memo), Notice::Column::Added);
        if (!done) {
            for (const QString& source : std::as_const(added))
                (void)removeAnswerColumn(table, source);
            return done;
        }
        added.append(column.source);
    }
    return {};
}

// An element with several columns edited: a column whose name stays keeps its
// answers; one that came is added, or taken back when the table still holds it
// from before; one that went is dropped unless the table holds answers, which
// are never lost to an edit (nor moved under another statement by guessing a rename).
Outcome changeOwnedColumns(
    const AnswerTable& table, const QList<OwnedColumn>& before, const QList<OwnedColumn>& after)
{
    const auto namesOf = [](const QList<OwnedColumn>& columns) {
        QStringList names;
        for (const OwnedColumn& column : columns)
            names.append(foldAscii(column.name));
        return names;
    };
    const QStringList beforeNames = namesOf(before);
    const QStringList afterNames = namesOf(after);
    QList<OwnedColumn> came;
    for (const OwnedColumn& column : after) {
        if (!beforeNames.contains(foldAscii(column.name)) && answerColumnExists(table, column.source) != true)
            came.append(column);
    }
    if (Outcome added = addOwnedColumns(table, came); !added)
        return added;
    if (answersStored(table).valueOr(true))
        return {};
    for (const OwnedColumn& column : before) {
        if (!afterNames.contains(foldAscii(column.name)))
            (void)removeAnswerColumn(table, column.source);
    }
    return {};
}

} // namespace

Outcome insertMethod(FormSession& session, const FormMethod& method)
{
    if (session.methodCount() >= kMaxElements)
        return Outcome::refused(Notice::Kind::FormFull);
    // An answer can be shown only after it was given.
    if (const auto later = pipedFromLater(session.collection(), method, insertPosition(session)))
        return Notice { Notice::Kind::PipedFromLater, *later, {}, {} };
    if (ownsSeveralColumns(method)) {
        const QList<OwnedColumn> columns = answerColumnsOf(method);
        if (Outcome usable = columnNamesUsable(session, columns, -1); !usable)
            return usable;
        if (Outcome added = addOwnedColumns(session.answerTable(), columns); !added)
            return added;
    } else if (isQuestionKind(method.kind)) {
        if (Outcome usable = nameIsUsable(session, method.userInstruction, -1); !usable)
            return usable;
        const QList<OwnedColumn> extra = extraColumnsOf(method);
        if (Outcome usable = columnNamesUsable(session, extra, -1); !usable)
            return usable;
        if (Outcome added = columnChanged(session.answerTable(), method.userInstruction,
                addAnswerColumn(session.answerTable(), method.userInstruction, hasMemoColumn(method.kind)),
                Notice::Column::Added);
            !added)
            return added;
        if (Outcome added = addOwnedColumns(session.answerTable(), extra); !added) {
            (void)removeAnswerColumn(session.answerTable(), method.userInstruction);
            return added;
        }
    }

    // 1-based position of the first submit button, or one past the end.
    const int submit = insertPosition(session) + 1;
    const bool hasSubmit = submit <= session.collection().count();

    session.changeableCollection().append(method);
    session.setSelectedRow(session.methodCount() - 1);

    // The moves are those of the "Move Method Up Form" button, checks
    // included; the caller writes the page once at the end.
    Outcome outcome;
    if (hasSubmit) {
        for (int presses = session.methodCount() - submit; presses > 0; --presses)
            outcome.tellAlso(moveSelectedUp(session, false));
    }
    return outcome;
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
    for (int i = 0; i < session.collection().count(); ++i) {
        FormMethod other = session.collection().atPosition(i);
        if (other.userInstruction == oldInstruction)
            continue;
        // A header's former names are the form's, not its questions'.
        bool changed
            = other.kind != ElementKind::Header && other.formerNames.removeIf(sameField(oldField)) > 0;
        // A question asked only after this one's answer keeps asking after it:
        // under the old name it would wait for a field the page no longer has.
        if (!other.settings.isEmpty()) {
            QuestionSettings settings = questionSettingsOf(other);
            if (!settings.condition.always() && settings.condition.question == oldInstruction) {
                settings.condition.question = renamed.userInstruction;
                setQuestionSettings(other, settings);
                changed = true;
            }
        }
        if (changed)
            session.changeableCollection().replace(i, other);
    }
}

// The later texts that show the renamed question's answer name it anew. Each
// is an edit of its own (a question's text is its column's name), made after
// the form's file has caught up with the one before, so that a crash leaves
// at most one change to undo.
Outcome renamePiped(FormSession& session, const QString& from, const QString& to, int position)
{
    Outcome outcome;
    for (int i = position + 1; i < session.collection().count(); ++i) {
        const std::optional<FormMethod> renamed
            = withPipeRenamed(session.collection().atPosition(i), from, to);
        if (!renamed)
            continue;
        if (Outcome saved = saveCollectionFile(session); !saved)
            return saved;
        outcome.tellAlso(updateMethod(session, *renamed, i));
    }
    return outcome;
}

} // namespace

Outcome updateMethod(FormSession& session, const FormMethod& method, int position)
{
    if (position < 0 || position >= session.collection().count())
        return Outcome::notDone();
    const FormMethod before = session.collection().atPosition(position);
    const QString oldInstruction = before.userInstruction;
    if (const auto later = pipedFromLater(session.collection(), method, position))
        return Notice { Notice::Kind::PipedFromLater, *later, {}, {} };
    if (ownsSeveralColumns(method)) {
        // Its own text names no column: only its columns' names matter.
        const QList<OwnedColumn> after = answerColumnsOf(method);
        if (Outcome usable = columnNamesUsable(session, after, position); !usable)
            return usable;
        if (Outcome changed = changeOwnedColumns(
                session.answerTable(), answerColumnsOf(session.collection().atPosition(position)), after);
            !changed)
            return changed;
        FormMethod updated = method;
        updated.formerNames = session.collection().atPosition(position).formerNames;
        session.changeableCollection().replace(position, updated, QString());
        session.setSelectedRow(position);
        return {};
    }
    // A check box group's "Other:" column comes and goes with the setting, and follows the group's question.
    if (const QList<OwnedColumn> extra = extraColumnsOf(method), had = extraColumnsOf(before); extra != had) {
        if (Outcome usable = columnNamesUsable(session, extra, position); !usable)
            return usable;
        // Renamed with the group's question, its answers go with it.
        if (Outcome changed = extra.size() == 1 && had.size() == 1
                ? columnChanged(session.answerTable(), extra.constFirst().source,
                    renameAnswerColumn(
                        session.answerTable(), had.constFirst().source, extra.constFirst().source),
                    Notice::Column::Renamed)
                : changeOwnedColumns(session.answerTable(), had, extra);
            !changed)
            return changed;
    }
    if (method.userInstruction != oldInstruction) {
        if (isQuestionKind(method.kind)) {
            if (Outcome usable = nameIsUsable(session, method.userInstruction, position); !usable)
                return usable;
            // Noted first, so a crash before the files follow can be undone when the form is opened.
            if (const FileResult noted
                = noteColumnChange(session, { oldInstruction, method.userInstruction });
                !noted)
                return changeNotRecorded(session, noted);
            if (Outcome renamed = columnChanged(session.answerTable(), method.userInstruction,
                    renameAnswerColumn(session.answerTable(), oldInstruction, method.userInstruction),
                    Notice::Column::Renamed);
                !renamed) {
                // A note left behind is harmless: the opening checks it against the table, which did not
                // change.
                (void)forgetColumnChange(session);
                return renamed;
            }
        }
        FormMethod renamed = method;
        renamed.formerNames = session.collection().atPosition(position).formerNames;
        if (isQuestionKind(method.kind))
            recordRename(session, renamed, oldInstruction);
        // The row shows the new instruction, whatever label it had.
        session.changeableCollection().replace(position, renamed, QString());
        session.setSelectedRow(position);
        Outcome outcome = askAlwaysWhatItNoLongerAwaits(session, renamed);
        followQuotas(session, outcome, before, renamed);
        if (isQuestionKind(method.kind))
            outcome.tellAlso(renamePiped(session, oldInstruction, renamed.userInstruction, position));
        session.setSelectedRow(position);
        return outcome;
    }
    // The editors know nothing of earlier names: they stay with the question.
    FormMethod updated = method;
    updated.formerNames = session.collection().atPosition(position).formerNames;
    session.changeableCollection().replace(position, updated);
    Outcome outcome = askAlwaysWhatItNoLongerAwaits(session, updated);
    followQuotas(session, outcome, before, updated);
    return outcome;
}

Outcome moveMethod(FormSession& session, int upper, int lower)
{
    if (session.collection().atPosition(upper).kind == ElementKind::Header)
        return Outcome::refused(Notice::Kind::HeaderStaysOnTop);
    session.changeableCollection().swap(upper, lower);
    return {};
}

Outcome nextElementNumber(FormSession& session)
{
    if (session.elementCounter() >= kMaxElements)
        return Outcome::refused(Notice::Kind::CounterAtLimit);
    session.setElementCounter(qint16(session.elementCounter() + 1));
    if (session.collection().isEmpty())
        return {};
    FormMethod header = session.collection().atPosition(0);
    if (header.attribute6List.size() >= 4)
        header.attribute6List.removeAt(3);
    header.attribute6List.append(printNumber(session.elementCounter()));
    session.changeableCollection().replace(0, header);
    return {};
}

Outcome moveSelectedUp(FormSession& session, bool writePage)
{
    const int i = session.selectedRow();
    if (i == -1)
        return Outcome::refused(Notice::Kind::NoneSelected);
    const ElementKind type = session.collection().atPosition(i).kind;
    if (type == ElementKind::Header)
        return Outcome::refused(Notice::Kind::HeaderCannotMove);
    if (i - 1 < 1)
        return Outcome::refused(Notice::Kind::AboveHeader);
    if (type == ElementKind::SubmitButton && !isLineOrText(session.collection().atPosition(i - 1).kind))
        return Outcome::refused(Notice::Kind::SubmitAboveElement);
    if (Outcome moved = moveMethod(session, i - 1, i); !moved)
        return moved;
    session.setSelectedRow(i - 1);
    return writePage ? writeFormPage(session, session.htmlName()) : Outcome();
}

Outcome moveSelectedDown(FormSession& session)
{
    const int i = session.selectedRow();
    if (i == -1)
        return Outcome::refused(Notice::Kind::NoneSelected);
    if (i + 1 >= session.methodCount())
        return Outcome::refused(Notice::Kind::EndOfList);
    const ElementKind type = session.collection().atPosition(i).kind;
    if (type == ElementKind::Header)
        return Outcome::refused(Notice::Kind::HeaderCannotMove);
    if (session.collection().atPosition(i + 1).kind == ElementKind::SubmitButton && !isLineOrText(type))
        return Outcome::refused(Notice::Kind::BelowSubmit);
    if (Outcome moved = moveMethod(session, i, i + 1); !moved)
        return moved;
    session.setSelectedRow(i + 1);
    return writeFormPage(session, session.htmlName());
}

Outcome removeSelected(FormSession& session, bool answersMayGo)
{
    const int i = session.selectedRow();
    if (i == -1)
        return Outcome::refused(Notice::Kind::NoneSelected);
    const FormMethod& m = session.collection().atPosition(i);
    const ElementKind type = m.kind;
    if (type == ElementKind::SubmitButton || type == ElementKind::Header)
        return Notice { Notice::Kind::Essential, storedName(type), {}, {} };
    std::optional<FormMethod> heir; // the box that takes over its group's Other answer
    if (ownsSeveralColumns(m)) {
        // Its columns go together: asked once for all of their answers.
        const Result<bool> stored = answersStored(session.answerTable());
        if (!stored)
            return columnChanged(
                session.answerTable(), m.userInstruction, stored.error(), Notice::Column::Removed);
        if (*stored && !answersMayGo)
            return Notice { Notice::Kind::RemoveAnswers, m.userInstruction, {}, {} };
        for (const OwnedColumn& column : answerColumnsOf(m)) {
            if (Outcome removed = removeColumn(session.answerTable(), column.source, true); !removed)
                return removed;
        }
    } else if (!isLineOrText(type) && type != ElementKind::PageBreak) {
        // A page break owns no column: its title may be a question's name.
        // Noted first, so a crash before the files follow is finished when the form is opened.
        if (const FileResult noted = noteColumnChange(session, { m.userInstruction, {} }); !noted)
            return changeNotRecorded(session, noted);
        if (Outcome removed = removeColumn(session.answerTable(), m.userInstruction, answersMayGo);
            !removed) {
            // A note left behind is harmless: the opening checks it against the table, which did not change.
            (void)forgetColumnChange(session);
            return removed;
        }
        // The group's "Other:" stays with the group while it has boxes: the next one takes it over.
        if (const QList<OwnedColumn> extra = extraColumnsOf(m); !extra.isEmpty()) {
            const QString group = questionSettingsOf(m).questionText;
            if (i + 1 < session.collection().count()
                && session.collection().atPosition(i + 1).kind == ElementKind::CheckBox
                && questionSettingsOf(session.collection().atPosition(i + 1)).questionText == group) {
                QuestionSettings settings = questionSettingsOf(session.collection().atPosition(i + 1));
                settings.otherAnswer = true;
                heir = withQuestionSettings(session.collection().atPosition(i + 1), settings);
            } else {
                for (const OwnedColumn& column : extra)
                    (void)removeColumn(session.answerTable(), column.source, answersMayGo);
            }
        }
    }
    const QString removed = m.userInstruction;
    const FormMethod gone = m;
    session.changeableCollection().removeAt(i);
    if (heir)
        session.changeableCollection().replace(i, *heir);
    Outcome freed;
    followQuotas(session, freed, gone, std::nullopt);
    if (isQuestionKind(type)) {
        askAlwaysWhatCannotHold(session, freed, Notice::Kind::AskedAlwaysAfterRemoval, removed, {});
        // Their texts stay as written; the person decides what they say now.
        if (const QStringList naming = elementsNaming(session.collection(), removed); !naming.isEmpty())
            freed.warn({ Notice::Kind::PipedQuestionRemoved, removed, {}, {}, {}, {}, naming });
    }
    Outcome outcome = saveCollectionFile(session);
    if (!outcome)
        return outcome;
    // Done whatever the reload tells.
    outcome.tellAlso(loadForm(session, session.appFolder(), session.htmlName()));
    outcome.tellAlso(freed);
    return outcome;
}

} // namespace quenlow
