// How the browser tests, the bench and the screenshots start Debian's
// Chromium: headless, without its background chores. Headless, it still
// loads its own address bar's pop-up, in a renderer of its own, and preloads
// the rest of its interface; no window shows them, and in the second after
// the page was ready that renderer took 440 ms of CPU on a 2-core machine,
// beside the page tested or measured.
module.exports = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
  '--disable-quic',
  '--disable-features=PreloadTopChromeWebUI,WebUIOmniboxPopup,WebUIOmniboxFullPopup,WebUIOmniboxAimPopup',
];
