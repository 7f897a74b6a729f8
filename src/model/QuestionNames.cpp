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

QString questionNameClash(const QString& question, const QStringList& otherQuestions)
{
    const QStringList& hidden = pageHiddenFieldNames();
    const QString suffix = pageFormat::kindSuffix();
    // Compared as posted: the field name is the column name, case and all.
    const QString name = columnNameFor(question);
    if (hidden.contains(name)) {
        return QStringLiteral("The form itself sends a field called '") + name
            + QStringLiteral("', so a question of that name would store the wrong answer. "
                             "Please call it something else.");
    }
    for (const QString& other : otherQuestions) {
        const QString otherName = columnNameFor(other);
        if (name == otherName + suffix || otherName == name + suffix) {
            return QStringLiteral("The form already has a question called '") + other
                + QStringLiteral("'; together with '") + name
                + QStringLiteral(
                    "' the answers could be stored under the wrong question, since the form sends "
                    "the kind of each question as '<question> Type'. Please call it something else.");
        }
    }
    return {};
}

} // namespace quenlow
