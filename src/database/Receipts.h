// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace quenlow {

class AnswersStore;

/// The receipt of a stored answer: 8 characters of a keyed digest of its row
/// id and arrival time, from letters and digits no one mistakes for another
/// (no 0, O, 1, I, L, 5, S, 2, Z, 8, B, U, V). Made with the store's key, so
/// the service and the designer make the same, and nobody else can make one
/// that matches. The arrival makes row N of one form's receipt another than
/// row N of the next; a row stored without one has its id's digest alone,
/// as every receipt had before arrivals took part.
QString receiptFor(const QByteArray& key, qint64 rowId, const QDateTime& arrivedAt);

/// The key `store` made its receipts with, without making one: nothing when
/// it has none, as no receipt was given from it then.
Result<std::optional<QByteArray>> keptReceiptKey(AnswersStore& store);

/// `typed` as a receipt is compared: upper case, blanks and dashes left out.
QString normalizedReceipt(const QString& typed);

/// The row of `table` whose receipt is `receipt` (as typed); nothing when
/// none is. Reads the row ids once.
Result<std::optional<qint64>> findRowByReceipt(
    AnswersStore& store, const QString& table, const QString& receipt);

} // namespace quenlow
