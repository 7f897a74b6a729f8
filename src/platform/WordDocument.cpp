// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/WordDocument.h"

#include "platform/DocumentPreview.h"
#include "platform/WordPackage_p.h"
#include "platform/WordXmlReading_p.h"
#include "platform/WordXmlWriting_p.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
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

using namespace wordml;

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
    (void)readMainPart(m_baseXml, layout, nullptr); // the empty document's own part reads
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

DocumentResult WordDocument::open(const QString& path)
{
    using P = DocumentProblem;
    const auto problem = [&path](P::Kind kind, const QString& part = {}, const QString& detail = {}) {
        return P { kind, path, part, detail };
    };
    const QFileInfo info(path);
    if (!info.exists())
        return problem(P::NotFound);
    if (info.isDir())
        return problem(P::IsFolder);
    if (info.size() > kMaxPackageBytes) {
        P tooBig = problem(P::TooBig);
        tooBig.size = info.size() / (1024 * 1024);
        tooBig.limit = kMaxPackageBytes / (1024 * 1024);
        return tooBig;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return problem(P::Unreadable, {}, file.errorString());
    QByteArray package = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return problem(P::Unreadable, {}, file.errorString());
    file.close();

    if (package.isEmpty())
        return problem(P::Empty); // libzip would take it for an empty archive
    Result<ZipPointer> opened = openPackage(package);
    if (!opened)
        return problem(P::NotAPackage, {}, opened.error().detail);
    ZipPointer archive = std::move(opened).value();
    qint64 unpacked = 0;
    const QString partName = mainPartName(archive.get(), &unpacked);
    const Result<QByteArray, PartProblem> part = readPart(archive.get(), partName, &unpacked);
    archive.reset();
    const auto partProblem = [&](P::Kind kind, qint64 limit = 0) {
        P refused = problem(kind, partName);
        refused.limit = limit;
        return refused;
    };
    if (!part) {
        switch (part.error().kind) {
        case PartProblem::Missing:
            return partProblem(P::NoMainPart);
        case PartProblem::TooLarge:
            return partProblem(P::PartTooBig, kMaxUnpackedBytes / (1024 * 1024));
        case PartProblem::TooPacked:
            return partProblem(P::PartTooPacked, kMaxPackingRatio);
        case PartProblem::Damaged:
            return partProblem(P::PartDamaged);
        }
    }
    const QByteArray& partBytes = *part;
    // Checked before the part is decoded and parsed: a crafted one must be
    // refused for the cost of one pass over its bytes.
    switch (markupExcess(partBytes)) {
    case MarkupExcess::None:
        break;
    case MarkupExcess::Depth:
        return partProblem(P::NestedTooDeep, kMaxElementDepth);
    case MarkupExcess::Attributes:
        return partProblem(P::TooManyAttributes, kMaxAttributes);
    case MarkupExcess::NamespaceDeclarations:
        return partProblem(P::TooManyNamespaces, kMaxNamespaceDeclarations);
    case MarkupExcess::DocumentType:
        return partProblem(P::DocumentType);
    }
    int encoding = 0;
    const auto xml = decodePart(partBytes, &encoding);
    if (!xml)
        return partProblem(P::NotText);
    QString baseXml = *xml;
    BodyLayout layout;
    if (const Result<void> read = readMainPart(baseXml, layout, nullptr); !read)
        return problem(P::NotReadable, partName, read.error().detail);
    if (layout.selfClosingBodyEnd >= 0) {
        // Give an empty body an end tag, so there is a place for the additions.
        baseXml.replace(layout.selfClosingBodyEnd, 2, u"></"_s + layout.bodyName + u">"_s);
        layout = BodyLayout();
        (void)readMainPart(baseXml, layout, nullptr); // read above, with an end tag now
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
    return {};
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
    else if (!m_added.last().paragraph.isEmpty())
        m_added.last().paragraph.keepWithNext = true;

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
        if (const auto picture = std::find_if(
                m_pictures.cbegin(), m_pictures.cend(), [i](const AddedPicture& p) { return p.block == i; });
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
    (void)readMainPart(composeXml(), layout, &content.blocks); // what is read is what there is
    // The pictures too, so that a window shows a chart as soon as it is added.
    for (const WordBlock& block : std::as_const(content.blocks)) {
        for (const QString& id : block.paragraph.pictures) {
            if (!content.pictures.contains(id))
                content.pictures.insert(id, pictureBytes(id));
        }
    }
    return content;
}

QString WordDocument::displayName() const
{
    return m_path.isEmpty() ? u"Document1"_s : QFileInfo(m_path).fileName();
}

DocumentResult WordDocument::save()
{
    if (m_open && m_path.isEmpty())
        return DocumentProblem { DocumentProblem::NeverSaved };
    return saveAs(m_path);
}

DocumentResult WordDocument::saveAs(const QString& path)
{
    using P = DocumentProblem;
    if (!m_open)
        return P { P::NothingOpen };
    if (path.isEmpty())
        return P { P::NoFileName };
    const QFileInfo info(path);
    const auto cannotSave = [&](const QString& why) { return P { P::NotSaved, path, {}, why }; };
    if (!info.absoluteDir().exists())
        return P { P::NoFolder, path, QDir::toNativeSeparators(info.absolutePath()) };
    if (info.isDir())
        return P { P::SaveIsFolder, path };

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
        if (const Result<void> pictures = pictureParts(parts); !pictures)
            return cannotSave(pictures.error().detail);
    }
    QByteArray package = m_package;
    if (!parts.isEmpty()) {
        Result<QByteArray> written = writeParts(m_package, parts);
        if (!written)
            return cannotSave(written.error().detail);
        package = std::move(written).value();
    }

    // A temporary file beside the target, renamed over it once complete.
    if (const FileResult written = writeFileAtomically(path, package); !written)
        return cannotSave(written.error().detail);

    m_path = info.absoluteFilePath();
    m_modified = false;
    return {};
}

void WordDocument::visible(QWidget* parent)
{
    if (!m_open)
        return;
    DocumentPreview preview(*this, parent);
    preview.exec();
}

DocumentResult WordDocument::quit(Changes changes)
{
    if (!m_open)
        return {};
    DocumentResult outcome;
    if (m_modified && changes == Changes::Save)
        outcome = save();
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
const auto kImageRelationship
    = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image"_L1;
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

QByteArray WordDocument::pictureBytes(const QString& id) const
{
    for (const AddedPicture& added : m_pictures) {
        if (added.relationshipId == id)
            return added.png;
    }
    if (m_package.isEmpty())
        return {};
    const Result<ZipPointer> opened = openPackage(m_package);
    if (!opened)
        return {};
    const auto rels = readPart(opened->get(), relationshipsPartOf(m_partName));
    if (!rels)
        return {};
    QXmlStreamReader reader(*rels);
    while (reader.readNextStartElement()) {
        if (reader.name() != "Relationship"_L1) {
            if (reader.name() != "Relationships"_L1)
                reader.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        if (attributes.value("Id"_L1) == id && attributes.value("TargetMode"_L1) != "External"_L1) {
            // Relative to the main part's folder, or from the package's root.
            const QString target = attributes.value("Target"_L1).toString();
            const QString part
                = QDir::cleanPath(target.startsWith(u'/') ? target.mid(1) : partFolder(m_partName) + target);
            const auto bytes = readPart(opened->get(), part);
            return bytes ? *bytes : QByteArray();
        }
        reader.skipCurrentElement();
    }
    return {};
}

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
        if (const Result<ZipPointer> opened = openPackage(m_package)) {
            zip_t* archive = opened->get();
            if (const auto rels = readPart(archive, relationshipsPartOf(m_partName)))
                relationships = QString::fromUtf8(*rels);
            const zip_int64_t entries = zip_get_num_entries(archive, 0);
            for (zip_int64_t i = 0; i < entries; ++i)
                media.append(QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0)));
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
    out += "<w:r><w:drawing><wp:inline "
           "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
           "distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent "_L1
        + extent + "/><wp:docPr id=\""_L1 + QString::number(picture.drawingId) + "\" name=\""_L1 + name
        + "\" descr=\""_L1 + escapedAttribute(picture.description)
        + "\"/><wp:cNvGraphicFramePr/>"
          "<a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
          "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
          "<pic:pic xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
          "<pic:nvPicPr><pic:cNvPr id=\"0\" name=\""_L1
        + name
        + "\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill>"
          "<a:blip xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" r:embed=\""_L1
        + picture.relationshipId
        + "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/>"
          "<a:ext "_L1
        + extent
        + "/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
          "</a:graphic></wp:inline></w:drawing></w:r>"_L1;
}

Result<void> WordDocument::pictureParts(QList<std::pair<QString, QByteArray>>& parts) const
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
    QByteArray contentTypes
        = pending(u"[Content_Types].xml"_s) ? *pending(u"[Content_Types].xml"_s) : QByteArray();
    if (!m_package.isEmpty() && (relationships.isEmpty() || contentTypes.isEmpty())) {
        const Result<ZipPointer> opened = openPackage(m_package);
        if (!opened)
            return opened.error();
        zip_t* archive = opened->get();
        if (relationships.isEmpty())
            relationships = readPart(archive, relsName).valueOr(QByteArray());
        if (contentTypes.isEmpty())
            contentTypes = readPart(archive, u"[Content_Types].xml"_s).valueOr(QByteArray());
    }
    if (relationships.isEmpty())
        relationships
            = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Relationships xmlns=\""
            + QByteArray(kRelationshipsNamespace.data(), kRelationshipsNamespace.size())
            + "\"></Relationships>";
    const qsizetype relsEnd = relationships.lastIndexOf("</Relationships>");
    const qsizetype typesEnd = contentTypes.lastIndexOf("</Types>");
    if (relsEnd < 0 || typesEnd < 0)
        return Error { Error::Other, u"the document's package lists no relationships or content types"_s };
    QByteArray newRelationships;
    for (const AddedPicture& picture : m_pictures) {
        newRelationships += "<Relationship Id=\"" + picture.relationshipId.toUtf8() + "\" Type=\""
            + QByteArray(kImageRelationship.data(), kImageRelationship.size()) + "\" Target=\""
            + picture.mediaName.toUtf8() + "\"/>";
        parts.append({ partFolder(m_partName) + picture.mediaName, picture.png });
    }
    relationships.insert(relsEnd, newRelationships);
    static const QRegularExpression pngDefault(
        u"<Default\\s[^>]*Extension=\"png\""_s, QRegularExpression::CaseInsensitiveOption);
    if (!pngDefault.match(QString::fromUtf8(contentTypes)).hasMatch())
        contentTypes.insert(typesEnd, "<Default Extension=\"png\" ContentType=\"image/png\"/>");
    for (auto [name, bytes] :
        { std::pair { relsName, relationships }, std::pair { u"[Content_Types].xml"_s, contentTypes } }) {
        if (QByteArray* existing = pending(name))
            *existing = bytes;
        else
            parts.append({ name, bytes });
    }
    return {};
}

} // namespace quenlow
