// The site served on a free port of 127.0.0.1 and headless Chromium to open it.
'use strict';
const assert = require('assert');
const {spawnSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {isDeepStrictEqual} = require('util');
const puppeteer = require('puppeteer-core');
const {createSiteServer} = require('../../tools/serve-site');

// As tools/web.sh serves it (compressed copies, types, cache headers): `server` is Node's;
// `before`, http-server's handlers that answer some addresses themselves.
exports.serve = async (site = process.env.TESSARO_SITE, before = []) => {
  const {server} = createSiteServer(site, before);
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return {server, url: `http://127.0.0.1:${server.address().port}/`};
};

// Headless Chromium, or Firefox ESR over WebDriver BiDi when `engine` is 'firefox'.
exports.launch = engine => engine === 'firefox' ? puppeteer.launch({
  browser: 'firefox', executablePath: process.env.TESSARO_FIREFOX || '/usr/bin/firefox-esr',
  headless: true, extraPrefsFirefox: {'intl.accept_languages': 'zh-CN'},
}) : puppeteer.launch({
  executablePath: process.env.TESSARO_CHROMIUM || '/usr/bin/chromium',
  userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-chromium-')),
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         // A container's small /dev/shm would crash the pages; the game's own language is
         // the one tessaro-replay writes its texts in.
         '--disable-dev-shm-usage', '--accept-lang=zh-CN',
         // A name for this machine that is not localhost: pages served there are not secure.
         '--host-resolver-rules=MAP game.test 127.0.0.1'],
});

// Until the engine has finished the last event or waits in a box; returns the box, if any.
exports.settle = async page => {
  await page.waitForFunction(() => !tessaroTest.busy || document.querySelector('#overlay .dialog'));
  return page.$('#overlay .dialog');
};

// `languages` stands for the browser's preferred languages, when given; `page.errors` gathers
// the page's uncaught errors and the warnings and errors of its console.
exports.open = async (context, url, {languages, viewport} = {}) => {
  const page = await context.newPage();
  page.errors = [];
  page.on('pageerror', e => page.errors.push(e.message));
  page.on('console', m => { if (m.type() === 'error' || m.type() === 'warn') page.errors.push(m.text()); });
  if (viewport) await page.setViewport(viewport);
  if (languages) await page.evaluateOnNewDocument(l => Object.defineProperty(navigator, 'languages', {get: () => l}), languages);
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
  return page;
};

// axe-core's findings on the page as it stands: "rule: elements" for each.
const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
exports.axe = async page => {
  if (!await page.evaluate(() => Boolean(window.axe))) await page.evaluate(AXE);
  return page.evaluate(async () => (await axe.run()).violations.map(v =>
    `${v.id}: ${v.nodes.map(n => n.target.join(' ')).join(', ')}`));
};

// Where a thumb or the pointer lands on each element `selector` finds that is not hidden by its
// own style: the middle of the part of it that shows (a hand card lies on the one to its left,
// so only its left part may show), that part's size, its text's size, whether it is laid out at
// all (`placed`) and whether a tap at its middle reaches it (`hit`).
const spots = selector => [...document.querySelectorAll(selector)].filter(e => e.style.display !== 'none').map(el => {
  const r = el.getBoundingClientRect();
  let right = r.right;
  if (el.dataset.control === 'Image1') {
    const next = document.querySelector(`[data-control="Image1"][data-index="${Number(el.dataset.index) + 1}"]`);
    const n = next && next.style.display !== 'none' && next.getBoundingClientRect();
    if (n && n.left > r.left && n.left < r.right && n.top < r.bottom && n.bottom > r.top) right = n.left;
  }
  const [x, y] = [(r.left + right) / 2, (r.top + r.bottom) / 2];
  const target = e => e?.closest('[data-control], button, label');
  return {name: `${el.dataset.control || el.textContent.trim()} ${el.dataset.index ?? ''}`, left: r.left, top: r.top, x, y,
          width: right - r.left, height: r.height, font: parseFloat(getComputedStyle(el).fontSize),
          placed: Boolean(el.offsetParent), hit: target(document.elementFromPoint(x, y)) === target(el)};
});
exports.spots = (page, selector) => page.evaluate(spots, selector);

const pause = exports.pause = ms => new Promise(resolve => setTimeout(resolve, ms));
// A tap as a thumb gives it (a click when not `touch`) on the first control `selector` finds, once
// it shows (within a second, as a menu opened by the last tap), and the 100 to 300 ms a player
// takes before the next one; returns the box then open, if any.
exports.tap = async (page, selector, touch = true) => {
  let spot;
  for (let wait = 0; wait < 1000 && !(spot = (await exports.spots(page, selector))[0])?.hit; wait += 50) await pause(50);
  assert.ok(spot && spot.hit, `${selector} is under the thumb`);
  await (touch ? page.touchscreen.tap(spot.x, spot.y) : page.mouse.click(spot.x, spot.y));
  await pause(100 + 200 * Math.random());
  return exports.settle(page);
};

// Where the focus is, as a player would say it.
exports.focus = page => page.evaluate(() => {
  const e = document.activeElement;
  if (!e || e === document.body) return 'body';
  if (e.type === 'radio') return e.checked ? 'operator' : 'unchosen operator';
  if (e.dataset.control) return `${e.dataset.control} ${e.dataset.index}`;
  if (e.dataset.item) return `item ${e.dataset.item}`;
  if (e.closest('#menubar')) return `menu ${e.textContent}`;
  if (e.closest('.dialog')) return `box ${e.tagName === 'INPUT' ? 'input' : e.textContent}`;
  return e.tagName;
});

const eventCount = exports.eventCount = script => script.split('\n').filter(l => /^(?!seed|rand|answer|input)\S/.test(l)).length;
// The engine's view and what the page's elements show of it.
const shown = () => {
  const all = name => [...document.querySelectorAll(`[data-control="${name}"]`)];
  const face = e => (e.style.display === 'none' ? 0 : Number(e.dataset.picture));
  return {
    // The page's records list isolates each name's direction (U+2068 … U+2069); the rest is the same.
    state: tessaroTest.view.state, board: {...tessaroTest.view.board, Text1: tessaroTest.view.board.Text1.replace(/[\u2068\u2069]/g, '')},
    hand: all('Image1').map(e => [face(e), parseInt(e.style.top), e.style.display !== 'none']),
    cpu: all('Image2').map(face), table: all('Image4').concat(all('Image7').slice(0, 2)).map(face),
    labels: all('Label1').map(e => e.getAttribute('aria-disabled') === 'false'),
    option: all('Option1').findIndex(e => e.firstChild.checked)};
};
// tessaro-replay's lines for a script, which must end with `status`.
const replayed = exports.replayed = (script, status = 0) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-web-'));
  const run = spawnSync(process.env.TESSARO_REPLAY, ['--dir', dir], {input: script, encoding: 'utf8'});
  assert.strictEqual(run.status, status, run.stderr);
  return run.stdout.trim().split('\n').map(line => JSON.parse(line));
};

// What the page must show of a line of tessaro-replay.
function expected({state, board: b}) {
  const px = twips => Math.round(twips / 15);
  return {
    state, board: b,
    hand: b.Image1.map(p => [p.picture * p.visible, px(p.top), p.visible]),
    cpu: b.Image2.map(p => p.picture * p.visible),
    table: b.Image4.concat(b.Image7.slice(0, 2)),
    labels: b.Label1, option: b.Option1};
}

// Whether the page shows what a line of tessaro-replay shows (the WebKit walk's check).
exports.shows = async (page, line) => isDeepStrictEqual(await page.evaluate(shown), expected(line));

// The script so far and the page, after a thing done: a step of what `replays` checks.
exports.snapshot = async page => [await page.evaluate(() => tessaroTest.script()), await page.evaluate(shown)];

// The game event by event as tessaro-replay plays it, from the chance the page recorded and
// from the seed alone, against each snapshot of the page.
exports.replays = (seen, name) => {
  for (const dropped of [/^seed .*\n/m, /^rand .*\n/gm]) {
    const out = replayed(seen[seen.length - 1][0].replace(dropped, ''));
    for (const [prefix, page] of seen) assert.deepStrictEqual(page, expected(out[eventCount(prefix) - 1]), `${name}: ${prefix.split('\n').pop()}`);
  }
};

// A player's numbers: the same seed, the same walk.
const chance = seed => () => {
  seed = (seed + 0x6D2B79F5) | 0;
  let x = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  x = (x + Math.imul(x ^ (x >>> 7), 61 | x)) ^ x;
  return ((x ^ (x >>> 14)) >>> 0) / 4294967296;
};
const KEYS = [...'zxcv+-*/', 'Tab', 'Tab', 'ArrowLeft', 'ArrowRight', ' ', 'Enter', 'ArrowDown', 'Escape'];

// A seeded walk of `actions` things a player does: the pointer carried in small steps to a
// control or anywhere over the board and beyond it, a click (a tap on a touch screen) where it
// stops, now and then a second one 100 to 300 ms later, keys, and the menus' Alt keys; every box
// answered as it comes, by the pointer or the keys (Esc answers an OK box only). `checkBox(kind)`
// is called once a box of a new kind is open, `step()` after each thing done. Returns what was
// done, counted; stops at a fault box or the game's end.
exports.walk = async (page, seed, actions, {touch = false, checkBox, step}) => {
  const rand = chance(seed);
  const pick = list => list[Math.floor(rand() * list.length)];
  const done = {moves: 0, clicks: 0, keys: 0, boxes: 0};
  let at = {x: 1, y: 1};
  const view = await page.evaluate(() => [innerWidth, innerHeight]);
  const pointAt = async (x, y) => {
    [x, y] = [Math.max(0, Math.min(view[0] - 1, x)), Math.max(0, Math.min(view[1] - 1, y))];
    if (!touch) await page.mouse.move(x, y, {steps: Math.max(1, Math.round(Math.hypot(x - at.x, y - at.y) / 8))});
    done.moves += !touch;
    at = {x, y};
  };
  const click = () => (done.clicks++, touch ? page.touchscreen.tap(at.x, at.y) : page.mouse.click(at.x, at.y));
  const seen = new Set();
  const answer = async () => {
    for (let box; (box = await exports.settle(page));) {
      if (await box.$('a[download]')) return 'fault';
      if (await page.evaluate(() => Boolean(document.documentElement.dataset.ended))) {
        await checkBox('end');
        return 'ended';
      }
      const input = await box.$('input');
      const buttons = await box.$$('.buttons button');
      const kind = input ? 'input' : buttons.length === 1 ? 'ok' : 'yes/no';
      if (!seen.has(kind) && seen.add(kind)) await checkBox(kind);
      done.boxes++;
      if (input) {
        await page.keyboard.type('Walker');
        await page.keyboard.press('Enter');
        continue;
      }
      if (rand() < 0.3) {
        await page.keyboard.press('Escape');
        const still = await page.$('#overlay .dialog');
        assert.strictEqual(Boolean(still), buttons.length === 2, 'Esc answers an OK box only');
        if (!still) continue;
      }
      // Mostly No to "quit?", so that the walk goes on.
      const text = await box.evaluate(e => e.textContent);
      const choice = buttons.length === 2 && /退出/.test(text) && rand() < 0.8 ? 1 : Math.floor(rand() * buttons.length);
      if (rand() < 0.5) {
        const r = await buttons[choice].boundingBox();
        await pointAt(r.x + r.width * (0.2 + 0.6 * rand()), r.y + r.height / 2);
        await click();
      } else {
        if (choice === 1) await page.keyboard.press('Tab');
        await page.keyboard.press(rand() < 0.5 ? 'Enter' : ' ');
        done.keys++;
      }
    }
    return '';
  };
  for (let n = 0; n < actions; ++n) {
    const end = await answer();
    await step();
    if (end) return {...done, end};
    const r = rand();
    if (r < 0.55) {
      const win = await page.$eval('#window', e => e.getBoundingClientRect().toJSON());
      if (rand() < 0.6) {
        const b = pick((await exports.spots(page, '#board [data-control], #menubar button')).filter(s => s.placed));
        await pointAt(b.left + b.width * rand(), b.top + b.height * rand());
      } else {
        await pointAt(win.x - 40 + (win.width + 80) * rand(), win.y - 40 + (win.height + 80) * rand());
      }
      if (rand() < 0.7) {
        await click();
        if (rand() < 0.2) {
          await new Promise(resolve => setTimeout(resolve, 100 + 200 * rand()));
          await click();
        }
      }
    } else if (r < 0.93) {
      const key = pick(KEYS);
      if (key === 'Tab' && rand() < 0.3) await page.keyboard.down('Shift');
      await page.keyboard.press(key);
      await page.keyboard.up('Shift');
      done.keys++;
    } else {
      await page.keyboard.down('Alt');
      await page.keyboard.press(pick(['KeyN', 'KeyN', 'KeyM', 'KeyG', 'KeyQ']));
      await page.keyboard.up('Alt');
      done.keys++;
    }
  }
  const end = await answer();
  await step();
  return {...done, end};
};

// A player's answer to the target from the hand: a card equal to it (operator 0), or two cards
// and an operator (+ - * and \, division without the remainder), else null.
exports.answer = ({handValue: hand, tableValue: [, goal]}) => {
  const ops = [(a, b) => a + b, (a, b) => a - b, (a, b) => a * b, (a, b) => Math.trunc(a / b)];
  for (let i = 0; i < 10; ++i) {
    if (hand[i] && hand[i] === goal) return {op: 0, cards: [i]};
    for (let j = 0; j < 10; ++j)
      for (let op = 0; op < 4; ++op)
        if (j !== i && hand[i] && hand[j] && ops[op](hand[i], hand[j]) === goal) return {op, cards: [i, j]};
  }
  return null;
};

// The site served and a Chromium for the tests of one file: `it.site`, `it.browser`.
exports.served = () => {
  const {before, after} = require('node:test');
  const it = {};
  before(async () => {
    it.site = await exports.serve();
    it.browser = await exports.launch();
  });
  after(async () => {
    await it.browser.close();
    it.site.server.close();
  });
  return it;
};
