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
    Scale // numbered options from a low to a high end, each end with a label
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
QString storedName(ElementKind kind);

// The questions about a stored kind name that the program asks in many places;
// a name no kind has is no question, no list and not charted.
bool isQuestionKind(QStringView storedKind);
bool holdsOptionList(QStringView storedKind);
bool isChartedKind(QStringView storedKind);
bool hasMemoColumn(QStringView storedKind);
/// The kind of question a page's hidden "<name> Type" field announces.
std::optional<ElementKind> questionKindOfPageType(QStringView pageType);

} // namespace quenlow
