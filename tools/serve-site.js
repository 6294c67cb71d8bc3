// Serves the browser edition's site folder as a web server should: the compressed copy the
// build wrote beside a file (.br, else .gz) when the browser takes it, the right types, and a
// cache policy by kind of file. `node tools/serve-site.js SITE_DIR [PORT [HOST]]`; the bench
// and the page's tests start the same server through createSiteServer().
'use strict';
const path = require('node:path');
const httpServer = require('http-server');

// The names are not versioned, so whatever the page's code is made of is checked with the
// server on every use (a 304 when unchanged): a new index.html never meets an old script. The
// service worker keeps its own copy of everything for the next start. Pictures, the font and
// the music change seldom and may be kept a week.
const MEDIA = /\.(png|webp|woff2|sf2|mid|svg)$/;
function cacheControl(pathname) {
  return MEDIA.test(pathname) ? 'public, max-age=604800' : 'no-cache';
}

exports.cacheControl = cacheControl;

// `before`: request handlers of http-server's kind (`res.emit('next')` passes the request on)
// that answer some addresses themselves, as the bench does for its own pages.
exports.createSiteServer = (root, before = []) => httpServer.createServer({
  root,
  before,
  gzip: true,
  brotli: true,
  cache: cacheControl,
  showDir: 'false',
  // A cache between the server and a browser must not hand a compressed copy to a browser
  // that did not ask for it. (http-server sends no Vary of its own.)
  headers: {'Vary': 'Accept-Encoding', 'X-Content-Type-Options': 'nosniff'},
});

if (require.main === module) {
  const [root, port = '8080', host = '127.0.0.1'] = process.argv.slice(2);
  if (!root) {
    console.error('usage: node tools/serve-site.js SITE_DIR [PORT [HOST]]');
    process.exit(2);
  }
  exports.createSiteServer(path.resolve(root)).listen(Number(port), host, () => {
    console.error(`Tessaro is served on http://${host}:${port}/ (Ctrl+C stops it)`);
  });
}
