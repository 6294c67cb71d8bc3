// The background tune in the page: FluidSynth on the audio thread, driven by the engine's music
// commands "open", "play" and "stop".
"use strict";

window.TessaroMusic = (() => {
    const pageScript = "js-synthesizer.min.js";
    // In this order: the synthesizer's module, then the processor that drives it.
    const audioScripts = ["libfluidsynth-2.4.6.js", "js-synthesizer.worklet.min.js"];
    const soundFontFile = "music.sf2";
    const defaultTune = "r07.mid";

    let base = "";
    // Settled by load() with {audioScripts: [blob URL], soundFont: ArrayBuffer}, or null.
    let filesLoaded;
    const files = new Promise((resolve) => (filesLoaded = resolve));
    let loading = null; // what load() answers, the same for every call
    const tunes = new Map(); // file name -> promise of its bytes, or null when it cannot be read
    let context = null; // made by the first "play" that has a tune, inside the player's gesture
    let synthNode = null;
    let synth = null; // promise of the synthesizer, made by the first "play" that has a tune
    // Commands are carried out one after another, each once the one before has finished, as
    // the desktop's music thread does; a failing one leaves the music silent and the rest go on.
    let queue = Promise.resolve();
    let named = ""; // the tune the last "open" sent names
    let opened = ""; // the tune the last "open" carried out names
    let playing = false; // a "play" has sounded the tune and no "stop" or "open" has come since

    const quietly = (promise) => promise.catch(() => null);

    const fetchBytes = async (name) => {
        const response = await fetch(base + name);
        if (!response.ok) throw new Error(`${name}: ${response.status}`);
        return response.arrayBuffer();
    };

    const tune = (name) => {
        if (!tunes.has(name)) tunes.set(name, quietly(fetchBytes(name)));
        return tunes.get(name);
    };

    const addScript = (src) =>
        new Promise((resolve, reject) => {
            const script = document.createElement("script");
            script.src = src;
            script.onload = resolve;
            script.onerror = () => reject(new Error(`${src} did not load`));
            document.head.appendChild(script);
        });

    // The audio thread's scripts are fetched now, so that starting the music waits for no
    // download; they are handed to the audio thread as blobs.
    const fetchFiles = async () => {
        const scripts = audioScripts.map(async (name) =>
            URL.createObjectURL(new Blob([await fetchBytes(name)], {type: "text/javascript"})));
        const [, soundFont, ...urls] =
            await Promise.all([addScript(base + pageScript), fetchBytes(soundFontFile), ...scripts]);
        return {audioScripts: urls, soundFont};
    };

    // FluidSynth with the SoundFont, on the audio thread of `context`.
    const makeSynth = async () => {
        const ready = await files;
        if (!ready) return null;
        for (const url of ready.audioScripts) await context.audioWorklet.addModule(url);
        const made = new window.JSSynth.AudioWorkletNodeSynthesizer();
        made.init(context.sampleRate);
        synthNode = made.createAudioNode(context);
        // FluidSynth's log on the audio thread: its stubs for files the page never opens and its
        // warnings on the channels the tune leaves silent would fill the browser's console. Only
        // a panic is still told. (The synthesizer's own switch needs FluidSynth on the page's
        // thread too; this message is what it sends to the audio thread.)
        if (typeof made._handleLoggingChanged === "function")
            made._handleLoggingChanged(window.JSSynth.LogLevel.Error);
        synthNode.connect(context.destination);
        await made.loadSFont(ready.soundFont);
        await openTune(made, opened);
        return made;
    };

    // Closes whatever was open and opens the tune from its start, without sounding it.
    const openTune = async (made, name) => {
        playing = false;
        await made.resetPlayer();
        const bytes = await tune(name);
        if (bytes) await made.addSMFDataToPlayer(bytes.slice(0));
    };

    const steps = {
        async open(name) {
            opened = name;
            if (synth && (await synth)) await openTune(await synth, name);
        },
        async play() {
            if (!opened || !context) return;
            synth = synth || quietly(makeSynth());
            const made = await synth;
            if (!made) return;
            await context.resume();
            // FluidSynth's player still counts as playing once the tune has ended.
            const total = await made.retrievePlayerTotalTicks();
            const ended = total > 0 && (await made.retrievePlayerCurrentTick()) >= total;
            if (playing && !ended && made.isPlayerPlaying()) return;
            // A tune that played to its end starts over; one that "stop" paused resumes.
            if (ended) await openTune(made, opened);
            await made.playPlayer();
            playing = true;
        },
        async stop() {
            playing = false;
            if (synth && (await synth)) (await synth).stopPlayer();
            // A silent page lets the sound device go.
            if (context) await context.suspend();
        },
    };

    // The engine names the tune by a path of its own; only the file name is looked up, beside
    // the page.
    const fileNameOf = (path) => String(path || "").split(/[\\/]/).pop();

    return {
        // Starts fetching the synthesizer, the SoundFont and the tune; resolves true once all
        // have arrived, false when any could not (the music is then silent). Never rejects.
        load(baseUrl = "") {
            if (loading) return loading;
            base = baseUrl && !baseUrl.endsWith("/") ? baseUrl + "/" : baseUrl;
            filesLoaded(quietly(fetchFiles()));
            loading = files.then(async (ready) => Boolean(ready && (await tune(defaultTune))));
            return loading;
        },

        // One of the engine's music commands; returns at once and never throws.
        command(name, fileName) {
            if (!Object.hasOwn(steps, name)) return;
            try {
                // Browsers start sound only inside a gesture: the click or key that sent "play".
                if (name === "open") named = fileNameOf(fileName);
                if (name === "play" && named) {
                    if (!context) context = new AudioContext();
                    quietly(context.resume());
                }
            } catch {
                return;
            }
            const file = fileNameOf(fileName);
            queue = queue.then(() => quietly(steps[name](file)));
        },

        // For tests and measurements: the synthesizer's audio node once the music has started,
        // and a promise that resolves once every command sent so far has been carried out.
        get output() {
            return synthNode;
        },
        settle() {
            return queue;
        },
    };
})();
