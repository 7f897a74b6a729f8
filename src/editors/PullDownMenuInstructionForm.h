// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/OptionListWindow.h"

namespace quenlow {

/// Adds or edits one "Pull Down Menu" element. Edit mode is exactly the
/// caption "Edit Pull-Down Menu"; any other is add mode.
class PullDownMenuInstructionForm final : public OptionListWindow
{
    Q_OBJECT
public:
    PullDownMenuInstructionForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Pull-Down Menu To Form"); }
    static QString editCaption() { return tr("Edit Pull-Down Menu"); }
    void fillForEdit(const FormMethod& method) override;

private:
    std::optional<FormMethod> buildMethod(const QString& instruction) override;

    QLineEdit* m_noToDisplay;
};

} // namespace quenlow
