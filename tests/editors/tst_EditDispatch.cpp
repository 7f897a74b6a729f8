// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "EditorTestSupport.h"

#include "editors/Editors.h"
#include "editors/Fragments.h"
#include "platform/BrowserView.h"

#include <QCheckBox>

using namespace quenlow;
using namespace quenlow::test;

using Env = EditorEnv;

class TestEditDispatch : public QObject
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
    void storedNonNumbersReadAsZero_data();
    void storedNonNumbersReadAsZero();
    void mainWindowGoesAwayWhileAnEditorIsOpen();
    void openingAnOpenEditorBringsItForward();
    void escapeUnloadsAModelessEditor();
};

void TestEditDispatch::unknownKindIsRefused()
{
    Env env;
    FormMethod odd = plainTextMethod(QStringLiteral("odd"));
    odd.methodType = QStringLiteral("plain text"); // kinds compare with case
    env.session.collection.append(QStringLiteral("1"), odd);
    env.session.rows()->append(odd.rowText());
    ++env.session.methodCount;
    const QByteArray page = readBytes(env.folder.html(QStringLiteral("survey.html")));
    env.session.setSelectedRow(1);
    env.expectBox();
    env.editors.editSelected();
    QCOMPARE(env.folder.messageTexts(), QStringList(QStringLiteral("Field Type Not Recognised")));
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(readBytes(env.folder.html(QStringLiteral("survey.html"))), page);
}

void TestEditDispatch::eachKindOpensItsEditorModally_data()
{
    QTest::addColumn<FormMethod>("method");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("cancel");
    const QStringList options { QStringLiteral("a") };
    QTest::newRow("plain text") << plainTextMethod(QStringLiteral("Hi")) << QStringLiteral("AddTextForm")
                                << QStringLiteral("FinishTextAddition");
    QTest::newRow("text field") << textFieldMethod(QStringLiteral("Q"), QString(), QString(), QString())
                                << QStringLiteral("TextFieldForm") << QStringLiteral("FinishTextField");
    QTest::newRow("text area") << textAreaMethod(QStringLiteral("Q"), QString(), QString(), QString())
                               << QStringLiteral("TextAreaForm") << QStringLiteral("FinishTextArea");
    QTest::newRow("check box") << checkBoxMethod(QStringLiteral("Q"), true, false)
                               << QStringLiteral("CheckBoxesForm") << QStringLiteral("Cancel");
    QTest::newRow("radio") << radioButtonsMethod(QStringLiteral("Q"), options, noDefaultOption())
                           << QStringLiteral("RadioButtonsForm") << QStringLiteral("CancelRadioButtonForm");
    QTest::newRow("menu") << pullDownMenuMethod(
        QStringLiteral("Q"), QStringLiteral("1"), options, noDefaultOption())
                          << QStringLiteral("PullDownMenuInstructionForm") << QStringLiteral("Cancel");
    QTest::newRow("submit") << submitButtonMethod(QStringLiteral("Go"), false, QString())
                            << QStringLiteral("SubmitButtonForm") << QStringLiteral("Cancel");
}

void TestEditDispatch::eachKindOpensItsEditorModally()
{
    QFETCH(FormMethod, method);
    QFETCH(QString, window);
    QFETCH(QString, cancel);
    Env env;
    addElement(env.session, method);
    env.session.setSelectedRow(1);
    const QByteArray page = readBytes(env.folder.html(QStringLiteral("survey.html")));
    const ModalRun run = runModal([&] { env.editors.editSelected(); },
        [&](QDialog* w) {
            QVERIFY(w->isModal());
            QCOMPARE(w->parentWidget(), &env.mainWindow);
            click(w, cancel);
        });
    QVERIFY(run.appeared);
    QVERIFY(!run.leftOpen);
    QCOMPARE(run.name, window);
    // Cancel: the element, the page and the selection are as they were.
    QCOMPARE(env.session.collection.atPosition(1), method);
    QCOMPARE(readBytes(env.folder.html(QStringLiteral("survey.html"))), page);
    QCOMPARE(env.session.selectedRow(), 1);
    QTRY_VERIFY(!env.editors.openWindow(window));
}

void TestEditDispatch::storedNonNumbersReadAsZero_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("print form one") << QStringLiteral(" 1 ") << true;
    QTest::newRow("plain one") << QStringLiteral("1") << true;
    QTest::newRow("zero") << QStringLiteral(" 0 ") << false;
    QTest::newRow("letters") << QStringLiteral("yes") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestEditDispatch::storedNonNumbersReadAsZero()
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
        const ModalRun run = runModal([&] { env.editors.editSelected(); },
            [&](QDialog* w) {
                QCOMPARE(control<QCheckBox>(w, QLatin1StringView(tick))->isChecked(), ticked);
                click(w, QLatin1StringView(cancel));
            });
        QVERIFY(run.appeared);
    }
}

void TestEditDispatch::mainWindowGoesAwayWhileAnEditorIsOpen()
{
    TestProgramFolder folder;
    FormSession session(folder.path());
    createTestForm(session, QStringLiteral("survey"));
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
    QCOMPARE(session.collection.count(), 2);
}

void TestEditDispatch::openingAnOpenEditorBringsItForward()
{
    Env env;
    env.editors.showCheckBoxesForm();
    QWidget* boxes = env.editors.openWindow(QStringLiteral("CheckBoxesForm"));
    setBox(boxes, QStringLiteral("CheckBoxTitleBox"), QStringLiteral("Coffee"));
    env.editors.showCheckBoxesForm();
    QCOMPARE(env.editors.openWindow(QStringLiteral("CheckBoxesForm")), boxes);
    QCOMPARE(boxText(boxes, QStringLiteral("CheckBoxTitleBox")), QStringLiteral("Coffee"));
}

void TestEditDispatch::escapeUnloadsAModelessEditor()
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

QTEST_MAIN(TestEditDispatch)
#include "tst_EditDispatch.moc"
