// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/WordDocument.h"

#include "core/Messages.h"
#include "platform/DocumentPreview.h"

#include <QDir>
#include <QFile>
#include <QBuffer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

// ---------------------------------------------------------------------------
// Content model

QString WordParagraph::text() const
{
    QString result;
    for (const WordRun& run : runs)
        result += run.text;
    return result;
}

bool WordParagraph::isEmpty() const
{
    for (const WordRun& run : runs) {
        if (!run.text.isEmpty())
            return false;
    }
    return true;
}

QString WordCell::text() const
{
    QStringList lines;
    for (const WordParagraph& paragraph : paragraphs)
        lines.append(paragraph.text());
    return lines.join(u'\n');
}

int WordTable::columnCount() const
{
    qsizetype widest = 0;
    for (const auto& row : rows)
        widest = std::max(widest, row.size());
    return int(widest);
}

QString WordTable::cellText(int row, int column) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= rows[row].size())
        return {};
    return rows[row][column].text();
}

QStringList WordTable::rowTexts(int row) const
{
    QStringList result;
    if (row < 0 || row >= rows.size())
        return result;
    for (const WordCell& cell : rows[row])
        result.append(cell.text());
    return result;
}

QList<WordParagraph> WordContent::paragraphs() const
{
    QList<WordParagraph> result;
    for (const WordBlock& block : blocks) {
        if (block.kind == WordBlock::Kind::Paragraph)
            result.append(block.paragraph);
    }
    return result;
}

QList<WordTable> WordContent::tables() const
{
    QList<WordTable> result;
    for (const WordBlock& block : blocks) {
        if (block.kind == WordBlock::Kind::Table)
            result.append(block.table);
    }
    return result;
}

QString WordContent::text() const
{
    QStringList lines;
    for (const WordBlock& block : blocks) {
        if (block.kind == WordBlock::Kind::Paragraph) {
            lines.append(block.paragraph.text());
        } else {
            for (int row = 0; row < block.table.rowCount(); ++row)
                lines.append(block.table.rowTexts(row).join(u'\t'));
        }
    }
    return lines.join(u'\n');
}

namespace {

// ---------------------------------------------------------------------------
// Package parts of a new document

const auto kWordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"_L1;
const auto kStrictWordNamespace = "http://purl.oclc.org/ooxml/wordprocessingml/main"_L1;
const auto kMainPartName = "word/document.xml"_L1;

const char kContentTypes[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/word/document.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
      "<Override PartName=\"/word/styles.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
      "</Types>";

const char kPackageRelationships[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
      "Target=\"word/document.xml\"/>"
      "</Relationships>";

const char kDocumentRelationships[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
      "Target=\"styles.xml\"/>"
      "</Relationships>";

// Times New Roman 12 pt with single spacing and no space after paragraphs: the
// look of the reports the old program produced.
const char kStyles[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
      "<w:docDefaults><w:rPrDefault><w:rPr>"
      "<w:rFonts w:ascii=\"Times New Roman\" w:eastAsia=\"Times New Roman\" w:hAnsi=\"Times New Roman\" "
      "w:cs=\"Times New Roman\"/>"
      "<w:sz w:val=\"24\"/><w:szCs w:val=\"24\"/><w:lang w:val=\"en-US\" w:eastAsia=\"en-US\" "
      "w:bidi=\"ar-SA\"/>"
      "</w:rPr></w:rPrDefault>"
      "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr>"
      "</w:pPrDefault></w:docDefaults>"
      "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/>"
      "<w:qFormat/></w:style>"
      "<w:style w:type=\"character\" w:default=\"1\" w:styleId=\"DefaultParagraphFont\">"
      "<w:name w:val=\"Default Paragraph Font\"/><w:uiPriority w:val=\"1\"/><w:semiHidden/>"
      "<w:unhideWhenUsed/></w:style>"
      "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name w:val=\"Normal Table\"/>"
      "<w:uiPriority w:val=\"99\"/><w:semiHidden/><w:unhideWhenUsed/><w:tblPr>"
      "<w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/>"
      "<w:left w:w=\"108\" w:type=\"dxa\"/><w:bottom w:w=\"0\" w:type=\"dxa\"/>"
      "<w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr></w:style>"
      "</w:styles>";

// A4 with 2 cm margins: 9638 twips of text width.
const char kEmptyDocument[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<w:body><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
      "<w:pgMar w:top=\"1134\" w:right=\"1134\" w:bottom=\"1134\" w:left=\"1134\" w:header=\"709\" "
      "w:footer=\"709\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";

constexpr int kTextWidthTwips = 9638;

// ---------------------------------------------------------------------------
// Zip packages through libzip, in memory

QString zipErrorText(zip_error_t* error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipPointer = std::unique_ptr<zip_t, ZipCloser>;

/// Opens `package` read-only. `package` must outlive the archive.
ZipPointer openPackage(const QByteArray& package, QString* error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source
        = zip_source_buffer_create(package.constData(), zip_uint64_t(package.size()), 0, &zipError);
    if (!source) {
        *error = zipErrorText(&zipError);
        zip_error_fini(&zipError);
        return {};
    }
    // Every entry is copied back when the document is saved, so an entry whose
    // local header disagrees with the directory must be found now, not then.
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError);
    if (!archive) {
        *error = zipErrorText(&zipError);
        zip_source_free(source);
        zip_error_fini(&zipError);
        return {};
    }
    zip_error_fini(&zipError);
    return ZipPointer(archive);
}

// What a zip entry says it unpacks to is whatever its writer put there; a
// crafted file declares terabytes, or packs hundreds of megabytes of markup
// into a few hundred kilobytes, which would take gigabytes and minutes to
// read. So the parts read from one package unpack to at most so much in all;
// a part past the first megabyte may unpack to at most so many times its
// packed size (the markup of real documents, even long tables of the same
// answer, packs to less than 300 times smaller); and every part must unpack
// to exactly the size it declares. Parts are read in pieces, never past that.
constexpr qint64 kMaxUnpackedBytes = 64 * 1024 * 1024;
constexpr qint64 kMaxPackingRatio = 500;
constexpr qint64 kPackingRatioFrom = 1024 * 1024;
constexpr qint64 kMaxPackageBytes = 1024 * 1024 * 1024;

enum class PartStatus { Read, Missing, TooLarge, TooPacked, Damaged };

/// Reads the part `name`. `unpacked` counts what the package's parts read so
/// far unpacked to, against kMaxUnpackedBytes; without it the part counts alone.
PartStatus readPart(zip_t* archive, const QString& name, QByteArray* data, qint64* unpacked = nullptr)
{
    const QByteArray encodedName = name.toUtf8();
    const zip_int64_t index = zip_name_locate(archive, encodedName.constData(), 0);
    if (index < 0)
        return PartStatus::Missing;
    zip_stat_t stat;
    if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
        || !(stat.valid & ZIP_STAT_COMP_SIZE))
        return PartStatus::Damaged;
    const qint64 before = unpacked ? *unpacked : 0;
    if (stat.size > zip_uint64_t(kMaxUnpackedBytes - before))
        return PartStatus::TooLarge;
    if (stat.size > zip_uint64_t(kPackingRatioFrom) && stat.size / kMaxPackingRatio > stat.comp_size)
        return PartStatus::TooPacked;
    zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(index), 0);
    if (!file)
        return PartStatus::Damaged;
    QByteArray out;
    out.reserve(qsizetype(std::min<zip_uint64_t>(stat.size, 1024 * 1024))); // grows only as bytes come
    char chunk[64 * 1024];
    zip_int64_t read = 0;
    // One read past the declared size shows a part that unpacks to more.
    while (out.size() <= qsizetype(stat.size) && (read = zip_fread(file, chunk, sizeof chunk)) > 0)
        out.append(chunk, qsizetype(read));
    zip_fclose(file);
    if (read < 0 || out.size() != qsizetype(stat.size))
        return PartStatus::Damaged;
    if (unpacked)
        *unpacked += out.size();
    *data = std::move(out);
    return PartStatus::Read;
}

std::optional<QByteArray> readPart(zip_t* archive, const QString& name)
{
    QByteArray data;
    if (readPart(archive, name, &data) != PartStatus::Read)
        return std::nullopt;
    return data;
}

/// Returns `package` (empty: a new package) with `parts` added or replaced;
/// every other entry is copied as it is.
std::optional<QByteArray> writeParts(
    const QByteArray& package, const QList<std::pair<QString, QByteArray>>& parts, QString* error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    // libzip 1.7 frees the buffer it was given once the archive is rewritten
    // (it clones the unchanged start of it), so it gets a copy of its own.
    void* copy = nullptr;
    if (!package.isEmpty()) {
        copy = std::malloc(size_t(package.size()));
        if (!copy) {
            *error = u"not enough memory"_s;
            return std::nullopt;
        }
        std::memcpy(copy, package.constData(), size_t(package.size()));
    }
    zip_source_t* source = zip_source_buffer_create(copy, zip_uint64_t(package.size()), 1, &zipError);
    if (!source) {
        std::free(copy);
        *error = zipErrorText(&zipError);
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    zip_t* archive
        = zip_open_from_source(source, package.isEmpty() ? ZIP_CREATE | ZIP_TRUNCATE : 0, &zipError);
    if (!archive) {
        *error = zipErrorText(&zipError);
        zip_source_free(source);
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    zip_error_fini(&zipError);
    // Keep the buffer source alive past zip_close to read the new archive from it.
    zip_source_keep(source);
    auto fail = [&](const QString& text) {
        *error = text;
        zip_discard(archive);
        zip_source_free(source);
        return std::nullopt;
    };

    // `parts` owns the bytes; libzip reads them during zip_close.
    for (const auto& [name, bytes] : parts) {
        zip_source_t* partSource
            = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!partSource)
            return fail(QString::fromLocal8Bit(zip_strerror(archive)));
        const QByteArray encodedName = name.toUtf8();
        const zip_int64_t index
            = zip_file_add(archive, encodedName.constData(), partSource, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(partSource);
            return fail(QString::fromLocal8Bit(zip_strerror(archive)));
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(archive) != 0)
        return fail(QString::fromLocal8Bit(zip_strerror(archive)));

    QByteArray result;
    zip_stat_t stat;
    if (zip_source_is_deleted(source) || zip_source_stat(source, &stat) != 0
        || zip_source_open(source) != 0) {
        *error = zipErrorText(zip_source_error(source));
        zip_source_free(source);
        return std::nullopt;
    }
    result.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(source, result.data(), stat.size);
    zip_source_close(source);
    zip_source_free(source);
    if (read < 0 || zip_uint64_t(read) != stat.size) {
        *error = u"the new package could not be read back"_s;
        return std::nullopt;
    }
    return result;
}

/// The main document part named by the package relationships.
QString mainPartName(zip_t* archive, qint64* unpacked)
{
    QByteArray relationships;
    if (readPart(archive, u"_rels/.rels"_s, &relationships, unpacked) != PartStatus::Read)
        return kMainPartName;
    QXmlStreamReader reader(relationships);
    while (!reader.atEnd() && !reader.hasError()) {
        reader.readNext();
        if (!reader.isStartElement() || reader.name() != "Relationship"_L1)
            continue;
        const auto attributes = reader.attributes();
        if (attributes.value("Type"_L1).endsWith("/relationships/officeDocument"_L1)
            && attributes.value("TargetMode"_L1) != "External"_L1) {
            QString target = attributes.value("Target"_L1).toString();
            while (target.startsWith(u'/'))
                target.remove(0, 1);
            if (!target.isEmpty())
                return target;
        }
    }
    return kMainPartName;
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

WordRun readRun(QXmlStreamReader& reader)
{
    WordRun run;
    run.font.size = 0;
    while (reader.readNextStartElement()) {
        if (isWordElement(reader, "rPr"_L1)) {
            readRunProperties(reader, run.font);
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
                if (WordRun run = readRun(reader); !run.text.isEmpty())
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

struct BodyLayout {
    qsizetype splice = -1;
    bool wBound = false;
    QString namespaceUri;
    bool endsWithTable = false;
    bool hasBlocks = false;
    // An empty body written as one tag ("<w:body/>"): where its "/>" is, and its name.
    qsizetype selfClosingBodyEnd = -1;
    QString bodyName;
};

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
bool readMainPart(const QString& xml, BodyLayout& layout, QList<WordBlock>* blocks, QString* error)
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
    if (reader.hasError()) {
        *error = u"it is not well-formed XML (%1 at line %2)"_s.arg(reader.errorString())
                     .arg(reader.lineNumber());
        return false;
    }
    if (!sawBody || layout.splice < 0) {
        *error = u"it is not a word-processing document body"_s;
        return false;
    }
    return true;
}

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

void appendParagraph(QString& out, const WordParagraph& paragraph, QStringView namespaceDeclaration = {})
{
    if (paragraph.isEmpty()) {
        out += "<w:p"_L1 + namespaceDeclaration + "/>"_L1;
        return;
    }
    out += "<w:p"_L1 + namespaceDeclaration + ">"_L1;
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

std::optional<QString> decodePart(const QByteArray& bytes, int* encoding)
{
    QStringDecoder decoder;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        *encoding = 1;
        decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    } else if (bytes.startsWith("\xFF\xFE")) {
        *encoding = 2;
        decoder = QStringDecoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
    } else if (bytes.startsWith("\xFE\xFF")) {
        *encoding = 3;
        decoder = QStringDecoder(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
    } else {
        *encoding = 0;
        decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    }
    const qsizetype bomLength = *encoding == 1 ? 3 : *encoding >= 2 ? 2 : 0;
    QString text = decoder.decode(QByteArrayView(bytes).sliced(bomLength));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QByteArray encodePart(const QString& text, int encoding)
{
    if (encoding == 2 || encoding == 3) {
        QStringEncoder encoder(encoding == 2 ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
            QStringEncoder::Flag::WriteBom);
        return encoder.encode(text);
    }
    return (encoding == 1 ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
}

} // namespace

// ---------------------------------------------------------------------------
// WordDocument

WordDocument::WordDocument() = default;
WordDocument::~WordDocument() = default;

void WordDocument::newDocument()
{
    m_open = true;
    m_modified = false;
    m_path.clear();
    m_font = WordFont();
    m_package.clear();
    m_partName = kMainPartName;
    m_baseXml = QString::fromUtf8(kEmptyDocument);
    BodyLayout layout;
    QString error;
    readMainPart(m_baseXml, layout, nullptr, &error);
    m_splice = layout.splice;
    m_declareW = false;
    m_namespace = kWordNamespace;
    m_baseEndsWithTable = false;
    m_baseHasBlocks = false;
    m_encoding = 0;
    m_added.clear();
    m_pictures.clear();
    m_inTable = false;
    startBodyParagraph();
}

FileResult WordDocument::open(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileResult::failure(u"The document '%1' cannot be found."_s.arg(path));
    if (info.isDir())
        return FileResult::failure(u"'%1' is a folder, not a document."_s.arg(path));
    if (info.size() > kMaxPackageBytes) {
        return FileResult::failure(u"The document '%1' cannot be opened: at %2 MB it is larger than a report "
                                   u"document can be (%3 MB)."_s.arg(path, QString::number(info.size() / (1024 * 1024)),
                                       QString::number(kMaxPackageBytes / (1024 * 1024))));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failure(u"The document '%1' cannot be read: %2."_s.arg(path, file.errorString()));
    QByteArray package = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileResult::failure(u"The document '%1' cannot be read: %2."_s.arg(path, file.errorString()));
    file.close();

    QString error;
    ZipPointer archive;
    if (package.isEmpty())
        error = u"the file is empty"_s; // libzip would take it for an empty archive
    else
        archive = openPackage(package, &error);
    if (!archive) {
        return FileResult::failure(
            u"The document '%1' cannot be opened: it is not an Office Open XML (.docx) word-processing "
            u"document"
            " (%2). A document saved in the old binary Word format must be saved in the .docx format first."_s
                .arg(path, error));
    }
    qint64 unpacked = 0;
    const QString partName = mainPartName(archive.get(), &unpacked);
    QByteArray partBytes;
    const PartStatus status = readPart(archive.get(), partName, &partBytes, &unpacked);
    archive.reset();
    switch (status) {
    case PartStatus::Read:
        break;
    case PartStatus::Missing:
        return FileResult::failure(
            u"The document '%1' cannot be opened: the package has no word-processing part '%2'."_s.arg(
                path, partName));
    case PartStatus::TooLarge:
        return FileResult::failure(
            u"The document '%1' cannot be opened: its part '%2' unpacks to more than a report document can "
            u"hold (%3 MB). The file is damaged or was not made as a report; it has not been changed."_s.arg(
                path, partName, QString::number(kMaxUnpackedBytes / (1024 * 1024))));
    case PartStatus::TooPacked:
        return FileResult::failure(
            u"The document '%1' cannot be opened: its part '%2' is packed far more tightly than a "
            u"document's text can be (more than %3 to 1). The file is damaged or crafted to exhaust the "
            u"computer's memory; it has not been changed."_s.arg(
                path, partName, QString::number(kMaxPackingRatio)));
    case PartStatus::Damaged:
        return FileResult::failure(
            u"The document '%1' cannot be opened: its part '%2' is damaged (it cannot be unpacked to the "
            u"size the package gives for it)."_s.arg(path, partName));
    }
    int encoding = 0;
    const auto xml = decodePart(partBytes, &encoding);
    if (!xml) {
        return FileResult::failure(
            u"The document '%1' cannot be opened: its part '%2' is not UTF-8 or UTF-16 text."_s.arg(
                path, partName));
    }
    QString baseXml = *xml;
    BodyLayout layout;
    if (!readMainPart(baseXml, layout, nullptr, &error)) {
        return FileResult::failure(
            u"The document '%1' cannot be opened: its part '%2': %3."_s.arg(path, partName, error));
    }
    if (layout.selfClosingBodyEnd >= 0) {
        // Give an empty body an end tag, so there is a place for the additions.
        baseXml.replace(layout.selfClosingBodyEnd, 2, u"></"_s + layout.bodyName + u">"_s);
        layout = BodyLayout();
        readMainPart(baseXml, layout, nullptr, &error);
    }

    m_open = true;
    m_modified = false;
    m_path = info.absoluteFilePath();
    m_font = WordFont();
    m_package = std::move(package);
    m_partName = partName;
    m_baseXml = std::move(baseXml);
    m_splice = layout.splice;
    m_declareW = !layout.wBound;
    m_namespace = layout.namespaceUri;
    m_baseEndsWithTable = layout.endsWithTable;
    m_baseHasBlocks = layout.hasBlocks;
    m_encoding = encoding;
    m_added.clear();
    m_pictures.clear();
    m_inTable = false;
    startBodyParagraph();
    return FileResult {};
}

void WordDocument::setFont(const WordFont& font)
{
    m_font = font;
    setSize(font.size);
}

void WordDocument::setSize(double points)
{
    if (!std::isfinite(points))
        return;
    m_font.size = std::clamp(std::round(points * 2) / 2, 0.5, 1638.0);
}

void WordDocument::startBodyParagraph()
{
    m_added.append(WordBlock {});
}

WordParagraph& WordDocument::currentParagraph()
{
    if (m_inTable) {
        // The table is the block before the paragraph that follows it.
        WordCell& cell = m_added[m_added.size() - 2].table.rows[m_row][m_column];
        if (cell.paragraphs.isEmpty())
            cell.paragraphs.append(WordParagraph());
        return cell.paragraphs.last();
    }
    return m_added.last().paragraph;
}

void WordDocument::typeText(const QString& text)
{
    if (!m_open)
        return;
    const QString clean = cleanTypedText(text);
    if (clean.isEmpty())
        return;
    WordParagraph& paragraph = currentParagraph();
    if (!paragraph.runs.isEmpty() && paragraph.runs.last().font == m_font)
        paragraph.runs.last().text += clean;
    else
        paragraph.runs.append({ clean, m_font });
    m_modified = true;
}

void WordDocument::typeParagraph()
{
    if (!m_open)
        return;
    if (m_inTable)
        m_added[m_added.size() - 2].table.rows[m_row][m_column].paragraphs.append(WordParagraph());
    else
        startBodyParagraph();
    m_modified = true;
}

void WordDocument::addTable(int rows, int columns)
{
    if (!m_open)
        return;
    rows = std::clamp(rows, 1, 32767);
    columns = std::clamp(columns, 1, 63); // the most a Word table can have
    // A table inside a table is not supported: the new one goes after it.
    m_inTable = false;
    const bool followsTable = m_added.size() >= 2 ? m_added[m_added.size() - 2].kind == WordBlock::Kind::Table
                                                  : m_baseEndsWithTable;
    // An empty paragraph becomes the table, unless it keeps two tables apart
    // (adjacent tables would merge into one).
    if (m_added.last().paragraph.isEmpty() && !followsTable)
        m_added.removeLast();

    WordBlock block;
    block.kind = WordBlock::Kind::Table;
    const QList<WordCell> row(columns, emptyCell());
    block.table.rows = QList<QList<WordCell>>(rows, row);
    m_added.append(std::move(block));
    startBodyParagraph();
    m_inTable = true;
    m_row = 0;
    m_column = 0;
    m_modified = true;
}

bool WordDocument::moveRight()
{
    if (!m_open || !m_inTable)
        return false;
    WordTable& table = m_added[m_added.size() - 2].table;
    ++m_column;
    if (m_column >= table.rows[m_row].size()) {
        m_column = 0;
        ++m_row;
        if (m_row >= table.rows.size()) {
            const qsizetype columns = table.rows.last().size();
            table.rows.append(QList<WordCell>(columns, emptyCell()));
            m_modified = true;
        }
    }
    return true;
}

void WordDocument::appendAdditionsXml(QString& out) const
{
    const QString declaration = m_declareW ? u" xmlns:w=\"%1\""_s.arg(m_namespace) : QString();
    const bool bodyHasOtherBlocks = m_baseHasBlocks || m_added.size() > 1;
    for (qsizetype i = 0; i < m_added.size(); ++i) {
        const WordBlock& block = m_added[i];
        if (const auto picture = std::find_if(m_pictures.cbegin(), m_pictures.cend(),
                                              [i](const AddedPicture& p) { return p.block == i; });
            picture != m_pictures.cend()) {
            out += "<w:p"_L1 + declaration + ">"_L1;
            appendPictureXml(out, *picture);
            out += "</w:p>"_L1;
            continue;
        }
        if (block.kind == WordBlock::Kind::Table) {
            appendTable(out, block.table, declaration);
            continue;
        }
        // The paragraph holding the selection at the end is only written when
        // it has text, follows a table (a body does not end with a table) or
        // is all the body has.
        if (i == m_added.size() - 1 && block.paragraph.isEmpty()) {
            const bool followsTable = i > 0 ? m_added[i - 1].kind == WordBlock::Kind::Table : false;
            if (!followsTable && bodyHasOtherBlocks)
                continue;
        }
        appendParagraph(out, block.paragraph, declaration);
    }
}

QString WordDocument::composeXml() const
{
    QString out;
    out.reserve(m_baseXml.size() + 256);
    out += QStringView(m_baseXml).first(m_splice);
    appendAdditionsXml(out);
    out += QStringView(m_baseXml).sliced(m_splice);
    return out;
}

QString WordDocument::documentXml() const
{
    return m_open ? composeXml() : QString();
}

WordContent WordDocument::content() const
{
    WordContent content;
    if (!m_open)
        return content;
    BodyLayout layout;
    QString error;
    readMainPart(composeXml(), layout, &content.blocks, &error);
    return content;
}

QString WordDocument::displayName() const
{
    return m_path.isEmpty() ? u"Document1"_s : QFileInfo(m_path).fileName();
}

FileResult WordDocument::save()
{
    if (m_open && m_path.isEmpty())
        return FileResult::failure(u"The document has never been saved, so it has no file name yet."_s);
    return saveAs(m_path);
}

FileResult WordDocument::saveAs(const QString& path)
{
    if (!m_open)
        return FileResult::failure(u"There is no document to save."_s);
    if (path.isEmpty())
        return FileResult::failure(u"No file name was given for the document."_s);
    const QFileInfo info(path);
    const auto cannotSave = [&](const QString& why) {
        return FileResult::failure(u"The document cannot be saved as '%1': %2."_s.arg(path, why));
    };
    if (!info.absoluteDir().exists())
        return cannotSave(
            u"the folder '%1' does not exist"_s.arg(QDir::toNativeSeparators(info.absolutePath())));
    if (info.isDir())
        return cannotSave(u"it is a folder"_s);

    QList<std::pair<QString, QByteArray>> parts;
    const bool added = m_added.size() > 1 || !m_added.last().paragraph.isEmpty();
    if (m_package.isEmpty()) {
        parts = { { u"[Content_Types].xml"_s, QByteArray(kContentTypes) },
            { u"_rels/.rels"_s, QByteArray(kPackageRelationships) },
            { m_partName, encodePart(composeXml(), m_encoding) },
            { u"word/_rels/document.xml.rels"_s, QByteArray(kDocumentRelationships) },
            { u"word/styles.xml"_s, QByteArray(kStyles) } };
    } else if (added) {
        parts = { { m_partName, encodePart(composeXml(), m_encoding) } };
    }
    if (!m_pictures.isEmpty()) {
        QString error;
        if (!pictureParts(parts, &error))
            return cannotSave(error);
    }
    QByteArray package = m_package;
    if (!parts.isEmpty()) {
        QString error;
        auto written = writeParts(m_package, parts, &error);
        if (!written)
            return cannotSave(error);
        package = std::move(*written);
    }

    // A temporary file beside the target, renamed over it once complete.
    if (const FileResult written = writeFileAtomically(path, package); !written)
        return cannotSave(written.error);

    m_path = info.absoluteFilePath();
    m_modified = false;
    return FileResult {};
}

void WordDocument::visible(QWidget* parent)
{
    if (!m_open)
        return;
    DocumentPreview preview(*this, parent);
    preview.exec();
}

WordDocument::QuitOutcome WordDocument::quit()
{
    if (!m_open)
        return QuitOutcome::Unchanged;
    QuitOutcome outcome = QuitOutcome::Unchanged;
    if (m_modified) {
        if (askYesNo(u"Do you want to save the changes to '%1'?"_s.arg(displayName()))) {
            const FileResult saved = save();
            if (saved) {
                outcome = QuitOutcome::Saved;
            } else {
                showExclamation(saved.error);
                outcome = QuitOutcome::SaveFailed;
            }
        } else {
            outcome = QuitOutcome::Discarded;
        }
    }
    m_open = false;
    m_modified = false;
    m_path.clear();
    m_package.clear();
    m_baseXml.clear();
    m_added.clear();
    m_pictures.clear();
    m_inTable = false;
    return outcome;
}

// ---------------------------------------------------------------------------
// Pictures

namespace {

const auto kRelationshipsNamespace = "http://schemas.openxmlformats.org/package/2006/relationships"_L1;
const auto kImageRelationship = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image"_L1;
constexpr qint64 kEmuPerPixel = 9525; // at 96 pixels an inch
constexpr qint64 kEmuPerTwip = 635;

/// "word/document.xml" -> "word/", "document.xml" -> "".
QString partFolder(const QString& partName)
{
    const qsizetype slash = partName.lastIndexOf(u'/');
    return slash < 0 ? QString() : partName.first(slash + 1);
}

QString relationshipsPartOf(const QString& partName)
{
    const qsizetype slash = partName.lastIndexOf(u'/');
    return partFolder(partName) + u"_rels/"_s + partName.sliced(slash + 1) + u".rels"_s;
}

QString escapedAttribute(const QString& text)
{
    QString out;
    appendEscaped(out, text);
    return out.replace(u'"', u"&quot;"_s);
}

} // namespace

bool WordDocument::addPicture(const QImage& picture, const QString& description)
{
    if (!m_open || picture.isNull())
        return false;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return false;

    // Names and ids the document does not use yet: those of its relationships
    // part, and the media parts it holds.
    QString relationships;
    QStringList media;
    if (!m_package.isEmpty()) {
        QString error;
        if (ZipPointer archive = openPackage(m_package, &error)) {
            if (const auto rels = readPart(archive.get(), relationshipsPartOf(m_partName)))
                relationships = QString::fromUtf8(*rels);
            const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
            for (zip_int64_t i = 0; i < entries; ++i)
                media.append(QString::fromUtf8(zip_get_name(archive.get(), zip_uint64_t(i), 0)));
        }
    }
    AddedPicture added;
    for (int n = int(m_pictures.size()) + 1;; ++n) {
        added.relationshipId = u"rIdReportPicture%1"_s.arg(n);
        added.mediaName = u"media/report-picture%1.png"_s.arg(n);
        if (!relationships.contains(u"\""_s + added.relationshipId + u"\""_s)
            && !media.contains(partFolder(m_partName) + added.mediaName))
            break;
    }
    // Drawing ids are unique within the document.
    int drawingId = 0;
    static const QRegularExpression docPrId(u"docPr\\b[^>]*\\sid=\"(\\d+)\""_s);
    for (auto it = docPrId.globalMatch(m_baseXml); it.hasNext();)
        drawingId = std::max(drawingId, it.next().captured(1).toInt());
    for (const AddedPicture& earlier : m_pictures)
        drawingId = std::max(drawingId, earlier.drawingId);
    added.drawingId = drawingId + 1;
    added.png = std::move(png);
    added.pixels = picture.size();
    added.description = description;

    // Its own paragraph, after a table being filled.
    m_inTable = false;
    if (!m_added.last().paragraph.isEmpty() || m_added.last().kind != WordBlock::Kind::Paragraph)
        startBodyParagraph();
    added.block = m_added.size() - 1;
    m_pictures.append(std::move(added));
    startBodyParagraph();
    m_modified = true;
    return true;
}

void WordDocument::appendPictureXml(QString& out, const AddedPicture& picture) const
{
    qint64 cx = picture.pixels.width() * kEmuPerPixel;
    qint64 cy = picture.pixels.height() * kEmuPerPixel;
    const qint64 maxWidth = kTextWidthTwips * kEmuPerTwip;
    if (cx > maxWidth) {
        cy = cy * maxWidth / cx;
        cx = maxWidth;
    }
    const QString extent = u"cx=\"%1\" cy=\"%2\""_s.arg(cx).arg(cy);
    const QString name = u"Picture %1"_s.arg(picture.drawingId);
    out += "<w:r><w:drawing><wp:inline xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
           "distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent "_L1
        + extent + "/><wp:docPr id=\""_L1 + QString::number(picture.drawingId) + "\" name=\""_L1 + name
        + "\" descr=\""_L1 + escapedAttribute(picture.description)
        + "\"/><wp:cNvGraphicFramePr/>"
          "<a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
          "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
          "<pic:pic xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
          "<pic:nvPicPr><pic:cNvPr id=\"0\" name=\""_L1
        + name + "\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill>"
                 "<a:blip xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" r:embed=\""_L1
        + picture.relationshipId
        + "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/>"
          "<a:ext "_L1
        + extent
        + "/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
          "</a:graphic></wp:inline></w:drawing></w:r>"_L1;
}

bool WordDocument::pictureParts(QList<std::pair<QString, QByteArray>>& parts, QString* error) const
{
    const QString relsName = relationshipsPartOf(m_partName);
    const auto pending = [&](const QString& name) -> QByteArray* {
        for (auto& [partName, bytes] : parts) {
            if (partName == name)
                return &bytes;
        }
        return nullptr;
    };
    // The current relationships and content types: those about to be written, else the package's.
    QByteArray relationships = pending(relsName) ? *pending(relsName) : QByteArray();
    QByteArray contentTypes = pending(u"[Content_Types].xml"_s) ? *pending(u"[Content_Types].xml"_s) : QByteArray();
    if (!m_package.isEmpty() && (relationships.isEmpty() || contentTypes.isEmpty())) {
        ZipPointer archive = openPackage(m_package, error);
        if (!archive)
            return false;
        if (relationships.isEmpty())
            relationships = readPart(archive.get(), relsName).value_or(QByteArray());
        if (contentTypes.isEmpty())
            contentTypes = readPart(archive.get(), u"[Content_Types].xml"_s).value_or(QByteArray());
    }
    if (relationships.isEmpty())
        relationships = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Relationships xmlns=\""
            + QByteArray(kRelationshipsNamespace.data(), kRelationshipsNamespace.size()) + "\"></Relationships>";
    const qsizetype relsEnd = relationships.lastIndexOf("</Relationships>");
    const qsizetype typesEnd = contentTypes.lastIndexOf("</Types>");
    if (relsEnd < 0 || typesEnd < 0) {
        *error = u"the document's package lists no relationships or content types"_s;
        return false;
    }
    QByteArray newRelationships;
    for (const AddedPicture& picture : m_pictures) {
        newRelationships += "<Relationship Id=\"" + picture.relationshipId.toUtf8() + "\" Type=\""
            + QByteArray(kImageRelationship.data(), kImageRelationship.size()) + "\" Target=\""
            + picture.mediaName.toUtf8() + "\"/>";
        parts.append({partFolder(m_partName) + picture.mediaName, picture.png});
    }
    relationships.insert(relsEnd, newRelationships);
    static const QRegularExpression pngDefault(u"<Default\\s[^>]*Extension=\"png\""_s,
                                               QRegularExpression::CaseInsensitiveOption);
    if (!pngDefault.match(QString::fromUtf8(contentTypes)).hasMatch())
        contentTypes.insert(typesEnd, "<Default Extension=\"png\" ContentType=\"image/png\"/>");
    for (auto [name, bytes] : {std::pair{relsName, relationships}, std::pair{u"[Content_Types].xml"_s, contentTypes}}) {
        if (QByteArray* existing = pending(name))
            *existing = bytes;
        else
            parts.append({name, bytes});
    }
    return true;
}

} // namespace quenlow
