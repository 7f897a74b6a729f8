// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswersStore.h"
#include "model/FormSession.h"

#include <QObject>
#include <QUndoStack>

namespace quenlow {

/// What of the open form a change may touch: its page, its collection file
/// (byte for byte) and the columns of its answers table.
struct FormState {
    QByteArray page;
    QByteArray collection;
    bool pageExists = false;
    bool collectionExists = false;
    QList<AnswersStore::Column> columns;
    qint64 rows = 0;
};

/// The open form's undo history: each recorded change keeps the state before
/// and after it, and undoing puts the files back byte for byte and the answers
/// table's columns as they were. A column dropped with answers in it cannot
/// come back: such a change clears the history, and says so. The history is
/// bounded: beyond so many changes, or so many bytes of files kept, the
/// oldest changes are forgotten (the newest one is always kept).
class FormHistory final : public QObject, public FormChangeRecorder
{
    Q_OBJECT
public:
    static constexpr int kMostChanges = 100;
    static constexpr qint64 kMostBytes = 64 * 1024 * 1024;

    explicit FormHistory(FormSession& session, QObject* parent = nullptr);
    ~FormHistory() override;

    bool record(const QString& label, const std::function<bool()>& change) override;
    QUndoStack* stack() { return &m_stack; }
    /// Sets the bounds, from the next change on.
    void setLimits(int changes, qint64 bytes)
    {
        m_mostChanges = changes;
        m_mostBytes = bytes;
    }

    FormState capture() const;
    /// Makes the open form `target` again, from `current`; false (with the
    /// reason shown) when it could not.
    bool restore(const FormState& target, const FormState& current);

private:
    void forgetOldestBeyondLimits();

    FormSession& m_session;
    QUndoStack m_stack;
    bool m_restoring = false;
    int m_mostChanges = kMostChanges;
    qint64 m_mostBytes = kMostBytes;
};

} // namespace quenlow
