// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "ReporterFixture.h"

#include "platform/BrowserView.h"
#include "platform/OutcomeMessages.h"
#include "platform/WordDocument.h"
#include "reporter/ReportDocuments.h"
#include "reporter/ReporterForm.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

WordFont font(bool bold, bool italic, double size, WordUnderline underline)
{
    return WordFont { bold, italic, size, underline };
}

QString reportPath(const ReporterFixture& f, const QString& name = u"survey_Report.docx"_s)
{
    return f.folder.path() + u"/Reports/"_s + name;
}

WordContent readBack(const QString& path)
{
    WordDocument document;
    const DocumentResult opened = document.open(path);
    if (!opened)
        QTest::qFail(qPrintable(documentProblemText(opened.error())), __FILE__, __LINE__);
    return document.content();
}

/// Three questions and two answers; the second leaves Q3 unanswered.
void threeFields(ReporterFixture& f)
{
    f.add(ElementKind::TextField, u"Q1"_s);
    f.add(ElementKind::TextArea, u"Q2"_s);
    f.add(ElementKind::CheckBox, u"Q3"_s);
    f.answer({ { u"Q1"_s, u"Ada"_s }, { u"Q2"_s, u"Tall <b> & proud"_s }, { u"Q3"_s, u"Checked"_s } });
    f.answer({ { u"Q1"_s, u"Brian"_s }, { u"Q2"_s, u"Short"_s } });
}

/// Presses Create New Report with its success message expected.
void createReport(ReporterFixture& f, ReporterForm& form)
{
    f.folder.messages().queueAnswer(MessageAnswer::Ok);
    click(&form, u"CreateReport"_s);
}

} // namespace

class TestReportDocuments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }
    void init() { m_fixture = std::make_unique<ReporterFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void createFailureSaysSo()
    {
        ReporterFixture& f = *m_fixture;
        threeFields(f);
        ReporterForm form(f.session);
        child<QLineEdit>(&form, u"WordDocumentName"_s)->setText(u"no such folder/report.doc"_s);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"CreateReport"_s);
        QCOMPARE(f.folder.messageTexts(),
            { u"The word document 'no such folder/report.docx' already exists and is currently open. Enter "
              "another filename for the word document."_s });
        QCOMPARE(f.folder.messages().boxes().at(0).icon, MessageIcon::Exclamation);
        QVERIFY(!QFileInfo::exists(f.folder.path() + u"/Reports/no such folder"_s));
    }

    void titleTextAndTablesReadBack()
    {
        ReporterFixture& f = *m_fixture;
        threeFields(f);
        ReporterForm form(f.session);
        createReport(f, form);
        child<QPlainTextEdit>(&form, u"FieldAnswerTextBox"_s)->setPlainText(u"Ada, as edited\nsecond line"_s);
        f.addAndSave(form, u"AddAnswerToReport"_s);
        f.folder.messages().clear();

        // Two of three fields: an excerpt, saved when the preview closes.
        auto* fields = child<QListWidget>(&form, u"TableFieldsList"_s);
        click(&form, u"AddFieldToReportTable"_s);
        fields->setCurrentRow(2);
        click(&form, u"AddFieldToReportTable"_s);
        f.addAndSave(form, u"AddTable"_s);

        // Every field: the whole table, after the excerpt.
        click(&form, u"AddAllFields"_s);
        f.addAndSave(form, u"AddTable"_s);

        const WordContent content = readBack(reportPath(f));
        const QList<WordParagraph> paragraphs = content.paragraphs();
        QCOMPARE(paragraphs.at(0).text(), u"survey Report"_s);
        QCOMPARE(paragraphs.at(0).runs.size(), 1);
        QCOMPARE(paragraphs.at(0).runs.at(0).font, font(true, true, 25, WordUnderline::Single));
        // The answer is one paragraph, its lines kept, followed by the second paragraph end.
        QCOMPARE(paragraphs.at(1).text(), u"Ada, as edited\nsecond line"_s);
        QCOMPARE(paragraphs.at(1).runs.at(0).font, font(false, false, 12, WordUnderline::None));
        QVERIFY(paragraphs.at(2).isEmpty());
        int headings = 0;
        for (const WordParagraph& p : content.paragraphs()) {
            if (p.text().contains(u"tbl_survey"_s)) {
                QCOMPARE(p.runs.at(0).font, font(true, true, 14, WordUnderline::None));
                ++headings;
            }
        }
        QCOMPARE(headings, 2);

        const QList<WordTable> tables = content.tables();
        QCOMPARE(tables.size(), 2);
        QCOMPARE(tables.at(0).rowCount(), 4);
        QCOMPARE(
            tables.at(0).rowTexts(2), QStringList({ u"Brian"_s, QString() })); // unanswered: an empty cell

        // 2 answers x 3 fields: heading row, two answer rows, and the empty row moving on opened.
        const WordTable& whole = tables.at(1);
        QCOMPARE(whole.rowCount(), 4);
        QCOMPARE(whole.columnCount(), 3);
        QCOMPARE(whole.rowTexts(1), QStringList({ u"Ada"_s, u"Tall <b> & proud"_s, u"Checked"_s }));
        QCOMPARE(whole.rowTexts(3), QStringList({ QString(), QString(), QString() }));
        QCOMPARE(whole.rows.at(0).at(0).paragraphs.at(0).runs.at(0).font,
            font(false, false, 9, WordUnderline::None));
        QCOMPARE(whole.rows.at(1).at(1).paragraphs.at(0).runs.at(0).font,
            font(false, false, 9, WordUnderline::None));
    }

    // New reports are named as the documents they are; one made under the older name is still added to.
    void olderReportStillAddedToNewOnesAreDocx()
    {
        ReporterFixture& f = *m_fixture;
        threeFields(f);
        WordDocument older;
        older.newDocument();
        older.typeText(u"survey Report"_s);
        QVERIFY(older.saveAs(reportPath(f, u"survey_Report.doc"_s)));
        ReporterForm form(f.session);
        auto* name = child<QLineEdit>(&form, u"WordDocumentName"_s);
        QCOMPARE(name->text(), u"survey_Report.doc"_s);
        f.addAndSave(form, u"AddAnswerToReport"_s);
        QCOMPARE(readBack(reportPath(f, u"survey_Report.doc"_s)).paragraphs().at(1).text(), u"Ada"_s);

        createReport(f, form);
        QCOMPARE(name->text(), u"survey_Report.docx"_s);
        QCOMPARE(f.folder.messageTexts().last(),
            u"The new word document 'survey_Report.docx' has been created in "_s + f.folder.path()
                + u"/Reports/"_s);
        QCOMPARE(readBack(reportPath(f)).paragraphs().at(0).text(), u"survey Report"_s);
        name->setText(u"plain"_s);
        createReport(f, form);
        QVERIFY(QFileInfo::exists(reportPath(f, u"plain.docx"_s)));
    }

    // Closing the preview asks to save; Yes with the report's folder gone says
    // why it was not saved, after the question, and keeps the report as it was.
    void saveOnClosingThatFailsIsSaid()
    {
        ReporterFixture& f = *m_fixture;
        threeFields(f);
        ReporterForm form(f.session);
        createReport(f, form);
        const QByteArray before = readBytes(reportPath(f));
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok); // "If the added ... is as desired ..."
        f.folder.messages().queueAnswer(MessageAnswer::Yes);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        {
            ModalStep preview(u"DocumentPreview"_s, [&f](QWidget* w) {
                QVERIFY(QDir(f.folder.path()).rename(u"Reports"_s, u"Moved"_s));
                click(w, "CloseDocument");
            });
            click(&form, u"AddAnswerToReport"_s);
        }
        const QStringList said = f.folder.messageTexts();
        QCOMPARE(said.size(), 3);
        QCOMPARE(said.at(1), u"Do you want to save the changes to 'survey_Report.docx'?"_s);
        QVERIFY2(said.at(2).startsWith(
                     u"The document cannot be saved as '"_s + reportPath(f) + u"': the folder '"_s),
            qPrintable(said.at(2)));
        QCOMPARE(f.folder.messages().boxes().at(2).icon, MessageIcon::Exclamation);
        QCOMPARE(readBytes(f.folder.path() + u"/Moved/survey_Report.docx"_s), before);
    }

    void exportIntoANonDocumentChangesNothing()
    {
        ReporterFixture& f = *m_fixture;
        threeFields(f);
        ReporterForm form(f.session);
        click(&form, u"AddAllFields"_s);

        // A file that is no document: its reason, not a claim that it is missing.
        writeBytes(reportPath(f), "not a document");
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"AddTable"_s);
        QCOMPARE(f.folder.messageTexts().size(), 1);
        QVERIFY(!f.folder.messageTexts().at(0).contains(u"cannot be found"_s));
        QVERIFY(f.folder.messageTexts().at(0).contains(u"survey_Report.docx"_s));
        QCOMPARE(readBytes(reportPath(f)), QByteArray("not a document"));
        QCOMPARE(form.reportTableCollection().size(), 3);
    }

    void exportOfAnEmptyTable()
    {
        ReporterFixture& f = *m_fixture;
        f.add(ElementKind::TextField, u"Q1"_s);
        // Opened directly (the command refuses an empty table): answer 1 is not there.
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        ReporterForm form(f.session);
        QCOMPARE(f.folder.messageTexts(), { u"You have reached the end of the answers."_s });
        f.folder.messages().clear();
        click(&form, u"AddAllFields"_s);
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&form, u"AddTable"_s);
        QCOMPARE(f.folder.messageTexts(),
            { u"The table 'tbl_survey' that you wish to export to word document 'survey_Report.docx' has no data in it."_s });
        QCOMPARE(form.reportTableCollection(), QStringList({ u"Q1"_s }));
    }

    void cancelledExportLeavesNoTrace()
    {
        ReporterFixture& f = *m_fixture;
        f.add(ElementKind::TextField, u"Q1"_s);
        f.answerNumbered(u"Q1"_s, 0, 5000, u"answer %1"_s);
        ReporterForm form(f.session);
        createReport(f, form);
        const QByteArray before = readBytes(reportPath(f));
        click(&form, u"AddAllFields"_s);

        setExportProgressDelayForTesting(0);
        f.folder.messages().clear();
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        {
            ModalStep progress(
                u"ExportProgress"_s, [](QWidget* w) { qobject_cast<QProgressDialog*>(w)->cancel(); });
            click(&form, u"AddTable"_s);
        }
        setExportProgressDelayForTesting(-1);
        QCOMPARE(f.folder.messageTexts(),
            { u"The table has not been added to the word document 'survey_Report.docx'."_s });
        QCOMPARE(readBytes(reportPath(f)), before);
        QCOMPARE(form.reportTableCollection(), QStringList({ u"Q1"_s }));
        const QStringList files = QDir(f.folder.path() + u"/Reports"_s).entryList(QDir::Files);
        QCOMPARE(files, QStringList({ u"survey_Report.docx"_s })); // no temporary file left behind
    }

private:
    std::unique_ptr<ReporterFixture> m_fixture;
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestReportDocuments)
#include "tst_reportdocuments.moc"
