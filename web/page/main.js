// The page: builds the board from the engine's layout, mirrors the board after every event, and
// gives the engine its dialogs, its storage and its music.
import {setCatalog, t} from './i18n.js';
import {session, send, script, afterEvent} from './engine.js';
import {buildBoard, show} from './board.js';
import {listenToBoard} from './input.js';
import {buildMenus} from './menus.js';
import {messageBox, inputBox} from './boxes.js';
import {records} from './records.js';
import {fit} from './layout.js';
import {watchFocus, restore} from './focus.js';
import {makeLiveRegion} from './speech.js';

// What the engine calls.
const page = {
  t,
  messageBox,
  inputBox,
  show,
  music(verb, file) {
    try {
      if (window.TessaroMusic) window.TessaroMusic.command(verb, file);
    } catch (e) {
      // No sound is silence, never a stopped game.
    }
  },
  ...records,
};

// The one way the page's tests look inside: the engine's last view, whether it runs an event,
// the replay script so far, and events sent as the controls send them.
window.tessaroTest = {
  get view() { return session.view; },
  get busy() { return session.busy; },
  script,
  send,
};

// The page's outline for a reader: the game is the page's main part, under a heading of its name
// (seen in the title bar only), with a region that tells what the computer did.
function landmarks() {
  const win = document.getElementById('window');
  win.setAttribute('role', 'main');
  const heading = document.createElement('h1');
  heading.className = 'visually-hidden';
  heading.textContent = document.title;
  win.prepend(heading);
  makeLiveRegion(win);
  // The board is a set of buttons, pictures and radio buttons a reader can browse.
  document.getElementById('board').removeAttribute('role');
}

const PAGE_LOCK = 'tessaro.page';

// The service worker keeps every file of the game for the next start, with or without a network.
// A new version's worker waits while a page of the old one is open. A page that starts while one
// waits, and is the only page of the game open, lets it take over and starts again from the new
// files before its own game starts: once the page's files have come, and fetching nothing more
// meanwhile (not even the tab's icon), since a fetch through the old worker starts it again and
// Chromium then puts the new one off for half a minute. Resolves true when the page starts again;
// otherwise holds a lock that tells later pages this one is open.
async function takeOver() {
  const workers = navigator.serviceWorker;
  if (!workers || !navigator.locks) return false;
  try {
    const [registration, locks] = await Promise.all([workers.getRegistration(), navigator.locks.query()]);
    const waiting = registration && registration.waiting;
    if (waiting && !locks.held.some(l => l.name === PAGE_LOCK)) {
      const taken = new Promise(resolve => {
        workers.addEventListener('controllerchange', () => resolve(true));
        waiting.addEventListener('statechange', () => { if (waiting.state === 'redundant') resolve(false); });
        setTimeout(resolve, 10000, false);  // else this version's game starts all the same
      });
      if (document.readyState !== 'complete') await new Promise(resolve => addEventListener('load', resolve, {once: true}));
      waiting.postMessage({type: 'SKIP_WAITING'});
      if (await taken) {
        location.reload();
        return true;
      }
    }
  } catch (e) {
    // Without the worker's help the game is played all the same.
  }
  navigator.locks.request(PAGE_LOCK, {mode: 'shared'}, () => new Promise(() => {}));
  return false;
}

async function main() {
  const moving = takeOver();
  // The engine's code, compiled while the page arrived, made a module with the page's calls.
  const instantiateWasm = (imports, receive) => {
    early.engine.then(code => WebAssembly.instantiate(code, imports).then(it => receive(it, code)));
    return {};
  };
  const engine = createTessaro({page, instantiateWasm});
  // The board is built from the engine's layout, which the build wrote into the page, while the
  // engine's code is made ready.
  session.layout = JSON.parse(document.getElementById('layout').textContent);
  const catalog = await early.catalog;
  setCatalog(catalog);
  document.title = t(session.layout.caption);
  landmarks();
  buildMenus();
  buildBoard();
  listenToBoard();
  watchFocus();
  fit();
  window.addEventListener('resize', fit);
  session.engine = await engine;
  if (await moving) return;
  // The layout names the cards in Chinese; in another language the engine names them again.
  if (Object.keys(catalog).length) {
    session.layout.cardNames = JSON.parse(session.engine.ccall('tessaro_card_names', 'string', [], []));
  }
  document.querySelector('link[rel="icon"]').href = 'icons/icon-192.png';
  const seed = new URLSearchParams(location.search).get('seed');
  const number = /^\d+$/.test(seed || '') ? Number(seed) : -1;
  session.busy = true;
  const first = await session.engine.ccall('tessaro_start', 'string', ['number'], [number], {async: true});
  session.busy = false;
  show(first);
  restore(true);
  document.documentElement.dataset.ready = '1';
  // Registered once the board can be played, so that its downloads take nothing from this start.
  if (navigator.serviceWorker) navigator.serviceWorker.register('sw.js').catch(() => {});
  await afterEvent();
  if (window.TessaroMusic) window.TessaroMusic.load('./').catch(() => {});
}

main();
