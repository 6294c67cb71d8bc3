// The pointer and the keys: what the player does, as the window's events to the engine.
import {session, send} from './engine.js';
import {controls} from './board.js';

function clickControl(el) {
  const name = el.dataset.control, i = Number(el.dataset.index);
  if (name === 'Image1') send([`hand ${i}`]);
  if (name === 'Label1') send([`label ${i}`]);
}

export function listenToBoard() {
  const board = document.getElementById('board');
  for (let i = 0; i <= 3; ++i)
    controls[`Option1:${i}`].firstChild.addEventListener('click', () => send([`option ${i}`]));
  board.addEventListener('click', event => {
    const el = event.target.closest('[data-control]');
    // The second click of a double click is no click, as in the window.
    if (!el || event.detail > 1) return;
    clickControl(el);
  });
  board.addEventListener('mousemove', event => {
    const el = event.target.closest('[data-control]');
    if (!el) return;
    const name = el.dataset.control, i = el.dataset.index;
    let line = '';
    if (name === 'Image1' || name === 'Label1') line = `move ${name} ${i}`;
    else if (name === 'Image5') line = 'move Image5';
    else if (name === 'Frame2') line = 'move Frame2';
    // Another move within the same control, with nothing in between, changes nothing more.
    if (line && line !== session.lastMove && !session.busy) send([line]);
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
  const item = shortcutItem(event);
  if (item) {
    event.preventDefault();
    send([`menu ${item}`]);
    return;
  }
  if (event.ctrlKey || event.altKey || event.metaKey) return;
  const lines = [];
  const typed = event.key === 'Enter' ? '\r' : event.key;
  // The window sees every typed character first, then the control with the focus.
  if ([...typed].length === 1) lines.push(`key ${typed.codePointAt(0)}`);
  const el = document.activeElement;
  const name = el && el.dataset ? el.dataset.control : undefined;
  const i = name ? Number(el.dataset.index) : -1;
  if (event.key === ' ' || event.key === 'Enter') {
    if (name === 'Image1') lines.push(`hand ${i}`);
    if (name === 'Label1') lines.push(`label ${i}`);
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
