// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "EditorTestSupport.h"

#include "editors/Editors.h"
#include "editors/Fragments.h"
#include "model/CollectionFile.h"
#include "platform/BrowserView.h"

#include <QDir>

using namespace quenlow;
using namespace quenlow::test;

namespace {

// The form ends with a submit button, so options land above it.
struct Env : EditorEnv {
    Env()
    {
        addElement(
            session, submitButtonMethod(QStringLiteral("Submit Form"), false, QStringLiteral("Reset Form")));
    }
};

} // namespace

class TestOptionEditors : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](auto&&...) {});
    }

    void modelessEditorOutlivesTheForm();
};

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
