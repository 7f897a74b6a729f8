// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace quenlow {

class AnswersStore;

/// A person invited to answer a form, known by a personal code. Kept in a
/// table of the form's own beside its answers, so they go with the form's
/// table when it is renamed, copied or dropped.
struct Participant {
    QString code; // 8 characters of the receipts' alphabet, unique in the form
    QString name; // empty for a code handed out without a name
    QList<std::pair<QString, QString>> attributes; // in the order they were imported
    bool answered = false; // an answer came with the code
    std::optional<QDateTime> answeredAt; // when, unless the form's answers are anonymous
    friend bool operator==(const Participant&, const Participant&) = default;
};

/// Adds `people` to the participants of `table`, after those there, in one
/// transaction: all or none. NotFound when the table is missing, Duplicate
/// when a code is taken.
Result<void> addParticipants(AnswersStore& store, const QString& table, const QList<Participant>& people);
/// The participants of `table` in the order they were added; none when it has none.
Result<QList<Participant>> participantsOf(AnswersStore& store, const QString& table);
/// Forgets the participants with `codes`; codes not there are no failure.
Result<void> removeParticipants(AnswersStore& store, const QString& table, const QStringList& codes);

/// How many people a form invited and how many of them have answered.
struct Participation {
    qint64 invited = 0;
    qint64 answered = 0;
    friend bool operator==(const Participation&, const Participation&) = default;
};
/// Counted by the store, without reading the people: the windows ask again
/// every few seconds. 0 of 0 when the form has none; NotFound when the table
/// is missing.
Result<Participation> participationOf(AnswersStore& store, const QString& table);

/// `count` new personal codes for the participants of `table`: 8 characters
/// of the receipts' alphabet each, from a keyed digest of fresh random bytes
/// with the store's key, so nobody can make one that is taken without the
/// key, and none is in `taken` or given twice.
QStringList makeParticipantCodes(
    const QByteArray& key, const QString& table, qsizetype count, QSet<QString> taken);

/// `typed` as a code is compared: upper case, blanks and dashes left out.
QString normalizedCode(const QString& typed);
/// Whether `code` (normalized) could be a personal code: 8 characters of the alphabet.
bool isParticipantCode(const QString& code);
/// The participants whose answers are rows of `table`, by row id: none for
/// anonymous answers, whose rows nothing ties to a code.
Result<QHash<qint64, Participant>> participantsByAnswer(AnswersStore& store, const QString& table);
/// Whether a participant of `table` has `code` (normalized), and whether it was used to answer.
enum class CodeState { Unknown, NotAnswered, Answered };
Result<CodeState> participantCodeState(AnswersStore& store, const QString& table, const QString& code);

} // namespace quenlow
