// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswersStore.h"
#include "database/Participants.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace quenlow {

class FormSession;
struct ParticipantsProblem;

/// Form > "Participants…": the people invited to answer the open form, each
/// with a personal code. Imports them from a CSV file or makes codes without
/// names, lists them with whether they answered, removes them, exports
/// those who have not answered yet, and prints their invitations: a PDF of
/// cards, each with the person's code and address and its QR code.
class ParticipantsForm final : public QDialog
{
    Q_OBJECT
public:
    explicit ParticipantsForm(FormSession& session, QWidget* parent = nullptr);

    /// The address the form is answered at, as the program knows it, for the
    /// invitations; the person may change it.
    void setFormAddress(const QString& address);

    /// Tests answer the file choosers: `save` tells an export from an import.
    using FileChooser = std::function<QString(bool save)>;
    static void setFileChooserForTesting(FileChooser chooser);

    /// The words a person reads for a refused list (also for the scenario driver).
    static QString problemText(const ParticipantsProblem& problem);

private:
    void reload();
    void importList();
    void makeCodes();
    void removeSelected();
    void exportNotAnswered();
    void printInvitations();
    void chooseInvitationsFile();
    QString chooseFile(bool save);

    FormSession& m_session;
    QList<Participant> m_people;
    QTableWidget* m_list = nullptr;
    QSpinBox* m_count = nullptr;
    QLabel* m_summary = nullptr;
    QLineEdit* m_invitationsFile = nullptr;
    QLineEdit* m_formAddress = nullptr;
};

} // namespace quenlow
