// The player's words: every text the page and the engine show passes through t().
let catalog = {};  // source text -> the player's words, from i18n/<language>.json (index.html)

export function setCatalog(found) {
  catalog = found;
}

// The player's words for a source text, or the source text, with the arguments put in place of
// %1 to %9 (a translation may reorder them).
export function t(text, ...args) {
  const words = Object.prototype.hasOwnProperty.call(catalog, text) ? catalog[text] : text;
  return words.replace(/%([1-9])/g, (all, n) => (n <= args.length ? args[n - 1] : all));
}
