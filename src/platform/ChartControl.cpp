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

QChart* ChartControl::buildChart() const
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(m_title);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(std::max(titleFont.pointSizeF(), 11.0));
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->setVisible(m_showLegend);
    chart->legend()->setAlignment(Qt::AlignRight);

    if (m_chartType == Pie2d) {
        auto* series = new QPieSeries(chart);
        // A smaller pie leaves room for the labels outside it.
        series->setPieSize(0.55);
        for (const Column& column : m_columns) {
            QPieSlice* slice = series->append(column.label, std::max(column.value, 0.0));
            slice->setLabelVisible(column.value > 0);
        }
        chart->addSeries(series);
        // The legend names the options; the slices also show their counts.
        const auto slices = series->slices();
        for (qsizetype i = 0; i < slices.size(); ++i) {
            slices[i]->setLabel(m_columns[i].label + u": "_s + numberText(m_columns[i].value));
            slices[i]->setColor(kSliceColours[i % std::size(kSliceColours)]);
            slices[i]->setBorderColor(Qt::white);
        }
        const auto markers = chart->legend()->markers(series);
        for (qsizetype i = 0; i < markers.size() && i < m_columns.size(); ++i)
            markers[i]->setLabel(m_columns[i].label);
    } else {
        auto* series = new QBarSeries(chart);
        double highest = 0;
        for (const Column& column : m_columns) {
            auto* set = new QBarSet(column.label, series);
            set->append(column.value);
            series->append(set);
            highest = std::max(highest, column.value);
        }
        series->setLabelsVisible(true);
        series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
        chart->addSeries(series);
        auto* categories = new QBarCategoryAxis(chart);
        categories->append(m_rowLabel.isEmpty() ? u" "_s : m_rowLabel);
        chart->addAxis(categories, Qt::AlignBottom);
        series->attachAxis(categories);
        auto* values = new QValueAxis(chart);
        values->setRange(0, highest > 0 ? highest * 1.1 : 1);
        values->applyNiceNumbers();
        values->setLabelFormat(u"%g"_s);
        chart->addAxis(values, Qt::AlignLeft);
        series->attachAxis(values);
    }
    return chart;
}

void ChartControl::refresh()
{
    m_redraw->stop();
    if (!m_outOfDate)
        return;
    m_outOfDate = false;
    // The view gives up the old chart to us.
    QChart* old = m_view->chart();
    m_view->setChart(buildChart());
    delete old;
}

QChart* ChartControl::chart()
{
    refresh();
    return m_view->chart();
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
    QChartView view(buildChart());
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
        return FileResult::failure(u"The chart cannot be saved to '%1': %2."_s.arg(path, why));
    };
    if (path.isEmpty())
        return FileResult::failure(u"No file name was given for the chart picture."_s);
    const QByteArray format = info.suffix().toLower().toLatin1();
    if (format.isEmpty())
        return cannotSave(
            u"the file name has no extension to tell the picture format (.bmp, .png or .jpg)"_s);
    if (!QImageWriter::supportedImageFormats().contains(format))
        return cannotSave(
            u"'.%1' is not a picture format the program can write (use .bmp, .png or .jpg)"_s.arg(
                info.suffix()));
    if (!info.absoluteDir().exists())
        return cannotSave(
            u"the folder '%1' does not exist"_s.arg(QDir::toNativeSeparators(info.absolutePath())));
    if (info.isDir())
        return cannotSave(u"it is a folder"_s);

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
        return cannotSave(written.error);
    return FileResult {};
}

} // namespace quenlow
