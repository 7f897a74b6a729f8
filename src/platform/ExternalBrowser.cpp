// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/ExternalBrowser.h"

#include <QDesktopServices>

namespace quenlow {

namespace {

std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> installed;
    return installed;
}

} // namespace

bool openInExternalBrowser(const QUrl& url)
{
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}

void setExternalBrowserOpener(std::function<bool(const QUrl&)> replacement)
{
    opener() = std::move(replacement);
}

} // namespace quenlow
