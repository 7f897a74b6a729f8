// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

#include <QList>

namespace quenlow {

/// The ordered elements of the open form, by 0-based position (0 is the header).
///
/// Each record may carry the text its row shows in the designer's list when
/// that differs from the one derived from the record (the header's, after
/// some operations); it travels with the record.
class MethodCollection final
{
public:
    /// What changed, told before and after it happens, so that a view over
    /// the list (the designer's rows) follows it without a list of its own.
    struct Change {
        enum Kind { Insert, Remove, Move, Replace, Reset } kind;
        int position = 0; // the row inserted, removed, replaced or moved
        int to = 0; // Move: the row it goes before, counted before the move
    };
    class Observer
    {
    public:
        virtual void changing(const Change& change) = 0;
        virtual void changed(const Change& change) = 0;

    protected:
        ~Observer() = default;
    };
    /// One observer at a time (nullptr: none). A copy of a list is not observed.
    void setObserver(Observer* observer) { m_observer.p = observer; }

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    const FormMethod& atPosition(int position) const { return m_entries.at(position).method; }

    /// The text of the record's row: its own row label when it has one,
    /// else type, " - ", instruction.
    QString rowText(int position) const;
    /// The record's own row label; empty when its row text is derived from it.
    QString rowLabel(int position) const { return m_entries.at(position).rowLabel; }

    void append(const FormMethod& method, const QString& rowLabel = {});
    /// Inserts at `position`; false when there is no such place.
    bool insertAt(int position, const FormMethod& method, const QString& rowLabel = {});
    void removeAt(int position);
    /// Replaces the record at `position`, its row label kept / set (empty:
    /// derived from the record).
    void replace(int position, const FormMethod& method);
    void replace(int position, const FormMethod& method, const QString& rowLabel);
    /// Exchanges the records (and row labels) at two positions.
    void swap(int first, int second);
    /// Replaces every record, no row labels.
    void setMethods(const QList<FormMethod>& methods);
    void removeAll();

    /// The records in order.
    QList<FormMethod> methods() const;

    template <typename F> void forEach(F&& f) const
    {
        for (const Entry& e : m_entries)
            f(e.method);
    }

private:
    struct Entry {
        FormMethod method;
        QString rowLabel;
    };
    // Not copied along with the records.
    struct ObserverSlot {
        Observer* p = nullptr;
        ObserverSlot() = default;
        ObserverSlot(const ObserverSlot&) { }
        ObserverSlot& operator=(const ObserverSlot&) { return *this; }
    };
    template <typename F> void notify(Change change, F&& apply)
    {
        if (m_observer.p)
            m_observer.p->changing(change);
        apply();
        if (m_observer.p)
            m_observer.p->changed(change);
    }

    QList<Entry> m_entries;
    ObserverSlot m_observer;
};

/// Empties `list`, the last item first.
template <typename List> void clearCollection(List& list)
{
    while (!list.isEmpty())
        list.removeLast();
}

} // namespace quenlow
