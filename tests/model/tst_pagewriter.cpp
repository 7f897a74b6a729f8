// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QSignalSpy>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

class TestPageWriter : public QObject
{
    Q_OBJECT

private slots:
    void headerOnlyFormGivesTwoLinesAndSetsTheCaptions()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        QSignalSpy navigations(&session, &FormSession::navigateRequested);
        createForm(session, QStringLiteral("survey"), QStringLiteral("Staff Survey"));
        session.setHtmlFrameCaption(QStringLiteral("Help Pages"));
        QVERIFY(WriteFormPage(session, QStringLiteral("survey.html")));
        const QString header = session.collection.atPosition(0).htmlCode;
        QCOMPARE(readBytes(folder.html(QStringLiteral("survey.html"))),
                 header.toLatin1() + "\r\n<P></FORM></HTML>\r\n");
        QCOMPARE(session.htmlName(), QStringLiteral("survey.html"));
        QCOMPARE(session.htmlFrameCaption(), QStringLiteral("Current Form"));
        QCOMPARE(navigations.constLast().at(0).toString(), folder.html(QStringLiteral("survey.html")));
    }

    void collectionFileFollowsTheHtmlNameCaption()
    {
        // The collection is saved under the name the caption holds, not a stale form name.
        TestProgramFolder folder;
        FormSession session(folder.path());
        createForm(session, QStringLiteral("survey"));
        session.openFormName = QStringLiteral("stale");
        QVERIFY(WriteFormPage(session, QStringLiteral("survey.html")));
        QCOMPARE(session.openFormName, QStringLiteral("survey"));
        QVERIFY(readBytes(folder.collection(QStringLiteral("stale"))).isEmpty());
        QVERIFY(!readBytes(folder.collection(QStringLiteral("survey"))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPageWriter)
#include "tst_pagewriter.moc"
