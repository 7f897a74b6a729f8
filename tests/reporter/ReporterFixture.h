// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswerColumns.h"
#include "database/AnswersDatabase.h"
#include "model/FormSession.h"
#include "support/TestProgramFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace quenlow::test {

/// A form held in a session, with its answers table, built without the
/// designer's windows: questions go straight into the element list and the
/// table, answers straight into the table.
class ReporterFixture
{
public:
    explicit ReporterFixture(const QString& formName = QStringLiteral("survey"))
        : session(folder.path())
    {
        session.openFormName = formName;
        session.openPageFile = formName + QStringLiteral(".html");
        session.setHtmlName(formName + QStringLiteral(".html"));
        QString error;
        if (!createFormTable(folder.database(), table(), &error))
            qFatal("cannot create the form table: %s", qPrintable(error));
        FormMethod header;
        header.methodType = Kind::header();
        header.userInstruction = formName;
        header.attribute6List = {QStringLiteral("Title"), QStringLiteral(" 5 "), QStringLiteral("center"),
                                 QStringLiteral("Marble")};
        append(header);
    }

    QString table() const { return QStringLiteral("tbl_") + session.openFormName; }

    /// Appends an element to the form; question kinds also get their column.
    void add(const QString& kind, const QString& instruction, const QStringList& options = {})
    {
        FormMethod method;
        method.methodType = kind;
        method.userInstruction = instruction;
        if (FormMethod::holdsList(kind))
            method.attribute6List = options;
        append(method);
        if (isQuestionKind(kind)) {
            auto db = database();
            if (!db->addColumn(table(), columnNameFor(instruction), kind == Kind::textArea()))
                qFatal("cannot add column: %s", qPrintable(db->lastError()));
        }
    }

    /// Stores one answer: question texts (fitted to their column names here) and values.
    void answer(const QList<QPair<QString, QString>>& values)
    {
        QList<QPair<QString, QString>> columns;
        for (const auto& [question, value] : values)
            columns.append({columnNameFor(question), value});
        if (database()->insertRow(table(), columns) < 0)
            qFatal("cannot insert an answer");
    }

    std::unique_ptr<AnswersDatabase> database() const
    {
        QString error;
        auto db = AnswersDatabase::open(folder.database(), &error);
        if (!db)
            qFatal("cannot open the test database: %s", qPrintable(error));
        return db;
    }

    TestProgramFolder folder;
    FormSession session;

private:
    void append(const FormMethod& method)
    {
        session.collection.append(QString::number(session.collection.count()), method);
    }
};

/// The child of `parent` called `name`; fails the test when it is missing.
template<typename T> T* child(QObject* parent, const QString& name)
{
    T* found = parent->findChild<T*>(name);
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
    return found;
}

/// Clicks the button `name` of `window`, which must be enabled.
inline void click(QObject* window, const QString& name)
{
    auto* b = child<QAbstractButton>(window, name);
    QVERIFY(b);
    QVERIFY2(b->isEnabled(), qPrintable(name + QStringLiteral(" is disabled")));
    b->click();
}

/// Acts on the next modal window called `name` once it shows, from the event
/// loop of whatever opened it; the destructor fails the test if it never came.
class WhenModal
{
public:
    WhenModal(const QString& name, std::function<void(QWidget*)> act)
        : m_name(name)
        , m_act(std::move(act))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != m_name)
                return;
            m_timer.stop();
            m_ran = true;
            m_act(modal);
        });
        m_timer.start();
    }
    ~WhenModal()
    {
        m_timer.stop();
        if (!m_ran)
            QTest::qFail(qPrintable(QStringLiteral("the window ") + m_name + QStringLiteral(" never showed")),
                         __FILE__, __LINE__);
    }

private:
    QString m_name;
    std::function<void(QWidget*)> m_act;
    QTimer m_timer;
    bool m_ran = false;
};

} // namespace quenlow::test
