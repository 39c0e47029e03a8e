// Keeps the game's files for play with no network. The build names the cache after itself (the
// version and a hash of the files) and lists the files; a newer build's worker fills its own cache
// beside the old one, takes over when the page has loaded all it needs from the old (or at once on
// a first visit), and deletes the old cache. Every address is relative to this worker, so the
// folder plays from any path of any host.
'use strict';

const cacheName = '@BRICKWRATH_CACHE_NAME@';
const files = ['./', @BRICKWRATH_CACHED_FILES@];

self.addEventListener('install', (event) => {
    // From the network, never the browser's HTTP cache, which may still hold an older build's.
    const fresh = files.map((file) => new Request(file, { cache: 'reload' }));
    event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(fresh)));
});

// Sent by the page once it has loaded every file of its own build.
self.addEventListener('message', (event) => {
    if (event.data === 'take over')
        self.skipWaiting();
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter((name) => name.startsWith('brickwrath-') && name !== cacheName)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The cache first, whatever the address's flags (?nm, ?s); the network for anything else.
self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET')
        return;
    event.respondWith(caches.open(cacheName)
        .then((cache) => cache.match(event.request, { ignoreSearch: true }))
        .then((kept) => kept || fetch(event.request)));
});
