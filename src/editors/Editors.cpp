// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/Editors.h"

#include "model/DesignerCommands.h"

#include "core/Messages.h"
#include "editors/AddTextForm.h"
#include "editors/CheckBoxesForm.h"
#include "editors/GridForm.h"
#include "editors/LineRule.h"
#include "editors/PageBreakForm.h"
#include "editors/PullDownMenuInstructionForm.h"
#include "editors/RadioButtonsForm.h"
#include "editors/RankingForm.h"
#include "editors/ScaleForm.h"
#include "editors/SubmitButtonForm.h"
#include "editors/TextAreaForm.h"
#include "editors/TextFieldForm.h"
#include "model/FormSession.h"

namespace quenlow {

Editors::Editors(FormSession& session, QWidget* mainWindow, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_mainWindow(mainWindow)
{
}

Editors::~Editors()
{
    // Windows the main window owns go with it; any left without an owner go here.
    const QList<QWidget*> windows { m_textField, m_textArea, m_addText, m_checkBoxes, m_radioButtons,
        m_pullDownMenu, m_submitButton, m_scale, m_pageBreak, m_grid, m_ranking };
    for (QWidget* window : windows) {
        if (window && !window->parent())
            delete window;
    }
}

template <typename Window> Window* Editors::create(QPointer<Window>& slot)
{
    if (!slot)
        slot = new Window(m_session, m_mainWindow.data());
    return slot;
}

bool Editors::refuseIfOpen(QWidget* window)
{
    if (!window)
        return false;
    window->raise();
    window->activateWindow();
    showExclamation(tr("The window \"%1\" is already open. Please finish with it or cancel it first.")
                        .arg(window->windowTitle()));
    return true;
}

void Editors::runModal(QWidget* window)
{
    // exec() returns once the window has closed; it deletes itself on close.
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->exec();
    }
}

void Editors::showTextFieldForm()
{
    if (!refuseIfOpen(m_textField))
        runModal(create(m_textField));
}

void Editors::showTextAreaForm()
{
    if (!refuseIfOpen(m_textArea))
        runModal(create(m_textArea));
}

void Editors::showPullDownMenuForm()
{
    if (!refuseIfOpen(m_pullDownMenu))
        runModal(create(m_pullDownMenu));
}

void Editors::showSubmitButtonForm()
{
    if (!refuseIfOpen(m_submitButton))
        runModal(create(m_submitButton));
}

void Editors::showScaleForm()
{
    if (!refuseIfOpen(m_scale))
        runModal(create(m_scale));
}

void Editors::showPageBreakForm()
{
    if (!refuseIfOpen(m_pageBreak))
        runModal(create(m_pageBreak));
}

void Editors::showGridForm()
{
    if (!refuseIfOpen(m_grid))
        runModal(create(m_grid));
}

void Editors::showRankingForm()
{
    if (!refuseIfOpen(m_ranking))
        runModal(create(m_ranking));
}

void Editors::showAddTextForm()
{
    if (refuseIfOpen(m_addText))
        return;
    AddTextForm* window = create(m_addText);
    window->prepareAdd(tr("Text to be added to form."));
    runModal(window);
}

void Editors::showCheckBoxesForm()
{
    const bool fresh = !m_checkBoxes;
    CheckBoxesForm* window = create(m_checkBoxes);
    if (fresh)
        connect(window, &CheckBoxesForm::addTextRequested, this, &Editors::openAddTextModeless);
    window->show();
    window->raise();
    window->activateWindow();
}

void Editors::showRadioButtonsForm()
{
    RadioButtonsForm* window = create(m_radioButtons);
    window->show();
    window->raise();
    window->activateWindow();
}

void Editors::openAddTextModeless(const QString& text)
{
    AddTextForm* window = create(m_addText);
    window->prepareAdd(text);
    window->show();
    window->raise();
    window->activateWindow();
}

template <typename Window> void Editors::edit(QPointer<Window>& slot, const FormMethod& method)
{
    if (refuseIfOpen(slot))
        return;
    Window* window = create(slot);
    window->fillForEdit(method);
    runModal(window);
}

void Editors::addLineRule()
{
    m_session.recordChange(tr("Add Line"), [this] { return quenlow::addLineRule(m_session); });
}

void Editors::editSelected()
{
    const int row = m_session.selectedRow();
    if (row < 0 || row >= m_session.collection().count()) {
        showExclamation(tr("You do not have a Form Method Selected."));
        return;
    }
    // A copy: the record is replaced while the editor runs.
    const FormMethod method = m_session.collection().atPosition(row);
    switch (method.kind) {
    case ElementKind::Header:
        // The header is edited in the new-form window, another subsystem's.
        if (m_commands)
            m_commands->editHeader();
        return;
    case ElementKind::PlainText:
        return edit(m_addText, method);
    case ElementKind::TextField:
        return edit(m_textField, method);
    case ElementKind::TextArea:
        return edit(m_textArea, method);
    case ElementKind::CheckBox:
        return edit(m_checkBoxes, method);
    case ElementKind::RadioButtons:
        return edit(m_radioButtons, method);
    case ElementKind::PullDownMenu:
        return edit(m_pullDownMenu, method);
    case ElementKind::Scale:
        return edit(m_scale, method);
    case ElementKind::Grid:
        return edit(m_grid, method);
    case ElementKind::Ranking:
        return edit(m_ranking, method);
    case ElementKind::SubmitButton:
        return edit(m_submitButton, method);
    case ElementKind::PageBreak:
        return edit(m_pageBreak, method);
    case ElementKind::Line:
        return showExclamation(tr("Horizontal Line Rules cannot be edited."));
    case ElementKind::Unknown:
        break;
    }
    showExclamation(tr("Field Type Not Recognised"));
}

QWidget* Editors::openWindow(const QString& name) const
{
    const QList<QWidget*> windows { m_textField, m_textArea, m_addText, m_checkBoxes, m_radioButtons,
        m_pullDownMenu, m_submitButton, m_scale, m_pageBreak, m_grid, m_ranking };
    for (QWidget* window : windows) {
        if (window && window->objectName() == name)
            return window;
    }
    return nullptr;
}

} // namespace quenlow
