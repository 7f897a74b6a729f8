// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "core/Messages.h"

namespace quenlow {

namespace {

class SilentMessages final : public Messages
{
public:
    MessageAnswer show(
        const QString&, const QString&, MessageIcon, MessageButtons buttons, MessageAnswer) override
    {
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
};

SilentMessages g_silent;
Messages* g_current = &g_silent;

} // namespace

Messages& Messages::instance()
{
    return *g_current;
}

void Messages::install(Messages* messages)
{
    g_current = messages ? messages : &g_silent;
}

void showExclamation(const QString& text)
{
    Messages::instance().show(
        Messages::title(), text, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok);
}

void showInformation(const QString& text)
{
    Messages::instance().show(
        Messages::title(), text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok);
}

bool askYesNo(const QString& text, MessageIcon icon)
{
    return Messages::instance().show(Messages::title(), text, icon, MessageButtons::YesNo, MessageAnswer::Yes)
        == MessageAnswer::Yes;
}

bool askBeforeDestroying(const QString& text, MessageIcon icon)
{
    return Messages::instance().show(Messages::title(), text, icon, MessageButtons::YesNo, MessageAnswer::No)
        == MessageAnswer::Yes;
}

} // namespace quenlow
