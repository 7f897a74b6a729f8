// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace quenlow {

/// One posted name and value.
struct FormField {
    QString name;
    QString value;
    friend bool operator==(const FormField&, const FormField&) = default;
};
/// The fields of a post in the order they were sent; a name may repeat.
using FormFields = QList<FormField>;

/// Reads an application/x-www-form-urlencoded body. Refuses a "%" not
/// followed by two hex digits and text that is not UTF-8 (the error's detail
/// says which): guessing there would store something other than what was typed.
Result<FormFields> parseUrlEncoded(QByteArrayView body);

/// Reads a multipart/form-data body (`contentType` names its boundary), the
/// parts in the order sent; a part carrying a file is no answer and is left
/// out. Refuses a body that is not well formed or not UTF-8.
Result<FormFields> parseMultipart(QByteArrayView body, QByteArrayView contentType);

/// True when `contentType` is multipart/form-data.
bool isMultipart(QByteArrayView contentType);

/// "%XY" escapes decoded once; with `plusIsSpace` a "+" is a blank, as in
/// form data. A broken escape stays as it stands.
QByteArray percentDecoded(QByteArrayView text, bool plusIsSpace = false);

/// Strict UTF-8 to text; nothing when the bytes are not UTF-8.
std::optional<QString> strictUtf8(QByteArrayView bytes);

/// The value of the first field named `name`, or nothing.
std::optional<QString> firstValue(const FormFields& fields, const QString& name);

} // namespace quenlow
