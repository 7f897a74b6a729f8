// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/AnswersTableHtml.h"
#include "model/RespondentTexts.h"

#include "server/HttpExchange.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

namespace quenlow {

struct PublishedForm;

/// The address the answer page's button asks for the answers table.
QByteArray answersTablePath();

/// The page a person gets after sending a form: thanks, on the form's own
/// background, and the way to the answers table when the designer allows it.
/// `updated`: the same page was sent before with other answers, now replaced.
/// `receipt`, when given, is shown so the person can name the answer later.
/// With the page's `token`, "Change your answers" opens the form again with
/// it, so that what is sent then replaces these answers.
/// An invited person's `code` goes with it in that link.
QByteArray thankYouPage(const PublishedForm& form, bool updated = false, const QString& receipt = {},
    const QString& token = {}, const QString& code = {});

/// The page of a form only invited people answer that asks for the code:
/// `said` above one box and a button that opens the form's page with it.
QByteArray codePage(const PublishedForm& form, RespondentText said);

/// One column of an answers table as the page shows it.
using TableColumn = AnswersTableHtml::Column;

/// The rows of a table: calls the visitor once per row, in order, until it
/// returns false. False when the rows could not be read to the end.
using RowSource = std::function<bool(const std::function<bool(const QVariantList&)>& visitor)>;

/// The answers table of a form, laid out like the designer's answers-table
/// page; every name and answer escaped, since strangers wrote them. Written
/// to `sink` in pieces as the rows are read, so a table of any size costs
/// one piece of memory. False when the sink refused a piece or the rows
/// ended early (the page then says so at its end).
bool writeAnswersTablePage(const PublishedForm& form, const QString& tableName,
    const QList<TableColumn>& columns, const RowSource& rows, const ChunkSink& sink);

/// A text of the service's own as page content: & < > escaped, quotes kept.
QString respondentContent(const QString& text);

/// A small page saying what went wrong, and the response that carries it.
HttpResponse errorResponse(int status, const QString& title, const QString& explanation,
    FormLanguage language = FormLanguage::English);

} // namespace quenlow
