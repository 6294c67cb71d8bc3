// The board: its controls built where the engine's layout puts them, and the engine's board
// shown on them after every event.
import {t} from './i18n.js';
import {session} from './engine.js';
import {afterShow} from './focus.js';
import {tell} from './speech.js';
import {afterTurn} from './input.js';

const STACK = ['Image5:1', 'Image5:0', 'Image1', 'Image6', 'Image4:0', 'Image2:0-8', 'Image3',
               'Image4:1', 'Image2:9', 'Image7:2', 'Frame2'];
const FRAME_STACK = ['Shape1:1', 'Shape1:0', 'Label1:0', 'Label1:1', 'Image7:0', 'Image7:1',
                     'Shape1:2', 'Label1:2', 'Option1'];

export const controls = {};  // "Image1:3" -> element

function depth(stack, name, index) {
  for (let i = 0; i < stack.length; ++i) {
    const [control, range] = stack[i].split(':');
    if (control !== name) continue;
    if (range === undefined) return i + 1;
    const [lo, hi] = range.split('-').map(Number);
    if (index >= lo && index <= (hi === undefined ? lo : hi)) return i + 1;
  }
  return 0;
}

// Nothing, drawn at the card's size: a selection slot without a card is an empty sunken slot, not
// a missing picture with its name spilled over it.
const NO_PICTURE = 'data:image/svg+xml,%3Csvg%20xmlns=%22http://www.w3.org/2000/svg%22%20width=%2272%22%20height=%2297%22/%3E';
// The card back is WebP, the faces PNG, each at 1x and 2x (index.html asks for the back first).
const BACK = 55;

function picture(img, n) {
  if (img.dataset.picture === String(n)) return;
  img.dataset.picture = String(n);
  if (n < 1 && img.classList.contains('sunken')) {
    // Both replaced: Chromium shows an image whose srcset was removed as broken.
    img.srcset = NO_PICTURE;
    img.src = NO_PICTURE;
    img.style.visibility = '';
    return;
  }
  if (n < 1) {
    img.removeAttribute('src');
    img.removeAttribute('srcset');
    img.style.visibility = 'hidden';
    return;
  }
  img.style.visibility = '';
  const type = n === BACK ? 'webp' : 'png';
  img.src = `cards/${n}.${type}`;
  img.srcset = `cards/${n}.${type} 1x, cards/${n}@2x.${type} 2x`;
}

const TAGS = {Frame2: 'div', Label1: 'div', Shape1: 'div', Option1: 'label'};

// The control's element: the one the page already holds for it (a frame drawn before the engine
// was ready), else a new one.
function makeControl(c, board) {
  const {layout} = session;
  const name = c.control;
  const el = board.querySelector(`[data-control="${name}"][data-index="${c.index}"]`) ||
             document.createElement(TAGS[name] || 'img');
  if (name === 'Frame2') {
    el.className = 'control frame2';
  } else if (name === 'Label1') {
    el.className = 'control label1';
    el.textContent = t(layout.labels[c.index]);
    el.title = t(layout.labelTips[c.index]);
    el.setAttribute('role', 'button');
  } else if (name === 'Shape1') {
    el.className = 'control shape1';
  } else if (name === 'Option1') {
    el.className = 'control option1';
    const radio = document.createElement('input');
    radio.type = 'radio';
    radio.name = 'Option1';
    radio.setAttribute('aria-label', t(layout.optionNames[c.index]));
    el.replaceChildren(radio, t(layout.options[c.index]));
  } else {
    el.alt = '';
    el.draggable = false;
    const still = {Image5: 'pictures/background.webp', Image6: 'pictures/ornament.webp',
                   Image3: 'pictures/marker.png'}[name];
    // The frame written into the page has given the parchment and the ornament theirs.
    if (still && !el.hasAttribute('src')) {
      // The touch layout lays the parchment under the board instead (layout.css).
      if (name === 'Image5') el.loading = 'lazy';
      const sharp = `${still} 1x, ${still.replace(/\.\w+$/, '@2x$&')} 2x`;
      if (name === 'Image6') el.dataset.sharp = sharp;  // once the board is playable (layout.js)
      else el.srcset = sharp;
      el.src = still;
    }
    if (name === 'Image1' || name === 'Image2' || name === 'Image4') el.className = 'flat';
    if (name === 'Image7') el.className = 'sunken';
    if (name === 'Image7' && c.index === 2) el.hidden = true;  // the swap's spare is never seen
    if (name === 'Image1') el.setAttribute('role', 'button');
  }
  el.style.left = c.left + 'px';
  el.style.top = c.top + 'px';
  el.style.width = c.width + 'px';
  el.style.height = c.height + 'px';
  el.style.zIndex = depth(c.inFrame2 ? FRAME_STACK : STACK, name, c.index);
  el.dataset.control = name;
  el.dataset.index = c.index;
  controls[`${name}:${c.index}`] = el;
  return el;
}

export function buildBoard() {
  const {layout} = session;
  const board = document.getElementById('board');
  board.style.width = layout.width + 'px';
  board.style.height = layout.height + 'px';
  for (const c of layout.controls) {
    const el = makeControl(c, board);
    const parent = c.inFrame2 ? controls['Frame2:0'] : board;
    if (el.parentNode !== parent) parent.appendChild(el);
  }
}

export function show(json) {
  const {layout} = session;
  const view = session.view = JSON.parse(json);
  const b = view.board;
  const px = twips => Math.round(twips / layout.twipsPerPixel);
  const names = layout.cardNames;
  for (let k = 0; k <= 9; ++k) {
    const hand = controls[`Image1:${k}`];
    picture(hand, b.Image1[k].picture);
    hand.style.top = px(b.Image1[k].top) + 'px';
    hand.style.display = b.Image1[k].visible ? '' : 'none';
    const picked = b.Image1[k].top === layout.handRaisedTop;
    const name = names[b.Image1[k].picture];
    // A hand card is a button named by its picture, and says whether it is picked.
    hand.alt = picked ? t(layout.pickedName, name) : name;
    hand.setAttribute('aria-pressed', String(picked));
    const cpu = controls[`Image2:${k}`];
    picture(cpu, b.Image2[k].picture);
    cpu.style.display = b.Image2[k].visible ? '' : 'none';
    cpu.alt = names[b.Image2[k].picture];
    const marker = controls[`Image3:${k}`];
    marker.style.top = px(b.Image3[k].top) + 'px';
    marker.style.display = b.Image3[k].visible ? '' : 'none';
  }
  for (let i = 0; i <= 1; ++i) {
    picture(controls[`Image4:${i}`], b.Image4[i]);
    controls[`Image4:${i}`].alt = t(layout.tableNames[i], names[b.Image4[i]]);
    // A lone answer stands in the second slot; the back in the first marks it as empty.
    const selected = i === 0 && b.Image7[0] === layout.backPicture ? 0 : b.Image7[i];
    controls[`Image7:${i}`].alt = t(layout.selectionNames[i], names[selected]);
  }
  for (let i = 0; i <= 2; ++i) {
    picture(controls[`Image7:${i}`], b.Image7[i]);
    const label = controls[`Label1:${i}`];
    label.setAttribute('aria-disabled', String(!b.Label1[i]));
    const shape = controls[`Shape1:${i}`].style;
    const f = b.Shape1[i];
    shape.background = f.solid ? `rgb(${f.fill})` : 'transparent';
    shape.border = `1px solid rgb(${f.border})`;
  }
  controls['Frame2:0'].style.background = `rgb(${view.frame2})`;
  for (let i = 0; i <= 3; ++i) {
    const option = controls[`Option1:${i}`];
    option.style.background = `rgb(${view.frame2})`;
    option.firstChild.checked = b.Option1 === i;
  }
  const music = document.querySelector('[data-item="music"]');
  music.setAttribute('aria-checked', String(b.music));
  music.firstChild.textContent = b.music ? '✓' : '';
  afterShow();
  if (view.told) {
    tell(view.told);
    afterTurn();
  }
}
