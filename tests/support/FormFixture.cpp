// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "support/FormFixture.h"

#include "database/AnswerColumns.h"
#include "model/Backgrounds.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"

#include <QTest>

namespace quenlow::test {

namespace {

// A header record as the new-form window builds one (background Marble,
// table view allowed, the session's counter).
FormMethod headerFor(const FormSession& session, const QString& formName, const QString& title)
{
    HeaderSettings s;
    s.formName = formName;
    s.title = title;
    s.letterSize = QStringLiteral("7");
    s.justification = QStringLiteral("Centre");
    s.background = backgroundImageFor(backgroundChoices().value(1));
    s.databaseLocation = session.databasePath();
    s.userViewTable = true;
    return headerRecord(s, 1, session.elementCounter);
}

} // namespace

void createForm(FormSession& session, const QString& name, const QString& title)
{
    QString error;
    if (!createFormTable(session.databasePath(), QStringLiteral("tbl_") + name, &error))
        QTest::qFail(qPrintable(QStringLiteral("cannot create the table: ") + error), __FILE__, __LINE__);
    session.ResetOpenForm();
    session.openFormName = name;
    session.openPageFile = name + QStringLiteral(".html");
    session.collection.append(QStringLiteral("0"), headerFor(session, name, title),
                              QStringLiteral("HTML Header (Can't Remove/Move)"));
    session.setHtmlName(session.openPageFile);
    if (!WriteFormPage(session, session.openPageFile))
        QTest::qFail("cannot write the page", __FILE__, __LINE__);
    session.setSelectedRow(0);
}

FormMethod element(const QString& kind, const QString& instruction, const QStringList& options)
{
    FormMethod m;
    m.methodType = kind;
    m.userInstruction = instruction;
    m.htmlCode = QStringLiteral("<P>[") + kind + QStringLiteral("] ") + instruction;
    if (FormMethod::holdsList(kind)) {
        m.attribute5 = QStringLiteral("none");
        m.attribute6List = options;
    }
    return m;
}

} // namespace quenlow::test
