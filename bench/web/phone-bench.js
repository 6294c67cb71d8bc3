// The browser edition on a slow phone, served as tools/web.sh serves it; bench/web/phone.sh
// starts it, and bench/README.md says what each figure means.
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const puppeteer = require("puppeteer-core");
const {createSiteServer} = require("../../tools/serve-site.js");

const site = path.resolve(process.argv[2]);
const runs = Number(process.argv[3]);
const before = process.argv[4] ? path.resolve(process.argv[4]) : null;
const lighthouseRuns = Number(process.env.TESSARO_BENCH_LIGHTHOUSE ?? 1);

// Lighthouse's mobile device and its slow network and processor: CPU 4 times slower, 150 ms
// round trips, 1.6 Mbit/s down, 750 kbit/s up.
const PHONE = {width: 412, height: 823, deviceScaleFactor: 1.75, isMobile: true, hasTouch: true};
const NETWORK = {latency: 150, download: 1.6e6 / 8, upload: 750e3 / 8};
const CPU = 4;

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const ms = (x) => (Number.isFinite(x) ? x.toFixed(0).padStart(6) + " ms" : "     - ");

// The picture page: what the page shows once playable, as one picture, ready once it has arrived.
// The picture is a WebP of quality 80, a tenth of the PNG's weight for this textured board: a
// picture page as light as one can be made is the measure.
const stand = fs.mkdtempSync(path.join(os.tmpdir(), "tessaro-phone-bench-"));
fs.writeFileSync(path.join(stand, "index.html"),
    '<!doctype html><html lang="en"><head><meta charset="utf-8">' +
    '<meta name="viewport" content="width=device-width, initial-scale=1">' +
    '<meta name="description" content="The board as one picture."><title>Board</title>' +
    "<style>body{margin:0}img{display:block;width:100vw}</style></head>" +
    '<body><img src="board.webp" alt="The board" onload="document.documentElement.dataset.ready=1">');

// Notes when the page first says its board is playable, and when the frame that shows it begins
// (the next animation frame's callback), as times since navigation began. The callback's own
// argument is not used: on a slowed processor it is the time the frame was scheduled, which can
// be long before the page was ready.
function watchReady() {
    new MutationObserver((_, observer) => {
        if (document.documentElement.dataset.ready !== "1") return;
        window.benchReadyAt = performance.now();
        requestAnimationFrame(() => { window.benchShownAt = performance.now(); });
        observer.disconnect();
    }).observe(document, {attributes: true, subtree: true, attributeFilter: ["data-ready"]});
}

async function phone(page, offline) {
    await page.setViewport(PHONE);
    await page.emulateCPUThrottling(CPU);
    await page.emulateNetworkConditions(NETWORK);
    await page.setOfflineMode(offline);
    await page.evaluateOnNewDocument(watchReady);
}

// One visit on a slow phone: first paint, playable, and the bytes that came over the network
// (compressed, as sent) before the board was playable.
async function visit(context, url, offline = false) {
    const page = await context.newPage();
    try {
        await phone(page, offline);
        await page.goto(url, {waitUntil: "domcontentloaded", timeout: 120000});
        await page.waitForFunction(() => window.benchShownAt !== undefined &&
            performance.getEntriesByName("first-contentful-paint").length, {timeout: 120000});
        return await page.evaluate(() => {
            const paint = performance.getEntriesByName("first-contentful-paint")[0].startTime;
            // What came over the network: a file from the browser's cache or the service
            // worker's has a transfer size of 0.
            const fetched = performance.getEntries().filter((e) => e.transferSize > 0 &&
                (e.entryType === "navigation" || (e.entryType === "resource" && e.responseEnd <= window.benchReadyAt)));
            return {paint, ready: window.benchShownAt, bytes: fetched.reduce((sum, e) => sum + e.encodedBodySize, 0),
                    files: fetched.map((e) => [e.name, e.encodedBodySize])};
        });
    } finally {
        await page.close();
    }
}

// Until the service worker has kept every file (its install ends with the precache full);
// false for a site without one.
async function settled(context, url) {
    const page = await context.newPage();
    try {
        await page.goto(url);
        await page.waitForFunction(() => document.documentElement.dataset.ready === "1", {timeout: 120000});
        return await page.evaluate(async () => {
            const start = performance.now();
            for (;;) {
                const registration = await navigator.serviceWorker.getRegistration();
                if (registration && registration.active) return true;
                if (!registration && performance.now() - start > 3000) return false;
                await new Promise((resolve) => setTimeout(resolve, 100));
            }
        });
    } finally {
        await page.close();
    }
}

async function lighthouseScores(browser, url, warm) {
    const {default: lighthouse} = await import("lighthouse");
    const context = await browser.createBrowserContext();
    try {
        if (warm) {
            const first = await context.newPage();
            await first.goto(url);
            await first.waitForFunction(() => document.documentElement.dataset.ready === "1", {timeout: 120000});
            await first.close();
            await settled(context, url);
        }
        const page = await context.newPage();
        const result = await lighthouse(url, {logLevel: "silent", output: "json", disableStorageReset: warm,
            onlyCategories: ["performance", "accessibility", "best-practices", "seo"]}, undefined, page);
        const {categories, audits} = result.lhr;
        const score = (c) => Math.round(categories[c].score * 100);
        const failing = Object.values(audits).filter((a) => a.score !== null && a.score < 0.9 &&
            a.scoreDisplayMode !== "informative" && a.scoreDisplayMode !== "manual").map((a) => a.id);
        // The main thread's work by kind (simulated on the slowed processor), for what the
        // blocking time is made of.
        const work = Object.fromEntries((audits["mainthread-work-breakdown"].details?.items || [])
            .map((item) => [item.group, item.duration]));
        return {performance: score("performance"), accessibility: score("accessibility"), work,
                bestPractices: score("best-practices"), seo: score("seo"),
                fcp: audits["first-contentful-paint"].numericValue, lcp: audits["largest-contentful-paint"].numericValue,
                tbt: audits["total-blocking-time"].numericValue, si: audits["speed-index"].numericValue, failing};
    } finally {
        await context.close();
    }
}

async function listen(root) {
    const server = createSiteServer(root);
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    return {server, url: `http://127.0.0.1:${server.server.address().port}/`};
}

async function main() {
    const sites = {page: await listen(site), picture: await listen(stand)};
    if (before) sites.before = await listen(before);
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tessaro-phone-bench-profile-"));
    const browser = await puppeteer.launch({
        executablePath: "/usr/bin/chromium", userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-dev-shm-usage",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               `--accept-lang=${process.env.TESSARO_BENCH_LANG || "en-US"}`],
    });
    try {
        // The picture: a screenshot of the page on the same phone once it is playable.
        {
            const context = await browser.createBrowserContext();
            const page = await context.newPage();
            await page.setViewport(PHONE);
            await page.goto(sites.page.url);
            await page.waitForFunction(() => document.documentElement.dataset.ready === "1");
            await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
            await page.screenshot({path: path.join(stand, "board.webp"), type: "webp", quality: 80});
            console.log(`The picture page shows the page's first screen as one WebP of ${(fs.statSync(path.join(stand, "board.webp")).size / 1024).toFixed(0)} KB ` +
                        `(${PHONE.width * PHONE.deviceScaleFactor} x ${PHONE.height * PHONE.deviceScaleFactor} pixels).`);
            await context.close();
            if (process.env.TESSARO_BENCH_BOARD) fs.copyFileSync(path.join(stand, "board.webp"), process.env.TESSARO_BENCH_BOARD);
        }

        const seen = {};
        const note = (name, m) => (seen[name] ||= []).push(m);
        for (let i = 0; i < runs; ++i) {
            for (const name of Object.keys(sites)) {
                const context = await browser.createBrowserContext();
                try {
                    const url = sites[name].url;
                    note(`${name} cold`, await visit(context, url));
                    const kept = await settled(context, url);
                    note(`${name} warm`, await visit(context, url));
                    if (kept) note(`${name} offline`, await visit(context, url, true));
                } finally {
                    await context.close();
                }
            }
        }
        const picture = seen["picture cold"];
        console.log(`Slow phone (${PHONE.width} x ${PHONE.height}, CPU ${CPU}x slower, ${NETWORK.latency} ms, ` +
                    `1.6 Mbit/s), medians of ${runs} visits by turns:`);
        console.log("                     first paint   playable  before playable   paint/picture  playable/picture");
        for (const [name, visits] of Object.entries(seen)) {
            const paint = median(visits.map((v) => v.paint)), ready = median(visits.map((v) => v.ready));
            const base = seen[name.replace(/^\w+/, "picture")] || picture;
            const kb = (median(visits.map((v) => v.bytes)) / 1024).toFixed(1).padStart(8) + " KB";
            console.log(`  ${name.padEnd(17)} ${ms(paint)}  ${ms(ready)}      ${kb}        ` +
                        `${(paint / median(base.map((v) => v.paint))).toFixed(2)}           ` +
                        `${(ready / median(base.map((v) => v.ready))).toFixed(2)}`);
        }
        console.log("  (goals: cold first paint <= 1.2 x the picture's, cold playable <= 1.3 x, warm playable " +
                    "<= 1.1 x, offline playable; at most 150 KB before playable)");
        if (process.env.TESSARO_BENCH_FILES) {
            console.log("\nFiles fetched before the page was playable, first cold visit (body as sent, bytes):");
            for (const [url, body] of seen["page cold"][0].files) console.log(`  ${String(body).padStart(8)}  ${url}`);
        }

        if (lighthouseRuns > 0) {
            console.log(`\nLighthouse ${require("lighthouse/package.json").version}, mobile, median of ${lighthouseRuns} by turns:`);
            const scores = {};
            for (let i = 0; i < lighthouseRuns; ++i) {
                for (const warm of [false, true]) {
                    for (const name of Object.keys(sites)) {
                        const key = `${name} ${warm ? "warm" : "cold"}`;
                        (scores[key] ||= []).push(await lighthouseScores(browser, sites[name].url, warm));
                    }
                }
            }
            console.log("                     perf  a11y  b.p.   seo      FCP      LCP   TBT     SI");
            for (const [key, list] of Object.entries(scores)) {
                const m = (f) => median(list.map((s) => s[f]));
                console.log(`  ${key.padEnd(17)} ${String(m("performance")).padStart(4)}  ${String(m("accessibility")).padStart(4)}  ` +
                            `${String(m("bestPractices")).padStart(4)}  ${String(m("seo")).padStart(4)}  ${ms(m("fcp"))} ${ms(m("lcp"))} ` +
                            `${ms(m("tbt"))} ${ms(m("si"))}`);
                const work = (group) => ms(median(list.map((s) => s.work[group] ?? 0))).trim();
                console.log(`      main thread: style and layout ${work("styleLayout")}, scripts ${work("scriptEvaluation")}, ` +
                            `painting ${work("paintCompositeRender")}, other ${work("other")}`);
                const failing = [...new Set(list.flatMap((s) => s.failing))];
                if (failing.length) console.log(`      below 0.9: ${failing.join(", ")}`);
            }
        }
    } finally {
        await browser.close();
        for (const {server} of Object.values(sites)) server.close();
        fs.rmSync(profile, {recursive: true, force: true});
        fs.rmSync(stand, {recursive: true, force: true});
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
