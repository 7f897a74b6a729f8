// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "platform/WordDocument.h"

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QXmlStreamReader>

// Reading the main part of a word-processing document: its blocks, and where
// additions go. Private to WordDocument.
namespace quenlow::wordml {

struct BodyLayout {
    qsizetype splice = -1;
    bool wBound = false;
    QString namespaceUri;
    bool endsWithTable = false;
    bool hasBlocks = false;
    // An empty body written as one tag ("<w:body/>"): where its "/>" is, and its name.
    qsizetype selfClosingBodyEnd = -1;
    QString bodyName;
};

// The reader's work and memory grow with the depth of the markup, with the
// attributes of one element and with the namespace declarations in force (each
// is searched for every name), and nothing real comes near these limits: a
// document's markup nests a few tens deep even with tables in tables inside
// content controls (256 is also where common XML parsers stop by default); its
// root, the busiest element, declares about 40 namespaces. (Many elements side
// by side cost only in proportion to the part's size, which kMaxUnpackedBytes
// bounds.) A document type declaration is refused outright: no document part
// carries one, and its entities expand a few bytes into gigabytes of text.
inline constexpr int kMaxElementDepth = 256;
inline constexpr int kMaxAttributes = 256; // on one element
inline constexpr int kMaxNamespaceDeclarations = 256; // in force at once

enum class MarkupExcess { None, Depth, Attributes, NamespaceDeclarations, DocumentType };

/// Whether the markup of `part` (its bytes as stored: UTF-8, or UTF-16 with a
/// byte-order mark) stays within the limits above; checked before the part is
/// decoded or parsed, in one pass that stops at the first excess.
MarkupExcess markupExcess(QByteArrayView part);

bool isWordElement(const QXmlStreamReader& reader, QLatin1StringView name);

QString wordAttribute(const QXmlStreamReader& reader, QLatin1StringView name);

QString valAttribute(const QXmlStreamReader& reader);

bool onOffValue(const QXmlStreamReader& reader);

void readRunProperties(QXmlStreamReader& reader, WordFont& font);

/// A run's text and font; the pictures of its drawings go to `pictures` when given.
WordRun readRun(QXmlStreamReader& reader, QStringList* pictures = nullptr);

WordParagraph readParagraph(QXmlStreamReader& reader);

WordTable readTable(QXmlStreamReader& reader);

void readBlocks(QXmlStreamReader& reader, QList<WordBlock>* blocks, BodyLayout& layout, const QString& xml);

Result<void> readMainPart(const QString& xml, BodyLayout& layout, QList<WordBlock>* blocks);

} // namespace quenlow::wordml
