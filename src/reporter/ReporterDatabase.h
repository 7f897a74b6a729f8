// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswersDatabase.h"

#include <memory>

namespace quenlow {

/// Opens the answers database for reading answers by column name. SQLite by
/// default takes a double-quoted name that matches no column for a string
/// literal, so a question whose column is gone would read its own name as
/// every answer (and a check box column called "Checked" would count every
/// row as checked). This connection refuses such names instead.
std::unique_ptr<AnswersDatabase> openAnswersDatabase(const QString& path, QString* error = nullptr);

} // namespace quenlow
