// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

namespace quenlow {

/// The version every executable prints for --version: the project's version
/// and the commit it was built from, for example "1.0 (commit 1a2b3c4d5e6f)".
/// Defined in a file the build writes (quenlow_version), so that only the
/// executables are linked again when the commit changes.
QString versionText();

} // namespace quenlow
