// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/Fragments.h"

#include <QTest>

using namespace quenlow;

namespace {

const QString k65 = QStringLiteral("Which of the following statements best describes your experience?");
const QString k64 = k65.left(64);

} // namespace

class TestFragments : public QObject
{
    Q_OBJECT
private slots:
    void fragments_data();
    void fragments();
    void longQuestionsCutInNamesOnly_data();
    void longQuestionsCutInNamesOnly();
    void menuHeight_data();
    void menuHeight();
};

void TestFragments::fragments_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");
    // The usual fragments are compared byte for byte in the pages the element
    // scenarios save; these are the edge cases no scenario types.
    const QStringList colours { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") };
    QTest::newRow("text field, size as typed")
        << textFieldFragment(
               QStringLiteral("Age"), QStringLiteral("wide"), QStringLiteral("3"), QStringLiteral("none yet"))
        << QStringLiteral("<P><input type=hidden name='Age Type' value='Text Field'><P>Age"
                          " <input name='Age' size='wide' maxlength='3' type='text' value ='none yet'>");
    QTest::newRow("menu, zero high")
        << pullDownMenuFragment(QStringLiteral("Colour"), QStringLiteral("0"), colours, noDefaultOption())
        << QStringLiteral("<P><input type=hidden name='Colour Type' value='Menu'><P>Colour"
                          " <select name='Colour' size=0><option>Red<option>Green<option>Blue</select>");
}

void TestFragments::fragments()
{
    QFETCH(QString, html);
    QFETCH(QString, expected);
    QCOMPARE(html, expected);
}

void TestFragments::longQuestionsCutInNamesOnly_data()
{
    QTest::addColumn<FormMethod>("method");
    QTest::addColumn<QString>("visible");
    QTest::newRow("text field") << textFieldMethod(k65, QStringLiteral("30"), QString(), QString())
                                << QStringLiteral("<P>") + k65 + QStringLiteral(" <input");
    QTest::newRow("text area") << textAreaMethod(k65, QStringLiteral("5"), QStringLiteral("40"), QString())
                               << QStringLiteral("<P>") + k65 + QStringLiteral("<P>");
    QTest::newRow("check box") << checkBoxMethod(k65, true, false) << QStringLiteral("'checkbox'>") + k65;
    QTest::newRow("radio") << radioButtonsMethod(k65, { QStringLiteral("A") }, noDefaultOption())
                           << QStringLiteral("<P>") + k65 + QStringLiteral("<BR>");
    QTest::newRow("menu") << pullDownMenuMethod(k65, QStringLiteral("1"), { QStringLiteral("A") },
        noDefaultOption()) << QStringLiteral("<P>") + k65 + QStringLiteral(" <select");
}

void TestFragments::longQuestionsCutInNamesOnly()
{
    QFETCH(FormMethod, method);
    QFETCH(QString, visible);
    QVERIFY2(method.htmlCode.contains(visible), qPrintable(method.htmlCode));
    QVERIFY(method.htmlCode.contains(QStringLiteral("name='") + k64 + QStringLiteral(" Type'")));
    QVERIFY(method.htmlCode.contains(QStringLiteral("name='") + k64 + QStringLiteral("'")));
    QVERIFY(!method.htmlCode.contains(QStringLiteral("name='") + k65));
}

void TestFragments::menuHeight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("height"); // -1: refused
    QTest::newRow("one") << QStringLiteral("1") << 1;
    QTest::newRow("four with blanks") << QStringLiteral(" 4 ") << 4;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("blanks") << QStringLiteral("  ") << -1;
    QTest::newRow("letters") << QStringLiteral("four") << -1;
    QTest::newRow("negative") << QStringLiteral("-2") << -1;
    QTest::newRow("fraction") << QStringLiteral("1.5") << -1;
    QTest::newRow("markup") << QStringLiteral("2 onclick=x") << -1;
    QTest::newRow("too large") << QStringLiteral("99999999999") << -1;
}

void TestFragments::menuHeight()
{
    QFETCH(QString, text);
    QFETCH(int, height);
    const std::optional<int> result = quenlow::menuHeight(text);
    QCOMPARE(result.value_or(-1), height);
}

QTEST_GUILESS_MAIN(TestFragments)
#include "tst_Fragments.moc"
