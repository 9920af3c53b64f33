// The page's entry: loads the core (core.js), finds the window's widgets (generated
// from the layout table at build time), binds a planner to them and draws
// the plan (the initial one, or the one the address carries).
// window.rollwerk.ready resolves once that plan is drawn and takes input.
// The performance marks rollwerk:entry, :core, :planned (the plan entered,
// before the window is laid out), :drawn and :ready (and core.js's :compiled
// and :instantiated) time the start-up for bench/web.sh.

import { setUpChrome } from './chrome.js';
import { loadCore } from './core.js';
import { PlanView } from './fields.js';
import { addressWriter, codeInAddress, goalInAddress, quoteLink } from './link.js';
import { loadOnce } from './load-once.js';
import { findPage } from './page.js';
import { skillPreview } from './skill-preview.js';
import { historyItems, pageClipboard, planCommands, skillTips } from './tools.js';
import { warmUp } from './warm-up.js';

const BAD_LINK = 'Dieser Link enthält keinen Plan, der sich lesen lässt:';
const BAD_GOAL = 'Das Ziel in diesem Link lässt sich nicht lesen; der Plan öffnet ohne Ziel:';
const TOOL_NOT_LOADED = 'Dieses Fenster ließ sich nicht laden. Ohne Netz ist es erst nach einem Besuch mit Netz da; '
  + 'bitte noch einmal öffnen.';

performance.mark('rollwerk:entry');

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
  const showTips = skillTips(page);
  const preview = skillPreview(document, page);
  const showHistory = historyItems(document);
  // The plan's history, made once the first plan is shown.
  let history = null;
  // The code the address was last written with, or read from: the address
  // follows the plan only when that changes, and keeps the last code that
  // can be written while a field holds a value outside the code's ranges;
  // with the goal beside the code while the goals window holds one.
  let addressCode = '';
  // The goals window's script and the core's tool windows' part load when the
  // window is first asked for, not while the page starts; asked again after a failure.
  const loadTool = (script) => Promise.all([script, core.loadToolWindows()]).then(([module]) => module, (error) => {
    console.error(error);
    throw new Error(TOOL_NOT_LOADED);
  });
  let goals = { planChanged: () => {}, refresh: () => {}, linkPart: () => '' };
  const loadGoals = loadOnce(() => loadTool(import('./goals.js')).then(({ setUpGoals }) => {
    // A plan of the goals window entered as one step of the history: its message, if any, shown.
    const enter = (take) => {
      let result = null;
      if (view.call(() => (result = take())) && result.message) chrome.showMessage(result.message);
    };
    goals = setUpGoals(document, core, view, {
      apply: (code) => enter(() => history.takeProposal(code)),
      takePath: (code) => enter(() => history.takePathPlan(code)),
      goalChanged: writeAddress,
      onError: showError,
      contextMenu: chrome.contextMenu,
      copy: pageClipboard(navigator, chrome).write,
    });
    return goals;
  }));
  // The plans window's module too.
  let plans = { planChanged: () => {} };
  const loadPlans = loadOnce(() => loadTool(import('./plans.js')).then(({ setUpPlans }) => {
    plans = setUpPlans(document, core, view, {
      messages: () => chrome,
      clipboard: pageClipboard(navigator, chrome),
      onError: showError,
    });
    return plans;
  }));
  const addressTail = (code) => {
    const goal = goals.linkPart();
    return code && goal ? `${code}&ziel=${goal}` : code;
  };
  // The plan's code as the core last pushed it.
  let shownCode = '';
  const writeAddress = () => {
    const tail = addressTail(shownCode);
    if (!tail || tail === addressCode) return;
    addressCode = tail;
    address.write(tail);
  };
  // What a record of the core brings beside the window's values.
  const followPlan = {
    tips: (texts) => {
      showTips(texts);
      preview.refresh();
    },
    history: showHistory,
    code: (code) => {
      shownCode = code;
    },
    recorded: () => {
      goals.planChanged();
      plans.planChanged();
      writeAddress();
    },
  };
  let chrome = null;
  const showError = (error) => {
    console.error(error);
    chrome.showMessage(error instanceof Error ? error.message : page.message.dataset.unknownError);
  };
  const view = new PlanView(page, showError, followPlan);

  // A fresh planner holds the initial plan, which the generated page shows
  // already, so the first planner pushes only its history's items and code
  // when it is made. A code is then entered through the rules, as pasting a
  // plan does on the desktop, as the plan before which nothing is undone.
  // The page keeps that planner: a later plan (a new one, a link) is a step
  // of the plan's history, which undo takes back.
  const startPlan = (code) => {
    let result = null;
    if (history) {
      view.call(() => (result = code === null ? history.newPlan() : history.openPlanCode(code)));
    } else {
      const planner = new core.Planner(view, true);
      view.attach(planner);
      if (code !== null) view.call(() => (result = planner.openFirst(code)));
      history = planner.history;
    }
    addressCode = shownCode;
    if (result && result.message) chrome.showMessage(result.message);
    goals.refresh();
  };

  // A plan's link, as people pass it on: the code is found in whatever
  // follows #plan= (a full stop, a bracket, tracking parameters), as in a
  // pasted text. A link without one changes nothing and stays in the address
  // to be mended; its message goes once the address changes again.
  const openLink = () => {
    chrome.hideMessage('link');
    const text = codeInAddress(window.location);
    // Read before the plan is entered, which writes the address.
    const goalText = goalInAddress(window.location);
    const found = text === null ? { code: '', message: '' } : core.findPlanCode(text);
    if (!view.planner || (found.code && found.code !== shownCode)) startPlan(found.code || null);
    if (found.code) {
      // A goal beside the plan opens the goals window with it; one that cannot be read is left out.
      const read = goalText === null ? null : core.readGoalLink(goalText);
      if (read && read.goal) loadGoals().then((goalsWindow) => goalsWindow.openWith(read.goal), showError);
      // The address keeps the plan's own code, without what followed it.
      addressCode = addressTail(shownCode);
      address.write(addressCode);
      if (read && !read.goal) chrome.showMessage(`${BAD_GOAL} ${quoteLink(goalText)}\n${read.message}`, 'link');
    } else if (text !== null) {
      chrome.showMessage(`${BAD_LINK} ${quoteLink(text)}\n${found.message}`, 'link');
    }
  };

  chrome = setUpChrome(document, {
    ...planCommands(core, view, () => chrome, navigator, () => {
      // The shown plan's link, also while the address still holds a link to be mended.
      const url = new URL(window.location.href);
      const code = shownCode ? addressTail(shownCode) : addressCode;
      url.hash = code ? `#plan=${code}` : '';
      return url.href.endsWith('#') ? url.href.slice(0, -1) : url.href;
    }, () => history),
    newPlan: () => {
      startPlan(null);
      address.write('');
    },
    focusFirst: () => page.fields[0].input.focus(),
    optimise: () => loadGoals().then((goalsWindow) => goalsWindow.open(), showError),
    showPlans: () => loadPlans().then((plansWindow) => plansWindow.open(), showError),
  });
  openLink();
  performance.mark('rollwerk:planned');
  // The window, drawn with its first state before the core was ready, takes input now.
  const content = document.getElementById('FMainContent');
  content.inert = false;
  void content.offsetHeight; // laid out with the plan
  performance.mark('rollwerk:drawn');
  // A plan typed into the address bar opens like a link; Back to an earlier address too.
  window.addEventListener('hashchange', openLink);
  // A change written a moment later is not lost when the page is left, reloaded or hidden
  // (a phone may end a hidden page without pagehide).
  window.addEventListener('pagehide', () => address.flush());
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') address.flush();
  });

  // Drawn with its own faces, those the page preloads; loaded, they are not
  // waited for (document.fonts.ready would wait for the next frame).
  const faces = [...document.querySelectorAll('link[rel=preload][data-font]')].map((link) => link.dataset.font);
  if (!faces.every((face) => document.fonts.check(face))) {
    await Promise.all(faces.map((face) => document.fonts.load(face)));
  }
  // The first field in the keyboard order takes the focus, unless a message asks for it first.
  if (page.message.hidden && !document.getElementById('FZiel').open) page.fields[0].input.focus();
  performance.mark('rollwerk:ready');
  announceReady();
  warmUp(document, core, page.classBox.options.length);
}

start().catch((error) => {
  console.error(error);
  failReady(error);
});
