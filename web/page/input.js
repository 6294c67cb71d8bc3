// The pointer and the keys: what the player does, as the window's events to the engine, each
// line made from the engine's own forms of them.
import {session, send} from './engine.js';
import {controls} from './board.js';
import {toHand} from './focus.js';

const PLAY = 1;  // the command 出牌

// The line of the engine's form `kind` ('move' or 'click') for a control, or '' when the window
// has no such event for it.
function line(el, kind) {
  const form = (session.layout.events[el.dataset.control] || {})[kind];
  return form ? form.replace('%1', el.dataset.index) : '';
}

let turnByKeys = false;  // the last 出牌 came from the keys: the hand takes the focus after it

// Sends a click or its key on a control; 出牌 from the keys sends the player on in the hand.
function activate(el, byKeys, lines = []) {
  const click = line(el, 'click');
  if (click) lines.push(click);
  if (el.dataset.control === 'Label1' && Number(el.dataset.index) === PLAY) turnByKeys = byKeys;
  return lines;
}

export function afterTurn() {
  if (turnByKeys) toHand();
  turnByKeys = false;
}

export function listenToBoard() {
  const board = document.getElementById('board');
  for (let i = 0; i <= 3; ++i) {
    const option = controls[`Option1:${i}`];
    option.firstChild.addEventListener('click', () => send([line(option, 'click')]));
  }
  // Every tap and every click counts. Only a mouse's double click on one control keeps the
  // window's rule: its second click is no click.
  let pointer = '', clicked = null;
  board.addEventListener('pointerdown', event => { pointer = event.pointerType; });
  board.addEventListener('click', event => {
    const el = event.target.closest('[data-control]');
    const again = event.detail > 1 && pointer === 'mouse' && el === clicked;
    clicked = el;
    if (!el || again || el.dataset.control === 'Option1') return;
    const lines = activate(el, false);
    if (lines.length) send(lines);
  });
  board.addEventListener('mousemove', event => {
    const el = event.target.closest('[data-control]');
    const move = el ? line(el, 'move') : '';
    // Another move within the same control, with nothing in between, changes nothing more.
    if (move && move !== session.lastMove && !session.busy) send([move]);
  });
  document.addEventListener('keydown', onKey);
}

function shortcutItem(event) {
  if (!event.altKey || event.ctrlKey || event.metaKey) return null;
  for (const menu of session.layout.menus)
    for (const item of menu.items)
      if (item.shortcut && 'Key' + item.shortcut.slice(-1) === event.code) return item.name;
  return null;
}

function onKey(event) {
  if (!session.view || document.getElementById('overlay').childElementCount) return;
  const {events} = session.layout;
  const item = shortcutItem(event);
  if (item) {
    event.preventDefault();
    send([events.menu.replace('%1', item)]);
    return;
  }
  // The menu bar takes its own keys.
  if (event.ctrlKey || event.altKey || event.metaKey || event.target.closest('#menubar')) return;
  const lines = [];
  const typed = event.key === 'Enter' ? '\r' : event.key;
  // The window sees every typed character first, then the control with the focus: one UTF-16
  // unit, as the window takes a character.
  if (typed.length === 1 && typed.charCodeAt(0) <= events.highestKey)
    lines.push(events.key.replace('%1', typed.charCodeAt(0)));
  const el = document.activeElement;
  const name = el && el.dataset ? el.dataset.control : undefined;
  const i = name ? Number(el.dataset.index) : -1;
  if (event.key === ' ' || event.key === 'Enter') {
    if (name) activate(el, true, lines);
    if (name) event.preventDefault();
  }
  if (name === 'Image1' && (event.key === 'ArrowLeft' || event.key === 'ArrowRight')) {
    const step = event.key === 'ArrowLeft' ? -1 : 1;
    for (let j = i + step; j >= 0 && j <= 9; j += step) {
      const next = controls[`Image1:${j}`];
      if (next.style.display !== 'none') {
        next.focus();
        break;
      }
    }
    event.preventDefault();
  }
  if (lines.length) send(lines);
}
