// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace quenlow {

class DesignerCommands;

class AddTextForm;
class CheckBoxesForm;
class FormSession;
struct FormMethod;
class PageBreakForm;
class PullDownMenuInstructionForm;
class RadioButtonsForm;
class ScaleForm;
class GridForm;
class RankingForm;
class SubmitButtonForm;
class TextAreaForm;
class TextFieldForm;

/// The element editors as the main window uses them. Each window is a single
/// instance, created when it is opened and destroyed when it closes, so every
/// opening starts from its defaults. The main window checks that a form is
/// open (and the submit check) before it calls the show functions.
class Editors final : public QObject
{
    Q_OBJECT
public:
    /// `mainWindow` owns the editor windows; it may go away before this object.
    Editors(FormSession& session, QWidget* mainWindow, QObject* parent = nullptr);

    /// Where editing the header goes (not owned; the new-form window is another subsystem's).
    void setCommands(DesignerCommands* commands) { m_commands = commands; }
    ~Editors() override;

    // Add commands. Modal ones return when the window has closed.
    void showTextFieldForm();
    void showTextAreaForm();
    void showPullDownMenuForm();
    void showSubmitButtonForm();
    void showScaleForm();
    void showPageBreakForm();
    void showGridForm();
    void showRankingForm();
    /// The plain text editor from the main window (modal, default text).
    void showAddTextForm();
    /// Modeless beside the main window.
    void showCheckBoxesForm();
    void showRadioButtonsForm();
    /// "Horizontal Line Rule".
    void addLineRule();

    /// "Edit Form Method": opens the editor of the selected element's kind,
    /// filled from its record, modally.
    void editSelected();

    /// The editor windows open at the moment (null when closed).
    QWidget* openWindow(const QString& name) const;

private:
    DesignerCommands* m_commands = nullptr;
    template <typename Window> Window* create(QPointer<Window>& slot);
    /// Opens the editor in `slot` filled from `method`, modally, unless it is open already.
    template <typename Window> void edit(QPointer<Window>& slot, const FormMethod& method);
    /// An editor window of that kind is open already (modeless): bring it
    /// forward and say so, rather than reopen it in another mode.
    bool refuseIfOpen(QWidget* window);
    void openAddTextModeless(const QString& text);
    static void runModal(QWidget* window);

    FormSession& m_session;
    QPointer<QWidget> m_mainWindow;
    QPointer<TextFieldForm> m_textField;
    QPointer<TextAreaForm> m_textArea;
    QPointer<AddTextForm> m_addText;
    QPointer<CheckBoxesForm> m_checkBoxes;
    QPointer<RadioButtonsForm> m_radioButtons;
    QPointer<PullDownMenuInstructionForm> m_pullDownMenu;
    QPointer<SubmitButtonForm> m_submitButton;
    QPointer<ScaleForm> m_scale;
    QPointer<PageBreakForm> m_pageBreak;
    QPointer<GridForm> m_grid;
    QPointer<RankingForm> m_ranking;
};

} // namespace quenlow
