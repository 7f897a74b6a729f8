// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/Publication.h"

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "model/Backgrounds.h"
#include "model/CollectionFile.h"
#include "model/ElementKind.h"
#include "model/FormSession.h"
#include "model/OwnedColumns.h"
#include "model/PageWriter.h"
#include "model/ScaleQuestion.h"

#include <QDir>

#include <optional>
#include <utility>

namespace quenlow {

std::optional<HeaderFacts> headerFacts(const QList<FormMethod>& methods)
{
    if (methods.isEmpty() || methods.first().kind != ElementKind::Header)
        return std::nullopt;
    const FormMethod& header = methods.first();
    HeaderFacts facts;
    facts.title = header.userInstruction;
    const int choice = wholeNumber(header.item(1));
    if (choice >= 0 && choice < backgroundChoices().size())
        facts.backgroundImage = backgroundImageFor(backgroundChoices().at(choice));
    facts.showsAnswersTable = wholeNumber(header.item(2)) == 1;
    facts.settings = formSettingsOf(header);
    facts.formerNames = header.formerNames;
    return facts;
}

AnswersStore::Publication publicationOf(
    const QString& formName, const QList<FormMethod>& methods, const QString& htmlFolder)
{
    AnswersStore::Publication p;
    p.form = formName;
    MethodCollection collection;
    for (qsizetype i = 0; i < methods.size(); ++i)
        collection.append(methods.at(i));
    p.page = buildFormPage(collection).toUtf8();
    if (const std::optional<HeaderFacts> facts = headerFacts(methods)) {
        p.title = facts->title;
        p.showsAnswersTable = facts->showsAnswersTable;
        p.settings = formSettingsText(facts->settings);
        p.formerNames = facts->formerNames;
        // The page names its background whether or not the image can be read.
        p.backgroundImage = facts->backgroundImage;
        if (!p.backgroundImage.isEmpty()
            && !readWholeFile(htmlFolder + p.backgroundImage, &p.backgroundBytes))
            p.backgroundBytes.clear();
    }
    const QList<ChartedQuestion> charted = chartedQuestions(methods);
    for (const PostedQuestion& q : postedQuestions(methods)) {
        AnswersStore::Publication::Question question { q.field, QString::fromUtf16(traitsOf(q.kind).pageType),
            q.formerFields, {}, {}, questionSettingsText(q.settings), q.maxLength };
        for (const ChartedQuestion& c : charted) {
            if (c.field == q.field) {
                question.options = c.options;
                question.text = c.text;
            }
        }
        p.questions.append(std::move(question));
    }
    return p;
}

QList<ChartedQuestion> chartedQuestions(const QList<FormMethod>& methods)
{
    QList<ChartedQuestion> charted;
    for (const FormMethod& m : methods) {
        QStringList options;
        // As the reporter counts them: a box's answers are these two texts.
        if (m.kind == ElementKind::CheckBox)
            options = { checkedAnswer(), notCheckedAnswer() };
        else if (m.kind == ElementKind::RadioButtons || m.kind == ElementKind::PullDownMenu)
            options = m.attribute6List;
        else if (m.kind == ElementKind::Scale)
            options = scaleValues(scaleOf(m)); // one bar per value, in order
        if (!options.isEmpty())
            charted.append({ columnNameFor(m.userInstruction), m.userInstruction, options });
        // Each statement of a grid is counted over the grid's answers, each
        // option of a ranking over its places.
        if (m.kind == ElementKind::Grid || m.kind == ElementKind::Ranking) {
            for (const OwnedColumn& row : answerColumnsOf(m)) {
                if (!row.values.isEmpty())
                    charted.append({ row.name, row.label, row.values });
            }
        }
    }
    return charted;
}

QList<ChartedQuestion> chartedQuestions(const AnswersStore::Publication& publication)
{
    QList<ChartedQuestion> charted;
    for (const AnswersStore::Publication::Question& q : publication.questions) {
        if (!q.options.isEmpty())
            charted.append({ q.field, q.text.isEmpty() ? q.field : q.text, q.options });
    }
    return charted;
}

QList<PostedQuestion> postedQuestions(const QList<FormMethod>& methods)
{
    QList<PostedQuestion> questions;
    // A check box group's "Other:" answer is posted after the group's last box,
    // as a box of the group that takes a typed answer; its boxes take none.
    std::optional<PostedQuestion> other;
    for (const FormMethod& m : methods) {
        if (other
            && (m.kind != ElementKind::CheckBox
                || questionSettingsOf(m).questionText != other->settings.questionText)) {
            questions.append(*std::exchange(other, std::nullopt));
        }
        if (!isQuestionKind(m.kind))
            continue;
        if (m.kind == ElementKind::Grid || m.kind == ElementKind::Ranking) {
            // Each statement is posted as a question of its own, asked as the grid is.
            // The grid's question goes with each, so that its statements can be charted together.
            // A ranking's options likewise, each carrying how many the ranking has.
            QuestionSettings settings = questionSettingsOf(m);
            settings.questionText = m.userInstruction;
            if (!settings.condition.always())
                settings.condition.question = columnNameFor(settings.condition.question);
            const QList<OwnedColumn> columns = answerColumnsOf(m);
            const int places = m.kind == ElementKind::Ranking ? int(columns.size()) : 0;
            for (const OwnedColumn& row : columns)
                questions.append({ row.name, m.kind, {}, settings, places });
            continue;
        }
        PostedQuestion q { columnNameFor(m.userInstruction), m.kind, {}, questionSettingsOf(m), 0 };
        // The box takes no more; neither does the service, whatever is posted.
        if (m.kind == ElementKind::TextField) {
            bool ok = false;
            const int most = m.attribute5.trimmed().toInt(&ok);
            q.maxLength = ok && most > 0 ? most : 0;
        }
        // The designer names the question a condition depends on as the form
        // asks it; the service knows questions by their fields.
        if (!q.settings.condition.always())
            q.settings.condition.question = columnNameFor(q.settings.condition.question);
        for (const QString& former : m.formerNames)
            q.formerFields.append(columnNameFor(former));
        if (const QList<OwnedColumn> extra = extraColumnsOf(m); !extra.isEmpty() && !other) {
            other = PostedQuestion { extra.constFirst().name, m.kind, {}, q.settings, 0 };
            other->settings.shuffleOptions = false;
        }
        if (m.kind == ElementKind::CheckBox)
            q.settings.otherAnswer = false;
        questions.append(std::move(q));
    }
    if (other)
        questions.append(*other);
    return questions;
}

bool takesOtherAnswer(const PostedQuestion& q)
{
    return q.settings.otherAnswer
        && (q.kind == ElementKind::RadioButtons || q.kind == ElementKind::PullDownMenu
            || q.kind == ElementKind::CheckBox);
}

QList<PostedQuestion> postedQuestions(const AnswersStore::Publication& publication)
{
    QList<PostedQuestion> questions;
    for (const AnswersStore::Publication::Question& q : publication.questions) {
        if (const std::optional<ElementKind> kind = questionKindOfPageType(q.kind))
            questions.append(
                { q.field, *kind, q.formerFields, questionSettingsFromText(q.settings), q.maxLength });
    }
    return questions;
}

namespace {

Result<std::shared_ptr<AnswersStore>> publishingStore(const FormSession& session)
{
    if (!isServerLocation(session.databasePath()))
        return std::shared_ptr<AnswersStore>();
    auto store = openAnswersStore(session.databasePath());
    if (store && !(*store)->keepsPublications())
        return std::shared_ptr<AnswersStore>();
    return store;
}

} // namespace

Result<void> publishOpenForm(const FormSession& session)
{
    return publishForm(session, session.openFormName(), session.collection().methods());
}

Result<void> publishForm(
    const FormSession& session, const QString& formName, const QList<FormMethod>& methods)
{
    const auto store = publishingStore(session);
    if (!store || !*store)
        return store ? Result<void>() : Result<void>(store.error());
    return (*store)->publish(publicationOf(formName, methods, session.htmlFolder()));
}

Result<QStringList> publishAllForms(const FormSession& session)
{
    const auto store = publishingStore(session);
    if (!store)
        return store.error();
    QStringList failed;
    if (!*store)
        return failed;
    const QString suffix = QStringLiteral("Collection.txt");
    const QStringList files
        = QDir(session.collectionsFolder()).entryList({ QLatin1Char('*') + suffix }, QDir::Files);
    for (const QString& file : files) {
        const QString formName = file.chopped(suffix.size());
        const ParsedCollection parsed = readCollectionFile(session.collectionsFolder() + file);
        if (!parsed.ok() || !headerFacts(parsed.methods)
            || !(*store)->publish(publicationOf(formName, parsed.methods, session.htmlFolder())))
            failed.append(formName);
    }
    return failed;
}

} // namespace quenlow
