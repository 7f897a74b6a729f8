// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/FolderLists.h"
#include "main/MainForm.h"
#include "main/OpenForm.h"
#include "model/CollectionFile.h"
#include "model/FormSession.h"
#include "newform/ModalStep.h"
#include "newform/NewFormOperations.h"
#include "platform/BrowserView.h"
#include "program/Program.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

// The commands that reach a hook, by button; each hook counts its calls.
const QStringList kHookedButtons{
    QStringLiteral("GoToTextForm"),      QStringLiteral("GoToTextFieldForm"),  QStringLiteral("GoToTextAreaForm"),
    QStringLiteral("GoToPullDownMenuDesignForm"), QStringLiteral("GoToCheckBoxForm"), QStringLiteral("GoToRadioButtonForm"),
    QStringLiteral("GoToSumbitButtonForm"), QStringLiteral("AddHorizontalLine"), QStringLiteral("EditFormMethod"),
    QStringLiteral("ViewHTMLdbTable"),   QStringLiteral("ViewReporterForm")};

// The menu entry that presses each add button.
const QMap<QString, QString> kMenuOf{
    {QStringLiteral("GoToTextForm"), QStringLiteral("Text")},
    {QStringLiteral("GoToTextFieldForm"), QStringLiteral("TextField")},
    {QStringLiteral("GoToTextAreaForm"), QStringLiteral("TextArea")},
    {QStringLiteral("GoToPullDownMenuDesignForm"), QStringLiteral("Menu")},
    {QStringLiteral("GoToCheckBoxForm"), QStringLiteral("CheckBoxes")},
    {QStringLiteral("GoToRadioButtonForm"), QStringLiteral("RadioButtons")},
    {QStringLiteral("GoToSumbitButtonForm"), QStringLiteral("SubmitButton")},
    {QStringLiteral("AddHorizontalLine"), QStringLiteral("LineRule")},
};

FormMethod element(const QString& kind, const QString& instruction)
{
    FormMethod m;
    m.methodType = kind;
    m.userInstruction = instruction;
    m.htmlCode = QStringLiteral("<P>") + instruction;
    return m;
}

void appendElement(FormSession& session, const FormMethod& m)
{
    session.collection.append(QString::number(session.methodCount), m);
    session.rows()->append(m.rowText());
    ++session.methodCount;
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

    QStringList m_browser;
    QMap<QString, int> m_calls;

    static MainForm* mainOf(Program& program) { return qobject_cast<MainForm*>(program.mainWindow()); }

    void countHooks(MainForm* main)
    {
        m_calls.clear();
        auto counter = [this](const QString& name) { return [this, name] { ++m_calls[name]; }; };
        MainFormHooks& h = main->hooks();
        h.addText = counter(QStringLiteral("GoToTextForm"));
        h.addTextField = counter(QStringLiteral("GoToTextFieldForm"));
        h.addTextArea = counter(QStringLiteral("GoToTextAreaForm"));
        h.addPullDownMenu = counter(QStringLiteral("GoToPullDownMenuDesignForm"));
        h.addCheckBoxes = counter(QStringLiteral("GoToCheckBoxForm"));
        h.addRadioButtons = counter(QStringLiteral("GoToRadioButtonForm"));
        h.addSubmitButton = counter(QStringLiteral("GoToSumbitButtonForm"));
        h.addLineRule = counter(QStringLiteral("AddHorizontalLine"));
        h.editSelected = counter(QStringLiteral("EditFormMethod"));
        h.viewAnswersTable = counter(QStringLiteral("ViewHTMLdbTable"));
        h.openReporter = counter(QStringLiteral("ViewReporterForm"));
    }

    static void trigger(QWidget* main, const QString& name)
    {
        if (auto* action = main->findChild<QAction*>(name)) {
            action->trigger();
            return;
        }
        auto* button = main->findChild<QPushButton*>(name);
        QVERIFY2(button, qPrintable(name));
        button->click();
    }

    static void newForm(FormSession& session, const QString& name)
    {
        HeaderInputs inputs;
        inputs.title = QStringLiteral("New Form Title");
        inputs.letterSize = QStringLiteral("7");
        inputs.justification = QStringLiteral("Centre");
        inputs.backgroundRow = 1;
        inputs.backgroundText = QStringLiteral("Marble");
        QVERIFY(GenerateForm(session, name, inputs));
    }

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([this](const QString& window, const QString& kind, const QString& path) {
            m_browser.append(window + QLatin1Char(' ') + kind + QLatin1Char(' ') + path);
        });
    }
    void init() { m_browser.clear(); }

    void startUpWithTheDatabase()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        QVERIFY(main->isVisible());
        QCOMPARE(main->objectName(), QStringLiteral("MainForm"));
        QCOMPARE(main->windowTitle(), QStringLiteral("Quenlow"));
        QCOMPARE(m_browser, QStringList{QStringLiteral("MainForm navigate ") + folder.html(QStringLiteral("welcome.html"))});
        QCOMPARE(child<QGroupBox>(main, "HTMLFrame")->title(), QStringLiteral("Help Pages"));
        QCOMPARE(child<QLabel>(main, "HTMLName")->text(), QString());
        QCOMPARE(child<QListView>(main, "FormCollectionList")->model()->rowCount(), 0);
        QVERIFY(main->openForm());
        QVERIFY(main->openForm()->isHidden());
        QCOMPARE(main->openForm()->dirList()->path(), folder.path());
        QVERIFY(folder.messageTexts().isEmpty());

        // Picture buttons carry their pictures; the frames hold their controls.
        QVERIFY(!child<QPushButton>(main, "GoToSumbitButtonForm")->icon().isNull());
        QVERIFY(!child<QPushButton>(main, "GoToRadioButtonForm")->icon().isNull());
        QVERIFY(child<QWidget>(main, "AddHTMLMethodsFrame")->isAncestorOf(child<QWidget>(main, "GoToTextForm")));
        QVERIFY(child<QWidget>(main, "AlterFormFrame")->isAncestorOf(child<QWidget>(main, "FormCollectionList")));
        QVERIFY(child<QWidget>(main, "HTMLFrame")->isAncestorOf(child<QWidget>(main, "WebBrowser1")));
        // New, Open, Collect Answers, the separator, Exit.
        QCOMPARE(child<QMenu>(main, "From")->actions().size(), 5);
        QVERIFY(child<QMenu>(main, "From")->actions().at(3)->isSeparator());
    }

    void startUpWithoutTheDatabaseOffersToCreateIt()
    {
        TestProgramFolder folder(false);
        Program program(folder.path());
        bool mainShown = true;
        ModalStep step(QStringLiteral("CreateNewDatabase"), [&](QWidget* w) {
            mainShown = program.mainWindow()->isVisible();
            QCOMPARE(w->windowTitle(), QStringLiteral("Create/Open Database"));
            QCOMPARE(child<QLabel>(w, "dbNotFoundInstruction1")->text(),
                     QStringLiteral("Sorry, but the Database 'formAnswers.mdb' required to hold the tables of answers "
                                    "for each form cannot be found."));
            QCOMPARE(child<QLabel>(w, "dbNotFoundInstruction2")->text(),
                     QStringLiteral("To create the database, click the 'Create Database' button."));
            QCOMPARE(child<QPushButton>(w, "CreateDatabase")->text(), QStringLiteral("Create Database"));
            click(w, "CreateDatabase");
        });
        program.start();
        QVERIFY(step.ran());
        QVERIFY(!mainShown);
        QVERIFY(program.mainWindow()->isVisible());
        QVERIFY(QFile::exists(folder.database()));
        QCOMPARE(child<QGroupBox>(program.mainWindow(), "HTMLFrame")->title(), QStringLiteral("Help Pages"));
        QCOMPARE(m_browser, QStringList{QStringLiteral("MainForm navigate ") + folder.html(QStringLiteral("welcome.html"))});

        // Now a form can be made.
        newForm(program.session(), QStringLiteral("survey"));
        QCOMPARE(program.session().htmlName(), QStringLiteral("survey.html"));
    }

    void databaseLeftMissingIsReported()
    {
        TestProgramFolder folder(false);
        Program program(folder.path());
        ModalStep step(QStringLiteral("CreateNewDatabase"), [](QWidget* w) { w->close(); });
        program.start();
        QVERIFY(step.ran());
        QVERIFY(program.mainWindow()->isVisible());
        QVERIFY(!QFile::exists(folder.database()));
        const QString missing = QStringLiteral("The answers database '") + folder.database()
            + QStringLiteral("' is missing. Please start Quenlow again and create the database when asked.");

        // Creating a form.
        folder.messages().queueAnswer(MessageAnswer::Ok);
        ModalStep create(QStringLiteral("CreateNewForm"), [](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(QStringLiteral("survey"));
            click(w, "Generate_Form_And_Database");
            w->close();
        });
        trigger(program.mainWindow(), QStringLiteral("New"));
        QVERIFY(create.ran());
        QCOMPARE(folder.messageTexts(), QStringList{missing});

        // The answers table and the reporter of an open form whose database went away.
        MainForm* main = mainOf(program);
        countHooks(main);
        program.session().setHtmlName(QStringLiteral("survey.html"));
        folder.messages().clear();
        folder.messages().queueAnswer(MessageAnswer::Ok);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        trigger(main, QStringLiteral("Table"));
        trigger(main, QStringLiteral("ViewReporterForm"));
        QCOMPARE(folder.messageTexts(), (QStringList{missing, missing}));
        QVERIFY(m_calls.isEmpty());
    }

    void openChecks_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("message");
        const auto add = [](const QString& control, const QString& message) {
            QTest::newRow(qPrintable(control)) << control << message;
        };
        const QList<QPair<QString, QString>> adds{
            {QStringLiteral("GoToTextForm"), QStringLiteral("Text")},
            {QStringLiteral("GoToTextFieldForm"), QStringLiteral("Text Field")},
            {QStringLiteral("GoToTextAreaForm"), QStringLiteral("Text Area")},
            {QStringLiteral("GoToPullDownMenuDesignForm"), QStringLiteral("Pull Down Menu")},
            {QStringLiteral("GoToCheckBoxForm"), QStringLiteral("Check Box")},
            {QStringLiteral("GoToRadioButtonForm"), QStringLiteral("Radio Button Menu")},
            {QStringLiteral("GoToSumbitButtonForm"), QStringLiteral("Submit Button")},
            {QStringLiteral("AddHorizontalLine"), QStringLiteral("Line")}};
        for (const auto& [button, what] : adds) {
            const QString message = QStringLiteral("You don't currently have a Form Open to add a ") + what
                + QStringLiteral(" to.");
            add(button, message);
            add(kMenuOf.value(button), message);
        }
        add(QStringLiteral("ViewCurrentForm"), QStringLiteral("You don't currently have a Form Open to view."));
        add(QStringLiteral("HTMLForm"), QStringLiteral("You don't currently have a Form Open to view."));
        add(QStringLiteral("ViewHTMLdbTable"), QStringLiteral("You don't currently have a Form Open."));
        add(QStringLiteral("Table"), QStringLiteral("You don't currently have a Form Open."));
        add(QStringLiteral("ViewReporterForm"), QStringLiteral("You don't currently have a Form Open."));
        add(QStringLiteral("EditFormMethod"), QStringLiteral("You do not have a Form Method Selected."));
        add(QStringLiteral("MoveFormMethodUpForm"), QStringLiteral("Sorry, but you don't have a method selected."));
        add(QStringLiteral("MoveFormMethodDownForm"), QStringLiteral("Sorry, but you don't have a method selected."));
        add(QStringLiteral("RemoveFormMethod"), QStringLiteral("Sorry, but you don't have a method selected."));
    }
    void openChecks()
    {
        QFETCH(QString, control);
        QFETCH(QString, message);
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        countHooks(main);
        m_browser.clear();
        folder.messages().queueAnswer(MessageAnswer::Ok);
        trigger(main, control);
        QCOMPARE(folder.messages().boxes().size(), 1);
        const RecordingMessages::Box& box = folder.messages().boxes().constFirst();
        QCOMPARE(box.text, message);
        QCOMPARE(box.title, QStringLiteral("Quenlow"));
        QCOMPARE(box.icon, MessageIcon::Exclamation);
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QVERIFY(m_calls.isEmpty());
        QVERIFY(m_browser.isEmpty());
        QCOMPARE(child<QGroupBox>(main, "HTMLFrame")->title(), QStringLiteral("Help Pages"));
    }

    void hooksRunOnceTheChecksPass()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        newForm(program.session(), QStringLiteral("survey"));
        countHooks(main);
        for (const QString& button : kHookedButtons)
            trigger(main, button);
        for (const QString& menu : kMenuOf)
            trigger(main, menu);
        trigger(main, QStringLiteral("Table"));
        QVERIFY(folder.messageTexts().isEmpty());
        for (const QString& button : kHookedButtons) {
            const int expected = kMenuOf.contains(button) || button == QLatin1StringView("ViewHTMLdbTable") ? 2 : 1;
            QVERIFY2(m_calls.value(button) == expected, qPrintable(button));
        }
    }

    void submitCheckLooksAtTheLastElementOnly()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        FormSession& session = program.session();
        newForm(session, QStringLiteral("survey"));
        countHooks(main);
        appendElement(session, element(Kind::submitButton(), QStringLiteral("Send")));
        folder.messages().queueAnswer(MessageAnswer::Ok);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        trigger(main, QStringLiteral("GoToSumbitButtonForm"));
        trigger(main, QStringLiteral("SubmitButton"));
        QCOMPARE(folder.messageTexts(),
                 QStringList(2, QStringLiteral("You already have a submit button in the Form. You may however edit it")));
        QVERIFY(m_calls.isEmpty());

        // A line below the submit button hides it from the check.
        appendElement(session, element(Kind::line(), QStringLiteral("Horizontal")));
        trigger(main, QStringLiteral("SubmitButton"));
        QCOMPARE(m_calls.value(QStringLiteral("GoToSumbitButtonForm")), 1);
    }

    void pageOpenedWithoutCollectionCannotBeEdited()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        newForm(program.session(), QStringLiteral("survey"));
        countHooks(main);
        writeBytes(folder.html(QStringLiteral("orphan.html")), "<html></html>\r\n");
        folder.messages().queueAnswer(MessageAnswer::Yes);
        LoadForm(program.session(), folder.path(), QStringLiteral("orphan.html"));
        QCOMPARE(child<QLabel>(main, "HTMLName")->text(), QStringLiteral("orphan.html"));
        QVERIFY(child<QWidget>(main, "AddHTMLMethodsFrame")->isHidden());
        QVERIFY(child<QWidget>(main, "AlterFormFrame")->isHidden());
        QVERIFY(child<QWidget>(main, "ViewReporterForm")->isHidden());
        QCOMPARE(child<QListView>(main, "FormCollectionList")->model()->rowCount(), 0);

        folder.messages().clear();
        for (const QString& menu : kMenuOf) {
            folder.messages().queueAnswer(MessageAnswer::Ok);
            trigger(main, menu);
        }
        QCOMPARE(folder.messageTexts(),
                 QStringList(kMenuOf.size(), QStringLiteral("The page 'orphan.html' was opened without its collection "
                                                            "file and cannot be edited.")));
        QVERIFY(m_calls.isEmpty());
        QVERIFY(!QFile::exists(folder.collection(QStringLiteral("orphan"))));

        // It can still be viewed.
        m_browser.clear();
        trigger(main, QStringLiteral("HTMLForm"));
        QCOMPARE(m_browser, QStringList{QStringLiteral("MainForm navigate ") + folder.html(QStringLiteral("orphan.html"))});
    }

    void viewingCommands()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        auto* frame = child<QGroupBox>(main, "HTMLFrame");
        m_browser.clear();
        trigger(main, QStringLiteral("HelpPages"));
        QCOMPARE(m_browser.takeLast(), QStringLiteral("MainForm navigate ") + folder.html(QStringLiteral("welcome.html#help")));
        QCOMPARE(frame->title(), QStringLiteral("Help Pages"));

        newForm(program.session(), QStringLiteral("survey"));
        QCOMPARE(frame->title(), QStringLiteral("Current Form"));
        trigger(main, QStringLiteral("ViewHelpPages"));
        QCOMPARE(frame->title(), QStringLiteral("Help Pages"));
        trigger(main, QStringLiteral("ViewCurrentForm"));
        QCOMPARE(frame->title(), QStringLiteral("Current Form"));
        QCOMPARE(m_browser.takeLast(), QStringLiteral("MainForm navigate ") + folder.html(QStringLiteral("survey.html")));
        QCOMPARE(main->browser()->lastPath(), folder.html(QStringLiteral("survey.html")));
        program.session().refreshBrowser();
        QCOMPARE(m_browser.takeLast(), QStringLiteral("MainForm refresh ") + folder.html(QStringLiteral("survey.html")));
    }

    void elementListMirrorsTheSession()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        FormSession& session = program.session();
        newForm(session, QStringLiteral("survey"));
        appendElement(session, element(Kind::plainText(), QStringLiteral("Hello")));
        appendElement(session, element(Kind::line(), QStringLiteral("Horizontal")));
        auto* list = child<QListView>(main, "FormCollectionList");
        auto selectedInView = [list] {
            const QModelIndexList rows = list->selectionModel()->selectedIndexes();
            return rows.isEmpty() ? -1 : rows.constFirst().row();
        };
        QCOMPARE(selectedInView(), 0);

        session.setSelectedRow(2);
        QCOMPARE(selectedInView(), 2);
        list->selectionModel()->setCurrentIndex(list->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(session.selectedRow(), 1);
        list->selectionModel()->clearSelection();
        QCOMPARE(session.selectedRow(), -1);

        // A click selects as well.
        const QRect rect = list->visualRect(list->model()->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(session.selectedRow(), 2);

        // The move buttons act on that row, and the list follows the model.
        trigger(main, QStringLiteral("MoveFormMethodUpForm"));
        QCOMPARE(session.rows()->texts(),
                 (QStringList{QStringLiteral("HTML Header (Can't Remove/Move)"), QStringLiteral("Line - Horizontal"),
                              QStringLiteral("Plain Text - Hello")}));
        QCOMPARE(session.selectedRow(), 1);
        QCOMPARE(selectedInView(), 1);
        QCOMPARE(list->model()->index(1, 0).data().toString(), QStringLiteral("Line - Horizontal"));

        session.setEditingVisible(false);
        QVERIFY(child<QWidget>(main, "AlterFormFrame")->isHidden());
        QVERIFY(child<QWidget>(main, "AddHTMLMethodsFrame")->isHidden());
        session.setReporterVisible(false);
        QVERIFY(child<QWidget>(main, "ViewReporterForm")->isHidden());
        session.setEditingVisible(true);
        session.setReporterVisible(true);
        QVERIFY(child<QWidget>(main, "AlterFormFrame")->isVisible());
        QVERIFY(child<QWidget>(main, "ViewReporterForm")->isVisible());
    }

    void newFormFromTheMenu()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        ModalStep step(QStringLiteral("CreateNewForm"), [main](QWidget* w) {
            QCOMPARE(w->parentWidget(), main);
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(QStringLiteral("survey"));
            click(w, "Generate_Form_And_Database");
        });
        trigger(main, QStringLiteral("New"));
        QVERIFY(step.ran());
        QCOMPARE(child<QLabel>(main, "HTMLName")->text(), QStringLiteral("survey.html"));
        QCOMPARE(child<QGroupBox>(main, "HTMLFrame")->title(), QStringLiteral("Current Form"));
        QCOMPARE(main->browser()->lastPath(), folder.html(QStringLiteral("survey.html")));
        auto* list = child<QListView>(main, "FormCollectionList");
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("HTML Header (Can't Remove/Move)"));
        QCOMPARE(list->selectionModel()->selectedIndexes().size(), 1);
    }

    void editCommandWithoutElementEditors()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        FormSession& session = program.session();
        newForm(session, QStringLiteral("survey"));
        appendElement(session, element(Kind::line(), QStringLiteral("Horizontal")));
        appendElement(session, element(QStringLiteral("Marquee"), QStringLiteral("odd")));

        session.setSelectedRow(0);
        ModalStep step(QStringLiteral("CreateNewForm"), [main](QWidget* w) {
            QCOMPARE(w->parentWidget(), main);
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Form Attributes"));
            child<QLineEdit>(w, "FormTitleBox")->setText(QStringLiteral("Staff Survey"));
            click(w, "UpdateFormTitle");
        });
        trigger(main, QStringLiteral("EditFormMethod"));
        QVERIFY(step.ran());
        QCOMPARE(session.rows()->text(0), QStringLiteral("Staff Survey (Header)"));

        folder.messages().queueAnswer(MessageAnswer::Ok);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        session.setSelectedRow(1);
        trigger(main, QStringLiteral("EditFormMethod"));
        session.setSelectedRow(2);
        trigger(main, QStringLiteral("EditFormMethod"));
        QCOMPARE(folder.messageTexts(), (QStringList{QStringLiteral("Horizontal Line Rules cannot be edited."),
                                                     QStringLiteral("Field Type Not Recognised")}));
    }

    // Without Program, so that ending the program quits no event loop of the test.
    void exitAndTitleBarCloseEndTheProgram_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("Exit") << true;
        QTest::newRow("title bar") << false;
    }
    void exitAndTitleBarCloseEndTheProgram()
    {
        QFETCH(bool, byMenu);
        TestProgramFolder folder;
        FormSession session(folder.path());
        MainForm main(session);
        main.startUp();
        main.show();
        // An editor open beside the main window, as the check box editor is.
        auto* editor = new QDialog(&main);
        editor->setObjectName(QStringLiteral("CheckBoxesForm"));
        editor->show();
        QSignalSpy ending(&main, &MainForm::programEnding);
        if (byMenu)
            trigger(&main, QStringLiteral("Exit_Application"));
        else
            main.close();
        QCOMPARE(ending.size(), 1);
        QVERIFY(!main.isVisible());
        QVERIFY(!editor->isVisible());
        QVERIFY(folder.messageTexts().isEmpty());
    }

    void programFolder()
    {
        QTemporaryDir dir;
        const QString target = dir.path() + QStringLiteral("/nested/app");
        QString error;
        QCOMPARE(programFolderFromArguments({QStringLiteral("quenlow"), QStringLiteral("--app-folder"), target + QLatin1Char('/')},
                                           &error),
                 target);
        for (const char* sub : {"HTML", "Collections", "Reports"})
            QVERIFY(QFileInfo(target + QLatin1Char('/') + QLatin1StringView(sub)).isDir());
        QCOMPARE(programFolderFromArguments({QStringLiteral("quenlow"), QStringLiteral("--app-folder=") + target}, &error),
                 target);
        QCOMPARE(programFolderFromArguments({QStringLiteral("quenlow")}, &error), QCoreApplication::applicationDirPath());

        QVERIFY(programFolderFromArguments({QStringLiteral("quenlow"), QStringLiteral("--app-folder")}, &error).isEmpty());
        QVERIFY(!error.isEmpty());
        writeBytes(dir.path() + QStringLiteral("/file"), "x");
        error.clear();
        QVERIFY(programFolderFromArguments({QStringLiteral("quenlow"), QStringLiteral("--app-folder"),
                                            dir.path() + QStringLiteral("/file")},
                                           &error)
                    .isEmpty());
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
