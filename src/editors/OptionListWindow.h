// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "editors/EditorWindow.h"

#include <optional>

class QLayout;
class QVBoxLayout;

namespace quenlow {

class OptionList;

/// What the radio button and pull-down menu editors share: a question, its
/// option list with the default option, and the finish and cancel buttons.
/// Edit mode is exactly the edit caption; any other is add mode. A finished
/// element is stored and the window closes, bringing the main window forward.
class OptionListWindow : public EditorWindow
{
    Q_OBJECT
public:
    /// The window's own captions, texts and control names.
    struct Texts {
        QString editCaption;
        QString description;
        QString instructionPrompt;
        QString instructionName;
        QString frameTitle;
        QString frameName;
        QString listName;
        QString optionPrompt;
        QString optionInputName;
        QString addName;
        QString addText;
        QString removeText;
        QString finishName;
        QString finishText;
        QString updateText; // the finish button in edit mode
        QString cancelName;
        // Refusals of the add and remove buttons.
        QString emptyInputMessage;
        QString noSelectionMessage;
        // Refusals of the finish button.
        QString noOptionsMessage;
        QString noInstructionMessage;
        QString noFormMessage;
    };

    void setDefaultOption(const QString& OptionName);
    /// The option preselected at the moment, or "none".
    QString defaultOption() const;
    virtual void fillForEdit(const FormMethod& method);

protected:
    OptionListWindow(FormSession& session, const QString& name, const QString& caption, const Texts& texts,
        QWidget* parent);

    /// The element from the checked instruction and the options; nothing,
    /// after a message, when a setting of the window's own is refused.
    virtual std::optional<FormMethod> buildMethod(const QString& instruction) = 0;
    /// Puts `row` between the instruction and the options, with `box` next
    /// after the instruction when tabbing.
    void addBelowInstruction(QLayout* row, QWidget* box);

    QLineEdit* m_instruction;
    OptionList* m_options;

private:
    void finish();

    const Texts m_texts;
    QVBoxLayout* m_layout;
    QPushButton* m_finish;
};

} // namespace quenlow
