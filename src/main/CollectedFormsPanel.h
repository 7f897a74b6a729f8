// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QWidget>

#include <functional>

class QPushButton;
class QTableWidget;
class QTimer;

namespace quenlow {

class FormSession;

/// The forms of the program folder while answers are collected: each one's
/// state (open, closed, closed by its time, full), its number of answers, how
/// many of those it invited have answered, and the address it is answered
/// at; a button closes or opens the chosen one.
/// The numbers follow the answers as they arrive.
class CollectedFormsPanel final : public QWidget
{
    Q_OBJECT
public:
    /// `addressOf` gives the address a form's page is answered at.
    CollectedFormsPanel(FormSession& session, std::function<QString(const QString& form)> addressOf,
        QWidget* parent = nullptr);

    /// Reads the forms and their numbers again, the chosen row kept.
    void refresh();

private:
    QString chosenForm() const;
    void followChoice();
    void closeOrOpen();

    FormSession& m_session;
    std::function<QString(const QString&)> m_addressOf;
    QTableWidget* m_table = nullptr;
    QPushButton* m_closeOrOpen = nullptr;
    QTimer* m_refresh = nullptr;
};

} // namespace quenlow
