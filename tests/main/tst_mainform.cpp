// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/ProgramFolder.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "export/XlsForm.h"
#include "main/FolderLists.h"
#include "main/FormHistory.h"
#include "main/MainForm.h"
#include "main/OpenForm.h"
#include "main/XlsFormExport.h"
#include "model/CollectionFile.h"
#include "model/DesignerCommands.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/PageWriter.h"
#include "newform/NewFormOperations.h"
#include "platform/BrowserView.h"
#include "platform/OutcomeMessages.h"
#include "program/Program.h"
#include "support/FormFixture.h"
#include "support/ModalStep.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

// The entries of the Add To Form menu.
const QStringList kAddMenu { u"Text"_s, u"TextField"_s, u"TextArea"_s, u"Menu"_s, u"CheckBoxes"_s,
    u"RadioButtons"_s, u"Scale"_s, u"PageBreak"_s, u"SubmitButton"_s, u"LineRule"_s };

void appendElement(FormSession& session, const FormMethod& m)
{
    session.changeableCollection().append(m);
}

QStringList rowsOf(const QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

void makeForm(FormSession& session, const QString& name, const QString& title)
{
    HeaderInputs inputs;
    inputs.title = title;
    inputs.letterSize = u"7"_s;
    inputs.justification = u"Centre"_s;
    inputs.backgroundRow = 6;
    inputs.backgroundText = u"Sky 1"_s;
    QVERIFY(generateForm(session, name, inputs));
}

QStringList columnNames(const TestProgramFolder& folder)
{
    return quenlow::test::columnNames(folder.database(), u"tbl_survey"_s);
}

// An answer stored by the service meanwhile.
void answer(const TestProgramFolder& folder, const QList<std::pair<QString, std::optional<QString>>>& values)
{
    QVERIFY(openStore(folder.database())->insertRows({ { u"tbl_survey"_s, values, {}, {}, {} } }));
}

bool add(FormSession& session, ElementKind kind, const QString& question)
{
    return session.recordChange(u"Add"_s, [&] {
        return insertMethod(session, element(kind, question)) && writeFormPage(session, session.htmlName());
    });
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

    QMap<QString, int> m_calls;

    static MainForm* mainOf(Program& program) { return qobject_cast<MainForm*>(program.mainWindow()); }

    // Counts what the main window asks of the program, instead of opening it.
    struct CountingCommands final : DesignerCommands {
        FormSession* session = nullptr;
        QMap<QString, int>* calls = nullptr;
        void count(const char* name) { ++(*calls)[QLatin1StringView(name)]; }
        void newForm() override { count("New"); }
        void importXlsForm() override { count("ImportXlsFormEntry"); }
        void editHeader() override { count("EditHeader"); }
        void addText() override { count("GoToTextForm"); }
        void addTextField() override { count("GoToTextFieldForm"); }
        void addTextArea() override { count("GoToTextAreaForm"); }
        void addPullDownMenu() override { count("GoToPullDownMenuDesignForm"); }
        void addCheckBoxes() override { count("GoToCheckBoxForm"); }
        void addRadioButtons() override { count("GoToRadioButtonForm"); }
        void addScale() override { count("GoToScaleForm"); }
        void addPageBreak() override { count("GoToPageBreakForm"); }
        void addGrid() override { count("GoToGridForm"); }
        void addRanking() override { count("GoToRankingForm"); }
        void addSubmitButton() override { count("GoToSumbitButtonForm"); }
        void addLineRule() override { count("AddHorizontalLine"); }
        void editSelected() override { count("EditFormMethod"); }
        void viewAnswersTable() override { count("ViewHTMLdbTable"); }
        void openReporter() override { count("ViewReporterForm"); }
        void collectAnswers() override { count("CollectAnswers"); }
        void showCollectedForms() override { count("CollectedForms"); }
        void chooseAnswersStore() override { count("AnswersDatabase"); }
        bool offerAnswersDatabase() override { return requireAnswersDatabase(*session); }
    };
    CountingCommands m_commands;

    void countHooks(MainForm* main, FormSession& session)
    {
        m_calls.clear();
        m_commands.session = &session;
        m_commands.calls = &m_calls;
        main->setCommands(&m_commands);
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

    // A program folder with three forms and a file of another kind; "beta2" is open.
    struct Fixture {
        TestProgramFolder folder;
        FormSession session { folder.path() };
        MainForm main { session };
        Fixture()
        {
            main.startUp();
            main.show();
            makeForm(session, u"beta"_s, u"Beta Title"_s);
            makeForm(session, u"alpha"_s, u"Alpha Title"_s);
            makeForm(session, u"beta2"_s, u"Beta Two"_s);
            writeBytes(folder.html(u"notes.txt"_s), "x");
            QDir(folder.path()).mkpath(u"elsewhere"_s);
            writeBytes(folder.path() + u"/elsewhere/alpha.html"_s, "<html>not this one</html>");
            writeBytes(folder.path() + u"/elsewhere/other.htm"_s, "x");
        }
        void open(const std::function<void(QWidget*)>& act)
        {
            ModalStep step(u"OpenForm"_s, act);
            main.findChild<QAction*>(u"Open"_s)->trigger();
        }
    };

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true); // the program's settings, never the user's
        BrowserView::setRecorder([](const QString&, const QString&, const QString&) {});
    }

    void submitCheckLooksAtTheLastElementOnly()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        FormSession& session = program.session();
        makeForm(session, u"survey"_s, u"New Form Title"_s);
        countHooks(main, program.session());
        appendElement(session, element(ElementKind::SubmitButton, u"Send"_s));
        folder.messages().queueAnswer(MessageAnswer::Ok);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        trigger(main, u"GoToSumbitButtonForm"_s);
        trigger(main, u"SubmitButton"_s);
        QCOMPARE(folder.messageTexts(),
            QStringList(2, u"You already have a submit button in the Form. You may however edit it"_s));
        QVERIFY(m_calls.isEmpty());

        // A line below the submit button hides it from the check.
        appendElement(session, element(ElementKind::Line, u"Horizontal"_s));
        trigger(main, u"SubmitButton"_s);
        QCOMPARE(m_calls.value(u"GoToSumbitButtonForm"_s), 1);
    }

    // Delete on the element list removes the selected element as the button
    // does, header refusal included; the undo keys take it back and forth.
    void deleteKeyRemovesTheSelectedElement()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        FormSession& session = program.session();
        makeForm(session, u"survey"_s, u"New Form Title"_s);
        QVERIFY(add(session, ElementKind::PlainText, u"Hello"_s));
        auto* list = program.mainWindow()->findChild<QListView*>(u"FormCollectionList"_s);
        program.mainWindow()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.mainWindow()));
        list->setFocus();
        session.setSelectedRow(1);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(session.collection().count(), 1);
        // Undone with Ctrl+Z, redone with either Ctrl+Shift+Z or Ctrl+Y.
        for (const QKeyCombination redo : { Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y }) {
            QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(session.collection().count(), 2);
            QTest::keyClick(list, redo.key(), redo.keyboardModifiers());
            QCOMPARE(session.collection().count(), 1);
        }
        session.setSelectedRow(0);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(session.collection().count(), 1);
        QVERIFY(folder.messageTexts().constLast().startsWith(u"You cannot remove 'Header'"_s));
    }

    // The menu entries of a page opened without its collection refuse (their buttons are hidden).
    void pageOpenedWithoutCollectionCannotBeEdited()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        // Rename, copy and delete act on the open form: there only while one is.
        const QStringList formEntries { u"RenameFormEntry"_s, u"CopyFormEntry"_s, u"DeleteFormEntry"_s };
        for (const QString& entry : formEntries)
            QVERIFY(!main->findChild<QAction*>(entry)->isEnabled());
        makeForm(program.session(), u"survey"_s, u"New Form Title"_s);
        for (const QString& entry : formEntries)
            QVERIFY(main->findChild<QAction*>(entry)->isEnabled());
        countHooks(main, program.session());
        writeBytes(folder.html(u"orphan.html"_s), "<html></html>\r\n");
        folder.messages().queueAnswer(MessageAnswer::Yes);
        QVERIFY(loadFormTelling(program.session(), u"orphan.html"_s) == false);
        folder.messages().clear();
        for (const QString& menu : kAddMenu + formEntries) {
            folder.messages().queueAnswer(MessageAnswer::Ok);
            trigger(main, menu);
        }
        QCOMPARE(folder.messageTexts(),
            QStringList(kAddMenu.size() + formEntries.size(),
                QStringLiteral("The page 'orphan.html' was opened without its collection "
                               "file and cannot be edited.")));
        QVERIFY(QFile::exists(folder.html(u"orphan.html"_s)));
        QVERIFY(m_calls.isEmpty());
        QVERIFY(!QFile::exists(folder.collection(u"orphan"_s)));
    }

    // Form > "Export as XLSForm…": the open form as a workbook that reads back as the same
    // form, or the elements the format cannot say, and the file left as it was.
    void exportAsXlsForm()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        QVERIFY(!main->findChild<QAction*>(u"ExportXlsFormEntry"_s)->isEnabled());
        FormSession& session = program.session();
        makeForm(session, u"survey"_s, u"Staff Survey"_s);
        QVERIFY(main->findChild<QAction*>(u"ExportXlsFormEntry"_s)->isEnabled());
        QVERIFY(
            insertMethod(session, radioButtonsMethod(u"Vote"_s, { u"Yes"_s, u"No"_s }, noDefaultOption())));
        const QString path = folder.path() + u"/survey.xlsx"_s;
        setXlsFormFileChooserForTesting([&path] { return path; });
        folder.messages().queueAnswer(MessageAnswer::Ok);
        trigger(main, u"ExportXlsFormEntry"_s);
        QCOMPARE(folder.messageTexts(),
            QStringList { u"The form 'survey' has been written as an XLSForm to %1."_s.arg(path) });
        const auto read = readXlsForm(path);
        QVERIFY(read.ok());
        QCOMPARE(read->title, u"Staff Survey"_s);
        QCOMPARE(read->elements.constFirst(), session.collection().atPosition(1));

        QVERIFY(insertMethod(session, lineRuleMethod()));
        const QByteArray before = readBytes(path);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        trigger(main, u"ExportXlsFormEntry"_s);
        QCOMPARE(folder.messageTexts().constLast(),
            u"The form 'survey' cannot be written as an XLSForm, which has no way to say these elements:\n"
            "Line - Horizontal\nNothing has been written."_s);
        QCOMPARE(readBytes(path), before);
        setXlsFormFileChooserForTesting(nullptr);
    }

    // Without Program, so that ending the program quits no event loop of the test.
    void titleBarCloseEndsTheProgramWithItsModelessWindows()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        MainForm main(session);
        main.startUp();
        main.show();
        // An editor open beside the main window, as the check box editor is.
        auto* editor = new QDialog(&main);
        editor->setObjectName(u"CheckBoxesForm"_s);
        editor->show();
        QSignalSpy ending(&main, &MainForm::programEnding);
        main.close();
        QCOMPARE(ending.size(), 1);
        QVERIFY(!main.isVisible());
        QVERIFY(!editor->isVisible());
        QVERIFY(folder.messageTexts().isEmpty());
    }

    void programFolder()
    {
        QTemporaryDir dir;
        const QString target = dir.path() + u"/nested/app"_s;
        QString error;
        // Laid out as the new-program-folder scenario shows; a person's own file stays.
        QCOMPARE(quenlow::programFolder(target + u"/"_s, &error), target);
        // Laid out afresh: its answers database with it, ready to open.
        QVERIFY(quenlow::openAnswersStore(quenlow::answersStoreIn(target)));
        writeBytes(target + u"/HTML/welcome.html"_s, "mine");
        // A database gone missing later is not made again behind the person's back.
        QVERIFY(QFile::remove(quenlow::answersStoreIn(target)));
        QCOMPARE(quenlow::programFolder(target, &error), target);
        QCOMPARE(QFileInfo(target + u"/HTML/welcome.html"_s).size(), 4);
        QVERIFY(!QFileInfo::exists(quenlow::answersStoreIn(target)));
        QCOMPARE(quenlow::programFolder(QString(), &error), QCoreApplication::applicationDirPath());

        // Installed (PREFIX/bin beside PREFIX/share/quenlow): a folder of the person's own, laid out
        // from the installed files, since PREFIX/bin is shared; elsewhere the executable's folder.
        const QString prefix = dir.path() + u"/usr"_s;
        writeBytes(prefix + u"/share/quenlow/HTML/welcome.html"_s, "installed");
        writeBytes(prefix + u"/share/quenlow/translations/quenlow_de.qm"_s, "the program's own");
        QVERIFY(QDir().mkpath(prefix + u"/bin"_s));
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + u"/data"_s));
        QStandardPaths::setTestModeEnabled(false); // test mode ignores XDG_DATA_HOME
        const QString personal = quenlow::defaultProgramFolder(prefix + u"/bin"_s);
        QStandardPaths::setTestModeEnabled(true);
        dataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", dataHome);
        QCOMPARE(personal, dir.path() + u"/data/Quenlow"_s);
        QCOMPARE(quenlow::defaultProgramFolder(target), target);
        QVERIFY(quenlow::layOutProgramFolder(personal, quenlow::shippedFiles(prefix + u"/bin"_s)));
        QCOMPARE(readBytes(personal + u"/HTML/welcome.html"_s), QByteArray("installed"));
        QVERIFY(QFileInfo(personal + u"/Reports"_s).isDir());
        QVERIFY(!QFileInfo::exists(personal + u"/translations"_s));
        writeBytes(dir.path() + u"/file"_s, "x");
        error.clear();
        QVERIFY(quenlow::programFolder(dir.path() + u"/file"_s, &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }

    // Only the name travels: a file picked in another folder opens the form of
    // that name from the program's own folders, and the next use starts over
    // in the page folder with the page pattern.
    void browsingElsewhereStillOpensFromTheProgramFolders()
    {
        Fixture f;
        f.session.setBackgroundChoice(-1);
        f.session.setBackgroundFileName({});
        f.open([&](QWidget* w) {
            auto* dirs = f.main.openForm()->dirList();
            QCOMPARE(dirs->currentItem()->text(), u"HTML"_s);
            // Up to the program folder by its row in the path, then into "elsewhere".
            const int up = dirs->currentRow() - 1;
            emit dirs->itemActivated(dirs->item(up));
            QCOMPARE(dirs->path(), f.folder.path());
            QList<QListWidgetItem*> found = dirs->findItems(u"elsewhere"_s, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            const QPoint at = dirs->visualItemRect(found.first()).center();
            QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(dirs->path(), f.folder.path()); // a click only selects
            QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(dirs->path(), f.folder.path() + u"/elsewhere"_s);
            auto* files = child<QListWidget>(w, "filList");
            QCOMPARE(rowsOf(files), QStringList { u"alpha.html"_s });
            f.main.openForm()->patternChange(u"*.htm;*.html"_s);
            QCOMPARE(rowsOf(files), (QStringList { u"alpha.html"_s, u"other.htm"_s }));
            files->setCurrentRow(0);
            click(w, "OpenFile");
        });
        QCOMPARE(f.session.htmlName(), u"alpha.html"_s);
        QCOMPARE(f.session.rows()->texts(), QStringList { u"Header - Alpha Title"_s });
        QVERIFY(readBytes(f.folder.html(u"alpha.html"_s)).contains("Alpha Title"));
        // The form's own background comes back with it.
        QCOMPARE(f.session.backgroundChoice(), 6);
        QCOMPARE(f.session.backgroundFileName(), u"Background3.jpg"_s);

        f.open([&](QWidget* w) {
            QCOMPARE(f.main.openForm()->dirList()->path(), f.folder.path() + u"/HTML"_s);
            QCOMPARE(rowsOf(child<QListWidget>(w, "filList")).size(), 3);
            click(w, "Cancel");
        });
    }

    // Closing the window by its title bar forgets the typed name (that Cancel
    // keeps it is checked by the reopen-form scenario).
    void titleBarCloseForgetsTheTypedName()
    {
        Fixture f;
        f.open([](QWidget* w) {
            child<QLineEdit>(w, "FileNameToOpen")->setText(u"typed.html"_s);
            w->close(); // by its title bar
        });
        QVERIFY(!f.main.openForm());
        f.open([](QWidget* w) {
            QCOMPARE(child<QLineEdit>(w, "FileNameToOpen")->text(), QString());
            click(w, "Cancel");
        });
        QCOMPARE(f.session.htmlName(), u"beta2.html"_s);
    }

    // Undo, where the scenarios cannot reach: answers arriving between a change and its undo.
    // A question removed while the table is empty comes back in its own place.
    void undoneRemovalPutsTheColumnBackInPlace()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, u"survey"_s);
        QVERIFY(add(session, ElementKind::TextField, u"A"_s));
        QVERIFY(add(session, ElementKind::TextField, u"B"_s));
        const QByteArray page = readBytes(folder.html(u"survey.html"_s));
        session.setSelectedRow(1);
        QVERIFY(session.recordChange(u"Remove"_s, [&] { return bool(removeSelected(session)); }));
        QCOMPARE(columnNames(folder), (QStringList { u"Form Question"_s, u"B"_s }));
        history.stack()->undo();
        QCOMPARE(columnNames(folder), (QStringList { u"Form Question"_s, u"A"_s, u"B"_s }));
        QCOMPARE(readBytes(folder.html(u"survey.html"_s)), page);
        QCOMPARE(session.collection().count(), 3);
    }

    // The history keeps the newest changes within its bounds; the oldest go.
    void historyForgetsTheOldestChangesBeyondItsLimits()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, u"survey"_s);
        history.setLimits(3, std::numeric_limits<qint64>::max());
        for (const char* question : { "A", "B", "C", "D", "E" })
            QVERIFY(add(session, ElementKind::TextField, QLatin1StringView(question)));
        QCOMPARE(history.stack()->count(), 3);
        for (int i = 0; i < 3; ++i)
            history.stack()->undo();
        QVERIFY(!history.stack()->canUndo());
        QCOMPARE(columnNames(folder), (QStringList { u"Form Question"_s, u"A"_s, u"B"_s }));
        QCOMPARE(session.collection().count(), 3);

        // Bytes: however large the form, the newest change stays.
        history.setLimits(FormHistory::kMostChanges, 1);
        const QByteArray page = readBytes(folder.html(u"survey.html"_s));
        QVERIFY(add(session, ElementKind::TextField, u"F"_s));
        QVERIFY(add(session, ElementKind::TextField, u"G"_s));
        QCOMPARE(history.stack()->count(), 1);
        history.stack()->undo();
        history.stack()->undo();
        QCOMPARE(session.collection().count(), 4);
        QVERIFY(readBytes(folder.html(u"survey.html"_s)) != page);
    }

    // Undoing an add whose column has answers by now keeps them (and says so);
    // one holding only the marker of older rows goes.
    void answersGivenSinceAnAddAreKept()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, u"survey"_s);
        answer(folder, {});
        const QByteArray collection = readBytes(folder.collection(u"survey"_s));
        QVERIFY(add(session, ElementKind::TextField, u"Marker only"_s));
        history.stack()->undo();
        QCOMPARE(columnNames(folder), QStringList { u"Form Question"_s });
        QCOMPARE(readBytes(folder.collection(u"survey"_s)), collection);

        history.stack()->redo();
        QCOMPARE(tableRows(folder.database(), u"tbl_survey"_s).value(0).value(u"Marker only"_s),
            columnAddedMarker());
        answer(folder, { { u"Marker only"_s, u"yes"_s } });
        folder.messages().queueAnswer(MessageAnswer::Ok);
        history.stack()->undo();
        QCOMPARE(columnNames(folder), (QStringList { u"Form Question"_s, u"Marker only"_s }));
        QCOMPARE(readBytes(folder.collection(u"survey"_s)), collection);
        QCOMPARE(folder.messageTexts().constLast(),
            u"The answers to 'Marker only' are kept in the answers table."_s);
    }

    // A question renamed with answers in its column is renamed back by Undo
    // and again by Redo, the answers staying with it.
    void undoneRenameKeepsTheAnswers()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, u"survey"_s);
        QVERIFY(add(session, ElementKind::TextField, u"A"_s));
        answer(folder, { { u"A"_s, u"yes"_s } });
        QVERIFY(session.recordChange(u"Edit"_s, [&] {
            return updateMethod(session, element(ElementKind::TextField, u"B"_s), 1)
                && writeFormPage(session, session.htmlName());
        }));
        const auto answerIn = [&](const char* column) {
            return tableRows(folder.database(), u"tbl_survey"_s)
                .value(0)
                .value(QLatin1StringView(column))
                .toString();
        };
        QCOMPARE(answerIn("B"), u"yes"_s);
        QVERIFY(history.stack()->canUndo());
        history.stack()->undo();
        QCOMPARE(columnNames(folder), (QStringList { u"Form Question"_s, u"A"_s }));
        QCOMPARE(answerIn("A"), u"yes"_s);
        QCOMPARE(session.collection().atPosition(1).userInstruction, u"A"_s);
        history.stack()->redo();
        QCOMPARE(columnNames(folder), (QStringList { u"Form Question"_s, u"B"_s }));
        QCOMPARE(answerIn("B"), u"yes"_s);
        QVERIFY(folder.messageTexts().isEmpty());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
