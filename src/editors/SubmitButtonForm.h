// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

class QCheckBox;

namespace quenlow {

/// Adds or edits the "Submit Button" element (with an optional reset button).
/// Add mode is the caption "Add Submit Button To Form"; any other is edit mode.
class SubmitButtonForm final : public EditorWindow
{
    Q_OBJECT
public:
    SubmitButtonForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Submit Button To Form"); }
    void fillForEdit(const FormMethod& method);

private:
    void confirm();

    QLineEdit* m_submitTitle;
    QLineEdit* m_resetTitle;
    QCheckBox* m_resetCheck;
    QPushButton* m_add;
    QPushButton* m_cancel;
};

} // namespace quenlow
