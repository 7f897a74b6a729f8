// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

class QComboBox;

namespace quenlow {

/// Adds or edits one "Scale" element: a question answered by one number
/// from a low to a high end, each end with a label.
class ScaleForm final : public EditorWindow
{
    Q_OBJECT
public:
    ScaleForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Scale To Form"); }
    /// Edit mode for `method`: boxes filled, caption and buttons relabelled.
    void fillForEdit(const FormMethod& method);

private:
    void confirm();

    QLineEdit* m_instruction;
    QComboBox* m_from;
    QComboBox* m_to;
    QLineEdit* m_lowLabel;
    QLineEdit* m_highLabel;
    QPushButton* m_add;
    QPushButton* m_finish;
};

} // namespace quenlow
