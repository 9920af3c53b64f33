// The page's entry: loads the core, builds the window from its layout table,
// binds a planner to it and draws the initial plan. window.rollwerk.ready
// resolves once that plan is drawn.

import { setUpChrome } from './chrome.js';
import { loadCore } from './core.js';
import { PlanView } from './fields.js';
import { buildPage } from './page.js';

const UNKNOWN_ERROR = 'Unbekannter Fehler in der Planung.';

let announceReady;
let failReady;
window.rollwerk = {
  ready: new Promise((resolve, reject) => {
    announceReady = resolve;
    failReady = reject;
  }),
};

async function start() {
  const core = await loadCore();
  const items = (() => {
    const probe = new core.Planner(undefined);
    const list = probe.classItems();
    probe.delete();
    return list;
  })();
  const page = buildPage(document, core.layout(), items);
  let chrome = null;
  const view = new PlanView(page, (error) => {
    console.error(error);
    chrome.showMessage(error instanceof Error ? error.message : UNKNOWN_ERROR);
  });

  // A fresh planner holds the initial plan; FormCreate fills the bonus list.
  const startPlan = () => {
    const previous = view.planner;
    const planner = new core.Planner(view);
    view.attach(planner);
    planner.formCreate();
    if (previous) previous.delete();
  };

  chrome = setUpChrome(document, {
    copyLink: () => navigator.clipboard.writeText(window.location.href).catch(() => {}),
    newPlan: () => startPlan(),
  });
  startPlan();

  await document.fonts.ready;
  // The first field in the keyboard order takes the focus.
  page.fields[0].input.focus();
  announceReady();
}

start().catch((error) => {
  console.error(error);
  failReady(error);
});
