// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/MethodCollection.h"

#include <utility>

namespace quenlow {

QString MethodCollection::rowText(int position) const
{
    const Entry& e = m_entries.at(position);
    return e.rowLabel.isEmpty() ? e.method.rowText() : e.rowLabel;
}

void MethodCollection::append(const FormMethod& method, const QString& rowLabel)
{
    insertAt(count(), method, rowLabel);
}

bool MethodCollection::insertAt(int position, const FormMethod& method, const QString& rowLabel)
{
    if (position < 0 || position > count())
        return false;
    notify({ Change::Insert, position }, [&] { m_entries.insert(position, Entry { method, rowLabel }); });
    return true;
}

void MethodCollection::removeAt(int position)
{
    notify({ Change::Remove, position }, [&] { m_entries.removeAt(position); });
}

void MethodCollection::replace(int position, const FormMethod& method)
{
    replace(position, method, m_entries.at(position).rowLabel);
}

void MethodCollection::replace(int position, const FormMethod& method, const QString& rowLabel)
{
    Entry& e = m_entries[position];
    notify({ Change::Replace, position }, [&] {
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
    notify({ Change::Move, second, first }, [&] {
        if (second == first + 1)
            exchange(first, second);
        else
            for (int i = second; i > first; --i)
                exchange(i - 1, i);
    });
    if (second > first + 1)
        notify({ Change::Move, first + 1, second + 1 }, [&] {
            for (int i = first + 1; i < second; ++i)
                exchange(i, i + 1);
        });
}

void MethodCollection::setMethods(const QList<FormMethod>& methods)
{
    notify({ Change::Reset }, [&] {
        m_entries.clear();
        m_entries.reserve(methods.size());
        for (const FormMethod& m : methods)
            m_entries.append(Entry { m, {} });
    });
}

void MethodCollection::removeAll()
{
    notify({ Change::Reset }, [&] { m_entries.clear(); });
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
