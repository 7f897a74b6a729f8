// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/QuestionSettings.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;

namespace quenlow {

class FormSession;
struct FormMethod;

/// What every question editor asks besides the question itself: whether an
/// answer is required, and whether the question is asked always or only when
/// an earlier question has a given answer (AnswerRequired, AskOnlyIf and
/// AskOnlyIfAnswer).
class QuestionSettingsBox final : public QWidget
{
    Q_OBJECT
public:
    explicit QuestionSettingsBox(QWidget* parent);

    /// The questions the condition may name; the chosen one stays chosen when
    /// it is still among them.
    void offerConditions(const QList<ConditionChoice>& choices);
    /// Shows the settings of a stored question. A condition on a question that
    /// is no longer earlier stays offered, so that editing does not drop it.
    void showSettings(const QuestionSettings& settings);
    /// Offers the settings of a question with options: shuffling them for
    /// each page sent, and (`other`) an "Other:" choice with a box to type in.
    void offerChoiceSettings(bool other);
    /// `settings` with the box's required tick and condition, and its choice
    /// settings where it offers them.
    QuestionSettings applyTo(QuestionSettings settings) const;
    /// Whether the box's settings can be changed (a check box group fixes them
    /// with its first box).
    void setChangeable(bool changeable);
    /// Lays the controls out as rows at the end of `grid` (prompts in its
    /// first column), so that they line up with the window's other boxes.
    void moveInto(QGridLayout* grid);
    /// Tabbing goes from `previous` through the box's controls, then on as before.
    void followInTabOrder(QWidget* previous);

private:
    void fillAnswers();

    QCheckBox* m_required;
    QCheckBox* m_shuffle;
    QCheckBox* m_other;
    QComboBox* m_askOnlyIf;
    QComboBox* m_answer;
    QLabel* m_askLabel;
    QLabel* m_answerLabel;
    QList<ConditionChoice> m_choices;
};

} // namespace quenlow
