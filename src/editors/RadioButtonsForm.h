// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/OptionListWindow.h"

namespace quenlow {

/// Adds or edits one "Radio Buttons" element: a question and its options.
/// Edit mode is exactly the caption "Edit Radio Buttons"; any other is add mode.
class RadioButtonsForm final : public OptionListWindow
{
    Q_OBJECT
public:
    RadioButtonsForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Radio Buttons To Form"); }
    static QString editCaption() { return tr("Edit Radio Buttons"); }

private:
    std::optional<FormMethod> buildMethod(const QString& instruction) override;
};

} // namespace quenlow
