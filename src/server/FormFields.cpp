// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/FormFields.h"

#include <QByteArrayView>

#include <algorithm>

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

// The decoder leaves a broken escape as it stands; a post with one is refused.
bool percentEncodingIsValid(QByteArrayView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != '%')
            continue;
        if (i + 2 >= text.size() || !isHexDigit(text.at(i + 1)) || !isHexDigit(text.at(i + 2)))
            return false;
        i += 2;
    }
    return true;
}

} // namespace

std::optional<QString> strictUtf8(QByteArrayView bytes)
{
    // Checked first, then converted: a decoder made per field costs more
    // than the whole of a short answer.
    if (!bytes.isValidUtf8())
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

namespace {

Error malformed(const char* why)
{
    return Error { Error::Other, QString::fromLatin1(why) };
}

// A name or value of a urlencoded body as text; most need no decoding.
std::optional<QString> decodedPiece(QByteArrayView piece)
{
    if (piece.indexOf('%') < 0 && piece.indexOf('+') < 0)
        return strictUtf8(piece);
    return strictUtf8(percentDecoded(piece, true));
}

} // namespace

Result<FormFields> parseUrlEncoded(QByteArrayView body)
{
    if (!percentEncodingIsValid(body))
        return malformed("a \"%\" in the posted data is not followed by two hexadecimal digits");

    FormFields fields;
    if (body.isEmpty())
        return fields;
    fields.reserve(body.count('&') + 1);
    // Split by hand so that the order of the fields survives.
    for (qsizetype at = 0; at <= body.size();) {
        qsizetype end = body.indexOf('&', at);
        if (end < 0)
            end = body.size();
        const QByteArrayView piece = body.sliced(at, end - at);
        at = end + 1;
        if (piece.isEmpty())
            continue;
        const qsizetype eq = piece.indexOf('=');
        auto n = decodedPiece(eq < 0 ? piece : piece.first(eq));
        auto v = eq < 0 ? std::optional<QString>(QString()) : decodedPiece(piece.sliced(eq + 1));
        if (!n || !v)
            return malformed("the posted data is not UTF-8 text");
        fields.append({ std::move(*n), std::move(*v) });
    }
    return fields;
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
    const QByteArray type = contentType.toByteArray().trimmed().toLower();
    return type.startsWith("multipart/form-data");
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
