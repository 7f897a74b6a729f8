// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "platform/WordDocument.h"

#include <QString>
#include <QStringView>

// Writing the XML of what is added to a word-processing document. Private to
// WordDocument.
namespace quenlow::wordml {

bool isXmlCharacter(char32_t c);

QString cleanTypedText(const QString& text);

void appendEscaped(QString& out, QStringView text);

void appendTextElement(QString& out, QStringView text);

void appendRun(QString& out, const WordRun& run);

void appendParagraph(QString& out, const WordParagraph& paragraph, QStringView namespaceDeclaration = {});

void appendTable(QString& out, const WordTable& table, QStringView namespaceDeclaration);

WordCell emptyCell();

} // namespace quenlow::wordml
