// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QUrl>

#include <functional>

namespace quenlow {

/// Opens `url` in the person's own web browser; false when none could be
/// started.
bool openInExternalBrowser(const QUrl& url);

/// Tests and the scenario driver: addresses go to `opener` instead of a
/// browser; an empty function restores the browser.
void setExternalBrowserOpener(std::function<bool(const QUrl&)> opener);

} // namespace quenlow
