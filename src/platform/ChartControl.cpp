// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/ChartControl.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QHorizontalStackedBarSeries>
#include <QImageWriter>
#include <QLegend>
#include <QLegendMarker>
#include <QLocale>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

QString defaultColumnLabel(int column)
{
    return u"C%1"_s.arg(column);
}

// Distinct colours for the slices, as the bars get them from the theme
// (the theme would shade the slices of one hue).
const QColor kSliceColours[] = { QColor(0x209fdf), QColor(0x99ca53), QColor(0xf6a625), QColor(0x6d5fd5),
    QColor(0xbf593e), QColor(0x38ad6b), QColor(0xe5608a), QColor(0x8d6e63) };

QString numberText(double value)
{
    return QLocale::c().toString(value, 'g', 15);
}

} // namespace

ChartControl::ChartControl(QWidget* parent)
    : QWidget(parent)
{
    m_columns.append({ defaultColumnLabel(1), 0 });

    m_view = new QChartView(this);
    m_view->setObjectName(u"ChartView"_s);
    m_view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_redraw = new QTimer(this);
    m_redraw->setSingleShot(true);
    m_redraw->setInterval(0);
    connect(m_redraw, &QTimer::timeout, this, &ChartControl::refresh);

    refresh();
}

// The chart shown belongs to the view's scene and goes with it.
ChartControl::~ChartControl() = default;

void ChartControl::changed()
{
    m_outOfDate = true;
    m_redraw->start();
}

void ChartControl::setTitle(const QString& title)
{
    m_title = title;
    changed();
}

bool ChartControl::setChartType(int type)
{
    if (type != Pie2d && type != Bar2d)
        return false;
    m_chartType = type;
    changed();
    return true;
}

bool ChartControl::setColumnCount(int count)
{
    if (count < 1)
        return false;
    while (m_columns.size() > count)
        m_columns.removeLast();
    while (m_columns.size() < count)
        m_columns.append({ defaultColumnLabel(int(m_columns.size()) + 1), 0 });
    m_column = std::min(m_column, count);
    changed();
    return true;
}

void ChartControl::setStackedRows(const QList<StackedRow>& rows)
{
    m_stacked = rows;
    changed();
}

bool ChartControl::setRowCount(int count)
{
    if (count < 1)
        return false;
    m_rowCount = count;
    changed();
    return true;
}

void ChartControl::setRowLabel(const QString& label)
{
    m_rowLabel = label;
    changed();
}

bool ChartControl::setColumn(int column)
{
    if (column < 1 || column > columnCount())
        return false;
    m_column = column;
    return true;
}

void ChartControl::setColumnLabel(const QString& label)
{
    m_columns[m_column - 1].label = label;
    changed();
}

bool ChartControl::setData(const QString& value)
{
    bool ok = false;
    double number = QLocale::c().toDouble(value.trimmed(), &ok);
    if (!ok)
        number = QLocale().toDouble(value.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return false;
    m_columns[m_column - 1].value = number;
    changed();
    return true;
}

QString ChartControl::columnLabel(int column) const
{
    if (column < 1 || column > columnCount())
        return {};
    return m_columns[column - 1].label;
}

QString ChartControl::data(int column) const
{
    if (column < 1 || column > columnCount())
        return {};
    return numberText(m_columns[column - 1].value);
}

double ChartControl::value(int column) const
{
    if (column < 1 || column > columnCount())
        return 0;
    return m_columns[column - 1].value;
}

void ChartControl::setShowLegend(bool show)
{
    m_showLegend = show;
    changed();
}

namespace {

// Qt Charts cuts a text that does not fit its place short with "...". Texts
// here are broken into lines of at most `width` pixels instead (as HTML, which
// titles, legend entries and axis labels all take), so nothing is lost.
QString wrapped(const QString& text, const QFont& font, int width)
{
    const QFontMetrics metrics(font);
    width = std::max(width, metrics.horizontalAdvance(u"MMMMMM"_s));
    QStringList lines;
    QString line;
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    for (const QString& word : words) {
        const QString candidate = line.isEmpty() ? word : line + u' ' + word;
        if (line.isEmpty() || metrics.horizontalAdvance(candidate) <= width) {
            line = candidate;
        } else {
            lines.append(line);
            line = word;
        }
        // A single word wider than the place is broken where it must be.
        while (metrics.horizontalAdvance(line) > width && line.size() > 1) {
            qsizetype fits = line.size() - 1;
            while (fits > 1 && metrics.horizontalAdvance(line.left(fits)) > width)
                --fits;
            lines.append(line.left(fits));
            line = line.mid(fits);
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines.append(line);
    for (QString& l : lines)
        l = l.toHtmlEscaped();
    return lines.join(u"<br>"_s);
}

QString percentText(double value, double total)
{
    // Whole percentages, but a share too small to round to 1% keeps a decimal.
    const bool tiny = value > 0 && value * 200 < total;
    return QLocale::c().toString(100.0 * value / total, 'f', tiny ? 1 : 0) + u'%';
}

} // namespace

QChart* ChartControl::buildChart(const QSize& size) const
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(std::max(titleFont.pointSizeF(), 11.0));
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setTitle(wrapped(m_title, titleFont, size.width() - 60));
    chart->legend()->setVisible(m_showLegend);
    chart->legend()->setAlignment(Qt::AlignRight);
    const QFont labelFont = chart->legend()->font();
    // The legend (or the bars' names) takes about a third of the width; its
    // entries wrap.
    const int legendWidth = std::max(140, size.width() * 7 / 20);

    double total = 0;
    for (const Column& column : m_columns)
        total += std::max(column.value, 0.0);
    if (!m_stacked.isEmpty()) {
        drawStacked(chart, legendWidth);
        return chart;
    }

    if (m_chartType == Pie2d) {
        auto* series = new QPieSeries(chart);
        series->setPieSize(0.7);
        for (const Column& column : m_columns)
            series->append(column.label, std::max(column.value, 0.0));
        chart->addSeries(series);
        // The slices carry their share, short enough never to be cut; the
        // legend names each option with its count and share.
        const auto slices = series->slices();
        for (qsizetype i = 0; i < slices.size(); ++i) {
            const double value = std::max(m_columns[i].value, 0.0);
            slices[i]->setLabel(total > 0 ? percentText(value, total) : QString());
            slices[i]->setLabelVisible(value > 0);
            slices[i]->setLabelPosition(
                value * 8 >= total ? QPieSlice::LabelInsideHorizontal : QPieSlice::LabelOutside);
            slices[i]->setLabelColor(value * 8 >= total ? Qt::white : Qt::black);
            slices[i]->setColor(kSliceColours[i % std::size(kSliceColours)]);
            slices[i]->setBorderColor(Qt::white);
        }
        const auto markers = chart->legend()->markers(series);
        for (qsizetype i = 0; i < markers.size() && i < m_columns.size(); ++i) {
            const double value = std::max(m_columns[i].value, 0.0);
            QString entry = m_columns[i].label + u": "_s + numberText(m_columns[i].value);
            if (total > 0)
                entry += u" ("_s + percentText(value, total) + u')';
            // Qt gives the legend about three tenths of the width, its marker included.
            markers[i]->setLabel(wrapped(entry, labelFont, size.width() * 3 / 10 - 30));
        }
    } else {
        // One bar an option, lying down with the option's name beside it on
        // the axis, where long names have room; stacked sets (one an option,
        // zero elsewhere) give each bar its own colour without gaps beside it.
        auto* series = new QHorizontalStackedBarSeries(chart);
        double highest = 0;
        const qsizetype count = m_columns.size();
        // The first option on top, as the form lists them.
        auto categoryOf = [count](qsizetype i) { return count - 1 - i; };
        for (qsizetype i = 0; i < count; ++i) {
            auto* set = new QBarSet(m_columns[i].label, series);
            for (qsizetype j = 0; j < count; ++j)
                set->append(j == categoryOf(i) ? m_columns[i].value : 0);
            set->setColor(kSliceColours[i % std::size(kSliceColours)]);
            series->append(set);
            highest = std::max(highest, m_columns[i].value);
        }
        series->setBarWidth(0.6);
        chart->addSeries(series);
        auto* categories = new QBarCategoryAxis(chart);
        for (qsizetype j = 0; j < count; ++j)
            categories->append(wrapped(m_columns[categoryOf(j)].label, labelFont, legendWidth));
        chart->addAxis(categories, Qt::AlignLeft);
        series->attachAxis(categories);
        auto* values = new QValueAxis(chart);
        // Room beyond the longest bar for its value, drawn there.
        bool whole = true;
        for (const Column& column : m_columns)
            whole = whole && column.value == std::floor(column.value);
        if (whole) {
            // Counts: whole-number ticks (1, 2, 5, 10, 20, … apart), never "0.5".
            const double top = std::max(1.0, std::ceil(highest * 1.15));
            double step = 1;
            for (int k = 0; top / step > 8; ++k)
                step = (k % 3 == 0 ? 2 : k % 3 == 1 ? 2.5 : 2) * step;
            values->setRange(0, std::ceil(top / step) * step);
            values->setTickType(QValueAxis::TicksDynamic);
            values->setTickAnchor(0);
            values->setTickInterval(step);
        } else {
            values->setRange(0, highest > 0 ? highest * 1.15 : 1);
            values->applyNiceNumbers();
        }
        values->setLabelFormat(u"%g"_s);
        chart->addAxis(values, Qt::AlignBottom);
        series->attachAxis(values);
        // The legend would only repeat the names beside the bars.
        chart->legend()->setVisible(false);
        if (total > 0) {
            // Each value at the end of its bar, drawn by us: the series would
            // also label the zero parts of every stack.
            QList<QGraphicsSimpleTextItem*> labels;
            for (qsizetype i = 0; i < count; ++i) {
                auto* label = new QGraphicsSimpleTextItem(numberText(m_columns[i].value), chart);
                label->setFont(labelFont);
                labels.append(label);
            }
            const QList<Column> columns = m_columns;
            QObject::connect(
                chart, &QChart::plotAreaChanged, chart, [chart, labels, columns, categoryOf](const QRectF&) {
                    for (qsizetype i = 0; i < labels.size(); ++i) {
                        const QPointF end
                            = chart->mapToPosition(QPointF(columns[i].value, double(categoryOf(i))));
                        const QRectF box = labels[i]->boundingRect();
                        labels[i]->setPos(end.x() + 4, end.y() - box.height() / 2);
                    }
                });
        }
    }

    if (total <= 0) {
        // Nothing to draw yet: say so rather than show an empty chart.
        auto* note = new QGraphicsSimpleTextItem(tr("No answers yet"), chart);
        QFont noteFont = chart->titleFont();
        noteFont.setBold(false);
        noteFont.setPointSizeF(noteFont.pointSizeF() + 2);
        note->setFont(noteFont);
        note->setBrush(QColor(0x555555));
        QObject::connect(chart, &QChart::plotAreaChanged, chart, [note](const QRectF& area) {
            const QRectF box = note->boundingRect();
            note->setPos(area.center().x() - box.width() / 2, area.center().y() - box.height() / 2);
        });
    }
    return chart;
}

void ChartControl::drawStacked(QChart* chart, int legendWidth) const
{
    const QFont labelFont = chart->legend()->font();
    auto* series = new QHorizontalStackedBarSeries(chart);
    const qsizetype rows = m_stacked.size();
    // The first row on top, as the form asks them.
    for (qsizetype c = 0; c < m_columns.size(); ++c) {
        auto* set = new QBarSet(m_columns[c].label, series);
        for (qsizetype r = rows - 1; r >= 0; --r)
            set->append(std::max(m_stacked[r].values.value(c), 0.0));
        set->setColor(kSliceColours[c % std::size(kSliceColours)]);
        series->append(set);
    }
    series->setBarWidth(0.6);
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis(chart);
    for (qsizetype r = rows - 1; r >= 0; --r)
        categories->append(wrapped(m_stacked[r].label, labelFont, legendWidth));
    chart->addAxis(categories, Qt::AlignLeft);
    series->attachAxis(categories);
    auto* values = new QValueAxis(chart);
    double highest = 0;
    for (const StackedRow& row : m_stacked) {
        double sum = 0;
        for (const double v : row.values)
            sum += std::max(v, 0.0);
        highest = std::max(highest, sum);
    }
    values->setRange(0, highest > 0 ? highest : 1);
    values->applyNiceNumbers();
    values->setLabelFormat(u"%g"_s);
    chart->addAxis(values, Qt::AlignBottom);
    series->attachAxis(values);
    // The legend names the segments, in the answers' order.
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
}

void ChartControl::refresh()
{
    m_redraw->stop();
    if (!m_outOfDate)
        return;
    m_outOfDate = false;
    // The view gives up the old chart to us.
    QChart* old = m_view->chart();
    // A view not laid out yet is drawn for the picture size, not for a sliver.
    const QSize shown = m_view->width() < 200 ? QSize(640, 480) : m_view->size();
    m_view->setChart(buildChart(shown));
    delete old;
}

QChart* ChartControl::chart()
{
    refresh();
    return m_view->chart();
}

void ChartControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    changed();
}

void ChartControl::paintEvent(QPaintEvent* event)
{
    // A grab() right after a setting must already show it.
    refresh();
    QWidget::paintEvent(event);
}

QImage ChartControl::picture(const QSize& size)
{
    refresh();
    // A view of its own at the wanted size, so the control on screen is not
    // disturbed; grab() lays it out although it is never shown.
    QChartView view(buildChart(size));
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.resize(size);
    QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

FileResult ChartControl::savePicture(const QString& path, const QSize& size)
{
    const QFileInfo info(path);
    const auto cannotSave = [&](const QString& why) {
        return fileError(tr("The chart cannot be saved to '%1': %2.").arg(path, why));
    };
    if (path.isEmpty())
        return fileError(tr("No file name was given for the chart picture."));
    const QByteArray format = info.suffix().toLower().toLatin1();
    if (format.isEmpty())
        return cannotSave(
            tr("the file name has no extension to tell the picture format (.bmp, .png or .jpg)"));
    if (!QImageWriter::supportedImageFormats().contains(format))
        return cannotSave(tr("'.%1' is not a picture format the program can write (use .bmp, .png or .jpg)")
                              .arg(info.suffix()));
    if (!info.absoluteDir().exists())
        return cannotSave(
            tr("the folder '%1' does not exist").arg(QDir::toNativeSeparators(info.absolutePath())));
    if (info.isDir())
        return cannotSave(tr("it is a folder"));

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpg" || format == "jpeg")
        writer.setQuality(92);
    if (!writer.write(picture(size)))
        return cannotSave(writer.errorString());
    // A temporary file beside the target, renamed over it once complete.
    if (const FileResult written = writeFileAtomically(path, bytes); !written)
        return cannotSave(written.error().detail);
    return FileResult {};
}

} // namespace quenlow
