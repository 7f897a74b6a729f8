// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/RespondentTexts.h"
#include "server/ResultsTally.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quenlow {

struct PublishedForm;

/// The address of a form's results page: "/results/NAME.html".
QByteArray resultsPathPrefix();

/// The results of `form` for the room: the number of answers and a bar
/// chart per counted question, drawn as SVG so it shows without script;
/// never a typed answer. `present`: large type for a projector.
QByteArray resultsPage(const PublishedForm& form, const ResultsTally::Counts& counts, bool present);

/// What the thank-you page shows beyond the thanks: the receipt, and the
/// ways to another answer and to the results where the form offers them.
QString thankYouExtras(const PublishedForm& form, const QString& receipt);

/// The page of a form that takes no answers now.
QByteArray closedFormPage(const PublishedForm& form);

/// The forms open for answers, each with its title and a link to it.
QByteArray openFormsPage(const QList<PublishedForm>& forms, FormLanguage language);

} // namespace quenlow
