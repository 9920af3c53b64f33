// The core the page loads in two parts, the tool windows' part with its own
// copies of what it calls, answers exactly as the whole module it was cut
// from: the same actions on a planner of each, in node, give the same
// answers of the goals window and the plans window, and the same plans.
const fs = require('node:fs');
const path = require('node:path');
const { test, expect } = require('@playwright/test');

const SITE = process.env.ROLLWERK_SITE || path.resolve(__dirname, '../../build-web/site');
const WHOLE = path.resolve(SITE, '../web/rollwerk_core.wasm');
const ROWS = 45;

// A view that takes every push and shows nothing.
const view = new Proxy({}, { get: () => () => {} });

// A small seeded generator, so that a failing case can be run again.
function numbers(seed) {
  let state = seed;
  return (below) => {
    state = (state * 1103515245 + 12345) % 2147483648;
    return state % below;
  };
}

test('the core split in two answers as the whole module', async () => {
  const { instantiateCore } = await import(path.resolve(__dirname, '../../web/binding.js'));
  const whole = await instantiateCore(fs.readFileSync(WHOLE));
  const split = await instantiateCore(fs.readFileSync(path.join(SITE, 'rollwerk_core.wasm')),
    () => WebAssembly.compile(fs.readFileSync(path.join(SITE, 'rollwerk_tool_windows.wasm'))));
  await split.loadToolWindows();
  const cores = [whole, split].map((core) => {
    const planner = new core.Planner(view);
    return { core, planner, shelf: new core.PlanShelf(planner) };
  });
  const random = numbers(24);
  // Every action on both planners; what each returns, side by side.
  const both = (act) => cores.map(({ core, planner, shelf }) => JSON.stringify(act(core, planner, shelf)));
  for (let round = 0; round < 30; ++round) {
    const className = random(6);
    const level = 1 + random(250);
    const skills = Array.from({ length: 6 }, () => [1 + random(28), String(random(120))]);
    both((core, planner) => {
      planner.classPick(className);
      planner.editText(0, String(level));
      planner.focusLost(0);
      for (const [skill, value] of skills) {
        planner.editText(skill, value);
        planner.focusLost(skill);
      }
    });
    const goal = [level + random(251 - level), random(2) === 1,
      Array.from({ length: ROWS }, () => (random(3) ? random(11) : 0)),
      Array.from({ length: ROWS }, () => (random(6) ? 0 : random(60)))];
    const pathLevel = random(2) * level;
    const [wholeAnswer, splitAnswer] = both((core, planner) => core.goalAnswer(planner, ...goal, 300, 16, pathLevel));
    expect(splitAnswer, `round ${round}`).toBe(wholeAnswer);
    const code = JSON.parse(wholeAnswer).code;
    const [wholePlans, splitPlans] = both((core, planner, shelf) => {
      shelf.save(`Plan ${round % 4}`, true);
      if (code) planner.history.takeProposal(code);
      return [planner.planCode(), core.goalLink(...goal), shelf.state(), shelf.compare()];
    });
    expect(splitPlans, `round ${round}`).toBe(wholePlans);
  }
});
