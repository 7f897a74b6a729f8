// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

namespace quenlow {

/// What the designer's windows ask of the program beyond their own reach: to
/// open another subsystem's window. The program implements it and hands it to
/// each window, so that no window reaches into another subsystem. The windows
/// make their own checks (a form open, a row selected) before they ask.
class DesignerCommands
{
public:
    virtual ~DesignerCommands() = default;

    virtual void newForm() = 0; // Form > Create New Form
    virtual void editHeader() = 0; // editing the "Header" element
    virtual void addText() = 0; // GoToTextForm, menu Text
    virtual void addTextField() = 0; // GoToTextFieldForm, menu TextField
    virtual void addTextArea() = 0; // GoToTextAreaForm, menu TextArea
    virtual void addPullDownMenu() = 0; // GoToPullDownMenuDesignForm, menu Menu
    virtual void addCheckBoxes() = 0; // GoToCheckBoxForm, menu CheckBoxes (modeless editor)
    virtual void addRadioButtons() = 0; // GoToRadioButtonForm, menu RadioButtons (modeless editor)
    virtual void addScale() = 0; // GoToScaleForm, menu Scale
    virtual void addPageBreak() = 0; // GoToPageBreakForm, menu PageBreak
    virtual void addGrid() = 0; // GoToGridForm, menu Grid
    virtual void addRanking() = 0; // GoToRankingForm, menu Ranking
    virtual void addSubmitButton() = 0; // GoToSumbitButtonForm, menu SubmitButton, after the submit check
    virtual void addLineRule() = 0; // AddHorizontalLine, menu LineRule
    virtual void editSelected() = 0; // EditFormMethod, with a row selected
    virtual void viewAnswersTable() = 0; // ViewHTMLdbTable, menu Table
    virtual void openReporter() = 0; // ViewReporterForm
    virtual void collectAnswers() = 0; // CollectAnswers: starts or stops the collection service
    virtual void showCollectedForms()
        = 0; // CollectedFormsEntry: the addresses and the forms' states while collecting
    virtual void chooseAnswersStore() = 0; // where the answers are stored: the folder's database or a server
    virtual void importXlsForm() = 0; // ImportXlsFormEntry: a new form from an XLSForm workbook
    /// True when the answers database is there, after offering to create it
    /// (the CreateNewDatabase window) when it is not.
    virtual bool offerAnswersDatabase() = 0;
    /// The address the form of `pageFile` is answered at, as far as the
    /// program knows it (the printed invitations lead there); empty when it
    /// does not.
    virtual QString formAddress(const QString& pageFile) const
    {
        Q_UNUSED(pageFile);
        return {};
    }
};

} // namespace quenlow
