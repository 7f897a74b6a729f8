// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quenlow {

/// The script of a form of several pages (each a `section.form-page` of the
/// page as sent): one page at a time, with a progress bar, "Page 2 of 4",
/// "Back" and "Next"; Next first checks the page's required and typed
/// answers and shows the notes a refused post would get, beside each
/// question; a page on which no question applies is passed over; the submit
/// button, on the last page, checks every page again. The page it shows is
/// kept as the form's `data-page-shown`, which the room's script keeps in the
/// draft (and is told of by the form's "quenlow-page" event). A page sent
/// again with notes opens at the first page with a problem. Without the
/// script every page follows the one before; the service checks the post
/// whole anyway.
QByteArray pagingScriptPath();
/// The script itself.
QByteArray pagingScript();

/// The look of the pages' progress and buttons, for the head of a page of several pages.
QByteArrayView pagingStyle();

} // namespace quenlow
