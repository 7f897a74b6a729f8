// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The report-document reader on any file: what it opens takes the report's
// additions, saves, and reopens holding exactly what was saved.
#include "FuzzCheck.h"

#include "core/TextFile.h"
#include "platform/OutcomeMessages.h"
#include "platform/WordDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <utility>

using namespace quenlow;

namespace {

QString tempFolder()
{
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/quenlow-fuzz-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/quenlow-fuzz-XXXXXX"));
    return folder.path();
}

// Packs `mainPart` with the parts every document has into the file `path`.
void writePackage(const QString& path, const QByteArray& mainPart)
{
    static const QByteArray contentTypes
        = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
          "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Override "
          "PartName=\"/word/document.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/"
          "></Types>";
    static const QByteArray relationships
        = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
          "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
          "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
          "Target=\"word/document.xml\"/></Relationships>";
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    FUZZ_CHECK(archive);
    for (const auto& [name, bytes] : { std::pair { "[Content_Types].xml", &contentTypes },
             std::pair { "_rels/.rels", &relationships }, std::pair { "word/document.xml", &mainPart } }) {
        zip_source_t* source = zip_source_buffer(archive, bytes->constData(), zip_uint64_t(bytes->size()), 0);
        const zip_int64_t index = zip_file_add(archive, name, source, ZIP_FL_OVERWRITE);
        FUZZ_CHECK(index >= 0);
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    FUZZ_CHECK(zip_close(archive) == 0);
}

} // namespace

// The first byte chooses what the rest is: 0 a whole file; anything else the
// main part of a package the harness makes, so that mutations reach the XML
// reader instead of stopping at the zip checksums.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString input = tempFolder() + QStringLiteral("/input.doc");
    const QString output = tempFolder() + QStringLiteral("/output.doc");
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] == 0)
        FUZZ_CHECK(writeFileAtomically(input, rest));
    else
        writePackage(input, rest);

    WordDocument document;
    if (!document.open(input))
        return 0;
    // What the reporter adds to a document it appends to.
    document.setBold(true);
    document.setSize(14);
    document.typeText(QStringLiteral("Answers to 'Name' & <more>"));
    document.typeParagraph();
    document.setBold(false);
    document.addTable(1, 2);
    document.typeText(QStringLiteral("Ann"));
    document.moveRight();
    document.typeText(QStringLiteral("Red\tBlue"));
    document.moveRight();
    document.typeText(QStringLiteral("row two"));
    const WordContent expected = document.content();
    const DocumentResult saved = document.saveAs(output);
    if (!saved)
        std::fprintf(stderr, "%s\n", qPrintable(documentProblemText(saved.error())));
    FUZZ_CHECK(saved);

    WordDocument reopened;
    const DocumentResult opened = reopened.open(output);
    if (!opened)
        std::fprintf(stderr, "%s\n", qPrintable(documentProblemText(opened.error())));
    FUZZ_CHECK(opened);
    const WordContent content = reopened.content();
    FUZZ_CHECK(content.text() == expected.text());
    FUZZ_CHECK(content.text().contains(QStringLiteral("Answers to 'Name' & <more>")));
    FUZZ_CHECK(!content.tables().isEmpty() && content.tables().constLast().rowCount() == 2);
    return 0;
}
