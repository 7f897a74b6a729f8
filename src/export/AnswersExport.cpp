// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "export/AnswersExport.h"
#include "export/ExportFile.h"
#include "export/ExportTarget_p.h"
#include "export/StatisticsExport_p.h"

#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "database/Receipts.h"
#include "model/CollectionFile.h"
#include "model/FormSettings.h"
#include "model/OwnedColumns.h"
#include "model/QuestionSettings.h"

#include <QFileInfo>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

using exporting::displayPath;

namespace {

constexpr qint64 kProgressStep = 4096;

/// An export under way: the answers written so far.
struct Written {
    qint64 rows = 0;
    bool cancelled = false;
    QStringList notes;
};
constexpr qsizetype kFlushSize = 1 << 20;
// The most rows a worksheet holds, less the heading row.
constexpr qint64 kMaxSheetAnswers = 1048575;
// The most characters a spreadsheet cell holds.
constexpr int kMaxCellCharacters = 32767;
constexpr double kMaxColumnWidth = 60;

/// What a question's answers are in a workbook: numbers for text fields
/// that take numbers and for scales, dates for text fields that take dates,
/// text for everything else (and in CSV always).
enum class CellKind { Text, Number, Date };

/// The form's table and its questions, in the form's order.
struct Source {
    std::shared_ptr<AnswersStore> store; // for the arrival times
    QByteArray receiptKey; // the store's, which made the receipts people were given; empty: none
    QString table;
    QStringList headings;
    QList<bool> present; // the question's column is in the table
    QList<CellKind> kinds;
    QString title; // the form's
    QList<FormMethod> questions; // as the headings
    // A form only invited people answer, not anonymously: the first headings
    // are "Participant" and the participants' attributes, filled from
    // `participantCells` by row id rather than from the table.
    qsizetype participantColumns = 0;
    QHash<qint64, QByteArrayList> participantCells;
};

/// Who answered each row, as the first columns, when the form says so.
Result<void> addParticipantColumns(Source& source, const FormSettings& settings)
{
    if (!settings.invitedOnly || settings.anonymousAnswers)
        return {};
    const auto byRow = participantsByAnswer(*source.store, source.table);
    if (!byRow)
        return byRow.error();
    QStringList headings { u"Participant"_s };
    // The attributes in the order the answers came, each once.
    QList<qint64> rows = byRow->keys();
    std::sort(rows.begin(), rows.end());
    for (const qint64 id : std::as_const(rows)) {
        for (const auto& [name, value] : byRow->value(id).attributes) {
            if (!headings.contains(name))
                headings.append(name);
        }
    }
    for (auto it = byRow->cbegin(); it != byRow->cend(); ++it) {
        QByteArrayList cells { it->code.toUtf8() };
        for (qsizetype i = 1; i < headings.size(); ++i) {
            const auto found = std::find_if(it->attributes.cbegin(), it->attributes.cend(),
                [&](const auto& attribute) { return attribute.first == headings.at(i); });
            cells.append(found == it->attributes.cend() ? QByteArray() : found->second.toUtf8());
        }
        source.participantCells.insert(it.key(), cells);
    }
    for (qsizetype i = headings.size() - 1; i >= 0; --i) {
        FormMethod column;
        column.kind = ElementKind::TextField;
        column.userInstruction = headings.at(i);
        source.headings.prepend(headings.at(i));
        source.present.prepend(false);
        source.kinds.prepend(CellKind::Text);
        source.questions.prepend(column);
    }
    source.participantColumns = headings.size();
    return {};
}

CellKind cellKindOf(const FormMethod& question)
{
    if (question.kind == ElementKind::Scale || question.kind == ElementKind::Ranking)
        return CellKind::Number;
    if (question.kind != ElementKind::TextField)
        return CellKind::Text;
    switch (questionSettingsOf(question).rules.kind) {
    case AnswerKind::WholeNumber:
    case AnswerKind::Number:
        return CellKind::Number;
    case AnswerKind::Date:
        return CellKind::Date;
    default:
        return CellKind::Text;
    }
}

// A spreadsheet keeps 15 significant digits; a longer number stays text, whole.
constexpr int kMaxNumberDigits = 15;

/// The number a stored answer spells ("-12", "3.5"), as the service stores
/// numbers; nullopt for anything else, such as answers stored before the
/// question took only numbers, which stay text.
std::optional<double> storedNumber(QByteArrayView text)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    if (p != end && *p == '-')
        ++p;
    int digits = 0;
    bool point = false;
    bool leading = true; // zeros before the first other digit are not significant
    for (const char* q = p; q != end; ++q) {
        if (*q == '.' && !point && q != p && q + 1 != end) {
            point = true;
        } else if (*q >= '0' && *q <= '9') {
            leading = leading && *q == '0';
            digits += leading ? 0 : 1;
        } else {
            return std::nullopt;
        }
    }
    if (p == end || digits > kMaxNumberDigits)
        return std::nullopt;
    double value = 0;
    const auto [last, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || last != end)
        return std::nullopt;
    return value;
}

/// The date a stored answer spells (YYYY-MM-DD, as the service stores
/// dates); nullopt for anything else.
std::optional<lxw_datetime> storedDate(QByteArrayView text)
{
    if (text.size() != 10)
        return std::nullopt;
    const QDate date = QDate::fromString(QLatin1StringView(text.data(), text.size()), Qt::ISODate);
    // Spreadsheet dates start in 1900.
    if (!date.isValid() || date.year() < 1900)
        return std::nullopt;
    return lxw_datetime { date.year(), date.month(), date.day(), 0, 0, 0 };
}

/// Reads the form's element list and checks its table.
Result<Source> openSource(const ExportRequest& request)
{
    const auto failure = [](const QString& why) { return Error { Error::Io, why }; };
    const QString pageFile = request.pageFile;
    const QString formName = formNameOf(pageFile);
    if (formName.isEmpty() || pageFile.contains(u'/'))
        return failure(u"'%1' is not the file name of a form (NAME.html)."_s.arg(pageFile));
    const QString collectionPath = request.appFolder + u"/Collections/"_s + formName + u"Collection.txt"_s;
    if (!QFileInfo(collectionPath).isFile()) {
        return failure(u"The form '%1' is unknown: there is no element list '%2'."_s.arg(
            pageFile, displayPath(collectionPath)));
    }
    const ParsedCollection collection = readCollectionFile(collectionPath);
    if (!collection.ok()) {
        return failure(u"The element list '%1' of the form '%2' cannot be read: %3"_s.arg(
            displayPath(collectionPath), pageFile, collection.error));
    }

    const QString databasePath
        = request.answersStore.isEmpty() ? answersStoreIn(request.appFolder) : request.answersStore;
    Source source;
    source.table = AnswersStore::tableFor(formName);
    auto store = openAnswersStore(databasePath);
    if (!store) {
        return failure(u"The answers database '%1' cannot be opened (%2)."_s.arg(
            displayPath(shownLocation(databasePath)), store.error().detail));
    }
    source.store = std::move(store).value();
    // Kept in the store by the service; a store that has none gave no receipts, and none is shown.
    // Only read: an export writes nothing into the database.
    source.receiptKey = keptReceiptKey(*source.store).valueOr(std::nullopt).value_or(QByteArray());
    if (!source.store->tableExists(source.table).valueOr(false)) {
        return failure(u"The table '%1' holding the answers of the form '%2' is missing from '%3'."_s.arg(
            source.table, pageFile, displayPath(shownLocation(databasePath))));
    }
    const QList<AnswersStore::Column> columns = source.store->columns(source.table).valueOr({});
    for (const FormMethod& method : collection.methods) {
        for (const OwnedColumn& owned : answerColumnsOf(method)) {
            const QString& name = owned.name;
            bool present = false;
            for (const AnswersStore::Column& column : columns)
                present = present || column.name.compare(name, Qt::CaseInsensitive) == 0;
            source.headings.append(name);
            source.present.append(present);
            source.kinds.append(cellKindOf(method));
            if (owned.role == OwnedColumn::Role::GridRow || owned.role == OwnedColumn::Role::RankPlace) {
                // A grid's statement stands as a question of its own: titled
                // "QUESTION: STATEMENT", answered with the grid's answers (a
                // ranking's option: "QUESTION: OPTION", with its places).
                FormMethod row = method;
                row.userInstruction = owned.label;
                row.attribute6List = owned.values;
                source.questions.append(row);
            } else if (owned.role == OwnedColumn::Role::OtherText) {
                // A check box group's answers typed after "Other:": text, titled "QUESTION: Other".
                FormMethod typed;
                typed.kind = ElementKind::TextField;
                typed.userInstruction = owned.label;
                source.questions.append(typed);
            } else {
                source.questions.append(method);
            }
        }
    }
    if (!collection.methods.isEmpty() && collection.methods.constFirst().kind == ElementKind::Header) {
        source.title = collection.methods.constFirst().userInstruction;
        if (const Result<void> added
            = addParticipantColumns(source, formSettingsOf(collection.methods.constFirst()));
            !added)
            return failure(u"The participants of the form '%1' cannot be read (%2)."_s.arg(
                pageFile, added.error().detail));
    }
    return source;
}

/// A row's cells as UTF-8, in heading order: nothing for no answer, for the
/// marker of a column added later and for a question without a column.
/// Valid only during the visit that hands them over.
using Cells = std::span<const std::optional<QByteArrayView>>;

/// Walks the answers in storage order, a page at a time, handing `visit` each
/// row's arrival and change times, its receipt (the person's, as the service
/// gave it) and cells; counts the rows in `result` and reports
/// progress, which may cancel. A failure `visit` returns stops the walk and
/// is the walk's; so is a table that cannot be read.
template <typename Visit>
Result<void> forEachAnswer(
    const Source& source, const ExportProgress& progress, qint64 total, Written& result, Visit&& visit)
{
    constexpr qint64 kPage = 4096;
    QStringList present;
    QList<qsizetype> valueOf(source.headings.size(), -1); // heading -> position among the columns read
    for (qsizetype i = 0; i < source.headings.size(); ++i) {
        if (source.present.at(i)) {
            valueOf[i] = present.size();
            present.append(source.headings.at(i));
        }
    }
    const QByteArray marker = columnAddedMarker().toUtf8();
    QVarLengthArray<std::optional<QByteArrayView>, 16> cells(source.headings.size());
    bool going = true;
    Result<void> stopped;
    const auto unreadable = [&](const Error& error) {
        return Error { Error::Io, u"The table '%1' cannot be read (%2)."_s.arg(source.table, error.detail) };
    };
    for (qint64 after = -1; going;) {
        // The arrival times of the page first (beside the answers, not in
        // their table), then its answers without making strings of them.
        const auto arrivals = source.store->readRows(source.table, {}, after, kPage, true);
        if (!arrivals)
            return unreadable(arrivals.error());
        if (arrivals->isEmpty())
            return {};
        qsizetype next = 0;
        const auto visited = source.store->visitRows(
            source.table, present, after, arrivals->size(), [&](qint64 id, AnswersStore::RawValues values) {
                if (!going)
                    return;
                after = id;
                while (next < arrivals->size() && arrivals->at(next).id < id)
                    ++next;
                // A row that came between the two reads has its times asked for alone.
                const bool read = next < arrivals->size() && arrivals->at(next).id == id;
                const std::optional<QDateTime> arrived
                    = read ? arrivals->at(next).arrivedAt : arrivalTimeOf(*source.store, source.table, id);
                const std::optional<QDateTime> changed = read
                    ? arrivals->at(next).changedAt
                    : source.store->changeOf(source.table, id).valueOr(std::nullopt);
                for (qsizetype i = 0; i < cells.size(); ++i) {
                    cells[i] = valueOf.at(i) < 0 ? std::nullopt : values[size_t(valueOf.at(i))];
                    if (cells[i] && *cells[i] == QByteArrayView(marker))
                        cells[i].reset();
                }
                if (source.participantColumns > 0) {
                    const auto who = source.participantCells.constFind(id);
                    for (qsizetype i = 0; i < source.participantColumns; ++i) {
                        if (who != source.participantCells.cend() && !who->at(i).isEmpty())
                            cells[i] = QByteArrayView(who->at(i));
                    }
                }
                const QByteArray receipt = source.receiptKey.isEmpty()
                    ? QByteArray()
                    : receiptFor(source.receiptKey, id, arrived.value_or(QDateTime())).toLatin1();
                stopped = visit(arrived, changed, receipt, Cells(cells.constData(), size_t(cells.size())));
                going = stopped.ok();
                if (going && ++result.rows % kProgressStep == 0 && progress
                    && !progress(result.rows, total)) {
                    result.cancelled = true;
                    going = false;
                }
            });
        if (!visited)
            return unreadable(visited.error());
        if (arrivals->size() < kPage)
            break;
        after = std::max(after, arrivals->constLast().id);
    }
    return stopped;
}

/// The time as ISO 8601 in UTC to the second ("2026-03-01T09:05:00Z"), as
/// QDateTime writes it, without making a QString of it per row.
void appendIsoUtc(QByteArray& out, const QDateTime& time)
{
    const QDateTime utc = time.toUTC();
    const QDate d = utc.date();
    const QTime t = utc.time();
    if (d.year() < 0 || d.year() > 9999) {
        out += utc.toString(Qt::ISODate).toUtf8();
        return;
    }
    char text[21];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", d.year(), d.month(), d.day(), t.hour(),
        t.minute(), t.second());
    out.append(text, 20);
}

/// Where the rows go: standard output, or a file that replaces its target only when complete.
class CsvSink
{
public:
    Result<void> open(const QString& path)
    {
        if (path.isEmpty() || path == u"-"_s) {
            m_stdout = true;
            return {};
        }
        m_file = std::make_unique<ExportFile>(path);
        return m_file->open();
    }
    Result<void> write(const QByteArray& data)
    {
        if (!m_stdout)
            return m_file->write(data);
        if (std::fwrite(data.constData(), 1, size_t(data.size()), stdout) == size_t(data.size()))
            return {};
        return stdoutError(errno);
    }
    Result<void> commit(const ExportFile::Guard& guard)
    {
        if (m_stdout) {
            // Standard output is buffered: a full disk or a closed pipe shows only here.
            if (std::fflush(stdout) == 0)
                return {};
            return stdoutError(errno);
        }
        return m_file->commit(guard);
    }
    // Dropping an uncommitted file removes its temporary file; the target stays as it was.

private:
    static Error stdoutError(int error)
    {
        return Error { Error::Io,
            u"The answers cannot be written: standard output: %1."_s.arg(
                error ? QString::fromLocal8Bit(std::strerror(error)) : u"it is closed"_s) };
    }

    bool m_stdout = false;
    std::unique_ptr<ExportFile> m_file;
};

ExportResult failed(const QString& error)
{
    return Error { Error::Io, error };
}

ExportResult finished(const Written& written)
{
    if (written.cancelled)
        return Error { Error::Cancelled, u"The export was cancelled."_s };
    return Exported { written.rows, written.notes };
}

ExportResult writeCsv(const ExportRequest& request, const Source& source, const ExportProgress& progress,
    qint64 total, const ExportFile::Guard& guard)
{
    CsvSink sink;
    if (const Result<void> opened = sink.open(request.outputPath); !opened)
        return opened.error();

    QByteArray buffer;
    buffer.reserve(kFlushSize + 64 * 1024);
    if (request.byteOrderMark)
        buffer += "\xEF\xBB\xBF";
    appendCsvField(buffer, "Submitted", 9);
    buffer += ',';
    appendCsvField(buffer, "Changed", 7);
    buffer += ',';
    appendCsvField(buffer, "Receipt", 7);
    for (const QString& heading : source.headings) {
        const QByteArray utf8 = heading.toUtf8();
        buffer += ',';
        appendCsvField(buffer, utf8.constData(), utf8.size(), request.escapeFormulas);
    }
    buffer += "\r\n";

    Written result;
    const auto stopped = forEachAnswer(source, progress, total, result,
        [&](const std::optional<QDateTime>& submitted, const std::optional<QDateTime>& changed,
            const QByteArray& receipt, Cells cells) {
            if (submitted)
                appendIsoUtc(buffer, *submitted);
            buffer += ',';
            if (changed)
                appendIsoUtc(buffer, *changed);
            buffer += ',';
            buffer += receipt;
            for (const std::optional<QByteArrayView>& cell : cells) {
                buffer += ',';
                if (cell)
                    appendCsvField(buffer, cell->data(), cell->size(), request.escapeFormulas);
            }
            buffer += "\r\n";
            if (buffer.size() >= kFlushSize) {
                if (Result<void> written = sink.write(buffer); !written)
                    return written;
                buffer.resize(0);
            }
            return Result<void>();
        });
    if (!stopped)
        return stopped.error();
    if (result.cancelled)
        return finished(result);
    if (const Result<void> written = sink.write(buffer); !written)
        return written.error();
    if (const Result<void> committed = sink.commit(guard); !committed)
        return committed.error();
    return finished(result);
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

ExportResult writeXlsx(const ExportRequest& request, const Source& source, const ExportProgress& progress,
    qint64 total, const ExportFile::Guard& guard)
{
    const QFileInfo target(request.outputPath);
    if (request.outputPath.isEmpty() || request.outputPath == u"-"_s)
        return failed(u"An XLSX file cannot go to standard output; name it with --output."_s);
    if (target.isDir())
        return failed(
            u"The file '%1' cannot be written: it is a folder."_s.arg(displayPath(request.outputPath)));
    // The workbook is built under a temporary name beside the target and
    // renamed over it once whole; creating that name now tells at once
    // whether the folder can be written.
    ExportFile file(request.outputPath);
    if (const Result<void> opened = file.open(); !opened)
        return opened.error();
    const QByteArray temporaryName = file.fileName();
    const QByteArray temporaryFolder = file.folderName();

    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    // Rows are kept in a file until the workbook is put together; keep it
    // beside the target, where there is room for the target too.
    options.tmpdir = const_cast<char*>(temporaryFolder.constData());
    options.use_zip64 = LXW_TRUE;
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(
        workbook_new_opt(temporaryName.constData(), &options));
    if (!workbook)
        return failed(u"The file '%1' cannot be written."_s.arg(displayPath(request.outputPath)));
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), "Answers");
    lxw_format* bold = workbook_add_format(workbook.get());
    format_set_bold(bold);
    lxw_format* dateTime = workbook_add_format(workbook.get());
    format_set_num_format(dateTime, "yyyy-mm-dd hh:mm:ss");
    lxw_format* dateOnly = workbook_add_format(workbook.get());
    format_set_num_format(dateOnly, "yyyy-mm-dd");

    const int columns = int(source.headings.size());
    // "Submitted", "Changed" and "Receipt", then the answers.
    constexpr int kTimes = 2;
    constexpr int kFirstAnswer = kTimes + 1;
    QList<double> widths(columns + kFirstAnswer, 0);
    worksheet_write_string(sheet, 0, 0, "Submitted", bold);
    worksheet_write_string(sheet, 0, 1, "Changed", bold);
    worksheet_write_string(sheet, 0, kTimes, "Receipt", bold);
    widths[0] = widths[1] = 20;
    widths[kTimes] = 12;
    for (int c = 0; c < columns; ++c) {
        const QByteArray heading = source.headings.at(c).toUtf8();
        worksheet_write_string(sheet, 0, lxw_col_t(c + kFirstAnswer), heading.constData(), bold);
        // Room for the filter button beside the heading.
        widths[c + kFirstAnswer] = qMin(kMaxColumnWidth, double(source.headings.at(c).size()) + 4);
    }

    Written result;
    qint64 truncated = 0;
    std::string text; // the cell's text with the end mark the library needs
    const auto stopped = forEachAnswer(source, progress, total, result,
        [&](const std::optional<QDateTime>& submitted, const std::optional<QDateTime>& changed,
            const QByteArray& receipt, Cells cells) {
            if (result.rows == kMaxSheetAnswers)
                return Result<void>(Error { Error::Io,
                    u"The form has more answers than a worksheet holds (%1); export it as CSV."_s.arg(
                        kMaxSheetAnswers) });
            const auto notWritten = [&] {
                return Result<void>(Error { Error::Io,
                    u"The answers cannot be written to '%1'."_s.arg(displayPath(request.outputPath)) });
            };
            const lxw_row_t row = lxw_row_t(result.rows + 1);
            const auto writeTime = [&](const std::optional<QDateTime>& time, lxw_col_t column) {
                if (!time)
                    return;
                const QDateTime utc = time->toUTC();
                lxw_datetime when { utc.date().year(), utc.date().month(), utc.date().day(),
                    utc.time().hour(), utc.time().minute(), double(utc.time().second()) };
                worksheet_write_datetime(sheet, row, column, &when, dateTime);
            };
            writeTime(submitted, 0);
            writeTime(changed, 1);
            // A text cell: a receipt of digits alone stays as the person was given it.
            if (!receipt.isEmpty()
                && worksheet_write_string(sheet, row, kTimes, receipt.constData(), nullptr) != LXW_NO_ERROR)
                return notWritten();
            for (int c = kFirstAnswer; c < columns + kFirstAnswer; ++c) {
                const std::optional<QByteArrayView>& cell = cells[size_t(c - kFirstAnswer)];
                if (!cell || cell->isEmpty())
                    continue;
                const CellKind kind = source.kinds.at(c - kFirstAnswer);
                if (const auto number = kind == CellKind::Number ? storedNumber(*cell) : std::nullopt) {
                    if (worksheet_write_number(sheet, row, lxw_col_t(c), *number, nullptr) != LXW_NO_ERROR)
                        return notWritten();
                    widths[c] = qMax(widths[c], double(cell->size()) + 1);
                    continue;
                }
                if (const auto date = kind == CellKind::Date ? storedDate(*cell) : std::nullopt) {
                    lxw_datetime when = *date;
                    if (worksheet_write_datetime(sheet, row, lxw_col_t(c), &when, dateOnly) != LXW_NO_ERROR)
                        return notWritten();
                    widths[c] = qMax(widths[c], 11.0);
                    continue;
                }
                qsizetype cut = cell->size();
                const qsizetype length = utf8Length(cell->data(), cell->size(), kMaxCellCharacters, &cut);
                if (length > kMaxCellCharacters)
                    ++truncated;
                text.assign(cell->data(), size_t(cut));
                // Otherwise a text cell: an answer is never taken for a number or a formula.
                if (worksheet_write_string(sheet, row, lxw_col_t(c), text.c_str(), nullptr) != LXW_NO_ERROR)
                    return notWritten();
                widths[c] = qMax(widths[c],
                    qMin(kMaxColumnWidth, double(qMin(length, qsizetype(kMaxCellCharacters))) + 1));
            }
            return Result<void>();
        });
    if (!stopped)
        return stopped.error();
    if (result.cancelled)
        return finished(result);
    worksheet_set_column(sheet, 0, kTimes - 1, widths[0], dateTime);
    worksheet_set_column(sheet, kTimes, kTimes, widths[kTimes], nullptr);
    for (int c = kFirstAnswer; c < columns + kFirstAnswer; ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_autofilter(sheet, 0, 0, lxw_row_t(result.rows), lxw_col_t(columns + kFirstAnswer - 1));

    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR)
        return failed(u"The file '%1' cannot be written: %2."_s.arg(
            displayPath(request.outputPath), QString::fromUtf8(lxw_strerror(closed))));
    if (const Result<void> committed = file.commit(guard); !committed)
        return committed.error();
    if (truncated > 0)
        result.notes.append(
            u"%1 answers were longer than a spreadsheet cell holds (%2 characters) and were cut there."_s
                .arg(truncated)
                .arg(kMaxCellCharacters));
    return finished(result);
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
    if (const Result<void> allowed = exporting::checkOutput(request); !allowed)
        return allowed.error();
    Result<Source> opened = openSource(request);
    if (!opened)
        return opened.error();
    const Source source = std::move(opened).value();
    const qint64 total = progress ? source.store->rowCount(source.table).valueOr(-1) : -1;
    // Looked for again as the finished file takes its name: the export may take
    // long, and what the output's path reaches may change meanwhile.
    const QStringList knownDatabaseFiles = exporting::databaseFiles(request);
    const ExportFile::Guard guard = [&](int folder, const QByteArray& name) {
        return exporting::checkOutputAt(request, knownDatabaseFiles, folder, name);
    };
    // The statistics files walk the answers once (setting the rows aside
    // while they learn what the answers hold); the walk can be asked for again.
    const exporting::AnswerWalk walk
        = [&](const exporting::AnswerVisit& visit, int pass, int passes) -> Result<qint64> {
        Written walked;
        ExportProgress shown;
        if (progress)
            shown = [&](qint64 done, qint64 all) { return progress(pass * all + done, all * passes); };
        // The statistics files carry no receipts: their walk makes none.
        Source walkedSource = source;
        walkedSource.receiptKey.clear();
        const auto visitCells
            = [&visit](const std::optional<QDateTime>& arrived, const std::optional<QDateTime>& changed,
                  const QByteArray&, Cells cells) { return visit(arrived, changed, cells); };
        if (const Result<void> stopped = forEachAnswer(walkedSource, shown, total, walked, visitCells);
            !stopped)
            return stopped.error();
        if (walked.cancelled)
            return Error { Error::Cancelled, u"The export was cancelled."_s };
        return walked.rows;
    };
    ExportResult result = request.format == ExportFormat::Csv
        ? writeCsv(request, source, progress, total, guard)
        : request.format == ExportFormat::Xlsx
        ? writeXlsx(request, source, progress, total, guard)
        : exporting::writeStatistics(
            request, { source.title, source.questions, source.headings }, walk, guard);
    if (!result)
        return result;
    Exported written = std::move(result).value();
    for (qsizetype i = source.participantColumns; i < source.headings.size(); ++i) {
        if (!source.present.at(i))
            written.notes.prepend(
                u"The table has no column '%1'; it is exported empty."_s.arg(source.headings.at(i)));
    }
    return written;
}

} // namespace quenlow
