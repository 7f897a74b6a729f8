// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QStringList>

class QWidget;

namespace quenlow {

/// Every text a person can read in `window` as it is shown now, each as
/// "PLACE<tab>TEXT": its title, the texts of its labels, buttons, frames,
/// tabs, combo box entries, menus, list rows, column headings, placeholders
/// and tooltips. PLACE names the control by the object names from the window
/// down (an unnamed one by its class and position), so that the same control
/// has the same place in every language.
QStringList shownTexts(QWidget* window);

} // namespace quenlow
