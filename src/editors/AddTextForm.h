// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

namespace quenlow {

/// Adds or edits one "Plain Text" element. Add mode is the caption
/// "Add Text/Instructions to HTML Form"; any other caption is edit mode.
class AddTextForm final : public EditorWindow
{
    Q_OBJECT
public:
    AddTextForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Text/Instructions to HTML Form"); }
    /// Add mode with `text` in the box.
    void prepareAdd(const QString& text);
    void fillForEdit(const FormMethod& method);

private:
    void confirm();

    QPlainTextEdit* m_text;
    QPushButton* m_add;
    QPushButton* m_finish;
};

} // namespace quenlow
