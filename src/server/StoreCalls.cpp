// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/StoreCalls.h"

#include "database/AnswersStore.h"
#include "server/StorePool.h"

namespace quenlow {

StoreCalls::StoreCalls(const QString& location)
    : m_location(location)
{
}

Result<std::shared_ptr<AnswersStore>> StoreCalls::borrow()
{
    const auto refused = [this] {
        return Error { Error::Cancelled,
            QStringLiteral("the answers database %1 is no longer asked: the service is stopping")
                .arg(shownLocation(m_location)) };
    };
    {
        std::lock_guard lock(m_mutex);
        if (m_interrupted)
            return refused();
    }
    // Opened outside the lock: a connection under way must not hold up interrupt.
    auto store = StorePool::shared(m_location)->borrow();
    if (!store)
        return store;
    std::lock_guard lock(m_mutex);
    if (m_interrupted) {
        StorePool::discard(*store);
        return refused();
    }
    std::erase_if(m_lent, [](const std::weak_ptr<AnswersStore>& s) { return s.expired(); });
    m_lent.push_back(*store);
    return store;
}

void StoreCalls::interrupt()
{
    std::vector<std::shared_ptr<AnswersStore>> held;
    {
        std::lock_guard lock(m_mutex);
        m_interrupted = true;
        for (const auto& lent : m_lent) {
            if (auto store = lent.lock())
                held.push_back(std::move(store));
        }
        m_lent.clear();
    }
    for (const auto& store : held) {
        StorePool::discard(store); // of no use once cut off
        store->interrupt();
    }
}

bool StoreCalls::interrupted() const
{
    std::lock_guard lock(m_mutex);
    return m_interrupted;
}

void StoreCalls::reset()
{
    std::lock_guard lock(m_mutex);
    m_interrupted = false;
}

} // namespace quenlow
