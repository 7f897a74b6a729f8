// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quenlow {

class FormSession;
class QuestionSettingsBox;
struct QuestionSettings;

/// A form is open with its element list loaded, so it can take a new element.
/// Not so when only a page is shown (its collection file was missing): adding
/// would overwrite that page with the new element alone.
bool hasEditableForm(const FormSession& session);

/// What every element editor shares: the session it works on, unloading on
/// close (so each opening starts from the defaults), and the checks and calls
/// that end an add or an update.
class EditorWindow : public QDialog
{
    Q_OBJECT
public:
    EditorWindow(FormSession& session, const QString& name, const QString& caption, QWidget* parent);

    FormSession& session() const { return m_session; }

    /// Whether the window adds a new element or edits the selected one.
    enum class Mode { Add, Edit };
    Mode mode() const { return m_mode; }

protected:
    /// The text of a box, with any line break turned into a blank: the
    /// collection file is line-based.
    static QString boxText(const QLineEdit* box);
    static QString boxText(const QPlainTextEdit* box);

    /// A form can take a new element: one is open and its list is loaded. A
    /// modeless editor may outlive the form it was opened for; `message` is
    /// the refusal the main window gives for this kind.
    bool checkFormOpen(const QString& message) const;
    /// The position of the element being edited (the selected row), or nothing
    /// with a message when the selection no longer names an element.
    std::optional<int> selectedPosition() const;

    /// Adds `method`; on success advances the element number when asked and
    /// rewrites the page. False when the element was refused.
    bool insert(const FormMethod& method, bool counted);
    /// Replaces the element at `position` and rewrites the page.
    bool update(const FormMethod& method, int position);
    /// Ends an add (`adding`) or an edit with `method`: an add first checks
    /// that a form can take it (see checkFormOpen), then inserts it, counted
    /// when asked; an edit replaces the selected element. False, with the
    /// window left as it is, when nothing was stored.
    bool insertOrUpdate(const FormMethod& method, bool adding, const QString& noFormMessage, bool counted);

    /// Replaces the elements at the positions, as one change, and rewrites
    /// the page once: a check box group changes all its boxes together. The
    /// conditions that named a renamed question name it by its new text.
    bool updateAll(const QList<QPair<FormMethod, int>>& changes);

    /// The question settings of the window (required, condition), offering
    /// as conditions the questions before the place the element goes.
    QuestionSettingsBox* addQuestionSettings();
    QuestionSettingsBox* questionSettings() const { return m_questionSettings; }
    /// Edit mode for `method`: it is kept, so that the record built on
    /// update keeps the key lines this window does not show, and the
    /// question settings show its settings.
    void beginEdit(const FormMethod& method);
    /// The record being edited (Edit mode).
    const FormMethod& edited() const { return m_edited; }
    /// The settings of the edited record (Edit mode), else the defaults.
    QuestionSettings storedSettings() const;
    /// `built` as the editor made it, given `settings` and, when editing, the
    /// other key lines the edited record held.
    FormMethod finished(FormMethod built, const QuestionSettings& settings) const;
    /// The questions a condition may name, before the element's place.
    void offerConditions();

    /// The instruction a fresh window proposes, with the next element number.
    QString numberedInstruction() const;
    /// Puts the next numbered instruction in `box`, selected and focused, so
    /// that typing the real question replaces it.
    void proposeInstruction(QLineEdit* box) const;

    // Building blocks of the layouts.
    QLabel* addLabel(const QString& name, const QString& text);
    QLineEdit* addLineEdit(const QString& name, const QString& text = {});
    QPushButton* addButton(const QString& name, const QString& text);
    /// The confirm button at the bottom left, the closing one at the bottom
    /// right; the confirm button is the one Enter presses.
    static QBoxLayout* bottomRow(QPushButton* left, QPushButton* right);
    /// The whole window: `description`, then each prompt beside its box, then
    /// `below` when given, then the bottom row; as wide as the prompts need
    /// and at least 640.
    void layOutBoxes(QLabel* description, const QList<QPair<QLabel*, QWidget*>>& rows, QPushButton* confirm,
        QPushButton* closing, QWidget* below = nullptr);

    void setMode(Mode mode) { m_mode = mode; }
    /// A modeless editor offers again the questions a condition may name when
    /// it comes forward: the form may have changed meanwhile.
    void changeEvent(QEvent* event) override;

private:
    FormSession& m_session;
    Mode m_mode = Mode::Add;
    FormMethod m_edited;
    QuestionSettingsBox* m_questionSettings = nullptr;
};

} // namespace quenlow
