// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/CollectAnswersForm.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "model/Fragments.h"
#include "model/MethodCollection.h"
#include "model/PageWriter.h"
#include "platform/BrowserView.h"
#include "platform/ExternalBrowser.h"
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

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

// One plain HTTP/1.0 request; returns the whole answer.
QByteArray httpGet(quint16 port, const QByteArray& path)
{
    QTcpSocket socket;
    socket.connectToHost(u"127.0.0.1"_s, port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write("GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        answer += socket.readAll();
    return answer + socket.readAll();
}

// One urlencoded post of the form's page, as a browser sends it; returns the whole answer.
QByteArray httpPost(quint16 port, const QByteArray& body)
{
    QTcpSocket socket;
    socket.connectToHost(u"127.0.0.1"_s, port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write("POST /scripts/save.asp HTTP/1.0\r\nHost: 127.0.0.1\r\n"
                 "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        answer += socket.readAll();
    return answer + socket.readAll();
}

// Clicks "Collect Answers" and starts with what the window proposes; the
// addresses window that follows is looked at by `addresses` and closed.
void startCollecting(QPushButton* collect, const std::function<void(QWidget*)>& addresses = {})
{
    ModalStep choose(u"CollectAnswersForm"_s, [](QWidget* form) { click(form, "StartCollecting"); });
    ModalStep shown(u"CollectionAddresses"_s, [addresses](QWidget* window) {
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
                + u"/Quenlow/Quenlow.conf"_s);
        program.setCollectionListen(u"127.0.0.1"_s, 0); // any free port
        program.start();
        createForm(program.session(), u"survey"_s, u"Staff Survey"_s);
        QVERIFY(insertMethod(program.session(), textFieldMethod(u"Name"_s, u"30"_s, {}, {})));
        // Its answers table open to the people who answer it.
        FormMethod header = program.session().collection().atPosition(0);
        header.attribute6List[1] = u"1"_s;
        program.session().changeableCollection().replace(0, header);
        QVERIFY(writeFormPage(program.session(), program.session().htmlName()));

        auto* collect = program.mainWindow()->findChild<QPushButton*>(u"CollectAnswers"_s);
        auto* address = program.mainWindow()->findChild<QLabel*>(u"CollectionAddress"_s);
        QVERIFY(collect && address);
        QStringList listed;
        bool answersSaidPublic = false;
        startCollecting(collect, [&listed, &answersSaidPublic](QWidget* window) {
            auto* list = window->findChild<QListWidget*>(u"AddressList"_s);
            for (int i = 0; list && i < list->count(); ++i)
                listed.append(list->item(i)->text());
            answersSaidPublic = window->findChild<QLabel*>(u"AnswersTablePublic"_s)->isVisible();
            // A form that shows no results has none to present.
            QVERIFY(!window->findChild<QPushButton*>(u"PresentResults"_s));
        });
        QVERIFY(answersSaidPublic);
        QCOMPARE(collect->text(), u"Stop Collecting Answers"_s);
        QVERIFY2(address->text().startsWith(u"http://127.0.0.1:"_s), qPrintable(address->text()));
        QVERIFY(address->text().endsWith(u"/survey.html"_s));
        QCOMPARE(listed, QStringList { address->text() });

        // The page people open is the form's own page.
        const quint16 port
            = quint16(address->text().section(QLatin1Char(':'), 2).section(QLatin1Char('/'), 0, 0).toUInt());
        const QByteArray answer = httpGet(port, "/survey.html");
        QVERIFY2(answer.startsWith("HTTP/1.1 200") || answer.startsWith("HTTP/1.0 200"),
            answer.left(200).constData());
        QVERIFY(answer.contains("Staff Survey"));
        QCOMPARE(program.mainWindow()->windowTitle(), u"survey.html \u2014 Quenlow"_s);

        // Closing while people may be filling the form in asks first, No the
        // default; No keeps the window and the collection.
        folder.messages().queueAnswer(MessageAnswer::No);
        QVERIFY(!program.mainWindow()->close());
        QCOMPARE(folder.messages().boxes().constLast().defaultAnswer, MessageAnswer::No);
        QVERIFY(program.mainWindow()->isVisible());
        QVERIFY(httpGet(port, "/survey.html").contains("Staff Survey"));

        // An answer just came: stopping asks first, saying so, No the default;
        // No keeps collecting.
        const QByteArray stored = httpPost(port, "tableName=tbl_survey&Name=Ann&Name+Type=Text+Field");
        QVERIFY2(stored.startsWith("HTTP/1.1 200") || stored.startsWith("HTTP/1.0 200"),
            stored.simplified().constData());
        folder.messages().queueAnswer(MessageAnswer::No);
        collect->click();
        const RecordingMessages::Box asked = folder.messages().boxes().constLast();
        QVERIFY2(
            asked.text.startsWith(u"An answer arrived in the last ten minutes"_s), qPrintable(asked.text));
        QCOMPARE(asked.defaultAnswer, MessageAnswer::No);
        QCOMPARE(collect->text(), u"Stop Collecting Answers"_s);
        QVERIFY(httpGet(port, "/survey.html").contains("Staff Survey"));

        folder.messages().queueAnswer(MessageAnswer::Yes);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        collect->click();
        QCOMPARE(collect->text(), u"Collect Answers"_s);
        QVERIFY(address->text().isEmpty());
        // The service stops in the background, so the window never waits for a slow client.
        QTRY_VERIFY(httpGet(port, "/survey.html").isEmpty());
    }

    // The room: the results address beside the form's, each form's state and
    // answers, a form closed from the window; a restart collects again.
    void closesFormsAndCollectsAgainAfterARestart()
    {
        TestProgramFolder folder;
        quint16 port = 0;
        {
            Program program(folder.path());
            program.setCollectionListen(u"127.0.0.1"_s, 0);
            program.start();
            createForm(program.session(), u"survey"_s, u"Staff Survey"_s);
            QVERIFY(insertMethod(program.session(),
                radioButtonsMethod(u"Region"_s, { u"North"_s, u"South"_s }, noDefaultOption())));
            FormMethod header = program.session().collection().atPosition(0);
            FormSettings settings;
            settings.showResults = true;
            settings.quotas = { { u"Region"_s, u"North"_s, 50 } };
            setFormSettings(header, settings);
            program.session().changeableCollection().replace(0, header);

            auto* collect = program.mainWindow()->findChild<QPushButton*>(u"CollectAnswers"_s);
            QStringList listed;
            QStringList states;
            QString button;
            QList<QUrl> opened;
            setExternalBrowserOpener([&opened](const QUrl& url) {
                opened.append(url);
                return true;
            });
            startCollecting(collect, [&](QWidget* window) {
                auto* list = window->findChild<QListWidget*>(u"AddressList"_s);
                for (int i = 0; i < list->count(); ++i)
                    listed.append(list->item(i)->text());
                auto* table = window->findChild<QTableWidget*>(u"CollectedFormsTable"_s);
                QCOMPARE(table->rowCount(), 1);
                QCOMPARE(table->item(0, 0)->text(), u"survey \u2013 Staff Survey"_s);
                QCOMPARE(table->item(0, 2)->text(), u"0"_s);
                QCOMPARE(table->item(0, 4)->text(), u"North 0 of 50"_s);
                states.append(table->item(0, 1)->text());
                table->selectRow(0);
                auto* closeOrOpen = window->findChild<QPushButton*>(u"CloseOrOpenForm"_s);
                closeOrOpen->click();
                states.append(table->item(0, 1)->text());
                button = closeOrOpen->text();
                // Present opens the results for a projector in the person's browser.
                list->setCurrentRow(0);
                click(window, "PresentResults");
            });
            QCOMPARE(listed.size(), 2);
            port
                = quint16(listed.at(0).section(QLatin1Char(':'), 2).section(QLatin1Char('/'), 0, 0).toUInt());
            QCOMPARE(listed.at(1), u"Results: http://127.0.0.1:%1/results/survey.html"_s.arg(port));
            setExternalBrowserOpener({});
            QCOMPARE(
                opened, QList<QUrl> { QUrl(u"http://127.0.0.1:%1/results/survey.html?present"_s.arg(port)) });
            QCOMPARE(states, (QStringList { u"Open"_s, u"Closed"_s }));
            QCOMPARE(button, u"Open Form"_s);
            // Written where the service reads it, and served so.
            QVERIFY(!formSettingsOf(program.session().collection().atPosition(0)).acceptingAnswers);
            QFile file(folder.collection(u"survey"_s));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll().contains("AcceptingAnswers\r\n0\r\n"));
            QTRY_VERIFY_WITH_TIMEOUT(httpGet(port, "/survey.html").contains("This form is closed."), 5000);
            // Quenlow ends while collecting.
        }
        QVERIFY(httpGet(port, "/survey.html").isEmpty());
        {
            Program program(folder.path());
            program.setCollectionListen(u"127.0.0.1"_s, port);
            program.start();
            program.resumeCollecting();
            auto* main = qobject_cast<QMainWindow*>(program.mainWindow());
            QVERIFY2(
                main->statusBar()->currentMessage().startsWith(
                    u"Collecting answers again, as when Quenlow was last closed, from this computer only: "
                    "http://127.0.0.1:%1/ (the forms of %2, answers in %3)"_s.arg(port)
                        .arg(folder.path(), shownLocation(folder.database()))),
                qPrintable(main->statusBar()->currentMessage()));
            QVERIFY(httpGet(port, "/survey.html").contains("This form is closed."));
            // The person turns it off: the next start waits to be asked.
            program.mainWindow()->findChild<QAction*>(u"ResumeCollecting"_s)->setChecked(false);
        }
        {
            Program program(folder.path());
            program.start();
            program.resumeCollecting();
            QCOMPARE(program.mainWindow()->findChild<QPushButton*>(u"CollectAnswers"_s)->text(),
                u"Collect Answers"_s);
            program.mainWindow()->findChild<QAction*>(u"ResumeCollecting"_s)->setChecked(true);
        }
        QSettings().remove(u"collect/collecting"_s);
    }

    // Collecting again is the folder's and its database's, not the person's:
    // a folder that was not collecting when it was closed is opened to nobody.
    void collectsAgainOnlyWhereItWasCollecting()
    {
        TestProgramFolder collecting;
        TestProgramFolder quiet; // its recorder answers the boxes from here on
        QSettings().remove(u"collect/collecting"_s);
        const auto collectButton = [](Program& program) {
            return program.mainWindow()->findChild<QPushButton*>(u"CollectAnswers"_s);
        };
        const auto statusOf = [](Program& program) {
            return qobject_cast<QMainWindow*>(program.mainWindow())->statusBar()->currentMessage();
        };
        {
            Program program(collecting.path());
            program.setCollectionListen(u"127.0.0.1"_s, 0);
            program.start();
            startCollecting(collectButton(program));
            QCOMPARE(collectButton(program)->text(), u"Stop Collecting Answers"_s);
            // Quenlow ends while collecting.
        }
        {
            Program program(quiet.path());
            program.start();
            program.resumeCollecting();
            QCOMPARE(collectButton(program)->text(), u"Collect Answers"_s);
            QCOMPARE(statusOf(program), QString());
        }
        // The same folder with another database was not collecting either.
        {
            const QString other = collecting.path() + u"/other.mdb"_s;
            QVERIFY(QFile::copy(collecting.database(), other));
            Program program(collecting.path());
            program.setAnswersStore(other);
            program.start();
            program.resumeCollecting();
            QCOMPARE(collectButton(program)->text(), u"Collect Answers"_s);
        }
        {
            // Reached by another path, the folder is still the one that was collecting.
            QTemporaryDir links;
            const QString link = links.path() + u"/survey-folder"_s;
            QVERIFY(QFile::link(collecting.path(), link));
            Program program(link);
            program.start();
            program.resumeCollecting();
            QCOMPARE(collectButton(program)->text(), u"Stop Collecting Answers"_s);
            // What collects again, and who can reach it, as Collect Answers said it.
            const QString status = statusOf(program);
            QVERIFY2(
                status.startsWith(
                    u"Collecting answers again, as when Quenlow was last closed, from this computer only: "
                    "http://127.0.0.1:"_s),
                qPrintable(status));
            QVERIFY2(status.endsWith(
                         u"/ (the forms of %1, answers in %2)"_s.arg(link, link + u"/formAnswers.mdb"_s)),
                qPrintable(status));
            // Stopped on purpose: the next start waits to be asked.
            quiet.messages().queueAnswer(MessageAnswer::Ok);
            collectButton(program)->click();
        }
        {
            Program program(collecting.path());
            program.start();
            program.resumeCollecting();
            QCOMPARE(collectButton(program)->text(), u"Collect Answers"_s);
        }
    }

    // What a phone's camera reads is the address itself.
    void addressesAndTheirCode()
    {
        const QStringList local = collectionAddresses(false, 8080, u"my survey.html"_s);
        QCOMPARE(local, QStringList { u"http://127.0.0.1:8080/my%20survey.html"_s });
        for (const QString& address : collectionAddresses(true, 8080, u"survey.html"_s))
            QVERIFY2(!address.contains(u"127.0.0.1"_s), qPrintable(address));
        const QImage code = qrCode(local.constFirst());
        QVERIFY(!code.isNull());
        QCOMPARE(code.width(), code.height());
        QVERIFY(code.width() >= 21 + 8); // the smallest code and its quiet zone
        QCOMPARE(code.pixelIndex(0, 0), 0); // the quiet zone is white
        QCOMPARE(code.pixelIndex(4, 4), 1); // a finder pattern's corner is black
        // Only a form whose answers table is open says that its answers are.
        QVERIFY(CollectionAddresses(local, false).findChild<QLabel*>(u"AnswersTablePublic"_s)->isHidden());
    }

    void servesHttpsWithTheChosenFiles()
    {
        QTemporaryDir keys;
        QString cert, key;
        QVERIFY(makeTestCertificate(keys.path(), &cert, &key));
        // The choice is remembered between runs: none of it may reach other tests.
        const auto forget = [] {
            QSettings().remove(u"collect/certificate"_s);
            QSettings().remove(u"collect/key"_s);
        };
        forget();
        const std::unique_ptr<void, std::function<void(void*)>> cleanup(this, [forget](void*) { forget(); });

        TestProgramFolder folder;
        Program program(folder.path());
        program.setCollectionListen(u"127.0.0.1"_s, 0);
        program.start();
        createForm(program.session(), u"survey"_s, u"Staff Survey"_s);
        auto* collect = program.mainWindow()->findChild<QPushButton*>(u"CollectAnswers"_s);
        QString problem;
        QStringList listed;
        ModalStep choose(u"CollectAnswersForm"_s, [&](QWidget* form) {
            // A certificate without its key: said so, and the window stays.
            form->findChild<QLineEdit*>(u"CertificateFile"_s)->setText(cert);
            form->findChild<QPushButton*>(u"StartCollecting"_s)->click();
            problem = form->findChild<QLabel*>(u"HttpsProblem"_s)->text();
            QVERIFY(form->isVisible());
            form->findChild<QLineEdit*>(u"KeyFile"_s)->setText(key);
            form->findChild<QPushButton*>(u"StartCollecting"_s)->click();
        });
        ModalStep shown(u"CollectionAddresses"_s, [&listed](QWidget* window) {
            listed.append(window->findChild<QListWidget*>(u"AddressList"_s)->item(0)->text());
        });
        collect->click();
        QVERIFY2(problem.contains(u"both the certificate and its private key"_s), qPrintable(problem));
        const QString address = program.mainWindow()->findChild<QLabel*>(u"CollectionAddress"_s)->text();
        QVERIFY2(address.startsWith(u"https://127.0.0.1:"_s), qPrintable(address));
        QCOMPARE(listed, QStringList { address });
        QCOMPARE(QSettings().value(u"collect/key"_s).toString(), key);

        folder.messages().queueAnswer(MessageAnswer::Ok);
        collect->click();
    }

    void aBusyPortIsReportedNotShared()
    {
        TestProgramFolder folder;
        Program first(folder.path());
        first.setCollectionListen(u"127.0.0.1"_s, 0);
        first.start();
        auto* collect = first.mainWindow()->findChild<QPushButton*>(u"CollectAnswers"_s);
        startCollecting(collect);
        const QString text = first.mainWindow()->findChild<QLabel*>(u"CollectionAddress"_s)->text();
        const quint16 port
            = quint16(text.section(QLatin1Char(':'), 2).section(QLatin1Char('/'), 0, 0).toUInt());
        QVERIFY(port > 0);

        Program second(folder.path());
        second.setCollectionListen(u"127.0.0.1"_s, port);
        second.start();
        auto* secondCollect = second.mainWindow()->findChild<QPushButton*>(u"CollectAnswers"_s);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        ModalStep choose(u"CollectAnswersForm"_s,
            [](QWidget* form) { form->findChild<QPushButton*>(u"StartCollecting"_s)->click(); });
        secondCollect->click();
        QCOMPARE(folder.messages().boxes().constLast().icon, MessageIcon::Exclamation);
        QVERIFY(folder.messageTexts().constLast().startsWith(u"The answers cannot be collected: "_s));
        QCOMPARE(secondCollect->text(), u"Collect Answers"_s);
    }
};

QTEST_MAIN(TestCollectAnswers)
#include "tst_collectanswers.moc"
