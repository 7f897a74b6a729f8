// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RankingScript.h"
#include "server/ServedScripts.h"

#include <QStringBuilder>

namespace quenlow {

namespace {

// The menus stay in the page, hidden, and carry the places: the room's
// script keeps them in a draft as any menu, and the service reads them as
// posted without script. A page sent again with places orders the list by them.
const char kRankingScript[] = R"JS((function () {
  'use strict';
  var own = document.currentScript;
  function said(name, english) { return (own && own.getAttribute(name)) || english; }
  var words = { up: said('data-move-up', 'Move up'), down: said('data-move-down', 'Move down'),
    moved: said('data-moved', '%1: place %2 of %3') };
  function fill(text, values) {
    return text.replace(/%(\d)/g, function (whole, n) { return values[n - 1] !== undefined ? values[n - 1] : whole; });
  }
  function setUp(set) {
    if (set.getAttribute('data-ranking-list')) return;
    set.setAttribute('data-ranking-list', '1');
    var items = Array.prototype.slice.call(set.querySelectorAll('.qrank-item'));
    if (items.length < 2) return;
    var entries = items.map(function (item, i) {
      var menu = item.querySelector('select');
      var label = item.querySelector('label');
      var text = '';
      if (label) for (var n = label.firstChild; n; n = n.nextSibling) if (n !== menu) text += n.textContent;
      return { item: item, menu: menu, text: text.replace(/\s+/g, ' ').trim(), shown: i };
    });
    function required() { return entries.some(function (e) { return e.menu && e.menu.required; }); }
    var given = entries.filter(function (e) { return e.menu && e.menu.value; }).length;
    var placed = required() || given > 0;
    if (given > 0) {
      entries.sort(function (a, b) {
        var pa = parseInt(a.menu.value, 10) || 1e9, pb = parseInt(b.menu.value, 10) || 1e9;
        return pa - pb || a.shown - b.shown;
      });
    }
    var list = document.createElement('ol');
    list.className = 'qrank-list';
    var live = document.createElement('p');
    live.className = 'qrank-live';
    live.setAttribute('aria-live', 'polite');
    function button(text, option, name) {
      var b = document.createElement('button');
      b.type = 'button';
      b.className = name;
      b.appendChild(document.createTextNode(text));
      var hidden = document.createElement('span');
      hidden.className = 'qrank-hidden';
      hidden.textContent = ': ' + option;
      b.appendChild(hidden);
      return b;
    }
    entries.forEach(function (e) {
      var li = document.createElement('li');
      var text = document.createElement('span');
      text.className = 'qrank-text';
      text.textContent = e.text;
      li.appendChild(text);
      e.upButton = button(words.up, e.text, 'qrank-up');
      e.downButton = button(words.down, e.text, 'qrank-down');
      li.appendChild(e.upButton);
      li.appendChild(e.downButton);
      e.li = li;
      list.appendChild(li);
      e.upButton.addEventListener('click', function () { move(e, -1); });
      e.downButton.addEventListener('click', function () { move(e, 1); });
      e.item.hidden = true;
    });
    // Notes the service put beside the ranking stay above the list.
    var notes = set.querySelectorAll('.qrank-item .answer-notice');
    var first = items[0];
    for (var k = 0; k < notes.length; k++) first.parentNode.insertBefore(notes[k], first);
    first.parentNode.insertBefore(list, first);
    first.parentNode.insertBefore(live, first);
    function update() {
      entries.forEach(function (e, i) {
        e.upButton.disabled = i === 0;
        e.downButton.disabled = i === entries.length - 1;
        if (!e.menu) return;
        e.menu.value = placed ? String(i + 1) : '';
        if (placed) e.menu.removeAttribute('aria-invalid');
      });
    }
    function move(e, by) {
      var at = entries.indexOf(e), to = at + by;
      if (to < 0 || to >= entries.length) return;
      entries.splice(at, 1);
      entries.splice(to, 0, e);
      list.insertBefore(e.li, by < 0 ? entries[to + 1].li : entries[to - 1].li.nextSibling);
      placed = true;
      update();
      // The focus stays on the item moved: on the same button while it can move on.
      var again = by < 0 ? e.upButton : e.downButton;
      (again.disabled ? (by < 0 ? e.downButton : e.upButton) : again).focus();
      live.textContent = fill(words.moved, [e.text, String(to + 1), String(entries.length)]);
      if (e.menu) e.menu.dispatchEvent(new Event('change', { bubbles: true }));
    }
    update();
    // A ranking asked only under a condition is required once shown: placed as shown then.
    set.quenlowPlace = function () { if (!placed && required()) { placed = true; update(); } };
  }
  function placeRequired() {
    var sets = document.querySelectorAll('fieldset.qrank');
    for (var i = 0; i < sets.length; i++) if (sets[i].quenlowPlace) sets[i].quenlowPlace();
  }
  document.addEventListener('change', placeRequired);
  document.addEventListener('click', function (e) {
    if (e.target && e.target.type === 'submit') placeRequired();
  }, true);
  function all() {
    var sets = document.querySelectorAll('fieldset.qrank');
    for (var i = 0; i < sets.length; i++) setUp(sets[i]);
  }
  all();
  window.addEventListener('pageshow', all);
})();
)JS";

// Each item numbered with its place (a flex item shows no list marker), its
// text taking what its two buttons leave of the line.
const char kRankingStyle[]
    = "<style>.qrank-list{margin:0.25em 0;padding:0;max-width:36em;list-style:none;counter-reset:qrank}"
      ".qrank-list li{display:flex;align-items:center;gap:6px;min-height:44px;padding:2px 0;"
      "border-top:1px solid #ccc}"
      ".qrank-list li::before{counter-increment:qrank;content:counter(qrank) \".\";min-width:1.5em;"
      "font-weight:bold}"
      ".qrank-text{flex:1 1 0;min-width:4em;overflow-wrap:anywhere}"
      ".qrank-list button{display:inline-block;flex:none;width:auto;min-width:44px;min-height:44px;margin:0}"
      ".qrank-hidden,.qrank-live{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);"
      "white-space:nowrap}.qrank-item[hidden]{display:none}</style>";

} // namespace

QByteArray rankingScriptPath()
{
    return QByteArrayLiteral("/scripts/ranking.js");
}

QByteArray rankingScript()
{
    return QByteArray::fromRawData(kRankingScript, sizeof(kRankingScript) - 1);
}

QByteArray rankingHead(const QByteArray& moveUp, const QByteArray& moveDown, const QByteArray& moved)
{
    QByteArray head(kRankingStyle);
    head += deferredScriptTag(rankingScriptPath(),
        " data-move-up='" + moveUp + "' data-move-down='" + moveDown + "' data-moved='" + moved + '\'');
    return head;
}

} // namespace quenlow
