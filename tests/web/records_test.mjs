// The player's records in the browser: none on a first visit; a game's end that beats them is
// written to the settings folder and synced to the site's storage (IndexedDB), and a reload of
// the page reads them back before the first frame.
// Usage: node records_test.mjs <address of the served bundle>
import assert from 'node:assert/strict';
import { checks, firstFrame, waitFor, withBrowser } from './support.mjs';

const address = process.argv[2];
const { watch, check, report } = checks();
const best = (page) => page.evaluate(() => [Module._brickwrath_best_crushed(), Module._brickwrath_best_races()]);
const syncs = (page) => page.evaluate(() => Module.storedSyncs || 0);

await withBrowser(async (browser) => {
    const page = await browser.newPage();
    watch(page);
    await page.goto(`${address}?ns`);
    await firstFrame(page);

    await check('a first visit has no records', async () => assert.deepEqual(await best(page), [0, 0]));
    await check('a won game that beats them is stored in the site\'s storage', async () => {
        assert.equal(await page.evaluate(() => Module._brickwrath_end_game(23, 1, 5)), 1);
        await waitFor('the records to be stored', async () => (await syncs(page)) >= 1, 30000);
        assert.deepEqual(await best(page), [23, 5]);
    });
    await check('a reload reads them back before the first frame', async () => {
        await page.reload();
        await firstFrame(page);
        assert.deepEqual(await best(page), [23, 5]);
        const file = await page.evaluate(() =>
            FS.readFile('/home/web_user/Library/Application Support/Tambrel/Tambrel.records', { encoding: 'utf8' }));
        assert.equal(file, 'crushed 23\nraces 5\n');
    });
    await check('a game that beats nothing writes nothing', async () => {
        assert.equal(await page.evaluate(() => Module._brickwrath_end_game(20, 1, 6)), 0);
        assert.equal(await syncs(page), 0);
    });
});
report();
