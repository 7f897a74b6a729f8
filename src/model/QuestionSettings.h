// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/AnswerRules.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include <utility>

namespace quenlow {

struct FormMethod;

/// What a question asks of its answer and when it is asked, kept in the
/// question's record as extra key lines, each only when set: a question that
/// uses none is written exactly as before they existed.
struct QuestionSettings {
    AnswerRules rules;
    AskCondition condition; // the question by its text (its field once published), and the answer
    QString questionText; // check boxes asked as one question: the heading
    // Options, menus and check box groups: each page sent shows the options
    // in an order of its own; and options and menus: an "Other:" choice with
    // a box for the answer typed instead.
    bool shuffleOptions = false;
    bool otherAnswer = false;

    bool operator==(const QuestionSettings&) const = default;
};

/// Whether `key` is the key line of a question setting.
bool isQuestionSettingKey(const QString& key);
/// The settings the key lines hold; the defaults where they hold none.
/// Values that cannot be read (a hand-edited file) count as their default.
QuestionSettings questionSettingsOf(const QList<std::pair<QString, QString>>& lines);
QuestionSettings questionSettingsOf(const FormMethod& question);
/// The key lines that hold `settings`: none for the defaults.
QList<std::pair<QString, QString>> questionSettingLines(const QuestionSettings& settings);
/// Puts `settings` into the record, replacing the question settings it held.
void setQuestionSettings(FormMethod& question, const QuestionSettings& settings);

/// The key lines as one text (key and value lines, CR LF after each), as
/// published for collection servers elsewhere; empty for the defaults.
QString questionSettingsText(const QuestionSettings& settings);
QuestionSettings questionSettingsFromText(const QString& text);

/// A question another one may depend on, with the answers it takes.
struct ConditionChoice {
    QString question; // its user instruction, as the condition names it
    QStringList answers; // as stored
    bool box = false; // a check box: "Checked" or "Not Checked"
};
/// The question `m` as a condition may name it, when it is of a kind that can decide one:
/// radio buttons, menus, check boxes and scales.
std::optional<ConditionChoice> conditionChoice(const FormMethod& m);

} // namespace quenlow
