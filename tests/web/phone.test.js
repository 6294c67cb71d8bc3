// The page on phone-sized touch screens and with the network gone, in headless Chromium, served
// as tools/web.sh serves it.
'use strict';
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {test} = require('node:test');
const {served, serve, launch, open, settle, spots, tap, pause, snapshot, replays, answer} = require('./support');

const it = served();
const phone = (context, url, width = 390, height = 844) =>
  open(context, url, {viewport: {width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true}});

// Each a target a thumb can hit, 44 px at least each way, and its text, if any, of 16 px.
const thumbSized = (found, screen) => {
  for (const {name, width, height, hit, font} of found) {
    assert.ok(width >= 44 && height >= 44 && hit && (font >= 16 || /^Image1/.test(name)),
              `${screen}: ${name} is a target of ${width.toFixed(1)} x ${height.toFixed(1)} written at ${font} px${hit ? '' : ', covered'}`);
  }
};

test('on a phone, upright and sideways, ten cards and every control are thumb-sized, texts are 16 px and the board fills the screen', async () => {
  for (const [width, height] of [[360, 640], [640, 360], [390, 844], [844, 390]]) {
    const page = await phone(await it.browser.createBrowserContext(), it.site.url + '?seed=3', width, height);
    const screen = `${width} x ${height}`;
    await tap(page, '.menu button');
    await tap(page, '[data-item="new"]');
    for (let drawn = 0; drawn < 5; ++drawn) await tap(page, '[data-control="Label1"][data-index="0"]');
    const hand = await page.evaluate(() => tessaroTest.view.state.handValue.filter(v => v).length);
    assert.strictEqual(hand, 10, `${screen}: ten cards in hand`);
    thumbSized(await spots(page, '[data-control="Image1"], [data-control="Label1"], [data-control="Option1"], #menubar .menu > button'), screen);

    const sizes = await page.evaluate(() => {
      const all = s => [...document.querySelectorAll(s)];
      const win = document.getElementById('window').getBoundingClientRect();
      const shown = Math.max(0, Math.min(win.right, innerWidth) - Math.max(win.left, 0)) *
                    Math.max(0, Math.min(win.bottom, innerHeight) - Math.max(win.top, 0));
      const box = e => e.getBoundingClientRect();
      return {
        share: shown / (innerWidth * innerHeight),
        // As readable as the window at its own size: a table card at least its picture's width,
        // the selected cards at least the window's slots, a strip of each of the computer's.
        table: all('[data-control="Image4"]').map(e => box(e).width),
        selection: all('[data-control="Image7"]').slice(0, 2).map(e => [box(e).width, box(e).height]),
        cpuStep: box(document.querySelector('[data-control="Image2"][data-index="0"]')).left -
                 box(document.querySelector('[data-control="Image2"][data-index="1"]')).left,
      };
    });
    assert.ok(sizes.share >= 0.8, `${screen}: the page uses ${(100 * sizes.share).toFixed(0)} % of the screen`);
    assert.ok(sizes.table.every(w => w >= 72), `${screen}: the table's cards are ${sizes.table} wide`);
    assert.ok(sizes.selection.every(([w, h]) => w >= 41 && h >= 49), `${screen}: the selected cards are ${sizes.selection}`);
    assert.ok(sizes.cpuStep >= 16, `${screen}: the computer's cards show ${sizes.cpuStep} px each`);

    // The menus' items and the boxes' buttons too; a tap on the last card picks it.
    await tap(page, '.menu button');
    const items = await spots(page, '.menu.open .items button');
    assert.ok(items.length, `${screen}: menu items`);
    thumbSized(items, screen);
    const box = await tap(page, '[data-item="quit"]');
    thumbSized(await spots(page, '.dialog .buttons button'), screen);
    assert.ok(await box.evaluate(e => parseFloat(getComputedStyle(e.querySelector('.body')).fontSize) >= 16), `${screen}: the box's text`);
    await tap(page, '.dialog .buttons button:last-child');  // No: a new game
    await tap(page, '[data-control="Image1"][data-index="4"]');
    assert.strictEqual(await page.evaluate(() => tessaroTest.view.state.picked.indexOf(true)), 4, `${screen}: the tapped card is picked`);
    assert.match(await page.$eval('[data-control="Image1"][data-index="4"]', e => e.currentSrc), /@2x\.png$/);
    await page.browserContext().close();
  }
});

test('after one visit, with the server gone, the page starts, a whole game is played with taps as tessaro-replay plays it and a record is kept', async () => {
  for (const engine of ['chromium', 'firefox']) {
    const other = engine === 'firefox' ? await launch(engine) : null;
    const site = await serve();
    const context = await (other || it.browser).createBrowserContext();
    const page = await phone(context, site.url + '?seed=7');
    // The service worker has kept every file once it is active.
    await page.waitForFunction(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      return registration && registration.active && registration.active.state === 'activated';
    }, {timeout: 60000});
    site.server.closeAllConnections();
    await new Promise(resolve => site.server.close(resolve));

    await page.reload();
    await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
    assert.ok(await page.evaluate(() => Boolean(navigator.serviceWorker.controller)), engine);
    await tap(page, '.menu button');
    await tap(page, '[data-item="new"]');
    const start = await page.evaluate(() => tessaroTest.view.state.score);
    const seen = [];
    for (let turn = 0; turn < 200; ++turn) {
      const box = await settle(page);
      if (box) {
        await tap(page, '.dialog .buttons button');  // OK, or Yes: give up, undo, play on
        continue;
      }
      seen.push(await snapshot(page));
      const state = await page.evaluate(() => tessaroTest.view.state);
      if (state.score !== start) break;  // the game is over and the next one dealt
      const found = state.picked.includes(true) ? null : answer(state);
      if (found) {
        if (found.cards.length === 2) await tap(page, `[data-control="Option1"][data-index="${found.op}"]`);
        for (const k of found.cards) await tap(page, `[data-control="Image1"][data-index="${k}"]`);
        await tap(page, '[data-control="Label1"][data-index="1"]');  // play
      } else if (state.picked.includes(true)) {
        await tap(page, `[data-control="Image1"][data-index="${state.picked.indexOf(true)}"]`);  // put back
      } else {
        await tap(page, '[data-control="Label1"][data-index="0"]');  // draw
      }
    }
    assert.notStrictEqual(await page.evaluate(() => tessaroTest.view.state.score), start, `${engine}: a game was played to its end`);
    replays(seen, `${engine}, offline`);

    // Quit, and keep the score under a name.
    await tap(page, '.menu button');
    await tap(page, '[data-item="quit"]');
    await tap(page, '.dialog .buttons button');  // Yes
    await page.waitForSelector('.dialog input');
    await page.type('.dialog input', 'Pocket');
    await tap(page, '.dialog .buttons button');  // OK
    await page.waitForSelector('[data-ended]');
    const records = await page.evaluate(() => localStorage.getItem('tessaro.records'));
    assert.match(records, /Pocket/, engine);
    await context.close();
    if (other) await other.close();
  }
});

test('a new version of the site waits while a game is played on, and takes over at the next start, before the board can be played', async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-site-'));
  fs.cpSync(process.env.TESSARO_SITE, dir, {recursive: true});
  const site = await serve(dir);
  const context = await it.browser.createBrowserContext();
  const version = page => page.evaluate(() => document.documentElement.dataset.build || '1');
  const held = page => page.evaluate(() => tessaroTest.view.state.handValue.filter(v => v).length);
  try {
    const first = await phone(context, site.url + '?seed=8');
    await first.waitForFunction(() => Boolean(navigator.serviceWorker.controller), {timeout: 60000});
    await tap(first, '.menu button');
    await tap(first, '[data-item="new"]');
    await tap(first, '[data-control="Label1"][data-index="0"]');
    const before = await snapshot(first);
    // The next version on the server: its page marked, and listed anew in its worker.
    for (const [file, from, to] of [['index.html', '<html lang="zh-CN">', '<html lang="zh-CN" data-build="2">'],
                                    ['sw.js', /(url:"index\.html",revision:")/, '$1next-']]) {
      fs.writeFileSync(path.join(dir, file), fs.readFileSync(path.join(dir, file), 'utf8').replace(from, to));
      for (const copy of ['.br', '.gz']) fs.rmSync(path.join(dir, file + copy), {force: true});
    }
    // A second visit while the first game goes on: the new worker installs and waits.
    const second = await phone(context, site.url + '?seed=9');
    await second.waitForFunction(async () => Boolean((await navigator.serviceWorker.getRegistration()).waiting), {timeout: 60000});
    assert.strictEqual(await version(second), '1', 'the second page is of the version running');
    assert.deepStrictEqual(await snapshot(first), before, 'the first game is as it was, not started again');
    const count = await held(first);
    await first.bringToFront();  // a tap waits for a background tab's next frame
    await tap(first, '[data-control="Label1"][data-index="0"]');
    assert.strictEqual(await held(first), count + 1, 'a tap still draws a card');
    await first.waitForFunction(() => [...document.querySelectorAll('[data-control="Image1"]')].every(e => e.style.display === 'none' || (e.complete && e.naturalWidth)));
    // The first page closed, the second started again a moment later: the new version, and a
    // tap on the board as soon as it can be played is kept.
    await first.close();
    await pause(2000);
    await second.bringToFront();
    await second.evaluateOnNewDocument(() => addEventListener('pagehide', () => {
      if (document.documentElement.dataset.ready) sessionStorage.setItem('left', 'a board that could be played');
    }));
    await second.reload();
    await second.waitForFunction(() => document.documentElement.dataset.ready === '1');
    const [{x, y}] = await spots(second, '.menu button');
    await second.touchscreen.tap(x, y);
    await pause(1500);
    assert.strictEqual(await version(second), '2', 'the next start runs the new version');
    assert.ok(await second.$('.menu.open'), 'the menu opened at the start is still open');
    assert.strictEqual(await second.evaluate(() => sessionStorage.getItem('left')), null);
  } finally {
    await context.close();
    site.server.closeAllConnections();
    await new Promise(resolve => site.server.close(resolve));
    fs.rmSync(dir, {recursive: true});
  }
});

// The frame the page paints before its scripts have come is the board they build, where they
// leave it: nothing moves when the engine is ready, on a desktop or a phone; a desktop's board,
// scaled up, shows the sharper pictures.
test('the board painted before the engine is ready lies where the ready board lies', async () => {
  const places = async (width, height, touch, early) => {
    const context = await it.browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({width, height, hasTouch: touch, isMobile: touch});
    await page.setRequestInterception(true);
    page.on('request', r => (early && /\/(page|tessaro)\.js$/.test(r.url()) ? r.abort() : r.continue()));
    await page.goto(it.site.url, {waitUntil: 'load'});
    if (!early) await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
    const found = await page.evaluate(() => [...document.querySelectorAll(
      '#window, #menubar, [data-control="Label1"], [data-control="Option1"], [data-control="Frame2"]')].map(el => {
      const r = el.getBoundingClientRect();
      return `${el.id || el.dataset.control + el.dataset.index}: ${[r.x, r.y, r.width, r.height].map(Math.round)}`;
    }));
    if (!early && !touch) {  // scaled up on a screen of one pixel to the pixel: the @2x pictures
      await page.waitForFunction(() => [...document.querySelectorAll('#board img[srcset*="@2x"]')].every(i => i.complete));
      const pictures = await page.$$eval('#board img[srcset*="@2x"]', imgs => imgs.map(i => i.currentSrc));
      assert.ok(pictures.length && pictures.every(src => src.includes('@2x.')), pictures.join('\n'));
    }
    await context.close();
    return found;
  };
  for (const [width, height, touch] of [[1280, 800, false], [390, 844, true]]) {
    const early = await places(width, height, touch, true);
    assert.ok(early.length > 8, early.join('\n'));
    assert.deepStrictEqual(early, await places(width, height, touch, false), `${width} x ${height}`);
  }
});
