// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/AnswerChecks.h"

#include <QHash>

namespace quenlow {

namespace {

AnswerShape shapeOf(ElementKind kind)
{
    switch (kind) {
    case ElementKind::CheckBox:
        return AnswerShape::Box;
    case ElementKind::RadioButtons:
    case ElementKind::PullDownMenu:
    case ElementKind::Scale:
        return AnswerShape::Choice;
    default:
        return AnswerShape::Text;
    }
}

// Boxes asked as one question: a run of check boxes with the same question text.
bool sameGroup(const PostedQuestion& a, const PostedQuestion& b)
{
    return a.kind == ElementKind::CheckBox && b.kind == ElementKind::CheckBox
        && !a.settings.questionText.isEmpty() && a.settings.questionText == b.settings.questionText;
}

} // namespace

FormFields checkAnswers(const QList<PostedQuestion>& questions, const QList<ChartedQuestion>& charted,
    QList<Answer>& answers, FormLanguage language)
{
    QHash<QString, qsizetype> answerOf; // field -> its place in `answers`
    QHash<QString, QString> stored;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        answerOf.insert(answers.at(i).field, i);
        if (answers.at(i).value)
            stored.insert(answers.at(i).field, *answers.at(i).value);
    }
    QList<ConditionalQuestion> conditional;
    conditional.reserve(questions.size());
    for (const PostedQuestion& q : questions)
        conditional.append({ q.field, q.settings.condition });
    const QList<bool> applies = questionsThatApply(conditional, stored);
    const auto givenFor = [&](const QString& field) { return stored.value(field); };

    FormFields problems;
    for (qsizetype i = 0; i < questions.size(); ++i) {
        const PostedQuestion& q = questions.at(i);
        const auto at = answerOf.constFind(q.field);
        Answer* answer = at == answerOf.cend() ? nullptr : &answers[*at];
        if (!applies.at(i)) {
            if (answer)
                answer->value.reset();
            continue;
        }
        const QString given = givenFor(q.field);
        QString problem;
        if (q.kind == ElementKind::TextField || q.kind == ElementKind::TextArea) {
            AnswerRules rules = q.settings.rules;
            if (q.kind == ElementKind::TextArea)
                rules.kind = AnswerKind::AnyText; // a text area takes any text
            const CheckedAnswer checked = checkTypedAnswer(rules, given, language);
            problem = checked.problem;
            if (checked.ok() && answer && answer->value && !checked.value.isEmpty())
                answer->value = checked.value;
        } else if (q.kind == ElementKind::CheckBox && !q.settings.questionText.isEmpty()) {
            // A group is checked once, at its first box; the note stands there.
            if (i > 0 && sameGroup(questions.at(i - 1), q))
                continue;
            QStringList ticks { given };
            for (qsizetype j = i + 1; j < questions.size() && sameGroup(q, questions.at(j)); ++j)
                ticks.append(applies.at(j) ? givenFor(questions.at(j).field) : QString());
            problem = missingAnswerProblem(AnswerShape::Boxes, q.settings.rules, ticks, language);
        } else {
            problem = missingAnswerProblem(shapeOf(q.kind), q.settings.rules, { given }, language);
            if (problem.isEmpty() && q.kind == ElementKind::Scale && !given.isEmpty()) {
                // Only one of its numbers, whatever was posted.
                for (const ChartedQuestion& c : charted) {
                    if (c.field == q.field && !c.options.isEmpty() && !c.options.contains(given)) {
                        problem = respondentText(RespondentText::ChooseScaleNumber, language)
                                      .arg(c.options.constFirst(), c.options.constLast());
                    }
                }
            }
        }
        if (!problem.isEmpty())
            problems.append({ q.field, problem });
    }
    return problems;
}

} // namespace quenlow
