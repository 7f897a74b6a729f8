// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QString>

// What a form's page and the service agree on, named once: the page the
// designer writes posts to this path, these hidden fields first, and beside
// each question its kind under the question's name and a suffix.
namespace quenlow::pageFormat {

/// The path in the action of every form's FORM tag, where the service takes posts.
inline QByteArray postPath()
{
    return QByteArrayLiteral("/scripts/save.asp");
}

// The header's hidden fields, in the order the page posts them.
inline QString tableNameField()
{
    return QStringLiteral("tableName");
}
inline QString databaseLocationField()
{
    return QStringLiteral("DBLocation");
}
inline QString backgroundField()
{
    return QStringLiteral("background");
}
inline QString showTableField()
{
    return QStringLiteral("allowShowTableButtron");
}

/// The star after a required question's text, with its title as pages keep it
/// (the service gives the title in the form's language).
inline QByteArray requiredMarkStart()
{
    return QByteArrayLiteral("<span class='required' title='");
}
inline QString requiredMarkTitle()
{
    return QStringLiteral("An answer is required");
}

/// The rule that starts each page after the first carries this attribute;
/// the page's title, when it has one, follows it as a heading.
inline QByteArray pageBreakAttribute()
{
    return QByteArrayLiteral("data-page-break");
}

/// "<question> Type" carries a question's kind.
inline QString kindSuffix()
{
    return QStringLiteral(" Type");
}

/// A question that takes an answer typed instead of its options: the value
/// of its "Other:" choice, and "<question> Other", the box the answer is
/// typed in. The page shows the choice's text in the form's language.
inline QString otherChoice()
{
    return QStringLiteral("Other:");
}
inline QString otherSuffix()
{
    return QStringLiteral(" Other");
}

} // namespace quenlow::pageFormat
