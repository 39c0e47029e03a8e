// Linked into brickwrath.js before the game (--pre-js): the settings folder, where the records
// file lives, is IndexedDB's file system, loaded before main runs so that the game reads the
// records it stored on an earlier visit. The folder is HOME (Emscripten's /home/web_user) with
// the folder ConfigLoader names.
Module.preRun = [].concat(Module.preRun || [], function () {
    const folder = '/home/web_user/Library/Application Support/Tambrel';
    FS.mkdirTree(folder);
    FS.mount(IDBFS, {}, folder);
    addRunDependency('brickwrath-player-files');
    FS.syncfs(true, function (error) {
        if (error)
            console.warn('The stored records could not be loaded: ' + error);
        removeRunDependency('brickwrath-player-files');
    });
});
