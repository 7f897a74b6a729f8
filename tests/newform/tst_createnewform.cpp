// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersDatabase.h"
#include "model/FormSession.h"
#include "newform/CreateNewForm.h"
#include "newform/FormHeader.h"
#include "newform/ModalStep.h"
#include "platform/BrowserView.h"
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

QString defaultFragment(const QString& name, const QString& database)
{
    return QStringLiteral("<html><head><title>New Form Title</h1></title><BODY BGCOLOR='#000000' "
                          "BACKGROUND='Background.gif'><CENTER><I><B><FONT SIZE='7'><P>New Form Title</FONT></B></I>"
                          "</CENTER><FORM name='New Form Title' method=post action='/scripts/save.asp'><input "
                          "type=hidden name=tableName value='tbl_")
        + name + QStringLiteral("'><input type=hidden name=DBLocation value='") + database
        + QStringLiteral("'><input type=hidden name=background value='Background.gif'><input type=hidden "
                         "name=allowShowTableButtron value='False'>");
}

QStringList tablesOf(const QString& database)
{
    QStringList names;
    auto db = AnswersDatabase::open(database);
    if (!db)
        return names;
    for (const QString& candidate : {QStringLiteral("tbl_survey"), QStringLiteral("tbl_first"),
                                     QStringLiteral("tbl_second")}) {
        if (db->tableExists(candidate))
            names.append(candidate);
    }
    return names;
}

} // namespace

class TestCreateNewForm : public QObject
{
    Q_OBJECT

    QStringList m_browser; // "window kind path" of every browser request

    // Runs "Create New Form" and lets `act` work in the window; returns whether it ran.
    bool inNewFormWindow(FormSession& session, const std::function<void(QWidget*)>& act)
    {
        ModalStep step(QStringLiteral("CreateNewForm"), act);
        CreateNewForm::createNewForm(session, nullptr);
        return step.ran();
    }
    bool createForm(FormSession& session, const QString& name)
    {
        return inNewFormWindow(session, [name](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(name);
            click(w, "Generate_Form_And_Database");
        });
    }
    bool inHeaderWindow(FormSession& session, const std::function<void(QWidget*)>& act)
    {
        ModalStep step(QStringLiteral("CreateNewForm"), act);
        CreateNewForm::editHeader(session, nullptr);
        return step.ran();
    }

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([this](const QString& window, const QString& kind, const QString& path) {
            m_browser.append(window + QLatin1Char(' ') + kind + QLatin1Char(' ') + path);
        });
    }
    void init() { m_browser.clear(); }

    void creationModeAndTheNewForm()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        bool checked = false;
        QVERIFY(inNewFormWindow(session, [&](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Create New Form"));
            QCOMPARE(child<QComboBox>(w, "LetterSize")->currentText(), QStringLiteral("7"));
            QCOMPARE(child<QComboBox>(w, "Justification")->currentText(), QStringLiteral("Centre"));
            QCOMPARE(child<QListWidget>(w, "BackgroundChoice")->currentRow(), 1);
            QCOMPARE(child<QListWidget>(w, "BackgroundChoice")->count(), 11);
            QCOMPARE(m_browser, QStringList{QStringLiteral("CreateNewForm navigate ") + folder.html(QStringLiteral("Background.gif"))});
            QCOMPARE(session.backgroundChoice, 1);
            for (const char* hidden : {"UpdateFormTitle", "Cancel", "dbLocationInstruction", "dbLocationText"})
                QVERIFY2(child<QWidget>(w, hidden)->isHidden(), hidden);
            for (const char* shown : {"EnterFileNameInstruction", "HTMLFileNameBox", "Generate_Form_And_Database",
                                      "FormAttributesFrame", "UserViewTableCheck", "WebBrowser1"})
                QVERIFY2(!child<QWidget>(w, shown)->isHidden(), shown);
            QCOMPARE(child<QLineEdit>(w, "HTMLFileNameBox")->text(), QStringLiteral("name"));
            QCOMPARE(child<QLineEdit>(w, "FormTitleBox")->text(), QStringLiteral("New Form Title"));
            QCOMPARE(child<QPushButton>(w, "Generate_Form_And_Database")->text(),
                     QStringLiteral("Generate HTML Form && Corresponding Database Table for form answers"));
            checked = true;
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(QStringLiteral("survey"));
            click(w, "Generate_Form_And_Database");
        }));
        QVERIFY(checked);

        const QString fragment = defaultFragment(QStringLiteral("survey"), folder.database());
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))),
                 crlfLines({fragment, QStringLiteral("<P></FORM></HTML>")}));
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))),
                 crlfLines({QStringLiteral("User Instruction"), QStringLiteral("New Form Title"),
                            QStringLiteral("Method Type"), QStringLiteral("Header"), QStringLiteral("HTML Code"),
                            fragment, QStringLiteral("Attribute 4"), QStringLiteral("7"),
                            QStringLiteral("Attribute 5"), QStringLiteral("Centre"), QStringLiteral("Attribute 6"),
                            QStringLiteral("[next]"), QStringLiteral(" 1 "), QStringLiteral("[next]"),
                            QStringLiteral(" 0 "), QStringLiteral("[next]"), folder.database(),
                            QStringLiteral("[next]"), QStringLiteral(" 0 ")}));
        auto db = AnswersDatabase::open(folder.database());
        QVERIFY(db);
        const auto columns = db->columns(QStringLiteral("tbl_survey"));
        QCOMPARE(columns.size(), 1);
        QCOMPARE(columns.first().name, QStringLiteral("Form Question"));
        QVERIFY(!columns.first().isMemo());

        QCOMPARE(session.rows()->texts(), QStringList{QStringLiteral("HTML Header (Can't Remove/Move)")});
        QCOMPARE(session.selectedRow(), 0);
        QCOMPARE(session.methodCount, qint16(1));
        QCOMPARE(session.collection.keyAt(0), QStringLiteral("0"));
        QCOMPARE(session.htmlName(), QStringLiteral("survey.html"));
        QCOMPARE(session.openFormName, QStringLiteral("survey"));
        QCOMPARE(session.htmlFrameCaption(), QStringLiteral("Current Form"));
        QCOMPARE(session.browserPage(), folder.html(QStringLiteral("survey.html")));
        // The window is gone, and its background choice with it.
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(session.backgroundChoice, -1);
        QVERIFY(session.backgroundFileName.isEmpty());
    }

    void choicesOfTheWindowReachTheHeader()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(inNewFormWindow(session, [&](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(QStringLiteral("survey"));
            child<QLineEdit>(w, "FormTitleBox")->setText(QStringLiteral("Staff Survey"));
            child<QComboBox>(w, "LetterSize")->setCurrentText(QStringLiteral("4"));
            child<QComboBox>(w, "Justification")->setCurrentText(QStringLiteral("Left"));
            child<QListWidget>(w, "BackgroundChoice")->setCurrentRow(0);
            child<QCheckBox>(w, "UserViewTableCheck")->setChecked(true);
            click(w, "Generate_Form_And_Database");
        }));
        QVERIFY(m_browser.contains(QStringLiteral("CreateNewForm navigate ") + folder.html(QStringLiteral("none.gif"))));
        const FormMethod& header = session.collection.at(QStringLiteral("0"));
        HeaderSettings expected{QStringLiteral("survey"), QStringLiteral("Staff Survey"), QStringLiteral("4"),
                                QStringLiteral("Left"), QStringLiteral("none.gif"), folder.database(), true};
        QCOMPARE(header, headerRecord(expected, 0, 0));
    }

    void refusedNamesChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString refused = QStringLiteral(" Please enter another name for the HTML form file.");
        QTest::newRow("empty") << QString()
                               << QStringLiteral("HTML File name Text Box is empty. Please enter a name for the new HTML Form.");
        QTest::newRow("duplicate") << QStringLiteral("first")
                                   << QStringLiteral("Sorry but there is already a Form and DB Table with the name "
                                                     "'first'.Please enter another name for the HTML form file.");
        QTest::newRow("duplicate, other case") << QStringLiteral("FIRST")
                                               << QStringLiteral("Sorry but there is already a Form and DB Table with "
                                                                 "the name 'FIRST'.Please enter another name for the HTML form file.");
        QTest::newRow("slash") << QStringLiteral("../outside")
                               << QStringLiteral("The name '../outside' cannot be used for a form: it contains '/' or "
                                                 "'\\', which would place the form's files outside the program's folders.")
                + refused;
        QTest::newRow("dot") << QStringLiteral("my.survey")
                             << QStringLiteral("The name 'my.survey' cannot be used for a form: it contains a '.', and a "
                                               "form is found again by the part of its page name before the first '.'.")
                + refused;
        QTest::newRow("trailing blank") << QStringLiteral("survey ")
                                        << QStringLiteral("The name 'survey ' cannot be used for a form: it begins or "
                                                          "ends with a blank.")
                + refused;
        QTest::newRow("help page") << QStringLiteral("welcome")
                                   << QStringLiteral("The name 'welcome' cannot be used for a form: a page of that name "
                                                     "comes with Quenlow and is not a form.")
                + refused;
    }
    // Whatever is refused, the open form stays exactly as it was and the window stays open.
    void refusedNamesChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("first")));
        const QByteArray page = readBytes(folder.html(QStringLiteral("first.html")));
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("first")));
        const auto methods = session.collection.methods();
        const QStringList rows = session.rows()->texts();
        const QStringList filesBefore = QDir(folder.path() + QStringLiteral("/HTML")).entryList(QDir::Files);

        bool stayedOpen = false;
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(inNewFormWindow(session, [&](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(name);
            click(w, "Generate_Form_And_Database");
            stayedOpen = w->isVisible();
            QCOMPARE(child<QLineEdit>(w, "HTMLFileNameBox")->text(), name);
            w->close();
        }));
        QVERIFY(stayedOpen);
        QCOMPARE(folder.messageTexts(), QStringList{message});
        QCOMPARE(session.collection.methods(), methods);
        QCOMPARE(session.rows()->texts(), rows);
        QCOMPARE(session.htmlName(), QStringLiteral("first.html"));
        QCOMPARE(session.openFormName, QStringLiteral("first"));
        QCOMPARE(readBytes(folder.html(QStringLiteral("first.html"))), page);
        QCOMPARE(readBytes(folder.collection(QStringLiteral("first"))), collection);
        QCOMPARE(QDir(folder.path() + QStringLiteral("/HTML")).entryList(QDir::Files), filesBefore);
        QCOMPARE(tablesOf(folder.database()), QStringList{QStringLiteral("tbl_first")});
    }

    void onePressReplacesTheOpenForm()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("first")));
        session.elementCounter = 5; // a later form goes on counting
        const QByteArray firstPage = readBytes(folder.html(QStringLiteral("first.html")));
        QVERIFY(createForm(session, QStringLiteral("second")));
        QVERIFY(folder.messageTexts().isEmpty());
        QCOMPARE(session.rows()->texts(), QStringList{QStringLiteral("HTML Header (Can't Remove/Move)")});
        QCOMPARE(session.collection.count(), 1);
        QCOMPARE(session.methodCount, qint16(1));
        QCOMPARE(session.htmlName(), QStringLiteral("second.html"));
        QCOMPARE(session.collection.at(QStringLiteral("0")).item(4), QStringLiteral(" 5 "));
        QCOMPARE(readBytes(folder.html(QStringLiteral("first.html"))), firstPage);
        QCOMPARE(tablesOf(folder.database()), (QStringList{QStringLiteral("tbl_first"), QStringLiteral("tbl_second")}));
    }

    void pageOnlyStateIsReplacedToo()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        session.setHtmlName(QStringLiteral("orphan.html"));
        session.setEditingVisible(false);
        session.setReporterVisible(false);
        QVERIFY(createForm(session, QStringLiteral("survey")));
        QCOMPARE(session.htmlName(), QStringLiteral("survey.html"));
        QVERIFY(session.editingVisible());
        QVERIFY(session.reporterVisible());
    }

    void missingDatabaseIsReportedNotCrashed()
    {
        TestProgramFolder folder(false);
        FormSession session(folder.path());
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(inNewFormWindow(session, [&](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(QStringLiteral("survey"));
            click(w, "Generate_Form_And_Database");
            w->close();
        }));
        QCOMPARE(folder.messageTexts(),
                 QStringList{QStringLiteral("The answers database '") + folder.database()
                             + QStringLiteral("' is missing. Please start Quenlow again and create the database when asked.")});
        QVERIFY(!QFile::exists(folder.database()));
        QVERIFY(!QFile::exists(folder.html(QStringLiteral("survey.html"))));
        QVERIFY(!session.isFormOpen());
    }

    void closingTheWindowCreatesNothing()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(inNewFormWindow(session, [](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(QStringLiteral("survey"));
            w->close();
        }));
        QVERIFY(tablesOf(folder.database()).isEmpty());
        QVERIFY(!session.isFormOpen());
        QCOMPARE(session.rows()->count(), 0);
    }

    void headerEditingModeAndCancel()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("survey")));
        const QByteArray page = readBytes(folder.html(QStringLiteral("survey.html")));
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("survey")));
        const FormMethod header = session.collection.at(QStringLiteral("0"));
        m_browser.clear();
        QVERIFY(inHeaderWindow(session, [&](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Form Attributes"));
            for (const char* hidden : {"EnterFileNameInstruction", "HTMLFileNameBox", "Generate_Form_And_Database"})
                QVERIFY2(child<QWidget>(w, hidden)->isHidden(), hidden);
            for (const char* shown : {"dbLocationInstruction", "dbLocationText", "UpdateFormTitle", "Cancel"})
                QVERIFY2(!child<QWidget>(w, shown)->isHidden(), shown);
            QCOMPARE(child<QLineEdit>(w, "FormTitleBox")->text(), QStringLiteral("New Form Title"));
            QCOMPARE(child<QComboBox>(w, "LetterSize")->currentText(), QStringLiteral("7"));
            QCOMPARE(child<QComboBox>(w, "Justification")->currentText(), QStringLiteral("Centre"));
            QVERIFY(!child<QCheckBox>(w, "UserViewTableCheck")->isChecked());
            QCOMPARE(child<QLineEdit>(w, "dbLocationText")->text(), folder.database());
            QCOMPARE(m_browser, QStringList{QStringLiteral("CreateNewForm navigate ") + folder.html(QStringLiteral("Background.gif"))});
            child<QLineEdit>(w, "FormTitleBox")->setText(QStringLiteral("Changed"));
            child<QListWidget>(w, "BackgroundChoice")->setCurrentRow(6);
            click(w, "Cancel");
        }));
        QCOMPARE(session.collection.at(QStringLiteral("0")), header);
        QCOMPARE(session.rows()->texts(), QStringList{QStringLiteral("HTML Header (Can't Remove/Move)")});
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))), page);
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))), collection);
    }

    void titleChangeRenamesTheHeaderRow()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("survey")));
        FormMethod text;
        text.methodType = Kind::plainText();
        text.userInstruction = QStringLiteral("Hello");
        text.htmlCode = QStringLiteral("<P>Hello");
        session.collection.append(QStringLiteral("1"), text);
        session.rows()->append(text.rowText());
        ++session.methodCount;
        session.setSelectedRow(0);

        QVERIFY(inHeaderWindow(session, [](QWidget* w) {
            child<QLineEdit>(w, "FormTitleBox")->setText(QStringLiteral("Staff Survey"));
            click(w, "UpdateFormTitle");
        }));
        QCOMPARE(session.rows()->texts(),
                 (QStringList{QStringLiteral("Staff Survey (Header)"), QStringLiteral("Plain Text - Hello")}));
        QCOMPARE(session.selectedRow(), 0);
        QCOMPARE(session.collection.keyAt(0), QStringLiteral("0"));
        QCOMPARE(session.collection.keyAt(1), QStringLiteral("1"));
        QCOMPARE(session.collection.at(QStringLiteral("1")), text);
        const QString html = session.collection.at(QStringLiteral("0")).htmlCode;
        QCOMPARE(html.count(QLatin1StringView("Staff Survey")), 3);
        QVERIFY(html.contains(QLatin1StringView("<title>Staff Survey</h1></title>")));
        QVERIFY(html.contains(QLatin1StringView("<P>Staff Survey</FONT>")));
        QVERIFY(html.contains(QLatin1StringView("<FORM name='Staff Survey' ")));
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))),
                 crlfLines({html, QStringLiteral("<P>Hello"), QStringLiteral("<P></FORM></HTML>")}));
    }

    void backgroundAndLocationChanges()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("survey")));
        const QString before = session.collection.at(QStringLiteral("0")).htmlCode;
        QVERIFY(inHeaderWindow(session, [](QWidget* w) {
            child<QListWidget>(w, "BackgroundChoice")->setCurrentRow(6); // "Sky 1"
            child<QLineEdit>(w, "dbLocationText")->setText(QStringLiteral("/srv/forms/formAnswers.mdb"));
            click(w, "UpdateFormTitle");
        }));
        QVERIFY(m_browser.contains(QStringLiteral("CreateNewForm navigate ") + folder.html(QStringLiteral("Background3.jpg"))));
        const FormMethod& header = session.collection.at(QStringLiteral("0"));
        QString expected = before;
        expected.replace(QLatin1StringView("Background.gif"), QLatin1StringView("Background3.jpg"));
        expected.replace(folder.database(), QStringLiteral("/srv/forms/formAnswers.mdb"));
        QCOMPARE(header.htmlCode, expected);
        QCOMPARE(header.attribute6List,
                 (QStringList{QStringLiteral(" 6 "), QStringLiteral(" 0 "), QStringLiteral("/srv/forms/formAnswers.mdb"),
                              QStringLiteral(" 0 ")}));
        // The title did not change, so neither does the row.
        QCOMPARE(session.rows()->texts(), QStringList{QStringLiteral("HTML Header (Can't Remove/Move)")});
        QVERIFY(readBytes(folder.collection(QStringLiteral("survey"))).contains("\r\n[next]\r\n 6 \r\n"));
        // The program itself goes on using its own database.
        QCOMPARE(session.databasePath(), folder.database());
    }

    void secondCreationShowsThePresetsAgain()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("survey")));
        QVERIFY(inHeaderWindow(session, [](QWidget* w) {
            child<QComboBox>(w, "LetterSize")->setCurrentText(QStringLiteral("3"));
            child<QComboBox>(w, "Justification")->setCurrentText(QStringLiteral("Left"));
            child<QListWidget>(w, "BackgroundChoice")->setCurrentRow(9);
            click(w, "UpdateFormTitle");
        }));
        QVERIFY(inNewFormWindow(session, [](QWidget* w) {
            QCOMPARE(child<QComboBox>(w, "LetterSize")->currentText(), QStringLiteral("7"));
            QCOMPARE(child<QComboBox>(w, "Justification")->currentText(), QStringLiteral("Centre"));
            QCOMPARE(child<QListWidget>(w, "BackgroundChoice")->currentRow(), 1);
            w->close();
        }));
    }
};

QTEST_MAIN(TestCreateNewForm)
#include "tst_createnewform.moc"
