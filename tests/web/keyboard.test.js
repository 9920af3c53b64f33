// The page with the keyboard alone: the first focus, the keyboard order of
// the desktop window, every worked example played without the mouse, and the
// info dialog.
const { test, expect } = require('@playwright/test');
const { readScenarios } = require('./scenarios');
const {
  CLASSES, SKILL_TAB_ORDER, fieldId, openPlanner, typeOver, readPlan, expectPlan, activeId,
} = require('./planner-page');

const TAB_ORDER = ['SpEStufeH', 'CBCharwahl', ...SKILL_TAB_ORDER.map(fieldId), 'LBBoni'];

// Moves the focus with Tab or Shift+Tab until it is on the element.
async function tabTo(page, id) {
  for (let presses = 0; presses < TAB_ORDER.length; ++presses) {
    const here = await activeId(page);
    if (here === id) return;
    const forward = TAB_ORDER.indexOf(id) > TAB_ORDER.indexOf(here);
    await page.keyboard.press(forward ? 'Tab' : 'Shift+Tab');
  }
  throw new Error(`the Tab key does not reach ${id}`);
}

async function typeWithKeys(page, id, text) {
  await tabTo(page, id);
  await page.keyboard.press('Control+A');
  await page.keyboard.type(text);
}

// One "do" line of the scenario table, without the mouse.
async function actWithKeys(page, action) {
  const [verb, ...args] = action.split(' ');
  switch (verb) {
    case 'level': return typeWithKeys(page, 'SpEStufeH', args[0]);
    case 'skill': return typeWithKeys(page, fieldId(args[0]), args[1]);
    case 'up':
    case 'down':
      await tabTo(page, fieldId(args[0]));
      return page.keyboard.press(verb === 'up' ? 'ArrowUp' : 'ArrowDown');
    case 'leave':
      await tabTo(page, fieldId(args[0]));
      return page.keyboard.press('Tab');
    case 'pick': {
      // The Up and Down keys walk the list from the class shown.
      await tabTo(page, 'CBCharwahl');
      const from = CLASSES.indexOf(await page.inputValue('#CBCharwahl'));
      const to = CLASSES.indexOf(args[0]);
      const key = to > from ? 'ArrowDown' : 'ArrowUp';
      for (let i = from; i !== to; i += Math.sign(to - from)) await page.keyboard.press(key);
      return undefined;
    }
    case 'class': return typeWithKeys(page, 'CBCharwahl', args[0]);
    default: throw new Error(`no action: ${action}`);
  }
}

test('the level field has the focus when the page is ready', async ({ page }) => {
  await openPlanner(page);
  expect(await activeId(page)).toBe('SpEStufeH');
});

test('a click on the bonus list gives it the focus, after the last skill field', async ({ page }) => {
  await openPlanner(page);
  await page.click('#LBBoni');
  expect(await activeId(page)).toBe('LBBoni');
  await page.keyboard.press('Shift+Tab');
  expect(await activeId(page)).toBe('SpEFert18');
});

// The Tab key follows the desktop window's order and skips locked skills;
// the enabled skills of a Gladiator at each level.
const TAB_ROWS = [
  { level: '1', skills: [1, 18] },
  { level: '3', skills: [1, 3, 4, 5, 6, 9, 18, 22, 23, 25] },
  { level: '25', skills: [1, 3, 4, 5, 6, 8, 9, 18, 22, 23, 25, 27, 28] },
];

for (const row of TAB_ROWS) {
  test(`Tab order at level ${row.level}`, async ({ page }) => {
    await openPlanner(page);
    if (row.level !== '1') await typeOver(page, 'SpEStufeH', row.level);
    const expected = TAB_ORDER.filter((id) => !id.startsWith('SpEFert') || row.skills.includes(Number(id.slice(7))));
    await page.focus('#SpEStufeH');
    const visited = [await activeId(page)];
    for (let i = 1; i < expected.length; ++i) {
      await page.keyboard.press('Tab');
      visited.push(await activeId(page));
    }
    expect(visited).toEqual(expected);
  });
}

for (const scenario of readScenarios()) {
  test(`worked example ${scenario.name} with the keyboard alone`, async ({ page }) => {
    await openPlanner(page);
    for (const action of scenario.actions) await test.step(action, () => actWithKeys(page, action));
    expectPlan(await readPlan(page), scenario.expected);
  });
}

test('the info dialog opens with its access key and closes with Escape', async ({ page }) => {
  await openPlanner(page);
  const dialog = page.locator('#FInfo');
  await expect(dialog).toBeHidden();
  await page.keyboard.press('Alt+i');
  await expect(dialog).toBeVisible();
  expect(await page.evaluate(() => document.getElementById('FInfo').open)).toBe(true);
  await page.keyboard.press('Escape');
  await expect(dialog).toBeHidden();
  expect(await activeId(page), 'the focus goes back to the field').toBe('SpEStufeH');
});

test('"Neuer Plan" from the menu, by keyboard, brings back the initial plan', async ({ page }) => {
  await openPlanner(page);
  await typeWithKeys(page, 'SpEStufeH', '30');
  await typeWithKeys(page, 'SpEFert1', '7');
  await page.keyboard.press('Alt+p');
  await expect(page.locator('#Programm1-menu')).toBeVisible();
  for (let i = 0; i < 3 && (await activeId(page)) !== 'NeuerPlan1'; ++i) await page.keyboard.press('ArrowDown');
  expect(await activeId(page)).toBe('NeuerPlan1');
  await page.keyboard.press('Enter');
  expectPlan(await readPlan(page), readScenarios().find((scenario) => scenario.name === 'start_up').expected);
});
