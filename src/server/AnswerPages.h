// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/AnswersTableHtml.h"

#include "server/HttpExchange.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace quenlow {

struct PublishedForm;

/// The address the answer page's button asks for the answers table.
QByteArray answersTablePath();

/// The page a person gets after sending a form: thanks, on the form's own
/// background, and the way to the answers table when the designer allows it.
QByteArray thankYouPage(const PublishedForm& form);

/// One column of an answers table as the page shows it.
using TableColumn = AnswersTableHtml::Column;

/// The answers table of a form, laid out like the designer's answers-table
/// page; every name and answer escaped, since strangers wrote them.
QByteArray answersTablePage(const PublishedForm& form, const QString& tableName, const QList<TableColumn>& columns,
                            const QList<QVariantList>& rows);

/// A small page saying what went wrong, and the response that carries it.
HttpResponse errorResponse(int status, const QString& title, const QString& explanation);

} // namespace quenlow
