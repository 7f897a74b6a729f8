// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/PagingScript.h"

namespace quenlow {

namespace {

// The checks are those of the service, in its words (the script tag carries
// them, and a typed box its own refusal): an answer missing, a box or one box
// of a group not ticked, nothing chosen, a typed answer the browser finds out
// of its kind or limits. Controls of a question that does not apply now are
// disabled by the conditions' script, and count for nothing. The buttons come
// after every control of the page, so the room's script finds each answer of
// a draft where it left it.
const char kPagingScript[] = R"JS((function () {
  'use strict';
  var own = document.currentScript;
  function said(name, english) { return (own && own.getAttribute(name)) || english; }
  var form = null;
  for (var f = 0; f < document.forms.length && !form; f++)
    if (document.forms[f].querySelector('section.form-page')) form = document.forms[f];
  if (!form || !form.closest) return;
  var pages = Array.prototype.slice.call(form.querySelectorAll('section.form-page'));
  if (pages.length < 2) return;
  var words = { next: said('data-next', 'Next'), back: said('data-back', 'Back'),
    of: said('data-page-of', 'Page %1 of %2'), answer: said('data-answer-question', 'Please answer this question.'),
    tick: said('data-tick-box', 'Please tick this box.'), tickOne: said('data-tick-one-box', 'Please tick at least one box.'),
    choose: said('data-choose-answer', 'Please choose an answer.') };
  var made = 0;
  function freshId(stem) { var id; do { id = stem + (++made); } while (document.getElementById(id)); return id; }

  form.noValidate = true;
  form.classList.add('paged');
  // A page written again as it was sent (to change the answers) has them already.
  var stale = form.querySelectorAll('.page-progress, .page-nav');
  for (var s = 0; s < stale.length; s++) stale[s].parentNode.removeChild(stale[s]);
  var progress = document.createElement('div');
  progress.className = 'page-progress';
  var counted = document.createElement('p');
  counted.id = freshId('page-count-');
  counted.tabIndex = -1;
  var bar = document.createElement('progress');
  bar.setAttribute('aria-labelledby', counted.id);
  progress.appendChild(counted);
  progress.appendChild(bar);
  pages[0].parentNode.insertBefore(progress, pages[0]);
  var nav = document.createElement('div');
  nav.className = 'page-nav';
  function button(text, name) {
    var b = document.createElement('button');
    b.type = 'button'; b.className = name; b.textContent = text;
    nav.appendChild(b);
    return b;
  }
  var back = button(words.back, 'page-back'), next = button(words.next, 'page-next');
  var last = pages[pages.length - 1];
  last.parentNode.insertBefore(nav, last.nextSibling);

  function asked(c) { return !c.disabled && !c.closest('[data-ask-if][hidden]'); }
  function controlsOf(page) {
    var all = page.querySelectorAll('input, select, textarea'), out = [];
    for (var i = 0; i < all.length; i++) {
      var t = all[i].type;
      if (t !== 'hidden' && t !== 'submit' && t !== 'reset' && t !== 'button' && t !== 'image') out.push(all[i]);
    }
    return out;
  }
  // Passed over: a page that asks questions of which none applies now. The
  // page with the submit button never is.
  function passed(i) {
    if (pages[i].querySelector('[type=submit]')) return false;
    var controls = controlsOf(pages[i]);
    for (var j = 0; j < controls.length; j++) if (asked(controls[j])) return false;
    return controls.length > 0;
  }
  function step(from, by) {
    for (var i = from + by; i >= 0 && i < pages.length; i += by) if (!passed(i)) return i;
    return -1;
  }
  function phoneLike(v) {
    var digits = v.replace(/[^0-9]/g, '').length;
    return /^\+?[0-9 ().\/-]+$/.test(v) && digits >= 3 && digits <= 20;
  }
  // What keeps a page's answers from being sent: each question with its note, in page order.
  function problemsOf(page) {
    var found = [], seen = {}, controls = controlsOf(page);
    for (var i = 0; i < controls.length; i++) {
      var c = controls[i], note = '', marked = [c];
      if (!asked(c) || !c.name || seen[c.name]) continue;
      if (c.type === 'checkbox') {
        var group = c.closest('fieldset:not(.choices)');
        if (group && group.querySelector('legend .required')) {
          var boxes = group.querySelectorAll('input[type=checkbox]'), ticked = false;
          marked = [];
          for (var b = 0; b < boxes.length; b++) {
            if (!asked(boxes[b])) continue;
            seen[boxes[b].name] = true;
            marked.push(boxes[b]);
            ticked = ticked || boxes[b].checked;
          }
          if (!ticked) note = words.tickOne;
        } else if (c.required && !c.checked) note = words.tick;
      } else if (c.type === 'radio') {
        var all = form.querySelectorAll('input[type=radio]'), chosen = false, required = false;
        marked = [];
        for (var r = 0; r < all.length; r++) {
          if (all[r].name !== c.name || !asked(all[r])) continue;
          marked.push(all[r]);
          chosen = chosen || all[r].checked;
          required = required || all[r].required;
        }
        if (required && !chosen) note = words.choose;
      } else if (c.tagName === 'SELECT') {
        if (c.required && c.value === '') note = words.choose;
      } else {
        var value = c.value.replace(/^\s+|\s+$/g, ''), refused = c.getAttribute('data-refused-note');
        var bad = !!(c.validity && c.validity.badInput);
        if (c.required && !value && !bad) note = words.answer;
        else if (refused && (bad || (value && ((c.validity && !c.validity.valid) || (c.type === 'tel' && !phoneLike(value))))))
          note = refused;
      }
      seen[c.name] = true;
      if (note) found.push({ name: c.name, note: note, controls: marked });
    }
    return found;
  }
  function clear(page) {
    var notes = page.querySelectorAll('p.answer-notice');
    for (var i = 0; i < notes.length; i++) notes[i].parentNode.removeChild(notes[i]);
    var marked = page.querySelectorAll('[aria-invalid]');
    for (var j = 0; j < marked.length; j++) {
      var kept = (marked[j].getAttribute('aria-describedby') || '').split(' ')
        .filter(function (id) { return id && document.getElementById(id); });
      marked[j].removeAttribute('aria-invalid');
      if (kept.length) marked[j].setAttribute('aria-describedby', kept.join(' '));
      else marked[j].removeAttribute('aria-describedby');
    }
  }
  // Each note above its question, as on a page the service refused; the first box refused takes the focus.
  function tell(page, problems) {
    clear(page);
    for (var i = 0; i < problems.length; i++) {
      var p = problems[i], note = document.createElement('p'), at = p.controls[0];
      var kinds = form.querySelectorAll('input[type=hidden]');
      for (var k = 0; k < kinds.length; k++) if (kinds[k].name === p.name + ' Type') { at = kinds[k]; break; }
      note.className = 'answer-notice';
      note.id = freshId('page-note-');
      note.textContent = p.note;
      at.parentNode.insertBefore(note, at);
      for (var c = 0; c < p.controls.length; c++) {
        var described = p.controls[c].getAttribute('aria-describedby');
        p.controls[c].setAttribute('aria-invalid', 'true');
        p.controls[c].setAttribute('aria-describedby', note.id + (described ? ' ' + described : ''));
      }
    }
    if (problems.length) problems[0].controls[0].focus();
  }

  var at = 0;
  function settle() {
    var n = 0, total = 0;
    for (var i = 0; i < pages.length; i++) {
      if (passed(i) && i !== at) continue;
      total++;
      if (i <= at) n++;
    }
    counted.textContent = words.of.replace('%1', n).replace('%2', total);
    bar.max = total;
    bar.value = n;
    back.hidden = step(at, -1) < 0;
    next.hidden = step(at, 1) < 0;
  }
  function show(i, moved) {
    at = i;
    for (var j = 0; j < pages.length; j++) pages[j].hidden = j !== i;
    form.setAttribute('data-page-shown', String(i + 1));
    settle();
    if (!moved) return;
    var heading = pages[i].querySelector('h2') || counted;
    heading.tabIndex = -1;
    progress.scrollIntoView();
    heading.focus({ preventScroll: true });
    form.dispatchEvent(new Event('quenlow-page'));
  }
  next.addEventListener('click', function () {
    var problems = problemsOf(pages[at]);
    tell(pages[at], problems);
    var to = step(at, 1);
    if (!problems.length && to >= 0) show(to, true);
  });
  back.addEventListener('click', function () {
    var to = step(at, -1);
    if (to >= 0) show(to, true);
  });
  // Before the room's script sends: Enter on a page before the last goes
  // on, and the last page's submit button checks every page that applies.
  document.addEventListener('submit', function (event) {
    if (event.target !== form) return;
    var stop = function () { event.preventDefault(); event.stopImmediatePropagation(); };
    if (step(at, 1) >= 0) { stop(); next.click(); return; }
    for (var i = 0; i < pages.length; i++) {
      var problems = passed(i) ? [] : problemsOf(pages[i]);
      if (!problems.length) continue;
      stop();
      if (i !== at) show(i, true);
      tell(pages[i], problems);
      return;
    }
  }, true);
  document.addEventListener('change', settle);
  form.addEventListener('reset', function () { setTimeout(settle, 0); });

  // A page sent again with notes opens where the first is; else where its draft was.
  var start = 0, refused = null, marks = form.querySelectorAll('[aria-invalid=true]');
  for (var m = 0; m < marks.length && !refused; m++) if (marks[m].closest('section.form-page')) refused = marks[m];
  if (refused) start = pages.indexOf(refused.closest('section.form-page'));
  else if (!form.querySelector('.answer-notice[role=alert]')) {
    var kept = parseInt(form.getAttribute('data-page-shown'), 10);
    if (kept >= 1 && kept <= pages.length) start = kept - 1;
  }
  if (passed(start)) start = step(start, 1) >= 0 ? step(start, 1) : Math.max(step(start, -1), 0);
  show(start, false);
  if (refused) refused.focus();
})();
)JS";

const char kPagingStyle[]
    = "<style>"
      "form.paged hr[data-page-break] { display: none; }"
      "form.paged section.form-page[hidden], .page-nav [hidden] { display: none !important; }"
      ".page-progress { margin: 0.5em 0 1em; }"
      ".page-progress p { margin: 0 0 0.25em; }"
      ".page-progress progress { display: block; width: 100%; height: 0.75em; }"
      ".page-nav { display: flex; gap: 12px; margin: 1.5em 0 1em; }"
      ".page-nav button { min-width: 44px; min-height: 44px; padding: 0 1.5em; font-size: 1em; }"
      ".page-nav .page-next { margin-left: auto; }"
      "@media (max-width: 40em) { .page-nav button { flex: 1 1 0; margin: 0; } }"
      "</style>";

} // namespace

QByteArray pagingScriptPath()
{
    return QByteArrayLiteral("/scripts/pages.js");
}

QByteArray pagingScript()
{
    return QByteArray::fromRawData(kPagingScript, sizeof(kPagingScript) - 1);
}

QByteArrayView pagingStyle()
{
    return QByteArrayView(kPagingStyle, sizeof(kPagingStyle) - 1);
}

} // namespace quenlow
