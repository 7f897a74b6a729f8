// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/MethodCollection.h"

#include <utility>

namespace quenlow {

void MethodCollection::reindex() const
{
    if (m_indexValid)
        return;
    m_index.clear();
    m_index.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i)
        m_index.insert(m_entries.at(i).key, i);
    m_indexValid = true;
}

int MethodCollection::indexOf(const QString& key) const
{
    reindex();
    return m_index.value(key, -1);
}

const FormMethod& MethodCollection::at(const QString& key) const
{
    const int i = indexOf(key);
    Q_ASSERT_X(i >= 0, "MethodCollection::at", "key not present");
    return m_entries.at(i).method;
}

QString MethodCollection::rowText(int position) const
{
    const Entry& e = m_entries.at(position);
    return e.rowLabel.isEmpty() ? e.method.rowText() : e.rowLabel;
}

bool MethodCollection::append(const QString& key, const FormMethod& method, const QString& rowLabel)
{
    return insertAt(count(), key, method, rowLabel);
}

bool MethodCollection::insertAt(int position, const QString& key, const FormMethod& method, const QString& rowLabel)
{
    if (contains(key) || position < 0 || position > count())
        return false;
    notify({Change::Insert, position}, [&] { m_entries.insert(position, Entry{key, method, rowLabel}); });
    if (position == count() - 1 && m_indexValid)
        m_index.insert(key, position); // appending keeps every other position
    else
        m_indexValid = false;
    return true;
}

bool MethodCollection::remove(const QString& key)
{
    const int i = indexOf(key);
    if (i < 0)
        return false;
    notify({Change::Remove, i}, [&] { m_entries.removeAt(i); });
    if (i == count() && m_indexValid)
        m_index.remove(key);
    else
        m_indexValid = false;
    return true;
}

void MethodCollection::replace(int position, const FormMethod& method)
{
    replace(position, method, m_entries.at(position).rowLabel);
}

void MethodCollection::replace(int position, const FormMethod& method, const QString& rowLabel)
{
    Entry& e = m_entries[position];
    notify({Change::Replace, position}, [&] {
        e.method = method;
        e.rowLabel = rowLabel;
    });
}

void MethodCollection::swap(int first, int second)
{
    if (first == second)
        return;
    if (first > second)
        std::swap(first, second);
    const auto exchange = [this](int a, int b) {
        std::swap(m_entries[a].method, m_entries[b].method);
        std::swap(m_entries[a].rowLabel, m_entries[b].rowLabel);
    };
    // The later record moves up to the earlier place; apart, the earlier one
    // then moves down to the later place.
    notify({Change::Move, second, first}, [&] {
        if (second == first + 1)
            exchange(first, second);
        else
            for (int i = second; i > first; --i)
                exchange(i - 1, i);
    });
    if (second > first + 1)
        notify({Change::Move, first + 1, second + 1}, [&] {
            for (int i = first + 1; i < second; ++i)
                exchange(i, i + 1);
        });
}

void MethodCollection::setMethods(const QList<FormMethod>& methods)
{
    notify({Change::Reset}, [&] {
        m_entries.clear();
        m_entries.reserve(methods.size());
        for (const FormMethod& m : methods)
            m_entries.append(Entry{QString::number(m_entries.size()), m, {}});
        m_indexValid = false;
    });
}

void MethodCollection::renumber()
{
    for (int i = 0; i < m_entries.size(); ++i)
        m_entries[i].key = QString::number(i);
    m_indexValid = false;
}

void MethodCollection::removeAll()
{
    notify({Change::Reset}, [&] {
        m_entries.clear();
        m_index.clear();
        m_indexValid = true;
    });
}

QList<FormMethod> MethodCollection::methods() const
{
    QList<FormMethod> result;
    result.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        result.append(e.method);
    return result;
}

} // namespace quenlow
