// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/MethodCollection.h"

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

bool MethodCollection::append(const QString& key, const FormMethod& method)
{
    return insertAt(count(), key, method);
}

bool MethodCollection::insertAt(int position, const QString& key, const FormMethod& method)
{
    if (contains(key) || position < 0 || position > count())
        return false;
    m_entries.insert(position, Entry{key, method});
    if (position == count() - 1 && m_indexValid)
        m_index.insert(key, position); // appending keeps every other position
    else
        m_indexValid = false;
    return true;
}

bool MethodCollection::insertBefore(const QString& key, const FormMethod& method, const QString& anchorKey)
{
    const int anchor = indexOf(anchorKey);
    return anchor >= 0 && insertAt(anchor, key, method);
}

bool MethodCollection::insertAfter(const QString& key, const FormMethod& method, const QString& anchorKey)
{
    const int anchor = indexOf(anchorKey);
    return anchor >= 0 && insertAt(anchor + 1, key, method);
}

bool MethodCollection::remove(const QString& key)
{
    const int i = indexOf(key);
    if (i < 0)
        return false;
    m_entries.removeAt(i);
    if (i == count() && m_indexValid)
        m_index.remove(key);
    else
        m_indexValid = false;
    return true;
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
