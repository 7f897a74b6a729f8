// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "export/XlsxWorkbook.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

// A form's workbook is a few hundred kilobytes; these bounds only keep a
// crafted file from taking the memory and minutes of the program.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
constexpr qint64 kMaxUnpackedBytes = 128 * 1024 * 1024;
constexpr qint64 kMaxPackingRatio = 500;
constexpr qint64 kPackingRatioFrom = 1024 * 1024;
// Beyond any form: a cell reference past these is not taken as a place to fill up to.
constexpr int kMaxColumns = 16384;

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Zip = std::unique_ptr<zip_t, ZipCloser>;

using Problem = WorkbookProblem;

Problem damaged(const QString& why)
{
    return Problem { Problem::Damaged, why };
}

/// The bytes of a part, or nothing when the package has no such part.
Result<std::optional<QByteArray>, Problem> readPart(zip_t* archive, const QString& name, qint64& unpacked)
{
    const QByteArray encoded = name.toUtf8();
    const zip_int64_t index = zip_name_locate(archive, encoded.constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return std::optional<QByteArray>();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        return damaged(u"the part %1 cannot be read"_s.arg(name));
    const qint64 size = qint64(stat.size);
    const qint64 packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? qint64(stat.comp_size) : size;
    if (size < 0 || unpacked + size > kMaxUnpackedBytes
        || (size > kPackingRatioFrom && size > packed * kMaxPackingRatio))
        return damaged(u"the part %1 unpacks to more than a workbook holds"_s.arg(name));
    zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(index), 0);
    if (!file)
        return damaged(u"the part %1 cannot be read"_s.arg(name));
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const zip_int64_t read = zip_fread(file, bytes.data() + done, zip_uint64_t(size - done));
        if (read <= 0)
            break;
        done += read;
    }
    char extra = 0;
    const bool overlong = done == size && zip_fread(file, &extra, 1) > 0;
    zip_fclose(file);
    if (done != size || overlong)
        return damaged(u"the part %1 is not whole"_s.arg(name));
    unpacked += size;
    return std::optional<QByteArray>(std::move(bytes));
}

/// A part named from another part's folder ("worksheets/sheet1.xml" from
/// "xl/"), or from the package's root ("/xl/worksheets/sheet1.xml").
QString partPath(const QString& folder, const QString& target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    QStringList parts = folder.split(u'/', Qt::SkipEmptyParts);
    for (const QString& piece : target.split(u'/', Qt::SkipEmptyParts)) {
        if (piece == u".."_s) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (piece != u"."_s) {
            parts.append(piece);
        }
    }
    return parts.join(u'/');
}

QString xmlProblem(const QXmlStreamReader& xml, const QString& part)
{
    return u"the part %1 is not well-formed XML (line %2: %3)"_s.arg(part)
        .arg(xml.lineNumber())
        .arg(xml.errorString());
}

/// Relationship id -> target of a relationships part.
Result<QHash<QString, QString>, Problem> relationships(const QByteArray& bytes, const QString& part)
{
    QHash<QString, QString> targets;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"Relationship"_s)
            targets.insert(
                xml.attributes().value("Id"_L1).toString(), xml.attributes().value("Target"_L1).toString());
    }
    if (xml.hasError())
        return damaged(xmlProblem(xml, part));
    return targets;
}

/// The text of a shared string or an inline one: its runs' texts, without
/// the phonetic guides some files add.
QString stringItem(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    bool phonetic = false;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (xml.name() == u"rPh"_s) {
                phonetic = true;
            } else if (xml.name() == u"t"_s) {
                // Read to its end: the element is done with.
                const QString run = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (!phonetic)
                    text += run;
                --depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
            if (xml.name() == u"rPh"_s)
                phonetic = false;
        }
    }
    return text;
}

Result<QStringList, Problem> sharedStrings(const QByteArray& bytes, const QString& part)
{
    QStringList strings;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si"_s)
            strings.append(stringItem(xml));
    }
    if (xml.hasError())
        return damaged(xmlProblem(xml, part));
    return strings;
}

/// The column of a cell reference ("B7" is 1), or -1 when it names none.
int columnOf(QStringView reference)
{
    int column = 0;
    qsizetype letters = 0;
    for (const QChar c : reference) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        column = column * 26 + (u - u'A' + 1);
        ++letters;
        if (column > kMaxColumns)
            return -1;
    }
    return letters == 0 ? -1 : column - 1;
}

Result<QList<SheetRow>, Problem> sheetRows(
    const QByteArray& bytes, const QString& part, const QStringList& strings)
{
    QList<SheetRow> rows;
    QXmlStreamReader xml(bytes);
    SheetRow row;
    int nextRow = 1;
    int nextColumn = 0;
    const auto finishRow = [&] {
        while (!row.cells.isEmpty() && row.cells.constLast().isEmpty())
            row.cells.removeLast();
        if (!row.cells.isEmpty())
            rows.append(row);
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row"_s) {
            bool numbered = false;
            const int number = xml.attributes().value("r"_L1).toInt(&numbered);
            row = SheetRow { numbered && number > 0 ? number : nextRow, {} };
            nextRow = row.number + 1;
            nextColumn = 0;
            // Read the row's cells here, so a row ends where its element does.
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == u"row"_s)
                    break;
                if (!xml.isStartElement() || xml.name() != u"c"_s)
                    continue;
                const QString reference = xml.attributes().value("r"_L1).toString();
                const QString type = xml.attributes().value("t"_L1).toString();
                int column = reference.isEmpty() ? nextColumn : columnOf(reference);
                if (column < 0)
                    return damaged(u"the part %1 names a cell '%2' no sheet has"_s.arg(part, reference));
                nextColumn = column + 1;
                QString value;
                QString inlineText;
                while (!xml.atEnd()) {
                    xml.readNext();
                    if (xml.isEndElement() && xml.name() == u"c"_s)
                        break;
                    if (xml.isStartElement() && xml.name() == u"v"_s)
                        value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                    else if (xml.isStartElement() && xml.name() == u"is"_s)
                        inlineText = stringItem(xml);
                }
                QString text;
                if (type == u"s"_s) {
                    bool ok = false;
                    const int index = value.trimmed().toInt(&ok);
                    if (!ok || index < 0 || index >= strings.size())
                        return damaged(
                            u"the part %1 names a shared text the workbook does not have"_s.arg(part));
                    text = strings.at(index);
                } else if (type == u"inlineStr"_s) {
                    text = inlineText;
                } else if (type == u"b"_s) {
                    text = value.trimmed() == u"1"_s ? u"TRUE"_s : u"FALSE"_s;
                } else {
                    text = value;
                }
                if (text.isEmpty())
                    continue;
                if (row.cells.size() <= column)
                    row.cells.resize(column + 1);
                row.cells[column] = text;
            }
            finishRow();
        }
    }
    if (xml.hasError())
        return damaged(xmlProblem(xml, part));
    return rows;
}

} // namespace

Result<QList<WorkbookSheet>, WorkbookProblem> readWorkbook(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Problem { Problem::Unreadable, file.errorString() };
    if (file.size() > kMaxFileBytes)
        return damaged(u"it is larger than a workbook of a form can be"_s);
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Problem { Problem::Unreadable, file.errorString() };
    return readWorkbookBytes(bytes);
}

Result<QList<WorkbookSheet>, WorkbookProblem> readWorkbookBytes(const QByteArray& bytes)
{
    if (bytes.size() > kMaxFileBytes)
        return damaged(u"it is larger than a workbook of a form can be"_s);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return Problem { Problem::Unreadable, u"out of memory"_s };
    }
    Zip archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    if (!archive) {
        zip_source_free(source);
        const int code = zip_error_code_zip(&error);
        const QString why = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        // A zip cut short or overwritten is a damaged workbook; anything else is none.
        if ((code == ZIP_ER_NOZIP || code == ZIP_ER_NOENT) && !bytes.startsWith("PK\x03\x04"))
            return Problem { Problem::NotWorkbook, why };
        return damaged(why);
    }
    zip_error_fini(&error);

    qint64 unpacked = 0;
    const auto part = [&](const QString& name) { return readPart(archive.get(), name, unpacked); };

    // The workbook part is the package's office document, where the package says.
    QString workbookPath = u"xl/workbook.xml"_s;
    const auto packageRelations = part(u"_rels/.rels"_s);
    if (!packageRelations)
        return packageRelations.error();
    if (*packageRelations) {
        QXmlStreamReader xml(**packageRelations);
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"Relationship"_s
                && xml.attributes().value("Type"_L1).endsWith(u"/officeDocument"_s))
                workbookPath = partPath(QString(), xml.attributes().value("Target"_L1).toString());
        }
    }
    const auto workbook = part(workbookPath);
    if (!workbook)
        return workbook.error();
    if (!*workbook)
        return Problem { Problem::NotWorkbook, u"it holds no workbook"_s };
    const QString folder = workbookPath.section(u'/', 0, -2);
    const QString relationsPath = (folder.isEmpty() ? QString() : folder + u'/') + u"_rels/"_s
        + workbookPath.section(u'/', -1) + u".rels"_s;
    const auto relationBytes = part(relationsPath);
    if (!relationBytes)
        return relationBytes.error();
    QHash<QString, QString> targets;
    if (*relationBytes) {
        auto read = relationships(**relationBytes, relationsPath);
        if (!read)
            return read.error();
        targets = *read;
    }

    QStringList strings;
    for (auto it = targets.cbegin(); it != targets.cend(); ++it) {
        if (!it.value().endsWith(u"sharedStrings.xml"_s, Qt::CaseInsensitive))
            continue;
        const QString path = partPath(folder, it.value());
        const auto shared = part(path);
        if (!shared)
            return shared.error();
        if (*shared) {
            auto read = sharedStrings(**shared, path);
            if (!read)
                return read.error();
            strings = *read;
        }
    }

    QList<WorkbookSheet> sheets;
    QXmlStreamReader xml(**workbook);
    QList<std::pair<QString, QString>> named; // sheet name, part
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != u"sheet"_s)
            continue;
        QString id;
        for (const QXmlStreamAttribute& attribute : xml.attributes()) {
            if (attribute.name() == u"id"_s)
                id = attribute.value().toString();
        }
        named.append({ xml.attributes().value("name"_L1).toString(), targets.value(id) });
    }
    if (xml.hasError())
        return damaged(xmlProblem(xml, workbookPath));
    for (const auto& [name, target] : std::as_const(named)) {
        if (target.isEmpty())
            return damaged(u"the sheet '%1' has no part"_s.arg(name));
        const QString path = partPath(folder, target);
        const auto sheetBytes = part(path);
        if (!sheetBytes)
            return sheetBytes.error();
        if (!*sheetBytes)
            return damaged(u"the part %1 of the sheet '%2' is missing"_s.arg(path, name));
        auto rows = sheetRows(**sheetBytes, path, strings);
        if (!rows)
            return rows.error();
        sheets.append({ name, std::move(rows).value() });
    }
    return sheets;
}

} // namespace quenlow
