// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "export/AnswersExport.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

constexpr qint64 kProgressStep = 4096;
constexpr qsizetype kFlushSize = 1 << 20;
// The most rows a worksheet holds, less the heading row.
constexpr qint64 kMaxSheetAnswers = 1048575;
// The most characters a spreadsheet cell holds.
constexpr int kMaxCellCharacters = 32767;
constexpr double kMaxColumnWidth = 60;

/// The form's table and its questions, in the form's order.
struct Source {
    std::shared_ptr<AnswersStore> store; // for the arrival times
    QString table;
    QStringList headings;
    QList<bool> present; // the question's column is in the table
};


QString displayPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

/// Reads the form's element list and checks its table; on failure `error` says why.
bool openSource(const ExportRequest& request, Source& source, QString& error)
{
    const QString pageFile = request.pageFile;
    const QString formName = formNameOf(pageFile);
    if (formName.isEmpty() || pageFile.contains(u'/')) {
        error = u"'%1' is not the file name of a form (NAME.html)."_s.arg(pageFile);
        return false;
    }
    const QString collectionPath = request.appFolder + u"/Collections/"_s + formName + u"Collection.txt"_s;
    if (!QFileInfo(collectionPath).isFile()) {
        error = u"The form '%1' is unknown: there is no element list '%2'."_s.arg(pageFile,
                                                                                  displayPath(collectionPath));
        return false;
    }
    const ParsedCollection collection = readCollectionFile(collectionPath);
    if (!collection.ok()) {
        error = u"The element list '%1' of the form '%2' cannot be read: %3"_s.arg(displayPath(collectionPath),
                                                                                 pageFile, collection.error);
        return false;
    }

    const QString databasePath = request.answersStore.isEmpty() ? answersStoreIn(request.appFolder) : request.answersStore;
    source.table = AnswersStore::tableFor(formName);
    auto store = openAnswersStore(databasePath);
    if (!store) {
        error = u"The answers database '%1' cannot be opened (%2)."_s.arg(displayPath(databasePath), store.error().detail);
        return false;
    }
    source.store = std::move(store).value();
    if (!source.store->tableExists(source.table).valueOr(false)) {
        error = u"The table '%1' holding the answers of the form '%2' is missing from '%3'."_s.arg(
            source.table, pageFile, displayPath(databasePath));
        return false;
    }
    const QList<AnswersStore::Column> columns = source.store->columns(source.table).valueOr({});
    for (const FormMethod& method : collection.methods) {
        if (!isQuestionKind(method.methodType))
            continue;
        const QString name = columnNameFor(method.userInstruction);
        bool present = false;
        for (const AnswersStore::Column& column : columns)
            present = present || column.name.compare(name, Qt::CaseInsensitive) == 0;
        source.headings.append(name);
        source.present.append(present);
    }
    return true;
}

/// Walks the answers in storage order, a page at a time: each row's arrival
/// time and its cells as UTF-8, in heading order (null for no answer, for the
/// marker of a column added later and for a question without a column).
/// `visit` returns false to stop. The reason when the table cannot be read.
template<typename Visit>
std::optional<QString> forEachAnswer(const Source& source, Visit&& visit)
{
    constexpr qint64 kPage = 4096;
    QStringList present;
    for (qsizetype i = 0; i < source.headings.size(); ++i) {
        if (source.present.at(i))
            present.append(source.headings.at(i));
    }
    const QString& marker = columnAddedMarker();
    QList<QByteArray> cells(source.headings.size());
    for (qint64 after = -1;;) {
        const auto rows = source.store->readRows(source.table, present, after, kPage, true);
        if (!rows)
            return u"The table '%1' cannot be read (%2)."_s.arg(source.table, rows.error().detail);
        for (const AnswersStore::Row& row : *rows) {
            qsizetype v = 0;
            for (qsizetype i = 0; i < cells.size(); ++i) {
                cells[i] = QByteArray();
                if (!source.present.at(i))
                    continue;
                const QVariant& value = row.values.at(v++);
                if (!value.isNull() && value.toString() != marker)
                    cells[i] = value.toString().toUtf8();
            }
            if (!visit(row.arrivedAt, std::as_const(cells)))
                return std::nullopt;
        }
        if (rows->size() < kPage)
            return std::nullopt;
        after = rows->constLast().id;
    }
}

QString isoUtc(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODate);
}

/// Where the rows go: standard output, or a file that replaces its target only when complete.
class CsvSink
{
public:
    bool open(const QString& path, QString& error)
    {
        if (path.isEmpty() || path == u"-"_s) {
            m_stdout = true;
            return true;
        }
        m_file = std::make_unique<QSaveFile>(path);
        if (!m_file->open(QIODevice::WriteOnly)) {
            error = u"The file '%1' cannot be written: %2."_s.arg(displayPath(path), m_file->errorString());
            return false;
        }
        return true;
    }
    bool write(const QByteArray& data)
    {
        if (m_stdout)
            return std::fwrite(data.constData(), 1, size_t(data.size()), stdout) == size_t(data.size());
        if (m_file->write(data) != data.size())
            return false;
        m_written += data.size();
        return true;
    }
    bool commit(QString& error)
    {
        if (m_stdout)
            return std::fflush(stdout) == 0;
        // A write the system cut short may still pass for success in the
        // buffered commit: check what reached the file first.
        if (!m_file->flush() || m_file->size() != m_written) {
            error = u"The file '%1' cannot be written: only %2 of %3 bytes reached it (is the disk full?)."_s.arg(
                displayPath(m_file->fileName()), QString::number(m_file->size()), QString::number(m_written));
            m_file->cancelWriting();
            return false;
        }
        if (!m_file->commit()) {
            error = u"The file '%1' cannot be written: %2."_s.arg(displayPath(m_file->fileName()),
                                                                  m_file->errorString());
            return false;
        }
        return true;
    }
    QString errorString() const { return m_stdout ? u"standard output is closed"_s : m_file->errorString(); }
    // Dropping an uncommitted QSaveFile removes its temporary file; the target stays as it was.

private:
    bool m_stdout = false;
    qint64 m_written = 0;
    std::unique_ptr<QSaveFile> m_file;
};

ExportResult failed(const QString& error)
{
    ExportResult result;
    result.error = error;
    return result;
}

ExportResult writeCsv(const ExportRequest& request, const Source& source,
                      const ExportProgress& progress, qint64 total)
{
    CsvSink sink;
    QString error;
    if (!sink.open(request.outputPath, error))
        return failed(error);

    QByteArray buffer;
    buffer.reserve(kFlushSize + 64 * 1024);
    if (request.byteOrderMark)
        buffer += "\xEF\xBB\xBF";
    appendCsvField(buffer, "Submitted", 9);
    for (const QString& heading : source.headings) {
        const QByteArray utf8 = heading.toUtf8();
        buffer += ',';
        appendCsvField(buffer, utf8.constData(), utf8.size(), request.escapeFormulas);
    }
    buffer += "\r\n";

    ExportResult result;
    std::optional<QString> stopped;
    const auto readFailed = forEachAnswer(source, [&](const std::optional<QDateTime>& submitted, const QList<QByteArray>& cells) {
        if (submitted)
            buffer += isoUtc(*submitted).toUtf8();
        for (const QByteArray& cell : cells) {
            buffer += ',';
            if (!cell.isNull())
                appendCsvField(buffer, cell.constData(), cell.size(), request.escapeFormulas);
        }
        buffer += "\r\n";
        if (buffer.size() >= kFlushSize) {
            if (!sink.write(buffer)) {
                stopped = u"The answers cannot be written: %1."_s.arg(sink.errorString());
                return false;
            }
            buffer.resize(0);
        }
        if (++result.rows % kProgressStep == 0 && progress && !progress(result.rows, total)) {
            result.cancelled = true;
            return false;
        }
        return true;
    });
    if (readFailed)
        return failed(*readFailed);
    if (stopped)
        return failed(*stopped);
    if (result.cancelled)
        return result;
    if (!sink.write(buffer))
        return failed(u"The answers cannot be written: %1."_s.arg(sink.errorString()));
    if (!sink.commit(error))
        return failed(error);
    result.ok = true;
    return result;
}

/// Characters (code points) in UTF-8 text; the byte count where it reaches `limit` in `cut`.
qsizetype utf8Length(const char* text, qsizetype size, qsizetype limit, qsizetype* cut)
{
    qsizetype characters = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (characters == limit)
            *cut = i;
        ++characters;
    }
    return characters;
}

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const
    {
        if (workbook)
            workbook_close(workbook);
    }
};

ExportResult writeXlsx(const ExportRequest& request, const Source& source,
                       const ExportProgress& progress, qint64 total)
{
    const QFileInfo target(request.outputPath);
    if (request.outputPath.isEmpty() || request.outputPath == u"-"_s)
        return failed(u"An XLSX file cannot go to standard output; name it with --output."_s);
    if (target.isDir())
        return failed(u"The file '%1' cannot be written: it is a folder."_s.arg(displayPath(request.outputPath)));
    // The workbook is built under a temporary name beside the target and
    // renamed over it once whole; creating that name now tells at once
    // whether the folder can be written.
    QTemporaryFile temporary(target.absolutePath() + u"/."_s + target.fileName() + u".XXXXXX"_s);
    if (!temporary.open())
        return failed(u"The file '%1' cannot be written: %2."_s.arg(displayPath(request.outputPath),
                                                                     temporary.errorString()));
    const QByteArray temporaryName = QFile::encodeName(temporary.fileName());
    temporary.close();
    const QByteArray temporaryFolder = QFile::encodeName(target.absolutePath());

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    // Rows are kept in a file until the workbook is put together; keep it
    // beside the target, where there is room for the target too.
    options.tmpdir = const_cast<char*>(temporaryFolder.constData());
    options.use_zip64 = LXW_TRUE;
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new_opt(temporaryName.constData(), &options));
    if (!workbook)
        return failed(u"The file '%1' cannot be written."_s.arg(displayPath(request.outputPath)));
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), "Answers");
    lxw_format* bold = workbook_add_format(workbook.get());
    format_set_bold(bold);
    lxw_format* dateTime = workbook_add_format(workbook.get());
    format_set_num_format(dateTime, "yyyy-mm-dd hh:mm:ss");

    const int columns = int(source.headings.size());
    QList<double> widths(columns + 1, 0);
    worksheet_write_string(sheet, 0, 0, "Submitted", bold);
    widths[0] = 20;
    for (int c = 0; c < columns; ++c) {
        const QByteArray heading = source.headings.at(c).toUtf8();
        worksheet_write_string(sheet, 0, lxw_col_t(c + 1), heading.constData(), bold);
        // Room for the filter button beside the heading.
        widths[c + 1] = qMin(kMaxColumnWidth, double(source.headings.at(c).size()) + 4);
    }

    ExportResult result;
    qint64 truncated = 0;
    QByteArray shortened;
    std::optional<QString> stopped;
    const auto readFailed = forEachAnswer(source, [&](const std::optional<QDateTime>& submitted, const QList<QByteArray>& cells) {
        if (result.rows == kMaxSheetAnswers) {
            stopped = u"The form has more answers than a worksheet holds (%1); export it as CSV."_s.arg(kMaxSheetAnswers);
            return false;
        }
        const lxw_row_t row = lxw_row_t(result.rows + 1);
        if (submitted) {
            const QDateTime utc = submitted->toUTC();
            lxw_datetime when{utc.date().year(), utc.date().month(), utc.date().day(), utc.time().hour(),
                              utc.time().minute(), double(utc.time().second())};
            worksheet_write_datetime(sheet, row, 0, &when, dateTime);
        }
        for (int c = 1; c <= columns; ++c) {
            const QByteArray& cell = cells.at(c - 1);
            const char* text = cell.constData();
            const qsizetype size = cell.size();
            if (cell.isNull() || size == 0)
                continue;
            qsizetype cut = size;
            const qsizetype length = utf8Length(text, size, kMaxCellCharacters, &cut);
            const char* written = text;
            if (length > kMaxCellCharacters) {
                shortened = QByteArray(text, cut);
                written = shortened.constData();
                ++truncated;
            }
            // Always a text cell: an answer is never taken for a number or a formula.
            if (worksheet_write_string(sheet, row, lxw_col_t(c), written, nullptr) != LXW_NO_ERROR) {
                stopped = u"The answers cannot be written to '%1'."_s.arg(displayPath(request.outputPath));
                return false;
            }
            widths[c] = qMax(widths[c], qMin(kMaxColumnWidth, double(qMin(length, qsizetype(kMaxCellCharacters))) + 1));
        }
        if (++result.rows % kProgressStep == 0 && progress && !progress(result.rows, total)) {
            result.cancelled = true;
            return false;
        }
        return true;
    });
    if (readFailed)
        return failed(*readFailed);
    if (stopped)
        return failed(*stopped);
    if (result.cancelled)
        return result;
    worksheet_set_column(sheet, 0, 0, widths[0], dateTime);
    for (int c = 1; c <= columns; ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_autofilter(sheet, 0, 0, lxw_row_t(result.rows), lxw_col_t(columns));

    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR)
        return failed(u"The file '%1' cannot be written: %2."_s.arg(displayPath(request.outputPath),
                                                                     QString::fromUtf8(lxw_strerror(closed))));
    if (std::rename(temporaryName.constData(), QFile::encodeName(request.outputPath).constData()) != 0)
        return failed(u"The file '%1' cannot be written: %2."_s.arg(displayPath(request.outputPath),
                                                                     QString::fromLocal8Bit(std::strerror(errno))));
    temporary.setAutoRemove(false);
    if (truncated > 0)
        result.notes.append(u"%1 answers were longer than a spreadsheet cell holds (%2 characters) and were cut there."_s
                                .arg(truncated)
                                .arg(kMaxCellCharacters));
    result.ok = true;
    return result;
}

} // namespace

void appendCsvField(QByteArray& out, const char* field, qsizetype size, bool escapeFormula)
{
    bool quote = false;
    for (qsizetype i = 0; i < size && !quote; ++i) {
        const char c = field[i];
        quote = c == ',' || c == '"' || c == '\r' || c == '\n';
    }
    const bool formula = escapeFormula && size > 0
        && (field[0] == '=' || field[0] == '+' || field[0] == '-' || field[0] == '@' || field[0] == '\t'
            || field[0] == '\r');
    if (!quote) {
        if (formula)
            out += '\'';
        out.append(field, size);
        return;
    }
    out += '"';
    if (formula)
        out += '\'';
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (field[i] == '"') {
            out.append(field + start, i - start + 1);
            out += '"';
            start = i + 1;
        }
    }
    out.append(field + start, size - start);
    out += '"';
}

std::optional<QDateTime> arrivalTimeOf(AnswersStore& store, const QString& table, qint64 rowId)
{
    // A time that cannot be read leaves the cell empty; the answers still go out.
    return store.arrivalOf(table, rowId).valueOr(std::nullopt);
}

ExportResult exportAnswers(const ExportRequest& request, const ExportProgress& progress)
{
    Source source;
    QString error;
    if (!openSource(request, source, error))
        return failed(error);
    const qint64 total = progress ? source.store->rowCount(source.table).valueOr(-1) : -1;
    ExportResult result = request.format == ExportFormat::Csv ? writeCsv(request, source, progress, total)
                                                              : writeXlsx(request, source, progress, total);
    for (qsizetype i = 0; i < source.headings.size(); ++i) {
        if (!source.present.at(i))
            result.notes.prepend(u"The table has no column '%1'; it is exported empty."_s.arg(source.headings.at(i)));
    }
    return result;
}

} // namespace quenlow
