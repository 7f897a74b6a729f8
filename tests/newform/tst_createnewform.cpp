// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "newform/CreateNewForm.h"
#include "platform/BrowserView.h"
#include "support/ModalStep.h"
#include "support/TestProgramFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

QStringList tablesOf(const QString& database)
{
    const auto store = openStore(database);
    return store ? store->tables().valueOr({}) : QStringList();
}

} // namespace

class TestCreateNewForm : public QObject
{
    Q_OBJECT

    // Runs "Create New Form" and lets `act` work in the window (which is closed if it stays).
    void inNewFormWindow(FormSession& session, const std::function<void(QWidget*)>& act)
    {
        ModalStep step(QStringLiteral("CreateNewForm"), act);
        CreateNewForm::createNewForm(session, nullptr);
    }
    void createForm(FormSession& session, const QString& name)
    {
        inNewFormWindow(session, [name](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(name);
            click(w, "Generate_Form_And_Database");
        });
    }

    static HeaderSettings staffSurvey()
    {
        HeaderSettings s;
        s.formName = QStringLiteral("survey");
        s.title = QStringLiteral("Staff Survey");
        s.letterSize = QStringLiteral("7");
        s.justification = QStringLiteral("Centre");
        s.background = QStringLiteral("Background.gif");
        s.databaseLocation = QStringLiteral("/opt/Forms/formAnswers.mdb");
        s.userViewTable = true;
        return s;
    }

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](const QString&, const QString&, const QString&) {});
    }

    void refusedNamesChangeNothing_data()
    {
        // The reasons of the other refusals are the form-name table's below.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("duplicate, other case")
            << QStringLiteral("FIRST")
            << QStringLiteral("Sorry but there is already a Form and DB Table with "
                              "the name 'FIRST'.Please enter another name for the HTML form file.");
        QTest::newRow("slash")
            << QStringLiteral("../outside")
            << QStringLiteral("The name '../outside' cannot be used for a form: it contains '/' or "
                              "'\\', which would place the form's files outside the program's folders."
                              " Please enter another name for the HTML form file.");
    }
    // Whatever is refused, the open form stays exactly as it was and the window stays open.
    void refusedNamesChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("first"));
        const QByteArray page = readBytes(folder.html(QStringLiteral("first.html")));
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("first")));
        const QStringList rows = session.rows()->texts();
        const QStringList filesBefore = QDir(folder.path() + QStringLiteral("/HTML")).entryList(QDir::Files);

        bool stayedOpen = false;
        folder.messages().queueAnswer(MessageAnswer::Ok);
        inNewFormWindow(session, [&](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(name);
            click(w, "Generate_Form_And_Database");
            stayedOpen = w->isVisible();
            QCOMPARE(child<QLineEdit>(w, "HTMLFileNameBox")->text(), name);
        });
        QVERIFY(stayedOpen);
        QCOMPARE(folder.messageTexts(), QStringList { message });
        QCOMPARE(session.rows()->texts(), rows);
        QCOMPARE(session.htmlName(), QStringLiteral("first.html"));
        QCOMPARE(readBytes(folder.html(QStringLiteral("first.html"))), page);
        QCOMPARE(readBytes(folder.collection(QStringLiteral("first"))), collection);
        QCOMPARE(QDir(folder.path() + QStringLiteral("/HTML")).entryList(QDir::Files), filesBefore);
        QCOMPARE(tablesOf(folder.database()), QStringList { QStringLiteral("tbl_first") });
    }

    // Stopped after its table was made and before its files were written, a form
    // can be created again; a same-named table of another form or with answers cannot be taken.
    void creationStoppedBeforeItsFilesCanBeDoneAgain()
    {
        TestProgramFolder folder;
        folder.allowUnanswered(); // the failed writes are reported
        {
            FormSession stopped(folder.path());
            stopWritingAfterForTesting(0);
            createForm(stopped, QStringLiteral("survey"));
            stopWritingAfterForTesting(-1);
        }
        QVERIFY(!QFile::exists(folder.collection(QStringLiteral("survey"))));
        const qsizetype boxes = folder.messages().boxes().size();
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QCOMPARE(folder.messages().boxes().size(), boxes);
        QCOMPARE(session.htmlName(), QStringLiteral("survey.html"));
        QVERIFY(QFile::exists(folder.collection(QStringLiteral("survey"))));
        QVERIFY(QFile::exists(folder.html(QStringLiteral("survey.html"))));

        QVERIFY(createFormTable(folder.database(), QStringLiteral("tbl_first")));
        QVERIFY(
            openStore(folder.database())->insertRows({ { QStringLiteral("tbl_first"), {}, {}, {}, {} } }));
        for (const QString& name : { QStringLiteral("first"), QStringLiteral("SURVEY") }) {
            createForm(session, name); // refused: the window stays open
            QVERIFY(folder.messageTexts().constLast().startsWith(
                QStringLiteral("Sorry but there is already a Form")));
            QVERIFY(!QFile::exists(folder.collection(name)));
        }
    }

    // Letting the people who answer view the answers table shows them every
    // answer: the window says so while the box is ticked, in both modes.
    void aPublicAnswersTableIsSaidToBeOne()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        inNewFormWindow(session, [](QWidget* w) {
            auto* notice = child<QLabel>(w, "AnswersTablePublic");
            QVERIFY(notice->isHidden());
            child<QCheckBox>(w, "UserViewTableCheck")->click();
            QVERIFY(notice->isVisible());
            QCOMPARE(
                notice->text(), QStringLiteral("Anyone with the form's address can see every answer to it."));
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(QStringLiteral("survey"));
            click(w, "Generate_Form_And_Database");
        });
        bool shown = false;
        ModalStep step(QStringLiteral("CreateNewForm"), [&shown](QWidget* w) {
            shown = child<QLabel>(w, "AnswersTablePublic")->isVisible();
            child<QCheckBox>(w, "UserViewTableCheck")->click();
            shown = shown && child<QLabel>(w, "AnswersTablePublic")->isHidden();
            click(w, "Cancel");
        });
        QVERIFY(!CreateNewForm::editHeader(session, nullptr));
        QVERIFY(shown);

        // The window shows the form's collecting settings and writes back what it shows;
        // a limit that is no number is refused with the window left open.
        FormMethod header = session.collection().atPosition(0);
        FormSettings settings;
        settings.showResults = true;
        settings.answerLimit = 30;
        setFormSettings(header, settings);
        session.changeableCollection().replace(0, header);
        QStringList shownLimits;
        bool leftOpen = false;
        ModalStep edit(QStringLiteral("CreateNewForm"), [&](QWidget* w) {
            shownLimits << child<QLineEdit>(w, "AnswerLimit")->text()
                        << QString::number(child<QCheckBox>(w, "ShowResults")->isChecked());
            child<QLineEdit>(w, "FormTitleBox")->setText(QStringLiteral("Room Survey"));
            child<QLineEdit>(w, "AnswerLimit")->setText(QStringLiteral("thirty"));
            folder.messages().queueAnswer(MessageAnswer::Ok);
            click(w, "UpdateFormTitle");
            leftOpen = w->isVisible();
            child<QLineEdit>(w, "AnswerLimit")->setText(QStringLiteral(" 40 "));
            child<QLineEdit>(w, "ClosingTime")->setText(QStringLiteral("2026-06-30 17:00"));
            child<QLineEdit>(w, "ThankYouText")->setText(QStringLiteral("See you at lunch"));
            child<QCheckBox>(w, "AcceptingAnswers")->click();
            child<QCheckBox>(w, "OfferAnotherAnswer")->click();
            QComboBox* language = child<QComboBox>(w, "FormLanguage");
            shownLimits << language->currentText();
            language->setCurrentIndex(language->findData(QStringLiteral("de")));
            click(w, "UpdateFormTitle");
        });
        QVERIFY(CreateNewForm::editHeader(session, nullptr));
        QCOMPARE(shownLimits,
            (QStringList { QStringLiteral("30"), QStringLiteral("1"), QStringLiteral("English") }));
        QVERIFY(leftOpen);
        QCOMPARE(folder.messageTexts().constLast(),
            QStringLiteral(
                "The answer limit 'thirty' is not a whole number of answers. Please enter a number "
                "of 1 or more, or leave it empty for no limit."));
        QCOMPARE(session.collection().atPosition(0).userInstruction, QStringLiteral("Room Survey"));
        settings.answerLimit = 40;
        settings.closingTime = QDateTime(QDate(2026, 6, 30), QTime(17, 0));
        settings.thankYouText = QStringLiteral("See you at lunch");
        settings.acceptingAnswers = false;
        settings.offerAnotherAnswer = true;
        settings.language = FormLanguage::German;
        QCOMPARE(formSettingsOf(session.collection().atPosition(0)), settings);
        QFile saved(session.collectionFilePath(QStringLiteral("survey")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(decodeText(saved.readAll()).contains(QStringLiteral("See you at lunch")));
    }

    // A later form goes on counting elements (create-form-again checks the files and tables).
    void onePressReplacesTheOpenForm()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("first"));
        session.setElementCounter(5);
        createForm(session, QStringLiteral("second"));
        QCOMPARE(session.collection().count(), 1);
        QCOMPARE(session.collection().atPosition(0).item(4), QStringLiteral(" 5 "));
    }

    void pageOnlyStateIsReplacedToo()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        session.setHtmlName(QStringLiteral("orphan.html"));
        session.setEditingVisible(false);
        session.setReporterVisible(false);
        createForm(session, QStringLiteral("survey"));
        QCOMPARE(session.htmlName(), QStringLiteral("survey.html"));
        QVERIFY(session.editingVisible());
        QVERIFY(session.reporterVisible());
    }

    // The whole header is compared byte for byte in the pages the scenarios save.
    void justificationOtherThanCentreIsNotCentred_data()
    {
        QTest::addColumn<QString>("justification");
        QTest::newRow("lower case") << QStringLiteral("centre");
        QTest::newRow("American") << QStringLiteral("Center");
        QTest::newRow("empty") << QString();
    }
    void justificationOtherThanCentreIsNotCentred()
    {
        QFETCH(QString, justification);
        HeaderSettings s = staffSurvey();
        s.justification = justification;
        const QString html = headerFragment(s);
        QVERIFY(html.contains(QLatin1StringView(
            "</title><BODY BGCOLOR='#000000' BACKGROUND='Background.gif'><I><B><FONT SIZE='7'><P>"
            "Staff Survey</FONT></B></I><FORM name=")));
    }

    void attributeValuesAreEscapedVisibleTextIsNot()
    {
        HeaderSettings s = staffSurvey();
        s.formName = QStringLiteral("O'Brien");
        s.title = QStringLiteral("Bob's <b>Survey</b> & more");
        s.databaseLocation = QStringLiteral("/home/o'neil/formAnswers.mdb");
        s.background = QStringLiteral("it's.gif");
        s.letterSize = QStringLiteral("7'");
        const QString html = headerFragment(s);
        QVERIFY(
            html.startsWith(QLatin1StringView("<html><head><title>Bob's <b>Survey</b> & more</h1></title>")));
        QVERIFY(html.contains(QLatin1StringView("<P>Bob's <b>Survey</b> & more</FONT>")));
        QVERIFY(html.contains(
            QLatin1StringView("<FORM name='Bob&#39;s &lt;b&gt;Survey&lt;/b&gt; &amp; more' method=post")));
        QVERIFY(html.contains(QLatin1StringView("name=tableName value='tbl_O&#39;Brien'>")));
        QVERIFY(
            html.contains(QLatin1StringView("name=DBLocation value='/home/o&#39;neil/formAnswers.mdb'>")));
        QVERIFY(html.contains(QLatin1StringView("BACKGROUND='it&#39;s.gif'>")));
        QVERIFY(html.contains(QLatin1StringView("name=background value='it&#39;s.gif'>")));
        QVERIFY(html.contains(QLatin1StringView("<FONT SIZE='7&#39;'>")));
    }

    void lineBreaksNeverReachTheFragmentOrTheRecord()
    {
        HeaderSettings s = staffSurvey();
        s.title = QStringLiteral("Staff\r\nSurvey");
        s.databaseLocation = QStringLiteral("/opt/\nForms/formAnswers.mdb");
        s.letterSize = QStringLiteral("7\n");
        const FormMethod header = headerRecord(s, 1, 0);
        QVERIFY(!header.htmlCode.contains(QLatin1Char('\n')));
        QVERIFY(!header.htmlCode.contains(QLatin1Char('\r')));
        QCOMPARE(header.userInstruction, QStringLiteral("Staff Survey"));
        QCOMPARE(header.attribute4, QStringLiteral("7 "));
        QCOMPARE(header.item(3), QStringLiteral("/opt/ Forms/formAnswers.mdb"));
    }

    void formNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason"); // empty: acceptable
        QTest::newRow("plain") << QStringLiteral("survey") << QString();
        QTest::newRow("inner blank") << QStringLiteral("Staff Survey") << QString();
        QTest::newRow("apostrophe") << QStringLiteral("O'Brien") << QString();
        QTest::newRow("accents") << QStringLiteral("enquête") << QString();
        QTest::newRow("slash") << QStringLiteral("a/b") << QStringLiteral("outside the program's folders");
        QTest::newRow("parent folder")
            << QStringLiteral("../evil") << QStringLiteral("outside the program's folders");
        QTest::newRow("backslash") << QStringLiteral("a\\b")
                                   << QStringLiteral("outside the program's folders");
        QTest::newRow("leading blank")
            << QStringLiteral(" survey") << QStringLiteral("begins or ends with a blank");
        QTest::newRow("trailing blank")
            << QStringLiteral("survey ") << QStringLiteral("begins or ends with a blank");
        QTest::newRow("only blanks") << QStringLiteral("   ")
                                     << QStringLiteral("begins or ends with a blank");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("control character");
        QTest::newRow("line break") << QStringLiteral("a\nb") << QStringLiteral("control character");
        QTest::newRow("dot") << QStringLiteral("my.survey")
                             << QStringLiteral("part of its page name before the first '.'");
        QTest::newRow("help page") << QStringLiteral("welcome")
                                   << QStringLiteral("comes with Quenlow and is not a form");
        QTest::newRow("answers page")
            << QStringLiteral("dbTableOfAnswers") << QStringLiteral("is not a form");
        QTest::newRow("fits a file name") << QString(241, QLatin1Char('x')) << QString();
        QTest::newRow("too long") << QString(242, QLatin1Char('x'))
                                  << QStringLiteral("too long for a file name");
    }
    void formNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString problem = formNameProblem(name);
        QVERIFY2(reason.isEmpty() ? problem.isEmpty() : problem.contains(reason), qPrintable(problem));
    }
};

QTEST_MAIN(TestCreateNewForm)
#include "tst_createnewform.moc"
