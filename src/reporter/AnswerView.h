// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "reporter/AnswersTableModel.h"

#include <QDialog>

class QTextBrowser;

namespace quenlow {

/// One whole answer in a window of its own, "AnswerView": every question with
/// its answer, then when it was submitted and changed and its receipt, in
/// "AnswerText" (selectable); "CopyAnswer" copies it all as text.
class AnswerView final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerView)

public:
    AnswerView(const AnswersTableModel::Answer& answer, int number, QWidget* parent = nullptr);

    /// The answer as plain text, one "Question: answer" line each (what Copy copies).
    QString plainText() const { return m_plain; }

private:
    QString m_plain;
    QTextBrowser* m_text = nullptr;
};

} // namespace quenlow
