// The goals window "Plan optimieren" in the page: opened from the menu, a
// goal typed and left with Tab, the answer entered into the main window, the
// goal carried in the link and read back from it.
const { test, expect } = require('@playwright/test');
const { activeId, openPlanner, readPlan, typeOver } = require('./planner-page');

// Gladiator at level 1: Angriffswert beim Schwertkampf (row 3) comes from Schwertkunde alone.
const LEVEL_TEN_SWORD = /^Zielwert (\d+) \(jetzt 0\), der höchste auf Stufe 10 erreichbare\. Stufe 1 → 10\. Danach frei: (?:1 Punkt|\d+ Punkte), (?:1 Platz|\d+ Plätze)\.$/;

async function typeAndLeave(page, id, text) {
  await typeOver(page, id, text);
  await page.keyboard.press('Tab');
}

// The skill field whose caption reads the name.
async function skillField(page, name) {
  const id = await page.evaluate(
    (caption) => [...document.querySelectorAll('[id^=LFert][id$=Head]')].find((e) => e.textContent === caption).id,
    name,
  );
  return `#SpEFert${id.slice('LFert'.length, -'Head'.length)}`;
}

const lines = (page, id) => page.locator(`#${id} li`).allTextContents();

test('a weight typed and left with Tab answers at once, and Übernehmen enters the answer', async ({ page }) => {
  await openPlanner(page);
  await page.click('#Programm1');
  await page.click('#PlanOptimieren1');
  const dialog = page.locator('#FZiel');
  await expect(dialog).toBeVisible();
  await expect(page.locator('#SpEZielStufe')).toBeFocused();
  await expect(page.locator('#SpEZielStufe')).toHaveValue('1');
  await expect(page.locator('#CBBehalten')).toBeChecked();
  await expect(page.locator('#SpEGewicht3')).toHaveValue('0');
  await expect(page.locator('#SpEMindest3')).toHaveValue('0');
  // Nothing weighted: the plan as it is is the best, nothing changes.
  await expect(page.locator('#LZielWert')).toHaveText(/^Zielwert 0 \(jetzt 0\)/);
  await expect(page.locator('#LBVorschlag li')).toHaveCount(0);
  // The texts the page takes from the core, as the desktop window shows them.
  await expect(page.locator('#PBKurven')).toHaveAttribute('aria-description', 'Keine Zeile gewichtet');
  await expect(page.locator('#PBKurven text')).toHaveText('Gewichtete Zeilen zeigen hier ihre Kurve.');
  await expect(page.locator('#SpEGewicht3')).toHaveAttribute('aria-label', 'Gewicht: Angriffswert beim Schwertkampf');
  await expect(page.locator('#SpEMindest3')).toHaveAttribute('aria-label',
    'Mindestwert: Angriffswert beim Schwertkampf');
  // Magic damage is not Gladiator's at any level.
  await expect(page.locator('#SpEGewicht16')).toBeDisabled();

  await typeAndLeave(page, 'SpEZielStufe', '10');
  await typeAndLeave(page, 'SpEGewicht3', '5');
  await expect(page.locator('#SpEMindest3')).toBeFocused();
  await expect(page.locator('#LZielWert')).toHaveText(LEVEL_TEN_SWORD);
  expect(await lines(page, 'LBVorschlag')).toEqual(['Schwertkunde: 0 → 10']);
  expect(await lines(page, 'LBVergleich')).toEqual([
    expect.stringMatching(/^Angriffswert beim Schwertkampf: 0 → \+\d+ % \(\+\d+\)$/),
    expect.stringMatching(/^Angriffsgeschwindigkeit beim Schwertkampf: 0 → \+\d+ % \(\+\d+\)$/),
  ]);
  await expect(page.locator('#PBKurven .curve')).toHaveCount(1);
  await expect(page.locator('#PBKurven .curve text')).toHaveText(
    'Angriffswert beim Schwertkampf in % über Schwertkunde: jetzt 0, Vorschlag 10');
  await expect.poll(() => new URL(page.url()).hash).toMatch(/^#plan=RW\w+&ziel=10,3:5$/);
  // The charts fill their box, also once the window grows.
  const chartFits = () => page.evaluate(() => {
    const svg = document.getElementById('PBKurven');
    return Number(svg.getAttribute('width')) === Math.max(240, svg.parentElement.clientWidth);
  });
  expect(await chartFits()).toBe(true);
  const before = await page.locator('#PBKurven').getAttribute('width');
  await page.setViewportSize({ width: 1400, height: 720 });
  await expect.poll(chartFits).toBe(true);
  expect(await page.locator('#PBKurven').getAttribute('width')).not.toBe(before);

  // A value out of range is brought back into it when the field is left.
  await typeAndLeave(page, 'SpEGewicht4', '12');
  await expect(page.locator('#SpEGewicht4')).toHaveValue('10');

  await typeAndLeave(page, 'SpEGewicht4', '0');
  // A minimum no plan reaches: the reason, and nothing to enter.
  await typeAndLeave(page, 'SpEMindest23', '999');
  await expect(page.locator('#LZielWert')).toHaveText(/^Lebensenergie \+999 % ist auf Stufe 10 nicht erreichbar \(höchstens \+\d+ %\)\.$/);
  await expect(page.locator('#BUebernehmen')).toBeDisabled();
  await expect(page.locator('#LBVorschlag li')).toHaveCount(0);
  await typeAndLeave(page, 'SpEMindest23', '0');
  const [, objective] = (await page.textContent('#LZielWert')).match(LEVEL_TEN_SWORD);
  await page.click('#BUebernehmen');
  const sword = await skillField(page, 'Schwertkunde');
  await expect(page.locator('#SpEStufeH')).toHaveValue('10');
  await expect(page.locator(sword)).toHaveValue('10');
  // Entering the answer is one step of the plan's history.
  await expect(page.locator('#Rueckgaengig1')).toHaveText('Rückgängig: Vorschlag übernehmen');
  // The answer follows the plan: it is now the plan itself.
  await expect(page.locator('#LZielWert')).toHaveText(new RegExp(`^Zielwert ${objective} \\(jetzt ${objective}\\)`));
  await expect(page.locator('#LBVorschlag li')).toHaveCount(0);

  // A change in the main window while the goals window is open: the answer follows it.
  await typeOver(page, sword.slice(1), '4');
  await page.click('#LBBoni');
  await expect(page.locator('#LBVorschlag li')).toHaveText(['Schwertkunde: 4 → 10']);
  await page.focus('#SpEZielStufe');
  await page.keyboard.press('Escape');
  await expect(dialog).toBeHidden();
  await expect.poll(() => new URL(page.url()).hash).toMatch(/^#plan=RW\w+$/);
});

test('by keyboard alone: the menu opens the window, Escape closes it', async ({ page }) => {
  await openPlanner(page);
  await page.keyboard.press('Alt+P');
  await expect(page.locator('#LinkKopieren1')).toBeFocused();
  // Up past the history's two items at the menu's end and "Mit Plan vergleichen".
  for (let i = 0; i < 4; ++i) await page.keyboard.press('ArrowUp');
  await expect(page.locator('#PlanOptimieren1')).toBeFocused();
  await page.keyboard.press('Enter');
  await expect(page.locator('#SpEZielStufe')).toBeFocused();
  await page.keyboard.press('Tab');
  await expect(page.locator('#CBBehalten')).toBeFocused();
  await page.keyboard.press('Space');
  await expect(page.locator('#CBBehalten')).not.toBeChecked();
  // The first row Gladiator has at level 1.
  await page.keyboard.press('Tab');
  const weight = await activeId(page);
  expect(weight).toMatch(/^SpEGewicht\d+$/);
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('Tab');
  await expect(page.locator(`#${weight}`)).toHaveValue('1');
  await expect.poll(() => new URL(page.url()).hash).toMatch(new RegExp(`&ziel=1,frei,${weight.slice(10)}:1$`));
  await page.keyboard.press('Escape');
  await expect(page.locator('#FZiel')).toBeHidden();
  await expect(page.locator('#SpEStufeH')).toBeFocused();
});

test('a link with a goal opens with it; a goal that cannot be read is left out and says why', async ({ page }) => {
  await openPlanner(page);
  await typeOver(page, 'SpEStufeH', '12');
  await page.click('#LBBoni');
  const plan = await readPlan(page);
  const code = new URL(page.url()).hash.slice('#plan='.length);

  await page.goto('about:blank');
  await openPlanner(page, `/#plan=${code}&ziel=10,frei,3:5,23:0:40`);
  await expect(page.locator('#FZiel')).toBeVisible();
  await expect(page.locator('#SpEZielStufe')).toHaveValue('10');
  await expect(page.locator('#CBBehalten')).not.toBeChecked();
  await expect(page.locator('#SpEGewicht3')).toHaveValue('5');
  await expect(page.locator('#SpEMindest23')).toHaveValue('40');
  await expect(page.locator('#LZielWert')).toHaveText(/^Zielwert \d+ \(jetzt 0\), der höchste auf Stufe 10 erreichbare\. Stufe 12 → 10\./);
  expect(await readPlan(page)).toEqual(plan);

  await page.goto('about:blank');
  await openPlanner(page, `/#plan=${code}&ziel=10,3:11`);
  await expect(page.locator('#MeldungText')).toHaveText(
    'Das Ziel in diesem Link lässt sich nicht lesen; der Plan öffnet ohne Ziel: „10,3:11“\nDas Gewicht 11 von Zeile 3 (Angriffswert beim Schwertkampf) ist zu hoch (höchstens 10)');
  await expect(page.locator('#FZiel')).toBeHidden();
  expect(await readPlan(page)).toEqual(plan);

  // A NUL character is read as any other, as the desktop reads it: not the goal's end.
  await page.goto('about:blank');
  await openPlanner(page, `/#plan=${code}&ziel=10%00,3:5`);
  await expect(page.locator('#MeldungText')).toContainText('Die Zielstufe „10\u0000“ ist keine Stufe von 1 bis 250');
  await expect(page.locator('#FZiel')).toBeHidden();
});

// The levelling path under the proposal: a row per change, its objective over
// the levels, the plan of a level entered as one step and taken back, the
// path's text on the clipboard.
test.describe('with the clipboard', () => {
  test.use({ permissions: ['clipboard-read', 'clipboard-write'] });

  test('the levelling path: its rows, the plan of a level entered and undone, its text copied', async ({ page }) => {
    await openPlanner(page);
    const before = await readPlan(page);
    await page.click('#Programm1');
    await page.click('#PlanOptimieren1');
    await typeAndLeave(page, 'SpEZielStufe', '60');
    await typeAndLeave(page, 'SpEGewicht3', '5');
    await typeAndLeave(page, 'SpEGewicht23', '3');
    await expect(page.locator('#LBStufenwegHead')).toHaveText('Stufenweg:');
    await expect(page.locator('#LBGrenzenHead')).toHaveText('Was jeden Wert begrenzt:');
    // A line per skill of the answer, each saying what stops it.
    await expect(page.locator('#LBGrenzen li').first()).toHaveText(/^\S+ \d+: \S/);

    // From a new character at level 1 to the goal's level, a row per level that changes, in order.
    const rows = await lines(page, 'LBStufenweg');
    expect(rows[0]).toMatch(/^Stufe 1: Beginn mit /);
    const levels = rows.map((row) => row.match(/^Stufe (\d+)(?:–(\d+))?: /).slice(1).filter(Boolean).map(Number));
    expect(levels.flat()).toEqual([...levels.flat()].sort((a, b) => a - b));
    expect(levels.at(-1).at(-1)).toBe(60);
    const wayLevel = page.locator('#SpEWegStufe');
    await expect(wayLevel).toHaveValue('60');
    await expect(wayLevel).toHaveAttribute('min', '1');
    await expect(wayLevel).toHaveAttribute('max', '60');
    // The chart marks the field's level (grey) and the goal's (red): at the goal they meet.
    const [, objective] = (await page.textContent('#LZielWert')).match(/^Zielwert (\d+)/);
    const title = page.locator('#PBStufenweg .curve text');
    await expect(title).toHaveText(`Zielwert über die Stufen 1–60: Stufe 60 hat ${objective}`);
    const marker = (name) => page.locator(`#PBStufenweg .${name}`).getAttribute('cx').then(Number);
    expect(await marker('current')).toBe(await marker('proposed'));

    await typeAndLeave(page, 'SpEWegStufe', '40');
    await expect(title).toHaveText(/^Zielwert über die Stufen 1–60: Stufe 40 hat \d+$/);
    expect(await marker('current')).toBeLessThan(await marker('proposed'));
    // The row that holds level 40 is marked.
    const current = page.locator('#LBStufenweg li[aria-current=true]');
    await expect(current).toHaveCount(1);
    const [from, to = from] = (await current.textContent()).match(/^Stufe (\d+)(?:–(\d+))?: /).slice(1)
      .filter(Boolean).map(Number);
    expect(from <= 40 && 40 <= to).toBe(true);
    await page.click('#BWegUebernehmen');
    await expect(page.locator('#SpEStufeH')).toHaveValue('40');
    await expect(page.locator('#Rueckgaengig1')).toHaveText('Rückgängig: Stufenweg: Stufe 40');
    // The points spent stay: the path now starts at the plan shown, which is
    // the path's plan at level 40, skill by skill as the main window shows it.
    await expect(page.locator('#LBStufenweg li').first()).toHaveText(/^Stufe 40: Beginn mit /);
    await expect(wayLevel).toHaveAttribute('min', '40');
    const start = (await page.locator('#LBStufenweg li').first().textContent()).slice('Stufe 40: Beginn mit '.length);
    const started = Object.fromEntries(start.split(', ').map((part) => {
      const [, name, value] = part.match(/^(.+) (\d+)$/);
      return [name, value];
    }));
    const spent = await page.evaluate(() => Object.fromEntries([...document.querySelectorAll('input[id^=SpEFert]')]
      .filter((input) => input.value !== '0')
      .map((input) => [document.getElementById(`LFert${input.id.slice('SpEFert'.length)}Head`).textContent, input.value])));
    expect(spent).toEqual(started);
    await expect(page.locator('#BUebernehmen')).toBeEnabled();

    await page.click('#Programm1');
    await page.click('#Rueckgaengig1');
    expect(await readPlan(page)).toEqual(before);
    await expect(page.locator('#LBStufenweg li').first()).toHaveText(/^Stufe 1: Beginn mit /);

    // "Stufenweg kopieren" in the list's context menu: the rows, one line each.
    await page.click('#LBStufenweg', { button: 'right' });
    await expect(page.locator('#StufenwegMenu')).toBeVisible();
    await page.click('#StufenwegKopieren');
    await expect(page.locator('#StufenwegMenu')).toBeHidden();
    await expect.poll(() => page.evaluate(() => navigator.clipboard.readText())).toBe(`${rows.join('\n')}\n`);
    // The menu key opens it too; Escape closes the menu, not the window.
    await page.focus('#LBStufenweg');
    await page.keyboard.press('ContextMenu');
    await expect(page.locator('#StufenwegKopieren')).toBeFocused();
    await page.keyboard.press('Escape');
    await expect(page.locator('#StufenwegMenu')).toBeHidden();
    await expect(page.locator('#FZiel')).toBeVisible();

    // The proposal entered is the plan shown: nothing left to enter.
    await page.click('#BUebernehmen');
    await expect(page.locator('#SpEStufeH')).toHaveValue('60');
    await expect(page.locator('#BUebernehmen')).toBeDisabled();
  });
});

test('a row the class cannot have keeps its minimum but counts for nothing; a long goal in a link wraps', async ({ page }) => {
  await openPlanner(page, '/#plan=RW1ABAAAAgAAAE&ziel=250,1:5,5:3:100');
  await expect(page.locator('#SpEMindest5')).toBeDisabled();
  await expect(page.locator('#SpEMindest5')).toHaveValue('100');
  await expect(page.locator('#LZielWert')).toHaveText(/^Zielwert \d+ \(jetzt \d+\), der höchste auf Stufe 250 erreichbare\./);
  await expect(page.locator('#BUebernehmen')).toBeEnabled();
  await expect(page.locator('#LBStufenweg li').first()).toHaveText(/^Stufe \d+: Beginn mit /);

  await page.goto('about:blank');
  await openPlanner(page, `/#plan=RW1ABAAAAgAAAE&ziel=${'9'.repeat(80)}`);
  const text = page.locator('#MeldungText');
  await expect(text).toContainText('ist keine Stufe von 1 bis 250');
  const fits = await text.evaluate((node) => node.scrollWidth <= node.clientWidth
    && node.getBoundingClientRect().right <= document.getElementById('Meldung').getBoundingClientRect().right);
  expect(fits).toBe(true);
});
