// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/ConditionScript.h"
#include "server/ServedScripts.h"

#include <QStringBuilder>

namespace quenlow {

namespace {

// Blocks are settled in page order, so a block whose question sits in a
// hidden block is hidden too; a second pass settles the rare block that
// depends on a later one. Controls the script disabled are told from those
// the page disabled itself by a mark of ours; an answer the page marks
// data-required is required while its block is shown.
const char kConditionScript[] = R"JS((function () {
  'use strict';
  var blocks = document.querySelectorAll('[data-ask-if]');
  if (!blocks.length) return;
  function answerOf(form, name) {
    var answer = null;
    var controls = form ? form.elements : document.querySelectorAll('input, select');
    for (var i = 0; i < controls.length; i++) {
      var c = controls[i];
      if (c.name !== name || c.type === 'hidden') continue;
      if (c.disabled) return null;
      if (c.type === 'radio') { if (c.checked) answer = c.value; else if (answer === null) answer = ''; }
      else if (c.type === 'checkbox') return c.checked ? 'Checked' : 'Not Checked';
      else if (c.tagName === 'SELECT') {
        var o = c.options[c.selectedIndex];
        return o ? (o.hasAttribute('value') ? o.value : o.text.replace(/\s+/g, ' ').trim()) : '';
      } else return c.value;
    }
    return answer;
  }
  function settle(block, show) {
    block.hidden = !show;
    var controls = block.querySelectorAll('input, select, textarea, button, fieldset');
    for (var i = 0; i < controls.length; i++) {
      var c = controls[i];
      if (!show && !c.disabled) { c.disabled = true; c.setAttribute('data-ask-if-off', ''); }
      else if (show && c.hasAttribute('data-ask-if-off')) { c.disabled = false; c.removeAttribute('data-ask-if-off'); }
      if (c.hasAttribute('data-required')) c.required = show;
    }
  }
  function update() {
    for (var pass = 0; pass < 2; pass++) {
      for (var i = 0; i < blocks.length; i++) {
        var b = blocks[i];
        var form = b.closest('form');
        var shown = !b.parentElement || !b.parentElement.closest('[data-ask-if][hidden]');
        settle(b, shown && answerOf(form, b.getAttribute('data-ask-if')) === b.getAttribute('data-ask-if-answer'));
      }
    }
  }
  document.addEventListener('change', update);
  document.addEventListener('input', update);
  document.addEventListener('reset', function () { setTimeout(update, 0); });
  window.addEventListener('pageshow', update);
  update();
})();
)JS";

} // namespace

QByteArray conditionScriptPath()
{
    return QByteArrayLiteral("/scripts/conditions.js");
}

QByteArray conditionScript()
{
    return QByteArray::fromRawData(kConditionScript, sizeof(kConditionScript) - 1);
}

QByteArray conditionScriptTag()
{
    return deferredScriptTag(conditionScriptPath());
}

} // namespace quenlow
