// The menu bar: the engine's menus, each item sent as the window's menu event.
import {t} from './i18n.js';
import {session, send} from './engine.js';

export function buildMenus() {
  const bar = document.getElementById('menubar');
  for (const menu of session.layout.menus) {
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

export function closeMenus() {
  for (const m of document.querySelectorAll('.menu.open')) m.classList.remove('open');
}
