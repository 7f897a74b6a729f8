// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "support/FormFixture.h"

#include "database/AnswerColumns.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"

#include <QTest>

namespace quenlow::test {

namespace {

// A header record as the new-form window builds one (background Marble,
// table view allowed, the session's counter), with a simple fragment.
FormMethod headerRecord(const FormSession& session, const QString& formName, const QString& title)
{
    FormMethod header;
    header.methodType = Kind::header();
    header.userInstruction = title;
    header.htmlCode = QStringLiteral("<html><head><title>") + title + QStringLiteral("</h1></title><FORM name='")
        + title + QStringLiteral("' method=post action='/scripts/save.asp'><input type=hidden name=tableName value='tbl_")
        + formName + QStringLiteral("'>");
    header.attribute4 = QStringLiteral("7");
    header.attribute5 = QStringLiteral("Centre");
    header.attribute6List = {printNumber(1), printNumber(1), session.databasePath(), printNumber(session.elementCounter)};
    return header;
}

} // namespace

void createForm(FormSession& session, const QString& name, const QString& title)
{
    if (const Result<void> made = createFormTable(session.databasePath(), QStringLiteral("tbl_") + name); !made)
        QTest::qFail(qPrintable(QStringLiteral("cannot create the table: ") + made.error().detail), __FILE__, __LINE__);
    session.ResetOpenForm();
    session.openFormName = name;
    session.openPageFile = name + QStringLiteral(".html");
    session.collection.append(QStringLiteral("0"), headerRecord(session, name, title),
                              QStringLiteral("HTML Header (Can't Remove/Move)"));
    session.setHtmlName(session.openPageFile);
    WriteFormPage(session, session.openPageFile);
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
