// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/GraphsPage.h"

#include "core/Messages.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/FormSession.h"
#include "model/OwnedColumns.h"
#include "model/QuestionSettings.h"
#include "platform/ChartControl.h"
#include "platform/ElementNames.h"
#include "reporter/ChartCounts.h"
#include "reporter/ReportDocuments.h"
#include "reporter/ReportPage.h"
#include "reporter/ReporterControls.h"
#include "reporter/ReporterTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

using namespace reporter;

namespace {
// Marks a row of GraphAbleData that stands for check boxes asked as one question.
constexpr int kGroupRole = Qt::UserRole + 1;
// The column a row charts where it is not named by its text (a grid's statement);
// a grid's own row carries none and charts all its statements in one.
constexpr int kColumnRole = Qt::UserRole + 2;
constexpr int kGridRole = Qt::UserRole + 3;
// A ranking: charted as the mean place of each option.
constexpr int kRankingRole = Qt::UserRole + 4;
constexpr int kChartHeight = 260;
// Qt Charts shows a bar's name as "..." when its row is lower than the text:
// a bar chart gets this much height a bar beyond its title and axis.
constexpr int kBarHeight = 24;
constexpr int kBarChartFrame = 120;
} // namespace

GraphsPage::GraphsPage(FormSession& session, ReportPage& reportPage, QWidget* parent)
    : QGroupBox(tr("Graphs"), parent)
    , m_session(session)
    , m_reportPage(reportPage)
    , m_table(AnswersStore::tableFor(session.openFormName()))
{
    setObjectName(u"Frame1(2)"_s);

    m_graphFrame = frame(u"GraphFrame"_s, tr("Graph Name"), this);
    m_chart = named(new ChartControl(m_graphFrame), u"MyChart"_s);
    m_chart->setMinimumSize(360, kChartHeight);
    auto* chartLayout = new QVBoxLayout(m_graphFrame);
    chartLayout->addWidget(m_chart);

    // The questions above the chart, so that the chart has the window's whole
    // width for its labels, and the frame's long title its own line.
    auto* graphable = frame(u"GraphableTableFields"_s,
        tr("Graphable Table Fields - Check Boxes, Select Menus, Radio Buttons"), this);
    m_graphable = listBox(u"GraphAbleData"_s, graphable);
    m_graphable->setMaximumHeight(120);
    auto* pie = button(u"ViewPieChart"_s, tr("View Pie Chart"), graphable);
    auto* bar = button(u"ViewBarGraph"_s, tr("View Bar Graph"), graphable);
    auto* graphableLayout = new QGridLayout(graphable);
    graphableLayout->addWidget(m_graphable, 0, 0, 3, 1);
    graphableLayout->addWidget(pie, 0, 1);
    graphableLayout->addWidget(bar, 1, 1);
    graphableLayout->setColumnStretch(0, 1);
    graphableLayout->setRowStretch(2, 1);
    connect(pie, &QPushButton::clicked, this, &GraphsPage::viewPieChart);
    connect(bar, &QPushButton::clicked, this, &GraphsPage::viewBarGraph);
    onRowChosen(m_graphable, [this] { drawChart(m_chartKind); });

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(label(u"GraphNameText"_s, tr("Graph File Name :"), this));
    m_graphFileName = named(new QLineEdit(u"graph_1.bmp"_s, this), u"GraphFileName"_s);
    fileRow->addWidget(m_graphFileName, 1);
    auto* save = button(u"SaveGraphToFile"_s, tr("Save Graph To File"), this);
    fileRow->addWidget(save);
    connect(save, &QPushButton::clicked, this, &GraphsPage::saveGraphToFile);

    // The chart's way into the report, in a row of its own under the page.
    auto* reportRow = new QHBoxLayout;
    auto* addChart = button(u"AddChartToReport"_s, tr("Add Chart to Report"), this);
    reportRow->addStretch(1);
    reportRow->addWidget(addChart);
    connect(addChart, &QPushButton::clicked, this, &GraphsPage::addChartToReport);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(graphable);
    layout->addWidget(m_graphFrame, 1);
    layout->addLayout(fileRow);
    layout->addLayout(reportRow);
}

GraphsPage::~GraphsPage() = default;

void GraphsPage::loadGraphableFields()
{
    m_graphable->clear();
    for (int i = 0; i < m_session.collection().count(); ++i) {
        const FormMethod& method = m_session.collection().atPosition(i);
        if (!isChartedKind(method.kind))
            continue;
        // Boxes asked as one question are charted together, before each on its own.
        if (const auto group = checkBoxGroupAt(m_session.collection(), i)) {
            auto* item = new QListWidgetItem(group->question);
            item->setData(Qt::UserRole, i);
            item->setData(kGroupRole, true);
            m_graphable->addItem(item);
        }
        if (method.kind == ElementKind::Ranking) {
            auto* item = new QListWidgetItem(method.userInstruction);
            item->setData(Qt::UserRole, i);
            item->setData(kRankingRole, true);
            m_graphable->addItem(item);
            continue;
        }
        if (method.kind == ElementKind::Grid) {
            // The grid as one chart, then each statement on its own.
            auto* whole = new QListWidgetItem(method.userInstruction);
            whole->setData(Qt::UserRole, i);
            whole->setData(kGridRole, true);
            m_graphable->addItem(whole);
            for (const OwnedColumn& row : answerColumnsOf(method)) {
                auto* item = new QListWidgetItem(row.label);
                item->setData(Qt::UserRole, i);
                item->setData(kColumnRole, row.name);
                m_graphable->addItem(item);
            }
            continue;
        }
        auto* item = new QListWidgetItem(method.userInstruction);
        item->setData(Qt::UserRole, i);
        m_graphable->addItem(item);
    }
    if (m_graphable->count() > 0)
        chooseRow(m_graphable, 0, [this] { drawChart(m_chartKind); });
}

void GraphsPage::viewPieChart()
{
    m_chartKind = u"Pie"_s;
    drawChart(m_chartKind);
}

void GraphsPage::viewBarGraph()
{
    m_chartKind = u"Bar"_s;
    drawChart(m_chartKind);
}

void GraphsPage::drawChart(const QString& kind)
{
    const int row = m_graphable->currentRow();
    if (row < 0) {
        // A form without choice questions has nothing to chart.
        showExclamation(noFieldSelected());
        return;
    }
    auto store = openAnswersStore(m_session.databasePath());
    if (!store) {
        showExclamation(databaseUnavailable(m_session.databasePath(), store.error().detail));
        return;
    }
    const QString question = m_graphable->item(row)->text();
    m_graphFrame->setTitle(groupTitle(question));
    m_graphFrame->setToolTip(question);

    // The row's own element: a plain text of the same wording is no question.
    const int position = m_graphable->item(row)->data(Qt::UserRole).toInt();
    const FormMethod& method = m_session.collection().atPosition(position);
    const std::optional<CheckBoxGroup> group = m_graphable->item(row)->data(kGroupRole).toBool()
        ? checkBoxGroupAt(m_session.collection(), position)
        : std::nullopt;
    const QVariant ownColumn = m_graphable->item(row)->data(kColumnRole);
    const bool wholeGrid = m_graphable->item(row)->data(kGridRole).toBool();
    if (m_graphable->item(row)->data(kRankingRole).toBool()) {
        drawMeanPlaces(**store, method);
        return;
    }
    // A group has one bar per box: how many ticked it; a grid's statement is counted over the grid's answers.
    QStringList options = group            ? group->boxes
        : method.kind == ElementKind::Grid ? answerColumnsOf(method).value(0).values
                                           : chartOptions(method);
    QList<ChartControl::StackedRow> stacked;
    Result<QList<qint64>> counts = QList<qint64>();
    if (wholeGrid) {
        for (const OwnedColumn& owned : answerColumnsOf(method)) {
            counts = countAnswers(**store, m_table, owned.name, options);
            if (!counts)
                break;
            ChartControl::StackedRow bar { owned.source, {} };
            for (const qint64 n : *counts)
                bar.values.append(double(n));
            stacked.append(bar);
        }
    } else {
        counts = group ? countTicked(**store, m_table, *group)
                       : countAnswers(**store, m_table,
                           ownColumn.isValid() ? ownColumn.toString() : columnNameFor(question), options);
    }
    // Answers typed after "Other:" as written, the rare ones together (a group's in a column of their own).
    const bool typedOther = group
        ? !group->otherColumn.isEmpty()
        : !wholeGrid && questionSettingsOf(method).otherAnswer && method.holdsList();
    if (counts && typedOther) {
        const auto typed = group
            ? countTypedAnswers(**store, m_table, group->otherColumn, {}, tr("Other"))
            : countTypedAnswers(**store, m_table, columnNameFor(question), options, tr("Other"));
        if (!typed) {
            counts = typed.error();
        } else {
            QList<qint64> all = *counts;
            for (const auto& [answer, count] : *typed) {
                options.append(answer);
                all.append(count);
            }
            counts = std::move(all);
        }
    }
    store = Error {}; // closed before the chart draws
    if (!counts) {
        if (counts.failedWith(Error::NotFound))
            showExclamation(tableMissing(m_session.htmlName()));
        else
            showExclamation(tableUnreadable(m_table, counts.error().detail));
        return;
    }

    m_chart->setStackedRows(stacked);
    if (wholeGrid) {
        // A bar a statement, a segment an answer: only as bars.
        m_chart->setTitle(tr("Bar Chart of form %1 '%2' :").arg(shownKindName(method), question));
        m_chart->setChartType(ChartControl::Bar2d);
        m_chart->setMinimumHeight(qMax(kChartHeight, kBarChartFrame + 2 * kBarHeight * int(stacked.size())));
        m_chart->setColumnCount(qMax(1, int(options.size())));
        m_chart->setRowCount(1);
        for (int c = 1; c <= options.size(); ++c) {
            m_chart->setColumn(c);
            m_chart->setColumnLabel(options.at(c - 1));
        }
        m_chart->setShowLegend(true);
        m_chartDrawn = true;
        return;
    }
    const bool pie = kind == u"Pie"_s;
    m_chart->setTitle((pie ? tr("Pie Chart of form %1 '%2' :") : tr("Bar Chart of form %1 '%2' :"))
                          .arg(group ? tr("Check Boxes") : shownKindName(method), question));
    m_chart->setChartType(pie ? ChartControl::Pie2d : ChartControl::Bar2d);
    m_chart->setMinimumHeight(
        pie ? kChartHeight : qMax(kChartHeight, kBarChartFrame + kBarHeight * int(options.size())));
    // The control needs one column at least; a menu without options draws one empty column.
    m_chart->setColumnCount(qMax(1, int(options.size())));
    m_chart->setRowLabel(QString());
    m_chart->setRowCount(1);
    if (options.isEmpty()) {
        m_chart->setColumn(1);
        m_chart->setColumnLabel(QString());
        m_chart->setShowLegend(true);
        m_chart->setData(u"0"_s);
        m_chartDrawn = true;
        return;
    }
    for (int c = 1; c <= options.size(); ++c) {
        m_chart->setColumn(c);
        m_chart->setColumnLabel(options.at(c - 1));
        m_chart->setShowLegend(true);
        m_chart->setData(QString::number(counts->at(c - 1)));
    }
    m_chartDrawn = true;
}

void GraphsPage::drawMeanPlaces(AnswersStore& store, const FormMethod& ranking)
{
    const QList<OwnedColumn> columns = answerColumnsOf(ranking);
    struct Mean {
        QString option;
        double mean = 0;
        qint64 placed = 0;
    };
    QList<Mean> means;
    for (const OwnedColumn& owned : columns) {
        const Result<QList<qint64>> counts = countAnswers(store, m_table, owned.name, owned.values);
        if (!counts) {
            if (counts.failedWith(Error::NotFound))
                showExclamation(tableMissing(m_session.htmlName()));
            else
                showExclamation(tableUnreadable(m_table, counts.error().detail));
            return;
        }
        Mean m { owned.source, 0, 0 };
        double sum = 0;
        for (qsizetype place = 0; place < counts->size(); ++place) {
            m.placed += counts->at(place);
            sum += double(place + 1) * double(counts->at(place));
        }
        m.mean = m.placed > 0 ? sum / double(m.placed) : 0;
        means.append(m);
    }
    // The preferred (the smallest mean place) first; an option nobody placed last.
    std::stable_sort(means.begin(), means.end(), [](const Mean& a, const Mean& b) {
        return (a.placed > 0) != (b.placed > 0) ? a.placed > 0 : a.mean < b.mean;
    });
    m_chart->setStackedRows({});
    m_chart->setTitle(tr("Mean place of each option of form %1 '%2' :")
                          .arg(shownKindName(ranking), ranking.userInstruction));
    m_chart->setChartType(ChartControl::Bar2d);
    m_chart->setMinimumHeight(qMax(kChartHeight, kBarChartFrame + kBarHeight * int(means.size())));
    m_chart->setColumnCount(qMax(1, int(means.size())));
    m_chart->setRowLabel(QString());
    m_chart->setRowCount(1);
    for (int c = 1; c <= means.size(); ++c) {
        m_chart->setColumn(c);
        m_chart->setColumnLabel(means.at(c - 1).option);
        m_chart->setShowLegend(true);
        m_chart->setData(QString::number(means.at(c - 1).mean, 'f', 2));
    }
    m_chartDrawn = true;
}

void GraphsPage::saveGraphToFile()
{
    if (!m_chartDrawn) {
        // A form without choice questions: the picture would be empty axes.
        showExclamation(tr("There is no chart to save: no question of this form has been charted."));
        return;
    }
    const QString path = m_session.reportsFolder() + m_graphFileName->text();
    if (const FileResult saved = m_chart->savePicture(path); !saved) {
        // The chart's own message names the path and the reason.
        showExclamation(saved.error().detail);
        return;
    }
    showInformation(tr("The Chart has been saved to %1").arg(path));
}

void GraphsPage::addChartToReport()
{
    if (!m_chartDrawn) {
        showExclamation(tr("There is no chart to add: no question of this form has been charted."));
        return;
    }
    if (!m_reportPage.offerNewReport(tr("chart")))
        return;
    quenlow::addChartToReport(m_reportPage.reportTarget(), m_chart->title(), m_chart->picture(), window());
}

} // namespace quenlow
