// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "newform/CreateNewForm.h"
#include "newform/NewFormOperations.h"
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

using namespace Qt::Literals::StringLiterals;
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
        ModalStep step(u"CreateNewForm"_s, act);
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
        s.formName = u"survey"_s;
        s.title = u"Staff Survey"_s;
        s.letterSize = u"7"_s;
        s.justification = u"Centre"_s;
        s.background = u"Background.gif"_s;
        s.databaseLocation = u"/opt/Forms/formAnswers.mdb"_s;
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
        // The reasons of the other refusals are the form-name table's below; a name taken in
        // another case is refused in creationStoppedBeforeItsFilesCanBeDoneAgain.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("slash")
            << u"../outside"_s
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
        createForm(session, u"first"_s);
        const QByteArray page = readBytes(folder.html(u"first.html"_s));
        const QByteArray collection = readBytes(folder.collection(u"first"_s));
        const QStringList rows = session.rows()->texts();
        const QStringList filesBefore = QDir(folder.path() + u"/HTML"_s).entryList(QDir::Files);

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
        QCOMPARE(session.htmlName(), u"first.html"_s);
        QCOMPARE(readBytes(folder.html(u"first.html"_s)), page);
        QCOMPARE(readBytes(folder.collection(u"first"_s)), collection);
        QCOMPARE(QDir(folder.path() + u"/HTML"_s).entryList(QDir::Files), filesBefore);
        QCOMPARE(tablesOf(folder.database()), QStringList { u"tbl_first"_s });
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
            createForm(stopped, u"survey"_s);
            stopWritingAfterForTesting(-1);
        }
        QVERIFY(!QFile::exists(folder.collection(u"survey"_s)));
        const qsizetype boxes = folder.messages().boxes().size();
        FormSession session(folder.path());
        createForm(session, u"survey"_s);
        QCOMPARE(folder.messages().boxes().size(), boxes);
        QCOMPARE(session.htmlName(), u"survey.html"_s);
        QVERIFY(QFile::exists(folder.collection(u"survey"_s)));
        QVERIFY(QFile::exists(folder.html(u"survey.html"_s)));

        QVERIFY(createFormTable(folder.database(), u"tbl_first"_s));
        QVERIFY(openStore(folder.database())->insertRows({ { u"tbl_first"_s, {}, {}, {}, {} } }));
        for (const QString& name : { u"first"_s, u"SURVEY"_s }) {
            createForm(session, name); // refused: the window stays open
            QVERIFY(folder.messageTexts().constLast().startsWith(u"Sorry but there is already a Form"_s));
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
            QCOMPARE(notice->text(), u"Anyone with the form's address can see every answer to it."_s);
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(u"survey"_s);
            click(w, "Generate_Form_And_Database");
        });
        bool shown = false;
        ModalStep step(u"CreateNewForm"_s, [&shown](QWidget* w) {
            shown = child<QLabel>(w, "AnswersTablePublic")->isVisible();
            child<QCheckBox>(w, "UserViewTableCheck")->click();
            shown = shown && child<QLabel>(w, "AnswersTablePublic")->isHidden();
            click(w, "Cancel");
        });
        QVERIFY(!CreateNewForm::editHeader(session, nullptr));
        QVERIFY(shown);

        // The window writes back what it shows (what it shows is the room-settings scenario's),
        // the settings left alone included; a limit that is no number is refused with the window left open.
        FormMethod header = session.collection().atPosition(0);
        FormSettings settings;
        settings.showResults = true;
        settings.answerLimit = 30;
        setFormSettings(header, settings);
        session.changeableCollection().replace(0, header);
        bool leftOpen = false;
        bool anonymityOfferedAlone = true;
        ModalStep edit(u"CreateNewForm"_s, [&](QWidget* w) {
            child<QLineEdit>(w, "FormTitleBox")->setText(u"Room Survey"_s);
            child<QLineEdit>(w, "AnswerLimit")->setText(u"thirty"_s);
            folder.messages().queueAnswer(MessageAnswer::Ok);
            click(w, "UpdateFormTitle");
            leftOpen = w->isVisible();
            child<QLineEdit>(w, "AnswerLimit")->setText(u" 40 "_s);
            child<QLineEdit>(w, "ClosingTime")->setText(u"2026-06-30 17:00"_s);
            child<QLineEdit>(w, "ThankYouText")->setText(u"See you at lunch"_s);
            child<QCheckBox>(w, "AcceptingAnswers")->click();
            child<QCheckBox>(w, "OfferAnotherAnswer")->click();
            QComboBox* language = child<QComboBox>(w, "FormLanguage");
            language->setCurrentIndex(language->findData(u"de"_s));
            // Anonymity means something only for invited people.
            anonymityOfferedAlone = child<QCheckBox>(w, "AnonymousAnswers")->isEnabled();
            child<QCheckBox>(w, "InvitedOnly")->click();
            child<QCheckBox>(w, "AnonymousAnswers")->click();
            click(w, "UpdateFormTitle");
        });
        QVERIFY(CreateNewForm::editHeader(session, nullptr));
        QVERIFY(leftOpen);
        QCOMPARE(folder.messageTexts().constLast(),
            QStringLiteral(
                "The answer limit 'thirty' is not a whole number of answers. Please enter a number "
                "of 1 or more, or leave it empty for no limit."));
        QCOMPARE(session.collection().atPosition(0).userInstruction, u"Room Survey"_s);
        settings.answerLimit = 40;
        settings.closingTime = QDateTime(QDate(2026, 6, 30), QTime(17, 0));
        settings.thankYouText = u"See you at lunch"_s;
        settings.acceptingAnswers = false;
        settings.offerAnotherAnswer = true;
        settings.language = FormLanguage::German;
        settings.invitedOnly = true;
        settings.anonymousAnswers = true;
        QVERIFY(!anonymityOfferedAlone);
        QCOMPARE(formSettingsOf(session.collection().atPosition(0)), settings);
        QFile saved(session.collectionFilePath(u"survey"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString written = decodeText(saved.readAll());
        QVERIFY(written.contains(u"See you at lunch"_s));
        QVERIFY(written.contains(u"InvitedOnly\r\n1\r\nAnonymousAnswers\r\n1\r\n"_s));
    }

    // A later form goes on counting elements (create-form-again checks the files and tables).
    void onePressReplacesTheOpenForm()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, u"first"_s);
        session.setElementCounter(5);
        createForm(session, u"second"_s);
        QCOMPARE(session.collection().count(), 1);
        QCOMPARE(session.collection().atPosition(0).item(4), u" 5 "_s);
    }

    void pageOnlyStateIsReplacedToo()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        session.setHtmlName(u"orphan.html"_s);
        session.setEditingVisible(false);
        session.setReporterVisible(false);
        createForm(session, u"survey"_s);
        QCOMPARE(session.htmlName(), u"survey.html"_s);
        QVERIFY(session.editingVisible());
        QVERIFY(session.reporterVisible());
    }

    // The whole header is compared byte for byte in the pages the scenarios save.
    void justificationOtherThanCentreIsNotCentred_data()
    {
        QTest::addColumn<QString>("justification");
        QTest::newRow("lower case") << u"centre"_s;
        QTest::newRow("American") << u"Center"_s;
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
        s.formName = u"O'Brien"_s;
        s.title = u"Bob's <b>Survey</b> & more"_s;
        s.databaseLocation = u"/home/o'neil/formAnswers.mdb"_s;
        s.background = u"it's.gif"_s;
        s.letterSize = u"7'"_s;
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
        s.title = u"Staff\r\nSurvey"_s;
        s.databaseLocation = u"/opt/\nForms/formAnswers.mdb"_s;
        s.letterSize = u"7\n"_s;
        const FormMethod header = headerRecord(s, 1, 0);
        QVERIFY(!header.htmlCode.contains(QLatin1Char('\n')));
        QVERIFY(!header.htmlCode.contains(QLatin1Char('\r')));
        QCOMPARE(header.userInstruction, u"Staff Survey"_s);
        QCOMPARE(header.attribute4, u"7 "_s);
        QCOMPARE(header.item(3), u"/opt/ Forms/formAnswers.mdb"_s);
    }

    void formNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason"); // empty: acceptable
        QTest::newRow("plain") << u"survey"_s << QString();
        QTest::newRow("inner blank") << u"Staff Survey"_s << QString();
        QTest::newRow("apostrophe") << u"O'Brien"_s << QString();
        QTest::newRow("accents") << u"enquête"_s << QString();
        QTest::newRow("slash") << u"a/b"_s << u"outside the program's folders"_s;
        QTest::newRow("parent folder") << u"../evil"_s << u"outside the program's folders"_s;
        QTest::newRow("backslash") << u"a\\b"_s << u"outside the program's folders"_s;
        QTest::newRow("leading blank") << u" survey"_s << u"begins or ends with a blank"_s;
        QTest::newRow("trailing blank") << u"survey "_s << u"begins or ends with a blank"_s;
        QTest::newRow("only blanks") << u"   "_s << u"begins or ends with a blank"_s;
        QTest::newRow("tab") << u"a\tb"_s << u"control character"_s;
        QTest::newRow("line break") << u"a\nb"_s << u"control character"_s;
        QTest::newRow("dot") << u"my.survey"_s << u"part of its page name before the first '.'"_s;
        QTest::newRow("help page") << u"welcome"_s << u"comes with Quenlow and is not a form"_s;
        QTest::newRow("answers page") << u"dbTableOfAnswers"_s << u"is not a form"_s;
        QTest::newRow("fits a file name") << QString(241, QLatin1Char('x')) << QString();
        QTest::newRow("too long") << QString(242, QLatin1Char('x')) << u"too long for a file name"_s;
    }
    void formNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const auto usable = checkFormName(name);
        const QString problem = usable ? QString() : formNameProblemText(usable.error());
        QVERIFY2(reason.isEmpty() ? problem.isEmpty() : problem.contains(reason), qPrintable(problem));
    }
};

QTEST_MAIN(TestCreateNewForm)
#include "tst_createnewform.moc"
