// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/FolderLists.h"
#include "main/MainForm.h"
#include "main/OpenForm.h"
#include "model/FormSession.h"
#include "support/ModalStep.h"
#include "newform/NewFormOperations.h"
#include "platform/BrowserView.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QAction>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

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
    QVERIFY(GenerateForm(session, name, inputs));
}

} // namespace

class TestOpenForm : public QObject
{
    Q_OBJECT

    // A program folder with three forms and a file of another kind; "beta2" is open.
    struct Fixture {
        TestProgramFolder folder;
        FormSession session{folder.path()};
        MainForm main{session};
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
        BrowserView::setRecorder([](const QString&, const QString&, const QString&) {});
    }

    // Only the name travels: a file picked in another folder opens the form of
    // that name from the program's own folders, and the next use starts over
    // in the page folder with the page pattern.
    void browsingElsewhereStillOpensFromTheProgramFolders()
    {
        Fixture f;
        f.session.backgroundChoice = -1;
        f.session.backgroundFileName.clear();
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
            QCOMPARE(rowsOf(files), QStringList{QStringLiteral("alpha.html")});
            f.main.openForm()->PatternChange(QStringLiteral("*.htm;*.html"));
            QCOMPARE(rowsOf(files), (QStringList{QStringLiteral("alpha.html"), QStringLiteral("other.htm")}));
            files->setCurrentRow(0);
            click(w, "OpenFile");
        });
        QCOMPARE(f.session.htmlName(), QStringLiteral("alpha.html"));
        QCOMPARE(f.session.rows()->texts(), QStringList{QStringLiteral("Header - Alpha Title")});
        QVERIFY(readBytes(f.folder.html(QStringLiteral("alpha.html"))).contains("Alpha Title"));
        // The form's own background comes back with it.
        QCOMPARE(f.session.backgroundChoice, 6);
        QCOMPARE(f.session.backgroundFileName, QStringLiteral("Background3.jpg"));

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
};

QTEST_MAIN(TestOpenForm)
#include "tst_openform.moc"
