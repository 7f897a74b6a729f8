// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node change.mjs URL SHOTS_DIR
// A person sends the form at URL, sees the thanks, changes their mind and
// sends again: on a phone with the page's script by going Back, and in a
// browser without script by "Change your answers". Prints one JSON line of
// what each page held and the tokens posted.
import { launchChromium } from './browser.mjs';

const [url, shots] = process.argv.slice(2);
const browser = await launchChromium();
const result = { errors: [] };
const held = (page) => page.evaluate(() => {
  const q = (n) => document.querySelector(`[name=${JSON.stringify(n)}]:not([type=hidden])`);
  const token = document.querySelector('[name=submissionToken]');
  return { name: q('Name') ? q('Name').value : null, town: q('Town') ? q('Town').value : null,
           token: token ? token.value : null };
});
const step = async (name, work) => {
  try { await work(); } catch (e) { result[name] = { ...(result[name] || {}), failure: String(e) }; }
};
const watched = async (context) => {
  const page = await context.newPage();
  page.setDefaultTimeout(10000);
  page.on('pageerror', (e) => result.errors.push(String(e)));
  const tokens = [];
  page.on('request', (r) => {
    if (r.method() === 'POST') tokens.push(new URLSearchParams(r.postData() || '').get('submissionToken'));
  });
  return { page, tokens };
};

try {
  await step('phone', async () => {
    const context = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
    const { page, tokens } = await watched(context);
    await page.goto(url);
    await page.waitForLoadState('load');
    await page.locator('[name=Name]').fill('Ann');
    await page.locator('[name=Town]').fill('Leeds');
    await page.locator('input[type=submit]').tap();
    await page.getByText('Thank you').first().waitFor();
    result.phone = { change: await page.locator('a.change-answers').innerText() };
    await page.screenshot({ path: `${shots}/thanks-change-390.png` });
    await page.goBack();
    await page.waitForFunction(() => !!document.querySelector('[name=Name]'));
    result.phone.back = await held(page);
    await page.locator('[name=Town]').fill('York');
    await page.locator('input[type=submit]').tap();
    await page.getByText('Your answers have been updated.').waitFor();
    // "Change your answers" goes Back the same way.
    await page.locator('a.change-answers').tap();
    await page.waitForFunction(() => !!document.querySelector('[name=Name]'));
    result.phone.changeLink = await held(page);
    result.phone.tokens = tokens;
    await context.close();
  });
  await step('plain', async () => {
    const context = await browser.newContext({ javaScriptEnabled: false });
    const { page, tokens } = await watched(context);
    await page.goto(url);
    await page.locator('[name=Name]').fill('Bo');
    await page.locator('[name=Town]').fill('Hull');
    await Promise.all([page.waitForNavigation(), page.locator('input[type=submit]').click()]);
    await Promise.all([page.waitForNavigation(), page.locator('a.change-answers').click()]);
    result.plain = { opened: await held(page) };
    await page.locator('[name=Name]').fill('Bo');
    await page.locator('[name=Town]').fill('Ely');
    await Promise.all([page.waitForNavigation(), page.locator('input[type=submit]').click()]);
    result.plain.text = await page.locator('body').innerText();
    result.plain.tokens = tokens;
    await context.close();
  });
} finally {
  console.log(JSON.stringify(result));
  await browser.close();
}
