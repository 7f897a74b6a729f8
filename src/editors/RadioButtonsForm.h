// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

class QCheckBox;
class QListWidget;

namespace quenlow {

class OptionList;

/// Adds or edits one "Radio Buttons" element: a question and its options.
/// Edit mode is exactly the caption "Edit Radio Buttons"; any other is add mode.
class RadioButtonsForm final : public EditorWindow
{
    Q_OBJECT
public:
    RadioButtonsForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return QStringLiteral("Add Radio Buttons To Form"); }
    static QString editCaption() { return QStringLiteral("Edit Radio Buttons"); }
    void SetDefaultOption(const QString& OptionName);
    /// The option preselected at the moment, or "none".
    QString defaultOption() const;
    void fillForEdit(const FormMethod& method);

private:
    void finish();

    QLineEdit* m_instruction;
    QListWidget* m_list;
    QLineEdit* m_optionInput;
    QCheckBox* m_defaultSelected;
    QPushButton* m_finish;
    QPushButton* m_cancel;
    OptionList* m_options;
};

} // namespace quenlow
