// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

#include <vector>

namespace quenlow {

/// A QR code's modules (error correction M), row by row, without the quiet
/// zone around them. Empty when the text does not fit one code.
class QrModules
{
public:
    explicit QrModules(const QString& text);

    bool isEmpty() const { return m_width == 0; }
    /// Modules on a side.
    int width() const { return m_width; }
    bool dark(int x, int y) const { return m_dark[std::size_t(y) * std::size_t(m_width) + std::size_t(x)]; }

    /// The quiet zone a reader needs around the code, in modules.
    static constexpr int quietZone = 4;

private:
    int m_width = 0;
    std::vector<bool> m_dark;
};

/// The code as a square SVG image, quiet zone included, one unit a module;
/// it scales to whatever box holds it. `label` names it for screen readers.
/// Empty when the text does not fit one code.
QString qrCodeSvg(const QString& text, const QString& label);

} // namespace quenlow
