// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QDialog>

namespace quenlow {

/// Shown at start-up when the answers database cannot be opened: offers to
/// create it. Closing it without creating leaves the program running; the
/// commands that need the database then say that it is missing.
class CreateNewDatabase final : public QDialog
{
    Q_OBJECT
public:
    CreateNewDatabase(const QString& databasePath, QWidget* parent = nullptr);

private:
    void createDatabase();

    QString m_databasePath;
};

} // namespace quenlow
