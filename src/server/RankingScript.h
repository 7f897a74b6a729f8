// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quenlow {

/// The script that shows each ranking (`fieldset.qrank`) as a numbered list
/// whose items move with "Move up" and "Move down" buttons (real buttons,
/// named with their option; the focus stays on the item moved, and a live
/// note says its new place), and sets the option's menu of places to each
/// item's place, so that the post is what the menus would post. A required
/// ranking is placed as shown from the start; another once an item is
/// moved, so that one left alone stays unranked. Without it the menus show.
QByteArray rankingScriptPath();
/// The script itself.
QByteArray rankingScript();
/// The style of the list and the tag that loads the script, with the words
/// it shows and says (`moveUp`, `moveDown`, `moved`: "%1: place %2 of %3"),
/// escaped for an attribute.
QByteArray rankingHead(const QByteArray& moveUp, const QByteArray& moveDown, const QByteArray& moved);

} // namespace quenlow
