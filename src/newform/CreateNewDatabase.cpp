// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "newform/CreateNewDatabase.h"

#include "core/Messages.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

CreateNewDatabase::CreateNewDatabase(const QString& databasePath, QWidget* parent)
    : QDialog(parent)
    , m_databasePath(databasePath)
{
    setObjectName(QStringLiteral("CreateNewDatabase"));
    setWindowTitle(tr("Create/Open Database"));
    setModal(true);

    const QString missing = isServerLocation(databasePath)
        ? tr("Sorry, but the answers database '%1' does not hold the tables of answers for the forms yet.")
              .arg(shownLocation(databasePath))
        : tr("Sorry, but the Database 'formAnswers.mdb' required to hold the tables of answers for each "
             "form cannot be found.");
    auto* instruction1 = new QLabel(missing, this);
    instruction1->setObjectName(QStringLiteral("dbNotFoundInstruction1"));
    instruction1->setWordWrap(true);
    auto* instruction2 = new QLabel(tr("To create the database, click the 'Create Database' button."), this);
    instruction2->setObjectName(QStringLiteral("dbNotFoundInstruction2"));
    instruction2->setWordWrap(true);
    auto* create = new QPushButton(tr("Create Database"), this);
    create->setObjectName(QStringLiteral("CreateDatabase"));
    create->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(create);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction1);
    layout->addWidget(instruction2);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    connect(create, &QPushButton::clicked, this, &CreateNewDatabase::createDatabase);
}

void CreateNewDatabase::createDatabase()
{
    if (const Result<void> made = quenlow::createDatabase(m_databasePath); !made) {
        // The window stays: the user may mend the folder and try again, or close it.
        showExclamation(tr("The database '%1' could not be created (%2).")
                            .arg(shownLocation(m_databasePath), made.error().detail));
        return;
    }
    accept();
}

} // namespace quenlow
