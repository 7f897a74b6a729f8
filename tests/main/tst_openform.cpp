// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/FolderLists.h"
#include "main/MainForm.h"
#include "main/OpenForm.h"
#include "model/FormSession.h"
#include "newform/ModalStep.h"
#include "newform/NewFormOperations.h"
#include "platform/BrowserView.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QAction>
#include <QFile>
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

    QStringList m_browser;

    // A program folder with two forms and a file of another kind; "beta" is open.
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
        bool open(const std::function<void(QWidget*)>& act)
        {
            ModalStep step(QStringLiteral("OpenForm"), act);
            main.findChild<QAction*>(QStringLiteral("Open"))->trigger();
            return step.ran();
        }
    };

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([this](const QString& window, const QString& kind, const QString& path) {
            m_browser.append(window + QLatin1Char(' ') + kind + QLatin1Char(' ') + path);
        });
    }

    void chooseAndOpen()
    {
        Fixture f;
        QVERIFY(f.open([&](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Open"));
            QCOMPARE(w->parentWidget(), &f.main);
            QCOMPARE(child<QPushButton>(w, "OpenFile")->text(), QStringLiteral("Open"));
            QCOMPARE(child<QPushButton>(w, "Cancel")->text(), QStringLiteral("Cancel"));
            QCOMPARE(f.main.openForm()->dirList()->path(), f.folder.path() + QStringLiteral("/HTML"));
            auto* files = child<QListWidget>(w, "filList");
            QCOMPARE(rowsOf(files), (QStringList{QStringLiteral("alpha.html"), QStringLiteral("beta.html"),
                                                 QStringLiteral("beta2.html")}));
            files->setCurrentRow(0);
            QCOMPARE(child<QLineEdit>(w, "FileNameToOpen")->text(), QStringLiteral("alpha.html"));
            click(w, "OpenFile");
        }));
        QVERIFY(f.main.openForm()->isHidden());
        QCOMPARE(f.session.htmlName(), QStringLiteral("alpha.html"));
        QCOMPARE(f.session.rows()->texts(), QStringList{QStringLiteral("Header - Alpha Title")});
        QCOMPARE(f.session.backgroundChoice, 6);
        QCOMPARE(f.session.backgroundFileName, QStringLiteral("Background3.jpg"));
        QCOMPARE(f.main.browser()->lastPath(), f.folder.html(QStringLiteral("alpha.html")));
        QVERIFY(f.folder.messageTexts().isEmpty());
    }

    void doubleClickOpensAtOnce()
    {
        Fixture f;
        QVERIFY(f.open([&](QWidget* w) {
            auto* files = child<QListWidget>(w, "filList");
            const QPoint at = files->visualItemRect(files->item(1)).center();
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
        }));
        QCOMPARE(f.session.htmlName(), QStringLiteral("beta.html"));
        QCOMPARE(f.session.rows()->texts(), QStringList{QStringLiteral("Header - Beta Title")});
    }

    // Only the name travels: a file picked in another folder opens the form of
    // that name from the program's own folders, and the next use starts over
    // in the page folder with the page pattern.
    void browsingElsewhereStillOpensFromTheProgramFolders()
    {
        Fixture f;
        QVERIFY(f.open([&](QWidget* w) {
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
        }));
        QCOMPARE(f.session.htmlName(), QStringLiteral("alpha.html"));
        QCOMPARE(f.session.rows()->texts(), QStringList{QStringLiteral("Header - Alpha Title")});
        QVERIFY(readBytes(f.folder.html(QStringLiteral("alpha.html"))).contains("Alpha Title"));

        QVERIFY(f.open([&](QWidget* w) {
            QCOMPARE(f.main.openForm()->dirList()->path(), f.folder.path() + QStringLiteral("/HTML"));
            QCOMPARE(rowsOf(child<QListWidget>(w, "filList")).size(), 3);
            click(w, "Cancel");
        }));
    }

    void cancelKeepsEverythingAndTheTypedName()
    {
        Fixture f;
        const QStringList rows = f.session.rows()->texts();
        m_browser.clear();
        QVERIFY(f.open([](QWidget* w) {
            child<QLineEdit>(w, "FileNameToOpen")->setText(QStringLiteral("typed.html"));
            click(w, "Cancel");
        }));
        QCOMPARE(f.session.htmlName(), QStringLiteral("beta2.html"));
        QCOMPARE(f.session.rows()->texts(), rows);
        QVERIFY(m_browser.isEmpty());
        OpenForm* first = f.main.openForm();
        QVERIFY(f.open([](QWidget* w) {
            QCOMPARE(child<QLineEdit>(w, "FileNameToOpen")->text(), QStringLiteral("typed.html"));
            w->close(); // by its title bar: the window is done with
        }));
        QVERIFY(!f.main.openForm());
        QVERIFY(f.open([first](QWidget* w) {
            QVERIFY(w != first);
            QCOMPARE(child<QLineEdit>(w, "FileNameToOpen")->text(), QString());
            click(w, "Cancel");
        }));
        QCOMPARE(f.session.htmlName(), QStringLiteral("beta2.html"));
    }

    void missingCollectionFile_data()
    {
        QTest::addColumn<bool>("viewAnyway");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void missingCollectionFile()
    {
        QFETCH(bool, viewAnyway);
        Fixture f;
        writeBytes(f.folder.html(QStringLiteral("orphan.html")), "<html>orphan</html>");
        const QStringList rows = f.session.rows()->texts();
        const auto methods = f.session.collection.methods();
        const QByteArray page = readBytes(f.folder.html(QStringLiteral("beta2.html")));
        f.folder.messages().queueAnswer(viewAnyway ? MessageAnswer::Yes : MessageAnswer::No);
        QVERIFY(f.open([](QWidget* w) {
            child<QLineEdit>(w, "FileNameToOpen")->setText(QStringLiteral("orphan.html"));
            click(w, "OpenFile");
        }));
        QCOMPARE(f.folder.messages().boxes().size(), 1);
        QCOMPARE(f.folder.messages().boxes().first().text,
                 QStringLiteral("Sorry, but Collection text file for the Form 'orphan' could not be found. Do you wish "
                                "just to open the HTML Form file ?"));
        QCOMPARE(f.folder.messages().boxes().first().buttons, MessageButtons::YesNo);
        if (viewAnyway) {
            QCOMPARE(f.session.htmlName(), QStringLiteral("orphan.html"));
            QCOMPARE(f.session.rows()->count(), 0);
            QVERIFY(f.main.findChild<QWidget*>(QStringLiteral("AddHTMLMethodsFrame"))->isHidden());
            QVERIFY(f.main.findChild<QWidget*>(QStringLiteral("AlterFormFrame"))->isHidden());
            QVERIFY(f.main.findChild<QWidget*>(QStringLiteral("ViewReporterForm"))->isHidden());
            QCOMPARE(f.main.browser()->lastPath(), f.folder.html(QStringLiteral("orphan.html")));
            QVERIFY(!QFile::exists(f.folder.collection(QStringLiteral("orphan"))));

            // Opening a real form brings the frames back.
            QVERIFY(f.open([](QWidget* w) {
                child<QLineEdit>(w, "FileNameToOpen")->setText(QStringLiteral("alpha.html"));
                click(w, "OpenFile");
            }));
            QVERIFY(f.main.findChild<QWidget*>(QStringLiteral("AlterFormFrame"))->isVisible());
            QVERIFY(f.main.findChild<QWidget*>(QStringLiteral("ViewReporterForm"))->isVisible());
        } else {
            QCOMPARE(f.session.htmlName(), QStringLiteral("beta2.html"));
            QCOMPARE(f.session.rows()->texts(), rows);
            QCOMPARE(f.session.collection.methods(), methods);
            QCOMPARE(readBytes(f.folder.html(QStringLiteral("beta2.html"))), page);
        }
    }
};

QTEST_MAIN(TestOpenForm)
#include "tst_openform.moc"
