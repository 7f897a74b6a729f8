// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QGroupBox>
#include <QString>

class QLineEdit;
class QListWidget;

namespace quenlow {

class AnswersStore;
class ChartControl;
class FormSession;
struct FormMethod;
class ReportPage;

/// The reporter's second tab, "Frame1(2)": the choice questions of the form,
/// one of them counted and drawn as a pie or bar chart, the chart saved as a
/// picture or added to the report named on the report tab.
///
/// A row of GraphAbleData shows its question and carries the position of its
/// element in the element list as item data.
class GraphsPage final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GraphsPage)

public:
    GraphsPage(FormSession& session, ReportPage& reportPage, QWidget* parent);
    ~GraphsPage() override;

    ChartControl* chart() const { return m_chart; }
    /// "Pie" or "Bar": how the next question chosen is drawn.
    QString chartKind() const { return m_chartKind; }

    void loadGraphableFields();
    /// Counts and draws the selected graphable question as a "Pie" or "Bar" chart.
    void drawChart(const QString& kind);
    /// A ranking: a bar per option, its mean place, the preferred first.
    void drawMeanPlaces(AnswersStore& store, const FormMethod& ranking);
    void viewPieChart();
    void viewBarGraph();
    void saveGraphToFile();
    void addChartToReport();

private:
    FormSession& m_session;
    ReportPage& m_reportPage;
    QString m_table;
    QString m_chartKind = QStringLiteral("Pie");
    // Whether the chart shows counts drawn in this window, or only the empty control.
    bool m_chartDrawn = false;

    QGroupBox* m_graphFrame = nullptr;
    ChartControl* m_chart = nullptr;
    QListWidget* m_graphable = nullptr;
    QLineEdit* m_graphFileName = nullptr;
};

} // namespace quenlow
