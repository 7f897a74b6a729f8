// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

namespace quenlow {

/// A question name the page's posted answer could not be told apart by.
struct NameClash {
    enum Kind {
        HiddenField, // the page posts a hidden field of that name itself
        KindField, // it is another question's "<name> Type", or that is its own
    };
    Kind kind;
    QString field; // the name as posted
    QString otherQuestion; // KindField: the question it clashes with
};

/// Whether a new question name lets the page post an answer that can be told
/// apart from every other field. The page posts its own hidden fields
/// (tableName, DBLocation, background, allowShowTableButtron) and beside each
/// question a field "<name> Type"; a question named like one of those would
/// share its field name. `otherQuestions` are the form's other question names.
Result<void, NameClash> checkQuestionName(const QString& question, const QStringList& otherQuestions);

/// The hidden fields a form's page posts before its questions.
const QStringList& pageHiddenFieldNames();

} // namespace quenlow
