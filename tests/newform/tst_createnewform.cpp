// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersDatabase.h"
#include "model/FormSession.h"
#include "newform/CreateNewForm.h"
#include "newform/ModalStep.h"
#include "platform/BrowserView.h"
#include "support/TestProgramFolder.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

QStringList tablesOf(const QString& database)
{
    QStringList names;
    auto db = AnswersDatabase::open(database);
    if (!db)
        return names;
    for (const QString& candidate : {QStringLiteral("tbl_survey"), QStringLiteral("tbl_first"),
                                     QStringLiteral("tbl_second")}) {
        if (db->tableExists(candidate))
            names.append(candidate);
    }
    return names;
}

} // namespace

class TestCreateNewForm : public QObject
{
    Q_OBJECT

    // Runs "Create New Form" and lets `act` work in the window; returns whether it ran.
    bool inNewFormWindow(FormSession& session, const std::function<void(QWidget*)>& act)
    {
        ModalStep step(QStringLiteral("CreateNewForm"), act);
        CreateNewForm::createNewForm(session, nullptr);
        return step.ran();
    }
    bool createForm(FormSession& session, const QString& name)
    {
        return inNewFormWindow(session, [name](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(name);
            click(w, "Generate_Form_And_Database");
        });
    }

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](const QString&, const QString&, const QString&) {});
    }

    void refusedNamesChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString refused = QStringLiteral(" Please enter another name for the HTML form file.");
        QTest::newRow("duplicate, other case") << QStringLiteral("FIRST")
                                               << QStringLiteral("Sorry but there is already a Form and DB Table with "
                                                                 "the name 'FIRST'.Please enter another name for the HTML form file.");
        QTest::newRow("slash") << QStringLiteral("../outside")
                               << QStringLiteral("The name '../outside' cannot be used for a form: it contains '/' or "
                                                 "'\\', which would place the form's files outside the program's folders.")
                + refused;
        QTest::newRow("dot") << QStringLiteral("my.survey")
                             << QStringLiteral("The name 'my.survey' cannot be used for a form: it contains a '.', and a "
                                               "form is found again by the part of its page name before the first '.'.")
                + refused;
        QTest::newRow("trailing blank") << QStringLiteral("survey ")
                                        << QStringLiteral("The name 'survey ' cannot be used for a form: it begins or "
                                                          "ends with a blank.")
                + refused;
        QTest::newRow("help page") << QStringLiteral("welcome")
                                   << QStringLiteral("The name 'welcome' cannot be used for a form: a page of that name "
                                                     "comes with Quenlow and is not a form.")
                + refused;
    }
    // Whatever is refused, the open form stays exactly as it was and the window stays open.
    void refusedNamesChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("first")));
        const QByteArray page = readBytes(folder.html(QStringLiteral("first.html")));
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("first")));
        const QStringList rows = session.rows()->texts();
        const QStringList filesBefore = QDir(folder.path() + QStringLiteral("/HTML")).entryList(QDir::Files);

        bool stayedOpen = false;
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(inNewFormWindow(session, [&](QWidget* w) {
            child<QLineEdit>(w, "HTMLFileNameBox")->setText(name);
            click(w, "Generate_Form_And_Database");
            stayedOpen = w->isVisible();
            QCOMPARE(child<QLineEdit>(w, "HTMLFileNameBox")->text(), name);
            w->close();
        }));
        QVERIFY(stayedOpen);
        QCOMPARE(folder.messageTexts(), QStringList{message});
        QCOMPARE(session.rows()->texts(), rows);
        QCOMPARE(session.htmlName(), QStringLiteral("first.html"));
        QCOMPARE(readBytes(folder.html(QStringLiteral("first.html"))), page);
        QCOMPARE(readBytes(folder.collection(QStringLiteral("first"))), collection);
        QCOMPARE(QDir(folder.path() + QStringLiteral("/HTML")).entryList(QDir::Files), filesBefore);
        QCOMPARE(tablesOf(folder.database()), QStringList{QStringLiteral("tbl_first")});
    }

    // A later form goes on counting elements (create-form-again checks the files and tables).
    void onePressReplacesTheOpenForm()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QVERIFY(createForm(session, QStringLiteral("first")));
        session.elementCounter = 5;
        QVERIFY(createForm(session, QStringLiteral("second")));
        QCOMPARE(session.collection.count(), 1);
        QCOMPARE(session.collection.at(QStringLiteral("0")).item(4), QStringLiteral(" 5 "));
    }

    void pageOnlyStateIsReplacedToo()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        session.setHtmlName(QStringLiteral("orphan.html"));
        session.setEditingVisible(false);
        session.setReporterVisible(false);
        QVERIFY(createForm(session, QStringLiteral("survey")));
        QCOMPARE(session.htmlName(), QStringLiteral("survey.html"));
        QVERIFY(session.editingVisible());
        QVERIFY(session.reporterVisible());
    }
};

QTEST_MAIN(TestCreateNewForm)
#include "tst_createnewform.moc"
