// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Messages.h"

#include <QList>
#include <QQueue>

#include <functional>

namespace quenlow {

/// Records every box and answers it from a queue. Used by the tests and by the
/// scenario driver. A box with no queued answer is answered OK (or No) and
/// reported through `onUnanswered`, so a test can fail at once instead of hanging.
class RecordingMessages final : public Messages
{
public:
    struct Box {
        QString title;
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
        MessageAnswer defaultAnswer;
        MessageAnswer answer;
        bool unanswered;
    };

    MessageAnswer show(const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons,
        MessageAnswer defaultAnswer) override;

    void queueAnswer(MessageAnswer answer) { m_answers.enqueue(answer); }
    int pendingAnswers() const { return int(m_answers.size()); }
    const QList<Box>& boxes() const { return m_boxes; }
    /// Texts of the boxes shown so far.
    QStringList texts() const;
    void clear()
    {
        m_boxes.clear();
        m_answers.clear();
    }

    /// Called for each box as it appears (after it was recorded).
    std::function<void(const Box&)> onShown;
    /// Called when a box appears with no queued answer.
    std::function<void(const Box&)> onUnanswered;

private:
    QQueue<MessageAnswer> m_answers;
    QList<Box> m_boxes;
};

} // namespace quenlow
