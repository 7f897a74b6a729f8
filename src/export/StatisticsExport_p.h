// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "export/AnswersExport.h"
#include "export/ExportFile.h"
#include "model/FormMethod.h"

#include <QByteArrayView>
#include <QDateTime>

#include <functional>
#include <optional>
#include <span>

// The SPSS, Stata and codebook writers, fed by the answers export's walk over
// the stored answers. Private to the export library.
namespace quenlow::exporting {

/// The form as the statistics files describe it.
struct StatisticsForm {
    QString title;
    QList<FormMethod> questions; // in the form's order
    QStringList headings; // their columns
};

/// One stored answer: its times and its cells (UTF-8, in heading order;
/// nothing for no answer), valid only during the visit.
using AnswerVisit = std::function<Result<void>(const std::optional<QDateTime>& submitted,
    const std::optional<QDateTime>& changed, std::span<const std::optional<QByteArrayView>> cells)>;
/// Walks every stored answer in storage order, as walk `pass` (from 0) of
/// `passes`, for the progress shown; the number walked, or the visit's
/// failure, or Cancelled.
using AnswerWalk = std::function<Result<qint64>(const AnswerVisit& visit, int pass, int passes)>;

ExportResult writeStatistics(const ExportRequest& request, const StatisticsForm& form, const AnswerWalk& walk,
    const ExportFile::Guard& guard);

} // namespace quenlow::exporting
