// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QString>

namespace quenlow {

/// Where the files a program folder starts with come from: the shared files of
/// an installed program (PREFIX/share/quenlow, its executable in PREFIX/bin),
/// else the copies compiled into the program.
QString shippedFiles(const QString& executableFolder);

/// The program folder when none is given: the executable's own folder where
/// the program was built (build/bin), a folder of the person's own
/// (~/.local/share/Quenlow, after XDG_DATA_HOME) when it is installed, since
/// the folder of installed executables is shared and not theirs to write.
QString defaultProgramFolder(const QString& executableFolder);

/// Lays out a program folder: the folder itself, HTML/ with the help page and
/// every background the program ships, Collections/ and Reports/. Only what is
/// missing is made; a file already there is never replaced, so a person's own
/// help page or background stays. The files come from `shipped` (a folder laid
/// out the same way), by default from shippedFiles() of the running program.
/// Fails with what could not be made.
Result<void> layOutProgramFolder(const QString& folder, const QString& shipped = {});

/// True once `folder` has been laid out (it holds Collections/): a folder
/// without it is new, and has had no answers database yet either.
bool isLaidOutProgramFolder(const QString& folder);

} // namespace quenlow
