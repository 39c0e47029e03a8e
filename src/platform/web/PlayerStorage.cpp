// In the browser the settings folder is IndexedDB's (PlayerStorage.js mounts and loads it before
// main): a file written there lives in memory until it is synced out to the site's storage.
#include <emscripten/emscripten.h>

#include "platform/PlayerStorage.h"

void PlayerStorage::keep()
{
    // Asynchronous: the page counts the syncs that have finished, for its tests.
    EM_ASM({
        FS.syncfs(
            false, function(error) {
                if (error)
                    console.warn("The records could not be stored: " + error);
                Module.storedSyncs = (Module.storedSyncs || 0) + 1;
            });
    });
}
