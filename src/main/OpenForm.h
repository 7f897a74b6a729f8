// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quenlow {

class DirectoryList;
class FileList;
class FormSession;

/// The open-form window: a directory list, a file list following it, the name
/// to open and two buttons. Only the file name is handed to LoadForm, so a
/// form always opens from the program's own folders. Its commands hide it and
/// keep it (with the typed name); closing it by its title bar ends it.
class OpenForm final : public QDialog
{
    Q_OBJECT
public:
    explicit OpenForm(FormSession& session, QWidget* parent = nullptr);

    /// Sets the file pattern of filList.
    void patternChange(const QString& pattern);

    DirectoryList* dirList() const { return m_dirList; }
    FileList* filList() const { return m_filList; }
    QLineEdit* fileNameToOpen() const { return m_fileNameToOpen; }

    /// True once the window was closed by its title bar: it is then done with.
    bool wasClosed() const { return m_closed; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void openFile();
    /// Leaves only forms in filList, each with its title, number of answers
    /// and last answer time beside its page name.
    void describeForms();

    FormSession& m_session;
    DirectoryList* m_dirList;
    FileList* m_filList;
    QLineEdit* m_fileNameToOpen;
    QPushButton* m_openFile;
    QPushButton* m_cancel;
    bool m_closed = false;
};

} // namespace quenlow
