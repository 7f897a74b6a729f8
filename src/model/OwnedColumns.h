// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quenlow {

/// The answers columns an element owns: none for text, lines and buttons;
/// one for a question, named by its text; one per statement for a grid,
/// named by the statement; one per option for a ranking, named by the option;
/// and the check box that offers its group's "Other:" answer a second one,
/// "QUESTION: Other", for the text typed there. Every place that creates,
/// names, fills, checks, reports or exports columns asks this.
struct OwnedColumn {
    enum class Role {
        Answer, // the question's one answer
        GridRow, // a grid's statement: one of the grid's answers
        RankPlace, // a ranking's option: its place, a whole number from 1 (first) to the number of options
        OtherText, // a check box group's answer typed after "Other:", as written; empty when not given
    };
    QString name; // the column and the field of the page
    QString source; // the text it is named from: the question, or the statement
    QString label; // how reports and statistics files title it: the question, or "QUESTION: STATEMENT"
    Role role = Role::Answer;
    bool memo = false; // holds long text
    QStringList values; // the answers it takes, in order, where the element offers a fixed set of its own
    friend bool operator==(const OwnedColumn&, const OwnedColumn&) = default;
};

QList<OwnedColumn> answerColumnsOf(const FormMethod& element);
/// The texts the columns of `element` are named from (see OwnedColumn::source).
QStringList columnSourcesOf(const FormMethod& element);
/// Whether `element` owns columns that are not named by its own text (a grid, a ranking).
bool ownsSeveralColumns(const FormMethod& element);
/// The columns a question named by its own text owns besides that one: the
/// "Other:" column of a check box group, or none.
QList<OwnedColumn> extraColumnsOf(const FormMethod& element);
/// What the column of a check box group's "Other:" answer is named from.
QString groupOtherSource(const QString& groupQuestion);

} // namespace quenlow
