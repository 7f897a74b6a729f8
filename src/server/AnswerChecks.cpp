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
        return AnswerShape::Choice;
    default:
        return AnswerShape::Text;
    }
}

} // namespace

FormFields checkAnswers(const QList<PostedQuestion>& questions, QList<Answer>& answers, FormLanguage language)
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
        const QString given = answer && answer->value ? *answer->value : QString();
        QString problem;
        if (q.kind == ElementKind::TextField || q.kind == ElementKind::TextArea) {
            AnswerRules rules = q.settings.rules;
            if (q.kind == ElementKind::TextArea)
                rules.kind = AnswerKind::AnyText; // a text area takes any text
            const CheckedAnswer checked = checkTypedAnswer(rules, given, language);
            problem = checked.problem;
            if (checked.ok() && answer && answer->value && !checked.value.isEmpty())
                answer->value = checked.value;
        } else {
            problem = missingAnswerProblem(shapeOf(q.kind), q.settings.rules, { given }, language);
        }
        if (!problem.isEmpty())
            problems.append({ q.field, problem });
    }
    return problems;
}

} // namespace quenlow
