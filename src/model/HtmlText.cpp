// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/HtmlText.h"

namespace quenlow {

QString escapeAttribute(const QString& text)
{
    return escapeHtml(text);
}

QString escapeHtml(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1StringView("&amp;");
            break;
        case '<':
            out += QLatin1StringView("&lt;");
            break;
        case '>':
            out += QLatin1StringView("&gt;");
            break;
        case '"':
            out += QLatin1StringView("&quot;");
            break;
        case '\'':
            out += QLatin1StringView("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString singleLine(const QString& text)
{
    QString out = text;
    out.replace(QLatin1StringView("\r\n"), QLatin1StringView(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    out.replace(QChar(0x2028), QLatin1Char(' '));
    out.replace(QChar(0x2029), QLatin1Char(' '));
    return out;
}

} // namespace quenlow
