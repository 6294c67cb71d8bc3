// The page's size: on a coarse pointer or a small screen layout.css lays the board out for
// thumbs; otherwise the window's board is shown exactly, scaled about the middle of the browser's
// window to fill it, up as well as down.
let sharp = false;

// A picture drawn larger than itself on a screen of one pixel to the pixel takes its @2x
// picture, which the browser would choose only on a denser screen. It is left the only one
// (the src, were it kept, would be the 1x picture the browser takes instead).
function sharpen(img) {
  const sources = img.getAttribute('srcset');
  if (!sources) return;
  const both = sources.match(/^(\S+?)(@2x)?(\.png|\.webp) (?:1x|2x)(?:, \S+ 2x)?$/);
  if (!both) return;
  const [, name, , type] = both;
  const wanted = sharp ? `${name}@2x${type} 2x` : `${name}${type} 1x, ${name}@2x${type} 2x`;
  if (sources !== wanted) img.setAttribute('srcset', wanted);
  if (sharp) img.removeAttribute('src');
}

function fit() {
  const scaler = document.getElementById('scaler');
  if (!scaler) return;
  const touch = getComputedStyle(document.documentElement).getPropertyValue('--layout').trim() === 'touch';
  document.documentElement.dataset.layout = touch ? 'touch' : 'window';
  // The table's cards in the touch layout are drawn up to about twice their size; the window's
  // board at the scale layout.css gives it.
  const scale = touch ? 2 : new DOMMatrixReadOnly(getComputedStyle(scaler).transform).a;
  const wasSharp = sharp;
  sharp = scale * window.devicePixelRatio > 1.05 && window.devicePixelRatio < 1.5;
  if (sharp !== wasSharp) for (const img of document.querySelectorAll('#board img[srcset]')) sharpen(img);
}

// At once, while the frame written into the page is all there is, and whenever the screen
// turns or the window changes; each picture the board is given is looked at as it comes.
fit();
window.addEventListener('resize', fit);
new MutationObserver(changes => {
  if (sharp) for (const change of changes) sharpen(change.target);
}).observe(document.getElementById('board'), {subtree: true, attributeFilter: ['srcset']});

// The ornament's @2x picture is asked for once the board is playable: the first paint and the
// playable board wait only for the 1x one, which stays shown until the sharper has come.
const root = document.documentElement;
new MutationObserver((_, watch) => {
  if (root.dataset.ready !== '1') return;
  watch.disconnect();
  for (const img of document.querySelectorAll('#board img[data-sharp]')) img.srcset = img.dataset.sharp;
}).observe(root, {attributeFilter: ['data-ready']});
