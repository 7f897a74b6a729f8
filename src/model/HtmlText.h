// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

namespace quenlow {

/// Text placed inside a quoted HTML attribute value: & ' " < > become
/// character references, so the value posts back exactly as typed.
QString escapeAttribute(const QString& text);
/// Text shown as content where markup must not act (answers written by
/// strangers): & < > " ' become character references.
QString escapeHtml(const QString& text);
/// The collection file is line-based: a line break typed or pasted into a
/// box becomes a blank.
QString singleLine(const QString& text);

} // namespace quenlow
