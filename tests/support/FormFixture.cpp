// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "support/FormFixture.h"

#include "model/FormSession.h"
#include "support/FormBuilder.h"

#include <QTest>

namespace quenlow::test {

void createForm(FormSession& session, const QString& name, const QString& title)
{
    // Background Marble and the table view allowed, as the new-form window's defaults.
    FormBuilder(session.appFolder(), name)
        .title(title)
        .showsAnswersTable(true)
        .databaseLocation(session.databasePath())
        .answersIn(session.databasePath())
        .openIn(session);
}

FormMethod element(ElementKind kind, const QString& instruction, const QStringList& options)
{
    FormMethod m;
    m.kind = kind;
    m.userInstruction = instruction;
    m.htmlCode = QStringLiteral("<P>[") + storedName(kind) + QStringLiteral("] ") + instruction;
    if (holdsOptionList(kind)) {
        m.attribute5 = QStringLiteral("none");
        m.attribute6List = options;
    }
    return m;
}

} // namespace quenlow::test
