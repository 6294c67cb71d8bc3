// The browser edition's engine alone, under node: how long its code takes to compile and
// instantiate, its first start, and a run of seeded random events (boxes answered at random), and
// a digest of every view, box and script of the run, so that two builds can be compared. Times
// are the process's processor time (the computer's pauses sleep, on a clock sped up here):
// `node bench/web/engine-bench.js SITE [BEFORE_SITE [RUNS]]` (bench/web/engine.sh starts it).
// Each run is a fresh node process per site, by turns; the medians are printed.
'use strict';
const {execFileSync} = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const path = require('node:path');

const EVENTS = 2000;
const MENUS = ['new', 'gao', 'help', 'about', 'music', 'quit'];
const KEYS = [43, 45, 42, 92, 122, 120, 99, 118, 13];

// A clock that moves on a quarter of a second at each reading, so that a pause is soon over.
function fastClock() {
  const Real = Date;
  let now = Real.UTC(2026, 0, 1, 12);
  global.Date = class extends Real {
    constructor(...args) {
      if (args.length) super(...args);
      else super(now += 250);
    }
    static now() { return now; }
  };
}

const cpu = () => { const {user, system} = process.cpuUsage(); return (user + system) / 1000; };

async function once(site, seed) {
  fastClock();
  const started = cpu();
  const createTessaro = require(path.resolve(site, 'tessaro.js'));
  const code = fs.readFileSync(path.join(site, 'tessaro.wasm'));
  let r = seed;
  const pick = (n) => { r = (r * 1103515245 + 12345) % 2147483648; return r % n; };
  const told = [];
  const later = (value) => new Promise((resolve) => setTimeout(() => resolve(value()), 0));
  const page = {t: (text) => text, readRecords: () => null, readEntries: () => null, writeRecords: () => true,
    addRecord: () => true, holdsInGbk: () => true, lockRecords: () => later(() => 1), unlockRecords() {}, show() {},
    music() {}, messageBox: (text) => later(() => (told.push(text), [1, 6, 7][pick(3)])),
    inputBox: (prompt) => later(() => (told.push(prompt), `名${pick(100)}`))};
  const module = await WebAssembly.compile(code);
  const compiled = cpu();
  const engine = await createTessaro({page, instantiateWasm(imports, receive) {
    WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module));
    return {};
  }});
  const instantiated = cpu();
  const call = (name, types, args) => engine.ccall(name, 'string', types, args, {async: true});
  const digest = crypto.createHash('sha256');
  digest.update(await call('tessaro_start', ['number'], [seed]));
  const first = cpu();
  for (let i = 0; i < EVENTS; ++i) {
    const k = pick(50) === 0 ? 9 : pick(9);
    const line = k < 3 ? `hand ${pick(10)}` : k < 5 ? `label ${pick(3)}` : k < 6 ? `option ${pick(4)}`
      : k < 7 ? `move Image1 ${pick(10)}` : k < 8 ? `key ${KEYS[pick(KEYS.length)]}` : k < 9 ? `move Label1 ${pick(3)}`
      : `menu ${MENUS[pick(MENUS.length)]}`;
    const view = await call('tessaro_event', ['string'], [line]);
    digest.update(`${line}\n${view}`);
    // A game that ended (the end box, or a fault) starts again.
    if (/"ended": true|"fault": true/.test(view)) {
      digest.update(engine.ccall('tessaro_script', 'string', [], []));
      digest.update(await call('tessaro_start', ['number'], [seed + i]));
    }
  }
  const done = cpu();
  digest.update(engine.ccall('tessaro_script', 'string', [], []) + told.join('|'));
  return {compile: compiled - started, instantiate: instantiated - compiled, start: first - instantiated,
          events: done - first, boxes: told.length, digest: digest.digest('hex').slice(0, 16)};
}

async function main([site, before, runs = '5']) {
  if (process.env.TESSARO_ENGINE_ONCE) {
    process.stdout.write(JSON.stringify(await once(site, Number(process.env.TESSARO_ENGINE_ONCE))));
    return;
  }
  if (!site) {
    console.error('usage: node bench/web/engine-bench.js SITE [BEFORE_SITE [RUNS]]');
    process.exit(2);
  }
  const sites = before ? {now: site, before} : {now: site};
  const seen = {};
  for (let i = 0; i < Number(runs); ++i) {
    for (const [name, dir] of Object.entries(sites)) {
      const out = execFileSync(process.execPath, [__filename, dir], {env: {...process.env, TESSARO_ENGINE_ONCE: String(i + 1)}});
      (seen[name] ||= []).push(JSON.parse(out));
    }
  }
  const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
  console.log(`Engine under node ${process.version}, medians of ${runs} fresh processes by turns (ms), ${EVENTS} events a run:`);
  for (const [name, list] of Object.entries(seen)) {
    const m = (f) => median(list.map((x) => x[f])).toFixed(1).padStart(7);
    console.log(`  ${name.padEnd(7)} compile ${m('compile')}  instantiate ${m('instantiate')}  start ${m('start')}  ` +
                `events ${m('events')}  (${median(list.map((x) => x.boxes))} boxes)`);
  }
  if (before) {
    const differ = seen.now.filter((x, i) => x.digest !== seen.before[i].digest).length;
    console.log(differ ? `  ${differ} of ${runs} runs gave other views, boxes or scripts than before` :
                         `  every run gave the same views, boxes and scripts as before`);
    if (differ) process.exitCode = 1;
  }
}

main(process.argv.slice(2)).catch((error) => {
  console.error(error);
  process.exit(1);
});
