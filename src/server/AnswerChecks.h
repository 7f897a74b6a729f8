// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/Publication.h"
#include "model/RespondentTexts.h"
#include "server/AnswerWriter.h"
#include "server/FormFields.h"

#include <QList>

namespace quenlow {

/// Holds placed answers to what each question asks, whatever the page let
/// through: a question that does not apply stores nothing (its answer becomes
/// no value, even when posted); a typed answer is stored in its one spelling
/// ("3,5" as "3.5", a date as year-month-day). Returns, for each question
/// whose answer cannot be stored, its field and what is wrong in the words
/// shown beside it; nothing when every answer may be stored. A scale takes
/// only the values `charted` gives it; check boxes asked as one question are
/// checked as one, their note under the first box's field.
FormFields checkAnswers(const QList<PostedQuestion>& questions, const QList<ChartedQuestion>& charted,
    QList<Answer>& answers, FormLanguage language = FormLanguage::English);

} // namespace quenlow
