// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/Fragments.h"

#include <QRegularExpression>
#include <QTest>

using namespace quenlow;

namespace {

const QString k65 = QStringLiteral("Which of the following statements best describes your experience?");
const QString k64 = k65.left(64);

// What a browser does with a single-quoted attribute value: it ends at the
// next apostrophe, then character references are decoded.
QStringList attributeValues(const QString& html, const QString& attribute)
{
    QStringList values;
    const QRegularExpression re(QStringLiteral("\\b") + attribute + QStringLiteral("\\s*=\\s*'([^']*)'"),
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(html); it.hasNext();) {
        QString v = it.next().captured(1);
        static const QRegularExpression ref(QStringLiteral("&(#x?[0-9a-fA-F]+|[a-z]+);"));
        QString decoded;
        qsizetype pos = 0;
        for (auto r = ref.globalMatch(v); r.hasNext();) {
            const auto m = r.next();
            decoded += v.mid(pos, m.capturedStart() - pos);
            const QString name = m.captured(1);
            if (name.startsWith(QLatin1String("#x")))
                decoded += QChar(name.mid(2).toUInt(nullptr, 16));
            else if (name.startsWith(QLatin1Char('#')))
                decoded += QChar(name.mid(1).toUInt());
            else if (name == QLatin1String("amp"))
                decoded += QLatin1Char('&');
            else if (name == QLatin1String("lt"))
                decoded += QLatin1Char('<');
            else if (name == QLatin1String("gt"))
                decoded += QLatin1Char('>');
            else if (name == QLatin1String("quot"))
                decoded += QLatin1Char('"');
            else if (name == QLatin1String("apos"))
                decoded += QLatin1Char('\'');
            else
                decoded += m.captured(0);
            pos = m.capturedEnd();
        }
        decoded += v.mid(pos);
        values.append(decoded);
    }
    return values;
}

} // namespace

class TestFragments : public QObject
{
    Q_OBJECT
private slots:
    void fragments_data();
    void fragments();
    void longQuestionsCutInNamesOnly_data();
    void longQuestionsCutInNamesOnly();
    void attributeTextPostsBackAsTyped();
    void menuHeight_data();
    void menuHeight();
};

void TestFragments::fragments_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");
    const QStringList colours { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") };
    QTest::newRow("text field")
        << textFieldFragment(QStringLiteral("Your name"), QStringLiteral("30"), QString(), QString())
        << QStringLiteral("<P><input type=hidden name='Your name Type' value='Text Field'><P>Your name"
                          " <input name='Your name' size='30' maxlength='' type='text' value =''>");
    // A box size that is no number is written as typed.
    QTest::newRow("text field, size as typed")
        << textFieldFragment(
               QStringLiteral("Age"), QStringLiteral("wide"), QStringLiteral("3"), QStringLiteral("none yet"))
        << QStringLiteral("<P><input type=hidden name='Age Type' value='Text Field'><P>Age"
                          " <input name='Age' size='wide' maxlength='3' type='text' value ='none yet'>");
    // Width into cols, rows into rows.
    QTest::newRow("text area")
        << textAreaFragment(QStringLiteral("Comments"), QStringLiteral("5"), QStringLiteral("40"),
               QStringLiteral("Enter any comments here."))
        << QStringLiteral("<P><input type=hidden name='Comments Type' value='Text Area'><P>Comments"
                          "<P> <textarea name='Comments' cols='40' rows='5'>Enter any comments here."
                          "</textarea>");
    QTest::newRow("check box, new line") << checkBoxFragment(QStringLiteral("Tea"), true, false)
                                         << QStringLiteral("<input type=hidden name='Tea Type' value='Check "
                                                           "Box'><P><input name='Tea' type='checkbox'>Tea");
    QTest::newRow("check box, same line, ticked")
        << checkBoxFragment(QStringLiteral("Tea"), false, true)
        << QStringLiteral("<input type=hidden name='Tea Type' value='Check Box'><input name='Tea' "
                          "type='checkbox' checked>Tea");
    QTest::newRow("radio") << radioButtonsFragment(
        QStringLiteral("Happy?"), { QStringLiteral("Yes"), QStringLiteral("No") }, QStringLiteral("No"))
                           << QStringLiteral(
                                  "<input type=hidden name='Happy? Type' value='Radio Buttons'><P>Happy?"
                                  "<BR><input name='Happy?' type='radio' value='Yes'>Yes"
                                  "<BR><input name='Happy?' type='radio' value='No' checked>No");
    QTest::newRow("menu, one high") << pullDownMenuFragment(
        QStringLiteral("Colour"), QStringLiteral("1"), colours, QStringLiteral("Green"))
                                    << QStringLiteral(
                                           "<P><input type=hidden name='Colour Type' value='Menu'><P>Colour"
                                           " <select name='Colour' size=1><option>Red<option selected>Green"
                                           "<option>Blue</select>");
    // Taller than one entry: a list box under the question.
    QTest::newRow("menu, four high")
        << pullDownMenuFragment(QStringLiteral("Colour"), QStringLiteral("4"), colours, noDefaultOption())
        << QStringLiteral("<P><input type=hidden name='Colour Type' value='Menu'><P>Colour"
                          "<P> <select name='Colour' size=4><option>Red<option>Green<option>Blue</select>");
    QTest::newRow("menu, zero high")
        << pullDownMenuFragment(QStringLiteral("Colour"), QStringLiteral("0"), colours, noDefaultOption())
        << QStringLiteral("<P><input type=hidden name='Colour Type' value='Menu'><P>Colour"
                          " <select name='Colour' size=0><option>Red<option>Green<option>Blue</select>");
    QTest::newRow("submit") << submitButtonFragment(
        QStringLiteral("Submit Form"), false, QStringLiteral("Reset Form"))
                            << QStringLiteral(
                                   "<P> <CENTER> <INPUT TYPE='submit' VALUE='Submit Form'></CENTER>");
    QTest::newRow("submit and reset, empty title")
        << submitButtonFragment(QStringLiteral("Go"), true, QString())
        << QStringLiteral(
               "<P> <CENTER> <INPUT TYPE='submit' VALUE='Go'> <INPUT TYPE='reset' VALUE=''></CENTER>");
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
    const QStringList names = attributeValues(method.htmlCode, QStringLiteral("name"));
    QCOMPARE(names, QStringList({ k64 + QStringLiteral(" Type"), k64 }));
}

void TestFragments::attributeTextPostsBackAsTyped()
{
    const QString question = QStringLiteral("What's your \"real\" name <& nickname>?");
    const FormMethod field
        = textFieldMethod(question, QStringLiteral("30"), QString(), QStringLiteral("O'Neil"));
    QCOMPARE(attributeValues(field.htmlCode, QStringLiteral("name")),
        QStringList({ question + QStringLiteral(" Type"), question }));
    QCOMPARE(attributeValues(field.htmlCode, QStringLiteral("value")).last(), QStringLiteral("O'Neil"));
    // Shown as content, as typed.
    QVERIFY(field.htmlCode.contains(QStringLiteral("<P>") + question + QStringLiteral(" <input")));

    const QStringList options { QStringLiteral("Don't know"), QStringLiteral("Yes") };
    const FormMethod radio
        = radioButtonsMethod(QStringLiteral("Sure?"), options, QStringLiteral("Don't know"));
    QCOMPARE(attributeValues(radio.htmlCode, QStringLiteral("value")),
        QStringList(
            { QStringLiteral("Radio Buttons"), QStringLiteral("Don't know"), QStringLiteral("Yes") }));
    QVERIFY(radio.htmlCode.contains(QStringLiteral(" checked>Don't know<BR>")));

    const FormMethod box = checkBoxMethod(QStringLiteral("Kids' menu"), true, false);
    QCOMPARE(attributeValues(box.htmlCode, QStringLiteral("name")).last(), QStringLiteral("Kids' menu"));
    const FormMethod menu
        = pullDownMenuMethod(QStringLiteral("Who's next?"), QStringLiteral("1"), options, noDefaultOption());
    QCOMPARE(attributeValues(menu.htmlCode, QStringLiteral("name")).last(), QStringLiteral("Who's next?"));
    QVERIFY(menu.htmlCode.contains(QStringLiteral("<option>Don't know<option>Yes</select>")));
    const FormMethod area = textAreaMethod(QStringLiteral("Why's that?"), QStringLiteral("5"),
        QStringLiteral("40"), QStringLiteral("It's <fine>"));
    QCOMPARE(attributeValues(area.htmlCode, QStringLiteral("name")).last(), QStringLiteral("Why's that?"));
    QVERIFY(area.htmlCode.endsWith(QStringLiteral(">It's <fine></textarea>")));

    const FormMethod submit
        = submitButtonMethod(QStringLiteral("Let's go"), true, QStringLiteral("Start 'over'"));
    QCOMPARE(attributeValues(submit.htmlCode, QStringLiteral("VALUE")),
        QStringList({ QStringLiteral("Let's go"), QStringLiteral("Start 'over'") }));
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
