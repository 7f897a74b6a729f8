// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/ScriptRunner.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using namespace quenlow;

namespace {

/// A small window tree standing in for the program: one main window with a
/// control of every kind the driver knows, a dialog it shows modally, and a
/// dialog that dialog shows modally in turn.
class Harness
{
public:
    Harness()
    {
        runner.setQuitAtEnd(false);
        runner.setAppFolder(appDir.path());
        runner.setOutput([this](const QString& line) { out.append(line); });
        runner.setErrorOutput([this](const QString& line) { err.append(line); });

        main = std::make_unique<QWidget>();
        main->setObjectName(QStringLiteral("Main"));
        main->setWindowTitle(QStringLiteral("Main Window"));
        auto* layout = new QVBoxLayout(main.get());
        auto* menuBar = new QMenuBar(main.get());
        layout->setMenuBar(menuBar);
        QMenu* menu = menuBar->addMenu(QStringLiteral("Form"));
        menu->setObjectName(QStringLiteral("From"));

        status = add<QLabel>(layout, "Status");
        auto* go = add<QPushButton>(layout, "Go", "Go");
        QObject::connect(go, &QPushButton::clicked, main.get(),
            [this] { status->setText(QStringLiteral("clicked %1").arg(++goClicks)); });
        add<QPushButton>(layout, "Disabled", "Disabled")->setEnabled(false);
        add<QCheckBox>(layout, "Tick", "Tick me");
        add<QRadioButton>(layout, "OptionA", "A")->setChecked(true);
        name = add<QLineEdit>(layout, "Name");
        QObject::connect(name, &QLineEdit::textEdited, main.get(), [this] { ++nameEdits; });
        auto* choice = add<QComboBox>(layout, "Choice");
        choice->addItems({ QStringLiteral("Left"), QStringLiteral("Centre") });
        items = add<QListWidget>(layout, "Items");
        items->addItems({ QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma") });
        auto* pages = add<QTabWidget>(layout, "Pages");
        pages->addTab(new QWidget, QStringLiteral("First"));
        pages->addTab(new QWidget, QStringLiteral("Second"));
        add<QPlainTextEdit>(layout, "Notes");

        QAction* off = menu->addAction(QStringLiteral("Disabled entry"));
        off->setObjectName(QStringLiteral("Off"));
        off->setEnabled(false);
        // Busy in a local event loop (as while waiting for a reply) without a
        // modal window: the next line must wait for it.
        auto* wait = add<QPushButton>(layout, "Wait", "Wait");
        QObject::connect(wait, &QPushButton::clicked, main.get(), [this] {
            QEventLoop loop;
            QTimer::singleShot(50, &loop, &QEventLoop::quit);
            loop.exec();
            status->setText(QStringLiteral("waited"));
        });
        // Long work behind a modal progress window that lets events through.
        auto* work = add<QPushButton>(layout, "Work", "Work");
        QObject::connect(work, &QPushButton::clicked, main.get(), [this] {
            QProgressDialog progress(QStringLiteral("Working"), QStringLiteral("Cancel"), 0, 20, main.get());
            progress.setWindowModality(Qt::WindowModal);
            progress.setMinimumDuration(0);
            for (int i = 0; i <= 20; ++i) {
                progress.setValue(i);
                QThread::msleep(2);
            }
            status->setText(QStringLiteral("worked"));
        });
        auto* open = add<QPushButton>(layout, "OpenDialog", "Open");
        QObject::connect(open, &QPushButton::clicked, main.get(), [this] { openDialog(); });

        // The modal dialog, owned by the main window, and its own modal dialog.
        dialog = new QDialog(main.get());
        dialog->setObjectName(QStringLiteral("Dlg"));
        auto* dialogLayout = new QVBoxLayout(dialog);
        field = add<QLineEdit>(dialogLayout, "Field");
        auto* ok = add<QPushButton>(dialogLayout, "OK", "OK");
        QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
        auto* nested = add<QPushButton>(dialogLayout, "Nested", "Nested");
        QObject::connect(nested, &QPushButton::clicked, dialog, [this] {
            QDialog inner(dialog);
            inner.setObjectName(QStringLiteral("Inner"));
            auto* innerLayout = new QVBoxLayout(&inner);
            auto* done = add<QPushButton>(innerLayout, "Done", "Done");
            QObject::connect(done, &QPushButton::clicked, &inner, &QDialog::accept);
            inner.exec();
            // Runs after the inner window closed, before the script goes on.
            field->setText(QStringLiteral("inner closed"));
        });

        main->show();
    }

    template <typename T> T* add(QVBoxLayout* layout, const char* objectName, const char* text = nullptr)
    {
        auto* widget = new T;
        widget->setObjectName(QString::fromLatin1(objectName));
        if constexpr (std::is_base_of_v<QAbstractButton, T>)
            widget->setText(QString::fromLatin1(text));
        layout->addWidget(widget);
        return widget;
    }

    void openDialog()
    {
        const int result = dialog->exec();
        status->setText(QStringLiteral("dialog returned %1").arg(result));
    }

    /// Runs `script` to its end; false (and a test failure) if it never ends.
    bool run(const QString& script)
    {
        if (!runner.load(script))
            return runner.isFinished();
        runner.start();
        return QTest::qWaitFor([this] { return runner.isFinished(); }, 10000);
    }

    QTemporaryDir appDir;
    ScriptRunner runner;
    QStringList out;
    QStringList err;
    std::unique_ptr<QWidget> main;
    QLabel* status = nullptr;
    QLineEdit* name = nullptr;
    QListWidget* items = nullptr;
    QDialog* dialog = nullptr;
    QLineEdit* field = nullptr;
    int goClicks = 0;
    int nameEdits = 0;
};

QString lines(const QStringList& list)
{
    return list.join(QLatin1Char('\n'));
}

} // namespace

class TestScriptRunner : public QObject
{
    Q_OBJECT

private slots:
    void syntaxErrorsStopBeforeAnythingRuns_data();
    void syntaxErrorsStopBeforeAnythingRuns();
    void drivesEveryKindOfControl();
    void showPrintsStateAndRows();
    void linesActInsideModalWindows();
    void failuresStopTheRun_data();
    void failuresStopTheRun();
};

void TestScriptRunner::syntaxErrorsStopBeforeAnythingRuns_data()
{
    QTest::addColumn<QString>("badLine");
    QTest::addColumn<QString>("error");
    QTest::newRow("no control") << "click"
                                << "error 3: click needs a control (Window.Control)";
    QTest::newRow("window only") << "click Main"
                                 << "error 3: \"Main\" is not a control name (Window.Control)";
    QTest::newRow("tick value") << "tick Main.Tick yes"
                                << "error 3: tick needs 0 or 1";
    QTest::newRow("select row") << "select Main.Items x"
                                << "error 3: select needs a row number (-1 clears)";
    QTest::newRow("doubleclick row") << "doubleclick Main.Items -1"
                                     << "error 3: doubleclick needs a row number";
    QTest::newRow("answer") << "answer Maybe"
                            << "error 3: answer needs Yes, No or OK";
    QTest::newRow("extra word") << "click Main.Go now"
                                << "error 3: too many words for click";
    QTest::newRow("close control") << "close Main.Go"
                                   << "error 3: close needs a window name, not a control";
}

void TestScriptRunner::syntaxErrorsStopBeforeAnythingRuns()
{
    QFETCH(QString, badLine);
    QFETCH(QString, error);
    Harness h;
    // The valid first line must not run: the whole script is checked first.
    QVERIFY(!h.runner.load(
        QStringLiteral("click Main.Go\n# comment\n") + badLine + QStringLiteral("\nclick Main.Go\n")));
    QCOMPARE(h.err, QStringList { error });
    QCOMPARE(h.runner.exitCode(), 2);
    QVERIFY(h.out.isEmpty());
    QCOMPARE(h.goClicks, 0);
}

void TestScriptRunner::drivesEveryKindOfControl()
{
    // Lists, combo boxes, tab strips and option buttons are driven by every
    // scenario; here how the text of `set` is taken and a repeated tick.
    Harness h;
    auto* tick = h.main->findChild<QCheckBox*>(QStringLiteral("Tick"));
    auto* notes = h.main->findChild<QPlainTextEdit*>(QStringLiteral("Notes"));
    QVERIFY(h.run(QStringLiteral("click Main.Go\n"
                                 "set Main.Name   two  blanks  \n"
                                 "set Main.Notes free text\r\n"
                                 "tick Main.Tick 1\n"
                                 "tick Main.Tick 1\n")));
    QCOMPARE(h.runner.exitCode(), 0);
    QCOMPARE(h.goClicks, 1);
    // The text is the rest of the line after one blank; trailing blanks kept.
    QCOMPARE(h.name->text(), QStringLiteral("  two  blanks  "));
    QCOMPARE(h.nameEdits, 1); // typed, as a person types: textEdited was emitted
    QCOMPARE(notes->toPlainText(), QStringLiteral("free text"));
    QVERIFY(tick->isChecked()); // ticking a ticked box leaves it ticked
}

void TestScriptRunner::showPrintsStateAndRows()
{
    // States, rows, tabs and menu entries are printed by the scenarios; here
    // the cases they never reach: a caption to escape, a window not shown.
    Harness h;
    h.status->setText(QStringLiteral("two\nlines in %1"));
    QVERIFY(h.run(QStringLiteral("show Main.Status\nshow Dlg.Field\n")));
    QCOMPARE(h.out,
        QStringList({
            QStringLiteral("Main.Status caption=\"two\\nlines in %1\" text=\"\" visible=1 enabled=1 "
                           "checked=0 selected=-1 rows=0"),
            QStringLiteral(
                "Dlg.Field caption=\"\" text=\"\" visible=0 enabled=1 checked=0 selected=-1 rows=0"),
        }));
    QCOMPARE(h.runner.exitCode(), 0);
}

void TestScriptRunner::linesActInsideModalWindows()
{
    Harness h;
    QVERIFY(h.run(QStringLiteral("click Main.OpenDialog\n"
                                 "set Dlg.Field typed in the dialog\n"
                                 "show Dlg.Field\n"
                                 "click Dlg.Nested\n"
                                 "click Inner.Done\n"
                                 // Runs only after the code following the inner exec().
                                 "show Dlg.Field\n"
                                 "click Dlg.OK\n"
                                 "show Main.Status\n"
                                 "click Main.Wait\n"
                                 "show Main.Status\n"
                                 "click Main.Work\n"
                                 "show Main.Status\n")));
    QCOMPARE(lines(h.err), QString());
    QCOMPARE(h.out,
        QStringList({
            QStringLiteral("Dlg.Field caption=\"\" text=\"typed in the dialog\" visible=1 enabled=1 "
                           "checked=0 selected=-1 rows=0"),
            QStringLiteral("Dlg.Field caption=\"\" text=\"inner closed\" visible=1 enabled=1 checked=0 "
                           "selected=-1 rows=0"),
            QStringLiteral("Main.Status caption=\"dialog returned 1\" text=\"\" visible=1 enabled=1 "
                           "checked=0 selected=-1 rows=0"),
            // Shown only once the wait, and the work, were over.
            QStringLiteral(
                "Main.Status caption=\"waited\" text=\"\" visible=1 enabled=1 checked=0 selected=-1 rows=0"),
            QStringLiteral(
                "Main.Status caption=\"worked\" text=\"\" visible=1 enabled=1 checked=0 selected=-1 rows=0"),
        }));
    QCOMPARE(h.runner.exitCode(), 0);
    QVERIFY(!h.dialog->isVisible());
}

void TestScriptRunner::failuresStopTheRun_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("goClicks");

    QTest::newRow("disabled button") << "click Main.Go\nclick Main.Disabled\nclick Main.Go"
                                     << "error 2: Main.Disabled is disabled" << 1;
    QTest::newRow("disabled menu entry") << "click Main.Off"
                                         << "error 1: Main.Off is disabled" << 0;
    QTest::newRow("hidden window") << "set Dlg.Field x"
                                   << "error 1: window Dlg is not shown" << 0;
    QTest::newRow("row out of range") << "select Main.Items 3"
                                      << "error 1: Main.Items has no row 3 (3 rows)" << 0;
    QTest::newRow("tab out of range") << "select Main.Pages 0"
                                      << "error 1: Main.Pages has no tab 0 (tabs 1 to 2)" << 0;
    QTest::newRow("fixed combo box") << "set Main.Choice Centre"
                                     << "error 1: Main.Choice is a list to choose from: use select" << 0;
    QTest::newRow("label clicked") << "click Main.Status"
                                   << "error 1: Main.Status (QLabel) cannot be clicked" << 0;
    QTest::newRow("radio button cleared")
        << "tick Main.OptionA 0"
        << "error 1: Main.OptionA is cleared by choosing another option" << 0;
    QTest::newRow("answer never asked for") << "answer Yes\nclick Main.Go"
                                            << "error END: 1 answer was never asked for" << 1;
}

void TestScriptRunner::failuresStopTheRun()
{
    QFETCH(QString, script);
    QFETCH(QString, error);
    QFETCH(int, goClicks);
    Harness h;
    QVERIFY(h.run(script + QStringLiteral("\nclick Main.Go\n")));
    QCOMPARE(lines(h.err), error);
    QCOMPARE(h.runner.exitCode(), 2);
    // Nothing after the failing line ran.
    QCOMPARE(h.goClicks, goClicks + (error.startsWith(QLatin1String("error END")) ? 1 : 0));
    QVERIFY(!h.dialog->isVisible());
}

QTEST_MAIN(TestScriptRunner)
#include "tst_scriptrunner.moc"
