// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quenlow {

class FormSession;

/// "Export Answers…" of the reporter: asks where (CSV, XLSX, SPSS, Stata or
/// a codebook page; the file's extension says which), then writes the open
/// form's answers there with a progress window over `parent`, and tells how
/// it went.
void exportAnswersAsAsked(const FormSession& session, QWidget* parent);

/// Test hook: replaces the save dialog of "Export Answers…"; it returns the
/// chosen path (empty: cancelled). nullptr restores the dialog.
void setExportFileChooserForTesting(std::function<QString()> chooser);

} // namespace quenlow
