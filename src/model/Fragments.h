// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"
#include "model/GridQuestion.h"
#include "model/QuestionSettings.h"
#include "model/ScaleQuestion.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quenlow {

// The HTML fragment and the record of every element kind. Text that lands
// inside a quoted attribute value is escaped so that it posts back exactly as
// typed; text shown as content is written as typed, markup included. The
// records always keep the user's own text.

/// The field name of a question as it stands in name='…': the column name
/// (at most 64 characters), escaped for the attribute.
QString fieldNameAttribute(const QString& question);

// `required` and `rules` say what the question asks of its answer (see
// questionFragment); by default, nothing.
QString textFieldFragment(const QString& question, const QString& boxSize, const QString& maxChars,
    const QString& defaultText, const AnswerRules& rules = {});
QString textAreaFragment(const QString& question, const QString& rows, const QString& width,
    const QString& defaultText, bool required = false);
QString plainTextFragment(const QString& text);
QString checkBoxFragment(const QString& title, bool newLine, bool selected, bool required = false);
/// The "Other:" box that ends a check box group, with the box its answer is typed in.
QString groupOtherFragment(const QString& groupQuestion);
/// `other`: an "Other:" option last, with a box for the answer typed instead.
QString radioButtonsFragment(const QString& question, const QStringList& options,
    const QString& defaultOption, bool required = false, bool other = false);
/// `height` is the checked number of entries to display (see menuHeight).
QString pullDownMenuFragment(const QString& question, const QString& height, const QStringList& options,
    const QString& defaultOption, bool required = false, bool other = false);
QString submitButtonFragment(const QString& submitTitle, bool withReset, const QString& resetTitle);
/// A row of numbered options from the scale's low end to its high end, the
/// labels at the ends, each option a box large enough to tap.
QString scaleFragment(const QString& question, const ScaleQuestion& scale, bool required = false);
/// Where a new page of the form starts: a rule the service finds, and the
/// page's title (when given) as a heading. Without the service's script every
/// page follows the one before.
QString pageBreakFragment(const QString& title);
/// A grid: the question over a heading of its answers and a row per statement,
/// each row a fieldset of its own named by the statement, announced like a
/// question of option buttons. On a wide screen the answers head the columns;
/// on a phone each row shows its answers as large buttons, one under another.
QString gridFragment(const QString& question, const GridQuestion& grid, bool required = false);
/// A ranking: the question over its options, each with a menu of the places
/// 1 to N beside it, each menu posting the option's place under the option's
/// field, announced as a question of its own.
QString rankingFragment(const QString& question, const QStringList& options, bool required = false);

/// The default option marker: no option is preselected.
QString noDefaultOption();

/// The number of menu entries to display, when `text` is a whole number (blanks
/// around it allowed); nothing otherwise. The size goes unquoted into the page,
/// so only digits may reach it.
std::optional<int> menuHeight(const QString& text);

// Complete records, as the editors hand them to InsertMethod / UpdateMethod.
FormMethod textFieldMethod(
    const QString& question, const QString& boxSize, const QString& maxChars, const QString& defaultText);
FormMethod textAreaMethod(
    const QString& question, const QString& rows, const QString& width, const QString& defaultText);
FormMethod plainTextMethod(const QString& text);
FormMethod checkBoxMethod(const QString& title, bool newLine, bool selected);
FormMethod radioButtonsMethod(
    const QString& question, const QStringList& options, const QString& defaultOption);
FormMethod pullDownMenuMethod(
    const QString& question, const QString& height, const QStringList& options, const QString& defaultOption);
FormMethod submitButtonMethod(const QString& submitTitle, bool withReset, const QString& resetTitle);
FormMethod lineRuleMethod();
FormMethod scaleMethod(const QString& question, const ScaleQuestion& scale);
/// A page break; its title (possibly empty) is its "User Instruction".
FormMethod pageBreakMethod(const QString& title);
FormMethod gridMethod(const QString& question, const GridQuestion& grid);
FormMethod rankingMethod(const QString& question, const QStringList& options);

/// A question's fragment made again from its record's own fields (question,
/// sizes, default, options, scale) with `settings`: the kind's fragment, with
/// the mark and the `required` attribute of a required answer and the input
/// of a typed answer. A check box of a group (a question text) carries
/// neither: the page writer's fieldset says it for the group. Conditions are
/// the page writer's too. Other kinds: the stored fragment.
QString questionFragment(const FormMethod& record, const QuestionSettings& settings);

/// What follows the text of a question that must be answered.
QString requiredMark();

/// The question's record with `settings` as its question key lines (replacing
/// those it held) and its fragment saying them. A record given the default
/// settings is the record as before.
FormMethod withQuestionSettings(FormMethod record, const QuestionSettings& settings);

} // namespace quenlow
