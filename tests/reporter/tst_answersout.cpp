// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// What leaves the reporter: exports, charts and their counts, report additions, the answers tab.
#include "ReporterFixture.h"

#include "core/TextFile.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "database/Receipts.h"
#include "export/AnswersExport.h"
#include "model/CollectionFile.h"
#include "model/Fragments.h"
#include "platform/BrowserView.h"
#include "platform/ChartControl.h"
#include "platform/WordDocument.h"
#include "reporter/AnswersPage.h"
#include "reporter/AnswersTableModel.h"
#include "reporter/AnswersTablePage.h"
#include "reporter/ChartCounts.h"
#include "reporter/ReportDocuments.h"
#include "reporter/ReporterForm.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

/// Colour (radio buttons), Tea (check box) and Name; four answers.
void colourForm(ReporterFixture& f)
{
    f.add(ElementKind::TextField, u"Name"_s);
    f.add(ElementKind::RadioButtons, u"Colour"_s, { u"Red"_s, u"Green"_s });
    f.add(ElementKind::CheckBox, u"Tea"_s);
    f.answer({ { u"Name"_s, u"Ada"_s }, { u"Colour"_s, u"Red"_s }, { u"Tea"_s, u"Checked"_s } });
    f.answer({ { u"Name"_s, u"brian"_s }, { u"Colour"_s, u"Green"_s }, { u"Tea"_s, u"Not Checked"_s } });
    f.answer({ { u"Name"_s, u"Cy, \"C\""_s }, { u"Colour"_s, u"Red"_s }, { u"Tea"_s, u"Checked"_s } });
    f.answer({ { u"Name"_s, u"Dee"_s } });
    f.writeCollection();
}

QString reportPath(const ReporterFixture& f)
{
    return f.folder.path() + u"/Reports/survey_Report.docx"_s;
}

QStringList column(const QAbstractItemModel& model, int c)
{
    QStringList values;
    for (int r = 0; r < model.rowCount(); ++r)
        values.append(model.index(r, c).data().toString());
    return values;
}

const QString kLongMenu
    = u"Which of these would you most like to see again at next year's meeting, please?"_s;

/// Tea (check box), Colour (radio buttons) and a long pull-down menu, with answers.
void choices(ReporterFixture& f)
{
    f.add(ElementKind::TextField, u"Name"_s);
    f.add(ElementKind::CheckBox, u"Tea"_s);
    f.add(ElementKind::RadioButtons, u"Colour"_s, { u"Red"_s, u"Green"_s, u"Blue"_s });
    f.add(ElementKind::PullDownMenu, kLongMenu, { u"Talks"_s, u"Posters"_s });
    f.answer({ { u"Name"_s, u"a"_s }, { u"Tea"_s, u"Checked"_s }, { u"Colour"_s, u"Red"_s },
        { kLongMenu, u"Posters"_s } });
    f.answer({ { u"Name"_s, u"b"_s }, { u"Tea"_s, u"Checked"_s }, { u"Colour"_s, u"Blue"_s },
        { kLongMenu, u"Posters"_s } });
    f.answer({ { u"Name"_s, u"c"_s }, { u"Tea"_s, u"Not Checked"_s }, { u"Colour"_s, u"Red"_s },
        { kLongMenu, u"Talks"_s } });
    // Counted nowhere: an unknown option, another case, no answer.
    f.answer({ { u"Name"_s, u"d"_s }, { u"Tea"_s, u"checked"_s }, { u"Colour"_s, u"Purple"_s } });
    f.answer({ { u"Name"_s, u"e"_s }, { u"Colour"_s, u"red"_s }, { kLongMenu, u"Talks "_s } });
}

/// A check box group, a box on its own and a scale from 1 to 5 (the figures are the scenarios').
void numbersForm(ReporterFixture& f)
{
    QuestionSettings drinks;
    drinks.questionText = u"Drinks?"_s;
    for (const QString& box : { u"Tea"_s, u"Coffee"_s })
        f.add(withQuestionSettings(checkBoxMethod(box, true, false), drinks));
    f.add(ElementKind::CheckBox, u"Agreed"_s);
    f.add(scaleMethod(u"Mood"_s, { 1, 5, u"Low"_s, u"High"_s }));
    f.answer({ { u"Tea"_s, u"Checked"_s }, { u"Coffee"_s, u"Checked"_s } });
    f.answer({ { u"Tea"_s, u"Checked"_s } });
}

/// Opens the graphs page; its first question (Tea) is drawn.
void showGraphs(ReporterForm& form)
{
    child<QTabBar>(&form, u"TabStrip1"_s)->setCurrentIndex(1);
}

} // namespace

class TestAnswersOut : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void exportWritesWhatTheCommandWrites()
    {
        ReporterFixture f;
        colourForm(f);
        ReporterForm form(f.session);
        const QString chosen = f.folder.path() + u"/Reports/answers.xlsx"_s;
        ReporterForm::setExportFileChooserForTesting([&] { return chosen; });
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"ExportAnswers"_s);
        QCOMPARE(f.folder.messageTexts(), { u"4 answers have been exported to "_s + chosen });
        QVERIFY(QFileInfo(chosen).size() > 0);

        // The menu entry does the same; the CSV is byte for byte the command's.
        const QString csv = f.folder.path() + u"/Reports/answers.csv"_s;
        ReporterForm::setExportFileChooserForTesting([&] { return csv; });
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        form.findChild<QAction*>(u"ExportAnswersMenu"_s)->trigger();
        const QString direct = f.folder.path() + u"/direct.csv"_s;
        const ExportRequest request { .appFolder = f.folder.path(),
            .pageFile = u"survey.html"_s,
            .format = ExportFormat::Csv,
            .outputPath = direct,
            .answersStore = f.folder.database() };
        QVERIFY(exportAnswers(request).ok());
        QCOMPARE(readBytes(csv), readBytes(direct));
        // A workbook is as readable as the CSV beside it; one replaced keeps the permissions it had.
        const auto mode = [](const QString& path) {
            return QFileInfo(path).permissions()
                & ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        };
        QCOMPARE(mode(chosen), mode(csv));
        QVERIFY(QFile::setPermissions(chosen, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        ReporterForm::setExportFileChooserForTesting([&] { return chosen; });
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"ExportAnswers"_s);
        QCOMPARE(mode(chosen), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

        // The file's extension chooses the format.
        for (const auto& [name, start] : { std::pair { u"answers.sav"_s, QByteArray("$FL2") },
                 std::pair { u"answers.dta"_s, QByteArray("<stata_dta>") },
                 std::pair { u"codebook.html"_s, QByteArray("<!DOCTYPE html>") } }) {
            const QString path = f.folder.path() + u"/Reports/"_s + name;
            ReporterForm::setExportFileChooserForTesting([&] { return path; });
            f.folder.messages().queueAnswer(MessageAnswer::Ok);
            click(&form, u"ExportAnswers"_s);
            QVERIFY2(readBytes(path).startsWith(start), qPrintable(name));
        }

        // A cancelled save dialog writes nothing and says nothing.
        ReporterForm::setExportFileChooserForTesting([] { return QString(); });
        click(&form, u"ExportAnswers"_s);
        QCOMPARE(f.folder.messageTexts().size(), 6);
        ReporterForm::setExportFileChooserForTesting(nullptr);
    }

    void chartAndSummaryGoIntoTheReport()
    {
        ReporterFixture f;
        colourForm(f);
        ReporterForm form(f.session);

        // Nothing charted yet: nothing to add.
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"AddChartToReport"_s);
        QVERIFY(f.folder.messageTexts().last().startsWith(u"There is no chart to add"_s));

        // No report yet: it is offered; No leaves everything as it was, Yes creates it and adds.
        f.folder.messages().queueAnswer(MessageAnswer::No);
        click(&form, u"AddSummaryToReport"_s);
        QCOMPARE(f.folder.messageTexts().last(),
            u"The word document 'survey_Report.docx' does not exist yet in "_s + f.folder.path()
                + u"/Reports/. Do you want to create it now and add the summary to it?"_s);
        QVERIFY(!QFileInfo::exists(reportPath(f)));
        form.findChild<QTabBar*>(u"TabStrip1"_s)->setCurrentIndex(1);
        f.folder.messages().queueAnswer(MessageAnswer::Yes);
        f.folder.messages().queueAnswer(
            MessageAnswer::Ok); // "The new word document ... has been created ..."
        f.addAndSave(form, u"AddChartToReport"_s);
        f.addAndSave(form, u"AddSummaryToReport"_s);

        WordDocument document;
        QVERIFY(document.open(reportPath(f)));
        const WordContent content = document.content();
        QVERIFY(content.text().contains(u"Pie Chart of form Radio Buttons 'Colour' :"_s));
        const QList<WordTable> tables = content.tables();
        QCOMPARE(tables.size(), 2);
        // Heading and remainder rows as the report-scale-summary scenario shows them.
        QCOMPARE(tables.at(0).rowTexts(1), (QStringList { u"Red"_s, u"2"_s, u"50.0%"_s }));
        QCOMPARE(tables.at(0).rowTexts(2), (QStringList { u"Green"_s, u"1"_s, u"25.0%"_s }));
        QCOMPARE(tables.at(0).rowCount(), 4);
        QCOMPARE(tables.at(1).rowTexts(1), (QStringList { u"Checked"_s, u"2"_s, u"50.0%"_s }));

        // The chart went in as a picture (its package parts are the word document's own tests').
        QVERIFY(document.documentXml().contains(u"r:embed=\"rIdReportPicture1\""_s));
    }

    /// Boxes asked as one question are listed together and one by one, a box on
    /// its own among them; a scale's bars keep their names however many.
    void scalesAndBoxGroupsAreCharted()
    {
        ReporterFixture f;
        numbersForm(f);
        ReporterForm form(f.session);
        showGraphs(form);
        auto* list = child<QListWidget>(&form, u"GraphAbleData"_s);
        QStringList rows;
        for (int r = 0; r < list->count(); ++r)
            rows.append(list->item(r)->text());
        QCOMPARE(rows, (QStringList { u"Drinks?"_s, u"Tea"_s, u"Coffee"_s, u"Agreed"_s, u"Mood"_s }));

        const auto bars = [&] {
            QStringList shown;
            for (int c = 1; c <= form.chart()->columnCount(); ++c)
                shown.append(form.chart()->columnLabel(c) + u'=' + form.chart()->data(c));
            return shown;
        };
        // A box of the group charted alone: those that left it unanswered are not "Not Checked".
        list->setCurrentRow(2);
        QCOMPARE(bars(), (QStringList { u"Checked=1"_s, u"Not Checked=0"_s }));
        QVERIFY(f.folder.messageTexts().isEmpty());

        // Eleven bars in the window as it opens: every bar's name is shown, none cut to "...".
        f.add(scaleMethod(u"Score"_s, { 0, 10, {}, {} }));
        ReporterForm wide(f.session);
        wide.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wide));
        showGraphs(wide);
        child<QListWidget>(&wide, u"GraphAbleData"_s)->setCurrentRow(5);
        click(&wide, u"ViewBarGraph"_s);
        QCOMPARE(wide.chart()->columnCount(), 11);
        wide.chart()->refresh();
        wide.chart()->chartView()->grab();
        QStringList names;
        for (QGraphicsItem* item : wide.chart()->chartView()->scene()->items()) {
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                names.append(text->toPlainText());
        }
        QVERIFY2(names.contains(u"10"_s) && !names.contains(u"..."_s), qPrintable(names.join(u'|')));
    }

    /// A grid is charted as one (a bar a statement, a segment an answer) and
    /// statement by statement; its summary is a table of statements by answers.
    void gridsAreChartedAndSummarised()
    {
        ReporterFixture f;
        f.add(gridMethod(u"Agree?"_s, { { u"Pace"_s, u"Room"_s }, { u"No"_s, u"Maybe"_s, u"Yes"_s } }));
        f.answer({ { u"Pace"_s, u"Yes"_s }, { u"Room"_s, u"No"_s } });
        f.answer({ { u"Pace"_s, u"Yes"_s }, { u"Room"_s, u"Maybe"_s } });
        f.answer({ { u"Room"_s, u"Yes"_s } });
        f.writeCollection();
        ReporterForm form(f.session);
        showGraphs(form);
        auto* list = child<QListWidget>(&form, u"GraphAbleData"_s);
        QStringList rows;
        for (int r = 0; r < list->count(); ++r)
            rows.append(list->item(r)->text());
        QCOMPARE(rows, (QStringList { u"Agree?"_s, u"Agree?: Pace"_s, u"Agree?: Room"_s }));
        list->setCurrentRow(0);
        click(&form, u"ViewBarGraph"_s);
        const QList<ChartControl::StackedRow> stacked = form.chart()->stackedRows();
        QCOMPARE(stacked.size(), 2);
        QCOMPARE(stacked.at(0).label, u"Pace"_s);
        QCOMPARE(stacked.at(0).values, (QList<double> { 0, 0, 2 }));
        QCOMPARE(stacked.at(1).values, (QList<double> { 1, 1, 1 }));
        QCOMPARE(form.chart()->columnLabel(3), u"Yes"_s);
        list->setCurrentRow(2);
        QVERIFY(form.chart()->stackedRows().isEmpty());
        QCOMPARE(form.chart()->data(2), u"1"_s);
        QVERIFY(f.folder.messageTexts().isEmpty());

        f.folder.messages().queueAnswer(MessageAnswer::Yes);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        f.addAndSave(form, u"AddSummaryToReport"_s);
        WordDocument document;
        QVERIFY(document.open(reportPath(f)));
        const QList<WordTable> tables = document.content().tables();
        QCOMPARE(tables.size(), 1);
        QCOMPARE(tables.at(0).rowTexts(0), (QStringList { u"Statement"_s, u"No"_s, u"Maybe"_s, u"Yes"_s }));
        QCOMPARE(tables.at(0).rowTexts(1),
            (QStringList { u"Pace"_s, u"0 (0.0%)"_s, u"0 (0.0%)"_s, u"2 (66.7%)"_s }));
        QCOMPARE(tables.at(0).rowTexts(2),
            (QStringList { u"Room"_s, u"1 (33.3%)"_s, u"1 (33.3%)"_s, u"1 (33.3%)"_s }));
    }

    /// A ranking is charted as one bar chart of its options' mean places, the
    /// preferred first; its summary is a table of mean places and firsts.
    void rankingsAreChartedAndSummarised()
    {
        ReporterFixture f;
        f.add(rankingMethod(u"Best?"_s, { u"Tea"_s, u"Coffee"_s, u"Cocoa"_s }));
        f.answer({ { u"Tea"_s, u"3"_s }, { u"Coffee"_s, u"1"_s }, { u"Cocoa"_s, u"2"_s } });
        f.answer({ { u"Tea"_s, u"2"_s }, { u"Coffee"_s, u"1"_s }, { u"Cocoa"_s, u"3"_s } });
        f.answer({ { u"Tea"_s, u"1"_s }, { u"Coffee"_s, u"3"_s }, { u"Cocoa"_s, u"2"_s } });
        f.answer({}); // left unranked: counts for none
        f.writeCollection();
        ReporterForm form(f.session);
        showGraphs(form);
        auto* list = child<QListWidget>(&form, u"GraphAbleData"_s);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), u"Best?"_s);
        list->setCurrentRow(0);
        click(&form, u"ViewBarGraph"_s);
        QCOMPARE(form.chart()->columnCount(), 3);
        QCOMPARE(form.chart()->columnLabel(1), u"Coffee"_s);
        QCOMPARE(form.chart()->value(1), 1.67);
        QCOMPARE(form.chart()->columnLabel(2), u"Tea"_s);
        QCOMPARE(form.chart()->value(2), 2.0);
        QCOMPARE(form.chart()->columnLabel(3), u"Cocoa"_s);
        QCOMPARE(form.chart()->value(3), 2.33);
        QVERIFY(f.folder.messageTexts().isEmpty());

        f.folder.messages().queueAnswer(MessageAnswer::Yes);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        f.addAndSave(form, u"AddSummaryToReport"_s);
        WordDocument document;
        QVERIFY(document.open(reportPath(f)));
        const QList<WordTable> tables = document.content().tables();
        QCOMPARE(tables.size(), 1);
        QCOMPARE(tables.at(0).rowTexts(0), (QStringList { u"Option"_s, u"Mean place"_s, u"Placed first"_s }));
        QCOMPARE(tables.at(0).rowTexts(1), (QStringList { u"Tea"_s, u"2"_s, u"1 (25.0%)"_s }));
        QCOMPARE(tables.at(0).rowTexts(2), (QStringList { u"Coffee"_s, u"1.67"_s, u"2 (50.0%)"_s }));
        QCOMPARE(tables.at(0).rowTexts(3), (QStringList { u"Cocoa"_s, u"2.33"_s, u"0 (0.0%)"_s }));
    }

    // Reading the answers again on coming back to the tab: a table that cannot be
    // read is said, and no rows of the earlier reading stay.
    void answersTabSaysWhenTheTableCannotBeReadAgain()
    {
        ReporterFixture f;
        colourForm(f);
        ReporterForm form(f.session);
        auto* tabs = form.findChild<QTabBar*>(u"TabStrip1"_s);
        tabs->setCurrentIndex(2);
        QCOMPARE(form.answersModel()->rowCount(), 4);
        QVERIFY(f.store()->dropTable(f.table()));
        tabs->setCurrentIndex(0);
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        tabs->setCurrentIndex(2);
        const QString unreadable
            = u"The table '"_s + f.table() + u"' of the answers database cannot be read ("_s;
        QCOMPARE(f.folder.messageTexts().size(), 1);
        QVERIFY2(
            f.folder.messageTexts().at(0).startsWith(unreadable), qPrintable(f.folder.messageTexts().at(0)));
        QCOMPARE(form.answersModel()->rowCount(), 0);
        // Sorting from the heading has no caller to tell: the page says it once the view is done.
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        form.answersModel()->sort(0, Qt::DescendingOrder);
        QTRY_COMPARE(f.folder.messageTexts().size(), 2);
        QVERIFY2(
            f.folder.messageTexts().at(1).startsWith(unreadable), qPrintable(f.folder.messageTexts().at(1)));
    }

    void answersTabSortsFiltersAndDeletesOnlyTheSelected()
    {
        ReporterFixture f;
        colourForm(f);
        ReporterForm form(f.session);
        form.findChild<QTabBar*>(u"TabStrip1"_s)->setCurrentIndex(2);
        AnswersTableModel* model = form.answersModel();
        QVERIFY(model);
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->columnCount(), 3 + AnswersTableModel::kExtraColumns);
        QCOMPARE(column(*model, 0), (QStringList { u"Ada"_s, u"brian"_s, u"Cy, \"C\""_s, u"Dee"_s }));

        model->sort(0, Qt::DescendingOrder);
        QCOMPARE(column(*model, 0), (QStringList { u"Dee"_s, u"Cy, \"C\""_s, u"brian"_s, u"Ada"_s }));
        // Case of ASCII letters does not matter; % and _ are plain characters.
        QVERIFY(model->setFilterText(u"RED"_s));
        QCOMPARE(column(*model, 0), (QStringList { u"Cy, \"C\""_s, u"Ada"_s }));
        QVERIFY(model->setFilterText(u"%"_s));
        QCOMPARE(model->rowCount(), 0);
        QVERIFY(model->setFilterText(QString()));
        model->sort(-1);

        auto* view = form.findChild<QTableView*>(u"AnswersTable"_s);
        view->selectRow(1);
        // Stored by the collection service while the tab is open.
        f.answer({ { u"Name"_s, u"Eve"_s } });
        f.folder.messages().queueAnswer(MessageAnswer::No);
        click(&form, u"DeleteAnswer"_s);
        QCOMPARE(f.store()->rowCount(f.table()).valueOr(-1), 5);

        // Browsing shows brian, answer 2 of 5, as it is deleted.
        auto* shown = form.findChild<QPlainTextEdit*>(u"FieldAnswerTextBox"_s);
        auto* goTo = form.findChild<QLineEdit*>(u"GoToAnswerNumber"_s);
        goTo->setText(u"2"_s);
        click(&form, u"GoToAnswer"_s);
        QCOMPARE(shown->toPlainText(), u"brian"_s);
        view->selectRow(1);
        f.folder.messages().queueAnswer(MessageAnswer::Yes);
        click(&form, u"DeleteAnswer"_s);
        QCOMPARE(f.folder.messageTexts().last(),
            u"Do you want to delete the selected answer? It cannot be brought back."_s);
        QCOMPARE(f.folder.messages().boxes().last().defaultAnswer, MessageAnswer::No);
        QCOMPARE(column(*model, 0), (QStringList { u"Ada"_s, u"Cy, \"C\""_s, u"Dee"_s, u"Eve"_s }));

        // Browsing follows at once: answer 2 of 4 is now Cy, and Next goes on to Dee.
        QCOMPARE(form.findChild<QLabel*>(u"AnswerNumber"_s)->text(), u"2"_s);
        QCOMPARE(form.findChild<QLabel*>(u"AnswerTotal"_s)->text(), u"of 4"_s);
        QCOMPARE(form.findChild<QLabel*>(u"FormState"_s)->text(), u"Form state: Open"_s);
        QCOMPARE(shown->toPlainText(), u"Cy, \"C\""_s);
        click(&form, u"NextAnswer"_s);
        QCOMPARE(shown->toPlainText(), u"Dee"_s);
        // A receipt code as its sender may type it reaches Eve, answer 4 now that the ids have a gap.
        const AnswersStore::Row eve = f.store()->readRows(f.table(), {}, -1, 10, true)->last();
        const QString receipt
            = receiptFor(f.store()->sharedKey().valueOr({}), eve.id, eve.arrivedAt.value_or(QDateTime()));
        goTo->setText(receipt.left(4).toLower() + u" - "_s + receipt.mid(4));
        click(&form, u"GoToAnswer"_s);
        QCOMPARE(shown->toPlainText(), u"Eve"_s);
        QCOMPARE(form.findChild<QLabel*>(u"AnswerNumber"_s)->text(), u"4"_s);
        const QString unknown = receipt.at(0) == u'X' ? u"YYYY-YYYY"_s : u"XXXX-XXXX"_s;
        goTo->setText(unknown);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"GoToAnswer"_s);
        QCOMPARE(f.folder.messageTexts().last(), u"No answer has the receipt code '"_s + unknown + u"'."_s);
        QCOMPARE(shown->toPlainText(), u"Eve"_s);
        // So do the report's table and the answers page.
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"CreateReport"_s);
        click(&form, u"AddFieldToReportTable"_s);
        f.addAndSave(form, u"AddTable"_s);
        WordDocument document;
        QVERIFY(document.open(reportPath(f)));
        QCOMPARE(
            document.content().tables().value(0).rowCount(), 6); // heading, 4 answers, the row moved on to
        QCOMPARE(document.content().tables().value(0).rowTexts(2), QStringList { u"Cy, \"C\""_s });
        QVERIFY(writeAnswersTablePage(f.session));
        const QByteArray page = readBytes(f.folder.html(u"dbTableOfAnswers.html"_s));
        QVERIFY(page.contains("Dee") && !page.contains("brian"));
        QCOMPARE(f.folder.messages().pendingAnswers(), 0);
    }

    // Who sent what: the times and receipt of each answer, sortable, their
    // columns hidden and shown for good; a row opens whole.
    void answersTabShowsWhoSentWhat()
    {
        QStandardPaths::setTestModeEnabled(true); // the program's settings, never the user's
        ReporterFixture f;
        f.add(ElementKind::TextField, u"Name"_s);
        f.add(ElementKind::TextArea, u"Notes"_s);
        f.writeCollection();
        const QDateTime nine(QDate(2026, 12, 6), QTime(9, 0, 0), Qt::UTC);
        AnswersStore::NewRow ann { f.table(), { { u"Name"_s, u"Ann"_s }, { u"Notes"_s, u"two\nlines"_s } },
            u"page-1"_s, nine, {} };
        AnswersStore::NewRow bob { f.table(), { { u"Name"_s, u"Bob"_s } }, u"page-2"_s, nine.addSecs(3600),
            {} };
        QVERIFY(f.store()->insertRows({ ann, bob }));
        ann.values = { { u"Name"_s, u"Anne"_s }, { u"Notes"_s, u"two\nlines"_s } };
        ann.arrivedAt = nine.addSecs(7200); // the same page sent again: a change
        QVERIFY(f.store()->insertRows({ ann }));
        f.answer({ { u"Name"_s, u"Cy"_s } }); // kept before times were

        const QByteArray key = f.store()->sharedKey().valueOr(QByteArray());
        // Ids as the store gave them (a server's sequence may skip one for the page sent again).
        const QList<AnswersStore::Row> ids = f.store()->readRows(f.table(), {}, -1, 10).valueOr({});
        QCOMPARE(ids.size(), 3);
        const QStringList receipts { receiptFor(key, ids.at(0).id, nine),
            receiptFor(key, ids.at(1).id, nine.addSecs(3600)), receiptFor(key, ids.at(2).id, {}) };
        const auto shown
            = [](const QDateTime& t) { return t.toLocalTime().toString(u"yyyy-MM-dd HH:mm:ss"_s); };

        auto form = std::make_unique<ReporterForm>(f.session);
        child<QTabBar>(form.get(), u"TabStrip1"_s)->setCurrentIndex(2);
        AnswersTableModel* model = form->answersModel();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->columnCount(), 5);
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), u"Submitted"_s);
        QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), u"Changed"_s);
        QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), u"Receipt"_s);
        QCOMPARE(column(*model, 0), (QStringList { u"Anne"_s, u"Bob"_s, u"Cy"_s }));
        QCOMPARE(column(*model, 2), (QStringList { shown(nine), shown(nine.addSecs(3600)), QString() }));
        QCOMPARE(column(*model, 3), (QStringList { shown(nine.addSecs(7200)), QString(), QString() }));
        // The receipt each person was given, made from the first arrival.
        QCOMPARE(column(*model, 4), receipts);

        model->sort(3, Qt::DescendingOrder);
        QCOMPARE(column(*model, 0), (QStringList { u"Anne"_s, u"Cy"_s, u"Bob"_s }));
        model->sort(2, Qt::DescendingOrder);
        QCOMPARE(column(*model, 0), (QStringList { u"Cy"_s, u"Bob"_s, u"Anne"_s }));
        model->sort(4, Qt::AscendingOrder);
        QStringList sorted = receipts;
        sorted.sort();
        QCOMPARE(column(*model, 4), sorted);
        // Sorted by receipt and filtered: only the matching rows, still in that order.
        QVERIFY(model->setFilterText(u"o"_s));
        QCOMPARE(model->rowCount(), 2);
        QVERIFY(column(*model, 4).at(0) < column(*model, 4).at(1));
        QVERIFY(model->setFilterText(QString()));
        model->sort(-1);

        // Enter on a row, or a double-click, shows the whole answer, copied as text.
        auto* view = child<QTableView>(form.get(), u"AnswersTable"_s);
        view->setCurrentIndex(model->index(0, 0));
        QString text;
        {
            ModalStep step(u"AnswerView"_s, [&](QWidget* w) {
                text = child<QTextBrowser>(w, u"AnswerText"_s)->toPlainText();
                click(w, u"CopyAnswer"_s);
                click(w, u"CloseAnswer"_s);
            });
            QTest::keyClick(view, Qt::Key_Return);
            QVERIFY(!step.leftOpen());
        }
        for (const QString& part :
            { u"Anne"_s, u"two\nlines"_s, shown(nine), shown(nine.addSecs(7200)), receipts.at(0) })
            QVERIFY2(text.contains(part), qPrintable(text));
        QVERIFY2(QApplication::clipboard()->text().startsWith(u"Name: Anne\nNotes: two\nlines\n"_s),
            qPrintable(QApplication::clipboard()->text()));
        QVERIFY(QApplication::clipboard()->text().contains(u"Receipt: "_s + receipts.at(0)));
        {
            ModalStep step(u"AnswerView"_s, [&](QWidget* w) {
                text = child<QTextBrowser>(w, u"AnswerText"_s)->toPlainText();
                click(w, u"CloseAnswer"_s);
            });
            emit view->doubleClicked(model->index(2, 1));
            QVERIFY(!step.leftOpen());
        }
        QVERIFY2(
            text.contains(u"Cy"_s) && text.contains(u"(no answer)"_s) && text.contains(u"(not recorded)"_s),
            qPrintable(text));

        // Hidden columns stay hidden in the next run, and come back when shown.
        auto* page = form->findChild<AnswersPage*>();
        page->setColumnShown(4, false);
        page->setColumnShown(2, false);
        page->setColumnShown(2, true);
        form = std::make_unique<ReporterForm>(f.session);
        child<QTabBar>(form.get(), u"TabStrip1"_s)->setCurrentIndex(2);
        view = child<QTableView>(form.get(), u"AnswersTable"_s);
        QVERIFY(view->isColumnHidden(4));
        QVERIFY(!view->isColumnHidden(2) && !view->isColumnHidden(0));
        form->findChild<AnswersPage*>()->setColumnShown(4, true);
        QVERIFY(!QSettings().contains(u"reporter/hiddenAnswerColumns/"_s + f.table()));
    }

    // Sorting as the store compares: nulls first, ASCII case folded, ties
    // in stored order, texts alike in their first 16 bytes told apart after.
    void answersSortedAsTheStoreCompares()
    {
        ReporterFixture f;
        colourForm(f);
        f.add(ElementKind::TextField, u"Long"_s);
        f.answerMany(
            { { { u"Long"_s, u"Same first sixteen: b"_s } }, { { u"Long"_s, u"same FIRST sixteen: A"_s } },
                { { u"Long"_s, u"Same first sixteen"_s } }, { { u"Long"_s, u"10"_s } } });
        AnswersTableModel model(f.folder.database(), f.table(), { u"Name"_s, u"Colour"_s, u"Long"_s });
        model.sort(1, Qt::AscendingOrder);
        QCOMPARE(column(model, 0).mid(0, 6),
            (QStringList { u"Dee"_s, QString(), QString(), QString(), QString(), u"brian"_s }));
        QCOMPARE(column(model, 0).mid(6), (QStringList { u"Ada"_s, u"Cy, \"C\""_s }));
        model.sort(1, Qt::DescendingOrder);
        QCOMPARE(column(model, 0).mid(0, 3), (QStringList { u"Ada"_s, u"Cy, \"C\""_s, u"brian"_s }));
        model.sort(2, Qt::AscendingOrder);
        QCOMPARE(column(model, 2).mid(4),
            (QStringList {
                u"10"_s, u"Same first sixteen"_s, u"same FIRST sixteen: A"_s, u"Same first sixteen: b"_s }));
    }

    // Invited people who answered by name: who, and their attributes, after the receipt.
    void answersTabShowsWhichParticipantAnswered()
    {
        ReporterFixture f;
        f.add(ElementKind::TextField, u"Name"_s);
        Participant bo;
        bo.code = u"FGHJ3479"_s;
        bo.name = u"Bo"_s;
        bo.attributes = { { u"Site"_s, u"North"_s } };
        QVERIFY(addParticipants(*f.store(), f.table(), { bo }));
        f.answer({ { u"Name"_s, u"without a code"_s } });
        AnswersStore::NewRow row;
        row.table = f.table();
        row.values = { { u"Name"_s, u"Bos answer"_s } };
        row.participantCode = bo.code;
        QVERIFY(f.store()->insertRows({ row }));
        AnswersTableModel model(f.folder.database(), f.table(), { u"Name"_s });
        QAbstractItemModelTester tester(&model);
        QVERIFY(model.refresh());
        const int who = 1 + AnswersTableModel::kExtraColumns;
        QCOMPARE(model.columnCount(), who + 2);
        QCOMPARE(model.headerData(who, Qt::Horizontal).toString(), u"Participant"_s);
        QCOMPARE(model.headerData(who + 1, Qt::Horizontal).toString(), u"Site"_s);
        QCOMPARE(model.index(0, who).data().toString(), QString());
        QCOMPARE(model.index(1, who).data().toString(), u"FGHJ3479"_s);
        QCOMPARE(model.index(1, who + 1).data().toString(), u"North"_s);
        model.sort(who, Qt::AscendingOrder); // shown, not sorted by: stored order stays
        QCOMPARE(model.index(1, 0).data().toString(), u"Bos answer"_s);
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
        f.add(ElementKind::TextField, u"Name"_s);
        f.answer({ { u"Name"_s, u"early"_s } });
        f.session.changeableCollection().append(checkBoxMethod(u"Tea"_s, true, false));
        QVERIFY(addAnswerColumn(f.session.answerTable(), u"Tea"_s, false));
        f.answer({ { u"Name"_s, u"later"_s }, { u"Tea"_s, u"Not Checked"_s } });

        auto store = f.store();
        // The marker counts as neither; options repeated or missing from the table still get their count.
        QCOMPARE(
            *countAnswers(*store, f.table(), u"Tea"_s, { u"Not Checked"_s, u"Not Checked"_s, u"Maybe"_s }),
            QList<qint64>({ 1, 1, 0 }));
        // A column that is not there is an error, never its name counted as every answer.
        const auto missing = countAnswers(*store, f.table(), u"Checked"_s, { u"Checked"_s });
        QVERIFY(!missing && !missing.failedWith(Error::NotFound));
        QVERIFY(countAnswers(*store, u"tbl_gone"_s, u"Tea"_s, { u"Checked"_s }).failedWith(Error::NotFound));
    }

    // Answers typed after "Other:" are charted as written after the options,
    // those given at least twice most often first, the rest together.
    void typedAnswersChartedAfterTheOptions()
    {
        ReporterFixture f;
        QuestionSettings other;
        other.otherAnswer = true;
        f.add(withQuestionSettings(
            radioButtonsMethod(u"Lunch"_s, { u"Soup"_s, u"Salad"_s }, u"none"_s), other));
        f.answerMany({ { { u"Lunch"_s, u"Soup"_s } }, { { u"Lunch"_s, u"Curry"_s } },
            { { u"Lunch"_s, u"Tacos"_s } }, { { u"Lunch"_s, u"Curry"_s } }, { { u"Lunch"_s, u"Tacos"_s } },
            { { u"Lunch"_s, u"Tacos"_s } }, { { u"Lunch"_s, u"Sushi"_s } }, { { u"Lunch"_s, u"Pie"_s } },
            { { u"Lunch"_s, QString() } } });
        ReporterForm form(f.session);
        showGraphs(form);
        QCOMPARE(form.chart()->columnCount(), 5);
        const QStringList labels { u"Soup"_s, u"Salad"_s, u"Tacos"_s, u"Curry"_s, u"Other"_s };
        const QStringList counts { u"1"_s, u"0"_s, u"3"_s, u"2"_s, u"2"_s };
        for (int c = 1; c <= 5; ++c) {
            QCOMPARE(form.chart()->columnLabel(c), labels.at(c - 1));
            QCOMPARE(form.chart()->data(c), counts.at(c - 1));
        }
    }

    // A check box group's answers typed after "Other:" follow its boxes, charted the same way.
    void aGroupsTypedAnswersChartedAfterItsBoxes()
    {
        ReporterFixture f;
        QuestionSettings drinks;
        drinks.questionText = u"Drinks?"_s;
        QuestionSettings first = drinks;
        first.otherAnswer = true;
        f.add(withQuestionSettings(checkBoxMethod(u"Tea"_s, true, false), first));
        f.add(withQuestionSettings(checkBoxMethod(u"Coffee"_s, true, false), drinks));
        f.answerMany({ { { u"Tea"_s, u"Checked"_s }, { u"Drinks?: Other"_s, u"Mate"_s } },
            { { u"Coffee"_s, u"Checked"_s }, { u"Drinks?: Other"_s, u"Mate"_s } },
            { { u"Tea"_s, u"Checked"_s }, { u"Drinks?: Other"_s, u"Cocoa"_s } },
            { { u"Tea"_s, u"Checked"_s } } });
        ReporterForm form(f.session);
        showGraphs(form);
        QStringList bars;
        for (int c = 1; c <= form.chart()->columnCount(); ++c)
            bars.append(form.chart()->columnLabel(c) + u'=' + form.chart()->data(c));
        QCOMPARE(bars, (QStringList { u"Tea=3"_s, u"Coffee=1"_s, u"Mate=2"_s, u"Other=1"_s }));
    }

    void optionlessGroupChartsOneEmptyColumn()
    {
        ReporterFixture f;
        f.add(ElementKind::TextField, u"Name"_s);
        f.add(ElementKind::RadioButtons, u"Empty"_s, {}); // a group without options
        f.answer({ { u"Name"_s, u"a"_s } });
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
        QCOMPARE(QDir(f.folder.path() + u"/Reports"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList());
    }
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestAnswersOut)
#include "tst_answersout.moc"
