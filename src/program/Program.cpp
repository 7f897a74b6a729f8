// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/Program.h"

#include "core/Messages.h"
#include "main/MainForm.h"
#include "model/FormSession.h"
#include "newform/CreateNewForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quenlow {

struct Program::Private {
    std::unique_ptr<FormSession> session;
    std::unique_ptr<MainForm> mainForm; // goes before the session it observes
};

namespace {

// The edit command for the kinds that need no element editor; the element
// editors' own dispatch replaces this when they are wired in.
void editWithoutEditors(FormSession& session, QWidget* owner)
{
    const QString key = QString::number(session.selectedRow());
    if (!session.collection.contains(key))
        return;
    const QString kind = session.collection.at(key).methodType;
    if (kind == Kind::header())
        CreateNewForm::editHeader(session, owner);
    else if (kind == Kind::line())
        showExclamation(QStringLiteral("Horizontal Line Rules cannot be edited."));
    else if (kind != Kind::plainText() && kind != Kind::textField() && kind != Kind::textArea()
             && kind != Kind::checkBox() && kind != Kind::radioButtons() && kind != Kind::pullDownMenu()
             && kind != Kind::submitButton())
        showExclamation(QStringLiteral("Field Type Not Recognised"));
}

} // namespace

Program::Program(const QString& appFolder, QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    d->session = std::make_unique<FormSession>(appFolder);
    d->mainForm = std::make_unique<MainForm>(*d->session);

    MainFormHooks hooks;
    hooks.editSelected = [this] { editWithoutEditors(*d->session, d->mainForm.get()); };
    d->mainForm->setHooks(std::move(hooks));
}

Program::~Program() = default;

FormSession& Program::session()
{
    return *d->session;
}

QWidget* Program::mainWindow() const
{
    return d->mainForm.get();
}

void Program::start()
{
    // Exit, or closing the main window, ends the event loop the program runs in.
    connect(d->mainForm.get(), &MainForm::programEnding, this, [] { QCoreApplication::quit(); },
            Qt::QueuedConnection);
    d->mainForm->startUp();
    d->mainForm->show();
}

QString programFolderFromArguments(const QStringList& arguments, QString* error)
{
    QString folder;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1StringView("--app-folder")) {
            if (i + 1 >= arguments.size()) {
                if (error)
                    *error = QStringLiteral("--app-folder needs the folder as its next argument");
                return {};
            }
            folder = arguments.at(++i);
        } else if (argument.startsWith(QLatin1StringView("--app-folder="))) {
            folder = argument.mid(qsizetype(sizeof("--app-folder=") - 1));
        }
    }
    if (folder.isEmpty()) {
        if (QCoreApplication::instance())
            folder = QCoreApplication::applicationDirPath();
        else if (!arguments.isEmpty())
            folder = QFileInfo(arguments.constFirst()).absolutePath();
        else
            folder = QDir::currentPath();
    }
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());

    const QDir root(folder);
    for (const QString& sub : {QString(), QStringLiteral("HTML"), QStringLiteral("Collections"), QStringLiteral("Reports")}) {
        const QString path = sub.isEmpty() ? folder : root.filePath(sub);
        if (!QDir().mkpath(path) || !QFileInfo(path).isDir()) {
            if (error)
                *error = QStringLiteral("the folder %1 cannot be created").arg(path);
            return {};
        }
    }
    return folder;
}

} // namespace quenlow
