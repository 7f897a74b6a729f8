// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "ReporterFixture.h"

#include "platform/BrowserView.h"
#include "platform/ChartControl.h"
#include "reporter/ChartCounts.h"
#include "reporter/ReporterDatabase.h"
#include "reporter/ReporterForm.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QSet>
#include <QTabBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

const QString kLongMenu = u"Which of these would you most like to see again at next year's meeting, please?"_s;

/// Tea (check box), Colour (radio buttons) and a long pull-down menu, with answers.
void choices(ReporterFixture& f)
{
    f.add(Kind::textField(), u"Name"_s);
    f.add(Kind::checkBox(), u"Tea"_s);
    f.add(Kind::radioButtons(), u"Colour"_s, {u"Red"_s, u"Green"_s, u"Blue"_s});
    f.add(Kind::pullDownMenu(), kLongMenu, {u"Talks"_s, u"Posters"_s});
    f.answer({{u"Name"_s, u"a"_s}, {u"Tea"_s, u"Checked"_s}, {u"Colour"_s, u"Red"_s}, {kLongMenu, u"Posters"_s}});
    f.answer({{u"Name"_s, u"b"_s}, {u"Tea"_s, u"Checked"_s}, {u"Colour"_s, u"Blue"_s}, {kLongMenu, u"Posters"_s}});
    f.answer({{u"Name"_s, u"c"_s}, {u"Tea"_s, u"Not Checked"_s}, {u"Colour"_s, u"Red"_s}, {kLongMenu, u"Talks"_s}});
    // Counted nowhere: an unknown option, another case, no answer.
    f.answer({{u"Name"_s, u"d"_s}, {u"Tea"_s, u"checked"_s}, {u"Colour"_s, u"Purple"_s}});
    f.answer({{u"Name"_s, u"e"_s}, {u"Colour"_s, u"red"_s}, {kLongMenu, u"Talks "_s}});
}

struct Drawn {
    QString title;
    int chartType;
    int columnCount;
    int rowCount;
    QString rowLabel;
    bool legend;
    QStringList labels;
    QStringList data;
};

Drawn drawn(ChartControl* chart)
{
    Drawn d{chart->title(), chart->chartType(), chart->columnCount(), chart->rowCount(), chart->rowLabel(),
            chart->showLegend(), {}, {}};
    for (int c = 1; c <= chart->columnCount(); ++c) {
        d.labels.append(chart->columnLabel(c));
        d.data.append(chart->data(c));
    }
    return d;
}

/// Opens the graphs page; its first question (Tea) is drawn.
void showGraphs(ReporterForm& form)
{
    child<QTabBar>(&form, u"TabStrip1"_s)->setCurrentIndex(1);
}

} // namespace

class TestCharts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void checkBoxPie()
    {
        ReporterFixture f;
        choices(f);
        ReporterForm form(f.session);
        showGraphs(form);
        QCOMPARE(rows(&form, u"GraphAbleData"_s), QStringList({u"Tea"_s, u"Colour"_s, kLongMenu}));
        const Drawn d = drawn(form.chart());
        QCOMPARE(d.title, u"Pie Chart of form Check Box 'Tea' :"_s);
        QCOMPARE(d.chartType, 14);
        QCOMPARE(d.columnCount, 2);
        QCOMPARE(d.rowCount, 1);
        QCOMPARE(d.rowLabel, QString());
        QVERIFY(d.legend);
        QCOMPARE(d.labels, QStringList({u"Checked"_s, u"Not Checked"_s}));
        QCOMPARE(d.data, QStringList({u"2"_s, u"1"_s}));
        QCOMPARE(child<QGroupBox>(&form, u"GraphFrame"_s)->title(), u"Tea"_s);
        QVERIFY(f.folder.messageTexts().isEmpty());
    }

    void radioButtonsExactAndCaseSensitive()
    {
        ReporterFixture f;
        choices(f);
        ReporterForm form(f.session);
        showGraphs(form);
        child<QListWidget>(&form, u"GraphAbleData"_s)->setCurrentRow(1);
        const Drawn d = drawn(form.chart());
        QCOMPARE(d.title, u"Pie Chart of form Radio Buttons 'Colour' :"_s);
        QCOMPARE(d.labels, QStringList({u"Red"_s, u"Green"_s, u"Blue"_s}));
        QCOMPARE(d.data, QStringList({u"2"_s, u"0"_s, u"1"_s})); // Purple and red nowhere
    }

    void barKindKeptForTheNextQuestion()
    {
        ReporterFixture f;
        choices(f);
        ReporterForm form(f.session);
        showGraphs(form);
        click(&form, u"ViewBarGraph"_s);
        QCOMPARE(form.chartKind(), u"Bar"_s);
        QCOMPARE(form.chart()->chartType(), 1);
        QCOMPARE(form.chart()->title(), u"Bar Chart of form Check Box 'Tea' :"_s);

        child<QListWidget>(&form, u"GraphAbleData"_s)->setCurrentRow(2);
        const Drawn d = drawn(form.chart());
        QCOMPARE(d.chartType, 1);
        // Longer than 64 characters: counted from the column of its first 64.
        QCOMPARE(d.title, u"Bar Chart of form Pull Down Menu '"_s + kLongMenu + u"' :"_s);
        QCOMPARE(d.labels, QStringList({u"Talks"_s, u"Posters"_s}));
        QCOMPARE(d.data, QStringList({u"1"_s, u"2"_s}));

        click(&form, u"ViewPieChart"_s);
        QCOMPARE(form.chartKind(), u"Pie"_s);
        QCOMPARE(form.chart()->chartType(), 14);
        QCOMPARE(form.chart()->title(), u"Pie Chart of form Pull Down Menu '"_s + kLongMenu + u"' :"_s);
    }

    void markerCountedAsNeither()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Name"_s);
        f.answer({{u"Name"_s, u"early"_s}});
        FormMethod tea;
        tea.methodType = Kind::checkBox();
        tea.userInstruction = u"Tea"_s;
        f.session.collection.append(QString::number(f.session.collection.count()), tea);
        QVERIFY(AddAnswerColumn(f.session.answerTable(), u"Tea"_s, Kind::checkBox()));
        f.answer({{u"Name"_s, u"later"_s}, {u"Tea"_s, u"Not Checked"_s}});

        auto db = f.database();
        QCOMPARE(*countAnswers(*db, f.table(), u"Tea"_s, {u"Checked"_s, u"Not Checked"_s}), QList<qint64>({0, 1}));
        // Options repeated or missing from the table still get their count.
        QCOMPARE(*countAnswers(*db, f.table(), u"Tea"_s, {u"Not Checked"_s, u"Not Checked"_s, u"Maybe"_s}),
                 QList<qint64>({1, 1, 0}));
        // A column that is not there is an error, never its name counted as every answer.
        db = openAnswersDatabase(f.folder.database());
        QString error;
        QVERIFY(!countAnswers(*db, f.table(), u"Checked"_s, {u"Checked"_s}, &error));
        QVERIFY2(error.contains(u"no such column"_s), qPrintable(error));
    }

    void noChoiceQuestions()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Name"_s);
        f.add(Kind::radioButtons(), u"Empty"_s, {}); // a group without options
        f.answer({{u"Name"_s, u"a"_s}});
        ReporterForm form(f.session);
        showGraphs(form);
        QCOMPARE(form.chart()->title(), u"Pie Chart of form Radio Buttons 'Empty' :"_s);
        QCOMPARE(form.chart()->columnCount(), 1);
        QCOMPARE(form.chart()->data(1), u"0"_s);

        ReporterFixture g;
        g.add(Kind::textField(), u"Name"_s);
        g.answer({{u"Name"_s, u"a"_s}});
        ReporterForm plain(g.session);
        showGraphs(plain);
        g.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&plain, u"ViewBarGraph"_s);
        QCOMPARE(g.folder.messageTexts(), {u"Sorry, but you don't have a field selected"_s});
        QCOMPARE(plain.chartKind(), u"Bar"_s);

        // Nothing was charted: no picture of empty axes is saved.
        g.folder.messages().clear();
        g.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&plain, u"SaveGraphToFile"_s);
        QCOMPARE(g.folder.messageTexts(), {u"There is no chart to save: no question of this form has been charted."_s});
        QVERIFY(!QFile::exists(g.folder.path() + u"/Reports/graph_1.bmp"_s));
    }

    void saveDefaultPicture()
    {
        ReporterFixture f;
        choices(f);
        ReporterForm form(f.session);
        showGraphs(form);
        child<QListWidget>(&form, u"GraphAbleData"_s)->setCurrentRow(1);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"SaveGraphToFile"_s);
        const QString path = f.folder.path() + u"/Reports/graph_1.bmp"_s;
        QCOMPARE(f.folder.messageTexts(), {u"The Chart has been saved to "_s + path});
        QCOMPARE(f.folder.messages().boxes().at(0).icon, MessageIcon::Information);

        const QByteArray bytes = readBytes(path);
        QVERIFY(bytes.startsWith("BM"));
        const QImage image(path);
        QCOMPARE(image.size(), QSize(640, 480));
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4)
                colours.insert(image.pixel(x, y));
        }
        QVERIFY2(colours.size() > 10, "the picture is blank");

        // Saving again replaces the picture; another extension, another format.
        child<QLineEdit>(&form, u"GraphFileName"_s)->setText(u"colour.png"_s);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"SaveGraphToFile"_s);
        QVERIFY(readBytes(f.folder.path() + u"/Reports/colour.png"_s).startsWith("\x89PNG"));
    }

    void saveFailuresAreNeverReportedAsSaved()
    {
        ReporterFixture f;
        choices(f);
        ReporterForm form(f.session);
        showGraphs(form);
        auto* name = child<QLineEdit>(&form, u"GraphFileName"_s);

        for (const QString& file : {u"graph.nosuchformat"_s, u"no such folder/graph.bmp"_s, QString()}) {
            name->setText(file);
            f.folder.messages().clear();
            f.folder.messages().queueAnswer(MessageAnswer::Ok);
            click(&form, u"SaveGraphToFile"_s);
            QCOMPARE(f.folder.messages().boxes().size(), 1);
            QCOMPARE(f.folder.messages().boxes().at(0).icon, MessageIcon::Exclamation);
            const QString text = f.folder.messageTexts().at(0);
            // Said once, with the path: not wrapped in a second sentence that repeats it.
            QVERIFY2(text.startsWith(u"The chart cannot be saved to '"_s + f.folder.path() + u"/Reports/"_s + file
                                     + u"': "_s),
                     qPrintable(text));
            QCOMPARE(text.count(u"saved"_s), 1);
        }
        QCOMPARE(QDir(f.folder.path() + u"/Reports"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());

        // The Reports folder itself gone.
        QVERIFY(QDir(f.folder.path() + u"/Reports"_s).removeRecursively());
        name->setText(u"graph_1.bmp"_s);
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"SaveGraphToFile"_s);
        QCOMPARE(f.folder.messages().boxes().at(0).icon, MessageIcon::Exclamation);
        QVERIFY(!QFile::exists(f.folder.path() + u"/Reports/graph_1.bmp"_s));
    }
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestCharts)
#include "tst_charts.moc"
