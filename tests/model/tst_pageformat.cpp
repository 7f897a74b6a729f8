// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/CollectionFile.h"
#include "model/Fragments.h"
#include "model/MethodCollection.h"
#include "model/PageWriter.h"

#include <QTest>

using namespace quenlow;

namespace {

const QString kMark = QStringLiteral(" <span class='required' title='An answer is required'>*</span>");

QuestionSettings required()
{
    QuestionSettings s;
    s.rules.required = true;
    return s;
}

QuestionSettings typed(
    AnswerKind kind, const QString& minimum = {}, const QString& maximum = {}, bool required = false)
{
    QuestionSettings s;
    s.rules = { required, kind, minimum, maximum };
    return s;
}

QuestionSettings askedIf(const QString& question, const QString& answer, QuestionSettings s = {})
{
    s.condition = { question, answer };
    return s;
}

QuestionSettings grouped(const QString& text, QuestionSettings s = {})
{
    s.questionText = text;
    return s;
}

QString pageOf(const QList<FormMethod>& records)
{
    MethodCollection c;
    for (const FormMethod& m : records)
        c.append(m);
    return buildFormPage(c);
}

} // namespace

class TestPageFormat : public QObject
{
    Q_OBJECT

private slots:
    void fragmentsSayTheSettings()
    {
        const QStringList colours { QStringLiteral("Red"), QStringLiteral("Blue") };
        const FormMethod age
            = textFieldMethod(QStringLiteral("Age"), QStringLiteral("3"), QStringLiteral("3"), {});
        const FormMethod consent = checkBoxMethod(QStringLiteral("I agree"), false, true);
        const FormMethod colour
            = radioButtonsMethod(QStringLiteral("Colour"), colours, QStringLiteral("Blue"));
        const FormMethod menu
            = pullDownMenuMethod(QStringLiteral("Menu"), QStringLiteral("1"), colours, noDefaultOption());
        const FormMethod notes
            = textAreaMethod(QStringLiteral("Notes"), QStringLiteral("4"), QStringLiteral("40"), {});
        const FormMethod mood = scaleMethod(QStringLiteral("Mood"), { 0, 2, QStringLiteral("Low"), {} });
        const struct {
            FormMethod record;
            QuestionSettings settings;
            QStringList says; // in the fragment, in this order
        } cases[] = {
            { age, typed(AnswerKind::WholeNumber, QStringLiteral("0"), QStringLiteral("120"), true),
                { QStringLiteral("<P>Age") + kMark
                    + QStringLiteral(
                        " <input name='Age' size='3' maxlength='3' type='number' "
                        "inputmode='numeric' step='1' min='0' max='120' value ='' required>") } },
            { age, typed(AnswerKind::Number, {}, QStringLiteral("2,5")),
                { QStringLiteral("type='number' inputmode='decimal' step='any' max='2.5' value =''>") } },
            { age, typed(AnswerKind::Date, QStringLiteral("24.12.2026")),
                { QStringLiteral("type='date' min='2026-12-24' value =''>") } },
            { age, typed(AnswerKind::Email), { QStringLiteral("type='email' value =''>") } },
            { age, typed(AnswerKind::Phone), { QStringLiteral("type='tel' inputmode='tel' value =''>") } },
            { notes, required(),
                { QStringLiteral("Notes") + kMark + QStringLiteral("<P> <textarea"),
                    QStringLiteral("rows='4' required></textarea>") } },
            { consent, required(), { QStringLiteral("type='checkbox' checked required>I agree") + kMark } },
            // A box of a group says nothing itself.
            { consent, grouped(QStringLiteral("Terms"), required()),
                { QStringLiteral("<input name='I agree' type='checkbox' checked>I agree") } },
            { colour, required(),
                { QStringLiteral("<P>Colour") + kMark + QStringLiteral("<BR>"),
                    QStringLiteral("value='Red' required>Red<BR>"),
                    QStringLiteral("value='Blue' checked>Blue") } },
            { menu, required(),
                { QStringLiteral("Menu") + kMark
                    + QStringLiteral(" <select name='Menu' size=1 required>") } },
            { mood, required(),
                { QStringLiteral("<P>Mood") + kMark, QStringLiteral(">Low</span>"),
                    QStringLiteral("name='Mood' type='radio' value='0' required style="),
                    QStringLiteral(">0</label>"), QStringLiteral("value='1' style="),
                    QStringLiteral(">2</label></span>") } },
        };
        for (const auto& c : cases) {
            const FormMethod set = withQuestionSettings(c.record, c.settings);
            qsizetype at = 0;
            for (const QString& part : c.says) {
                at = set.htmlCode.indexOf(part, at);
                QVERIFY2(at >= 0, qPrintable(part + QStringLiteral("\nnot in\n") + set.htmlCode));
            }
            // Made again from the record: twice is once, other settings replace these, and the
            // defaults give today's fragment back.
            QCOMPARE(withQuestionSettings(set, c.settings), set);
            QCOMPARE(withQuestionSettings(
                         withQuestionSettings(c.record,
                             askedIf(QStringLiteral("X"), {}, typed(AnswerKind::Email, {}, {}, true))),
                         c.settings),
                set);
            QCOMPARE(withQuestionSettings(set, {}), c.record);
            QCOMPARE(withQuestionSettings(c.record, {}), c.record);
        }
        // A question without settings keeps its stored fragment, even one written otherwise.
        FormMethod older = age;
        older.htmlCode = QStringLiteral("<p>Age <INPUT NAME=Age>");
        QCOMPARE(withQuestionSettings(older, {}), older);
        // A box on a line of its own stays on it.
        const FormMethod ownLine = checkBoxMethod(QStringLiteral("Tea"), true, false);
        QCOMPARE(withQuestionSettings(withQuestionSettings(ownLine, required()), {}), ownLine);
    }

    void groupsAndConditionsOnThePage()
    {
        const FormMethod coffee = checkBoxMethod(QStringLiteral("Coffee"), true, false);
        const QuestionSettings drinks = grouped(QStringLiteral("Drinks?"),
            askedIf(QStringLiteral("Thirsty'<x>"), QStringLiteral("Yes & more"), required()));
        const FormMethod tea
            = withQuestionSettings(checkBoxMethod(QStringLiteral("Tea"), true, false), drinks);
        const FormMethod milk
            = withQuestionSettings(checkBoxMethod(QStringLiteral("Milk"), false, false), drinks);
        const FormMethod other = withQuestionSettings(
            checkBoxMethod(QStringLiteral("Other"), true, false), grouped(QStringLiteral("Food?")));
        const FormMethod age = withQuestionSettings(
            textFieldMethod(QStringLiteral("Age"), QStringLiteral("3"), QStringLiteral("3"), {}),
            askedIf(QStringLiteral("Coffee"), QStringLiteral("Checked")));
        const QString open
            = QStringLiteral("<div data-ask-if='Thirsty&#39;&lt;x&gt;' data-ask-if-answer='Yes "
                             "&amp; more'><fieldset><legend>Drinks?")
            + kMark + QStringLiteral("</legend>");
        const QString close = QStringLiteral("</fieldset></div>\r\n");
        const QString page = pageOf({ coffee, tea, milk, other, age });
        QCOMPARE(page,
            coffee.htmlCode + QStringLiteral("\r\n") + open + tea.htmlCode + QStringLiteral("\r\n")
                + milk.htmlCode + close + QStringLiteral("<fieldset><legend>Food?</legend>") + other.htmlCode
                + QStringLiteral("</fieldset>\r\n<div data-ask-if='Coffee' data-ask-if-answer='Checked'>")
                + age.htmlCode + QStringLiteral("</div>\r\n<P></FORM></HTML>\r\n"));
        // Read back from the collection file, the records write the same page.
        FormMethod header;
        header.methodType = Kind::header();
        header.attribute6List = { printNumber(1), printNumber(0), QStringLiteral("/db"), printNumber(0) };
        const QList<FormMethod> form { header, coffee, tea, milk, other, age };
        MethodCollection c;
        for (const FormMethod& m : form)
            c.append(m);
        const ParsedCollection parsed = parseCollection(serializeCollection(c));
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(pageOf(parsed.methods), pageOf(form));
        // A box moved between two of its group splits it; the page follows the records in order.
        QCOMPARE(pageOf({ tea, coffee, milk }),
            open + tea.htmlCode + close + coffee.htmlCode + QStringLiteral("\r\n") + open + milk.htmlCode
                + close + QStringLiteral("<P></FORM></HTML>\r\n"));
        // A form without settings is written as it always was.
        QCOMPARE(pageOf({ checkBoxMethod(QStringLiteral("Tea"), true, true),
                     textFieldMethod(QStringLiteral("Age"), QStringLiteral("3"), QStringLiteral("3"), {}) }),
            QStringLiteral("<input type=hidden name='Tea Type' value='Check Box'><P><input name='Tea' "
                           "type='checkbox' checked>Tea\r\n<P><input type=hidden name='Age Type' value='Text "
                           "Field'><P>Age <input name='Age' size='3' maxlength='3' type='text' value =''>\r\n"
                           "<P></FORM></HTML>\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestPageFormat)
#include "tst_pageformat.moc"
