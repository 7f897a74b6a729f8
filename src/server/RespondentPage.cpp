// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RespondentPage.h"

namespace quenlow {

namespace {

// Sized for phones only below a phone's width, so a desktop browser lays the
// page out as the designer saw it; buttons tall enough to tap everywhere, as
// tablets are touched too. Text inputs at 16 px: phones zoom into anything
// smaller.
const char kRespondentHead[] = "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                               "<style>"
                               "input[type=submit], input[type=reset], button { min-height: 44px; }"
                               ".answer-notice { background: #fff6cc; color: #000; border-left: 4px solid "
                               "#b00000; padding: 0.5em 0.75em; text-align: left; }"
                               ".earlier-answers { background: #e8f0fe; color: #000; border-left: 4px solid "
                               "#1a4f9c; padding: 0.5em 0.75em; text-align: left; }"
                               "@media (max-width: 40em) {"
                               "body { overflow-wrap: anywhere; -webkit-text-size-adjust: 100%; }"
                               "input, textarea, select { font-size: 16px; max-width: 100%; box-sizing: "
                               "border-box; }"
                               "input[type=checkbox], input[type=radio] { width: 24px; height: 24px; margin: "
                               "4px 6px 4px 0; vertical-align: middle; }"
                               "input[type=submit], input[type=reset], button { display: block; width: 100%; "
                               "margin: 8px 0; }"
                               "textarea { width: 100%; }"
                               "img, table { max-width: 100%; height: auto; }"
                               "}</style>";

} // namespace

QByteArrayView respondentHead()
{
    return QByteArrayView(kRespondentHead, sizeof(kRespondentHead) - 1);
}

} // namespace quenlow
