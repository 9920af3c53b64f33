// After the page is ready: the code a user's first change runs, the page's
// as well as the core's, is compiled on its first calls. A copy of the
// window that is never shown, with a view and a planner of its own, runs
// class changes through that code beforehand, one per task, so that a
// click meanwhile waits for one of them at most (docs/decisions.md).

import { PlanView } from './fields.js';
import { findPage } from './page.js';

const CLASS_ROUNDS = 2;
const QUIET = { tips() {}, history() {}, code() {}, recorded() {} };

export function warmUp(document, core, classCount) {
  let view = null;
  const steps = [
    () => {
      const copy = document.createDocumentFragment();
      copy.append(document.getElementById('FMainContent').cloneNode(true));
      view = new PlanView(findPage(copy), (error) => console.error(error), QUIET);
    },
    () => view.attach(new core.Planner(view, true)),
    ...Array.from({ length: CLASS_ROUNDS * classCount },
      (_, n) => () => view.call(() => view.classBox.pick((n + 1) % classCount))),
    () => view.planner.delete(),
  ];
  const next = () => {
    steps.shift()();
    if (steps.length > 0) setTimeout(next, 0);
  };
  setTimeout(next, 0);
}
