// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/Publication.h"
#include "model/RespondentTexts.h"
#include "server/AnswerWriter.h"
#include "server/FormFields.h"

#include <QHash>
#include <QList>

namespace quenlow {

/// Answers as they may be stored, and what keeps any of them from it.
struct CheckedAnswers {
    /// The answers given, each in its one stored spelling; no value for a
    /// question that does not apply.
    QList<Answer> answers;
    /// For each question whose answer cannot be stored, its field and what
    /// is wrong in the words shown beside it; empty when all may be stored.
    FormFields problems;
};

/// A form's rules made ready once, when the service reads the form, for
/// checking every post to it: limits read as numbers, each scale's numbers,
/// each condition tied to the question it waits on, the groups of boxes.
/// Made again whenever the form is read again. Immutable once made.
class AnswerChecks final
{
public:
    AnswerChecks(const QList<PostedQuestion>& questions, const QList<ChartedQuestion>& charted);

    /// What checkAnswers() does, for the questions and scales given here.
    CheckedAnswers check(const QList<Answer>& answers, FormLanguage language = FormLanguage::English) const;
    /// The fields whose answer a choice of the form (option buttons, a menu,
    /// a scale) does not offer now.
    QStringList notOffered(const QList<Answer>& answers) const;

private:
    static constexpr qsizetype kAlways = -1; // asked whatever was answered
    static constexpr qsizetype kNever = -2; // waits on no earlier question

    struct Question {
        QString field;
        qsizetype sameField = 0; // the first question of this field (answers are found by field)
        ElementKind kind = ElementKind::TextField;
        AnswerShape shape = AnswerShape::Text;
        ReadyRules rules; // a text area's take any text
        qsizetype waitsOn = kAlways; // the question whose answer decides, or kAlways, kNever
        QString answer; // the answer it waits for
        bool inGroup
            = false; // a box (a ranking's option) after the first of its group: checked with the first
        qsizetype groupEnd = -1; // the first box (option) of a group: the question after its last
        QList<QStringList> choices; // option buttons, a menu, a scale: what each of its field offers
        int maxLength = 0; // a text field's most characters; 0: any
        bool other = false; // option buttons or a menu taking an answer typed after "Other:"
    };

    QList<Question> m_questions;
    QHash<QString, qsizetype> m_byField; // the first question of each field
};

/// Holds placed answers to what each question asks, whatever the page let
/// through: a question that does not apply stores nothing (its answer becomes
/// no value, even when posted); a typed answer is stored in its one spelling
/// ("3,5" as "3.5", a date as year-month-day). `answers` is left as given. A scale takes
/// only the values `charted` gives it; check boxes asked as one question are
/// checked as one, their note under the first box's field. An answer typed
/// after "Other:" must have some text, and at most kOtherAnswerLength characters.
inline constexpr int kOtherAnswerLength = 255;

CheckedAnswers checkAnswers(const QList<PostedQuestion>& questions, const QList<ChartedQuestion>& charted,
    const QList<Answer>& answers, FormLanguage language = FormLanguage::English);

} // namespace quenlow
