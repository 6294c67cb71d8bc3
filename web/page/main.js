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
  buildMenus();
  buildBoard();
  listenToBoard();
  fit();
  window.addEventListener('resize', fit);
  const seed = new URLSearchParams(location.search).get('seed');
  const number = /^\d+$/.test(seed || '') ? Number(seed) : -1;
  session.busy = true;
  const first = await session.engine.ccall('tessaro_start', 'string', ['number'], [number], {async: true});
  session.busy = false;
  show(first);
  document.documentElement.dataset.ready = '1';
  await afterEvent();
  if (window.TessaroMusic) window.TessaroMusic.load('./').catch(() => {});
}

main();
