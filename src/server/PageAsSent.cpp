// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/PageAsSent.h"
#include "server/ServedScripts.h"

#include "database/AnswerColumns.h"
#include "model/HtmlText.h"
#include "model/PageFormat.h"
#include "server/ChoiceScript.h"
#include "server/ConditionScript.h"
#include "server/FormPage.h"
#include "server/OptionOrder.h"
#include "server/PageTokens.h"
#include "server/PagingScript.h"
#include "server/RankingScript.h"
#include "server/RespondentPage.h"
#include "server/RoomScript.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

namespace quenlow {

namespace {

using Kind = PageControl::Kind;
using Layer = FormPage::Layer;

// Escaped, with characters beyond ASCII as references, so the text fits
// whatever the page says of its encoding.
QByteArray asciiEscaped(const QString& text)
{
    QByteArray out;
    const QString escaped = escapeHtml(text);
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const char32_t c = escaped.at(i).isHighSurrogate() && i + 1 < escaped.size()
            ? QChar::surrogateToUcs4(escaped.at(i), escaped.at(i + 1))
            : escaped.at(i).unicode();
        if (c > 0xffff)
            ++i;
        if (c < 0x80)
            out += char(c);
        else
            out += "&#" + QByteArray::number(uint(c)) + ';';
    }
    return out;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Where what goes first in the head stands: after the page's head tag, else
// after its html tag, else at its top.
qsizetype headPoint(const FormPage& page)
{
    if (page.head().at >= 0)
        return page.head().end + 1;
    return page.html().at >= 0 ? page.html().end + 1 : page.start();
}

// The answer each control shows once put back, by its place in
// page.controls(); none where it keeps what the page has. A text box, text
// area, tick box or menu takes the next answer of its name; option buttons
// of one name share the first.
std::vector<std::optional<QString>> answersOf(const FormPage& page, const FormFields& answers)
{
    std::vector<std::optional<QString>> shown(page.controls().size());
    if (answers.isEmpty())
        return shown;
    QHash<QString, QStringList> values;
    for (const FormField& answer : answers)
        values[answer.name].append(answer.value);
    QHash<QString, qsizetype> taken;
    const auto next = [&](const QString& name) -> std::optional<QString> {
        const auto found = values.constFind(name);
        if (found == values.cend())
            return std::nullopt;
        qsizetype& n = taken[name];
        return n < found->size() ? std::optional<QString>(found->at(n++)) : std::nullopt;
    };
    QHash<QString, std::optional<QString>> optionGroups;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const PageControl& c = page.controls()[i];
        switch (c.kind) {
        case Kind::TextBox:
        case Kind::TickBox:
        case Kind::TextArea:
        case Kind::Menu:
            shown[i] = next(page.name(c));
            break;
        case Kind::OptionButton: {
            const QString name = page.name(c);
            auto group = optionGroups.find(name);
            if (group == optionGroups.end())
                group = optionGroups.insert(name, next(name));
            shown[i] = *group;
            break;
        }
        case Kind::Hidden:
        case Kind::Button:
            break;
        }
    }
    return shown;
}

// A tick box's or option's own mark ("checked", "selected") set or cleared.
void mark(FormPage& page, const PageTag& tag, QByteArrayView flag, bool on)
{
    for (const PageAttribute& a : page.attributes(tag)) {
        if (a.name == flag)
            page.replace({ a.before, a.end - a.before });
    }
    if (on)
        page.insert(tag.nameEnd, ' ' + flag.toByteArray(), Layer::Answer);
}

// Standards mode and a language, whatever the page had or lacked, and what
// the service puts first in the head.
void headAndDoctype(FormPage& page, FormLanguage language, const QByteArray& head)
{
    const QByteArray lang = " lang=\"" + languageTag(language).toLatin1() + '"';
    QByteArray top = QByteArrayLiteral("<!DOCTYPE html>");
    if (page.html().at < 0)
        top += "<html" + lang + '>' + (page.head().at < 0 ? head : QByteArray());
    page.insert(page.start(), top, Layer::Head);
    if (page.html().at >= 0 || page.head().at >= 0)
        page.insert(headPoint(page), head, Layer::Head);
    for (const PageSpan& doctype : page.doctypes())
        page.replace(doctype);
    if (page.html().at >= 0 && !page.attribute(page.html(), "lang"))
        page.insert(page.html().nameEnd, lang, Layer::Attribute);
    // The designer's page closes its title with "</h1></title>"; inside a
    // title that is text, and browsers would show it in the tab.
    for (const PageSpan& title : page.titles()) {
        if (QByteArrayView(page.lowerCase()).sliced(title.at, title.size).endsWith("</h1>"))
            page.replace({ title.end() - 5, 5 });
    }
}

// Ids of our own, which no id of the page starts with.
QByteArray ownIdPrefix(const FormPage& page)
{
    QByteArray prefix = "answer-";
    const QByteArray& lc = page.lowerCase();
    while (memmem(lc.constData(), lc.size(), prefix.constData(), prefix.size()))
        prefix.prepend('x');
    return prefix;
}

// What describes each control, by its place in page.controls(): the ids of
// the notes and hints tied to it.
using Descriptions = std::vector<QByteArrayList>;

// A landmark and a heading for screen readers to find the form by: the
// page's content in a main, the title the designer's header sets above the
// form a heading of the first level (it keeps its look).
void landmarks(FormPage& page)
{
    const qsizetype start
        = page.body().at >= 0 && page.body().at < page.form().at ? page.body().end + 1 : page.form().at;
    page.insert(start, QByteArrayLiteral("<main>"), Layer::AfterTag);
    // Closed where the page closes its body (a page that never does ends it anyway).
    if (page.contentEnd() > page.form().end)
        page.insert(page.contentEnd(), QByteArrayLiteral("</main>"), Layer::Notice);
    const QByteArray& lc = page.lowerCase();
    for (qsizetype at = lc.lastIndexOf("<p", page.form().at); at >= start;
         at = lc.lastIndexOf("<p", at - 1)) {
        const char next = at + 2 < lc.size() ? lc.at(at + 2) : '\0';
        if (next == '>' || isSpace(next)) {
            page.insert(at + 2, QByteArrayLiteral(" role=heading aria-level=1"), Layer::Attribute);
            break;
        }
    }
}

// Where a question of option buttons ends: at the first tag after its last
// control that is no part of an option's text or of a scale's row.
qsizetype choicesEnd(const FormPage& page, qsizetype from)
{
    static const QByteArrayView kWithin[] = { "span", "/span", "label", "/label", "br", "b", "/b", "i", "/i",
        "font", "/font", "u", "/u", "em", "/em", "strong", "/strong", "small", "/small", "img" };
    const QByteArray& lc = page.lowerCase();
    for (qsizetype at = lc.indexOf('<', from); at >= 0; at = lc.indexOf('<', at + 1)) {
        qsizetype nameEnd = at + 1;
        while (nameEnd < lc.size() && (std::isalnum(uchar(lc.at(nameEnd))) || lc.at(nameEnd) == '/'))
            ++nameEnd;
        const QByteArrayView name = QByteArrayView(lc).sliced(at + 1, nameEnd - at - 1);
        if (std::find(std::begin(kWithin), std::end(kWithin), name) == std::end(kWithin))
            return at;
    }
    return page.bytes().size();
}

// Option buttons asked as one question, a scale among them, stand in a
// fieldset named by the question, so that a screen reader says what each
// option answers. The fieldset keeps the page's look.
void choiceGroups(FormPage& page)
{
    const QByteArray& lc = page.lowerCase();
    for (const PageQuestion& q : page.questions()) {
        if (q.kindField < 0 || !q.text.exists() || q.controls.empty())
            continue;
        const bool options = std::all_of(q.controls.begin(), q.controls.end(),
            [&](int i) { return page.controls()[i].kind == Kind::OptionButton; });
        const PageControl& first = page.controls()[q.controls.front()];
        const PageControl& last = page.controls()[q.controls.back()];
        if (!options || q.text.at < page.controls()[q.kindField].tag.end || q.text.end() > first.tag.at)
            continue;
        page.insert(q.text.at, QByteArrayLiteral("<fieldset class=choices><legend>"), Layer::TextStart);
        page.insert(q.text.end(), QByteArrayLiteral("</legend>"), Layer::TextEnd);
        qsizetype end = choicesEnd(page, last.text.exists() ? last.text.end() : last.tag.end + 1);
        // The box an "Other:" answer is typed in belongs with its choice.
        if (const PageQuestion* other = page.question(q.name + pageFormat::otherSuffix());
            other && !other->controls.empty() && page.controls()[other->controls.front()].tag.at == end)
            end = choicesEnd(page, page.controls()[other->controls.front()].tag.end + 1);
        page.insert(end, QByteArrayLiteral("</fieldset>"), Layer::GroupEnd);
        // A scale's row keeps its end labels beside its numbers on a phone.
        const qsizetype row = lc.indexOf("<span", q.text.end());
        if (row >= 0 && row < first.tag.at)
            page.insert(row + 5, QByteArrayLiteral(" class=scale-row"), Layer::Attribute);
    }
}

// A typed box says what it takes under it, before anything is refused.
void ruleHints(FormPage& page, const FormFields& hints, const QByteArray& idPrefix, Descriptions& described)
{
    if (hints.isEmpty())
        return;
    QHash<QString, QString> byName;
    for (const FormField& hint : hints)
        byName.insert(hint.name, hint.value);
    int made = 0;
    for (std::size_t i = 0; i < page.controls().size(); ++i) {
        const PageControl& c = page.controls()[i];
        if (c.kind != Kind::TextBox)
            continue;
        const auto hint = byName.constFind(page.name(c));
        if (hint == byName.cend())
            continue;
        const QByteArray id = idPrefix + "rule-" + QByteArray::number(++made);
        page.insert(c.tag.end + 1, "<span class=rule-hint id=" + id + '>' + asciiEscaped(*hint) + "</span>",
            Layer::AfterTag);
        described[i].append(id);
    }
}

// Each text box, text area and menu labelled by the question before it, and
// each tick box and option button wrapped with its text, so that tapping the
// text reaches the control.
void labels(FormPage& page, const QByteArray& idPrefix)
{
    int labelled = 0;
    for (const PageControl& c : page.controls()) {
        if (c.text.exists()) {
            page.insert(c.tag.at, QByteArrayLiteral("<label>"), Layer::TextStart);
            page.insert(c.text.end(), QByteArrayLiteral("</label>"), Layer::TextEnd);
        }
        if (!c.takesText() || c.inLabel || !c.question.exists() || page.attribute(c.tag, "id"))
            continue;
        const QByteArray id = idPrefix + QByteArray::number(++labelled);
        page.insert(c.question.at, "<label for=" + id + '>', Layer::TextStart);
        page.insert(c.question.end(), QByteArrayLiteral("</label>"), Layer::TextEnd);
        page.insert(c.tag.nameEnd, " id=" + id, Layer::Attribute);
    }
}

// A default text is a hint; left in the box it would be posted as the
// answer. An answer put back takes the box's text instead.
void hints(FormPage& page, const std::vector<std::optional<QString>>& shown)
{
    const QByteArray& lc = page.lowerCase();
    for (std::size_t i = 0; i < page.controls().size(); ++i) {
        const PageControl& c = page.controls()[i];
        const PageTag& tag = c.tag;
        if (c.kind != Kind::TextArea || tag.contentEnd <= tag.end + 1 || tag.contentEnd >= lc.size()
            || page.attribute(tag, "placeholder"))
            continue;
        qsizetype from = tag.end + 1;
        if (lc.at(from) == '\r' && from + 1 < tag.contentEnd && lc.at(from + 1) == '\n')
            from += 2;
        else if (lc.at(from) == '\n')
            ++from;
        qsizetype to = tag.contentEnd;
        while (from < to && isSpace(lc.at(from)))
            ++from;
        while (to > from && isSpace(lc.at(to - 1)))
            --to;
        if (to > from) {
            QByteArray text = page.bytes().mid(from, to - from);
            page.insert(tag.nameEnd, " placeholder='" + text.replace('\'', "&#39;") + '\'', Layer::Attribute);
        }
        if (!shown[i])
            page.replace({ tag.end + 1, tag.contentEnd - tag.end - 1 });
    }
}

// A menu opens on an empty first choice, chosen by nobody, which posts an
// empty answer: chosen unless the designer chose a default or an answer put
// back chooses another. A list box keeps showing every option of the
// designer's.
void emptyFirstChoices(
    FormPage& page, FormLanguage language, const std::vector<std::optional<QString>>& shown)
{
    const QByteArray choose = asciiEscaped(respondentText(RespondentText::Choose, language));
    for (std::size_t i = 0; i < page.controls().size(); ++i) {
        const PageControl& c = page.controls()[i];
        if (c.kind != Kind::Menu || page.attribute(c.tag, "multiple"))
            continue;
        if (const PageAttribute* size = page.attribute(c.tag, "size")) {
            bool isNumber = false;
            const int rows = size->value.exists()
                ? page.lowerCase().mid(size->value.at, size->value.size).toInt(&isNumber)
                : 0;
            if (isNumber && rows > 1)
                page.replace(size->value, QByteArray::number(rows + 1));
        }
        QByteArray option = QByteArrayLiteral("<option value=''>");
        if (shown[i]) {
            if (shown[i]->isEmpty())
                option = QByteArrayLiteral("<option selected value=''>");
        } else {
            bool chosen = false;
            for (int o = c.firstOption; o < c.firstOption + c.optionCount; ++o)
                chosen = chosen || page.attribute(page.options()[o].tag, "selected");
            if (!chosen)
                option = QByteArrayLiteral("<option value='' selected>");
        }
        page.insert(c.tag.end + 1, option + choose + "</option>", Layer::AfterTag);
    }
}

// The required stars' titles in the form's language; the designer's page keeps them in English.
void requiredMarks(FormPage& page, FormLanguage language)
{
    if (language == FormLanguage::English)
        return;
    const QByteArray title = pageFormat::requiredMarkStart() + pageFormat::requiredMarkTitle().toLatin1();
    const QByteArray shown = asciiEscaped(respondentText(RespondentText::AnswerRequired, language));
    const qsizetype start = pageFormat::requiredMarkStart().size();
    for (qsizetype at = page.bytes().indexOf(title); at >= 0; at = page.bytes().indexOf(title, at + 1)) {
        if (page.bytes().mid(at + title.size(), 1) == "'")
            page.replace({ at + start, title.size() - start }, shown);
    }
}

// Where each page of a form of several pages starts: after the form tag, and
// at each page break with something to see both before it (since the last
// start) and after it (up to the next break); one start for a form of one page.
std::vector<qsizetype> pageStarts(const FormPage& page)
{
    std::vector<qsizetype> starts { page.form().end + 1 };
    const std::vector<PageSpan>& breaks = page.pageBreaks();
    for (std::size_t i = 0; i < breaks.size(); ++i) {
        const qsizetype at = breaks[i].at;
        const qsizetype next = i + 1 < breaks.size() ? breaks[i + 1].at : page.formEnd();
        if (page.hasContent(starts.back(), at) && page.hasContent(at, next))
            starts.push_back(at);
    }
    return starts;
}

// The paging script with the words it shows and says, and the look of its buttons.
QByteArray pagingHead(FormLanguage language)
{
    const auto word = [language](const char* name, RespondentText text) -> QByteArray {
        return QByteArray(" ") + name + "='" + asciiEscaped(respondentText(text, language)) + '\'';
    };
    return pagingStyle().toByteArray()
        + deferredScriptTag(pagingScriptPath(),
            word("data-next", RespondentText::NextPage) + word("data-back", RespondentText::PreviousPage)
                + word("data-page-of", RespondentText::PageOfPages)
                + word("data-answer-question", RespondentText::AnswerQuestion)
                + word("data-tick-box", RespondentText::TickBox)
                + word("data-tick-one-box", RespondentText::TickOneBox)
                + word("data-choose-answer", RespondentText::ChooseAnswer));
}

// Each page in a section of its own, which the paging script shows one at a
// time; a typed box carries what is said when its answer is refused, for the
// script to say it before the next page.
void pageSections(FormPage& page, const std::vector<qsizetype>& starts, const FormFields& refusalNotes)
{
    page.insert(starts.front(), QByteArrayLiteral("<section class=form-page>"), Layer::AfterTag);
    for (std::size_t i = 1; i < starts.size(); ++i)
        page.insert(starts[i], QByteArrayLiteral("</section><section class=form-page>"), Layer::Page);
    page.insert(page.formEnd(), QByteArrayLiteral("</section>"), Layer::Page);
    QHash<QString, QString> byName;
    for (const FormField& note : refusalNotes)
        byName.insert(note.name, note.value);
    for (const PageControl& c : page.controls()) {
        if (c.kind != Kind::TextBox || byName.isEmpty())
            continue;
        const auto note = byName.constFind(page.name(c));
        if (note != byName.cend())
            page.insert(c.tag.nameEnd, " data-refused-note='" + asciiEscaped(*note) + '\'', Layer::Attribute);
    }
}

// The first answer given under `name`.
QString firstAnswer(const FormFields& answers, const QString& name)
{
    for (const FormField& answer : answers) {
        if (answer.name == name)
            return answer.value;
    }
    return {};
}

bool isOtherChoice(const FormPage& page, const PageTag& tag)
{
    return page.value(tag, "value") == pageFormat::otherChoice();
}

// A reference in the form's text to one of its questions, by the question's field.
struct Piped {
    const PageReference* reference;
    QString field;
};

std::vector<Piped> pipedReferences(const FormPage& page, const QuestionsAsAsked& questions)
{
    std::vector<Piped> piped;
    if (page.references().empty() || questions.fields.isEmpty())
        return piped;
    const QSet<QString> fields(questions.fields.cbegin(), questions.fields.cend());
    for (const PageReference& reference : page.references()) {
        if (reference.whole.at < page.form().end
            || (page.contentEnd() >= 0 && reference.whole.at > page.contentEnd()))
            continue;
        const QString field = columnNameFor(page.text(reference.name));
        if (fields.contains(field))
            piped.push_back({ &reference, field });
    }
    return piped;
}

// The answer a reference shows: what was given, the text typed for an
// "Other:" choice; a tick box's answer shows nothing.
QString pipedAnswer(const FormPage& page, const PageAsSent& sent, const QString& field)
{
    const PageQuestion* question = page.question(field);
    if (!question || question->controls.empty()
        || page.controls()[question->controls.front()].kind == Kind::TickBox)
        return {};
    const QString answer = firstAnswer(sent.answers, field);
    if (answer == pageFormat::otherChoice() && sent.questions.otherAnswers.contains(field))
        return firstAnswer(sent.answers, field + pageFormat::otherSuffix());
    return answer;
}

// Each reference shows the answer given so far (nothing on a first page),
// in a span the script fills as the person answers. A menu option holds no
// markup: it keeps its value and the text to fill in, in attributes.
void pipedAnswers(FormPage& page, const PageAsSent& sent, const std::vector<Piped>& piped)
{
    QSet<int> options;
    for (const Piped& p : piped) {
        const QByteArray answer = asciiEscaped(pipedAnswer(page, sent, p.field));
        if (p.reference->option < 0) {
            page.replace(
                p.reference->whole, "<span data-pipe='" + asciiEscaped(p.field) + "'>" + answer + "</span>");
            continue;
        }
        const PageOption& option = page.options()[std::size_t(p.reference->option)];
        if (!options.contains(p.reference->option)) {
            options.insert(p.reference->option);
            if (!page.attribute(option.tag, "value"))
                page.insert(option.tag.nameEnd, " value='" + asciiEscaped(page.value(option)) + '\'',
                    Layer::Attribute);
            page.insert(option.tag.nameEnd, " data-pipe-text='" + asciiEscaped(page.text(option.text)) + '\'',
                Layer::Attribute);
        }
        page.replace(p.reference->whole, answer);
    }
}

// An "Other:" choice says so in the form's language, and its box is named for screen readers.
void otherChoices(FormPage& page, const PageAsSent& sent)
{
    const QByteArray shown = asciiEscaped(respondentText(RespondentText::OtherChoice, sent.language));
    const QByteArray boxName = asciiEscaped(respondentText(RespondentText::OtherAnswerBox, sent.language));
    const bool translated = sent.language != FormLanguage::English;
    for (const QString& field : sent.questions.otherAnswers) {
        if (const PageQuestion* q = page.question(field); q && translated) {
            for (const int i : q->controls) {
                const PageControl& c = page.controls()[std::size_t(i)];
                if ((c.kind == Kind::OptionButton || c.kind == Kind::TickBox) && c.text.exists()
                    && isOtherChoice(page, c.tag))
                    page.replace(c.text, shown);
                for (int o = c.firstOption; c.kind == Kind::Menu && o < c.firstOption + c.optionCount; ++o) {
                    const PageOption& option = page.options()[std::size_t(o)];
                    if (isOtherChoice(page, option.tag) && option.text.size > 0)
                        page.replace(option.text, shown);
                }
            }
        }
        if (const PageQuestion* box = page.question(field + pageFormat::otherSuffix())) {
            for (const int i : box->controls) {
                const PageControl& c = page.controls()[std::size_t(i)];
                if (c.kind == Kind::TextBox && !page.attribute(c.tag, "aria-label"))
                    page.insert(c.tag.nameEnd, " aria-label='" + boxName + '\'', Layer::Attribute);
            }
        }
    }
}

// A grid's statements in the order the page's token draws: each row, from
// its fieldset to the fieldset's end, moves whole with what was put in it.
void gridRows(FormPage& page, const QStringList& fields, const QByteArray& seed)
{
    static const QByteArray rowStart = "<fieldset class='qgrid-row'>";
    static const QByteArray rowEnd = "</fieldset>";
    const QByteArray& bytes = page.bytes();
    std::vector<PageSpan> fragments;
    for (const QString& field : fields) {
        const PageQuestion* q = page.question(field);
        if (!q || q->kindField < 0) {
            return; // a page the designer changed by hand: left in its order
        }
        const qsizetype marker = page.controls()[std::size_t(q->kindField)].tag.at;
        const qsizetype start = bytes.lastIndexOf(rowStart, marker);
        const qsizetype end = bytes.indexOf(rowEnd, marker);
        if (start < 0 || end < 0 || (!fragments.empty() && start < fragments.back().end()))
            return;
        fragments.push_back({ start, end + rowEnd.size() - start });
    }
    shuffleFragments(page, fragments, seed);
}

// A ranking's options in the order the page's token draws: each item, from
// its block to the block's end, moves whole with its menu and what was put in it.
const QByteArray kRankingStart = "<fieldset class='qrank'>";

void rankingItems(FormPage& page, const QStringList& fields, const QByteArray& seed)
{
    static const QByteArray itemStart = "<div class='qrank-item'>";
    static const QByteArray itemEnd = "</div>";
    const QByteArray& bytes = page.bytes();
    std::vector<PageSpan> fragments;
    for (const QString& field : fields) {
        const PageQuestion* q = page.question(field);
        if (!q || q->kindField < 0)
            return; // a page the designer changed by hand: left in its order
        const qsizetype marker = page.controls()[std::size_t(q->kindField)].tag.at;
        const qsizetype start = bytes.lastIndexOf(itemStart, marker);
        const qsizetype end = bytes.indexOf(itemEnd, marker);
        if (start < 0 || end < 0 || (!fragments.empty() && start < fragments.back().end()))
            return;
        fragments.push_back({ start, end + itemEnd.size() - start });
    }
    shuffleFragments(page, fragments, seed);
}

bool announcedAs(const FormPage& page, const PageQuestion* q, ElementKind kind)
{
    return q && q->kindField >= 0
        && page.value(page.controls()[std::size_t(q->kindField)].tag, "value")
        == QStringView(traitsOf(kind).pageType);
}

// A question's options, or a group's boxes, in the order the page's token
// draws for it; an "Other:" choice stays last.
void shuffledOptions(FormPage& page, const PageAsSent& sent)
{
    for (const QStringList& fields : sent.questions.shuffled) {
        const QByteArray seed = sent.token.toUtf8() + '\n' + fields.constFirst().toUtf8();
        std::vector<PageSpan> fragments;
        if (fields.size() == 1) {
            const PageQuestion* q = page.question(fields.constFirst());
            for (const int i : q ? q->controls : std::vector<int>()) {
                const PageControl& c = page.controls()[std::size_t(i)];
                if (c.kind == Kind::OptionButton && !isOtherChoice(page, c.tag)) {
                    const qsizetype end = c.text.exists() ? c.text.end() : c.tag.end + 1;
                    fragments.push_back({ c.tag.at, end - c.tag.at });
                }
                for (int o = c.firstOption; c.kind == Kind::Menu && o < c.firstOption + c.optionCount; ++o) {
                    const PageOption& option = page.options()[std::size_t(o)];
                    if (!isOtherChoice(page, option.tag))
                        fragments.push_back({ option.tag.at, option.text.end() - option.tag.at });
                }
            }
            shuffleFragments(page, fragments, seed);
            continue;
        }
        if (const PageQuestion* first = page.question(fields.constFirst());
            announcedAs(page, first, ElementKind::Grid)) {
            gridRows(page, fields, seed);
            continue;
        } else if (announcedAs(page, first, ElementKind::Ranking)) {
            rankingItems(page, fields, seed);
            continue;
        }
        // Each box of a group moves with the field announcing it; a note
        // above the group stays there.
        for (const QString& field : fields) {
            const PageQuestion* q = page.question(field);
            const PageControl* box
                = q && q->controls.size() == 1 ? &page.controls()[std::size_t(q->controls.front())] : nullptr;
            if (!box || box->kind != Kind::TickBox || q->kindField < 0
                || (!fragments.empty()
                    && page.controls()[std::size_t(q->kindField)].tag.at < fragments.back().end())) {
                fragments.clear();
                break;
            }
            const qsizetype start = page.controls()[std::size_t(q->kindField)].tag.at;
            fragments.push_back({ start, (box->text.exists() ? box->text.end() : box->tag.end + 1) - start });
        }
        shuffleFragments(page, fragments, seed, Layer::Answer);
    }
}

void forRespondents(FormPage& page, const PageAsSent& sent, const std::vector<std::optional<QString>>& shown,
    const QByteArray& idPrefix, Descriptions& described)
{
    // A form that never closes is one page: its end is nowhere to close a section at.
    const std::vector<qsizetype> starts
        = page.formEnd() > page.form().end ? pageStarts(page) : std::vector<qsizetype> { 0 };
    QByteArray head = sent.fromPostAddress ? QByteArrayLiteral("<base href='/'>") : QByteArray();
    // The room's script after our stylesheet; the conditions' after it, so
    // that they follow the draft it puts back.
    head += respondentHead().toByteArray() + formPageScriptTag(sent.language);
    if (page.hasConditions())
        head += conditionScriptTag();
    // After the conditions' script: a page none of whose questions applies is passed over.
    if (starts.size() > 1)
        head += pagingHead(sent.language);
    const std::vector<Piped> piped = pipedReferences(page, sent.questions);
    if (!piped.empty() || !sent.questions.otherAnswers.isEmpty())
        head += choiceScriptTag();
    // After the room's script, so that a draft's places order the list.
    if (sent.questions.rankings)
        head += rankingHead(asciiEscaped(respondentText(RespondentText::MoveUp, sent.language)),
            asciiEscaped(respondentText(RespondentText::MoveDown, sent.language)),
            asciiEscaped(respondentText(RespondentText::MovedToPlace, sent.language)));
    headAndDoctype(page, sent.language, head);
    landmarks(page);
    labels(page, idPrefix);
    choiceGroups(page);
    pipedAnswers(page, sent, piped);
    otherChoices(page, sent);
    shuffledOptions(page, sent);
    ruleHints(page, sent.ruleHints, idPrefix, described);
    hints(page, shown);
    emptyFirstChoices(page, sent.language, shown);
    requiredMarks(page, sent.language);
    page.insert(page.form().end + 1,
        "<input type=hidden name=" + submissionTokenField().toLatin1() + " value='" + sent.token.toLatin1()
            + "'>"
            + (sent.version.isEmpty() ? QByteArray()
                                      : "<input type=hidden name=" + formVersionField().toLatin1()
                        + " value='" + sent.version.toLatin1() + "'>")
            + (sent.participantCode.isEmpty() ? QByteArray()
                                              : "<input type=hidden name=" + participantCodeField().toLatin1()
                        + " value='" + asciiEscaped(sent.participantCode) + "'>"),
        Layer::AfterTag);
    if (starts.size() > 1)
        pageSections(page, starts, sent.refusalNotes);
    const QByteArray& lc = page.lowerCase();
    for (const PageControl& c : page.controls()) {
        // A question asked under a condition is required only while it is
        // shown: the condition script sets it then. A browser without script
        // shows every question and would insist on one that does not apply.
        if (c.conditional) {
            if (const PageAttribute* required = page.attribute(c.tag, "required"))
                page.insert(required->at, QByteArrayLiteral("data-"), Layer::Attribute);
        }
        // The form's name instead of the database location: the page holds no path of the server's.
        const PageAttribute* name
            = c.kind == Kind::TextArea || c.kind == Kind::Menu ? nullptr : page.attribute(c.tag, "name");
        if (name && name->value.exists()
            && QByteArrayView(lc).sliced(name->value.at, name->value.size) == "dblocation") {
            const PageAttribute* value = page.attribute(c.tag, "value");
            const QByteArray replacement = asciiEscaped(sent.formName);
            if (value && value->value.exists())
                page.replace(value->value, value->quoted ? replacement : "'" + replacement + "'");
        }
    }
}

// Where a ranking's note goes: after the question of the ranking that holds `marker`.
qsizetype rankingNotePlace(const FormPage& page, qsizetype marker)
{
    static const QByteArray legendEnd = "</legend>";
    const qsizetype set = page.bytes().lastIndexOf(kRankingStart, marker);
    const qsizetype end = set < 0 ? -1 : page.lowerCase().indexOf(legendEnd, set);
    return end >= 0 && end < marker ? end + legendEnd.size() : marker;
}

// The options of the ranking that holds `marker` (an option's kind field).
std::vector<const PageQuestion*> rankingOf(const FormPage& page, qsizetype marker)
{
    const qsizetype set = page.bytes().lastIndexOf(kRankingStart, marker);
    const qsizetype end = set < 0 ? -1 : page.lowerCase().indexOf("</fieldset>", marker);
    std::vector<const PageQuestion*> options;
    for (const PageQuestion& q : page.questions()) {
        const qsizetype at = q.kindField < 0 ? -1 : page.controls()[std::size_t(q.kindField)].tag.at;
        if (at > set && at < end && announcedAs(page, &q, ElementKind::Ranking))
            options.push_back(&q);
    }
    return options;
}

void answersPutBack(FormPage& page, const PageAsSent& sent, const std::vector<std::optional<QString>>& shown,
    const QByteArray& idPrefix, Descriptions& described)
{
    const auto noteParagraph = [](const QString& text, const QByteArray& attributes) -> QByteArray {
        return "<p class=answer-notice" + attributes + '>' + asciiEscaped(text) + "</p>";
    };
    if (!sent.statement.isEmpty() && page.postsToService())
        page.insert(page.form().end + 1, noteParagraph(sent.statement, {}), Layer::Notice);
    if (!sent.notice.isEmpty() && page.postsToService())
        page.insert(page.form().end + 1, noteParagraph(sent.notice, " role=alert"), Layer::Notice);
    int noted = 0;
    bool focused = false;
    QHash<QString, QString> notes;
    for (const FormField& note : sent.questionNotes)
        notes.insert(note.name, note.value);
    const QString kindSuffix = pageFormat::kindSuffix();
    for (std::size_t i = 0; i < page.controls().size(); ++i) {
        const PageControl& c = page.controls()[i];
        // A note goes above its question: before the hidden field announcing
        // it, or else before its first control.
        if (!notes.isEmpty() && (c.kind != Kind::Hidden || c.announcesQuestion)) {
            const QString name = page.name(c);
            const auto note = notes.find(c.announcesQuestion ? name.chopped(kindSuffix.size()) : name);
            if (note != notes.end()) {
                const QByteArray id = idPrefix + "note-" + QByteArray::number(++noted);
                const PageQuestion* question = page.question(note.key());
                // A ranking's note is its first option's: it stands above every option, which all say
                // what is wrong.
                const std::vector<const PageQuestion*> asking
                    = c.announcesQuestion && announcedAs(page, question, ElementKind::Ranking)
                    ? rankingOf(page, c.tag.at)
                    : std::vector<const PageQuestion*> { question };
                // Where the options start, a note of the ranking's stays put when they are shuffled.
                if (asking.size() > 1)
                    page.insert(
                        rankingNotePlace(page, c.tag.at), noteParagraph(*note, " id=" + id), Layer::GroupEnd);
                else
                    page.insert(c.tag.at, noteParagraph(*note, " id=" + id), Layer::Note);
                // Its question's controls say what is wrong with them; the
                // first refused takes the focus, so nobody has to look for it.
                for (const PageQuestion* q : asking) {
                    if (!q)
                        continue;
                    for (const int control : q->controls) {
                        const PageControl& refused = page.controls()[control];
                        page.insert(refused.tag.nameEnd,
                            QByteArrayLiteral(" aria-invalid=true") + (focused ? "" : " autofocus"),
                            Layer::Attribute);
                        focused = true;
                        described[control].prepend(id);
                    }
                }
                notes.erase(note);
            }
        }
        if (!shown[i])
            continue;
        const QString& answer = *shown[i];
        switch (c.kind) {
        case Kind::TickBox:
            mark(page, c.tag, "checked",
                answer == page.value(c.tag, "value", QStringLiteral("on"))
                    || answer == QLatin1StringView("Checked"));
            break;
        case Kind::OptionButton:
            mark(page, c.tag, "checked", answer == page.value(c.tag, "value", QStringLiteral("on")));
            break;
        case Kind::TextBox: {
            const QByteArray filled = "value='" + asciiEscaped(answer) + '\'';
            if (const PageAttribute* value = page.attribute(c.tag, "value"))
                page.replace({ value->at, value->end - value->at }, filled);
            else
                page.insert(c.tag.nameEnd, ' ' + filled, Layer::Answer);
            break;
        }
        case Kind::TextArea:
            if (c.tag.contentEnd
                < page.bytes().size()) { // never the rest of a page whose text area never ends
                // A browser drops one line break that opens a text area.
                const bool opensWithBreak
                    = answer.startsWith(QLatin1Char('\n')) || answer.startsWith(QLatin1Char('\r'));
                page.replace({ c.tag.end + 1, c.tag.contentEnd - c.tag.end - 1 },
                    (opensWithBreak ? "\n" : "") + asciiEscaped(answer));
            }
            break;
        case Kind::Menu: {
            // The empty first choice of ours comes first.
            bool matched = page.postsToService() && !page.attribute(c.tag, "multiple") && answer.isEmpty();
            for (int o = c.firstOption; o < c.firstOption + c.optionCount; ++o) {
                const PageOption& option = page.options()[o];
                const bool chosen = !matched && page.value(option) == answer;
                matched = matched || chosen;
                mark(page, option.tag, "selected", chosen);
            }
            break;
        }
        case Kind::Hidden:
        case Kind::Button:
            break;
        }
    }
}

} // namespace

QuestionsAsAsked questionsAsAsked(const QList<PostedQuestion>& questions)
{
    QuestionsAsAsked asked;
    // A group's "Other:" box stays last.
    const auto inGroup = [](const PostedQuestion& q, const QString& group) {
        return q.kind == ElementKind::CheckBox && !group.isEmpty() && q.settings.questionText == group
            && !q.settings.otherAnswer;
    };
    qsizetype rankingEnd = 0; // the question after the options of the last ranking met
    for (qsizetype i = 0; i < questions.size(); ++i) {
        const PostedQuestion& q = questions.at(i);
        asked.fields.append(q.field);
        const bool choice = q.kind == ElementKind::RadioButtons || q.kind == ElementKind::PullDownMenu;
        asked.rankings = asked.rankings || q.kind == ElementKind::Ranking;
        if (takesOtherAnswer(q))
            asked.otherAnswers.append(q.field);
        if (!q.settings.shuffleOptions)
            continue;
        if (choice) {
            asked.shuffled.append({ q.field });
        } else if (q.kind == ElementKind::Grid) {
            // A grid's statements are posted one after another, each with the grid's settings.
            const auto sameGrid = [&q](const PostedQuestion& other) {
                return other.kind == ElementKind::Grid && other.settings == q.settings;
            };
            if (i > 0 && sameGrid(questions.at(i - 1)))
                continue;
            QStringList rows { q.field };
            for (qsizetype j = i + 1; j < questions.size() && sameGrid(questions.at(j)); ++j)
                rows.append(questions.at(j).field);
            asked.shuffled.append(rows);
        } else if (q.kind == ElementKind::Ranking) {
            // So are a ranking's options, each carrying how many it has.
            if (i < rankingEnd)
                continue;
            rankingEnd = std::min(questions.size(), i + qsizetype(std::max(q.maxLength, 1)));
            QStringList options;
            for (qsizetype j = i; j < rankingEnd && questions.at(j).kind == ElementKind::Ranking; ++j)
                options.append(questions.at(j).field);
            asked.shuffled.append(options);
        } else if (const QString& group = q.settings.questionText;
                   inGroup(q, group) && !(i > 0 && inGroup(questions.at(i - 1), group))) {
            // A group's first box holds its settings.
            QStringList boxes { q.field };
            for (qsizetype j = i + 1; j < questions.size() && inGroup(questions.at(j), group); ++j)
                boxes.append(questions.at(j).field);
            asked.shuffled.append(boxes);
        }
    }
    return asked;
}

QByteArray pageAsSent(const PageAsSent& sent)
{
    FormPage page(sent.designerPage);
    const std::vector<std::optional<QString>> shown = answersOf(page, sent.answers);
    const QByteArray idPrefix = ownIdPrefix(page);
    Descriptions described(page.controls().size());
    if (page.postsToService())
        forRespondents(page, sent, shown, idPrefix, described);
    else if (sent.fromPostAddress)
        page.insert(headPoint(page), QByteArrayLiteral("<base href='/'>"), Layer::Head);
    answersPutBack(page, sent, shown, idPrefix, described);
    for (std::size_t i = 0; i < described.size(); ++i) {
        if (!described[i].isEmpty() && !page.attribute(page.controls()[i].tag, "aria-describedby"))
            page.insert(page.controls()[i].tag.nameEnd, " aria-describedby='" + described[i].join(' ') + '\'',
                Layer::Attribute);
    }
    return page.written();
}

} // namespace quenlow
