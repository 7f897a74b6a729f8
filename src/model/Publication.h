// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "database/AnswersStore.h"
#include "model/FormMethod.h"
#include "model/FormSettings.h"
#include "model/QuestionSettings.h"

#include <QList>
#include <QString>

#include <optional>

namespace quenlow {

class FormSession;

/// What a form's header says of the form as published.
struct HeaderFacts {
    QString title;
    QString backgroundImage; // the image file of the background chosen, or empty
    bool showsAnswersTable = false;
    FormSettings settings;
    QStringList formerNames; // the names the form had before a rename, oldest first
};
/// Nothing when the first element is not a header.
std::optional<HeaderFacts> headerFacts(const QList<FormMethod>& methods);

/// A question as the form's page posts it: the field of its answer (its
/// column), its kind, and the fields it had before the designer renamed it.
struct PostedQuestion {
    QString field;
    ElementKind kind = ElementKind::TextField;
    QStringList formerFields;
    QuestionSettings settings; // what it asks of its answer, and when (the condition's question by its field)
    int maxLength = 0; // a text field's most characters (its box's limit); 0: any; a ranking's option: the
                       // options it has
    friend bool operator==(const PostedQuestion&, const PostedQuestion&) = default;
};
QList<PostedQuestion> postedQuestions(const QList<FormMethod>& methods);
/// Whether the answer to `q` may be typed in its "<field> Other" box after
/// choosing "Other:": an option list's or menu's, or a check box group's own
/// "Other:" box, which is posted after the group's last box.
bool takesOtherAnswer(const PostedQuestion& q);
QList<PostedQuestion> postedQuestions(const AnswersStore::Publication& publication);

/// A question whose answers are counted over a list of choices, as charts show it.
struct ChartedQuestion {
    QString field; // its answers column
    QString text; // the question as the form asks it
    QStringList options; // what its answers are counted over, in the form's order
};
QList<ChartedQuestion> chartedQuestions(const QList<FormMethod>& methods);
QList<ChartedQuestion> chartedQuestions(const AnswersStore::Publication& publication);

/// The form as collection servers elsewhere serve it: its page as the
/// designer writes it and its background image from `htmlFolder`.
AnswersStore::Publication publicationOf(
    const QString& formName, const QList<FormMethod>& methods, const QString& htmlFolder);

/// Publishes the open form into its answers store when the store keeps
/// published forms (a database server); nothing to do for the embedded one.
Result<void> publishOpenForm(const FormSession& session);
/// Publishes one form, given its elements, the same way.
Result<void> publishForm(
    const FormSession& session, const QString& formName, const QList<FormMethod>& methods);
/// Publishes every form of the program folder the same way, for a store
/// just chosen; the forms that failed are named in the result.
Result<QStringList> publishAllForms(const FormSession& session);

} // namespace quenlow
