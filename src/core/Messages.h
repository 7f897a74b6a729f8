// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

#include <functional>

namespace quenlow {

enum class MessageIcon { None, Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

/// Every message box of the program goes through this interface. The desktop
/// program installs one that shows a real box; tests and the scenario driver
/// install one that records the box and answers from a script.
class Messages
{
public:
    virtual ~Messages() = default;
    /// `defaultAnswer` is the button Enter presses (Ok for an OK box).
    virtual MessageAnswer show(const QString& title, const QString& text, MessageIcon icon,
        MessageButtons buttons, MessageAnswer defaultAnswer)
        = 0;

    /// The title every box of the program carries.
    static QString title() { return QStringLiteral("Quenlow"); }

    /// The process-wide instance; there is always one (a silent default that
    /// answers OK / No until the program installs its own).
    static Messages& instance();
    /// Installs `messages` (not owned); nullptr restores the silent default.
    static void install(Messages* messages);
};

// Shorthands for the kinds of box the program uses.
/// Refusal or error: exclamation icon, OK.
void showExclamation(const QString& text);
/// Completed work: information icon, OK.
void showInformation(const QString& text);
/// A question with Yes and No, Yes the default; true for Yes.
bool askYesNo(const QString& text, MessageIcon icon = MessageIcon::None);
/// A question whose Yes deletes or replaces something: No is the default, so
/// that a hasty Enter loses nothing. True for Yes.
bool askBeforeDestroying(const QString& text, MessageIcon icon = MessageIcon::None);

} // namespace quenlow
