// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ReporterDatabase.h"

#include <sqlite3.h>

namespace quenlow {

std::unique_ptr<AnswersDatabase> openAnswersDatabase(const QString& path, QString* error)
{
    auto db = AnswersDatabase::open(path, error);
    if (db) {
        sqlite3_db_config(db->handle(), SQLITE_DBCONFIG_DQS_DML, 0, static_cast<int*>(nullptr));
        sqlite3_db_config(db->handle(), SQLITE_DBCONFIG_DQS_DDL, 0, static_cast<int*>(nullptr));
    }
    return db;
}

} // namespace quenlow
