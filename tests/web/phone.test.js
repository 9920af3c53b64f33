// The page on a phone and zoomed: below the window's own width a layout
// made for touch (the window's widgets in one column, large targets, the
// skills' previews on a tap, the windows as sheets over the screen); at the
// window's width the window as it is.
const { test, expect } = require('@playwright/test');
const { openPlanner } = require('./planner-page');

// Gladiator at level 50 with points to spend: Stangenwaffen 50, the rest at 0 or 1.
const PLAN = '/#plan=RW1BjAAJiAIAAAAw';
const PHONE = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const TOUCH_TARGET = 44;

// What is drawn of the page that a finger could hit: inputs, buttons and options, each with its box.
function targets(page, selector) {
  return page.evaluate((chosen) => [...document.querySelectorAll(chosen)]
    .filter((element) => element.checkVisibility())
    .map((element) => {
      const box = element.getBoundingClientRect();
      return { id: element.id || element.textContent.trim(), width: box.width, height: box.height };
    }), selector);
}

function expectLargeEnough(found) {
  expect(found.length).toBeGreaterThan(0);
  const small = found.filter((box) => box.width < TOUCH_TARGET - 0.5 || box.height < TOUCH_TARGET - 0.5);
  expect(small, 'targets smaller than a finger').toEqual([]);
}

// The page and every element in it fit the screen's width: nothing scrolls sideways.
async function expectNoSidewaysScrolling(page) {
  const view = await page.evaluate(() => ({
    width: document.documentElement.clientWidth,
    scrolled: document.scrollingElement.scrollWidth,
    beyond: [...document.querySelectorAll('body *')].filter((element) => element.checkVisibility())
      .filter((element) => element.getBoundingClientRect().right > document.documentElement.clientWidth + 0.5)
      .map((element) => element.id || element.tagName),
  }));
  expect(view.scrolled).toBeLessThanOrEqual(view.width);
  expect(view.beyond).toEqual([]);
}

const box = (page, id) => page.locator(`#${id}`).boundingBox();

test.describe('on a 390 x 844 phone', () => {
  test.use(PHONE);

  test('the window reflows into one column of large targets that fits the screen', async ({ page }) => {
    await openPlanner(page, PLAN);
    await expectNoSidewaysScrolling(page);
    expectLargeEnough(await targets(page, '#FMain input, #FMain button'));
    const keypads = await page.evaluate(() =>
      [...document.querySelectorAll('[role=spinbutton]')].map((input) => input.inputMode));
    expect(keypads).toEqual(Array(29).fill('numeric'));
    const viewport = await page.locator('meta[name=viewport]').getAttribute('content');
    expect(viewport, 'the user may zoom in').not.toMatch(/user-scalable\s*=\s*(no|0)|maximum-scale/);

    // Class and level on top, then the counters, the skills row by row, and the bonus list.
    const top = (id) => box(page, id).then((where) => where.y);
    const order = [];
    for (const id of ['CBCharwahl', 'SpEStufeH', 'LFertFrei', 'LFertGes']) order.push(await top(id));
    const rows = await page.evaluate(() => [...document.querySelectorAll('.skill')].map((row) => {
      const caption = row.querySelector('label').getBoundingClientRect();
      const field = row.querySelector('.spin').getBoundingClientRect();
      return { top: Math.min(caption.top, field.top), bottom: Math.max(caption.bottom, field.bottom), caption, field };
    }).sort((a, b) => a.top - b.top));
    expect(rows).toHaveLength(28);
    for (const row of rows) {
      // Caption and field side by side in their row, the field at the right.
      expect(row.caption.bottom).toBeGreaterThan(row.field.top);
      expect(row.caption.top).toBeLessThan(row.field.bottom);
      expect(row.caption.right).toBeLessThanOrEqual(row.field.left);
    }
    rows.slice(1).forEach((row, index) => expect(row.top).toBeGreaterThanOrEqual(rows[index].bottom));
    order.push(rows[0].top, rows[27].bottom, await top('LBBoni'));
    expect([...order].sort((a, b) => a - b)).toEqual(order);

    // The class list and the menus take fingers too.
    await page.tap('#CBCharwahl-button');
    expectLargeEnough(await targets(page, '#CBCharwahl-list [role=option]'));
    await page.locator('#CBCharwahl-list').getByRole('option', { name: 'Kampfmagier', exact: true }).tap();
    await expect(page.locator('#CBCharwahl')).toHaveValue('Kampfmagier');
    await page.tap('#Programm1');
    expectLargeEnough(await targets(page, '#Programm1-menu button'));
    await page.tap('#Programm1');
    await page.tap('#SpEStufeH-up');
    await expect(page.locator('#SpEStufeH')).toHaveValue('2');
    await expectNoSidewaysScrolling(page);
  });

  test('a tap on a skill shows its preview under its row, and the preview follows a step', async ({ page }) => {
    await openPlanner(page, PLAN);
    const preview = page.locator('#LFertVorschau');
    await expect(preview).toHaveCount(0);

    // A locked skill takes no focus, but its tooltip says why it is locked.
    const locked = page.locator('#SpEFert2');
    await expect(locked).toBeDisabled();
    // Tapped where it is drawn: a locked field and its caption count as unavailable to the tap helpers.
    const tapOn = async (id) => {
      const where = await box(page, id);
      await page.touchscreen.tap(where.x + where.width / 2, where.y + where.height / 2);
    };
    await tapOn('SpEFert2');
    await expect(preview).toBeVisible();
    await expect(preview).toHaveText(await locked.getAttribute('title'));
    await expect(locked).toHaveAccessibleDescription(await locked.getAttribute('title'));
    const under = async (skill) => {
      const row = await box(page, `SpEFert${skill}-field`);
      const line = await preview.boundingBox();
      expect(line.y).toBeGreaterThanOrEqual(row.y + row.height);
      expect(line.y - (row.y + row.height)).toBeLessThan(20);
    };
    await under(2);

    // A step on another skill moves the line there and shows the tooltip after the step.
    const field = page.locator('#SpEFert5');
    const before = await field.getAttribute('title');
    await page.tap('#SpEFert5-up');
    await expect(field).toHaveValue('1');
    await expect(field).not.toHaveAttribute('title', before);
    const after = await field.getAttribute('title');
    expect(await preview.textContent()).toBe(after);
    await expect(field).toHaveAccessibleDescription(after);
    await expect(locked).not.toHaveAttribute('aria-describedby');
    await under(5);
    await expectNoSidewaysScrolling(page);
  });

  // Each window: how it is opened, and its close button.
  const SHEETS = [
    { id: 'FZiel', open: ['#Programm1', '#PlanOptimieren1'], close: '#BSchliessen', numbers: true },
    { id: 'FInfo', open: ['#Info1'], close: '#FInfoClose', numbers: false },
  ];
  for (const sheet of SHEETS) {
    test(`the window ${sheet.id} opens as a sheet over the whole screen`, async ({ page }) => {
      await openPlanner(page, PLAN);
      await page.evaluate(() => window.scrollTo(0, 600));
      for (const opener of sheet.open) await page.tap(opener);
      const dialog = page.locator(`#${sheet.id}`);
      await expect(dialog).toBeVisible();
      expect(await dialog.boundingBox()).toEqual({ x: 0, y: 0, width: 390, height: 844 });
      const inside = await dialog.evaluate((element) => [element.scrollWidth, element.clientWidth]);
      expect(inside[0]).toBeLessThanOrEqual(inside[1]);
      expectLargeEnough(await targets(page, `#${sheet.id} input:not([type=checkbox]), #${sheet.id} button`));
      // Its numbers take the number pad.
      const keypads = await dialog.locator('input[type=number]').evaluateAll((inputs) =>
        inputs.map((input) => input.inputMode));
      expect(keypads.length > 0).toBe(sheet.numbers);
      expect(keypads.filter((keypad) => keypad !== 'numeric')).toEqual([]);
      await page.tap(sheet.close);
      await expect(dialog).toBeHidden();
    });
  }
});

test.describe('at the window\'s own width', () => {
  test.use({ viewport: { width: 963, height: 720 } });

  test('the page is the window; one pixel less and it reflows', async ({ page }) => {
    await openPlanner(page);
    // Places within the window's client area, as the desktop window has them.
    const place = (id) => page.evaluate((name) => {
      const frame = document.getElementById('FMainContent').getBoundingClientRect();
      const where = document.getElementById(name).getBoundingClientRect();
      return [where.left - frame.left, where.top - frame.top, where.width, where.height];
    }, id);
    expect(await place('SpEFert20-field')).toEqual([424, 616, 121, 29]);
    expect(await place('LBBoni')).toEqual([552, 104, 398, 540]);
    expect(await place('CBCharwahl')).toEqual([72, 96, 145, 27]);
    expect((await box(page, 'FMain')).width).toBe(963);

    await page.setViewportSize({ width: 962, height: 720 });
    await expectNoSidewaysScrolling(page);
    expect((await box(page, 'SpEFert20-field')).height).toBeGreaterThanOrEqual(TOUCH_TARGET);
  });
});

test.describe('on a touch screen as wide as the window', () => {
  test.use({ viewport: { width: 1024, height: 768 }, isMobile: true, hasTouch: true });

  test('the window takes taps in the free space around its step buttons', async ({ page }) => {
    await openPlanner(page);
    expect((await box(page, 'FMain')).width).toBe(963);
    // Above the level field, where the up button takes taps under a finger.
    const field = await box(page, 'SpEStufeH-field');
    const up = await box(page, 'SpEStufeH-up');
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

  test('the goals window keeps a wide answer column on desktop screens of any size', async ({ page }) => {
    await openPlanner(page, PLAN);
    await page.click('#Programm1');
    await page.click('#PlanOptimieren1');
    await page.locator('#SpEGewicht3').fill('5');
    await expect(page.locator('#LBVorschlag li')).not.toHaveCount(0);
    // Screens of 1000 x 720, 1280 x 800, 1920 x 1080 and 2560 x 1440 at 200 %.
    for (const size of [[500, 360], [640, 400], [960, 540], [1280, 720]]) {
      await page.setViewportSize({ width: size[0], height: size[1] });
      const answer = await page.evaluate(() => ({
        column: document.querySelector('#FZiel .answer').getBoundingClientRect().toJSON(),
        value: document.getElementById('LZielWert').getBoundingClientRect().width,
        view: document.documentElement.clientWidth,
      }));
      expect(answer.column.width, `at ${size}`).toBeGreaterThanOrEqual(300);
      expect(answer.value, `at ${size}`).toBeGreaterThanOrEqual(300);
      expect(answer.column.left).toBeGreaterThanOrEqual(0);
      expect(answer.column.right).toBeLessThanOrEqual(answer.view);
    }
  });
});
