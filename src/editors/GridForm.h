// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

class QComboBox;
class QGroupBox;
class QListWidget;

namespace quenlow {

/// Adds or edits one "Grid" element: a question, its statements (rows) and
/// the answers each statement is answered with (columns).
class GridForm final : public EditorWindow
{
    Q_OBJECT
public:
    GridForm(FormSession& session, QWidget* parent);

    static QString addCaption() { return tr("Add Grid To Form"); }
    /// Edit mode for `method`: boxes filled, caption and buttons relabelled.
    void fillForEdit(const FormMethod& method);

private:
    /// A box of one list: an input, the list, and its add and remove buttons.
    struct ListBox {
        QGroupBox* box;
        QLineEdit* input;
        QListWidget* list;
        QPushButton* add;
        QPushButton* remove;
    };
    ListBox makeListBox(const QString& boxName, const QString& title, const QString& inputName,
        const QString& listName, const QString& addName, const QString& addText, const QString& removeName,
        const QString& removeText);
    void addItem(const ListBox& box, const QString& emptyMessage);
    void removeItem(const ListBox& box);
    void presetChosen(int index);
    void confirm();

    QLineEdit* m_instruction;
    QComboBox* m_preset;
    ListBox m_rows;
    ListBox m_columns;
    QPushButton* m_add;
    QPushButton* m_finish;
};

} // namespace quenlow
