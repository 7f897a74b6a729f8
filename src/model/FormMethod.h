// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/ElementKind.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace quenlow {

/// One element of the open form: six values under fixed keys. For the kinds
/// "Header", "Radio Buttons" and "Pull Down Menu" "Attribute 6" is a list.
/// Values are plain strings; numbers are held in their print form (" 1 ").
struct FormMethod {
    QString htmlCode;
    QString userInstruction;
    ElementKind kind = ElementKind::Unknown;
    /// The name read under "Method Type" for a kind the program does not
    /// know; written back as it was read.
    QString unknownKindName;
    QString attribute4;
    QString attribute5;
    QString attribute6; // the single value of the other kinds
    QStringList attribute6List; // the list of the three list kinds
    /// A question's earlier texts, oldest first: pages sent before a rename
    /// still post under them. Kept as extra key lines, only when there are any.
    QStringList formerNames;
    /// The header's form settings (see FormSettings) as key lines, in file
    /// order; written only when there are any.
    QList<std::pair<QString, QString>> settings;

    /// Whether "Attribute 6" of this kind is a list.
    bool holdsList() const { return holdsOptionList(kind); }

    /// The name stored under "Method Type", and the kind (or an unknown one) a stored name stands for.
    QString kindName() const { return kind == ElementKind::Unknown ? unknownKindName : storedName(kind); }
    void setKindName(const QString& name)
    {
        kind = elementKindNamed(name).value_or(ElementKind::Unknown);
        unknownKindName = kind == ElementKind::Unknown ? name : QString();
    }

    /// The row text in the element list: type, " - ", instruction; a page
    /// break without a title is its type alone.
    QString rowText() const
    {
        if (kind == ElementKind::PageBreak && userInstruction.isEmpty())
            return kindName();
        return kindName() + QStringLiteral(" - ") + userInstruction;
    }

    /// Item `n` (1-based) of the list; empty when there is no such item.
    QString item(int n) const
    {
        return n >= 1 && n <= attribute6List.size() ? attribute6List.at(n - 1) : QString();
    }

    friend bool operator==(const FormMethod&, const FormMethod&) = default;
};

/// A number in the print form files use: " 1 ", " 0 ", "-3 ".
QString printNumber(int value);

/// Extra key lines of a record (key, value) as one text, CR LF after each
/// line, as published for collection servers elsewhere; and back.
QString keyLinesText(const QList<std::pair<QString, QString>>& lines);
QList<std::pair<QString, QString>> keyLinesFromText(const QString& text);
/// The whole number a stored value stands for, blanks ignored; a value that
/// is not a number (a hand-edited file) counts as 0 and never fails.
int wholeNumber(const QString& value);

} // namespace quenlow
