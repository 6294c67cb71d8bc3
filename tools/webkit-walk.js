// Walks the page in WebKitGTK (MiniBrowser under WebKitWebDriver, on an X display) with the
// walk of the page's tests: node tools/webkit-walk.js SITE_DIR [SEED [ACTIONS]]. Not part of
// tools/test.sh: the driver is not reliable enough here for a test (see tools/README.md).
'use strict';
const {spawn, spawnSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {serve, walk, axe, shows} = require('../tests/web/support');

const KEYS = {Tab: '\uE004', Enter: '\uE007', Escape: '\uE00C', Shift: '\uE008', Alt: '\uE00A',
              ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015'};
const key = name => KEYS[name] || (/^Key[A-Z]$/.test(name) ? name.slice(3).toLowerCase() : name);
const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';

// Enough of puppeteer's page over WebDriver for the walk.
function driverPage(base, session) {
  const call = async (method, route, body) => {
    const res = await fetch(`${base}/session/${session}${route}`, {method, body: body && JSON.stringify(body),
      headers: {'Content-Type': 'application/json'}});
    const {value} = await res.json();
    if (!res.ok) throw new Error(`${route}: ${value.message}`);
    return value;
  };
  const wrap = v => Array.isArray(v) ? v.map(wrap) : v && v[ELEMENT] ? handle(v) : v;
  const run = (fn, args) => call('POST', '/execute/async', {
    script: `const done = arguments[arguments.length - 1];
             Promise.resolve((${fn}).apply(null, [...arguments].slice(0, -1))).then(done, e => done({thrown: String(e)}));`,
    args: args.map(a => (a && a.ref ? a.ref : a))}).then(v => { if (v && v.thrown) throw new Error(v.thrown); return wrap(v); });
  const pointer = actions => call('POST', '/actions', {actions: [{type: 'pointer', id: 'mouse', actions}]});
  const keys = actions => call('POST', '/actions', {actions: [{type: 'key', id: 'keys', actions}]});
  function handle(ref) {
    return {ref, evaluate: (fn, ...args) => run(fn, [ref, ...args]),
      $: s => run((e, s) => e.querySelector(s), [ref, s]), $$: s => run((e, s) => [...e.querySelectorAll(s)], [ref, s]),
      boundingBox: () => run(e => e.getBoundingClientRect().toJSON(), [ref])};
  }
  const page = {
    evaluate: (fn, ...args) => typeof fn === 'string' ? call('POST', '/execute/sync', {script: fn, args: []}) : run(fn, args),
    $: s => run(s => document.querySelector(s), [s]),
    $eval: (s, fn) => run(`(s) => (${fn})(document.querySelector(s))`, [s]),
    $$eval: (s, fn) => run(`(s) => (${fn})([...document.querySelectorAll(s)])`, [s]),
    async waitForFunction(fn) {
      for (let i = 0; i < 600; ++i, await new Promise(r => setTimeout(r, 50))) if (await run(fn, [])) return;
      throw new Error('waited 30 s');
    },
    mouse: {
      move: (x, y, {steps = 1} = {}) => pointer([{type: 'pointerMove', x: Math.round(x), y: Math.round(y), duration: 4 * steps}]),
      click: (x, y) => pointer([{type: 'pointerMove', x: Math.round(x), y: Math.round(y), duration: 0},
        {type: 'pointerDown', button: 0}, {type: 'pointerUp', button: 0}]),
    },
    keyboard: {
      down: k => keys([{type: 'keyDown', value: key(k)}]),
      up: k => keys([{type: 'keyUp', value: key(k)}]),
      press: k => keys([{type: 'keyDown', value: key(k)}, {type: 'keyUp', value: key(k)}]),
      type: text => keys([...text].flatMap(c => [{type: 'keyDown', value: c}, {type: 'keyUp', value: c}])),
    },
  };
  return page;
}

(async () => {
  const [site, seed = '1', actions = '120'] = process.argv.slice(2);
  const {server, url} = await serve(path.resolve(site));
  const port = 4000 + Math.floor(Math.random() * 1000);
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], {stdio: 'ignore'});
  const base = `http://127.0.0.1:${port}`;
  try {
    await new Promise(r => setTimeout(r, 1000));
    const res = await fetch(`${base}/session`, {method: 'POST', headers: {'Content-Type': 'application/json'},
      body: JSON.stringify({capabilities: {alwaysMatch: {'webkitgtk:browserOptions': {
        binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation']}}}})});
    const {value} = await res.json();
    if (!value.sessionId) throw new Error(JSON.stringify(value));
    const page = driverPage(base, value.sessionId);
    await fetch(`${base}/session/${value.sessionId}/url`, {method: 'POST', headers: {'Content-Type': 'application/json'},
      body: JSON.stringify({url: `${url}?seed=${seed}`})});
    await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
    const version = await page.evaluate('return navigator.userAgent');
    const findings = await axe(page);
    await page.keyboard.down('Alt');
    await page.keyboard.press('KeyN');
    await page.keyboard.up('Alt');
    const done = await walk(page, Number(seed), Number(actions), {checkBox: async kind => findings.push(...(await axe(page)).map(f => `${kind}: ${f}`)), step: async () => {}});
    const script = await page.evaluate(() => tessaroTest.script());
    // The board tessaro-replay plays from the page's script, against the page's.
    const replay = process.env.TESSARO_REPLAY || path.join(__dirname, '..', 'build', 'bin', 'tessaro-replay');
    const run = spawnSync(replay, ['--dir', fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-webkit-'))],
                          {input: script, encoding: 'utf8'});
    if (run.status !== 0) console.error(run.stderr);
    const out = run.stdout.trim().split('\n');
    // (as the page's tests compare them: the records list's names isolated on the page)
    const same = await shows(page, JSON.parse(out[out.length - 1]));
    console.log(JSON.stringify({version, ...done, events: out.length, sameBoard: same, axe: findings}));
    await fetch(`${base}/session/${value.sessionId}`, {method: 'DELETE'});
    process.exitCode = done.end === 'fault' || findings.length || !same ? 1 : 0;
  } finally {
    driver.kill();
    server.close();
  }
})().catch(e => { console.error(e); process.exit(1); });
