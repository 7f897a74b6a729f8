// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QString>

#include <memory>
#include <mutex>
#include <vector>

namespace quenlow {

class AnswersStore;

/// The store connections one owner's threads borrow, so that the owner can
/// end their calls when it stops: a database server that stopped answering
/// may hold a thread in a call for as long as it likes, and the owner that
/// must join that thread interrupts the call instead of waiting or leaving
/// the thread behind.
///
/// Threads: the owner's threads borrow; the owner interrupts and resets.
/// Every member is guarded by m_mutex.
class StoreCalls final
{
public:
    explicit StoreCalls(const QString& location);
    Q_DISABLE_COPY_MOVE(StoreCalls)

    /// A connection from the service's pool; Cancelled once interrupted.
    Result<std::shared_ptr<AnswersStore>> borrow();
    /// Ends the calls under way on every connection borrowed and still held
    /// (they fail at once, and the connections are closed, not kept), and
    /// refuses every later borrow.
    void interrupt();
    bool interrupted() const;
    /// Borrowing is allowed again (a writer started anew).
    void reset();

    QString location() const { return m_location; }

private:
    const QString m_location;
    mutable std::mutex m_mutex;
    std::vector<std::weak_ptr<AnswersStore>> m_lent;
    bool m_interrupted = false;
};

} // namespace quenlow
