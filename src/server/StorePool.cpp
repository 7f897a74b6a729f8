// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/StorePool.h"

#include <QHash>

namespace quenlow {

namespace {

// More would sit idle after a burst; fewer would reconnect in a steady one.
constexpr std::size_t kMaxIdle = 8;

std::mutex registryMutex;
QHash<QString, std::weak_ptr<StorePool>>& registry()
{
    static QHash<QString, std::weak_ptr<StorePool>> pools;
    return pools;
}

} // namespace

// Held by each borrowed pointer: the store itself, and where it goes back.
struct StorePool::GiveBack {
    std::weak_ptr<StorePool> pool;
    std::shared_ptr<AnswersStore> store;
    bool keep = true;

    void operator()(AnswersStore*)
    {
        std::shared_ptr<AnswersStore> returned = std::move(store);
        if (const auto owner = pool.lock(); owner && keep)
            owner->giveBack(std::move(returned));
    }
};

std::shared_ptr<StorePool> StorePool::shared(const QString& location)
{
    const std::lock_guard lock(registryMutex);
    auto& pools = registry();
    if (const auto existing = pools.value(location).lock())
        return existing;
    auto pool = std::make_shared<StorePool>(location);
    pools.insert(location, pool);
    return pool;
}

StorePool::StorePool(const QString& location)
    : m_location(location)
{
}

StorePool::~StorePool()
{
    const std::lock_guard lock(registryMutex);
    auto& pools = registry();
    // Only its own entry: a newer pool of the same place may have taken it.
    if (const auto it = pools.find(m_location); it != pools.end() && it->expired())
        pools.erase(it);
}

Result<std::shared_ptr<AnswersStore>> StorePool::borrow()
{
    std::shared_ptr<AnswersStore> store;
    {
        const std::lock_guard lock(m_mutex);
        while (!store && !m_idle.empty()) {
            store = std::move(m_idle.back());
            m_idle.pop_back();
            if (store->replaced())
                store.reset(); // its file was replaced: open the new one
        }
    }
    if (!store) {
        auto opened = openAnswersStore(m_location);
        if (!opened)
            return opened.error();
        store = std::move(*opened);
    }
    AnswersStore* raw = store.get();
    return std::shared_ptr<AnswersStore>(raw, GiveBack { weak_from_this(), std::move(store) });
}

void StorePool::discard(const std::shared_ptr<AnswersStore>& borrowed)
{
    if (GiveBack* back = std::get_deleter<GiveBack>(borrowed))
        back->keep = false;
}

void StorePool::giveBack(std::shared_ptr<AnswersStore> store)
{
    if (!store || store->replaced())
        return;
    const std::lock_guard lock(m_mutex);
    if (m_idle.size() < kMaxIdle)
        m_idle.push_back(std::move(store));
}

qsizetype StorePool::idleCount() const
{
    const std::lock_guard lock(m_mutex);
    return qsizetype(m_idle.size());
}

} // namespace quenlow
