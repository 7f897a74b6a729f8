// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>
#include <QStringList>

namespace quenlow {

/// Why a new question name would make the page post an answer that cannot be
/// told apart from another field, or empty when it is fine. The page posts
/// its own hidden fields (tableName, DBLocation, background,
/// allowShowTableButtron) and beside each question a field "<name> Type";
/// a question named like one of those would share its field name.
/// `otherQuestions` are the form's other question names.
QString questionNameClash(const QString& question, const QStringList& otherQuestions);

/// The hidden fields a form's page posts before its questions.
const QStringList& pageHiddenFieldNames();

} // namespace quenlow
