// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/ElementNames.h"

#include "model/MethodCollection.h"

#include <QCoreApplication>

namespace quenlow {

namespace {

// Marked for the catalogue here, translated when shown.
constexpr const char* kContext = "ElementNames";
constexpr const char* kKindNames[] = {
    QT_TRANSLATE_NOOP("ElementNames", "Header"),
    QT_TRANSLATE_NOOP("ElementNames", "Plain Text"),
    QT_TRANSLATE_NOOP("ElementNames", "Text Field"),
    QT_TRANSLATE_NOOP("ElementNames", "Text Area"),
    QT_TRANSLATE_NOOP("ElementNames", "Check Box"),
    QT_TRANSLATE_NOOP("ElementNames", "Radio Buttons"),
    QT_TRANSLATE_NOOP("ElementNames", "Pull Down Menu"),
    QT_TRANSLATE_NOOP("ElementNames", "Submit Button"),
    QT_TRANSLATE_NOOP("ElementNames", "Line"),
    QT_TRANSLATE_NOOP("ElementNames", "Scale"),
    QT_TRANSLATE_NOOP("ElementNames", "Page Break"),
    QT_TRANSLATE_NOOP("ElementNames", "Grid"),
    QT_TRANSLATE_NOOP("ElementNames", "Ranking"),
};
static_assert(std::size(kKindNames) == std::size_t(ElementKind::Unknown));
// The row labels the program gives the header: a new form's, and a retitled one's
// ("<title> (Header)"); any other is shown as it is.
[[maybe_unused]] constexpr const char* kNewHeaderLabel
    = QT_TRANSLATE_NOOP("ElementNames", "HTML Header (Can't Remove/Move)");
constexpr QLatin1StringView kRetitledSuffix(" (Header)");

} // namespace

QString shownKindName(const FormMethod& method)
{
    if (method.kind == ElementKind::Unknown)
        return method.kindName();
    return QCoreApplication::translate(kContext, kKindNames[std::size_t(method.kind)]);
}

QString shownRowText(const FormMethod& method)
{
    if (method.kind == ElementKind::PageBreak && method.userInstruction.isEmpty())
        return shownKindName(method);
    return shownKindName(method) + QStringLiteral(" - ") + method.userInstruction;
}

QString shownRowText(const MethodCollection& elements, int position)
{
    const QString label = elements.rowLabel(position);
    const FormMethod& method = elements.atPosition(position);
    if (label.isEmpty())
        return shownRowText(method);
    if (method.kind == ElementKind::Header && label == method.userInstruction + kRetitledSuffix)
        return QCoreApplication::translate("ElementNames", "%1 (Header)").arg(method.userInstruction);
    return QCoreApplication::translate(kContext, label.toUtf8().constData());
}

} // namespace quenlow
