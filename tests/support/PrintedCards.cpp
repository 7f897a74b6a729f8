// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "support/PrintedCards.h"

#include "database/Participants.h"
#include "model/QrCode.h"
#include "support/TestProgramFolder.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace quenlow::test {

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

int pdfPageCount(const QString& pdf)
{
    const QByteArray info = run(u"pdfinfo"_s, { pdf });
    for (const QByteArray& line : info.split('\n')) {
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

QString pdfText(const QString& pdf)
{
    return QString::fromUtf8(run(u"pdftotext"_s, { u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s }));
}

QList<QImage> pdfPages(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    run(u"pdftoppm"_s,
        { u"-r"_s, QString::number(dpi), u"-gray"_s, u"-png"_s, pdf, dir.filePath(u"page"_s) });
    QList<QImage> pages;
    const QStringList files = QDir(dir.path()).entryList({ u"page*.png"_s }, QDir::Files, QDir::Name);
    for (const QString& file : files)
        pages.append(QImage(dir.filePath(file)).convertToFormat(QImage::Format_Grayscale8));
    return pages;
}

QString codeMismatch(const QImage& page, const QRectF& areaMm, int dpi, const QString& text)
{
    const QrModules code(text);
    if (code.isEmpty())
        return u"no code for %1"_s.arg(text);
    const int side = code.width() + 2 * QrModules::quietZone;
    const qreal module = areaMm.width() / side;
    const auto darkAt = [&](int x, int y) {
        const QPointF centre = areaMm.topLeft() + QPointF(x + 0.5, y + 0.5) * module;
        const QPoint pixel((centre * dpi / 25.4).toPoint());
        return qGray(page.pixel(pixel)) < 128;
    };
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int cx = x - QrModules::quietZone;
            const int cy = y - QrModules::quietZone;
            const bool inside = cx >= 0 && cy >= 0 && cx < code.width() && cy < code.width();
            const bool wanted = inside && code.dark(cx, cy);
            if (darkAt(x, y) != wanted)
                return u"module %1,%2 of the code for %3 is %4"_s.arg(cx).arg(cy).arg(
                    text, wanted ? u"light"_s : u"dark"_s);
        }
    }
    return {};
}

QStringList zbarCodes(const QImage& page, bool* available)
{
    const QString zbar = QStandardPaths::findExecutable(u"zbarimg"_s);
    *available = !zbar.isEmpty();
    if (!*available)
        return {};
    QTemporaryDir dir;
    const QString file = dir.filePath(u"page.png"_s);
    page.save(file);
    QStringList codes;
    for (const QByteArray& line : run(zbar, { u"-q"_s, u"--raw"_s, file }).split('\n')) {
        if (!line.isEmpty())
            codes.append(QString::fromUtf8(line));
    }
    return codes;
}

void markAnswered(const QString& location, const QString& formName, const QStringList& codes)
{
    const auto store = openStore(location);
    QVERIFY(store);
    const QString table = AnswersStore::tableFor(formName);
    auto people = participantsOf(*store, table);
    QVERIFY(people);
    QList<Participant> all = *people;
    QStringList every;
    for (Participant& p : all) {
        every.append(p.code);
        if (codes.contains(p.code)) {
            p.answered = true;
            p.answeredAt = QDateTime::currentDateTimeUtc();
        }
    }
    // Taken out and put back as they were, in their order: the stores keep no other way in.
    QVERIFY(removeParticipants(*store, table, every));
    QVERIFY(addParticipants(*store, table, all));
}

} // namespace quenlow::test
