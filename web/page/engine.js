// The way into the engine: one event at a time, the board shown after each, and the end of a
// game (quit, or a fault in the rules) told to the player.
import {t} from './i18n.js';
import {show} from './board.js';
import {messageBox, showEnd} from './boxes.js';
import {restore} from './focus.js';

// What the page knows of the engine: the module, its layout (tessaro_layout(), as the build
// wrote it into the page), the last view it gave, and whether it is running an event (it may be
// waiting inside a box or a pause).
export const session = {engine: null, layout: null, view: null, busy: false, lastMove: ''};

// Events run one after another, never one inside another: what comes while the engine runs one
// (or waits inside the computer's pause) waits its turn, as the window's queue keeps it.
const pending = [];

// The window delivers no click to a hidden card or a greyed command.
function deliverable(line) {
  const [word, index] = line.split(' ');
  if (word === 'hand') return session.engine._tessaro_can_click(Number(index), -1);
  if (word === 'label') return session.engine._tessaro_can_click(-1, Number(index));
  return true;
}

export async function send(lines) {
  const {engine} = session;
  if (!session.view || session.view.ended || session.view.fault) return;
  pending.push(...lines);
  session.lastMove = lines[lines.length - 1].startsWith('move') ? lines[lines.length - 1] : '';
  if (session.busy) return;
  session.busy = true;
  while (pending.length && !session.view.ended && !session.view.fault) {
    const line = pending.shift();
    if (!deliverable(line)) continue;
    const text = await engine.ccall('tessaro_event', 'string', ['string'], [line], {async: true});
    if (text) show(text);
    // A new game starts with the focus on the chosen operator, as the first does.
    if (line === session.layout.events.menu.replace('%1', 'new')) restore(true);
  }
  pending.length = 0;
  session.busy = false;
  await afterEvent();
}

// The replay script of the game so far.
export function script() {
  return session.engine.ccall('tessaro_script', 'string', [], []);
}

export async function afterEvent() {
  const {view, layout} = session;
  if (view.fault) {
    await messageBox(t(layout.texts.fault), t(layout.texts.appTitle), layout.boxes.okInformation,
                     scriptLink());
    showEnd();
  } else if (view.ended) {
    showEnd();
  }
}

function scriptLink() {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([script()], {type: 'text/plain'}));
  a.download = 'tessaro-fault.txt';
  a.textContent = t(session.layout.texts.download);
  return a;
}
