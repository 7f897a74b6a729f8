// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ReporterDatabase.h"

namespace quenlow {

std::unique_ptr<AnswersDatabase> openAnswersDatabase(const QString& path, QString* error)
{
    // The connection settings (no double-quoted strings among them) are applied on opening.
    return AnswersDatabase::open(path, error);
}

} // namespace quenlow
