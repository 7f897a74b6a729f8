// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QGroupBox>

class QLabel;
class QTableWidget;

namespace quenlow {

class FormSession;

/// The reporter's fourth tab, "Frame1(4)": of the people the form invited,
/// how many have answered, and who has not yet (name, code, attributes), to
/// remind them. Read again each time the tab is shown.
class ParticipationPage final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ParticipationPage)

public:
    ParticipationPage(FormSession& session, QWidget* parent);
    ~ParticipationPage() override;

    void showParticipation();

private:
    FormSession& m_session;
    QLabel* m_summary = nullptr;
    QTableWidget* m_notAnswered = nullptr;
};

} // namespace quenlow
