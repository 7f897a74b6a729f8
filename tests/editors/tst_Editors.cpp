// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "EditorTestSupport.h"

#include "editors/Editors.h"
#include "model/CollectionFile.h"
#include "model/Fragments.h"
#include "platform/BrowserView.h"

#include <QCheckBox>
#include <QDir>

using namespace quenlow;
using namespace quenlow::test;

using Env = EditorEnv;

namespace {

const QString k65 = QStringLiteral("Which of the following statements best describes your experience?");
const QString k64 = k65.left(64);

} // namespace

class TestEditors : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void unknownKindIsRefused();
    void eachKindOpensItsEditorModally_data();
    void eachKindOpensItsEditorModally();
    void editingKeepsEveryKeyLine_data();
    void editingKeepsEveryKeyLine();
    void storedNonNumbersReadAsZero_data();
    void storedNonNumbersReadAsZero();
    void mainWindowGoesAwayWhileAnEditorIsOpen();
    void openingAnOpenEditorBringsItForward();
    void escapeUnloadsAModelessEditor();
    void modelessEditorOutlivesTheForm();
    void blankInstructionIsNotEmpty();
    void lineBreaksBecomeBlanks();
    void fullFormIsRefused();

    void fragments_data();
    void fragments();
    void longQuestionsCutInNamesOnly_data();
    void longQuestionsCutInNamesOnly();
    void menuHeight_data();
    void menuHeight();
};

void TestEditors::unknownKindIsRefused()
{
    Env env;
    FormMethod odd = plainTextMethod(QStringLiteral("odd"));
    odd.setKindName(QStringLiteral("plain text")); // kinds compare with case
    env.session.changeableCollection().append(odd);
    const QByteArray page = readBytes(env.folder.html(QStringLiteral("survey.html")));
    env.session.setSelectedRow(1);
    env.expectBox();
    env.editors.editSelected();
    QCOMPARE(env.folder.messageTexts(), QStringList(QStringLiteral("Field Type Not Recognised")));
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(readBytes(env.folder.html(QStringLiteral("survey.html"))), page);
}

void TestEditors::eachKindOpensItsEditorModally_data()
{
    QTest::addColumn<FormMethod>("method");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("cancel");
    // Every kind is edited and cancelled in the elements-edit scenario; here
    // that editing is modal even for the kinds whose adding is not.
    const QStringList options { QStringLiteral("a") };
    QTest::newRow("text field") << textFieldMethod(QStringLiteral("Q"), QString(), QString(), QString())
                                << QStringLiteral("TextFieldForm") << QStringLiteral("FinishTextField");
    QTest::newRow("check box") << checkBoxMethod(QStringLiteral("Q"), true, false)
                               << QStringLiteral("CheckBoxesForm") << QStringLiteral("Cancel");
    QTest::newRow("radio") << radioButtonsMethod(QStringLiteral("Q"), options, noDefaultOption())
                           << QStringLiteral("RadioButtonsForm") << QStringLiteral("CancelRadioButtonForm");
}

void TestEditors::eachKindOpensItsEditorModally()
{
    QFETCH(FormMethod, method);
    QFETCH(QString, window);
    QFETCH(QString, cancel);
    Env env;
    addElement(env.session, method);
    env.session.setSelectedRow(1);
    const QByteArray page = readBytes(env.folder.html(QStringLiteral("survey.html")));
    {
        ModalStep step(window, [&](QWidget* w) {
            QCOMPARE(w->parentWidget(), &env.mainWindow);
            click(w, cancel);
        });
        env.editors.editSelected();
        QVERIFY(!step.leftOpen());
    }
    // Cancel: the element, the page and the selection are as they were.
    QCOMPARE(env.session.collection().atPosition(1), method);
    QCOMPARE(readBytes(env.folder.html(QStringLiteral("survey.html"))), page);
    QCOMPARE(env.session.selectedRow(), 1);
    QTRY_VERIFY(!env.editors.openWindow(window));
}

void TestEditors::editingKeepsEveryKeyLine_data()
{
    QTest::addColumn<FormMethod>("method");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("confirm");
    // Each question depends on the radio buttons before it and carries a
    // key line of a later version; updated unchanged, the record is as it was.
    QuestionSettings settings;
    settings.rules.required = true;
    settings.condition = { QStringLiteral("Smoker"), QStringLiteral("No") };
    auto question = [&](FormMethod m, const QuestionSettings& s) {
        m.settings.append({ QStringLiteral("LaterSetting"), QStringLiteral("kept") });
        return withQuestionSettings(m, s);
    };
    QuestionSettings typed = settings;
    typed.rules.kind = AnswerKind::Number;
    typed.rules.minimum = QStringLiteral("0.5");
    typed.rules.maximum = QStringLiteral("120");
    QuestionSettings group = settings;
    group.questionText = QStringLiteral("Which topics?");
    const QStringList options { QStringLiteral("a"), QStringLiteral("b") };
    QTest::newRow("text field") << question(
        textFieldMethod(QStringLiteral("Q"), QStringLiteral("30"), QString(), QString()), typed)
                                << QStringLiteral("TextFieldForm") << QStringLiteral("AddAnotherTextField");
    QTest::newRow("text area") << question(
        textAreaMethod(QStringLiteral("Q"), QStringLiteral("5"), QStringLiteral("40"), QString()), settings)
                               << QStringLiteral("TextAreaForm") << QStringLiteral("AddAnotherTextArea");
    QTest::newRow("check box") << question(checkBoxMethod(QStringLiteral("Q"), true, false), group)
                               << QStringLiteral("CheckBoxesForm") << QStringLiteral("AddCheckBox");
    QTest::newRow("radio") << question(
        radioButtonsMethod(QStringLiteral("Q"), options, noDefaultOption()), settings)
                           << QStringLiteral("RadioButtonsForm") << QStringLiteral("FinishRadioButton");
    QTest::newRow("menu") << question(
        pullDownMenuMethod(QStringLiteral("Q"), QStringLiteral("1"), options, noDefaultOption()), settings)
                          << QStringLiteral("PullDownMenuInstructionForm")
                          << QStringLiteral("FinishPullDownMenuInput");
    QTest::newRow("scale") << question(
        scaleMethod(QStringLiteral("Q"), { 0, 10, QStringLiteral("Never"), QStringLiteral("Always") }),
        settings) << QStringLiteral("ScaleForm")
                           << QStringLiteral("AddScale");
}

void TestEditors::editingKeepsEveryKeyLine()
{
    QFETCH(FormMethod, method);
    QFETCH(QString, window);
    QFETCH(QString, confirm);
    Env env;
    addElement(env.session,
        radioButtonsMethod(
            QStringLiteral("Smoker"), { QStringLiteral("Yes"), QStringLiteral("No") }, noDefaultOption()));
    addElement(env.session, method);
    env.session.setSelectedRow(2);
    ModalStep step(window, [&](QWidget* w) {
        click(w, confirm);
        if (w->isVisible()) // the check box editor stays open
            click(w, QStringLiteral("Cancel"));
    });
    env.editors.editSelected();
    QVERIFY(!step.leftOpen());
    QCOMPARE(env.at(2), method);
    QVERIFY(env.session.collection().atPosition(2).settings.contains(
        std::pair { QStringLiteral("AnswerRequired"), QStringLiteral("1") }));
}

void TestEditors::storedNonNumbersReadAsZero_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("print form one") << QStringLiteral(" 1 ") << true;
    QTest::newRow("plain one") << QStringLiteral("1") << true;
    QTest::newRow("zero") << QStringLiteral(" 0 ") << false;
    QTest::newRow("letters") << QStringLiteral("yes") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestEditors::storedNonNumbersReadAsZero()
{
    QFETCH(QString, stored);
    QFETCH(bool, ticked);
    Env env;
    FormMethod box = checkBoxMethod(QStringLiteral("Tea"), true, false);
    box.attribute4 = stored;
    FormMethod submit = submitButtonMethod(QStringLiteral("Go"), false, QString());
    submit.attribute5 = stored;
    addElement(env.session, box);
    addElement(env.session, submit);
    for (const auto& [row, tick, cancel] :
        { std::tuple { 1, "DefaultSelected", "Cancel" }, std::tuple { 2, "ResetButtonCheck", "Cancel" } }) {
        env.session.setSelectedRow(row);
        ModalStep step(row == 1 ? QStringLiteral("CheckBoxesForm") : QStringLiteral("SubmitButtonForm"),
            [&](QWidget* w) {
                QCOMPARE(child<QCheckBox>(w, tick)->isChecked(), ticked);
                click(w, cancel);
            });
        env.editors.editSelected();
    }
}

void TestEditors::mainWindowGoesAwayWhileAnEditorIsOpen()
{
    TestProgramFolder folder;
    FormSession session(folder.path());
    createForm(session, QStringLiteral("survey"));
    auto* mainWindow = new QWidget;
    Editors editors(session, mainWindow);
    editors.showRadioButtonsForm();
    QVERIFY(editors.openWindow(QStringLiteral("RadioButtonsForm")));
    delete mainWindow;
    QVERIFY(!editors.openWindow(QStringLiteral("RadioButtonsForm")));

    // The editors carry on without an owner, and the element still arrives.
    editors.showCheckBoxesForm();
    QWidget* boxes = editors.openWindow(QStringLiteral("CheckBoxesForm"));
    QVERIFY(boxes && !boxes->parentWidget());
    setBox(boxes, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Tea"));
    click(boxes, QStringLiteral("AddCheckBox"));
    QCOMPARE(session.collection().count(), 2);
}

void TestEditors::openingAnOpenEditorBringsItForward()
{
    Env env;
    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(QStringLiteral("CheckBoxesForm"));
    setBox(boxes, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Coffee"));
    env.editors.showCheckBoxesForm();
    QCOMPARE(env.editors.openWindow(QStringLiteral("CheckBoxesForm")), boxes);
    QCOMPARE(boxText(boxes, QStringLiteral("CheckBoxTitleBox")), QStringLiteral("Coffee"));
}

void TestEditors::escapeUnloadsAModelessEditor()
{
    Env env;
    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(QStringLiteral("CheckBoxesForm"));
    setBox(boxes, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Tea"));
    QTest::keyClick(boxes, Qt::Key_Escape);
    // Gone, not merely hidden: the next opening starts from the defaults.
    QTRY_VERIFY(!env.editors.openWindow(QStringLiteral("CheckBoxesForm")));
    env.editors.showCheckBoxesForm();
    QCOMPARE(
        boxText(env.editors.openWindow(QStringLiteral("CheckBoxesForm")), QStringLiteral("CheckBoxTitleBox")),
        QString());
}

void TestEditors::modelessEditorOutlivesTheForm()
{
    Env env;
    addElement(
        env.session, submitButtonMethod(QStringLiteral("Submit Form"), false, QStringLiteral("Reset Form")));
    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(QStringLiteral("CheckBoxesForm"));
    const QByteArray page = readBytes(env.folder.html(QStringLiteral("survey.html")));
    // The main window shows the help page instead: no form is open any more.
    QVERIFY(loadForm(env.session, env.session.appFolder(), QStringLiteral("welcome.html")));
    env.expectBox();
    setBox(boxes, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Tea"));
    click(boxes, QStringLiteral("AddCheckBox"));
    QCOMPARE(env.folder.messageTexts(),
        QStringList(QStringLiteral("You don't currently have a Form Open to add a Check Box to.")));
    QCOMPARE(env.session.collection().count(), 0);
    QCOMPARE(boxText(boxes, QStringLiteral("CheckBoxTitleBox")), QStringLiteral("Tea"));
    QCOMPARE(
        QDir(env.folder.html(QString())).entryList(QDir::Files), QStringList(QStringLiteral("survey.html")));
    QCOMPARE(readBytes(env.folder.html(QStringLiteral("survey.html"))), page);
    QCOMPARE(readCollectionFile(env.folder.collection(QStringLiteral("survey"))).methods.size(), 2);
}

void TestEditors::blankInstructionIsNotEmpty()
{
    Env env;
    // Enter in a box presses the window's main button; Escape closes the
    // window and adds nothing.
    for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Escape }) {
        ModalStep step(QStringLiteral("TextFieldForm"), [&](QWidget* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral(" "));
            QTest::keyClick(child<QLineEdit>(w, "TextFieldUserInstruction"), key);
        });
        env.editors.showTextFieldForm();
        QVERIFY(!step.leftOpen());
    }
    QCOMPARE(env.session.collection().count(), 2);
    QCOMPARE(env.at(1).userInstruction, QStringLiteral(" "));
}

void TestEditors::lineBreaksBecomeBlanks()
{
    Env env;
    {
        ModalStep step(QStringLiteral("TextFieldForm"), [&](QWidget* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("Two\nlines"));
            setBox(w, QStringLiteral("aDefaultText"), QStringLiteral("a\r\nb"));
            click(w, "AddAnotherTextField");
        });
        env.editors.showTextFieldForm();
    }
    {
        ModalStep step(QStringLiteral("AddTextForm"), [&](QWidget* w) {
            setBox(w, QStringLiteral("TextToBeAdded"), QStringLiteral("First paragraph\nsecond paragraph"));
            click(w, "AddTextToForm");
        });
        env.editors.showAddTextForm();
    }
    QCOMPARE(env.at(1).userInstruction, QStringLiteral("Two lines"));
    QCOMPARE(env.at(1).attribute6, QStringLiteral("a b"));
    QCOMPARE(env.at(2).userInstruction, QStringLiteral("First paragraph second paragraph"));
    // Every record is one line per value: the file reads back as it was.
    QCOMPARE(env.collectionFile().count("\n"), 3 * 12 + 7);
}

void TestEditors::fullFormIsRefused()
{
    Env env(7);
    for (int k = env.session.collection().count(); k < kMaxElements; ++k)
        env.session.changeableCollection().append(FormMethod {});
    env.expectBox();
    ModalStep step(QStringLiteral("TextFieldForm"), [&](QWidget* w) {
        setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("One too many"));
        click(w, "AddAnotherTextField");
        QCOMPARE(boxText(w, QStringLiteral("TextFieldUserInstruction")), QStringLiteral("One too many"));
    });
    env.editors.showTextFieldForm();
    QVERIFY(step.leftOpen());
    QCOMPARE(env.folder.messageTexts().size(), 1);
    QCOMPARE(env.session.collection().count(), kMaxElements);
    QCOMPARE(env.session.elementCounter(), qint16(7));
    QVERIFY(!columnNames(env.folder.database(), QStringLiteral("tbl_survey"))
                 .contains(QStringLiteral("One too many")));
}

// The fragments and records the editors make.
void TestEditors::fragments_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");
    // The usual fragments are compared byte for byte in the pages the element
    // scenarios save; these are the edge cases no scenario types.
    const QStringList colours { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") };
    QTest::newRow("text field, size as typed")
        << textFieldFragment(
               QStringLiteral("Age"), QStringLiteral("wide"), QStringLiteral("3"), QStringLiteral("none yet"))
        << QStringLiteral("<P><input type=hidden name='Age Type' value='Text Field'><P>Age"
                          " <input name='Age' size='wide' maxlength='3' type='text' value ='none yet'>");
    QTest::newRow("menu, zero high")
        << pullDownMenuFragment(QStringLiteral("Colour"), QStringLiteral("0"), colours, noDefaultOption())
        << QStringLiteral("<P><input type=hidden name='Colour Type' value='Menu'><P>Colour"
                          " <select name='Colour' size=0><option>Red<option>Green<option>Blue</select>");
}

void TestEditors::fragments()
{
    QFETCH(QString, html);
    QFETCH(QString, expected);
    QCOMPARE(html, expected);
}

void TestEditors::longQuestionsCutInNamesOnly_data()
{
    QTest::addColumn<FormMethod>("method");
    QTest::addColumn<QString>("visible");
    QTest::newRow("text field") << textFieldMethod(k65, QStringLiteral("30"), QString(), QString())
                                << QStringLiteral("<P>") + k65 + QStringLiteral(" <input");
    QTest::newRow("text area") << textAreaMethod(k65, QStringLiteral("5"), QStringLiteral("40"), QString())
                               << QStringLiteral("<P>") + k65 + QStringLiteral("<P>");
    QTest::newRow("check box") << checkBoxMethod(k65, true, false) << QStringLiteral("'checkbox'>") + k65;
    QTest::newRow("radio") << radioButtonsMethod(k65, { QStringLiteral("A") }, noDefaultOption())
                           << QStringLiteral("<P>") + k65 + QStringLiteral("<BR>");
    QTest::newRow("menu") << pullDownMenuMethod(k65, QStringLiteral("1"), { QStringLiteral("A") },
        noDefaultOption()) << QStringLiteral("<P>") + k65 + QStringLiteral(" <select");
}

void TestEditors::longQuestionsCutInNamesOnly()
{
    QFETCH(FormMethod, method);
    QFETCH(QString, visible);
    QVERIFY2(method.htmlCode.contains(visible), qPrintable(method.htmlCode));
    QVERIFY(method.htmlCode.contains(QStringLiteral("name='") + k64 + QStringLiteral(" Type'")));
    QVERIFY(method.htmlCode.contains(QStringLiteral("name='") + k64 + QStringLiteral("'")));
    QVERIFY(!method.htmlCode.contains(QStringLiteral("name='") + k65));
}

void TestEditors::menuHeight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("height"); // -1: refused
    QTest::newRow("one") << QStringLiteral("1") << 1;
    QTest::newRow("four with blanks") << QStringLiteral(" 4 ") << 4;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("blanks") << QStringLiteral("  ") << -1;
    QTest::newRow("letters") << QStringLiteral("four") << -1;
    QTest::newRow("negative") << QStringLiteral("-2") << -1;
    QTest::newRow("fraction") << QStringLiteral("1.5") << -1;
    QTest::newRow("markup") << QStringLiteral("2 onclick=x") << -1;
    QTest::newRow("too large") << QStringLiteral("99999999999") << -1;
}

void TestEditors::menuHeight()
{
    QFETCH(QString, text);
    QFETCH(int, height);
    const std::optional<int> result = quenlow::menuHeight(text);
    QCOMPARE(result.value_or(-1), height);
}

QTEST_MAIN(TestEditors)
#include "tst_Editors.moc"
