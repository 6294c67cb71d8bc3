// What a screen reader's user hears without moving the focus: the computer's turn, in the
// window's sentence, through a polite live region.
let region = null;

export function makeLiveRegion(parent) {
  region = document.createElement('div');
  region.id = 'told';
  region.className = 'visually-hidden';
  region.setAttribute('role', 'status');
  region.setAttribute('aria-live', 'polite');
  parent.appendChild(region);
}

export function tell(sentence) {
  if (!region || !sentence) return;
  // The same sentence twice in a row is told twice.
  region.textContent = '';
  setTimeout(() => { region.textContent = sentence; }, 50);
}
