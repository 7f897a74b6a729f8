// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

namespace quenlow {

/// Adds or edits one "Text Area" element. Add mode is the caption
/// "Add Text Area To Form"; any other caption is edit mode.
class TextAreaForm final : public EditorWindow
{
    Q_OBJECT
public:
    TextAreaForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Text Area To Form"); }
    void fillForEdit(const FormMethod& method);

private:
    void confirm();

    QLineEdit* m_instruction;
    QLineEdit* m_rows;
    QLineEdit* m_width;
    QLineEdit* m_defaultText;
    QPushButton* m_add;
    QPushButton* m_finish;
};

} // namespace quenlow
