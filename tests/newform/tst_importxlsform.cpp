// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/CollectionFile.h"
#include "model/FormSession.h"
#include "newform/ImportXlsForm.h"
#include "platform/BrowserView.h"
#include "server/ListenAddress.h"
#include "server/ServerFixture.h"
#include "support/ModalStep.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

void writeXlsForm(const QString& kind, const QString& path)
{
    QProcess python;
    python.start(u"/usr/bin/python3"_s,
        { QStringLiteral(QUENLOW_SOURCE_DIR "/tests/export/xlsforms.py"), kind, path });
    QVERIFY(python.waitForFinished(60000));
    QCOMPARE(python.exitCode(), 0);
}

/// Everything a form of the folder is made of: its files and tables.
QStringList formsIn(const TestProgramFolder& folder)
{
    QStringList found = QDir(folder.path() + u"/HTML"_s).entryList({ u"*.html"_s }, QDir::Files);
    found += QDir(folder.path() + u"/Collections"_s).entryList({ u"*Collection.txt"_s }, QDir::Files);
    const auto store = openStore(folder.database());
    found += store ? store->tables().valueOr({}) : QStringList();
    found.removeAll(u"welcome.html"_s);
    found.removeIf([](const QString& name) { return name.startsWith(u"welcome."_s); });
    return found;
}

} // namespace

class TestImportXlsForm : public QObject
{
    Q_OBJECT

    // Opens the window, fills it and presses Import; the window is closed if it stays.
    bool importThroughWindow(
        FormSession& session, const QString& file, const QString& name, QString* proposed = nullptr)
    {
        ModalStep step(u"ImportXlsForm"_s, [&](QWidget* w) {
            auto* fileBox = child<QLineEdit>(w, "XlsFormFileBox");
            fileBox->setText(file);
            emit fileBox->editingFinished();
            if (proposed)
                *proposed = child<QLineEdit>(w, "XlsFormNameBox")->text();
            if (!name.isNull())
                child<QLineEdit>(w, "XlsFormNameBox")->setText(name);
            click(w, "ImportXlsFormOK");
        });
        return ImportXlsForm::importXlsForm(session, nullptr);
    }

private slots:
    void initTestCase()
    {
        BrowserView::setRecorder([](const QString&, const QString&, const QString&) {});
    }

    void householdImportsAndCollects()
    {
        TestProgramFolder folder;
        const QString file = folder.path() + u"/Household Survey.xlsx"_s;
        writeXlsForm(u"household"_s, file);
        FormSession session(folder.path());
        QString proposed;
        QVERIFY(importThroughWindow(session, file, {}, &proposed));
        QCOMPARE(proposed, u"household"_s); // the settings' form_id
        QCOMPARE(session.openFormName(), u"household"_s);
        QCOMPARE(folder.messageTexts(), QStringList {});

        const ParsedCollection stored = readCollectionFile(folder.collection(u"household"_s));
        QVERIFY(stored.ok());
        QStringList rows;
        for (const FormMethod& m : stored.methods)
            rows.append(m.rowText());
        const QString members = u"How many people live in the household?"_s;
        QCOMPARE(rows,
            (QStringList { u"Header - Household survey 2026"_s, u"Plain Text - Household survey"_s,
                u"Text Field - Village"_s, u"Plain Text - As the village is known locally"_s,
                u"Text Field - "_s + members, u"Radio Buttons - Does the household have piped water?"_s,
                u"Pull Down Menu - Main source of drinking water"_s, u"Check Box - Radio"_s,
                u"Check Box - Bicycle"_s, u"Check Box - Cattle"_s, u"Text Field - How many cattle?"_s,
                u"Text Field - Date of the visit"_s, u"Text Area - Remarks"_s,
                u"Submit Button - Submit"_s }));
        QCOMPARE(columnNames(folder.database(), u"tbl_household"_s),
            (QStringList { u"Form Question"_s, u"Village"_s, members,
                u"Does the household have piped water?"_s, u"Main source of drinking water"_s, u"Radio"_s,
                u"Bicycle"_s, u"Cattle"_s, u"How many cattle?"_s, u"Date of the visit"_s, u"Remarks"_s }));

        // The service takes answers for it, and holds them to the form's limits.
        QProcess server;
        const quint16 port = freeLoopbackPort();
        server.setReadChannel(QProcess::StandardError);
        server.start(QStringLiteral(QUENLOW_SERVER_EXECUTABLE),
            { u"--app-folder"_s, folder.path(), u"--database"_s, folder.database(), u"--listen"_s,
                u"127.0.0.1:%1"_s.arg(port) });
        QVERIFY(server.waitForStarted(5000));
        QByteArray said;
        for (int i = 0; i < 100 && !said.contains("collecting answers"); ++i) {
            server.waitForReadyRead(100);
            said += server.readAllStandardError();
        }
        TestClient client(port);
        const RawResponse page = client.get("/household.html");
        QCOMPARE(page.status, 200);
        const auto answers = [&](const QString& count) {
            return QList<QPair<QString, QString>> { { u"tableName"_s, u"tbl_household"_s },
                { u"Village Type"_s, u"Text Field"_s }, { u"Village"_s, u"Kibera"_s },
                { members + u" Type"_s, u"Text Field"_s }, { members, count },
                { u"Does the household have piped water? Type"_s, u"Radio Buttons"_s },
                { u"Does the household have piped water?"_s, u"No"_s },
                { u"Main source of drinking water Type"_s, u"Menu"_s },
                { u"Main source of drinking water"_s, u"Well"_s }, { u"Cattle Type"_s, u"Check Box"_s },
                { u"Cattle"_s, u"on"_s }, { u"How many cattle? Type"_s, u"Text Field"_s },
                { u"How many cattle?"_s, u"3"_s }, { u"Date of the visit Type"_s, u"Text Field"_s },
                { u"Date of the visit"_s, u"2026-12-07"_s } };
        };
        QCOMPARE(client.postForm(answers(u"40"_s)).status, 422);
        QCOMPARE(client.postForm(answers(u"5"_s)).status, 200);
        server.terminate();
        QVERIFY(server.waitForFinished(10000));

        const QList<QVariantMap> stored_rows = tableRows(folder.database(), u"tbl_household"_s);
        QCOMPARE(stored_rows.size(), 1);
        const QVariantMap& row = stored_rows.constFirst();
        QCOMPARE(row.value(u"Village"_s).toString(), u"Kibera"_s);
        QCOMPARE(row.value(members).toString(), u"5"_s);
        QCOMPARE(row.value(u"Main source of drinking water"_s).toString(), u"Well"_s);
        QCOMPARE(row.value(u"Cattle"_s).toString(), u"Checked"_s);
        QCOMPARE(row.value(u"How many cattle?"_s).toString(), u"3"_s);
        QCOMPARE(row.value(u"Date of the visit"_s).toString(), u"2026-12-07"_s);
    }

    void refusalsMakeNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("repeat") << u"repeat"_s << u"household"_s
                                << u"These rows of 'FILE' cannot become part of a Quenlow form (repeats, "
                                   "calculations, conditions and limits other than a simple comparison, and "
                                   "unknown types):\nrow 2: begin_repeat 'person'\nrow 4: end_repeat\n"
                                   "row 14: calculate 'total'\nrow 15: geopoint 'where'\n"
                                   "No form has been created."_s;
        QTest::newRow("not a workbook")
            << u"text"_s << u"household"_s
            << u"The file 'FILE' is not an XLSForm: it is not an Excel workbook (.xlsx). No form has been created."_s;
        QTest::newRow("missing list")
            << u"missinglist"_s << u"household"_s
            << u"The choice list 'assets' (row 8: select_multiple assets 'assets') is not "
               "in the 'choices' sheet of 'FILE'. No form has been created."_s;
        QTest::newRow("name taken") << u"household"_s << u"taken"_s
                                    << u"Sorry but there is already a Form and DB Table with the name "
                                       "'taken'.Please enter another name for the HTML form file."_s;
    }

    void refusalsMakeNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, message);
        TestProgramFolder folder;
        FormSession session(folder.path());
        const QString file = folder.path() + u"/form.xlsx"_s;
        if (kind == u"text"_s)
            writeBytes(file, "type,name\r\ntext,name\r\n");
        else
            writeXlsForm(kind, file);
        // A form of that name is there already: its files stay as they were.
        writeBytes(folder.html(u"taken.html"_s), "<html>taken</html>");
        const QStringList before = formsIn(folder);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(!importThroughWindow(session, file, name));
        QCOMPARE(folder.messageTexts(), QStringList { QString(message).replace(u"FILE"_s, file) });
        QCOMPARE(formsIn(folder), before);
        QCOMPARE(readBytes(folder.html(u"taken.html"_s)), QByteArray("<html>taken</html>"));
        QVERIFY(!session.isFormOpen());
    }
};

QTEST_MAIN(TestImportXlsForm)
#include "tst_importxlsform.moc"
