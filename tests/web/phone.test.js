// The page on a phone and zoomed: the whole window across the phone's
// width, touch that works as the mouse does, and the info window in view.
const { test, expect } = require('@playwright/test');
const { openPlanner } = require('./planner-page');

test.describe('on a 390 x 844 phone', () => {
  test.use({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true });

  test('the whole window shows across the width, and taps open the class list and step', async ({ page }) => {
    await openPlanner(page);
    const view = await page.evaluate(() => ({
      window: document.getElementById('FMain').getBoundingClientRect().toJSON(),
      width: visualViewport.width,
      height: visualViewport.height,
      scale: visualViewport.scale,
      viewport: document.querySelector('meta[name=viewport]').content,
      keypads: [...document.querySelectorAll('[role=spinbutton]')].map((input) => input.inputMode),
    }));
    expect(view.window.left).toBeGreaterThanOrEqual(0);
    expect(view.window.top).toBeGreaterThanOrEqual(0);
    expect(view.window.right).toBeLessThanOrEqual(view.width + 1);
    expect(view.window.bottom).toBeLessThanOrEqual(view.height);
    expect(view.window.width * view.scale, 'the window fills the width').toBeGreaterThan(390 * 0.95);
    expect(view.viewport, 'the user may zoom in').not.toMatch(/user-scalable\s*=\s*(no|0)|maximum-scale/);
    expect(view.keypads).toEqual(Array(29).fill('numeric'));

    await page.tap('#CBCharwahl-button');
    const list = page.locator('#CBCharwahl-list');
    await expect(list).toBeVisible();
    await list.getByRole('option', { name: 'Kampfmagier', exact: true }).tap();
    await expect(list).toBeHidden();
    await expect(page.locator('#CBCharwahl')).toHaveValue('Kampfmagier');

    // Above the level field, in the free space the up button takes taps in under a finger.
    const field = await page.locator('#SpEStufeH-field').boundingBox();
    const up = await page.locator('#SpEStufeH-up').boundingBox();
    await page.touchscreen.tap(up.x + up.width / 2, field.y - 6);
    await expect(page.locator('#SpEStufeH')).toHaveValue('2');
  });
});

test.describe('zoomed to 200 %', () => {
  test.use({ viewport: { width: 500, height: 360 }, deviceScaleFactor: 2 });

  test('the info window opens inside the visible page, which does not scroll', async ({ page }) => {
    await openPlanner(page);
    const scrolled = () => page.evaluate(() => [window.scrollX, window.scrollY]);
    const before = await scrolled();
    await page.click('#Info1');
    await expect(page.locator('#FInfo')).toBeVisible();
    const view = await page.evaluate(() => ({
      info: document.getElementById('FInfo').getBoundingClientRect().toJSON(),
      width: document.documentElement.clientWidth,
      height: document.documentElement.clientHeight,
    }));
    expect(view.info.left).toBeGreaterThanOrEqual(0);
    expect(view.info.top).toBeGreaterThanOrEqual(0);
    expect(view.info.right).toBeLessThanOrEqual(view.width);
    expect(view.info.bottom).toBeLessThanOrEqual(view.height);
    expect(await scrolled()).toEqual(before);
  });
});
