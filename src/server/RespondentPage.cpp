// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RespondentPage.h"

#include "model/HtmlText.h"
#include "server/RequestHandler.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QHash>
#include <QRandomGenerator>

#include <algorithm>
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
    ".answer-notice { background: #fff6cc; color: #000; border-left: 4px solid #b00000; padding: 0.5em 0.75em; "
    "text-align: left; }"
    "@media (max-width: 40em) {"
    "body { overflow-wrap: anywhere; -webkit-text-size-adjust: 100%; }"
    "input, textarea, select { font-size: 16px; max-width: 100%; box-sizing: border-box; }"
    "input[type=checkbox], input[type=radio] { width: 24px; height: 24px; margin: 4px 6px 4px 0; "
    "vertical-align: middle; }"
    "input[type=submit], input[type=reset], button { display: block; width: 100%; margin: 8px 0; }"
    "textarea { width: 100%; }"
    "img, table { max-width: 100%; height: auto; }"
    "}</style>");

// The first choice of a menu: chosen by nobody, it posts an empty answer.
const QByteArray kEmptyChoice = QByteArrayLiteral("<option value=''>Choose&#8230;</option>");
const QByteArray kEmptyChoiceSelected = QByteArrayLiteral("<option value='' selected>Choose&#8230;</option>");

// Markup that may stand inside an option's text or a question; any other tag ends it.
bool isInlineTag(QByteArrayView name)
{
    if (name.startsWith('/'))
        name = name.sliced(1);
    static const QByteArrayView inlineTags[] = {"b",    "i",   "u",  "s",    "em",   "strong", "font", "span", "small",
                                                "big",  "sub", "sup", "tt",  "code", "strike", "a",    "img",  "abbr"};
    return std::find(std::begin(inlineTags), std::end(inlineTags), name) != std::end(inlineTags);
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
    qsizetype contentEnd = -1; // a title's or text area's text ends here
};

// Calls `visit` with each tag of the page (`lc`, lower case) in order. Comments
// are skipped, and the text of scripts, styles, titles and text areas is never
// read as tags. Stops at a tag or a script that never ends.
template<typename Visit> void forEachTag(const QByteArray& lc, Visit&& visit)
{
    const QByteArrayView page(lc);
    qsizetype at = lc.indexOf('<');
    while (at >= 0) {
        if (page.sliced(at).startsWith("<!--")) {
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
        Tag tag{at, nameEnd, end, page.sliced(at + 1, nameEnd - at - 1)};
        qsizetype next = end + 1;
        const bool rawText = tag.name == "script" || tag.name == "style";
        if (rawText || tag.name == "title" || tag.name == "textarea") {
            qsizetype close = end + 1;
            while ((close = lc.indexOf("</", close)) >= 0 && !page.sliced(close + 2).startsWith(tag.name))
                close += 2;
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
template<typename Visit> void forEachAttribute(const QByteArray& lc, const Tag& tag, Visit&& visit)
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
        Attribute attribute{QByteArrayView(lc).sliced(at, i - at), before, at, i, {}};
        qsizetype j = i;
        while (j < to && isSpace(lc.at(j)))
            ++j;
        if (j < to && lc.at(j) == '=') {
            ++j;
            while (j < to && isSpace(lc.at(j)))
                ++j;
            if (j < to && (lc.at(j) == '\'' || lc.at(j) == '"')) {
                qsizetype close = lc.indexOf(lc.at(j), j + 1);
                if (close < 0 || close > to)
                    close = to;
                attribute.value = {j + 1, close - j - 1, true};
                i = std::min(close + 1, to);
            } else {
                qsizetype k = j;
                while (k < to && !isSpace(lc.at(k)))
                    ++k;
                attribute.value = {j, k - j, false};
                i = k;
            }
            attribute.end = i;
        }
        if (!visit(attribute))
            return;
    }
}

std::optional<Attribute> attribute(const QByteArray& lc, const Tag& tag, QByteArrayView name)
{
    std::optional<Attribute> found;
    forEachAttribute(lc, tag, [&](const Attribute& a) {
        if (a.name == name)
            found = a;
        return !found;
    });
    return found;
}

QByteArrayView valueOf(const QByteArray& bytes, const std::optional<Attribute>& a)
{
    return !a || a->value.at < 0 ? QByteArrayView() : QByteArrayView(bytes).sliced(a->value.at, a->value.size);
}

// Text of the page with its character references read, as a browser posts it.
QString decoded(QByteArrayView raw)
{
    QString text = QString::fromUtf8(raw);
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const std::pair<QLatin1StringView, char16_t> named[] = {
        {QLatin1StringView("amp"), u'&'},   {QLatin1StringView("lt"), u'<'},    {QLatin1StringView("gt"), u'>'},
        {QLatin1StringView("quot"), u'"'},  {QLatin1StringView("apos"), u'\''}, {QLatin1StringView("nbsp"), 0xa0}};
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype semicolon = text.at(i) == QLatin1Char('&') ? text.indexOf(QLatin1Char(';'), i) : -1;
        if (semicolon > i + 1 && semicolon - i <= 10) {
            const QStringView entity = QStringView(text).sliced(i + 1, semicolon - i - 1);
            std::optional<char32_t> c;
            if (entity.startsWith(QLatin1Char('#'))) {
                bool ok = false;
                const bool hex
                    = entity.size() > 1 && (entity.at(1) == QLatin1Char('x') || entity.at(1) == QLatin1Char('X'));
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
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')
            || c == QLatin1Char('\f')) {
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
        } else if (c == '<' && QByteArrayView(lc).sliced(i).startsWith("<!--")) {
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
    return {from, to - from};
}

bool isFormPostingHere(const QByteArray& lc, const Tag& tag)
{
    return tag.name == "form"
        && valueOf(lc, attribute(lc, tag, "action")).contains(RequestHandler::submissionPath());
}

// Types of input that take typed text.
bool isTextInput(QByteArrayView type)
{
    static const QByteArrayView others[] = {"hidden", "checkbox", "radio",  "submit",
                                            "reset",  "button",   "image", "file"};
    return std::find(std::begin(others), std::end(others), type) == std::end(others);
}

QByteArray applied(const QByteArray& page, std::vector<Edit>& edits, qsizetype extra)
{
    // At one place, insertions (in the order made) before removals.
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.at < b.at || (a.at == b.at && a.remove == 0 && b.remove > 0);
    });
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

QByteArray pageForRespondents(const QByteArray& page, const QString& formName, const QString& token)
{
    const QByteArray lc = page.toLower(); // ASCII only: positions match the page's
    const qsizetype start = page.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    std::vector<Edit> edits;
    edits.push_back({start, 0, {}}); // the doctype, made once the page has been read
    qsizetype headEnd = -1;
    qsizetype htmlEnd = -1;
    bool formFound = false;
    bool inLabel = false;
    QByteArray idPrefix;
    int labelled = 0;

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
            edits[menu.emptyChoice].insert = kEmptyChoiceSelected;
        menu.open = false;
    };

    forEachTag(lc, [&](const Tag& tag) {
        const QByteArrayView name = tag.name;
        const bool inlineTag = isInlineTag(name);
        std::optional<QByteArrayView> inputType;
        if (name == "input")
            inputType = valueOf(lc, attribute(lc, tag, "type"));
        const bool textBox = (inputType && isTextInput(*inputType)) || name == "textarea" || name == "select";
        if (!inlineTag) {
            const Span run = trimmed(lc, runFrom, tag.at);
            const bool runHasText = !runAfterTickBox && hasText(lc, run.at, run.at + run.size);
            if (textBox && !inLabel && !attribute(lc, tag, "id")) {
                const Span question = runHasText ? run : paragraphAbove;
                if (question.at >= 0 && !runAfterTickBox) {
                    if (idPrefix.isEmpty()) {
                        // Ids of our own, which no id of the page starts with.
                        idPrefix = "answer-";
                        while (lc.contains(idPrefix))
                            idPrefix.prepend('x');
                    }
                    const QByteArray id = idPrefix + QByteArray::number(++labelled);
                    edits.push_back({question.at, 0, "<label for=" + id + '>'});
                    edits.push_back({question.at + question.size, 0, QByteArrayLiteral("</label>")});
                    edits.push_back({tag.nameEnd, 0, " id=" + id});
                }
            }
            const bool paragraphBreak = name == "p" || name == "/p" || name == "br";
            if (!paragraphBreak || runAfterTickBox)
                paragraphAbove = {};
            else if (runHasText)
                paragraphAbove = run;
            runFrom = tag.end + 1;
            runAfterTickBox = inputType && (*inputType == "checkbox" || *inputType == "radio");
        }

        if (name == "!doctype") {
            edits.push_back({tag.at, tag.end + 1 - tag.at, {}});
        } else if (name == "html" && htmlEnd < 0) {
            htmlEnd = tag.end + 1;
            if (!attribute(lc, tag, "lang"))
                edits.push_back({tag.nameEnd, 0, QByteArrayLiteral(" lang=\"en\"")});
        } else if (name == "head" && headEnd < 0) {
            headEnd = tag.end + 1;
        } else if (name == "title") {
            // The designer's page closes its title with "</h1></title>"; inside a
            // title that is text, and browsers would show it in the tab.
            if (QByteArrayView(lc).first(tag.contentEnd).endsWith("</h1>"))
                edits.push_back({tag.contentEnd - 5, 5, {}});
        } else if (name == "label") {
            inLabel = true;
        } else if (name == "/label") {
            inLabel = false;
        } else if (name == "form" && !formFound) {
            if (isFormPostingHere(lc, tag)) {
                formFound = true;
                edits.push_back({tag.end + 1, 0,
                                 "<input type=hidden name=" + submissionTokenField().toLatin1() + " value='"
                                     + token.toLatin1() + "'>"});
            }
        } else if (name == "textarea") {
            // A default text is a hint; left in the box it would be posted as the answer.
            qsizetype from = tag.end + 1;
            if (lc.mid(from, 2) == "\r\n")
                from += 2;
            else if (from < tag.contentEnd && lc.at(from) == '\n')
                ++from;
            if (tag.contentEnd > tag.end + 1 && !attribute(lc, tag, "placeholder")) {
                const Span hint = trimmed(lc, from, tag.contentEnd);
                if (hint.size > 0) {
                    QByteArray text = page.mid(hint.at, hint.size);
                    edits.push_back({tag.nameEnd, 0, " placeholder='" + text.replace('\'', "&#39;") + '\''});
                }
                edits.push_back({tag.end + 1, tag.contentEnd - tag.end - 1, {}});
            }
        } else if (name == "select") {
            closeMenu();
            if (!attribute(lc, tag, "multiple")) {
                menu = {true, false, edits.size()};
                edits.push_back({tag.end + 1, 0, kEmptyChoice});
                // A list box keeps showing every option of the designer's.
                const std::optional<Attribute> size = attribute(lc, tag, "size");
                bool isNumber = false;
                const int rows = valueOf(lc, size).toByteArray().toInt(&isNumber);
                if (isNumber && rows > 1)
                    edits.push_back({size->value.at, size->value.size, QByteArray::number(rows + 1)});
            }
        } else if (name == "option") {
            if (attribute(lc, tag, "selected"))
                menu.chosen = true;
        } else if (name == "/select") {
            closeMenu();
        } else if (inputType) {
            const std::optional<Attribute> fieldName = attribute(lc, tag, "name");
            if (valueOf(lc, fieldName) == "dblocation") {
                const std::optional<Attribute> value = attribute(lc, tag, "value");
                const QByteArray replacement = asciiEscaped(formName);
                if (value && value->value.at >= 0)
                    edits.push_back({value->value.at, value->value.size,
                                     value->value.quoted ? replacement : "'" + replacement + "'"});
            } else if ((*inputType == "checkbox" || *inputType == "radio") && !inLabel) {
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
                    edits.push_back({tag.at, 0, QByteArrayLiteral("<label>")});
                    edits.push_back({textEnd, 0, QByteArrayLiteral("</label>")});
                }
            }
        }
    });
    closeMenu();
    if (!formFound)
        return page;

    // Standards mode and a language, whatever the page had or lacked.
    QByteArray& top = edits.front().insert;
    top = QByteArrayLiteral("<!DOCTYPE html>");
    if (htmlEnd < 0)
        top += "<html lang=\"en\">";
    if (headEnd >= 0 || htmlEnd >= 0)
        edits.push_back({headEnd >= 0 ? headEnd : htmlEnd, 0, kRespondentHead});
    else
        top += kRespondentHead;
    return applied(page, edits, kRespondentHead.size() + 1024);
}

QByteArray pageWithAnswers(const QByteArray& sentPage, const FormFields& answers, const QString& notice,
                           const FormFields& questionNotes)
{
    const QByteArray lc = sentPage.toLower();
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
        return QByteArrayLiteral("<p class=answer-notice") + (alert ? " role=alert>" : ">") + asciiEscaped(text)
            + "</p>";
    };

    std::vector<Edit> edits;
    // A tick box's or option's own mark, set or cleared.
    const auto mark = [&](const Tag& tag, QByteArrayView flag, bool on) {
        forEachAttribute(lc, tag, [&](const Attribute& a) {
            if (a.name == flag)
                edits.push_back({a.before, a.end - a.before, {}});
            return true;
        });
        if (on)
            edits.push_back({tag.nameEnd, 0, ' ' + flag.toByteArray()});
    };
    // A note goes above its question: before the hidden field announcing it,
    // or else before its first control.
    const auto placeNote = [&](const QString& field, qsizetype at) {
        const auto found = notes.find(field);
        if (found == notes.end())
            return;
        edits.push_back({at, 0, noteParagraph(*found, false)});
        notes.erase(found);
    };
    bool formFound = false;
    struct {
        bool open = false;
        std::optional<QString> answer;
        bool matched = false;
    } menu;

    forEachTag(lc, [&](const Tag& tag) {
        const auto fieldName = [&] { return decoded(valueOf(sentPage, attribute(lc, tag, "name"))); };
        if (tag.name == "form" && !formFound && isFormPostingHere(lc, tag)) {
            formFound = true;
            if (!notice.isEmpty())
                edits.push_back({tag.end + 1, 0, noteParagraph(notice, true)});
        } else if (tag.name == "input") {
            const QByteArrayView type = valueOf(lc, attribute(lc, tag, "type"));
            const QString name = fieldName();
            if (type == "hidden") {
                if (name.endsWith(QLatin1StringView(" Type")))
                    placeNote(name.chopped(5), tag.at);
                return;
            }
            placeNote(name, tag.at);
            const std::optional<Attribute> valueAttribute = attribute(lc, tag, "value");
            const QString value = valueAttribute ? decoded(valueOf(sentPage, valueAttribute)) : QStringLiteral("on");
            if (type == "checkbox") {
                if (const std::optional<QString> answer = nextAnswer(name))
                    mark(tag, "checked", *answer == value || *answer == QLatin1StringView("Checked"));
            } else if (type == "radio") {
                if (!optionGroups.contains(name))
                    optionGroups.insert(name, nextAnswer(name));
                if (const std::optional<QString>& answer = optionGroups.value(name))
                    mark(tag, "checked", *answer == value);
            } else if (isTextInput(type)) {
                if (const std::optional<QString> answer = nextAnswer(name)) {
                    const QByteArray filled = "value='" + asciiEscaped(*answer) + '\'';
                    if (valueAttribute)
                        edits.push_back({valueAttribute->at, valueAttribute->end - valueAttribute->at, filled});
                    else
                        edits.push_back({tag.nameEnd, 0, ' ' + filled});
                }
            }
        } else if (tag.name == "textarea") {
            const QString name = fieldName();
            placeNote(name, tag.at);
            if (const std::optional<QString> answer = nextAnswer(name)) {
                // A browser drops one line break that opens a text area.
                const bool opensWithBreak
                    = answer->startsWith(QLatin1Char('\n')) || answer->startsWith(QLatin1Char('\r'));
                edits.push_back({tag.end + 1, tag.contentEnd - tag.end - 1,
                                 (opensWithBreak ? "\n" : "") + asciiEscaped(*answer)});
            }
        } else if (tag.name == "select") {
            const QString name = fieldName();
            placeNote(name, tag.at);
            menu = {true, nextAnswer(name), false};
        } else if (tag.name == "/select") {
            menu.open = false;
        } else if (tag.name == "option" && menu.open && menu.answer) {
            const std::optional<Attribute> valueAttribute = attribute(lc, tag, "value");
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
            mark(tag, "selected", chosen);
        }
    });
    return applied(sentPage, edits, 512 + 64 * answers.size());
}

} // namespace quenlow
