// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The page a respondent gets, made from the designer's page: a page in, a page out.
#include "ServerFixture.h"
#include "support/TestProgramFolder.h"

#include "model/Fragments.h"
#include "model/GridQuestion.h"
#include "model/Publication.h"
#include "server/ChoiceScript.h"
#include "server/ConditionScript.h"
#include "server/FormPage.h"
#include "server/PageAsSent.h"
#include "server/PagingScript.h"
#include "server/RankingScript.h"
#include "server/RespondentPage.h"
#include "server/RoomScript.h"

#include <QFile>
#include <QTest>

using namespace quenlow;
using namespace quenlow::test;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(quenlow::FormFields)
Q_DECLARE_METATYPE(quenlow::FormLanguage)

namespace {

const QByteArray kFormTag = "<FORM method=post action='/scripts/save.asp'>";
const QByteArray kTokenField = "<input type=hidden name=submissionToken value='t'>";

QuestionSettings choiceSettings(bool shuffle, bool other, const QString& group = {})
{
    QuestionSettings settings;
    settings.shuffleOptions = shuffle;
    settings.otherAnswer = other;
    settings.questionText = group;
    return settings;
}

// The designer's page of `elements` in a fresh folder, and how the service reads its questions.
std::pair<QByteArray, QuestionsAsAsked> designersPage(const QList<FormMethod>& elements)
{
    TestProgramFolder folder;
    FormBuilder form(folder.path(), u"poll"_s);
    for (const FormMethod& e : elements)
        form.element(e);
    if (!form.submitButton().write())
        return {};
    QFile file(folder.html(u"poll.html"_s));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return { file.readAll(), questionsAsAsked(postedQuestions(elements)) };
}

// The values of the controls named `name`, in the order the page shows them.
QStringList shownValues(const QByteArray& page, const QString& pattern)
{
    QStringList values;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(QString::fromUtf8(page));
    while (it.hasNext())
        values.append(it.next().captured(1));
    return values;
}

// What the service puts in the head of a page of the form in English.
QByteArray head()
{
    return respondentHead().toByteArray() + formPageScriptTag();
}

} // namespace

class TestPageAsSent : public QObject
{
    Q_OBJECT

private slots:
    void labelsHintsAndChoices_data();
    void labelsHintsAndChoices();
    void givesEveryPageStandardsModeAndAHead_data();
    void givesEveryPageStandardsModeAndAHead();
    void putsAnswersBack_data();
    void putsAnswersBack();
    void putsAnswersBackIntoTheDesignersPage();
    void findsEachQuestionAndItsText();
    void dividesAFormAtItsPageBreaks();
    void showsTheOptionsInTheOrderOfEachPage();
    void showsAGridsStatementsInTheOrderOfEachPage();
    void showsARankingsOptionsInTheOrderOfEachPage();
    void showsEarlierAnswersAndTheOtherChoice();
};

void TestPageAsSent::labelsHintsAndChoices_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("inline markup is part of the text")
        << QByteArray("<INPUT TYPE=checkbox name=a><b>Very</b> good\r\n<P>next")
        << QByteArray("<label><INPUT TYPE=checkbox name=a><b>Very</b> good</label>\r\n<P>next");
    QTest::newRow("a quoted > inside the tag")
        << QByteArray("<input type='radio' name=r value='a>b'>A > B<BR>")
        << QByteArray("<label><input type='radio' name=r value='a>b'>A > B</label><BR>");
    QTest::newRow("already in a label, or without text: left alone")
        << QByteArray("<label><input type=checkbox name=a> A</label><input type=checkbox name=b><P>")
        << QByteArray("<label><input type=checkbox name=a> A</label><input type=checkbox name=b><P>");
    QTest::newRow("a name beyond ASCII in place of the location")
        << QByteArray("<input type=hidden name=DBLocation value='C:\\x.mdb'>")
        << QByteArray("<input type=hidden name=DBLocation value='Caf&#233; &#128512;'>");
    QTest::newRow("text fields untouched, comments skipped")
        << QByteArray("<!-- <input type=checkbox name=c>x --><input type='text' name='t'>Text")
        << QByteArray("<!-- <input type=checkbox name=c>x --><input type='text' name='t'>Text");
    // Text boxes, text areas and menus are labelled by the question before them.
    QTest::newRow("a question with markup, a paragraph above its text area")
        << QByteArray("<P><b>Why?</b>\r\n<P> <TEXTAREA NAME=w>\r\n</TEXTAREA>")
        << QByteArray(
               "<P><label for=answer-1><b>Why?</b></label>\r\n<P> <TEXTAREA id=answer-1 NAME=w></TEXTAREA>");
    QTest::newRow("a tick box's text is its own, a box with an id or a label already is left alone")
        << QByteArray("<input type=checkbox name=a>Tea <input name=b><P>B <input id=b name=b><label>C <input "
                      "name=c></label>")
        << QByteArray("<label><input type=checkbox name=a>Tea</label> <input name=b><P>B <input id=b "
                      "name=b><label>C <input name=c></label>");
    QTest::newRow("ids of the page are never taken")
        << QByteArray("<P id=answer-1>N <input name=n>")
        << QByteArray("<P id=answer-1><label for=xanswer-1>N</label> <input id=xanswer-1 name=n>");
    // A default text is a hint, and markup in a text area is its text.
    QTest::newRow("a hint with a quote")
        << QByteArray("<textarea name=c>It's <b>1</b> &amp; 2</textarea>")
        << QByteArray("<textarea placeholder='It&#39;s <b>1</b> &amp; 2' name=c></textarea>");
    QTest::newRow("a text area that never ends is left alone")
        << QByteArray("<textarea name=c>Hint<P>rest") << QByteArray("<textarea name=c>Hint<P>rest");
    QTest::newRow("the designer's default option stays chosen; a list box shows one row more")
        << QByteArray("<select name=m size=3><option>A<option selected>B</select><select name=n "
                      "multiple><option>A</select>")
        << QByteArray("<select name=m size=4><option value=''>Choose&#8230;</option><option>A<option "
                      "selected>B</select><select name=n multiple><option>A</select>");
    QTest::newRow("under a condition, required only while shown")
        << QByteArray("<div data-ask-if='a' data-ask-if-answer='Checked'><input name=b required></div>"
                      "<input name=c required>")
        << QByteArray("<div data-ask-if='a' data-ask-if-answer='Checked'><input name=b data-required></div>"
                      "<input name=c required>");
}

void TestPageAsSent::labelsHintsAndChoices()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expected);
    const QByteArray page = "<html><head><title>t</title>" + kFormTag + body;
    const QByteArray sent = pageAsSent({ .designerPage = page, .formName = u"Café 😀"_s, .token = u"t"_s });
    QCOMPARE(sent.mid(sent.indexOf(kFormTag)), kFormTag + kTokenField + expected);
}

void TestPageAsSent::givesEveryPageStandardsModeAndAHead_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<FormLanguage>("language");
    QTest::addColumn<bool>("fromPostAddress");
    QTest::addColumn<QByteArray>("expected");
    const FormLanguage en = FormLanguage::English;
    // The designer's own page is sentPageIsAdaptedAndTheFileIsNot's (tst_RequestHandler).
    QTest::newRow("an old doctype and a language of its own")
        << QByteArray(
               "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<HTML LANG=fr><HEAD>" + kFormTag)
        << en << false
        << "<!DOCTYPE html>\r\n<HTML LANG=fr><HEAD>" + head() + "<main>" + kFormTag + kTokenField;
    QTest::newRow("neither html nor head") << QByteArray("<title>t</title>" + kFormTag) << en << false
                                           << "<!DOCTYPE html><html lang=\"en\">" + head()
            + "<title>t</title>" + "<main>" + kFormTag + kTokenField;
    QTest::newRow("html without head")
        << QByteArray("<html>\r\n<body>" + kFormTag) << en << false
        << "<!DOCTYPE html><html lang=\"en\">" + head() + "\r\n<body>" + "<main>" + kFormTag + kTokenField;
    QTest::newRow("a byte-order mark stays first")
        << QByteArray("\xEF\xBB\xBF<html>" + kFormTag) << en << false
        << "\xEF\xBB\xBF<!DOCTYPE html><html lang=\"en\">" + head() + "<main>" + kFormTag + kTokenField;
    // Sent from the post's address, the page's images are named from where it lives.
    QTest::newRow("from the post's address") << QByteArray("<html><head>" + kFormTag) << en << true
                                             << "<!DOCTYPE html><html lang=\"en\"><head><base href='/'>"
            + head() + "<main>" + kFormTag + kTokenField;
    QTest::newRow("from the post's address, a page without a head")
        << QByteArray("<html>\r\n<body>" + kFormTag) << en << true
        << "<!DOCTYPE html><html lang=\"en\"><base href='/'>" + head() + "\r\n<body>" + "<main>" + kFormTag
            + kTokenField;
    QTest::newRow("from the post's address, a page with no form of ours") << QByteArray(
        "<title>t</title><p>text") << en << true << QByteArray("<base href='/'><title>t</title><p>text");
    // The conditions' script after the room's, which puts a draft back first, in any language.
    const QByteArray condition = "<div data-ask-if='Tea' data-ask-if-answer='Checked'></div>";
    QTest::newRow("a question under a condition")
        << QByteArray("<html><head>" + kFormTag + condition) << FormLanguage::German << false
        << "<!DOCTYPE html><html lang=\"de\"><head>" + respondentHead().toByteArray()
            + formPageScriptTag(FormLanguage::German) + conditionScriptTag() + "<main>" + kFormTag
            + kTokenField + condition;
}

void TestPageAsSent::givesEveryPageStandardsModeAndAHead()
{
    QFETCH(QByteArray, page);
    QFETCH(FormLanguage, language);
    QFETCH(bool, fromPostAddress);
    QFETCH(QByteArray, expected);
    QCOMPARE(pageAsSent({ .designerPage = page,
                 .formName = u"f"_s,
                 .token = u"t"_s,
                 .language = language,
                 .fromPostAddress = fromPostAddress }),
        expected);
}

void TestPageAsSent::putsAnswersBack_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<FormFields>("answers");
    QTest::addColumn<FormFields>("notes");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("a name given twice fills two boxes in turn; an answer no option has chooses nothing")
        << QByteArray(
               "<input name=a><input name=a value=x><textarea name=a>x</textarea><select name=m><option "
               "value=''>-<option selected>B</select>")
        << FormFields { { u"a"_s, u"1"_s }, { u"a"_s, u"2"_s }, { u"m"_s, u"gone"_s } } << FormFields {}
        << QByteArray("<input value='1' name=a><input name=a value='2'><textarea placeholder='x' "
                      "name=a></textarea><select name=m><option value=''>Choose&#8230;</option><option "
                      "value=''>-<option>B</select>");
    QTest::newRow("an empty answer chooses the empty first choice")
        << QByteArray("<select name=m><option>A<option selected>B</select>") << FormFields { { u"m"_s, {} } }
        << FormFields {}
        << QByteArray(
               "<select name=m><option selected value=''>Choose&#8230;</option><option>A<option>B</select>");
    QTest::newRow("beside a labelled box: the label, the note, then the box with its answer")
        << QByteArray("<P>Name<input name=n>") << FormFields { { u"n"_s, u"Ann"_s } }
        << FormFields { { u"n"_s, u"Say <who>"_s } }
        << QByteArray("<P><label for=answer-1>Name</label><p class=answer-notice id=answer-note-1>Say "
                      "&lt;who&gt;</p><input value='Ann' id=answer-1 aria-invalid=true autofocus "
                      "aria-describedby='answer-note-1' name=n>");
    QTest::newRow("inside its label, a tick box's note goes before the box")
        << QByteArray("<input type=checkbox name=a checked>A<input type=checkbox name=b>B")
        << FormFields { { u"a"_s, u"no"_s }, { u"b"_s, u"Checked"_s } }
        << FormFields { { u"b"_s, u"Tick"_s } }
        << QByteArray("<label><input type=checkbox name=a>A</label><label><p class=answer-notice "
                      "id=answer-note-1>Tick</p><input checked aria-invalid=true autofocus "
                      "aria-describedby='answer-note-1' type=checkbox name=b>B</label>");
}

void TestPageAsSent::putsAnswersBack()
{
    QFETCH(QByteArray, body);
    QFETCH(FormFields, answers);
    QFETCH(FormFields, notes);
    QFETCH(QByteArray, expected);
    const QByteArray sent = pageAsSent({ .designerPage = "<html><head>" + kFormTag + body,
        .formName = u"f"_s,
        .token = u"t"_s,
        .answers = answers,
        .questionNotes = notes });
    QCOMPARE(sent.mid(sent.indexOf(kFormTag)), kFormTag + kTokenField + expected);
}

// The page sent again with what a person answered, for a post that cannot be stored as it is.
void TestPageAsSent::putsAnswersBackIntoTheDesignersPage()
{
    TestProgramFolder folder;
    QVERIFY(FormBuilder(folder.path(), u"survey"_s)
                .title(u"Staff Survey"_s)
                .textField(u"Name"_s, u"default"_s)
                .textArea(u"Comments"_s, u"Enter any comments here."_s)
                .checkBox(u"Tea"_s, true)
                .checkBox(u"Coffee"_s)
                .radioButtons(u"Size"_s, { u"S"_s, u"L"_s }, u"S"_s)
                .textField(u"Size Type"_s) // its name is also the hidden field announcing "Size"
                .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s }, u"Sales"_s)
                .radioButtons(u"Colour"_s, { u"Red"_s, u"Green"_s }, u"Red"_s)
                .submitButton()
                .write());
    QFile file(folder.html(u"survey.html"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString hostile = u"'\"><script>alert(1)</script>é"_s;
    const FormFields answers { { u"Name"_s, hostile }, { u"Comments"_s, u"\n</textarea><b>x"_s },
        { u"Tea"_s, u"Not Checked"_s }, { u"Coffee"_s, u"on"_s }, { u"Size"_s, u"L"_s },
        { u"Size Type"_s, u"big"_s }, { u"Team"_s, u"R&D"_s } };
    const QByteArray filled = pageAsSent({ .designerPage = file.readAll(),
        .formName = u"survey"_s,
        .token = u"t"_s,
        .answers = answers,
        .notice = u"Changed <b>while</b> you answered."_s,
        .questionNotes = { { u"Coffee"_s, u"Tick <it>"_s } } });
    QVERIFY(!filled.contains("<script>") && !filled.contains("<b>x") && !filled.contains("<b>while"));
    QVERIFY(filled.contains(
        "action='/scripts/save.asp'><p class=answer-notice role=alert>Changed &lt;b&gt;while&lt;/b&gt; "
        "you answered.</p><input type=hidden name=submissionToken"));
    QVERIFY(filled.contains("value='&#39;&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;&#233;'"));
    QVERIFY(filled.contains("cols='40' rows='5'>\n\n&lt;/textarea&gt;&lt;b&gt;x</textarea>"));
    QVERIFY(filled.contains("<label><input name='Tea' type='checkbox'>Tea</label>"));
    QVERIFY(filled.contains(
        "<p class=answer-notice id=answer-note-1>Tick &lt;it&gt;</p><input type=hidden name='Coffee Type' "
        "value='Check Box'><P><label><input checked aria-invalid=true autofocus "
        "aria-describedby='answer-note-1' name='Coffee' type='checkbox'>"));
    QVERIFY(filled.contains("<input name='Size' type='radio' value='S'>"));
    QVERIFY(filled.contains("<input checked name='Size' type='radio' value='L'>"));
    QVERIFY(filled.contains("<input type=hidden name='Size Type' value='Radio Buttons'>"));
    QVERIFY(filled.contains(
        "<input id=answer-3 name='Size Type' size='30' maxlength='' type='text' value='big'>"));
    QVERIFY(
        filled.contains("<option value=''>Choose&#8230;</option><option>Sales<option selected>R&D</select>"));
    QVERIFY(
        filled.contains("<input name='Colour' type='radio' value='Red' checked>")); // not answered: as sent
}

// What the next changes of a page start from: each question, its kind and
// its text, found in the page as the designer writes it.
void TestPageAsSent::findsEachQuestionAndItsText()
{
    TestProgramFolder folder;
    QVERIFY(FormBuilder(folder.path(), u"survey"_s)
                .title(u"Staff Survey"_s)
                .textField(u"Name"_s)
                .asks(true)
                .textArea(u"Why & how?"_s, u"Say."_s)
                .checkBox(u"Tea"_s)
                .radioButtons(u"Size"_s, { u"S"_s, u"L"_s })
                .menu(u"Team"_s, { u"Sales"_s, u"R&D"_s })
                .scale(u"Rate"_s, { 1, 5, u"poor"_s, {} })
                .asks(false, AnswerKind::AnyText, {}, {}, { u"Size"_s, u"L"_s })
                .submitButton()
                .write());
    QFile file(folder.html(u"survey.html"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const FormPage page(file.readAll() + "<P>Age <input name=age>");
    struct Expected {
        QString name, kind, text;
        int controls;
    };
    const QList<Expected> expected = { { u"Name"_s, u"Text Field"_s, u"Name *"_s, 1 },
        { u"Why & how?"_s, u"Text Area"_s, u"Why & how?"_s, 1 }, { u"Tea"_s, u"Check Box"_s, u"Tea"_s, 1 },
        { u"Size"_s, u"Radio Buttons"_s, u"Size"_s, 2 }, { u"Team"_s, u"Menu"_s, u"Team"_s, 1 },
        { u"Rate"_s, u"Scale"_s, u"Rate"_s, 5 }, { u"age"_s, {}, u"Age"_s, 1 } };
    QCOMPARE(page.questions().size(), std::size_t(expected.size()));
    for (const Expected& e : expected) {
        const PageQuestion* q = page.question(e.name);
        QVERIFY2(q, qPrintable(e.name));
        const QString kind
            = q->kindField < 0 ? QString() : page.value(page.controls()[q->kindField].tag, "value");
        QCOMPARE(kind, e.kind);
        // The text with its markup, as it stands in the page.
        QCOMPARE(page.text(q->text).remove(QRegularExpression(u"<[^>]*>"_s)).simplified(), e.text);
        QCOMPARE(int(q->controls.size()), e.controls);
        for (int c : q->controls)
            QCOMPARE(page.name(page.controls()[c]), e.name);
    }
    QVERIFY(!page.question(u"Nothing"_s));
    const PageControl& team = page.controls()[page.question(u"Team"_s)->controls.front()];
    QCOMPARE(team.optionCount, 2);
    QCOMPARE(page.value(page.options()[team.firstOption + 1]), u"R&D"_s);
    QVERIFY(page.controls()[page.question(u"Rate"_s)->controls.front()].conditional);
}

void TestPageAsSent::showsTheOptionsInTheOrderOfEachPage()
{
    const QStringList colours { u"Red"_s, u"Green"_s, u"Blue"_s, u"Black"_s };
    const QStringList drinks { u"Tea"_s, u"Coffee"_s, u"Water"_s };
    QList<FormMethod> elements {
        withQuestionSettings(
            radioButtonsMethod(u"Colour"_s, colours, u"Green"_s), choiceSettings(true, true)),
        withQuestionSettings(
            pullDownMenuMethod(u"Team"_s, u"1"_s, { u"Sales"_s, u"R&D"_s, u"Ops"_s }, u"none"_s),
            choiceSettings(true, false)),
    };
    // The group's "Other:" stands on its first box.
    for (const QString& drink : drinks)
        elements.append(withQuestionSettings(
            checkBoxMethod(drink, true, false), choiceSettings(true, drink == drinks.first(), u"Drinks"_s)));
    const auto [designers, questions] = designersPage(elements);
    QCOMPARE(questions.shuffled,
        (QList<QStringList> { { u"Colour"_s }, { u"Team"_s }, { u"Tea"_s, u"Coffee"_s, u"Water"_s } }));
    QCOMPARE(questions.otherAnswers, (QStringList { u"Colour"_s, u"Drinks: Other"_s }));
    const auto sent = [&](const QString& token, const FormFields& answers = {}) {
        return pageAsSent({ .designerPage = designers,
            .formName = u"poll"_s,
            .token = token,
            .answers = answers,
            .questions = questions });
    };
    QSet<QStringList> colourOrders, teamOrders, drinkOrders;
    for (int n = 0; n < 8; ++n) {
        const QString token = u"token-"_s + QString::number(n);
        const QByteArray page = sent(token);
        // Every option once, whole with its label, "Other:" last; the menu's empty choice first.
        const QStringList shownColours
            = shownValues(page, u"<input name='Colour' type='radio' value='([^']*)'"_s);
        QCOMPARE(shownColours.size(), 5);
        QCOMPARE(shownColours.last(), u"Other:"_s);
        QCOMPARE(QSet<QString>(shownColours.cbegin(), shownColours.cend() - 1),
            QSet<QString>(colours.cbegin(), colours.cend()));
        for (const QString& colour : colours)
            QVERIFY(page.contains((u"<label><input name='Colour' type='radio' value='"_s + colour + u"'"_s
                + (colour == u"Green"_s ? u" checked"_s : QString()) + u'>' + colour + u"</label>"_s)
                                      .toUtf8()));
        QVERIFY(page.contains("size=1><option value='' selected>Choose&#8230;</option><option>"));
        const QStringList shownTeams = shownValues(page, u"<option>([^<]*)"_s);
        QCOMPARE(QSet<QString>(shownTeams.cbegin(), shownTeams.cend()),
            (QSet<QString> { u"Sales"_s, u"R&D"_s, u"Ops"_s }));
        // A box moves with the field announcing it.
        for (const QString& drink : drinks)
            QVERIFY(page.contains((u"<input type=hidden name='"_s + drink
                + u" Type' value='Check Box'><P><label><input name='"_s + drink + u"' type='checkbox'>"_s
                + drink + u"</label>"_s)
                                      .toUtf8()));
        const QStringList shownDrinks = shownValues(page, u"<input name='([^']*)' type='checkbox'>"_s);
        QCOMPARE(shownDrinks.size(), 3);
        QVERIFY(page.indexOf("<fieldset><legend>Drinks</legend>") < page.indexOf(QByteArray(
                    QByteArray("<input type=hidden name='") + shownDrinks.first().toUtf8() + " Type'")));
        // Its "Other:" stays last, with the box its answer is typed in, inside the group.
        const qsizetype other
            = page.indexOf("<label><input name='Drinks: Other' type='checkbox' value='Other:'>"
                           "Other:</label> <input aria-label='Your other answer' "
                           "name='Drinks: Other Other' type='text'");
        QVERIFY(other > page.indexOf(
                    QByteArray(QByteArray("name='") + shownDrinks.last().toUtf8() + "' type='checkbox'")));
        QVERIFY(other < page.indexOf("</fieldset>", other));
        colourOrders.insert(shownColours);
        teamOrders.insert(shownTeams);
        drinkOrders.insert(shownDrinks);
        // The same page sent again (a refusal, a reload) keeps its order, answers put back.
        QCOMPARE(sent(token), page);
        const QByteArray again = sent(token, { { u"Colour"_s, u"Blue"_s }, { u"Tea"_s, u"on"_s } });
        QCOMPARE(shownValues(again, u"<input (?:checked )?name='Colour' type='radio' value='([^']*)'"_s),
            shownColours);
        QVERIFY(again.contains("<label><input checked name='Colour' type='radio' value='Blue'>Blue</label>"));
        QVERIFY(again.contains("<label><input checked name='Tea' type='checkbox'>Tea</label>"));
    }
    // In the form's language; a refused "Other:" comes back ticked, with what was typed.
    const QByteArray german = pageAsSent({ .designerPage = designers,
        .formName = u"poll"_s,
        .token = u"t"_s,
        .language = FormLanguage::German,
        .answers = { { u"Drinks: Other"_s, u"Other:"_s }, { u"Drinks: Other Other"_s, u"Mate"_s } },
        .questions = questions });
    QVERIFY(german.contains("<label><input checked name='Drinks: Other' type='checkbox' value='Other:'>"
                            "Sonstiges:</label> <input value='Mate' aria-label='Ihre sonstige Antwort' "
                            "name='Drinks: Other Other'"));
    // Pages differ from one another.
    QVERIFY(colourOrders.size() > 1 && teamOrders.size() > 1 && drinkOrders.size() > 1);
}

void TestPageAsSent::showsEarlierAnswersAndTheOtherChoice()
{
    const QList<FormMethod> elements { textFieldMethod(u"Name"_s, u"20"_s, u"30"_s, {}),
        plainTextMethod(u"Thanks, {Name}! {Nobody} is plain text."_s),
        withQuestionSettings(radioButtonsMethod(u"Colour"_s, { u"{Name}'s pick"_s, u"Blue"_s }, u"none"_s),
            choiceSettings(false, true)),
        pullDownMenuMethod(u"Team"_s, u"1"_s, { u"With {Name}"_s, u"Ops"_s }, u"none"_s),
        textFieldMethod(u"Why {Colour}?"_s, u"20"_s, u"30"_s, {}) };
    const auto [designers, questions] = designersPage(elements);
    QCOMPARE(questions.otherAnswers, QStringList { u"Colour"_s });
    const QByteArray first = pageAsSent(
        { .designerPage = designers, .formName = u"poll"_s, .token = u"t"_s, .questions = questions });
    // Nothing answered yet: nothing shown, the script to fill it in as answers come.
    QVERIFY(first.contains(choiceScriptTag()));
    QVERIFY(first.contains("Thanks, <span data-pipe='Name'></span>! {Nobody} is plain text."));
    QVERIFY(first.contains("value='{Name}&#39;s pick'><span data-pipe='Name'></span>'s pick</label>"));
    QVERIFY(first.contains("<option value='With {Name}' data-pipe-text='With {Name}'>With <option>Ops"));
    QVERIFY(first.contains("<label><input name='Colour' type='radio' value='Other:'>Other:</label> <input "
                           "aria-label='Your other answer' name='Colour Other' type='text' size='20' "
                           "maxlength='255'>\r\n</fieldset>"));

    // A page sent back: the answers given, an "Other:" answer as typed, in the form's language.
    const QByteArray again = pageAsSent({ .designerPage = designers,
        .formName = u"poll"_s,
        .token = u"t"_s,
        .language = FormLanguage::German,
        .answers = { { u"Name"_s, u"Ann & <Bo>"_s }, { u"Colour"_s, u"Other:"_s },
            { u"Colour Other"_s, u"Teal"_s }, { u"Team"_s, u"With {Name}"_s } },
        .questions = questions });
    QVERIFY(again.contains("Thanks, <span data-pipe='Name'>Ann &amp; &lt;Bo&gt;</span>!"));
    QVERIFY(again.contains("Why <span data-pipe='Colour'>Teal</span>?"));
    QVERIFY(again.contains("<option selected value='With {Name}' data-pipe-text='With {Name}'>With Ann &amp; "
                           "&lt;Bo&gt;<option>Ops"));
    QVERIFY(again.contains(
        "<label><input checked name='Colour' type='radio' value='Other:'>Sonstiges:</label> <input "
        "value='Teal' aria-label='Ihre sonstige Antwort' name='Colour Other' type='text' size='20' "
        "maxlength='255'>"));

    // A page naming no question of the form's is sent without the script.
    const QByteArray plain
        = pageAsSent({ .designerPage = designers, .formName = u"poll"_s, .token = u"t"_s });
    QVERIFY(!plain.contains(choiceScriptTag()) && plain.contains("Thanks, {Name}!"));
}

void TestPageAsSent::showsAGridsStatementsInTheOrderOfEachPage()
{
    const QStringList rows { u"The pace"_s, u"The room"_s, u"The food"_s, u"The notes"_s };
    const QString last = u"Again?"_s;
    const QList<FormMethod> elements {
        withQuestionSettings(
            gridMethod(u"Agree?"_s, { rows, { u"No"_s, u"Yes"_s } }), choiceSettings(true, false)),
        withQuestionSettings(gridMethod(u"Come back?"_s, { { last }, { u"No"_s, u"Yes"_s } }), {}),
    };
    const auto [designers, questions] = designersPage(elements);
    QCOMPARE(questions.shuffled, QList<QStringList> { rows });
    QSet<QStringList> orders;
    for (int n = 0; n < 8; ++n) {
        const QString token = u"token-"_s + QString::number(n);
        const FormFields answers { { u"The room"_s, u"Yes"_s } };
        const QByteArray page = pageAsSent({ .designerPage = designers,
            .formName = u"poll"_s,
            .token = token,
            .answers = answers,
            .questions = questions });
        QCOMPARE(page,
            pageAsSent({ .designerPage = designers,
                .formName = u"poll"_s,
                .token = token,
                .answers = answers,
                .questions = questions }));
        // Each statement once, whole with its answers; the other grid's after them all.
        const QStringList shown
            = shownValues(page, u"<fieldset class='qgrid-row'><legend>([^<]*)</legend>"_s);
        QCOMPARE(shown.size(), 5);
        QCOMPARE(shown.last(), last);
        QCOMPARE(QSet<QString>(shown.cbegin(), shown.cend() - 1), QSet<QString>(rows.cbegin(), rows.cend()));
        QVERIFY(page.contains("<input checked name='The room' type='radio' value='Yes'"));
        orders.insert(shown);
    }
    QVERIFY(orders.size() > 1);
}

void TestPageAsSent::showsARankingsOptionsInTheOrderOfEachPage()
{
    const QStringList fruit { u"Apple"_s, u"Pear"_s, u"Plum"_s, u"Fig"_s };
    QuestionSettings shuffledAndRequired = choiceSettings(true, false);
    shuffledAndRequired.rules.required = true;
    const QList<FormMethod> elements {
        withQuestionSettings(rankingMethod(u"Best fruit?"_s, fruit), shuffledAndRequired),
        rankingMethod(u"Best sport?"_s, { u"Golf"_s, u"Polo"_s }),
    };
    const auto [designers, questions] = designersPage(elements);
    QCOMPARE(questions.shuffled, QList<QStringList> { fruit });
    QVERIFY(questions.rankings);
    const FormFields places { { u"Apple"_s, u"2"_s }, { u"Pear"_s, u"1"_s }, { u"Plum"_s, u"4"_s },
        { u"Fig"_s, u"4"_s } };
    const QString note = respondentText(RespondentText::GivePlaces).arg(4);
    QSet<QStringList> orders;
    for (int n = 0; n < 8; ++n) {
        const PageAsSent sent { .designerPage = designers,
            .formName = u"poll"_s,
            .token = u"token-"_s + QString::number(n),
            .answers = places,
            .questionNotes = { { u"Apple"_s, note } },
            .questions = questions };
        const QByteArray page = pageAsSent(sent);
        QCOMPARE(page, pageAsSent(sent));
        // The list's script after the room's, with its words; each option once, whole with its menu and
        // its place put back; the other ranking after them all.
        QVERIFY(page.indexOf(rankingScriptPath()) > page.indexOf(formPageScriptTag()));
        QVERIFY(page.contains("data-move-up='Move up' data-move-down='Move down'"));
        const QStringList shown = shownValues(page, u"<label>([^<]*) <select "_s);
        QCOMPARE(shown.size(), 6);
        QCOMPARE(shown.mid(4), (QStringList { u"Golf"_s, u"Polo"_s }));
        QCOMPARE(
            QSet<QString>(shown.cbegin(), shown.cend() - 2), QSet<QString>(fruit.cbegin(), fruit.cend()));
        // Every menu of the ranking says it is refused; the other ranking's do not.
        QCOMPARE(shownValues(page, u"<select aria-invalid=true[^>]* name='([^']*)'"_s).size(), 4);
        QCOMPARE(page.count("aria-invalid=true"), 4);
        const qsizetype pear = page.indexOf("name='Pear'");
        const QByteArray pearMenu = page.mid(pear, page.indexOf("</select>", pear) - pear);
        QCOMPARE(pearMenu.count(" selected"), 1);
        QVERIFY(pearMenu.contains("<option selected>1"));
        // The note stands above the options, in its place whatever their order.
        const qsizetype noteAt = page.indexOf("<p class=answer-notice");
        QVERIFY(noteAt > page.indexOf("Best fruit?"));
        QVERIFY(noteAt < page.indexOf("<div class='qrank-item'>"));
        QCOMPARE(page.count("answer-notice id="), 1);
        orders.insert(shown);
    }
    QVERIFY(orders.size() > 1);
}

QTEST_GUILESS_MAIN(TestPageAsSent)
#include "tst_PageAsSent.moc"

// Each page of a form divided by page breaks in a section of its own, closed
// after what the page holds (a group of options too); a break with nothing
// to see on one side of it divides nothing.
void TestPageAsSent::dividesAFormAtItsPageBreaks()
{
    const QByteArray top = "<html><head><title>t</title>" + kFormTag;
    const QByteArray unpaged = top
        + "<hr data-page-break><h2>Welcome</h2>\r\n<P>Age <input name=a>\r\n"
          "<hr data-page-break>\r\n<hr data-page-break>\r\n<P></FORM></HTML>";
    const QByteArray sentUnpaged
        = pageAsSent({ .designerPage = unpaged, .formName = u"f"_s, .token = u"t"_s });
    QVERIFY(!sentUnpaged.contains("<section") && !sentUnpaged.contains(pagingScriptPath()));

    const QByteArray paged = top
        + "<P>Age <input name=a type=number>\r\n<hr data-page-break>\r\n"
          "<input type=hidden name='c Type' value='Radio Buttons'><P>Colour<BR><input name=c type=radio "
          "value=R>Red\r\n<hr data-page-break><h2>Done &amp; dusted</h2>\r\n"
          "<P><INPUT TYPE='submit' VALUE='Go'>\r\n<P></FORM></HTML>";
    const QByteArray sent = pageAsSent({ .designerPage = paged,
        .formName = u"f"_s,
        .token = u"t"_s,
        .language = FormLanguage::German,
        .refusalNotes = { { u"a"_s, u"Geben Sie eine Zahl an. \u00dcber 0"_s } } });
    QCOMPARE(sent.mid(sent.indexOf(kFormTag)),
        kFormTag + kTokenField
            + "<section class=form-page><P><label for=answer-1>Age</label> <input id=answer-1 "
              "data-refused-note='Geben Sie eine Zahl an. &#220;ber 0' name=a type=number>\r\n"
              "</section><section class=form-page><hr data-page-break>\r\n<input type=hidden name='c Type' "
              "value='Radio Buttons'><P><fieldset class=choices><legend>Colour</legend><BR><label><input "
              "name=c "
              "type=radio value=R>Red</label>\r\n</fieldset></section><section class=form-page>"
              "<hr data-page-break><h2>Done &amp; dusted</h2>\r\n<P><INPUT TYPE='submit' VALUE='Go'>\r\n"
              "<P></section></FORM></main></HTML>");
    // The paging script after the room's, with its words in the form's language.
    const QByteArray head = sent.left(sent.indexOf("<main>"));
    QVERIFY(head.contains(QByteArray(pagingStyle().toByteArray()
        + "<script src=\"/scripts/pages.js\" defer "
          "data-next='Weiter' data-back='Zur&#252;ck' "
          "data-page-of='Seite %1 von %2' "
          "data-answer-question='Bitte beantworten Sie diese Frage.' "
          "data-tick-box='Bitte kreuzen Sie dieses K&#228;stchen an.' "
          "data-tick-one-box='Bitte kreuzen Sie mindestens ein "
          "K&#228;stchen an.' data-choose-answer='Bitte w&#228;hlen "
          "Sie eine Antwort.'></script>")));
    QVERIFY(head.indexOf(formPageScriptTag(FormLanguage::German)) < head.indexOf(pagingScriptPath()));
}
