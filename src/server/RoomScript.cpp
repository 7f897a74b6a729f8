// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RoomScript.h"
#include "server/ServedScripts.h"

#include "model/HtmlText.h"

namespace quenlow {

namespace {

// Every page's answers are kept under its own token, never under its form
// alone: on a phone passed from person to person, a new page starts empty and
// never takes over the answers or the token of a page left behind. A reload
// brings the token back through its history entry (the page comes with a new
// one), so answers sent before the reload and again after it still store once.
// Sends that could not get through wait with the very post that was sent and
// go by themselves from any page of the service, never through another page's
// form.
const char kFormPageScript[] = R"JS((function () {
  'use strict';
  if (!window.fetch || !window.URLSearchParams) return;
  // Without storage (refused by the browser) the page still sends and retries; nothing is kept.
  var store = null;
  try { store = window.localStorage; } catch (e) { }
  var prefix = 'quenlow-answers:';
  var dayMs = 86400000, keptDrafts = 50;
  // The page's language speaks through its script tag; English when it says nothing.
  var own = document.currentScript;
  function said(name, english) { return (own && own.getAttribute(name)) || english; }
  var sendNow = said('data-send-now', 'Send now');
  var notSent = said('data-not-sent', 'Not sent yet \u2014 trying again\u2026');
  var oneWaiting = said('data-one-waiting', '1 earlier answer waiting to be sent');
  var manyWaiting = said('data-many-waiting', '%1 earlier answers waiting to be sent');
  // One sender of waiting answers per window: a page written over this one runs this script again.
  var queue = window.quenlowWaiting || (window.quenlowWaiting = { busy: false, timer: 0, waitMs: 0 });

  function read(token) {
    try {
      var entry = JSON.parse(store.getItem(prefix + token) || 'null');
      return entry && typeof entry === 'object' ? entry : null;
    } catch (e) { return null; }
  }
  function write(token, entry) { try { store.setItem(prefix + token, JSON.stringify(entry)); } catch (e) { } }
  function drop(token) { try { store.removeItem(prefix + token); } catch (e) { } }
  function tokens() {
    var all = [];
    try {
      for (var i = 0; i < store.length; i++) {
        var key = store.key(i);
        if (key && key.indexOf(prefix) === 0) all.push(key.slice(prefix.length));
      }
    } catch (e) { }
    return all;
  }
  function formOfPage() {
    for (var i = 0; i < document.forms.length; i++)
      if (document.forms[i].elements.submissionToken) return document.forms[i];
    return null;
  }
  function post(action, body) {
    // A network that drops mid-way may never answer: given up after a while, and tried again.
    var abort = window.AbortController ? new AbortController() : null;
    var limit = setTimeout(function () { if (abort) abort.abort(); }, 15000);
    return fetch(action, { method: 'POST', body: new URLSearchParams(body), credentials: 'same-origin',
                           cache: 'no-store', signal: abort ? abort.signal : undefined })
      .then(function (response) {
        clearTimeout(limit);
        if (response.status >= 500) throw new Error('not stored');
        return response.text().then(function (html) { return { ok: response.ok, html: html }; });
      }, function (error) { clearTimeout(limit); throw error; });
  }
  // Drafts of pages never sent go after a day, and only the latest are kept;
  // answers waiting to be sent are kept for a month.
  function sweep() {
    var now = Date.now(), drafts = [], all = tokens();
    for (var i = 0; i < all.length; i++) {
      var entry = read(all[i]);
      var age = entry && typeof entry.at === 'number' ? now - entry.at : Infinity;
      if (!entry || age > (entry.pending ? 30 * dayMs : dayMs)) drop(all[i]);
      else if (!entry.pending) drafts.push({ token: all[i], at: entry.at });
    }
    drafts.sort(function (a, b) { return b.at - a.at; });
    for (var j = keptDrafts; j < drafts.length; j++) drop(drafts[j].token);
  }

  // The answers other pages sent that wait for the service.
  function waiting() {
    var page = formOfPage(), mine = page ? page.elements.submissionToken.value : null;
    var all = tokens(), list = [];
    for (var i = 0; i < all.length; i++) {
      var entry = all[i] === mine ? null : read(all[i]);
      if (entry && entry.pending && typeof entry.body === 'string' && typeof entry.action === 'string')
        list.push(all[i]);
    }
    return list;
  }
  function showWaiting(count) {
    var note = document.querySelector('p.earlier-answers');
    if (!note && count) {
      note = document.createElement('p');
      note.className = 'earlier-answers';
      note.setAttribute('role', 'status');
      var page = formOfPage(), place = page || document.querySelector('main') || document.body;
      if (!place) return;
      place.insertBefore(note, place.firstChild);
    }
    if (!note) return;
    note.textContent = count === 1 ? oneWaiting : manyWaiting.replace('%1', String(count));
    note.hidden = !count;
  }
  function sendWaiting() {
    if (queue.busy) return;
    clearTimeout(queue.timer);
    var list = waiting();
    showWaiting(list.length);
    if (!list.length) { queue.waitMs = 0; return; }
    queue.busy = true;
    var failed = false, chain = Promise.resolve();
    list.forEach(function (token) {
      chain = chain.then(function () {
        var entry = read(token);
        if (failed || !entry || !entry.pending) return;
        return post(entry.action, entry.body).then(function (answer) {
          if (answer.ok) { drop(token); return; }
          // Refused (the form changed or closed, an answer out of bounds):
          // sending it again changes nothing; it stays a while as its page's draft.
          if (!read(token)) return;
          entry.pending = false;
          entry.at = Date.now();
          write(token, entry);
        }, function () { failed = true; });
      });
    });
    chain.then(function () {
      queue.busy = false;
      showWaiting(waiting().length);
      if (!failed) { queue.waitMs = 0; return; }
      queue.waitMs = Math.min(queue.waitMs ? queue.waitMs * 2 : 2000, 30000);
      queue.timer = setTimeout(sendWaiting, queue.waitMs);
    });
  }

  function keepPage(form) {
    var table = form.elements.tableName ? form.elements.tableName.value : location.pathname;
    var token = form.elements.submissionToken;
    var sending = false, queued = false, waitMs = 0, timer = 0, notice = null;

    // By its place in the form, or else by its name (and a box's value): a
    // page sent again shows shuffled options, statements and rankings in
    // another order, where the place would give the answer to another.
    function put(into, fields) {
      for (var i = 0; i < fields.length; i++) {
        var f = fields[i], e = into.elements[f[0]], valued = f.length > 3;
        if (!e || e.name !== f[1] || (valued && e.value !== f[3])) {
          e = null;
          for (var j = 0; j < into.elements.length && !e; j++) {
            var c = into.elements[j], box = c.type === 'checkbox' || c.type === 'radio';
            if (c.name === f[1] && box === valued && (!valued || c.value === f[3])) e = c;
          }
        }
        if (!e) continue;
        if (e.type === 'checkbox' || e.type === 'radio') e.checked = !!f[2]; else e.value = f[2];
      }
    }
    // Before drafts were kept per page there was one per form: one that was
    // sent and still waits goes on as a send of its own.
    try {
      var old = 'quenlow-draft:' + table, before = JSON.parse(store.getItem(old) || 'null');
      store.removeItem(old);
      if (before && before.pending && before.token && before.fields && before.token !== token.value) {
        var copy = form.cloneNode(true);
        put(copy, before.fields);
        copy.elements.submissionToken.value = before.token;
        write(before.token, { table: table, at: Date.now(), fields: before.fields, pending: true,
                              action: form.action, body: new URLSearchParams(new FormData(copy)).toString() });
      }
    } catch (e) { }

    var entry = history.state && typeof history.state === 'object' ? history.state : {};
    var earlier = typeof entry.quenlowToken === 'string' ? entry.quenlowToken : '';
    if (earlier && earlier !== token.value) {
      var his = read(earlier);
      if (his && his.table === table) token.value = earlier;
    }
    try {
      var next = {};
      for (var k in entry) next[k] = entry[k];
      next.quenlowToken = token.value;
      history.replaceState(next, '');
    } catch (e) { }

    function fields() {
      var all = [];
      for (var i = 0; i < form.elements.length; i++) {
        var e = form.elements[i];
        if (!e.name || e.type === 'hidden' || e.type === 'submit' || e.type === 'reset' || e.type === 'button') continue;
        var box = e.type === 'checkbox' || e.type === 'radio';
        all.push(box ? [i, e.name, e.checked, e.value] : [i, e.name, e.value]);
      }
      return all;
    }
    // A page sent and not yet stored keeps the very post, which goes on from
    // any page should this one be left.
    function save() {
      var draft = { table: table, at: Date.now(), fields: fields(), pending: queued };
      // The page a form of several pages shows (its paging script keeps it there).
      var shownPage = parseInt(form.getAttribute('data-page-shown'), 10);
      if (shownPage > 0) draft.page = shownPage;
      if (queued) {
        draft.action = form.action;
        draft.body = new URLSearchParams(new FormData(form)).toString();
      }
      write(token.value, draft);
    }
    function show(text) {
      if (!notice) {
        notice = document.createElement('p');
        notice.className = 'answer-notice';
        notice.setAttribute('role', 'status');
        var words = document.createElement('span');
        var button = document.createElement('button');
        button.type = 'button';
        button.textContent = sendNow;
        button.addEventListener('click', function () { send(); });
        notice.appendChild(words);
        notice.appendChild(button);
        form.insertBefore(notice, form.firstChild);
      }
      notice.firstChild.textContent = text + ' ';
      notice.hidden = false;
    }
    function retryLater() {
      show(notSent);
      waitMs = Math.min(waitMs ? waitMs * 2 : 2000, 30000);
      clearTimeout(timer);
      timer = setTimeout(send, waitMs);
    }
    function replaceWith(html) {
      document.open();
      document.write(html);
      document.close();
      // A page refused for an answer puts its box first.
      var refused = document.querySelector('[autofocus]');
      if (refused) refused.focus();
    }
    // The form as it stands, answers and all, as a page to write again.
    function snapshot() {
      if (notice) notice.hidden = true;
      for (var i = 0; i < form.elements.length; i++) {
        var e = form.elements[i];
        if (e.type === 'checkbox' || e.type === 'radio') e.defaultChecked = e.checked;
        else if (e.options) for (var o = 0; o < e.options.length; o++) e.options[o].defaultSelected = e.options[o].selected;
        else if (e.type !== 'hidden' && e.type !== 'submit' && e.type !== 'reset' && e.type !== 'button' && 'defaultValue' in e)
          e.defaultValue = e.value;
      }
      return '<!DOCTYPE html>' + document.documentElement.outerHTML;
    }
    // Thanked in place, on a history entry of its own: Back (or "Change your
    // answers") brings the form back as it was sent, with its token, so that
    // sending it again replaces those answers, as without script.
    function thanked(html) {
      var sentPage = snapshot(), sentToken = token.value;
      function showThanks() {
        replaceWith(html);
        var change = document.querySelector('a.change-answers');
        if (change) change.addEventListener('click', function (event) { event.preventDefault(); history.back(); });
        window.onpopstate = turned;
      }
      function turned(event) {
        var state = event.state || {};
        if (state.quenlowThanked === sentToken) showThanks();
        else if (state.quenlowToken === sentToken) { replaceWith(sentPage); window.onpopstate = turned; }
      }
      try { history.pushState({ quenlowThanked: sentToken }, ''); } catch (e) { }
      showThanks();
    }
    function send() {
      if (sending) return;
      clearTimeout(timer);
      sending = true;
      queued = true;
      save();
      post(form.action, new FormData(form))
        .then(function (answer) {
          sending = false;
          if (answer.ok) { drop(token.value); thanked(answer.html); return; }
          queued = false;
          save();
          replaceWith(answer.html);
        }, function () { sending = false; retryLater(); });
    }

    var draft = read(token.value);
    if (draft && draft.table === table && draft.fields) {
      put(form, draft.fields);
      if (typeof draft.page === 'number') form.setAttribute('data-page-shown', String(draft.page));
      if (draft.pending) { queued = true; retryLater(); }
    }
    form.addEventListener('input', save);
    form.addEventListener('change', save);
    form.addEventListener('quenlow-page', save);
    form.addEventListener('submit', function (event) {
      event.preventDefault();
      waitMs = 0;
      send();
    });
    window.addEventListener('online', function () { if (queued) send(); });
  }

  // A box's most characters as a person counts them: an emoji is one, where
  // the browser's own limit counts two. The service holds the same count.
  function countCharacters(form) {
    var boxes = form.querySelectorAll('input[maxlength]');
    for (var i = 0; i < boxes.length; i++) (function (box) {
      var most = box.maxLength;
      if (!(most > 0)) return;
      box.maxLength = most * 2;
      box.addEventListener('input', function () {
        var characters = Array.from(box.value);
        if (characters.length > most) box.value = characters.slice(0, most).join('');
      });
    })(boxes[i]);
  }

  sweep();
  var form = formOfPage();
  if (form) { countCharacters(form); keepPage(form); }
  window.addEventListener('online', sendWaiting);
  // Another page of this phone sent or stored answers: the count follows.
  window.addEventListener('storage', function (event) {
    if (!event.key || event.key.indexOf(prefix) === 0) showWaiting(waiting().length);
  });
  sendWaiting();
})();
)JS";

const char kResultsScript[] = R"JS((function () {
  'use strict';
  // Fetches the page again every few seconds and shows the fresh counts; says
  // so on the page while that fails. The projector's page turns every ten.
  var turnAt = Date.now() + 10000;
  function charts() { return document.querySelector('[data-pages]'); }
  function address() {
    var shown = charts();
    if (!shown) return location.href;
    var page = +shown.getAttribute('data-page'), pages = +shown.getAttribute('data-pages');
    if (pages > 1 && Date.now() >= turnAt) {
      page = page % pages + 1;
      turnAt = Date.now() + 10000;
    }
    return location.pathname + '?present&page=' + page;
  }
  function offline(on) {
    var notice = document.querySelector('.offline');
    if (notice) notice.textContent = on ? notice.getAttribute('data-text') : '';
  }
  function refresh() {
    var next = address();
    fetch(next, { cache: 'no-store' })
      .then(function (response) { return response.ok ? response.text() : null; })
      .then(function (html) {
        if (!html) { offline(true); return; }
        var fresh = new DOMParser().parseFromString(html, 'text/html').querySelector('main');
        var shown = document.querySelector('main');
        if (fresh && shown) shown.innerHTML = fresh.innerHTML;
        if (charts() && next !== location.pathname + location.search) history.replaceState(null, '', next);
      })
      .catch(function () { offline(true); })
      .then(function () {
        setTimeout(refresh, charts() ? Math.max(200, Math.min(3000, turnAt - Date.now())) : 3000);
      });
  }
  setTimeout(refresh, 3000);
})();
)JS";

} // namespace

QByteArray formPageScriptPath()
{
    return QByteArrayLiteral("/scripts/answers.js");
}

QByteArray resultsScriptPath()
{
    return QByteArrayLiteral("/scripts/results.js");
}

QByteArray formPageScript()
{
    return QByteArray::fromRawData(kFormPageScript, sizeof(kFormPageScript) - 1);
}

QByteArray resultsScript()
{
    return QByteArray::fromRawData(kResultsScript, sizeof(kResultsScript) - 1);
}

QByteArray formPageScriptTag(FormLanguage language)
{
    // English pages carry the script tag as they always did.
    QByteArray words;
    if (language != FormLanguage::English) {
        words = " data-send-now='"
            + escapeAttribute(respondentText(RespondentText::SendNow, language)).toUtf8()
            + "' data-not-sent='"
            + escapeAttribute(respondentText(RespondentText::NotSentYet, language)).toUtf8()
            + "' data-one-waiting='"
            + escapeAttribute(respondentText(RespondentText::EarlierAnswerWaiting, language)).toUtf8()
            + "' data-many-waiting='"
            + escapeAttribute(respondentText(RespondentText::EarlierAnswersWaiting, language)).toUtf8()
            + '\'';
    }
    return deferredScriptTag(formPageScriptPath(), words);
}

} // namespace quenlow
