// Finishes the browser edition's site folder once everything else is in it: writes the service
// worker that keeps every file of the game for the next start, with or without a network, then a
// brotli and a gzip copy beside each text file and the wasm, for a server that sends them as
// they are (tools/serve-site.js, nginx's gzip_static and brotli_static, ...).
// `node tools/finish-site.js SITE_DIR`; tools/web.sh runs it after the build.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const {generateSW, getManifest} = require('workbox-build');

const COMPRESSED = /\.(html|js|mjs|css|json|webmanifest|svg|txt|wasm)$/;

function* files(dir) {
  for (const entry of fs.readdirSync(dir, {withFileTypes: true})) {
    const file = path.join(dir, entry.name);
    if (entry.isDirectory()) yield* files(file);
    else yield file;
  }
}

const FILES = {
  globPatterns: ['**/*'],
  // The licences are served beside what they cover but are not needed to play.
  globIgnores: ['sw.js', '**/*.gz', '**/*.br', '**/*.txt', '**/*.map'],
  // The largest file is the synthesizer's code, about 0.6 MB.
  maximumFileSizeToCacheInBytes: 4 * 1024 * 1024,
};

async function writeWorker(site) {
  const swDest = path.join(site, 'sw.js');
  // Bundling the worker takes seconds: a worker that already lists every file at its revision,
  // and is newer than this script, stays.
  if (fs.existsSync(swDest) && fs.statSync(swDest).mtimeMs > fs.statSync(__filename).mtimeMs) {
    const worker = fs.readFileSync(swDest, 'utf8');
    const {manifestEntries} = await getManifest({globDirectory: site, ...FILES});
    const listed = worker.match(/\{url:"[^"]*",revision:"[^"]*"\}/g) || [];
    if (listed.length === manifestEntries.length &&
        manifestEntries.every((e) => worker.includes(`{url:"${e.url}",revision:"${e.revision}"}`))) {
      return;
    }
  }
  const {count, size, warnings} = await generateSW({
    globDirectory: site,
    ...FILES,
    swDest,
    // Any address of the game (?seed=N) is the one page, from the copy kept.
    navigateFallback: 'index.html',
    // A new version waits until no page of the old one is open, and the page asks it to take
    // over at a start, when no game is running (page/main.js): a running game is never given
    // files of another version.
    skipWaiting: false,
    clientsClaim: true,
    cleanupOutdatedCaches: true,
    inlineWorkboxRuntime: true,
    sourcemap: false,
    mode: 'production',
  });
  for (const warning of warnings) console.warn(`${site}: ${warning}`);
  console.log(`${swDest}: ${count} files kept, ${(size / 1024).toFixed(0)} KB`);
}

// A copy is written when it is missing or older than its file, and kept only when smaller;
// copies whose file is gone are removed.
function compress(site) {
  let written = 0;
  for (const file of files(site)) {
    const copy = /\.(gz|br)$/.exec(file);
    if (copy) {
      const source = file.slice(0, -copy[0].length);
      if (!fs.existsSync(source) || !COMPRESSED.test(source)) fs.rmSync(file);
      continue;
    }
    if (!COMPRESSED.test(file)) continue;
    const stat = fs.statSync(file);
    const data = fs.readFileSync(file);
    for (const [suffix, squeeze] of [
      ['.br', () => zlib.brotliCompressSync(data, {params: {
        [zlib.constants.BROTLI_PARAM_QUALITY]: zlib.constants.BROTLI_MAX_QUALITY,
        [zlib.constants.BROTLI_PARAM_SIZE_HINT]: data.length}})],
      ['.gz', () => zlib.gzipSync(data, {level: 9})],
    ]) {
      const out = file + suffix;
      if (fs.existsSync(out) && fs.statSync(out).mtimeMs >= stat.mtimeMs) continue;
      const squeezed = squeeze();
      if (squeezed.length < data.length) {
        fs.writeFileSync(out + '.tmp', squeezed);
        fs.renameSync(out + '.tmp', out);
        ++written;
      } else {
        fs.rmSync(out, {force: true});
      }
    }
  }
  console.log(`${site}: ${written} compressed copies written`);
}

async function main() {
  const site = process.argv[2];
  if (!site || process.argv.length !== 3) {
    console.error('usage: node tools/finish-site.js SITE_DIR');
    process.exit(2);
  }
  await writeWorker(site);
  compress(site);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
