// The site served on a free port of 127.0.0.1 and headless Chromium to open it.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
               '.wasm': 'application/wasm', '.png': 'image/png'};

exports.serve = async (site = process.env.TESSARO_SITE) => {
  const server = http.createServer((req, res) => {
    const file = path.join(site, decodeURIComponent(new URL(req.url, 'http://x').pathname));
    fs.readFile(file.endsWith('/') ? file + 'index.html' : file, (err, data) => {
      res.writeHead(err ? 404 : 200, {'Content-Type': TYPES[path.extname(file)] || 'text/html'});
      res.end(err ? '' : data);
    });
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return {server, url: `http://127.0.0.1:${server.address().port}/`};
};

exports.launch = () => puppeteer.launch({
  executablePath: process.env.TESSARO_CHROMIUM || '/usr/bin/chromium',
  userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'tessaro-chromium-')),
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         // A container's small /dev/shm would crash the pages; the game's own language is
         // the one tessaro-replay writes its texts in.
         '--disable-dev-shm-usage', '--accept-lang=zh-CN'],
});

// Until the engine has finished the last event or waits in a box; returns the box, if any.
exports.settle = async page => {
  await page.waitForFunction(() => !tessaroTest.busy || document.querySelector('#overlay .dialog'));
  return page.$('#overlay .dialog');
};

// `languages` stands for the browser's preferred languages, when given.
exports.open = async (context, url, languages) => {
  const page = await context.newPage();
  if (languages) await page.evaluateOnNewDocument(l => Object.defineProperty(navigator, 'languages', {get: () => l}), languages);
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
  return page;
};
