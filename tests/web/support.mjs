// What the browser's tests share: Debian's headless Chromium, checks reported one a line,
// the page's test hooks into the game (src/app/PageHooks.cpp), and the canvas as seen.
import puppeteer from 'puppeteer-core';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const Screen = { title: 0, story: 1, placing: 2, racing: 3, raceOver: 4 };
export const frames = (page) => page.evaluate(() => Module._brickwrath_frames());
export const screen = (page) => page.evaluate(() => Module._brickwrath_screen());

// Runs body(browser) in a browser with a profile of its own, deleted after.
export async function withBrowser(body) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'brickwrath-chromium-'));
    const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--enable-unsafe-swiftshader'] });
    try {
        return await body(browser);
    } finally {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
}

// Each check is reported on its own line; one that fails does not stop the ones after it. The
// last is that the pages met no error, failed request or missing file.
export function checks() {
    let failed = 0;
    const problems = [];
    return {
        problems,
        watch(page) {
            page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
            page.on('pageerror', (error) => problems.push(error.message));
            page.on('requestfailed', (request) => problems.push(`failed: ${request.url()}`));
            page.on('response', (response) => response.status() >= 400 && problems.push(`${response.status()}: ${response.url()}`));
        },
        async check(name, body) {
            try {
                await body();
                console.log(`ok   ${name}`);
            } catch (error) {
                ++failed;
                console.log(`FAIL ${name}: ${error.message}`);
            }
        },
        report() {
            console.log(`${failed} failed${problems.length ? `; problems: ${problems.join(', ')}` : ''}`);
            process.exitCode = failed === 0 && problems.length === 0 ? 0 : 1;
        },
    };
}

export async function waitFor(what, condition, timeout = 120000) {
    for (const until = Date.now() + timeout; !(await condition());) {
        if (Date.now() > until)
            throw new Error(`timed out waiting for ${what}`);
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
}

// Frames drawn, however long they take: a slow machine draws fewer of them a second.
export async function waitFrames(page, count) {
    const target = (await frames(page)) + count;
    await waitFor(`${count} frames`, async () => (await frames(page)) >= target);
}

// The page's mark of the game's first frame, in milliseconds after navigation.
export async function firstFrame(page) {
    await waitFor('the first frame', () => page.evaluate(() => window.brickwrathFirstFrame !== undefined));
    return page.evaluate(() => window.brickwrathFirstFrame);
}

export const canvasBox = (page) => page.$eval('#canvas', (canvas) => {
    const { x, y, width, height } = canvas.getBoundingClientRect();
    return { x, y, width, height };
});

// The canvas as seen, scaled back to the game's 1024 by 768 (four bytes a pixel, decoded by the
// browser), with the screenshot itself as `png`.
export async function canvasShot(page) {
    const png = await page.screenshot({ clip: await canvasBox(page), encoding: 'base64' });
    const pixels = await page.evaluate(async (png) => {
        const image = new Image();
        image.src = `data:image/png;base64,${png}`;
        await image.decode();
        const context = new OffscreenCanvas(1024, 768).getContext('2d');
        context.drawImage(image, 0, 0, 1024, 768);
        const data = context.getImageData(0, 0, 1024, 768).data;
        let bytes = '';
        for (let i = 0; i < data.length; i += 0x8000)
            bytes += String.fromCharCode(...data.subarray(i, i + 0x8000));
        return btoa(bytes);
    }, png);
    return { data: Buffer.from(pixels, 'base64'), png: Buffer.from(png, 'base64') };
}

// Mean absolute difference per colour channel (0 to 255) over a box of game pixels.
export function difference(a, b, box) {
    let sum = 0;
    for (let y = box.y; y < box.y + box.height; ++y)
        for (let x = box.x; x < box.x + box.width; ++x)
            for (let i = (y * 1024 + x) * 4, c = 0; c < 3; ++c, ++i)
                sum += Math.abs(a.data[i] - b.data[i]);
    return sum / (box.width * box.height * 3);
}

// Given to evaluateOnNewDocument: every connection to the audio graph's output goes through one
// analyser, whose loudest sample the page keeps in window.audioPeak; the contexts are kept in
// window.audioContexts.
export function listenToTheAudio() {
    window.audioPeak = 0;
    window.audioContexts = [];
    const connect = AudioNode.prototype.connect;
    const analysers = new Map();
    AudioNode.prototype.connect = function (target, ...rest) {
        if (!(target instanceof AudioDestinationNode))
            return connect.call(this, target, ...rest);
        if (!analysers.has(target)) {
            const analyser = target.context.createAnalyser();
            connect.call(analyser, target);
            analysers.set(target, analyser);
            window.audioContexts.push(target.context);
            const samples = new Float32Array(analyser.fftSize);
            setInterval(() => {
                analyser.getFloatTimeDomainData(samples);
                window.audioPeak = Math.max(window.audioPeak, ...samples.map(Math.abs));
            }, 20);
        }
        return connect.call(this, analysers.get(target), ...rest);
    };
}
