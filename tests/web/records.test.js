// The page's records in the browser's storage, in headless Chromium.
'use strict';
const assert = require('node:assert');
const {test} = require('node:test');
const {served, open} = require('./support');

const it = served();

const LOW = JSON.stringify(Array(10).fill(['低分', -32768]));

// Quits with a record score and reaches the name box.
async function toNameBox(tab) {
  await tab.bringToFront();  // a tab in the background may sleep
  await tab.click('.menu button');
  await tab.click('[data-item="quit"]');
  await (await tab.waitForSelector('.dialog .buttons button')).click();
  await tab.waitForSelector('.dialog input');
}

// Enters the name as typed, characters no key gives included; returns the text of the box that
// says it was not saved, or null when the game ended without one.
async function enterName(tab, name) {
  await tab.bringToFront();
  await tab.focus('.dialog input');
  await tab.keyboard.sendCharacter(name);
  await tab.keyboard.press('Enter');
  const end = await tab.waitForSelector('[data-ended], .dialog:not(:has(input)) .body');
  return end.evaluate(e => (e.matches('[data-ended]') ? null : e.textContent));
}

async function shownRecords(context, url) {
  const again = await open(context, url);
  await again.keyboard.down('Alt');
  await again.keyboard.press('KeyG');
  await again.keyboard.up('Alt');
  return (await again.waitForSelector('.dialog .body')).evaluate(e => e.textContent);
}

test('records: names entered in two tabs are both kept after a reload, as Data.dat keeps names; other data is left alone', async () => {
  const context = await it.browser.createBrowserContext();
  const tabs = [await open(context, it.site.url), await open(context, it.site.url)];
  await tabs[0].evaluate(low => {
    localStorage.setItem('tessaro.records', low);
    // A record a page without Web Locks kept on its own: the first save under the lock folds it in.
    localStorage.setItem('tessaro.records.1.a', '["Eve", 5]');
  }, LOW);
  // Both reach the name box before either answers it.
  for (const tab of tabs) await toNameBox(tab);
  // A right-to-left override and a bell: stored as the window stores them, "?ab".
  assert.strictEqual(await enterName(tabs[0], '\u202eab\u0007'), null);
  assert.strictEqual(await enterName(tabs[1], 'Bob"'), null);
  const table = await shownRecords(context, it.site.url);
  // Each name isolated from the direction of the row number and the points around it.
  assert.match(table, /\u2068\?ab {3}\u2069[^]*\u2068Bob＂ {2}\u2069[^]*\u2068Eve {3}\u2069[^]*低分/);
  assert.strictEqual((table.match(/Eve/g) || []).length, 1);
  assert.strictEqual((table.match(/\u2068低分 {4}\u2069/g) || []).length, 7);
  assert.doesNotMatch(table, /[\u202e\u0007"]/);

  const again = await open(context, it.site.url);
  await again.evaluate(() => localStorage.setItem('tessaro.records', 'a note of another program'));
  await open(context, it.site.url);
  // A record then is not saved, and the box says so without naming a file the player lacks.
  await toNameBox(again);
  const box = await enterName(again, 'Cy');
  assert.match(box, /浏览器/);
  assert.doesNotMatch(box, /Data\.dat/);
  assert.strictEqual(await again.evaluate(() => localStorage.getItem('tessaro.records')), 'a note of another program');
});

test('records over plain http from a name other than localhost, with no Web Locks: none told saved is lost', async () => {
  const context = await it.browser.createBrowserContext();
  const url = it.site.url.replace('127.0.0.1', 'game.test');
  const tabs = [await open(context, url), await open(context, url)];
  assert.deepStrictEqual(await tabs[0].evaluate(() => [isSecureContext, Boolean(navigator.locks)]), [false, false]);
  await tabs[0].evaluate(low => localStorage.setItem('tessaro.records', low), LOW);
  for (const tab of tabs) await toNameBox(tab);
  // The first tab reads the storage as it stood before the second tab's record reached it, as
  // it does when both enter their names at once.
  await tabs[0].evaluate(() => {
    const stale = new Map(Object.keys(localStorage).map(k => [k, localStorage.getItem(k)]));
    const {setItem, removeItem} = Storage.prototype;
    Storage.prototype.getItem = k => (stale.has(k) ? stale.get(k) : null);
    Storage.prototype.setItem = function(k, v) { setItem.call(this, k, v); stale.set(k, String(v)); };
    Storage.prototype.removeItem = function(k) { removeItem.call(this, k); stale.delete(k); };
    Storage.prototype.key = i => [...stale.keys()][i] ?? null;
    Object.defineProperty(Storage.prototype, 'length', {get: () => stale.size});
  });
  assert.strictEqual(await enterName(tabs[1], 'Bob'), null);
  assert.strictEqual(await enterName(tabs[0], 'Ann'), null);
  const table = await shownRecords(context, url);
  assert.match(table, /Ann[^]*Bob|Bob[^]*Ann/);
  assert.strictEqual((table.match(/低分/g) || []).length, 8);
});
