// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "platform/WordDocument.h"

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

bool isWordElement(const QXmlStreamReader& reader, QLatin1StringView name);

QString wordAttribute(const QXmlStreamReader& reader, QLatin1StringView name);

QString valAttribute(const QXmlStreamReader& reader);

bool onOffValue(const QXmlStreamReader& reader);

void readRunProperties(QXmlStreamReader& reader, WordFont& font);

WordRun readRun(QXmlStreamReader& reader);

WordParagraph readParagraph(QXmlStreamReader& reader);

WordTable readTable(QXmlStreamReader& reader);

void readBlocks(QXmlStreamReader& reader, QList<WordBlock>* blocks, BodyLayout& layout, const QString& xml);

Result<void> readMainPart(const QString& xml, BodyLayout& layout, QList<WordBlock>* blocks);

} // namespace quenlow::wordml
