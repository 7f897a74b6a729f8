// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "print/Invitations.h"

#include "database/AnswersStore.h"
#include "export/AnswersExport.h"
#include "model/CollectionFile.h"
#include "model/Publication.h"
#include "model/QrCode.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextOption>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

// The page and a card, in millimetres: A4 cut into two columns of four.
constexpr qreal kPageWidth = 210.0;
constexpr qreal kPageHeight = 297.0;
constexpr int kColumns = 2;
constexpr int kRows = kInvitationsPerPage / kColumns;
constexpr qreal kCardWidth = kPageWidth / kColumns;
constexpr qreal kCardHeight = kPageHeight / kRows;
// Inside the edge most printers cannot print near, and away from the cut.
constexpr qreal kPadding = 7.0;
// Large enough for a phone held at arm's length, quiet zone included.
constexpr qreal kCodeSide = 42.0;
constexpr qreal kGap = 4.0;
constexpr int kResolution = 600; // dots an inch: the painter's units

QPointF cardCorner(int slot)
{
    return { (slot % kColumns) * kCardWidth, (slot / kColumns) * kCardHeight };
}

qreal dots(qreal millimetres)
{
    return millimetres * kResolution / 25.4;
}

QRectF dots(const QRectF& millimetres)
{
    return { dots(millimetres.x()), dots(millimetres.y()), dots(millimetres.width()),
        dots(millimetres.height()) };
}

QFont cardFont(qreal points, bool bold = false, bool fixed = false)
{
    QFont font(fixed ? u"Monospace"_s : u"Sans Serif"_s);
    font.setStyleHint(fixed ? QFont::Monospace : QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

/// The modules of `code` as one path of dark runs, filling `area` (quiet
/// zone included): one fill, no seams between neighbouring modules.
void drawCode(QPainter& painter, const QrModules& code, const QRectF& area)
{
    const qreal module = area.width() / (code.width() + 2 * QrModules::quietZone);
    const QPointF origin = area.topLeft() + QPointF(module, module) * QrModules::quietZone;
    QPainterPath path;
    for (int y = 0; y < code.width(); ++y) {
        for (int x = 0; x < code.width();) {
            if (!code.dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < code.width() && code.dark(x, y))
                ++x;
            path.addRect(
                QRectF(origin.x() + start * module, origin.y() + y * module, (x - start) * module, module));
        }
    }
    painter.fillPath(path, Qt::black);
}

/// `text` in `box`, wrapped, cut off at the box's bottom rather than drawn over what follows.
void drawText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
    QTextOption::WrapMode wrap = QTextOption::WordWrap)
{
    painter.setFont(font);
    QTextOption option;
    option.setWrapMode(wrap);
    painter.save();
    painter.setClipRect(box);
    painter.drawText(box, text, option);
    painter.restore();
}

void drawCard(QPainter& painter, int slot, const InvitationSheet& sheet, const Participant& person,
    const QString& address, const QrModules& code)
{
    const QPointF corner = cardCorner(slot);
    const qreal left = corner.x() + kPadding;
    const qreal top = corner.y() + kPadding;
    const qreal textWidth = kCardWidth - 2 * kPadding - kCodeSide - kGap;
    drawCode(painter, code, dots(invitationCodeArea(slot)));

    qreal y = top;
    const auto line = [&](const QString& text, const QFont& font, qreal height) {
        drawText(painter, dots(QRectF(left, y, textWidth, height)), text, font);
        y += height;
    };
    line(sheet.title, cardFont(11, true), 10.5);
    y += 1.5;
    if (!person.name.isEmpty())
        line(person.name, cardFont(12), 6.5);
    y += 2;
    line(respondentText(RespondentText::InvitationCode, sheet.language), cardFont(8), 4);
    line(groupedCode(person.code), cardFont(19, true, true), 9);

    // The address under both, across the card: it may be long.
    y = top + kCodeSide + 1;
    const qreal width = kCardWidth - 2 * kPadding;
    drawText(painter, dots(QRectF(left, y, width, 4)),
        respondentText(RespondentText::InvitationAddress, sheet.language), cardFont(7.5));
    drawText(painter, dots(QRectF(left, y + 4, width, corner.y() + kCardHeight - kPadding + 2 - (y + 4))),
        address, cardFont(8, false, true), QTextOption::WrapAnywhere);
}

void drawCutLines(QPainter& painter)
{
    QPen pen(QColor(0x99, 0x99, 0x99));
    pen.setWidthF(dots(0.15));
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    for (int column = 1; column < kColumns; ++column)
        painter.drawLine(QLineF(dots(column * kCardWidth), 0, dots(column * kCardWidth), dots(kPageHeight)));
    for (int row = 1; row < kRows; ++row)
        painter.drawLine(QLineF(0, dots(row * kCardHeight), dots(kPageWidth), dots(row * kCardHeight)));
    painter.setPen(Qt::black);
}

} // namespace

QString formAddressAt(const QString& base, const QString& pageFile)
{
    QString address = base.trimmed();
    const QString page = QString::fromUtf8(QUrl::toPercentEncoding(pageFile));
    if (address.endsWith(u'/' + page) || address.endsWith(u'/' + pageFile))
        return address;
    while (address.endsWith(u'/'))
        address.chop(1);
    return address + u'/' + page;
}

QString personalAddress(const QString& formAddress, const QString& code)
{
    return formAddress + u"?code="_s + code;
}

QString groupedCode(const QString& code)
{
    QString grouped;
    for (qsizetype i = 0; i < code.size(); i += 4) {
        if (i > 0)
            grouped += u' ';
        grouped += code.mid(i, 4);
    }
    return grouped;
}

QRectF invitationCodeArea(int slot)
{
    const QPointF corner = cardCorner(slot % kInvitationsPerPage);
    return { corner.x() + kCardWidth - kPadding - kCodeSide, corner.y() + kPadding, kCodeSide, kCodeSide };
}

Result<QByteArray> invitationsPdf(const InvitationSheet& sheet, const QList<Participant>& people)
{
    // Every code first: a card that cannot carry its code stops the whole sheet.
    QList<QrModules> codes;
    codes.reserve(people.size());
    for (const Participant& person : people) {
        const QString address = personalAddress(sheet.formAddress, person.code);
        codes.append(QrModules(address));
        if (codes.constLast().isEmpty())
            return Error { Error::Other, u"The address %1 is too long for a QR code."_s.arg(address) };
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setResolution(kResolution);
        writer.setTitle(sheet.title);
        writer.setCreator(u"Quenlow"_s);
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing);
        for (qsizetype i = 0; i < people.size(); ++i) {
            const int slot = int(i % kInvitationsPerPage);
            if (slot == 0) {
                if (i > 0)
                    writer.newPage();
                drawCutLines(painter);
            }
            drawCard(painter, slot, sheet, people.at(i),
                personalAddress(sheet.formAddress, people.at(i).code), codes.at(i));
        }
        painter.end();
    }
    return bytes;
}

Result<qsizetype> exportInvitations(const ExportRequest& request, const QString& base)
{
    const auto failure = [](Error::Kind kind, const QString& why) { return Error { kind, why }; };
    const QString& pageFile = request.pageFile;
    const QString formName = formNameOf(pageFile);
    if (formName.isEmpty() || pageFile.contains(u'/'))
        return failure(Error::Other, u"'%1' is not the file name of a form (NAME.html)."_s.arg(pageFile));
    if (request.outputPath.isEmpty() || request.outputPath == u"-"_s)
        return failure(
            Error::Other, u"Invitations cannot go to standard output; name a file with --output."_s);
    if (!QUrl(base.trimmed(), QUrl::StrictMode).isValid() || QUrl(base.trimmed()).host().isEmpty())
        return failure(Error::Other,
            u"'%1' is not the address the forms are answered at (for example http://192.168.1.20:8080)."_s
                .arg(base));
    const QString collectionPath = request.appFolder + u"/Collections/"_s + formName + u"Collection.txt"_s;
    const ParsedCollection collection = readCollectionFile(collectionPath);
    const std::optional<HeaderFacts> header
        = collection.ok() ? headerFacts(collection.methods) : std::optional<HeaderFacts>();
    if (!header)
        return failure(Error::NotFound,
            u"The form '%1' is unknown: its element list '%2' cannot be read."_s.arg(
                pageFile, QDir::toNativeSeparators(collectionPath)));

    const QString location
        = request.answersStore.isEmpty() ? answersStoreIn(request.appFolder) : request.answersStore;
    auto store = openAnswersStore(location);
    if (!store)
        return failure(Error::Io,
            u"The answers database '%1' cannot be opened (%2)."_s.arg(
                shownLocation(location), store.error().detail));
    const auto people = participantsOf(**store, AnswersStore::tableFor(formName));
    if (!people)
        return failure(people.error().kind,
            u"The participants of the form '%1' cannot be read (%2)."_s.arg(pageFile, people.error().detail));
    if (people->isEmpty())
        return failure(Error::NotFound, u"The form '%1' has no participants to invite."_s.arg(pageFile));

    const auto pdf = invitationsPdf(
        { header->title, formAddressAt(base, pageFile), header->settings.language }, *people);
    if (!pdf)
        return pdf.error();
    if (const Result<void> written = writeExportOutput(request, *pdf); !written)
        return written.error();
    return people->size();
}

} // namespace quenlow
