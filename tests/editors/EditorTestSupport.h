// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

// Helpers shared by the editor tests: a form made without the new-form
// window and the text boxes by objectName.

#include "editors/Editors.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "support/FormFixture.h"
#include "support/ModalStep.h"
#include "support/TestProgramFolder.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace quenlow::test {

/// Adds an element through the model, as an editor would, and writes the page.
inline void addElement(FormSession& session, const FormMethod& method)
{
    if (!insertMethod(session, method))
        qFatal("cannot add %s", qPrintable(method.rowText()));
    if (!writeFormPage(session, session.htmlName()))
        qFatal("cannot write the page");
}

/// A program folder with an open form "survey", a stand-in main window and the editors.
struct EditorEnv {
    TestProgramFolder folder;
    FormSession session { folder.path() };
    QWidget mainWindow;
    Editors editors { session, &mainWindow };

    explicit EditorEnv(int counter = 0)
    {
        createForm(session, QStringLiteral("survey"));
        session.setElementCounter(qint16(counter));
    }
    QByteArray collectionFile() const { return readBytes(folder.collection(QStringLiteral("survey"))); }
    void expectBox() { folder.messages().queueAnswer(MessageAnswer::Ok); }
    FormMethod at(int position) const { return session.collection().atPosition(position); }
};

inline void setBox(QWidget* window, const QString& name, const QString& text)
{
    if (auto* line = window->findChild<QLineEdit*>(name)) {
        line->setText(text);
        return;
    }
    child<QPlainTextEdit>(window, name)->setPlainText(text);
}

inline QString boxText(QWidget* window, const QString& name)
{
    if (auto* line = window->findChild<QLineEdit*>(name))
        return line->text();
    return child<QPlainTextEdit>(window, name)->toPlainText();
}

} // namespace quenlow::test
