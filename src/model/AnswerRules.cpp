// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/AnswerRules.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace quenlow {

namespace {

struct KindEntry {
    AnswerKind kind;
    const char* name;
};

constexpr KindEntry kKinds[] = {
    { AnswerKind::AnyText, "Any text" },
    { AnswerKind::WholeNumber, "Whole number" },
    { AnswerKind::Number, "Number" },
    { AnswerKind::Date, "Date" },
    { AnswerKind::Email, "E-mail address" },
    { AnswerKind::Phone, "Phone number" },
};

// Digits with an optional sign and, unless whole, one decimal separator: a
// point or a comma ("3,5" is three and a half). Scanned by hand rather than
// matched: the service checks every typed answer of every post.
bool isNumberText(const QString& text, bool whole)
{
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    bool separator = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (!whole && !separator && (c == u'.' || c == u','))
            separator = true;
        else
            return false;
    }
    return digits > 0;
}

// Stored with a point, without a plus sign or a dangling separator.
std::optional<QString> canonicalNumber(const QString& text, bool whole)
{
    if (!isNumberText(text, whole))
        return std::nullopt;
    // Most answers are stored as typed: kept whole, nothing copied.
    if (!text.contains(QLatin1Char(',')) && !text.startsWith(QLatin1Char('+'))
        && !text.endsWith(QLatin1Char('.')) && !text.startsWith(QLatin1Char('.'))
        && !text.startsWith(QLatin1String("-.")))
        return text;
    QString value = text;
    value.replace(QLatin1Char(','), QLatin1Char('.'));
    if (value.startsWith(QLatin1Char('+')))
        value.remove(0, 1);
    if (value.endsWith(QLatin1Char('.')))
        value.chop(1);
    if (value.startsWith(QLatin1Char('.')))
        value.prepend(QLatin1Char('0'));
    else if (value.startsWith(QLatin1String("-.")))
        value.insert(1, QLatin1Char('0'));
    return value;
}

// Three runs of digits between two `separator`s, each of `widths` digits at
// most and at least one; the values, or nothing.
std::optional<std::array<int, 3>> threeNumbers(
    const QString& text, char16_t separator, const int (&widths)[3])
{
    std::array<int, 3> values {};
    int lengths[3] = {};
    int field = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == separator) {
            if (++field > 2)
                return std::nullopt;
        } else if (c >= u'0' && c <= u'9' && lengths[field] < widths[field]) {
            values[field] = values[field] * 10 + (c - u'0');
            ++lengths[field];
        } else {
            return std::nullopt;
        }
    }
    if (field != 2 || !lengths[0] || !lengths[1] || !lengths[2])
        return std::nullopt;
    return values;
}

// Year-month-day as a date input posts it, or day.month.year as people
// type it where the browser shows a plain text box. Slashes are refused:
// 03/04/2026 is a different day on either side of the Atlantic.
std::optional<QString> canonicalDate(const QString& text)
{
    std::array<int, 3> ymd {};
    // The year has its four digits in either spelling.
    if (const auto iso = threeNumbers(text, u'-', { 4, 2, 2 }); iso && text.indexOf(QLatin1Char('-')) == 4)
        ymd = *iso;
    else if (const auto dotted = threeNumbers(text, u'.', { 2, 2, 4 });
             dotted && text.size() - text.lastIndexOf(QLatin1Char('.')) == 5)
        ymd = { (*dotted)[2], (*dotted)[1], (*dotted)[0] };
    if (!QDate::isValid(ymd[0], ymd[1], ymd[2]))
        return std::nullopt;
    // Year-month-day with every digit is the stored spelling already.
    if (text.size() == 10 && text.at(4) == QLatin1Char('-'))
        return text;
    // Written digit by digit as QDate::toString(Qt::ISODate) writes it (the
    // year is 1 to 9999 here): that goes through asprintf, and every date of
    // every post passes here.
    char16_t digits[10];
    const auto put = [&digits](int at, int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            digits[at + i] = char16_t(u'0' + value % 10);
    };
    put(0, ymd[0], 4);
    digits[4] = u'-';
    put(5, ymd[1], 2);
    digits[7] = u'-';
    put(8, ymd[2], 2);
    return QString(reinterpret_cast<const QChar*>(digits), 10);
}

// A canonical number's value (digits, a sign, a point: ASCII only), read
// without QString::toDouble's locale machinery, which costs more than the
// rest of a post's checks together.
double numberValue(const QString& canonical)
{
    char text[64];
    if (canonical.size() >= qsizetype(sizeof text))
        return canonical.toDouble();
    for (qsizetype i = 0; i < canonical.size(); ++i)
        text[i] = char(canonical.at(i).unicode());
    double value = 0;
    std::from_chars(text, text + canonical.size(), value);
    return value;
}

// name@example.org: something before the @, and after it at least two
// labels joined by dots; no blanks, no second @. Scanned by hand: every typed
// answer of every post passes here.
bool isEmailAddress(QStringView text)
{
    if (text.size() > 254)
        return false;
    const qsizetype at = text.indexOf(u'@');
    if (at <= 0)
        return false;
    for (QChar c : text.first(at)) {
        if (c.isSpace())
            return false;
    }
    qsizetype labels = 0;
    qsizetype labelLength = 0;
    for (QChar c : text.sliced(at + 1)) {
        if (c.isSpace() || c == u'@')
            return false;
        if (c == u'.') {
            if (labelLength == 0)
                return false;
            ++labels;
            labelLength = 0;
        } else {
            ++labelLength;
        }
    }
    return labelLength > 0 && labels >= 1;
}

// Digits, blanks and ( ) . / - only, an optional + first, 3 to 20 digits.
bool isPhoneNumber(QStringView text)
{
    if (text.startsWith(u'+'))
        text = text.sliced(1);
    if (text.isEmpty())
        return false;
    qsizetype digits = 0;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c != u' ' && c != u'(' && c != u')' && c != u'.' && c != u'/' && c != u'-')
            return false;
    }
    return digits >= 3 && digits <= 20;
}

std::optional<QString> canonicalAnswer(AnswerKind kind, const QString& text)
{
    switch (kind) {
    case AnswerKind::AnyText:
        return text;
    case AnswerKind::WholeNumber:
        return canonicalNumber(text, true);
    case AnswerKind::Number:
        return canonicalNumber(text, false);
    case AnswerKind::Date:
        return canonicalDate(text);
    case AnswerKind::Email:
        return isEmailAddress(text) ? std::optional(text) : std::nullopt;
    case AnswerKind::Phone:
        return isPhoneNumber(text) ? std::optional(text) : std::nullopt;
    }
    return std::nullopt;
}

// Dates in the stored spelling compare as text; numbers as numbers, the
// limit read beforehand as `limitNumber`.
int compareValues(AnswerKind kind, const QString& a, const QString& limit, double limitNumber)
{
    if (kind == AnswerKind::Date)
        return a.compare(limit);
    const double x = numberValue(a);
    return x < limitNumber ? -1 : (x > limitNumber ? 1 : 0);
}

// A limited answer's rule in the words of `texts` (for a whole number, a
// number or a date), with the limits that are set.
struct LimitTexts {
    RespondentText plain, range, atLeast, atMost;
};

QString limitedText(const AnswerRules& rules, const LimitTexts& texts, FormLanguage language)
{
    if (!rules.minimum.isEmpty() && !rules.maximum.isEmpty())
        return respondentText(texts.range, language).arg(rules.minimum, rules.maximum);
    if (!rules.minimum.isEmpty())
        return respondentText(texts.atLeast, language).arg(rules.minimum);
    if (!rules.maximum.isEmpty())
        return respondentText(texts.atMost, language).arg(rules.maximum);
    return respondentText(texts.plain, language);
}

// "Please give a whole number from 0 to 120."
QString limitedProblem(const AnswerRules& rules, FormLanguage language)
{
    using T = RespondentText;
    return limitedText(rules,
        rules.kind == AnswerKind::Date
            ? LimitTexts { T::GiveDate, T::GiveDateRange, T::GiveDateOnOrAfter, T::GiveDateOnOrBefore }
            : rules.kind == AnswerKind::Number
            ? LimitTexts { T::GiveNumber, T::GiveNumberRange, T::GiveNumberAtLeast, T::GiveNumberAtMost }
            : LimitTexts { T::GiveWholeNumber, T::GiveWholeNumberRange, T::GiveWholeNumberAtLeast,
                T::GiveWholeNumberAtMost },
        language);
}

// The same as limitedProblem, said before: "A whole number from 0 to 120."
QString limitedHint(const AnswerRules& rules, FormLanguage language)
{
    using T = RespondentText;
    return limitedText(rules,
        rules.kind == AnswerKind::Date
            ? LimitTexts { T::RuleDate, T::RuleDateRange, T::RuleDateOnOrAfter, T::RuleDateOnOrBefore }
            : rules.kind == AnswerKind::Number
            ? LimitTexts { T::RuleNumber, T::RuleNumberRange, T::RuleNumberAtLeast, T::RuleNumberAtMost }
            : LimitTexts { T::RuleWholeNumber, T::RuleWholeNumberRange, T::RuleWholeNumberAtLeast,
                T::RuleWholeNumberAtMost },
        language);
}

QString malformedProblem(const AnswerRules& rules, FormLanguage language)
{
    switch (rules.kind) {
    case AnswerKind::Email:
        return respondentText(RespondentText::GiveEmail, language);
    case AnswerKind::Phone:
        return respondentText(RespondentText::GivePhone, language);
    default:
        return limitedProblem(rules, language);
    }
}

} // namespace

QString ruleHint(const AnswerRules& rules, FormLanguage language)
{
    switch (rules.kind) {
    case AnswerKind::AnyText:
        return {};
    case AnswerKind::Email:
        return respondentText(RespondentText::RuleEmail, language);
    case AnswerKind::Phone:
        return respondentText(RespondentText::RulePhone, language);
    case AnswerKind::WholeNumber:
    case AnswerKind::Number:
    case AnswerKind::Date:
        break;
    }
    return limitedHint(rules, language);
}

QString refusedAnswerNote(const AnswerRules& rules, FormLanguage language)
{
    return rules.kind == AnswerKind::AnyText ? QString() : malformedProblem(rules, language);
}

QString answerKindName(AnswerKind kind)
{
    for (const KindEntry& entry : kKinds) {
        if (entry.kind == kind)
            return QString::fromLatin1(entry.name);
    }
    return {};
}

std::optional<AnswerKind> answerKindFromName(const QString& name)
{
    for (const KindEntry& entry : kKinds) {
        if (name == QLatin1String(entry.name))
            return entry.kind;
    }
    return std::nullopt;
}

QList<AnswerKind> allAnswerKinds()
{
    QList<AnswerKind> kinds;
    for (const KindEntry& entry : kKinds)
        kinds.append(entry.kind);
    return kinds;
}

bool answerKindHasLimits(AnswerKind kind)
{
    return kind == AnswerKind::WholeNumber || kind == AnswerKind::Number || kind == AnswerKind::Date;
}

std::optional<QString> canonicalLimit(AnswerKind kind, const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QString();
    if (!answerKindHasLimits(kind))
        return std::nullopt;
    return canonicalAnswer(kind, text);
}

CheckedAnswer checkTypedAnswer(const AnswerRules& rules, const QString& given, FormLanguage language)
{
    return checkTypedAnswer(readyRules(rules), given, language);
}

ReadyRules readyRules(const AnswerRules& rules)
{
    // A limit that is no number (a hand-edited file) counts as 0, as it always has.
    return { rules, rules.minimum.toDouble(), rules.maximum.toDouble() };
}

CheckedAnswer checkTypedAnswer(const ReadyRules& ready, const QString& given, FormLanguage language)
{
    const AnswerRules& rules = ready.rules;
    const auto refused = [](const QString& problem) { return Error { Error::Other, problem }; };
    const QString text = given.trimmed();
    if (text.isEmpty()) {
        if (rules.required)
            return refused(respondentText(RespondentText::AnswerQuestion, language));
        return QString();
    }
    if (rules.kind == AnswerKind::AnyText)
        return given;
    const std::optional<QString> value = canonicalAnswer(rules.kind, text);
    if (!value)
        return refused(malformedProblem(rules, language));
    if (answerKindHasLimits(rules.kind)) {
        const bool low
            = !rules.minimum.isEmpty() && compareValues(rules.kind, *value, rules.minimum, ready.minimum) < 0;
        const bool high
            = !rules.maximum.isEmpty() && compareValues(rules.kind, *value, rules.maximum, ready.maximum) > 0;
        if (low || high)
            return refused(limitedProblem(rules, language));
    }
    return *value;
}

Result<void> checkAnswered(
    AnswerShape shape, const AnswerRules& rules, std::span<const QString> given, FormLanguage language)
{
    if (!rules.required)
        return {};
    const QString checked = QStringLiteral("Checked");
    const auto missing = [language](RespondentText text) {
        return Error { Error::Other, respondentText(text, language) };
    };
    switch (shape) {
    case AnswerShape::Text:
        if (std::all_of(given.begin(), given.end(), [](const QString& v) { return v.trimmed().isEmpty(); }))
            return missing(RespondentText::AnswerQuestion);
        return {};
    case AnswerShape::Box:
        if (std::find(given.begin(), given.end(), checked) == given.end())
            return missing(RespondentText::TickBox);
        return {};
    case AnswerShape::Boxes:
        if (std::find(given.begin(), given.end(), checked) == given.end())
            return missing(RespondentText::TickOneBox);
        return {};
    case AnswerShape::Choice:
        if (std::all_of(given.begin(), given.end(), [](const QString& v) { return v.isEmpty(); }))
            return missing(RespondentText::ChooseAnswer);
        return {};
    }
    return {};
}

QList<bool> questionsThatApply(
    const QList<ConditionalQuestion>& questions, const QHash<QString, QString>& answers)
{
    QList<bool> applies;
    applies.reserve(questions.size());
    QHash<QString, bool> asked; // by name, of the questions met so far
    for (const ConditionalQuestion& question : questions) {
        bool yes = true;
        if (!question.condition.always()) {
            // Only an earlier question can decide; one named later or not at
            // all never holds, so the question is not asked.
            const auto earlier = asked.constFind(question.condition.question);
            yes = earlier != asked.cend() && *earlier
                && answers.value(question.condition.question) == question.condition.answer;
        }
        applies.append(yes);
        asked.insert(question.name, yes);
    }
    return applies;
}

std::optional<NumberSummary> summariseNumbers(const QStringList& answers)
{
    QList<double> numbers;
    numbers.reserve(answers.size());
    for (const QString& answer : answers) {
        bool ok = false;
        const double value = answer.trimmed().toDouble(&ok);
        if (ok && std::isfinite(value))
            numbers.append(value);
    }
    if (numbers.isEmpty())
        return std::nullopt;
    std::sort(numbers.begin(), numbers.end());
    NumberSummary summary;
    summary.count = numbers.size();
    double sum = 0;
    for (double n : numbers)
        sum += n;
    summary.mean = sum / static_cast<double>(numbers.size());
    const qsizetype middle = numbers.size() / 2;
    summary.median
        = numbers.size() % 2 ? numbers.at(middle) : (numbers.at(middle - 1) + numbers.at(middle)) / 2;
    summary.minimum = numbers.constFirst();
    summary.maximum = numbers.constLast();
    return summary;
}

} // namespace quenlow
