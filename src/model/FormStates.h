// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "database/Participants.h"
#include "model/FormSettings.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace quenlow {

class FormSession;

/// One form of the program folder as the person collecting answers sees it.
struct FormOverview {
    QString name; // "survey": its page is survey.html, its table tbl_survey
    QString title; // the header's text
    FormSettings settings;
    std::optional<qint64> answers; // nothing when the store could not tell
    /// Of those invited, how many answered; nothing when it invited nobody
    /// (or the store could not tell).
    std::optional<Participation> participation;
    /// The answers each of its quotas counts, in the order of its settings;
    /// nothing where the store could not tell.
    QList<std::optional<qint64>> quotaCounts {};

    /// Whether it takes answers at `now`.
    bool isOpen(const QDateTime& now) const { return settings.isOpen(now, answers); }
};

/// The forms of the program folder (those with a page and a readable
/// collection file that starts with a header), by name.
QList<FormOverview> formOverviews(const FormSession& session);

/// "Open", "Closed", "Closed since …" (its closing time has passed) or
/// "Full (N answers)" (its limit is reached), as the lists show it.
QString formStateText(const FormOverview& form, const QDateTime& now);

/// Each quota with its count ("North 12 of 50"), as the lists show them.
QStringList quotaCountTexts(const FormOverview& form);

/// Opens or closes a form for answers: its header's setting is written into
/// its collection file (into the open form when it is the one open) and the
/// form is published again for collection servers elsewhere. A form closed by
/// its time or limit is reopened by clearing them.
Result<void> setAcceptingAnswers(FormSession& session, const QString& formName, bool accepting);

} // namespace quenlow
