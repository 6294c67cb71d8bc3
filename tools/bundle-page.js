// Gathers the page's modules (web/page/, from main.js) into one module, minified, with a source
// map beside it: one file for the browser to ask for, not one for each module, and about half
// their weight. `node tools/bundle-page.js ENTRY OUTPUT`; the web build runs it.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const {rollup} = require('rollup');
const {minify} = require('terser');

async function main([entry, output]) {
  // The modules import one another both ways (the board and the engine, ...), which modules
  // allow and the bundle keeps in their order: no warning for it.
  const bundle = await rollup({
    input: entry,
    onwarn(warning, warn) {
      if (warning.code !== 'CIRCULAR_DEPENDENCY') warn(warning);
    },
  });
  const {output: [chunk]} = await bundle.generate({
    format: 'es',
    sourcemap: true,
    // The map names each module as the site's folder of modules would, its text inside.
    sourcemapPathTransform: (source) => `page/${path.basename(source)}`,
  });
  await bundle.close();
  const name = path.basename(output);
  const small = await minify({[name]: chunk.code}, {
    module: true,
    sourceMap: {content: chunk.map, url: `${name}.map`, includeSources: true},
  });
  fs.mkdirSync(path.dirname(output), {recursive: true});
  fs.writeFileSync(output, small.code);
  fs.writeFileSync(`${output}.map`, small.map);
}

if (process.argv.length !== 4) {
  console.error('usage: node tools/bundle-page.js ENTRY OUTPUT');
  process.exit(2);
}
main(process.argv.slice(2)).catch((error) => {
  console.error(error);
  process.exit(1);
});
