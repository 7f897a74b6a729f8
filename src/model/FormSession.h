// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "database/AnswerColumns.h"
#include "model/MethodCollection.h"
#include "model/RowsModel.h"

#include <QObject>

#include <functional>

namespace quenlow {

/// Everything the open form is, for the whole run: the open-form values, the
/// element list, and the state of the main window's controls that the
/// operations read and write (the rows and selected row of
/// FormCollectionList, the captions of HTMLName and HTMLFrame, the page the
/// browser view shows, which frames are visible). The windows observe it
/// through its signals and mirror it, so every operation runs without a display.
/// Records the changes a person makes to the open form, so that they can be
/// undone. The windows layer implements it (with an undo stack).
class FormChangeRecorder
{
public:
    virtual ~FormChangeRecorder() = default;
    /// Runs `change`, an operation on the open form that returns whether it
    /// changed it, and keeps what it did under `label`. Returns its result.
    virtual bool record(const QString& label, const std::function<bool()>& change) = 0;
};

class FormSession final : public QObject
{
    Q_OBJECT
public:
    explicit FormSession(const QString& appFolder, QObject* parent = nullptr);

    // --- Open-form values -------------------------------------------------
    QString appFolder() const { return m_appFolder; }
    /// The open form's name ("survey") and its page's file ("survey.html"); empty when none is open.
    QString openFormName() const { return m_openFormName; }
    void setOpenFormName(const QString& name) { m_openFormName = name; }
    QString openPageFile() const { return m_openPageFile; }
    void setOpenPageFile(const QString& file) { m_openPageFile = file; }
    /// MethodCount: how many elements the open form has.
    int methodCount() const { return m_collection.count(); }
    /// The header's element counter, as the collection file keeps it.
    qint16 elementCounter() const { return m_elementCounter; }
    void setElementCounter(qint16 counter) { m_elementCounter = counter; }
    /// The open form's elements, in order. Changed only by the operations on
    /// the open form (model), through changeableCollection().
    const MethodCollection& collection() const { return m_collection; }
    MethodCollection& changeableCollection() { return m_collection; }

    // Paths beneath the program folder.
    QString htmlFolder() const { return m_appFolder + QStringLiteral("/HTML/"); }
    QString collectionsFolder() const { return m_appFolder + QStringLiteral("/Collections/"); }
    QString reportsFolder() const { return m_appFolder + QStringLiteral("/Reports/"); }
    /// Where the answers are stored: the embedded store in the program
    /// folder unless another was chosen (a file, or a database server).
    QString databasePath() const;
    void setAnswersStore(const QString& location) { m_answersStore = location; }
    bool answersStoreChosen() const { return !m_answersStore.isEmpty(); }
    QString collectionFilePath(const QString& formName) const
    {
        return collectionsFolder() + formName + QStringLiteral("Collection.txt");
    }
    /// The open form's answers table (named after OpenFormName).
    AnswerTable answerTable() const;

    /// Empties the element list (so its rows) and sets MethodCount to 0.
    void resetOpenForm();

    /// Every change the person makes to the open form goes through here, so
    /// that it can be undone (see FormChangeRecorder; not owned).
    bool recordChange(const QString& label, const std::function<bool()>& change)
    {
        return m_changes ? m_changes->record(label, change) : change();
    }
    void setChangeRecorder(FormChangeRecorder* recorder) { m_changes = recorder; }

    // --- FormCollectionList --------------------------------------------------
    /// The rows of the element list, kept by the list itself.
    RowsModel* rows() { return &m_rows; }
    const RowsModel* rows() const { return &m_rows; }
    int selectedRow() const { return m_selectedRow; }
    /// Selects `row` (-1 clears the selection).
    void setSelectedRow(int row);

    // --- Captions and visibility -------------------------------------------
    /// A form is open exactly when this caption (the page file name) is not empty.
    QString htmlName() const { return m_htmlName; }
    void setHtmlName(const QString& caption);
    bool isFormOpen() const { return !m_htmlName.isEmpty(); }
    QString htmlFrameCaption() const { return m_htmlFrameCaption; }
    void setHtmlFrameCaption(const QString& caption);
    /// AlterFormFrame and AddHTMLMethodsFrame.
    bool editingVisible() const { return m_editingVisible; }
    void setEditingVisible(bool visible);
    /// The button ViewReporterForm.
    bool reporterVisible() const { return m_reporterVisible; }
    void setReporterVisible(bool visible);

    // --- Browser view --------------------------------------------------------
    /// Shows `page` (a file of the page folder, optionally with "#fragment").
    void showInBrowser(const QString& page);
    /// Reloads the page shown from disk.
    void refreshBrowser();
    /// Full path (with fragment) of what the browser view was last asked to show.
    QString browserPage() const { return m_browserPage; }

    // --- The background choice held by the new-form window -------------------
    /// Position selected in BackgroundChoice (-1 when none is).
    int backgroundChoice() const { return m_backgroundChoice; }
    void setBackgroundChoice(int row) { m_backgroundChoice = row; }
    /// BackgroundFileName: the image of the last choice given to SetBackground.
    QString backgroundFileName() const { return m_backgroundFileName; }
    void setBackgroundFileName(const QString& file) { m_backgroundFileName = file; }
    /// Sets backgroundFileName from a choice text; other texts change nothing.
    void setBackground(const QString& choice);
    /// The new-form window was unloaded: its selection and BackgroundFileName go with it.
    void forgetNewFormWindow();

signals:
    void selectedRowChanged(int row);
    void htmlNameChanged(const QString& caption);
    void htmlFrameCaptionChanged(const QString& caption);
    void editingVisibleChanged(bool visible);
    void reporterVisibleChanged(bool visible);
    /// The browser view should show `path` (absolute; may end in "#fragment").
    void navigateRequested(const QString& path);
    void refreshRequested();

private:
    QString m_openFormName;
    QString m_openPageFile;
    qint16 m_elementCounter = 0;
    int m_backgroundChoice = -1;
    QString m_backgroundFileName;
    FormChangeRecorder* m_changes = nullptr;
    QString m_appFolder;
    QString m_answersStore; // empty: the program folder's
    MethodCollection m_collection;
    RowsModel m_rows { m_collection };
    int m_selectedRow = -1;
    QString m_htmlName;
    QString m_htmlFrameCaption;
    bool m_editingVisible = true;
    bool m_reporterVisible = true;
    QString m_browserPage;
};

} // namespace quenlow
