// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/QrCode.h"

#include "model/HtmlText.h"

#include <qrencode.h>

#include <memory>

namespace quenlow {

QrModules::QrModules(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code)
        return;
    m_width = code->width;
    m_dark.resize(std::size_t(m_width) * std::size_t(m_width));
    for (std::size_t i = 0; i < m_dark.size(); ++i)
        m_dark[i] = (code->data[i] & 1) != 0;
}

QString qrCodeSvg(const QString& text, const QString& label)
{
    const QrModules code(text);
    if (code.isEmpty())
        return {};
    const int side = code.width() + 2 * QrModules::quietZone;
    // One path of unit squares, each row's dark runs joined: small enough to
    // send with every refresh of a page.
    QString path;
    for (int y = 0; y < code.width(); ++y) {
        for (int x = 0; x < code.width();) {
            if (!code.dark(x, y)) {
                ++x;
                continue;
            }
            int run = 1;
            while (x + run < code.width() && code.dark(x + run, y))
                ++run;
            path += QStringLiteral("M%1 %2h%3v1h-%3z")
                        .arg(x + QrModules::quietZone)
                        .arg(y + QrModules::quietZone)
                        .arg(run);
            x += run;
        }
    }
    return QStringLiteral("<svg class=qr viewBox='0 0 %1 %1' role='img' aria-label='%2' "
                          "xmlns='http://www.w3.org/2000/svg' shape-rendering='crispEdges'>"
                          "<rect width='%1' height='%1' fill='#fff'/><path fill='#000' d='%3'/></svg>")
        .arg(side)
        .arg(escapeAttribute(label), path);
}

} // namespace quenlow
