// The page as an app, apart from the planner itself (a classic script, so
// that it runs where the page's modules cannot): a German note in the
// window when the planner did not start, and the service worker that keeps
// the site for use without a network, with a note once a new version of the
// site is ready.
(() => {
  const FAILED = 'Startfehler';
  const UPDATED = 'NeueVersion';
  // How long the page waits for the new worker to take over before it reloads anyway.
  const TAKE_OVER_MS = 1000;

  // The modules set window.rollwerk when they run: once the document is
  // parsed they have run, or failed to load (answered 404, cut off, or
  // blocked, as they are on a page opened from a file). The core's own
  // failures (its WebAssembly missing, cut off or corrupt) reject its promise.
  // Resolves once the planner has started; never when it failed.
  const started = new Promise((resolve) => {
    document.addEventListener('DOMContentLoaded', () => {
      // The window drawn at build time stays inert without a planner: the note takes its place.
      const showFailure = () => {
        document.getElementById('FMainContent').hidden = true;
        document.getElementById(FAILED).hidden = false;
      };
      if (window.rollwerk && window.rollwerk.ready) window.rollwerk.ready.then(resolve, showFailure);
      else showFailure();
    });
  });

  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  const workers = navigator.serviceWorker;
  const note = document.getElementById(UPDATED);
  const fromWorker = workers.controller !== null;
  let waiting = null;
  let announced = false;
  let reloading = false;
  // Said once per page: a new build's worker has filled its cache and waits to take over.
  const announce = (worker) => {
    waiting = worker;
    if (announced) return;
    announced = true;
    note.hidden = false;
  };
  const watch = (registration) => {
    if (registration.waiting && workers.controller) announce(registration.waiting);
    registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker.addEventListener('statechange', () => {
        // The first worker of a page that came from the network brings nothing new.
        if (worker.state === 'installed' && workers.controller) announce(worker);
      });
    });
  };
  document.getElementById(`${UPDATED}Laden`).addEventListener('click', () => {
    reloading = true;
    if (!waiting || waiting.state !== 'installed') {
      window.location.reload();
      return;
    }
    // The page reloads once the new worker took over. The browser holds the takeover back while the
    // old worker still has requests open; the page then reloads after a moment anyway (still the
    // old version, saying so again), and the new one takes over once the old worker is idle.
    const worker = waiting;
    const reload = () => window.location.reload();
    worker.addEventListener('statechange', () => {
      if (worker.state === 'activated') reload();
    });
    worker.postMessage('takeOver');
    setTimeout(reload, TAKE_OVER_MS);
  });
  document.getElementById(`${UPDATED}Schliessen`).addEventListener('click', () => {
    note.hidden = true;
  });
  // A new worker took over, asked by another page of the site: this one says so. (Asked here, the
  // page is reloading; the first worker taking over a page from the network brings nothing new.)
  workers.addEventListener('controllerchange', () => {
    if (!reloading && fromWorker) announce(null);
  });
  // Once the planner has started and the page has loaded, so that the worker's downloads do not
  // compete with the start (docs/decisions.md). A page that failed to start registers none: the
  // browser still looks for a new worker of a registered one when the page is opened.
  const loaded = new Promise((resolve) => window.addEventListener('load', resolve));
  Promise.all([started, loaded]).then(() => {
    workers.register('sw.js').then(watch, (error) => console.error(error));
  });
})();
