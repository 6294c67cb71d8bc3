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

async function main() {
  // The engine's code, compiled while the page arrived, made a module with the page's calls.
  const instantiateWasm = (imports, receive) => {
    early.engine.then(code => WebAssembly.instantiate(code, imports).then(it => receive(it, code)));
    return {};
  };
  let catalog;
  [session.engine, catalog] = await Promise.all([createTessaro({page, instantiateWasm}), early.catalog]);
  setCatalog(catalog);
  session.layout = JSON.parse(session.engine.ccall('tessaro_layout', 'string', [], []));
  document.title = t(session.layout.caption);
  landmarks();
  buildMenus();
  buildBoard();
  listenToBoard();
  watchFocus();
  fit();
  window.addEventListener('resize', fit);
  const seed = new URLSearchParams(location.search).get('seed');
  const number = /^\d+$/.test(seed || '') ? Number(seed) : -1;
  session.busy = true;
  const first = await session.engine.ccall('tessaro_start', 'string', ['number'], [number], {async: true});
  session.busy = false;
  show(first);
  restore(true);
  document.documentElement.dataset.ready = '1';
  await afterEvent();
  if (window.TessaroMusic) window.TessaroMusic.load('./').catch(() => {});
}

main();
