// The engine's boxes (messages, questions, the name of a record) and the page's end.
import {t} from './i18n.js';
import {session} from './engine.js';
import {closeMenus} from './menus.js';
import {restore} from './focus.js';

let boxes = 0;  // for the ids that name each box

// A box holds the keyboard: the page behind it is inert, and Tab cycles through the box.
function hold(box) {
  document.getElementById('scaler').inert = true;
  box.setAttribute('role', 'dialog');
  box.setAttribute('aria-modal', 'true');
  box.tabIndex = -1;
}

function release() {
  document.getElementById('scaler').inert = false;
}

function cycle(event, box) {
  const stops = [...box.querySelectorAll('button, input, a[href]')];
  const at = stops.indexOf(document.activeElement);
  const next = (at + (event.shiftKey ? stops.length - 1 : 1)) % stops.length;
  event.preventDefault();
  stops[at < 0 ? 0 : next].focus();
}

function named(el, box, how) {
  el.id = `box-${boxes}-${how}`;
  box.setAttribute(how === 'title' ? 'aria-labelledby' : 'aria-describedby', el.id);
}

// A modal box: Esc and the close control never answer Yes/No; an OK box closes with Esc.
export function messageBox(text, title, code, extra) {
  const {yesNoQuestion, yesNoInformation, okInformation, answers: [ok, yes, no]} = session.layout.boxes;
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
    named(words, box, 'text');
    if (extra) words.append('\n', extra);
    body.appendChild(words);
    box.appendChild(body);
    return yesNo ? [['yes', yes], ['no', no]] : [['ok', ok]];
  }, yesNo ? null : ok);
}

export function inputBox(prompt, title, value) {
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
  const {layout} = session;
  return new Promise(resolve => {
    const overlay = document.getElementById('overlay');
    const box = document.createElement('div');
    box.className = 'dialog';
    ++boxes;
    hold(box);
    const head = document.createElement('div');
    head.className = 'title';
    const name = document.createElement('span');
    name.textContent = title;
    named(name, box, 'title');
    head.appendChild(name);
    box.appendChild(head);
    const choices = fill(box);
    const answer = value => {
      overlay.replaceChildren();
      overlay.hidden = true;
      release();
      restore();
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
      } else if (event.key === 'Tab') {
        cycle(event, box);
      }
      event.stopPropagation();
    };
    document.addEventListener('keydown', keys, true);
    overlay.appendChild(box);
    overlay.hidden = false;
    (focusOf ? focusOf() : buttons[0]).focus();
  });
}

export function showEnd() {
  const {layout} = session;
  closeMenus();
  const overlay = document.getElementById('overlay');
  const box = document.createElement('div');
  box.className = 'dialog';
  ++boxes;
  hold(box);
  box.innerHTML = '<div class="body"></div><div class="buttons"><button></button></div>';
  box.firstChild.textContent = t(layout.texts.ended);
  named(box.firstChild, box, 'title');
  const again = box.querySelector('button');
  again.textContent = t(layout.texts.again);
  again.addEventListener('click', () => location.reload());
  box.addEventListener('keydown', event => {
    if (event.key === 'Tab') cycle(event, box);
  });
  overlay.replaceChildren(box);
  overlay.hidden = false;
  document.documentElement.dataset.ended = '1';
  again.focus();
}
