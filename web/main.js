// The page's entry: loads the core (core.js), finds the window's widgets (generated
// from the layout table at build time), binds a planner to them and draws
// the plan (the initial one, or the one the address carries).
// window.rollwerk.ready resolves once that plan is drawn and takes input.
// The performance marks rollwerk:entry, :core, :drawn and :ready (and
// core.js's :compiled and :instantiated) time the start-up for bench/web.sh.

import { setUpChrome } from './chrome.js';
import { loadCore } from './core.js';
import { PlanView } from './fields.js';
import { addressWriter, codeInAddress } from './link.js';
import { findPage } from './page.js';

performance.mark('rollwerk:entry');

const COPY_FAILED = 'Der Link konnte nicht kopiert werden. Die Adresse des Plans lautet:';

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
  performance.mark('rollwerk:core');
  const page = findPage(document);
  const address = addressWriter(window);
  let chrome = null;
  const view = new PlanView(
    page,
    (error) => {
      console.error(error);
      chrome.showMessage(error instanceof Error ? error.message : page.message.dataset.unknownError);
    },
    () => address.write(view.planner.planCode()),
    { first: core.firstRepeatMs, next: core.repeatMs },
  );

  // A fresh planner holds the initial plan; FormCreate fills the bonus list.
  // A code is then entered through the rules, as pasting a plan does on the desktop.
  const startPlan = (code) => {
    const previous = view.planner;
    const planner = new core.Planner(view);
    view.attach(planner);
    planner.formCreate();
    if (previous) previous.delete();
    if (code === null) {
      address.write('');
      return;
    }
    let result = null;
    if (!view.call(() => (result = planner.applyPlanCode(code)))) return;
    // A code that does not decode leaves the initial plan, and an address without one.
    if (!result.decoded) address.write('');
    if (result.message) chrome.showMessage(result.message);
  };

  chrome = setUpChrome(document, {
    copyLink: () => {
      address.flush();
      const link = window.location.href;
      navigator.clipboard.writeText(link).catch(() => chrome.showMessage(`${COPY_FAILED}\n${link}`));
    },
    newPlan: () => startPlan(null),
    focusFirst: () => page.fields[0].input.focus(),
  });
  startPlan(codeInAddress(window.location));
  // The window shows once its plan is drawn: laid out once, not once empty and again filled.
  const content = document.getElementById('FMainContent');
  content.hidden = false;
  void content.offsetHeight; // laid out with the plan
  performance.mark('rollwerk:drawn');
  // A plan typed into the address bar opens like a link.
  window.addEventListener('hashchange', () => {
    const code = codeInAddress(window.location);
    if (code !== null && code !== view.planner.planCode()) startPlan(code);
  });

  // Drawn with its own faces, asked for when the page was first laid out.
  await document.fonts.ready;
  // The first field in the keyboard order takes the focus, unless a message asks for it first.
  if (page.message.hidden) page.fields[0].input.focus();
  performance.mark('rollwerk:ready');
  announceReady();
}

start().catch((error) => {
  console.error(error);
  failReady(error);
});
