// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/WordPackage_p.h"
#include "platform/WordXmlReading_p.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::wordml {

// ---------------------------------------------------------------------------
// The shape of a part's markup, before it is parsed

namespace {

// The code units of a part as stored, read in place: decoding a crafted part
// first would cost the memory the check is there to spare.
struct Utf8Units {
    QByteArrayView bytes;
    qsizetype size() const { return bytes.size(); }
    char16_t operator[](qsizetype i) const { return char16_t(uchar(bytes[i])); }
};

template <bool bigEndian> struct Utf16Units {
    QByteArrayView bytes;
    qsizetype size() const { return bytes.size() / 2; }
    char16_t operator[](qsizetype i) const
    {
        const auto first = uchar(bytes[2 * i]);
        const auto second = uchar(bytes[2 * i + 1]);
        return bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
};

bool isXmlSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Follows the markup as the parser will: comments, character data and
// processing instructions hold no elements, and a '>' inside a quoted
// attribute value ends nothing. Where the markup is not well-formed the
// parser stops, so what lies beyond does not matter.
template <typename Units> MarkupExcess scanMarkup(const Units& units)
{
    const qsizetype size = units.size();
    const auto startsWith = [&](qsizetype at, QLatin1StringView literal) {
        if (literal.size() > size - at)
            return false;
        for (qsizetype k = 0; k < literal.size(); ++k) {
            if (units[at + k] != literal[k].unicode())
                return false;
        }
        return true;
    };
    const auto skipPast = [&](qsizetype at, QLatin1StringView literal) {
        for (; at < size; ++at) {
            if (startsWith(at, literal))
                return at + literal.size();
        }
        return size;
    };
    QList<int> declaredPerOpenElement; // namespace declarations of each element open
    int declarationsInForce = 0;
    qsizetype at = 0;
    while (at < size) {
        if (units[at] != u'<') {
            ++at;
        } else if (startsWith(at, "<!--"_L1)) {
            at = skipPast(at + 4, "-->"_L1);
        } else if (startsWith(at, "<![CDATA["_L1)) {
            at = skipPast(at + 9, "]]>"_L1);
        } else if (startsWith(at, "<?"_L1)) {
            at = skipPast(at + 2, "?>"_L1);
        } else if (startsWith(at, "<!DOCTYPE"_L1)) {
            return MarkupExcess::DocumentType;
        } else if (startsWith(at, "<!"_L1)) {
            return MarkupExcess::None; // not well-formed: the parser stops here
        } else if (startsWith(at, "</"_L1)) {
            at = skipPast(at + 2, ">"_L1);
            if (!declaredPerOpenElement.isEmpty())
                declarationsInForce -= declaredPerOpenElement.takeLast();
        } else {
            if (declaredPerOpenElement.size() >= kMaxElementDepth)
                return MarkupExcess::Depth;
            int attributes = 0;
            int declarations = 0;
            ++at;
            while (at < size && units[at] != u'>') {
                const char16_t c = units[at];
                if (c == u'"' || c == u'\'') {
                    ++attributes;
                    while (++at < size && units[at] != c) { }
                    ++at;
                    continue;
                }
                // "xmlns" or "xmlns:prefix" starting an attribute's name
                if (isXmlSpace(c) && startsWith(at + 1, "xmlns"_L1) && at + 6 < size
                    && (units[at + 6] == u'=' || units[at + 6] == u':' || isXmlSpace(units[at + 6])))
                    ++declarations;
                ++at;
            }
            if (attributes > kMaxAttributes)
                return MarkupExcess::Attributes;
            if (declarations > kMaxNamespaceDeclarations - declarationsInForce)
                return MarkupExcess::NamespaceDeclarations;
            const bool empty = at < size && units[at - 1] == u'/';
            if (!empty) {
                declaredPerOpenElement.append(declarations);
                declarationsInForce += declarations;
            }
            ++at;
        }
    }
    return MarkupExcess::None;
}

} // namespace

MarkupExcess markupExcess(QByteArrayView part)
{
    // The same byte-order marks decodePart() goes by.
    if (part.startsWith("\xFF\xFE"))
        return scanMarkup(Utf16Units<false> { part.sliced(2) });
    if (part.startsWith("\xFE\xFF"))
        return scanMarkup(Utf16Units<true> { part.sliced(2) });
    return scanMarkup(Utf8Units { part });
}

// ---------------------------------------------------------------------------
// Reading the main part

bool isWordElement(const QXmlStreamReader& reader, QLatin1StringView name)
{
    return reader.name() == name
        && (reader.namespaceUri() == kWordNamespace || reader.namespaceUri() == kStrictWordNamespace);
}

// Attributes of WordprocessingML are in its namespace; match them by local name.
QString wordAttribute(const QXmlStreamReader& reader, QLatin1StringView name)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (attribute.name() == name)
            return attribute.value().toString();
    }
    return {};
}

QString valAttribute(const QXmlStreamReader& reader)
{
    return wordAttribute(reader, "val"_L1);
}

// An absent value means on.
bool onOffValue(const QXmlStreamReader& reader)
{
    const QString value = valAttribute(reader);
    return !(value == "0"_L1 || value == "false"_L1 || value == "off"_L1);
}

void readRunProperties(QXmlStreamReader& reader, WordFont& font)
{
    while (reader.readNextStartElement()) {
        if (isWordElement(reader, "b"_L1)) {
            font.bold = onOffValue(reader);
        } else if (isWordElement(reader, "i"_L1)) {
            font.italic = onOffValue(reader);
        } else if (isWordElement(reader, "sz"_L1)) {
            font.size = valAttribute(reader).toInt() / 2.0;
        } else if (isWordElement(reader, "u"_L1)) {
            const QString value = valAttribute(reader);
            font.underline
                = value.isEmpty() || value == "none"_L1 ? WordUnderline::None : WordUnderline::Single;
        }
        reader.skipCurrentElement();
    }
}

namespace {

// The relationship ids of the pictures a drawing shows (its "blip" elements' embed).
void readDrawing(QXmlStreamReader& reader, QStringList* pictures)
{
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (reader.name() == "blip"_L1) {
                for (const QXmlStreamAttribute& attribute : reader.attributes()) {
                    if (attribute.name() == "embed"_L1 && !attribute.value().isEmpty())
                        pictures->append(attribute.value().toString());
                }
            }
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
}

} // namespace

WordRun readRun(QXmlStreamReader& reader, QStringList* pictures)
{
    WordRun run;
    run.font.size = 0;
    while (reader.readNextStartElement()) {
        if (isWordElement(reader, "rPr"_L1)) {
            readRunProperties(reader, run.font);
            continue;
        }
        if (pictures && isWordElement(reader, "drawing"_L1)) {
            readDrawing(reader, pictures);
            continue;
        }
        if (isWordElement(reader, "t"_L1)) {
            run.text += reader.readElementText();
            continue;
        }
        if (isWordElement(reader, "tab"_L1)) {
            run.text += u'\t';
        } else if (isWordElement(reader, "br"_L1)) {
            run.text += wordAttribute(reader, "type"_L1) == "page"_L1 ? u'\f' : u'\n';
        } else if (isWordElement(reader, "cr"_L1)) {
            run.text += u'\n';
        }
        reader.skipCurrentElement();
    }
    return run;
}

// Runs may sit inside hyperlinks, insertions, fields and content controls:
// descend into anything but paragraph properties and deleted text.
WordParagraph readParagraph(QXmlStreamReader& reader)
{
    WordParagraph paragraph;
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (isWordElement(reader, "r"_L1)) {
                // A run without text shows nothing; keeping it would only cost memory.
                if (WordRun run = readRun(reader, &paragraph.pictures); !run.text.isEmpty())
                    paragraph.runs.append(std::move(run));
            } else if (isWordElement(reader, "pPr"_L1) || isWordElement(reader, "del"_L1)
                || isWordElement(reader, "moveFrom"_L1))
                reader.skipCurrentElement();
            else
                ++depth;
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
    return paragraph;
}

// Tables may nest to any depth in a crafted file, so they are read with a
// stack of our own rather than by recursion. The text of a nested table
// belongs to the cell of the outermost table holding it, in document order;
// paragraphs of a nested table outside its cells are dropped.
WordTable readTable(QXmlStreamReader& reader)
{
    WordTable table;
    QList<bool> openIsTable; // per element open inside the table: a nested table?
    QList<bool> nestedInCell; // per nested table: does its last row have a cell?
    qsizetype nestedOutsideCells = 0;
    const auto topInCell = [&] { return !table.rows.isEmpty() && !table.rows.last().isEmpty(); };
    const auto setNestedInCell = [&](bool inCell) {
        if (nestedInCell.last() != inCell)
            nestedOutsideCells += inCell ? -1 : 1;
        nestedInCell.last() = inCell;
    };
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            if (openIsTable.isEmpty())
                break; // the table's own end
            if (openIsTable.takeLast()) {
                if (!nestedInCell.takeLast())
                    --nestedOutsideCells;
            }
            continue;
        }
        if (!reader.isStartElement())
            continue;
        if (isWordElement(reader, "tr"_L1)) {
            if (nestedInCell.isEmpty())
                table.rows.append(QList<WordCell>());
            else
                setNestedInCell(false);
            openIsTable.append(false);
        } else if (isWordElement(reader, "tc"_L1)) {
            if (nestedInCell.isEmpty()) {
                if (table.rows.isEmpty())
                    table.rows.append(QList<WordCell>());
                table.rows.last().append(WordCell());
            } else {
                setNestedInCell(true);
            }
            openIsTable.append(false);
        } else if (isWordElement(reader, "p"_L1)) {
            WordParagraph paragraph = readParagraph(reader);
            if (topInCell() && nestedOutsideCells == 0)
                table.rows.last().last().paragraphs.append(std::move(paragraph));
        } else if (isWordElement(reader, "tbl"_L1)) {
            nestedInCell.append(false);
            ++nestedOutsideCells;
            openIsTable.append(true);
        } else if (isWordElement(reader, "tblPr"_L1) || isWordElement(reader, "tblGrid"_L1)
            || isWordElement(reader, "trPr"_L1) || isWordElement(reader, "tcPr"_L1)) {
            reader.skipCurrentElement();
        } else {
            openIsTable.append(false);
        }
    }
    return table;
}

// Block-level content of the body, also inside content controls and custom
// XML. Those nest to any depth in a crafted file: counted, not recursed into.
void readBlocks(QXmlStreamReader& reader, QList<WordBlock>* blocks, BodyLayout& layout, const QString& xml)
{
    qsizetype lastSectionStart = -1;
    bool lastChildIsSection = false;
    qsizetype wrappers = 0; // content controls open around the blocks read
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            if (wrappers > 0) {
                --wrappers;
                continue;
            }
            const qsizetype bodyEnd = xml.lastIndexOf(u'<', reader.characterOffset() - 1);
            layout.splice = lastChildIsSection ? lastSectionStart : bodyEnd;
            return;
        }
        if (!reader.isStartElement())
            continue;
        lastChildIsSection = false;
        if (isWordElement(reader, "p"_L1)) {
            WordParagraph paragraph = readParagraph(reader);
            if (blocks)
                blocks->append({ WordBlock::Kind::Paragraph, std::move(paragraph), {} });
            layout.hasBlocks = true;
            layout.endsWithTable = false;
        } else if (isWordElement(reader, "tbl"_L1)) {
            WordTable table = readTable(reader);
            if (blocks)
                blocks->append({ WordBlock::Kind::Table, {}, std::move(table) });
            layout.hasBlocks = true;
            layout.endsWithTable = true;
        } else if (isWordElement(reader, "sdt"_L1) || isWordElement(reader, "sdtContent"_L1)
            || isWordElement(reader, "customXml"_L1)) {
            ++wrappers;
        } else if (wrappers == 0 && isWordElement(reader, "sectPr"_L1)) {
            lastSectionStart = xml.lastIndexOf(u'<', reader.characterOffset() - 1);
            lastChildIsSection = true;
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }
}

/// Reads the main part: where additions go, and (if asked) its blocks.
Result<void> readMainPart(const QString& xml, BodyLayout& layout, QList<WordBlock>* blocks)
{
    QXmlStreamReader reader(xml);
    bool sawBody = false;
    if (reader.readNextStartElement() && isWordElement(reader, "document"_L1)) {
        while (reader.readNextStartElement()) {
            if (isWordElement(reader, "body"_L1) && !sawBody) {
                sawBody = true;
                layout.namespaceUri = reader.namespaceUri().toString();
                layout.wBound = reader.prefix() == "w"_L1;
                const qsizetype tagEnd = reader.characterOffset();
                if (tagEnd >= 2 && xml[tagEnd - 2] == u'/') {
                    layout.selfClosingBodyEnd = tagEnd - 2;
                    layout.bodyName = reader.qualifiedName().toString();
                }
                readBlocks(reader, blocks, layout, xml);
            } else {
                reader.skipCurrentElement();
            }
        }
    }
    while (!reader.atEnd() && !reader.hasError())
        reader.readNext();
    if (reader.hasError())
        return Error {
            Error::Other,
            u"it is not well-formed XML (%1 at line %2)"_s.arg(reader.errorString()).arg(reader.lineNumber())
        };
    if (!sawBody || layout.splice < 0)
        return Error { Error::Other, u"it is not a word-processing document body"_s };
    return {};
}

} // namespace quenlow::wordml
