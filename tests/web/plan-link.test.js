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

// The page writes its address at most every 100 ms: the address once the last change is in it.
async function settledAddress(page) {
  let address = '';
  await expect
    .poll(async () => {
      address = page.url();
      await page.waitForTimeout(300);
      return address === page.url() && address.includes('#plan=');
    })
    .toBe(true);
  return address;
}

test('a changed plan opens again from its own address', async ({ page, context }) => {
  test.skip(!(await pageLinksPlans(page)), NO_LINKS);
  await openPlanner(page);
  const entries = await page.evaluate(() => window.history.length);
  for (const action of ['pick Seraphim', 'level 12', 'skill 2 4', 'skill 1 3', 'leave 1']) await act(page, action);
  const address = await settledAddress(page);
  const plan = await readPlan(page);
  expect(plan.className).toBe('Seraphim');
  expect(await page.evaluate(() => window.history.length), 'no history entry per change').toBe(entries);

  const again = await context.newPage();
  await openPlanner(again, address);
  expect(await readPlan(again)).toEqual(plan);
  expect(again.url()).toBe(address);
});

// Codes that do not decode: the page shows the core's German message and the initial plan.
const BAD_LINKS = [
  { name: 'no code in the link', code: () => 'kaputt', message: /Kein Plan-Code gefunden/ },
  {
    name: 'one character of a good code changed',
    code: (good) => {
      const at = Math.floor(good.length / 2);
      return good.slice(0, at) + (good[at] === 'A' ? 'B' : 'A') + good.slice(at + 1);
    },
    message: /Plan-Code/,
  },
];

for (const row of BAD_LINKS) {
  test(`a bad link, ${row.name}, shows a German message and the initial plan`, async ({ page, context }) => {
    test.skip(!(await pageLinksPlans(page)), NO_LINKS);
    await act(page, 'level 12');
    const good = new URL(await settledAddress(page)).hash.slice('#plan='.length);
    const bad = await context.newPage();
    await openPlanner(bad, `/#plan=${row.code(good)}`);
    const message = bad.getByRole('alert');
    await expect(message).toBeVisible();
    await expect(message).toHaveText(row.message);
    expectPlan(await readPlan(bad), INITIAL);
  });
}

// A bonus line wider than the list: the list scrolls sideways and the row's title is the whole line,
// so no number is cut off (the +100 % of this plan's longest line once showed as +1).
test('a bonus line wider than the list scrolls and is whole in its title', async ({ page }) => {
  await openPlanner(page, '/#plan=RW1BjAAJiAIAAAAw');
  const list = page.locator('#LBBoni');
  const row = list.locator('li', { hasText: 'Angriffsgeschwindigkeit beim Kampf mit Stangenwaffen' });
  await expect(row).toHaveText('Angriffsgeschwindigkeit beim Kampf mit Stangenwaffen: +100 %');
  for (const li of await list.locator('li').all()) expect(await li.getAttribute('title')).toBe(await li.textContent());
  // The user scrolls the list sideways (headless Chromium draws no scroll bars to drag) to the row's end,
  // which then lies inside the list's visible area.
  await list.hover();
  await page.mouse.wheel(1000, 0);
  await expect.poll(() => list.evaluate((ul) => ul.scrollLeft)).toBeGreaterThan(0);
  const end = await row.evaluate((li) => {
    const range = document.createRange();
    range.selectNodeContents(li);
    return range.getBoundingClientRect().right;
  });
  const visible = await list.evaluate((ul) => ul.getBoundingClientRect().left + ul.clientLeft + ul.clientWidth);
  expect(end).toBeLessThanOrEqual(visible + 0.5);
});
