// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/ChoiceScript.h"
#include "server/ServedScripts.h"

#include <QStringBuilder>

namespace quenlow {

namespace {

// An option button's or menu's answer is its value, or the box typed in
// beside an "Other:" choice; a tick box says nothing. A box named
// "<question> Other" belongs to the choice (or, in a group of tick boxes,
// the box) of value "Other:".
const char kChoiceScript[] = R"JS((function () {
  'use strict';
  var OTHER = 'Other:', SUFFIX = ' Other';
  function controls(form, name) {
    var found = [];
    var all = form ? form.elements : document.querySelectorAll('input, select, textarea');
    for (var i = 0; i < all.length; i++) if (all[i].name === name && all[i].type !== 'hidden') found.push(all[i]);
    return found;
  }
  function otherBox(form, name) { return controls(form, name + SUFFIX)[0] || null; }
  function chosen(form, name) {
    var cs = controls(form, name);
    for (var i = 0; i < cs.length; i++) {
      var c = cs[i];
      if (c.disabled) continue;
      if (c.type === 'radio') { if (c.checked) return c.value; }
      else if (c.tagName === 'SELECT') {
        var o = c.options[c.selectedIndex];
        return o ? (o.hasAttribute('value') ? o.value : o.text.replace(/\s+/g, ' ').trim()) : '';
      }
      else if (c.type !== 'checkbox') return c.value;
    }
    return '';
  }
  function ticked(form, name) {
    var cs = controls(form, name);
    for (var i = 0; i < cs.length; i++) if (cs[i].type === 'checkbox' && cs[i].value === OTHER && cs[i].checked) return true;
    return false;
  }
  function answerOf(form, name) {
    var answer = chosen(form, name);
    var box = otherBox(form, name);
    return answer === OTHER && box ? box.value : answer;
  }
  function fill(form, text) {
    return text.replace(/\{([^{}]+)\}/g, function (whole, name) {
      return controls(form, name).length ? answerOf(form, name) : whole;
    });
  }
  function update() {
    var spans = document.querySelectorAll('[data-pipe]');
    for (var i = 0; i < spans.length; i++) {
      var s = spans[i];
      s.textContent = answerOf(s.closest('form'), s.getAttribute('data-pipe'));
    }
    var options = document.querySelectorAll('option[data-pipe-text]');
    for (var j = 0; j < options.length; j++) {
      var o = options[j];
      o.textContent = fill(o.closest('form'), o.getAttribute('data-pipe-text'));
    }
    var boxes = document.querySelectorAll('input[name$="' + SUFFIX + '"]');
    for (var k = 0; k < boxes.length; k++) {
      var b = boxes[k], name = b.name.slice(0, -SUFFIX.length), form = b.closest('form');
      if (controls(form, name).length) b.required = !b.disabled && (chosen(form, name) === OTHER || ticked(form, name));
    }
  }
  // Typing an answer takes its "Other:" choice.
  document.addEventListener('input', function (e) {
    var b = e.target;
    if (!b.name || b.name.slice(-SUFFIX.length) !== SUFFIX || !b.value) return;
    var cs = controls(b.closest('form'), b.name.slice(0, -SUFFIX.length));
    for (var i = 0; i < cs.length; i++) {
      var c = cs[i];
      if ((c.type === 'radio' || c.type === 'checkbox') && c.value === OTHER) c.checked = true;
      else if (c.tagName === 'SELECT') for (var j = 0; j < c.options.length; j++) if (c.options[j].value === OTHER) c.selectedIndex = j;
    }
  }, true);
  document.addEventListener('change', update);
  document.addEventListener('input', update);
  document.addEventListener('reset', function () { setTimeout(update, 0); });
  window.addEventListener('pageshow', update);
  update();
})();
)JS";

} // namespace

QByteArray choiceScriptPath()
{
    return QByteArrayLiteral("/scripts/choices.js");
}

QByteArray choiceScript()
{
    return QByteArray::fromRawData(kChoiceScript, sizeof(kChoiceScript) - 1);
}

QByteArray choiceScriptTag()
{
    return deferredScriptTag(choiceScriptPath());
}

} // namespace quenlow
