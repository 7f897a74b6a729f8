// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "EditorTestSupport.h"

#include "editors/Editors.h"
#include "editors/Fragments.h"
#include "editors/LineRule.h"
#include "platform/BrowserView.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace quenlow;
using namespace quenlow::test;

namespace {

// One program folder with an open form "survey", a stand-in main window and the editors.
struct Env {
    TestProgramFolder folder;
    FormSession session { folder.path() };
    QWidget mainWindow;
    Editors editors { session, &mainWindow };

    explicit Env(int counter = 0) { createTestForm(session, QStringLiteral("survey"), counter); }
    QByteArray page() const { return readBytes(folder.html(QStringLiteral("survey.html"))); }
    QByteArray collectionFile() const { return readBytes(folder.collection(QStringLiteral("survey"))); }
    void expectBox() { folder.messages().queueAnswer(MessageAnswer::Ok); }
    FormMethod at(int position) const { return session.collection.atPosition(position); }
};

FormMethod submitForm()
{
    return submitButtonMethod(QStringLiteral("Submit Form"), false, QStringLiteral("Reset Form"));
}

} // namespace

class TestTextEditors : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void textFieldAddsAboveSubmitButton();
    void textFieldRefusalsKeepTheWindowAndInput();
    void textFieldEditRoundTrip();
    void updatingTheLastRecordKeepsItLast();
    void textArea();
    void plainText();
    void submitButton();
    void lineRule();
    void lineBreaksBecomeBlanks();
    void fullFormIsRefused();
};

void TestTextEditors::textFieldAddsAboveSubmitButton()
{
    Env env(3);
    addElement(env.session,
        textAreaMethod(QStringLiteral("Comments"), QStringLiteral("5"), QStringLiteral("40"), QString()));
    addElement(env.session, submitForm());

    const ModalRun run = runModal([&] { env.editors.showTextFieldForm(); },
        [&](QDialog* w) {
            QCOMPARE(w->objectName(), QStringLiteral("TextFieldForm"));
            QCOMPARE(w->windowTitle(), QStringLiteral("Add Text Field To Form"));
            QCOMPARE(
                boxText(w, QStringLiteral("TextFieldUserInstruction")), QStringLiteral("User Instruction 4"));
            QCOMPARE(boxText(w, QStringLiteral("aBoxSize")), QStringLiteral("30"));
            QCOMPARE(boxText(w, QStringLiteral("aMaxChars")), QString());
            QCOMPARE(boxText(w, QStringLiteral("aDefaultText")), QString());
            QCOMPARE(control<QLabel>(w, QStringLiteral("UserInstrunction"))->text(),
                QStringLiteral("Please enter the user instruction for the text field  :"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("AddAnotherTextField"))->text(),
                QStringLiteral("Add Text Field to HTML Form"));
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("Your name"));
            click(w, QStringLiteral("AddAnotherTextField"));
        });
    QVERIFY(run.appeared);
    QVERIFY(!run.leftOpen);

    QCOMPARE(env.session.rows()->texts(),
        QStringList(
            { QStringLiteral("HTML Header (Can't Remove/Move)"), QStringLiteral("Text Area - Comments"),
                QStringLiteral("Text Field - Your name"), QStringLiteral("Submit Button - Submit Form") }));
    QCOMPARE(env.session.selectedRow(), 2);
    QCOMPARE(env.session.collection.keyAt(2), QStringLiteral("2"));
    QCOMPARE(env.session.methodCount, qint16(4));
    QVERIFY(columnNames(env.session).contains(QStringLiteral("Your name")));
    QCOMPARE(env.session.elementCounter, qint16(4));
    QCOMPARE(env.at(0).item(4), QStringLiteral(" 4 "));

    const QString fragment
        = QStringLiteral("<P><input type=hidden name='Your name Type' value='Text Field'><P>Your name"
                         " <input name='Your name' size='30' maxlength='' type='text' value =''>");
    const QStringList lines = pageLines(env.folder, env.session);
    QCOMPARE(lines.value(2), fragment);
    QCOMPARE(lines.value(3), submitForm().htmlCode);
    QCOMPARE(lines.value(4), QStringLiteral("<P></FORM></HTML>"));
    QVERIFY(env.collectionFile().contains("Your name"));
    QCOMPARE(env.session.htmlFrameCaption(), QStringLiteral("Current Form"));
}

void TestTextEditors::textFieldRefusalsKeepTheWindowAndInput()
{
    Env env;
    addElement(
        env.session, textFieldMethod(QStringLiteral("Age"), QStringLiteral("3"), QString(), QString()));
    env.session.elementCounter = 1;
    const QByteArray page = env.page();
    const QStringList rows = env.session.rows()->texts();
    const QStringList columns = columnNames(env.session);

    // Empty instruction, then a question the table has already.
    env.expectBox();
    env.expectBox();
    const ModalRun run = runModal([&] { env.editors.showTextFieldForm(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QString());
            click(w, QStringLiteral("AddAnotherTextField"));
            QVERIFY(w->isVisible());
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("Age"));
            setBox(w, QStringLiteral("aBoxSize"), QStringLiteral("10"));
            setBox(w, QStringLiteral("aDefaultText"), QStringLiteral("forty"));
            click(w, QStringLiteral("AddAnotherTextField"));
            QCOMPARE(boxText(w, QStringLiteral("TextFieldUserInstruction")), QStringLiteral("Age"));
            QCOMPARE(boxText(w, QStringLiteral("aBoxSize")), QStringLiteral("10"));
            QCOMPARE(boxText(w, QStringLiteral("aDefaultText")), QStringLiteral("forty"));
        });
    QVERIFY(run.leftOpen);
    QCOMPARE(env.folder.messageTexts(),
        QStringList({ QStringLiteral("The user instruction text box is empty. You must first define a user "
                                     "instruction for the text field."),
            QStringLiteral(
                "You already have a User Instruction called Age. Please call it something else.") }));
    QCOMPARE(env.session.rows()->texts(), rows);
    QCOMPARE(env.session.methodCount, qint16(2));
    QCOMPARE(columnNames(env.session), columns);
    QCOMPARE(env.page(), page);
    QCOMPARE(env.session.elementCounter, qint16(1));

    // A blank is not empty.
    runModal([&] { env.editors.showTextFieldForm(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral(" "));
            click(w, QStringLiteral("AddAnotherTextField"));
        });
    QCOMPARE(env.at(2).userInstruction, QStringLiteral(" "));
}

void TestTextEditors::textFieldEditRoundTrip()
{
    Env env(5);
    addElement(env.session,
        textFieldMethod(
            QStringLiteral("Age"), QStringLiteral("10"), QStringLiteral("3"), QStringLiteral("n/a")));
    addElement(env.session, submitForm());
    env.session.setSelectedRow(1);

    // Cancel changes nothing.
    const QByteArray before = env.page();
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("Changed"));
            click(w, QStringLiteral("FinishTextField"));
        });
    QCOMPARE(env.page(), before);
    QCOMPARE(env.at(1).userInstruction, QStringLiteral("Age"));

    // A new instruction renames the column and the row, in place.
    const ModalRun run = runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Text Field Form Element"));
            QCOMPARE(boxText(w, QStringLiteral("TextFieldUserInstruction")), QStringLiteral("Age"));
            QCOMPARE(boxText(w, QStringLiteral("aBoxSize")), QStringLiteral("10"));
            QCOMPARE(boxText(w, QStringLiteral("aMaxChars")), QStringLiteral("3"));
            QCOMPARE(boxText(w, QStringLiteral("aDefaultText")), QStringLiteral("n/a"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("AddAnotherTextField"))->text(),
                QStringLiteral("Update Text Field"));
            QCOMPARE(
                control<QPushButton>(w, QStringLiteral("FinishTextField"))->text(), QStringLiteral("Cancel"));
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("Your age"));
            click(w, QStringLiteral("AddAnotherTextField"));
        });
    QVERIFY(run.appeared && !run.leftOpen);
    QCOMPARE(env.at(1),
        textFieldMethod(
            QStringLiteral("Your age"), QStringLiteral("10"), QStringLiteral("3"), QStringLiteral("n/a")));
    QCOMPARE(env.session.rows()->text(1), QStringLiteral("Text Field - Your age"));
    QCOMPARE(env.session.selectedRow(), 1);
    QVERIFY(columnNames(env.session).contains(QStringLiteral("Your age")));
    QVERIFY(!columnNames(env.session).contains(QStringLiteral("Age")));
    QCOMPARE(env.session.elementCounter, qint16(5));
    QCOMPARE(pageLines(env.folder, env.session).value(1), env.at(1).htmlCode);

    // Same instruction: only the record changes.
    const QStringList columns = columnNames(env.session);
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("aBoxSize"), QStringLiteral("12"));
            click(w, QStringLiteral("AddAnotherTextField"));
        });
    QCOMPARE(env.at(1).attribute4, QStringLiteral("12"));
    QCOMPARE(env.session.rows()->text(1), QStringLiteral("Text Field - Your age"));
    QCOMPARE(columnNames(env.session), columns);
    QCOMPARE(env.session.methodCount, qint16(3));
}

void TestTextEditors::updatingTheLastRecordKeepsItLast()
{
    Env env;
    addElement(env.session, plainTextMethod(QStringLiteral("Intro")));
    addElement(
        env.session, textFieldMethod(QStringLiteral("Last"), QStringLiteral("30"), QString(), QString()));
    env.session.setSelectedRow(2);
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("Very last"));
            click(w, QStringLiteral("AddAnotherTextField"));
        });
    QCOMPARE(env.session.collection.count(), 3);
    QCOMPARE(env.session.collection.keyAt(2), QStringLiteral("2"));
    QCOMPARE(env.at(2).userInstruction, QStringLiteral("Very last"));
    QCOMPARE(env.at(1).userInstruction, QStringLiteral("Intro"));
    QCOMPARE(env.session.rows()->text(2), QStringLiteral("Text Field - Very last"));
}

void TestTextEditors::textArea()
{
    Env env(1);
    env.expectBox();
    runModal([&] { env.editors.showTextAreaForm(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Add Text Area To Form"));
            QCOMPARE(
                boxText(w, QStringLiteral("TextAreaUserInstruction")), QStringLiteral("User Instruction 2"));
            QCOMPARE(boxText(w, QStringLiteral("aNoOfChars")), QStringLiteral("40"));
            QCOMPARE(boxText(w, QStringLiteral("aNoOfRows")), QStringLiteral("5"));
            QCOMPARE(boxText(w, QStringLiteral("aDefaultText")), QStringLiteral("Enter any comments here."));
            const QString instruction = boxText(w, QStringLiteral("TextAreaUserInstruction"));
            setBox(w, QStringLiteral("TextAreaUserInstruction"), QString());
            click(w, QStringLiteral("AddAnotherTextArea"));
            QVERIFY(w->isVisible());
            setBox(w, QStringLiteral("TextAreaUserInstruction"), instruction);
            click(w, QStringLiteral("AddAnotherTextArea"));
        });
    QCOMPARE(env.folder.messageTexts(), QStringList(QStringLiteral("Text Field Box Is Empty !")));
    QCOMPARE(env.at(1),
        textAreaMethod(QStringLiteral("User Instruction 2"), QStringLiteral("5"), QStringLiteral("40"),
            QStringLiteral("Enter any comments here.")));
    QCOMPARE(env.session.elementCounter, qint16(2));

    // Rows and width come back into their own boxes.
    addElement(env.session,
        textAreaMethod(QStringLiteral("Notes"), QStringLiteral("7"), QStringLiteral("60"), QString()));
    env.session.setSelectedRow(2);
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Text Area Form Element"));
            QCOMPARE(boxText(w, QStringLiteral("aNoOfRows")), QStringLiteral("7"));
            QCOMPARE(boxText(w, QStringLiteral("aNoOfChars")), QStringLiteral("60"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("AddAnotherTextArea"))->text(),
                QStringLiteral("Update Text Area"));
            click(w, QStringLiteral("AddAnotherTextArea"));
        });
    QCOMPARE(env.at(2),
        textAreaMethod(QStringLiteral("Notes"), QStringLiteral("7"), QStringLiteral("60"), QString()));
    QCOMPARE(env.session.elementCounter, qint16(2));
}

void TestTextEditors::plainText()
{
    Env env(2);
    addElement(env.session, textFieldMethod(QStringLiteral("A"), QStringLiteral("30"), QString(), QString()));
    addElement(env.session, submitForm());

    env.expectBox();
    runModal([&] { env.editors.showAddTextForm(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Add Text/Instructions to HTML Form"));
            QCOMPARE(
                boxText(w, QStringLiteral("TextToBeAdded")), QStringLiteral("Text to be added to form."));
            setBox(w, QStringLiteral("TextToBeAdded"), QString());
            click(w, QStringLiteral("AddTextToForm"));
            QVERIFY(w->isVisible());
            setBox(w, QStringLiteral("TextToBeAdded"), QStringLiteral("Text to be added to form."));
            click(w, QStringLiteral("AddTextToForm"));
        });
    QCOMPARE(env.folder.messageTexts(),
        QStringList(
            QStringLiteral("The box for the text to add to the form is empty. You must first type the "
                           "text you wish to add to the form.")));
    QCOMPARE(env.at(2), plainTextMethod(QStringLiteral("Text to be added to form.")));
    QCOMPARE(env.at(3).methodType, QStringLiteral("Submit Button"));
    QCOMPARE(env.session.elementCounter, qint16(2));

    // Edit keeps the place; markup reaches the page unchanged.
    env.session.setSelectedRow(2);
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Text/Instructions"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("AddTextToForm"))->text(),
                QStringLiteral("Update Text"));
            QCOMPARE(
                boxText(w, QStringLiteral("TextToBeAdded")), QStringLiteral("Text to be added to form."));
            setBox(w, QStringLiteral("TextToBeAdded"), QStringLiteral("<b>All</b> questions are optional"));
            click(w, QStringLiteral("AddTextToForm"));
        });
    QCOMPARE(env.session.rows()->text(2), QStringLiteral("Plain Text - <b>All</b> questions are optional"));
    QCOMPARE(
        pageLines(env.folder, env.session).value(2), QStringLiteral("<P><b>All</b> questions are optional"));
    QCOMPARE(env.session.collection.count(), 4);
}

void TestTextEditors::submitButton()
{
    Env env;
    addElement(env.session, textFieldMethod(QStringLiteral("A"), QStringLiteral("30"), QString(), QString()));
    runModal([&] { env.editors.showSubmitButtonForm(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Add Submit Button To Form"));
            QCOMPARE(boxText(w, QStringLiteral("SubmitButtonTitle")), QStringLiteral("Submit Form"));
            QCOMPARE(boxText(w, QStringLiteral("ResetButtonTitle")), QStringLiteral("Reset Form"));
            QVERIFY(!control<QCheckBox>(w, QStringLiteral("ResetButtonCheck"))->isChecked());
            click(w, QStringLiteral("AddSubmitButton"));
        });
    QCOMPARE(env.at(2), submitForm());
    QCOMPARE(env.session.elementCounter, qint16(0));

    // Editing: the stored " 0 " leaves the tick clear; ticking adds the reset button in place.
    env.session.setSelectedRow(2);
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Edit Submit Button"));
            QCOMPARE(control<QPushButton>(w, QStringLiteral("AddSubmitButton"))->text(),
                QStringLiteral("Update Submit Button"));
            QVERIFY(!control<QCheckBox>(w, QStringLiteral("ResetButtonCheck"))->isChecked());
            control<QCheckBox>(w, QStringLiteral("ResetButtonCheck"))->setChecked(true);
            click(w, QStringLiteral("AddSubmitButton"));
        });
    QCOMPARE(env.at(2).htmlCode,
        QStringLiteral("<P> <CENTER> <INPUT TYPE='submit' VALUE='Submit Form'>"
                       " <INPUT TYPE='reset' VALUE='Reset Form'></CENTER>"));
    QCOMPARE(env.at(2).attribute5, QStringLiteral(" 1 "));
    runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QVERIFY(control<QCheckBox>(w, QStringLiteral("ResetButtonCheck"))->isChecked());
            env.expectBox();
            setBox(w, QStringLiteral("SubmitButtonTitle"), QString());
            click(w, QStringLiteral("AddSubmitButton"));
        });
    QCOMPARE(env.folder.messageTexts().value(0),
        QStringLiteral("The Submit button Title Text Box Is Empty. Please enter a name for the button."));
    QCOMPARE(env.session.collection.count(), 3);
}

void TestTextEditors::lineRule()
{
    TestProgramFolder folder;
    FormSession closed(folder.path());
    folder.messages().queueAnswer(MessageAnswer::Ok);
    QVERIFY(!addLineRule(closed));
    QCOMPARE(folder.messageTexts(),
        QStringList(QStringLiteral("You don't currently have a Form Open to add a Line to.")));
    QCOMPARE(closed.collection.count(), 0);

    // Only a page is shown (its collection file was missing): that page is not overwritten.
    writeBytes(folder.html(QStringLiteral("lost.html")), "<HTML>kept</HTML>\r\n");
    closed.setHtmlName(QStringLiteral("lost.html"));
    folder.messages().queueAnswer(MessageAnswer::Ok);
    QVERIFY(!addLineRule(closed));
    QCOMPARE(folder.messageTexts().size(), 2);
    QCOMPARE(closed.collection.count(), 0);
    QCOMPARE(readBytes(folder.html(QStringLiteral("lost.html"))), QByteArray("<HTML>kept</HTML>\r\n"));

    Env env(4);
    addElement(env.session, submitForm());
    env.editors.addLineRule();
    env.editors.addLineRule();
    const QStringList lines = pageLines(env.folder, env.session);
    QCOMPARE(lines.mid(1, 3),
        QStringList({ QStringLiteral("<P><hr><P>"), QStringLiteral("<P><hr><P>"), submitForm().htmlCode }));
    QCOMPARE(env.session.rows()->text(2), QStringLiteral("Line - Horizontal"));
    QCOMPARE(env.session.selectedRow(), 2);
    QCOMPARE(env.session.elementCounter, qint16(4));
}

void TestTextEditors::lineBreaksBecomeBlanks()
{
    Env env;
    runModal([&] { env.editors.showTextFieldForm(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("Two\nlines"));
            setBox(w, QStringLiteral("aDefaultText"), QStringLiteral("a\r\nb"));
            click(w, QStringLiteral("AddAnotherTextField"));
        });
    runModal([&] { env.editors.showAddTextForm(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextToBeAdded"), QStringLiteral("First paragraph\nsecond paragraph"));
            click(w, QStringLiteral("AddTextToForm"));
        });
    QCOMPARE(env.at(1).userInstruction, QStringLiteral("Two lines"));
    QCOMPARE(env.at(1).attribute6, QStringLiteral("a b"));
    QCOMPARE(env.at(2).userInstruction, QStringLiteral("First paragraph second paragraph"));
    // Every record is one line per value: the file reads back as it was.
    QCOMPARE(env.collectionFile().count("\n"), 3 * 12 + 7);
}

void TestTextEditors::fullFormIsRefused()
{
    Env env(7);
    env.session.methodCount = kMaxElements;
    env.expectBox();
    const ModalRun run = runModal([&] { env.editors.showTextFieldForm(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("One too many"));
            click(w, QStringLiteral("AddAnotherTextField"));
            QCOMPARE(boxText(w, QStringLiteral("TextFieldUserInstruction")), QStringLiteral("One too many"));
        });
    QVERIFY(run.leftOpen);
    QCOMPARE(env.folder.messageTexts().size(), 1);
    QCOMPARE(env.session.collection.count(), 1);
    QCOMPARE(env.session.elementCounter, qint16(7));
    QVERIFY(!columnNames(env.session).contains(QStringLiteral("One too many")));
}

QTEST_MAIN(TestTextEditors)
#include "tst_TextEditors.moc"
