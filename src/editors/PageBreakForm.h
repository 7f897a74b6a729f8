// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

namespace quenlow {

/// Adds or edits one "Page Break": where a new page of the form starts, with
/// an optional title shown at the top of that page.
class PageBreakForm final : public EditorWindow
{
    Q_OBJECT
public:
    PageBreakForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Page Break To Form"); }
    /// Edit mode for `method`: the title filled in, caption and button relabelled.
    void fillForEdit(const FormMethod& method);

private:
    void confirm();

    QLineEdit* m_title;
    QPushButton* m_add;
    QPushButton* m_finish;
};

} // namespace quenlow
