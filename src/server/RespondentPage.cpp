// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RespondentPage.h"

#include "model/HtmlText.h"
#include "server/RequestHandler.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <algorithm>
#include <vector>

namespace quenlow {

namespace {

constexpr int kNonceBytes = 16; // 128 random bits
constexpr int kDigestBytes = 16; // of the keyed SHA-256

// Only below a phone's width, so a desktop browser lays the page out as the
// designer saw it. Text inputs at 16 px: phones zoom into anything smaller.
const QByteArray kPhoneHead = QByteArrayLiteral(
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
    "<style>@media (max-width: 40em) {"
    "body { overflow-wrap: anywhere; -webkit-text-size-adjust: 100%; }"
    "input, textarea, select { font-size: 16px; max-width: 100%; box-sizing: border-box; }"
    "input[type=checkbox], input[type=radio] { width: 24px; height: 24px; margin: 4px 6px 4px 0; "
    "vertical-align: middle; }"
    "img, table { max-width: 100%; height: auto; }"
    "}</style>");

// Markup that may stand inside an option's text; any other tag ends it.
bool isInlineTag(QByteArrayView name)
{
    static const QByteArrayView inlineTags[] = {"b", "i", "u", "s", "em", "strong", "font", "span", "small",
                                                "big", "sub", "sup", "tt", "code", "strike", "a"};
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

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// The value of attribute `name` in the tag lc[from, to), located in the page.
Span attribute(const QByteArray& lc, qsizetype from, qsizetype to, QByteArrayView name)
{
    const QByteArrayView tag = QByteArrayView(lc).first(to); // never searched past the tag's end
    qsizetype i = from;
    while ((i = tag.indexOf(name, i)) >= 0) {
        const qsizetype after = i + name.size();
        if (!isSpace(lc.at(i - 1))) {
            i = after;
            continue;
        }
        qsizetype j = after;
        while (j < to && isSpace(lc.at(j)))
            ++j;
        if (j >= to || lc.at(j) != '=') {
            i = after;
            continue;
        }
        ++j;
        while (j < to && isSpace(lc.at(j)))
            ++j;
        Span span;
        if (j < to && (lc.at(j) == '\'' || lc.at(j) == '"')) {
            const qsizetype close = lc.indexOf(lc.at(j), j + 1);
            span = {j + 1, (close < 0 || close > to ? to : close) - j - 1, true};
        } else {
            qsizetype k = j;
            while (k < to && !isSpace(lc.at(k)))
                ++k;
            span = {j, k - j, false};
        }
        return span;
    }
    return {};
}

QByteArrayView valueOf(const QByteArray& lc, const Span& span)
{
    return span.at < 0 ? QByteArrayView() : QByteArrayView(lc).sliced(span.at, span.size);
}

// Characters beyond ASCII as references, so the text fits whatever the page says of its encoding.
QByteArray asciiAttribute(const QString& text)
{
    QByteArray out;
    const QString escaped = escapeAttribute(text);
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

QByteArray pageForRespondents(const QByteArray& page, const QString& formName, const QString& token)
{
    const QByteArray lc = page.toLower(); // ASCII only: positions match the page's
    std::vector<Edit> edits;
    qsizetype headEnd = -1;
    bool formFound = false;
    bool inLabel = false;
    for (qsizetype at = lc.indexOf('<'); at >= 0; at = lc.indexOf('<', at + 1)) {
        if (QByteArrayView(lc).sliced(at).startsWith("<!--")) {
            const qsizetype close = lc.indexOf("-->", at + 4);
            if (close < 0)
                break;
            at = close + 2;
            continue;
        }
        const qsizetype end = tagEnd(lc, at);
        if (end < 0)
            break;
        qsizetype nameEnd = at + 1;
        while (nameEnd < end && !isSpace(lc.at(nameEnd)) && lc.at(nameEnd) != '/' && lc.at(nameEnd) != '>')
            ++nameEnd;
        if (nameEnd == at + 1 && lc.at(nameEnd) == '/') // a closing tag
            for (++nameEnd; nameEnd < end && !isSpace(lc.at(nameEnd)); ++nameEnd) { }
        const QByteArrayView name = QByteArrayView(lc).sliced(at + 1, nameEnd - at - 1);

        if (name == "script" || name == "style") {
            const qsizetype close = lc.indexOf(QByteArray("</" + name.toByteArray()), end);
            if (close < 0)
                break;
            at = close;
            continue;
        }
        if (name == "head" && headEnd < 0) {
            headEnd = end + 1;
        } else if (name == "/h1" && QByteArrayView(lc).sliced(end + 1).startsWith("</title>")) {
            // The designer's page closes its title with "</h1></title>"; inside a
            // title that is text, and browsers would show it in the tab.
            edits.push_back({at, end + 1 - at, {}});
        } else if (name == "label") {
            inLabel = true;
        } else if (name == "/label") {
            inLabel = false;
        } else if (name == "form" && !formFound) {
            if (valueOf(lc, attribute(lc, at, end, "action")).contains(RequestHandler::submissionPath())) {
                formFound = true;
                edits.push_back({end + 1, 0,
                                 "<input type=hidden name=" + submissionTokenField().toLatin1() + " value='"
                                     + token.toLatin1() + "'>"});
            }
        } else if (name == "input") {
            const QByteArrayView type = valueOf(lc, attribute(lc, at, end, "type"));
            const Span fieldName = attribute(lc, at, end, "name");
            if (valueOf(lc, fieldName) == "dblocation") {
                const Span value = attribute(lc, at, end, "value");
                const QByteArray replacement = asciiAttribute(formName);
                if (value.at >= 0)
                    edits.push_back({value.at, value.size, value.quoted ? replacement : "'" + replacement + "'"});
            } else if ((type == "checkbox" || type == "radio") && !inLabel) {
                // Its text runs to the next tag that is not part of a text.
                qsizetype stop = end + 1;
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
                while (textEnd > end + 1 && isSpace(lc.at(textEnd - 1)))
                    --textEnd;
                if (textEnd > end + 1) {
                    edits.push_back({at, 0, QByteArrayLiteral("<label>")});
                    edits.push_back({textEnd, 0, QByteArrayLiteral("</label>")});
                }
            }
        }
        at = end;
    }
    if (!formFound)
        return page;
    edits.push_back({headEnd < 0 ? 0 : headEnd, 0, kPhoneHead});
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });

    QByteArray out;
    out.reserve(page.size() + kPhoneHead.size() + 256);
    qsizetype from = 0;
    for (const Edit& e : edits) {
        out.append(QByteArrayView(page).sliced(from, e.at - from));
        out.append(e.insert);
        from = e.at + e.remove;
    }
    out.append(QByteArrayView(page).sliced(from));
    return out;
}

} // namespace quenlow
