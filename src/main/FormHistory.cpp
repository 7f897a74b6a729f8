// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/FormHistory.h"

#include "core/Messages.h"
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "model/CollectionFile.h"
#include "platform/OutcomeMessages.h"

#include <QFile>
#include <QScopedValueRollback>
#include <QSet>
#include <QUndoCommand>

namespace quenlow {

namespace {

class FormChange final : public QUndoCommand
{
public:
    FormChange(FormHistory& history, const QString& label, FormState before, FormState after)
        : QUndoCommand(label)
        , m_history(history)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }

    void undo() override { done(m_history.restore(m_before, m_after)); }
    void redo() override
    {
        // Pushed after it was made: the first redo has already happened.
        if (m_made) {
            m_made = false;
            return;
        }
        done(m_history.restore(m_after, m_before));
    }

    const FormState& before() const { return m_before; }
    const FormState& after() const { return m_after; }

private:
    void done(bool restored)
    {
        // Files and table no longer match what the history remembers.
        if (!restored)
            setObsolete(true);
    }

    FormHistory& m_history;
    FormState m_before;
    FormState m_after;
    bool m_made = true;
};

bool hasColumn(const QList<AnswersStore::Column>& columns, const QString& name)
{
    for (const auto& column : columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList missingFrom(const QList<AnswersStore::Column>& columns, const QList<AnswersStore::Column>& other)
{
    QStringList missing;
    for (const auto& column : columns) {
        if (!hasColumn(other, column.name))
            missing.append(column.name);
    }
    return missing;
}

QString droppedWithAnswers(const FormState& before, const FormState& after)
{
    if (before.rows <= 0)
        return {};
    const QStringList gone = missingFrom(before.columns, after.columns);
    // A lone column renamed (an edited question) is renamed back by undoing,
    // its answers with it: nothing is lost.
    if (gone.size() == 1 && missingFrom(after.columns, before.columns).size() == 1)
        return {};
    return gone.value(0);
}

} // namespace

FormHistory::FormHistory(FormSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
{
    m_session.setChangeRecorder(this);
    // Another form: the changes remembered are of the form that went.
    connect(&m_session, &FormSession::htmlNameChanged, this, [this] {
        if (!m_restoring)
            m_stack.clear();
    });
}

FormHistory::~FormHistory()
{
    m_session.setChangeRecorder(nullptr);
}

FormState FormHistory::capture() const
{
    FormState state;
    if (!m_session.isFormOpen())
        return state;
    QFile page(m_session.htmlFolder() + m_session.htmlName());
    if (page.open(QIODevice::ReadOnly)) {
        state.pageExists = true;
        state.page = page.readAll();
    }
    QFile collection(m_session.collectionFilePath(m_session.openFormName()));
    if (collection.open(QIODevice::ReadOnly)) {
        state.collectionExists = true;
        state.collection = collection.readAll();
    }
    if (const auto store = openAnswersStore(m_session.databasePath())) {
        const QString table = m_session.answerTable().tableName;
        state.columns = (*store)->columns(table).valueOr({});
        state.rows = (*store)->rowCount(table).valueOr(-1);
    }
    return state;
}

bool FormHistory::record(const QString& label, const std::function<bool()>& change)
{
    if (m_restoring || !m_session.isFormOpen())
        return change();
    const QString form = m_session.htmlName();
    FormState before = capture();
    const bool changed = change();
    if (m_session.htmlName() != form)
        return changed; // the change opened another form: nothing to undo there
    FormState after = capture();
    if (after.page == before.page && after.collection == before.collection && after.columns == before.columns)
        return changed;
    if (const QString column = droppedWithAnswers(before, after); !column.isEmpty()) {
        // Its answers are gone for good: the changes before it can no longer
        // be replayed over it.
        const bool hadHistory = m_stack.count() > 0;
        m_stack.clear();
        if (hadHistory)
            showInformation(tr("The answers to '%1' cannot be brought back, so the earlier changes to this "
                               "form can no longer be undone.")
                                .arg(column));
        return changed;
    }
    // A large form's files are kept by every change: bytes the previous
    // change or the other state holds already are shared, not copied.
    if (m_stack.count() > 0 && m_stack.index() == m_stack.count()) {
        const FormState& last = static_cast<const FormChange*>(m_stack.command(m_stack.count() - 1))->after();
        if (before.page == last.page)
            before.page = last.page;
        if (before.collection == last.collection)
            before.collection = last.collection;
    }
    if (after.page == before.page)
        after.page = before.page;
    if (after.collection == before.collection)
        after.collection = before.collection;
    m_stack.push(new FormChange(*this, label, std::move(before), std::move(after)));
    forgetOldestBeyondLimits();
    return changed;
}

void FormHistory::forgetOldestBeyondLimits()
{
    // From the newest change back, as many as the limits allow; bytes shared
    // between states count once.
    const int count = m_stack.count();
    QSet<const char*> counted;
    qint64 bytes = 0;
    int keep = 0;
    for (int i = count - 1; i >= 0; --i) {
        const auto* change = static_cast<const FormChange*>(m_stack.command(i));
        qint64 added = 0;
        QList<const char*> held;
        for (const QByteArray* data : { &change->before().page, &change->before().collection,
                 &change->after().page, &change->after().collection }) {
            if (!data->isEmpty() && !counted.contains(data->constData())
                && !held.contains(data->constData())) {
                held.append(data->constData());
                added += data->size();
            }
        }
        if (keep > 0 && (keep >= m_mostChanges || bytes + added > m_mostBytes))
            break;
        for (const char* data : std::as_const(held))
            counted.insert(data);
        bytes += added;
        ++keep;
    }
    if (keep == count)
        return;
    // The undo stack cannot let go of its oldest commands alone: it is
    // filled again with the newest, each as already made.
    QList<FormChange*> kept;
    for (int i = count - keep; i < count; ++i) {
        const auto* change = static_cast<const FormChange*>(m_stack.command(i));
        kept.append(new FormChange(*this, change->text(), change->before(), change->after()));
    }
    m_stack.clear();
    for (FormChange* change : std::as_const(kept))
        m_stack.push(change);
}

bool FormHistory::restore(const FormState& target, const FormState& current)
{
    QScopedValueRollback<bool> restoring(m_restoring, true);
    const QString table = m_session.answerTable().tableName;
    const auto store = openAnswersStore(m_session.databasePath());
    if (!store) {
        showExclamation(tr("The change cannot be undone: the answers database cannot be opened (%1).")
                            .arg(store.error().detail));
        m_stack.clear();
        return false;
    }

    // The columns first, in one transaction: the files follow only when the
    // table is as the form needs it.
    const Result<QStringList> restored = (*store)->restoreColumns(table, target.columns, columnAddedMarker());
    if (!restored) {
        showExclamation(tr("The change cannot be undone: the answers table could not be changed (%1). "
                           "Nothing has been changed.")
                            .arg(restored.error().detail));
        return false;
    }
    const QStringList kept = *restored;

    const QString pagePath = m_session.htmlFolder() + m_session.htmlName();
    const QString collectionPath = m_session.collectionFilePath(m_session.openFormName());
    for (const auto& [path, bytes, exists] : { std::tuple { pagePath, target.page, target.pageExists },
             std::tuple { collectionPath, target.collection, target.collectionExists } }) {
        const FileResult written = exists ? writeFileAtomically(path, bytes) : FileResult {};
        if (!written) {
            showExclamation(tr("The change cannot be undone: '%1' could not be written (%2).")
                                .arg(path, written.error().detail));
            m_stack.clear();
            return false;
        }
    }
    Q_UNUSED(current);
    const int selected = m_session.selectedRow();
    loadFormTelling(m_session, m_session.htmlName());
    m_session.setSelectedRow(std::min(selected, int(m_session.rows()->rowCount()) - 1));
    m_session.refreshBrowser();
    if (!kept.isEmpty())
        showInformation(
            tr("The answers to '%1' are kept in the answers table.").arg(kept.join(QStringLiteral("', '"))));
    return true;
}

} // namespace quenlow
