// The keyboard's focus on the board, as in the window: one stop in the page's tab sequence (the
// control that had the focus last), Tab and Shift+Tab along the window's order (the chosen
// operator, the hand, the commands, the table and the selected cards), back to the board after a
// menu or a box, and never lost to the page's body while the game runs.
import {controls} from './board.js';
import {session} from './engine.js';

let last = null;  // the board's control that had the focus last

const shown = el => el.style.display !== 'none' && !el.hidden;

function chosenOperator() {
  const radios = [3, 2, 1, 0].map(i => controls[`Option1:${i}`].firstChild);
  return radios.find(r => r.checked) || radios[0];
}

// The controls Tab visits, in the window's order.
function order() {
  const list = [chosenOperator()];
  for (let k = 0; k <= 9; ++k) list.push(controls[`Image1:${k}`]);
  for (let i = 0; i <= 2; ++i) list.push(controls[`Label1:${i}`]);
  for (const name of ['Image4', 'Image7'])
    for (let i = 0; i <= 1; ++i) list.push(controls[`${name}:${i}`]);
  return list.filter(shown);
}

function rove(el) {
  for (const other of document.querySelectorAll('#board [tabindex="0"]'))
    if (other !== el) other.tabIndex = -1;
  el.tabIndex = 0;
  last = el;
}

function boxOpen() {
  return document.getElementById('overlay').childElementCount > 0;
}

// Focuses the board's control that had the focus last, if it is still there, else the chosen
// operator (`fresh`: the chosen operator in any case, as at the start of a game).
export function restore(fresh = false) {
  const el = !fresh && last && order().includes(last) ? last : chosenOperator();
  rove(el);
  el.focus();
}

// After the computer's turn played from the keys, the player goes on in the hand.
export function toHand() {
  const card = order().find(el => el.dataset.control === 'Image1');
  if (!card) return;
  rove(card);
  card.focus();
}

// After the board changed: a focused operator the engine unchose hands the focus to the chosen
// one, and a control that went away hands it back to the board.
export function afterShow() {
  const el = document.activeElement;
  if (!el || !el.closest || !el.closest('#board')) return;
  if (el.type === 'radio' && !el.checked) restore(true);
  else if (!order().includes(el)) {
    last = null;
    toHand();
    if (!document.activeElement.closest('#board')) restore(true);
  }
}

export function watchFocus() {
  const board = document.getElementById('board');
  for (const el of board.querySelectorAll('[data-control="Image1"], [data-control="Label1"], ' +
                                          '[data-control="Image4"], [data-control="Image7"], input'))
    el.tabIndex = -1;
  rove(chosenOperator());
  board.addEventListener('focusin', event => {
    if (event.target.tabIndex === 0 || event.target.tabIndex === -1) rove(event.target);
  });
  board.addEventListener('keydown', event => {
    if (event.key !== 'Tab' || event.ctrlKey || event.altKey || event.metaKey) return;
    const list = order();
    const next = list.indexOf(document.activeElement) + (event.shiftKey ? -1 : 1);
    // Past either end the focus leaves the board, to the menu bar and the browser.
    if (next < 0 || next >= list.length) return;
    event.preventDefault();
    rove(list[next]);
    list[next].focus();
  });
  // A click on the background, a card that went away, a menu closed: the focus comes back.
  document.addEventListener('focusout', () => setTimeout(() => {
    const view = session.view;
    if (document.activeElement !== document.body || !view || view.ended || view.fault) return;
    if (boxOpen()) document.querySelector('#overlay .dialog').focus();
    else restore();
  }));
}
