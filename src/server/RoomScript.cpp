// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/RoomScript.h"

#include "model/HtmlText.h"
#include "server/RespondentPage.h"

namespace quenlow {

namespace {

// Drafts live under one key per form, holding the token of the page they were
// typed in: a reload gets a new token, and the draft brings its own back, so
// answers sent before the reload and again after it still store once.
const char kFormPageScript[] = R"JS((function () {
  'use strict';
  var form = null;
  for (var i = 0; i < document.forms.length && !form; i++)
    if (document.forms[i].elements.submissionToken) form = document.forms[i];
  if (!form || !window.fetch) return;
  var table = form.elements.tableName ? form.elements.tableName.value : location.pathname;
  var key = 'quenlow-draft:' + table;
  var token = form.elements.submissionToken;
  var sending = false, waitMs = 0, timer = 0, notice = null;
  // The page's language speaks through its script tag; English when it says nothing.
  var own = document.currentScript;
  var sendNow = (own && own.getAttribute('data-send-now')) || 'Send now';
  var notSent = (own && own.getAttribute('data-not-sent')) || 'Not sent yet \u2014 trying again\u2026';

  function read() {
    try { return JSON.parse(localStorage.getItem(key) || 'null'); } catch (e) { return null; }
  }
  function save(pending) {
    var fields = [];
    for (var i = 0; i < form.elements.length; i++) {
      var e = form.elements[i];
      if (!e.name || e.type === 'hidden' || e.type === 'submit' || e.type === 'reset' || e.type === 'button') continue;
      fields.push([i, e.name, (e.type === 'checkbox' || e.type === 'radio') ? e.checked : e.value]);
    }
    try { localStorage.setItem(key, JSON.stringify({ token: token.value, fields: fields, pending: !!pending })); } catch (e) { }
  }
  function forget() { try { localStorage.removeItem(key); } catch (e) { } }
  function restore(draft) {
    if (draft.token) token.value = draft.token;
    for (var i = 0; i < draft.fields.length; i++) {
      var f = draft.fields[i], e = form.elements[f[0]];
      if (!e || e.name !== f[1]) continue;
      if (e.type === 'checkbox' || e.type === 'radio') e.checked = !!f[2]; else e.value = f[2];
    }
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
  }
  function send() {
    if (sending) return;
    clearTimeout(timer);
    sending = true;
    var body = new URLSearchParams(new FormData(form));
    // A network that drops mid-way may never answer: given up after a while, and tried again.
    var abort = window.AbortController ? new AbortController() : null;
    var limit = setTimeout(function () { if (abort) abort.abort(); }, 15000);
    fetch(form.action, { method: 'POST', body: body, credentials: 'same-origin', cache: 'no-store',
                         signal: abort ? abort.signal : undefined })
      .then(function (response) {
        clearTimeout(limit);
        if (response.status >= 500) throw new Error('not stored');
        return response.text().then(function (html) {
          if (response.ok) forget();
          else save(false);
          sending = false;
          replaceWith(html);
        });
      })
      .catch(function () { clearTimeout(limit); sending = false; retryLater(); });
  }

  var draft = read();
  if (draft && draft.fields) {
    restore(draft);
    if (draft.pending) retryLater();
  }
  form.addEventListener('input', function () { save(false); });
  form.addEventListener('change', function () { save(false); });
  form.addEventListener('submit', function (event) {
    event.preventDefault();
    save(true);
    waitMs = 0;
    send();
  });
  window.addEventListener('online', function () { if (read() && read().pending) send(); });
})();
)JS";

const char kResultsScript[] = R"JS((function () {
  'use strict';
  function refresh() {
    fetch(location.href, { cache: 'no-store' })
      .then(function (response) { return response.ok ? response.text() : null; })
      .then(function (html) {
        if (!html) return;
        var fresh = new DOMParser().parseFromString(html, 'text/html').querySelector('main');
        var shown = document.querySelector('main');
        if (fresh && shown) shown.innerHTML = fresh.innerHTML;
      })
      .catch(function () { })
      .then(function () { setTimeout(refresh, 3000); });
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

std::optional<QByteArray> roomScript(QByteArrayView path)
{
    if (path == formPageScriptPath())
        return QByteArray::fromRawData(kFormPageScript, sizeof(kFormPageScript) - 1);
    if (path == resultsScriptPath())
        return QByteArray::fromRawData(kResultsScript, sizeof(kResultsScript) - 1);
    return std::nullopt;
}

QByteArray withFormPageScript(const QByteArray& sentPage, FormLanguage language)
{
    // English pages carry the script tag as they always did.
    QByteArray words;
    if (language != FormLanguage::English) {
        words = " data-send-now='"
            + escapeAttribute(respondentText(RespondentText::SendNow, language)).toUtf8()
            + "' data-not-sent='"
            + escapeAttribute(respondentText(RespondentText::NotSentYet, language)).toUtf8() + '\'';
    }
    // The page carries our stylesheet once, where its head starts: the script goes just after it.
    const QByteArrayView head = respondentHead();
    const qsizetype at = sentPage.indexOf(head);
    if (at < 0)
        return sentPage;
    QByteArray page = sentPage;
    page.insert(
        at + head.size(), "<script src=\"" + formPageScriptPath() + "\" defer" + words + "></script>");
    return page;
}

} // namespace quenlow
