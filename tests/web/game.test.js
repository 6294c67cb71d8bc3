// The page played with real clicks, keys and taps in headless Chromium.
'use strict';
const assert = require('node:assert');
const {test} = require('node:test');
const {served, launch, settle, open, tap, axe, focus, walk, snapshot, replays, replayed, eventCount, answer} = require('./support');

const it = served();

const WALKS = [  // each a seed, a number of things done, a browser and a screen
  {seed: 1, actions: 120, engine: 'chromium'},
  {seed: 2, actions: 120, engine: 'firefox'},
  {seed: 3, actions: 80, engine: 'chromium', phone: true},
  {seed: 6, actions: 80, engine: 'firefox', phone: true},
];

test('walks of a player\'s pointer, taps and keys end without a fault, on the board tessaro-replay plays; axe finds nothing', async () => {
  const kinds = new Set();  // of the boxes met
  for (const {seed, actions, engine, phone} of WALKS) {
    const other = engine === 'firefox' ? await launch(engine) : null;
    try {
      const page = await open(await (other || it.browser).createBrowserContext(), `${it.site.url}?seed=${seed}`,
        {viewport: phone && {width: 360, height: 640, deviceScaleFactor: 2, isMobile: true, hasTouch: true}});
      const name = `${engine} walk ${seed}${phone ? ' (phone)' : ''}`;
      const findings = [];
      // axe's findings, and any picture of the board shown broken (an empty slot is no picture; one
      // not shown, as the parchment's copies in the touch layout, is never fetched).
      const check = async when => await page.waitForFunction(() => [...document.querySelectorAll('#board img')].every(e => e.complete || !e.checkVisibility())) && findings.push(...(await axe(page)).map(v => `${when}: ${v}`),
        ...(await page.$$eval('#board img', els => els.filter(e => e.checkVisibility({visibilityProperty: true}) &&
          !(e.complete && e.naturalWidth)).map(e => `broken ${e.dataset.control} ${e.dataset.index}`))).map(v => `${when}: ${v}`));
      await check('start');
      // The deal from the menu, by the pointer.
      for (const control of ['.menu button', '[data-item="new"]']) await tap(page, control, phone);
      await check('after a deal');
      if (phone) {
        // Two quick taps on 摸牌 draw two cards.
        const held = () => page.evaluate(() => tessaroTest.view.state.handValue.filter(v => v).length);
        const before = await held();
        const r = await (await page.$('[data-control="Label1"][data-index="0"]')).boundingBox();
        for (const wait of [150, 0]) await page.touchscreen.tap(r.x + r.width / 2, r.y + r.height / 2).then(() => new Promise(resolve => setTimeout(resolve, wait)));
        await settle(page);
        assert.strictEqual(await held(), before + 2, 'two taps, two cards');
      }
      const seen = [];  // the script and the page after each thing done
      const step = async () => {
        assert.ok(await page.evaluate(() => document.activeElement !== document.body || !document.hasFocus()), `${name}: the focus on the body`);
        seen.push(await snapshot(page));
      };
      const done = await walk(page, seed, actions, {touch: phone, step, checkBox: kind => kinds.add(kind) && check(`${kind} box`)});
      if (done.end === 'fault') assert.fail(`${name}: ${await page.$eval('.dialog', e => e.textContent)}`);
      if (!done.end) await check('end');
      assert.deepStrictEqual(page.errors, [], name);
      assert.deepStrictEqual(findings, [], name);
      replays(seen, name);
      console.log(`# ${name}: ${JSON.stringify(done)}, ${eventCount(seen[seen.length - 1][0])} events`);
    } finally {
      if (other) await other.close();
    }
  }
  assert.deepStrictEqual([...kinds].sort(), ['end', 'input', 'ok', 'yes/no']);
});

test('a keyboard-only game to a record entry: the focus where the window keeps it at every step', async () => {
  for (const engine of ['chromium', 'firefox']) {
    const other = engine === 'firefox' ? await launch(engine) : null;
    try {
      const page = await open(await (other || it.browser).createBrowserContext(), it.site.url + '?seed=5');
      await page.evaluate(() => localStorage.setItem('tessaro.records', JSON.stringify(Array(10).fill(['低分', -32768]))));
      const press = async key => {
        const [held, name] = key.length > 1 && key.includes('+') ? key.split('+') : [null, key];
        if (held) await page.keyboard.down(held);
        await page.keyboard.press(name === 'Space' ? ' ' : name);
        if (held) await page.keyboard.up(held);
        await settle(page);
        return focus(page);
      };
      const step = async (key, where) => assert.match(await press(key), where, `${engine}: ${key}`);
      const opened = () => page.$$eval('.menu.open', m => m.length);
      assert.strictEqual(await focus(page), 'operator', `${engine}: at the start`);
      // The menu bar: Left/Right, Down opens, Home/End, Esc closes, Tab leaves it closed.
      for (const [key, where] of [['Shift+Tab', /^menu 游戏$/], ['ArrowDown', /^item new$/], ['End', /^item quit$/],
        ['Home', /^item new$/], ['Escape', /^menu 游戏$/], ['ArrowRight', /^menu 关于$/], ['Enter', /^item help$/],
        ['ArrowLeft', /^item new$/], ['Tab', /^operator$/], ['Shift+Tab', /^menu 游戏$/], ['ArrowDown', /^item new$/],
        ['Enter', /^operator$/]]) {
        await step(key, where);
        assert.strictEqual(await opened(), /^item/.test(await focus(page)) ? 1 : 0, `${engine}: ${key}`);
      }
      // An operator key leaves the focus on the chosen operator; Tab goes on to the hand.
      await step('Tab', /^Image1 0$/);
      await step('Shift+Tab', /^operator$/);
      await step('x', /^operator$/);
      await step('Tab', /^Image1 0$/);
      let plays = 0;
      for (let round = 0; round < 12 && plays < 2; ++round) {
        const plan = answer(await page.evaluate(() => tessaroTest.view.state));
        let at = await focus(page);
        if (!plan) {
          while (at !== 'Label1 0') at = await press('Tab');
          await step('Enter', /^Label1 0$/);  // 摸牌
          await step('Shift+Tab', /^Image1 \d$/);
          continue;
        }
        await step('zxcv'[plan.op], /^Image1 \d$/);
        for (const k of plan.cards) {
          while (at !== `Image1 ${k}`) at = await press(Number(at.slice(7)) < k ? 'ArrowRight' : 'ArrowLeft');
          await step('Space', new RegExp(`^Image1 ${k}$`));
        }
        while (at !== 'Label1 1') at = await press('Tab');
        assert.match(at, /^(Image1|Label1) \d$/);
        await page.evaluate(() => { document.getElementById('told').textContent = ''; });
        const after = await press('Enter');  // 出牌: the computer's turn, told, and the hand again
        if (await page.$('.dialog')) break;
        assert.match(after, /^Image1 \d$/, `${engine}: after 出牌`);
        await page.waitForFunction(() => /电脑/.test(document.getElementById('told').textContent));
        ++plays;
      }
      assert.strictEqual(plays, 2, `${engine}: two plays from the keys`);
      // A box holds the focus until it is answered; the record's name is typed and kept.
      await press('Alt+KeyQ');
      for (const where of [/^box 是$/, /^box 否$/, /^box 是$/]) {
        assert.match(await focus(page), where, `${engine}: in the box`);
        await page.keyboard.press('Tab');
      }
      await step('Shift+Tab', /^box 是$/);
      await step('Enter', /^box input$/);
      await page.keyboard.type('Keys');
      await step('Enter', /^box 重新开始$/);
      assert.match(await page.evaluate(() => localStorage.getItem('tessaro.records')), /Keys/);
    } finally {
      if (other) await other.close();
    }
  }
});

test('a fault in the rules stops the game with one box offering its replay script, then a new start', async () => {
  const page = await open(await it.browser.createBrowserContext(), it.site.url + '?seed=4');
  await page.click('.menu button');
  await page.click('[data-item="new"]');
  await settle(page);
  await page.evaluate(() => { tessaroTest.send(['menu nosuch']); });  // no control gives the engine a bad event
  const script = await (await page.waitForSelector('.dialog a[download]'))
    .evaluate(async a => (await fetch(a.href)).text());
  assert.match(script, /\nmenu new\nmenu nosuch {2}# the fault\n$/);
  replayed(script, 2);  // to the fault line
  await page.click('.dialog .buttons button');
  await (await page.waitForSelector('[data-ended] .dialog .buttons button')).click();
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1' && !document.documentElement.dataset.ended);
});

test('the page and the engine\'s texts follow the browser\'s first language that has a catalog', async () => {
  for (const [languages, lang] of [[['en-GB', 'zh-CN'], 'en'], [['zh-TW', 'en'], 'zh-CN']]) {
    const page = await open(await it.browser.createBrowserContext(), it.site.url, {languages});
    await page.click('.menu button');
    await page.click('[data-item="gao"]');
    // The page's language, its title, menu bar and commands, the records box and a card's name.
    const shown = await (await page.waitForSelector('.dialog')).evaluate(() => [document.documentElement.lang,
      document.title, document.body.innerText, document.querySelector('[data-control="Image4"]').alt].join('\n'));
    assert.ok(shown.startsWith(lang + '\n') && /[\u3000-\u9fff\uff00-\uffef]/.test(shown) === (lang !== 'en'), shown);
  }
});
