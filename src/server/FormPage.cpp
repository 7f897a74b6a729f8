// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/FormPage.h"

#include "model/PageFormat.h"

#include <QHash>
#include <QVarLengthArray>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>

namespace quenlow {

namespace {

// `text` is `literal`; cheaper than comparing views, which measure a literal each time.
template <std::size_t N> bool is(QByteArrayView text, const char (&literal)[N])
{
    return text.size() == qsizetype(N - 1) && std::memcmp(text.data(), literal, N - 1) == 0;
}

// The tags a page is read around; Inline: markup that may stand inside an
// option's text or a question, where any other tag ends it.
enum class TagName : quint8 {
    Other,
    Inline,
    Break,
    Script,
    Style,
    Title,
    TextArea,
    Input,
    Select,
    Option,
    Label,
    Form,
    Html,
    Head,
    Doctype,
    Div,
    Body
};

struct ClassifiedTag {
    TagName name;
    bool closing;
};

ClassifiedTag classify(QByteArrayView name)
{
    // The tags of the designer's pages first.
    static const std::pair<QByteArrayView, TagName> names[] = { { "input", TagName::Input },
        { "p", TagName::Break }, { "br", TagName::Break }, { "option", TagName::Option },
        { "label", TagName::Label }, { "select", TagName::Select }, { "b", TagName::Inline },
        { "i", TagName::Inline }, { "font", TagName::Inline }, { "textarea", TagName::TextArea },
        { "u", TagName::Inline }, { "s", TagName::Inline }, { "em", TagName::Inline },
        { "strong", TagName::Inline }, { "span", TagName::Inline }, { "small", TagName::Inline },
        { "big", TagName::Inline }, { "sub", TagName::Inline }, { "sup", TagName::Inline },
        { "tt", TagName::Inline }, { "code", TagName::Inline }, { "strike", TagName::Inline },
        { "a", TagName::Inline }, { "img", TagName::Inline }, { "abbr", TagName::Inline },
        { "script", TagName::Script }, { "style", TagName::Style }, { "title", TagName::Title },
        { "form", TagName::Form }, { "html", TagName::Html }, { "head", TagName::Head },
        { "!doctype", TagName::Doctype }, { "div", TagName::Div }, { "body", TagName::Body } };
    const bool closing = name.startsWith('/');
    if (closing)
        name = name.sliced(1);
    for (const auto& [text, tag] : names) {
        if (text.size() == name.size() && text.front() == name.front()
            && std::memcmp(text.data(), name.data(), name.size()) == 0)
            return { tag, closing };
    }
    return { TagName::Other, closing };
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The first of ">", "'" and '"' in [from, to), or `to`.
qsizetype nextThatMatters(const char* data, qsizetype from, qsizetype to)
{
    // Eight bytes at a time: a byte equal to one of the three leaves a zero byte after the xor.
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 highs = 0x80 * ones;
    const auto zeroBytes = [](quint64 x) { return (x - ones) & ~x & highs; };
    for (; from + 8 <= to; from += 8) {
        quint64 x;
        std::memcpy(&x, data + from, 8);
        const quint64 found
            = zeroBytes(x ^ ('>' * ones)) | zeroBytes(x ^ ('\'' * ones)) | zeroBytes(x ^ ('"' * ones));
        if (found) // the lowest flag is exact; any above it may be false, and is never looked at
            return from + std::countr_zero(found) / 8;
    }
    for (; from < to; ++from) {
        if (data[from] == '>' || data[from] == '\'' || data[from] == '"')
            return from;
    }
    return to;
}

// The end of the tag opening at `at` (the index of its ">"), quotes respected; -1 when it never ends.
qsizetype tagEnd(const QByteArray& lc, qsizetype at)
{
    const char* const data = lc.constData();
    for (qsizetype i = nextThatMatters(data, at + 1, lc.size()); i < lc.size();
         i = nextThatMatters(data, i + 1, lc.size())) {
        if (data[i] == '>')
            return i;
        const void* close = std::memchr(data + i + 1, data[i], lc.size() - i - 1);
        if (!close)
            return -1;
        i = static_cast<const char*>(close) - data;
    }
    return -1;
}

// A tag met in reading, before it is kept.
struct ReadTag {
    PageTag place;
    QByteArrayView name; // lower case; "/p" for a closing tag, "!doctype" for a doctype
    TagName kind = TagName::Other;
    bool closing = false;
    bool is(TagName n) const { return kind == n && !closing; }
    bool closes(TagName n) const { return kind == n && closing; }
};

// Calls `visit` with each tag of the page (`lc`, lower case) in order.
template <typename Visit> void forEachTag(const QByteArray& lc, Visit&& visit)
{
    const QByteArrayView page(lc);
    qsizetype at = lc.indexOf('<');
    while (at >= 0) {
        if (at + 3 < lc.size() && lc.at(at + 1) == '!' && lc.at(at + 2) == '-' && lc.at(at + 3) == '-') {
            const qsizetype close = lc.indexOf("-->", at + 4);
            if (close < 0)
                return;
            at = lc.indexOf('<', close + 3);
            continue;
        }
        const char first = at + 1 < lc.size() ? lc.at(at + 1) : 0;
        if (!isLetter(first) && first != '/' && first != '!') { // "a < b" is text
            at = lc.indexOf('<', at + 1);
            continue;
        }
        const qsizetype end = tagEnd(lc, at);
        if (end < 0)
            return;
        qsizetype nameEnd = at + 1;
        while (nameEnd < end && !isSpace(lc.at(nameEnd)) && lc.at(nameEnd) != '/' && lc.at(nameEnd) != '>')
            ++nameEnd;
        if (nameEnd == at + 1 && lc.at(nameEnd) == '/') // a closing tag
            for (++nameEnd; nameEnd < end && !isSpace(lc.at(nameEnd)); ++nameEnd) { }
        ReadTag tag { { at, nameEnd, end }, page.sliced(at + 1, nameEnd - at - 1) };
        const ClassifiedTag classified = classify(tag.name);
        tag.kind = classified.name;
        tag.closing = classified.closing;
        qsizetype next = end + 1;
        const bool rawText = tag.is(TagName::Script) || tag.is(TagName::Style);
        if (rawText || tag.is(TagName::Title) || tag.is(TagName::TextArea)) {
            qsizetype close = end + 1;
            while ((close = lc.indexOf('<', close)) >= 0
                && !(close + 1 < lc.size() && lc.at(close + 1) == '/'
                    && page.sliced(close + 2).startsWith(tag.name)))
                ++close;
            if (close < 0 && rawText)
                return;
            tag.place.contentEnd = close < 0 ? lc.size() : close;
            next = tag.place.contentEnd;
        }
        visit(tag);
        at = lc.indexOf('<', next);
    }
}

// Appends the attributes of `tag` to `list`.
void readAttributes(const QByteArray& lc, const PageTag& tag, std::vector<PageAttribute>& list)
{
    const qsizetype to = tag.end;
    qsizetype i = tag.nameEnd;
    while (i < to) {
        const qsizetype before = i;
        while (i < to && (isSpace(lc.at(i)) || lc.at(i) == '/'))
            ++i;
        const qsizetype at = i;
        while (i < to && !isSpace(lc.at(i)) && lc.at(i) != '=' && lc.at(i) != '/')
            ++i;
        if (i == at) { // a stray "="
            ++i;
            continue;
        }
        PageAttribute attribute { QByteArrayView(lc).sliced(at, i - at), before, at, i, {} };
        qsizetype j = i;
        while (j < to && isSpace(lc.at(j)))
            ++j;
        if (j < to && lc.at(j) == '=') {
            ++j;
            while (j < to && isSpace(lc.at(j)))
                ++j;
            if (j < to && (lc.at(j) == '\'' || lc.at(j) == '"')) {
                // The tag's end is after the closing quote.
                const void* quote = std::memchr(lc.constData() + j + 1, lc.at(j), to - j - 1);
                const qsizetype close = quote ? static_cast<const char*>(quote) - lc.constData() : to;
                attribute.value = { j + 1, close - j - 1 };
                attribute.quoted = true;
                i = std::min(close + 1, to);
            } else {
                qsizetype k = j;
                while (k < to && !isSpace(lc.at(k)))
                    ++k;
                attribute.value = { j, k - j };
                i = k;
            }
            attribute.end = i;
        }
        list.push_back(attribute);
    }
}

// Text of the page with its character references read, as a browser posts it.
QString decoded(QByteArrayView raw)
{
    QString text = QString::fromUtf8(raw);
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const std::pair<QLatin1StringView, char16_t> named[]
        = { { QLatin1StringView("amp"), u'&' }, { QLatin1StringView("lt"), u'<' },
              { QLatin1StringView("gt"), u'>' }, { QLatin1StringView("quot"), u'"' },
              { QLatin1StringView("apos"), u'\'' }, { QLatin1StringView("nbsp"), 0xa0 } };
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype semicolon = text.at(i) == QLatin1Char('&') ? text.indexOf(QLatin1Char(';'), i) : -1;
        if (semicolon > i + 1 && semicolon - i <= 10) {
            const QStringView entity = QStringView(text).sliced(i + 1, semicolon - i - 1);
            std::optional<char32_t> c;
            if (entity.startsWith(QLatin1Char('#'))) {
                bool ok = false;
                const bool hex = entity.size() > 1
                    && (entity.at(1) == QLatin1Char('x') || entity.at(1) == QLatin1Char('X'));
                const uint n = entity.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
                if (ok && n > 0 && n <= 0x10ffff)
                    c = n;
            } else {
                for (const auto& [name, value] : named)
                    if (entity == name)
                        c = value;
            }
            if (c) {
                out += QString::fromUcs4(&*c, 1);
                i = semicolon;
                continue;
            }
        }
        out += text.at(i);
    }
    return out;
}

// Leading and trailing blanks gone, blanks between words one space: an option's text as a browser posts it.
QString collapsedBlanks(const QString& text)
{
    QString out;
    bool blank = false;
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r') || c == QLatin1Char('\f')) {
            blank = !out.isEmpty();
        } else {
            if (blank)
                out += QLatin1Char(' ');
            blank = false;
            out += c;
        }
    }
    return out;
}

// Whether [from, to) holds text outside its (inline) tags.
bool hasText(const QByteArray& lc, qsizetype from, qsizetype to)
{
    bool inTag = false;
    for (qsizetype i = from; i < to; ++i) {
        const char c = lc.at(i);
        if (inTag) {
            inTag = c != '>';
        } else if (c == '<' && i + 3 < to && lc.at(i + 1) == '!' && lc.at(i + 2) == '-'
            && lc.at(i + 3) == '-') {
            const qsizetype close = lc.indexOf("-->", i + 4);
            i = close < 0 ? to : close + 2;
        } else if (c == '<') {
            inTag = true;
        } else if (!isSpace(c)) {
            return true;
        }
    }
    return false;
}

PageSpan trimmed(const QByteArray& lc, qsizetype from, qsizetype to)
{
    while (from < to && isSpace(lc.at(from)))
        ++from;
    while (to > from && isSpace(lc.at(to - 1)))
        --to;
    return { from, to - from };
}

// The kind of an input by its type.
PageControl::Kind inputKind(QByteArrayView type)
{
    if (is(type, "checkbox"))
        return PageControl::Kind::TickBox;
    if (is(type, "radio"))
        return PageControl::Kind::OptionButton;
    if (is(type, "hidden"))
        return PageControl::Kind::Hidden;
    if (is(type, "submit") || is(type, "reset") || is(type, "button") || is(type, "image")
        || is(type, "file"))
        return PageControl::Kind::Button;
    return PageControl::Kind::TextBox; // any other type takes typed text
}

// The end of the text that follows a tick box ending at `from`: up to the
// next tag that is not part of a text, blanks before it left out.
qsizetype ownTextEnd(const QByteArray& lc, qsizetype from)
{
    qsizetype stop = from;
    while ((stop = lc.indexOf('<', stop)) >= 0) {
        const qsizetype n = stop + 1 + (stop + 1 < lc.size() && lc.at(stop + 1) == '/');
        qsizetype nameEnd = n;
        while (nameEnd < lc.size() && lc.at(nameEnd) >= 'a' && lc.at(nameEnd) <= 'z')
            ++nameEnd;
        if (nameEnd == n || classify(QByteArrayView(lc).sliced(n, nameEnd - n)).name != TagName::Inline)
            break;
        ++stop;
    }
    if (stop < 0)
        stop = lc.size();
    while (stop > from && isSpace(lc.at(stop - 1)))
        --stop;
    return stop;
}

// The page in ASCII lower case, byte for byte.
QByteArray lowerCased(const QByteArray& page)
{
    QByteArray lc(page.size(), Qt::Uninitialized);
    const char* from = page.constData();
    char* to = lc.data();
    qsizetype i = 0;
    // Eight bytes at a time: each byte from 'A' to 'Z' gets 0x20 added.
    constexpr quint64 ones = 0x0101010101010101ULL;
    for (; i + 8 <= page.size(); i += 8) {
        quint64 x;
        std::memcpy(&x, from + i, 8);
        const quint64 low = x & (0x7f * ones);
        const quint64 fromA = low + (0x80 - 'A') * ones; // high bit set where the byte is 'A' or above
        const quint64 pastZ = low + (0x80 - 'Z' - 1) * ones; // ... where it is above 'Z'
        x |= ((fromA & ~pastZ & ~x) & (0x80 * ones)) >> 2;
        std::memcpy(to + i, &x, 8);
    }
    for (; i < page.size(); ++i)
        to[i] = char(from[i] >= 'A' && from[i] <= 'Z' ? from[i] + ('a' - 'A') : from[i]);
    return lc;
}

} // namespace

FormPage::FormPage(const QByteArray& bytes)
    : m_bytes(bytes)
    , m_lc(lowerCased(bytes))
    , m_start(bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0)
{
    read();
}

void FormPage::read()
{
    const QByteArray& lc = m_lc;
    // Attributes are read only where something is made of them, and where a
    // condition stands.
    m_attributes.reserve(lc.size() / 16);
    m_controls.reserve(lc.size() / 64);
    std::vector<qsizetype> conditions;
    for (qsizetype at = lc.indexOf("data-ask-if"); at >= 0; at = lc.indexOf("data-ask-if", at + 11))
        conditions.push_back(at);
    auto nextCondition = conditions.cbegin();
    std::vector<qsizetype> breaks;
    const QByteArray breakMark = pageFormat::pageBreakAttribute();
    for (qsizetype at = lc.indexOf(breakMark); at >= 0; at = lc.indexOf(breakMark, at + breakMark.size()))
        breaks.push_back(at);
    auto nextBreak = breaks.cbegin();
    bool inLabel = false;
    // The blocks asked only under a condition, by how deep in divs each opens.
    int divDepth = 0;
    QVarLengthArray<int, 8> conditionalDepths;
    // The question before a control: the text since the last tag that is not
    // part of a text, or else the text a paragraph above. A tick box's text
    // is its own.
    qsizetype runFrom = m_start;
    bool runAfterTickBox = false;
    PageSpan paragraphAbove;
    int openMenu = -1;
    // The field announcing a question whose text is still to come, and the question's name.
    int announced = -1;
    QByteArrayView announcedName;
    const QByteArray kindSuffix = pageFormat::kindSuffix().toUtf8();
    // Where the page's text goes on after the last tag (or the text of a script, title, ...).
    qsizetype textFrom = m_start;
    const bool anyBrace = lc.contains('{');

    forEachTag(lc, [&](const ReadTag& tag) {
        if (anyBrace)
            findReferences(textFrom, tag.place.at,
                openMenu >= 0 && m_controls[openMenu].optionCount > 0 ? int(m_options.size()) - 1 : -1);
        textFrom = tag.place.contentEnd >= 0 ? tag.place.contentEnd : tag.place.end + 1;
        const bool input = tag.is(TagName::Input);
        const bool control = input || tag.is(TagName::TextArea) || tag.is(TagName::Select);
        const bool kept = control || (tag.is(TagName::Option) && openMenu >= 0)
            || (tag.is(TagName::Html) && m_html.at < 0) || (tag.is(TagName::Form) && m_form.at < 0)
            || (tag.is(TagName::Body) && m_body.at < 0);
        while (nextCondition != conditions.cend() && *nextCondition < tag.place.nameEnd)
            ++nextCondition;
        const bool conditionInTag = nextCondition != conditions.cend() && *nextCondition < tag.place.end;
        while (nextBreak != breaks.cend() && *nextBreak < tag.place.nameEnd)
            ++nextBreak;
        const bool breakInTag = nextBreak != breaks.cend() && *nextBreak < tag.place.end && !tag.closing;
        PageTag place = tag.place;
        place.firstAttribute = int(m_attributes.size());
        if (kept || tag.is(TagName::Div) || (conditionInTag && !tag.closing) || breakInTag)
            readAttributes(lc, place, m_attributes);
        place.attributeCount = int(m_attributes.size()) - place.firstAttribute;
        const bool conditional = conditionInTag && attribute(place, "data-ask-if");
        m_hasConditions = m_hasConditions || conditional;
        // Only a break inside the service's form divides it into pages.
        if (breakInTag && m_form.at >= 0 && m_formEnd < 0 && attribute(place, "data-page-break"))
            m_pageBreaks.push_back({ tag.place.at, tag.place.end + 1 - tag.place.at });

        PageControl c;
        QByteArrayView rawName;
        if (control) {
            if (input) {
                const PageAttribute* type = attribute(place, "type");
                c.kind = inputKind(type && type->value.exists()
                        ? QByteArrayView(lc).sliced(type->value.at, type->value.size)
                        : QByteArrayView());
            } else {
                c.kind = tag.is(TagName::TextArea) ? PageControl::Kind::TextArea : PageControl::Kind::Menu;
            }
            c.tag = place;
            c.inLabel = inLabel;
            c.conditional = !conditionalDepths.isEmpty();
            if (const PageAttribute* name = attribute(place, "name"); name && name->value.exists())
                rawName = QByteArrayView(m_bytes).sliced(name->value.at, name->value.size);
            c.announcesQuestion = c.kind == PageControl::Kind::Hidden && rawName.endsWith(kindSuffix);
        }
        const bool tickBox
            = control && (c.kind == PageControl::Kind::TickBox || c.kind == PageControl::Kind::OptionButton);
        if (tag.kind != TagName::Inline) {
            const PageSpan run = trimmed(lc, runFrom, tag.place.at);
            const bool runHasText = !runAfterTickBox && hasText(lc, run.at, run.end());
            if (control && !runAfterTickBox)
                c.question = runHasText ? run : paragraphAbove;
            if (runHasText && announced >= 0) {
                m_controls[announced].following = run;
                announced = -1;
            }
            if (tag.kind != TagName::Break || runAfterTickBox)
                paragraphAbove = {};
            else if (runHasText)
                paragraphAbove = run;
            runFrom = tag.place.end + 1;
            runAfterTickBox = tickBox;
        }

        switch (tag.closing ? TagName::Other : tag.kind) {
        case TagName::Doctype:
            m_doctypes.push_back({ tag.place.at, tag.place.end + 1 - tag.place.at });
            break;
        case TagName::Html:
            if (m_html.at < 0)
                m_html = place;
            break;
        case TagName::Head:
            if (m_head.at < 0)
                m_head = place;
            break;
        case TagName::Body:
            if (m_body.at < 0)
                m_body = place;
            break;
        case TagName::Title:
            m_titles.push_back({ tag.place.end + 1, tag.place.contentEnd - tag.place.end - 1 });
            break;
        case TagName::Label:
            inLabel = true;
            break;
        case TagName::Div:
            ++divDepth;
            if (conditional)
                conditionalDepths.append(divDepth);
            break;
        case TagName::Form:
            if (m_form.at < 0) {
                const PageAttribute* action = attribute(place, "action");
                if (action && action->value.exists()
                    && QByteArrayView(lc)
                           .sliced(action->value.at, action->value.size)
                           .contains(pageFormat::postPath()))
                    m_form = place;
            }
            break;
        case TagName::Select:
            openMenu = int(m_controls.size());
            c.firstOption = int(m_options.size());
            break;
        case TagName::Option:
            if (openMenu >= 0) {
                const qsizetype textEnd = lc.indexOf('<', tag.place.end + 1);
                m_options.push_back({ place,
                    { tag.place.end + 1, (textEnd < 0 ? lc.size() : textEnd) - tag.place.end - 1 } });
                ++m_controls[openMenu].optionCount;
            }
            break;
        case TagName::Input:
            if (tickBox && !inLabel) {
                const qsizetype textEnd = ownTextEnd(lc, tag.place.end + 1);
                if (textEnd > tag.place.end + 1)
                    c.text = { tag.place.end + 1, textEnd - tag.place.end - 1 };
            }
            break;
        default:
            if (tag.closes(TagName::Label)) {
                inLabel = false;
            } else if (tag.closes(TagName::Div) && divDepth > 0) {
                if (!conditionalDepths.isEmpty() && conditionalDepths.last() == divDepth)
                    conditionalDepths.removeLast();
                --divDepth;
            } else if (tag.closes(TagName::Select)) {
                openMenu = -1;
            } else if (tag.closes(TagName::Form) && m_form.at >= 0 && m_formEnd < 0) {
                m_formEnd = tag.place.at;
            } else if ((tag.closes(TagName::Body) || tag.closes(TagName::Html)) && m_contentEnd < 0) {
                m_contentEnd = tag.place.at;
            }
            break;
        }
        if (!kept)
            m_attributes.resize(place.firstAttribute);
        if (!control)
            return;
        if (c.announcesQuestion) {
            announced = int(m_controls.size());
            announcedName = rawName.chopped(kindSuffix.size());
        } else if (announced >= 0 && c.kind == PageControl::Kind::TickBox && rawName == announcedName) {
            // A check box's question is its own text.
            m_controls[announced].following = c.text;
            announced = -1;
        }
        m_controls.push_back(c);
    });
}

void FormPage::findReferences(qsizetype from, qsizetype to, int option)
{
    for (qsizetype open = m_lc.indexOf('{', from); open >= 0 && open < to;
         open = m_lc.indexOf('{', open + 1)) {
        qsizetype close = open + 1;
        while (close < to && m_lc.at(close) != '}' && m_lc.at(close) != '{' && m_lc.at(close) != '<')
            ++close;
        if (close < to && m_lc.at(close) == '}' && close > open + 1)
            m_references.push_back({ { open, close + 1 - open }, { open + 1, close - open - 1 }, option });
    }
}

void FormPage::findQuestions() const
{
    m_questionsFound = true;
    const QString kindSuffix = pageFormat::kindSuffix();
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const PageControl& c = m_controls[i];
        if (!c.announcesQuestion
            && (c.kind == PageControl::Kind::Hidden || c.kind == PageControl::Kind::Button))
            continue;
        const QString controlName = name(c);
        const QString questionName
            = c.announcesQuestion ? controlName.chopped(kindSuffix.size()) : controlName;
        int& index = m_questionIndex[questionName];
        if (index == 0) {
            m_questions.push_back({ questionName, -1, {}, {} });
            index = int(m_questions.size());
        }
        PageQuestion& q = m_questions[index - 1];
        if (c.announcesQuestion) {
            if (q.kindField < 0) {
                q.kindField = int(i);
                q.text = c.following;
            }
        } else {
            q.controls.push_back(int(i));
            // Without a field announcing it, what labels its first control.
            if (q.kindField < 0 && q.controls.size() == 1)
                q.text = c.kind == PageControl::Kind::TickBox ? c.text : c.question;
        }
    }
}

bool FormPage::hasContent(qsizetype from, qsizetype to) const
{
    for (const PageControl& c : m_controls) {
        if (c.tag.at >= from && c.tag.at < to && c.kind != PageControl::Kind::Hidden)
            return true;
    }
    return hasText(m_lc, from, to);
}

const std::vector<PageQuestion>& FormPage::questions() const
{
    if (!m_questionsFound)
        findQuestions();
    return m_questions;
}

const PageQuestion* FormPage::question(const QString& name) const
{
    if (!m_questionsFound)
        findQuestions();
    const int index = m_questionIndex.value(name);
    return index > 0 ? &m_questions[index - 1] : nullptr;
}

QString FormPage::text(PageSpan span) const
{
    return span.exists() ? decoded(QByteArrayView(m_bytes).sliced(span.at, span.size)) : QString();
}

QString FormPage::value(const PageOption& option) const
{
    if (attribute(option.tag, "value"))
        return value(option.tag, "value");
    return collapsedBlanks(text(option.text));
}

void FormPage::insert(qsizetype at, const QByteArray& text, Layer layer)
{
    m_edits.push_back({ at, 0, quint8(layer), int(m_edits.size()), text });
    m_added += text.size();
}

void FormPage::replace(PageSpan span, const QByteArray& text)
{
    // After every insertion at its place.
    m_edits.push_back({ span.at, span.size, quint8(Layer::Attribute) + 1, int(m_edits.size()), text });
    m_added += text.size();
}

void FormPage::reorder(const std::vector<PageSpan>& pieces, const std::vector<int>& order, Layer firstWith)
{
    for (std::size_t i = 0; i < pieces.size() && i < order.size(); ++i)
        m_moved.push_back({ pieces[i], pieces[std::size_t(order[i])].at, quint8(firstWith) });
    std::sort(m_moved.begin(), m_moved.end(),
        [](const Moved& a, const Moved& b) { return a.place.at < b.place.at; });
}

QByteArray FormPage::written() const
{
    // The edits in page order, and where each moved piece starts and ends
    // among them: its start before the first edit at its place that goes
    // with it, its end after the last.
    struct Step {
        qsizetype at = 0;
        quint8 order = 0;
        int made = 0;
        const Edit* edit = nullptr;
        int piece = -1;
        bool start = false;
    };
    std::vector<Step> steps;
    steps.reserve(m_edits.size() + 2 * m_moved.size());
    for (const Edit& e : m_edits)
        steps.push_back({ e.at, e.order, e.made, &e });
    for (std::size_t k = 0; k < m_moved.size(); ++k) {
        const PageSpan place = m_moved[k].place;
        steps.push_back(
            { place.at, m_moved[k].firstWith, std::numeric_limits<int>::min(), nullptr, int(k), true });
        steps.push_back(
            { place.end(), quint8(Layer::TextEnd), std::numeric_limits<int>::max(), nullptr, int(k), false });
    }
    std::sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) {
        return a.at != b.at ? a.at < b.at : a.order != b.order ? a.order < b.order : a.made < b.made;
    });
    QByteArray out;
    out.reserve(m_bytes.size() + m_added);
    std::vector<QByteArray> pieces(m_moved.size());
    std::vector<qsizetype> placesAt(m_moved.size());
    QByteArray* sink = &out;
    qsizetype from = 0;
    for (const Step& step : steps) {
        if (const Edit* e = step.edit) {
            if (e->at < from) // inside a stretch already replaced
                continue;
            sink->append(QByteArrayView(m_bytes).sliced(from, e->at - from));
            sink->append(e->text);
            from = e->at + e->remove;
            continue;
        }
        if (step.at > from) {
            sink->append(QByteArrayView(m_bytes).sliced(from, step.at - from));
            from = step.at;
        }
        if (step.start) {
            placesAt[std::size_t(step.piece)] = out.size();
            sink = &pieces[std::size_t(step.piece)];
        } else {
            sink = &out;
        }
    }
    out.append(QByteArrayView(m_bytes).sliced(from));
    if (m_moved.empty())
        return out;
    // Each place takes the piece it shows.
    QHash<qsizetype, std::size_t> pieceAt;
    for (std::size_t k = 0; k < m_moved.size(); ++k)
        pieceAt.insert(m_moved[k].place.at, k);
    QByteArray shown;
    shown.reserve(out.size() + m_bytes.size() / 8);
    qsizetype copied = 0;
    for (std::size_t k = 0; k < m_moved.size(); ++k) {
        shown.append(QByteArrayView(out).sliced(copied, placesAt[k] - copied));
        shown.append(pieces[pieceAt.value(m_moved[k].shows, k)]);
        copied = placesAt[k];
    }
    shown.append(QByteArrayView(out).sliced(copied));
    return shown;
}

} // namespace quenlow
