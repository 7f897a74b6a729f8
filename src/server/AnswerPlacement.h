// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/Publication.h"
#include "server/AnswerWriter.h"
#include "server/FormCatalog.h"
#include "server/FormFields.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringView>

#include <unordered_map>

namespace quenlow {

/// What a post answers of a form, decided from the form's own questions.
struct PlacedAnswers {
    enum class Verdict {
        Answers, // store `answers`
        NoQuestion, // the post carries none of the form's questions
        FormChanged, // it carries a question the form no longer has, or an answer it cannot place
        NothingAnswered, // nothing typed, ticked or chosen
    };
    Verdict verdict = Verdict::NoQuestion;
    /// One per question the post carries, under the question's field of now,
    /// in the order of the form; no value where nothing was answered.
    QList<Answer> answers;
    /// The posted answers that still have a question, under its field of now,
    /// as a page would post them again (a ticked box "on", an unticked one
    /// "Not Checked", a menu left unchosen empty).
    FormFields kept;
};

/// A form's questions made ready for placing answers, once per form read:
/// each is found by its field of now or one it had before a rename.
/// Immutable once made.
class QuestionPlaces final
{
public:
    explicit QuestionPlaces(const QList<PostedQuestion>& questions);
    /// What placeAnswers() does.
    PlacedAnswers place(const FormFields& fields) const;
    /// The question a field name stands for, or -1.
    int of(QStringView field) const;

private:
    // Field names compare as the columns do (ASCII letters in either case);
    // looked up as they come, without making a folded copy of each.
    struct FoldedHash {
        using is_transparent = void;
        size_t operator()(QStringView name) const noexcept;
    };
    struct FoldedEqual {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const noexcept;
    };
    using FoldedIndex = std::unordered_map<QString, int, FoldedHash, FoldedEqual>;

    QList<PostedQuestion> m_questions;
    QSet<QString> m_hidden; // the page's own fields, never an answer
    FoldedIndex m_current; // a question's field of now
    FoldedIndex m_former; // one it had before a rename
    FoldedIndex m_otherBoxes; // "<field> Other" of a question with an "Other:" choice
    QList<bool> m_hasOther; // by question: it has one
    QList<bool> m_byPlace; // told by its place after its "<name> Type" field
    bool m_anyByPlace = false;
};

/// Places each posted answer under its question. An answer is found by its
/// field name — the question's of now or one it had before a rename —
/// wherever it stands in the post; only a question whose name the page also
/// gives another field (a hidden field of the form, another question's
/// "<name> Type") is told by its place after its "<name> Type" field. A box
/// stores "Checked" or "Not Checked"; a menu left at its empty first choice
/// stores no value. The "Other:" choice of a question that offers it stores
/// what was typed in its box ("<field> Other"; the choice itself when the
/// box was left empty, which the checks refuse).
PlacedAnswers placeAnswers(const PublishedForm& form, const FormFields& fields);

} // namespace quenlow
