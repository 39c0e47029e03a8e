// Starts the game's sound with the player's first touch, click or key, as browsers ask, and again
// when the page comes back from the background (Safari suspends it there, and after a phone call).
// Safari resumes an audio context only inside a touchend or click handler, later than Emscripten's
// own starter listens (touchstart and mousedown), so the page keeps every context the game makes
// and resumes them itself.
'use strict';

(function () {
    const Native = window.AudioContext || window.webkitAudioContext;
    if (!Native)
        return;
    const contexts = [];
    class KeptAudioContext extends Native {
        constructor(...options) {
            super(...options);
            contexts.push(this);
        }
    }
    window.AudioContext = KeptAudioContext;
    if (window.webkitAudioContext)
        window.webkitAudioContext = KeptAudioContext;

    // 'interrupted' is Safari's state after a call or another app took the sound.
    function resume() {
        for (const context of contexts) {
            if (context.state !== 'running' && context.state !== 'closed')
                context.resume().catch(function () {});
        }
    }
    for (const type of ['touchend', 'pointerup', 'click', 'keydown'])
        window.addEventListener(type, resume, { capture: true, passive: true });
    window.addEventListener('pageshow', resume);
    document.addEventListener('visibilitychange', function () {
        if (!document.hidden)
            resume();
    });
})();
