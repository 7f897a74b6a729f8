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
    // What a posted field name stands for, found with one look-up.
    struct FieldPlace {
        int current = -1; // the question whose field of now it is
        int former = -1; // the question that had it before a rename
        int typeOf = -1; // "<name> Type": the question `name` stands for
        int otherOf = -1; // "<field> Other": the box of a question's "Other:" choice
        bool hidden = false; // the page's own field, when written exactly so
        int question() const { return current >= 0 ? current : former; }
    };
    using FieldIndex = std::unordered_map<QString, FieldPlace, FoldedHash, FoldedEqual>;
    const FieldPlace* placeOf(QStringView field) const;

    QList<PostedQuestion> m_questions;
    QSet<QString> m_hidden; // the page's own fields, never an answer
    FieldIndex m_fields;
    QList<bool> m_hasOther; // by question: it has an "Other:" choice
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
