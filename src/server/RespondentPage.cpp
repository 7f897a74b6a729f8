// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RespondentPage.h"

namespace quenlow {

namespace {

// Sized for phones only below a phone's width, so a desktop browser lays the
// page out as the designer saw it; buttons tall enough to tap everywhere, as
// tablets are touched too. Text inputs at 16 px: phones zoom into anything
// smaller.
const char kRespondentHead[]
    = "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
      "<style>"
      "input[type=submit], input[type=reset], button { min-height: 44px; }"
      ".answer-notice { background: #fff6cc; color: #000; border-left: 4px solid "
      "#b00000; padding: 0.5em 0.75em; text-align: left; }"
      ".earlier-answers { background: #e8f0fe; color: #000; border-left: 4px solid "
      "#1a4f9c; padding: 0.5em 0.75em; text-align: left; }"
      // Our groups and hints keep the designer's look.
      "fieldset.choices { border: 0; margin: 0; padding: 0; min-width: 0; }"
      "fieldset.choices > legend { padding: 0; }"
      ".rule-hint { display: block; font-size: 0.9em; margin-top: 0.2em; }"
      // A backdrop keeps text readable on the darker patches of a background picture.
      "body[background] main { display: block; background: rgba(255, 255, 255, 0.7); "
      "padding: 0.25em 0.75em; border-radius: 6px; }"
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
      // A scale's end labels stand above its first and last number, which
      // share the row between them.
      ".scale-row { display: flex !important; flex-wrap: wrap !important; gap: 0 !important; width: 100%; }"
      ".scale-row > span { flex: 1 0 50%; padding: 0 !important; }"
      ".scale-row > span:first-child { order: -2; text-align: left; }"
      ".scale-row > span:last-child { order: -1; text-align: right; }"
      ".scale-row > label { flex: 1 1 0; min-width: 28px !important; }"
      ".scale-row input[type=radio] { margin: 4px 0 !important; }"
      "}</style>";

} // namespace

QByteArrayView respondentHead()
{
    return QByteArrayView(kRespondentHead, sizeof(kRespondentHead) - 1);
}

} // namespace quenlow
