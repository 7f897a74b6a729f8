// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/AnswerPlacement.h"

#include "database/AnswerColumns.h"
#include "model/PageFormat.h"
#include "model/QuestionNames.h"
#include "server/RequestHandler.h"
#include "server/RespondentPage.h"

#include <QHash>

namespace quenlow {

namespace {

const QString kTypeSuffix = pageFormat::kindSuffix();

// The question a field name stands for: one of now first, then one the
// question had before a rename. Names compare as the columns do.
class QuestionIndex
{
public:
    explicit QuestionIndex(const QList<PostedQuestion>& questions)
    {
        for (qsizetype i = 0; i < questions.size(); ++i)
            m_current.insert(foldAscii(questions.at(i).field), int(i));
        for (qsizetype i = 0; i < questions.size(); ++i) {
            for (const QString& former : questions.at(i).formerFields) {
                const QString folded = foldAscii(former);
                if (!m_current.contains(folded) && !m_former.contains(folded))
                    m_former.insert(folded, int(i));
            }
        }
    }
    int of(const QString& field) const
    {
        const QString folded = foldAscii(field);
        if (const auto it = m_current.constFind(folded); it != m_current.cend())
            return *it;
        return m_former.value(folded, -1);
    }

private:
    QHash<QString, int> m_current;
    QHash<QString, int> m_former;
};

bool isMarker(const FormField& f)
{
    return f.name.size() > kTypeSuffix.size() && f.name.endsWith(kTypeSuffix)
        && questionKindOfPageType(f.value).has_value();
}

bool isAnswered(const std::optional<QString>& value)
{
    return value && !value->trimmed().isEmpty() && *value != QLatin1StringView("Not Checked");
}

} // namespace

PlacedAnswers placeAnswers(
    const QString& table, const QList<PostedQuestion>& questions, const FormFields& fields)
{
    PlacedAnswers placed;
    const qsizetype count = questions.size();
    const QuestionIndex index(questions);
    QStringList hidden = pageHiddenFieldNames();
    hidden.append(submissionTokenField());
    hidden.append(formVersionField());

    // A question whose field name the page also gives to another field is
    // told by its place after its "<name> Type" field, as the page sends it.
    QList<bool> byPlace(count, false);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& field = questions.at(i).field;
        const int marked = field.endsWith(kTypeSuffix) ? index.of(field.chopped(kTypeSuffix.size())) : -1;
        byPlace[i] = hidden.contains(field) || (marked >= 0 && marked != i);
    }

    QList<bool> carried(count, false); // its field or its "Type" field came
    QList<std::optional<QString>> value(count); // the first value posted under its field
    bool unplaced = false;
    for (const FormField& f : fields) {
        if (hidden.contains(f.name))
            continue;
        if (f.name.size() > kTypeSuffix.size() && f.name.endsWith(kTypeSuffix) && index.of(f.name) < 0) {
            // A question's own "<name> Type" field, whatever it says, is no answer.
            const int question = index.of(f.name.chopped(kTypeSuffix.size()));
            if (question >= 0) {
                carried[question] = true;
                continue;
            }
            // A question of the page the form no longer has.
            if (isMarker(f)) {
                unplaced = true;
                continue;
            }
        } else if (isMarker(f)) {
            // Also another question's field ("Size Type" beside "Size"): both count.
            const int question = index.of(f.name.chopped(kTypeSuffix.size()));
            if (question >= 0)
                carried[question] = true;
        }
        const int question = index.of(f.name);
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
    if (byPlace.contains(true)) {
        const Submission positional = submissionFrom(table, fields);
        for (const Answer& a : positional.answers) {
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
        std::optional<QString> stored = settled.at(i).value_or(value.at(i));
        if (!settled.at(i)) {
            if (q.kind == ElementKind::CheckBox)
                stored = value.at(i) ? QStringLiteral("Checked") : QStringLiteral("Not Checked");
            else if (q.kind == ElementKind::PullDownMenu && stored && stored->isEmpty())
                stored.reset(); // the menu's empty first choice: nothing chosen
        }
        answered = answered || isAnswered(stored);
        placed.answers.append({ q.field, stored });
        // Every control of a question the post carried shows what was sent:
        // an unticked box unticked, an unchosen menu at its empty choice.
        if (q.kind == ElementKind::CheckBox)
            placed.kept.append({ q.field,
                stored == QLatin1StringView("Checked") ? QStringLiteral("on")
                                                       : QStringLiteral("Not Checked") });
        else if (stored || q.kind == ElementKind::PullDownMenu)
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
