// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "export/StatisticsExport.h"
#include "export/ExportTarget_p.h"
#include "export/StatisticsExport_p.h"

#include "model/ElementKind.h"
#include "model/QuestionSettings.h"
#include "model/ScaleQuestion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QtEndian>

#include <readstat.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

constexpr int kSavNameBytes = 64;
constexpr int kDtaNameBytes = 32;

// Words the formats keep for themselves; a column of that name gets "_2".
const QSet<QString>& reservedNames()
{
    static const QSet<QString> names = { u"all"_s, u"and"_s, u"by"_s, u"eq"_s, u"ge"_s, u"gt"_s, u"le"_s,
        u"lt"_s, u"ne"_s, u"not"_s, u"or"_s, u"to"_s, u"with"_s, u"byte"_s, u"double"_s, u"float"_s, u"if"_s,
        u"in"_s, u"int"_s, u"long"_s, u"using"_s, u"strl"_s, u"str"_s };
    return names;
}

bool reserved(const QString& name)
{
    const QString lower = name.toLower();
    if (reservedNames().contains(lower))
        return true;
    // Stata's str1 … str2045.
    return lower.size() > 3 && lower.startsWith(u"str"_s)
        && std::all_of(lower.begin() + 3, lower.end(), [](QChar c) { return c.isDigit(); });
}

/// The name's letters and digits in ASCII ("Größe" → "Grosse" is not tried:
/// accents are dropped, "ß" and other letters without an ASCII form become "_").
QString asciiName(const QString& text)
{
    QString name;
    const QString plain = text.normalized(QString::NormalizationForm_KD);
    bool gap = false;
    for (const QChar c : plain) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const bool fits = c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_');
        if (fits) {
            if (gap && !name.isEmpty())
                name += u'_';
            name += c;
            gap = false;
        } else {
            gap = true;
        }
    }
    if (name.isEmpty() || !name.at(0).isLetter())
        name.prepend(u'Q');
    return name;
}

} // namespace

QStringList variableNames(const QStringList& columns, StatisticsFormat format)
{
    const int limit = format == StatisticsFormat::Sav ? kSavNameBytes : kDtaNameBytes;
    QStringList names;
    QSet<QString> taken;
    const auto give = [&](const QString& wanted) {
        QString base = asciiName(wanted);
        const bool cut = base.size() > limit;
        int suffix = cut || reserved(base) || taken.contains(base.toLower()) ? 2 : 0;
        QString name = base.left(limit);
        while (suffix > 0) {
            const QString end = u"_%1"_s.arg(suffix);
            name = base.left(limit - end.size()) + end;
            if (!taken.contains(name.toLower()))
                break;
            ++suffix;
        }
        taken.insert(name.toLower());
        names.append(name);
    };
    give(u"Submitted"_s);
    give(u"Changed"_s);
    for (const QString& column : columns)
        give(column);
    return names;
}

namespace exporting {

namespace {

enum class VariableKind { Choice, Box, Scale, Number, Date, Text };

/// One variable of the file: what it is, and what the answers held (the
/// first walk) that its description needs before a row is written.
struct Variable {
    VariableKind kind = VariableKind::Text;
    QString name;
    QString label; // whole; fitted to the format when written
    const FormMethod* question = nullptr;
    QHash<QByteArray, int> codeOf; // stored answer -> code
    QList<std::pair<int, QString>> valueLabels; // in code order as offered, then as found
    QHash<int, qint64> counts;
    int nextCode = 1;
    qint64 answers = 0;
    qsizetype longest = 0; // bytes
    bool typedAsText = false; // a number or date question holding other answers too
    bool ordinal
        = false; // its codes are in order (a grid's answers), or its numbers are places (a ranking's)
    std::optional<double> lowest, highest;
    readstat_variable_t* variable = nullptr;
    readstat_label_set_t* labels = nullptr;
};

std::optional<double> numberIn(QByteArrayView text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (error != std::errc() || last != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QDate> dateIn(QByteArrayView text)
{
    // YYYY-MM-DD, as the service stores dates.
    const auto digits = [&](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
    return date.isValid() ? std::optional(date) : std::nullopt;
}

QString labelOf(const FormMethod& question)
{
    const QString heading = questionSettingsOf(question).questionText;
    if (question.kind == ElementKind::CheckBox && !heading.isEmpty())
        return heading + u": "_s + question.userInstruction;
    return question.userInstruction;
}

Variable variableFor(const FormMethod& question, const QString& name)
{
    Variable v;
    v.name = name;
    v.question = &question;
    v.label = labelOf(question);
    const auto offer = [&](const QString& stored, int code, const QString& label) {
        const QByteArray key = stored.toUtf8();
        if (!v.codeOf.contains(key))
            v.codeOf.insert(key, code);
        if (!label.isEmpty())
            v.valueLabels.append({ code, label });
        v.nextCode = qMax(v.nextCode, code + 1);
    };
    switch (question.kind) {
    case ElementKind::RadioButtons:
    case ElementKind::PullDownMenu:
        v.kind = VariableKind::Choice;
        for (int i = 0; i < question.attribute6List.size(); ++i)
            offer(question.attribute6List.at(i), i + 1, question.attribute6List.at(i));
        break;
    case ElementKind::Grid:
        // A statement of a grid: its answers in order, 1 to N.
        v.kind = VariableKind::Choice;
        v.ordinal = true;
        for (int i = 0; i < question.attribute6List.size(); ++i)
            offer(question.attribute6List.at(i), i + 1, question.attribute6List.at(i));
        break;
    case ElementKind::Ranking:
        // An option of a ranking: its place, a number whose order means something.
        v.kind = VariableKind::Number;
        v.ordinal = true;
        break;
    case ElementKind::CheckBox:
        v.kind = VariableKind::Box;
        offer(checkedAnswer(), 1, checkedAnswer());
        offer(notCheckedAnswer(), 0, notCheckedAnswer());
        v.nextCode = 2;
        break;
    case ElementKind::Scale: {
        v.kind = VariableKind::Scale;
        const ScaleQuestion scale = scaleOf(question);
        for (int n = scale.from; n <= scale.to; ++n) {
            const QString label = n == scale.from ? scale.lowLabel
                : n == scale.to                   ? scale.highLabel
                                                  : QString();
            offer(QString::number(n), n, label);
        }
        break;
    }
    case ElementKind::TextField:
        switch (questionSettingsOf(question).rules.kind) {
        case AnswerKind::WholeNumber:
        case AnswerKind::Number:
            v.kind = VariableKind::Number;
            break;
        case AnswerKind::Date:
            v.kind = VariableKind::Date;
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return v;
}

bool isCoded(const Variable& v)
{
    return v.kind == VariableKind::Choice || v.kind == VariableKind::Box || v.kind == VariableKind::Scale;
}

/// The code of a stored answer; one not offered today gets the next free
/// code, labelled with its text (a scale's own number where that is free).
int codeFor(Variable& v, QByteArrayView answer, bool label)
{
    // Looked up without copying the answer: this runs for every cell.
    if (const auto found = v.codeOf.constFind(QByteArray::fromRawData(answer.data(), answer.size()));
        found != v.codeOf.constEnd())
        return *found;
    const QByteArray key = answer.toByteArray();
    int code = v.nextCode;
    if (v.kind == VariableKind::Scale) {
        if (const auto number = numberIn(answer); number && *number == std::floor(*number) && *number > -1e6
            && *number < 1e6 && !v.counts.contains(int(*number))) {
            bool used = false;
            for (const int c : std::as_const(v.codeOf))
                used = used || c == int(*number);
            if (!used)
                code = int(*number);
        }
    }
    v.codeOf.insert(key, code);
    v.nextCode = qMax(v.nextCode, code + 1);
    if (label)
        v.valueLabels.append({ code, QString::fromUtf8(answer) });
    return code;
}

/// What each variable's answers hold, learnt from each answer in turn; the
/// answer's code where the variable is coded.
int survey(Variable& v, QByteArrayView answer)
{
    ++v.answers;
    v.longest = qMax(v.longest, answer.size());
    if (isCoded(v)) {
        const int code = codeFor(v, answer, true);
        ++v.counts[code];
        return code;
    }
    std::optional<double> value;
    if (v.kind == VariableKind::Number)
        value = numberIn(answer);
    else if (v.kind == VariableKind::Date)
        value = dateIn(answer) ? std::optional(0.0) : std::nullopt;
    else
        return 0;
    if (!value) {
        v.typedAsText = true;
        return 0;
    }
    if (v.kind == VariableKind::Number) {
        v.lowest = qMin(v.lowest.value_or(*value), *value);
        v.highest = qMax(v.highest.value_or(*value), *value);
    }
    return 0;
}

/// Text cut to at most `bytes` bytes of UTF-8, and `characters` characters, never inside one.
QByteArray fitted(const QString& text, qsizetype bytes, qsizetype characters = -1)
{
    QByteArray utf8 = text.toUtf8();
    qsizetype cut = 0;
    qsizetype count = 0;
    for (qsizetype i = 0; i <= utf8.size(); ++i) {
        if (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue;
        if (i > bytes || (characters >= 0 && count > characters))
            break;
        cut = i;
        ++count;
    }
    utf8.truncate(cut);
    return utf8;
}

// What the formats hold.
struct Limits {
    qsizetype variableLabelBytes, variableLabelCharacters, valueLabelBytes, fileLabelBytes,
        fileLabelCharacters;
    qsizetype stringBytes; // longer strings: SPSS cuts, Stata keeps them as strL
};
constexpr Limits kSavLimits { 255, -1, 120, 64, -1, 32767 };
constexpr Limits kDtaLimits { 320, 80, 32000, 320, 80, 2045 };

/// Seconds (SPSS, from 1582-10-14) or days and milliseconds (Stata, from 1960-01-01).
double dateValue(QDate date, bool sav)
{
    static const QDate savEpoch(1582, 10, 14);
    static const QDate dtaEpoch(1960, 1, 1);
    return sav ? double(savEpoch.daysTo(date)) * 86400.0 : double(dtaEpoch.daysTo(date));
}
double dateTimeValue(const QDateTime& time, bool sav)
{
    const QDateTime utc = time.toUTC();
    const double seconds = double(utc.time().msecsSinceStartOfDay()) / 1000.0;
    if (sav)
        return dateValue(utc.date(), true) + std::floor(seconds);
    return (dateValue(utc.date(), false) * 86400.0 + std::floor(seconds)) * 1000.0;
}

/// Where the writer's bytes go: the export's file, a megabyte at a time.
struct Sink {
    ExportFile* file = nullptr;
    QByteArray buffer;
    std::optional<Error> failure;

    bool flush()
    {
        if (!failure && !buffer.isEmpty()) {
            if (const Result<void> written = file->write(buffer); !written)
                failure = written.error();
        }
        buffer.resize(0);
        return !failure;
    }
    // Where the Stata file's sections start, as written: readstat writes the
    // file's map before the rows and counts only the long strings known then,
    // so the map is put right afterwards (see fixStataMap).
    qint64 total = 0;
    qint64 map = -1, strlsEnd = -1, valueLabels = -1, end = -1;

    static ssize_t write(const void* data, size_t size, void* context)
    {
        auto* sink = static_cast<Sink*>(context);
        const QByteArrayView bytes(static_cast<const char*>(data), qsizetype(size));
        if (bytes == "<map>" && sink->map < 0)
            sink->map = sink->total;
        else if (bytes == "</strls>")
            sink->strlsEnd = sink->total;
        else if (bytes == "<value_labels>" && sink->strlsEnd >= 0 && sink->valueLabels < 0)
            sink->valueLabels = sink->total;
        else if (bytes == "</stata_dta>")
            sink->end = sink->total;
        sink->total += qint64(size);
        sink->buffer.append(static_cast<const char*>(data), qsizetype(size));
        if (sink->buffer.size() >= (1 << 20) && !sink->flush())
            return -1;
        return ssize_t(size);
    }
};

/// Puts the offsets of the value labels, the end tag and the end of the file
/// right in a Stata file's map (entries 11 to 13, after "<map>").
Result<void> fixStataMap(const QByteArray& fileName, const Sink& sink)
{
    if (sink.map < 0 || sink.valueLabels < 0 || sink.end < 0)
        return Error { Error::Io, u"the Stata file's sections were not found"_s };
    QFile file(QFile::decodeName(fileName));
    const auto put = [&](int entry, qint64 value) {
        const quint64 little = qToLittleEndian(quint64(value));
        return file.seek(sink.map + 5 + 8 * entry)
            && file.write(reinterpret_cast<const char*>(&little), 8) == 8;
    };
    if (!file.open(QIODevice::ReadWrite) || !put(11, sink.valueLabels) || !put(12, sink.end)
        || !put(13, sink.total) || !file.flush())
        return Error { Error::Io, file.errorString() };
    return {};
}

struct WriterFree {
    void operator()(readstat_writer_t* writer) const { readstat_writer_free(writer); }
};

QString kindText(const Variable& v)
{
    const FormMethod& q = *v.question;
    QString text = storedName(q.kind);
    if (q.kind == ElementKind::TextField)
        text += u" ("_s + answerKindName(questionSettingsOf(q).rules.kind) + u")"_s;
    if (v.typedAsText)
        text += u", exported as text: some answers are not of that kind"_s;
    return text;
}

QString html(const QString& text)
{
    return text.toHtmlEscaped();
}

QByteArray codebookPage(const StatisticsForm& form, const QList<Variable>& variables, qint64 rows)
{
    QString page = u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"_s
        + html(form.title) + u" – codebook</title>\n<style>\n"_s
        + u"body{font-family:sans-serif;margin:2em;max-width:60em}\n"
          "section{break-inside:avoid;page-break-inside:avoid;border-top:1px solid #999;padding:.5em 0}\n"
          "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:.2em .6em;text-align:left}\n"
          "td.n{text-align:right}dt{font-weight:bold;float:left;width:10em;clear:left}dd{margin-left:11em}\n"
          "h2{overflow-wrap:anywhere}@media print{body{margin:0}}\n</style>\n</head>\n<body>\n<main>\n<h1>"_s
        + html(form.title) + u"</h1>\n<p>Codebook of the answers: "_s + QString::number(rows)
        + u" answers, "_s + QString::number(variables.size()) + u" questions.</p>\n"_s;
    for (const Variable& v : variables) {
        const FormMethod& q = *v.question;
        const QuestionSettings settings = questionSettingsOf(q);
        page += u"<section>\n<h2>"_s + html(v.name) + u"</h2>\n<dl>\n"_s;
        const auto item = [&](const QString& term, const QString& value) {
            page += u"<dt>"_s + html(term) + u"</dt><dd>"_s + html(value) + u"</dd>\n"_s;
        };
        item(u"Label"_s, v.label);
        item(u"Kind"_s, kindText(v));
        item(u"Required"_s, settings.rules.required ? u"yes"_s : u"no"_s);
        if (!settings.rules.minimum.isEmpty())
            item(u"At least"_s, settings.rules.minimum);
        if (!settings.rules.maximum.isEmpty())
            item(u"At most"_s, settings.rules.maximum);
        if (!settings.condition.always())
            item(u"Asked only if"_s,
                u"“%1” is answered “%2”"_s.arg(settings.condition.question, settings.condition.answer));
        item(u"Answers"_s, QString::number(v.answers));
        if (v.kind == VariableKind::Number && !v.typedAsText && v.lowest)
            item(u"Range of answers"_s,
                u"%1 to %2"_s.arg(QString::number(*v.lowest, 'g', 15), QString::number(*v.highest, 'g', 15)));
        if (isCoded(v)) {
            page += u"</dl>\n<table>\n<tr><th>Value</th><th>Label</th><th>Answers</th></tr>\n"_s;
            QList<std::pair<int, QString>> values = v.valueLabels;
            // A scale's numbers between its ends have no label but are values all the same.
            if (v.kind == VariableKind::Scale) {
                const ScaleQuestion scale = scaleOf(q);
                for (int n = scale.from + 1; n < scale.to; ++n)
                    values.append({ n, QString() });
            }
            std::stable_sort(values.begin(), values.end(), [&](const auto& a, const auto& b) {
                return v.kind != VariableKind::Choice && a.first < b.first;
            });
            for (const auto& [code, label] : values) {
                page += u"<tr><td class=\"n\">"_s + QString::number(code) + u"</td><td>"_s + html(label)
                    + u"</td><td class=\"n\">"_s + QString::number(v.counts.value(code)) + u"</td></tr>\n"_s;
            }
            page += u"</table>\n"_s;
        } else {
            page += u"</dl>\n"_s;
        }
        page += u"</section>\n"_s;
    }
    page += u"</main>\n</body>\n</html>\n"_s;
    return page.toUtf8();
}

Error failure(const QString& why)
{
    return Error { Error::Io, why };
}

/// The rows between the one walk over the answers and the writer, which
/// wants every variable described before the first row: each row as the
/// writer takes it (times as the format counts them, a code for a coded
/// answer, the bytes of any other), in a file without a name (gone when
/// closed, whatever happens to the program) beside the export's file, so
/// that memory stays the same however many answers there are.
class RowSpool final
{
public:
    RowSpool() = default;
    ~RowSpool()
    {
        if (m_file >= 0)
            ::close(m_file);
    }
    Q_DISABLE_COPY_MOVE(RowSpool)

    Result<void> open(const QByteArray& folder)
    {
        m_file = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (m_file < 0) // a file system without nameless files: the system's temporary folder
            m_file = ::open(
                QFile::encodeName(QDir::tempPath()).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (m_file < 0)
            return failed();
        m_buffer.resize(size_t(kChunk + 64 * 1024));
        return {};
    }

    // Writing: a row is its length, then its fields. Bytes are copied into
    // the buffer directly: this runs for every cell.
    void beginRow()
    {
        m_rowStart = m_used;
        put(quint32(0));
    }
    void time(const std::optional<double>& value)
    {
        *room(1) = char(value ? 1 : 0);
        if (value)
            put(*value);
    }
    void cell(QByteArrayView bytes)
    {
        put(quint32(bytes.size()));
        if (!bytes.isEmpty())
            std::memcpy(room(bytes.size()), bytes.data(), size_t(bytes.size()));
    }
    void code(qint32 value)
    {
        put(quint32(sizeof value));
        put(value);
    }
    Result<void> endRow()
    {
        const quint32 length = quint32(m_used - m_rowStart - qsizetype(sizeof(quint32)));
        std::memcpy(m_buffer.data() + m_rowStart, &length, sizeof length);
        return m_used >= kChunk ? flush() : Result<void>();
    }
    /// Ends the writing; the rows are read from the first on.
    Result<void> rewind()
    {
        if (const Result<void> flushed = flush(); !flushed)
            return flushed;
        if (::lseek(m_file, 0, SEEK_SET) != 0)
            return failed();
        m_next = 0;
        m_used = 0;
        return {};
    }

    // Reading, after rewind: one row at a time, valid until the next.
    Result<bool> nextRow()
    {
        if (!fill(sizeof(quint32)))
            return failed();
        if (m_used - m_next < qsizetype(sizeof(quint32)))
            return false;
        quint32 length = 0;
        std::memcpy(&length, m_buffer.data() + m_next, sizeof length);
        m_next += qsizetype(sizeof length);
        if (!fill(qsizetype(length)))
            return failed();
        if (m_used - m_next < qsizetype(length))
            return failed(EIO); // cut short: not as written
        m_row = m_next;
        m_next += qsizetype(length);
        return true;
    }
    std::optional<double> takeTime()
    {
        if (m_buffer[size_t(m_row++)] == 0)
            return std::nullopt;
        return take<double>();
    }
    QByteArrayView takeCell()
    {
        const auto length = qsizetype(take<quint32>());
        const QByteArrayView bytes(m_buffer.data() + m_row, length);
        m_row += length;
        return bytes;
    }

private:
    static constexpr qsizetype kChunk = 1 << 20;

    char* room(qsizetype bytes)
    {
        if (m_used + bytes > qsizetype(m_buffer.size()))
            m_buffer.resize(std::max(m_buffer.size() * 2, size_t(m_used + bytes)));
        char* at = m_buffer.data() + m_used;
        m_used += bytes;
        return at;
    }
    template <typename T> void put(T value) { std::memcpy(room(sizeof value), &value, sizeof value); }
    template <typename T> T take()
    {
        T value;
        std::memcpy(&value, m_buffer.data() + m_row, sizeof value);
        m_row += qsizetype(sizeof value);
        return value;
    }
    static Error failed(int error = errno)
    {
        return Error { Error::Io,
            u"the answers set aside cannot be kept (%1)"_s.arg(
                QString::fromLocal8Bit(std::strerror(error))) };
    }
    Result<void> flush()
    {
        const char* next = m_buffer.data();
        qsizetype left = m_used;
        while (left > 0) {
            const ssize_t written = ::write(m_file, next, size_t(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return failed();
            next += written;
            left -= written;
        }
        m_used = 0;
        return {};
    }
    /// At least `wanted` bytes after the next row's start, or all that is left; false on a failed read.
    bool fill(qsizetype wanted)
    {
        if (m_used - m_next >= wanted)
            return true;
        std::memmove(m_buffer.data(), m_buffer.data() + m_next, size_t(m_used - m_next));
        m_used -= m_next;
        m_next = 0;
        if (qsizetype(m_buffer.size()) < std::max(wanted, kChunk))
            m_buffer.resize(size_t(std::max(wanted, kChunk)));
        while (m_used < qsizetype(m_buffer.size())) {
            const ssize_t got = ::read(m_file, m_buffer.data() + m_used, m_buffer.size() - size_t(m_used));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return false;
            if (got == 0)
                break;
            m_used += got;
        }
        return true;
    }

    int m_file = -1;
    std::vector<char> m_buffer;
    qsizetype m_used
        = 0; // bytes of the buffer in use: written and not yet flushed, or read and not yet taken
    qsizetype m_rowStart = 0; // writing: where the row being written starts
    qsizetype m_next = 0; // reading: where the next row starts in the buffer
    qsizetype m_row = 0; // reading: the next field of the row read
};

} // namespace

ExportResult writeStatistics(const ExportRequest& request, const StatisticsForm& form, const AnswerWalk& walk,
    const ExportFile::Guard& guard)
{
    const bool codebook = request.format == ExportFormat::Codebook;
    const bool sav = request.format == ExportFormat::Sav;
    const QString shown = displayPath(request.outputPath);
    if (request.outputPath.isEmpty() || request.outputPath == u"-"_s)
        return failure(u"This file cannot go to standard output; name it with --output."_s);
    if (QFileInfo(request.outputPath).isDir())
        return failure(u"The file '%1' cannot be written: it is a folder."_s.arg(shown));
    if (!codebook && !sav && form.questions.size() + 2 > kMaxStataVariables)
        return failure(
            u"The form has %1 questions; a Stata file holds at most %2 variables (the answers "
            "need two more for their times). Export it as SPSS or CSV."_s.arg(form.questions.size())
                .arg(kMaxStataVariables));
    ExportFile file(request.outputPath);
    if (const Result<void> opened = file.open(); !opened)
        return opened.error();

    const QStringList names
        = variableNames(form.headings, sav || codebook ? StatisticsFormat::Sav : StatisticsFormat::Dta);
    QList<Variable> variables;
    variables.reserve(form.questions.size());
    for (qsizetype i = 0; i < form.questions.size(); ++i)
        variables.append(variableFor(form.questions.at(i), names.at(i + 2)));

    // One walk: the codes of answers no longer offered, string widths and
    // counts are learnt while the rows are set aside as the writer takes them.
    RowSpool spool;
    if (!codebook) {
        if (const Result<void> opened = spool.open(file.folderName()); !opened)
            return failure(u"The file '%1' cannot be written: %2."_s.arg(shown, opened.error().detail));
    }
    const Result<qint64> surveyed = walk(
        [&](const std::optional<QDateTime>& arrived, const std::optional<QDateTime>& change,
            std::span<const std::optional<QByteArrayView>> cells) -> Result<void> {
            if (codebook) {
                for (qsizetype i = 0; i < variables.size(); ++i) {
                    if (cells[size_t(i)] && !cells[size_t(i)]->isEmpty())
                        survey(variables[i], *cells[size_t(i)]);
                }
                return {};
            }
            spool.beginRow();
            for (const std::optional<QDateTime>& when : { arrived, change })
                spool.time(when && when->isValid() ? std::optional(dateTimeValue(*when, sav)) : std::nullopt);
            for (qsizetype i = 0; i < variables.size(); ++i) {
                const std::optional<QByteArrayView>& cell = cells[size_t(i)];
                if (!cell || cell->isEmpty()) {
                    spool.cell({});
                    continue;
                }
                Variable& v = variables[i];
                const int code = survey(v, *cell);
                if (isCoded(v))
                    spool.code(code);
                else
                    spool.cell(*cell);
            }
            if (const Result<void> kept = spool.endRow(); !kept)
                return failure(u"The file '%1' cannot be written: %2."_s.arg(shown, kept.error().detail));
            return {};
        },
        0, 1);
    if (!surveyed)
        return surveyed.error();
    const qint64 rows = *surveyed;
    QStringList notes;

    if (codebook) {
        if (const Result<void> written = file.write(codebookPage(form, variables, rows)); !written)
            return written.error();
        if (const Result<void> committed = file.commit(guard); !committed)
            return committed.error();
        return Exported { rows, notes };
    }
    if (rows > std::numeric_limits<int>::max())
        return failure(
            u"The form has more answers than one file holds (%1)."_s.arg(std::numeric_limits<int>::max()));

    const Limits limits = sav ? kSavLimits : kDtaLimits;
    std::unique_ptr<readstat_writer_t, WriterFree> writer(readstat_writer_init());
    Sink sink { &file, {}, std::nullopt };
    sink.buffer.reserve((1 << 20) + 64 * 1024);
    readstat_set_data_writer(writer.get(), &Sink::write);
    if (!sav)
        readstat_writer_set_file_format_version(writer.get(), 118);
    if (sav)
        readstat_writer_set_compression(writer.get(), READSTAT_COMPRESS_ROWS);
    readstat_writer_set_file_label(
        writer.get(), fitted(form.title, limits.fileLabelBytes, limits.fileLabelCharacters).constData());

    qsizetype cutLabels = 0;
    const auto labelOfVariable = [&](const QString& label) {
        const QByteArray fit = fitted(label, limits.variableLabelBytes, limits.variableLabelCharacters);
        cutLabels += fit.size() < label.toUtf8().size() ? 1 : 0;
        return fit;
    };
    const auto timeVariable = [&](const QString& name, const QString& label) {
        readstat_variable_t* v
            = readstat_add_variable(writer.get(), name.toUtf8().constData(), READSTAT_TYPE_DOUBLE, 0);
        readstat_variable_set_label(v, label.toUtf8().constData());
        readstat_variable_set_format(v, sav ? "DATETIME20" : "%tc");
        readstat_variable_set_measure(v, READSTAT_MEASURE_SCALE);
        return v;
    };
    readstat_variable_t* submitted = timeVariable(names.at(0), u"Submitted"_s);
    readstat_variable_t* changed = timeVariable(names.at(1), u"Changed"_s);
    qsizetype cutAnswers = 0;
    for (Variable& v : variables) {
        const QByteArray name = v.name.toUtf8();
        if (isCoded(v)) {
            v.labels = readstat_add_label_set(writer.get(), READSTAT_TYPE_INT32, name.constData());
            for (const auto& [code, label] : std::as_const(v.valueLabels))
                readstat_label_int32_value(v.labels, code, fitted(label, limits.valueLabelBytes).constData());
            v.variable = readstat_add_variable(writer.get(), name.constData(), READSTAT_TYPE_INT32, 0);
            readstat_variable_set_label_set(v.variable, v.labels);
            readstat_variable_set_measure(v.variable,
                v.kind == VariableKind::Scale || v.ordinal ? READSTAT_MEASURE_ORDINAL
                                                           : READSTAT_MEASURE_NOMINAL);
        } else if ((v.kind == VariableKind::Number || v.kind == VariableKind::Date) && !v.typedAsText) {
            v.variable = readstat_add_variable(writer.get(), name.constData(), READSTAT_TYPE_DOUBLE, 0);
            if (v.kind == VariableKind::Date)
                readstat_variable_set_format(v.variable, sav ? "DATE11" : "%td");
            else if (questionSettingsOf(*v.question).rules.kind == AnswerKind::WholeNumber || v.ordinal)
                readstat_variable_set_format(v.variable, sav ? "F8.0" : "%12.0g");
            readstat_variable_set_measure(
                v.variable, v.ordinal ? READSTAT_MEASURE_ORDINAL : READSTAT_MEASURE_SCALE);
        } else {
            const bool strL = !sav && v.longest > limits.stringBytes;
            if (sav && v.longest > limits.stringBytes)
                ++cutAnswers;
            v.variable = readstat_add_variable(writer.get(), name.constData(),
                strL ? READSTAT_TYPE_STRING_REF : READSTAT_TYPE_STRING,
                size_t(strL ? 0 : qBound(qsizetype(1), v.longest, limits.stringBytes)));
            readstat_variable_set_measure(v.variable, READSTAT_MEASURE_NOMINAL);
            v.typedAsText = true;
        }
        readstat_variable_set_label(v.variable, labelOfVariable(v.label).constData());
    }

    const auto begun = sav ? readstat_begin_writing_sav(writer.get(), &sink, long(rows))
                           : readstat_begin_writing_dta(writer.get(), &sink, long(rows));
    const auto notWritten = [&](readstat_error_t error) -> Error {
        if (sink.failure)
            return *sink.failure;
        return failure(u"The file '%1' cannot be written: %2."_s.arg(
            shown, QString::fromUtf8(readstat_error_message(error))));
    };
    if (begun != READSTAT_OK)
        return notWritten(begun);

    // The rows, as set aside.
    if (const Result<void> rewound = spool.rewind(); !rewound)
        return failure(u"The file '%1' cannot be written: %2."_s.arg(shown, rewound.error().detail));
    qint64 written = 0;
    std::string text;
    readstat_string_ref_t* empty = nullptr;
    for (;;) {
        const Result<bool> next = spool.nextRow();
        if (!next)
            return failure(u"The file '%1' cannot be written: %2."_s.arg(shown, next.error().detail));
        if (!*next)
            break;
        readstat_error_t error = readstat_begin_row(writer.get());
        for (readstat_variable_t* variable : { submitted, changed }) {
            const std::optional<double> when = spool.takeTime();
            if (error == READSTAT_OK)
                error = when ? readstat_insert_double_value(writer.get(), variable, *when)
                             : readstat_insert_missing_value(writer.get(), variable);
        }
        for (qsizetype i = 0; i < variables.size() && error == READSTAT_OK; ++i) {
            const Variable& v = variables[i];
            const QByteArrayView cell = spool.takeCell();
            if (cell.isEmpty()) {
                // No answer: system missing, or an empty string (one, shared by every strL).
                if (!v.typedAsText || isCoded(v))
                    error = readstat_insert_missing_value(writer.get(), v.variable);
                else if (readstat_variable_get_type(v.variable) == READSTAT_TYPE_STRING)
                    error = readstat_insert_string_value(writer.get(), v.variable, "");
                else
                    error = readstat_insert_string_ref(writer.get(), v.variable,
                        empty ? empty : (empty = readstat_add_string_ref(writer.get(), "")));
            } else if (isCoded(v)) {
                qint32 code = 0;
                std::memcpy(&code, cell.data(), sizeof code);
                error = readstat_insert_int32_value(writer.get(), v.variable, code);
            } else if (!v.typedAsText && v.kind == VariableKind::Number) {
                const auto number = numberIn(cell);
                error = number ? readstat_insert_double_value(writer.get(), v.variable, *number)
                               : readstat_insert_missing_value(writer.get(), v.variable);
            } else if (!v.typedAsText && v.kind == VariableKind::Date) {
                const auto date = dateIn(cell);
                error = date ? readstat_insert_double_value(writer.get(), v.variable, dateValue(*date, sav))
                             : readstat_insert_missing_value(writer.get(), v.variable);
            } else {
                const qsizetype keep = sav ? qMin(cell.size(), limits.stringBytes) : cell.size();
                qsizetype cut = keep;
                while (cut < cell.size() && cut > 0 && (static_cast<unsigned char>(cell[cut]) & 0xC0) == 0x80)
                    --cut;
                text.assign(cell.data(), size_t(cut));
                if (readstat_variable_get_type(v.variable) == READSTAT_TYPE_STRING_REF) {
                    readstat_string_ref_t* ref = readstat_add_string_ref(writer.get(), text.c_str());
                    error = readstat_insert_string_ref(writer.get(), v.variable, ref);
                } else {
                    error = readstat_insert_string_value(writer.get(), v.variable, text.c_str());
                }
            }
        }
        if (error == READSTAT_OK)
            error = readstat_end_row(writer.get());
        if (error != READSTAT_OK)
            return notWritten(error);
        ++written;
    }
    if (written != rows)
        return failure(
            u"The file '%1' cannot be written: the answers set aside were not read back whole."_s.arg(shown));
    if (const readstat_error_t ended = readstat_end_writing(writer.get()); ended != READSTAT_OK)
        return notWritten(ended);
    if (!sink.flush())
        return *sink.failure;
    if (!sav) {
        if (const Result<void> fixed = fixStataMap(file.fileName(), sink); !fixed)
            return failure(u"The file '%1' cannot be written: %2."_s.arg(shown, fixed.error().detail));
    }
    if (const Result<void> committed = file.commit(guard); !committed)
        return committed.error();
    if (cutLabels > 0)
        notes.append(u"%1 question texts were longer than a variable label holds and were cut there; the "
                     "codebook has them whole."_s.arg(cutLabels));
    if (cutAnswers > 0)
        notes.append(u"Answers of %1 questions were longer than an SPSS string holds (%2 bytes) and were cut "
                     "there."_s.arg(cutAnswers)
                         .arg(limits.stringBytes));
    return Exported { written, notes };
}

} // namespace exporting

} // namespace quenlow
