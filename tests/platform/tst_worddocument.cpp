// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "platform/DocumentPreview.h"
#include "platform/OutcomeMessages.h"
#include "platform/WordDocument.h"
#include "support/FileSizeLimit.h"
#include "support/ModalStep.h"
#include "support/TestProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <zip.h>

#include <map>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using quenlow::test::readBytes;
using quenlow::test::TestProgramFolder;
using quenlow::test::writeBytes;

namespace {

using Entries = std::map<QString, QByteArray>;

/// Writes a zip package with the given entries stored, or deflated (the test's own fixtures).
void writeZip(const QString& path, const Entries& entries, bool deflate = false)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY2(archive, "cannot create the fixture package");
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        QVERIFY(index >= 0
            && zip_set_file_compression(
                   archive, zip_uint64_t(index), deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0)
                == 0);
    }
    QCOMPARE(zip_close(archive), 0);
}

Entries readZip(const QString& path)
{
    Entries entries;
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        entries[QString::fromUtf8(stat.name)] = bytes;
    }
    zip_discard(archive);
    return entries;
}

const char kContentTypes[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Default Extension=\"png\" "
      "ContentType=\"image/png\"/>"
      "<Override PartName=\"/word/document.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></"
      "Types>";
const char kRels[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
      "Target=\"word/document.xml\"/></Relationships>";

// A document written by some other word processor: comments, bookmarks,
// markup-compatibility attributes, a whitespace-only run, a table, and
// attributes in an order a DOM round trip would not keep.
const char kForeignDocument[]
    = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<w:document xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
      "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
      "xmlns:w14=\"http://schemas.microsoft.com/office/word/2010/wordml\" mc:Ignorable=\"w14\">\r\n"
      "  <w:body>\r\n"
      "    <!-- kept comment -->\r\n"
      "    <w:p w:rsidR=\"00AB12CD\" w14:paraId=\"1A2B3C4D\"><w:pPr><w:jc w:val=\"center\"/></w:pPr>"
      "<w:r><w:rPr><w:b/><w:sz w:val=\"36\"/></w:rPr><w:t>Old title</w:t></w:r>"
      "<w:r><w:t xml:space=\"preserve\"> </w:t></w:r><w:bookmarkStart w:name=\"keep\" w:id=\"0\"/>"
      "<w:bookmarkEnd w:id=\"0\"/></w:p>\r\n"
      "    <w:tbl><w:tblPr><w:tblW w:w=\"0\" "
      "w:type=\"auto\"/></w:tblPr><w:tblGrid><w:gridCol/><w:gridCol/></w:tblGrid>"
      "<w:tr><w:tc><w:p><w:r><w:t>x</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>y</w:t></w:r></w:p></w:tc></"
      "w:tr>"
      "</w:tbl>\r\n"
      "    <w:p/>\r\n"
      "    <w:sectPr w:rsidR=\"00AB12CD\"><w:pgSz w:w=\"12240\" w:h=\"15840\"/></w:sectPr>\r\n"
      "  </w:body>\r\n"
      "</w:document>\r\n";

Entries foreignPackage(const QByteArray& documentXml)
{
    return { { u"[Content_Types].xml"_s, kContentTypes }, { u"_rels/.rels"_s, kRels },
        { u"word/document.xml"_s, documentXml },
        { u"customXml/item1.xml"_s, "<x a=\"1\"  b='2'>keep  me</x>" },
        { u"word/media/image1.png"_s, QByteArray("\x89PNG\r\n\x1a\n-not-really-", 20) } };
}

/// A package whose stored word/document.xml declares `declaredSize` bytes
/// unpacked (0: its true size) in the directory and its own header.
/// `misplaced`: the directory puts _rels/.rels where no entry starts.
QByteArray packageDeclaring(quint32 declaredSize, bool misplaced = false)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"p.zip"_s);
    writeZip(path,
        { { u"[Content_Types].xml"_s, kContentTypes }, { u"_rels/.rels"_s, kRels },
            { u"word/document.xml"_s,
                "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                "<w:body><w:p/></w:body></w:document>" } });
    QByteArray zip = readBytes(path);
    const auto number = [&zip](qsizetype at, int bytes) {
        quint32 value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | quint8(zip.at(at + i));
        return value;
    };
    const auto set = [&zip](qsizetype at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            zip[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    // Local headers name their entry at 30, directory entries at 46.
    for (const auto& [signature, nameAt] :
        { std::pair { QByteArray("PK\x03\x04"), 30 }, std::pair { QByteArray("PK\x01\x02"), 46 } }) {
        for (qsizetype at = zip.indexOf(signature); at >= 0; at = zip.indexOf(signature, at + 4)) {
            const QByteArray name = zip.mid(at + nameAt, number(at + (nameAt == 46 ? 28 : 26), 2));
            const qsizetype sizeAt = at + (nameAt == 46 ? 24 : 22);
            if (name == "word/document.xml" && declaredSize)
                set(sizeAt, declaredSize);
            if (name == "_rels/.rels" && misplaced && nameAt == 46)
                set(at + 42, number(at + 42, 4) + 0x1000000);
        }
    }
    return zip;
}

QString findTool(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

/// Runs LibreOffice headless with a profile of this test run's own, so that
/// parallel tests and a user's running instance do not get in the way.
bool runLibreOffice(const QString& workDir, const QStringList& arguments, QString* log)
{
    static QTemporaryDir profile;
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList all { u"-env:UserInstallation=file://"_s + profile.path(), u"--headless"_s,
        u"--norestore"_s };
    all += arguments;
    process.start(findTool(u"libreoffice"_s), all);
    const bool finished = process.waitForFinished(180000);
    *log = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

} // namespace

class TestWordDocument : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<TestProgramFolder>(false); }
    void cleanup() { m_folder.reset(); }
    void openingKeepsEverythingItDoesNotUnderstand();
    void otherNamespaceForms_data();
    void otherNamespaceForms();
    void typedTextIsEscapedAndCleaned();
    void openRefusesWhatIsNotADocument_data();
    void openRefusesWhatIsNotADocument();
    void saveFailuresLeaveTheOldFile();
    void modifiedFollowsChangesAndSaves();
    void failedSavesKeepTheChanges();
    void largeTableExport();
    void moderatelyDeepNestingOpensAndAppends();
    void libreOfficeResavedDocumentStillAppends();
    void picturesAreAddedToNewAndOpenedDocuments();
    void tableHeadingsKeepWithTheirTables();
    void previewShowsPicturesAsSoonAsAdded();

private:
    QString reports(const QString& file = {}) const { return m_folder->path() + u"/Reports/"_s + file; }
    std::unique_ptr<TestProgramFolder> m_folder;
};

void TestWordDocument::openingKeepsEverythingItDoesNotUnderstand()
{
    const QString path = reports(u"foreign.docx"_s);
    const Entries original = foreignPackage(kForeignDocument);
    writeZip(path, original);

    WordDocument document;
    QVERIFY(document.open(path));
    const WordContent before = document.content();
    QCOMPARE(before.blocks.size(), 3);
    QCOMPARE(before.blocks[0].paragraph.text(), u"Old title "_s); // the blank-only run kept
    QCOMPARE(before.blocks[0].paragraph.runs[0].font.bold, true);
    QCOMPARE(before.blocks[0].paragraph.runs[0].font.size, 18.0);
    QCOMPARE(before.blocks[1].table.rowTexts(0), (QStringList { u"x"_s, u"y"_s }));

    // Nothing typed: the package is written back as it was.
    QVERIFY(document.saveAs(path));
    QCOMPARE(readZip(path), original);

    document.typeText(u"Added"_s);
    QVERIFY(document.save());
    const Entries saved = readZip(path);
    QCOMPARE(saved.size(), original.size());
    for (const auto& [name, bytes] : original) {
        if (name != u"word/document.xml"_s)
            QCOMPARE(saved.at(name), bytes);
    }
    // The main part is the old text with the addition spliced in before its
    // final sectPr, every other byte as it was.
    const QByteArray oldXml(kForeignDocument);
    const QByteArray newXml = saved.at(u"word/document.xml"_s);
    const qsizetype at = oldXml.lastIndexOf("<w:sectPr");
    QVERIFY(newXml.startsWith(oldXml.first(at)));
    QVERIFY(newXml.endsWith(oldXml.sliced(at)));
    const QByteArray inserted = newXml.sliced(at, newXml.size() - oldXml.size());
    QVERIFY2(
        inserted.startsWith("<w:p><w:r>") && inserted.contains("<w:t>Added</w:t>"), inserted.constData());

    WordDocument reopened;
    QVERIFY(reopened.open(path));
    const WordContent after = reopened.content();
    QCOMPARE(after.blocks.size(), 4);
    QCOMPARE(after.blocks[3].paragraph.text(), u"Added"_s);
}

void TestWordDocument::otherNamespaceForms_data()
{
    QTest::addColumn<QByteArray>("documentXml");
    QTest::addColumn<QString>("oldText");
    const QByteArray plain
        = "<ns0:document xmlns:ns0=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
          "<ns0:body><ns0:p><ns0:r><ns0:t>Old</ns0:t></ns0:r></ns0:p><ns0:sectPr/></ns0:body>"
          "</ns0:document>";
    QTest::newRow("another prefix") << plain << u"Old"_s;
    QTest::newRow("default namespace") << QByteArray(
        "<?xml version=\"1.0\"?><document "
        "xmlns=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><body><p><r><t>Old</t>"
        "</r></p></body></document>") << u"Old"_s;
    QTest::newRow("empty body in one tag") << QByteArray(
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:body/></w:document>") << QString();
}

void TestWordDocument::otherNamespaceForms()
{
    QFETCH(QByteArray, documentXml);
    QFETCH(QString, oldText);
    const QString path = reports(u"other.docx"_s);
    writeZip(path, foreignPackage(documentXml));

    WordDocument document;
    QVERIFY(document.open(path));
    document.typeText(u"Grüße & <more>"_s);
    document.typeParagraph();
    QVERIFY(document.save());

    WordDocument reopened;
    const DocumentResult opened = reopened.open(path);
    QVERIFY(opened);
    QStringList texts;
    for (const WordParagraph& paragraph : reopened.content().paragraphs())
        texts.append(paragraph.text());
    QStringList expected { u"Grüße & <more>"_s };
    if (!oldText.isNull())
        expected.prepend(oldText);
    QCOMPARE(texts, expected);
}

void TestWordDocument::typedTextIsEscapedAndCleaned()
{
    const QString path = reports(u"text.doc"_s);
    WordDocument document;
    document.newDocument();
    const QString typed
        = u"  lead & <tag> \"quoted\" 'single'\tafter tab\r\nline 2\nline 3\x01\x1F\u0007 end  "_s
        + QChar(0xD800) + u"😀\uFFFE"_s;
    document.typeText(typed);
    QVERIFY(document.saveAs(path));

    const QString xml = document.documentXml();
    QVERIFY(
        xml.contains(u"<w:t xml:space=\"preserve\">  lead &amp; &lt;tag&gt; &quot;quoted&quot; 'single'</w:t>"
                     "<w:tab/><w:t>after tab</w:t><w:br/><w:t>line 2</w:t><w:br/>"_s));

    WordDocument reopened;
    QVERIFY(reopened.open(path));
    QCOMPARE(reopened.content().paragraphs().value(0).text(),
        u"  lead & <tag> \"quoted\" 'single'\tafter tab\nline 2\nline 3 end  😀"_s);
}

void TestWordDocument::openRefusesWhatIsNotADocument_data()
{
    QTest::addColumn<QString>("fileName"); // empty: the Reports folder itself
    QTest::addColumn<int>("kind"); // 0 no file, 1 these bytes, 2 a zip of them as its main part (4 deflated),
                                   // 3 a zip without one
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reasonPart");

    QTest::newRow("missing") << u"missing.doc"_s << 0 << QByteArray() << u"cannot be found"_s;
    // What Word 97-2003 writes: an OLE compound file, not a zip.
    QTest::newRow("old binary format")
        << u"old.doc"_s << 1 << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(4000, '\0')
        << u"A document saved in the old binary Word format must be saved in the .docx format first."_s;
    QTest::newRow("empty file") << u"empty.doc"_s << 1 << QByteArray("") << u"not an Office Open XML"_s;
    QTest::newRow("zip without a document")
        << u"nodoc.docx"_s << 3 << QByteArray() << u"no word-processing part 'word/document.xml'"_s;
    QTest::newRow("broken XML") << u"broken.docx"_s << 2
                                << QByteArray("<w:document xmlns:w=\"x\"><w:body><w:p>")
                                << u"not well-formed XML"_s;
    QTest::newRow("spreadsheet")
        << u"sheet.docx"_s << 2
        << QByteArray("<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>")
        << u"not a word-processing document body"_s;
    QTest::newRow("folder") << QString() << 0 << QByteArray() << u"is a folder"_s;
    // A 1 KB file whose part declares 100 MB must be refused, not allocated.
    QTest::newRow("part declaring 100 MB") << u"bomb.doc"_s << 1 << packageDeclaring(100 << 20)
                                           << u"unpacks to more than a report document can hold"_s;
    // A few kilobytes that unpack to megabytes of empty runs (crafted files
    // go to hundreds of megabytes, which took minutes and gigabytes to read).
    QTest::newRow("packed 1000 to 1")
        << u"packed.doc"_s << 4
        << "<w:document "
           "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body><w:p>"
            + QByteArray("<w:r/>").repeated(1 << 20) + "</w:p></w:body></w:document>"
        << u"packed far more tightly than a document's text can be"_s;
    // Shapes of markup that cost the reader time or memory far beyond their
    // size (a million nested content controls took seconds and most of a
    // gigabyte), each just past what is taken.
    const QByteArray documentStart
        = "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
    const QByteArray documentEnd = "</w:body></w:document>";
    const QByteArray nested257 = documentStart + QByteArray("<w:sdt><w:sdtContent>").repeated(127) + "<w:p/>"
        + QByteArray("</w:sdtContent></w:sdt>").repeated(127) + documentEnd;
    QTest::newRow("nested 257 deep") << u"nested.doc"_s << 2 << nested257
                                     << u"holds elements nested more than 256 deep"_s;
    QTest::newRow("nested 257 deep, UTF-16") << u"nested16.doc"_s << 2
                                             << QByteArray("\xFF\xFE")
            + QByteArray(reinterpret_cast<const char*>(QString::fromLatin1(nested257).utf16()),
                nested257.size() * 2) << u"holds elements nested more than 256 deep"_s;
    QByteArray attributes;
    for (int i = 0; i < 257; ++i)
        attributes += " w:a" + QByteArray::number(i) + "=\">\"";
    QTest::newRow("257 attributes") << u"attributes.doc"_s << 2
                                    << documentStart + "<w:p" + attributes + "/>" + documentEnd
                                    << u"holds an element with more than 256 attributes"_s;
    // With the root's own, 257 namespace declarations in force.
    QByteArray declarations;
    for (int i = 0; i < 128; ++i)
        declarations += " xmlns:n" + QByteArray::number(i) + "=\"urn:n\"";
    QTest::newRow("257 namespace declarations") << u"namespaces.doc"_s << 2
                                                << documentStart + "<w:sdt" + declarations + "><w:sdtContent"
            + declarations + "><w:p/></w:sdtContent></w:sdt>"
            + documentEnd << u"holds more than 256 namespace declarations in force at once"_s;
    QTest::newRow("document type declaration")
        << u"entities.doc"_s << 2
        << "<!DOCTYPE w:document [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">]>" + documentStart
            + "<w:p><w:r><w:t>" + QByteArray("&e;").repeated(100) + "</w:t></w:r></w:p>" + documentEnd
        << u"holds a document type declaration"_s;
    QTest::newRow("part declaring more than it holds")
        << u"short.doc"_s << 1 << packageDeclaring(5000) << u"is damaged"_s;
    QTest::newRow("part declaring less than it holds")
        << u"long.doc"_s << 1 << packageDeclaring(20) << u"is damaged"_s;
    // Opened, it could never be saved: every entry is copied back then.
    QTest::newRow("entry where none starts")
        << u"misplaced.doc"_s << 1 << packageDeclaring(0, true) << u"not an Office Open XML"_s;
}

void TestWordDocument::openRefusesWhatIsNotADocument()
{
    QFETCH(QString, fileName);
    QFETCH(int, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reasonPart);
    const QString path = reports() + fileName;
    if (kind == 1)
        writeBytes(path, bytes);
    else if (kind == 2 || kind == 4)
        writeZip(path, foreignPackage(bytes), kind == 4);
    else if (kind == 3)
        writeZip(path, { { u"a.txt"_s, "a" } });

    const QByteArray before = readBytes(path);

    WordDocument document;
    const DocumentResult result = document.open(path);
    QVERIFY(!result);
    const QString said = documentProblemText(result.error());
    QVERIFY2(said.contains(reasonPart), qPrintable(said));
    QCOMPARE(readBytes(path), before);
    QVERIFY(said.contains(QDir::cleanPath(path)) || said.contains(path));
    QVERIFY(!document.isOpen());
    document.typeText(u"ignored"_s);
    QVERIFY(!document.saveAs(path + u".copy"_s));
    QVERIFY(!QFile::exists(path + u".copy"_s));
}

void TestWordDocument::saveFailuresLeaveTheOldFile()
{

    WordDocument document;
    document.newDocument();
    document.typeText(u"text"_s);
    const auto said = [](const DocumentResult& result) {
        return result ? QString() : documentProblemText(result.error());
    };
    DocumentResult result = document.save();
    QVERIFY2(said(result).contains(u"never been saved"_s), qPrintable(said(result)));
    result = document.saveAs(m_folder->path() + u"/NoSuchFolder/report.doc"_s);
    QVERIFY2(said(result).contains(u"the folder '"_s + m_folder->path() + u"/NoSuchFolder' does not exist"_s),
        qPrintable(said(result)));
    QVERIFY(!QFileInfo::exists(m_folder->path() + u"/NoSuchFolder"_s));
    result = document.saveAs(reports());
    QVERIFY2(said(result).contains(u"it is a folder"_s), qPrintable(said(result)));
    QVERIFY(document.isModified());

    // A full disk half-way: the earlier report stays whole.
    const QString path = reports(u"survey_Report.doc"_s);
    QVERIFY(document.saveAs(path));
    const QByteArray before = readBytes(path);
    document.typeText(u" more"_s);
    {
        quenlow::test::FileSizeLimit full(100);
        result = document.save();
    }
    QVERIFY2(said(result).contains(u"could be written"_s), qPrintable(said(result)));
    QCOMPARE(readBytes(path), before);
    QCOMPARE(QDir(reports()).entryList(QDir::Files | QDir::Hidden),
        QStringList { u"survey_Report.doc"_s }); // no temporary left behind
    QVERIFY(document.isModified());
}

void TestWordDocument::modifiedFollowsChangesAndSaves()
{
    WordDocument document;
    document.newDocument();
    document.setBold(true); // a font alone changes nothing: closing would ask for nothing
    document.typeText(QString());
    QVERIFY(!document.isModified());
    document.typeText(u"x"_s);
    QVERIFY(document.saveAs(reports(u"a.doc"_s)));
    QVERIFY(!document.moveRight()); // not in a table
    document.addTable(1, 1);
    QVERIFY(document.save());
    document.moveRight(); // opens a new row
    QVERIFY(document.isModified());
    // A paragraph typed in a cell stays in the cell.
    document.typeText(u"one"_s);
    document.typeParagraph();
    document.typeText(u"two"_s);

    // Saving twice writes the additions once.
    QVERIFY(document.save());
    QVERIFY(document.save());
    WordDocument reopened;
    QVERIFY(reopened.open(reports(u"a.doc"_s)));
    QCOMPARE(reopened.content().tables().size(), 1);
    QCOMPARE(reopened.content().tables()[0].rowCount(), 2);
    QCOMPARE(reopened.content().tables()[0].cellText(1, 0), u"one\ntwo"_s);
}

void TestWordDocument::failedSavesKeepTheChanges()
{
    const QString path = reports(u"survey_Report.doc"_s);
    WordDocument document;
    document.newDocument();
    QVERIFY(document.saveAs(path));
    document.typeText(u"answer"_s);
    QVERIFY(QDir(m_folder->path()).rename(u"Reports"_s, u"Moved"_s));

    // Saved in the preview: said so, the status stays empty, the changes stay.
    m_folder->messages().queueAnswer(MessageAnswer::Ok);
    quenlow::test::ModalStep preview(u"DocumentPreview"_s, [](QWidget* window) {
        quenlow::test::click(window, "SaveDocument");
        QVERIFY(window->findChild<QLabel*>(u"DocumentStatus"_s)->text().isEmpty());
        quenlow::test::click(window, "CloseDocument");
    });
    document.visible();
    QCOMPARE(m_folder->messageTexts().size(), 1);
    QCOMPARE(m_folder->messages().boxes()[0].icon, MessageIcon::Exclamation);
    QVERIFY(m_folder->messageTexts()[0].contains(u"does not exist"_s));
    QVERIFY(document.isModified());

    // Saving on quitting: the failure comes back, never taken for saved, and
    // the document is closed all the same; quitting asks nothing itself.
    m_folder->messages().clear();
    const DocumentResult quit = document.quit(WordDocument::Changes::Save);
    QVERIFY(!quit);
    QVERIFY2(documentProblemText(quit.error())
                 .startsWith(u"The document cannot be saved as '"_s + path + u"': the folder '"_s),
        qPrintable(documentProblemText(quit.error())));
    QVERIFY(m_folder->messageTexts().isEmpty());
    QVERIFY(!document.isOpen());
}

void TestWordDocument::largeTableExport()
{
    // 10,000 answers × 5 fields, the way the reporter types them.
    const QString path = reports(u"large.doc"_s);
    WordDocument document;
    document.newDocument();
    document.addTable(1, 5);
    for (int cell = 0; cell < 10001 * 5; ++cell) {
        document.typeText(u"answer %1.%2"_s.arg(cell / 5).arg(cell % 5));
        document.moveRight();
    }
    QVERIFY(document.saveAs(path));

    WordDocument reopened;
    QVERIFY(reopened.open(path));
    const WordTable table = reopened.content().tables().value(0);
    QCOMPARE(table.rowCount(), 10002);
    QCOMPARE(table.rowTexts(10000).constLast(), u"answer 10000.4"_s);
    QTextDocument preview;
    DocumentPreview::render(reopened.content(), &preview);
    QVERIFY(preview.toPlainText().contains(u"(9702 more rows of this table are not shown here.)"_s));
}

void TestWordDocument::moderatelyDeepNestingOpensAndAppends()
{
    // Deeper than real documents nest (tables in tables, content controls in
    // content controls), yet within what is read: a nested table's text belongs
    // to the outermost cell.
    const auto nested = [](int depth, const QByteArray& open, const QByteArray& text,
                            const QByteArray& close) -> QByteArray {
        return open.repeated(depth) + "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>" + close.repeated(depth);
    };
    const QByteArray xml
        = "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
          "<w:body><w:tbl><w:tr><w:tc><w:p><w:r><w:t>outer</w:t></w:r></w:p>"
        + nested(60, "<w:tbl><w:tr><w:tc>", "deep cell", "</w:tc></w:tr></w:tbl>") + "</w:tc></w:tr></w:tbl>"
        + nested(120, "<w:sdt><w:sdtContent>", "deep control", "</w:sdtContent></w:sdt>")
        + "</w:body></w:document>";
    const QString path = reports(u"deep.docx"_s);
    writeZip(path, foreignPackage(xml));
    WordDocument document;
    QVERIFY(document.open(path));
    QCOMPARE(document.content().tables().value(0).cellText(0, 0), u"outer\ndeep cell"_s);
    document.typeText(u"added"_s);
    QVERIFY(document.saveAs(path));
    QVERIFY(document.open(path));
    QCOMPARE(document.content().text(), u"outer\ndeep cell\ndeep control\nadded"_s);
}

void TestWordDocument::libreOfficeResavedDocumentStillAppends()
{
    if (findTool(u"libreoffice"_s).isEmpty())
        QSKIP("libreoffice is not on PATH: cannot check a document re-saved by LibreOffice");
    const QString path = reports(u"survey_Report.doc"_s);
    WordDocument document;
    document.newDocument();
    document.typeText(u"survey Report"_s);
    QVERIFY(document.saveAs(path));
    QVERIFY(document.open(path));
    document.typeText(u"before resaving"_s);
    QVERIFY(document.save());

    QString log;
    QVERIFY2(
        runLibreOffice(m_folder->path(),
            { u"--convert-to"_s, u"docx"_s, u"--outdir"_s, m_folder->path() + u"/resaved"_s, path }, &log),
        qPrintable(log));
    const QString resaved = m_folder->path() + u"/resaved/survey_Report.docx"_s;
    QVERIFY2(QFile::exists(resaved), qPrintable(log));

    WordDocument reopened;
    const DocumentResult opened = reopened.open(resaved);
    QVERIFY(opened);
    reopened.addTable(1, 2);
    for (const QString& cell : { u"Q1"_s, u"Q2"_s, u"a1"_s, u"a2"_s }) {
        reopened.typeText(cell);
        reopened.moveRight();
    }
    QVERIFY(reopened.save());

    WordDocument check;
    QVERIFY(check.open(resaved));
    const WordContent content = check.content();
    const QList<WordParagraph> paragraphs = content.paragraphs();
    QCOMPARE(paragraphs.value(0).text(), u"survey Report"_s);
    QCOMPARE(paragraphs.value(1).text(), u"before resaving"_s);
    QCOMPARE(content.tables().size(), 1);
    QCOMPARE(content.tables()[0].rowTexts(1), (QStringList { u"a1"_s, u"a2"_s }));
    QCOMPARE(content.blocks.last().kind, WordBlock::Kind::Paragraph); // after the new table, nothing else
    QCOMPARE(content.blocks[content.blocks.size() - 2].kind, WordBlock::Kind::Table);
}

void TestWordDocument::previewShowsPicturesAsSoonAsAdded()
{
    // The pictures a preview shows, with their sizes, in document order.
    const auto shown = [](const WordContent& content) {
        QTextDocument preview;
        DocumentPreview::render(content, &preview);
        QList<QSize> sizes;
        for (QTextBlock block = preview.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
                if (!image.isValid())
                    continue;
                const QImage resource
                    = preview.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
                sizes.append(resource.isNull() ? QSize() : QSize(int(image.width()), int(image.height())));
            }
        }
        return sizes;
    };
    const QString path = reports(u"chart.doc"_s);
    {
        WordDocument document;
        document.newDocument();
        document.typeText(u"Chart"_s);
        document.typeParagraph();
        QVERIFY(document.addPicture(picture(320, 200)));
        // Not saved yet: the window shows the picture all the same.
        QCOMPARE(shown(document.content()), QList<QSize> { QSize(320, 200) });
        QVERIFY(document.saveAs(path));
    }
    WordDocument reopened;
    QVERIFY(reopened.open(path));
    QVERIFY(reopened.addPicture(picture(1280, 400)));
    // The one saved before, read from the package, and the new one narrowed to the page.
    QCOMPARE(shown(reopened.content()), (QList<QSize> { QSize(320, 200), QSize(640, 200) }));
}

void TestWordDocument::tableHeadingsKeepWithTheirTables()
{
    WordDocument document;
    document.newDocument();
    document.typeText(u"Plain"_s);
    document.typeParagraph();
    document.typeText(u"Heading"_s);
    document.addTable(1, 1);
    document.typeText(u"cell"_s);
    document.endTable();
    document.typeText(u"After"_s);
    const QString xml = document.documentXml();
    // Only the paragraph right above the table is kept with what follows it.
    QCOMPARE(xml.count(u"<w:keepNext/>"_s), 1);
    const qsizetype heading = xml.indexOf(u"<w:t>Heading</w:t>"_s);
    const qsizetype kept = xml.lastIndexOf(u"<w:p>"_s, heading);
    QVERIFY(kept >= 0);
    QVERIFY(xml.mid(kept, heading - kept).contains(u"<w:pPr><w:keepNext/></w:pPr>"_s));
    QVERIFY(xml.indexOf(u"<w:tbl>"_s, heading) > heading);
}

void TestWordDocument::picturesAreAddedToNewAndOpenedDocuments()
{
    const QString path = reports(u"report.doc"_s);
    {
        WordDocument document;
        document.newDocument();
        document.typeText(u"Before"_s);
        document.addTable(1, 2);
        document.typeText(u"cell"_s);
        // Added while a table is being filled: below the table, not in a cell.
        QVERIFY(document.addPicture(picture(640, 480), u"A <chart> & \"title\""_s));
        document.typeText(u"After"_s);
        QVERIFY(!document.addPicture(QImage()));
        QVERIFY(document.saveAs(path));
        const QString xml = document.documentXml();
        QVERIFY(xml.indexOf(u"</w:tbl>"_s) < xml.indexOf(u"<w:drawing>"_s));
        QVERIFY(xml.contains(u"descr=\"A &lt;chart&gt; &amp; &quot;title&quot;\""_s));
        // 640 pixels at 96 an inch.
        QVERIFY(xml.contains(u"cx=\"6096000\" cy=\"4572000\""_s));
    }
    QVERIFY(QImage::fromData(readZip(path)[u"word/media/report-picture1.png"_s]).size() == QSize(640, 480));
    QVERIFY(readZip(path)[u"word/_rels/document.xml.rels"_s].contains("Id=\"rIdReportPicture1\""));
    QVERIFY(readZip(path)[u"[Content_Types].xml"_s].contains("Extension=\"png\""));

    {
        WordDocument document;
        QVERIFY(document.open(path));
        QCOMPARE(document.content().tables().value(0).cellText(0, 0), u"cell"_s);
        QVERIFY(document.addPicture(picture(2000, 1000)));
        QVERIFY(document.save());
        // New names, the first picture's kept; narrowed to the text width, in proportion.
        const QString xml = document.documentXml();
        QVERIFY(xml.contains(u"r:embed=\"rIdReportPicture1\""_s));
        QVERIFY(xml.contains(u"r:embed=\"rIdReportPicture2\""_s));
        QVERIFY(xml.contains(u"<wp:docPr id=\"2\""_s));
        QVERIFY(xml.contains(u"cx=\"6120130\" cy=\"3060065\""_s));
    }
    QVERIFY(!readZip(path)[u"word/media/report-picture1.png"_s].isEmpty());
    QVERIFY(!readZip(path)[u"word/media/report-picture2.png"_s].isEmpty());
    const QByteArray types = readZip(path)[u"[Content_Types].xml"_s];
    QCOMPARE(types.count("Extension=\"png\""), 1);
    const QByteArray relationships = readZip(path)[u"word/_rels/document.xml.rels"_s];
    QVERIFY(relationships.contains("Target=\"styles.xml\""));
    QCOMPARE(relationships.count("relationships/image"), 2);
}

QTEST_MAIN(TestWordDocument)
#include "tst_worddocument.moc"
