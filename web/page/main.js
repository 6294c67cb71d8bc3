// The page: builds the board from the engine's layout, mirrors the board after every event, and
// gives the engine its dialogs, its storage and its music.
import {setCatalog, t} from './i18n.js';
import {session, send, script, afterEvent} from './engine.js';
import {buildBoard, show} from './board.js';
import {listenToBoard} from './input.js';
import {buildMenus} from './menus.js';
import {messageBox, inputBox} from './boxes.js';
import {records} from './records.js';
// The board's size and pictures for the screen, from the frame on (and at every resize).
import './layout.js';
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
// files before its own game is shown: once the page's files have come, and fetching nothing more
// meanwhile (not even the tab's icon), since a fetch through the old worker starts it again and
// Chromium then puts the new one off for half a minute. Resolves true when the page starts again;
// otherwise holds a lock that tells later pages this one is open.
async function takeOver() {
  const workers = navigator.serviceWorker;
  if (!workers || !navigator.locks) return false;
  try {
    // The registration as asked for at the page's start (index.html); the locks, which the
    // browser answers more slowly, only when a new worker waits.
    const registration = await early.registration;
    const waiting = registration && registration.waiting;
    if (waiting && !(await navigator.locks.query()).held.some(l => l.name === PAGE_LOCK)) {
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
  setCatalog(await early.catalog);
  // The cards' names in Chinese, or in the language of the player's catalog (index.html).
  const {cardNamesIn} = session.layout;
  session.layout.cardNames = cardNamesIn[document.documentElement.lang.replace('-', '_')] || session.layout.cardNames;
  document.title = t(session.layout.caption);
  landmarks();
  buildMenus();
  buildBoard();
  listenToBoard();
  watchFocus();
  session.engine = await engine;
  const seed = new URLSearchParams(location.search).get('seed');
  const number = /^\d+$/.test(seed || '') ? Number(seed) : -1;
  session.busy = true;
  const first = await session.engine.ccall('tessaro_start', 'string', ['number'], [number], {async: true});
  session.busy = false;
  // The game is dealt but not shown: a new version may still take over.
  if (await moving) return;
  document.querySelector('link[rel="icon"]').href = 'icons/icon-192.png';
  show(first);
  // Playable, then the focus given: the style the focus needs worked out once, with the board
  // playable (layout.css), not again for the first frame.
  document.documentElement.dataset.ready = '1';
  restore(true);
  // Registered once the board can be played, so that its downloads take nothing from this start.
  if (navigator.serviceWorker) navigator.serviceWorker.register('sw.js').catch(() => {});
  await afterEvent();
  if (window.TessaroMusic) window.TessaroMusic.load('./').catch(() => {});
}

main();
