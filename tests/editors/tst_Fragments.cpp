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
    void textField();
    void textArea();
    void plainTextKeepsMarkup();
    void checkBox();
    void radioButtons();
    void radioButtonsDefaults();
    void pullDownMenu();
    void submitButton();
    void lineRule();
    void longQuestionsCutInNamesOnly_data();
    void longQuestionsCutInNamesOnly();
    void attributeTextPostsBackAsTyped();
    void menuHeight_data();
    void menuHeight();
};

void TestFragments::textField()
{
    QCOMPARE(textFieldFragment(QStringLiteral("Your name"), QStringLiteral("30"), QString(), QString()),
        QStringLiteral("<P><input type=hidden name='Your name Type' value='Text Field'><P>Your name"
                       " <input name='Your name' size='30' maxlength='' type='text' value =''>"));
    // A box size that is no number is written as typed; the record keeps all four texts.
    const FormMethod m = textFieldMethod(
        QStringLiteral("Age"), QStringLiteral("wide"), QStringLiteral("3"), QStringLiteral("none yet"));
    QCOMPARE(m.htmlCode,
        QStringLiteral("<P><input type=hidden name='Age Type' value='Text Field'><P>Age"
                       " <input name='Age' size='wide' maxlength='3' type='text' value ='none yet'>"));
    QCOMPARE(m.methodType, QStringLiteral("Text Field"));
    QCOMPARE(m.userInstruction, QStringLiteral("Age"));
    QCOMPARE(m.attribute4, QStringLiteral("wide"));
    QCOMPARE(m.attribute5, QStringLiteral("3"));
    QCOMPARE(m.attribute6, QStringLiteral("none yet"));
}

void TestFragments::textArea()
{
    const FormMethod m = textAreaMethod(QStringLiteral("Comments"), QStringLiteral("5"), QStringLiteral("40"),
        QStringLiteral("Enter any comments here."));
    // Width into cols (Attribute 5), rows into rows (Attribute 4); the area content is text as typed.
    QCOMPARE(m.htmlCode,
        QStringLiteral("<P><input type=hidden name='Comments Type' value='Text Area'><P>Comments"
                       "<P> <textarea name='Comments' cols='40' rows='5'>Enter any comments here."
                       "</textarea>"));
    QCOMPARE(m.attribute4, QStringLiteral("5"));
    QCOMPARE(m.attribute5, QStringLiteral("40"));
    QVERIFY(textAreaFragment(QStringLiteral("Q"), QStringLiteral("5"), QStringLiteral("40"), QString())
                .endsWith(QStringLiteral("rows='5'></textarea>")));
}

void TestFragments::plainTextKeepsMarkup()
{
    const FormMethod m = plainTextMethod(QStringLiteral("<b>Please</b> answer & return"));
    QCOMPARE(m.htmlCode, QStringLiteral("<P><b>Please</b> answer & return"));
    QCOMPARE(m.methodType, QStringLiteral("Plain Text"));
    QVERIFY(m.attribute4.isEmpty() && m.attribute5.isEmpty() && m.attribute6.isEmpty());
}

void TestFragments::checkBox()
{
    QCOMPARE(checkBoxFragment(QStringLiteral("Tea"), true, false),
        QStringLiteral(
            "<input type=hidden name='Tea Type' value='Check Box'><P><input name='Tea' type='checkbox'>Tea"));
    QCOMPARE(checkBoxFragment(QStringLiteral("Tea"), false, true),
        QStringLiteral("<input type=hidden name='Tea Type' value='Check Box'><input name='Tea' "
                       "type='checkbox' checked>Tea"));
    QCOMPARE(checkBoxMethod(QStringLiteral("Tea"), true, true).attribute4, QStringLiteral(" 1 "));
    QCOMPARE(checkBoxMethod(QStringLiteral("Tea"), true, false).attribute4, QStringLiteral(" 0 "));
}

void TestFragments::radioButtons()
{
    const FormMethod m = radioButtonsMethod(
        QStringLiteral("Happy?"), { QStringLiteral("Yes"), QStringLiteral("No") }, QStringLiteral("No"));
    QCOMPARE(m.htmlCode,
        QStringLiteral("<input type=hidden name='Happy? Type' value='Radio Buttons'><P>Happy?"
                       "<BR><input name='Happy?' type='radio' value='Yes'>Yes"
                       "<BR><input name='Happy?' type='radio' value='No' checked>No"));
    QCOMPARE(m.methodType, QStringLiteral("Radio Buttons"));
    QCOMPARE(m.attribute4, QString());
    QCOMPARE(m.attribute5, QStringLiteral("No"));
    QCOMPARE(m.attribute6List, QStringList({ QStringLiteral("Yes"), QStringLiteral("No") }));
}

void TestFragments::radioButtonsDefaults()
{
    // "none" is the marker for no default, so an option called none is preselected.
    const QString html = radioButtonsFragment(
        QStringLiteral("Q"), { QStringLiteral("A"), QStringLiteral("none") }, noDefaultOption());
    QCOMPARE(html.count(QStringLiteral(" checked>")), 1);
    QVERIFY(html.endsWith(QStringLiteral("value='none' checked>none")));
    // Repeated texts stay; when the text is the default both are preselected.
    const QString twice = radioButtonsFragment(
        QStringLiteral("Q"), { QStringLiteral("X"), QStringLiteral("X") }, QStringLiteral("X"));
    QCOMPARE(twice.count(QStringLiteral("value='X' checked>X")), 2);
}

void TestFragments::pullDownMenu()
{
    const QStringList colours { QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue") };
    const FormMethod m
        = pullDownMenuMethod(QStringLiteral("Colour"), QStringLiteral("1"), colours, QStringLiteral("Green"));
    QCOMPARE(m.htmlCode,
        QStringLiteral("<P><input type=hidden name='Colour Type' value='Menu'><P>Colour"
                       " <select name='Colour' size=1><option>Red<option selected>Green"
                       "<option>Blue</select>"));
    QCOMPARE(m.methodType, QStringLiteral("Pull Down Menu"));
    QCOMPARE(m.attribute4, QStringLiteral("1"));
    QCOMPARE(m.attribute5, QStringLiteral("Green"));
    QCOMPARE(m.attribute6List, colours);
    // Taller than one entry: a list box under the question.
    QVERIFY(
        pullDownMenuFragment(QStringLiteral("Colour"), QStringLiteral("4"), colours, noDefaultOption())
            .contains(QStringLiteral("<P>Colour<P> <select name='Colour' size=4><option>Red<option>Green")));
    QVERIFY(pullDownMenuFragment(QStringLiteral("Colour"), QStringLiteral("0"), colours, noDefaultOption())
                .contains(QStringLiteral("<P>Colour <select name='Colour' size=0>")));
}

void TestFragments::submitButton()
{
    const FormMethod plain
        = submitButtonMethod(QStringLiteral("Submit Form"), false, QStringLiteral("Reset Form"));
    QCOMPARE(
        plain.htmlCode, QStringLiteral("<P> <CENTER> <INPUT TYPE='submit' VALUE='Submit Form'></CENTER>"));
    QCOMPARE(plain.methodType, QStringLiteral("Submit Button"));
    QCOMPARE(plain.attribute4, QStringLiteral("Reset Form"));
    QCOMPARE(plain.attribute5, QStringLiteral(" 0 "));
    QCOMPARE(plain.attribute6, QString());

    const FormMethod reset
        = submitButtonMethod(QStringLiteral("Submit Form"), true, QStringLiteral("Reset Form"));
    QCOMPARE(reset.htmlCode,
        QStringLiteral("<P> <CENTER> <INPUT TYPE='submit' VALUE='Submit Form'>"
                       " <INPUT TYPE='reset' VALUE='Reset Form'></CENTER>"));
    QCOMPARE(reset.attribute5, QStringLiteral(" 1 "));
    QCOMPARE(submitButtonFragment(QStringLiteral("Go"), true, QString()),
        QStringLiteral(
            "<P> <CENTER> <INPUT TYPE='submit' VALUE='Go'> <INPUT TYPE='reset' VALUE=''></CENTER>"));
}

void TestFragments::lineRule()
{
    const FormMethod m = lineRuleMethod();
    QCOMPARE(m.htmlCode, QStringLiteral("<P><hr><P>"));
    QCOMPARE(m.userInstruction, QStringLiteral("Horizontal"));
    QCOMPARE(m.methodType, QStringLiteral("Line"));
    QCOMPARE(m.rowText(), QStringLiteral("Line - Horizontal"));
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
    QCOMPARE(k65.size(), 65);
    QCOMPARE(method.userInstruction, k65);
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
    // Shown as content, as typed; the record keeps the user's text.
    QVERIFY(field.htmlCode.contains(QStringLiteral("<P>") + question + QStringLiteral(" <input")));
    QCOMPARE(field.attribute6, QStringLiteral("O'Neil"));

    const QStringList options { QStringLiteral("Don't know"), QStringLiteral("Yes") };
    const FormMethod radio
        = radioButtonsMethod(QStringLiteral("Sure?"), options, QStringLiteral("Don't know"));
    QCOMPARE(attributeValues(radio.htmlCode, QStringLiteral("value")),
        QStringList(
            { QStringLiteral("Radio Buttons"), QStringLiteral("Don't know"), QStringLiteral("Yes") }));
    QVERIFY(radio.htmlCode.contains(QStringLiteral(" checked>Don't know<BR>")));
    QCOMPARE(radio.attribute6List, options);

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
    QCOMPARE(submit.userInstruction, QStringLiteral("Let's go"));
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
