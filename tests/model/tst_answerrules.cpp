// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/AnswerRules.h"
#include "model/CollectionFile.h"
#include "model/FormMethod.h"
#include "model/MethodCollection.h"
#include "model/QuestionSettings.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quenlow;

class TestAnswerRules : public QObject
{
    Q_OBJECT

private slots:
    void typedAnswers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<bool>("required");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored"); // when good
        QTest::addColumn<QString>("problem"); // when refused

        const int whole = int(AnswerKind::WholeNumber);
        const int number = int(AnswerKind::Number);
        const int date = int(AnswerKind::Date);
        const QString none;
        // Blanks trimmed, a decimal comma, a dotted date, letters and a number too large for a
        // whole-number question are refused or stored through the service's own tests.
        const QString ageProblem = u"Please give a whole number from 0 to 120."_s;
        QTest::newRow("age at the limits") << whole << "0"
                                           << "120" << false << "120"
                                           << "120" << none;
        QTest::newRow("age below") << whole << "0"
                                   << "120" << false << "-1" << none << ageProblem;
        QTest::newRow("age with a fraction") << whole << "0"
                                             << "120" << false << "4.5" << none << ageProblem;
        QTest::newRow("age left out") << whole << "0"
                                      << "120" << false << "  " << none << none;
        QTest::newRow("age left out but required")
            << whole << "0"
            << "120" << true << "" << none << "Please answer this question.";
        QTest::newRow("only a minimum")
            << whole << "10"
            << "" << false << "9" << none << "Please give a whole number of at least 10.";
        QTest::newRow("plus sign, bare point") << number << ""
                                               << "" << false << "+.5"
                                               << "0.5" << none;
        QTest::newRow("negative, dangling point") << number << ""
                                                  << "" << false << "-7."
                                                  << "-7" << none;
        QTest::newRow("two separators") << number << ""
                                        << "" << false << "1,000.5" << none << "Please give a number.";
        QTest::newRow("number below a decimal limit")
            << number << "0.5"
            << "" << false << "0,25" << none << "Please give a number of at least 0.5.";
        QTest::newRow("ISO date") << date << ""
                                  << "" << false << "2026-12-24"
                                  << "2026-12-24" << none;
        // Written digit by digit: short fields padded, the year as typed.
        QTest::newRow("dotted date of the first year") << date << ""
                                                       << "" << false << "1.2.0001"
                                                       << "0001-02-01" << none;
        QTest::newRow("leap day") << date << "2024-02-29"
                                  << "" << false << "29.2.2024"
                                  << "2024-02-29" << none;
        QTest::newRow("negative just above a negative limit") << number << "-0.3"
                                                              << "" << false << "-0,25"
                                                              << "-0.25" << none;
        // Long numbers, read on the quick path (60 digits) and past it (70).
        for (const int digits : { 60, 70 }) {
            const QString limit = u"1"_s + QString(digits - 2, u'0');
            QTest::newRow(qPrintable(u"%1 digits over the limit"_s.arg(digits)))
                << number << "" << limit << false << u"2"_s + QString(digits - 1, u'0') << none
                << u"Please give a number of at most %1."_s.arg(limit);
        }
        QTest::newRow("no such day") << date << ""
                                     << "" << false << "2026-02-30" << none
                                     << "Please give a date as year-month-day, for example 2026-12-24.";
        for (const char* year : { "7.3.26", "7.3.02026", "226-03-07", "2026-3-7-1", "2026--07" })
            QTest::newRow(year) << date << ""
                                << "" << false << year << none
                                << "Please give a date as year-month-day, for example 2026-12-24.";
        QTest::newRow("slashed date is ambiguous")
            << date << ""
            << "" << false << "03/04/2026" << none
            << "Please give a date as year-month-day, for example 2026-12-24.";
        QTest::newRow("date after the last") << date << "2026-01-01"
                                             << "2026-12-31" << false << "1.1.2027" << none
                                             << "Please give a date from 2026-01-01 to 2026-12-31.";
        QTest::newRow("date before the first")
            << date << "2026-01-01"
            << "" << false << "2025-12-31" << none << "Please give a date on or after 2026-01-01.";
        QTest::newRow("e-mail") << int(AnswerKind::Email) << ""
                                << "" << false << " ann@example.org "
                                << "ann@example.org" << none;
        QTest::newRow("e-mail without a domain")
            << int(AnswerKind::Email) << ""
            << "" << false << "ann@localhost" << none
            << "Please give an e-mail address, such as name@example.org.";
        // Scanned by hand, as the pattern reads: each of these is refused.
        for (const char* address : { "ann smith@example.org", "ann@example..org", "ann@@example.org",
                 "ann@example.", "@example.org" }) {
            QTest::newRow(address) << int(AnswerKind::Email) << ""
                                   << "" << false << address << none
                                   << "Please give an e-mail address, such as name@example.org.";
        }
        for (const char* phone : { "+", "12", "+49 30 123 x" }) {
            QTest::newRow(phone) << int(AnswerKind::Phone) << ""
                                 << "" << false << phone << none
                                 << "Please give a phone number: digits, spaces and + - ( ) only.";
        }
        QTest::newRow("phone") << int(AnswerKind::Phone) << ""
                               << "" << false << "+49 (30) 123-456"
                               << "+49 (30) 123-456" << none;
        QTest::newRow("phone with letters") << int(AnswerKind::Phone) << ""
                                            << "" << false << "call me" << none
                                            << "Please give a phone number: digits, spaces and + - ( ) only.";
        QTest::newRow("any text kept as typed") << int(AnswerKind::AnyText) << ""
                                                << "" << false << " as typed "
                                                << " as typed " << none;
    }

    void typedAnswers()
    {
        QFETCH(int, kind);
        QFETCH(QString, minimum);
        QFETCH(QString, maximum);
        QFETCH(bool, required);
        QFETCH(QString, given);
        QFETCH(QString, stored);
        QFETCH(QString, problem);
        const AnswerRules rules { required, AnswerKind(kind), minimum, maximum };
        const CheckedAnswer checked = checkTypedAnswer(rules, given);
        QCOMPARE(checked ? QString() : checked.error().detail, problem);
        QCOMPARE(checked.valueOr(QString()), stored);
    }

    void limitsAndKindNames()
    {
        QCOMPARE(canonicalLimit(AnswerKind::Number, u"2,5"_s), std::optional<QString>(u"2.5"_s));
        QCOMPARE(canonicalLimit(AnswerKind::Date, u"1.2.2026"_s), std::optional<QString>(u"2026-02-01"_s));
        QCOMPARE(canonicalLimit(AnswerKind::Number, u" "_s), std::optional<QString>(QString()));
        QVERIFY(!canonicalLimit(AnswerKind::WholeNumber, u"ten"_s));
        QVERIFY(!canonicalLimit(AnswerKind::Email, u"a@b.org"_s)); // no limits for e-mail
        for (AnswerKind kind : allAnswerKinds())
            QCOMPARE(answerKindFromName(answerKindName(kind)), std::optional<AnswerKind>(kind));
        QVERIFY(!answerKindFromName(u"any text"_s));
    }

    // The refusals of required boxes, groups and choices are the service's tests'; a box not
    // required may stay unticked.
    void requiredChoicesAndBoxes()
    {
        QVERIFY(checkAnswered(AnswerShape::Box, AnswerRules {}, { u"Not Checked"_s }));
    }

    // Every language has every text, with the same blanks to fill in as the English one.
    void problemsInTheFormsLanguage()
    {
        static const QRegularExpression blank(u"%\\d"_s);
        const auto blanks = [](const QString& text) {
            QStringList found;
            for (auto it = blank.globalMatch(text); it.hasNext();)
                found << it.next().captured();
            found.sort();
            return found;
        };
        for (const FormLanguage language : formLanguages()) {
            QCOMPARE(formLanguageFromTag(languageTag(language)), std::optional<FormLanguage>(language));
            for (int i = 0; i < kRespondentTextCount; ++i) {
                const auto text = RespondentText(i);
                QVERIFY2(hasRespondentText(text, language),
                    qPrintable(languageTag(language) + QString::number(i)));
                QCOMPARE(blanks(respondentText(text, language)), blanks(respondentText(text)));
            }
        }
        AnswerRules age { false, AnswerKind::WholeNumber, u"0"_s, u"120"_s };
        QCOMPARE(checkTypedAnswer(age, u"200"_s, FormLanguage::German).error().detail,
            u"Bitte geben Sie eine ganze Zahl von 0 bis 120 an."_s);
        age.maximum.clear();
        QCOMPARE(checkTypedAnswer(age, u"-1"_s, FormLanguage::Spanish).error().detail,
            u"Indique un n\u00famero entero de al menos 0."_s);
        age.required = true;
        QCOMPARE(
            checkAnswered(AnswerShape::Box, age, { u"Not Checked"_s }, FormLanguage::German).error().detail,
            u"Bitte kreuzen Sie dieses K\u00e4stchen an."_s);
    }

    void conditionsFollowTheirChain()
    {
        const QList<ConditionalQuestion> questions {
            { u"Pets"_s, {} },
            { u"Kind"_s, { u"Pets"_s, u"Yes"_s } },
            { u"Breed"_s, { u"Kind"_s, u"Dog"_s } },
            { u"Early"_s, { u"Later"_s, u"x"_s } }, // names a later question
            { u"Later"_s, {} },
        };
        const auto answers = [](const QString& pets, const QString& kind) {
            return QHash<QString, QString> { { u"Pets"_s, pets }, { u"Kind"_s, kind },
                { u"Later"_s, u"x"_s } };
        };
        QCOMPARE(questionsThatApply(questions, answers(u"Yes"_s, u"Dog"_s)),
            (QList<bool> { true, true, true, false, true }));
        // "Kind" was posted as Dog, but is not asked when there are no pets: nor is "Breed".
        QCOMPARE(questionsThatApply(questions, answers(u"No"_s, u"Dog"_s)),
            (QList<bool> { true, false, false, false, true }));
    }

    // Kept in the question's record only when set, and read back exactly.
    void settingsInTheCollectionFile()
    {
        FormMethod question;
        question.userInstruction = u"Age"_s;
        question.kind = ElementKind::TextField;
        MethodCollection plain;
        plain.setMethods({ question });
        const QString before = serializeCollection(plain);
        setQuestionSettings(question, QuestionSettings {});
        plain.setMethods({ question });
        QCOMPARE(serializeCollection(plain), before);

        QuestionSettings settings;
        settings.rules = { true, AnswerKind::Number, u"0.5"_s, u"10"_s };
        settings.condition = { u"Pets"_s, u"Yes"_s };
        settings.questionText = u"Which topics?"_s;
        setQuestionSettings(question, settings);
        FormMethod header;
        header.kind = ElementKind::Header;
        header.attribute6List = { u"Title"_s, u"0"_s, u"0"_s, QString() };
        MethodCollection collection;
        collection.setMethods({ header, question });
        const ParsedCollection parsed = parseCollection(serializeCollection(collection));
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(questionSettingsOf(parsed.methods.at(1)), settings);
        QCOMPARE(questionSettingsFromText(questionSettingsText(settings)), settings);
        // A line break typed into a text would end its line in the file.
        settings.questionText = u"Which\ntopics?"_s;
        setQuestionSettings(question, settings);
        collection.setMethods({ header, question });
        QCOMPARE(
            questionSettingsOf(parseCollection(serializeCollection(collection)).methods.at(1)).questionText,
            u"Which topics?"_s);
        // A limit that is not of its kind (a hand-edited file) is no limit.
        QCOMPARE(
            questionSettingsOf({ { u"AnswerKind"_s, u"Whole number"_s }, { u"MinimumValue"_s, u"ten"_s } })
                .rules.minimum,
            QString());
    }

    void numberSummaries()
    {
        QVERIFY(!summariseNumbers({ QString(), u"n/a"_s }));
        const auto odd = summariseNumbers({ u"5"_s, QString(), u"1"_s, u"3"_s, u"inf"_s });
        QVERIFY(odd);
        QCOMPARE(odd->count, 3); // "inf" is no answer's number
        // Mean, median and ends are the report-scale-summary scenario's; there no median falls between two.
        const auto even = summariseNumbers({ u"10"_s, u"1"_s, u"2"_s, u"4"_s });
        QCOMPARE(even->median, 3.0);
    }
};

QTEST_GUILESS_MAIN(TestAnswerRules)
#include "tst_answerrules.moc"
