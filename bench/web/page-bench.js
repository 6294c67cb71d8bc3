// Measures the browser edition's page in headless Chromium; bench/web/run.sh SITE_DIR [RUNS]
// starts it, and bench/README.md says what each figure means.
"use strict";
const fs = require("node:fs");
const http = require("node:http");
const os = require("node:os");
const path = require("node:path");
const zlib = require("node:zlib");
const puppeteer = require("puppeteer-core");

const site = path.resolve(process.argv[2]);
const runs = Number(process.argv[3]);
// Another build of the site (say, before a change), visited by turns with this one at /before/.
const before = process.argv[4] ? path.resolve(process.argv[4]) : null;
// The music is fetched after the board is shown and is not part of what the board needs.
const musicFile = /^(music\.js|js-synthesizer[\w.]*\.js|libfluidsynth-[\w.-]*\.js|music\.sf2|r07\.mid)$/;
const types = {
    ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".mjs": "text/javascript",
    ".wasm": "application/wasm", ".css": "text/css", ".json": "application/json",
    ".png": "image/png", ".svg": "image/svg+xml", ".woff2": "font/woff2",
};
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const gzipSize = (file) => zlib.gzipSync(fs.readFileSync(file), {level: 9}).length;
const kb = (bytes) => (bytes / 1024).toFixed(1).padStart(8) + " KB";

// The picture page: the board as one PNG, ready once the picture has arrived.
const stand = fs.mkdtempSync(path.join(os.tmpdir(), "tessaro-bench-"));
fs.writeFileSync(path.join(stand, "board.html"),
    '<!doctype html><html><head><meta charset="utf-8"><style>body{margin:0}</style></head>' +
    '<body><img src="board.png" alt="" onload="document.documentElement.dataset.ready=1">');
fs.writeFileSync(path.join(stand, "music.html"),
    '<!doctype html><meta charset="utf-8"><script src="/music.js"></script>' +
    "<script>document.documentElement.dataset.ready = 1</script>");

// The site at /, the bench's own pages at /bench/; no compression, as localhost needs none.
function fileOf(pathname) {
    if (pathname.startsWith("/bench/")) return path.join(stand, path.basename(pathname));
    const [root, rest] = before && pathname.startsWith("/before/") ? [before, pathname.slice(7)] : [site, pathname];
    const file = path.join(root, path.normalize(decodeURIComponent(rest)));
    return pathname.endsWith("/") ? path.join(file, "index.html") : file;
}
const server = http.createServer((request, response) => {
    const file = fileOf(new URL(request.url, "http://x").pathname);
    fs.readFile(file, (error, data) => {
        response.writeHead(error ? 404 : 200,
            {"Content-Type": types[path.extname(file)] || "application/octet-stream"});
        response.end(data);
    });
});

// Notes when the page first says its board is playable, as a time since navigation began.
function watchReady() {
    new MutationObserver((_, observer) => {
        if (document.documentElement.dataset.ready !== "1") return;
        window.benchReadyAt = performance.now();
        observer.disconnect();
    }).observe(document, {attributes: true, subtree: true, attributeFilter: ["data-ready"]});
}

// One cold visit: a new browser context, so nothing is cached.
async function visit(browser, url, then) {
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.evaluateOnNewDocument(watchReady);
        await page.goto(url, {waitUntil: "domcontentloaded"});
        await page.waitForFunction(() => window.benchReadyAt !== undefined, {timeout: 60000});
        const readyAt = await page.evaluate(() => window.benchReadyAt);
        const requested = await page.evaluate((readyAt) => performance.getEntries()
            .filter((e) => e.entryType === "navigation" ||
                           (e.entryType === "resource" && e.startTime <= readyAt))
            .map((e) => e.name), readyAt);
        return {readyAt, requested, extra: then ? await then(page) : null};
    } finally {
        await context.close();
    }
}

// Once the page has loaded the music, the time from the first "play" to the first sound.
async function musicStart(page) {
    return page.evaluate(async () => {
        const music = window.TessaroMusic;
        const start = performance.now();
        await music.load("/");
        const loaded = performance.now() - start;
        const asked = performance.now();
        music.command("open", "r07.mid");
        music.command("play", "");
        await music.settle();
        const tap = music.output.context.createAnalyser();
        music.output.connect(tap);
        const samples = new Float32Array(tap.fftSize);
        while (performance.now() - asked < 20000) {
            tap.getFloatTimeDomainData(samples);
            if (samples.some((s) => s !== 0)) return {loaded, sounding: performance.now() - asked};
            await new Promise((resolve) => setTimeout(resolve, 5));
        }
        return {loaded, sounding: NaN};
    });
}

async function main() {
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    const origin = `http://127.0.0.1:${server.address().port}`;
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tessaro-bench-profile-"));
    const browser = await puppeteer.launch({
        executablePath: "/usr/bin/chromium", userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               // The browser's language chooses the page's catalog: English fetches one.
               `--accept-lang=${process.env.TESSARO_BENCH_LANG || "en-US"}`],
    });
    try {
        // The picture page shows what the page shows once it is playable.
        const first = await visit(browser, origin + "/", async (page) => {
            await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
            await page.screenshot({path: path.join(stand, "board.png")});
        });
        // To check by eye that the picture page shows the board.
        if (process.env.TESSARO_BENCH_BOARD) fs.copyFileSync(path.join(stand, "board.png"), process.env.TESSARO_BENCH_BOARD);

        console.log("Transferred before the board is playable (gzip -9 of each file):");
        let total = 0;
        const seen = new Set();
        for (const url of first.requested) {
            const {origin: from, pathname} = new URL(url);
            const file = fileOf(pathname);
            if (from !== origin || seen.has(file) || !fs.existsSync(file)) continue;
            seen.add(file);
            const music = musicFile.test(path.basename(file));
            const size = gzipSize(file);
            if (!music) total += size;
            console.log(`${kb(size)}  ${path.relative(site, file) || "."}${music ? "  (music, not counted)" : ""}`);
        }
        console.log(`${kb(total)}  in all (goal: at most 300 KB)\n`);

        const page = [], picture = [], earlier = [];
        for (let i = 0; i < runs; ++i) {
            page.push((await visit(browser, origin + "/")).readyAt);
            picture.push((await visit(browser, origin + "/bench/board.html")).readyAt);
            if (before) earlier.push((await visit(browser, origin + "/before/")).readyAt);
        }
        const ratio = median(page) / median(picture);
        console.log(`Navigation to a playable board, median of ${runs} cold visits by turns:`);
        console.log(`  page ${median(page).toFixed(1)} ms, picture page ${median(picture).toFixed(1)} ms, ` +
                    `ratio ${ratio.toFixed(2)} (goal: at most 1.5)`);
        if (before) {
            console.log(`  the site before: ${median(earlier).toFixed(1)} ms, ratio ` +
                        `${(median(earlier) / median(picture)).toFixed(2)}`);
        }
        console.log("");

        console.log("Scripts and wasm of the site (bytes, gzip -9):");
        for (const name of fs.readdirSync(site).sort()) {
            if (!/\.(js|mjs|wasm)$/.test(name)) continue;
            const file = path.join(site, name);
            console.log(`${kb(fs.statSync(file).size)} ${kb(gzipSize(file))}  ${name}`);
        }

        if (fs.existsSync(path.join(site, "music.js"))) {
            const starts = [];
            for (let i = 0; i < Math.min(runs, 5); ++i) {
                starts.push((await visit(browser, origin + "/bench/music.html", musicStart)).extra);
            }
            console.log(`\nMusic, median of ${starts.length} cold visits: loaded in ` +
                        `${median(starts.map((s) => s.loaded)).toFixed(0)} ms; sounding ` +
                        `${median(starts.map((s) => s.sounding)).toFixed(0)} ms after the first "play"`);
        }
    } finally {
        await browser.close();
        server.close();
        fs.rmSync(profile, {recursive: true, force: true});
        fs.rmSync(stand, {recursive: true, force: true});
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
