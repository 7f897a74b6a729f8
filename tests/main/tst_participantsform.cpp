// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "main/ParticipantsForm.h"
#include "model/FormSession.h"
#include "support/TestProgramFolder.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

void click(QWidget* window, const QString& name)
{
    auto* button = window->findChild<QPushButton*>(name);
    QVERIFY2(button && button->isEnabled(), qPrintable(name));
    button->click();
}

QStringList column(const QTableWidget* list, int c)
{
    QStringList texts;
    for (int r = 0; r < list->rowCount(); ++r)
        texts.append(list->item(r, c) ? list->item(r, c)->text() : QString());
    return texts;
}

} // namespace

class TestParticipantsForm : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ParticipantsForm::setFileChooserForTesting({}); }

    // Importing, making codes, removing and exporting those not answered,
    // each seen in the list; a refused file says why and adds nobody.
    void theParticipantsAreKeptAndShown()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        session.setAnswersStore(folder.database());
        session.setOpenFormName(u"class"_s);
        {
            auto store = openAnswersStore(folder.database());
            QVERIFY((*store)->createTable(AnswersStore::tableFor(u"class"_s), u"Form Question"_s));
        }
        const QString csv = folder.path() + u"/pupils.csv"_s;
        const QString missing = folder.path() + u"/Reports/missing.csv"_s;
        ParticipantsForm::setFileChooserForTesting([&](bool save) { return save ? missing : csv; });

        ParticipantsForm window(session);
        auto* list = window.findChild<QTableWidget*>(u"ParticipantList"_s);
        QVERIFY(list);
        QCOMPARE(list->rowCount(), 0);

        writeBytes(csv, "name,class\nAnn,5a\n\nBen,5b\n");
        folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&window, u"ImportParticipants"_s);
        QCOMPARE(folder.messageTexts().value(0),
            u"Line 3 of the file is empty. Remove it and import the file again. Nobody was added."_s);
        QCOMPARE(list->rowCount(), 0);

        writeBytes(csv, "name,class\nAnn,5a\nBen,5b\n");
        folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&window, u"ImportParticipants"_s);
        QCOMPARE(folder.messageTexts().value(1), u"2 participant(s) added, each with a personal code."_s);
        QCOMPARE(column(list, 0), (QStringList { u"Ann"_s, u"Ben"_s }));
        QCOMPARE(column(list, 2), (QStringList { u"5a"_s, u"5b"_s }));
        QCOMPARE(column(list, 3), (QStringList { u"No"_s, u"No"_s }));

        window.findChild<QSpinBox*>(u"CodeCount"_s)->setValue(3);
        click(&window, u"MakeCodes"_s);
        QCOMPARE(list->rowCount(), 5);
        QCOMPARE(list->item(4, 1)->text().size(), 8);

        list->selectRow(0);
        folder.messages().queueAnswer(MessageAnswer::Yes);
        click(&window, u"RemoveParticipant"_s);
        QCOMPARE(list->rowCount(), 4);
        QCOMPARE(list->item(0, 0)->text(), u"Ben"_s);

        click(&window, u"ExportNotAnswered"_s);
        const QList<QByteArray> lines = readBytes(missing).split('\n');
        QCOMPARE(lines.size(), 6); // the columns, four people, the last break
        QCOMPARE(lines.at(1), "Ben," + list->item(0, 1)->text().toLatin1() + ",5b\r");
    }
};

QTEST_MAIN(TestParticipantsForm)
#include "tst_participantsform.moc"
