// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "database/AnswerColumns.h"
#include "main/FormHistory.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

namespace {

QStringList columnNames(const TestProgramFolder& folder)
{
    return quenlow::test::columnNames(folder.database(), QStringLiteral("tbl_survey"));
}

// An answer stored by the service meanwhile.
void answer(const TestProgramFolder& folder, const QList<std::pair<QString, std::optional<QString>>>& values)
{
    QVERIFY(openStore(folder.database())->insertRows({{QStringLiteral("tbl_survey"), values, {}, {}, {}}}));
}

bool add(FormSession& session, const QString& kind, const QString& question)
{
    return session.recordChange(QStringLiteral("Add"), [&] {
        return InsertMethod(session, element(kind, question)) && WriteFormPage(session, session.htmlName());
    });
}

} // namespace

// What the scenarios cannot reach: answers arriving between a change and its undo.
class TestFormHistory : public QObject
{
    Q_OBJECT
private slots:
    // A question removed while the table is empty comes back in its own place.
    void undoneRemovalPutsTheColumnBackInPlace()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, QStringLiteral("survey"));
        QVERIFY(add(session, Kind::textField(), QStringLiteral("A")));
        QVERIFY(add(session, Kind::textField(), QStringLiteral("B")));
        const QByteArray page = readBytes(folder.html(QStringLiteral("survey.html")));
        session.setSelectedRow(1);
        QVERIFY(session.recordChange(QStringLiteral("Remove"), [&] { return removeSelected(session); }));
        QCOMPARE(columnNames(folder), (QStringList{QStringLiteral("Form Question"), QStringLiteral("B")}));
        history.stack()->undo();
        QCOMPARE(columnNames(folder), (QStringList{QStringLiteral("Form Question"), QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))), page);
        QCOMPARE(session.collection.count(), 3);
    }

    // Undoing an add whose column has answers by now keeps them (and says so);
    // one holding only the marker of older rows goes.
    void answersGivenSinceAnAddAreKept()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        FormHistory history(session);
        createForm(session, QStringLiteral("survey"));
        answer(folder, {});
        const QByteArray collection = readBytes(folder.collection(QStringLiteral("survey")));
        QVERIFY(add(session, Kind::textField(), QStringLiteral("Marker only")));
        history.stack()->undo();
        QCOMPARE(columnNames(folder), QStringList{QStringLiteral("Form Question")});
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))), collection);

        history.stack()->redo();
        QCOMPARE(tableRows(folder.database(), QStringLiteral("tbl_survey")).value(0).value(QStringLiteral("Marker only")),
                 columnAddedMarker());
        answer(folder, {{QStringLiteral("Marker only"), QStringLiteral("yes")}});
        folder.messages().queueAnswer(MessageAnswer::Ok);
        history.stack()->undo();
        QCOMPARE(columnNames(folder), (QStringList{QStringLiteral("Form Question"), QStringLiteral("Marker only")}));
        QCOMPARE(readBytes(folder.collection(QStringLiteral("survey"))), collection);
        QCOMPARE(folder.messageTexts().constLast(),
                 QStringLiteral("The answers to 'Marker only' are kept in the answers table."));
    }
};

QTEST_MAIN(TestFormHistory)
#include "tst_formhistory.moc"
