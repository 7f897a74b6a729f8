// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node projector.mjs ADDRESS SHOTS_DIR (ADDRESS on the host room.test)
// A projector at 1920×1080 showing the results page ADDRESS (…?present):
// what fits the screen, the page turning by itself, the accessibility
// check, and the notice once the service is gone (it prints
// {"step":"stop"} and waits for a line on standard input while the test
// stops the service). Prints one JSON line of what it saw.
import { createInterface } from 'node:readline';
import { createRequire } from 'node:module';
import { launchChromium } from './browser.mjs';

const [address, shots] = process.argv.slice(2);
const lines = createInterface({ input: process.stdin });
const waitLine = () => new Promise((resolve) => lines.once('line', resolve));
const step = async (name) => { console.log(JSON.stringify({ step: name })); await waitLine(); };

// The projector's view of the page: whether it scrolls, and where each chart
// and the code are drawn.
const measure = (page) => page.evaluate(() => {
  const inside = (r) => r.top >= 0 && r.left >= 0 && r.bottom <= innerHeight + 0.5 && r.right <= innerWidth + 0.5;
  const scroller = document.scrollingElement;
  const charts = [...document.querySelectorAll('section')].map((s) => {
    const svg = s.querySelector('svg').getBoundingClientRect();
    const heading = s.querySelector('h2').getBoundingClientRect();
    return { inside: inside(svg) && inside(heading), height: svg.height, width: svg.width };
  });
  const code = document.querySelector('.join svg');
  return {
    scrolls: scroller.scrollHeight > innerHeight || scroller.scrollWidth > innerWidth,
    charts,
    headings: [...document.querySelectorAll('h2')].map((h) => h.textContent),
    pages: document.querySelector('.pages')?.textContent ?? '',
    code: code ? { inside: inside(code.getBoundingClientRect()), side: code.getBoundingClientRect().width } : null,
    address: document.querySelector('.address')?.textContent ?? '',
  };
});

// The room reaches the service by a name of its own, never this computer's.
const browser = await launchChromium(['--host-resolver-rules=MAP room.test 127.0.0.1']);
const result = { errors: [] };
try {
  const context = await browser.newContext({ viewport: { width: 1920, height: 1080 } });
  const page = await context.newPage();
  page.setDefaultTimeout(30000);
  page.on('pageerror', (e) => result.errors.push(String(e)));
  page.on('console', (m) => {
    if (m.type() === 'error' && !/ERR_CONNECTION_REFUSED|Failed to load resource/.test(m.text()))
      result.errors.push(m.text());
  });
  await page.goto(address);
  result.first = await measure(page);
  await page.screenshot({ path: `${shots}/projector-1.png` });
  await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
  result.violations = (await page.evaluate(async () => (await window.axe.run(document)).violations))
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);

  // Ten seconds on, the next page of charts.
  await page.locator('.pages').getByText('Page 2 of 2').waitFor({ timeout: 20000 });
  result.second = await measure(page);
  result.secondUrl = page.url();
  await page.screenshot({ path: `${shots}/projector-2.png` });

  await step('stop');
  await page.locator('.offline').filter({ hasText: /./ }).waitFor({ timeout: 20000 });
  result.offline = await page.locator('.offline').innerText();
  result.offlineInside = await page.locator('.offline').evaluate((e) => {
    const r = e.getBoundingClientRect();
    return r.height > 0 && r.bottom <= innerHeight && getComputedStyle(e).visibility === 'visible';
  });
  await page.screenshot({ path: `${shots}/projector-offline.png` });
} catch (e) {
  result.failure = String(e.stack || e);
} finally {
  await browser.close();
}
console.log(JSON.stringify(result));
process.exit(0);
