// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"
#include "model/AnswerRules.h"

#include <optional>

class QComboBox;

namespace quenlow {

/// Adds or edits one "Text Field" element. Add mode is the caption
/// "Add Text Field To Form"; any other caption is edit mode.
class TextFieldForm final : public EditorWindow
{
    Q_OBJECT
public:
    TextFieldForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Text Field To Form"); }
    /// Edit mode for `method`: boxes filled, caption and buttons relabelled.
    void fillForEdit(const FormMethod& method);

private:
    void confirm();
    AnswerKind kind() const;
    /// Limits enabled for the kinds that have them.
    void showLimits();
    /// The kind and its limits in the stored spelling; nothing, after a
    /// message, when a limit is not of the kind or they are the wrong way round.
    std::optional<AnswerRules> checkedRules();

    QLineEdit* m_instruction;
    QLineEdit* m_boxSize;
    QLineEdit* m_maxChars;
    QLineEdit* m_defaultText;
    QComboBox* m_kind;
    QLineEdit* m_minimum;
    QLineEdit* m_maximum;
    QPushButton* m_add;
    QPushButton* m_finish;
};

} // namespace quenlow
