// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/WordPackage_p.h"
#include "platform/WordXmlWriting_p.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::wordml {

// ---------------------------------------------------------------------------
// Writing XML

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

/// Typed text as the document holds it: line ends as '\n', no characters that
/// XML 1.0 cannot carry (lone surrogates, control characters other than tab).
QString cleanTypedText(const QString& text)
{
    QString result;
    result.reserve(text.size());
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < length && text[i + 1].isLowSurrogate()) {
            result += c;
            result += text[++i];
            continue;
        }
        if (c.isSurrogate())
            continue;
        if (c == u'\r') {
            if (i + 1 < length && text[i + 1] == u'\n')
                ++i;
            result += u'\n';
        } else if (c == u'\v') {
            result += u'\n';
        } else if (c == u'\f' || isXmlCharacter(c.unicode())) {
            result += c;
        }
    }
    return result;
}

void appendEscaped(QString& out, QStringView text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += "&amp;"_L1;
            break;
        case u'<':
            out += "&lt;"_L1;
            break;
        case u'>':
            out += "&gt;"_L1;
            break;
        case u'"':
            out += "&quot;"_L1;
            break;
        default:
            out += c;
        }
    }
}

void appendTextElement(QString& out, QStringView text)
{
    if (text.isEmpty())
        return;
    const bool keepBlanks = text.front().isSpace() || text.back().isSpace() || text.contains("  "_L1);
    out += keepBlanks ? "<w:t xml:space=\"preserve\">"_L1 : "<w:t>"_L1;
    appendEscaped(out, text);
    out += "</w:t>"_L1;
}

void appendRun(QString& out, const WordRun& run)
{
    if (run.text.isEmpty())
        return;
    out += "<w:r><w:rPr>"_L1;
    if (run.font.bold)
        out += "<w:b/><w:bCs/>"_L1;
    if (run.font.italic)
        out += "<w:i/><w:iCs/>"_L1;
    const QString halfPoints = QString::number(qRound(run.font.size * 2));
    out += "<w:sz w:val=\""_L1 + halfPoints + "\"/><w:szCs w:val=\""_L1 + halfPoints + "\"/>"_L1;
    if (run.font.underline == WordUnderline::Single)
        out += "<w:u w:val=\"single\"/>"_L1;
    out += "</w:rPr>"_L1;

    const QStringView text(run.text);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\t' && c != u'\n' && c != u'\f')
            continue;
        appendTextElement(out, text.sliced(start, i - start));
        out += c == u'\t' ? "<w:tab/>"_L1 : c == u'\n' ? "<w:br/>"_L1 : "<w:br w:type=\"page\"/>"_L1;
        start = i + 1;
    }
    appendTextElement(out, text.sliced(start));
    out += "</w:r>"_L1;
}

void appendParagraph(QString& out, const WordParagraph& paragraph, QStringView namespaceDeclaration)
{
    if (paragraph.isEmpty()) {
        out += "<w:p"_L1 + namespaceDeclaration + "/>"_L1;
        return;
    }
    out += "<w:p"_L1 + namespaceDeclaration + ">"_L1;
    if (paragraph.keepWithNext)
        out += "<w:pPr><w:keepNext/></w:pPr>"_L1;
    for (const WordRun& run : paragraph.runs)
        appendRun(out, run);
    out += "</w:p>"_L1;
}

void appendTable(QString& out, const WordTable& table, QStringView namespaceDeclaration)
{
    const int columns = std::max(1, table.columnCount());
    out += "<w:tbl"_L1 + namespaceDeclaration
        + "><w:tblPr><w:tblW w:w=\"5000\" w:type=\"pct\"/><w:tblBorders>"_L1;
    for (const auto side : { "top"_L1, "left"_L1, "bottom"_L1, "right"_L1, "insideH"_L1, "insideV"_L1 })
        out += "<w:"_L1 + side + " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>"_L1;
    out += "</w:tblBorders><w:tblLayout w:type=\"autofit\"/></w:tblPr><w:tblGrid>"_L1;
    const QString columnWidth = QString::number(kTextWidthTwips / columns);
    for (int column = 0; column < columns; ++column)
        out += "<w:gridCol w:w=\""_L1 + columnWidth + "\"/>"_L1;
    out += "</w:tblGrid>"_L1;
    for (const auto& row : table.rows) {
        out += "<w:tr>"_L1;
        for (const WordCell& cell : row) {
            out += "<w:tc>"_L1;
            if (cell.paragraphs.isEmpty())
                out += "<w:p/>"_L1;
            for (const WordParagraph& paragraph : cell.paragraphs)
                appendParagraph(out, paragraph);
            out += "</w:tc>"_L1;
        }
        out += "</w:tr>"_L1;
    }
    out += "</w:tbl>"_L1;
}

WordCell emptyCell()
{
    WordCell cell;
    cell.paragraphs.append(WordParagraph());
    return cell;
}

} // namespace quenlow::wordml
