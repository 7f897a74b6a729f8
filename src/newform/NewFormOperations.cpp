// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "newform/NewFormOperations.h"

#include "core/Messages.h"
#include "database/AnswersStore.h"
#include "model/FormChanges.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "model/HtmlText.h"
#include "model/PageWriter.h"
#include "newform/CreateNewDatabase.h"
#include "platform/OutcomeMessages.h"

#include <QApplication>
#include <QFileInfo>

namespace quenlow {

namespace {

// A creation that stopped before the form's files were written leaves its
// table alone: that very name, no page or collection file, only the table's
// own column and no rows. Creating the form again takes it over.
bool leftByStoppedCreation(
    const FormSession& session, AnswersStore& store, const QString& name, const QString& table)
{
    if (QFileInfo::exists(session.collectionFilePath(name))
        || QFileInfo::exists(session.htmlFolder() + name + QStringLiteral(".html")))
        return false;
    const Result<QStringList> tables = store.tables();
    if (!tables || !tables->contains(table)) // the same name, letter for letter
        return false;
    const auto columns = store.columns(table);
    const Result<qint64> rows = store.rowCount(table);
    return columns && columns->size() == 1 && columns->constFirst().name == QLatin1StringView("Form Question")
        && rows && *rows == 0;
}

// Creates the form's table; every refusal is reported here.
bool createTable(const FormSession& session, const QString& name)
{
    if (!requireAnswersDatabase(session))
        return false;
    const QString table = AnswersStore::tableFor(name);
    const auto store = openAnswersStore(session.databasePath());
    if (!store) {
        showExclamation(QCoreApplication::translate(
            "NewFormOperations", "The answers database '%1' cannot be opened (%2). No form has been created.")
                            .arg(shownLocation(session.databasePath()), store.error().detail));
        return false;
    }
    const Result<void> made = (*store)->createTable(table, QStringLiteral("Form Question"));
    if (made.failedWith(Error::Duplicate)) {
        if (leftByStoppedCreation(session, **store, name, table))
            return true;
        sayFormNameTaken(name);
        return false;
    }
    if (!made) {
        showExclamation(QCoreApplication::translate("NewFormOperations",
            "The table '%1' could not be created in the answers database (%2). No form has been created.")
                            .arg(table, made.error().detail));
        return false;
    }
    return true;
}

} // namespace

bool requireAnswersDatabase(const FormSession& session)
{
    const QString location = session.databasePath();
    const auto present = [&location] {
        return isServerLocation(location) ? openAnswersStore(location).ok() : QFileInfo::exists(location);
    };
    if (present())
        return true;
    // A database server that cannot be reached is no database to create.
    if (isServerLocation(location)) {
        if (const auto opened = openAnswersStore(location); !opened.failedWith(Error::NotFound)) {
            showExclamation(QCoreApplication::translate(
                "NewFormOperations", "The answers database '%1' cannot be opened (%2).")
                                .arg(shownLocation(location), opened.error().detail));
            return false;
        }
    }
    // Missing since start-up (or never created then): offer the same window
    // as at start-up, and go on when the database is there.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    CreateNewDatabase window(location, owner);
    window.exec();
    return present();
}

bool generateForm(FormSession& session, const QString& name, const HeaderInputs& inputs)
{
    // A name already taken is found by creating its table (a stopped creation's table is taken over).
    if (!acceptFormName(session, name, false))
        return false;
    // The table comes first: a refused name must leave the open form as it was.
    if (!createTable(session, name))
        return false;
    // A form that had this name before a rename no longer takes its addresses;
    // one that cannot be written now is told apart by the service all the same.
    static_cast<void>(claimFormName(session, name));

    // One press replaces the open form; it is emptied only now that the new one exists.
    if (!session.collection().isEmpty())
        session.resetOpenForm();
    session.setOpenFormName(name);
    session.setOpenPageFile(name + QStringLiteral(".html"));

    session.setBackground(inputs.backgroundText);
    HeaderSettings settings;
    settings.formName = name;
    settings.title = inputs.title;
    settings.letterSize = inputs.letterSize;
    settings.justification = inputs.justification;
    settings.background = session.backgroundFileName();
    settings.databaseLocation = shownLocation(session.databasePath()); // never a password in a page
    settings.userViewTable = inputs.userViewTable;
    FormMethod header = headerRecord(settings, inputs.backgroundRow, session.elementCounter());
    if (inputs.settings)
        setFormSettings(header, *inputs.settings);
    session.changeableCollection().append(header, QStringLiteral("HTML Header (Can't Remove/Move)"));

    session.setHtmlName(session.openPageFile());
    session.setEditingVisible(true);
    session.setReporterVisible(true);
    tell(session, writeFormPage(session, session.openPageFile()));
    session.setSelectedRow(0);
    return true;
}

bool updateHeader(FormSession& session, const HeaderInputs& inputs)
{
    if (session.collection().isEmpty())
        return false;
    const QString oldTitle = session.collection().atPosition(0).userInstruction;

    session.setBackground(inputs.backgroundText);
    HeaderSettings settings;
    settings.formName = session.openFormName();
    settings.title = inputs.title;
    settings.letterSize = inputs.letterSize;
    settings.justification = inputs.justification;
    settings.background = session.backgroundFileName();
    settings.databaseLocation = inputs.databaseLocation;
    settings.userViewTable = inputs.userViewTable;
    FormMethod header = headerRecord(settings, inputs.backgroundRow, session.elementCounter());
    header.settings = session.collection().atPosition(0).settings;
    // The names the form had before keep leading to it.
    header.formerNames = session.collection().atPosition(0).formerNames;
    if (inputs.settings)
        setFormSettings(header, *inputs.settings);

    const int position = 0;
    if (header.userInstruction != oldTitle) {
        session.changeableCollection().replace(
            position, header, header.userInstruction + QStringLiteral(" (Header)"));
        session.setSelectedRow(position);
    } else {
        session.changeableCollection().replace(position, header);
    }
    tell(session, writeFormPage(session, session.htmlName()));
    return true;
}

} // namespace quenlow
