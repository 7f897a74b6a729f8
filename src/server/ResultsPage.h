// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/RespondentTexts.h"
#include "server/ResultsTally.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace quenlow {

struct PublishedForm;

/// The address of a form's results page: "/results/NAME.html".
QByteArray resultsPathPrefix();

/// The results of `form` for the room: the number of answers and a bar
/// chart per counted question, drawn as SVG so it shows without script;
/// of the answers typed, only those after "Other:" that two answers at
/// least gave alike, as the designer's charts show them. Its script fetches it again every few seconds and
/// says so on the page when that fails.
QByteArray resultsPage(const PublishedForm& form, const ResultsTally::Counts& counts);

/// The charts a projector shows at once; more are paged through.
inline constexpr int kChartsOnProjector = 12;

/// What the projector's page shows beyond the charts.
struct ProjectorView {
    int page = 1; // of the charts, a screenful at a time; 1 is the first
    QString formAddress; // where the room answers, shown with its QR code; empty: not shown
};

/// The results of `form` on one screen without scrolling: a page of charts
/// laid out in columns and scaled to the screen, the form's address and its
/// code in a corner; the page turns every ten seconds.
QByteArray projectorPage(
    const PublishedForm& form, const ResultsTally::Counts& counts, const ProjectorView& view);

/// The columns and rows the projector lays charts of `bars` bars out in, so
/// that the tallest is drawn as large as a 16:9 screen allows.
std::pair<int, int> projectorGrid(const QList<qsizetype>& bars);

/// What the thank-you page shows beyond the thanks: the receipt, and the
/// ways to another answer and to the results where the form offers them.
QString thankYouExtras(const PublishedForm& form, const QString& receipt);
/// The receipt's line of it; empty without one.
QString receiptLine(const PublishedForm& form, const QString& receipt);

/// The page of a form that takes no answers now.
QByteArray closedFormPage(const PublishedForm& form);
/// The page of a post refused because a quota its answers fall into is full.
QByteArray quotaFullPage(const PublishedForm& form);

/// The forms open for answers, each with its title and a link to it.
QByteArray openFormsPage(const QList<PublishedForm>& forms, FormLanguage language);

} // namespace quenlow
