// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node room.mjs BASE SHOTS_DIR
// A phone in a room whose network comes and goes: types into the form at
// BASE/survey.html, reloads, then submits while the service is down (it
// prints {"step":"stop"} and {"step":"start"} and waits for a line on
// standard input after each, while the test stops and starts the service),
// and looks at the results page while another answer arrives. Prints one JSON line of what it saw.
import { createInterface } from 'node:readline';
import { launchChromium } from './browser.mjs';

const [base, shots] = process.argv.slice(2);
const lines = createInterface({ input: process.stdin });
const waitLine = () => new Promise((resolve) => lines.once('line', resolve));
const step = async (name) => { console.log(JSON.stringify({ step: name })); await waitLine(); };

const browser = await launchChromium();
const result = { errors: [] };
try {
  const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
  const page = await phone.newPage();
  page.setDefaultTimeout(30000);
  // Failed loads while the service is down are the point; anything else is a fault.
  page.on('pageerror', (e) => result.errors.push(String(e)));
  page.on('console', (m) => {
    if (m.type() === 'error' && !/ERR_CONNECTION_REFUSED/.test(m.text()))
      result.errors.push(m.text());
  });
  await page.goto(`${base}/survey.html`);
  await page.screenshot({ path: `${shots}/form-390.png`, fullPage: true });
  await page.locator('[name=Comments]').fill('Kept through a reload');
  await page.locator('label').getByText('Green', { exact: true }).tap();
  await page.reload();
  result.restored = {
    comments: await page.locator('[name=Comments]').inputValue(),
    green: await page.locator('[name=Colour][value=Green]').isChecked(),
  };

  await step('stop');
  await page.locator('input[type=submit]').tap();
  await page.getByText('Not sent yet').waitFor();
  result.notSent = await page.locator('.answer-notice').innerText();
  result.keptWhileDown = await page.evaluate(() => Object.keys(localStorage).length);
  await page.screenshot({ path: `${shots}/not-sent-390.png`, fullPage: true });

  await step('start');
  const started = Date.now();
  await page.getByText('Thank you').first().waitFor({ timeout: 60000 });
  result.sentAfterMs = Date.now() - started;
  result.receipt = await page.locator('.receipt').innerText();
  result.keptAfterSending = await page.evaluate(() => Object.keys(localStorage).length);
  await page.screenshot({ path: `${shots}/thank-you-390.png`, fullPage: true });

  for (const [w, h] of [[390, 844], [1280, 800]]) {
    const context = await browser.newContext({ viewport: { width: w, height: h }, isMobile: w < 500 });
    const view = await context.newPage();
    view.on('pageerror', (e) => result.errors.push(String(e)));
    view.on('console', (m) => { if (m.type() === 'error') result.errors.push(m.text()); });
    if (w > 500) {
      await view.goto(`${base}/survey.html`);
      await view.screenshot({ path: `${shots}/form-${w}.png`, fullPage: true });
    }
    await view.goto(`${base}/results/survey.html`);
    result[`answers${w}`] = await view.locator('.count b').innerText();
    await view.screenshot({ path: `${shots}/results-${w}.png`, fullPage: true });
    await view.goto(`${base}/results/survey.html?present`);
    await view.screenshot({ path: `${shots}/results-present-${w}.png`, fullPage: true });
    if (w > 500) {
      // Another answer arrives: the open results page shows it by itself.
      const other = await context.newPage();
      await other.goto(`${base}/survey.html`);
      await other.locator('[name=Colour][value=Red]').check();
      await other.locator('input[type=submit]').click();
      await other.getByText('Thank you').first().waitFor();
      const since = Date.now();
      await view.locator('.count b').getByText(String(Number(result[`answers${w}`]) + 1), { exact: true })
        .waitFor({ timeout: 10000 });
      result.resultsChangedAfterMs = Date.now() - since;
      await view.goto(`${base}/`);
      result.index = await view.locator('body').innerText();
    }
    await context.close();
  }
} catch (e) {
  result.failure = String(e);
} finally {
  lines.close();
  await browser.close();
}
console.log(JSON.stringify(result));
