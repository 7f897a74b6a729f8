// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

// Helpers shared by the editor tests: a form made without the new-form
// window, access to controls by objectName, and a driver for modal windows.

#include "database/AnswerColumns.h"
#include "database/AnswersDatabase.h"
#include "editors/Editors.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "support/TestProgramFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace quenlow::test {

/// Opens a new form `name` the way form creation leaves it: its table, its
/// header record, page and collection file.
inline void createTestForm(FormSession& session, const QString& name, int counter = 0)
{
    QString error;
    if (!createFormTable(session.databasePath(), QStringLiteral("tbl_") + name, &error))
        qFatal("cannot create the form table: %s", qPrintable(error));
    FormMethod header;
    header.methodType = QStringLiteral("Header");
    header.userInstruction = name + QStringLiteral(" title");
    header.htmlCode
        = QStringLiteral("<HTML><TITLE>") + name + QStringLiteral("</TITLE><BODY><FORM METHOD=POST>");
    header.attribute4 = QStringLiteral("3");
    header.attribute5 = QStringLiteral("Left");
    header.attribute6List = { printNumber(1), printNumber(0), session.databasePath(), printNumber(counter) };
    session.collection.append(QStringLiteral("0"), header, QStringLiteral("HTML Header (Can't Remove/Move)"));
    session.elementCounter = qint16(counter);
    session.openFormName = name;
    session.openPageFile = name + QStringLiteral(".html");
    session.setHtmlName(name + QStringLiteral(".html"));
    WriteFormPage(session, session.htmlName());
}

/// Adds an element through the model, as an editor would, and writes the page.
inline void addElement(FormSession& session, const FormMethod& method)
{
    if (!InsertMethod(session, method))
        qFatal("cannot add %s", qPrintable(method.rowText()));
    WriteFormPage(session, session.htmlName());
}

inline QStringList columnNames(const FormSession& session)
{
    QStringList names;
    auto db = AnswersDatabase::open(session.databasePath());
    if (db) {
        for (const auto& column : db->columns(QStringLiteral("tbl_") + session.openFormName))
            names.append(column.name);
    }
    return names;
}

/// A program folder with an open form "survey", a stand-in main window and the editors.
struct EditorEnv {
    TestProgramFolder folder;
    FormSession session { folder.path() };
    QWidget mainWindow;
    Editors editors { session, &mainWindow };

    explicit EditorEnv(int counter = 0) { createTestForm(session, QStringLiteral("survey"), counter); }
    QByteArray collectionFile() const { return readBytes(folder.collection(QStringLiteral("survey"))); }
    void expectBox() { folder.messages().queueAnswer(MessageAnswer::Ok); }
    FormMethod at(int position) const { return session.collection.atPosition(position); }
};

/// The child `name` of `window` as T; aborts the test clearly when missing.
template <typename T> T* control(QWidget* window, const QString& name)
{
    T* found = window ? window->findChild<T*>(name) : nullptr;
    if (!found)
        qFatal("control %s missing or of another kind", qPrintable(name));
    return found;
}

inline void setBox(QWidget* window, const QString& name, const QString& text)
{
    if (auto* line = window->findChild<QLineEdit*>(name)) {
        line->setText(text);
        return;
    }
    control<QPlainTextEdit>(window, name)->setPlainText(text);
}

inline QString boxText(QWidget* window, const QString& name)
{
    if (auto* line = window->findChild<QLineEdit*>(name))
        return line->text();
    return control<QPlainTextEdit>(window, name)->toPlainText();
}

/// Clicks a visible, enabled button of `window`.
inline void click(QWidget* window, const QString& name)
{
    auto* button = control<QAbstractButton>(window, name);
    if (!button->isVisible() || !button->isEnabled())
        qFatal("button %s cannot be clicked", qPrintable(name));
    button->click();
}

/// What happened to a modal window driven by runModal.
struct ModalRun {
    bool appeared = false;
    bool leftOpen = false; // still open after the actions (then closed by the driver)
    QString name;
};

struct ModalState {
    ModalRun run;
    bool finished = false;
    std::function<void(QDialog*)> act;
};

inline void pollModal(const std::shared_ptr<ModalState>& state, int tries)
{
    if (state->finished)
        return;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
        if (tries > 0)
            QTimer::singleShot(10, qApp, [state, tries] { pollModal(state, tries - 1); });
        return;
    }
    state->run.appeared = true;
    state->run.name = dialog->objectName();
    QPointer<QDialog> guard(dialog);
    state->act(dialog);
    if (guard && guard->isVisible()) {
        state->run.leftOpen = true;
        guard->close();
    }
}

/// Calls `open`, which shows a modal window and returns when it closes; acts
/// on that window with `act` from inside its event loop. A window that is
/// still open afterwards is recorded as left open and closed.
inline ModalRun runModal(const std::function<void()>& open, const std::function<void(QDialog*)>& act)
{
    auto state = std::make_shared<ModalState>();
    state->act = act;
    QTimer::singleShot(0, qApp, [state] { pollModal(state, 200); });
    open();
    state->finished = true;
    return state->run;
}

} // namespace quenlow::test
