// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "main/CollectedFormsPanel.h"
#include "main/ParticipantsForm.h"
#include "model/FormSession.h"
#include "model/FormStates.h"
#include "print/Invitations.h"
#include "support/FormFixture.h"
#include "support/PrintedCards.h"
#include "support/TestProgramFolder.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
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

    // A teacher invites a class of 25: imports them, prints their cards (four
    // pages, each card's QR code the pupil's own address), five answer, and
    // the windows count them; the other twenty are exported to remind them.
    void aClassIsInvitedAndCounted()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        session.setAnswersStore(folder.database());
        createForm(session, u"class"_s, u"Class Trip"_s);
        QByteArray csv = "name,group\n";
        for (int i = 1; i <= 25; ++i)
            csv += "Pupil " + QByteArray::number(i) + ",group " + QByteArray::number(i % 3) + "\n";
        const QString csvFile = folder.path() + u"/class.csv"_s;
        writeBytes(csvFile, csv);
        const QString missing = folder.path() + u"/Reports/not answered.csv"_s;
        ParticipantsForm::setFileChooserForTesting([&](bool save) { return save ? missing : csvFile; });
        const QString cards = folder.path() + u"/Reports/class invitations.pdf"_s;

        ParticipantsForm window(session);
        auto* fileBox = window.findChild<QLineEdit*>(u"InvitationsFileBox"_s);
        QVERIFY(fileBox);
        QVERIFY2(fileBox->text().endsWith(u"/class invitations.pdf"_s), qPrintable(fileBox->text()));
        // In a folder that is there, or printing at once would fail.
        QVERIFY2(QFileInfo(QFileInfo(fileBox->text()).path()).isDir(), qPrintable(fileBox->text()));
        fileBox->setText(cards);
        window.setFormAddress(u"http://192.168.1.20:8080/class.html"_s);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&window, u"PrintInvitations"_s);
        QCOMPARE(folder.messageTexts().constLast(),
            u"This form has no participants to invite yet. Import them from a CSV file or make codes first."_s);
        QVERIFY(!QFileInfo::exists(cards));

        folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&window, u"ImportParticipants"_s);
        QCOMPARE(folder.messageTexts().constLast(), u"25 participant(s) added, each with a personal code."_s);

        // A file that cannot be written says so, and nothing is left.
        fileBox->setText(folder.path() + u"/gone/cards.pdf"_s);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&window, u"PrintInvitations"_s);
        QVERIFY2(folder.messageTexts().constLast().startsWith(u"The invitations could not be written."_s),
            qPrintable(folder.messageTexts().constLast()));
        QVERIFY(!QFileInfo::exists(folder.path() + u"/gone"_s));
        // Cards that lead to this computer alone reach nobody: asked first, No by default.
        fileBox->setText(cards);
        window.setFormAddress(u"http://127.0.0.1:8080/class.html"_s);
        folder.messages().queueAnswer(MessageAnswer::No);
        click(&window, u"PrintInvitations"_s);
        QVERIFY(folder.messageTexts().constLast().startsWith(
            u"The address http://127.0.0.1:8080/class.html works on this computer only"_s));
        QCOMPARE(folder.messages().boxes().constLast().defaultAnswer, MessageAnswer::No);
        QVERIFY(!QFileInfo::exists(cards));

        window.setFormAddress(u"http://192.168.1.20:8080/class.html"_s);
        folder.messages().queueAnswer(MessageAnswer::Ok);
        click(&window, u"PrintInvitations"_s);
        QCOMPARE(folder.messageTexts().constLast(), u"25 invitation(s) written to %1."_s.arg(cards));
        QCOMPARE(pdfPageCount(cards), 4);
        const QList<Participant> people
            = participantsOf(*openStore(folder.database()), u"tbl_class"_s).valueOr({});
        QCOMPARE(people.size(), 25);
        const QString text = pdfText(cards);
        QVERIFY(text.contains(u"Class Trip"_s));
        const QList<QImage> pages = pdfPages(cards, 150);
        QCOMPARE(pages.size(), 4);
        for (qsizetype i = 0; i < people.size(); ++i) {
            QVERIFY(text.contains(people.at(i).name));
            QVERIFY(text.contains(groupedCode(people.at(i).code)));
            const QString wrong = codeMismatch(pages.at(i / kInvitationsPerPage),
                invitationCodeArea(int(i % kInvitationsPerPage)), 150,
                u"http://192.168.1.20:8080/class.html?code="_s + people.at(i).code);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        }

        QStringList five;
        for (const Participant& p : people.mid(0, 5))
            five.append(p.code);
        markAnswered(folder.database(), u"class"_s, five);
        ParticipantsForm again(session);
        QCOMPARE(again.findChild<QLabel*>(u"ParticipantsSummary"_s)->text(), u"answered 5 of 25"_s);
        // The Collect Answers window's forms, as they follow the answers.
        QCOMPARE(formOverviews(session).value(0).participation, (Participation { 25, 5 }));
        CollectedFormsPanel panel(session, {});
        auto* forms = panel.findChild<QTableWidget*>(u"CollectedFormsTable"_s);
        QCOMPARE(forms->item(0, 3)->text(), u"answered 5 of 25"_s);

        click(&again, u"ExportNotAnswered"_s);
        const QString written = QString::fromUtf8(readBytes(missing));
        QCOMPARE(written.count(u"\r\n"_s), 21); // the columns and twenty pupils
        for (qsizetype i = 0; i < people.size(); ++i)
            QCOMPARE(written.contains(people.at(i).code), i >= 5);
    }
};

QTEST_MAIN(TestParticipantsForm)
#include "tst_participantsform.moc"
