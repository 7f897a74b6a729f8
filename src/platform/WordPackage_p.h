// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QString>

#include <zip.h>

#include <memory>
#include <optional>
#include <utility>

// The package of a word-processing document: its zip container through
// libzip, in memory, and the parts of a new document. Private to
// WordDocument: nothing outside platform/Word*.cpp includes this header.
namespace quenlow::wordml {

// ---------------------------------------------------------------------------
// Package parts of a new document

inline constexpr QLatin1StringView kWordNamespace {
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
};
inline constexpr QLatin1StringView kStrictWordNamespace {
    "http://purl.oclc.org/ooxml/wordprocessingml/main"
};
inline constexpr QLatin1StringView kMainPartName { "word/document.xml" };

inline constexpr char kContentTypes[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/word/document.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
      "<Override PartName=\"/word/styles.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
      "</Types>";

inline constexpr char kPackageRelationships[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
      "Target=\"word/document.xml\"/>"
      "</Relationships>";

inline constexpr char kDocumentRelationships[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
      "Target=\"styles.xml\"/>"
      "</Relationships>";

// Times New Roman 12 pt with single spacing and no space after paragraphs: the
// look of the reports the old program produced.
inline constexpr char kStyles[]
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
inline constexpr char kEmptyDocument[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<w:body><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
      "<w:pgMar w:top=\"1134\" w:right=\"1134\" w:bottom=\"1134\" w:left=\"1134\" w:header=\"709\" "
      "w:footer=\"709\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";

inline constexpr int kTextWidthTwips = 9638;

// What a zip entry says it unpacks to is whatever its writer put there; a
// crafted file declares terabytes, or packs hundreds of megabytes of markup
// into a few hundred kilobytes, which would take gigabytes and minutes to
// read. So the parts read from one package unpack to at most so much in all;
// a part past the first megabyte may unpack to at most so many times its
// packed size (the markup of real documents, even long tables of the same
// answer, packs to less than 300 times smaller); and every part must unpack
// to exactly the size it declares. Parts are read in pieces, never past that.
inline constexpr qint64 kMaxUnpackedBytes = 64 * 1024 * 1024;
inline constexpr qint64 kMaxPackingRatio = 500;
inline constexpr qint64 kPackingRatioFrom = 1024 * 1024;
inline constexpr qint64 kMaxPackageBytes = 1024 * 1024 * 1024;

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipPointer = std::unique_ptr<zip_t, ZipCloser>;
/// Why a part could not be read.
struct PartProblem {
    enum Kind { Missing, TooLarge, TooPacked, Damaged };
    Kind kind;
};

QString zipErrorText(zip_error_t* error);

Result<ZipPointer> openPackage(const QByteArray& package);

Result<QByteArray, PartProblem> readPart(zip_t* archive, const QString& name, qint64* unpacked = nullptr);

Result<QByteArray> writeParts(const QByteArray& package, const QList<std::pair<QString, QByteArray>>& parts);

QString mainPartName(zip_t* archive, qint64* unpacked);

std::optional<QString> decodePart(const QByteArray& bytes, int* encoding);

QByteArray encodePart(const QString& text, int encoding);

} // namespace quenlow::wordml
