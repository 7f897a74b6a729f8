// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// node rules.mjs URL SHOTS_FOLDER
// A phone (390x844, the page's scripts on) answers the rules form of the
// browser test: what the page asks of each answer, the browser refusing a
// missing answer, a condition revealing its question, a post the service
// refuses (the browser's own checks left out, as an old browser does) and
// the corrected post, and a box of five characters taking five emoji; then a
// browser without script answering "No". Prints
// one JSON line of what it saw; screenshots go to SHOTS_FOLDER (phone.png,
// condition.png, refused.png, noscript.png).
import { launchChromium } from './browser.mjs';

const [url, shots] = process.argv.slice(2);
const browser = await launchChromium();
try {
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
  const page = await context.newPage();
  page.setDefaultTimeout(30000);
  const posts = [];
  page.on('request', (r) => {
    if (r.method() === 'POST') posts.push(new URLSearchParams(r.postData() || ''));
  });
  const opened = await page.goto(url);
  if (!opened || opened.status() !== 200) throw new Error(`the form page answered ${opened && opened.status()}`);
  await page.waitForLoadState('load');
  const control = (name) => `[name=${JSON.stringify(name)}]:not([type=hidden])`;
  const facts = () => page.evaluate(() => {
    const q = (n) => document.querySelector(`[name=${JSON.stringify(n)}]:not([type=hidden])`);
    const block = document.querySelector('[data-ask-if]');
    const form = q('Age').form;
    return {
      age: { type: q('Age').type, inputMode: q('Age').inputMode, min: q('Age').min, max: q('Age').max,
             step: q('Age').step, value: q('Age').value },
      birthday: { type: q('Birthday').type, value: q('Birthday').value },
      pet: { hidden: block.hidden || block.offsetParent === null, disabled: q('Which pet?').disabled,
             value: q('Which pet?').value },
      rating: (document.querySelector('[name="Rating"]:checked') || {}).value || '',
      valid: form.checkValidity(),
      invalid: [...form.elements].filter((e) => e.willValidate && !e.checkValidity()).map((e) => e.name)
        .filter((n, i, all) => all.indexOf(n) === i),
      notes: [...document.querySelectorAll('p.answer-notice')].map((p) => p.innerText.trim()),
    };
  });
  const result = { opened: await facts() };
  await page.screenshot({ path: `${shots}/phone.png` });

  // Nothing answered: the browser refuses, and nothing is posted.
  await page.locator('input[type=submit]').click();
  await page.waitForTimeout(300);
  result.refusedByBrowser = { ...(await facts()), posts: posts.length, url: page.url() };

  // Yes reveals the question asked only then.
  await page.locator(control('Age')).fill('150');
  await page.locator(control('Birthday')).fill('1990-12-24');
  await page.locator('label').getByText('Yes', { exact: true }).tap();
  result.revealed = await facts();
  await page.locator(control('Which pet?')).fill('A dog');
  await page.locator('[name="Rating"][value="4"]').check();
  // A box of five characters takes five emoji, typed one after the other.
  await page.locator(control('Nickname')).pressSequentially('\u{1F600}'.repeat(6));
  result.nickname = await page.locator(control('Nickname')).inputValue();
  // The group's "Other:" ticked, its box must be filled; typing there ticks it.
  const otherTick = page.locator(control('Extras: Other'));
  await otherTick.check();
  result.otherAsksForText = await page.locator(control('Extras: Other Other')).evaluate((e) => e.required);
  await otherTick.uncheck();
  await page.locator(control('Extras: Other Other')).fill('Honey');
  result.typingTicksOther = await otherTick.isChecked();
  await page.screenshot({ path: `${shots}/condition.png`, fullPage: true });

  // A browser without the checks posts 150: the service refuses it and
  // sends the page again with every answer still there.
  const send = async () => {
    const [response] = await Promise.all([
      page.waitForResponse((r) => r.request().method() === 'POST'),
      page.locator('input[type=submit]').click(),
    ]);
    await page.waitForFunction(() => document.readyState === 'complete' && !!document.body);
    await page.waitForTimeout(300); // the page's scripts, after it was written
    return response.status();
  };
  await page.evaluate(() => { document.querySelector('[name="Age"]:not([type=hidden])').form.noValidate = true; });
  result.refusedByService = { status: await send() };
  Object.assign(result.refusedByService, await facts());
  await page.screenshot({ path: `${shots}/refused.png`, fullPage: true });

  await page.locator(control('Age')).fill('42');
  result.corrected = { status: await send(), text: await page.locator('body').innerText() };
  result.tokens = posts.map((p) => p.get('submissionToken'));
  result.postedPet = posts.map((p) => p.get('Which pet?'));

  // A browser without script shows every question: the one asked only after
  // "Yes" must not stop it sending "No".
  const bare = await (await browser.newContext({
    viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, javaScriptEnabled: false,
  })).newPage();
  await bare.goto(url);
  await bare.locator(control('Age')).fill('42');
  await bare.locator('label').getByText('No', { exact: true }).tap();
  await bare.locator('[name="Rating"][value="3"]').check();
  await bare.screenshot({ path: `${shots}/noscript.png`, fullPage: true });
  const [sent] = await Promise.all([
    bare.waitForResponse((r) => r.request().method() === 'POST', { timeout: 5000 }).catch(() => null),
    bare.locator('input[type=submit]').click(),
  ]);
  result.withoutScript = { status: sent ? sent.status() : 0 };
  console.log(JSON.stringify(result));
} finally {
  await browser.close();
}
