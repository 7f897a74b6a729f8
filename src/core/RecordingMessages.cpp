// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/RecordingMessages.h"

#include <QStringList>

namespace quenlow {

MessageAnswer RecordingMessages::show(const QString& title, const QString& text, MessageIcon icon,
    MessageButtons buttons, MessageAnswer defaultAnswer)
{
    Box box { title, text, icon, buttons, defaultAnswer, MessageAnswer::Ok, false };
    if (!m_answers.isEmpty()) {
        box.answer = m_answers.dequeue();
    } else {
        box.unanswered = true;
        box.answer = buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    m_boxes.append(box);
    if (onShown)
        onShown(box);
    if (box.unanswered && onUnanswered)
        onUnanswered(box);
    return box.answer;
}

QStringList RecordingMessages::texts() const
{
    QStringList result;
    for (const Box& box : m_boxes)
        result.append(box.text);
    return result;
}

} // namespace quenlow
