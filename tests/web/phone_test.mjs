// Plays the browser build as a phone would: Chromium emulating a phone's screen (844 by 390 on its
// side, 390 by 844 upright, three pixels to the CSS pixel), driven by touch alone through the
// DevTools protocol. Saves its screenshots in the given folder.
// Usage: node phone_test.mjs <address of the served bundle> <folder for screenshots>
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { Screen, canvasBox, canvasShot, checks, difference, firstFrame, listenToTheAudio, screen, waitFor, waitFrames,
    withBrowser } from './support.mjs';

const [base, shots] = process.argv.slice(2);
const { watch, check, report } = checks();
const phone = { deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const carryHeight = 48; // CSS pixels a held item rides above the finger (web/touch.js)
const save = (name, png) => fs.writeFileSync(path.join(shots, name), png);

// Fingers at game pixels of the canvas. The protocol takes every finger down with a start or a
// move, and only the lifted one with an end.
async function fingersOn(page) {
    const client = await page.createCDPSession();
    const box = await canvasBox(page);
    const scale = box.width / 1024;
    const down = new Map();
    const send = (type, fingers) => client.send('Input.dispatchTouchEvent',
        { type, touchPoints: [...fingers].map(([id, p]) => ({ id, x: box.x + p.x * scale, y: box.y + p.y * scale })) });
    const fingers = {
        box, carry: carryHeight / scale,
        press: (id, x, y) => send('touchStart', down.set(id, { x, y })),
        move: (id, x, y) => send('touchMove', down.set(id, { x, y })),
        lift: (id) => {
            const lifted = new Map([[id, down.get(id)]]);
            down.delete(id);
            return send('touchEnd', lifted);
        },
        async slide(id, from, to, steps = 8) {
            for (let step = 1; step <= steps; ++step) {
                await fingers.move(id, from.x + ((to.x - from.x) * step) / steps, from.y + ((to.y - from.y) * step) / steps);
                await waitFrames(page, 1);
            }
        },
        async tap(x, y) {
            await fingers.press(1, x, y);
            await waitFrames(page, 2);
            await fingers.lift(1);
            await waitFrames(page, 2);
        },
    };
    return fingers;
}

async function onItsSide(browser) {
    const page = await browser.newPage();
    watch(page);
    const wasmTypes = [];
    page.on('response', (response) => response.url().endsWith('.wasm') && wasmTypes.push(response.headers()['content-type']));
    await page.evaluateOnNewDocument(listenToTheAudio);
    await page.setViewport({ width: 844, height: 390, isLandscape: true, ...phone });
    await page.goto(base);
    await firstFrame(page);
    const fingers = await fingersOn(page);

    await check('on its side, the game has the whole height: the bar is folded into a menu button', async () => {
        console.log(`figure: the canvas is ${fingers.box.width} by ${fingers.box.height} CSS pixels on an 844 by 390 phone`);
        assert.ok(fingers.box.height >= 380, `the canvas is ${fingers.box.height} high`);
        assert.deepEqual(await page.evaluate(() => ['header', '#menu', '#turn'].map((s) => document.querySelector(s).offsetHeight > 0)),
            [false, true, false]);
        assert.deepEqual(wasmTypes, ['application/wasm']);
    });

    await check('a tap on start gives the placement screen and starts the sound', async () => {
        await fingers.tap(565, 635);
        assert.equal(await screen(page), Screen.placing);
        await waitFor('a sample above silence', () => page.evaluate(() => window.audioPeak > 0.001), 20000);
    });

    // As Safari does in the background or during a call, when Emscripten's own starter has gone.
    await check('suspended sound comes back with the next tap, and when the page is shown again', async () => {
        const suspend = () => page.evaluate(() => Promise.all(window.audioContexts.map((context) => context.suspend())));
        const running = () => waitFor('the sound', () => page.evaluate(() =>
            window.audioContexts.every((context) => context.state === 'running')), 5000);
        await suspend();
        await fingers.tap(100, 150); // the grass
        await running();
        await suspend();
        await page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
        await running();
    });

    // The first hurdle of the first lane, at (288, 326), 40 by 35: a drop ahead of it (right or
    // up) moves it a step forward to (320, 294), one behind or below a step back.
    const hurdle = { x: 305, y: 340 }, carriedTo = { x: 420, y: 230 }, secondFinger = { x: 150, y: 600 };
    const around = (p) => ({ x: p.x - 30, y: p.y - 30, width: 60, height: 60 });
    const count = { x: 540, y: 0, width: 40, height: 36 }; // the points' digit: a drop takes one off
    let before, held;

    await check('one finger drags a hurdle, carried above the fingertip', async () => {
        before = await canvasShot(page);
        await fingers.press(1, hurdle.x, hurdle.y);
        await fingers.slide(1, hurdle, { x: carriedTo.x, y: carriedTo.y + fingers.carry });
        await waitFrames(page, 2);
        held = await canvasShot(page);
        save('phone-drag.png', held.png);
        assert.ok(difference(before, held, around(hurdle)) > 5, 'the hurdle is still in its place');
        assert.ok(difference(before, held, around(carriedTo)) > 5, 'the hurdle is not above the finger');
    });

    await check('a second finger put down, moved and lifted leaves the hurdle in the first one\'s hand', async () => {
        await fingers.press(2, secondFinger.x, secondFinger.y);
        await fingers.slide(2, secondFinger, { x: secondFinger.x + 20, y: secondFinger.y - 20 }, 2);
        const twoDown = await canvasShot(page);
        await fingers.lift(2);
        await waitFrames(page, 4);
        for (const picture of [twoDown, await canvasShot(page)])
            for (const [what, box] of [['the hurdle moved', around(carriedTo)], ['the hurdle was dropped', count],
                ['the second finger pressed', around(secondFinger)]])
                assert.ok(difference(held, picture, box) < 1, what);
    });

    await check('the hurdle is dropped where the first finger lifts: a step forward', async () => {
        await fingers.lift(1);
        await waitFrames(page, 4);
        const after = await canvasShot(page);
        assert.ok(difference(before, after, { x: 320, y: 294, width: 40, height: 30 }) > 5, 'not a step forward');
        assert.ok(difference(before, after, { x: 256, y: 362, width: 30, height: 31 }) < 1, 'a step back');
    });

    await check('a tap on go! starts the race; swipes and pinches on it neither scroll nor zoom the page', async () => {
        await fingers.tap(928, 696);
        assert.equal(await screen(page), Screen.racing);
        await fingers.press(1, 512, 384);
        await fingers.slide(1, { x: 512, y: 384 }, { x: 100, y: 50 }, 6);
        await fingers.lift(1);
        await fingers.press(1, 450, 384);
        await fingers.press(2, 574, 384);
        await fingers.slide(1, { x: 450, y: 384 }, { x: 150, y: 200 }, 3);
        await fingers.slide(2, { x: 574, y: 384 }, { x: 874, y: 568 }, 3);
        await fingers.lift(2);
        await fingers.lift(1);
        await waitFrames(page, 10);
        assert.deepEqual(await page.evaluate(() => [scrollX, scrollY, visualViewport.scale, visualViewport.offsetTop]), [0, 0, 1, 0]);
        save('phone-race.png', (await canvasShot(page)).png);
    });
    await page.close();
}

async function upright(browser) {
    const page = await browser.newPage();
    watch(page);
    await page.setViewport({ width: 390, height: 844, isLandscape: false, ...phone });
    await check('upright, the game fills the width and a line under it asks to turn the phone', async () => {
        await page.goto(base);
        await firstFrame(page);
        save('phone-upright.png', await page.screenshot());
        const box = await canvasBox(page);
        assert.deepEqual([box.x, box.width, box.height], [0, 390, 292]);
        const line = await page.$eval('#turn', (turn) => [turn.offsetTop, turn.offsetHeight]);
        assert.ok(line[1] > 0 && line[0] >= box.y + box.height, 'no line under the game');
    });
    await page.close();
}

await withBrowser(async (browser) => {
    await onItsSide(browser);
    await upright(browser);
});
report();
