// The class box through real keys and clicks: completion while typing, and
// the list opened with its button.
const { test, expect } = require('@playwright/test');
const { CLASSES, openPlanner, typeOver, readPlan } = require('./planner-page');

// Typed over the whole text at level 5; the box's text and its selected
// rest afterwards. A text that names no class restarts the plan as a
// Gladiator's.
const COMPLETIONS = [
  { typed: 'V', text: 'Vampirin', selected: 'ampirin' },
  { typed: 'Wa', text: 'Waldelfin', selected: 'ldelfin' },
  { typed: 'Du', text: 'Dunkelelf', selected: 'nkelelf' },
  { typed: 'K', text: 'Kampfmagier', selected: 'ampfmagier' },
  { typed: 'Seraphim', text: 'Seraphim', selected: '' },
  { typed: 'v', text: 'Gladiator' },
  { typed: 'x', text: 'Gladiator' },
  { typed: 'Dz', text: 'Gladiator' },
];

for (const row of COMPLETIONS) {
  test(`typing ${row.typed} into the class box shows ${row.text}`, async ({ page }) => {
    await openPlanner(page);
    await typeOver(page, 'SpEStufeH', '5');
    await typeOver(page, 'CBCharwahl', row.typed);
    const box = await page.evaluate(() => {
      const input = document.getElementById('CBCharwahl');
      return { text: input.value, selected: input.value.slice(input.selectionStart, input.selectionEnd) };
    });
    expect(box.text).toBe(row.text);
    if (row.selected !== undefined) expect(box.selected).toBe(row.selected);
    const plan = await readPlan(page);
    expect(plan.level.text, 'a class change restarts the plan at level 1').toBe('1');
    expect(plan.skills.filter((skill) => skill.text === '1').length, 'two starting skills').toBe(2);
  });
}

test('the class list shows the six classes in order and picks one by a click', async ({ page }) => {
  await openPlanner(page);
  const list = page.locator('#CBCharwahl-list');
  await expect(list).toBeHidden();
  await page.click('#CBCharwahl-button');
  await expect(list).toBeVisible();
  await expect(list.getByRole('option')).toHaveText(CLASSES);
  await list.getByRole('option', { name: 'Kampfmagier', exact: true }).click();
  await expect(list).toBeHidden();
  await expect(page.locator('#CBCharwahl')).toHaveValue('Kampfmagier');
  const plan = await readPlan(page);
  expect([2, 21].map((s) => plan.skills[s - 1].text)).toEqual(['1', '1']);
});
