// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/WordPackage_p.h"
#include "platform/WordXmlReading_p.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::wordml {

// ---------------------------------------------------------------------------
// Zip packages through libzip, in memory

QString zipErrorText(zip_error_t* error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

/// Opens `package` read-only. `package` must outlive the archive.
Result<ZipPointer> openPackage(const QByteArray& package)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source
        = zip_source_buffer_create(package.constData(), zip_uint64_t(package.size()), 0, &zipError);
    if (!source) {
        Error error { Error::Io, zipErrorText(&zipError) };
        zip_error_fini(&zipError);
        return error;
    }
    // Every entry is copied back when the document is saved, so an entry whose
    // local header disagrees with the directory must be found now, not then.
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError);
    if (!archive) {
        Error error { Error::Io, zipErrorText(&zipError) };
        zip_source_free(source);
        zip_error_fini(&zipError);
        return error;
    }
    zip_error_fini(&zipError);
    return ZipPointer(archive);
}

/// Reads the part `name`. `unpacked` counts what the package's parts read so
/// far unpacked to, against kMaxUnpackedBytes; without it the part counts alone.
Result<QByteArray, PartProblem> readPart(zip_t* archive, const QString& name, qint64* unpacked)
{
    using P = PartProblem;
    const QByteArray encodedName = name.toUtf8();
    const zip_int64_t index = zip_name_locate(archive, encodedName.constData(), 0);
    if (index < 0)
        return P { P::Missing };
    zip_stat_t stat;
    if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
        || !(stat.valid & ZIP_STAT_COMP_SIZE))
        return P { P::Damaged };
    const qint64 before = unpacked ? *unpacked : 0;
    if (stat.size > zip_uint64_t(kMaxUnpackedBytes - before))
        return P { P::TooLarge };
    if (stat.size > zip_uint64_t(kPackingRatioFrom) && stat.size / kMaxPackingRatio > stat.comp_size)
        return P { P::TooPacked };
    zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(index), 0);
    if (!file)
        return P { P::Damaged };
    QByteArray out;
    out.reserve(qsizetype(std::min<zip_uint64_t>(stat.size, 1024 * 1024))); // grows only as bytes come
    char chunk[64 * 1024];
    zip_int64_t read = 0;
    // One read past the declared size shows a part that unpacks to more.
    while (out.size() <= qsizetype(stat.size) && (read = zip_fread(file, chunk, sizeof chunk)) > 0)
        out.append(chunk, qsizetype(read));
    zip_fclose(file);
    if (read < 0 || out.size() != qsizetype(stat.size))
        return P { P::Damaged };
    if (unpacked)
        *unpacked += out.size();
    return out;
}

/// Returns `package` (empty: a new package) with `parts` added or replaced;
/// every other entry is copied as it is.
Result<QByteArray> writeParts(const QByteArray& package, const QList<std::pair<QString, QByteArray>>& parts)
{
    const auto failure = [](const QString& why) { return Error { Error::Io, why }; };
    zip_error_t zipError;
    zip_error_init(&zipError);
    // libzip 1.7 frees the buffer it was given once the archive is rewritten
    // (it clones the unchanged start of it), so it gets a copy of its own.
    void* copy = nullptr;
    if (!package.isEmpty()) {
        copy = std::malloc(size_t(package.size()));
        if (!copy)
            return failure(u"not enough memory"_s);
        std::memcpy(copy, package.constData(), size_t(package.size()));
    }
    zip_source_t* source = zip_source_buffer_create(copy, zip_uint64_t(package.size()), 1, &zipError);
    if (!source) {
        std::free(copy);
        const QString why = zipErrorText(&zipError);
        zip_error_fini(&zipError);
        return failure(why);
    }
    zip_t* archive
        = zip_open_from_source(source, package.isEmpty() ? ZIP_CREATE | ZIP_TRUNCATE : 0, &zipError);
    if (!archive) {
        const QString why = zipErrorText(&zipError);
        zip_source_free(source);
        zip_error_fini(&zipError);
        return failure(why);
    }
    zip_error_fini(&zipError);
    // Keep the buffer source alive past zip_close to read the new archive from it.
    zip_source_keep(source);
    auto fail = [&](const QString& text) {
        zip_discard(archive);
        zip_source_free(source);
        return failure(text);
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
        const QString why = zipErrorText(zip_source_error(source));
        zip_source_free(source);
        return failure(why);
    }
    result.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(source, result.data(), stat.size);
    zip_source_close(source);
    zip_source_free(source);
    if (read < 0 || zip_uint64_t(read) != stat.size)
        return failure(u"the new package could not be read back"_s);
    return result;
}

/// The main document part named by the package relationships.
QString mainPartName(zip_t* archive, qint64* unpacked)
{
    // Relationships too heavy to read are taken as missing, like unreadable ones.
    const Result<QByteArray, PartProblem> relationships = readPart(archive, u"_rels/.rels"_s, unpacked);
    if (!relationships || markupExcess(*relationships) != MarkupExcess::None)
        return kMainPartName;
    QXmlStreamReader reader(*relationships);
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

} // namespace quenlow::wordml
