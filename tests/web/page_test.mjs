// Plays the browser build in Debian's headless Chromium: the title, the placement screen with a
// hurdle dragged, a race paused (by p and by a hidden page), silenced by m, switched to full
// screen by F11 and back, and played to its end; the title and placement screens against the
// desktop's; sound after the first click; no error, failed request or missing file on the way.
// Prints the figures (first frame, steps a second in a race). Usage:
//   node page_test.mjs <address of the served bundle> <folder with the desktop's title.png and placement.png>
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { Screen, canvasBox, checks, firstFrame, frames, listenToTheAudio, screen, waitFor, waitFrames, withBrowser }
    from './support.mjs';

const [base, desktopScreens] = process.argv.slice(2);
const { check, problems, watch, report } = checks();

// Mean absolute difference per colour channel (0 to 255) over the pixels of `box` (all of them by
// default) outside every box of `masks` ({x, y, width, height}).
function meanDifference(a, b, { masks = [], box = { x: 0, y: 0, width: a.width, height: a.height } } = {}) {
    assert.deepEqual([a.width, a.height], [b.width, b.height], 'sizes differ');
    const inside = (m, x, y) => x >= m.x && x < m.x + m.width && y >= m.y && y < m.y + m.height;
    let sum = 0, count = 0;
    for (let y = box.y; y < box.y + box.height; ++y)
        for (let x = box.x; x < box.x + box.width; ++x) {
            if (masks.some((m) => inside(m, x, y)))
                continue;
            for (let i = (y * a.width + x) * 4, c = 0; c < 3; ++c, ++i)
                sum += Math.abs(a.data[i] - b.data[i]);
            count += 3;
        }
    return sum / count;
}

const steps = (page) => page.evaluate(() => Module._brickwrath_steps());

// Pictures are { width, height, data } with four bytes a pixel (red, green, blue, alpha): a PNG
// decoded by the browser itself, the canvas's screenshots and the desktop's alike.
async function decodePng(page, png) {
    const picture = await page.evaluate(async (png) => {
        const image = new Image();
        image.src = `data:image/png;base64,${png}`;
        await image.decode();
        const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
        context.drawImage(image, 0, 0);
        const data = context.getImageData(0, 0, image.width, image.height).data;
        let bytes = '';
        for (let i = 0; i < data.length; i += 0x8000)
            bytes += String.fromCharCode(...data.subarray(i, i + 0x8000));
        return { width: image.width, height: image.height, data: btoa(bytes) };
    }, png);
    return { ...picture, data: Buffer.from(picture.data, 'base64') };
}

await withBrowser(async (browser) => {
    const page = await browser.newPage();
    watch(page);
    // The game's standard output comes as the console's log lines.
    const printed = [];
    page.on('console', (message) => message.type() === 'log' && printed.push(message.text()));
    await page.evaluateOnNewDocument(listenToTheAudio);
    // The page's bar is 40 pixels high: the rest of the window letterboxes the canvas at 1024 by 768.
    await page.setViewport({ width: 1024, height: 808 });

    let canvas;
    const at = async (x, y) => page.mouse.move(canvas.x + x, canvas.y + y);
    const clickAt = async (x, y) => {
        await at(x, y);
        await page.mouse.down();
        await waitFrames(page, 2);
        await page.mouse.up();
        await waitFrames(page, 2);
    };
    const shot = async () => decodePng(page, await page.screenshot({ clip: canvas, encoding: 'base64' }));
    // The game's cursor is drawn 10 to the left of and 6 above the mouse, at most 64 by 49.
    const cursorAt = (x, y) => ({ x: x - 12, y: y - 8, width: 80, height: 64 });
    // A screen compared with the desktop's, the cursor at (x, y) left out.
    const expectLikeDesktop = async (picture, name, x, y) => {
        const desktop = await decodePng(page, fs.readFileSync(path.join(desktopScreens, `${name}.png`), 'base64'));
        const difference = meanDifference(picture, desktop, { masks: [cursorAt(x, y)] });
        console.log(`figure: ${name} screen differs from the desktop's by ${difference.toFixed(2)} of 255`);
        assert.ok(difference <= 4, `mean difference ${difference}`);
    };

    await check('the title screen is drawn, letterboxed at 1024 by 768', async () => {
        await page.goto(base);
        const shownAt = await firstFrame(page);
        console.log(`figure: first title frame ${shownAt.toFixed(0)} ms after navigation`);
        canvas = await canvasBox(page);
        assert.deepEqual([canvas.width, canvas.height], [1024, 768]);
        assert.equal(await screen(page), Screen.title);
        assert.equal(await page.evaluate(() => document.getElementById('loading').hidden), true);
    });

    await check('the title screen matches the desktop\'s', async () => {
        await at(300, 330);
        await waitFrames(page, 10);
        await expectLikeDesktop(await shot(), 'title', 300, 330);
    });

    await check('start, the first click, gives the placement screen, which matches the desktop\'s', async () => {
        await clickAt(565, 635);
        assert.equal(await screen(page), Screen.placing);
        assert.equal(await page.evaluate(() => document.pointerLockElement), null, 'the pointer was locked');
        await at(700, 150);
        await waitFrames(page, 10);
        await expectLikeDesktop(await shot(), 'placement', 700, 150);
    });

    await check('the game printed the desktop\'s lines up to the placement screen', async () => {
        // The same files loaded and the same pictures decoded, wherever the folders are. The
        // browser's settings folder is the site's storage, there before the game starts: the
        // game never makes it, as it does in the desktop's fresh home.
        const same = (lines) => lines.filter((line) => !line.startsWith('Created directory '))
            .map((line) => line.replace(/\S*\/Contents\/Resources\/sounds\//, 'sounds/'));
        const desktop = fs.readFileSync(path.join(desktopScreens, 'desktop.log'), 'utf8').trimEnd().split('\n')
            .filter((line) => !line.startsWith('first frame shown at '));
        assert.deepEqual(same(printed), same(desktop));
    });

    await check('the music sounds after the first click, and goes on past the ring of buffers it starts with', async () => {
        await waitFor('a sample above silence', () => page.evaluate(() => window.audioPeak > 0.001), 20000);
        // The ring holds 0.75 s: later music comes only from refills on the main loop.
        await new Promise((resolve) => setTimeout(resolve, 2500));
        await page.evaluate(() => (window.audioPeak = 0));
        await new Promise((resolve) => setTimeout(resolve, 1000));
        const peak = await page.evaluate(() => window.audioPeak);
        assert.ok(peak > 0.001, `the music went quiet (peak ${peak})`);
    });

    await check('a hurdle is dragged: it follows the hand and lands a step along its lane', async () => {
        await at(700, 150);
        await waitFrames(page, 2);
        const before = await shot();
        const from = { x: 305, y: 340 }, to = { x: 420, y: 230 };
        const around = (p) => ({ x: p.x - 30, y: p.y - 30, width: 60, height: 60 });
        await at(from.x, from.y);
        await page.mouse.down();
        await waitFrames(page, 2);
        for (let step = 1; step <= 8; ++step) {
            await at(from.x + ((to.x - from.x) * step) / 8, from.y + ((to.y - from.y) * step) / 8);
            await waitFrames(page, 1);
        }
        await waitFrames(page, 2);
        const held = await shot();
        assert.ok(meanDifference(before, held, { box: around(to) }) > 5, 'the hurdle is not in the hand');
        await page.mouse.up();
        await at(700, 150);
        await waitFrames(page, 4);
        const after = await shot();
        assert.ok(meanDifference(before, after, { box: around(from) }) > 5, 'the hurdle is still in its old place');
        assert.ok(meanDifference(before, after, { box: around(to) }) < 1, 'the hurdle stayed where it was dropped');
    });

    // The steps the race takes while `frameCount` frames are drawn.
    const stepsOver = async (frameCount) => {
        const before = await steps(page);
        await waitFrames(page, frameCount);
        return (await steps(page)) - before;
    };
    await check('go starts a race; p pauses it: frames go on, steps do not; p again goes on', async () => {
        await clickAt(928, 696);
        assert.equal(await screen(page), Screen.racing);
        await page.keyboard.press('p');
        await waitFrames(page, 2);
        assert.equal(await stepsOver(30), 0);
        await page.keyboard.press('p');
        assert.ok((await stepsOver(30)) > 0, 'the race did not go on');
        assert.equal(await screen(page), Screen.racing);
    });

    await check('the page hidden pauses the race, and a click goes on', async () => {
        // What Chromium does when the tab goes to the background, which a headless one never does.
        await page.evaluate(() => {
            Object.defineProperty(document, 'hidden', { value: true, configurable: true });
            document.dispatchEvent(new Event('visibilitychange'));
            delete document.hidden;
            document.dispatchEvent(new Event('visibilitychange'));
        });
        await waitFrames(page, 2);
        assert.equal(await stepsOver(30), 0);
        await clickAt(512, 400);
        assert.ok((await stepsOver(30)) > 0, 'the race did not go on');
        assert.equal(await screen(page), Screen.racing);
    });

    await check('m silences the page\'s audio, and m again brings it back', async () => {
        const peakOver = async (ms) => {
            await page.evaluate(() => (window.audioPeak = 0));
            await new Promise((resolve) => setTimeout(resolve, ms));
            return page.evaluate(() => window.audioPeak);
        };
        await page.keyboard.press('m');
        // What was queued before the key plays out first.
        await new Promise((resolve) => setTimeout(resolve, 500));
        const silent = await peakOver(1500);
        await page.keyboard.press('m');
        await new Promise((resolve) => setTimeout(resolve, 500));
        const heard = await peakOver(1500);
        console.log(`figure: audio peak ${silent} with the sound off, ${heard.toFixed(3)} on again`);
        assert.equal(silent, 0);
        assert.ok(heard > 0.001, `the sound did not come back (peak ${heard})`);
    });

    await check('F11 and Alt+Enter do what the full-screen button does', async () => {
        const fullscreenElement = () => page.evaluate(() => document.fullscreenElement?.id ?? null);
        await page.keyboard.press('F11');
        await waitFor('full screen', async () => (await fullscreenElement()) === 'stage', 10000);
        await page.keyboard.down('Alt');
        await page.keyboard.press('Enter');
        await page.keyboard.up('Alt');
        await waitFor('the window', async () => (await fullscreenElement()) === null, 10000);
        // Neither key reached the game, which plays on.
        assert.ok([Screen.racing, Screen.raceOver].includes(await screen(page)));
        assert.ok((await stepsOver(10)) > 0);
        canvas = await canvasBox(page);
    });

    await check('the race runs at 60 steps a second at most', async () => {
        const [startSteps, startFrames, started] = [await steps(page), await frames(page), Date.now()];
        await new Promise((resolve) => setTimeout(resolve, 10000));
        const seconds = (Date.now() - started) / 1000;
        const rate = ((await steps(page)) - startSteps) / seconds;
        const drawn = ((await frames(page)) - startFrames) / seconds;
        console.log(`figure: ${rate.toFixed(1)} steps and ${drawn.toFixed(1)} frames a second over 10 s of a race`);
        assert.ok(rate > 0 && rate <= 61, `${rate} steps a second`);
    });

    await check('the race ends and a click goes on', async () => {
        await waitFor('the end of the race', async () => (await screen(page)) === Screen.raceOver, 600000);
        await clickAt(512, 400);
        assert.notEqual(await screen(page), Screen.raceOver);
    });

    await check('Escape on the title screen ends the game with a way to play again', async () => {
        // Escape leaves a race (or the placement screen) for the title first, if need be.
        if ((await screen(page)) !== Screen.title) {
            await page.keyboard.press('Escape');
            await waitFrames(page, 2);
        }
        if ((await screen(page)) === Screen.title)
            await page.keyboard.press('Escape');
        await waitFor('the thanks', () => page.evaluate(() => !document.getElementById('ended').hidden), 10000);
        await Promise.all([page.waitForNavigation(), page.click('#again')]);
        await firstFrame(page);
    });

    await check('in a smaller window, with ?ns&s in the address, the software drawer takes clicks where they are seen', async () => {
        await page.setViewport({ width: 640, height: 520 });
        await page.goto(`${base}?ns&s`);
        await firstFrame(page);
        assert.deepEqual(await page.evaluate(() => Module.arguments), ['-w', '1024', '-h', '768', '-ns', '-s']);
        assert.equal(await page.evaluate(() => Module.ctx instanceof CanvasRenderingContext2D), true);
        canvas = await canvasBox(page);
        assert.deepEqual([canvas.width, canvas.height], [640, 480]);
        const scale = canvas.width / 1024;
        await page.mouse.click(canvas.x + 565 * scale, canvas.y + 635 * scale);
        await waitFrames(page, 2);
        assert.equal(await screen(page), Screen.placing);
    });

    // Plays the same race from the title of a fresh page: the first hurdle of
    // lanes 1, 2 and 3 dragged 20 up the track into the runners' stride, then go. Returns the
    // race's digest once it is over, and how many steps its frames took.
    const playTheSameRace = async () => {
        // OpenGL, whose frames cost the browser most, at the full 1024 by 768.
        await page.setViewport({ width: 1024, height: 808 });
        await page.goto(`${base}?ns`);
        await firstFrame(page);
        canvas = await canvasBox(page);
        const scale = canvas.width / 1024;
        const to = async (x, y) => page.mouse.move(canvas.x + x * scale, canvas.y + y * scale);
        await page.evaluate(() => Module._brickwrath_fix_counters());
        await page.mouse.click(canvas.x + 565 * scale, canvas.y + 635 * scale);
        await waitFor('the placement screen', async () => (await screen(page)) === Screen.placing);
        for (const lane of [1, 2, 3]) {
            const x = 288 + 31 * lane + 20, y = 326 + 31 * lane + 17; // the hurdle's middle
            await to(x, y);
            await page.mouse.down();
            await waitFrames(page, 2);
            await to(x + 20, y - 20);
            await waitFrames(page, 2);
            await page.mouse.up();
            await waitFrames(page, 2);
        }
        const [startSteps, startFrames] = [await steps(page), await frames(page)];
        await page.mouse.click(canvas.x + 928 * scale, canvas.y + 696 * scale);
        await waitFor('the end of the race', async () => (await screen(page)) === Screen.raceOver, 900000);
        const digest = await page.evaluate(() => Module._brickwrath_race_digest());
        return { digest, stepsPerFrame: ((await steps(page)) - startSteps) / ((await frames(page)) - startFrames) };
    };

    await check('a race played with the CPU slowed twelve times ends as it does at full speed', async () => {
        const fullSpeed = await playTheSameRace();
        const cpu = await page.target().createCDPSession();
        await cpu.send('Emulation.setCPUThrottlingRate', { rate: 12 });
        const slowed = await playTheSameRace();
        await cpu.send('Emulation.setCPUThrottlingRate', { rate: 1 });
        console.log(`figure: ${fullSpeed.stepsPerFrame.toFixed(2)} steps a frame at full speed, ` +
            `${slowed.stepsPerFrame.toFixed(2)} slowed twelve times`);
        // How many steps the slowed frames took depends on the machine: a figure, not a check.
        assert.notEqual(fullSpeed.digest, 0);
        assert.equal(slowed.digest, fullSpeed.digest, 'the slowed race ended otherwise');
    });

    await check('no error, failed request or missing file', async () => {
        assert.deepEqual(problems, []);
    });
});
report();
