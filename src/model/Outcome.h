// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quenlow {

/// One thing an operation on the open form has to tell the person: a refusal,
/// a failure, a warning about work done, or a question it cannot go on without.
/// The model says what happened; the windows choose the words.
struct Notice {
    enum class Kind {
        // Refusals of the element operations.
        NoneSelected, // no row selected
        NameClash, // place: the name as posted; names: the question it meets (none: a page field)
        FormFull, // the most elements a form can hold
        CounterAtLimit, // the element counter cannot go further
        HeaderStaysOnTop, // MoveMethod with the header
        HeaderCannotMove, // the header selected
        AboveHeader, // nothing can go above the header
        SubmitAboveElement, // the submit button may pass only lines and texts
        EndOfList, // the last row cannot go down
        BelowSubmit, // only lines and texts may pass below the submit button
        Essential, // subject: the kind that cannot be removed
        // The answers column of a question (subject); place is what `detail` says.
        TableMissing, // place: the form's page file
        QuestionTaken, // the column's name is taken
        DatabaseUnusable, // place: the database; detail: why
        ColumnNotChanged, // column: what was tried; detail: why
        ColumnNotRemoved, // place: the table
        ChangeNotNoted, // place: the collections folder; detail: why
        // Files of the form.
        CollectionNotSaved, // place: the file; detail: why
        PageNotWritten, // place: the file; detail: why
        NotPublished, // subject: the form; detail: why (the page was written)
        NotAPageName, // subject: the name given
        // Questions: the caller asks, and calls again with the answer.
        RemoveAnswers, // subject: the question whose answers would go
        OpenPageOnly, // subject: the form; collection: what is wrong with its file; detail: why
        // Work done that changed other questions too.
        AskedAlwaysAfterEdit, // subject: the question edited; names: those now asked always
        AskedAlwaysAfterRemoval, // subject: the question removed; names: those now asked always
        // Earlier answers shown in later texts ("{QUESTION}").
        PipedFromLater, // refusal; subject: the question named that is not earlier
        PipedQuestionRemoved, // subject: the question removed; names: the texts that still name it
        // Quotas of the form's header, which count one question's answers.
        QuotasDropped, // subject: the question removed or edited; names: the answers whose quotas went
    };
    enum class Column { Added, Renamed, Removed };
    enum class Collection { Missing, Unreadable, Damaged };

    Kind kind;
    QString subject;
    QString place;
    QString detail;
    Column column = Column::Added;
    Collection collection = Collection::Missing;
    QStringList names = {};

    bool isQuestion() const { return kind == Kind::RemoveAnswers || kind == Kind::OpenPageOnly; }
};

/// What an operation on the open form did: done or not, and the notices it
/// has for the person, in the order they arose. An operation that cannot go on
/// without an answer is not done and ends with a question (see question()).
class [[nodiscard]] Outcome
{
public:
    /// Done, nothing to tell.
    Outcome() = default;
    /// Not done, for the reason `why`.
    Outcome(Notice why) // NOLINT: a refusal reads as its notice
        : m_done(false)
        , m_notices { std::move(why) }
    {
    }
    static Outcome refused(Notice::Kind kind) { return Notice { kind, {}, {}, {} }; }
    /// Not done, and nothing to say (the caller has said it already).
    static Outcome notDone()
    {
        Outcome outcome;
        outcome.m_done = false;
        return outcome;
    }

    bool done() const { return m_done; }
    explicit operator bool() const { return m_done; }
    const QList<Notice>& notices() const { return m_notices; }
    /// The question the operation waits on, when it ends with one.
    std::optional<Notice> question() const
    {
        if (!m_done && !m_notices.isEmpty() && m_notices.constLast().isQuestion())
            return m_notices.constLast();
        return std::nullopt;
    }
    /// True when a notice of `kind` is among those told.
    bool tells(Notice::Kind kind) const
    {
        for (const Notice& notice : m_notices) {
            if (notice.kind == kind)
                return true;
        }
        return false;
    }

    /// A notice on work that is done all the same (a warning).
    void warn(Notice notice) { m_notices.append(std::move(notice)); }
    /// Takes `later` on: its notices follow ours; not done when it is not.
    Outcome& operator+=(const Outcome& later)
    {
        m_notices.append(later.m_notices);
        m_done = m_done && later.m_done;
        return *this;
    }
    /// `later`'s notices are told, but whether this is done stays as it is.
    void tellAlso(const Outcome& later) { m_notices.append(later.m_notices); }

private:
    bool m_done = true;
    QList<Notice> m_notices;
};

} // namespace quenlow
