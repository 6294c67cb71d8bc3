// The page played with real clicks, keys and taps in headless Chromium.
'use strict';
const assert = require('node:assert');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {test, before, after} = require('node:test');
const {serve, launch, settle, open} = require('./support');

let site, browser;
before(async () => {
  site = await serve();
  browser = await launch();
});
after(async () => {
  await browser.close();
  site.server.close();
});

const eventCount = script => script.split('\n').filter(l => /^(?!seed|rand|answer|input)\S/.test(l)).length;
// The engine's view and what the page's elements show of it.
const shown = () => {
  const all = name => [...document.querySelectorAll(`[data-control="${name}"]`)];
  const face = e => (e.style.display === 'none' ? 0 : Number(e.dataset.picture));
  return {
    state: tessaroTest.view.state, board: tessaroTest.view.board,
    hand: all('Image1').map(e => [face(e), parseInt(e.style.top), e.style.display !== 'none']),
    cpu: all('Image2').map(face), table: all('Image4').concat(all('Image7').slice(0, 2)).map(face),
    labels: all('Label1').map(e => e.getAttribute('aria-disabled') === 'false'),
    option: all('Option1').findIndex(e => e.firstChild.checked)};
};
const picture = (k, visible) => `[data-control="Image1"][data-index="${visible[k % visible.length]}"]`;

// Presses Esc, which must close an OK box and leave a Yes/No box open, then picks `choice`.
async function answer(page, box, choice, seen) {
  const buttons = await box.$$('.buttons button');
  await page.keyboard.press('Escape');
  const still = await page.$('#overlay .dialog');
  assert.strictEqual(Boolean(still), buttons.length === 2, 'Esc answers an OK box only');
  seen[buttons.length] = true;
  if (still) await buttons[choice].click();
}

// Clicks a control at its left edge: each hand card lies on the one to its left.
async function clickAt(page, selector) {
  const box = await (await page.$(selector)).boundingBox();
  await page.mouse.click(box.x + 4, box.y + box.height / 2);
}

test('a seeded game on the page is the game tessaro-replay plays, event by event', async () => {
  const page = await open(await browser.createBrowserContext(), site.url + '?seed=11');
  await page.click('.menu button');
  await page.click('[data-item="new"]');
  const seen = [], boxes = {};
  let clicked = null;  // the script before a click on a hand card, and the card
  for (let i = 0; i < 48; ++i) {
    const box = await settle(page);
    if (box) {
      // Nothing may call into the engine while it waits in a box.
      await answer(page, box, 0, boxes);
      continue;
    }
    seen.push([await page.evaluate(() => tessaroTest.script()), await page.evaluate(shown)]);
    const visible = await page.$$eval('[data-control="Image1"]',
                                      els => els.filter(e => e.style.display !== 'none').map(e => e.dataset.index));
    const before = seen[seen.length - 1][0];
    // The card under the pointer is the card the engine was told of.
    const told = clicked && before.slice(clicked[0].length).match(/^hand \d+$/m);
    if (told) assert.strictEqual(told[0], `hand ${clicked[1]}`);
    clicked = null;
    switch (i % 8) {
      case 0: case 3: await clickAt(page, picture(i, visible)); clicked = [before, visible[i % visible.length]]; break;
      case 1: await page.click('[data-control="Label1"][data-index="1"]'); break;
      case 2: await page.keyboard.press('zxcv+-*/'[i % 8]); break;
      case 4:
        await page.focus(picture(0, visible));
        await page.keyboard.press('ArrowRight');
        await page.keyboard.press(i % 3 ? 'Enter' : 'Space');
        break;
      case 5: await page.click('[data-control="Label1"][data-index="0"]'); break;
      case 6: await page.click(`[data-control="Option1"][data-index="${i % 4}"] input`); break;
      default: await page.keyboard.down('Alt'); await page.keyboard.press('KeyQ'); await page.keyboard.up('Alt');
        await answer(page, await settle(page), 1, boxes);  // No: a new game
    }
  }
  assert.ok(boxes[1] && boxes[2], 'the game showed an OK box and a Yes/No box');
  const script = seen[seen.length - 1][0];
  // The chance the page recorded, and the seed from the address alone, give the same game.
  for (const dropped of [/^seed .*\n/m, /^rand .*\n/gm]) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-web-'));
    const run = spawnSync(process.env.TESSARO_REPLAY, ['--dir', dir],
                          {input: script.replace(dropped, ''), encoding: 'utf8'});
    assert.strictEqual(run.status, 0, run.stderr);
    const out = run.stdout.trim().split('\n').map(line => JSON.parse(line));
    for (const [prefix, shown] of seen) {
      const {state, board: b} = out[eventCount(prefix) - 1];
      const px = twips => Math.round(twips / 15);
      assert.deepStrictEqual(shown, {
        state, board: b,
        hand: b.Image1.map(p => [p.picture * p.visible, px(p.top), p.visible]),
        cpu: b.Image2.map(p => p.picture * p.visible),
        table: b.Image4.concat(b.Image7.slice(0, 2)),
        labels: b.Label1, option: b.Option1}, prefix.split('\n').pop());
    }
  }
});

test('a fault in the rules stops the game with one box offering its replay script, then a new start', async () => {
  const page = await open(await browser.createBrowserContext(), site.url + '?seed=4');
  await page.click('.menu button');
  await page.click('[data-item="new"]');
  await settle(page);
  await page.evaluate(() => { tessaroTest.send(['menu nosuch']); });  // no control gives the engine a bad event
  const script = await (await page.waitForSelector('.dialog a[download]'))
    .evaluate(async a => (await fetch(a.href)).text());
  assert.match(script, /\nmenu new\nmenu nosuch {2}# the fault\n$/);
  const run = spawnSync(process.env.TESSARO_REPLAY, ['--dir', fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-web-'))],
                        {input: script, encoding: 'utf8'});
  assert.strictEqual(run.status, 2, 'the script replays to the fault line');
  await page.click('.dialog .buttons button');
  await (await page.waitForSelector('[data-ended] .dialog .buttons button')).click();
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1' && !document.documentElement.dataset.ended);
});

test('the page and the engine\'s texts follow the browser\'s first language that has a catalog', async () => {
  for (const [languages, lang] of [[['en-GB', 'zh-CN'], 'en'], [['zh-TW', 'en'], 'zh-CN']]) {
    const page = await open(await browser.createBrowserContext(), site.url, languages);
    await page.click('.menu button');
    await page.click('[data-item="gao"]');
    // The page's language, its title, menu bar and commands, the records box and a card's name.
    const shown = await (await page.waitForSelector('.dialog')).evaluate(() => [document.documentElement.lang,
      document.title, document.body.innerText, document.querySelector('[data-control="Image4"]').alt].join('\n'));
    assert.ok(shown.startsWith(lang + '\n') && /[\u3000-\u9fff\uff00-\uffef]/.test(shown) === (lang !== 'en'), shown);
  }
});
