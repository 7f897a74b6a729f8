// Debian's Chromium as the browser tests drive it: headless, as root, with
// nothing of its own reaching for the network.
import { chromium } from 'playwright-core';

export function launchChromium(extraArgs = []) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', ...extraArgs],
    timeout: 60000,
  });
}
