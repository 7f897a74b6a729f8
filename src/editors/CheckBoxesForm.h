// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

class QCheckBox;
class QRadioButton;

namespace quenlow {

/// Adds check boxes one after another, each an element of its own, or edits
/// one. Add mode is the caption "Add Check Boxes To Form"; any other caption
/// is edit mode. The window stays open after each check box.
class CheckBoxesForm final : public EditorWindow
{
    Q_OBJECT
public:
    CheckBoxesForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Check Boxes To Form"); }
    void fillForEdit(const FormMethod& method);

signals:
    /// "Add Text": the plain text editor should open with the ready-made introduction.
    void addTextRequested(const QString& text);

private:
    void confirm();

    QLabel* m_advice;
    QPushButton* m_addText;
    QLineEdit* m_questionText;
    QLineEdit* m_title;
    QCheckBox* m_defaultSelected;
    QRadioButton* m_newLine;
    QRadioButton* m_sameLine;
    QPushButton* m_add;
    QPushButton* m_finish;
    QPushButton* m_cancel;
};

} // namespace quenlow
