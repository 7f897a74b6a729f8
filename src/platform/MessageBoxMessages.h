// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Messages.h"

#include <QPointer>
#include <QWidget>

namespace quenlow {

/// The desktop program's messages: a real modal message box over the active window.
class MessageBoxMessages final : public Messages
{
public:
    MessageAnswer show(const QString& title, const QString& text, MessageIcon icon, MessageButtons buttons,
        MessageAnswer defaultAnswer) override;
};

} // namespace quenlow
