// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "newform/NewFormOperations.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace quenlow {

class BrowserView;
class FormSession;

/// The new-form window: names a new form and sets its header ("Create New
/// Form"), or edits the header of the open form ("Edit Form Attributes").
/// Each use makes a fresh window and it goes when it is done; its background
/// choice lives in the session meanwhile, and is forgotten with the window.
class CreateNewForm final : public QDialog
{
    Q_OBJECT
public:
    explicit CreateNewForm(FormSession& session, QWidget* parent = nullptr);
    ~CreateNewForm() override;

    /// "Create New Form": presets "7", "Centre" and "Marble", offers only the
    /// generate button, and shows the window modally over `owner`. True when a
    /// form was created.
    static bool createNewForm(FormSession& session, QWidget* owner);
    /// Header editing, for the edit command on the header row: fills the
    /// window from the header record, relabels it and shows it modally over
    /// `owner`. True when the header was updated; false after Cancel or when
    /// no form with a header is open.
    static bool editHeader(FormSession& session, QWidget* owner);

    /// Creation mode, as "Create New Form" prepares the window.
    void prepareNewForm();
    /// Header editing mode, filled from the open form's header; false when there is none.
    bool prepareHeaderEditing();

    /// The values of the controls, as the two commands read them; the
    /// collecting settings only when they can be read (see settingsInput).
    HeaderInputs inputs() const;
    /// The collecting settings the controls give; nothing, with the reason
    /// shown, when the closing time or the answer limit cannot be read.
    std::optional<FormSettings> settingsInput() const;

private:
    void selectBackground(int row);
    void backgroundChosen(int row);
    void generate();
    void updateFormTitle();
    void showSettings(const FormSettings& settings);
    // Quotas: the question's answers offered, a quota added or replaced, the chosen one removed.
    void offerQuotaQuestions(const QList<FormMethod>& methods);
    void offerQuotaAnswers();
    void addQuota();
    void removeQuota();
    void showQuotas();

    FormSession& m_session;
    QLabel* m_enterFileNameInstruction;
    QLineEdit* m_htmlFileNameBox;
    QPushButton* m_generate;
    QGroupBox* m_attributesFrame;
    QLineEdit* m_formTitleBox;
    QComboBox* m_letterSize;
    QComboBox* m_justification;
    QListWidget* m_backgroundChoice;
    BrowserView* m_preview;
    QCheckBox* m_userViewTableCheck;
    QGroupBox* m_collectingFrame;
    QCheckBox* m_showResults;
    QCheckBox* m_acceptingAnswers;
    QLineEdit* m_closingTime;
    QLineEdit* m_answerLimit;
    QLineEdit* m_thankYouText;
    QCheckBox* m_offerAnotherAnswer;
    QComboBox* m_formLanguage;
    QComboBox* m_quotaQuestion;
    QComboBox* m_quotaAnswer;
    QSpinBox* m_quotaLimit;
    QPushButton* m_addQuota;
    QListWidget* m_quotaList;
    QPushButton* m_removeQuota;
    QList<FormQuota> m_quotas; // as the list shows them
    QCheckBox* m_invitedOnly;
    QCheckBox* m_anonymousAnswers;
    QLabel* m_answersTablePublic;
    QLabel* m_dbLocationInstruction;
    QLineEdit* m_dbLocationText;
    QPushButton* m_updateFormTitle;
    QPushButton* m_cancel;
};

} // namespace quenlow
