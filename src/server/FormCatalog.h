// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/Publication.h"

#include <QHash>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace quenlow {

class AnswerChecks;
class QuestionPlaces;

/// What the service needs to know about a form, read from its stored header.
struct PublishedForm {
    QString name; // the form name, "survey" of tbl_survey
    QString title; // the header's "User Instruction"
    QString backgroundImage; // the image file of the stored background choice, or empty
    bool showsAnswersTable = false; // the designer's tick, never what a post claims
    QList<PostedQuestion> questions; // in the order of the page
    FormSettings settings;
    QList<ChartedQuestion> charted; // what the results page counts
    /// Its rules made ready for checking posts, made with the form each time
    /// it is read; null for a form made elsewhere (checked from the questions).
    std::shared_ptr<const AnswerChecks> checks {};
    /// Its questions made ready for placing posted answers; null: made per post.
    std::shared_ptr<const QuestionPlaces> places {};
    /// A digest of what a post to it is placed and held by (its questions'
    /// fields, kinds, former names and choices), carried by each page sent:
    /// a post from a page of another version was filled in on another form.
    QString version {};
    /// The table its answers go to while a rename of the form is half done
    /// (the designer stopped before the table was renamed); empty: its own.
    QString storedIn {};
    /// The names it had before the designer renamed it, whose addresses lead
    /// to it while no other form bears them.
    QStringList formerNames {};
};

/// `form` with its checks, its places and its version made from its questions.
PublishedForm withAnswerChecks(PublishedForm form);

/// The forms of a program folder, looked up by name. A form exists when its
/// collection file reads as a whole collection. Files are re-read when they
/// change, so the designer's edits count at once; thread-safe.
class FormCatalog final
{
public:
    explicit FormCatalog(const QString& appFolder);

    /// A name that can stand for a form: what a page file name has before its
    /// first "." — so no ".", no slashes, no control characters.
    static bool isFormName(const QString& name);

    std::optional<PublishedForm> find(const QString& formName);
    /// The form that was called `formerName` before a rename, when no form
    /// bears that name now; nothing otherwise.
    std::optional<QString> renamedForm(const QString& formerName);

private:
    struct Entry {
        quint64 device = 0, inode = 0;
        qint64 size = -1, mtimeNs = -1;
        std::optional<PublishedForm> form;
    };

    QString m_collections;
    std::mutex m_mutex;
    QHash<QString, Entry> m_cache;
};

} // namespace quenlow
