// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/QuestionNames.h"

#include "database/AnswerColumns.h"
#include "model/PageFormat.h"

namespace quenlow {

const QStringList& pageHiddenFieldNames()
{
    static const QStringList hidden { pageFormat::tableNameField(), pageFormat::databaseLocationField(),
        pageFormat::backgroundField(), pageFormat::showTableField() };
    return hidden;
}

Result<void, NameClash> checkQuestionName(const QString& question, const QStringList& otherQuestions)
{
    const QStringList& hidden = pageHiddenFieldNames();
    const QString suffix = pageFormat::kindSuffix();
    // Compared as posted: the field name is the column name, case and all.
    const QString name = columnNameFor(question);
    if (hidden.contains(name))
        return NameClash { NameClash::HiddenField, name, {} };
    for (const QString& other : otherQuestions) {
        const QString otherName = columnNameFor(other);
        if (name == otherName + suffix || otherName == name + suffix)
            return NameClash { NameClash::KindField, name, other };
    }
    return {};
}

} // namespace quenlow
