// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "database/AnswersStore.h"
#include "database/Participants.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quenlow {

/// Why a list of participants was not taken; nothing of it was added then.
struct ParticipantsProblem {
    enum Kind {
        Unreadable, // the file could not be read (`detail`)
        NotUtf8, // its text is not UTF-8 (`line`)
        NoRows, // no one below the row of column names
        EmptyLine, // a line without a person (`line`)
        RepeatedName, // `name` twice, or already a participant (`line`)
        RepeatedColumn, // two columns named `name`
        ExtraFields, // more fields than columns (`line`)
        UnclosedQuote, // a quoted field runs to the end (`line`)
        Store, // the answers store failed (`detail`)
        NoForm, // the form has no answers table
    };
    Kind kind = Unreadable;
    int line = 0; // 1-based, in the file
    QString name;
    QString detail;
};
template <typename T> using ParticipantsResult = Result<T, ParticipantsProblem>;

/// People read from a CSV file whose first row names the columns: the column
/// "name" (in any case), or else the first, is the person's name; the others
/// are their attributes. Fields are separated by commas, or by semicolons or
/// tabs when the first row has those and no comma; quoted fields may hold
/// separators, line breaks and doubled quotes. Codes are not made here.
ParticipantsResult<QList<Participant>> readParticipantsCsv(const QByteArray& bytes);

/// Reads `csvFile` and adds its people to the participants of form `formName`
/// in the store at `location`, each with a new personal code; a name that is
/// already a participant's is refused. All or nothing. Returns how many were added.
ParticipantsResult<int> importParticipants(
    const QString& location, const QString& formName, const QString& csvFile);

/// Adds `count` participants without names (an anonymous class), each with a new code.
ParticipantsResult<int> addUnnamedParticipants(const QString& location, const QString& formName, int count);

/// The participants who have not answered, as a CSV file in the shape it was
/// imported in: name, code, then the attributes (UTF-8, CR LF).
QByteArray notAnsweredCsv(const QList<Participant>& people);

} // namespace quenlow
