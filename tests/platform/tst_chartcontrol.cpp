// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "platform/ChartControl.h"
#include "support/FileSizeLimit.h"
#include "support/TestProgramFolder.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QGraphicsSimpleTextItem>
#include <QHorizontalStackedBarSeries>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using quenlow::test::TestProgramFolder;

namespace {

struct Option {
    QString label;
    QString count;
};

/// The settings DrawChart makes, in its order.
void drawLikeTheReporter(ChartControl& chart, const QString& title, int type, const QList<Option>& options)
{
    chart.setTitle(title);
    QVERIFY(chart.setChartType(type));
    QVERIFY(chart.setColumnCount(int(options.size())));
    chart.setRowLabel(QString());
    QVERIFY(chart.setRowCount(1));
    for (int c = 1; c <= options.size(); ++c) {
        QVERIFY(chart.setColumn(c));
        chart.setColumnLabel(options[c - 1].label);
        chart.setShowLegend(true);
        QVERIFY(chart.setData(options[c - 1].count));
    }
}

QStringList legendLabels(QChart* chart)
{
    QStringList labels;
    for (QLegendMarker* marker : chart->legend()->markers()) {
        if (marker->isVisible())
            labels.append(marker->label());
    }
    return labels;
}

/// Distinct colours and the share of pixels that are not the background.
std::pair<int, double> variety(const QImage& image)
{
    QSet<QRgb> colours;
    qint64 coloured = 0;
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            colours.insert(pixel);
            if (pixel != background)
                ++coloured;
        }
    }
    return { int(colours.size()), double(coloured) / (double(image.width()) * image.height()) };
}

const QList<Option> kTea { { u"Checked"_s, u"2"_s }, { u"Not Checked"_s, u"1"_s } };
const QList<Option> kColour { { u"Red"_s, u"2"_s }, { u"Green"_s, u"0"_s }, { u"Blue"_s, u"1"_s } };

} // namespace

class TestChartControl : public QObject
{
    Q_OBJECT

private slots:
    void pieAndBarsShowCountsByName();
    void refusedSettingsChangeNothing();
    void nothingCountedSaysSo();
    void redrawsOnceAfterARunOfSettings();
    void grabShowsTheLatestSettings();
    void savedPictureFollowsTheExtension_data();
    void savedPictureFollowsTheExtension();
    void failedSavesWriteNothing();
};

void TestChartControl::pieAndBarsShowCountsByName()
{
    // The settings themselves are printed by the report-charts scenario; here
    // what is drawn from them. Slices carry their share; the legend names each
    // option with its count.
    ChartControl chart;
    drawLikeTheReporter(chart, u"Pie Chart of form Check Box 'Tea' :"_s, ChartControl::Pie2d, kTea);
    auto* pie = qobject_cast<QPieSeries*>(chart.chart()->series().value(0));
    QVERIFY(pie);
    QCOMPARE(pie->count(), 2);
    QCOMPARE(pie->slices()[0]->value(), 2.0);
    QCOMPARE(pie->slices()[0]->label(), u"67%"_s);
    QCOMPARE(pie->slices()[1]->label(), u"33%"_s);
    QCOMPARE(legendLabels(chart.chart()), (QStringList { u"Checked: 2 (67%)"_s, u"Not Checked: 1 (33%)"_s }));

    // The same control switched to bars: one an option, named beside it on
    // the axis, first option on top.
    drawLikeTheReporter(chart, u"Bar Chart of form Radio Buttons 'Colour' :"_s, ChartControl::Bar2d, kColour);
    QCOMPARE(chart.chart()->series().size(), 1);
    auto* bars = qobject_cast<QHorizontalStackedBarSeries*>(chart.chart()->series().first());
    QVERIFY(bars);
    QCOMPARE(bars->count(), 3);
    QCOMPARE(bars->barSets()[2]->sum(), 1.0);
    auto* names = qobject_cast<QBarCategoryAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
    QVERIFY(names);
    QCOMPARE(names->categories(), (QStringList { u"Blue"_s, u"Green"_s, u"Red"_s }));
    QCOMPARE(bars->barSets()[0]->at(2), 2.0); // Red's bar stands on Red's name
    QVERIFY(chart.setData(u"2.5"_s)); // fractions are numbers too
}

void TestChartControl::refusedSettingsChangeNothing()
{
    ChartControl chart;
    drawLikeTheReporter(chart, u"t"_s, ChartControl::Bar2d, kColour);
    QVERIFY(!chart.setColumn(0));
    QVERIFY(!chart.setColumn(4));
    QCOMPARE(chart.column(), 3);
    QVERIFY(!chart.setData(u"many"_s));
    QVERIFY(!chart.setData(QString()));
    QCOMPARE(chart.data(3), u"1"_s);
    QVERIFY(!chart.setChartType(3));
    QCOMPARE(chart.chartType(), 1);
    QVERIFY(!chart.setColumnCount(0));
    QVERIFY(!chart.setRowCount(0));
    QCOMPARE(chart.columnCount(), 3);
    QCOMPARE(chart.columnLabel(4), QString());

    // Fewer columns: the current one moves into range; more: defaults.
    QVERIFY(chart.setColumnCount(2));
    QCOMPARE(chart.column(), 2);
    QVERIFY(chart.setColumnCount(4));
    QCOMPARE(chart.columnLabel(4), u"C4"_s);
    QCOMPARE(chart.data(4), u"0"_s);
    QCOMPARE(chart.columnLabel(2), u"Green"_s);
}

// A question nobody has answered yet: no empty pie, but a sentence saying so.
void TestChartControl::nothingCountedSaysSo()
{
    for (const int type : { int(ChartControl::Pie2d), int(ChartControl::Bar2d) }) {
        ChartControl chart;
        drawLikeTheReporter(
            chart, u"Tea"_s, type, { { u"Checked"_s, u"0"_s }, { u"Not Checked"_s, u"0"_s } });
        QStringList notes;
        for (QGraphicsItem* item : chart.chart()->childItems()) {
            if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item))
                notes.append(text->text());
        }
        QCOMPARE(notes, QStringList { u"No answers yet"_s });
    }
    ChartControl answered;
    drawLikeTheReporter(answered, u"Tea"_s, ChartControl::Pie2d, kTea);
    for (QGraphicsItem* item : answered.chart()->childItems())
        QVERIFY(!dynamic_cast<QGraphicsSimpleTextItem*>(item));
}

void TestChartControl::redrawsOnceAfterARunOfSettings()
{
    ChartControl chart;
    chart.resize(400, 300);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QApplication::processEvents();
    QChart* before = chart.chartView()->chart();

    drawLikeTheReporter(chart, u"Lazy"_s, ChartControl::Pie2d, kTea);
    // Nothing rebuilt yet: the settings wait for the event loop.
    QCOMPARE(chart.chartView()->chart(), before);
    QTRY_VERIFY(chart.chartView()->chart() != before);
    QChart* after = chart.chartView()->chart();
    QCOMPARE(after->title(), u"Lazy"_s);
    QApplication::processEvents();
    QCOMPARE(chart.chartView()->chart(), after); // one drawing for the whole run
}

void TestChartControl::grabShowsTheLatestSettings()
{
    ChartControl chart;
    chart.resize(640, 480);
    drawLikeTheReporter(chart, u"Pie Chart of form Check Box 'Tea' :"_s, ChartControl::Pie2d, kTea);
    const QImage pie = chart.grab().toImage();
    drawLikeTheReporter(chart, u"Bar Chart of form Radio Buttons 'Colour' :"_s, ChartControl::Bar2d, kColour);
    const QImage bar = chart.grab().toImage(); // no event loop in between
    QVERIFY(pie != bar);
    QVERIFY(qobject_cast<QHorizontalStackedBarSeries*>(chart.chartView()->chart()->series().value(0)));
    QVERIFY(variety(bar).first > 10);
}

void TestChartControl::savedPictureFollowsTheExtension_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("magic");
    QTest::addColumn<int>("type");
    QTest::newRow("bmp") << u"graph_1.bmp"_s << QByteArray("BM") << int(ChartControl::Pie2d);
    QTest::newRow("png") << u"graph_1.png"_s << QByteArray("\x89PNG\r\n\x1a\n") << int(ChartControl::Bar2d);
    QTest::newRow("jpg") << u"graph_1.jpg"_s << QByteArray("\xFF\xD8\xFF") << int(ChartControl::Pie2d);
    QTest::newRow("upper-case extension") << u"GRAPH.BMP"_s << QByteArray("BM") << int(ChartControl::Bar2d);
}

void TestChartControl::savedPictureFollowsTheExtension()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, magic);
    QFETCH(int, type);
    TestProgramFolder folder(false);
    const QString path = folder.path() + u"/Reports/"_s + fileName;
    quenlow::test::writeBytes(path, "an older picture"); // replaced
    ChartControl chart; // never shown
    drawLikeTheReporter(chart, u"Chart of form Radio Buttons 'Colour' :"_s, type, kColour);
    const FileResult saved = chart.savePicture(path);
    QVERIFY2(saved, qPrintable(saved.error().detail));

    const QByteArray bytes = quenlow::test::readBytes(path);
    QVERIFY(bytes.startsWith(magic));
    const QImage image = QImage::fromData(bytes);
    QCOMPARE(image.size(), QSize(640, 480));
    const auto [colours, coloured] = variety(image); // not blank
    QVERIFY2(colours > 20, qPrintable(QString::number(colours)));
    QVERIFY2(coloured > 0.03, qPrintable(QString::number(coloured)));
    QCOMPARE(
        QDir(folder.path() + u"/Reports"_s).entryList(QDir::Files | QDir::Hidden), QStringList { fileName });
}

void TestChartControl::failedSavesWriteNothing()
{
    TestProgramFolder folder(false);
    const QString reports = folder.path() + u"/Reports/"_s;
    ChartControl chart;
    drawLikeTheReporter(chart, u"t"_s, ChartControl::Pie2d, kTea);

    // A missing folder and an unknown extension are refused in the report-charts scenario.
    FileResult result = chart.savePicture(reports + u"graph_1"_s);
    QVERIFY2(!result && result.error().detail.contains(u"no extension"_s), qPrintable(result.error().detail));

    QVERIFY(QDir(reports).mkdir(u"taken.bmp"_s));
    result = chart.savePicture(reports + u"taken.bmp"_s);
    QVERIFY2(
        !result && result.error().detail.contains(u"it is a folder"_s), qPrintable(result.error().detail));

    // A full disk half-way: the old picture stays whole.
    const QString path = reports + u"graph_1.bmp"_s;
    QVERIFY(chart.savePicture(path));
    const QByteArray before = quenlow::test::readBytes(path);
    chart.setTitle(u"changed"_s);
    {
        quenlow::test::FileSizeLimit full(1000);
        result = chart.savePicture(path);
    }
    QVERIFY2(
        !result && result.error().detail.contains(u"could be written"_s), qPrintable(result.error().detail));
    QCOMPARE(quenlow::test::readBytes(path), before);
    QCOMPARE(QDir(reports).entryList(QDir::Files | QDir::Hidden), QStringList { u"graph_1.bmp"_s });
}

QTEST_MAIN(TestChartControl)
#include "tst_chartcontrol.moc"
