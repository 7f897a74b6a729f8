// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/LineRule.h"

#include "core/Messages.h"
#include "editors/EditorWindow.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/PageWriter.h"
#include "platform/OutcomeMessages.h"

#include <QCoreApplication>

namespace quenlow {

bool addLineRule(FormSession& session)
{
    if (!hasEditableForm(session)) {
        showExclamation(QCoreApplication::translate(
            "LineRule", "You don't currently have a Form Open to add a Line to."));
        return false;
    }
    if (!tell(session, insertMethod(session, lineRuleMethod())))
        return false;
    tell(session, writeFormPage(session, session.htmlName()));
    return true;
}

} // namespace quenlow
