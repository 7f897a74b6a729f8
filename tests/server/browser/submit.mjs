// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node submit.mjs URL ACTIONS_JSON
// Opens URL in headless Chromium, fills the form as a person would and
// submits it. ACTIONS_JSON is a list of {name, fill | check | choose | select}.
// Prints one JSON line: the answer page's status, address and text.
import { chromium } from 'playwright-core';

const [url, actionsJson] = process.argv.slice(2);
const actions = JSON.parse(actionsJson);

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
  timeout: 60000,
});
try {
  const page = await browser.newPage();
  page.setDefaultTimeout(30000);
  const opened = await page.goto(url);
  if (!opened || opened.status() !== 200)
    throw new Error(`the form page answered ${opened && opened.status()}`);
  // Field names hold quotes and other marks: select by an exact attribute match.
  const field = (name) => `[name=${JSON.stringify(name)}]`;
  for (const a of actions) {
    if ('fill' in a) await page.locator(field(a.name)).fill(a.fill);
    else if ('check' in a) await page.locator(field(a.name)).setChecked(a.check);
    else if ('choose' in a) await page.locator(`${field(a.name)}[value=${JSON.stringify(a.choose)}]`).check();
    else if ('select' in a) await page.locator(field(a.name)).selectOption({ label: a.select });
    else throw new Error(`unknown action ${JSON.stringify(a)}`);
  }
  const [answer] = await Promise.all([
    page.waitForNavigation(),
    page.locator('input[type=submit]').click(),
  ]);
  console.log(JSON.stringify({
    status: answer ? answer.status() : 0,
    url: page.url(),
    text: await page.locator('body').innerText(),
  }));
} finally {
  await browser.close();
}
