// The page's records in the browser's storage, in headless Chromium.
'use strict';
const assert = require('node:assert');
const {test, before, after} = require('node:test');
const {serve, launch, open} = require('./support');

let site, browser;
before(async () => {
  site = await serve();
  browser = await launch();
});
after(async () => {
  await browser.close();
  site.server.close();
});

test('records: names entered in two tabs are both kept after a reload; other data is left alone', async () => {
  const context = await browser.createBrowserContext();
  const tabs = [await open(context, site.url), await open(context, site.url)];
  await tabs[0].evaluate(() => localStorage.setItem('tessaro.records', JSON.stringify(Array(10).fill(['低分', -32768]))));
  // Both reach the name box before either answers it.
  for (const tab of tabs) {
    await tab.bringToFront();  // a tab in the background may sleep
    await tab.click('.menu button');
    await tab.click('[data-item="quit"]');
    await (await tab.waitForSelector('.dialog .buttons button')).click();
    await tab.waitForSelector('.dialog input');
  }
  for (const [tab, name] of [[tabs[0], 'Ann'], [tabs[1], 'Bob']]) {
    await tab.bringToFront();
    await tab.type('.dialog input', name);
    await tab.keyboard.press('Enter');
    await tab.waitForSelector('[data-ended]');
  }
  const again = await open(context, site.url);
  await again.keyboard.down('Alt');
  await again.keyboard.press('KeyG');
  await again.keyboard.up('Alt');
  const table = await (await again.waitForSelector('.dialog .body')).evaluate(e => e.textContent);
  assert.match(table, /Ann[^]*Bob|Bob[^]*Ann/);
  assert.strictEqual((table.match(/低分/g) || []).length, 8);

  await again.evaluate(() => localStorage.setItem('tessaro.records', 'a note of another program'));
  await open(context, site.url);
  assert.strictEqual(await again.evaluate(() => localStorage.getItem('tessaro.records')), 'a note of another program');
});
