// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/MessageBoxMessages.h"
#include "platform/OutcomeMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace quenlow;

// The real boxes: Enter presses the default button the question asked for, so
// a hasty Enter on "replace the report?" keeps the report.
class TestMessageBoxes : public QObject
{
    Q_OBJECT
private slots:
    void enterPressesTheDefault_data()
    {
        QTest::addColumn<int>("defaultAnswer");
        QTest::addColumn<int>("expected");
        QTest::newRow("destroying: No") << int(MessageAnswer::No) << int(MessageAnswer::No);
        QTest::newRow("harmless: Yes") << int(MessageAnswer::Yes) << int(MessageAnswer::Yes);
    }
    void enterPressesTheDefault()
    {
        QFETCH(int, defaultAnswer);
        QFETCH(int, expected);
        bool seen = false;
        QTimer::singleShot(0, this, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            QTest::keyClick(box, Qt::Key_Return);
        });
        MessageBoxMessages messages;
        const MessageAnswer answer = messages.show(QStringLiteral("Quenlow"), QStringLiteral("Replace it?"),
            MessageIcon::None, MessageButtons::YesNo, MessageAnswer(defaultAnswer));
        QVERIFY(seen);
        QCOMPARE(int(answer), expected);
    }

    // A damaged collection file is asked about in the words of a missing one.
    void damagedCollectionIsAskedAbout()
    {
        const Notice question { Notice::Kind::OpenPageOnly, QStringLiteral("broken"),
            QStringLiteral("broken.html"), QStringLiteral("no header first"), {},
            Notice::Collection::Damaged };
        QCOMPARE(noticeText(question),
            QStringLiteral("Sorry, but Collection text file for the Form 'broken' is damaged "
                           "(no header first). Do you wish just to open the HTML Form file ?"));
    }

    // A clash names the field the page posts itself, or the question whose kind field it would share.
    void nameClashesSayWhatTheNameMeetsOnThePage()
    {
        Notice clash { Notice::Kind::NameClash, QStringLiteral("tableName"), QStringLiteral("tableName"),
            {} };
        QCOMPARE(noticeText(clash),
            QStringLiteral(
                "The form itself sends a field called 'tableName', so a question of that name would "
                "store the wrong answer. Please call it something else."));
        clash.place = QStringLiteral("Colour");
        clash.names = { QStringLiteral("Colour Type") };
        QCOMPARE(noticeText(clash),
            QStringLiteral(
                "The form already has a question called 'Colour Type'; together with 'Colour' the "
                "answers could be stored under the wrong question, since the form sends the kind of "
                "each question as '<question> Type'. Please call it something else."));
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
