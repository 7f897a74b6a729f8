// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "database/AnswersStore.h"

#include <QString>

#include <memory>
#include <mutex>
#include <vector>

namespace quenlow {

/// The service's connections to its answers store. A thread borrows one for a
/// piece of work (a store object is used from one thread at a time); it goes
/// back to the pool when the last copy of the borrowed pointer goes, ready for
/// the next request, instead of a connection made and closed each time.
/// A store that failed is discarded, not kept; one whose file was replaced
/// is never handed out again.
///
/// The service holds the pool of its store while it runs (`shared`), and
/// every part of it (writer, form source, health probe, pages) borrows from
/// that one pool by the store's location.
class StorePool : public std::enable_shared_from_this<StorePool>
{
public:
    /// The pool of `location` in this process: the one a running service
    /// holds, or a new one.
    static std::shared_ptr<StorePool> shared(const QString& location);

    explicit StorePool(const QString& location);
    ~StorePool();
    StorePool(const StorePool&) = delete;
    StorePool& operator=(const StorePool&) = delete;

    /// A store kept idle, or one opened now.
    Result<std::shared_ptr<AnswersStore>> borrow();
    /// `borrowed` is closed when given back instead of being kept.
    static void discard(const std::shared_ptr<AnswersStore>& borrowed);

    QString location() const { return m_location; }
    /// How many connections wait idle (for tests).
    qsizetype idleCount() const;

private:
    struct GiveBack;
    void giveBack(std::shared_ptr<AnswersStore> store);

    const QString m_location;
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<AnswersStore>> m_idle; // guarded by m_mutex
};

} // namespace quenlow
