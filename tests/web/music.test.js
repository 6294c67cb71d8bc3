// The page's music in headless Chromium: the tune sounds, "stop" silences it, "play" resumes it.
"use strict";
const {test} = require("node:test");
const assert = require("node:assert");
const {execFileSync} = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const {serve, launch} = require("./support");

const root = path.join(__dirname, "..", "..");
const site = path.join(root, "build-web", "music-test");

// The loudest sample of the synthesizer's output, listening for up to `tries` × 50 ms until one
// is louder than `enough`: 0 for silence.
async function peak(page, enough, tries = 100) {
    return page.evaluate(async (enough, tries) => {
        const node = window.TessaroMusic.output;
        const tap = node.context.createAnalyser();
        node.connect(tap);
        const samples = new Float32Array(tap.fftSize);
        let loudest = 0;
        for (let i = 0; i < tries && loudest <= enough; ++i) {
            await new Promise((resolve) => setTimeout(resolve, 50));
            tap.getFloatTimeDomainData(samples);
            loudest = Math.max(...samples.map(Math.abs));
        }
        node.disconnect(tap);
        return loudest;
    }, enough, tries);
}

// Sends the engine's music commands, [name, file name] each, and waits until they are carried out.
const send = (page, commands) => page.evaluate((commands) => {
    for (const [name, file] of commands) window.TessaroMusic.command(name, file);
    return window.TessaroMusic.settle();
}, commands);

// A tune of one note of a second, to hear what "play" does once a tune has ended (long enough to
// be heard between two looks of a busy page).
const track = [0, 0xC0, 40, 0, 0x90, 60, 100, 0x81, 0x40, 0x80, 60, 0, 0, 0xFF, 0x2F, 0];
const shortTune = Buffer.from([..."MThd"].map((c) => c.charCodeAt(0)).concat(
    [0, 0, 0, 6, 0, 0, 0, 1, 0, 96], [..."MTrk"].map((c) => c.charCodeAt(0)), [0, 0, 0, track.length], track));

test("the tune sounds, stops, resumes and starts over after its end", async (t) => {
    execFileSync("bash", [path.join(root, "tools", "make-web-extras.sh"), site]);
    // Beside the synthesizer's files, a page that loads the music alone, and the short tune.
    fs.writeFileSync(path.join(site, "index.html"), '<!doctype html><meta charset="utf-8"><script src="music.js"></script>');
    fs.writeFileSync(path.join(site, "short.mid"), shortTune);
    const {server, url} = await serve(site);
    t.after(() => server.close());
    const browser = await launch();
    t.after(() => browser.close());
    const page = await browser.newPage();
    // Counts the synthesizers made: every command must go to the one made first.
    await page.evaluateOnNewDocument(() => {
        window.made = 0;
        window.AudioWorkletNode = class extends AudioWorkletNode {
            constructor(...args) { super(...args); ++window.made; }
        };
    });
    await page.goto(url);

    // The engine's new game sends its commands before the synthesizer has arrived; the tune
    // must start once it has, from the engine's own path of the file.
    const loading = page.evaluate(() => window.TessaroMusic.load(""));
    await send(page, [["open", "C:\\Tessaro\\r07.mid"], ["play", ""]]);
    assert.strictEqual(await loading, true);
    assert.ok((await peak(page, 0.01)) > 0.01, "the tune is silent");

    await send(page, [["stop", ""]]);
    assert.strictEqual(await peak(page, 0), 0, "the tune goes on after stop");

    // Switched on, off and on again faster than the commands are carried out.
    await send(page, [["play", ""], ["stop", ""], ["play", ""]]);
    assert.ok((await peak(page, 0.01)) > 0.01, "play after stop is silent");

    await send(page, [["open", "short.mid"], ["play", ""]]);
    await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 3000)));
    assert.ok((await peak(page, 0.01, 1)) <= 0.01, "the short tune goes on");
    await send(page, [["play", ""]]);
    assert.ok((await peak(page, 0.01)) > 0.01, "play after the end is silent");
    assert.strictEqual(await page.evaluate(() => window.made), 1);
});
