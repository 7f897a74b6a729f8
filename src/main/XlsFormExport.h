// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quenlow {

class FormSession;

/// Form > "Export as XLSForm…": asks where, writes the open form there as an
/// XLSForm workbook (whole or not at all) and says how it went.
void exportOpenFormAsXlsForm(const FormSession& session, QWidget* parent);

/// Test hook: replaces the save dialog; it returns the chosen path (empty:
/// cancelled). nullptr restores the dialog.
void setXlsFormFileChooserForTesting(std::function<QString()> chooser);

} // namespace quenlow
