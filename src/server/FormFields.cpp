// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/FormFields.h"

#include <QStringDecoder>

#include <algorithm>

#include <httplib.h>

namespace quenlow {

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The library's decoder leaves a broken escape as it stands; we want to know.
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
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<FormFields> parseUrlEncoded(QByteArrayView body, QString* error)
{
    const auto refuse = [error](const char* why) {
        if (error)
            *error = QString::fromLatin1(why);
        return std::nullopt;
    };
    if (!percentEncodingIsValid(body))
        return refuse("a \"%\" in the posted data is not followed by two hexadecimal digits");

    FormFields fields;
    if (body.isEmpty())
        return fields;
    bool utf8 = true;
    // Split by hand so that the order of the fields survives; each piece is
    // decoded by the HTTP library exactly as it decodes its own queries.
    httplib::detail::split(body.data(), body.data() + body.size(), '&', [&](const char* b, const char* e) {
        if (!utf8 || b == e)
            return;
        const char* eq = std::find(b, e, '=');
        const std::string name = httplib::detail::decode_url(std::string(b, eq), true);
        const std::string value = eq == e ? std::string() : httplib::detail::decode_url(std::string(eq + 1, e), true);
        auto n = strictUtf8(QByteArrayView(name.data(), qsizetype(name.size())));
        auto v = strictUtf8(QByteArrayView(value.data(), qsizetype(value.size())));
        if (!n || !v) {
            utf8 = false;
            return;
        }
        fields.append({std::move(*n), std::move(*v)});
    });
    if (!utf8)
        return refuse("the posted data is not UTF-8 text");
    return fields;
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
