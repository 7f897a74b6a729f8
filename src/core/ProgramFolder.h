// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

namespace quenlow {

/// Lays out a program folder: the folder itself, HTML/ with the help page and
/// every background the program ships, Collections/ and Reports/. Only what is
/// missing is made; a file already there is never replaced, so a person's own
/// help page or background stays. Returns an empty string, or what failed.
QString layOutProgramFolder(const QString& folder);

} // namespace quenlow
