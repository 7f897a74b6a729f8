// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "main/OpenForm.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;

namespace quenlow {

class BrowserView;
class DesignerCommands;
class FormHistory;
class FormSession;

/// The main window: the command buttons, the element list, the browser view
/// and the three menus. It keeps no element data: the list, the captions, the
/// frames' visibility and the browser view mirror the session.
class MainForm final : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainForm(FormSession& session, QWidget* parent = nullptr);
    ~MainForm() override;

    /// Where the commands go whose windows live outside the main window (not
    /// owned). MainForm runs its own checks first (a form is open, it has its
    /// collection file, no second submit button, a row is selected).
    void setCommands(DesignerCommands* commands) { m_commands = commands; }
    /// The open form's undo history (Edit > Undo, Redo).
    FormHistory* history() const { return m_history; }

    /// What happens before the window is first shown: the open-form window is
    /// made (hidden) over the program folder, the welcome page is shown under
    /// "Help Pages", and the answers database is tested; when it cannot be
    /// opened, CreateNewDatabase is shown modally.
    void startUp();

    FormSession& session() const { return m_session; }
    BrowserView* browser() const { return m_browser; }
    /// The open-form window, while it exists.
    OpenForm* openForm() const { return m_openForm; }

    /// Shows whether answers are being collected, and where (CollectionAddress).
    /// A message in the status bar, until the next one.
    void showStatus(const QString& text);
    void setCollectionStatus(bool collecting, const QString& text);

signals:
    /// The program is ending (Exit, or the window closed by its title bar).
    void programEnding();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildMenus();
    /// Rename, Copy and Delete of the open form, in the Form menu.
    void addFormFileEntries(QMenu* form);
    void connectSession();
    void syncListSelection();
    void listSelectionChanged();

    /// The open check: false, with `message`, when no form is open.
    bool formOpen(const QString& message);
    /// The page was opened without its collection file: nothing can be added to it.
    bool formEditable();
    /// Both checks of the add commands, then the hook.
    void addCommand(const QString& openMessage, void (DesignerCommands::*command)());
    /// Runs `command` when commands are set.
    void run(void (DesignerCommands::*command)());

    void newForm();
    void openFormCommand();
    void exitProgram();
    void addSubmitButton();
    void editFormMethod();
    void removeFormMethod();
    /// Refuses, with a message, to put the element at `lower` above the one at
    /// `upper` when it is asked only when that one has a given answer.
    bool refuseMove(int upper, int lower);
    void viewCurrentForm();
    void viewAnswersTable();
    void viewHelpPages();
    void viewReporter();
    void ensureOpenForm();

    FormSession& m_session;
    DesignerCommands* m_commands = nullptr;
    FormHistory* m_history = nullptr;
    QPointer<OpenForm> m_openForm;
    bool m_ending = false;
    bool m_collecting = false;
    bool m_syncingSelection = false;

    QGroupBox* m_addFrame = nullptr;
    QGroupBox* m_alterFrame = nullptr;
    QGroupBox* m_htmlFrame = nullptr;
    QPushButton* m_viewReporter = nullptr;
    QListView* m_list = nullptr;
    BrowserView* m_browser = nullptr;
    QLabel* m_htmlName = nullptr;
    QPushButton* m_collectAnswers = nullptr;
    QLabel* m_collectionAddress = nullptr;
};

} // namespace quenlow
