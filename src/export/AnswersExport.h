// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quenlow {

class AnswersStore;

/// Sav and Dta: SPSS and Stata files with variable and value labels;
/// Codebook: an HTML page describing each question's variable.
enum class ExportFormat { Csv, Xlsx, Sav, Dta, Codebook };

/// What to export and where to. An empty `outputPath` or "-" writes CSV to
/// standard output.
struct ExportRequest {
    QString appFolder;
    QString pageFile; // "NAME.html"
    ExportFormat format = ExportFormat::Csv;
    QString outputPath;
    bool byteOrderMark = true; // CSV only
    /// CSV only: a "'" before cells that start like a formula (= + - @, tab,
    /// CR), for files that go straight into a spreadsheet. Off by default, as
    /// it changes the answers.
    bool escapeFormulas = false;
    QString answersStore; // empty: the program folder's
};

/// What an export wrote.
struct Exported {
    qint64 rows = 0;
    QStringList notes; // things worth knowing that did not stop the export
};
/// Cancelled when the progress callback stopped it; otherwise a failure's
/// detail is a whole sentence, for the person.
using ExportResult = Result<Exported>;

/// Called every few thousand answers with the answers written and the total;
/// returning false cancels (no file is left behind).
using ExportProgress = std::function<bool(qint64 done, qint64 total)>;

/// Writes one row per answer of the form's table, in stored order: the columns
/// "Submitted", "Changed" (when the same page sent again replaced the
/// answers) and "Receipt" (the one the person was given; a text cell), then
/// one column per question in the form's order, headed by
/// its column name. The file appears whole or not at all. In a workbook the
/// answers of text fields that take numbers and of scales are number cells,
/// those of text fields that take dates date cells, where the answer is
/// stored in that spelling; every other answer, and every CSV field, is text.
ExportResult exportAnswers(const ExportRequest& request, const ExportProgress& progress = {});

/// The arrival time of the answer in `rowId`, when the store recorded one
/// (answers stored before arrival times were kept have none).
std::optional<QDateTime> arrivalTimeOf(AnswersStore& store, const QString& table, qint64 rowId);

/// Appends `field` (UTF-8) to `out` as one CSV field: quoted when it holds a
/// comma, quote, CR or LF, with quotes doubled.
void appendCsvField(QByteArray& out, const char* field, qsizetype size, bool escapeFormula = false);

/// Writes `bytes` made elsewhere (printed cards) as the file
/// `request.outputPath`, in the places the exports may write and as they
/// write: whole or not at all. A failure's detail is a whole sentence.
Result<void> writeExportOutput(const ExportRequest& request, QByteArrayView bytes);

} // namespace quenlow
