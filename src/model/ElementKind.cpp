// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/ElementKind.h"

#include <array>

namespace quenlow {

namespace {

// kind, stored name, question, option list, charted, memo column, type in pages
constexpr std::array<ElementKindTraits, 14> kKinds { {
    { ElementKind::Header, u"Header", false, true, false, false, nullptr },
    { ElementKind::PlainText, u"Plain Text", false, false, false, false, nullptr },
    { ElementKind::TextField, u"Text Field", true, false, false, false, u"Text Field" },
    { ElementKind::TextArea, u"Text Area", true, false, false, true, u"Text Area" },
    { ElementKind::CheckBox, u"Check Box", true, false, true, false, u"Check Box" },
    { ElementKind::RadioButtons, u"Radio Buttons", true, true, true, false, u"Radio Buttons" },
    { ElementKind::PullDownMenu, u"Pull Down Menu", true, true, true, false, u"Menu" },
    { ElementKind::SubmitButton, u"Submit Button", false, false, false, false, nullptr },
    { ElementKind::Line, u"Line", false, false, false, false, nullptr },
    { ElementKind::Scale, u"Scale", true, false, true, false, u"Scale" },
    { ElementKind::PageBreak, u"Page Break", false, false, false, false, nullptr },
    { ElementKind::Grid, u"Grid", true, true, true, false, u"Grid" },
    { ElementKind::Ranking, u"Ranking", true, true, true, false, u"Ranking" },
    { ElementKind::Unknown, u"", false, false, false, false, nullptr },
} };

const ElementKindTraits* traitsNamed(QStringView name)
{
    for (const ElementKindTraits& traits : kKinds) {
        if (traits.kind != ElementKind::Unknown && name == QStringView(traits.storedName))
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

std::optional<ElementKind> questionKindOfPageType(QStringView pageType)
{
    for (const ElementKindTraits& traits : kKinds) {
        if (traits.pageType && pageType == QStringView(traits.pageType))
            return traits.kind;
    }
    return std::nullopt;
}

} // namespace quenlow
