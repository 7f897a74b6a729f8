// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// Reading printed invitations back as a person would: the PDF's pages, its
// text and its QR codes, with tools that did not write it (poppler's).
namespace quenlow::test {

/// The number of pages pdfinfo reports (-1 when it cannot tell).
int pdfPageCount(const QString& pdf);
/// The text pdftotext finds, page after page.
QString pdfText(const QString& pdf);
/// Each page drawn by pdftoppm at `dpi`, in grey.
QList<QImage> pdfPages(const QString& pdf, int dpi);

/// Whether the QR code drawn in `areaMm` (quiet zone included, millimetres
/// from the page's corner) of `page`, drawn at `dpi`, holds `text`: each
/// module's centre is read off the picture and compared with the code of
/// `text`, and the quiet zone must be blank. The reason it does not otherwise.
QString codeMismatch(const QImage& page, const QRectF& areaMm, int dpi, const QString& text);

/// What zbarimg reads off `page`, one text a code; nothing asked when the
/// tool is not installed (`available` false then).
QStringList zbarCodes(const QImage& page, bool* available);

/// Marks the participants of `formName` with `codes` as answered now,
/// as the collection service does when a code answers.
void markAnswered(const QString& location, const QString& formName, const QStringList& codes);

} // namespace quenlow::test
