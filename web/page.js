// The page around the game: passes the address's flags to it, keeps its canvas letterboxed 4:3 in
// the window, shows the download's progress until the first frame, offers full screen where the
// browser has it (its button, F11 or Alt+Enter) and, on a small screen, a menu with it and the
// help line; after Escape on the title screen a way to play again. It registers the service worker
// that keeps the game for offline play. Touch and sound have scripts of their own (touch.js, sound.js).
'use strict';

(function () {
    const canvas = document.getElementById('canvas');
    const stage = document.getElementById('stage');
    const frame = document.getElementById('frame');
    const loading = document.getElementById('loading');
    const progress = document.getElementById('progress');
    const status = document.getElementById('status');
    const turn = document.getElementById('turn');

    // The desktop's flags, given in the address: ?nm (no music), ?ns (no sound), ?s (the software
    // drawer), or their long names. The game always draws 1024 by 768; the page scales it.
    function gameArguments() {
        const flags = { nm: '-nm', nomusic: '--nomusic', ns: '-ns', nosound: '--nosound', s: '-s', sdl: '--sdl' };
        const args = ['-w', '1024', '-h', '768'];
        for (const key of new URLSearchParams(location.search).keys()) {
            if (Object.prototype.hasOwnProperty.call(flags, key) && !args.includes(flags[key]))
                args.push(flags[key]);
        }
        return args;
    }

    // The largest 4:3 box that fits; the canvas fills it, and SDL maps clicks through its size.
    // Upright on a phone, the line asking to turn it takes its share of the height.
    function letterbox() {
        const width = stage.clientWidth;
        const margins = 2 * parseFloat(getComputedStyle(turn).marginTop);
        const height = stage.clientHeight - (turn.offsetHeight ? turn.offsetHeight + margins : 0);
        const scale = Math.min(width / 4, height / 3);
        frame.style.width = Math.floor(scale * 4) + 'px';
        frame.style.height = Math.floor(scale * 3) + 'px';
    }
    window.addEventListener('resize', letterbox);
    document.addEventListener('fullscreenchange', letterbox);
    letterbox();

    // iPhone's Safari has no Fullscreen API: there the game goes full screen from the home screen.
    const fullscreen = document.getElementById('fullscreen');
    fullscreen.hidden = !document.fullscreenEnabled;
    function switchFullscreen() {
        if (document.fullscreenElement)
            document.exitFullscreen();
        else
            stage.requestFullscreen().catch(function () {});
        closeMenu();
        canvas.focus();
    }
    fullscreen.addEventListener('click', switchFullscreen);
    // F11 and Alt+Enter do what the button does. They are taken here, before Emscripten's SDL
    // (which listens on the document) sees them, so the Enter does nothing in the game. Without the
    // Fullscreen API, F11 is left to the browser.
    window.addEventListener('keydown', function (event) {
        const altEnter = event.key === 'Enter' && event.altKey;
        if (event.key !== 'F11' && !altEnter)
            return;
        event.stopPropagation();
        if (!document.fullscreenEnabled && !altEnter)
            return;
        event.preventDefault();
        if (!event.repeat && document.fullscreenEnabled)
            switchFullscreen();
    }, true);

    // The small screen's menu opens the folded bar over the game; a touch anywhere else shuts it.
    const menu = document.getElementById('menu');
    function closeMenu() {
        document.body.classList.remove('menu-open');
        menu.setAttribute('aria-expanded', 'false');
    }
    menu.addEventListener('click', function () {
        const open = document.body.classList.toggle('menu-open');
        menu.setAttribute('aria-expanded', String(open));
    });
    stage.addEventListener('pointerdown', closeMenu);
    document.getElementById('again').addEventListener('click', function () {
        location.reload();
    });
    canvas.addEventListener('contextmenu', function (event) {
        event.preventDefault();
    });

    let downloaded = 0;
    function showProgress(fraction, text) {
        downloaded = Math.max(downloaded, fraction);
        progress.style.width = Math.round(downloaded * 100) + '%';
        status.textContent = text;
    }

    window.Module = {
        canvas: canvas,
        arguments: gameArguments(),
        print: function (text) {
            console.log(text);
        },
        printErr: function (text) {
            console.warn(text);
        },
        // Emscripten reports the data file's download as "Downloading data... (done/total)".
        setStatus: function (text) {
            const parts = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text);
            if (parts)
                showProgress(0.2 + 0.7 * (Number(parts[1]) / Number(parts[2])), 'Loading…');
            else if (text === '')
                showProgress(0.95, 'Starting…');
        },
        onFirstFrame: function () {
            window.brickwrathFirstFrame = performance.now();
            showProgress(1, '');
            loading.hidden = true;
            canvas.focus();
            gameLoaded = true;
            handOver();
        },
        onGameEnd: function () {
            document.getElementById('ended').hidden = false;
        },
        onAbort: function (what) {
            loading.hidden = false;
            status.textContent = 'The game could not start: ' + what;
        },
    };
    showProgress(0.05, 'Loading…');

    // A newer build's worker waits until this page has every file of its own build (the game has
    // drawn its first frame), so that no page ever mixes two builds' files; then it takes over,
    // and the next visit plays the new build.
    let gameLoaded = false;
    let registration = null;
    function handOver() {
        if (gameLoaded && registration && registration.waiting)
            registration.waiting.postMessage('take over');
    }
    if ('serviceWorker' in navigator) {
        navigator.serviceWorker.register('sw.js').then(function (registered) {
            registration = registered;
            registered.addEventListener('updatefound', function () {
                const worker = registered.installing;
                worker.addEventListener('statechange', function () {
                    if (worker.state === 'installed')
                        handOver();
                });
            });
            handOver();
        }).catch(function (error) {
            console.warn('The service worker: ' + error.message);
        });
    }
})();
