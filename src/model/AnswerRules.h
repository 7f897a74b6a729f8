// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "model/RespondentTexts.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace quenlow {

/// What a text field takes. The page picks the matching input and keyboard;
/// the service checks the answer again and stores it in one spelling.
enum class AnswerKind { AnyText, WholeNumber, Number, Date, Email, Phone };

/// The caption in the text field editor's list, which is also the value kept
/// in the collection file ("Any text", "Whole number", …).
QString answerKindName(AnswerKind kind);
std::optional<AnswerKind> answerKindFromName(const QString& name);
QList<AnswerKind> allAnswerKinds();
/// Numbers and dates have limits; the other kinds have none.
bool answerKindHasLimits(AnswerKind kind);

/// How a question is answered, as far as "an answer is required" goes.
enum class AnswerShape {
    Text, // text field, text area: something must be typed
    Box, // a single check box: it must be ticked (consent)
    Boxes, // check boxes asked as one question: at least one ticked
    Choice, // radio buttons, menu, scale: an option must be chosen
};

/// What a question asks of its answer.
struct AnswerRules {
    bool required = false;
    AnswerKind kind = AnswerKind::AnyText;
    QString minimum; // in the stored spelling; empty: no limit
    QString maximum;

    bool operator==(const AnswerRules&) const = default;
};

/// A checked answer: the spelling to store ("3.5" for "3,5", "2026-12-24"
/// for "24.12.2026"; empty for no answer), or an error whose detail is what is
/// wrong, in the words shown to the person beside the question.
using CheckedAnswer = Result<QString>;

/// Checks one typed answer (the text a text field posted, trimmed or not).
/// An empty answer is good unless an answer is required.
CheckedAnswer checkTypedAnswer(
    const AnswerRules& rules, const QString& given, FormLanguage language = FormLanguage::English);

/// What a typed answer takes, said under its box before anything is
/// refused ("A whole number from 5 to 99."); empty for any text.
QString ruleHint(const AnswerRules& rules, FormLanguage language = FormLanguage::English);

/// What is said beside a typed answer `rules` refuse (one that is not of
/// its kind, or beyond its limits), as the service says it; empty for any text.
QString refusedAnswerNote(const AnswerRules& rules, FormLanguage language = FormLanguage::English);

/// Rules read once for checking many answers: a number's limits as numbers
/// (dates compare in their stored spelling, as text).
struct ReadyRules {
    AnswerRules rules;
    double minimum = 0;
    double maximum = 0;
};
ReadyRules readyRules(const AnswerRules& rules);
/// The same check as for `rules` themselves.
CheckedAnswer checkTypedAnswer(
    const ReadyRules& ready, const QString& given, FormLanguage language = FormLanguage::English);

/// Checks that a question of `shape` was answered when it must be; the
/// error's detail says what is missing, in the words shown beside the question.
/// `given` is the stored value: "Checked"/"Not Checked" for a box, the ticked
/// count's values for boxes (any "Checked" among them counts), the option for a choice.
Result<void> checkAnswered(AnswerShape shape, const AnswerRules& rules, std::span<const QString> given,
    FormLanguage language = FormLanguage::English);
inline Result<void> checkAnswered(AnswerShape shape, const AnswerRules& rules, const QStringList& given,
    FormLanguage language = FormLanguage::English)
{
    return checkAnswered(shape, rules, std::span(given.constData(), size_t(given.size())), language);
}

/// A limit as the designer typed it, in the stored spelling; nullopt when it
/// is not of the kind ("abc" for a number). An empty limit is no limit.
std::optional<QString> canonicalLimit(AnswerKind kind, const QString& typed);

/// When a question is asked: always, or only when an earlier question has a
/// given answer (an option, or "Checked"/"Not Checked" for a box).
struct AskCondition {
    QString question; // empty: always
    QString answer;

    bool always() const { return question.isEmpty(); }
    bool operator==(const AskCondition&) const = default;
};

/// One question of a form in order, with its condition.
struct ConditionalQuestion {
    QString name;
    AskCondition condition;
};

/// Which questions apply, in the form's order, to a post whose stored values
/// are `answers` (by question name; missing: no answer). A question applies
/// when it is always asked, or when the question it depends on applies and
/// was given the answer; one that depends on a question that does not apply
/// does not apply either, whatever was posted for it.
QList<bool> questionsThatApply(
    const QList<ConditionalQuestion>& questions, const QHash<QString, QString>& answers);

/// Count, mean, median, smallest and largest of the answers that are numbers
/// (empty and other answers are left out).
struct NumberSummary {
    qsizetype count = 0;
    double mean = 0;
    double median = 0;
    double minimum = 0;
    double maximum = 0;
};
std::optional<NumberSummary> summariseNumbers(const QStringList& answers);

} // namespace quenlow
