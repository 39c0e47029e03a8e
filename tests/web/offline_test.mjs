// The browser build installed and played offline, served from a path of a host as a static host
// would (by this test, so that it can swap in a second build): a visit, a reload with no network,
// Chromium's installability check, and a second build, a copy with a changed file whose service
// worker the build's own step writes again, replacing the first on the next visit with the network.
// Prints the figures: first frame on a first and on an offline visit, the bundle's size.
// Usage: node offline_test.mjs <bundle folder>
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { Screen, canvasShot, checks, difference, firstFrame, screen, waitFor, waitFrames, withBrowser } from './support.mjs';

const bundle = path.resolve(process.argv[2]);
const source = new URL('../..', import.meta.url).pathname;
const { watch, check, report } = checks();
const types = { '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.wasm': 'application/wasm',
    '.png': 'image/png', '.webmanifest': 'application/manifest+json' };
const files = (folder) => fs.readdirSync(folder).filter((name) => fs.statSync(path.join(folder, name)).isFile());
const cacheNameOf = (folder) => /const cacheName = '([^']+)'/.exec(fs.readFileSync(path.join(folder, 'sw.js'), 'utf8'))[1];

let root = bundle;
const prefix = '/games/brickwrath/';
const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://host').pathname.replace(prefix, '') || 'index.html';
    if (!request.url.startsWith(prefix) || !files(root).includes(name))
        return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': types[path.extname(name)] ?? 'application/octet-stream' });
    fs.createReadStream(path.join(root, name)).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}${prefix}`;

const second = fs.mkdtempSync(path.join(os.tmpdir(), 'brickwrath-second-build-'));
for (const name of files(bundle))
    fs.copyFileSync(path.join(bundle, name), path.join(second, name));
fs.appendFileSync(path.join(second, 'page.css'), '\n/* the second build */\n');
const version = /^brickwrath-(.*)-[0-9a-f]+$/.exec(cacheNameOf(bundle))[1];
execFileSync('cmake', [`-DBUNDLE=${second}`, `-DTEMPLATE=${source}web/sw.js`, `-DVERSION=${version}`, '-P',
    `${source}cmake/WebServiceWorker.cmake`], { stdio: 'ignore' });

const sizes = files(bundle).map((name) => fs.readFileSync(path.join(bundle, name)))
    .map((data) => [data.length, zlib.gzipSync(data, { level: 9 }).length]);
const kib = (column) => `${(sizes.reduce((sum, size) => sum + size[column], 0) / 1024).toFixed(0)} KiB`;
console.log(`figure: the bundle is ${sizes.length} files, ${kib(0)}, ${kib(1)} gzipped (level 9)`);

const cacheNames = (page) => page.evaluate(() => caches.keys());
const cursor = { x: 80, y: 0, width: 944, height: 768 }; // the title but the game's cursor at (0, 0)
try {
    await withBrowser(async (browser) => {
        const page = await browser.newPage();
        watch(page);
        await page.setViewport({ width: 1024, height: 808 });
        let online;

        await check('a first visit draws the title and keeps every file of the build', async () => {
            await page.goto(base);
            console.log(`figure: first title frame ${(await firstFrame(page)).toFixed(0)} ms after navigation, first visit`);
            await waitFrames(page, 10);
            online = await canvasShot(page);
            // Every file but the worker's own, and the folder's address.
            await waitFor('the cache', () => page.evaluate(async (name) =>
                (await (await caches.open(name)).keys()).length, cacheNameOf(bundle)).then((n) => n === files(bundle).length), 30000);
            const { installabilityErrors } = await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
            assert.deepEqual(installabilityErrors, [], 'Chromium would not install it');
        });

        await check('with no network, a reload draws the title', async () => {
            await page.setOfflineMode(true);
            await page.reload();
            console.log(`figure: first title frame ${(await firstFrame(page)).toFixed(0)} ms after navigation, offline visit`);
            await waitFrames(page, 10);
            assert.equal(await screen(page), Screen.title);
            assert.ok(difference(online, await canvasShot(page), cursor) < 2, 'the title differs from the online one');
        });

        await check('the next visit with the network puts a new build in the old one\'s place', async () => {
            assert.notEqual(cacheNameOf(second), cacheNameOf(bundle), 'a changed file kept the cache\'s name');
            root = second;
            await page.setOfflineMode(false);
            await page.reload();
            await firstFrame(page);
            await waitFor('the old cache to go', async () => `${await cacheNames(page)}` === cacheNameOf(second), 60000);
            await page.setOfflineMode(true);
            await page.reload();
            await firstFrame(page);
            const style = await page.evaluate(() => fetch('page.css').then((response) => response.text()));
            assert.ok(style.includes('the second build'), 'the old build\'s files are played');
        });
    });
} finally {
    server.close();
    fs.rmSync(second, { recursive: true, force: true });
}
report();
