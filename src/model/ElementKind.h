// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

#include <optional>

namespace quenlow {

/// The kinds of element a form is made of.
enum class ElementKind {
    Header,
    PlainText,
    TextField,
    TextArea,
    CheckBox,
    RadioButtons,
    PullDownMenu,
    SubmitButton,
    Line,
    Scale, // numbered options from a low to a high end, each end with a label
    PageBreak, // starts another page of the form; asks nothing
    Grid, // statements (its list) each answered on one scale of answers: a column per statement
    Ranking, // options (its list) put in order: a column per option holding its place, 1 = first
    Unknown // a record of a kind the program does not know (a hand-edited file)
};

/// What each kind is: the one place that says so.
struct ElementKindTraits {
    ElementKind kind;
    const char16_t* storedName; // under "Method Type" in collection files, and "<name> Type" in pages
    bool question; // asks something: it has a column in the answers table
    bool optionList; // "Attribute 6" is a list (the header's holds its settings)
    bool charted; // counted in pie and bar charts
    bool memoColumn; // its column holds long text
    const char16_t*
        pageType; // the value of the question's hidden "<name> Type" field in pages; null when none
};

const ElementKindTraits& traitsOf(ElementKind kind);
/// The kind stored under `name` (exact, case-sensitive), or none for a name no kind has.
std::optional<ElementKind> elementKindNamed(QStringView name);
/// The name a kind is stored under; empty for Unknown, whose record keeps the name it was read with.
QString storedName(ElementKind kind);

// The questions about a kind that the program asks in many places; an
// unknown kind is no question, no list and not charted.
inline bool isQuestionKind(ElementKind kind)
{
    return traitsOf(kind).question;
}
inline bool holdsOptionList(ElementKind kind)
{
    return traitsOf(kind).optionList;
}
inline bool isChartedKind(ElementKind kind)
{
    return traitsOf(kind).charted;
}
inline bool hasMemoColumn(ElementKind kind)
{
    return traitsOf(kind).memoColumn;
}
/// What a check box's answer is stored as: ticked, or not. Every store,
/// report and chart counts these two words.
inline QString checkedAnswer()
{
    return QStringLiteral("Checked");
}
inline QString notCheckedAnswer()
{
    return QStringLiteral("Not Checked");
}

/// The kind of question a page's hidden "<name> Type" field announces.
std::optional<ElementKind> questionKindOfPageType(QStringView pageType);

} // namespace quenlow
