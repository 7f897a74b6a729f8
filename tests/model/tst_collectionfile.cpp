// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/TextFile.h"
#include "model/CollectionFile.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "model/Fragments.h"
#include "model/PageWriter.h"
#include "support/FileSizeLimit.h"
#include "support/FormFixture.h"
#include "support/ScopedTimeZone.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;
using namespace quenlow::test;
using namespace Qt::StringLiterals;

namespace {

FormMethod textField(const QString& question)
{
    return element(ElementKind::TextField, question);
}

// The header + text field + submit button form used by several cases.
void buildSmallForm(FormSession& session)
{
    createForm(session, u"survey"_s, u"Staff Survey"_s);
    QVERIFY(insertMethod(session, textField(u"Your name"_s)));
    QVERIFY(insertMethod(session, element(ElementKind::SubmitButton, u"Submit Form"_s)));
}

QString pageOf(const QList<FormMethod>& records)
{
    MethodCollection c;
    c.setMethods(records);
    return buildFormPage(c);
}

} // namespace

class TestCollectionFile : public QObject
{
    Q_OBJECT

private slots:

    void readerAcceptsListsAtEndOfFileAndKeysInAnyOrder()
    {
        const QString text = QStringLiteral(
            "User Instruction\r\nT\r\nHTML Code\r\n<h>\r\nMethod Type\r\nHeader\r\nAttribute "
            "5\r\nLeft\r\nAttribute 4\r\n3\r\n"
            "Attribute 6\r\n[next]\r\n 6 \r\n[next]\r\n 0 \r\n[next]\r\n/db\r\n[next]\r\n 12 \r\n"
            "User Instruction\r\nColour\r\nMethod Type\r\nRadio Buttons\r\nHTML Code\r\n<r>\r\nAttribute "
            "4\r\n\r\n"
            "Attribute 5\r\nnone\r\nAttribute 6\r\n[next]\r\nRed\r\n[next]\r\nGreen\r\n[next]\r\nBlue\r\n");
        const ParsedCollection parsed = parseCollection(text);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(parsed.methods.size(), 2);
        QCOMPARE(parsed.methods.at(0).attribute4, u"3"_s);
        QCOMPARE(parsed.methods.at(0).attribute5, u"Left"_s);
        QCOMPARE(wholeNumber(parsed.methods.at(0).item(1)), 6);
        QCOMPARE(wholeNumber(parsed.methods.at(0).item(4)), 12);
        QCOMPARE(parsed.methods.at(1).attribute6List, QStringList({ u"Red"_s, u"Green"_s, u"Blue"_s }));
    }

    void singleValuesAndUnknownKindsSurvive()
    {
        // A default text of "[next]" or "User Instruction" comes back as written.
        MethodCollection c;
        FormMethod header;
        header.kind = ElementKind::Header;
        header.attribute6List = { printNumber(1), printNumber(0), u"/db"_s, printNumber(0) };
        c.append(header);
        FormMethod a = textField(u"A"_s);
        a.attribute6 = u"[next]"_s;
        FormMethod b = textField(u"B"_s);
        b.attribute6 = u"User Instruction"_s;
        c.append(a);
        c.append(b);
        // A kind the program does not know (a hand-edited file) keeps its name.
        FormMethod odd;
        odd.setKindName(u"Password Field"_s);
        odd.userInstruction = u"PIN"_s;
        c.append(odd);
        const ParsedCollection parsed = parseCollection(serializeCollection(c));
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(parsed.methods, c.methods());
        QCOMPARE(parsed.methods.at(3).kind, ElementKind::Unknown);
        QCOMPARE(parsed.methods.at(3).rowText(), u"Password Field - PIN"_s);
    }

    void formSettingsAreWrittenOnlyWhenSet()
    {
        MethodCollection c;
        FormMethod header;
        header.kind = ElementKind::Header;
        header.attribute6List = { printNumber(1), printNumber(0), u"/db"_s, printNumber(0) };
        c.append(header);
        const QString plain = serializeCollection(c);
        setFormSettings(header, FormSettings());
        c.replace(0, header);
        QCOMPARE(serializeCollection(c), plain); // a form using none is written as ever

        FormSettings s;
        s.showResults = true;
        s.acceptingAnswers = false;
        s.closingTime = QDateTime::fromString(u"2026-12-24T18:30Z"_s, Qt::ISODate);
        s.answerLimit = 40;
        s.thankYouText = u"See you\r\nat noon"_s;
        s.offerAnotherAnswer = true;
        s.language = FormLanguage::Spanish;
        setFormSettings(header, s);
        c.replace(0, header);
        const QString text = serializeCollection(c);
        QVERIFY(text.contains(QStringLiteral(
            "Attribute 5\r\n\r\nShowResults\r\n1\r\nAcceptingAnswers\r\n0\r\n"
            "ClosingTime\r\n2026-12-24T18:30Z\r\nAnswerLimit\r\n40\r\n"
            "ThankYouText\r\nSee you  at noon\r\nOfferAnotherAnswer\r\n1\r\nFormLanguage\r\nes\r\n"
            "Attribute 6")));
        const ParsedCollection parsed = parseCollection(text);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        s.thankYouText = u"See you  at noon"_s;
        QCOMPARE(formSettingsOf(parsed.methods.first()), s);
        QCOMPARE(formSettingsFromText(formSettingsText(s)), s);
        // A language the program has no texts for (a hand-edited file) is English.
        QCOMPARE(formSettingsFromText(u"FormLanguage\r\nxx\r\n"_s).language, FormLanguage::English);
        QVERIFY(!s.isOpen(QDateTime(QDate(2026, 12, 1), QTime(9, 0))));
        s.acceptingAnswers = true;
        QVERIFY(s.isOpen(QDateTime(QDate(2026, 12, 1), QTime(9, 0)), 39));
        QVERIFY(!s.isOpen(QDateTime(QDate(2026, 12, 1), QTime(9, 0)), 40));
        QVERIFY(!s.isOpen(QDateTime(QDate(2026, 12, 24), QTime(18, 30))));
    }

    // Quotas are three key lines each, after the other settings; a group a
    // hand edit left incomplete is no quota, and the others still read.
    void quotasAreKeptInTheHeader()
    {
        FormSettings s;
        s.answerLimit = 300;
        s.quotas = { { u"Region"_s, u"North"_s, 50 }, { u"Age band"_s, u"65 +"_s, 7 } };
        const QString text = formSettingsText(s);
        QCOMPARE(text,
            u"AnswerLimit\r\n300\r\nQuota\r\nRegion\r\nQuotaAnswer\r\nNorth\r\nQuotaLimit\r\n50\r\n"
            "Quota\r\nAge band\r\nQuotaAnswer\r\n65 +\r\nQuotaLimit\r\n7\r\n"_s);
        QCOMPARE(formSettingsFromText(text), s);
        QVERIFY(isFormSettingKey(u"QuotaAnswer"_s));

        MethodCollection c;
        FormMethod header;
        header.kind = ElementKind::Header;
        header.attribute6List = { printNumber(1), printNumber(0), u"/db"_s, printNumber(0) };
        setFormSettings(header, s);
        c.append(header);
        const ParsedCollection parsed = parseCollection(serializeCollection(c));
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(formSettingsOf(parsed.methods.first()).quotas, s.quotas);

        const FormSettings edited = formSettingsFromText(
            u"Quota\r\nRegion\r\nQuotaAnswer\r\nNorth\r\nQuota\r\nTeam\r\nQuotaLimit\r\n0\r\n"
            "Quota\r\nSize\r\nQuotaAnswer\r\nBig\r\nQuotaLimit\r\nmany\r\n"
            "Quota\r\nTeam\r\nQuotaAnswer\r\nR&D\r\nQuotaLimit\r\n3\r\n"_s);
        QCOMPARE(edited.quotas, (QList<FormQuota> { FormQuota { u"Team"_s, u"R&D"_s, 3 } }));
    }

    // A form closes at one moment wherever it is served: the time the designer
    // typed in Berlin closes it then on a service in New York too.
    void closingTimeIsOneMomentInEveryZone()
    {
        ScopedTimeZone zone("Europe/Berlin");
        FormSettings typed;
        typed.closingTime = QDateTime(QDate(2026, 12, 24), QTime(18, 30)); // local time, as typed
        const QString published = formSettingsText(typed);
        QCOMPARE(published, u"ClosingTime\r\n2026-12-24T17:30Z\r\n"_s);

        zone.set("America/New_York");
        const QDateTime moment = QDateTime::fromString(u"2026-12-24T17:30Z"_s, Qt::ISODate);
        const FormSettings served = formSettingsFromText(published);
        QCOMPARE(served.closingTime.toMSecsSinceEpoch(), moment.toMSecsSinceEpoch());
        // The service asks with its own local clock.
        QVERIFY(served.isOpen(moment.addSecs(-60).toLocalTime()));
        QVERIFY(!served.isOpen(moment.toLocalTime()));

        // A file written before times had a zone holds the designer's local time.
        const FormSettings older = formSettingsFromText(u"ClosingTime\r\n2026-12-24 18:30\r\n"_s);
        QCOMPARE(older.closingTime, QDateTime(QDate(2026, 12, 24), QTime(18, 30)));
        QCOMPARE(formSettingsText(older), u"ClosingTime\r\n2026-12-24T23:30Z\r\n"_s);
    }

    void controlCharactersTypedInBoxesNeverMakeTheFormUnreadable()
    {
        // Every C0 control but the line feed, in the values of both encodings;
        // the files the older writer left with them open as well.
        QString controls;
        for (char16_t c = 0; c < 0x20; ++c) {
            if (c != u'\n')
                controls += QChar(c);
        }
        TestProgramFolder folder;
        FormSession session(folder.path());
        buildSmallForm(session);
        // (A NUL is no part of a question's name: see the refused files.)
        FormMethod question = textField(u"Name"_s + controls.mid(1) + QChar(0x7F));
        question.attribute6 = controls + u"\r"_s;
        session.changeableCollection().removeAt(1);
        session.changeableCollection().insertAt(1, question);
        FormMethod header = session.collection().atPosition(0);
        header.userInstruction = u"Title\t"_s + QChar(0x85) + QChar(0x1B); // U+0085 needs UTF-8
        session.changeableCollection().removeAt(0);
        session.changeableCollection().insertAt(0, header);
        QVERIFY(writeFormPage(session, u"survey.html"_s));
        QVERIFY(readBytes(folder.collection(u"survey"_s)).startsWith("\xEF\xBB\xBF"));
        const QList<FormMethod> written = session.collection().methods();

        for (bool utf8 : { true, false }) {
            if (!utf8) {
                header.userInstruction = u"Title\x01"_s;
                session.changeableCollection().removeAt(0);
                session.changeableCollection().insertAt(0, header);
                QVERIFY(saveCollectionFile(session));
                QVERIFY(!readBytes(folder.collection(u"survey"_s)).startsWith("\xEF\xBB\xBF"));
            }
            FormSession reopened(folder.path());
            QCOMPARE(loadForm(reopened, folder.path(), u"survey.html"_s).notices().size(), 0);
            QCOMPARE(reopened.htmlName(), u"survey.html"_s);
            QCOMPARE(reopened.collection().methods(), session.collection().methods());
            QCOMPARE(reopened.collection().atPosition(1), written.at(1));
        }
    }

    void refusesFilesThatAreNotWholeCollections_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray header
            = "User Instruction\r\nT\r\nMethod Type\r\nHeader\r\nHTML Code\r\nh\r\nAttribute 4\r\n7\r\n"
              "Attribute 5\r\nCentre\r\nAttribute 6\r\n[next]\r\n 1 \r\n[next]\r\n 0 "
              "\r\n[next]\r\n/db\r\n[next]\r\n 0 \r\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("truncated record")
            << header + "User Instruction\r\nName\r\nMethod Type\r\nText Field\r\n";
        QTest::newRow("cut inside the header") << header.left(60);
        QTest::newRow("no header first")
            << QByteArray("User Instruction\r\nQ\r\nMethod Type\r\nText Field\r\nHTML Code\r\nx\r\n"
                          "Attribute 4\r\n\r\nAttribute 5\r\n\r\nAttribute 6\r\n\r\n");
        QTest::newRow("short header list") << header.left(header.indexOf("[next]\r\n/db"));
        QTest::newRow("record without User Instruction")
            << header + "Method Type\r\nText Field\r\nAttribute 6\r\n\r\n";
        QTest::newRow("plain text") << QByteArray("Dear diary,\r\ntoday I wrote a letter.\r\n");
        QTest::newRow("NUL in a question's name") << header
                + QByteArray(
                    "User Instruction\r\nNa\0me\r\nMethod Type\r\nText Field\r\nAttribute 6\r\n\r\n", 65);
    }

    void refusesFilesThatAreNotWholeCollections()
    {
        QFETCH(QByteArray, bytes);
        TestProgramFolder folder;
        FormSession session(folder.path());
        buildSmallForm(session);
        QVERIFY(writeFormPage(session, u"survey.html"_s));
        const QList<FormMethod> before = session.collection().methods();
        const QByteArray surveyFile = readBytes(folder.collection(u"survey"_s));
        writeBytes(folder.collection(u"broken"_s), bytes);

        // Asking leaves the open form exactly as it was; the file is said to be damaged, not missing.
        const std::optional<Notice> question = loadForm(session, folder.path(), u"broken.html"_s).question();
        QVERIFY(question && question->kind == Notice::Kind::OpenPageOnly);
        QCOMPARE(question->subject, u"broken"_s);
        QCOMPARE(question->collection, Notice::Collection::Damaged);
        QVERIFY(!question->detail.isEmpty());
        QCOMPARE(session.collection().methods(), before);
        QCOMPARE(session.rows()->count(), 3);
        QCOMPARE(session.htmlName(), u"survey.html"_s);
        QCOMPARE(session.openFormName(), u"survey"_s);
        // ... and a later save still writes the old form to its own file.
        QVERIFY(saveCollectionFile(session));
        QCOMPARE(readBytes(folder.collection(u"survey"_s)), surveyFile);
        QCOMPARE(readBytes(folder.collection(u"broken"_s)), bytes);
    }

    void pageNameWithoutDotIsRefusedBeforeAnythingChanges()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        buildSmallForm(session);
        for (const QString& name : { QString(), u"survey"_s, u".html"_s }) {
            const Outcome opened = loadForm(session, folder.path(), name);
            QVERIFY(!opened && opened.tells(Notice::Kind::NotAPageName));
            QCOMPARE(session.collection().count(), 3);
            QCOMPARE(session.htmlName(), u"survey.html"_s);
        }
    }

    // Windows-1252 text is written single-byte as the older program did; anything
    // beyond it makes both files UTF-8 with a byte-order mark. Both read back.
    void textIsWrittenInTheEncodingThatHoldsIt_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("Windows-1252") << u"Café – “quoted” €5"_s << false
                                      << QByteArray("Caf\xE9 \x96 \x93quoted\x94 \x80"
                                                    "5\r\n");
        QTest::newRow("beyond it") << u"Ваше имя? 名前 — \U0001F600"_s << true
                                   << u"Ваше имя? 名前 — \U0001F600\r\n"_s.toUtf8();
    }

    void textIsWrittenInTheEncodingThatHoldsIt()
    {
        QFETCH(QString, question);
        QFETCH(bool, utf8);
        QFETCH(QByteArray, written);
        TestProgramFolder folder;
        FormSession session(folder.path());
        buildSmallForm(session);
        session.changeableCollection().removeAt(1);
        session.changeableCollection().insertAt(1, textField(question));
        QVERIFY(writeFormPage(session, u"survey.html"_s));
        const QByteArray bytes = readBytes(folder.collection(u"survey"_s));
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), utf8);
        QCOMPARE(readBytes(folder.html(u"survey.html"_s)).startsWith("\xEF\xBB\xBF"), utf8);
        QVERIFY(bytes.contains(written));

        FormSession reopened(folder.path());
        QVERIFY(loadForm(reopened, folder.path(), u"survey.html"_s));
        QCOMPARE(reopened.collection().atPosition(1).userInstruction, question);
    }

    void failedSaveKeepsThePreviousFilesWhole()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        buildSmallForm(session);
        QVERIFY(writeFormPage(session, u"survey.html"_s));
        const QByteArray collection = readBytes(folder.collection(u"survey"_s));
        const QByteArray page = readBytes(folder.html(u"survey.html"_s));

        session.changeableCollection().append(textField(u"Another question"_s));
        Outcome written;
        {
            quenlow::test::FileSizeLimit full(100);
            written = writeFormPage(session, u"survey.html"_s);
        }
        QVERIFY(!written);
        QCOMPARE(written.notices().size(), 1);
        QCOMPARE(written.notices().constFirst().kind, Notice::Kind::CollectionNotSaved);
        QVERIFY(written.notices().constFirst().detail.contains(u"could be written"_s));
        QCOMPARE(readBytes(folder.collection(u"survey"_s)), collection);
        QCOMPARE(readBytes(folder.html(u"survey.html"_s)), page);
    }

    // Missing folders are made; the collection is saved under the name the
    // page's caption holds, not a stale form name.
    void pageAndCollectionFindTheirPlace()
    {
        TestProgramFolder folder;
        FormSession session(folder.path());
        buildSmallForm(session);
        QDir(folder.path() + u"/Collections"_s).removeRecursively();
        QDir(folder.path() + u"/HTML"_s).removeRecursively();
        session.setOpenFormName(u"stale"_s);
        QVERIFY(writeFormPage(session, u"survey.html"_s));
        QCOMPARE(session.openFormName(), u"survey"_s);
        QVERIFY(readBytes(folder.collection(u"stale"_s)).isEmpty());
        QVERIFY(!readBytes(folder.collection(u"survey"_s)).isEmpty());
        QVERIFY(!readBytes(folder.html(u"survey.html"_s)).isEmpty());
    }

    // Each kind's fragment says its settings, made again from the record's own fields (numbers,
    // dates, e-mail, a required text area and scale are in the rules scenarios' pages).
    void fragmentsSayTheSettings()
    {
        const QString mark = u" <span class='required' title='An answer is required'>*</span>"_s;
        const QStringList colours { u"Red"_s, u"Blue"_s };
        const FormMethod age = textFieldMethod(u"Age"_s, u"3"_s, u"3"_s, {});
        const FormMethod box = checkBoxMethod(u"I agree"_s, false, true);
        const FormMethod mood = scaleMethod(u"Mood"_s, { 0, 2, u"Low"_s, {} });
        const QuestionSettings required { { true, AnswerKind::AnyText, {}, {} }, {}, {} };
        const struct {
            FormMethod record;
            QuestionSettings settings;
            QString says;
        } cases[] = {
            { age, { { false, AnswerKind::Phone, {}, {} }, {}, {} },
                u"type='tel' inputmode='tel' value =''>"_s },
            { box, required, u"type='checkbox' checked required>I agree"_s + mark },
            { checkBoxMethod(u"Tea"_s, true, false), required,
                u"'><P><input name='Tea' type='checkbox' required>"_s },
            { radioButtonsMethod(u"Colour"_s, colours, u"Blue"_s), required,
                u"Colour"_s + mark
                    + u"<BR><input name='Colour' type='radio' value='Red' required>Red<BR>"_s },
            { pullDownMenuMethod(u"Menu"_s, u"1"_s, colours, noDefaultOption()), required,
                u"Menu"_s + mark + u" <select name='Menu' size=1 required>"_s },
            { mood, required, u"Mood"_s + mark + u"<BR>"_s },
        };
        const QuestionSettings other { { true, AnswerKind::Phone, {}, {} }, { u"X"_s, u"Y"_s }, u"Group"_s };
        for (const auto& c : cases) {
            const FormMethod set = withQuestionSettings(c.record, c.settings);
            QVERIFY2(set.htmlCode.contains(c.says), qPrintable(set.htmlCode));
            // Twice is once, other settings give way, the defaults give today's record back.
            QCOMPARE(withQuestionSettings(set, c.settings), set);
            QCOMPARE(withQuestionSettings(withQuestionSettings(c.record, other), c.settings), set);
            QCOMPARE(withQuestionSettings(set, {}), c.record);
        }
        // A box of a group says nothing itself; a record without settings keeps an older fragment.
        QCOMPARE(withQuestionSettings(box, other).htmlCode, box.htmlCode);
        FormMethod older = age;
        older.htmlCode = u"<p>Age <INPUT NAME=Age>"_s;
        QCOMPARE(withQuestionSettings(older, {}), older);
    }

    void groupsAndConditionsOnThePage()
    {
        const QuestionSettings drinks { { true, AnswerKind::AnyText, {}, {} },
            { u"Thirsty'<x>"_s, u"Yes & more"_s }, u"Drinks?"_s };
        const FormMethod coffee = checkBoxMethod(u"Coffee"_s, true, false);
        const FormMethod tea = withQuestionSettings(checkBoxMethod(u"Tea"_s, true, false), drinks);
        const FormMethod milk = withQuestionSettings(checkBoxMethod(u"Milk"_s, false, false), drinks);
        const FormMethod age = withQuestionSettings(
            textFieldMethod(u"Age"_s, u"3"_s, u"3"_s, {}), { {}, { u"Coffee"_s, u"Checked"_s }, {} });
        const QString open
            = u"<div data-ask-if='Thirsty&#39;&lt;x&gt;' data-ask-if-answer='Yes &amp; more'>"
              "<fieldset><legend>Drinks? <span class='required' title='An answer is required'>*"
              "</span></legend>"_s;
        const QString close = u"</fieldset></div>\r\n"_s;
        const QString end = u"<P></FORM></HTML>\r\n"_s;
        QCOMPARE(pageOf({ coffee, tea, milk, age }),
            coffee.htmlCode + u"\r\n"_s + open + tea.htmlCode + u"\r\n"_s + milk.htmlCode + close
                + u"<div data-ask-if='Coffee' data-ask-if-answer='Checked'>"_s + age.htmlCode
                + u"</div>\r\n"_s + end);
        // A box moved between two of its group splits it: the page follows the records in order.
        QCOMPARE(pageOf({ tea, coffee, milk }),
            open + tea.htmlCode + close + coffee.htmlCode + u"\r\n"_s + open + milk.htmlCode + close + end);
    }
};

QTEST_GUILESS_MAIN(TestCollectionFile)
#include "tst_collectionfile.moc"
