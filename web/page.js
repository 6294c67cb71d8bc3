// The page: builds the board from the engine's layout, mirrors the board after every event, and
// gives the engine its dialogs, its storage and its music.
'use strict';

let catalog = {};  // source text -> the player's words, from i18n/<language>.json (index.html)

// Every text the page and the engine show passes here: the player's words for a source text, or
// the source text, with the arguments put in place of %1 to %9 (a translation may reorder them).
function t(text, ...args) {
  const words = Object.prototype.hasOwnProperty.call(catalog, text) ? catalog[text] : text;
  return words.replace(/%([1-9])/g, (all, n) => (n <= args.length ? args[n - 1] : all));
}

const RECORDS_KEY = 'tessaro.records';
const STACK = ['Image5:1', 'Image5:0', 'Image1', 'Image6', 'Image4:0', 'Image2:0-8', 'Image3',
               'Image4:1', 'Image2:9', 'Image7:2', 'Frame2'];
const FRAME_STACK = ['Shape1:1', 'Shape1:0', 'Label1:0', 'Label1:1', 'Image7:0', 'Image7:1',
                     'Shape1:2', 'Label1:2', 'Option1'];

let engine = null;  // the module
let layout = null;  // what tessaro_layout() gives
const controls = {};  // "Image1:3" -> element
let busy = false;  // the engine is running an event: it may be waiting inside a box or a pause
let lastMove = '';
let view = null;

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

function picture(img, n) {
  if (img.dataset.picture === String(n)) return;
  img.dataset.picture = String(n);
  if (n < 1) {
    img.removeAttribute('src');
    img.removeAttribute('srcset');
    img.style.visibility = 'hidden';
    return;
  }
  img.style.visibility = '';
  img.src = `cards/${n}.png`;
  img.srcset = `cards/${n}.png 1x, cards/${n}@2x.png 2x`;
}

function makeControl(c) {
  const name = c.control;
  let el;
  if (name === 'Frame2') {
    el = document.createElement('div');
    el.className = 'control frame2';
  } else if (name === 'Label1') {
    el = document.createElement('div');
    el.className = 'control label1';
    el.textContent = t(layout.labels[c.index]);
    el.title = t(layout.labelTips[c.index]);
    el.setAttribute('role', 'button');
  } else if (name === 'Shape1') {
    el = document.createElement('div');
    el.className = 'control shape1';
  } else if (name === 'Option1') {
    el = document.createElement('label');
    el.className = 'control option1';
    const radio = document.createElement('input');
    radio.type = 'radio';
    radio.name = 'Option1';
    radio.setAttribute('aria-label', t(layout.optionNames[c.index]));
    radio.addEventListener('click', () => send([`option ${c.index}`]));
    el.append(radio, t(layout.options[c.index]));
  } else {
    el = document.createElement('img');
    el.alt = '';
    el.draggable = false;
    const still = {Image5: 'pictures/background.webp', Image6: 'pictures/ornament.webp',
                   Image3: 'pictures/marker.png'}[name];
    if (still) {
      el.src = still;
      if (name === 'Image3') el.srcset = 'pictures/marker.png 1x, pictures/marker@2x.png 2x';
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

function buildBoard() {
  const board = document.getElementById('board');
  board.style.width = layout.width + 'px';
  board.style.height = layout.height + 'px';
  for (const c of layout.controls) {
    const el = makeControl(c);
    (c.inFrame2 ? controls['Frame2:0'] : board).appendChild(el);
  }
  // Keyboard order as in the window: the operators from the right, the hand, the commands.
  const chain = [3, 2, 1, 0].map(i => controls[`Option1:${i}`].firstChild);
  for (let k = 0; k <= 9; ++k) chain.push(controls[`Image1:${k}`]);
  for (let i = 0; i <= 2; ++i) chain.push(controls[`Label1:${i}`]);
  chain.forEach((el, n) => { el.tabIndex = n + 1; });

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
    if (line && line !== lastMove && !busy) send([line]);
  });
}

function clickControl(el) {
  const name = el.dataset.control, i = Number(el.dataset.index);
  if (name === 'Image1') send([`hand ${i}`]);
  if (name === 'Label1') send([`label ${i}`]);
}

function buildMenus() {
  const bar = document.getElementById('menubar');
  for (const menu of layout.menus) {
    const box = document.createElement('div');
    box.className = 'menu';
    const head = document.createElement('button');
    head.textContent = t(menu.caption);
    head.setAttribute('aria-haspopup', 'menu');
    const items = document.createElement('div');
    items.className = 'items';
    items.setAttribute('role', 'menu');
    for (const item of menu.items) {
      if (!item.caption) {
        items.appendChild(document.createElement('hr'));
        continue;
      }
      const b = document.createElement('button');
      b.setAttribute('role', item.checkable ? 'menuitemcheckbox' : 'menuitem');
      b.dataset.item = item.name;
      b.innerHTML = '<span class="check"></span><span class="caption"></span><span class="keys"></span>';
      b.children[1].textContent = t(item.caption);
      b.children[2].textContent = t(item.shortcut);
      b.addEventListener('click', () => {
        closeMenus();
        send([`menu ${item.name}`]);
      });
      items.appendChild(b);
    }
    head.addEventListener('click', () => {
      const open = !box.classList.contains('open');
      closeMenus();
      box.classList.toggle('open', open);
    });
    box.append(head, items);
    bar.appendChild(box);
  }
  document.addEventListener('click', event => {
    if (!event.target.closest('.menu')) closeMenus();
  });
}

function closeMenus() {
  for (const m of document.querySelectorAll('.menu.open')) m.classList.remove('open');
}

function shortcutItem(event) {
  if (!event.altKey || event.ctrlKey || event.metaKey) return null;
  for (const menu of layout.menus)
    for (const item of menu.items)
      if (item.shortcut && 'Key' + item.shortcut.slice(-1) === event.code) return item.name;
  return null;
}

function onKey(event) {
  if (!view || document.getElementById('overlay').childElementCount) return;
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

// Events run one after another, never one inside another: what comes while the engine runs one
// (or waits inside the computer's pause) waits its turn, as the window's queue keeps it.
const pending = [];

// The window delivers no click to a hidden card or a greyed command.
function deliverable(line) {
  const [word, index] = line.split(' ');
  if (word === 'hand') return engine._tessaro_can_click(Number(index), -1);
  if (word === 'label') return engine._tessaro_can_click(-1, Number(index));
  return true;
}

async function send(lines) {
  if (!view || view.ended || view.fault) return;
  pending.push(...lines);
  lastMove = lines[lines.length - 1].startsWith('move') ? lines[lines.length - 1] : '';
  if (busy) return;
  busy = true;
  while (pending.length && !view.ended && !view.fault) {
    const line = pending.shift();
    if (!deliverable(line)) continue;
    const text = await engine.ccall('tessaro_event', 'string', ['string'], [line], {async: true});
    if (text) show(text);
  }
  pending.length = 0;
  busy = false;
  await afterEvent();
}

async function afterEvent() {
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
  const script = engine.ccall('tessaro_script', 'string', [], []);
  a.href = URL.createObjectURL(new Blob([script], {type: 'text/plain'}));
  a.download = 'tessaro-fault.txt';
  a.textContent = t(layout.texts.download);
  return a;
}

function show(json) {
  view = JSON.parse(json);
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
    hand.setAttribute('aria-label', picked ? t(layout.pickedName, name) : name);
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
    controls[`Image7:${i}`].alt = t(layout.selectionNames[i], names[b.Image7[i]]);
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
  // A card without a picture shows as an empty sunken slot.
  for (let i = 0; i <= 1; ++i) controls[`Image7:${i}`].style.visibility = '';
  controls['Frame2:0'].style.background = `rgb(${view.frame2})`;
  for (let i = 0; i <= 3; ++i) {
    const option = controls[`Option1:${i}`];
    option.style.background = `rgb(${view.frame2})`;
    option.firstChild.checked = b.Option1 === i;
  }
  const music = document.querySelector('[data-item="music"]');
  music.setAttribute('aria-checked', String(b.music));
  music.firstChild.textContent = b.music ? '✓' : '';
}

// A modal box: Esc and the close control never answer Yes/No; an OK box closes with Esc.
function messageBox(text, title, code, extra) {
  const {yesNoQuestion, yesNoInformation, okInformation, answers: [ok, yes, no]} = layout.boxes;
  const yesNo = code === yesNoQuestion || code === yesNoInformation;
  const icon = code === yesNoQuestion ? 'question'
    : code === okInformation || code === yesNoInformation ? 'information' : '';
  return dialog(title, box => {
    const body = document.createElement('div');
    body.className = 'body';
    if (icon) {
      const i = document.createElement('div');
      i.className = 'icon ' + icon;
      i.textContent = icon === 'question' ? '?' : 'i';
      body.appendChild(i);
    }
    const words = document.createElement('div');
    words.textContent = text.replace(/\r\n/g, '\n');
    if (extra) words.append('\n', extra);
    body.appendChild(words);
    box.appendChild(body);
    return yesNo ? [['yes', yes], ['no', no]] : [['ok', ok]];
  }, yesNo ? null : ok);
}

function inputBox(prompt, title, value) {
  let input;
  return dialog(title, box => {
    const body = document.createElement('div');
    body.className = 'body';
    const words = document.createElement('label');
    words.textContent = prompt;
    input = document.createElement('input');
    input.value = value;
    words.appendChild(input);
    body.appendChild(words);
    box.appendChild(body);
    return [['ok', () => input.value], ['cancel', '']];
  }, '', () => input);
}

// Builds the box, shows it over the page, and resolves with the answer of the button pressed
// (`escape` answers Esc and the close control; null means they do nothing).
function dialog(title, fill, escape, focusOf) {
  return new Promise(resolve => {
    const overlay = document.getElementById('overlay');
    const box = document.createElement('div');
    box.className = 'dialog';
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-modal', 'true');
    const head = document.createElement('div');
    head.className = 'title';
    const name = document.createElement('span');
    name.textContent = title;
    head.appendChild(name);
    box.appendChild(head);
    const choices = fill(box);
    const answer = value => {
      overlay.replaceChildren();
      overlay.hidden = true;
      document.removeEventListener('keydown', keys, true);
      resolve(typeof value === 'function' ? value() : value);
    };
    if (escape !== null) {
      const close = document.createElement('button');
      close.textContent = '×';
      close.setAttribute('aria-label', t(layout.buttons.cancel));
      close.addEventListener('click', () => answer(escape));
      head.appendChild(close);
    }
    const row = document.createElement('div');
    row.className = 'buttons';
    const buttons = choices.map(([key, value]) => {
      const b = document.createElement('button');
      b.textContent = t(layout.buttons[key]);
      b.addEventListener('click', () => answer(value));
      row.appendChild(b);
      return b;
    });
    box.appendChild(row);
    const keys = event => {
      if (event.key === 'Escape') {
        event.preventDefault();
        if (escape !== null) answer(escape);
      } else if (event.key === 'Enter' && event.target.tagName !== 'BUTTON') {
        event.preventDefault();
        answer(choices[0][1]);
      }
      event.stopPropagation();
    };
    document.addEventListener('keydown', keys, true);
    overlay.appendChild(box);
    overlay.hidden = false;
    (focusOf ? focusOf() : buttons[0]).focus();
  });
}

function showEnd() {
  closeMenus();
  const overlay = document.getElementById('overlay');
  const box = document.createElement('div');
  box.className = 'dialog';
  box.setAttribute('role', 'dialog');
  box.innerHTML = '<div class="body"></div><div class="buttons"><button></button></div>';
  box.firstChild.textContent = t(layout.texts.ended);
  const again = box.querySelector('button');
  again.textContent = t(layout.texts.again);
  again.addEventListener('click', () => location.reload());
  overlay.replaceChildren(box);
  overlay.hidden = false;
  document.documentElement.dataset.ended = '1';
  again.focus();
}

let releaseRecords = null;

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
  // Ten lines "POINTS<TAB>NAME"; null when nothing is stored; '' for storage that cannot be
  // read or holds anything else.
  readRecords() {
    let stored;
    try {
      stored = localStorage.getItem(RECORDS_KEY);
    } catch (e) {
      return '';
    }
    if (stored === null) return null;
    try {
      const rows = JSON.parse(stored);
      const good = Array.isArray(rows) && rows.length === 10 && rows.every(r =>
        Array.isArray(r) && r.length === 2 && typeof r[0] === 'string' && !/[\n\r]/.test(r[0]) &&
        Number.isInteger(r[1]));
      return good ? rows.map(r => `${r[1]}\t${r[0]}\n`).join('') : '';
    } catch (e) {
      return '';
    }
  },
  writeRecords(lines) {
    const rows = lines.split('\n').filter(l => l).map(l => {
      const tab = l.indexOf('\t');
      return [l.slice(tab + 1), Number(l.slice(0, tab))];
    });
    try {
      localStorage.setItem(RECORDS_KEY, JSON.stringify(rows));
      return true;
    } catch (e) {
      return false;
    }
  },
  // One tab at a time reads, changes and writes the records.
  lockRecords() {
    if (!navigator.locks) return Promise.resolve(1);
    return new Promise(resolve => {
      navigator.locks.request(RECORDS_KEY, () => new Promise(release => {
        releaseRecords = release;
        resolve(1);
      })).catch(() => resolve(0));
    });
  },
  unlockRecords() {
    if (releaseRecords) releaseRecords();
    releaseRecords = null;
  },
};

function fit() {
  const win = document.getElementById('window');
  const scale = Math.min(1, window.innerWidth / win.offsetWidth, window.innerHeight / win.offsetHeight);
  const scaler = document.getElementById('scaler');
  scaler.style.transform = scale < 1 ? `scale(${scale})` : '';
  scaler.style.height = win.offsetHeight * scale + 'px';
}

async function main() {
  // The engine's code, compiled while the page arrived, made a module with the page's calls.
  const instantiateWasm = (imports, receive) => {
    early.engine.then(code => WebAssembly.instantiate(code, imports).then(it => receive(it, code)));
    return {};
  };
  [engine, catalog] = await Promise.all([createTessaro({page, instantiateWasm}), early.catalog]);
  layout = JSON.parse(engine.ccall('tessaro_layout', 'string', [], []));
  document.title = t(layout.caption);
  buildMenus();
  buildBoard();
  fit();
  window.addEventListener('resize', fit);
  document.addEventListener('keydown', onKey);
  const seed = new URLSearchParams(location.search).get('seed');
  const number = /^\d+$/.test(seed || '') ? Number(seed) : -1;
  busy = true;
  const first = await engine.ccall('tessaro_start', 'string', ['number'], [number], {async: true});
  busy = false;
  show(first);
  document.documentElement.dataset.ready = '1';
  await afterEvent();
  if (window.TessaroMusic) window.TessaroMusic.load('./').catch(() => {});
}

main();
