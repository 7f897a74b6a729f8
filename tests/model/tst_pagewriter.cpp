// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/TestProgramFolder.h"

#include <QTest>

using namespace quenlow;
using namespace quenlow::test;

class TestPageWriter : public QObject
{
    Q_OBJECT

private slots:

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
