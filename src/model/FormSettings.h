// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/RespondentTexts.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace quenlow {

struct FormMethod;

/// At most `limit` answers whose question `question` (named as the form asks
/// it) has the answer `answer` (as stored).
struct FormQuota {
    QString question;
    QString answer;
    qint64 limit = 0;

    friend bool operator==(const FormQuota&, const FormQuota&) = default;
};

/// The settings of a form that say how it is collected, kept in the header's
/// record as extra key lines, each only when it differs from its default: a
/// form that uses none is written exactly as before they existed.
struct FormSettings {
    bool showResults = false; // the live results page is served
    bool acceptingAnswers = true; // the designer has not closed the form
    QDateTime closingTime; // the moment after which it takes no answers (kept in UTC); invalid for none
    std::optional<qint64> answerLimit; // it takes no answers once this many are stored
    QString thankYouText; // the thanks shown after sending; empty for the usual one
    bool offerAnotherAnswer = false; // the thank-you page offers "Send another answer"
    FormLanguage language = FormLanguage::English; // of the page as sent and the texts the service adds
    QList<FormQuota> quotas; // counted by the store as it stores each row
    // Invited people only: each answers with the personal code of a participant.
    bool invitedOnly = false;
    bool anonymousAnswers = false; // with invitedOnly: nothing tells which answer is whose

    friend bool operator==(const FormSettings&, const FormSettings&) = default;

    /// Open for answers at `now` with `stored` answers stored (a limit is
    /// only looked at when `stored` is known).
    bool isOpen(const QDateTime& now, std::optional<qint64> stored = std::nullopt) const;
};

/// Whether `key` is the key line of a form setting.
bool isFormSettingKey(const QString& key);
/// The settings a header's record holds; the defaults where it holds none.
/// Values that cannot be read (a hand-edited file) count as their default.
FormSettings formSettingsOf(const QList<std::pair<QString, QString>>& lines);
FormSettings formSettingsOf(const FormMethod& header);
/// The key lines (key, value) that hold `settings`: none for the defaults.
QList<std::pair<QString, QString>> formSettingLines(const FormSettings& settings);
/// Puts `settings` into the header's record, replacing what it held.
void setFormSettings(FormMethod& header, const FormSettings& settings);

/// The lines as one text (key and value lines, CR LF after each), as
/// published for collection servers elsewhere; empty for the defaults.
QString formSettingsText(const FormSettings& settings);
FormSettings formSettingsFromText(const QString& text);

} // namespace quenlow
