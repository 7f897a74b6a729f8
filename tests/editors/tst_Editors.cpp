// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "EditorTestSupport.h"

#include "editors/Editors.h"
#include "model/CollectionFile.h"
#include "model/Fragments.h"
#include "platform/BrowserView.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

using Env = EditorEnv;

namespace {

const QString k65 = u"Which of the following statements best describes your experience?"_s;
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
    void modelessEditorOutlivesTheForm();
    void blankInstructionIsNotEmpty();
    void lineBreaksBecomeBlanks();
    void fullFormIsRefused();
    void pageBreakTitleIsOptional();

    void fragments_data();
    void fragments();
    void longQuestionsCutInNamesOnly_data();
    void longQuestionsCutInNamesOnly();
    void menuHeight_data();
    void menuHeight();
    void enterInTheOptionBoxAddsTheOption();
    void proposedInstructionIsReplacedByTyping();
};

void TestEditors::unknownKindIsRefused()
{
    Env env;
    FormMethod odd = plainTextMethod(u"odd"_s);
    odd.setKindName(u"plain text"_s); // kinds compare with case
    env.session.changeableCollection().append(odd);
    const QByteArray page = readBytes(env.folder.html(u"survey.html"_s));
    env.session.setSelectedRow(1);
    env.expectBox();
    env.editors.editSelected();
    QCOMPARE(env.folder.messageTexts(), QStringList(u"Field Type Not Recognised"_s));
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(readBytes(env.folder.html(u"survey.html"_s)), page);
}

void TestEditors::eachKindOpensItsEditorModally_data()
{
    QTest::addColumn<FormMethod>("method");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("cancel");
    // Every kind is edited and cancelled in the elements-edit scenario; here
    // that editing is modal even for the kinds whose adding is not.
    const QStringList options { u"a"_s };
    QTest::newRow("text field") << textFieldMethod(u"Q"_s, QString(), QString(), QString())
                                << u"TextFieldForm"_s << u"FinishTextField"_s;
    QTest::newRow("check box") << checkBoxMethod(u"Q"_s, true, false) << u"CheckBoxesForm"_s << u"Cancel"_s;
    QTest::newRow("radio") << radioButtonsMethod(u"Q"_s, options, noDefaultOption()) << u"RadioButtonsForm"_s
                           << u"CancelRadioButtonForm"_s;
}

void TestEditors::eachKindOpensItsEditorModally()
{
    QFETCH(FormMethod, method);
    QFETCH(QString, window);
    QFETCH(QString, cancel);
    Env env;
    addElement(env.session, method);
    env.session.setSelectedRow(1);
    const QByteArray page = readBytes(env.folder.html(u"survey.html"_s));
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
    QCOMPARE(readBytes(env.folder.html(u"survey.html"_s)), page);
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
    settings.condition = { u"Smoker"_s, u"No"_s };
    auto question = [&](FormMethod m, const QuestionSettings& s) {
        m.settings.append({ u"LaterSetting"_s, u"kept"_s });
        return withQuestionSettings(m, s);
    };
    QuestionSettings typed = settings;
    typed.rules.kind = AnswerKind::Number;
    typed.rules.minimum = u"0.5"_s;
    typed.rules.maximum = u"120"_s;
    QuestionSettings group = settings;
    group.questionText = u"Which topics?"_s;
    const QStringList options { u"a"_s, u"b"_s };
    QTest::newRow("text field") << question(textFieldMethod(u"Q"_s, u"30"_s, QString(), QString()), typed)
                                << u"TextFieldForm"_s << u"AddAnotherTextField"_s;
    QTest::newRow("text area") << question(textAreaMethod(u"Q"_s, u"5"_s, u"40"_s, QString()), settings)
                               << u"TextAreaForm"_s << u"AddAnotherTextArea"_s;
    QTest::newRow("check box") << question(checkBoxMethod(u"Q"_s, true, false), group) << u"CheckBoxesForm"_s
                               << u"AddCheckBox"_s;
    QTest::newRow("radio") << question(radioButtonsMethod(u"Q"_s, options, noDefaultOption()), settings)
                           << u"RadioButtonsForm"_s << u"FinishRadioButton"_s;
    QTest::newRow("menu") << question(
        pullDownMenuMethod(u"Q"_s, u"1"_s, options, noDefaultOption()), settings)
                          << u"PullDownMenuInstructionForm"_s << u"FinishPullDownMenuInput"_s;
    QTest::newRow("scale") << question(scaleMethod(u"Q"_s, { 0, 10, u"Never"_s, u"Always"_s }), settings)
                           << u"ScaleForm"_s << u"AddScale"_s;
}

void TestEditors::editingKeepsEveryKeyLine()
{
    QFETCH(FormMethod, method);
    QFETCH(QString, window);
    QFETCH(QString, confirm);
    Env env;
    addElement(env.session, radioButtonsMethod(u"Smoker"_s, { u"Yes"_s, u"No"_s }, noDefaultOption()));
    addElement(env.session, method);
    env.session.setSelectedRow(2);
    ModalStep step(window, [&](QWidget* w) {
        click(w, confirm);
        if (w->isVisible()) // the check box editor stays open
            click(w, u"Cancel"_s);
    });
    env.editors.editSelected();
    QVERIFY(!step.leftOpen());
    QCOMPARE(env.at(2), method);
    QVERIFY(
        env.session.collection().atPosition(2).settings.contains(std::pair { u"AnswerRequired"_s, u"1"_s }));
}

void TestEditors::storedNonNumbersReadAsZero_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("print form one") << u" 1 "_s << true;
    QTest::newRow("plain one") << u"1"_s << true;
    QTest::newRow("zero") << u" 0 "_s << false;
    QTest::newRow("letters") << u"yes"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestEditors::storedNonNumbersReadAsZero()
{
    QFETCH(QString, stored);
    QFETCH(bool, ticked);
    Env env;
    FormMethod box = checkBoxMethod(u"Tea"_s, true, false);
    box.attribute4 = stored;
    FormMethod submit = submitButtonMethod(u"Go"_s, false, QString());
    submit.attribute5 = stored;
    addElement(env.session, box);
    addElement(env.session, submit);
    for (const auto& [row, tick, cancel] :
        { std::tuple { 1, "DefaultSelected", "Cancel" }, std::tuple { 2, "ResetButtonCheck", "Cancel" } }) {
        env.session.setSelectedRow(row);
        ModalStep step(row == 1 ? u"CheckBoxesForm"_s : u"SubmitButtonForm"_s, [&](QWidget* w) {
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
    createForm(session, u"survey"_s);
    auto* mainWindow = new QWidget;
    Editors editors(session, mainWindow);
    editors.showRadioButtonsForm();
    QVERIFY(editors.openWindow(u"RadioButtonsForm"_s));
    delete mainWindow;
    QVERIFY(!editors.openWindow(u"RadioButtonsForm"_s));

    // The editors carry on without an owner, and the element still arrives.
    editors.showCheckBoxesForm();
    QWidget* boxes = editors.openWindow(u"CheckBoxesForm"_s);
    QVERIFY(boxes && !boxes->parentWidget());
    setBox(boxes, u"CheckBoxTitleBox"_s, u"Tea"_s);
    click(boxes, u"AddCheckBox"_s);
    QCOMPARE(session.collection().count(), 2);
}

// Opening an open editor brings it forward as it is; Escape unloads it.
void TestEditors::openingAnOpenEditorBringsItForward()
{
    Env env;
    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(u"CheckBoxesForm"_s);
    setBox(boxes, u"CheckBoxTitleBox"_s, u"Coffee"_s);
    env.editors.showCheckBoxesForm();
    QCOMPARE(env.editors.openWindow(u"CheckBoxesForm"_s), boxes);
    QCOMPARE(boxText(boxes, u"CheckBoxTitleBox"_s), u"Coffee"_s);
    QTest::keyClick(boxes, Qt::Key_Escape);
    // Gone, not merely hidden: the next opening starts from the defaults.
    QTRY_VERIFY(!env.editors.openWindow(u"CheckBoxesForm"_s));
    env.editors.showCheckBoxesForm();
    QCOMPARE(boxText(env.editors.openWindow(u"CheckBoxesForm"_s), u"CheckBoxTitleBox"_s), QString());
}

void TestEditors::modelessEditorOutlivesTheForm()
{
    Env env;
    addElement(env.session, submitButtonMethod(u"Submit Form"_s, false, u"Reset Form"_s));
    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(u"CheckBoxesForm"_s);
    const QByteArray page = readBytes(env.folder.html(u"survey.html"_s));
    // The main window shows the help page instead: no form is open any more.
    QVERIFY(loadForm(env.session, env.session.appFolder(), u"welcome.html"_s));
    env.expectBox();
    setBox(boxes, u"CheckBoxTitleBox"_s, u"Tea"_s);
    click(boxes, u"AddCheckBox"_s);
    QCOMPARE(env.folder.messageTexts(),
        QStringList(u"You don't currently have a Form Open to add a Check Box to."_s));
    QCOMPARE(env.session.collection().count(), 0);
    QCOMPARE(boxText(boxes, u"CheckBoxTitleBox"_s), u"Tea"_s);
    QCOMPARE(QDir(env.folder.html(QString())).entryList(QDir::Files), QStringList(u"survey.html"_s));
    QCOMPARE(readBytes(env.folder.html(u"survey.html"_s)), page);
    QCOMPARE(readCollectionFile(env.folder.collection(u"survey"_s)).methods.size(), 2);
}

void TestEditors::blankInstructionIsNotEmpty()
{
    Env env;
    // Enter in a box presses the window's main button; Escape closes the
    // window and adds nothing.
    for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Escape }) {
        ModalStep step(u"TextFieldForm"_s, [&](QWidget* w) {
            setBox(w, u"TextFieldUserInstruction"_s, u" "_s);
            QTest::keyClick(child<QLineEdit>(w, "TextFieldUserInstruction"), key);
        });
        env.editors.showTextFieldForm();
        QVERIFY(!step.leftOpen());
    }
    QCOMPARE(env.session.collection().count(), 2);
    QCOMPARE(env.at(1).userInstruction, u" "_s);
}

void TestEditors::lineBreaksBecomeBlanks()
{
    Env env;
    {
        ModalStep step(u"TextFieldForm"_s, [&](QWidget* w) {
            setBox(w, u"TextFieldUserInstruction"_s, u"Two\nlines"_s);
            setBox(w, u"aDefaultText"_s, u"a\r\nb"_s);
            click(w, "AddAnotherTextField");
        });
        env.editors.showTextFieldForm();
    }
    {
        ModalStep step(u"AddTextForm"_s, [&](QWidget* w) {
            setBox(w, u"TextToBeAdded"_s, u"First paragraph\nsecond paragraph"_s);
            click(w, "AddTextToForm");
        });
        env.editors.showAddTextForm();
    }
    QCOMPARE(env.at(1).userInstruction, u"Two lines"_s);
    QCOMPARE(env.at(1).attribute6, u"a b"_s);
    QCOMPARE(env.at(2).userInstruction, u"First paragraph second paragraph"_s);
    // Every record is one line per value: the file reads back as it was.
    QCOMPARE(env.collectionFile().count("\n"), 3 * 12 + 7);
}

// Blanks are no title; editing shows the title and keeps the break where it is.
void TestEditors::pageBreakTitleIsOptional()
{
    Env env;
    addElement(env.session, submitButtonMethod(u"Go"_s, false, QString()));
    for (const QString& title : { u"  "_s, u" Part 2 "_s }) {
        ModalStep step(u"PageBreakForm"_s, [&](QWidget* w) {
            setBox(w, u"PageBreakTitle"_s, title);
            click(w, "AddPageBreak");
        });
        env.editors.showPageBreakForm();
        QVERIFY(!step.leftOpen());
    }
    QCOMPARE(env.session.rows()->texts(),
        QStringList({ env.session.rows()->texts().constFirst(), u"Page Break"_s, u"Page Break - Part 2"_s,
            u"Submit Button - Go"_s }));
    env.session.setSelectedRow(2);
    ModalStep step(u"PageBreakForm"_s, [&](QWidget* w) {
        QCOMPARE(boxText(w, u"PageBreakTitle"_s), u"Part 2"_s);
        setBox(w, u"PageBreakTitle"_s, u"About you"_s);
        click(w, "AddPageBreak");
    });
    env.editors.editSelected();
    QCOMPARE(env.at(2), pageBreakMethod(u"About you"_s));
    QVERIFY(readBytes(env.folder.html(u"survey.html"_s))
                .contains("\r\n<hr data-page-break><h2>About you</h2>\r\n"));
}

void TestEditors::fullFormIsRefused()
{
    Env env(7);
    for (int k = env.session.collection().count(); k < kMaxElements; ++k)
        env.session.changeableCollection().append(FormMethod {});
    env.expectBox();
    ModalStep step(u"TextFieldForm"_s, [&](QWidget* w) {
        setBox(w, u"TextFieldUserInstruction"_s, u"One too many"_s);
        click(w, "AddAnotherTextField");
        QCOMPARE(boxText(w, u"TextFieldUserInstruction"_s), u"One too many"_s);
    });
    env.editors.showTextFieldForm();
    QVERIFY(step.leftOpen());
    QCOMPARE(env.folder.messageTexts().size(), 1);
    QCOMPARE(env.session.collection().count(), kMaxElements);
    QCOMPARE(env.session.elementCounter(), qint16(7));
    QVERIFY(!columnNames(env.folder.database(), u"tbl_survey"_s).contains(u"One too many"_s));
}

// The fragments and records the editors make.
void TestEditors::fragments_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");
    // The usual fragments are compared byte for byte in the pages the element
    // scenarios save; these are the edge cases no scenario types.
    const QStringList colours { u"Red"_s, u"Green"_s, u"Blue"_s };
    QTest::newRow("text field, size as typed")
        << textFieldFragment(u"Age"_s, u"wide"_s, u"3"_s, u"none yet"_s)
        << QStringLiteral("<P><input type=hidden name='Age Type' value='Text Field'><P>Age"
                          " <input name='Age' size='wide' maxlength='3' type='text' value ='none yet'>");
    QTest::newRow("menu, zero high")
        << pullDownMenuFragment(u"Colour"_s, u"0"_s, colours, noDefaultOption())
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
    // A text area's is the elements-escaping scenario's page.
    QTest::newRow("text field") << textFieldMethod(k65, u"30"_s, QString(), QString())
                                << u"<P>"_s + k65 + u" <input"_s;
    QTest::newRow("check box") << checkBoxMethod(k65, true, false) << u"'checkbox'>"_s + k65;
    QTest::newRow("radio") << radioButtonsMethod(k65, { u"A"_s }, noDefaultOption())
                           << u"<P>"_s + k65 + u"<BR>"_s;
    QTest::newRow("menu") << pullDownMenuMethod(k65, u"1"_s, { u"A"_s }, noDefaultOption())
                          << u"<P>"_s + k65 + u" <select"_s;
}

void TestEditors::longQuestionsCutInNamesOnly()
{
    QFETCH(FormMethod, method);
    QFETCH(QString, visible);
    QVERIFY2(method.htmlCode.contains(visible), qPrintable(method.htmlCode));
    QVERIFY(method.htmlCode.contains(u"name='"_s + k64 + u" Type'"_s));
    QVERIFY(method.htmlCode.contains(u"name='"_s + k64 + u"'"_s));
    QVERIFY(!method.htmlCode.contains(u"name='"_s + k65));
}

void TestEditors::menuHeight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("height"); // -1: refused
    QTest::newRow("one") << u"1"_s << 1;
    QTest::newRow("four with blanks") << u" 4 "_s << 4;
    QTest::newRow("zero") << u"0"_s << 0;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("blanks") << u"  "_s << -1;
    QTest::newRow("letters") << u"four"_s << -1;
    QTest::newRow("negative") << u"-2"_s << -1;
    QTest::newRow("fraction") << u"1.5"_s << -1;
    QTest::newRow("markup") << u"2 onclick=x"_s << -1;
    QTest::newRow("too large") << u"99999999999"_s << -1;
}

void TestEditors::menuHeight()
{
    QFETCH(QString, text);
    QFETCH(int, height);
    const std::optional<int> result = quenlow::menuHeight(text);
    QCOMPARE(result.value_or(-1), height);
}

void TestEditors::enterInTheOptionBoxAddsTheOption()
{
    Env env;
    // A box here (the window's main button refusing an empty list) fails the test.
    const auto enter = [](QWidget* w, const char* box, const QString& text) {
        setBox(w, QString::fromLatin1(box), text);
        QTest::keyClick(child<QLineEdit>(w, box), Qt::Key_Return);
    };
    env.editors.showRadioButtonsForm();
    QWidget* radio = env.editors.openWindow(u"RadioButtonsForm"_s);
    QVERIFY(radio);
    enter(radio, "RadioButtonTitleBox", u"Yes"_s);
    enter(radio, "RadioButtonTitleBox", u"No"_s);
    QVERIFY(radio->isVisible());
    auto* radioList = child<QListWidget>(radio, "RadioButtonsListBox");
    QCOMPARE(radioList->count(), 2);
    QCOMPARE(radioList->item(1)->text(), u"No"_s);
    QCOMPARE(boxText(radio, u"RadioButtonTitleBox"_s), QString());
    click(radio, "CancelRadioButtonForm");

    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(u"CheckBoxesForm"_s);
    QVERIFY(boxes);
    enter(boxes, "CheckBoxTitleBox", u"Tea"_s);
    QVERIFY(boxes->isVisible());
    QCOMPARE(env.session.collection().count(), 2);
    QCOMPARE(env.at(1).userInstruction, u"Tea"_s);
    click(boxes, "Cancel");

    {
        ModalStep step(u"PullDownMenuInstructionForm"_s, [&](QWidget* w) {
            enter(w, "PullDownMenuOptionInputBox", u"Red"_s);
            QCOMPARE(child<QListWidget>(w, "MenuOptionsListBox")->count(), 1);
            QVERIFY(w->isVisible());
            // An empty box refuses, as the add button does, and still finishes nothing.
            env.expectBox();
            enter(w, "PullDownMenuOptionInputBox", QString());
            QVERIFY(w->isVisible());
            click(w, "Cancel");
        });
        env.editors.showPullDownMenuForm();
        QVERIFY(!step.leftOpen());
    }
    QCOMPARE(env.session.collection().count(), 2);
}

void TestEditors::proposedInstructionIsReplacedByTyping()
{
    Env env(2);
    for (const QString& window : { u"TextFieldForm"_s, u"RadioButtonsForm"_s }) {
        const char* box
            = window == u"TextFieldForm"_s ? "TextFieldUserInstruction" : "RadioButtonUserInstruction";
        const auto check = [&](QWidget* w) {
            auto* line = child<QLineEdit>(w, box);
            QCOMPARE(line->selectedText(), u"User Instruction 3"_s);
            QCOMPARE(w->focusWidget(), line);
            QTest::keyClicks(line, u"Age"_s);
            QCOMPARE(line->text(), u"Age"_s);
        };
        if (window == u"TextFieldForm"_s) {
            ModalStep step(window, [&](QWidget* w) {
                check(w);
                click(w, "FinishTextField");
            });
            env.editors.showTextFieldForm();
            QVERIFY(!step.leftOpen());
        } else {
            env.editors.showRadioButtonsForm();
            QWidget* w = env.editors.openWindow(window);
            QVERIFY(w);
            check(w);
            click(w, "CancelRadioButtonForm");
        }
    }
}

QTEST_MAIN(TestEditors)
#include "tst_Editors.moc"
