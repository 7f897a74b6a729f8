// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

class QCheckBox;
class QListWidget;

namespace quenlow {

class OptionList;

/// Adds or edits one "Pull Down Menu" element. Edit mode is exactly the
/// caption "Edit Pull-Down Menu"; any other is add mode.
class PullDownMenuInstructionForm final : public EditorWindow
{
    Q_OBJECT
public:
    PullDownMenuInstructionForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return QStringLiteral("Add Pull-Down Menu To Form"); }
    static QString editCaption() { return QStringLiteral("Edit Pull-Down Menu"); }
    void SetDefaultOption(const QString& OptionName);
    /// The option preselected at the moment, or "none".
    QString defaultOption() const;
    void fillForEdit(const FormMethod& method);

private:
    void finish();

    QLineEdit* m_instruction;
    QLineEdit* m_noToDisplay;
    QListWidget* m_list;
    QLineEdit* m_optionInput;
    QCheckBox* m_defaultSelected;
    QPushButton* m_finish;
    QPushButton* m_cancel;
    OptionList* m_options;
};

} // namespace quenlow
