// The page around the game: passes the address's flags to it, keeps its canvas letterboxed 4:3 in
// the window, shows the download's progress until the first frame, offers full screen, and after
// Escape on the title screen a way to play again.
'use strict';

(function () {
    const canvas = document.getElementById('canvas');
    const stage = document.getElementById('stage');
    const frame = document.getElementById('frame');
    const loading = document.getElementById('loading');
    const progress = document.getElementById('progress');
    const status = document.getElementById('status');

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
    function letterbox() {
        const width = stage.clientWidth;
        const height = stage.clientHeight;
        const scale = Math.min(width / 4, height / 3);
        frame.style.width = Math.floor(scale * 4) + 'px';
        frame.style.height = Math.floor(scale * 3) + 'px';
    }
    window.addEventListener('resize', letterbox);
    document.addEventListener('fullscreenchange', letterbox);
    letterbox();

    document.getElementById('fullscreen').addEventListener('click', function () {
        if (document.fullscreenElement)
            document.exitFullscreen();
        else
            stage.requestFullscreen().catch(function () {});
        canvas.focus();
    });
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
})();
