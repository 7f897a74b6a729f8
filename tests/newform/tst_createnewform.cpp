// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersDatabase.h"
#include "model/FormSession.h"
#include "newform/CreateNewForm.h"
#include "newform/FormHeader.h"
#include "newform/ModalStep.h"
#include "platform/BrowserView.h"
#include "support/TestProgramFolder.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

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
        BrowserView::setRecorder([](const QString&, const QString&, const QString&) {});
    }

    void refusedNamesChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString refused = QStringLiteral(" Please enter another name for the HTML form file.");
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
        QCOMPARE(session.rows()->texts(), rows);
        QCOMPARE(session.htmlName(), QStringLiteral("first.html"));
        QCOMPARE(readBytes(folder.html(QStringLiteral("first.html"))), page);
        QCOMPARE(readBytes(folder.collection(QStringLiteral("first"))), collection);
        QCOMPARE(QDir(folder.path() + QStringLiteral("/HTML")).entryList(QDir::Files), filesBefore);
        QCOMPARE(tablesOf(folder.database()), QStringList{QStringLiteral("tbl_first")});
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
            QVERIFY(createForm(stopped, QStringLiteral("survey")));
            stopWritingAfterForTesting(-1);
        }
        QVERIFY(!QFile::exists(folder.collection(QStringLiteral("survey"))));
        const qsizetype boxes = folder.messages().boxes().size();
        FormSession session(folder.path());
        QVERIFY(inNewFormWindow(session, [](QWidget* w) {
            QPointer<QWidget> window(w);
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(QStringLiteral("survey"));
            click(w, "Generate_Form_And_Database");
            if (window && window->isVisible())
                window->close(); // refused
        }));
        QCOMPARE(folder.messages().boxes().size(), boxes);
        QCOMPARE(session.htmlName(), QStringLiteral("survey.html"));
        QVERIFY(QFile::exists(folder.collection(QStringLiteral("survey"))));
        QVERIFY(QFile::exists(folder.html(QStringLiteral("survey.html"))));

        QVERIFY(createFormTable(folder.database(), QStringLiteral("tbl_first")));
        QVERIFY(AnswersDatabase::open(folder.database())->insertRow(QStringLiteral("tbl_first"), {}) > 0);
        for (const QString& name : {QStringLiteral("first"), QStringLiteral("SURVEY")}) {
            QVERIFY(inNewFormWindow(session, [&name](QWidget* w) {
                child<QLineEdit>(w, "HTMLFileNameBox")->setText(name);
                click(w, "Generate_Form_And_Database");
                w->close(); // refused: the window stays open
            }));
            QVERIFY(folder.messageTexts().constLast().startsWith(QStringLiteral("Sorry but there is already a Form")));
            QVERIFY(!QFile::exists(folder.collection(name)));
        }
    }

    // A later form replaces the open one, goes on counting elements and leaves the first form's files alone.
    void onePressReplacesTheOpenForm()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("first")));
        session.elementCounter = 5;
        const QByteArray firstPage = readBytes(folder.html(QStringLiteral("first.html")));
        QVERIFY(createForm(session, QStringLiteral("second")));
        QVERIFY(folder.messageTexts().isEmpty());
        QCOMPARE(session.collection.count(), 1);
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

    // A header change keeps the elements below it, in the list, the collection and the page.
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
            child<QLineEdit>(w, "dbLocationText")->setText(QStringLiteral("/srv/forms/formAnswers.mdb"));
            click(w, "UpdateFormTitle");
        }));
        QCOMPARE(session.rows()->texts(),
                 (QStringList{QStringLiteral("Staff Survey (Header)"), QStringLiteral("Plain Text - Hello")}));
        QCOMPARE(session.selectedRow(), 0);
        QCOMPARE(session.collection.at(QStringLiteral("1")), text);
        const QString html = session.collection.at(QStringLiteral("0")).htmlCode;
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))),
                 crlfLines({html, QStringLiteral("<P>Hello"), QStringLiteral("<P></FORM></HTML>")}));
        // The page names the new location; the program goes on using its own database.
        QVERIFY(html.contains(QLatin1StringView("<FORM name='Staff Survey' ")));
        QVERIFY(html.contains(QLatin1StringView("value='/srv/forms/formAnswers.mdb'")));
        QCOMPARE(session.databasePath(), folder.database());
    }
};

QTEST_MAIN(TestCreateNewForm)
#include "tst_createnewform.moc"
