// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/Participants.h"
#include "export/AnswersExport.h"
#include "model/FormSession.h"
#include "print/Invitations.h"
#include "support/FormFixture.h"
#include "support/PrintedCards.h"
#include "support/TestProgramFolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;

namespace {

constexpr int kDpi = 150;

QList<Participant> pupils(int count)
{
    const QStringList codes = makeParticipantCodes("key", u"tbl_class"_s, count, {});
    QList<Participant> people;
    for (int i = 0; i < count; ++i) {
        Participant p;
        p.code = codes.at(i);
        // One without a name, as codes handed out without names are, and one beyond Latin-1.
        p.name = i == 3 ? QString() : i == 7 ? u"Zoë Ünal Łukasz"_s : u"Pupil %1"_s.arg(i + 1);
        p.attributes = { { u"class"_s, u"5a"_s } };
        people.append(p);
    }
    return people;
}

/// Every card of `people` on the pages of `pdf`: its name and code in the
/// text, its QR code the person's own address (read off the drawn pages).
void checkCards(const QString& pdf, const QList<Participant>& people, const QString& formAddress)
{
    const QString text = pdfText(pdf);
    for (const Participant& p : people) {
        QVERIFY2(text.contains(groupedCode(p.code)), qPrintable(p.code));
        if (!p.name.isEmpty())
            QVERIFY2(text.contains(p.name), qPrintable(p.name));
    }
    const QList<QImage> pages = pdfPages(pdf, kDpi);
    QCOMPARE(pages.size(), (people.size() + kInvitationsPerPage - 1) / kInvitationsPerPage);
    for (qsizetype i = 0; i < people.size(); ++i) {
        const QString mismatch = codeMismatch(pages.at(i / kInvitationsPerPage),
            invitationCodeArea(int(i % kInvitationsPerPage)), kDpi,
            personalAddress(formAddress, people.at(i).code));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    // The reading tells one card from the next.
    QVERIFY(!codeMismatch(
        pages.constFirst(), invitationCodeArea(0), kDpi, personalAddress(formAddress, people.at(1).code))
                 .isEmpty());
    // A reader that did not draw them, where one is installed.
    bool zbar = false;
    QStringList read = zbarCodes(pages.constFirst(), &zbar);
    if (zbar) {
        QStringList wanted;
        for (const Participant& p : people.mid(0, kInvitationsPerPage))
            wanted.append(personalAddress(formAddress, p.code));
        read.sort();
        wanted.sort();
        QCOMPARE(read, wanted);
    }
}

} // namespace

class TestInvitations : public QObject
{
    Q_OBJECT

private slots:
    void addressesAndCodesAsPrinted()
    {
        const QString page = u"class.html"_s;
        QCOMPARE(formAddressAt(u"http://10.0.0.5:8080"_s, page), u"http://10.0.0.5:8080/class.html"_s);
        QCOMPARE(formAddressAt(u" https://forms.example.org/ "_s, page),
            u"https://forms.example.org/class.html"_s);
        // The address the program shows for the form is taken as it is.
        QCOMPARE(
            formAddressAt(u"http://10.0.0.5:8080/class.html"_s, page), u"http://10.0.0.5:8080/class.html"_s);
        QCOMPARE(
            formAddressAt(u"http://h:1/sub/"_s, u"my class.html"_s), u"http://h:1/sub/my%20class.html"_s);
        QCOMPARE(
            personalAddress(u"http://h:1/a.html"_s, u"ACDE7X9Q"_s), u"http://h:1/a.html?code=ACDE7X9Q"_s);
        QCOMPARE(groupedCode(u"ACDE7X9Q"_s), u"ACDE 7X9Q"_s);
        // What is printed is taken back as typed from the card.
        QCOMPARE(normalizedCode(u"acde 7x9q"_s), u"ACDE7X9Q"_s);
    }

    // Twenty-five cards are four pages, eight to a page; each card shows its
    // name and code and holds its own address in its QR code.
    void cardsAreEightToAPage()
    {
        const QList<Participant> people = pupils(25);
        const QString address = u"http://192.168.1.20:8080/class.html"_s;
        const auto pdf
            = invitationsPdf({ u"Class 5a: how was the trip?"_s, address, FormLanguage::German }, people);
        QVERIFY(pdf);
        TestProgramFolder folder(false);
        const QString file = folder.path() + u"/cards.pdf"_s;
        writeBytes(file, *pdf);
        QCOMPARE(pdfPageCount(file), 4);
        QVERIFY(pdfText(file).contains(u"Ihr persönlicher Code"_s));
        checkCards(file, people, address);

        // An address no QR code holds stops the sheet before anything is drawn.
        const auto tooLong = invitationsPdf({ u"T"_s, u"http://h/"_s + QString(3000, u'a'), {} }, people);
        QVERIFY(!tooLong);
        QVERIFY(tooLong.error().detail.contains(u"too long for a QR code"_s));
    }

    // quenlow-export --format invitations: the form's people from the store,
    // written whole or not at all, never over the answers.
    void exportedFromTheCommandLine()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        session.setAnswersStore(folder.database());
        createForm(session, u"class"_s, u"Class Trip"_s);
        const auto exporter = [&](const QStringList& extra, QString* errors = nullptr) {
            QProcess process;
            process.start(QStringLiteral(QUENLOW_PROGRAM_DIR "/quenlow-export"),
                QStringList { u"--app-folder"_s, folder.path(), u"--database"_s, folder.database(),
                    u"--form"_s, u"class.html"_s, u"--format"_s, u"invitations"_s }
                    + extra);
            process.waitForFinished(60000);
            if (errors)
                *errors = QString::fromLocal8Bit(process.readAllStandardError());
            return process.exitCode();
        };
        const QString out = folder.path() + u"/Reports/class invitations.pdf"_s;
        QString errors;
        QCOMPARE(exporter({ u"--output"_s, out }, &errors), 1);
        QVERIFY2(errors.contains(u"invitations need --base-address"_s), qPrintable(errors));
        const QStringList base { u"--base-address"_s, u"http://10.1.2.3:8080"_s };
        QCOMPARE(exporter(base + QStringList { u"--output"_s, out }, &errors), 1);
        QVERIFY2(
            errors.contains(u"The form 'class.html' has no participants to invite."_s), qPrintable(errors));
        QVERIFY(!QFileInfo::exists(out));

        const QList<Participant> people = pupils(9);
        QVERIFY(addParticipants(*openStore(folder.database()), u"tbl_class"_s, people));
        // A folder that is not there: a clear message, no file.
        QCOMPARE(
            exporter(base + QStringList { u"--output"_s, folder.path() + u"/none/x.pdf"_s }, &errors), 1);
        QVERIFY2(!errors.trimmed().isEmpty(), "no reason given");
        QVERIFY(!QFileInfo::exists(folder.path() + u"/none"_s));
        if (!TestProgramFolder::onServerStore()) {
            // Never over the answers it reads.
            const QByteArray answers = readBytes(folder.database());
            QCOMPARE(exporter(base + QStringList { u"--output"_s, folder.database() }, &errors), 1);
            QCOMPARE(readBytes(folder.database()), answers);
        }
        QCOMPARE(exporter(base + QStringList { u"--output"_s, out }, &errors), 0);
        QCOMPARE(pdfPageCount(out), 2);
        checkCards(out, people, u"http://10.1.2.3:8080/class.html"_s);
        QVERIFY(pdfText(out).contains(u"Class Trip"_s));
        // No temporary file left beside it.
        QCOMPARE(QDir(folder.path() + u"/Reports"_s).entryList(QDir::Files | QDir::Hidden),
            QStringList { QFileInfo(out).fileName() });
    }
};

QTEST_MAIN(TestInvitations)
#include "tst_invitations.moc"
