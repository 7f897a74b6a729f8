// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswersDatabase.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

QStringList columnsOf(const TestProgramFolder& folder, const QString& table)
{
    QStringList names;
    auto db = AnswersDatabase::open(folder.database());
    for (const auto& c : db->columns(table))
        names.append(c.name);
    return names;
}

QStringList types(const FormSession& session)
{
    QStringList result;
    session.collection.forEach([&result](const FormMethod& m) { result.append(m.methodType); });
    return result;
}

// Keys equal positions and each row describes the record at its index.
void checkInvariants(const FormSession& session)
{
    QCOMPARE(session.collection.count(), int(session.methodCount));
    QCOMPARE(session.rows()->count(), int(session.methodCount));
    for (int i = 0; i < session.collection.count(); ++i) {
        QCOMPARE(session.collection.keyAt(i), QString::number(i));
        if (i > 0)
            QCOMPARE(session.rows()->text(i), session.collection.atPosition(i).rowText());
    }
}

} // namespace

class TestElementOperations : public QObject
{
    Q_OBJECT

private slots:
    void insertGoesDirectlyAboveTheSubmitButton()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QAbstractItemModelTester tester(session.rows());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(InsertMethod(session, element(Kind::textArea(), QStringLiteral("Comments"))));
        QVERIFY(InsertMethod(session, element(Kind::submitButton(), QStringLiteral("Submit Form"))));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("Your name"))));
        QCOMPARE(types(session), QStringList({Kind::header(), Kind::textArea(), Kind::textField(), Kind::submitButton()}));
        QCOMPARE(session.selectedRow(), 2);
        checkInvariants(session);
        QCOMPARE(columnsOf(folder, QStringLiteral("tbl_survey")),
                 QStringList({QStringLiteral("Form Question"), QStringLiteral("Comments"), QStringLiteral("Your name")}));
        // The caller's page write puts the fragments in the new order.
        QVERIFY(WriteFormPage(session, session.htmlName()));
        const QByteArray page = readBytes(folder.html(QStringLiteral("survey.html")));
        QVERIFY(page.indexOf("Your name") < page.indexOf("Submit Form"));
        QVERIFY(page.indexOf("Comments") < page.indexOf("Your name"));
    }

    void insertWithoutSubmitButtonAppends()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(InsertMethod(session, element(Kind::line(), QStringLiteral("Horizontal"))));
        QVERIFY(InsertMethod(session, element(Kind::plainText(), QStringLiteral("Hello"))));
        QCOMPARE(types(session), QStringList({Kind::header(), Kind::line(), Kind::plainText()}));
        QCOMPARE(session.selectedRow(), 2);
        checkInvariants(session);
        // Elements without a question never touch the table.
        QCOMPARE(columnsOf(folder, QStringLiteral("tbl_survey")), QStringList({QStringLiteral("Form Question")}));
    }

    void refusedDuplicateChangesNothing()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("Your name"))));
        const QList<FormMethod> before = session.collection.methods();
        const QStringList rows = session.rows()->texts();
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(!InsertMethod(session, element(Kind::checkBox(), QStringLiteral("your NAME"))));
        QCOMPARE(folder.messageTexts().constLast(),
                 QStringLiteral("You already have a User Instruction called your NAME. Please call it something else."));
        QCOMPARE(session.collection.methods(), before);
        QCOMPARE(session.rows()->texts(), rows);
        QCOMPARE(columnsOf(folder, QStringLiteral("tbl_survey")),
                 QStringList({QStringLiteral("Form Question"), QStringLiteral("Your name")}));
    }

    void namesThePageCouldConfuseAreRefused()
    {
        // The page posts tableName, DBLocation, background and allowShowTableButtron
        // itself, and "<question> Type" beside each question.
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("Size"))));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("Colour Type"))));
        for (const QString& name : {QStringLiteral("tableName"), QStringLiteral("DBLocation"), QStringLiteral("background"),
                                    QStringLiteral("Size Type"), QStringLiteral("Colour")}) {
            folder.messages().queueAnswer(MessageAnswer::Ok);
            QVERIFY2(!InsertMethod(session, element(Kind::checkBox(), name)), qPrintable(name));
            QVERIFY(folder.messageTexts().constLast().contains(QStringLiteral("Please call it something else.")));
        }
        QVERIFY(folder.messageTexts().constLast().contains(QStringLiteral("'Colour Type'")));
        // Renaming into a clash is refused too; names merely alike are fine.
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(!UpdateMethod(session, element(Kind::textField(), QStringLiteral("Size Type")), QStringLiteral("2")));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("Table name"))));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("Size Types"))));
        QCOMPARE(columnsOf(folder, QStringLiteral("tbl_survey")),
                 QStringList({QStringLiteral("Form Question"), QStringLiteral("Size"), QStringLiteral("Colour Type"),
                              QStringLiteral("Table name"), QStringLiteral("Size Types")}));
    }

    void updateKeepsPlaceKeyAndColumnUnlessTheQuestionChanged()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("A"))));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("B"))));

        FormMethod same = element(Kind::textField(), QStringLiteral("A"));
        same.attribute4 = QStringLiteral("99");
        session.rows()->remove(1);
        session.rows()->insert(1, QStringLiteral("row text the update must keep"));
        QVERIFY(UpdateMethod(session, same, QStringLiteral("1")));
        QCOMPARE(session.collection.at(QStringLiteral("1")).attribute4, QStringLiteral("99"));
        QCOMPARE(session.rows()->text(1), QStringLiteral("row text the update must keep"));

        // The last record goes back under its own key, at the end.
        QVERIFY(UpdateMethod(session, element(Kind::textField(), QStringLiteral("B2")), QStringLiteral("2")));
        QCOMPARE(session.collection.keyAt(2), QStringLiteral("2"));
        QCOMPARE(session.collection.atPosition(2).userInstruction, QStringLiteral("B2"));
        QCOMPARE(session.rows()->text(2), QStringLiteral("Text Field - B2"));
        QCOMPARE(session.selectedRow(), 2);
        QCOMPARE(columnsOf(folder, QStringLiteral("tbl_survey")),
                 QStringList({QStringLiteral("Form Question"), QStringLiteral("A"), QStringLiteral("B2")}));

        // Renaming onto another question's column is refused and changes nothing.
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(!UpdateMethod(session, element(Kind::textField(), QStringLiteral("A")), QStringLiteral("2")));
        QCOMPARE(session.collection.atPosition(2).userInstruction, QStringLiteral("B2"));
        QCOMPARE(session.rows()->text(2), QStringLiteral("Text Field - B2"));

        // A rename failing for another reason says what failed, not that the name is taken.
        auto store = openAnswersStore(session.databasePath());
        QVERIFY(store && (*store)->dropColumn(QStringLiteral("tbl_survey"), QStringLiteral("B2")));
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(!UpdateMethod(session, element(Kind::textField(), QStringLiteral("B3")), QStringLiteral("2")));
        QCOMPARE(folder.messageTexts().constLast(),
                 QStringLiteral("The answers column for 'B3' could not be renamed (the table tbl_survey has no column "
                                "B2). Nothing has been changed."));
        QCOMPARE(session.collection.atPosition(2).userInstruction, QStringLiteral("B2"));
    }

    void movesFollowTheLayoutRules()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("Name"))));
        QVERIFY(InsertMethod(session, element(Kind::submitButton(), QStringLiteral("Submit Form"))));
        QVERIFY(InsertMethod(session, element(Kind::line(), QStringLiteral("Horizontal"))));
        // Header, Name, Line, Submit; move the line below the submit button.
        session.setSelectedRow(2);
        QVERIFY(moveSelectedDown(session));
        QCOMPARE(types(session), QStringList({Kind::header(), Kind::textField(), Kind::submitButton(), Kind::line()}));

        const auto refused = [&](int row, bool up, const QString& message) {
            session.setSelectedRow(row);
            folder.messages().queueAnswer(MessageAnswer::Ok);
            const QList<FormMethod> before = session.collection.methods();
            QVERIFY(!(up ? moveSelectedUp(session) : moveSelectedDown(session)));
            QCOMPARE(folder.messageTexts().constLast(), message);
            QCOMPARE(session.collection.methods(), before);
        };
        refused(1, false, QStringLiteral("You cannot move this Form Element below the Submit Button"));
        refused(2, true, QStringLiteral("You cannot move the Submit Button above this Form Element."));
        refused(1, true, QStringLiteral("Can't move method above the HTML Header !"));
        refused(0, true, QStringLiteral("You cannot move the Header."));
        refused(0, false, QStringLiteral("You cannot move the Header."));
        refused(3, false, QStringLiteral("Can't move method there - You've reached the end of the collection !"));
        refused(-1, true, QStringLiteral("Sorry, but you don't have a method selected."));

        // The submit button may move down below the line again.
        session.setSelectedRow(2);
        QVERIFY(moveSelectedDown(session));
        QCOMPARE(session.selectedRow(), 3);
        QCOMPARE(types(session), QStringList({Kind::header(), Kind::textField(), Kind::line(), Kind::submitButton()}));
        checkInvariants(session);
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("survey")));
        QVERIFY(collection.indexOf("Method Type\r\nLine") < collection.indexOf("Method Type\r\nSubmit Button"));
    }

    void moveMethodRefusesTheHeader()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(InsertMethod(session, element(Kind::line(), QStringLiteral("Horizontal"))));
        folder.messages().queueAnswer(MessageAnswer::Ok);
        QVERIFY(!MoveMethod(session, QStringLiteral("0"), QStringLiteral("1")));
        QCOMPARE(folder.messageTexts().constLast(),
                 QStringLiteral("Sorry but you cannot move the Form Header - it must remain at the top of the form"));
        QCOMPARE(types(session), QStringList({Kind::header(), Kind::line()}));
    }

    void removalRenumbersAndAsksWhenAnswersExist()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        for (const QString& q : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
            QVERIFY(InsertMethod(session, element(Kind::textField(), q)));
        QVERIFY(WriteFormPage(session, session.htmlName()));
        {
            auto db = AnswersDatabase::open(folder.database());
            QVERIFY(db->insertRow(QStringLiteral("tbl_survey"), {{QStringLiteral("B"), QStringLiteral("an answer")}}) > 0);
        }
        // No keeps column and element.
        session.setSelectedRow(2);
        folder.messages().queueAnswer(MessageAnswer::No);
        QVERIFY(!removeSelected(session));
        QCOMPARE(folder.messageTexts().constLast(),
                 QStringLiteral("The field 'B' contains data - Are you sure you wish to remove it ?"));
        QCOMPARE(session.collection.count(), 4);
        QVERIFY(columnsOf(folder, QStringLiteral("tbl_survey")).contains(QStringLiteral("B")));

        folder.messages().queueAnswer(MessageAnswer::Yes);
        QVERIFY(removeSelected(session));
        QCOMPARE(session.selectedRow(), -1);
        checkInvariants(session);
        QCOMPARE(session.rows()->texts().mid(1), QStringList({QStringLiteral("Text Field - A"), QStringLiteral("Text Field - C")}));
        QCOMPARE(columnsOf(folder, QStringLiteral("tbl_survey")),
                 QStringList({QStringLiteral("Form Question"), QStringLiteral("A"), QStringLiteral("C")}));
        // The record below the gap is reachable under its new key.
        session.setSelectedRow(2);
        QVERIFY(moveSelectedUp(session));
        QCOMPARE(session.rows()->texts().mid(1), QStringList({QStringLiteral("Text Field - C"), QStringLiteral("Text Field - A")}));

        folder.messages().queueAnswer(MessageAnswer::Ok);
        session.setSelectedRow(0);
        QVERIFY(!removeSelected(session));
        QCOMPARE(folder.messageTexts().constLast(),
                 QStringLiteral("You cannot remove 'Header' Methods since they are essential. You can however edit and move them as you wish."));
    }

    void nextElementNumberKeepsFourItems()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        session.elementCounter = 7;
        createForm(session, QStringLiteral("survey"));
        QVERIFY(NextElementNumber(session));
        QCOMPARE(session.elementCounter, qint16(8));
        const FormMethod& header = session.collection.at(QStringLiteral("0"));
        QCOMPARE(header.attribute6List.size(), 4);
        QCOMPARE(header.item(4), QStringLiteral(" 8 "));
        QCOMPARE(header.item(3), session.databasePath());
    }

    void sixteenBitLimitsAreRefusedNotOverflowed()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        folder.allowUnanswered();
        session.elementCounter = kMaxElements;
        QVERIFY(!NextElementNumber(session));
        QCOMPARE(session.elementCounter, qint16(kMaxElements));
        session.methodCount = kMaxElements;
        QVERIFY(!InsertMethod(session, element(Kind::line(), QStringLiteral("Horizontal"))));
        QCOMPARE(session.collection.count(), 1);
        QCOMPARE(folder.messages().boxes().size(), 2);
    }

    void roundTripOfEveryKindGivesIdenticalBytes()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        QVERIFY(InsertMethod(session, element(Kind::plainText(), QStringLiteral("Intro <b>bold</b>"))));
        QVERIFY(InsertMethod(session, element(Kind::textField(), QStringLiteral("Name"))));
        QVERIFY(InsertMethod(session, element(Kind::textArea(), QStringLiteral("Comments"))));
        QVERIFY(InsertMethod(session, element(Kind::checkBox(), QStringLiteral("Tea"))));
        QVERIFY(InsertMethod(session, element(Kind::radioButtons(), QStringLiteral("Colour"),
                                              {QStringLiteral("Red"), QStringLiteral("Red"), QStringLiteral("none")})));
        QVERIFY(InsertMethod(session, element(Kind::pullDownMenu(), QStringLiteral("Size"), {QStringLiteral("S")})));
        QVERIFY(InsertMethod(session, element(Kind::submitButton(), QStringLiteral("Go"))));
        QVERIFY(InsertMethod(session, element(Kind::line(), QStringLiteral("Horizontal"))));
        QVERIFY(WriteFormPage(session, session.htmlName()));
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("survey")));
        const QByteArray page = readBytes(folder.html(QStringLiteral("survey.html")));

        FormSession reopened(folder.path());
        LoadForm(reopened, folder.path(), QStringLiteral("survey.html"));
        QCOMPARE(reopened.collection.methods(), session.collection.methods());
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))), collection);
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))), page);
        // Header line plus one per element plus the closing line.
        QCOMPARE(page.count("\r\n"), 10);
        QVERIFY(page.endsWith("<P></FORM></HTML>\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestElementOperations)
#include "tst_elementoperations.moc"
