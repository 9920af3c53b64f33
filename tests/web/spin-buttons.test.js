// The step buttons under a held mouse button, on the page's own timers run
// by Playwright's clock: a release over the button steps once; held, the
// button steps after 400 ms and then every 100 ms.
const { test, expect } = require('@playwright/test');
const { openPlanner } = require('./planner-page');

// The level field's up button, from level 1: how long it is held, when the
// mouse leaves it (if it does), and the level afterwards.
const HOLDS = [
  { held: 0, level: '2' },
  { held: 399, level: '2' },
  { held: 400, level: '3' },
  { held: 650, level: '5' },
  { held: 650, leaveAt: 450, level: '2' },
];

for (const row of HOLDS) {
  const leaving = row.leaveAt === undefined ? '' : `, left at ${row.leaveAt} ms`;
  test(`the up button held ${row.held} ms${leaving} gives level ${row.level}`, async ({ page }) => {
    await page.clock.install();
    await openPlanner(page);
    // From here the page's time moves only when the test says so.
    await page.clock.pauseAt(Date.now() + 1000);
    await page.hover('#SpEStufeH-up');
    await page.mouse.down();
    if (row.leaveAt !== undefined) {
      await page.clock.runFor(row.leaveAt);
      await page.hover('#LHead');
      await page.clock.runFor(row.held - row.leaveAt);
    } else {
      await page.clock.runFor(row.held);
    }
    await page.mouse.up();
    await expect(page.locator('#SpEStufeH')).toHaveValue(row.level);
  });
}
