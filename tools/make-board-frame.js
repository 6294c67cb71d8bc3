// Writes the board's frame into the page, so that it paints before the engine is ready: the
// parchment, the ornament, the menu bar's captions, the frame with its commands and operators,
// and an empty place for every card, each where the engine's layout puts it, in the colours and
// states the engine starts with, and as the page's board builder makes it (the builder takes
// these elements over). The layout and the start come from the built engine itself, run here
// under node with nothing stored, so the page holds no second copy of either.
// The layout itself goes into the page as JSON, which the page builds its board from while the
// engine's code is still compiling. The page's style sheets are written into it too, from
// STYLE_DIR (the site holds no copy).
// `node tools/make-board-frame.js SITE_DIR TEMPLATE OUT STYLE_DIR`: TEMPLATE is index.html as
// configured, with <!--board-frame--> in #board and <!--layout--> where the layout goes.
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const [site, template, out, styles] = process.argv.slice(2);
if (!styles) {
  console.error('usage: node tools/make-board-frame.js SITE_DIR TEMPLATE OUT STYLE_DIR');
  process.exit(2);
}

// The pictures the builder gives the controls that never change theirs.
const STILL = {Image5: 'pictures/background.webp', Image6: 'pictures/ornament.webp'};
const TAGS = {Frame2: 'div', Label1: 'div', Shape1: 'div', Option1: 'label'};

const escape = (text) => String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
// A text the page translates as soon as the player's catalog has come (index.html).
const words = (text) => `<span data-text="${escape(text)}">${escape(text)}</span>`;

const rgb = (c) => `rgb(${c.join(',')})`;

function element(c, layout, start, depth, inner = '') {
  const tag = TAGS[c.control] || 'img';
  const style = [`left:${c.left}px`, `top:${c.top}px`, `width:${c.width}px`, `height:${c.height}px`,
                 `z-index:${depth.get(c)}`];
  const attributes = [`data-control="${c.control}"`, `data-index="${c.index}"`];
  const board = start.board;
  if (c.control === 'Frame2') {
    attributes.push('class="control frame2"');
    style.push(`background:${rgb(start.frame2)}`);
  }
  if (c.control === 'Shape1') {
    attributes.push('class="control shape1"');
    const shape = board.Shape1[c.index];
    style.push(`background:${shape.solid ? rgb(shape.fill) : 'transparent'}`, `border:1px solid ${rgb(shape.border)}`);
  }
  if (c.control === 'Label1') {
    attributes.push('class="control label1"', `aria-disabled="${!board.Label1[c.index]}"`);
    inner = words(layout.labels[c.index]);
  }
  if (c.control === 'Option1') {
    attributes.push('class="control option1"');
    style.push(`background:${rgb(start.frame2)}`);
    const checked = board.Option1 === c.index ? ' checked' : '';
    inner = `<input type="radio" name="Option1" tabindex="-1"${checked}>${words(layout.options[c.index])}`;
  }
  if (tag === 'img') {
    attributes.push('alt=""', 'draggable="false"');
    const still = STILL[c.control];
    // Not fetched where the touch layout lays the parchment under the board instead (layout.css).
    if (c.control === 'Image5') attributes.push('loading="lazy"');
    // The ornament's @2x picture once the board is playable (page/layout.js): the first paint
    // waits for the lighter one only. (The parchment's comes at once: a browser counts a picture
    // it draws larger than itself smaller, and the sharper one would be the largest painted
    // after the board is playable.)
    const sharp = still && `${still} 1x, ${still.replace(/\.webp$/, '@2x.webp')} 2x`;
    if (still) attributes.push(`src="${still}"`, `${c.control === 'Image6' ? 'data-sharp' : 'srcset'}="${sharp}"`);
    // The gem markers and the swap's spare are not seen at the start.
    if (c.control === 'Image3') style.push('display:none');
    if (c.control === 'Image7' && c.index === 2) attributes.push('hidden');
    return `<img ${attributes.join(' ')} style="${style.join(';')}">`;
  }
  return `<${tag} ${attributes.join(' ')} style="${style.join(';')}">${inner}</${tag}>`;
}

async function main() {
  const createTessaro = require(path.resolve(site, 'tessaro.js'));
  const code = fs.readFileSync(path.join(site, 'tessaro.wasm'));
  // Nothing stored: the engine starts as on a first visit; what it would write is dropped.
  const page = {t: (text) => text, readRecords: () => null, readEntries: () => null,
                writeRecords: () => true, addRecord: () => true, holdsInGbk: () => true,
                lockRecords: () => Promise.resolve(1), unlockRecords() {}, show() {}, music() {},
                messageBox: () => Promise.resolve(0), inputBox: () => Promise.resolve('')};
  const engine = await createTessaro({
    page,
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(code, imports).then((it) => receive(it.instance, it.module));
      return {};
    },
  });
  const layout = JSON.parse(engine.ccall('tessaro_layout', 'string', [], []));
  // The engine composes the cards' names in the player's language: here, in each language the
  // site has a catalog for (as the page looks its texts up), for the page to take its player's.
  layout.cardNamesIn = {};
  const untranslated = page.t;
  for (const file of fs.readdirSync(path.join(site, 'i18n')).filter((f) => f.endsWith('.json'))) {
    const catalog = JSON.parse(fs.readFileSync(path.join(site, 'i18n', file), 'utf8'));
    page.t = (text) => (Object.prototype.hasOwnProperty.call(catalog, text) ? catalog[text] : text);
    layout.cardNamesIn[path.basename(file, '.json')] = JSON.parse(engine.ccall('tessaro_layout', 'string', [], [])).cardNames;
  }
  page.t = untranslated;
  const start = JSON.parse(await engine.ccall('tessaro_start', 'string', ['number'], [1], {async: true}));

  // The layout lists the controls front to back. The frame keeps the builder's order of
  // elements and stacks them by that list until the builder gives each control its depth.
  const depth = new Map(layout.controls.map((c, i) => [c, layout.controls.length - i]));
  const inFrame = layout.controls.filter((c) => c.inFrame2).map((c) => element(c, layout, start, depth)).join('');
  const board = layout.controls.filter((c) => !c.inFrame2)
    .map((c) => element(c, layout, start, depth, c.control === 'Frame2' ? inFrame : '')).join('\n');
  // The menu bar's captions as its content until the menus are built: no element of its own
  // stands in the bar (layout.css).
  const captions = layout.menus.map((m) => m.caption);

  let html = fs.readFileSync(template, 'utf8');
  for (const [marker, fill] of [['%MENU_CAPTIONS%', escape(captions.join('|'))],
                                ['%MENU_FRAME%', escape(captions.join(' '))], ['<!--board-frame-->', board],
                                // "<" written as an escape, so that no text of it ends the script.
                                ['<!--layout-->', `<script type="application/json" id="layout">${
                                  JSON.stringify(layout).replace(/</g, '\\u003c')}</script>`]]) {
    if (!html.includes(marker)) throw new Error(`${template} has no ${marker}`);
    html = html.replace(marker, () => fill);
  }
  // The touch layout (layout.css) moves a hand card and its gem from the window's row, whose
  // top the engine raises while the card is picked.
  const top = (name) => layout.controls.find((c) => c.control === name).top;
  // The board's size, from which layout.css scales the window's board to fill the browser's
  // window from the first paint on.
  html = html.replace(/%SCALER_STYLE%/g, `--board-width:${layout.width}px;--board-height:${layout.height}px`);
  html = html.replace(/%BOARD_STYLE%/g, `width:${layout.width}px;height:${layout.height}px;` +
                      `--hand-top:${top('Image1')}px;--marker-top:${top('Image3')}px`);
  // The style sheets in the page itself: the frame paints as soon as the page has come, one
  // round trip sooner on a slow network.
  html = html.replace(/<link rel="stylesheet" href="([\w.-]+\.css)">/g, (link, name) =>
    `<style>/* ${name} */\n${fs.readFileSync(path.join(styles, name), 'utf8').replace(/<\/style/gi, '<\\/style')}</style>`);
  fs.writeFileSync(out + '.tmp', html);
  fs.renameSync(out + '.tmp', out);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
