// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "ReporterFixture.h"

#include "platform/BrowserView.h"
#include "platform/ChartControl.h"
#include "reporter/Reporter.h"
#include "reporter/ReporterForm.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

const QString kLong70 = u"Please describe, in a few words, what you liked best about the course"_s;

/// The example form: header, a text field Name, a check box Tea, a submit button.
void nameAndTea(ReporterFixture& f)
{
    f.add(Kind::textField(), u"Name"_s);
    f.add(Kind::checkBox(), u"Tea"_s);
    f.add(Kind::submitButton(), u"Submit"_s);
    f.answer({{u"Name"_s, u"Ada"_s}, {u"Tea"_s, u"Checked"_s}});
}

QString caption(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return t->toPlainText();
    return {};
}

} // namespace

class TestReporterWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void reporterCommandChecksTheTable()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"Name"_s);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        openReporter(f.session, nullptr);
        QCOMPARE(f.folder.messageTexts(), {u"The table for the form 'survey' contains no data to report."_s});
        QCOMPARE(f.folder.messages().boxes().at(0).icon, MessageIcon::Exclamation);

        QVERIFY(f.database()->dropTable(f.table()));
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        openReporter(f.session, nullptr);
        QCOMPARE(f.folder.messageTexts(), {u"The table containing the data for the form survey.html is missing."_s});

        QVERIFY(QFile::remove(f.folder.database()));
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        openReporter(f.session, nullptr);
        QCOMPARE(f.folder.messageTexts().size(), 1);
        QVERIFY(f.folder.messageTexts().at(0).contains(u"cannot be opened"_s));
        QVERIFY(!QFile::exists(f.folder.database()));
    }

    void reporterOpensModalAndExits()
    {
        ReporterFixture f;
        nameAndTea(f);
        QWidget owner;
        owner.setObjectName(u"MainForm"_s);
        owner.show();
        Reporter reporter(f.session, &owner);
        bool checked = false;
        {
            WhenModal modal(u"ReporterForm"_s, [&](QWidget* w) {
                QCOMPARE(w->windowTitle(), u"Reporter"_s);
                QCOMPARE(w->parentWidget(), &owner);
                QCOMPARE(Reporter::openForm(), w);
                QCOMPARE(child<QLabel>(w, u"FormQuestionText"_s)->text(), u"Name"_s);
                checked = true;
                click(w, u"ExitReporter"_s);
            });
            reporter.openReporter();
        }
        QVERIFY(checked);
        QCOMPARE(Reporter::openForm(), nullptr);
        QVERIFY(f.folder.messageTexts().isEmpty());
    }

    void controlsCaptionsAndPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("container");
        const auto row = [](const QString& name, const QString& text, const QString& container) {
            QTest::newRow(qPrintable(name)) << name << text << container;
        };
        row(u"Frame1(1)"_s, u"Reporter"_s, u"ReporterForm"_s);
        row(u"Frame1(2)"_s, u"Graphs"_s, u"ReporterForm"_s);
        row(u"ExitReporter"_s, u"Exit Reporter"_s, u"ReporterForm"_s);
        row(u"WordReportName"_s, u"Current Word Report Name :"_s, u"Frame1(1)"_s);
        row(u"Label3"_s, u">"_s, u"Frame1(1)"_s);
        row(u"WordDocumentName"_s, u"survey_Report.doc"_s, u"Frame1(1)"_s);
        row(u"CreateReport"_s, u"Create New Report"_s, u"Frame1(1)"_s);
        row(u"TableFields"_s, u"Table Fields"_s, u"Frame1(1)"_s);
        row(u"TableFieldsList"_s, {}, u"TableFields"_s);
        row(u"AddAllFields"_s, u"Add All"_s, u"TableFields"_s);
        row(u"AddFieldToReportTable"_s, u"Add Field To Report Table"_s, u"TableFields"_s);
        row(u"ViewFieldAnswerOne"_s, u"View Answer Number 1 of current field below"_s, u"TableFields"_s);
        row(u"FieldsToBeInWordTableFrame"_s, u"Fields in Table to be added to report"_s, u"Frame1(1)"_s);
        row(u"ReportTableFieldsList"_s, {}, u"FieldsToBeInWordTableFrame"_s);
        row(u"RemoveFieldFromReportTableList"_s, u"Remove Field From Report Table"_s, u"FieldsToBeInWordTableFrame"_s);
        row(u"RemoveAllField"_s, u"Remove All"_s, u"FieldsToBeInWordTableFrame"_s);
        row(u"AddTable"_s, u"Add above Table To Word Report"_s, u"FieldsToBeInWordTableFrame"_s);
        row(u"ViewFieldAnswersFrame"_s, u"View Field Answers"_s, u"Frame1(1)"_s);
        row(u"Label1"_s, u":"_s, u"ViewFieldAnswersFrame"_s);
        row(u"FieldAnswerTextBox"_s, {}, u"ViewFieldAnswersFrame"_s);
        row(u"AnswerNumberText"_s, u"Answer Number"_s, u"ViewFieldAnswersFrame"_s);
        row(u"AnswerNumber"_s, u"1"_s, u"ViewFieldAnswersFrame"_s);
        row(u"PreviousAnswer"_s, u"View Previous Answer"_s, u"ViewFieldAnswersFrame"_s);
        row(u"NextAnswer"_s, u"View Next Answer"_s, u"ViewFieldAnswersFrame"_s);
        row(u"AddAnswerToReport"_s, u"Add above text to Word Report"_s, u"ViewFieldAnswersFrame"_s);
        row(u"GraphFrame"_s, u"Graph Name"_s, u"Frame1(2)"_s);
        row(u"MyChart"_s, {}, u"GraphFrame"_s);
        row(u"GraphableTableFields"_s, u"Graphable Table Fields - Check Boxes, Select Menus, Radio Buttons"_s,
            u"Frame1(2)"_s);
        row(u"GraphAbleData"_s, {}, u"GraphableTableFields"_s);
        row(u"ViewPieChart"_s, u"View Pie Chart"_s, u"GraphableTableFields"_s);
        row(u"ViewBarGraph"_s, u"View Bar Graph"_s, u"GraphableTableFields"_s);
        row(u"GraphNameText"_s, u"Graph File Name :"_s, u"Frame1(2)"_s);
        row(u"GraphFileName"_s, u"graph_1.bmp"_s, u"Frame1(2)"_s);
        row(u"SaveGraphToFile"_s, u"Save Graph To File"_s, u"Frame1(2)"_s);
    }

    void controlsCaptionsAndPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, container);
        ReporterFixture f; // a form without questions: nothing is shown at opening
        ReporterForm form(f.session);
        auto* w = child<QWidget>(&form, name);
        QVERIFY(w);
        QCOMPARE(caption(w), text);
        QWidget* up = w->parentWidget();
        while (up && up->objectName().isEmpty())
            up = up->parentWidget();
        QVERIFY(up);
        QCOMPARE(up->objectName(), container);
    }

    void tabStripAndFrames()
    {
        ReporterFixture f;
        ReporterForm form(f.session);
        auto* tabs = child<QTabBar>(&form, u"TabStrip1"_s);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), u"View and export data to Word Document"_s);
        QCOMPARE(tabs->tabText(1), u"View and save Graphs of data for inclusion in Report"_s);
        QCOMPARE(form.currentFrame(), qint16(1));
        QCOMPARE(form.chartKind(), u"Pie"_s);
        QCOMPARE(child<QWidget>(&form, u"FormQuestionText"_s)->property("text").toString(), u"FormQuestionText"_s);
        form.show();
        QVERIFY(child<QWidget>(&form, u"Frame1(1)"_s)->isVisible());
        QVERIFY(!child<QWidget>(&form, u"Frame1(2)"_s)->isVisible());
        tabs->setCurrentIndex(1);
        QCOMPARE(form.currentFrame(), qint16(2));
        QVERIFY(!child<QWidget>(&form, u"Frame1(1)"_s)->isVisible());
        QVERIFY(child<QWidget>(&form, u"Frame1(2)"_s)->isVisible());
    }

    void listsOfTheExampleForm()
    {
        ReporterFixture f;
        nameAndTea(f);
        ReporterForm form(f.session);
        QCOMPARE(rows(&form, u"TableFieldsList"_s), QStringList({u"Text Field - Name"_s, u"Check Box - Tea"_s}));
        QCOMPARE(form.reportableCollection(), QStringList({u"Name"_s, u"Tea"_s}));
        QCOMPARE(child<QListWidget>(&form, u"TableFieldsList"_s)->currentRow(), 0);
        QCOMPARE(child<QPlainTextEdit>(&form, u"FieldAnswerTextBox"_s)->toPlainText(), u"Ada"_s);
        QVERIFY(rows(&form, u"GraphAbleData"_s).isEmpty()); // built when the graphs page shows

        child<QTabBar>(&form, u"TabStrip1"_s)->setCurrentIndex(1);
        QCOMPARE(rows(&form, u"GraphAbleData"_s), QStringList({u"Tea"_s}));
        QCOMPARE(child<QListWidget>(&form, u"GraphAbleData"_s)->currentRow(), 0);
        QCOMPARE(form.chart()->title(), u"Pie Chart of form Check Box 'Tea' :"_s);
        QVERIFY(f.folder.messageTexts().isEmpty());
    }

    void formWithoutQuestions()
    {
        ReporterFixture f;
        f.add(Kind::plainText(), u"Welcome"_s);
        f.add(Kind::line(), {});
        f.add(Kind::submitButton(), u"Submit"_s);
        f.answer({});
        ReporterForm form(f.session);
        QVERIFY(rows(&form, u"TableFieldsList"_s).isEmpty());
        QCOMPARE(child<QListWidget>(&form, u"TableFieldsList"_s)->currentRow(), -1);
        QCOMPARE(child<QLineEdit>(&form, u"WordDocumentName"_s)->text(), u"survey_Report.doc"_s);
        child<QTabBar>(&form, u"TabStrip1"_s)->setCurrentIndex(1);
        QVERIFY(rows(&form, u"GraphAbleData"_s).isEmpty());
        QVERIFY(f.folder.messageTexts().isEmpty()); // no chart drawn, nothing to say
    }

    void addingOneFieldAndDuplicates()
    {
        ReporterFixture f;
        f.add(Kind::textField(), kLong70);
        f.add(Kind::textField(), u"Name"_s);
        f.answer({{kLong70, u"The labs"_s}, {u"Name"_s, u"Ada"_s}});
        ReporterForm form(f.session);
        auto* fields = child<QListWidget>(&form, u"TableFieldsList"_s);
        auto* chosen = child<QListWidget>(&form, u"ReportTableFieldsList"_s);

        click(&form, u"AddFieldToReportTable"_s);
        fields->setCurrentRow(1);
        click(&form, u"AddFieldToReportTable"_s);
        const QString column = kLong70.left(64);
        QCOMPARE(rows(&form, u"ReportTableFieldsList"_s), QStringList({column, u"Name"_s}));
        QCOMPARE(form.reportTableCollection(), QStringList({column, u"Name"_s}));
        QCOMPARE(chosen->currentRow(), 1);

        fields->setCurrentRow(0);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"AddFieldToReportTable"_s);
        QCOMPARE(f.folder.messageTexts(), {u"The field '"_s + column + u"' has already been added."_s});
        QCOMPARE(chosen->currentRow(), 0); // the matching row
        QCOMPARE(form.reportTableCollection().size(), 2);

        fields->setCurrentRow(-1);
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"AddFieldToReportTable"_s);
        QCOMPARE(f.folder.messageTexts(), {u"Sorry, but you don't have a field selected"_s});
        QCOMPARE(form.reportTableCollection().size(), 2);
    }

    void addAllStopsAtTheFirstDuplicate()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"A"_s);
        f.add(Kind::textArea(), u"B"_s);
        f.add(Kind::radioButtons(), u"C"_s, {u"x"_s, u"y"_s});
        f.answer({{u"A"_s, u"1"_s}});
        ReporterForm form(f.session);

        // B first, then Add All: A goes in, B is the duplicate, C stays out.
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        child<QListWidget>(&form, u"TableFieldsList"_s)->setCurrentRow(1);
        QCOMPARE(f.folder.messageTexts(), {u"The  field 'B' from database table 'tbl_survey ' contains no data."_s});
        click(&form, u"AddFieldToReportTable"_s);
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"AddAllFields"_s);
        QCOMPARE(f.folder.messageTexts(), {u"The field 'B' has already been added."_s});
        QCOMPARE(form.reportTableCollection(), QStringList({u"B"_s, u"A"_s}));

        // Remove All, then Add All twice: the second run adds nothing.
        click(&form, u"RemoveAllField"_s);
        QVERIFY(form.reportTableCollection().isEmpty());
        QVERIFY(rows(&form, u"ReportTableFieldsList"_s).isEmpty());
        click(&form, u"AddAllFields"_s);
        QCOMPARE(form.reportTableCollection(), QStringList({u"A"_s, u"B"_s, u"C"_s}));
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"AddAllFields"_s);
        QCOMPARE(f.folder.messageTexts(), {u"The field 'A' has already been added."_s});
        QCOMPARE(rows(&form, u"ReportTableFieldsList"_s), QStringList({u"A"_s, u"B"_s, u"C"_s}));
    }

    void removingFields()
    {
        ReporterFixture f;
        f.add(Kind::textField(), u"A"_s);
        f.add(Kind::textField(), u"B"_s);
        f.add(Kind::textField(), u"C"_s);
        f.answer({{u"A"_s, u"1"_s}});
        ReporterForm form(f.session);
        auto* chosen = child<QListWidget>(&form, u"ReportTableFieldsList"_s);

        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"RemoveAllField"_s);
        QCOMPARE(f.folder.messageTexts(), {u"There are no fields listed to remove."_s});

        click(&form, u"AddAllFields"_s);
        chosen->setCurrentRow(1);
        click(&form, u"RemoveFieldFromReportTableList"_s);
        QCOMPARE(form.reportTableCollection(), QStringList({u"A"_s, u"C"_s}));
        QCOMPARE(rows(&form, u"ReportTableFieldsList"_s), QStringList({u"A"_s, u"C"_s}));

        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"RemoveFieldFromReportTableList"_s); // nothing selected after a removal
        QCOMPARE(f.folder.messageTexts(), {u"Sorry, but you don't have a field selected"_s});
        QCOMPARE(form.reportTableCollection().size(), 2);
    }

    void graphsPageRebuiltOnEachVisit()
    {
        ReporterFixture f;
        nameAndTea(f);
        ReporterForm form(f.session);
        auto* tabs = child<QTabBar>(&form, u"TabStrip1"_s);
        child<QLineEdit>(&form, u"WordDocumentName"_s)->setText(u"mine.doc"_s);

        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"1"_s);
        // Another answer arrives; the same tab again does nothing ...
        f.answer({{u"Tea"_s, u"Checked"_s}});
        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"1"_s);
        // ... while going to the report page and back counts afresh.
        tabs->setCurrentIndex(0);
        QCOMPARE(form.currentFrame(), qint16(1));
        QCOMPARE(form.chart()->data(1), u"1"_s);
        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"2"_s);
        QCOMPARE(rows(&form, u"GraphAbleData"_s), QStringList({u"Tea"_s}));
        QCOMPARE(child<QLineEdit>(&form, u"WordDocumentName"_s)->text(), u"mine.doc"_s);
    }

    void clickOnTheSelectedRowRunsItsAction()
    {
        ReporterFixture f;
        nameAndTea(f);
        ReporterForm form(f.session);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* list = child<QListWidget>(&form, u"TableFieldsList"_s);
        auto* box = child<QPlainTextEdit>(&form, u"FieldAnswerTextBox"_s);
        box->setPlainText(u"edited"_s);
        const QRect row0 = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row0.center());
        QCOMPARE(box->toPlainText(), u"Ada"_s);

        // A click that changes the row runs the action once.
        const QRect row1 = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1.center());
        QCOMPARE(box->toPlainText(), u"Checked"_s);
        QVERIFY(f.folder.messageTexts().isEmpty());
    }
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestReporterWindow)
#include "tst_reporterwindow.moc"
