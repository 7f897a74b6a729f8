// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node submit.mjs URL ACTIONS_JSON [OPTIONS_JSON]
// Opens URL in headless Chromium, fills the form as a person would and
// submits it. ACTIONS_JSON is a list of {name, fill | check | choose | select}
// or {tap: TEXT}, which taps the option or tick box labelled TEXT.
// OPTIONS_JSON: {width, height, phone, screenshot: FILE, submit, again, pause,
// sendAgainOn409, changeAfterBack, script} — `script` runs the page's script;
// `again` goes Back and submits the same
// page a second time (after the actions of `changeAfterBack`, if any);
// `pause` prints {"ready":true} before submitting and waits for a line on
// standard input; `sendAgainOn409` submits the page a 409 answer shows.
import { createInterface } from 'node:readline';
// Prints one JSON line: the page's layout figures, its HTML, the tokens
// posted, and each answer page's status, address and text.
import { launchChromium } from './browser.mjs';

const [url, actionsJson, optionsJson] = process.argv.slice(2);
const actions = JSON.parse(actionsJson);
const options = { submit: true, ...JSON.parse(optionsJson || '{}') };

const browser = await launchChromium();
try {
  const context = await browser.newContext({
    viewport: { width: options.width || 1280, height: options.height || 800 },
    isMobile: !!options.phone,
    hasTouch: !!options.phone,
    ignoreHTTPSErrors: true, // the tests' certificate is made on the spot
    javaScriptEnabled: !!options.script, // the plain post, as without the page's script
  });
  const page = await context.newPage();
  page.setDefaultTimeout(30000);
  const tokens = [];
  page.on('request', (r) => {
    if (r.method() === 'POST')
      tokens.push(new URLSearchParams(r.postData() || '').get('submissionToken'));
  });
  const opened = await page.goto(url);
  if (!opened || opened.status() !== 200)
    throw new Error(`the form page answered ${opened && opened.status()}`);
  const result = {
    html: await page.content(),
    layout: await page.evaluate(() => {
      const sizes = (selector, f) => [...document.querySelectorAll(selector)].map(f);
      const rect = (e) => e.getBoundingClientRect();
      return {
        scrollWidth: document.documentElement.scrollWidth,
        innerWidth: window.innerWidth,
        smallestFont: Math.min(...sizes('input[type=text], textarea, select',
                                        (e) => parseFloat(getComputedStyle(e).fontSize))),
        smallestBox: Math.min(...sizes('input[type=checkbox], input[type=radio]',
                                       (e) => Math.min(rect(e).width, rect(e).height))),
      };
    }),
  };
  if (options.screenshot)
    await page.screenshot({ path: options.screenshot });

  // Field names hold quotes and other marks: select by an exact attribute match.
  const field = (name) => `[name=${JSON.stringify(name)}]`;
  const act = async (a) => {
    if ('tap' in a) {
      const label = page.locator('label').getByText(a.tap, { exact: true });
      if (options.phone) await label.tap(); else await label.click();
    }
    else if ('fill' in a) await page.locator(field(a.name)).fill(a.fill);
    else if ('check' in a) await page.locator(field(a.name)).setChecked(a.check);
    else if ('choose' in a) await page.locator(`${field(a.name)}[value=${JSON.stringify(a.choose)}]`).check();
    else if ('select' in a) await page.locator(field(a.name)).selectOption({ label: a.select });
    else throw new Error(`unknown action ${JSON.stringify(a)}`);
  };
  for (const a of actions)
    await act(a);
  if (options.pause) {
    console.log(JSON.stringify({ ready: true }));
    const lines = createInterface({ input: process.stdin });
    await new Promise((resolve) => lines.once('line', resolve));
    lines.close();
  }
  const submit = async () => {
    const [answer] = await Promise.all([
      page.waitForNavigation(),
      page.locator('input[type=submit]').click(),
    ]);
    return { status: answer ? answer.status() : 0, url: page.url(), text: await page.locator('body').innerText() };
  };
  if (options.submit) {
    Object.assign(result, await submit());
    if (options.sendAgainOn409 && result.status === 409) {
      result.conflict = { status: result.status, text: result.text };
      if (options.conflictScreenshot)
        await page.screenshot({ path: options.conflictScreenshot, fullPage: true });
      Object.assign(result, await submit());
    }
    if (options.again) {
      await page.goBack();
      for (const a of options.changeAfterBack || [])
        await act(a);
      result.again = await submit();
    }
  }
  result.tokens = tokens;
  console.log(JSON.stringify(result));
} finally {
  await browser.close();
}
