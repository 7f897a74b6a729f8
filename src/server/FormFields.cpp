// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/FormFields.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <cstring>

namespace quenlow {

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// The bytes of a urlencoded body that need more than a copy: escapes, the
// blank's "+", the separators, and every byte of a UTF-8 sequence.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> special {};
    special['%'] = special['+'] = special['='] = special['&'] = true;
    for (int c = 0x80; c < 256; ++c)
        special[size_t(c)] = true;
    return special;
}();

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

std::optional<QString> strictUtf8(QByteArrayView bytes)
{
    // Checked first, then converted: a decoder made per field costs more
    // than the whole of a short answer. Most names and answers are ASCII.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (!bytes.isValidUtf8())
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

namespace {

Error malformed(const char* why)
{
    return Error { Error::Other, QString::fromLatin1(why) };
}

// The same names come with every post of a form, and so do many values (the
// kind of each question, a chosen option, a ticked box's "on"): the texts
// made lately are kept by each thread that reads posts and handed out again
// (a shared copy), which spares making each anew. Direct-mapped and
// bounded, so posts of names never seen before only replace entries.
class RecentTexts
{
public:
    QString text(QByteArrayView ascii)
    {
        const qsizetype size = ascii.size();
        if (size < 2 || size > kLongest)
            return QString::fromLatin1(ascii);
        // The length and the first and last eight bytes tell most names apart;
        // a clash only costs the entry.
        quint64 head = 0, tail = 0;
        std::memcpy(&head, ascii.data(), size_t(std::min<qsizetype>(size, 8)));
        std::memcpy(
            &tail, ascii.data() + std::max<qsizetype>(size - 8, 0), size_t(std::min<qsizetype>(size, 8)));
        const quint64 hash = (head * 0x9E3779B97F4A7C15ull) ^ (tail + quint64(size)) * 0xC2B2AE3D27D4EB4Full;
        QString& slot = m_slots[(hash >> 32) % kSlots];
        if (slot.size() != size || QLatin1StringView(ascii) != slot)
            slot = QString::fromLatin1(ascii);
        return slot;
    }

private:
    static constexpr size_t kSlots = 1021;
    static constexpr qsizetype kLongest = 48;
    std::array<QString, kSlots> m_slots;
};

// Decoded bytes as text: most names and answers are ASCII.
std::optional<QString> textOf(QByteArrayView bytes, bool ascii)
{
    thread_local RecentTexts recent;
    return ascii ? std::optional<QString>(recent.text(bytes)) : strictUtf8(bytes);
}

} // namespace

Result<FormFields> parseUrlEncoded(QByteArrayView body)
{
    FormFields fields;
    if (body.isEmpty())
        return fields;
    const char* p = body.data();
    const char* const end = p + body.size();
    qsizetype ampersands = 0;
    for (const char* at = p; (at = static_cast<const char*>(std::memchr(at, '&', size_t(end - at)))); ++at)
        ++ampersands;
    fields.reserve(ampersands + 1);
    // One pass over the body, each piece decoded into the same buffer: this
    // runs for every field of every post. Split by hand so that the order of
    // the fields survives; an escaped "&" or "=" splits nothing. Runs of
    // plain bytes are copied whole.
    QByteArray buffer(body.size(), Qt::Uninitialized);
    char* const decoded = buffer.data();
    for (;;) {
        const char* const pieceStart = p;
        char* to = decoded;
        qsizetype nameLength = -1;
        bool nameAscii = true, ascii = true;
        for (;;) {
            const char* const run = p;
            while (p < end && !kSpecial[static_cast<unsigned char>(*p)])
                ++p;
            std::memcpy(to, run, size_t(p - run));
            to += p - run;
            if (p >= end || *p == '&')
                break;
            char c = *p;
            if (c == '%') {
                if (end - p < 3 || !isHexDigit(p[1]) || !isHexDigit(p[2]))
                    return malformed("a \"%\" in the posted data is not followed by two hexadecimal digits");
                c = char(hexValue(p[1]) * 16 + hexValue(p[2]));
                p += 2;
            } else if (c == '+') {
                c = ' ';
            } else if (c == '=' && nameLength < 0) {
                nameLength = to - decoded;
                nameAscii = ascii;
                ascii = true;
                ++p;
                continue;
            }
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
            *to++ = c;
            ++p;
        }
        if (p > pieceStart) {
            const qsizetype length = to - decoded;
            std::optional<QString> name, value;
            if (nameLength < 0) {
                name = textOf(QByteArrayView(decoded, length), ascii);
                value = QString();
            } else {
                name = textOf(QByteArrayView(decoded, nameLength), nameAscii);
                value = textOf(QByteArrayView(decoded + nameLength, length - nameLength), ascii);
            }
            if (!name || !value)
                return malformed("the posted data is not UTF-8 text");
            fields.append({ std::move(*name), std::move(*value) });
        }
        if (p >= end)
            return fields;
        ++p; // the "&"
    }
}

QByteArray percentDecoded(QByteArrayView text, bool plusIsSpace)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* to = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '%' && i + 2 < text.size() && isHexDigit(text.at(i + 1)) && isHexDigit(text.at(i + 2))) {
            *to++ = char(hexValue(text.at(i + 1)) * 16 + hexValue(text.at(i + 2)));
            i += 2;
        } else {
            *to++ = plusIsSpace && c == '+' ? ' ' : c;
        }
    }
    out.truncate(to - out.data());
    return out;
}

bool isMultipart(QByteArrayView contentType)
{
    const QByteArrayView type = contentType.trimmed();
    const QByteArrayView multipart("multipart/form-data");
    return type.size() >= multipart.size() && qstrnicmp(type.data(), multipart.data(), multipart.size()) == 0;
}

namespace {

// The value of parameter `name` in a header such as
// `form-data; name="a b"; filename="x"`; nothing when absent.
std::optional<QByteArray> headerParameter(QByteArrayView header, QByteArrayView name)
{
    qsizetype at = 0;
    while (at < header.size()) {
        const qsizetype semicolon = header.indexOf(';', at);
        if (semicolon < 0)
            return std::nullopt;
        at = semicolon + 1;
        while (at < header.size() && (header.at(at) == ' ' || header.at(at) == '\t'))
            ++at;
        const qsizetype eq = header.indexOf('=', at);
        if (eq < 0)
            return std::nullopt;
        const QByteArray key = header.sliced(at, eq - at).toByteArray().trimmed().toLower();
        at = eq + 1;
        QByteArray value;
        if (at < header.size() && header.at(at) == '"') {
            ++at;
            while (at < header.size() && header.at(at) != '"') {
                if (header.at(at) == '\\' && at + 1 < header.size())
                    ++at;
                value += header.at(at++);
            }
            ++at;
        } else {
            while (at < header.size() && header.at(at) != ';')
                value += header.at(at++);
            value = value.trimmed();
        }
        if (key == name)
            return value;
    }
    return std::nullopt;
}

// Browsers write a field name into a part's header with these three
// characters escaped (and nothing else).
QByteArray unescapeMultipartName(const QByteArray& name)
{
    if (!name.contains('%'))
        return name;
    QByteArray out = name;
    out.replace("%22", "\"")
        .replace("%0D", "\r")
        .replace("%0d", "\r")
        .replace("%0A", "\n")
        .replace("%0a", "\n");
    return out;
}

} // namespace

Result<FormFields> parseMultipart(QByteArrayView body, QByteArrayView contentType)
{
    const auto refuse = [](const char* why) { return malformed(why); };
    const std::optional<QByteArray> boundary = headerParameter(contentType, "boundary");
    if (!boundary || boundary->isEmpty() || boundary->size() > 200)
        return refuse("the multipart data names no boundary");
    const QByteArray delimiter = "--" + *boundary;
    const QByteArray nextDelimiter = "\r\n" + delimiter;
    qsizetype at = body.indexOf(delimiter);
    if (at < 0)
        return refuse("the multipart data has no parts");
    FormFields fields;
    for (;;) {
        at += delimiter.size();
        if (body.sliced(at).startsWith("--"))
            return fields; // the closing delimiter
        if (!body.sliced(at).startsWith("\r\n"))
            return refuse("the multipart data is not well formed");
        at += 2;
        const qsizetype headEnd = body.indexOf("\r\n\r\n", at);
        if (headEnd < 0)
            return refuse("the multipart data is not well formed");
        std::optional<QByteArray> name;
        bool isFile = false;
        for (const QByteArray& line : body.sliced(at, headEnd - at).toByteArray().split('\n')) {
            const QByteArray trimmed = line.trimmed();
            if (!trimmed.toLower().startsWith("content-disposition:"))
                continue;
            name = headerParameter(trimmed, "name");
            isFile = headerParameter(trimmed, "filename").has_value();
        }
        const qsizetype valueStart = headEnd + 4;
        const qsizetype next = body.indexOf(nextDelimiter, valueStart);
        if (next < 0)
            return refuse("the multipart data is not well formed");
        if (name && !isFile) {
            auto n = strictUtf8(unescapeMultipartName(*name));
            auto v = strictUtf8(body.sliced(valueStart, next - valueStart));
            if (!n || !v)
                return refuse("the posted data is not UTF-8 text");
            fields.append({ std::move(*n), std::move(*v) });
        }
        at = next + 2;
    }
}

std::optional<QString> firstValue(const FormFields& fields, const QString& name)
{
    for (const FormField& f : fields) {
        if (f.name == name)
            return f.value;
    }
    return std::nullopt;
}

} // namespace quenlow
