// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/ElementKind.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace quenlow {

// Element kinds as stored under "Method Type" (see ElementKind for what each is).
namespace Kind {
inline QString header()
{
    return storedName(ElementKind::Header);
}
inline QString plainText()
{
    return storedName(ElementKind::PlainText);
}
inline QString textField()
{
    return storedName(ElementKind::TextField);
}
inline QString textArea()
{
    return storedName(ElementKind::TextArea);
}
inline QString checkBox()
{
    return storedName(ElementKind::CheckBox);
}
inline QString radioButtons()
{
    return storedName(ElementKind::RadioButtons);
}
inline QString pullDownMenu()
{
    return storedName(ElementKind::PullDownMenu);
}
inline QString submitButton()
{
    return storedName(ElementKind::SubmitButton);
}
inline QString line()
{
    return storedName(ElementKind::Line);
}
inline QString scale()
{
    return storedName(ElementKind::Scale);
}
} // namespace Kind

/// One element of the open form: six values under fixed keys. For the kinds
/// "Header", "Radio Buttons" and "Pull Down Menu" "Attribute 6" is a list.
/// Values are plain strings; numbers are held in their print form (" 1 ").
struct FormMethod {
    QString htmlCode;
    QString userInstruction;
    QString methodType;
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

    /// Whether "Attribute 6" of this kind is a list (exact, case-sensitive).
    static bool holdsList(const QString& methodType) { return holdsOptionList(methodType); }
    bool holdsList() const { return holdsList(methodType); }

    /// The row text in the element list: type, " - ", instruction.
    QString rowText() const { return methodType + QStringLiteral(" - ") + userInstruction; }

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
