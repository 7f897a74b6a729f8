// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormChanges.h"

#include "core/TextFile.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/FormSession.h"
#include "model/MethodCollection.h"
#include "model/PageWriter.h"
#include "model/Publication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quenlow {

namespace {

int g_stopAfter = 0;

// No form name holds a '.', so this note is never a form's file.
QString notePathIn(const QString& collectionsFolder)
{
    return collectionsFolder
        + (collectionsFolder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/"))
        + QStringLiteral("Forms.changing.txt");
}

QString notePath(const FormSession& session)
{
    return notePathIn(session.collectionsFolder());
}

QString pagePath(const FormSession& session, const QString& name)
{
    return session.htmlFolder() + name + QStringLiteral(".html");
}

// A column change noted for the form (see FormRepair).
QString columnNotePath(const FormSession& session, const QString& name)
{
    return session.collectionsFolder() + name + QStringLiteral("Changing.txt");
}

const char* const kKinds[] = { "Rename", "Copy", "Delete" };

FileResult writeNote(const FormSession& session, const FormChange& change)
{
    const QString text = QString::fromLatin1(kKinds[change.kind]) + QStringLiteral("\r\n") + change.from
        + QStringLiteral("\r\n") + change.to + QStringLiteral("\r\n")
        + (change.withAnswers ? QStringLiteral("1") : QStringLiteral("0")) + QStringLiteral("\r\n");
    return writeFileAtomically(notePath(session), encodeText(text));
}

std::optional<FormChange> readNoteIn(const QString& collectionsFolder)
{
    QByteArray bytes;
    const QString path = notePathIn(collectionsFolder);
    if (!QFile::exists(path) || !readWholeFile(path, &bytes))
        return std::nullopt;
    const QStringList lines = decodeText(bytes).split(QStringLiteral("\r\n"));
    if (lines.size() != 5 || lines.at(1).isEmpty() || !lines.at(4).isEmpty())
        return std::nullopt;
    FormChange change;
    for (int k = 0; k < 3; ++k) {
        if (lines.at(0) == QLatin1StringView(kKinds[k]))
            change.kind = FormChange::Kind(k);
    }
    if (lines.at(0) != QLatin1StringView(kKinds[change.kind])
        || (change.kind != FormChange::Delete && lines.at(2).isEmpty()))
        return std::nullopt;
    change.from = lines.at(1);
    change.to = lines.at(2);
    change.withAnswers = lines.at(3) == QLatin1StringView("1");
    return change;
}

std::optional<FormChange> readNote(const FormSession& session)
{
    return readNoteIn(session.collectionsFolder());
}

bool stopHere(int step)
{
    return g_stopAfter == step;
}

// The store, or none when there is no store yet (then there are no tables).
Result<std::shared_ptr<AnswersStore>> storeOf(const FormSession& session)
{
    auto store = openAnswersStore(session.databasePath());
    if (!store && store.failedWith(Error::NotFound))
        return std::shared_ptr<AnswersStore>();
    return store;
}

Result<bool> tableOf(AnswersStore* store, const QString& name)
{
    if (!store)
        return false;
    return store->tableExists(AnswersStore::tableFor(name));
}

Result<void> writeForm(const FormSession& session, const QString& name, const QList<FormMethod>& methods)
{
    MethodCollection collection;
    collection.setMethods(methods);
    // The collection first: a page is never there without it.
    if (const FileResult r
        = writeFileAtomically(session.collectionFilePath(name), encodeText(serializeCollection(collection)));
        !r)
        return Error { Error::Io, r.error().detail };
    if (const FileResult r
        = writeFileAtomically(pagePath(session, name), encodeText(buildFormPage(collection)));
        !r)
        return Error { Error::Io, r.error().detail };
    return {};
}

// The new form's files go, and the note with them: the change never happened.
void undoNewForm(const FormSession& session, const QString& name)
{
    QFile::remove(pagePath(session, name));
    QFile::remove(session.collectionFilePath(name));
    QFile::remove(notePath(session));
}

QString fileProblem(const QFile& file)
{
    return file.errorString();
}

// The report files follow the form: moved with a rename, copied with the
// answers, deleted with the form. A file that cannot follow stays where it
// is, and is said; one already there under the new name is never replaced.
QList<ReportLeft> carryReports(const FormSession& session, const FormChange& change)
{
    QList<ReportLeft> left;
    for (const QString& file : reportFilesOf(session, change.from)) {
        QFile source(session.reportsFolder() + file);
        if (change.kind == FormChange::Delete) {
            if (!source.remove())
                left.append({ file, ReportLeft::NotDeleted, fileProblem(source) });
            continue;
        }
        const QString target = session.reportsFolder() + change.to + file.mid(change.from.size());
        if (QFileInfo::exists(target)) {
            // Left by a copy made with the answers, or finished at an earlier opening.
            if (change.kind == FormChange::Rename)
                left.append({ file, ReportLeft::TargetTaken, QFileInfo(target).fileName() });
            continue;
        }
        const bool carried = change.kind == FormChange::Rename ? source.rename(target) : source.copy(target);
        if (!carried) {
            left.append(
                { file, change.kind == FormChange::Rename ? ReportLeft::NotMoved : ReportLeft::NotCopied,
                    fileProblem(source) });
            // A copy cut short is no report of the new form.
            if (change.kind == FormChange::Copy)
                QFile::remove(target);
        }
    }
    return left;
}

// The steps after the table: each can be made again. The note stays until
// they are all made, so that the next opening tries again.
QList<ReportLeft> finish(const FormSession& session, AnswersStore* store, const FormChange& change)
{
    QList<ReportLeft> left;
    if (change.kind != FormChange::Copy || change.withAnswers)
        left = carryReports(session, change);
    if (change.kind != FormChange::Delete)
        static_cast<void>(claimFormName(session, change.to,
            change.kind == FormChange::Rename ? change.from
                                              : QString())); // made good when those forms are next published
    if (store && store->keepsPublications()) {
        // The new form is published again whenever it is opened: a failure here is made good then.
        if (change.kind != FormChange::Delete) {
            const ParsedCollection parsed = readCollectionFile(session.collectionFilePath(change.to));
            if (parsed.ok())
                static_cast<void>(
                    store->publish(publicationOf(change.to, parsed.methods, session.htmlFolder())));
        }
        // Collection servers would go on taking answers for a form that is no more.
        if (change.kind != FormChange::Copy && !store->unpublish(change.from))
            return left;
    }
    if (change.kind == FormChange::Rename) {
        if (QFileInfo::exists(columnNotePath(session, change.from))
            && !QFileInfo::exists(columnNotePath(session, change.to)))
            QFile::rename(columnNotePath(session, change.from), columnNotePath(session, change.to));
        // The page before the collection file, so that no page is left without one.
        for (const QString& path :
            { pagePath(session, change.from), session.collectionFilePath(change.from) }) {
            if (!QFile::remove(path) && QFileInfo::exists(path))
                return left;
        }
    }
    QFile::remove(notePath(session));
    return left;
}

// The new form's elements as the change leaves them: a renamed form keeps
// the name it leaves among its former names, so that the addresses people
// were given still lead to it; a copy is a new form and has none.
QList<FormMethod> withFormerNames(QList<FormMethod> methods, const FormChange& change)
{
    if (methods.isEmpty() || methods.first().kind != ElementKind::Header)
        return methods;
    QStringList& former = methods.first().formerNames;
    if (change.kind == FormChange::Copy) {
        former.clear();
    } else {
        former.removeAll(change.to);
        former.removeAll(change.from);
        former.append(change.from);
    }
    return methods;
}

// The answers table's step; nothing to do when it was made already.
Result<void> changeTable(AnswersStore* store, const FormChange& change)
{
    const Result<bool> from = tableOf(store, change.from);
    if (!from)
        return from.error();
    const QString fromTable = AnswersStore::tableFor(change.from);
    switch (change.kind) {
    case FormChange::Rename:
    case FormChange::Copy: {
        const Result<bool> to = tableOf(store, change.to);
        if (!to)
            return to.error();
        if (!*from || *to)
            return {};
        const QString toTable = AnswersStore::tableFor(change.to);
        return change.kind == FormChange::Rename ? store->renameTable(fromTable, toTable)
                                                 : store->copyTable(fromTable, toTable, change.withAnswers);
    }
    case FormChange::Delete:
        if (!*from || !change.withAnswers)
            return {};
        return store->dropTable(fromTable);
    }
    return {};
}

void removeForm(const FormSession& session, const QString& name)
{
    QFile::remove(pagePath(session, name));
    QFile::remove(session.collectionFilePath(name));
    QFile::remove(columnNotePath(session, name));
}

} // namespace

std::optional<FormChange> pendingFormChange(const QString& collectionsFolder)
{
    return readNoteIn(collectionsFolder);
}

bool formNameTaken(const FormSession& session, const QString& name)
{
    if (QFileInfo::exists(pagePath(session, name)) || QFileInfo::exists(session.collectionFilePath(name)))
        return true;
    const auto store = storeOf(session);
    if (!store || !*store)
        return false;
    return (*store)->tableExists(AnswersStore::tableFor(name)).valueOr(false);
}

Result<qint64> answersOfForm(const FormSession& session, const QString& name)
{
    const auto store = storeOf(session);
    if (!store)
        return store.error();
    const Result<bool> exists = tableOf(store->get(), name);
    if (!exists || !*exists)
        return exists ? Result<qint64>(0) : Result<qint64>(exists.error());
    return (*store)->rowCount(AnswersStore::tableFor(name));
}

QStringList reportFilesOf(const FormSession& session, const QString& name)
{
    // The names the reporter gives: the report document and the exported answers.
    QStringList files;
    for (const QString& suffix : { QStringLiteral("_Report.docx"), QStringLiteral("_Report.doc"),
             QStringLiteral(".csv"), QStringLiteral(".xlsx") }) {
        if (QFileInfo(session.reportsFolder() + name + suffix).isFile())
            files.append(name + suffix);
    }
    return files;
}

Result<void> claimFormName(const FormSession& session, const QString& name, const QString& leaving)
{
    const QString suffix = QStringLiteral("Collection.txt");
    QStringList failed;
    for (const QString& file :
        QDir(session.collectionsFolder()).entryList({ QLatin1Char('*') + suffix }, QDir::Files)) {
        const QString formName = file.chopped(suffix.size());
        if (formName == name || formName == leaving)
            continue;
        ParsedCollection parsed = readCollectionFile(session.collectionsFolder() + file);
        if (!parsed.ok() || parsed.methods.isEmpty() || parsed.methods.first().kind != ElementKind::Header
            || parsed.methods.first().formerNames.removeAll(name) == 0)
            continue;
        MethodCollection collection;
        collection.setMethods(parsed.methods);
        // Only the header's record changes; the page stays as it is.
        if (!writeFileAtomically(
                session.collectionsFolder() + file, encodeText(serializeCollection(collection)))
            || !publishForm(session, formName, parsed.methods))
            failed.append(formName);
    }
    if (!failed.isEmpty())
        return Error { Error::Io, failed.join(QStringLiteral(", ")) };
    return {};
}

void stopFormChangeAfterStep(int step)
{
    g_stopAfter = step;
}

Result<QList<ReportLeft>> changeForm(
    const FormSession& session, const FormChange& change, const QList<FormMethod>& givenMethods)
{
    const QList<FormMethod> methods = withFormerNames(givenMethods, change);
    const auto store = storeOf(session);
    if (!store)
        return store.error();
    if (const FileResult noted = writeNote(session, change); !noted)
        return Error { Error::Io, noted.error().detail };
    if (stopHere(1))
        return QList<ReportLeft>();

    if (change.kind == FormChange::Delete) {
        // The table first: when it cannot go, the form is still all there.
        if (const Result<void> table = changeTable(store->get(), change); !table) {
            QFile::remove(notePath(session));
            return table.error();
        }
        if (stopHere(2))
            return QList<ReportLeft>();
        removeForm(session, change.from);
    } else {
        if (const Result<void> written = writeForm(session, change.to, methods); !written) {
            undoNewForm(session, change.to);
            return written.error();
        }
        if (stopHere(2))
            return QList<ReportLeft>();
        if (const Result<void> table = changeTable(store->get(), change); !table) {
            undoNewForm(session, change.to);
            return table.error();
        }
    }
    if (stopHere(3))
        return QList<ReportLeft>();
    // The change is made; what is left of the old form goes now or, failing
    // that, at the next opening.
    return finish(session, store->get(), change);
}

std::optional<FormChange> finishFormChange(const FormSession& session)
{
    if (!QFileInfo::exists(notePath(session)))
        return std::nullopt;
    const std::optional<FormChange> change = readNote(session);
    if (!change) {
        // Not a note this program wrote whole: nothing was changed after it.
        QFile::remove(notePath(session));
        return std::nullopt;
    }
    if (change->kind != FormChange::Delete && !QFileInfo::exists(pagePath(session, change->to))) {
        // Cut short before the new form was whole: the old one is all there is.
        undoNewForm(session, change->to);
        return change;
    }
    const auto store = storeOf(session);
    if (!store)
        return change; // the table cannot be reached now: next time
    if (!changeTable(store->get(), *change))
        return change;
    if (change->kind == FormChange::Delete)
        removeForm(session, change->from);
    static_cast<void>(finish(session, store->get(), *change)); // the files left are found again then
    return change;
}

} // namespace quenlow
