// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/ServedScripts.h"

#include "server/ChoiceScript.h"
#include "server/ConditionScript.h"
#include "server/PagingScript.h"
#include "server/RankingScript.h"
#include "server/RoomScript.h"

#include <array>

namespace quenlow {

std::optional<QByteArray> servedScript(QByteArrayView path)
{
    struct Served {
        QByteArray path;
        QByteArray (*script)();
    };
    static const std::array<Served, 6> scripts { {
        { formPageScriptPath(), formPageScript },
        { resultsScriptPath(), resultsScript },
        { conditionScriptPath(), conditionScript },
        { pagingScriptPath(), pagingScript },
        { choiceScriptPath(), choiceScript },
        { rankingScriptPath(), rankingScript },
    } };
    for (const Served& served : scripts) {
        if (path == served.path)
            return served.script();
    }
    return std::nullopt;
}

QByteArray deferredScriptTag(QByteArrayView path, const QByteArray& attributes)
{
    return "<script src=\"" + path.toByteArray() + "\" defer" + attributes + "></script>";
}

} // namespace quenlow
