// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/CollectAnswersForm.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "model/MethodCollection.h"
#include "platform/BrowserView.h"
#include "program/Program.h"
#include "support/FormFixture.h"
#include "support/ModalStep.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

// One plain HTTP/1.0 request; returns the whole answer.
QByteArray httpGet(quint16 port, const QByteArray& path)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write("GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        answer += socket.readAll();
    return answer + socket.readAll();
}

// Clicks "Collect Answers" and starts with what the window proposes; the
// addresses window that follows is looked at by `addresses` and closed.
void startCollecting(QPushButton* collect, const std::function<void(QWidget*)>& addresses = {})
{
    ModalStep choose(
        QStringLiteral("CollectAnswersForm"), [](QWidget* form) { click(form, "StartCollecting"); });
    ModalStep shown(QStringLiteral("CollectionAddresses"), [addresses](QWidget* window) {
        if (addresses)
            addresses(window);
    });
    collect->click();
}

} // namespace

class TestCollectAnswers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true); // the program's settings, never the user's
        BrowserView::setRecorder([](const QString&, const QString&, const QString&) {});
    }

    void startsShowsTheFormsAddressAndStops()
    {
        TestProgramFolder folder;
        Program program(folder.path());
        // Where Linux keeps a program's settings, under its own name.
        QCOMPARE(QSettings().fileName(),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                + QStringLiteral("/Quenlow/Quenlow.conf"));
        program.setCollectionListen(QStringLiteral("127.0.0.1"), 0); // any free port
        program.start();
        createForm(program.session(), QStringLiteral("survey"), QStringLiteral("Staff Survey"));
        // Its answers table open to the people who answer it.
        FormMethod header = program.session().collection().atPosition(0);
        header.attribute6List[1] = QStringLiteral("1");
        program.session().changeableCollection().replace(0, header);

        auto* collect = program.mainWindow()->findChild<QPushButton*>(QStringLiteral("CollectAnswers"));
        auto* address = program.mainWindow()->findChild<QLabel*>(QStringLiteral("CollectionAddress"));
        QVERIFY(collect && address);
        QStringList listed;
        bool answersSaidPublic = false;
        startCollecting(collect, [&listed, &answersSaidPublic](QWidget* window) {
            auto* list = window->findChild<QListWidget*>(QStringLiteral("AddressList"));
            for (int i = 0; list && i < list->count(); ++i)
                listed.append(list->item(i)->text());
            answersSaidPublic = window->findChild<QLabel*>(QStringLiteral("AnswersTablePublic"))->isVisible();
        });
        QVERIFY(answersSaidPublic);
        QCOMPARE(collect->text(), QStringLiteral("Stop Collecting Answers"));
        QVERIFY2(
            address->text().startsWith(QStringLiteral("http://127.0.0.1:")), qPrintable(address->text()));
        QVERIFY(address->text().endsWith(QStringLiteral("/survey.html")));
        QCOMPARE(listed, QStringList { address->text() });

        // The page people open is the form's own page.
        const quint16 port
            = quint16(address->text().section(QLatin1Char(':'), 2).section(QLatin1Char('/'), 0, 0).toUInt());
        const QByteArray answer = httpGet(port, "/survey.html");
        QVERIFY2(answer.startsWith("HTTP/1.1 200") || answer.startsWith("HTTP/1.0 200"),
            answer.left(200).constData());
        QVERIFY(answer.contains("Staff Survey"));
        QCOMPARE(program.mainWindow()->windowTitle(), QStringLiteral("survey.html \u2014 Quenlow"));

        // Closing while people may be filling the form in asks first, No the
        // default; No keeps the window and the collection.
        folder.messages().queueAnswer(MessageAnswer::No);
        QVERIFY(!program.mainWindow()->close());
        QCOMPARE(folder.messages().boxes().constLast().defaultAnswer, MessageAnswer::No);
        QVERIFY(program.mainWindow()->isVisible());
        QVERIFY(httpGet(port, "/survey.html").contains("Staff Survey"));

        folder.messages().queueAnswer(MessageAnswer::Ok);
        collect->click();
        QCOMPARE(collect->text(), QStringLiteral("Collect Answers"));
        QVERIFY(address->text().isEmpty());
        QVERIFY(httpGet(port, "/survey.html").isEmpty());
    }

    // The room: the results address beside the form's, each form's state and
    // answers, a form closed from the window; a restart collects again.
    void closesFormsAndCollectsAgainAfterARestart()
    {
        TestProgramFolder folder;
        quint16 port = 0;
        {
            Program program(folder.path());
            program.setCollectionListen(QStringLiteral("127.0.0.1"), 0);
            program.start();
            createForm(program.session(), QStringLiteral("survey"), QStringLiteral("Staff Survey"));
            FormMethod header = program.session().collection().atPosition(0);
            FormSettings settings;
            settings.showResults = true;
            setFormSettings(header, settings);
            program.session().changeableCollection().replace(0, header);

            auto* collect = program.mainWindow()->findChild<QPushButton*>(QStringLiteral("CollectAnswers"));
            QStringList listed;
            QStringList states;
            QString button;
            startCollecting(collect, [&](QWidget* window) {
                auto* list = window->findChild<QListWidget*>(QStringLiteral("AddressList"));
                for (int i = 0; i < list->count(); ++i)
                    listed.append(list->item(i)->text());
                auto* table = window->findChild<QTableWidget*>(QStringLiteral("CollectedFormsTable"));
                QCOMPARE(table->rowCount(), 1);
                QCOMPARE(table->item(0, 0)->text(), QStringLiteral("survey \u2013 Staff Survey"));
                QCOMPARE(table->item(0, 2)->text(), QStringLiteral("0"));
                states.append(table->item(0, 1)->text());
                table->selectRow(0);
                auto* closeOrOpen = window->findChild<QPushButton*>(QStringLiteral("CloseOrOpenForm"));
                closeOrOpen->click();
                states.append(table->item(0, 1)->text());
                button = closeOrOpen->text();
            });
            QCOMPARE(listed.size(), 2);
            port
                = quint16(listed.at(0).section(QLatin1Char(':'), 2).section(QLatin1Char('/'), 0, 0).toUInt());
            QCOMPARE(
                listed.at(1), QStringLiteral("Results: http://127.0.0.1:%1/results/survey.html").arg(port));
            QCOMPARE(states, (QStringList { QStringLiteral("Open"), QStringLiteral("Closed") }));
            QCOMPARE(button, QStringLiteral("Open Form"));
            // Written where the service reads it, and served so.
            QVERIFY(!formSettingsOf(program.session().collection().atPosition(0)).acceptingAnswers);
            QFile file(folder.collection(QStringLiteral("survey")));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll().contains("AcceptingAnswers\r\n0\r\n"));
            QTRY_VERIFY_WITH_TIMEOUT(httpGet(port, "/survey.html").contains("This form is closed."), 5000);
            // Quenlow ends while collecting.
        }
        QVERIFY(httpGet(port, "/survey.html").isEmpty());
        {
            Program program(folder.path());
            program.setCollectionListen(QStringLiteral("127.0.0.1"), port);
            program.start();
            program.resumeCollecting();
            auto* main = qobject_cast<QMainWindow*>(program.mainWindow());
            QVERIFY2(main->statusBar()->currentMessage().startsWith(QStringLiteral(
                         "Collecting answers again, as when Quenlow was last closed: http://127.0.0.1:")),
                qPrintable(main->statusBar()->currentMessage()));
            QVERIFY(httpGet(port, "/survey.html").contains("This form is closed."));
            // The person turns it off: the next start waits to be asked.
            program.mainWindow()->findChild<QAction*>(QStringLiteral("ResumeCollecting"))->setChecked(false);
        }
        {
            Program program(folder.path());
            program.start();
            program.resumeCollecting();
            QCOMPARE(program.mainWindow()->findChild<QPushButton*>(QStringLiteral("CollectAnswers"))->text(),
                QStringLiteral("Collect Answers"));
            program.mainWindow()->findChild<QAction*>(QStringLiteral("ResumeCollecting"))->setChecked(true);
        }
        QSettings().remove(QStringLiteral("collect/running"));
    }

    // What a phone's camera reads is the address itself.
    void addressesAndTheirCode()
    {
        const QStringList local = collectionAddresses(false, 8080, QStringLiteral("my survey.html"));
        QCOMPARE(local, QStringList { QStringLiteral("http://127.0.0.1:8080/my%20survey.html") });
        for (const QString& address : collectionAddresses(true, 8080, QStringLiteral("survey.html")))
            QVERIFY2(!address.contains(QStringLiteral("127.0.0.1")), qPrintable(address));
        const QImage code = qrCode(local.constFirst());
        QVERIFY(!code.isNull());
        QCOMPARE(code.width(), code.height());
        QVERIFY(code.width() >= 21 + 8); // the smallest code and its quiet zone
        QCOMPARE(code.pixelIndex(0, 0), 0); // the quiet zone is white
        QCOMPARE(code.pixelIndex(4, 4), 1); // a finder pattern's corner is black
        // Only a form whose answers table is open says that its answers are.
        QVERIFY(CollectionAddresses(local, false)
                    .findChild<QLabel*>(QStringLiteral("AnswersTablePublic"))
                    ->isHidden());
    }

    void servesHttpsWithTheChosenFiles()
    {
        QTemporaryDir keys;
        QString cert, key;
        QVERIFY(makeTestCertificate(keys.path(), &cert, &key));
        // The choice is remembered between runs: none of it may reach other tests.
        const auto forget = [] {
            QSettings().remove(QStringLiteral("collect/certificate"));
            QSettings().remove(QStringLiteral("collect/key"));
        };
        forget();
        const std::unique_ptr<void, std::function<void(void*)>> cleanup(this, [forget](void*) { forget(); });

        TestProgramFolder folder;
        Program program(folder.path());
        program.setCollectionListen(QStringLiteral("127.0.0.1"), 0);
        program.start();
        createForm(program.session(), QStringLiteral("survey"), QStringLiteral("Staff Survey"));
        auto* collect = program.mainWindow()->findChild<QPushButton*>(QStringLiteral("CollectAnswers"));
        QString problem;
        QStringList listed;
        ModalStep choose(QStringLiteral("CollectAnswersForm"), [&](QWidget* form) {
            // A certificate without its key: said so, and the window stays.
            form->findChild<QLineEdit*>(QStringLiteral("CertificateFile"))->setText(cert);
            form->findChild<QPushButton*>(QStringLiteral("StartCollecting"))->click();
            problem = form->findChild<QLabel*>(QStringLiteral("HttpsProblem"))->text();
            QVERIFY(form->isVisible());
            form->findChild<QLineEdit*>(QStringLiteral("KeyFile"))->setText(key);
            form->findChild<QPushButton*>(QStringLiteral("StartCollecting"))->click();
        });
        ModalStep shown(QStringLiteral("CollectionAddresses"), [&listed](QWidget* window) {
            listed.append(window->findChild<QListWidget*>(QStringLiteral("AddressList"))->item(0)->text());
        });
        collect->click();
        QVERIFY2(problem.contains(QStringLiteral("both the certificate and its private key")),
            qPrintable(problem));
        const QString address
            = program.mainWindow()->findChild<QLabel*>(QStringLiteral("CollectionAddress"))->text();
        QVERIFY2(address.startsWith(QStringLiteral("https://127.0.0.1:")), qPrintable(address));
        QCOMPARE(listed, QStringList { address });
        QCOMPARE(QSettings().value(QStringLiteral("collect/key")).toString(), key);

        folder.messages().queueAnswer(MessageAnswer::Ok);
        collect->click();
    }

    void aBusyPortIsReportedNotShared()
    {
        TestProgramFolder folder;
        Program first(folder.path());
        first.setCollectionListen(QStringLiteral("127.0.0.1"), 0);
        first.start();
        auto* collect = first.mainWindow()->findChild<QPushButton*>(QStringLiteral("CollectAnswers"));
        startCollecting(collect);
        const QString text
            = first.mainWindow()->findChild<QLabel*>(QStringLiteral("CollectionAddress"))->text();
        const quint16 port
            = quint16(text.section(QLatin1Char(':'), 2).section(QLatin1Char('/'), 0, 0).toUInt());
        QVERIFY(port > 0);

        Program second(folder.path());
        second.setCollectionListen(QStringLiteral("127.0.0.1"), port);
        second.start();
        auto* secondCollect = second.mainWindow()->findChild<QPushButton*>(QStringLiteral("CollectAnswers"));
        folder.messages().queueAnswer(MessageAnswer::Ok);
        ModalStep choose(QStringLiteral("CollectAnswersForm"),
            [](QWidget* form) { form->findChild<QPushButton*>(QStringLiteral("StartCollecting"))->click(); });
        secondCollect->click();
        QCOMPARE(folder.messages().boxes().constLast().icon, MessageIcon::Exclamation);
        QVERIFY(folder.messageTexts().constLast().startsWith(
            QStringLiteral("The answers cannot be collected: ")));
        QCOMPARE(secondCollect->text(), QStringLiteral("Collect Answers"));
    }
};

QTEST_MAIN(TestCollectAnswers)
#include "tst_collectanswers.moc"
