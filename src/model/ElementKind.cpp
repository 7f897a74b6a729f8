// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/ElementKind.h"

#include <array>

namespace quenlow {

namespace {

// kind, stored name, question, option list, charted, memo column
constexpr std::array<ElementKindTraits, 9> kKinds{{
    {ElementKind::Header, u"Header", false, true, false, false},
    {ElementKind::PlainText, u"Plain Text", false, false, false, false},
    {ElementKind::TextField, u"Text Field", true, false, false, false},
    {ElementKind::TextArea, u"Text Area", true, false, false, true},
    {ElementKind::CheckBox, u"Check Box", true, false, true, false},
    {ElementKind::RadioButtons, u"Radio Buttons", true, true, true, false},
    {ElementKind::PullDownMenu, u"Pull Down Menu", true, true, true, false},
    {ElementKind::SubmitButton, u"Submit Button", false, false, false, false},
    {ElementKind::Line, u"Line", false, false, false, false},
}};

const ElementKindTraits* traitsNamed(QStringView name)
{
    for (const ElementKindTraits& traits : kKinds) {
        if (name == QStringView(traits.storedName))
            return &traits;
    }
    return nullptr;
}

} // namespace

const ElementKindTraits& traitsOf(ElementKind kind)
{
    return kKinds[static_cast<std::size_t>(kind)];
}

std::optional<ElementKind> elementKindNamed(QStringView name)
{
    const ElementKindTraits* traits = traitsNamed(name);
    return traits ? std::optional(traits->kind) : std::nullopt;
}

QString storedName(ElementKind kind)
{
    return QString::fromUtf16(traitsOf(kind).storedName);
}

bool isQuestionKind(QStringView storedKind)
{
    const ElementKindTraits* traits = traitsNamed(storedKind);
    return traits && traits->question;
}

bool holdsOptionList(QStringView storedKind)
{
    const ElementKindTraits* traits = traitsNamed(storedKind);
    return traits && traits->optionList;
}

bool isChartedKind(QStringView storedKind)
{
    const ElementKindTraits* traits = traitsNamed(storedKind);
    return traits && traits->charted;
}

bool hasMemoColumn(QStringView storedKind)
{
    const ElementKindTraits* traits = traitsNamed(storedKind);
    return traits && traits->memoColumn;
}

} // namespace quenlow
