// The service worker: after one visit it serves the whole site from its
// cache, so that the planner opens without a network, from a link with a
// plan too (the plan is in the fragment, which no request carries).
// A new build brings a new worker (its cache's name is a hash of the
// site's files), which fills a new cache completely and then waits: an open
// page stays with the build it came from (a page of one build with files of
// the next could fail) until every page of it is closed, or until the page
// that says a new version is ready asks for it to take over and reloads.
// Taking over, it deletes the old cache as a whole.
// The worker knows every file's hash and takes only what matches it: an
// install during an upload (a file of the old build, or one cut short)
// fails, the old build keeps serving, and the browser tries the new worker
// again on a later visit.

// Written at build time by generate-offline.mjs: [file, its SHA-256 as subresource integrity].
const CACHE = 'rollwerk-unbuilt';
const FILES = [];

const PREFIX = 'rollwerk-';

self.addEventListener('install', (event) => {
  // Revalidated with the server, so that a file in the browser's HTTP cache from an older build is not
  // taken; a file whose hash differs is a network error, which fails the install.
  const fetched = FILES.map(([file, integrity]) => {
    const request = new Request(file, { cache: 'no-cache', integrity });
    return fetch(request).then((response) => {
      if (!response.ok) throw new Error(`${file}: ${response.status}`);
      return [request, response];
    });
  });
  event.waitUntil(
    Promise.all(fetched).then((responses) => caches.open(CACHE)
      .then((cache) => Promise.all(responses.map(([request, response]) => cache.put(request, response))))),
  );
});

// Asked by the page that says a new version is ready: take over as soon as the
// old worker has finished its requests (the page then reloads).
self.addEventListener('message', (event) => {
  if (event.data === 'takeOver') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(
        names.filter((name) => name.startsWith(PREFIX) && name !== CACHE).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  // Every address of the page (with a plan or without) is the page.
  const key = request.mode === 'navigate' ? 'index.html' : request;
  // Looked up by name: opening the cache would make it anew once a newer worker has deleted it.
  event.respondWith(
    caches.match(key, { cacheName: CACHE, ignoreSearch: true }).then((cached) => cached || fetch(request)),
  );
});
