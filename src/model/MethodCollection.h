// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

#include <QHash>
#include <QList>

namespace quenlow {

/// The ordered elements of the open form. Every record is also reachable by a
/// string key; the operations keep each key equal to the decimal text of the
/// record's 0-based position ("0" is the header).
class MethodCollection final
{
public:
    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    bool contains(const QString& key) const { return indexOf(key) >= 0; }
    /// Position of the record under `key`, or -1.
    int indexOf(const QString& key) const;
    /// The record under `key`; the key must be present.
    const FormMethod& at(const QString& key) const;
    const FormMethod& atPosition(int position) const { return m_entries.at(position).method; }
    QString keyAt(int position) const { return m_entries.at(position).key; }

    /// Appends under `key`; false when the key is present already.
    bool append(const QString& key, const FormMethod& method);
    /// Inserts under `key` before / after the record under `anchorKey`.
    bool insertBefore(const QString& key, const FormMethod& method, const QString& anchorKey);
    bool insertAfter(const QString& key, const FormMethod& method, const QString& anchorKey);
    /// Inserts under `key` at `position` (0-based).
    bool insertAt(int position, const QString& key, const FormMethod& method);
    bool remove(const QString& key);
    void removeLast()
    {
        if (!m_entries.isEmpty())
            remove(m_entries.constLast().key);
    }
    void removeAll()
    {
        m_entries.clear();
        m_index.clear();
        m_indexValid = true;
    }

    /// The records in order.
    QList<FormMethod> methods() const;

    template<typename F> void forEach(F&& f) const
    {
        for (const Entry& e : m_entries)
            f(e.method);
    }

private:
    struct Entry {
        QString key;
        FormMethod method;
    };
    void reindex() const;

    QList<Entry> m_entries;
    mutable QHash<QString, int> m_index;
    mutable bool m_indexValid = false;
};

/// Empties `list`, the last item first.
template<typename List> void ClearCollection(List& list)
{
    while (!list.isEmpty())
        list.removeLast();
}

} // namespace quenlow
