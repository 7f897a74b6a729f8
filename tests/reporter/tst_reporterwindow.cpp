// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "ReporterFixture.h"

#include "platform/BrowserView.h"
#include "platform/ChartControl.h"
#include "reporter/Reporter.h"
#include "reporter/ReporterForm.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

/// The example form: header, a text field Name, a check box Tea, a submit button.
void nameAndTea(ReporterFixture& f)
{
    f.add(Kind::textField(), u"Name"_s);
    f.add(Kind::checkBox(), u"Tea"_s);
    f.add(Kind::submitButton(), u"Submit"_s);
    f.answer({{u"Name"_s, u"Ada"_s}, {u"Tea"_s, u"Checked"_s}});
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

    void missingDatabaseIsNeverCreated()
    {
        ReporterFixture f;
        nameAndTea(f);
        QVERIFY(QFile::remove(f.folder.database()));
        f.folder.messages().queueAnswer(MessageAnswer::Ok);
        openReporter(f.session, nullptr);
        QCOMPARE(f.folder.messageTexts().size(), 1);
        QVERIFY(f.folder.messageTexts().at(0).contains(u"cannot be opened"_s));
        QVERIFY(!QFile::exists(f.folder.database()));
        QCOMPARE(Reporter::openForm(), nullptr);
    }

    void graphsPageCountsAfreshOnEachVisit()
    {
        ReporterFixture f;
        nameAndTea(f);
        ReporterForm form(f.session);
        auto* tabs = child<QTabBar>(&form, u"TabStrip1"_s);

        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"1"_s);
        // Another answer arrives; the same tab again does nothing ...
        f.answer({{u"Tea"_s, u"Checked"_s}});
        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"1"_s);
        // ... while going to the report page and back counts afresh.
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(1);
        QCOMPARE(form.chart()->data(1), u"2"_s);
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

        // A click that changes the row runs it too.
        const QRect row1 = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1.center());
        QCOMPARE(box->toPlainText(), u"Checked"_s);
        QVERIFY(f.folder.messageTexts().isEmpty());
    }
};

} // namespace quenlow::test

QTEST_MAIN(quenlow::test::TestReporterWindow)
#include "tst_reporterwindow.moc"
