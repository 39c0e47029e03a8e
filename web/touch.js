// One finger on the canvas plays the mouse. The game knows only a mouse, and Emscripten's SDL
// turns touches into one in its own way: every new finger presses the button again where it lands,
// and lifting any finger releases it. So the page takes the canvas's touch events before SDL's
// listeners on the canvas see them (a capture listener on the window, which runs first) and hands
// SDL mouse events of its own: the first finger down owns the pointer until it is lifted, and other
// fingers are ignored meanwhile. A held item is carried a little above the fingertip, so that the
// player sees it: the lift grows with the finger's travel, so nothing jumps when a drag starts,
// and a tap, which does not travel, is a click where the finger is.
'use strict';

(function (root) {
    // CSS pixels: about 8 mm on a phone, just clear of the fingertip, half a hurdle's height or so
    // above it on a 390-pixel-high canvas.
    const carryHeight = 48;

    // Decides, for the changed touches of each touch event, what the mouse does. `bounds()` gives
    // the canvas's client rectangle, which the pointer never leaves. Each call returns a list of
    // { type, x, y }: mousemove, mousedown or mouseup at client coordinates.
    class FingerPointer {
        constructor(bounds, lift = carryHeight) {
            this.bounds = bounds;
            this.lift = lift;
            this.owner = null;
        }

        held() {
            return this.owner !== null;
        }

        start(touches) {
            if (this.owner !== null || touches.length === 0)
                return [];
            const touch = touches[0];
            this.owner = touch.identifier;
            this.from = { x: touch.clientX, y: touch.clientY };
            this.raised = 0;
            const point = this.pointAt(touch);
            return [{ type: 'mousemove', ...point }, { type: 'mousedown', ...point }];
        }

        move(touches) {
            const touch = this.ownersTouch(touches);
            return touch ? [{ type: 'mousemove', ...this.pointAt(touch) }] : [];
        }

        // A lifted finger and a cancelled touch alike let go where the finger last was.
        end(touches) {
            const touch = this.ownersTouch(touches);
            if (!touch)
                return [];
            const point = this.pointAt(touch);
            this.owner = null;
            return [{ type: 'mousemove', ...point }, { type: 'mouseup', ...point }];
        }

        ownersTouch(touches) {
            return Array.from(touches).find((touch) => touch.identifier === this.owner);
        }

        // The lift never shrinks during a touch: a finger coming back towards where it started
        // does not lower the item onto itself.
        pointAt(touch) {
            const travel = Math.hypot(touch.clientX - this.from.x, touch.clientY - this.from.y);
            this.raised = Math.min(this.lift, Math.max(this.raised, travel));
            const box = this.bounds();
            const clamp = (value, low, high) => Math.min(Math.max(value, low), high);
            return {
                x: clamp(touch.clientX, box.left, box.right - 1),
                y: clamp(touch.clientY - this.raised, box.top, box.bottom - 1),
            };
        }
    }

    function install(canvas) {
        const pointer = new FingerPointer(() => canvas.getBoundingClientRect());
        const send = (action) =>
            canvas.dispatchEvent(new MouseEvent(action.type, {
                bubbles: true,
                cancelable: true,
                view: root,
                clientX: action.x,
                clientY: action.y,
                button: 0,
                buttons: action.type === 'mouseup' ? 0 : 1,
            }));
        const handlers = { touchstart: 'start', touchmove: 'move', touchend: 'end', touchcancel: 'end' };
        for (const [type, method] of Object.entries(handlers)) {
            // stopPropagation, not stopImmediatePropagation: the page's other window listeners
            // (the sound's start on touchend) still hear the touch; only the canvas's do not.
            // preventDefault keeps the browser from making mouse events and clicks of its own.
            root.addEventListener(type, (event) => {
                if (event.target !== canvas)
                    return;
                event.stopPropagation();
                if (event.cancelable)
                    event.preventDefault();
                for (const action of pointer[method](event.changedTouches))
                    send(action);
            }, { capture: true, passive: false });
        }
    }

    root.BrickwrathFingerPointer = FingerPointer;
    if (root.document) {
        const canvas = root.document.getElementById('canvas');
        if (canvas)
            install(canvas);
    }
})(globalThis);
