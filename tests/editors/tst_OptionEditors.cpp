// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "EditorTestSupport.h"

#include "editors/Editors.h"
#include "editors/Fragments.h"
#include "editors/PullDownMenuInstructionForm.h"
#include "editors/RadioButtonsForm.h"
#include "model/CollectionFile.h"
#include "platform/BrowserView.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace quenlow;
using namespace quenlow::test;

namespace {

struct Env {
    TestProgramFolder folder;
    FormSession session { folder.path() };
    QWidget mainWindow;
    Editors editors { session, &mainWindow };

    explicit Env(int counter = 0)
    {
        createTestForm(session, QStringLiteral("survey"), counter);
        addElement(
            session, submitButtonMethod(QStringLiteral("Submit Form"), false, QStringLiteral("Reset Form")));
    }
    void expectBox() { folder.messages().queueAnswer(MessageAnswer::Ok); }
    FormMethod at(int position) const { return session.collection.atPosition(position); }
    QStringList types() const
    {
        QStringList out;
        session.collection.forEach([&out](const FormMethod& m) { out.append(m.methodType); });
        return out;
    }
};

QStringList listTexts(QWidget* w, const QString& name)
{
    QStringList out;
    auto* list = control<QListWidget>(w, name);
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

void addOption(
    QWidget* w, const QString& input, const QString& button, const QString& text, bool tick = false)
{
    setBox(w, input, text);
    control<QCheckBox>(w, QStringLiteral("DefaultSelected"))->setChecked(tick);
    click(w, button);
}

// The rows, the keys and the page all describe the list as it is.
void verifyInStep(const Env& env)
{
    QCOMPARE(env.session.rows()->count(), env.session.collection.count());
    QCOMPARE(int(env.session.methodCount), env.session.collection.count());
    QStringList html;
    for (int i = 1; i < env.session.collection.count(); ++i) {
        QCOMPARE(env.session.collection.keyAt(i), QString::number(i));
        QCOMPARE(env.session.rows()->text(i), env.at(i).rowText());
        html.append(env.at(i).htmlCode);
    }
    QCOMPARE(pageLines(env.folder, env.session).mid(1, html.size()), html);
}

} // namespace

class TestOptionEditors : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void checkBoxesStayOpenBesideTheMainWindow();
    void checkBoxAddTextOpensThePlainTextEditor();
    void checkBoxEditRoundTrip();
    void optionListMechanism();
    void radioButtonsYesNo();
    void radioFinishChecksTheListFirst();
    void radioEditRoundTrip();
    void pullDownMenu();
    void pullDownMenuHeightIsRefusedUnlessWholeNumber();
    void pullDownEditRoundTrip();
    void modelessEditorWhileTheListChanges();
    void modelessEditorOutlivesTheForm();
};

void TestOptionEditors::checkBoxesStayOpenBesideTheMainWindow()
{
    Env env(2);
    env.editors.showCheckBoxesForm();
    QWidget* w = env.editors.openWindow(QStringLiteral("CheckBoxesForm"));
    QVERIFY(w && w->isVisible());
    QVERIFY(!w->isModal() && !QApplication::activeModalWidget());
    QCOMPARE(w->parentWidget(), &env.mainWindow);
    QCOMPARE(w->windowTitle(), QStringLiteral("Add Check Boxes To Form"));
    QVERIFY(control<QRadioButton>(w, QStringLiteral("NewLineButton"))->isChecked());
    QVERIFY(!control<QCheckBox>(w, QStringLiteral("DefaultSelected"))->isChecked());
    QCOMPARE(boxText(w, QStringLiteral("CheckBoxTitleBox")), QString());

    setBox(w, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Tea"));
    click(w, QStringLiteral("AddCheckBox"));
    QCOMPARE(env.at(1), checkBoxMethod(QStringLiteral("Tea"), true, false));
    QCOMPARE(env.session.selectedRow(), 1);
    QVERIFY(w->isVisible());
    QCOMPARE(boxText(w, QStringLiteral("CheckBoxTitleBox")), QString());

    // Same line, ticked; both choices carry over to the next check box.
    control<QRadioButton>(w, QStringLiteral("SameLineButton"))->click();
    control<QCheckBox>(w, QStringLiteral("DefaultSelected"))->click();
    setBox(w, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Coffee"));
    click(w, QStringLiteral("AddCheckBox"));
    QCOMPARE(env.at(2), checkBoxMethod(QStringLiteral("Coffee"), false, true));
    QVERIFY(control<QRadioButton>(w, QStringLiteral("SameLineButton"))->isChecked());
    QVERIFY(control<QCheckBox>(w, QStringLiteral("DefaultSelected"))->isChecked());
    QCOMPARE(pageLines(env.folder, env.session).value(2), env.at(2).htmlCode);

    // A name the table has already: nothing added, and the typed name is gone.
    const QByteArray page = readBytes(env.folder.html(QStringLiteral("survey.html")));
    env.expectBox();
    setBox(w, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Tea"));
    click(w, QStringLiteral("AddCheckBox"));
    QCOMPARE(env.folder.messageTexts(),
        QStringList(QStringLiteral(
            "You already have a User Instruction called Tea. Please call it something else.")));
    QCOMPARE(env.session.collection.count(), 4);
    QCOMPARE(boxText(w, QStringLiteral("CheckBoxTitleBox")), QString());
    QCOMPARE(readBytes(env.folder.html(QStringLiteral("survey.html"))), page);
    // An empty name is refused before anything is emptied or added.
    env.expectBox();
    click(w, QStringLiteral("AddCheckBox"));
    QCOMPARE(env.folder.messageTexts().last(),
        QStringLiteral(
            "The check box name text field is empty. You must first enter a title for the check box."));

    QCOMPARE(env.session.elementCounter, qint16(2));
    QCOMPARE(env.types(),
        QStringList({ QStringLiteral("Header"), QStringLiteral("Check Box"), QStringLiteral("Check Box"),
            QStringLiteral("Submit Button") }));
    click(w, QStringLiteral("FinishCheckBox"));
    QTRY_VERIFY(!env.editors.openWindow(QStringLiteral("CheckBoxesForm")));
}

void TestOptionEditors::checkBoxAddTextOpensThePlainTextEditor()
{
    Env env;
    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(QStringLiteral("CheckBoxesForm"));
    click(boxes, QStringLiteral("AddText"));
    QWidget* text = env.editors.openWindow(QStringLiteral("AddTextForm"));
    QVERIFY(text && text->isVisible() && !text->isModal());
    QCOMPARE(text->windowTitle(), QStringLiteral("Add Text/Instructions to HTML Form"));
    QCOMPARE(boxText(text, QStringLiteral("TextToBeAdded")),
        QStringLiteral("Please tick the approprtiate check boxes :"));
    click(text, QStringLiteral("AddTextToForm"));
    QTRY_VERIFY(!env.editors.openWindow(QStringLiteral("AddTextForm")));

    setBox(boxes, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Tea"));
    click(boxes, QStringLiteral("AddCheckBox"));
    QCOMPARE(env.session.rows()->texts().mid(1),
        QStringList({ QStringLiteral("Plain Text - Please tick the approprtiate check boxes :"),
            QStringLiteral("Check Box - Tea"), QStringLiteral("Submit Button - Submit Form") }));
    verifyInStep(env);
}

void TestOptionEditors::checkBoxEditRoundTrip()
{
    Env env(3);
    addElement(env.session, checkBoxMethod(QStringLiteral("Tea"), false, true));
    env.session.setSelectedRow(1);
    const ModalRun run = runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Check Box"));
            QCOMPARE(boxText(w, QStringLiteral("CheckBoxTitleBox")), QStringLiteral("Tea"));
            QVERIFY(control<QCheckBox>(w, QStringLiteral("DefaultSelected"))->isChecked());
            // The line choice is not stored: the window offers a new line.
            QVERIFY(control<QRadioButton>(w, QStringLiteral("NewLineButton"))->isChecked());
            QVERIFY(control<QLabel>(w, QStringLiteral("IntrolLineAdvice"))->isHidden());
            QVERIFY(control<QPushButton>(w, QStringLiteral("AddText"))->isHidden());
            QCOMPARE(control<QPushButton>(w, QStringLiteral("AddCheckBox"))->text(),
                QStringLiteral("Update Check Box"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("FinishCheckBox"))->text(),
                QStringLiteral("Finish Editing Check Box"));
            click(w, QStringLiteral("AddCheckBox"));
            // The window stays open for further updates of the same element.
            QVERIFY(w->isVisible());
            QCOMPARE(boxText(w, QStringLiteral("CheckBoxTitleBox")), QStringLiteral("Tea"));
            setBox(w, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Green tea"));
            control<QCheckBox>(w, QStringLiteral("DefaultSelected"))->setChecked(false);
            click(w, QStringLiteral("AddCheckBox"));
            click(w, QStringLiteral("FinishCheckBox"));
        });
    QVERIFY(run.appeared && !run.leftOpen);
    QCOMPARE(env.at(1), checkBoxMethod(QStringLiteral("Green tea"), true, false));
    QCOMPARE(env.session.rows()->text(1), QStringLiteral("Check Box - Green tea"));
    QVERIFY(columnNames(env.session).contains(QStringLiteral("Green tea")));
    QCOMPARE(env.session.elementCounter, qint16(3));
    verifyInStep(env);
}

void TestOptionEditors::optionListMechanism()
{
    Env env;
    env.editors.showRadioButtonsForm();
    auto* w = qobject_cast<RadioButtonsForm*>(env.editors.openWindow(QStringLiteral("RadioButtonsForm")));
    QVERIFY(w && !w->isModal());
    const QString input = QStringLiteral("RadioButtonTitleBox");
    const QString add = QStringLiteral("AddRadioButton");
    auto* list = control<QListWidget>(w, QStringLiteral("RadioButtonsListBox"));
    auto* tick = control<QCheckBox>(w, QStringLiteral("DefaultSelected"));
    QCOMPARE(w->defaultOption(), QStringLiteral("none"));

    env.expectBox();
    click(w, add);
    env.expectBox();
    click(w, QStringLiteral("RemoveOption"));
    QCOMPARE(env.folder.messageTexts(),
        QStringList(
            { QStringLiteral("The radio button name text field is empty. You must first define the name of "
                             "the button to add to the radio buton method."),
                QStringLiteral("Sorry, but you don't have an Radio Button name selected.") }));

    addOption(w, input, add, QStringLiteral("Yes"));
    addOption(w, input, add, QStringLiteral("No"), true);
    QCOMPARE(w->defaultOption(), QStringLiteral("No"));
    QVERIFY(!tick->isChecked());
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(boxText(w, input), QString());

    // The tick follows the selected option; typing leaves the list.
    list->setCurrentRow(1);
    QVERIFY(tick->isChecked());
    list->setCurrentRow(0);
    QVERIFY(!tick->isChecked());
    setBox(w, input, QStringLiteral("M"));
    QVERIFY(list->selectedItems().isEmpty());
    setBox(w, input, QString());

    // Clicking the tick on a selected option makes it the default, and clears it again.
    list->setCurrentRow(0);
    tick->click();
    QCOMPARE(w->defaultOption(), QStringLiteral("Yes"));
    tick->click();
    QCOMPARE(w->defaultOption(), QStringLiteral("none"));
    list->setCurrentRow(1);
    tick->click();
    QCOMPARE(w->defaultOption(), QStringLiteral("No"));

    // A newer ticked option takes the default; removing the default resets it,
    // removing another keeps it; repeated texts stay.
    addOption(w, input, add, QStringLiteral("Maybe"), true);
    QCOMPARE(w->defaultOption(), QStringLiteral("Maybe"));
    addOption(w, input, add, QStringLiteral("Yes"));
    list->setCurrentRow(0);
    click(w, QStringLiteral("RemoveOption"));
    QCOMPARE(w->defaultOption(), QStringLiteral("Maybe"));
    QCOMPARE(list->currentRow(), 2);
    list->setCurrentRow(1);
    QVERIFY(tick->isChecked());
    click(w, QStringLiteral("RemoveOption"));
    QCOMPARE(w->defaultOption(), QStringLiteral("none"));
    QCOMPARE(listTexts(w, QStringLiteral("RadioButtonsListBox")),
        QStringList({ QStringLiteral("No"), QStringLiteral("Yes") }));
    QCOMPARE(list->selectedItems().value(0), list->item(1));
    QVERIFY(!tick->isChecked());
    w->close();
}

void TestOptionEditors::radioButtonsYesNo()
{
    Env env(6);
    env.editors.showRadioButtonsForm();
    QWidget* w = env.editors.openWindow(QStringLiteral("RadioButtonsForm"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Add Radio Buttons To Form"));
    QCOMPARE(boxText(w, QStringLiteral("RadioButtonUserInstruction")), QStringLiteral("User Instruction 7"));
    QCOMPARE(control<QPushButton>(w, QStringLiteral("FinishRadioButton"))->text(),
        QStringLiteral("Finish Adding Check Box Form Methods"));
    setBox(w, QStringLiteral("RadioButtonUserInstruction"), QStringLiteral("Happy?"));
    addOption(
        w, QStringLiteral("RadioButtonTitleBox"), QStringLiteral("AddRadioButton"), QStringLiteral("Yes"));
    addOption(w, QStringLiteral("RadioButtonTitleBox"), QStringLiteral("AddRadioButton"),
        QStringLiteral("No"), true);
    click(w, QStringLiteral("FinishRadioButton"));
    QTRY_VERIFY(!env.editors.openWindow(QStringLiteral("RadioButtonsForm")));

    QCOMPARE(env.at(1),
        radioButtonsMethod(
            QStringLiteral("Happy?"), { QStringLiteral("Yes"), QStringLiteral("No") }, QStringLiteral("No")));
    QCOMPARE(env.session.selectedRow(), 1);
    QCOMPARE(env.session.elementCounter, qint16(7));
    QVERIFY(columnNames(env.session).contains(QStringLiteral("Happy?")));
    verifyInStep(env);
}

void TestOptionEditors::radioFinishChecksTheListFirst()
{
    Env env;
    env.editors.showRadioButtonsForm();
    QWidget* w = env.editors.openWindow(QStringLiteral("RadioButtonsForm"));
    setBox(w, QStringLiteral("RadioButtonUserInstruction"), QString());
    env.expectBox();
    click(w, QStringLiteral("FinishRadioButton"));
    addOption(
        w, QStringLiteral("RadioButtonTitleBox"), QStringLiteral("AddRadioButton"), QStringLiteral("A"));
    env.expectBox();
    click(w, QStringLiteral("FinishRadioButton"));
    QCOMPARE(env.folder.messageTexts(),
        QStringList({ QStringLiteral("You must first enter some Radio Buttons."),
            QStringLiteral("The user instruction text field for the radio button form element is empty. "
                           "You must first define a user instruction for the element.") }));
    QVERIFY(w->isVisible());
    QCOMPARE(env.session.collection.count(), 2);
    w->close();
}

void TestOptionEditors::radioEditRoundTrip()
{
    Env env(4);
    const QStringList abc { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") };
    addElement(env.session, radioButtonsMethod(QStringLiteral("First"), abc, QStringLiteral("B")));
    addElement(env.session,
        radioButtonsMethod(QStringLiteral("Second"), { QStringLiteral("X") }, QStringLiteral("none")));

    // An earlier use of the window leaves nothing behind.
    env.editors.showRadioButtonsForm();
    QWidget* earlier = env.editors.openWindow(QStringLiteral("RadioButtonsForm"));
    addOption(earlier, QStringLiteral("RadioButtonTitleBox"), QStringLiteral("AddRadioButton"),
        QStringLiteral("Stale"), true);
    click(earlier, QStringLiteral("CancelRadioButtonForm"));
    QTRY_VERIFY(!env.editors.openWindow(QStringLiteral("RadioButtonsForm")));

    env.session.setSelectedRow(1);
    const ModalRun run = runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Radio Buttons"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("FinishRadioButton"))->text(),
                QStringLiteral("Update Radio Buttons Menu"));
            QCOMPARE(boxText(w, QStringLiteral("RadioButtonUserInstruction")), QStringLiteral("First"));
            QCOMPARE(listTexts(w, QStringLiteral("RadioButtonsListBox")), abc);
            auto* list = control<QListWidget>(w, QStringLiteral("RadioButtonsListBox"));
            list->setCurrentRow(1);
            QVERIFY(control<QCheckBox>(w, QStringLiteral("DefaultSelected"))->isChecked());
            list->setCurrentRow(2);
            click(w, QStringLiteral("RemoveOption"));
            click(w, QStringLiteral("FinishRadioButton"));
        });
    QVERIFY(run.appeared && !run.leftOpen);
    QCOMPARE(env.at(1),
        radioButtonsMethod(
            QStringLiteral("First"), { QStringLiteral("A"), QStringLiteral("B") }, QStringLiteral("B")));
    QCOMPARE(env.session.elementCounter, qint16(4));

    env.session.setSelectedRow(2);
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QCOMPARE(listTexts(w, QStringLiteral("RadioButtonsListBox")), QStringList(QStringLiteral("X")));
            QCOMPARE(qobject_cast<RadioButtonsForm*>(w)->defaultOption(), QStringLiteral("none"));
            click(w, QStringLiteral("CancelRadioButtonForm"));
        });
    QCOMPARE(env.at(2).attribute6List, QStringList(QStringLiteral("X")));
    verifyInStep(env);
}

void TestOptionEditors::pullDownMenu()
{
    Env env(1);
    env.expectBox();
    const ModalRun run = runModal([&] { env.editors.showPullDownMenuForm(); },
        [&](QDialog* w) {
            QCOMPARE(w->objectName(), QStringLiteral("PullDownMenuInstructionForm"));
            QCOMPARE(w->windowTitle(), QStringLiteral("Add Pull-Down Menu To Form"));
            QCOMPARE(boxText(w, QStringLiteral("PullDownMenuUserInstruction")),
                QStringLiteral("User Instruction 2"));
            QCOMPARE(boxText(w, QStringLiteral("NoToDisplay")), QStringLiteral("1"));
            setBox(w, QStringLiteral("PullDownMenuUserInstruction"), QString());
            click(w, QStringLiteral("FinishPullDownMenuInput"));
            setBox(w, QStringLiteral("PullDownMenuUserInstruction"), QStringLiteral("Colour"));
            const QString input = QStringLiteral("PullDownMenuOptionInputBox");
            addOption(w, input, QStringLiteral("AddOption"), QStringLiteral("Red"));
            addOption(w, input, QStringLiteral("AddOption"), QStringLiteral("Green"), true);
            addOption(w, input, QStringLiteral("AddOption"), QStringLiteral("Blue"));
            click(w, QStringLiteral("FinishPullDownMenuInput"));
        });
    QVERIFY(run.appeared && !run.leftOpen);
    QCOMPARE(env.folder.messageTexts(),
        QStringList(QStringLiteral("You must first enter some options into the Menu.")));
    QCOMPARE(env.at(1),
        pullDownMenuMethod(QStringLiteral("Colour"), QStringLiteral("1"),
            { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") },
            QStringLiteral("Green")));
    QCOMPARE(env.session.elementCounter, qint16(2));
    verifyInStep(env);
}

void TestOptionEditors::pullDownMenuHeightIsRefusedUnlessWholeNumber()
{
    Env env;
    const QByteArray page = readBytes(env.folder.html(QStringLiteral("survey.html")));
    env.expectBox();
    env.expectBox();
    const ModalRun run = runModal([&] { env.editors.showPullDownMenuForm(); },
        [&](QDialog* w) {
            addOption(w, QStringLiteral("PullDownMenuOptionInputBox"), QStringLiteral("AddOption"),
                QStringLiteral("Red"));
            setBox(w, QStringLiteral("NoToDisplay"), QString());
            click(w, QStringLiteral("FinishPullDownMenuInput"));
            setBox(w, QStringLiteral("NoToDisplay"), QStringLiteral("four"));
            click(w, QStringLiteral("FinishPullDownMenuInput"));
            QCOMPARE(listTexts(w, QStringLiteral("MenuOptionsListBox")), QStringList(QStringLiteral("Red")));
            QCOMPARE(boxText(w, QStringLiteral("NoToDisplay")), QStringLiteral("four"));
        });
    QVERIFY(run.leftOpen);
    QCOMPARE(env.folder.messageTexts().size(), 2);
    QVERIFY(env.folder.messageTexts().at(0).contains(QStringLiteral("whole number")));
    QCOMPARE(env.session.collection.count(), 2);
    QCOMPARE(readBytes(env.folder.html(QStringLiteral("survey.html"))), page);
    QCOMPARE(env.session.elementCounter, qint16(0));
}

void TestOptionEditors::pullDownEditRoundTrip()
{
    Env env(9);
    const QStringList colours { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") };
    addElement(env.session,
        pullDownMenuMethod(QStringLiteral("Colour"), QStringLiteral("3"), colours, QStringLiteral("Blue")));
    env.session.setSelectedRow(1);
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Pull-Down Menu"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("FinishPullDownMenuInput"))->text(),
                QStringLiteral("Update Pull Down Menu"));
            QCOMPARE(boxText(w, QStringLiteral("NoToDisplay")), QStringLiteral("3"));
            QCOMPARE(listTexts(w, QStringLiteral("MenuOptionsListBox")), colours);
            QCOMPARE(qobject_cast<PullDownMenuInstructionForm*>(w)->defaultOption(), QStringLiteral("Blue"));
            setBox(w, QStringLiteral("NoToDisplay"), QStringLiteral("1"));
            click(w, QStringLiteral("FinishPullDownMenuInput"));
        });
    QCOMPARE(env.at(1),
        pullDownMenuMethod(QStringLiteral("Colour"), QStringLiteral("1"), colours, QStringLiteral("Blue")));
    QCOMPARE(env.session.elementCounter, qint16(9));
    QCOMPARE(env.session.rows()->text(1), QStringLiteral("Pull Down Menu - Colour"));
    verifyInStep(env);
}

void TestOptionEditors::modelessEditorWhileTheListChanges()
{
    Env env;
    addElement(env.session, textFieldMethod(QStringLiteral("A"), QStringLiteral("30"), QString(), QString()));
    addElement(env.session, textFieldMethod(QStringLiteral("B"), QStringLiteral("30"), QString(), QString()));
    env.editors.showCheckBoxesForm();
    env.editors.showRadioButtonsForm();
    QWidget* boxes = env.editors.openWindow(QStringLiteral("CheckBoxesForm"));
    QWidget* radio = env.editors.openWindow(QStringLiteral("RadioButtonsForm"));

    // The main window moves B up, then removes A.
    env.session.setSelectedRow(2);
    QVERIFY(moveSelectedUp(env.session));
    env.session.setSelectedRow(2);
    QVERIFY(removeSelected(env.session));
    QCOMPARE(env.session.rows()->texts().mid(1),
        QStringList({ QStringLiteral("Text Field - B"), QStringLiteral("Submit Button - Submit Form") }));

    setBox(boxes, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Tea"));
    click(boxes, QStringLiteral("AddCheckBox"));
    setBox(radio, QStringLiteral("RadioButtonUserInstruction"), QStringLiteral("Sure?"));
    addOption(radio, QStringLiteral("RadioButtonTitleBox"), QStringLiteral("AddRadioButton"),
        QStringLiteral("Yes"));
    click(radio, QStringLiteral("FinishRadioButton"));

    QCOMPARE(env.session.rows()->texts().mid(1),
        QStringList({ QStringLiteral("Text Field - B"), QStringLiteral("Check Box - Tea"),
            QStringLiteral("Radio Buttons - Sure?"), QStringLiteral("Submit Button - Submit Form") }));
    QCOMPARE(env.session.selectedRow(), 3);
    verifyInStep(env);
    QCOMPARE(readCollectionFile(env.folder.collection(QStringLiteral("survey"))).methods,
        env.session.collection.methods());
    QVERIFY(boxes->isVisible());
}

void TestOptionEditors::modelessEditorOutlivesTheForm()
{
    Env env;
    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(QStringLiteral("CheckBoxesForm"));
    const QByteArray page = readBytes(env.folder.html(QStringLiteral("survey.html")));
    // The main window shows the help page instead: no form is open any more.
    LoadForm(env.session, env.session.appFolder(), QStringLiteral("welcome.html"));
    env.expectBox();
    setBox(boxes, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Tea"));
    click(boxes, QStringLiteral("AddCheckBox"));
    QCOMPARE(env.folder.messageTexts(),
        QStringList(QStringLiteral("You don't currently have a Form Open to add a Check Box to.")));
    QCOMPARE(env.session.collection.count(), 0);
    QCOMPARE(boxText(boxes, QStringLiteral("CheckBoxTitleBox")), QStringLiteral("Tea"));
    QCOMPARE(
        QDir(env.folder.html(QString())).entryList(QDir::Files), QStringList(QStringLiteral("survey.html")));
    QCOMPARE(readBytes(env.folder.html(QStringLiteral("survey.html"))), page);
    QCOMPARE(readCollectionFile(env.folder.collection(QStringLiteral("survey"))).methods.size(), 2);
}

QTEST_MAIN(TestOptionEditors)
#include "tst_OptionEditors.moc"
