// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

class QGroupBox;
class QListWidget;

namespace quenlow {

/// Adds or edits one "Ranking" element: a question and the options a person
/// puts in order.
class RankingForm final : public EditorWindow
{
    Q_OBJECT
public:
    RankingForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Ranking To Form"); }
    /// Edit mode for `method`: boxes filled, caption and buttons relabelled.
    void fillForEdit(const FormMethod& method);

private:
    void addOption();
    void removeOption();
    void confirm();

    QLineEdit* m_instruction;
    QGroupBox* m_optionBox;
    QLineEdit* m_optionText;
    QListWidget* m_options;
    QPushButton* m_addOption;
    QPushButton* m_removeOption;
    QPushButton* m_add;
    QPushButton* m_finish;
};

} // namespace quenlow
