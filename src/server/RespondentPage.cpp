// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RespondentPage.h"

#include "model/HtmlText.h"
#include "model/PageFormat.h"
#include "server/RequestHandler.h"

#include <QCryptographicHash>
#include <QHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace quenlow {

namespace {

constexpr int kNonceBytes = 16; // 128 random bits
constexpr int kDigestBytes = 16; // of the keyed SHA-256

// Sized for phones only below a phone's width, so a desktop browser lays the
// page out as the designer saw it; buttons tall enough to tap everywhere, as
// tablets are touched too. Text inputs at 16 px: phones zoom into anything
// smaller.
const QByteArray kRespondentHead = QByteArrayLiteral(
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
    "<style>"
    "input[type=submit], input[type=reset], button { min-height: 44px; }"
    ".answer-notice { background: #fff6cc; color: #000; border-left: 4px solid #b00000; padding: 0.5em "
    "0.75em; "
    "text-align: left; }"
    ".earlier-answers { background: #e8f0fe; color: #000; border-left: 4px solid #1a4f9c; padding: 0.5em "
    "0.75em; text-align: left; }"
    "@media (max-width: 40em) {"
    "body { overflow-wrap: anywhere; -webkit-text-size-adjust: 100%; }"
    "input, textarea, select { font-size: 16px; max-width: 100%; box-sizing: border-box; }"
    "input[type=checkbox], input[type=radio] { width: 24px; height: 24px; margin: 4px 6px 4px 0; "
    "vertical-align: middle; }"
    "input[type=submit], input[type=reset], button { display: block; width: 100%; margin: 8px 0; }"
    "textarea { width: 100%; }"
    "img, table { max-width: 100%; height: auto; }"
    "}</style>");

// `text` is `literal`; cheaper than comparing views, which measure a literal each time.
template <std::size_t N> bool is(QByteArrayView text, const char (&literal)[N])
{
    return text.size() == qsizetype(N - 1) && std::memcmp(text.data(), literal, N - 1) == 0;
}

// The tags the pages are adapted around; Inline: markup that may stand inside
// an option's text or a question, where any other tag ends it.
enum class TagName {
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
    Div
};

struct ClassifiedTag {
    TagName name;
    bool closing;
};

ClassifiedTag classify(QByteArrayView name)
{
    // The tags of the designer's pages first.
    static const std::pair<QByteArrayView, TagName> names[]
        = { { "input", TagName::Input }, { "p", TagName::Break }, { "br", TagName::Break },
              { "option", TagName::Option }, { "label", TagName::Label }, { "select", TagName::Select },
              { "b", TagName::Inline }, { "i", TagName::Inline }, { "font", TagName::Inline },
              { "textarea", TagName::TextArea }, { "u", TagName::Inline }, { "s", TagName::Inline },
              { "em", TagName::Inline }, { "strong", TagName::Inline }, { "span", TagName::Inline },
              { "small", TagName::Inline }, { "big", TagName::Inline }, { "sub", TagName::Inline },
              { "sup", TagName::Inline }, { "tt", TagName::Inline }, { "code", TagName::Inline },
              { "strike", TagName::Inline }, { "a", TagName::Inline }, { "img", TagName::Inline },
              { "abbr", TagName::Inline }, { "script", TagName::Script }, { "style", TagName::Style },
              { "title", TagName::Title }, { "form", TagName::Form }, { "html", TagName::Html },
              { "head", TagName::Head }, { "!doctype", TagName::Doctype }, { "div", TagName::Div } };
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

bool isInlineTag(QByteArrayView name)
{
    return classify(name).name == TagName::Inline;
}

struct Edit {
    qsizetype at = 0;
    qsizetype remove = 0;
    QByteArray insert;
};

struct Span {
    qsizetype at = -1, size = 0;
    bool quoted = false;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The end of the tag opening at `at` (the index of its ">"), quotes respected; -1 when it never ends.
qsizetype tagEnd(const QByteArray& lc, qsizetype at)
{
    char quote = 0;
    for (qsizetype i = at + 1; i < lc.size(); ++i) {
        const char c = lc.at(i);
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return -1;
}

struct Tag {
    qsizetype at = 0; // its "<"
    qsizetype nameEnd = 0;
    qsizetype end = 0; // its ">"
    QByteArrayView name; // lower case; "/p" for a closing tag, "!doctype" for a doctype
    TagName kind = TagName::Other;
    bool closing = false;
    qsizetype contentEnd = -1; // a title's or text area's text ends here
    bool is(TagName n) const { return kind == n && !closing; }
    bool closes(TagName n) const { return kind == n && closing; }
};

// Calls `visit` with each tag of the page (`lc`, lower case) in order. Comments
// are skipped, and the text of scripts, styles, titles and text areas is never
// read as tags. Stops at a tag or a script that never ends.
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
        Tag tag { at, nameEnd, end, page.sliced(at + 1, nameEnd - at - 1) };
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
            tag.contentEnd = close < 0 ? lc.size() : close;
            next = tag.contentEnd;
        }
        visit(tag);
        at = lc.indexOf('<', next);
    }
}

struct Attribute {
    QByteArrayView name;
    qsizetype before = 0; // where the blank before it starts
    qsizetype at = 0;
    qsizetype end = 0;
    Span value;
};

// Calls `visit` with each attribute of `tag` until it returns false.
template <typename Visit> void forEachAttribute(const QByteArray& lc, const Tag& tag, Visit&& visit)
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
        Attribute attribute { QByteArrayView(lc).sliced(at, i - at), before, at, i, {} };
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
                attribute.value = { j + 1, close - j - 1, true };
                i = std::min(close + 1, to);
            } else {
                qsizetype k = j;
                while (k < to && !isSpace(lc.at(k)))
                    ++k;
                attribute.value = { j, k - j, false };
                i = k;
            }
            attribute.end = i;
        }
        if (!visit(attribute))
            return;
    }
}

// The attributes of a tag, read once.
struct Attributes {
    Attributes() = default;
    Attributes(const QByteArray& lc, const Tag& tag)
    {
        forEachAttribute(lc, tag, [this](const Attribute& a) {
            list.append(a);
            return true;
        });
    }
    template <std::size_t N> const Attribute* find(const char (&name)[N]) const
    {
        for (const Attribute& a : list)
            if (is(a.name, name))
                return &a;
        return nullptr;
    }
    QVarLengthArray<Attribute, 12> list;
};

QByteArrayView valueOf(const QByteArray& bytes, const Attribute* a)
{
    return !a || a->value.at < 0 ? QByteArrayView()
                                 : QByteArrayView(bytes).sliced(a->value.at, a->value.size);
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

Span trimmed(const QByteArray& lc, qsizetype from, qsizetype to)
{
    while (from < to && isSpace(lc.at(from)))
        ++from;
    while (to > from && isSpace(lc.at(to - 1)))
        --to;
    return { from, to - from };
}

bool isFormPostingHere(const QByteArray& lc, const Attributes& attributes)
{
    return valueOf(lc, attributes.find("action")).contains(RequestHandler::submissionPath());
}

// Types of input that take typed text.
bool isTextInput(QByteArrayView type)
{
    return !is(type, "hidden") && !is(type, "checkbox") && !is(type, "radio") && !is(type, "submit")
        && !is(type, "reset") && !is(type, "button") && !is(type, "image") && !is(type, "file");
}

// The page in ASCII lower case, byte for byte: positions in it are the page's.
QByteArray lowerCase(const QByteArray& page)
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

QByteArray applied(const QByteArray& page, std::vector<Edit>& edits, qsizetype extra)
{
    // At one place, insertions (in the order made) before removals.
    const auto before = [](const Edit& a, const Edit& b) {
        return a.at < b.at || (a.at == b.at && a.remove == 0 && b.remove > 0);
    };
    if (!std::is_sorted(edits.begin(), edits.end(), before)) // mostly made in order
        std::stable_sort(edits.begin(), edits.end(), before);
    QByteArray out;
    out.reserve(page.size() + extra);
    qsizetype from = 0;
    for (const Edit& e : edits) {
        if (e.at < from) // overlaps an edit already made; never made by the callers
            continue;
        out.append(QByteArrayView(page).sliced(from, e.at - from));
        out.append(e.insert);
        from = e.at + e.remove;
    }
    out.append(QByteArrayView(page).sliced(from));
    return out;
}

} // namespace

QString submissionTokenField()
{
    return QStringLiteral("submissionToken");
}

QString formVersionField()
{
    return QStringLiteral("formVersion");
}

SubmissionTokens::SubmissionTokens(const QByteArray& key)
    : m_key(key)
{
    if (m_key.isEmpty()) {
        m_key.resize(32);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(m_key.data()), m_key.size() / 4);
    }
}

QByteArray SubmissionTokens::digest(const QByteArray& nonceHex, const QString& table) const
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, m_key);
    mac.addData(nonceHex);
    mac.addData("\n");
    mac.addData(table.toUtf8());
    return mac.result().first(kDigestBytes).toHex();
}

QString SubmissionTokens::issue(const QString& table) const
{
    quint32 nonce[kNonceBytes / 4];
    QRandomGenerator::system()->fillRange(nonce);
    const QByteArray nonceHex = QByteArray(reinterpret_cast<const char*>(nonce), kNonceBytes).toHex();
    return QString::fromLatin1(nonceHex + digest(nonceHex, table));
}

QString SubmissionTokens::verified(const QString& table, const QString& token) const
{
    if (token.size() != 2 * (kNonceBytes + kDigestBytes))
        return {};
    const QByteArray bytes = token.toLatin1();
    const QByteArray expected = digest(bytes.first(2 * kNonceBytes), table);
    // Compared in full every time: how long it takes tells nothing of the digest.
    char difference = 0;
    for (qsizetype i = 0; i < expected.size(); ++i)
        difference |= char(expected.at(i) ^ bytes.at(2 * kNonceBytes + i));
    return difference == 0 ? token : QString();
}

QByteArrayView respondentHead()
{
    return kRespondentHead;
}

QByteArray pageForRespondents(const QByteArray& page, const QString& formName, const QString& token,
    FormLanguage language, const QString& version)
{
    // The first choice of a menu: chosen by nobody, it posts an empty answer.
    const QByteArray choose = asciiEscaped(respondentText(RespondentText::Choose, language));
    const QByteArray blankChoice = "<option value=''>" + choose + "</option>";
    const QByteArray blankChoiceSelected = "<option value='' selected>" + choose + "</option>";
    const QByteArray langAttribute = " lang=\"" + languageTag(language).toLatin1() + '"';
    const QByteArray lc = lowerCase(page);
    const qsizetype start = page.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    std::vector<Edit> edits;
    edits.push_back({ start, 0, {} }); // the doctype, made once the page has been read
    qsizetype headEnd = -1;
    qsizetype htmlEnd = -1;
    bool formFound = false;
    bool inLabel = false;
    QByteArray idPrefix;
    int labelled = 0;
    // The blocks asked only under a condition, by how deep in divs each opens.
    int divDepth = 0;
    QVarLengthArray<int, 8> conditionalDepths;

    // The question a text box is labelled with: the text since the last tag
    // that is not part of a text, or else the text a paragraph above (where a
    // text area's question stands). A tick box's text is its own.
    qsizetype runFrom = start;
    bool runAfterTickBox = false;
    Span paragraphAbove;

    struct {
        bool open = false;
        bool chosen = false;
        std::size_t emptyChoice = 0;
    } menu;
    const auto closeMenu = [&] {
        if (menu.open && !menu.chosen)
            edits[menu.emptyChoice].insert = blankChoiceSelected;
        menu.open = false;
    };

    forEachTag(lc, [&](const Tag& tag) {
        const bool input = tag.is(TagName::Input);
        const bool control = input || tag.is(TagName::TextArea) || tag.is(TagName::Select);
        const bool attributesNeeded = control || tag.is(TagName::Html) || tag.is(TagName::Option)
            || tag.is(TagName::Div) || (tag.is(TagName::Form) && !formFound);
        const Attributes attributes = attributesNeeded ? Attributes(lc, tag) : Attributes();
        const QByteArrayView inputType = input ? valueOf(lc, attributes.find("type")) : QByteArrayView();
        const bool tickBox = input && (is(inputType, "checkbox") || is(inputType, "radio"));
        if (tag.kind != TagName::Inline) {
            const Span run = trimmed(lc, runFrom, tag.at);
            const bool runHasText = !runAfterTickBox && hasText(lc, run.at, run.at + run.size);
            const bool textBox = control && (!input || isTextInput(inputType));
            if (textBox && !inLabel && !attributes.find("id")) {
                const Span question = runHasText ? run : paragraphAbove;
                if (question.at >= 0 && !runAfterTickBox) {
                    if (idPrefix.isEmpty()) {
                        // Ids of our own, which no id of the page starts with.
                        idPrefix = "answer-";
                        while (memmem(lc.constData(), lc.size(), idPrefix.constData(), idPrefix.size()))
                            idPrefix.prepend('x');
                    }
                    const QByteArray id = idPrefix + QByteArray::number(++labelled);
                    edits.push_back({ question.at, 0, "<label for=" + id + '>' });
                    edits.push_back({ question.at + question.size, 0, QByteArrayLiteral("</label>") });
                    edits.push_back({ tag.nameEnd, 0, " id=" + id });
                }
            }
            if (tag.kind != TagName::Break || runAfterTickBox)
                paragraphAbove = {};
            else if (runHasText)
                paragraphAbove = run;
            runFrom = tag.end + 1;
            runAfterTickBox = tickBox;
        }
        // A question asked under a condition is required only while it is
        // shown: the condition script sets it then. A browser without script
        // shows every question and would insist on one that does not apply.
        if (control && !conditionalDepths.isEmpty()) {
            if (const Attribute* required = attributes.find("required"))
                edits.push_back({ required->at, 0, QByteArrayLiteral("data-") });
        }

        switch (tag.closing ? TagName::Other : tag.kind) {
        case TagName::Doctype:
            edits.push_back({ tag.at, tag.end + 1 - tag.at, {} });
            break;
        case TagName::Html:
            if (htmlEnd < 0) {
                htmlEnd = tag.end + 1;
                if (!attributes.find("lang"))
                    edits.push_back({ tag.nameEnd, 0, langAttribute });
            }
            break;
        case TagName::Head:
            if (headEnd < 0) {
                headEnd = tag.end + 1;
                edits.push_back({ headEnd, 0, kRespondentHead });
            }
            break;
        case TagName::Title:
            // The designer's page closes its title with "</h1></title>"; inside a
            // title that is text, and browsers would show it in the tab.
            if (QByteArrayView(lc).first(tag.contentEnd).endsWith("</h1>"))
                edits.push_back({ tag.contentEnd - 5, 5, {} });
            break;
        case TagName::Label:
            inLabel = true;
            break;
        case TagName::Div:
            ++divDepth;
            if (attributes.find("data-ask-if"))
                conditionalDepths.append(divDepth);
            break;
        case TagName::Form:
            if (!formFound && isFormPostingHere(lc, attributes)) {
                formFound = true;
                edits.push_back({ tag.end + 1, 0,
                    "<input type=hidden name=" + submissionTokenField().toLatin1() + " value='"
                        + token.toLatin1() + "'>"
                        + (version.isEmpty() ? QByteArray()
                                             : "<input type=hidden name=" + formVersionField().toLatin1()
                                    + " value='" + version.toLatin1() + "'>") });
            }
            break;
        case TagName::TextArea:
            // A default text is a hint; left in the box it would be posted as the answer.
            if (tag.contentEnd > tag.end + 1 && tag.contentEnd < lc.size()
                && !attributes.find("placeholder")) {
                qsizetype from = tag.end + 1;
                if (lc.at(from) == '\r' && from + 1 < tag.contentEnd && lc.at(from + 1) == '\n')
                    from += 2;
                else if (lc.at(from) == '\n')
                    ++from;
                const Span hint = trimmed(lc, from, tag.contentEnd);
                if (hint.size > 0) {
                    QByteArray text = page.mid(hint.at, hint.size);
                    edits.push_back(
                        { tag.nameEnd, 0, " placeholder='" + text.replace('\'', "&#39;") + '\'' });
                }
                edits.push_back({ tag.end + 1, tag.contentEnd - tag.end - 1, {} });
            }
            break;
        case TagName::Select:
            closeMenu();
            if (!attributes.find("multiple")) {
                // A list box keeps showing every option of the designer's.
                const Attribute* size = attributes.find("size");
                bool isNumber = false;
                const int rows = valueOf(lc, size).toByteArray().toInt(&isNumber);
                if (isNumber && rows > 1)
                    edits.push_back({ size->value.at, size->value.size, QByteArray::number(rows + 1) });
                menu = { true, false, edits.size() };
                edits.push_back({ tag.end + 1, 0, blankChoice });
            }
            break;
        case TagName::Option:
            if (attributes.find("selected"))
                menu.chosen = true;
            break;
        case TagName::Input:
            if (is(valueOf(lc, attributes.find("name")), "dblocation")) {
                const Attribute* value = attributes.find("value");
                const QByteArray replacement = asciiEscaped(formName);
                if (value && value->value.at >= 0)
                    edits.push_back({ value->value.at, value->value.size,
                        value->value.quoted ? replacement : "'" + replacement + "'" });
            } else if (tickBox && !inLabel) {
                // Its text runs to the next tag that is not part of a text.
                qsizetype stop = tag.end + 1;
                while ((stop = lc.indexOf('<', stop)) >= 0) {
                    qsizetype n = stop + 1 + (stop + 1 < lc.size() && lc.at(stop + 1) == '/');
                    qsizetype ne = n;
                    while (ne < lc.size() && lc.at(ne) >= 'a' && lc.at(ne) <= 'z')
                        ++ne;
                    if (ne == n || !isInlineTag(QByteArrayView(lc).sliced(n, ne - n)))
                        break;
                    ++stop;
                }
                if (stop < 0)
                    stop = lc.size();
                qsizetype textEnd = stop;
                while (textEnd > tag.end + 1 && isSpace(lc.at(textEnd - 1)))
                    --textEnd;
                if (textEnd > tag.end + 1) {
                    edits.push_back({ tag.at, 0, QByteArrayLiteral("<label>") });
                    edits.push_back({ textEnd, 0, QByteArrayLiteral("</label>") });
                }
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
                closeMenu();
            }
            break;
        }
    });
    closeMenu();
    if (!formFound)
        return page;

    // Standards mode and a language, whatever the page had or lacked.
    QByteArray& top = edits.front().insert;
    top = QByteArrayLiteral("<!DOCTYPE html>");
    if (htmlEnd < 0)
        top += "<html" + langAttribute + '>';
    if (headEnd < 0 && htmlEnd >= 0)
        edits.push_back({ htmlEnd, 0, kRespondentHead });
    else if (headEnd < 0)
        top += kRespondentHead;
    return applied(page, edits, kRespondentHead.size() + 1024);
}

QByteArray pageWithAnswers(const QByteArray& sentPage, const FormFields& answers, const QString& notice,
    const FormFields& questionNotes)
{
    const QByteArray lc = lowerCase(sentPage);
    QHash<QString, QStringList> values;
    for (const FormField& answer : answers)
        values[answer.name].append(answer.value);
    QHash<QString, qsizetype> taken;
    const auto nextAnswer = [&](const QString& name) -> std::optional<QString> {
        const auto found = values.constFind(name);
        if (found == values.cend())
            return std::nullopt;
        qsizetype& n = taken[name];
        return n < found->size() ? std::optional<QString>(found->at(n++)) : std::nullopt;
    };
    QHash<QString, std::optional<QString>> optionGroups;
    QHash<QString, QString> notes;
    for (const FormField& note : questionNotes)
        notes.insert(note.name, note.value);
    const auto noteParagraph = [](const QString& text, bool alert) -> QByteArray {
        return QByteArrayLiteral("<p class=answer-notice") + (alert ? " role=alert>" : ">")
            + asciiEscaped(text) + "</p>";
    };

    std::vector<Edit> edits;
    // A tick box's or option's own mark, set or cleared.
    const auto mark = [&](const Tag& tag, const Attributes& attributes, QByteArrayView flag, bool on) {
        for (const Attribute& a : attributes.list) {
            if (a.name == flag)
                edits.push_back({ a.before, a.end - a.before, {} });
        }
        if (on)
            edits.push_back({ tag.nameEnd, 0, ' ' + flag.toByteArray() });
    };
    // A note goes above its question: before the hidden field announcing it,
    // or else before its first control.
    const auto placeNote = [&](const QString& field, qsizetype at) {
        const auto found = notes.find(field);
        if (found == notes.end())
            return;
        edits.push_back({ at, 0, noteParagraph(*found, false) });
        notes.erase(found);
    };
    bool formFound = false;
    struct {
        bool open = false;
        std::optional<QString> answer;
        bool matched = false;
    } menu;

    forEachTag(lc, [&](const Tag& tag) {
        const bool control = tag.is(TagName::Input) || tag.is(TagName::TextArea) || tag.is(TagName::Select);
        if (!control && !tag.is(TagName::Form) && !(tag.is(TagName::Option) && menu.open && menu.answer)) {
            if (tag.closes(TagName::Select))
                menu.open = false;
            return;
        }
        const Attributes attributes(lc, tag);
        const QString name = control ? decoded(valueOf(sentPage, attributes.find("name"))) : QString();
        if (tag.is(TagName::Form)) {
            if (!formFound && isFormPostingHere(lc, attributes)) {
                formFound = true;
                if (!notice.isEmpty())
                    edits.push_back({ tag.end + 1, 0, noteParagraph(notice, true) });
            }
        } else if (tag.is(TagName::Input)) {
            const QByteArrayView type = valueOf(lc, attributes.find("type"));
            if (is(type, "hidden")) {
                if (name.endsWith(pageFormat::kindSuffix()))
                    placeNote(name.chopped(pageFormat::kindSuffix().size()), tag.at);
                return;
            }
            placeNote(name, tag.at);
            const Attribute* valueAttribute = attributes.find("value");
            const QString value
                = valueAttribute ? decoded(valueOf(sentPage, valueAttribute)) : QStringLiteral("on");
            if (is(type, "checkbox")) {
                if (const std::optional<QString> answer = nextAnswer(name))
                    mark(tag, attributes, "checked",
                        *answer == value || *answer == QLatin1StringView("Checked"));
            } else if (is(type, "radio")) {
                if (!optionGroups.contains(name))
                    optionGroups.insert(name, nextAnswer(name));
                if (const std::optional<QString>& answer = optionGroups.value(name))
                    mark(tag, attributes, "checked", *answer == value);
            } else if (isTextInput(type)) {
                if (const std::optional<QString> answer = nextAnswer(name)) {
                    const QByteArray filled = "value='" + asciiEscaped(*answer) + '\'';
                    if (valueAttribute)
                        edits.push_back(
                            { valueAttribute->at, valueAttribute->end - valueAttribute->at, filled });
                    else
                        edits.push_back({ tag.nameEnd, 0, ' ' + filled });
                }
            }
        } else if (tag.is(TagName::TextArea)) {
            placeNote(name, tag.at);
            const std::optional<QString> answer = nextAnswer(name);
            if (answer && tag.contentEnd < lc.size()) { // never the rest of a page whose text area never ends
                // A browser drops one line break that opens a text area.
                const bool opensWithBreak
                    = answer->startsWith(QLatin1Char('\n')) || answer->startsWith(QLatin1Char('\r'));
                edits.push_back({ tag.end + 1, tag.contentEnd - tag.end - 1,
                    (opensWithBreak ? "\n" : "") + asciiEscaped(*answer) });
            }
        } else if (tag.is(TagName::Select)) {
            placeNote(name, tag.at);
            menu = { true, nextAnswer(name), false };
        } else { // an option of a menu answered
            const Attribute* valueAttribute = attributes.find("value");
            QString value;
            if (valueAttribute) {
                value = decoded(valueOf(sentPage, valueAttribute));
            } else {
                const qsizetype textEnd = lc.indexOf('<', tag.end + 1);
                value = collapsedBlanks(decoded(QByteArrayView(sentPage).sliced(
                    tag.end + 1, (textEnd < 0 ? lc.size() : textEnd) - tag.end - 1)));
            }
            const bool chosen = !menu.matched && value == *menu.answer;
            menu.matched = menu.matched || chosen;
            mark(tag, attributes, "selected", chosen);
        }
    });
    return applied(sentPage, edits, 512 + 64 * answers.size());
}

} // namespace quenlow
