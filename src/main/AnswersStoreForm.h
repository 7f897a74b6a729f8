// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace quenlow {

/// Chooses where the answers are stored: the database in the program folder,
/// or a PostgreSQL database that collection servers elsewhere share.
class AnswersStoreForm final : public QDialog
{
    Q_OBJECT
public:
    /// `current` is the location in use; empty for the program folder's.
    explicit AnswersStoreForm(const QString& current, QWidget* parent = nullptr);

    /// The location chosen; empty for the program folder's database.
    QString location() const;

private:
    void acceptChoice();

    QRadioButton* m_embedded = nullptr;
    QRadioButton* m_server = nullptr;
    QLineEdit* m_address = nullptr;
};

} // namespace quenlow
