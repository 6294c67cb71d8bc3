// Measures the browser edition's page in headless Chromium; bench/web/run.sh SITE_DIR [RUNS]
// starts it, and bench/README.md says what each figure means.
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const puppeteer = require("puppeteer-core");
const {createSiteServer} = require("../../tools/serve-site.js");

const site = path.resolve(process.argv[2]);
const runs = Number(process.argv[3]);
// Another build of the site (say, before a change), visited by turns with this one.
const before = process.argv[4] ? path.resolve(process.argv[4]) : null;
// The music is fetched after the board is shown and is not part of what the board needs.
const musicFile = /^(music\.js|js-synthesizer[\w.]*\.js|libfluidsynth-[\w.-]*\.js|music\.sf2|r07\.mid)$/;
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
// A file's size as the server sends it: its brotli copy when the build wrote one.
const sentSize = (file) => fs.statSync(fs.existsSync(file + ".br") ? file + ".br" : file).size;
const kb = (bytes) => (bytes / 1024).toFixed(1).padStart(8) + " KB";

// The picture page: the board as one PNG, ready once the picture has arrived.
const stand = fs.mkdtempSync(path.join(os.tmpdir(), "tessaro-bench-"));
fs.writeFileSync(path.join(stand, "board.html"),
    '<!doctype html><html><head><meta charset="utf-8"><style>body{margin:0}</style></head>' +
    '<body><img src="board.png" alt="" onload="document.documentElement.dataset.ready=1">');
fs.writeFileSync(path.join(stand, "music.html"),
    '<!doctype html><meta charset="utf-8"><script src="/music.js"></script>' +
    "<script>document.documentElement.dataset.ready = 1</script>");

// The site served as tools/web.sh serves it (compressed copies, types, cache headers), with the
// bench's own pages at /bench/ on the same origin; the earlier site on a server of its own.
function benchPages(request, response) {
    const {pathname} = new URL(request.url, "http://x");
    if (!pathname.startsWith("/bench/")) return response.emit("next");
    fs.readFile(path.join(stand, path.basename(pathname)), (error, data) => {
        response.statusCode = error ? 404 : 200;
        response.setHeader("Content-Type", pathname.endsWith(".png") ? "image/png" : "text/html; charset=utf-8");
        response.end(data);
    });
}
const servers = [createSiteServer(site, [benchPages]), ...(before ? [createSiteServer(before)] : [])];

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
        // Each file asked for before then, with its body as sent (compressed or not).
        const requested = await page.evaluate((readyAt) => performance.getEntries()
            .filter((e) => e.entryType === "navigation" ||
                           (e.entryType === "resource" && e.startTime <= readyAt))
            .map((e) => [e.name, e.encodedBodySize]), readyAt);
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
    for (const server of servers) await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    const [origin, earlierOrigin] = servers.map((s) => `http://127.0.0.1:${s.server.address().port}`);
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

        console.log("Transferred before the board is playable (each body as sent):");
        let total = 0;
        const seen = new Set();
        for (const [url, size] of first.requested) {
            const {origin: from, pathname} = new URL(url);
            if (from !== origin || seen.has(pathname)) continue;
            seen.add(pathname);
            const music = musicFile.test(path.basename(pathname));
            if (!music) total += size;
            console.log(`${kb(size)}  ${pathname.slice(1) || "."}${music ? "  (music, not counted)" : ""}`);
        }
        console.log(`${kb(total)}  in all (goal: at most 300 KB)\n`);

        const page = [], picture = [], earlier = [];
        for (let i = 0; i < runs; ++i) {
            page.push((await visit(browser, origin + "/")).readyAt);
            picture.push((await visit(browser, origin + "/bench/board.html")).readyAt);
            if (before) earlier.push((await visit(browser, earlierOrigin + "/")).readyAt);
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

        console.log("Scripts and wasm of the site (bytes, as sent):");
        for (const name of fs.readdirSync(site).sort()) {
            if (!/\.(js|mjs|wasm)$/.test(name)) continue;
            const file = path.join(site, name);
            console.log(`${kb(fs.statSync(file).size)} ${kb(sentSize(file))}  ${name}`);
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
        for (const server of servers) server.close();
        fs.rmSync(profile, {recursive: true, force: true});
        fs.rmSync(stand, {recursive: true, force: true});
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
