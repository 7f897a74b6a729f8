// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswersStore.h"
#include "model/AnswerRules.h"

#include <QString>
#include <QStringList>

#include <QImage>
#include <QList>

#include <functional>
#include <optional>

class QWidget;

namespace quenlow {

class FormSession;
class MethodCollection;
struct FormMethod;

/// Where a report goes and what it reads: the document named in
/// WordDocumentName in the Reports folder, and the open form's answers table.
struct ReportTarget {
    QString reportsFolder;
    QString databasePath;
    QString formName;
    QString documentName;

    static ReportTarget of(const FormSession& session, const QString& documentName);
    QString documentPath() const { return reportsFolder + documentName; }
    QString tableName() const { return AnswersStore::tableFor(formName); }
};

/// "Create New Report": a new document holding the title line, saved under
/// the report path. Asks before replacing an existing document (No changes
/// nothing). Returns true when the document was written.
bool createReport(const ReportTarget& target);

enum class ExportOutcome {
    Completed, // the table was added and shown; the report lists are to be emptied
    Refused, // nothing to export (no fields, no answers, no database); message shown
    Failed, // the failure message was shown; the document is unchanged
    Cancelled, // the user stopped a long export; the document is unchanged
};

/// "Add above Table To Word Report": appends a title line and a table of
/// every answer in `fields` (column names) to the report, shows it, and on
/// closing asks whether to save it. `wholeTable` picks the title for a table
/// of every field. `exported` runs once the table is in the document, before
/// the save question (the reporter empties its lists there). Long exports
/// show a progress window whose Cancel leaves the document as it was.
ExportOutcome addTableToReport(const ReportTarget& target, const QStringList& fields, bool wholeTable,
    QWidget* parent, const std::function<void()>& exported = {});

/// "Add above text to Word Report": appends `text` (12 pt) and an empty
/// paragraph, shows the document and asks whether to save it. False when the
/// document could not be opened (message shown).
bool addTextToReport(const ReportTarget& target, const QString& text, QWidget* parent);

/// "Add Chart to Report": appends the chart's title line and `chart` as a
/// picture at the end of the report, shows it and asks whether to save it.
/// False when the document could not be opened (message shown).
bool addChartToReport(const ReportTarget& target, const QString& title, const QImage& chart, QWidget* parent);

/// One question's summary: for a choice question its options and how many
/// answers chose each; for a number question (a scale is both) the count,
/// mean, median and ends of the answers that are numbers.
struct ChoiceSummary {
    QString question;
    bool countsOptions = false;
    QStringList options;
    QList<qint64> counts;
    qint64 answers = 0; // all answers of the form, the base of the percentages
    bool ticksPerBox = false; // check boxes asked as one question: an answer may tick several
    bool numeric = false;
    std::optional<NumberSummary> numbers; // none when no answer is a number
    /// A grid: its statements, and by statement how many answers chose each
    /// of `options` (the grid's answers); a table of statements by answers.
    QStringList gridRows {};
    QList<QList<qint64>> gridCounts {};
    /// A ranking: its options are `gridRows`, and by option how many answers
    /// gave it each place (1 first); a table of mean places and firsts.
    bool ranking = false;
};

/// Whether the summary covers the question: check boxes, radio buttons,
/// menus, scales and text fields that take numbers. Check boxes asked as one
/// question are summarised together too, before their boxes one by one.
bool isSummarised(const FormMethod& method);

/// The summaries of every question `isSummarised` covers, in the form's
/// order; nothing, after a message, when the table cannot be read.
std::optional<QList<ChoiceSummary>> summariseChoices(
    const ReportTarget& target, const MethodCollection& collection);

/// "Add Summary to Report": for every question summarised a title line, for a
/// choice question a table of option, count and percentage of all answers
/// (answers that chose none of the options are one more row), for a number
/// question a table of count, mean, median, minimum and maximum; then the
/// preview and the save question.
bool addSummaryToReport(const ReportTarget& target, const MethodCollection& collection, QWidget* parent);

/// Test hook: how long an export runs before its progress window shows
/// (milliseconds; negative restores the default).
void setExportProgressDelayForTesting(int milliseconds);
/// How long an export runs before its progress window shows (milliseconds).
int exportProgressDelay();

} // namespace quenlow
