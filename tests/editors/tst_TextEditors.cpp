// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "EditorTestSupport.h"

#include "editors/Editors.h"
#include "editors/Fragments.h"
#include "editors/LineRule.h"
#include "platform/BrowserView.h"

using namespace quenlow;
using namespace quenlow::test;

using Env = EditorEnv;

class TestTextEditors : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void blankInstructionIsNotEmpty();
    void lineRuleLeavesAShownPageAlone();
    void lineBreaksBecomeBlanks();
    void fullFormIsRefused();
};

void TestTextEditors::blankInstructionIsNotEmpty()
{
    Env env;
    // Enter in a box presses the window's main button.
    const ModalRun added = runModal([&] { env.editors.showTextFieldForm(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral(" "));
            QTest::keyClick(w->findChild<QLineEdit*>(QStringLiteral("TextFieldUserInstruction")), Qt::Key_Return);
        });
    QVERIFY(!added.leftOpen);
    QCOMPARE(env.session.collection.count(), 2);
    QCOMPARE(env.at(1).userInstruction, QStringLiteral(" "));
    // Escape closes the window and adds nothing.
    const ModalRun escaped = runModal([&] { env.editors.showTextFieldForm(); },
        [&](QDialog* w) {
            setBox(w, QStringLiteral("TextFieldUserInstruction"), QStringLiteral("Name"));
            QTest::keyClick(w, Qt::Key_Escape);
        });
    QVERIFY(escaped.appeared && !escaped.leftOpen);
    QCOMPARE(env.session.collection.count(), 2);
}

void TestTextEditors::lineRuleLeavesAShownPageAlone()
{
    TestProgramFolder folder;
    FormSession closed(folder.path());
    // Only a page is shown (its collection file was missing): that page is not overwritten.
    writeBytes(folder.html(QStringLiteral("lost.html")), "<HTML>kept</HTML>\r\n");
    closed.setHtmlName(QStringLiteral("lost.html"));
    folder.messages().queueAnswer(MessageAnswer::Ok);
    QVERIFY(!addLineRule(closed));
    QCOMPARE(folder.messageTexts(),
        QStringList(QStringLiteral("You don't currently have a Form Open to add a Line to.")));
    QCOMPARE(closed.collection.count(), 0);
    QCOMPARE(readBytes(folder.html(QStringLiteral("lost.html"))), QByteArray("<HTML>kept</HTML>\r\n"));
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
