// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/TextFile.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QWidget>

class QChart;
class QChartView;
class QTimer;

namespace quenlow {

/// The chart control of the reporter, with the properties the old chart
/// control had (Title, chartType, ColumnCount, RowCount, RowLabel, Column,
/// ColumnLabel, ShowLegend, Data), drawn with Qt Charts: a pie of one slice per
/// column, or one bar per column (one bar set each, so the legend names them).
///
/// Setting properties only marks the chart out of date; it is rebuilt once on
/// the next turn of the event loop, or at once by refresh(), picture() and
/// savePicture(), so a run of settings costs one drawing.
class ChartControl final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChartControl)

public:
    /// The chartType values the reporter uses.
    enum ChartType { Bar2d = 1, Pie2d = 14 };

    explicit ChartControl(QWidget* parent = nullptr);
    ~ChartControl() override;

    QString title() const { return m_title; }
    void setTitle(const QString& title);

    int chartType() const { return m_chartType; }
    /// 14 (pie) or 1 (bar); any other value is refused (returns false).
    bool setChartType(int type);

    int columnCount() const { return int(m_columns.size()); }
    /// 1 or more; new columns are labelled "C<n>" with data 0. Refused below 1.
    bool setColumnCount(int count);

    int rowCount() const { return m_rowCount; }
    /// Kept for the reporter, which always sets 1; the chart draws one data row.
    bool setRowCount(int count);

    QString rowLabel() const { return m_rowLabel; }
    void setRowLabel(const QString& label);

    /// The current column, 1-based.
    int column() const { return m_column; }
    /// Refused (false) outside 1 … columnCount().
    bool setColumn(int column);

    // Of the current column.
    QString columnLabel() const { return columnLabel(m_column); }
    void setColumnLabel(const QString& label);
    QString data() const { return data(m_column); }
    /// A decimal number ("2", "0.5"); anything else is refused (false) and the
    /// column keeps its value.
    bool setData(const QString& value);

    // Of any column, 1-based; empty outside the range.
    QString columnLabel(int column) const;
    QString data(int column) const;
    double value(int column) const;

    /// Chart-wide, as in the old control: the legend is one for all columns.
    bool showLegend() const { return m_showLegend; }
    void setShowLegend(bool show);

    /// Several questions answered on the same answers (a grid's statements):
    /// a bar chart then draws a bar per row, first on top, with a segment per
    /// column (the columns' labels, named in the legend) holding the row's
    /// value of that column. None (the default): one bar per column.
    struct StackedRow {
        QString label;
        QList<double> values; // by column
    };
    void setStackedRows(const QList<StackedRow>& rows);
    QList<StackedRow> stackedRows() const { return m_stacked; }

    /// Rebuilds the chart now if a setting changed since the last drawing.
    void refresh();
    /// The chart with the latest settings, rendered offscreen (the control need
    /// not be shown).
    QImage picture(const QSize& size = QSize(640, 480));
    /// Saves picture(size) to `path` in the format of its extension (.bmp, .png,
    /// .jpg, …), atomically. Fails with a reason (`error`, a whole sentence) for
    /// a missing folder, a file that cannot be written, or an extension with no
    /// picture format; nothing is written then.
    FileResult savePicture(const QString& path, const QSize& size = QSize(640, 480));

    /// The chart shown (rebuilt by refresh(); do not keep the pointer).
    QChart* chart();
    QChartView* chartView() const { return m_view; }

protected:
    void paintEvent(QPaintEvent* event) override;
    /// Texts are wrapped for the size shown: a new size draws anew.
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Column {
        QString label;
        double value = 0;
    };

    void changed();
    /// The chart for a picture or view of `size`: texts wrap to fit it.
    QChart* buildChart(const QSize& size) const;
    void drawStacked(QChart* chart, int legendWidth) const;

    QString m_title;
    int m_chartType = Bar2d;
    int m_rowCount = 1;
    QString m_rowLabel;
    int m_column = 1;
    bool m_showLegend = false;
    QList<Column> m_columns;
    QList<StackedRow> m_stacked;

    QChartView* m_view = nullptr;
    QTimer* m_redraw = nullptr;
    bool m_outOfDate = true;
};

} // namespace quenlow
