// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/AnswerPlacement.h"
#include "model/ElementKind.h"

#include "model/PageFormat.h"
#include "model/QuestionNames.h"
#include "server/PageTokens.h"

#include <QHash>
#include <QSet>

namespace quenlow {

namespace {

const QString kTypeSuffix = pageFormat::kindSuffix();

bool isMarker(const FormField& f)
{
    return f.name.size() > kTypeSuffix.size() && f.name.endsWith(kTypeSuffix)
        && questionKindOfPageType(f.value).has_value();
}

// The answers as the page sent them, each question's after its "<name> Type"
// field; a box "Checked" or "Not Checked".
QList<Answer> answersByPlace(const FormFields& fields)
{
    // The page announces each question with its kind marker "<name> Type"
    // directly before the question's own field; the form's hidden fields
    // (tableName, DBLocation, ...) all come before the first marker. So a
    // question's answer is the field of its name after its marker: never a
    // hidden field or another question's marker that shares the name.
    QList<Answer> answers;
    QSet<QString> announced;
    QList<std::optional<ElementKind>> kinds;
    bool answered = false; // the current (last announced) question has its value
    const auto markedQuestion = [&announced](const FormField& f) -> std::optional<QString> {
        if (!isMarker(f))
            return std::nullopt;
        QString question = f.name.chopped(kTypeSuffix.size());
        if (announced.contains(question))
            return std::nullopt;
        return question;
    };
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const FormField& f = fields.at(i);
        const std::optional<QString> marked = markedQuestion(f);
        const bool current = !answers.isEmpty() && !answered && f.name == answers.last().field;
        if (current) {
            // Both the current question's value and the next one's marker (the
            // question "Size Type" followed by "Size"): a box posts "on", never
            // a kind, and otherwise the field that follows tells.
            const bool nextMarker = marked
                && (kinds.last() == ElementKind::CheckBox
                    || (i + 1 < fields.size() && fields.at(i + 1).name == *marked));
            if (!nextMarker) {
                answers.last().value = f.value;
                answered = true;
                continue;
            }
        }
        if (marked) {
            announced.insert(*marked);
            answers.append({ *marked, std::nullopt });
            kinds.append(questionKindOfPageType(f.value));
            answered = false;
        }
    }
    for (qsizetype i = 0; i < answers.size(); ++i) {
        // An unticked box is not posted at all; the reporter counts both texts.
        if (kinds.at(i) == ElementKind::CheckBox) {
            Answer& box = answers[i];
            box.value = box.value ? checkedAnswer() : notCheckedAnswer();
        }
    }
    return answers;
}

bool isAnswered(const std::optional<QString>& value)
{
    return value && !value->trimmed().isEmpty() && *value != notCheckedAnswer();
}

} // namespace

size_t QuestionPlaces::FoldedHash::operator()(QStringView name) const noexcept
{
    size_t hash = 14695981039346656037ull;
    for (const QChar c : name) {
        char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            u = char16_t(u + 32);
        hash = (hash ^ u) * 1099511628211ull;
    }
    return hash;
}

bool QuestionPlaces::FoldedEqual::operator()(QStringView a, QStringView b) const noexcept
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a.at(i).unicode(), y = b.at(i).unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

QuestionPlaces::QuestionPlaces(const QList<PostedQuestion>& questions)
    : m_questions(questions)
{
    const qsizetype count = questions.size();
    // The last question of a field wins, as the columns hold one value each.
    for (qsizetype i = 0; i < count; ++i)
        m_fields[questions.at(i).field].current = int(i);
    for (qsizetype i = 0; i < count; ++i) {
        for (const QString& former : questions.at(i).formerFields) {
            FieldPlace& place = m_fields[former];
            if (place.current < 0 && place.former < 0)
                place.former = int(i);
        }
    }
    // Each name's "<name> Type" field, found with the name itself.
    QList<std::pair<QString, int>> types;
    for (const auto& [name, place] : m_fields)
        types.append({ name + kTypeSuffix, place.question() });
    for (const auto& [typeField, question] : std::as_const(types))
        m_fields[typeField].typeOf = question;
    // The box of each choice question's "Other:" answer (a check box group's too), unless a question has its
    // name.
    for (qsizetype i = 0; i < count; ++i) {
        const PostedQuestion& q = questions.at(i);
        m_hasOther.append(false);
        if (!takesOtherAnswer(q))
            continue;
        FieldPlace& box = m_fields[q.field + pageFormat::otherSuffix()];
        if (box.current < 0 && box.otherOf < 0) {
            box.otherOf = int(i);
            m_hasOther.last() = true;
        }
    }
    const QStringList hidden = pageHiddenFieldNames();
    m_hidden = QSet<QString>(hidden.cbegin(), hidden.cend());
    m_hidden.insert(submissionTokenField());
    m_hidden.insert(formVersionField());
    m_hidden.insert(participantCodeField());
    for (const QString& field : std::as_const(m_hidden))
        m_fields[field].hidden = true;
    // A question whose field name the page also gives to another field is
    // told by its place after its "<name> Type" field, as the page sends it.
    m_byPlace.fill(false, count);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& field = questions.at(i).field;
        const int marked
            = field.endsWith(kTypeSuffix) ? of(QStringView(field).chopped(kTypeSuffix.size())) : -1;
        m_byPlace[i] = m_hidden.contains(field) || (marked >= 0 && marked != i);
    }
    m_anyByPlace = m_byPlace.contains(true);
}

const QuestionPlaces::FieldPlace* QuestionPlaces::placeOf(QStringView field) const
{
    const auto it = m_fields.find(field);
    return it == m_fields.end() ? nullptr : &it->second;
}

int QuestionPlaces::of(QStringView field) const
{
    // One of now first, then a former one.
    const FieldPlace* place = placeOf(field);
    return place ? place->question() : -1;
}

PlacedAnswers placeAnswers(const PublishedForm& form, const FormFields& fields)
{
    if (form.places)
        return form.places->place(fields);
    return QuestionPlaces(form.questions).place(fields);
}

PlacedAnswers QuestionPlaces::place(const FormFields& fields) const
{
    PlacedAnswers placed;
    const QList<PostedQuestion>& questions = m_questions;
    const qsizetype count = questions.size();
    const QSet<QString>& hidden = m_hidden;
    const QList<bool>& byPlace = m_byPlace;
    const QuestionPlaces& index = *this;
    placed.answers.reserve(count);
    placed.kept.reserve(count);
    QList<bool> carried(count, false); // its field or its "Type" field came
    QList<std::optional<QString>> value(count); // the first value posted under its field
    QList<std::optional<QString>> typed(count); // the first text typed in its "Other:" box
    bool unplaced = false;
    for (const FormField& f : fields) {
        const FieldPlace* place = placeOf(f.name);
        if (place && place->hidden && hidden.contains(f.name))
            continue;
        if (place && place->otherOf >= 0) {
            if (!typed.at(place->otherOf))
                typed[place->otherOf] = f.value;
            continue;
        }
        const int question = place ? place->question() : -1;
        const bool typeSuffix = f.name.size() > kTypeSuffix.size() && f.name.endsWith(kTypeSuffix);
        if (typeSuffix && question < 0) {
            // A question's own "<name> Type" field, whatever it says, is no answer.
            if (place && place->typeOf >= 0) {
                carried[place->typeOf] = true;
                continue;
            }
            // A question of the page the form no longer has.
            if (isMarker(f)) {
                unplaced = true;
                continue;
            }
        } else if (typeSuffix && isMarker(f)) {
            // Also another question's field ("Size Type" beside "Size"): both count.
            if (place && place->typeOf >= 0)
                carried[place->typeOf] = true;
        }
        if (question < 0) {
            // An empty field of no question loses nothing; an answer would be lost.
            unplaced = unplaced || !f.value.trimmed().isEmpty();
            continue;
        }
        carried[question] = true;
        if (!byPlace.at(question) && !value.at(question))
            value[question] = f.value;
    }

    QList<std::optional<std::optional<QString>>> settled(count); // by place, as the page sent them
    if (m_anyByPlace) {
        for (const Answer& a : answersByPlace(fields)) {
            const int question = index.of(a.field);
            if (question >= 0 && byPlace.at(question) && !settled.at(question)) {
                settled[question] = a.value;
                carried[question] = true;
            }
        }
    }

    if (!carried.contains(true))
        return placed;
    bool answered = false;
    for (qsizetype i = 0; i < count; ++i) {
        if (!carried.at(i))
            continue;
        const PostedQuestion& q = questions.at(i);
        const bool other = m_hasOther.at(i);
        const bool groupOther = other && q.kind == ElementKind::CheckBox;
        std::optional<QString> stored = settled.at(i).value_or(value.at(i));
        if (!settled.at(i)) {
            if (q.kind == ElementKind::CheckBox && !groupOther)
                stored = value.at(i) ? checkedAnswer() : notCheckedAnswer();
            else if ((q.kind == ElementKind::PullDownMenu || q.kind == ElementKind::Ranking) && stored
                && stored->isEmpty())
                stored.reset(); // the menu's empty first choice (a ranking's too): nothing chosen
        }
        const QString text = typed.at(i).value_or(QString());
        // A group's "Other:" is taken by its tick, whatever its value, or by a text typed beside it.
        if (groupOther && ((stored && !stored->isEmpty()) || !text.trimmed().isEmpty()))
            stored = pageFormat::otherChoice();
        if (other && stored == pageFormat::otherChoice()) {
            // What was typed is the answer; the choice alone, which the checks refuse, when nothing was.
            stored = text.trimmed().isEmpty() ? pageFormat::otherChoice() : text.trimmed();
            answered = true;
            placed.answers.append({ q.field, stored, true });
            placed.kept.append({ q.field, pageFormat::otherChoice() });
            placed.kept.append({ q.field + pageFormat::otherSuffix(), text });
            continue;
        }
        if (other && !text.isEmpty())
            placed.kept.append({ q.field + pageFormat::otherSuffix(), text });
        answered = answered || isAnswered(stored);
        placed.answers.append({ q.field, stored });
        // Every control of a question the post carried shows what was sent:
        // an unticked box unticked, an unchosen menu at its empty choice.
        if (q.kind == ElementKind::CheckBox)
            placed.kept.append(
                { q.field, stored == checkedAnswer() ? QStringLiteral("on") : notCheckedAnswer() });
        else if (stored || q.kind == ElementKind::PullDownMenu || q.kind == ElementKind::Ranking)
            placed.kept.append({ q.field, stored.value_or(QString()) });
    }
    if (unplaced)
        placed.verdict = PlacedAnswers::Verdict::FormChanged;
    else if (!answered)
        placed.verdict = PlacedAnswers::Verdict::NothingAnswered;
    else
        placed.verdict = PlacedAnswers::Verdict::Answers;
    return placed;
}

} // namespace quenlow
