// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node access.mjs BASE FORMS_JSON SHOTS_DIR
// Every page a respondent sees, checked by axe-core (every rule, every
// impact) on a phone and at 1280 px zoomed to 200 %: each form of FORMS_JSON
// as sent, its 422, 409 and thank-you pages (of the first form), the closed
// form (BASE/closed.html), a post refused for a full quota (BASE/full.html),
// the results (of the first form) and the index.
// Prints one JSON line: the violations found, the pages that scroll
// sideways at 200 %, and what the first form's pages hold for people who do
// not see them. Screenshots go to SHOTS_DIR.
import { createRequire } from 'node:module';
import { launchChromium } from './browser.mjs';

const [base, formsJson, shots] = process.argv.slice(2);
const forms = JSON.parse(formsJson);
const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
const browser = await launchChromium();
const result = { violations: [], sideways: [], errors: [] };
const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
const desktop = await browser.newContext({ viewport: { width: 1920, height: 1080 } });
// 1280 × 800 at 200 %: the page gets 640 CSS pixels.
const zoomed = await browser.newContext({ viewport: { width: 640, height: 400 }, deviceScaleFactor: 2 });

const checked = async (page, name) => {
  await page.addScriptTag({ path: axePath });
  const found = await page.evaluate(async () => (await window.axe.run(document)).violations.map(
    (v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => String(n.target)).join(' | ')}`));
  for (const v of found) result.violations.push(`${name}: ${v}`);
};
const sideways = async (name, load) => {
  const page = await zoomed.newPage();
  await load(page);
  const wide = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
  if (wide > 0) result.sideways.push(`${name}: ${wide} px`);
  await page.close();
};
const open = async (context, path) => {
  const page = await context.newPage();
  page.setDefaultTimeout(10000);
  page.on('pageerror', (e) => result.errors.push(String(e)));
  await page.goto(`${base}${path}`);
  await page.waitForLoadState('load');
  return page;
};
// A grid's every statement answered: the first answer of each.
const gridAnswered = async (page) => {
  for (const row of await page.locator('.qgrid-row').all()) await row.locator('input[type=radio]').first().check();
};
// The first form's typed question refused (over its limit) and posted as a person would.
const refused = async (page) => {
  await page.locator('[name=Age]').fill('150');
  await page.evaluate(() => { document.querySelector('[name=Age]').form.noValidate = true; });
  await page.locator('input[type=submit]').click();
  await page.waitForFunction(() => document.querySelector('.answer-notice[role=alert]'));
  await page.waitForLoadState('load');
};
// A question the form does not have: the form changed since the page was sent.
const changed = async (page) => {
  await page.evaluate(() => {
    const gone = document.createElement('input');
    gone.type = 'hidden'; gone.name = 'Gone'; gone.value = 'x';
    document.forms[0].appendChild(gone);
  });
  await page.locator('[name=Age]').fill('42');
  await gridAnswered(page);
  await page.locator('input[type=submit]').click();
  await page.waitForFunction(() => document.querySelector('.answer-notice'));
  await page.waitForLoadState('load');
};
const thanked = async (page) => {
  await page.locator('[name=Age]').fill('42');
  await gridAnswered(page);
  await page.locator('input[type=submit]').click();
  await page.getByText('Thank you').first().waitFor();
};

try {
  for (const form of forms) {
    const page = await open(phone, `/${form}.html`);
    await checked(page, `${form} (phone)`);
    await page.close();
    await sideways(form, (p) => p.goto(`${base}/${form}.html`));
  }
  const first = forms[0];
  const shoot = async (page, name) => {
    await page.screenshot({ path: `${shots}/${name}.png`, fullPage: true });
  };
  for (const [context, width] of [[phone, 390], [desktop, 1920]]) {
    const page = await open(context, `/${first}.html`);
    await shoot(page, `form-${width}`);
    if (width === 390) {
      // What a phone shows and a screen reader reads before anything is sent.
      result.opened = await page.evaluate(() => {
        const box = (e) => e.getBoundingClientRect();
        const age = document.querySelector('[name=Age]');
        const described = (e) => (e.getAttribute('aria-describedby') || '').split(' ').filter(Boolean)
          .map((id) => document.getElementById(id)).filter(Boolean).map((n) => n.textContent.trim());
        const hint = age.getAttribute('aria-describedby') &&
          document.getElementById(age.getAttribute('aria-describedby').split(' ')[0]);
        const groups = [...document.querySelectorAll('fieldset')].map((f) => ({
          legend: f.querySelector('legend') ? f.querySelector('legend').textContent.trim() : '',
          options: f.querySelectorAll('input[type=radio]').length,
        }));
        // The scale's end labels beside its first and last number, on one line.
        const scale = [...document.querySelectorAll('[name=Rating]')];
        const row = scale.length ? scale[0].closest('label').parentElement : null;
        const ends = row ? [row.firstElementChild, row.lastElementChild] : [];
        const ofEnds = ends.map(box);
        const numbers = scale.map((e) => box(e.closest('label')));
        const first = numbers[0], last = numbers[numbers.length - 1];
        return {
          scrollWidth: document.documentElement.scrollWidth,
          ageDescribedBy: described(age),
          hintBelowBox: !!hint && box(hint).top >= box(age).bottom - 1,
          groups,
          scaleEnds: ends.map((e) => e.textContent.trim()),
          // The numbers on one row, the end labels just above its ends.
          oneRow: numbers.every((n) => Math.abs(n.top - first.top) < 1),
          lowAtFirst: ofEnds.length === 2 && Math.abs(ofEnds[0].left - first.left) < 2
            && ofEnds[0].bottom <= first.top + 1 && first.top - ofEnds[0].bottom < 8,
          highAtLast: ofEnds.length === 2 && Math.abs(ofEnds[1].right - last.right) < 2
            && ofEnds[1].bottom <= last.top + 1 && last.top - ofEnds[1].bottom < 8,
        };
      });
    }
    await refused(page);
    await shoot(page, `refused-${width}`);
    if (width === 390) {
      await checked(page, '422');
      result.refused = await page.evaluate(() => {
        const age = document.querySelector('[name=Age]');
        const ids = (age.getAttribute('aria-describedby') || '').split(' ').filter(Boolean);
        return {
          invalid: [...document.querySelectorAll('[aria-invalid=true]')].map((e) => e.name),
          describedBy: ids.map((id) => document.getElementById(id)).filter(Boolean)
            .map((n) => n.textContent.trim()),
          focused: document.activeElement ? document.activeElement.name || '' : '',
          alert: [...document.querySelectorAll('[role=alert]')].map((n) => n.textContent.trim()),
          age: age.value,
        };
      });
    }
    await page.close();
  }
  await sideways('422', async (p) => { await p.goto(`${base}/${first}.html`); await refused(p); });

  let page = await open(phone, `/${first}.html`);
  await changed(page);
  await checked(page, '409');
  await page.close();
  await sideways('409', async (p) => { await p.goto(`${base}/${first}.html`); await changed(p); });

  for (const [context, width] of [[phone, 390], [desktop, 1920]]) {
    page = await open(context, `/${first}.html`);
    await thanked(page);
    await shoot(page, `thanks-${width}`);
    if (width === 390) await checked(page, 'thank-you');
    await page.close();
  }
  await sideways('thank-you', async (p) => { await p.goto(`${base}/${first}.html`); await thanked(p); });

  page = await open(phone, '/closed.html');
  await checked(page, 'closed');
  await page.close();
  await sideways('closed', (p) => p.goto(`${base}/closed.html`));

  const quotaFull = async (page) => {
    await page.locator('input[value=North]').check();
    await page.locator('input[type=submit]').click();
    await page.getByText('people like you').first().waitFor();
  };
  for (const [context, width] of [[phone, 390], [desktop, 1920]]) {
    page = await open(context, '/full.html');
    await quotaFull(page);
    await shoot(page, `quota-${width}`);
    if (width === 390) await checked(page, 'quota full');
    await page.close();
  }
  await sideways('quota full', async (p) => { await p.goto(`${base}/full.html`); await quotaFull(p); });

  for (const [context, width] of [[phone, 390], [desktop, 1920]]) {
    page = await open(context, `/results/${first}.html`);
    await shoot(page, `results-${width}`);
    if (width === 390) {
      await checked(page, 'results');
      // What a screen reader finds of the charts: a table of the counts.
      result.results = await page.evaluate(() => [...document.querySelectorAll('table')].map(
        (t) => [...t.querySelectorAll('tr')].map((r) => [...r.children].map((c) => c.textContent.trim()).join('|'))));
    }
    await page.close();
  }
  await sideways('results', (p) => p.goto(`${base}/results/${first}.html`));

  page = await open(phone, '/');
  await checked(page, 'index');
  await page.close();
  await sideways('index', (p) => p.goto(`${base}/`));
} catch (e) {
  result.failure = String(e && e.stack || e);
} finally {
  console.log(JSON.stringify(result));
  await browser.close();
}
