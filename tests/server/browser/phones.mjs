// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node phones.mjs BASE SHOTS_DIR
// One phone passed from person to person (one browser profile), on the
// survey at BASE/survey.html: A and A' send while posts cannot get through
// and leave; B opens the form, types and sends once posts get through again; C
// types and reloads, D opens the form beside C's page; E is refused (an age
// over the limit) and leaves, F opens the form (where a send left waiting
// by an older script goes on) and sends. Prints one JSON line
// of what each page held; screenshots go to SHOTS_DIR (earlier-answer-390.png).
import { createRequire } from 'node:module';
import { launchChromium } from './browser.mjs';

const [base, shots] = process.argv.slice(2);
const browser = await launchChromium();
const result = { errors: [] };
const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
const open = async () => {
  const page = await phone.newPage();
  page.setDefaultTimeout(10000);
  page.on('pageerror', (e) => result.errors.push(String(e)));
  page.on('console', (m) => {
    if (m.type() === 'error' && !/ERR_(INTERNET_DISCONNECTED|FAILED)|Failed to load resource/.test(m.text()))
      result.errors.push(m.text());
  });
  await page.goto(`${base}/survey.html`);
  await page.waitForLoadState('load');
  return page;
};
const held = (page) => page.evaluate(() => {
  const q = (n) => document.querySelector(`[name=${JSON.stringify(n)}]:not([type=hidden])`);
  const note = document.querySelector('.earlier-answers');
  return { name: q('Name').value, comments: q('Comments').value, age: q('Age').value,
           token: document.querySelector('[name=submissionToken]').value,
           earlier: note && !note.hidden ? note.innerText.trim() : '' };
});
const kept = (page) => page.evaluate(() => Object.keys(localStorage).map((k) => {
  let entry = null;
  try { entry = JSON.parse(localStorage.getItem(k)); } catch (e) { }
  return { key: k, pending: !!(entry && entry.pending) };
}));
const step = async (name, work) => {
  try { await work(); } catch (e) { result[name] = { ...(result[name] || {}), failure: String(e) }; }
};

try {
  // Posts fail as on a network that is gone; pages already loaded stay.
  const down = (route) => route.abort('internetdisconnected');
  await phone.route('**/scripts/save.asp', down);

  // Two people send and leave; the second page already sees the first send waiting.
  await step('a', async () => {
    result.a = [];
    for (const name of ['Ann', 'Abe']) {
      const a = await open();
      const opened = await held(a);
      await a.locator('[name=Name]').fill(name);
      await a.locator('[name=Comments]').fill(`${name}'s comment`);
      await a.locator('input[type=submit]').tap();
      await a.getByText('Not sent yet').waitFor();
      result.a.push({ opened, sent: await held(a) });
      await a.close();
    }
  });

  const b = await open();
  await step('b', async () => {
    result.b = { opened: await held(b) };
    await b.screenshot({ path: `${shots}/earlier-answer-390.png` });
    await b.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
    // The note adds no finding of its own, and the page none against WCAG.
    Object.assign(result.b, await b.evaluate(async () => {
      const named = (violations) => violations.map((v) => `${v.id} (${v.impact})`);
      const all = (await window.axe.run(document)).violations;
      const wcag = await window.axe.run(document,
        { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] } });
      return {
        noteViolations: named(all.filter((v) => v.nodes.some((n) => String(n.target).includes('earlier-answers')))),
        wcagViolations: named(wcag.violations),
        pageViolations: named(all),
      };
    }));
  });
  await step('b', async () => {
    await b.locator('[name=Comments]').fill("B's comment");
    await b.locator('[name=Name]').fill('Bea');
    await b.waitForTimeout(3000); // longer than any retry of an earlier send
    await phone.unroute('**/scripts/save.asp', down);
    const since = Date.now();
    await b.waitForFunction(() => {
      const note = document.querySelector('.earlier-answers');
      return !note || note.hidden;
    }, null, { timeout: 60000 });
    result.b.earlierSentAfterMs = Date.now() - since;
    await b.locator('input[type=submit]').tap();
    await b.getByText('Thank you').first().waitFor();
    result.b.thanked = true;
    result.b.kept = await kept(b);
  });
  await b.close();

  // A reload brings this page's own draft back; a new page beside it starts empty.
  await step('c', async () => {
    const c = await open();
    await c.locator('[name=Name]').fill('Cy');
    const before = await held(c);
    await c.reload();
    await c.waitForLoadState('load');
    result.c = { before, reloaded: await held(c) };
    const d = await open();
    result.d = await held(d);
    await d.close();
    await c.close();
  });

  // Refused, then left: the next page has neither the answers nor the token.
  await step('e', async () => {
    const e = await open();
    await e.locator('[name=Name]').fill('Eve');
    await e.locator('[name=Age]').fill('150');
    await e.evaluate(() => { document.querySelector('[name=Age]').form.noValidate = true; });
    const [response] = await Promise.all([
      e.waitForResponse((r) => r.request().method() === 'POST'),
      e.locator('input[type=submit]').tap(),
    ]);
    await e.waitForFunction(() => document.readyState === 'complete' && !!document.querySelector('[name=Age]'));
    await e.waitForTimeout(300); // the written page's scripts
    result.e = { status: response.status(), ...(await held(e)) };
    await e.evaluate(() => {
      // A draft of a page left a day ago is not kept.
      localStorage.setItem('quenlow-answers:' + 'f'.repeat(64),
        JSON.stringify({ table: 'tbl_survey', at: Date.now() - 2 * 86400000, fields: [], pending: false }));
      // A send left waiting by the script of before, kept per form.
      const name = document.querySelector('[name=Name]');
      localStorage.setItem('quenlow-draft:tbl_survey', JSON.stringify({ token: 'e'.repeat(64), pending: true,
        fields: [[[...name.form.elements].indexOf(name), 'Name', 'Old']] }));
    });
    await e.close();
  });
  await step('f', async () => {
    const f = await open();
    result.f = await held(f);
    await f.locator('[name=Name]').fill('Fay');
    await f.waitForFunction(() => {
      const note = document.querySelector('.earlier-answers');
      return !note || note.hidden;
    });
    await f.locator('input[type=submit]').tap();
    await f.getByText('Thank you').first().waitFor();
    result.f.thanked = true;
    result.f.kept = await kept(f);
  });
} catch (e) {
  result.failure = String(e);
} finally {
  await browser.close();
}
console.log(JSON.stringify(result));
