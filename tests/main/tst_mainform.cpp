// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/ProgramFolder.h"
#include "database/AnswerColumns.h"
#include "main/FolderLists.h"
#include "main/FormHistory.h"
#include "main/MainForm.h"
#include "main/OpenForm.h"
#include "model/CollectionFile.h"
#include "model/DesignerCommands.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
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

using namespace quenlow;
using namespace quenlow::test;

namespace {

// The entries of the Add To Form menu.
const QStringList kAddMenu { QStringLiteral("Text"), QStringLiteral("TextField"), QStringLiteral("TextArea"),
    QStringLiteral("Menu"), QStringLiteral("CheckBoxes"), QStringLiteral("RadioButtons"),
    QStringLiteral("Scale"), QStringLiteral("SubmitButton"), QStringLiteral("LineRule") };

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
    inputs.letterSize = QStringLiteral("7");
    inputs.justification = QStringLiteral("Centre");
    inputs.backgroundRow = 6;
    inputs.backgroundText = QStringLiteral("Sky 1");
    QVERIFY(generateForm(session, name, inputs));
}

QStringList columnNames(const TestProgramFolder& folder)
{
    return quenlow::test::columnNames(folder.database(), QStringLiteral("tbl_survey"));
}

// An answer stored by the service meanwhile.
void answer(const TestProgramFolder& folder, const QList<std::pair<QString, std::optional<QString>>>& values)
{
    QVERIFY(
        openStore(folder.database())->insertRows({ { QStringLiteral("tbl_survey"), values, {}, {}, {} } }));
}

bool add(FormSession& session, ElementKind kind, const QString& question)
{
    return session.recordChange(QStringLiteral("Add"), [&] {
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
        void editHeader() override { count("EditHeader"); }
        void addText() override { count("GoToTextForm"); }
        void addTextField() override { count("GoToTextFieldForm"); }
        void addTextArea() override { count("GoToTextAreaForm"); }
        void addPullDownMenu() override { count("GoToPullDownMenuDesignForm"); }
        void addCheckBoxes() override { count("GoToCheckBoxForm"); }
        void addRadioButtons() override { count("GoToRadioButtonForm"); }
        void addScale() override { count("GoToScaleForm"); }
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
            makeForm(session, QStringLiteral("beta"), QStringLiteral("Beta Title"));
            makeForm(session, QStringLiteral("alpha"), QStringLiteral("Alpha Title"));
            makeForm(session, QStringLiteral("beta2"), QStringLiteral("Beta Two"));
            writeBytes(folder.html(QStringLiteral("notes.txt")), "x");
            QDir(folder.path()).mkpath(QStringLiteral("elsewhere"));
            writeBytes(folder.path() + QStringLiteral("/elsewhere/alpha.html"), "<html>not this one</html>");
            writeBytes(folder.path() + QStringLiteral("/elsewhere/other.htm"), "x");
        }
        void open(const std::function<void(QWidget*)>& act)
        {
            ModalStep step(QStringLiteral("OpenForm"), act);
            main.findChild<QAction*>(QStringLiteral("Open"))->trigger();
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
        makeForm(session, QStringLiteral("survey"), QStringLiteral("New Form Title"));
        countHooks(main, program.session());
        appendElement(session, element(ElementKind::SubmitButton, QStringLiteral("Send")));
        folder.messages().queueAnswer(MessageAnswer::Ok);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        trigger(main, QStringLiteral("GoToSumbitButtonForm"));
        trigger(main, QStringLiteral("SubmitButton"));
        QCOMPARE(folder.messageTexts(),
            QStringList(
                2, QStringLiteral("You already have a submit button in the Form. You may however edit it")));
        QVERIFY(m_calls.isEmpty());

        // A line below the submit button hides it from the check.
        appendElement(session, element(ElementKind::Line, QStringLiteral("Horizontal")));
        trigger(main, QStringLiteral("SubmitButton"));
        QCOMPARE(m_calls.value(QStringLiteral("GoToSumbitButtonForm")), 1);
    }

    // Delete on the element list removes the selected element as the button
    // does, header refusal included; the undo keys take it back and forth.
    void deleteKeyRemovesTheSelectedElement()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        FormSession& session = program.session();
        makeForm(session, QStringLiteral("survey"), QStringLiteral("New Form Title"));
        QVERIFY(add(session, ElementKind::PlainText, QStringLiteral("Hello")));
        auto* list = program.mainWindow()->findChild<QListView*>(QStringLiteral("FormCollectionList"));
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
        QVERIFY(folder.messageTexts().constLast().startsWith(QStringLiteral("You cannot remove 'Header'")));
    }

    // The menu entries of a page opened without its collection refuse (their buttons are hidden).
    void pageOpenedWithoutCollectionCannotBeEdited()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        program.start();
        MainForm* main = mainOf(program);
        // Rename, copy and delete act on the open form: there only while one is.
        const QStringList formEntries { QStringLiteral("RenameFormEntry"), QStringLiteral("CopyFormEntry"),
            QStringLiteral("DeleteFormEntry") };
        for (const QString& entry : formEntries)
            QVERIFY(!main->findChild<QAction*>(entry)->isEnabled());
        makeForm(program.session(), QStringLiteral("survey"), QStringLiteral("New Form Title"));
        for (const QString& entry : formEntries)
            QVERIFY(main->findChild<QAction*>(entry)->isEnabled());
        countHooks(main, program.session());
        writeBytes(folder.html(QStringLiteral("orphan.html")), "<html></html>\r\n");
        folder.messages().queueAnswer(MessageAnswer::Yes);
        QVERIFY(loadFormTelling(program.session(), QStringLiteral("orphan.html")) == false);
        folder.messages().clear();
        for (const QString& menu : kAddMenu + formEntries) {
            folder.messages().queueAnswer(MessageAnswer::Ok);
            trigger(main, menu);
        }
        QCOMPARE(folder.messageTexts(),
            QStringList(kAddMenu.size() + formEntries.size(),
                QStringLiteral("The page 'orphan.html' was opened without its collection "
                               "file and cannot be edited.")));
        QVERIFY(QFile::exists(folder.html(QStringLiteral("orphan.html"))));
        QVERIFY(m_calls.isEmpty());
        QVERIFY(!QFile::exists(folder.collection(QStringLiteral("orphan"))));
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
        editor->setObjectName(QStringLiteral("CheckBoxesForm"));
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
        const QString target = dir.path() + QStringLiteral("/nested/app");
        QString error;
        // Laid out as the new-program-folder scenario shows; a person's own file stays.
        QCOMPARE(quenlow::programFolder(target + QStringLiteral("/"), &error), target);
        writeBytes(target + QStringLiteral("/HTML/welcome.html"), "mine");
        QCOMPARE(quenlow::programFolder(target, &error), target);
        QCOMPARE(QFileInfo(target + QStringLiteral("/HTML/welcome.html")).size(), 4);
        QCOMPARE(quenlow::programFolder(QString(), &error), QCoreApplication::applicationDirPath());

        // Installed (PREFIX/bin beside PREFIX/share/quenlow): a folder of the person's own, laid out
        // from the installed files, since PREFIX/bin is shared; elsewhere the executable's folder.
        const QString prefix = dir.path() + QStringLiteral("/usr");
        writeBytes(prefix + QStringLiteral("/share/quenlow/HTML/welcome.html"), "installed");
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + QStringLiteral("/data")));
        QStandardPaths::setTestModeEnabled(false); // test mode ignores XDG_DATA_HOME
        const QString personal = quenlow::defaultProgramFolder(prefix + QStringLiteral("/bin"));
        QStandardPaths::setTestModeEnabled(true);
        dataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", dataHome);
        QCOMPARE(personal, dir.path() + QStringLiteral("/data/Quenlow"));
        QCOMPARE(quenlow::defaultProgramFolder(target), target);
        QVERIFY(
            quenlow::layOutProgramFolder(personal, quenlow::shippedFiles(prefix + QStringLiteral("/bin"))));
        QCOMPARE(readBytes(personal + QStringLiteral("/HTML/welcome.html")), QByteArray("installed"));
        QVERIFY(QFileInfo(personal + QStringLiteral("/Reports")).isDir());
        writeBytes(dir.path() + QStringLiteral("/file"), "x");
        error.clear();
        QVERIFY(quenlow::programFolder(dir.path() + QStringLiteral("/file"), &error).isEmpty());
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
            QCOMPARE(dirs->currentItem()->text(), QStringLiteral("HTML"));
            // Up to the program folder by its row in the path, then into "elsewhere".
            const int up = dirs->currentRow() - 1;
            emit dirs->itemActivated(dirs->item(up));
            QCOMPARE(dirs->path(), f.folder.path());
            QList<QListWidgetItem*> found = dirs->findItems(QStringLiteral("elsewhere"), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            const QPoint at = dirs->visualItemRect(found.first()).center();
            QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(dirs->path(), f.folder.path()); // a click only selects
            QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(dirs->path(), f.folder.path() + QStringLiteral("/elsewhere"));
            auto* files = child<QListWidget>(w, "filList");
            QCOMPARE(rowsOf(files), QStringList { QStringLiteral("alpha.html") });
            f.main.openForm()->patternChange(QStringLiteral("*.htm;*.html"));
            QCOMPARE(
                rowsOf(files), (QStringList { QStringLiteral("alpha.html"), QStringLiteral("other.htm") }));
            files->setCurrentRow(0);
            click(w, "OpenFile");
        });
        QCOMPARE(f.session.htmlName(), QStringLiteral("alpha.html"));
        QCOMPARE(f.session.rows()->texts(), QStringList { QStringLiteral("Header - Alpha Title") });
        QVERIFY(readBytes(f.folder.html(QStringLiteral("alpha.html"))).contains("Alpha Title"));
        // The form's own background comes back with it.
        QCOMPARE(f.session.backgroundChoice(), 6);
        QCOMPARE(f.session.backgroundFileName(), QStringLiteral("Background3.jpg"));

        f.open([&](QWidget* w) {
            QCOMPARE(f.main.openForm()->dirList()->path(), f.folder.path() + QStringLiteral("/HTML"));
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
            child<QLineEdit>(w, "FileNameToOpen")->setText(QStringLiteral("typed.html"));
            w->close(); // by its title bar
        });
        QVERIFY(!f.main.openForm());
        f.open([](QWidget* w) {
            QCOMPARE(child<QLineEdit>(w, "FileNameToOpen")->text(), QString());
            click(w, "Cancel");
        });
        QCOMPARE(f.session.htmlName(), QStringLiteral("beta2.html"));
    }

    // Undo, where the scenarios cannot reach: answers arriving between a change and its undo.
    // A question removed while the table is empty comes back in its own place.
    void undoneRemovalPutsTheColumnBackInPlace()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, QStringLiteral("survey"));
        QVERIFY(add(session, ElementKind::TextField, QStringLiteral("A")));
        QVERIFY(add(session, ElementKind::TextField, QStringLiteral("B")));
        const QByteArray page = readBytes(folder.html(QStringLiteral("survey.html")));
        session.setSelectedRow(1);
        QVERIFY(
            session.recordChange(QStringLiteral("Remove"), [&] { return bool(removeSelected(session)); }));
        QCOMPARE(columnNames(folder), (QStringList { QStringLiteral("Form Question"), QStringLiteral("B") }));
        history.stack()->undo();
        QCOMPARE(columnNames(folder),
            (QStringList { QStringLiteral("Form Question"), QStringLiteral("A"), QStringLiteral("B") }));
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))), page);
        QCOMPARE(session.collection().count(), 3);
    }

    // The history keeps the newest changes within its bounds; the oldest go.
    void historyForgetsTheOldestChangesBeyondItsLimits()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, QStringLiteral("survey"));
        history.setLimits(3, std::numeric_limits<qint64>::max());
        for (const char* question : { "A", "B", "C", "D", "E" })
            QVERIFY(add(session, ElementKind::TextField, QLatin1StringView(question)));
        QCOMPARE(history.stack()->count(), 3);
        for (int i = 0; i < 3; ++i)
            history.stack()->undo();
        QVERIFY(!history.stack()->canUndo());
        QCOMPARE(columnNames(folder),
            (QStringList { QStringLiteral("Form Question"), QStringLiteral("A"), QStringLiteral("B") }));
        QCOMPARE(session.collection().count(), 3);

        // Bytes: however large the form, the newest change stays.
        history.setLimits(FormHistory::kMostChanges, 1);
        const QByteArray page = readBytes(folder.html(QStringLiteral("survey.html")));
        QVERIFY(add(session, ElementKind::TextField, QStringLiteral("F")));
        QVERIFY(add(session, ElementKind::TextField, QStringLiteral("G")));
        QCOMPARE(history.stack()->count(), 1);
        history.stack()->undo();
        history.stack()->undo();
        QCOMPARE(session.collection().count(), 4);
        QVERIFY(readBytes(folder.html(QStringLiteral("survey.html"))) != page);
    }

    // Undoing an add whose column has answers by now keeps them (and says so);
    // one holding only the marker of older rows goes.
    void answersGivenSinceAnAddAreKept()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, QStringLiteral("survey"));
        answer(folder, {});
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("survey")));
        QVERIFY(add(session, ElementKind::TextField, QStringLiteral("Marker only")));
        history.stack()->undo();
        QCOMPARE(columnNames(folder), QStringList { QStringLiteral("Form Question") });
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))), collection);

        history.stack()->redo();
        QCOMPARE(tableRows(folder.database(), QStringLiteral("tbl_survey"))
                     .value(0)
                     .value(QStringLiteral("Marker only")),
            columnAddedMarker());
        answer(folder, { { QStringLiteral("Marker only"), QStringLiteral("yes") } });
        folder.messages().queueAnswer(MessageAnswer::Ok);
        history.stack()->undo();
        QCOMPARE(columnNames(folder),
            (QStringList { QStringLiteral("Form Question"), QStringLiteral("Marker only") }));
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))), collection);
        QCOMPARE(folder.messageTexts().constLast(),
            QStringLiteral("The answers to 'Marker only' are kept in the answers table."));
    }

    // A question renamed with answers in its column is renamed back by Undo
    // and again by Redo, the answers staying with it.
    void undoneRenameKeepsTheAnswers()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, QStringLiteral("survey"));
        QVERIFY(add(session, ElementKind::TextField, QStringLiteral("A")));
        answer(folder, { { QStringLiteral("A"), QStringLiteral("yes") } });
        QVERIFY(session.recordChange(QStringLiteral("Edit"), [&] {
            return updateMethod(session, element(ElementKind::TextField, QStringLiteral("B")), 1)
                && writeFormPage(session, session.htmlName());
        }));
        const auto answerIn = [&](const char* column) {
            return tableRows(folder.database(), QStringLiteral("tbl_survey"))
                .value(0)
                .value(QLatin1StringView(column))
                .toString();
        };
        QCOMPARE(answerIn("B"), QStringLiteral("yes"));
        QVERIFY(history.stack()->canUndo());
        history.stack()->undo();
        QCOMPARE(columnNames(folder), (QStringList { QStringLiteral("Form Question"), QStringLiteral("A") }));
        QCOMPARE(answerIn("A"), QStringLiteral("yes"));
        QCOMPARE(session.collection().atPosition(1).userInstruction, QStringLiteral("A"));
        history.stack()->redo();
        QCOMPARE(columnNames(folder), (QStringList { QStringLiteral("Form Question"), QStringLiteral("B") }));
        QCOMPARE(answerIn("B"), QStringLiteral("yes"));
        QVERIFY(folder.messageTexts().isEmpty());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
