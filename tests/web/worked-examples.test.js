// The worked examples of the core tests, played with mouse and keyboard in
// the page: each ends with the fields the core test expects.
const { test } = require('@playwright/test');
const { readScenarios } = require('./scenarios');
const { openPlanner, act, readPlan, expectPlan } = require('./planner-page');

for (const scenario of readScenarios()) {
  test(`worked example ${scenario.name}`, async ({ page }) => {
    await openPlanner(page);
    for (const action of scenario.actions) await test.step(action, () => act(page, action));
    expectPlan(await readPlan(page), scenario.expected);
  });
}
