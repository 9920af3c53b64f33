// After the page is ready: the code a user's first change runs, the page's
// as well as the core's, is compiled on its first calls. A copy of the
// window that is never shown, with a view and a planner of its own, runs
// class changes through that code beforehand, one per task, so that a
// click meanwhile waits for one of them at most (docs/decisions.md).

import { PlanView } from './fields.js';
import { findPage } from './page.js';

const CLASS_ROUNDS = 2;

export function warmUp(document, core) {
  let view = null;
  let steps = [];
  const next = () => {
    if (!view) {
      const copy = document.createDocumentFragment();
      copy.append(document.getElementById('FMainContent').cloneNode(true));
      const quiet = { tips() {}, history() {}, code() {}, recorded() {} };
      view = new PlanView(findPage(copy), (error) => console.error(error), quiet);
      const classCount = view.classBox.options.length;
      steps = [
        () => view.attach(new core.Planner(view, true)),
        ...Array.from({ length: CLASS_ROUNDS * classCount }, (_, n) => () => view.classBox.pick((n + 1) % classCount)),
      ];
    } else if (steps.length > 0) {
      view.call(steps.shift());
    } else {
      view.planner.delete();
      return;
    }
    setTimeout(next, 0);
  };
  setTimeout(next, 0);
}
