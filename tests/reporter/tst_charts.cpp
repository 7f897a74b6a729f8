// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "ReporterFixture.h"
#include "database/AnswersStore.h"

#include "platform/BrowserView.h"
#include "platform/ChartControl.h"
#include "reporter/ChartCounts.h"
#include "reporter/ReporterForm.h"

#include <QDir>
#include <QLineEdit>
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

    void longMenuCountedFromItsFittedColumn()
    {
        ReporterFixture f;
        choices(f);
        ReporterForm form(f.session);
        showGraphs(form);
        child<QListWidget>(&form, u"GraphAbleData"_s)->setCurrentRow(2);
        // Longer than 64 characters: counted from the column of its first 64; "Talks " counts nowhere.
        QCOMPARE(form.chart()->title(), u"Pie Chart of form Pull Down Menu '"_s + kLongMenu + u"' :"_s);
        QCOMPARE(form.chart()->data(1), u"1"_s);
        QCOMPARE(form.chart()->data(2), u"2"_s);
        QVERIFY(f.folder.messageTexts().isEmpty());
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
        QVERIFY(AddAnswerColumn(f.session.answerTable(), u"Tea"_s, false));
        f.answer({{u"Name"_s, u"later"_s}, {u"Tea"_s, u"Not Checked"_s}});

        auto store = f.store();
        QCOMPARE(*countAnswers(*store, f.table(), u"Tea"_s, {u"Checked"_s, u"Not Checked"_s}), QList<qint64>({0, 1}));
        // Options repeated or missing from the table still get their count.
        QCOMPARE(*countAnswers(*store, f.table(), u"Tea"_s, {u"Not Checked"_s, u"Not Checked"_s, u"Maybe"_s}),
                 QList<qint64>({1, 1, 0}));
        // A column that is not there is an error, never its name counted as every answer.
        const auto missing = countAnswers(*store, f.table(), u"Checked"_s, {u"Checked"_s});
        QVERIFY(!missing && !missing.failedWith(Error::NotFound));
        QVERIFY(countAnswers(*store, u"tbl_gone"_s, u"Tea"_s, {u"Checked"_s}).failedWith(Error::NotFound));
    }

    void optionlessGroupChartsOneEmptyColumn()
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
    }

    void saveFailuresAreNeverReportedAsSaved()
    {
        ReporterFixture f;
        choices(f);
        ReporterForm form(f.session);
        showGraphs(form);
        auto* name = child<QLineEdit>(&form, u"GraphFileName"_s);

        // No name at all: refused, said once with the path, nothing written.
        name->setText(QString());
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"SaveGraphToFile"_s);
        QCOMPARE(f.folder.messages().boxes().size(), 1);
        QCOMPARE(f.folder.messages().boxes().at(0).icon, MessageIcon::Exclamation);
        const QString text = f.folder.messageTexts().at(0);
        QVERIFY2(text.startsWith(u"The chart cannot be saved to '"_s + f.folder.path() + u"/Reports/': "_s),
                 qPrintable(text));
        QCOMPARE(text.count(u"saved"_s), 1);
        QCOMPARE(QDir(f.folder.path() + u"/Reports"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());

    }
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestCharts)
#include "tst_charts.moc"
