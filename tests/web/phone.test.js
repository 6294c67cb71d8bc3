// The page on a phone-sized touch screen, in headless Chromium.
'use strict';
const assert = require('node:assert');
const {test, before, after} = require('node:test');
const {serve, launch, settle} = require('./support');

let site, browser;
before(async () => {
  site = await serve();
  browser = await launch();
});
after(async () => {
  await browser.close();
  site.server.close();
});

test('a phone held upright shows the whole board, crisp, and takes taps', async () => {
  const page = await (await browser.createBrowserContext()).newPage();
  await page.setViewport({width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true});
  await page.goto(site.url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
  const right = await page.$eval('#window', e => e.getBoundingClientRect().right);
  assert.ok(right <= 390, `the board ends at ${right}`);
  await page.tap('.menu button');
  await page.tap('[data-item="new"]');
  await settle(page);
  const card = await (await page.$('[data-control="Image1"][data-index="0"]')).boundingBox();
  await page.touchscreen.tap(card.x + 2, card.y + card.height / 2);
  await settle(page);
  assert.deepStrictEqual(await page.evaluate(() => tessaroTest.view.state.picked.indexOf(true)), 0);
  assert.match(await page.$eval('[data-control="Image1"][data-index="0"]', e => e.currentSrc), /@2x\.png$/);
});
