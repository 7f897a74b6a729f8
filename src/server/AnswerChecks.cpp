// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/AnswerChecks.h"

#include "model/PageFormat.h"
#include "model/RankingQuestion.h"

#include <QVarLengthArray>

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
    case ElementKind::Grid:
    case ElementKind::Ranking:
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

// Options of one ranking: posted one after another, each with the ranking's
// settings and its number of options.
bool sameRanking(const PostedQuestion& a, const PostedQuestion& b)
{
    return a.kind == ElementKind::Ranking && b.kind == ElementKind::Ranking && a.maxLength == b.maxLength
        && a.settings == b.settings;
}

// The characters of `text` as a person counts them: code points, a pair of
// UTF-16 units (an emoji) being one.
qsizetype characterCount(const QString& text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

} // namespace

AnswerChecks::AnswerChecks(const QList<PostedQuestion>& questions, const QList<ChartedQuestion>& charted)
{
    const qsizetype count = questions.size();
    m_questions.reserve(count);
    QHash<QString, qsizetype> latest; // by field, the last question met so far
    qsizetype rankingEnd = -1; // the question after the last option of the ranking met last
    for (qsizetype i = 0; i < count; ++i) {
        const PostedQuestion& posted = questions.at(i);
        Question q;
        q.field = posted.field;
        q.sameField = m_byField.value(posted.field, i);
        if (q.sameField == i)
            m_byField.insert(posted.field, i);
        q.kind = posted.kind;
        q.shape = shapeOf(posted.kind);
        q.maxLength = posted.maxLength;
        q.other = takesOtherAnswer(posted);
        AnswerRules rules = posted.settings.rules;
        if (posted.kind == ElementKind::TextArea)
            rules.kind = AnswerKind::AnyText; // a text area takes any text
        q.rules = readyRules(rules);
        if (const AskCondition& condition = posted.settings.condition; !condition.always()) {
            // Only an earlier question can decide; one named later or not at
            // all never holds, so the question is not asked.
            q.waitsOn = latest.value(condition.question, kNever);
            q.answer = condition.answer;
        }
        latest.insert(posted.field, i);
        if (posted.kind == ElementKind::CheckBox && !posted.settings.questionText.isEmpty()) {
            q.inGroup = i > 0 && sameGroup(questions.at(i - 1), posted);
            if (!q.inGroup) {
                q.groupEnd = i + 1;
                while (q.groupEnd < count && sameGroup(posted, questions.at(q.groupEnd)))
                    ++q.groupEnd;
            }
        }
        if (posted.kind == ElementKind::Ranking) {
            // Two rankings asked alike one after another are told apart by their number of options.
            q.inGroup = i < rankingEnd && sameRanking(questions.at(i - 1), posted);
            if (!q.inGroup) {
                q.groupEnd = i + 1;
                while (q.groupEnd < count && q.groupEnd < i + posted.maxLength
                    && sameRanking(posted, questions.at(q.groupEnd)))
                    ++q.groupEnd;
                rankingEnd = q.groupEnd;
            }
        }
        // A closed choice takes only what it offers, whatever a post says.
        if (q.shape == AnswerShape::Choice) {
            for (const ChartedQuestion& c : charted) {
                if (c.field == posted.field && !c.options.isEmpty())
                    q.choices.append(c.options);
            }
        }
        m_questions.append(std::move(q));
    }
}

namespace {

// What is wrong with an answer typed after "Other:": none was, or too long a one.
QString typedOtherProblem(const QString& given, FormLanguage language)
{
    if (given == pageFormat::otherChoice())
        return respondentText(RespondentText::TypeOtherAnswer, language);
    if (characterCount(given) > kOtherAnswerLength)
        return respondentText(RespondentText::UseAtMost, language).arg(kOtherAnswerLength);
    return {};
}

} // namespace

CheckedAnswers AnswerChecks::check(const QList<Answer>& answers, FormLanguage language) const
{
    CheckedAnswers checked { answers, {} };
    const qsizetype count = m_questions.size();
    // By a field's first question: its last answer, and the last that has a value.
    QVarLengthArray<qsizetype, 64> answerAt(count, -1);
    QVarLengthArray<qsizetype, 64> valueAt(count, -1);
    qsizetype next = 0; // answers come mostly in the form's order: the question after the last found
    for (qsizetype a = 0; a < answers.size(); ++a) {
        const QString& field = answers.at(a).field;
        qsizetype question = -1;
        if (next < count && m_questions.at(next).field == field)
            question = m_questions.at(next).sameField;
        else if (const auto it = m_byField.constFind(field); it != m_byField.cend())
            question = *it;
        if (question < 0)
            continue;
        next = question + 1;
        answerAt[question] = a;
        if (answers.at(a).value)
            valueAt[question] = a;
    }
    const auto givenFor = [&](qsizetype question) {
        const qsizetype a = valueAt[m_questions.at(question).sameField];
        return a < 0 ? QString() : *answers.at(a).value;
    };

    QVarLengthArray<bool, 64> applies(count);
    for (qsizetype i = 0; i < count; ++i) {
        const Question& q = m_questions.at(i);
        applies[i] = q.waitsOn == kAlways
            || (q.waitsOn >= 0 && applies[q.waitsOn] && givenFor(q.waitsOn) == q.answer);
    }

    FormFields& problems = checked.problems;
    for (qsizetype i = 0; i < count; ++i) {
        const Question& q = m_questions.at(i);
        const qsizetype at = answerAt[q.sameField];
        Answer* answer = at < 0 ? nullptr : &checked.answers[at];
        if (!applies[i]) {
            if (answer)
                answer->value.reset();
            continue;
        }
        const QString given = givenFor(i);
        QString problem;
        if (q.kind == ElementKind::TextField || q.kind == ElementKind::TextArea) {
            const CheckedAnswer typed = checkTypedAnswer(q.rules, given, language);
            if (!typed)
                problem = typed.error().detail;
            // Counted as a person counts characters: an emoji is one, as is
            // a letter with its accent typed as one.
            if (problem.isEmpty() && q.maxLength > 0 && !given.isEmpty()
                && characterCount(given) > q.maxLength)
                problem = respondentText(RespondentText::UseAtMost, language).arg(q.maxLength);
            if (typed && answer && answer->value && !typed->isEmpty())
                answer->value = *typed;
        } else if (q.kind == ElementKind::Ranking) {
            // The places are checked together, the note at the ranking's first option.
            if (q.inGroup)
                continue;
            QStringList places { given };
            for (qsizetype j = i + 1; j < q.groupEnd; ++j)
                places.append(givenFor(j));
            if (const auto note = rankingProblem(places, q.rules.rules.required, language))
                problem = *note;
        } else if (q.inGroup) {
            // Checked with the group's first box; the text after its "Other:" here.
            if (!q.other || !answer || !answer->typedOther)
                continue;
            problem = typedOtherProblem(given, language);
        } else if (q.groupEnd >= 0) {
            // The note stands at the group's first box; a text typed after its "Other:" is a tick.
            if (q.rules.rules.required) {
                QStringList ticks { given };
                for (qsizetype j = i + 1; j < q.groupEnd; ++j) {
                    const QString tick = applies[j] ? givenFor(j) : QString();
                    ticks.append(m_questions.at(j).other && !tick.isEmpty() ? checkedAnswer() : tick);
                }
                if (const auto answered = checkAnswered(AnswerShape::Boxes, q.rules.rules, ticks, language);
                    !answered)
                    problem = answered.error().detail;
            }
        } else {
            if (q.rules.rules.required) {
                if (const auto answered
                    = checkAnswered(q.shape, q.rules.rules, std::span(&given, 1), language);
                    !answered)
                    problem = q.kind == ElementKind::Grid
                        ? respondentText(RespondentText::AnswerEveryRow, language)
                        : answered.error().detail;
            }
            if (q.other && answer && answer->typedOther) {
                // What was typed takes the place of an option.
                problem = typedOtherProblem(given, language);
            } else if (problem.isEmpty() && !given.isEmpty()) {
                for (const QStringList& offered : q.choices) {
                    if (offered.contains(given))
                        continue;
                    problem = q.kind == ElementKind::Scale
                        ? respondentText(RespondentText::ChooseScaleNumber, language)
                              .arg(offered.constFirst(), offered.constLast())
                        : respondentText(RespondentText::ChooseOffered, language);
                }
            }
        }
        if (!problem.isEmpty())
            problems.append({ q.field, problem });
    }
    return checked;
}

QStringList AnswerChecks::notOffered(const QList<Answer>& answers) const
{
    QStringList fields;
    for (const Answer& answer : answers) {
        const auto it = m_byField.constFind(answer.field);
        if (!answer.value || answer.value->isEmpty() || answer.typedOther || it == m_byField.cend())
            continue;
        for (const QStringList& offered : m_questions.at(*it).choices) {
            if (!offered.contains(*answer.value) && !fields.contains(answer.field))
                fields.append(answer.field);
        }
    }
    return fields;
}

CheckedAnswers checkAnswers(const QList<PostedQuestion>& questions, const QList<ChartedQuestion>& charted,
    const QList<Answer>& answers, FormLanguage language)
{
    return AnswerChecks(questions, charted).check(answers, language);
}

} // namespace quenlow
