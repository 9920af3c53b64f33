// The desktop's plan tools in the page: "Plan kopieren", "Plan einfügen" and
// "Boni kopieren" from the "Programm" menu and from the window's own context
// menu, the clipboard's fallbacks, and the skill fields' previews.
const { test, expect } = require('@playwright/test');
const { openPlanner, act, readPlan } = require('./planner-page');

const PLAN = ['pick Seraphim', 'level 12', 'skill 2 4', 'leave 2'];

async function fromMenu(page, id) {
  await page.click('#Programm1');
  await page.click(`#${id}1`);
}

test.describe('with the clipboard', () => {
  test.use({ permissions: ['clipboard-read', 'clipboard-write'] });

  test('a copied plan pasted from the context menu comes back, and its bonuses copy', async ({ page }) => {
    await openPlanner(page);
    for (const action of PLAN) await act(page, action);
    const plan = await readPlan(page);
    await fromMenu(page, 'PlanKopieren');
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    expect(copied).toMatch(/^Seraphim, Stufe 12\n/);
    expect(copied).toContain('\nBoni:\n');

    await fromMenu(page, 'NeuerPlan');
    await expect(page.locator('#CBCharwahl')).toHaveValue('Gladiator');
    // The right button on the bonus list, as on the desktop.
    await page.click('#LBBoni', { button: 'right' });
    await expect(page.locator('#PlanMenu')).toBeVisible();
    await page.click('#PlanEinfuegen');
    await expect(page.locator('#PlanMenu')).toBeHidden();
    await expect.poll(() => readPlan(page)).toEqual(plan);
    await expect(page.locator('#Meldung')).toBeHidden();

    // The menu key on the focused bonus list opens the same menu, "Neuer Plan" first.
    await page.focus('#LBBoni');
    await page.keyboard.press('ContextMenu');
    await expect(page.locator('#NeuerPlan')).toBeFocused();
    await page.keyboard.press('ArrowDown');
    await expect(page.locator('#PlanKopieren')).toBeFocused();
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await expect.poll(() => page.evaluate(() => navigator.clipboard.readText())).toBe(`${plan.bonus.join('\n')}\n`);

    // A text without a plan changes nothing and says why, as on the desktop.
    await page.evaluate(() => navigator.clipboard.writeText('Hallo'));
    await fromMenu(page, 'PlanEinfuegen');
    await expect(page.locator('#MeldungText')).toHaveText(/Kein Plan-Code gefunden/);
    expect(await readPlan(page)).toEqual(plan);
    await page.click('#MeldungOk');

    // An empty clipboard is said in the desktop's words, by paste and compare alike.
    await page.evaluate(() => navigator.clipboard.writeText(''));
    for (const id of ['PlanEinfuegen', 'PlanVergleichen']) {
      await fromMenu(page, id);
      await expect(page.locator('#MeldungText')).toHaveText('Kein Plan-Code: Die Zwischenablage ist leer.');
      await page.click('#MeldungOk');
    }
    expect(await readPlan(page)).toEqual(plan);

    // "Mit Plan vergleichen" from the context menu: the plan shown against a new plan's code.
    await page.evaluate(() => navigator.clipboard.writeText('RW1ABAAAAgAAAE'));
    await page.click('#LBBoni', { button: 'right' });
    await page.click('#PlanVergleichen');
    await expect(page.locator('#MeldungText')).toHaveText(
      /^Dieser Plan → Plan aus der Zwischenablage\nKlasse: Seraphim → Gladiator\nStufe: 12 → 1\n/);
    expect(await readPlan(page)).toEqual(plan);
  });
});

test('without access to the clipboard, paste offers a field and copying shows the text', async ({ page }) => {
  await openPlanner(page);
  for (const action of PLAN) await act(page, action);
  const plan = await readPlan(page);
  const code = new URL(page.url()).hash.slice('#plan='.length);

  // Over plain http from another host the page has no clipboard at all.
  await page.evaluate(() => Object.defineProperty(navigator, 'clipboard', { value: undefined }));
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  await fromMenu(page, 'LinkKopieren');
  await expect(page.locator('#MeldungFeld')).toBeFocused();
  await expect(page.locator('#MeldungFeld')).toHaveValue(new RegExp(`#plan=${code}$`));
  await page.keyboard.press('Escape');

  await fromMenu(page, 'PlanKopieren');
  const summary = await page.inputValue('#MeldungFeld');
  expect(summary).toContain(code);
  await page.click('#MeldungOk');

  await fromMenu(page, 'NeuerPlan');
  await fromMenu(page, 'PlanEinfuegen');
  const field = page.locator('#MeldungFeld');
  await expect(field).toBeFocused();
  await expect(field).toHaveJSProperty('readOnly', false);
  await field.fill(`Mein Plan: ${summary}`);
  await page.click('#MeldungOk');
  await expect(page.locator('#Meldung')).toBeHidden();
  expect(await readPlan(page)).toEqual(plan);

  // Cancelled, the field changes nothing.
  await fromMenu(page, 'NeuerPlan');
  await fromMenu(page, 'PlanEinfuegen');
  await field.fill(summary);
  await page.click('#MeldungAbbrechen');
  await expect(page.locator('#CBCharwahl')).toHaveValue('Gladiator');
  expect(errors).toEqual([]);
});

test('each skill field carries its preview as its title and description', async ({ page }) => {
  await openPlanner(page);
  const preview = (id) =>
    page.evaluate((fieldId) => {
      const input = document.getElementById(fieldId);
      return { title: input.title, description: input.getAttribute('aria-description') };
    }, id);
  const before = await preview('SpEFert1');
  expect(before.title).toMatch(/^Ein Punkt mehr/);
  expect(before.description).toBe(before.title);
  await act(page, 'level 12');
  await page.click('#SpEFert1-up');
  const after = await preview('SpEFert1');
  expect(after.title).toContain('Ein Punkt weniger');
  expect(after.description).toBe(after.title);
  expect(await page.getAttribute('#LFert1Head', 'title')).toBe(after.title);
});

test('"Rückgängig" and "Wiederholen" name their step and bring back what a lower level wiped', async ({ page }) => {
  await openPlanner(page);
  const item = (id) => page.locator(`#${id}`);
  await page.click('#Programm1');
  await expect(item('Rueckgaengig1')).toHaveText('Rückgängig');
  await expect(item('Rueckgaengig1')).toHaveAttribute('aria-disabled', 'true');
  await expect(item('Wiederholen1')).toHaveAttribute('aria-disabled', 'true');
  // Unavailable, it does nothing and the menu stays (the click is forced: Playwright waits for an enabled item).
  await item('Rueckgaengig1').click({ force: true });
  await expect(page.locator('#Programm1-menu')).toBeVisible();
  await page.keyboard.press('Escape');

  // Gladiator at level 60 with Waffenkunde 40, Konzentration 20, Parade 20 and Handel 10.
  for (const action of ['level 60', 'leave 0', 'skill 1 40', 'skill 18 20', 'skill 24 20', 'skill 26 10', 'leave 26']) {
    await act(page, action);
  }
  const full = await readPlan(page);
  const address = () => new URL(page.url()).hash;
  await expect.poll(address).toMatch(/^#plan=RW/);
  const fullAddress = await address();
  await act(page, 'level 55');
  const wiped = await readPlan(page);
  expect([1, 18, 24, 26].map((s) => wiped.skills[s - 1].text)).toEqual(['5', '5', '5', '5']);

  await page.click('#Programm1');
  await expect(item('Rueckgaengig1')).toHaveText('Rückgängig: Stufe 60 → 55 (4 Fertigkeiten gesenkt)');
  await expect(item('Rueckgaengig1')).toHaveAttribute('aria-disabled', 'false');
  await item('Rueckgaengig1').click();
  expect(await readPlan(page)).toEqual(full);
  await expect.poll(address).toBe(fullAddress);

  // The window's context menu offers the same, redo included.
  await page.click('#LBBoni', { button: 'right' });
  await expect(item('Wiederholen')).toHaveText('Wiederholen: Stufe 60 → 55 (4 Fertigkeiten gesenkt)');
  await item('Wiederholen').click();
  expect(await readPlan(page)).toEqual(wiped);

  // "Neuer Plan" is a step too.
  await fromMenu(page, 'NeuerPlan');
  await expect(page.locator('#SpEStufeH')).toHaveValue('1');
  await page.click('#Programm1');
  await expect(item('Rueckgaengig1')).toHaveText('Rückgängig: Neuer Plan');
  await item('Rueckgaengig1').click();
  expect(await readPlan(page)).toEqual(wiped);
  await expect.poll(address).not.toBe(fullAddress);
  await expect.poll(address).toMatch(/^#plan=RW/);

  // Handel's down button held until it repeats: one step with all its repeats.
  const handel = page.locator('#SpEFert26');
  await page.locator('#SpEFert26-down').hover();
  await page.mouse.down();
  await expect.poll(async () => Number(await handel.inputValue())).toBeLessThanOrEqual(3);
  await page.mouse.up();
  const held = await handel.inputValue();
  await page.click('#Programm1');
  await expect(item('Rueckgaengig1')).toHaveText(`Rückgängig: Handel 5 → ${held}`);
  await item('Rueckgaengig1').click();
  await expect(handel).toHaveValue('5');
});

// The page is generated showing the window's first state, drawn before its
// script runs; a new planner pushes the same state into the page.
test('the page drawn before its script runs shows what "Neuer Plan" shows', async ({ page, browser }) => {
  const shown = (target) => target.evaluate(() => [...document.querySelectorAll('#FMainContent input, #FMainContent label')]
    .map((element) => [element.id, element.value, element.disabled, element.title,
      ...['aria-valuenow', 'aria-valuetext', 'aria-description'].map((name) => element.getAttribute(name))]));
  const withoutScript = await browser.newPage();
  await withoutScript.route('**/main.js', (route) => route.abort());
  await withoutScript.goto('/');
  expect(await withoutScript.evaluate(() => document.getElementById('FMainContent').inert)).toBe(true);
  const drawn = await readPlan(withoutScript);
  const drawnDetails = await shown(withoutScript);
  await withoutScript.close();

  await openPlanner(page);
  expect(await page.evaluate(() => document.getElementById('FMainContent').inert)).toBe(false);
  for (const action of PLAN) await act(page, action);
  await fromMenu(page, 'NeuerPlan');
  expect(await readPlan(page)).toEqual(drawn);
  expect(await shown(page)).toEqual(drawnDetails);
});
