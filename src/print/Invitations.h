// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "database/Participants.h"
#include "model/RespondentTexts.h"

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

namespace quenlow {

struct ExportRequest;

/// The address of the form `pageFile` on a service reached at `base`:
/// `base` itself when it names the page already, else the page under it.
QString formAddressAt(const QString& base, const QString& pageFile);
/// The address a participant opens: the form's address with their code.
QString personalAddress(const QString& formAddress, const QString& code);
/// A code as printed, in groups of four ("ABCD EFGH"): easier to type, and
/// the form takes it back with the blank (`normalizedCode`).
QString groupedCode(const QString& code);

/// What every card of one form says besides the person's name and code.
struct InvitationSheet {
    QString title; // the form's
    QString formAddress; // where it is answered, without a code
    FormLanguage language = FormLanguage::English; // the card's own words
};

/// Cards on an A4 page: two across, four down, with thin lines to cut along.
inline constexpr int kInvitationsPerPage = 8;
/// Where the QR code of the card in `slot` (0 to 7, row by row) is drawn,
/// quiet zone included, in millimetres from the page's top left corner.
QRectF invitationCodeArea(int slot);

/// One card for each of `people`, as a PDF document. Other when an address
/// is too long for a QR code. Needs a QGuiApplication: the painter's fonts.
Result<QByteArray> invitationsPdf(const InvitationSheet& sheet, const QList<Participant>& people);

/// The cards of the form `request.pageFile`'s participants, the form's
/// address taken as `formAddressAt(base, …)`, written to `request.outputPath`
/// as the answers' exports write (whole or not at all, never over the answers
/// or the forms). NotFound when the form has no participants; a failure's
/// detail is a whole sentence. Returns how many cards were written.
Result<qsizetype> exportInvitations(const ExportRequest& request, const QString& base);

} // namespace quenlow
