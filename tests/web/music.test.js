// The page's music in headless Chromium: the tune sounds, "stop" silences it, "play" resumes it.
"use strict";
const {test} = require("node:test");
const assert = require("node:assert");
const {execFileSync} = require("node:child_process");
const fs = require("node:fs");
const http = require("node:http");
const os = require("node:os");
const path = require("node:path");
const puppeteer = require("puppeteer-core");

const root = path.join(__dirname, "..", "..");
const site = path.join(root, "build-web", "music-test");

// The loudest sample of the synthesizer's output, listening for up to 5 s until one is louder
// than `enough`: 0 for silence.
async function peak(page, enough) {
    return page.evaluate(async (enough) => {
        const node = window.TessaroMusic.output;
        const tap = node.context.createAnalyser();
        node.connect(tap);
        const samples = new Float32Array(tap.fftSize);
        let loudest = 0;
        for (let i = 0; i < 100 && loudest <= enough; ++i) {
            await new Promise((resolve) => setTimeout(resolve, 50));
            tap.getFloatTimeDomainData(samples);
            loudest = Math.max(...samples.map(Math.abs));
        }
        node.disconnect(tap);
        return loudest;
    }, enough);
}

test("the tune sounds, stops and resumes", async (t) => {
    execFileSync("bash", [path.join(root, "tools", "make-web-extras.sh"), site]);
    const server = http.createServer((request, response) => {
        const name = path.basename(new URL(request.url, "http://x").pathname);
        if (!name) return response.end('<!doctype html><meta charset="utf-8"><script src="music.js"></script>');
        fs.readFile(path.join(site, name), (error, data) => {
            response.writeHead(error ? 404 : 200);
            response.end(data);
        });
    });
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    t.after(() => server.close());
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tessaro-music-"));
    const browser = await puppeteer.launch({
        executablePath: "/usr/bin/chromium",
        userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync"],
    });
    t.after(() => browser.close().then(() => fs.rmSync(profile, {recursive: true})));
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/`);

    // The engine's new game sends its commands before the synthesizer has arrived; the tune
    // must start once it has, from the engine's own path of the file.
    const loaded = await page.evaluate(async () => {
        const music = window.TessaroMusic;
        const loading = music.load("");
        music.command("open", "C:\\Tessaro\\r07.mid");
        music.command("play", "");
        await music.settle();
        return loading;
    });
    assert.strictEqual(loaded, true);
    assert.ok((await peak(page, 0.01)) > 0.01, "the tune is silent");

    await page.evaluate(() => {
        window.TessaroMusic.command("stop", "");
        return window.TessaroMusic.settle();
    });
    assert.strictEqual(await peak(page, 0), 0, "the tune goes on after stop");

    // Switched on, off and on again faster than the commands are carried out.
    await page.evaluate(() => {
        for (const name of ["play", "stop", "play"]) window.TessaroMusic.command(name, "");
        return window.TessaroMusic.settle();
    });
    assert.ok((await peak(page, 0.01)) > 0.01, "play after stop is silent");
});
