// The page's finger-to-mouse rules (web/touch.js), without a browser, in the cases the phone test
// does not reach: fingers that outlast the owner, and the pointer kept on the canvas.
// Usage: node touch_test.mjs
import assert from 'node:assert/strict';
import fs from 'node:fs';
import vm from 'node:vm';
import test from 'node:test';

const script = fs.readFileSync(new URL('../../web/touch.js', import.meta.url), 'utf8');
const sandbox = {};
vm.runInNewContext(script, sandbox);
const FingerPointer = sandbox.BrickwrathFingerPointer;

// A canvas of 520 by 390 CSS pixels, 162 from the window's left, as on a phone on its side.
const canvas = { left: 162, top: 0, right: 682, bottom: 390 };
const lift = 48;
const finger = (identifier, clientX, clientY) => ({ identifier, clientX, clientY });
// The script runs in a context of its own: its arrays are copied into this one's to be compared.
const plain = (actions) => Array.from(actions, (action) => ({ ...action }));

test('other fingers are ignored while the first is down, and after it is lifted until they are', () => {
    const pointer = new FingerPointer(() => canvas, lift);
    pointer.start([finger(1, 300, 300)]);
    assert.deepEqual(plain(pointer.start([finger(2, 600, 100)])), [], 'a second finger pressed');
    assert.deepEqual(plain(pointer.move([finger(2, 610, 110)])), [], 'a second finger moved the pointer');
    assert.deepEqual(plain(pointer.end([finger(2, 610, 110)])), [], 'lifting the second finger let go');
    assert.equal(pointer.held(), true);
    // One event may carry both fingers, the owner's not first.
    assert.deepEqual(plain(pointer.move([finger(2, 620, 120), finger(1, 300, 250)])),
        [{ type: 'mousemove', x: 300, y: 250 - lift }]);
    pointer.start([finger(3, 500, 200)]);
    assert.deepEqual(plain(pointer.end([finger(3, 500, 200), finger(1, 300, 250)])).map((action) => action.type),
        ['mousemove', 'mouseup']);
    // Finger 3, put down while finger 1 held, stays ignored after it; a new finger takes over.
    assert.deepEqual(plain(pointer.move([finger(3, 510, 210)])), []);
    assert.deepEqual(plain(pointer.end([finger(3, 510, 210)])), []);
    assert.deepEqual(plain(pointer.start([finger(4, 200, 200)])).map((action) => action.type),
        ['mousemove', 'mousedown']);
});

test('the pointer stays on the canvas, however high the finger carries the item', () => {
    const pointer = new FingerPointer(() => canvas, lift);
    pointer.start([finger(1, 170, 100)]);
    assert.deepEqual(plain(pointer.move([finger(1, 100, 20)])), [{ type: 'mousemove', x: canvas.left, y: canvas.top }]);
    assert.deepEqual(plain(pointer.move([finger(1, 700, 460)])),
        [{ type: 'mousemove', x: canvas.right - 1, y: canvas.bottom - 1 }]);
});
