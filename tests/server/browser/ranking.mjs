// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node ranking.mjs BASE SHOTS_DIR
// The form at BASE/tastes.html: a required ranking of three drinks shown in
// an order of each page's own, and a ranking of two sports that may be left
// unranked. On a phone with the page's scripts the drinks are a list moved
// with buttons by keyboard alone, kept through a reload, then sent; without script a partial
// ranking of the sports is refused (422) and its places come back. axe-core
// checks every state at 390 and 1920 px wide. Prints one JSON line of what
// it saw; screenshots go to SHOTS_DIR.
import { createRequire } from 'node:module';
import { launchChromium } from './browser.mjs';

const [base, shots] = process.argv.slice(2);
const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
const browser = await launchChromium();
const result = { states: {}, violations: [], errors: [] };
const url = `${base}/tastes.html`;

// What a person sees of the rankings now.
const state = (page) => page.evaluate(() => {
  const shown = (e) => !!e && e.offsetParent !== null;
  const focused = document.activeElement;
  return {
    lists: [...document.querySelectorAll('ol.qrank-list')].map((l) => [...l.querySelectorAll('li .qrank-text')]
      .map((t) => t.textContent)),
    menusShown: [...document.querySelectorAll('fieldset.qrank select')].filter(shown).length,
    places: Object.fromEntries([...document.querySelectorAll('fieldset.qrank select')].map((s) => [s.name, s.value])),
    buttons: [...document.querySelectorAll('ol.qrank-list button')].map((b) => b.textContent),
    live: [...document.querySelectorAll('.qrank-live')].map((p) => p.textContent),
    focused: focused && focused.tagName === 'BUTTON' ? focused.textContent : '',
    notes: [...document.querySelectorAll('p.answer-notice')].filter(shown).map((p) => p.textContent),
    smallest: Math.min(...[...document.querySelectorAll('ol.qrank-list button, fieldset.qrank select')].filter(shown)
      .map((b) => Math.round(b.getBoundingClientRect().height))),
    sideways: document.documentElement.scrollWidth - window.innerWidth,
  };
});
const look = async (page, name) => {
  await page.addScriptTag({ path: axePath });
  const found = await page.evaluate(async () => (await window.axe.run(document)).violations.map(
    (v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => String(n.target)).join(' | ')}`));
  for (const v of found) result.violations.push(`${name}: ${v}`);
  result.states[name] = await state(page);
  await page.screenshot({ path: `${shots}/ranking-${name}.png`, fullPage: true });
};
const opened = async (context) => {
  const page = await context.newPage();
  page.setDefaultTimeout(15000);
  page.on('pageerror', (e) => result.errors.push(String(e)));
  await page.goto(url);
  await page.waitForLoadState('load');
  return page;
};

try {
  const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
  const page = await opened(phone);
  await look(page, 'phone');
  await page.locator('label').getByText('Green', { exact: true }).tap();
  // By keyboard: the first drink's "Move down" pressed twice, the focus staying on it.
  await page.locator('ol.qrank-list').first().locator('li').first().locator('button.qrank-down').focus();
  await page.keyboard.press('Enter');
  result.states['phone-moved-once'] = await state(page);
  await page.keyboard.press('Enter');
  result.states['phone-moved-twice'] = await state(page);
  await page.keyboard.press('Shift+Tab');
  await page.keyboard.press('Space');
  await look(page, 'phone-moved-back');
  // The draft keeps the places: the list comes back in the order left.
  await page.reload();
  await page.waitForLoadState('load');
  result.states['phone-reloaded'] = await state(page);
  // Shown in another order after each reload, an option button keeps its choice.
  result.colours = [];
  for (let i = 0; i < 3; i++) {
    result.colours.push(await page.evaluate(() => (document.querySelector('input[name=Colour]:checked') || {}).value || ''));
    await page.reload();
    await page.waitForLoadState('load');
  }
  const [sent] = await Promise.all([
    page.waitForResponse((r) => r.request().method() === 'POST'),
    page.locator('input[type=submit]').click(),
  ]);
  result.sentStatus = sent.status();
  await page.getByText('Thank you').first().waitFor();

  const desktop = await browser.newContext({ viewport: { width: 1920, height: 1080 } });
  await look(await opened(desktop), 'desktop');

  for (const [name, options] of [['noscript-390', { viewport: { width: 390, height: 844 }, isMobile: true }],
    ['noscript-1920', { viewport: { width: 1920, height: 1080 } }]]) {
    const context = await browser.newContext(options);
    await context.route('**/scripts/*.js', (route) => route.abort());
    const plain = await opened(context);
    await look(plain, name);
    if (name === 'noscript-390') {
      for (const [drink, place] of [['Tea', '3'], ['Coffee', '1'], ['Cocoa', '2']])
        await plain.locator(`select[name="${drink}"]`).selectOption(place);
      await plain.locator('select[name="Golf"]').selectOption('1');
      const [refused] = await Promise.all([
        plain.waitForResponse((r) => r.request().method() === 'POST'),
        plain.locator('input[type=submit]').click(),
      ]);
      result.refusedStatus = refused.status();
      await plain.waitForSelector('.answer-notice');
      await look(plain, 'noscript-390-refused');
    }
    await context.close();
  }
} catch (e) {
  result.failure = String(e && e.stack || e);
} finally {
  console.log(JSON.stringify(result));
  await browser.close();
}
