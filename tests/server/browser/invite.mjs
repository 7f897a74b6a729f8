// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node invite.mjs BASE CODE SHOTS_DIR
// A form only invited people answer (BASE/invite.html, anonymous, CODE one of
// its participants'), checked by axe-core on a phone (390 px) and a desktop
// (1920 px): the page asking for the code, a code typed wrong and sent by
// keyboard, the form opened with the code, and its post with a code nobody
// has (refused). Prints one JSON line; screenshots go to SHOTS_DIR.
import { createRequire } from 'node:module';
import { launchChromium } from './browser.mjs';

const [base, code, shots] = process.argv.slice(2);
const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
const browser = await launchChromium();
const result = { violations: [], errors: [], said: {} };
const contexts = {
  phone: await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true }),
  desktop: await browser.newContext({ viewport: { width: 1920, height: 1080 } }),
};

const checked = async (page, name) => {
  await page.addScriptTag({ path: axePath });
  const found = await page.evaluate(async () => (await window.axe.run(document)).violations.map(
    (v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => String(n.target)).join(' | ')}`));
  for (const v of found) result.violations.push(`${name}: ${v}`);
  await page.screenshot({ path: `${shots}/invite-${name}.png`, fullPage: true });
  result.said[name] = (await page.locator('main').innerText()).replace(/\s+/g, ' ').trim();
};

try {
  for (const [size, context] of Object.entries(contexts)) {
    const page = await context.newPage();
    page.setDefaultTimeout(10000);
    page.on('pageerror', (e) => result.errors.push(String(e)));
    await page.goto(`${base}/invite.html`);
    await checked(page, `${size}-code`);
    // By keyboard: the box first, then Enter.
    await page.keyboard.press('Tab');
    result.said[`${size}-focused`] = await page.evaluate(() => document.activeElement.id);
    await page.keyboard.type('wrong-code');
    await Promise.all([page.waitForNavigation(), page.keyboard.press('Enter')]);
    await checked(page, `${size}-unknown`);
    await page.goto(`${base}/invite.html?code=${encodeURIComponent(code.toLowerCase())}`);
    await page.waitForLoadState('load');
    await checked(page, `${size}-form`);
    // The page's code changed before sending: the service refuses it.
    await page.evaluate(() => { document.querySelector('[name=participantCode]').value = 'XXXXXXXX'; });
    await page.locator('[name=Name]').fill('Ann');
    await page.locator('input[type=submit]').click();
    await page.getByText('This code is not known').first().waitFor();
    await page.waitForLoadState('load');
    await checked(page, `${size}-refused`);
    await page.close();
  }
} catch (e) {
  result.failure = String((e && e.stack) || e);
}
await browser.close();
console.log(JSON.stringify(result));
