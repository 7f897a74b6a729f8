// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ReportDocuments.h"

#include "core/Messages.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/FormSession.h"
#include "model/MethodCollection.h"
#include "model/OwnedColumns.h"
#include "model/QuestionSettings.h"
#include "platform/OutcomeMessages.h"
#include "platform/WordDocument.h"
#include "reporter/ChartCounts.h"
#include "reporter/ReporterTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

/// The translation context of what the report additions say and write.
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(ReportDocuments)
};

constexpr int kDefaultProgressDelay = 500;
int g_progressDelay = kDefaultProgressDelay;

// How many answers are typed between two looks at the progress window.
constexpr int kProgressStep = 256;

WordFont font(bool bold, bool italic, double size, WordUnderline underline)
{
    WordFont f;
    f.bold = bold;
    f.italic = italic;
    f.size = size;
    f.underline = underline;
    return f;
}

QString createdMessage(const ReportTarget& target)
{
    return Texts::tr("The new word document '%1' has been created in %2")
        .arg(target.documentName, target.reportsFolder);
}

QString createFailedMessage(const ReportTarget& target)
{
    return Texts::tr(
        "The word document '%1' already exists and is currently open. Enter another filename for "
        "the word document.")
        .arg(target.documentName);
}

QString replaceQuestion(const ReportTarget& target)
{
    return Texts::tr(
        "The word document '%1' already exists in %2. Do you want to replace it with a new report?")
        .arg(target.documentName, target.reportsFolder);
}

/// Ends work on a report document as closing it in the word processor did: a
/// changed one is saved when the person says Yes, and a save that failed is said.
void quitAsking(WordDocument& document)
{
    auto changes = WordDocument::Changes::Discard;
    if (document.isOpen() && document.isModified()
        && askYesNo(Texts::tr("Do you want to save the changes to '%1'?").arg(document.displayName())))
        changes = WordDocument::Changes::Save;
    if (const DocumentResult quit = document.quit(changes); !quit)
        showExclamation(documentProblemText(quit.error()));
}

/// The failure of an addition. A document that is there but cannot be opened
/// (say, saved in a format we cannot read) is reported with its reason: being
/// told to create a document that exists would only mislead.
void showAddFailure(const ReportTarget& target, const QString& what, const DocumentResult& opened = {})
{
    const QFileInfo file(target.documentPath());
    if (!opened.ok() && file.isFile()) {
        showExclamation(documentProblemText(opened.error()));
        return;
    }
    showExclamation(
        Texts::tr("The word document '%1' that you wish to export the %2 to cannot be found.The "
                  "document must first be created by defining its name and pressing the 'Create New "
                  "Report' button.")
            .arg(target.documentName, what));
}

enum class RowsTyped { Done, Failed, Cancelled };

/// Step 9 of the table export: one row of cells per answer, in storage order.
RowsTyped typeAnswerRows(WordDocument& document, AnswersStore& store, const QString& table,
    const QStringList& fields, qint64 answerCount, QWidget* parent)
{
    // Read in pages, so a large table never sits in memory whole.
    constexpr qint64 kPage = 1000;
    auto rows = store.readRows(table, fields, -1, kPage);
    if (!rows)
        return RowsTyped::Failed;

    QProgressDialog progress(Texts::tr("Adding the table of answers to the word document…"),
        Texts::tr("Cancel"), 0, int(qMin<qint64>(answerCount, std::numeric_limits<int>::max())), parent);
    progress.setObjectName(u"ExportProgress"_s);
    progress.setWindowTitle(Messages::title());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(g_progressDelay);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    qint64 typed = 0;
    for (;;) {
        for (const AnswersStore::Row& row : *rows) {
            // An unanswered question is an empty cell, not a failed export.
            for (const QVariant& value : row.values) {
                document.typeText(value.toString());
                document.moveRight();
            }
            if (++typed % kProgressStep == 0) {
                progress.setValue(int(qMin<qint64>(typed, progress.maximum())));
                if (progress.wasCanceled())
                    return RowsTyped::Cancelled;
            }
        }
        if (rows->size() < kPage)
            break;
        rows = store.readRows(table, fields, rows->constLast().id, kPage);
        if (!rows)
            return RowsTyped::Failed;
    }
    progress.hide();
    return RowsTyped::Done;
}

} // namespace

ReportTarget ReportTarget::of(const FormSession& session, const QString& documentName)
{
    return { session.reportsFolder(), session.databasePath(), session.openFormName(), documentName };
}

bool createReport(const ReportTarget& target)
{
    WordDocument document;
    document.newDocument();
    document.setFont(font(true, true, 25, WordUnderline::Single));
    document.typeText(Texts::tr("%1 Report").arg(target.formName));
    document.setUnderline(WordUnderline::None);
    document.setSize(10);

    // A report may hold hours of work: never replace one without asking.
    if (QFileInfo(target.documentPath()).isFile() && !askBeforeDestroying(replaceQuestion(target)))
        return false;
    if (!document.saveAs(target.documentPath())) {
        // The unsaved document goes with `document`; nothing stays behind.
        showExclamation(createFailedMessage(target));
        return false;
    }
    quitAsking(document);
    showInformation(createdMessage(target));
    return true;
}

ExportOutcome addTableToReport(const ReportTarget& target, const QStringList& fields, bool wholeTable,
    QWidget* parent, const std::function<void()>& exported)
{
    const QString table = target.tableName();
    auto store = openAnswersStore(target.databasePath);
    if (!store) {
        showExclamation(reporter::databaseUnavailable(target.databasePath, store.error().detail));
        return ExportOutcome::Refused;
    }

    WordDocument document;
    if (fields.isEmpty()) {
        showExclamation(Texts::tr(
            "You must first add the desired fields you wish to have in the report table to the list box "
            "'Fields in Table to be added to report'."));
        return ExportOutcome::Refused;
    }
    const Result<qint64> counted = (*store)->rowCount(table);
    if (!counted) {
        showExclamation(reporter::tableUnreadable(table, counted.error().detail));
        return ExportOutcome::Refused;
    }
    const qint64 answers = *counted;
    if (answers == 0) {
        showExclamation(
            Texts::tr("The table '%1' that you wish to export to word document '%2' has no data in it.")
                .arg(table, target.documentName));
        return ExportOutcome::Refused;
    }

    if (const DocumentResult opened = document.open(target.documentPath()); !opened) {
        showAddFailure(target, Texts::tr("table"), opened);
        return ExportOutcome::Failed;
    }
    document.setFont(font(true, true, 14, WordUnderline::None));
    document.typeText(
        (wholeTable ? Texts::tr("Database table '%1'.") : Texts::tr("Excerpt from database table '%1'."))
            .arg(table));
    document.addTable(1, int(fields.size()));
    for (const QString& field : fields) {
        document.setFont(font(false, false, 9, WordUnderline::None));
        document.typeText(field);
        document.moveRight();
    }
    switch (typeAnswerRows(document, **store, table, fields, answers, parent)) {
    case RowsTyped::Done:
        break;
    case RowsTyped::Failed:
        showAddFailure(target, Texts::tr("table"));
        return ExportOutcome::Failed;
    case RowsTyped::Cancelled:
        showInformation(
            Texts::tr("The table has not been added to the word document '%1'.").arg(target.documentName));
        return ExportOutcome::Cancelled;
    }
    store = Error {}; // closed before the document is shown

    showInformation(Texts::tr(
        "If the added table is as desired Save and Close the document before adding another item."));
    document.visible(parent);
    if (exported)
        exported();
    quitAsking(document);
    return ExportOutcome::Completed;
}

bool addTextToReport(const ReportTarget& target, const QString& text, QWidget* parent)
{
    WordDocument document;
    if (const DocumentResult opened = document.open(target.documentPath()); !opened) {
        showAddFailure(target, Texts::tr("text"), opened);
        return false;
    }
    document.setFont(font(false, false, 12, WordUnderline::None));
    document.typeText(text);
    document.typeParagraph();
    document.typeParagraph();
    showInformation(
        Texts::tr("If the added text is as desired Save and Close the document before adding another item."));
    document.visible(parent);
    quitAsking(document);
    return true;
}

bool addChartToReport(const ReportTarget& target, const QString& title, const QImage& chart, QWidget* parent)
{
    WordDocument document;
    if (const DocumentResult opened = document.open(target.documentPath()); !opened) {
        showAddFailure(target, Texts::tr("chart"), opened);
        return false;
    }
    document.setFont(font(true, false, 12, WordUnderline::None));
    document.typeText(title);
    document.typeParagraph();
    document.addPicture(chart, title);
    document.typeParagraph();
    showInformation(Texts::tr(
        "If the added chart is as desired Save and Close the document before adding another item."));
    document.visible(parent);
    quitAsking(document);
    return true;
}

namespace {

bool countsOptions(const FormMethod& method)
{
    return method.kind == ElementKind::CheckBox || method.kind == ElementKind::RadioButtons
        || method.kind == ElementKind::PullDownMenu || method.kind == ElementKind::Scale
        || method.kind == ElementKind::Grid || method.kind == ElementKind::Ranking;
}

bool isNumberQuestion(const FormMethod& method)
{
    if (method.kind == ElementKind::Scale)
        return true;
    if (method.kind != ElementKind::TextField)
        return false;
    const AnswerKind kind = questionSettingsOf(method).rules.kind;
    return kind == AnswerKind::WholeNumber || kind == AnswerKind::Number;
}

/// Every answer in `column`, in stored order, read a page at a time.
Result<QStringList> answersIn(AnswersStore& store, const QString& table, const QString& column)
{
    constexpr qint64 kPage = 4096;
    QStringList answers;
    for (qint64 after = -1;;) {
        const auto rows = store.readRows(table, { column }, after, kPage);
        if (!rows)
            return rows.error();
        for (const AnswersStore::Row& row : *rows)
            answers.append(row.values.value(0).toString());
        if (rows->size() < kPage)
            return answers;
        after = rows->constLast().id;
    }
}

} // namespace

bool isSummarised(const FormMethod& method)
{
    return countsOptions(method) || isNumberQuestion(method);
}

namespace {

// Adds the answers typed after "Other:" in `column` to the summary, as the
// charts show them; says so and returns false when they cannot be read.
bool addTypedAnswers(AnswersStore& store, const QString& table, const QString& column,
    const QStringList& offered, ChoiceSummary& summary)
{
    const auto typed = countTypedAnswers(
        store, table, column, offered, QCoreApplication::translate("GraphsPage", "Other"));
    if (!typed) {
        showExclamation(reporter::tableUnreadable(table, typed.error().detail));
        return false;
    }
    for (const auto& [answer, count] : *typed) {
        summary.options.append(answer);
        summary.counts.append(count);
    }
    return true;
}

} // namespace

std::optional<QList<ChoiceSummary>> summariseChoices(
    const ReportTarget& target, const MethodCollection& collection)
{
    const auto store = openAnswersStore(target.databasePath);
    if (!store) {
        showExclamation(reporter::databaseUnavailable(target.databasePath, store.error().detail));
        return std::nullopt;
    }
    const QString table = target.tableName();
    const Result<qint64> answers = (*store)->rowCount(table);
    if (!answers) {
        showExclamation(reporter::tableUnreadable(table, answers.error().detail));
        return std::nullopt;
    }
    QList<ChoiceSummary> summaries;
    for (int i = 0; i < collection.count(); ++i) {
        const FormMethod& method = collection.atPosition(i);
        if (const std::optional<CheckBoxGroup> group = checkBoxGroupAt(collection, i)) {
            // How many answers ticked each box of the question.
            const auto ticked = countTicked(**store, table, *group);
            if (!ticked) {
                showExclamation(reporter::tableUnreadable(table, ticked.error().detail));
                return std::nullopt;
            }
            ChoiceSummary summary { group->question, true, group->boxes, *ticked, *answers, true, false, {},
                {}, {} };
            if (!group->otherColumn.isEmpty()
                && !addTypedAnswers(**store, table, group->otherColumn, {}, summary))
                return std::nullopt;
            summaries.append(summary);
        }
        if (!isSummarised(method))
            continue;
        ChoiceSummary summary;
        summary.question = method.userInstruction;
        summary.answers = *answers;
        if (method.kind == ElementKind::Grid || method.kind == ElementKind::Ranking) {
            // Statements by answers: how many chose each answer for each statement
            // (a ranking's options by places).
            summary.ranking = method.kind == ElementKind::Ranking;
            for (const OwnedColumn& row : answerColumnsOf(method)) {
                const auto counts = countAnswers(**store, table, row.name, row.values);
                if (!counts) {
                    showExclamation(reporter::tableUnreadable(table, counts.error().detail));
                    return std::nullopt;
                }
                summary.options = row.values;
                summary.gridRows.append(row.source);
                summary.gridCounts.append(*counts);
            }
            summaries.append(summary);
            continue;
        }
        const QString column = columnNameFor(method.userInstruction);
        if (countsOptions(method)) {
            summary.countsOptions = true;
            summary.options = chartOptions(method);
            const auto counts = countAnswers(**store, table, column, summary.options);
            if (!counts) {
                showExclamation(reporter::tableUnreadable(table, counts.error().detail));
                return std::nullopt;
            }
            summary.counts = *counts;
            if (questionSettingsOf(method).otherAnswer && method.holdsList()
                && !addTypedAnswers(**store, table, column, summary.options, summary))
                return std::nullopt;
        }
        if (isNumberQuestion(method)) {
            const auto values = answersIn(**store, table, column);
            if (!values) {
                showExclamation(reporter::tableUnreadable(table, values.error().detail));
                return std::nullopt;
            }
            summary.numeric = true;
            summary.numbers = summariseNumbers(*values);
        }
        summaries.append(summary);
    }
    return summaries;
}

namespace {

QString percentText(qint64 count, qint64 of)
{
    return of > 0 ? QString::number(100.0 * double(count) / double(of), 'f', 1) + u"%"_s : u"-"_s;
}

/// A mean or median as people write it: at most two decimals, none trailing.
QString numberText(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0') && text.contains(u'.'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0"_s ? u"0"_s : text;
}

/// A table of `rows`, the first its headings (bold), at the selection.
void typeTable(WordDocument& document, const QList<QStringList>& rows)
{
    document.addTable(1, int(rows.value(0).size()));
    bool firstCell = true;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        document.setFont(font(r == 0, false, 10, WordUnderline::None));
        for (const QString& text : rows.at(r)) {
            if (!firstCell)
                document.moveRight();
            firstCell = false;
            document.typeText(text);
        }
    }
    document.endTable();
    document.typeParagraph();
}

} // namespace

bool addSummaryToReport(const ReportTarget& target, const MethodCollection& collection, QWidget* parent)
{
    const auto summaries = summariseChoices(target, collection);
    if (!summaries)
        return false;
    if (summaries->isEmpty()) {
        showExclamation(Texts::tr("The form has no check boxes, radio buttons or menus to summarise."));
        return false;
    }
    WordDocument document;
    if (const DocumentResult opened = document.open(target.documentPath()); !opened) {
        showAddFailure(target, Texts::tr("summary"), opened);
        return false;
    }
    for (const ChoiceSummary& summary : *summaries) {
        document.setFont(font(true, false, 12, WordUnderline::None));
        document.typeText(summary.question);
        if (summary.ranking) {
            // The mean place of each option (1 = first), and how often it was placed first.
            QList<QStringList> rows { { Texts::tr("Option"), Texts::tr("Mean place"),
                Texts::tr("Placed first") } };
            for (qsizetype r = 0; r < summary.gridRows.size(); ++r) {
                const QList<qint64>& places = summary.gridCounts.at(r);
                qint64 placed = 0;
                double sum = 0;
                for (qsizetype p = 0; p < places.size(); ++p) {
                    placed += places.at(p);
                    sum += double(p + 1) * double(places.at(p));
                }
                const qint64 first = places.value(0);
                rows.append({ summary.gridRows.at(r), placed > 0 ? numberText(sum / double(placed)) : u"-"_s,
                    QString::number(first) + u" ("_s + percentText(first, summary.answers) + u')' });
            }
            typeTable(document, rows);
        } else if (!summary.gridRows.isEmpty()) {
            // Each cell: how many chose the answer for the statement, and their share of all answers.
            QList<QStringList> rows { QStringList { Texts::tr("Statement") } + summary.options };
            for (qsizetype r = 0; r < summary.gridRows.size(); ++r) {
                QStringList cells { summary.gridRows.at(r) };
                for (const qint64 count : summary.gridCounts.at(r))
                    cells.append(
                        QString::number(count) + u" ("_s + percentText(count, summary.answers) + u')');
                rows.append(cells);
            }
            typeTable(document, rows);
        }
        if (summary.countsOptions) {
            QList<QStringList> rows { { Texts::tr("Option"), Texts::tr("Count"), Texts::tr("Percentage") } };
            qint64 counted = 0;
            for (qsizetype i = 0; i < summary.options.size(); ++i) {
                const qint64 count = summary.counts.at(i);
                rows.append(
                    { summary.options.at(i), QString::number(count), percentText(count, summary.answers) });
                counted += count;
            }
            // Without this row the percentages would not add up to the answers
            // (ticks of several boxes need not).
            if (summary.answers > counted && !summary.ticksPerBox)
                rows.append(
                    { Texts::tr("(no answer or another value)"), QString::number(summary.answers - counted),
                        percentText(summary.answers - counted, summary.answers) });
            typeTable(document, rows);
        }
        if (summary.numeric) {
            // Answers that are no number (stored before the question took only numbers) count for none.
            const std::optional<NumberSummary>& n = summary.numbers;
            const QString none = u"-"_s;
            typeTable(document,
                { { Texts::tr("Count"), Texts::tr("Mean"), Texts::tr("Median"), Texts::tr("Minimum"),
                      Texts::tr("Maximum") },
                    { QString::number(n ? n->count : 0), n ? numberText(n->mean) : none,
                        n ? numberText(n->median) : none, n ? numberText(n->minimum) : none,
                        n ? numberText(n->maximum) : none } });
        }
    }
    showInformation(Texts::tr(
        "If the added summary is as desired Save and Close the document before adding another item."));
    document.visible(parent);
    quitAsking(document);
    return true;
}

void setExportProgressDelayForTesting(int milliseconds)
{
    g_progressDelay = milliseconds < 0 ? kDefaultProgressDelay : milliseconds;
}

int exportProgressDelay()
{
    return g_progressDelay;
}

} // namespace quenlow
