// The plan in the page's address: a changed plan opens again from its own
// address, and a broken link shows a message and the initial plan.
const { test, expect } = require('@playwright/test');
const { readScenarios } = require('./scenarios');
const { openPlanner, act, readPlan, expectPlan } = require('./planner-page');

const INITIAL = readScenarios().find((scenario) => scenario.name === 'start_up').expected;
const NO_LINKS = 'the page does not write the plan into its address yet';

// Whether a change of the plan shows up as #plan= in the address.
async function pageLinksPlans(page) {
  await openPlanner(page);
  await act(page, 'level 2');
  const links = await expect(page)
    .toHaveURL(/#plan=/, { timeout: 2000 })
    .then(() => true, () => false);
  if (!links) console.log(`skipped: ${NO_LINKS}`);
  return links;
}

test('a changed plan opens again from its own address', async ({ page, context }) => {
  test.skip(!(await pageLinksPlans(page)), NO_LINKS);
  await openPlanner(page);
  const entries = await page.evaluate(() => window.history.length);
  for (const action of ['pick Seraphim', 'level 12', 'skill 2 4', 'skill 1 3', 'leave 1']) await act(page, action);
  await expect(page).toHaveURL(/#plan=/);
  const plan = await readPlan(page);
  expect(plan.className).toBe('Seraphim');
  expect(await page.evaluate(() => window.history.length), 'no history entry per change').toBe(entries);

  const again = await context.newPage();
  await openPlanner(again, page.url());
  expect(await readPlan(again)).toEqual(plan);
  expect(again.url()).toBe(page.url());
});

test('a link whose code does not decode shows a German message and the initial plan', async ({ page }) => {
  test.skip(!(await pageLinksPlans(page)), NO_LINKS);
  await openPlanner(page, '/#plan=kaputt');
  const message = page.getByRole('alert');
  await expect(message).toBeVisible();
  expect((await message.textContent()).trim()).not.toBe('');
  expectPlan(await readPlan(page), INITIAL);
});
