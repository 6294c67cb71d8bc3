// The menu bar: the engine's menus, each item sent as the window's menu event, with the keys of
// a menu bar (WAI-ARIA's pattern): Left and Right along the bar, Down, Up, Enter and Space open a
// menu, Up, Down, Home and End move in it, Esc closes it, Tab closes it and moves on.
import {t} from './i18n.js';
import {session, send} from './engine.js';
import {restore} from './focus.js';

const heads = () => [...document.querySelectorAll('#menubar .menu > [role="menuitem"]')];
const itemsOf = head => [...head.nextSibling.querySelectorAll('[role^="menuitem"]')];

function open(head, which) {
  closeMenus();
  head.parentNode.classList.add('open');
  head.setAttribute('aria-expanded', 'true');
  const items = itemsOf(head);
  if (which === 'first') items[0].focus();
  if (which === 'last') items[items.length - 1].focus();
}

function toHead(head) {
  for (const h of heads()) h.tabIndex = h === head ? 0 : -1;
  head.focus();
}

function headKeys(event) {
  const all = heads(), head = event.currentTarget, at = all.indexOf(head);
  const wasOpen = head.getAttribute('aria-expanded') === 'true';
  let next = null;
  switch (event.key) {
    case 'ArrowRight': next = all[(at + 1) % all.length]; break;
    case 'ArrowLeft': next = all[(at + all.length - 1) % all.length]; break;
    case 'Home': next = all[0]; break;
    case 'End': next = all[all.length - 1]; break;
    case 'ArrowDown': case 'Enter': case ' ': open(head, 'first'); break;
    case 'ArrowUp': open(head, 'last'); break;
    case 'Escape': closeMenus(); break;
    default: return;
  }
  event.preventDefault();
  if (next) {
    closeMenus();
    toHead(next);
    if (wasOpen) open(next, 'first');
  }
}

function itemKeys(event, head) {
  const items = itemsOf(head), at = items.indexOf(event.target);
  const all = heads(), h = all.indexOf(head);
  switch (event.key) {
    case 'ArrowDown': items[(at + 1) % items.length].focus(); break;
    case 'ArrowUp': items[(at + items.length - 1) % items.length].focus(); break;
    case 'Home': items[0].focus(); break;
    case 'End': items[items.length - 1].focus(); break;
    case 'Escape': closeMenus(); toHead(head); break;
    case 'ArrowRight': case 'ArrowLeft': {
      const next = all[(h + (event.key === 'ArrowRight' ? 1 : all.length - 1)) % all.length];
      toHead(next);
      open(next, 'first');
      break;
    }
    case 'Tab': closeMenus(); return;
    default: return;
  }
  event.preventDefault();
}

export function buildMenus() {
  const bar = document.getElementById('menubar');
  bar.setAttribute('aria-label', t(session.layout.caption));
  for (const menu of session.layout.menus) {
    const box = document.createElement('div');
    box.className = 'menu';
    box.setAttribute('role', 'none');
    const head = document.createElement('button');
    head.textContent = t(menu.caption);
    head.setAttribute('role', 'menuitem');
    head.setAttribute('aria-haspopup', 'menu');
    head.setAttribute('aria-expanded', 'false');
    head.id = `menu-${menu.name}`;
    head.tabIndex = bar.childElementCount ? -1 : 0;
    const items = document.createElement('div');
    items.className = 'items';
    items.setAttribute('role', 'menu');
    items.setAttribute('aria-labelledby', head.id);
    for (const item of menu.items) {
      if (!item.caption) {
        const rule = document.createElement('hr');
        rule.setAttribute('role', 'separator');
        items.appendChild(rule);
        continue;
      }
      const b = document.createElement('button');
      b.setAttribute('role', item.checkable ? 'menuitemcheckbox' : 'menuitem');
      b.tabIndex = -1;
      b.dataset.item = item.name;
      // The check mark and the keys are shown; a reader says "checked" and the shortcut instead.
      b.innerHTML = '<span class="check" aria-hidden="true"></span><span class="caption"></span>' +
                    '<span class="keys" aria-hidden="true"></span>';
      b.children[1].textContent = t(item.caption);
      b.children[2].textContent = t(item.shortcut);
      if (item.shortcut) b.setAttribute('aria-keyshortcuts', item.shortcut);
      b.addEventListener('click', () => {
        closeMenus();
        restore();
        send([session.layout.events.menu.replace('%1', item.name)]);
      });
      b.addEventListener('keydown', event => itemKeys(event, head));
      items.appendChild(b);
    }
    head.addEventListener('click', () => {
      if (box.classList.contains('open')) closeMenus();
      else open(head, null);
    });
    head.addEventListener('keydown', headKeys);
    box.append(head, items);
    bar.appendChild(box);
  }
  document.addEventListener('click', event => {
    if (!event.target.closest('.menu')) closeMenus();
  });
  // Leaving the menu bar, by Tab or by a click elsewhere, closes its menu.
  bar.addEventListener('focusout', event => {
    if (!event.relatedTarget || !bar.contains(event.relatedTarget)) closeMenus();
  });
}

export function closeMenus() {
  for (const m of document.querySelectorAll('.menu.open')) {
    m.classList.remove('open');
    m.firstChild.setAttribute('aria-expanded', 'false');
  }
}
