// The plans window "Pläne" in the page: plans saved under names, opened as
// one step of the history, removed and brought back, compared side by side
// with the plan shown, kept in the browser's storage across a reload and
// between tabs, and carried as text through the clipboard.
const { test, expect } = require('@playwright/test');
const { act, activeId, openPlanner, readPlan } = require('./planner-page');

// Seraphim at level 12 with 4 points in skill 2, and Vampirin at level 30.
const SERAPHIM = ['pick Seraphim', 'level 12', 'skill 2 4', 'leave 2'];
const VAMPIRIN = ['pick Vampirin', 'level 30', 'leave 0'];
// A fresh page's plan, as its code.
const NEW_PLAN_CODE = 'RW1ABAAAAgAAAE';

async function actAll(page, actions) {
  for (const action of actions) await act(page, action);
}

async function fromMenu(page, id) {
  await page.click('#Programm1');
  await page.click(`#${id}1`);
}

async function openPlans(page) {
  await fromMenu(page, 'Plaene');
  await expect(page.locator('#FPlaene')).toBeVisible();
}

async function savePlan(page, name) {
  await page.fill('#EPlanName', name);
  await page.click('#BPlanSpeichern');
}

const rows = (page) => page.locator('#LBPlaene li').allTextContents();

// The comparison as a screen reader reads it: the column heads, then per row its title and cells.
function readComparison(page) {
  return page.evaluate(() => {
    const table = document.getElementById('TVPlanVergleich');
    const cellsOf = (tr) => [...tr.querySelectorAll('td')].map((td) => ({
      text: td.textContent,
      differs: td.classList.contains('differs'),
      colour: getComputedStyle(td).backgroundColor,
    }));
    return {
      columns: [...table.tHead.querySelectorAll('th')].map((th) => th.textContent),
      rows: [...table.tBodies[0].rows].map((tr) => ({ title: tr.querySelector('th').textContent, cells: cellsOf(tr) })),
    };
  });
}

const rowOf = (comparison, title) => comparison.rows.find((row) => row.title === title);

test('a plan saved under a name opens as one step that Rückgängig takes back', async ({ page }) => {
  await openPlanner(page);
  await actAll(page, SERAPHIM);
  const seraphim = await readPlan(page);
  await openPlans(page);
  await expect(page.locator('#EPlanName')).toBeFocused();
  await expect(page.locator('#LBPlaene li')).toHaveCount(0);

  // Enter in the name field saves, as the button does; an empty name gets the next free number.
  await page.fill('#EPlanName', 'Endgültig 🐉');
  await page.keyboard.press('Enter');
  await savePlan(page, '');
  expect(await rows(page)).toEqual([
    expect.stringMatching(/^Endgültig 🐉 – Seraphim, Stufe 12, \d+ Punkte? frei$/),
    expect.stringMatching(/^Plan 1 – Seraphim, Stufe 12, /),
  ]);
  await expect(page.locator('#EPlanName')).toHaveValue('Plan 1');

  // A name that exists asks first: Enter keeps the saved plan as it was; Ersetzen replaces it.
  await fromMenu(page, 'NeuerPlan');
  await savePlan(page, 'Endgültig 🐉');
  await expect(page.locator('#PlanErsetzenText')).toHaveText(/„Endgültig 🐉“/);
  await expect(page.locator('#BPlanNichtErsetzen')).toBeFocused();
  await page.keyboard.press('Enter');
  await expect(page.locator('#PlanErsetzen')).toBeHidden();
  await expect(page.locator('#LBPlaene li').first()).toHaveText(/Seraphim, Stufe 12/);
  await page.click('#BPlanSpeichern');
  await page.click('#BPlanErsetzen');
  await expect(page.locator('#LBPlaene li').first()).toHaveText(/^Endgültig 🐉 – Gladiator, Stufe 1, /);

  // Choosing a row puts its name in the field; Öffnen enters it into the main window.
  await page.click('#LBPlaene li >> nth=1');
  await expect(page.locator('#EPlanName')).toHaveValue('Plan 1');
  await expect(page.locator('#LBPlaene li').nth(1)).toHaveAttribute('aria-selected', 'true');
  await page.click('#BPlanOeffnen');
  await expect.poll(() => readPlan(page)).toEqual(seraphim);
  await page.click('#Programm1');
  await expect(page.locator('#Rueckgaengig1')).toHaveText('Rückgängig: Plan „Plan 1“ öffnen');
  await page.click('#Rueckgaengig1');
  await expect(page.locator('#CBCharwahl')).toHaveValue('Gladiator');
  await expect(page.locator('#SpEStufeH')).toHaveValue('1');

  // A name longer than 40 characters is refused with the core's reason, and nothing is saved.
  await savePlan(page, 'x'.repeat(41));
  await expect(page.locator('#MeldungText')).toHaveText(/40/);
  await page.click('#MeldungOk');
  await expect(page.locator('#LBPlaene li')).toHaveCount(2);
});

test('a removed plan comes back with Wiederherstellen until the window closes', async ({ page }) => {
  await openPlanner(page);
  await openPlans(page);
  for (const name of ['Erster', 'Zweiter', 'Dritter']) await savePlan(page, name);
  const saved = await rows(page);
  const restore = page.locator('#BPlanWiederherstellen');
  await expect(restore).toBeHidden();

  await page.click('#LBPlaene li >> nth=1');
  await page.click('#BPlanLoeschen');
  expect(await rows(page)).toEqual([saved[0], saved[2]]);
  await expect(restore).toBeVisible();
  await expect(restore).toBeFocused();
  await page.keyboard.press('Enter');
  expect(await rows(page), 'back where it stood').toEqual(saved);
  await expect(restore).toBeHidden();

  // Once the window closes, what was removed is gone, also after a reload.
  await page.fill('#EPlanName', 'Dritter');
  await page.click('#BPlanLoeschen');
  await page.keyboard.press('Escape');
  await expect(page.locator('#FPlaene')).toBeHidden();
  await openPlans(page);
  await expect(restore).toBeHidden();
  expect(await rows(page)).toEqual(saved.slice(0, 2));
  await page.reload();
  await page.evaluate(() => window.rollwerk.ready);
  await openPlans(page);
  expect(await rows(page)).toEqual(saved.slice(0, 2));
});

test('the comparison marks each value that differs from the plan shown, and follows it', async ({ page }) => {
  await openPlanner(page);
  await actAll(page, SERAPHIM);
  await openPlans(page);
  await savePlan(page, 'Seraphim');
  await fromMenu(page, 'NeuerPlan');
  await actAll(page, VAMPIRIN);
  await savePlan(page, 'Vampirin');

  let table = await readComparison(page);
  expect(table.columns).toEqual(['Angezeigt', 'Seraphim', 'Vampirin']);
  expect(table.rows.slice(0, 4).map((row) => row.title)).toEqual(['Klasse', 'Stufe', 'Freie Punkte', 'Freie Plätze']);
  const level = rowOf(table, 'Stufe').cells;
  expect(level.map((cell) => cell.text)).toEqual(['30', '12 (−18)', '30']);
  expect(level.map((cell) => cell.differs)).toEqual([false, true, false]);
  expect(level[1].colour, 'a differing cell has a colour of its own').not.toBe(level[2].colour);
  expect(rowOf(table, 'Klasse').cells.map((cell) => cell.text)).toEqual(['Vampirin', 'Seraphim', 'Vampirin']);
  // A skill with points in any plan has a row, headed by its caption.
  expect(table.rows.length).toBeGreaterThan(4);

  // The main window changes: the table follows at once.
  await act(page, 'level 40');
  await act(page, 'leave 0');
  await expect.poll(async () => rowOf(await readComparison(page), 'Stufe').cells.map((cell) => cell.text))
    .toEqual(['40', '12 (−28)', '30 (−10)']);
  table = await readComparison(page);
  const points = rowOf(table, 'Freie Punkte').cells;
  expect(points[2].differs).toBe(true);
  expect(points[2].text).toMatch(/ \(−\d+\)$/);
});

test('with more plans than fit, the table scrolls sideways under its first columns', async ({ page }) => {
  await openPlanner(page);
  await actAll(page, SERAPHIM);
  await openPlans(page);
  for (let n = 1; n <= 8; ++n) await savePlan(page, `Ein recht langer Name ${n}`);
  const box = page.locator('#FPlaene .comparison');
  const first = page.locator('#TVPlanVergleich tbody tr:nth-child(2) th');
  const shown = page.locator('#TVPlanVergleich tbody tr:nth-child(2) td >> nth=0');
  const before = { title: await first.boundingBox(), shown: await shown.boundingBox() };
  const scrolled = await box.evaluate((element) => {
    element.scrollLeft = element.scrollWidth;
    return element.scrollLeft;
  });
  expect(scrolled, 'the table is wider than its box').toBeGreaterThan(100);
  expect((await first.boundingBox()).x).toBeCloseTo(before.title.x, 0);
  expect((await shown.boundingBox()).x, 'the shown plan stays beside the titles').toBeCloseTo(before.shown.x, 0);
});

test('the plans stay after a reload, and a second tab sees each change', async ({ page, context }) => {
  await openPlanner(page);
  await actAll(page, SERAPHIM);
  await openPlans(page);
  await savePlan(page, 'Behalten');
  const saved = await rows(page);

  const other = await context.newPage();
  await openPlanner(other);
  await openPlans(other);
  expect(await rows(other)).toEqual(saved);

  // Both windows open: a plan saved in one shows in the other, its comparison column too.
  await savePlan(other, 'Aus dem zweiten Tab');
  await expect(page.locator('#LBPlaene li')).toHaveCount(2);
  await expect.poll(async () => (await readComparison(page)).columns)
    .toEqual(['Angezeigt', 'Behalten', 'Aus dem zweiten Tab']);
  await page.fill('#EPlanName', 'Behalten');
  await page.click('#BPlanLoeschen');
  await expect(other.locator('#LBPlaene li')).toHaveCount(1);
  // The second tab saves meanwhile; the first can still bring its plan back, and it is back in both.
  await savePlan(other, 'Später');
  await expect(page.locator('#LBPlaene li')).toHaveCount(2);
  await page.click('#BPlanWiederherstellen');
  await expect(other.locator('#LBPlaene li')).toHaveCount(3);
  expect(await rows(page)).toEqual([saved[0], expect.stringMatching(/^Aus dem zweiten Tab – /),
    expect.stringMatching(/^Später – /)]);

  await page.reload();
  await page.evaluate(() => window.rollwerk.ready);
  await openPlans(page);
  expect(await rows(page)).toEqual(await rows(other));
  await expect(page.locator('#LPlaeneHinweis')).toHaveText(/auf diesem Gerät gespeichert/);
  await expect(page.locator('#Meldung')).toBeHidden();
  await other.close();
});

test.describe('where the browser refuses its storage', () => {
  test.beforeEach(async ({ page }) => {
    await page.addInitScript(() => {
      Object.defineProperty(window, 'localStorage', {
        get: () => {
          throw new DOMException('The operation is insecure.', 'SecurityError');
        },
      });
    });
  });

  test('the page says so once and keeps the plans in memory', async ({ page }) => {
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await openPlanner(page);
    await actAll(page, SERAPHIM);
    await openPlans(page);
    await expect(page.locator('#MeldungText')).toHaveText(/nicht auf diesem Gerät speichern/);
    await page.click('#MeldungOk');
    await expect(page.locator('#LPlaeneHinweis')).toHaveText(/bis die Seite geschlossen wird/);
    await savePlan(page, 'Nur im Speicher');
    await savePlan(page, 'Noch einer');
    await expect(page.locator('#LBPlaene li')).toHaveCount(2);
    await expect(page.locator('#Meldung')).toBeHidden();
    await page.keyboard.press('Escape');
    await openPlans(page);
    await expect(page.locator('#Meldung')).toBeHidden();
    await page.click('#LBPlaene li >> nth=0');
    await fromMenu(page, 'NeuerPlan');
    await page.click('#BPlanOeffnen');
    await expect(page.locator('#CBCharwahl')).toHaveValue('Seraphim');
    expect(errors).toEqual([]);
  });
});

test('a full storage is said once, and what the page shows is kept', async ({ page }) => {
  await openPlanner(page);
  await openPlans(page);
  await savePlan(page, 'Gespeichert');
  await page.evaluate(() => {
    Storage.prototype.setItem = () => {
      throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
    };
  });
  await savePlan(page, 'Zu viel');
  await expect(page.locator('#MeldungText')).toHaveText(/Speicher ist voll/);
  await page.click('#MeldungOk');
  await savePlan(page, 'Noch mehr');
  await expect(page.locator('#Meldung')).toBeHidden();
  expect(await rows(page)).toEqual([
    expect.stringMatching(/^Gespeichert – /), expect.stringMatching(/^Zu viel – /),
    expect.stringMatching(/^Noch mehr – /)]);
  // The storage holds what it could keep.
  const kept = await page.evaluate(() => localStorage.getItem('rollwerk.plaene'));
  expect(kept).toMatch(/^Gespeichert: RW1\S+\n?$/);
});

test.describe('with the clipboard', () => {
  test.use({ permissions: ['clipboard-read', 'clipboard-write'] });

  test('Alle kopieren writes a line per plan that Alle einfügen reads back', async ({ page }) => {
    await openPlanner(page);
    await actAll(page, SERAPHIM);
    await openPlans(page);
    await savePlan(page, 'Seraphim: Stufe 12');
    await fromMenu(page, 'NeuerPlan');
    await savePlan(page, 'Neu');
    const saved = await rows(page);
    await page.click('#BPlaeneKopieren');
    await expect.poll(() => page.evaluate(() => navigator.clipboard.readText()))
      .toMatch(/^Seraphim: Stufe 12: RW1\S+\nNeu: RW1\S+\n?$/);
    const text = (await page.evaluate(() => navigator.clipboard.readText())).trimEnd();

    for (let n = 0; n < 2; ++n) {
      await page.click('#LBPlaene li >> nth=0');
      await page.click('#BPlanLoeschen');
    }
    await page.keyboard.press('Escape');
    await openPlans(page);
    await expect(page.locator('#LBPlaene li')).toHaveCount(0);

    // The desktop's text, a forum post's line without a name and a line without a plan among them.
    await page.evaluate(([clip, code]) => navigator.clipboard.writeText(`${clip}\nvon Jana: ${code}\nHallo zusammen\n`),
      [text, NEW_PLAN_CODE]);
    await page.click('#BPlaeneEinfuegen');
    await expect(page.locator('#MeldungText')).toHaveText(/^3 Pläne hinzugefügt\.\n.*Zeile 4 „Hallo zusammen“/s);
    await page.click('#MeldungOk');
    expect(await rows(page)).toEqual([...saved, expect.stringMatching(/^von Jana – Gladiator, Stufe 1, /)]);
    await expect(page.locator('#EPlanName'), 'the last plan added is chosen').toHaveValue('von Jana');

    // An empty clipboard adds nothing and says so in the words of a plan's paste.
    await page.evaluate(() => navigator.clipboard.writeText(' \n'));
    await page.click('#BPlaeneEinfuegen');
    await expect(page.locator('#MeldungText')).toHaveText('Kein Plan-Code: Die Zwischenablage ist leer.');
    await page.click('#MeldungOk');
    await expect(page.locator('#LBPlaene li')).toHaveCount(3);

    // Pasted again, each name that is taken gets a number.
    await page.evaluate((code) => navigator.clipboard.writeText(`Neu: ${code}`), NEW_PLAN_CODE);
    await page.click('#BPlaeneEinfuegen');
    await page.click('#MeldungOk');
    await expect(page.locator('#LBPlaene li').last()).toHaveText(/^Neu \(2\) – Gladiator, Stufe 1, /);
  });
});

test('the window works with the keyboard alone and fits a phone', async ({ browser }) => {
  const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true,
    hasTouch: true });
  const page = await phone.newPage();
  await openPlanner(page);
  await page.focus('#LBBoni');
  await page.keyboard.press('ContextMenu');
  await page.keyboard.press('End');
  for (let i = 0; i < 12 && (await activeId(page)) !== 'Plaene'; ++i) await page.keyboard.press('ArrowUp');
  expect(await activeId(page)).toBe('Plaene');
  await page.keyboard.press('Enter');
  await expect(page.locator('#FPlaene')).toBeVisible();
  await expect(page.locator('#EPlanName')).toBeFocused();
  await page.keyboard.type('Tastatur');
  await page.keyboard.press('Enter');
  await page.keyboard.type('Zweiter');
  await page.keyboard.press('Enter');
  // The list takes the arrow keys; the first row's name goes to the field.
  await page.focus('#LBPlaene');
  await page.keyboard.press('Home');
  await expect(page.locator('#EPlanName')).toHaveValue('Tastatur');
  await expect(page.locator('#LBPlaene')).toHaveAttribute('aria-activedescendant', 'LBPlaene-row-0');
  const view = await page.evaluate(() => ({
    window: document.getElementById('FPlaene').getBoundingClientRect().toJSON(),
    width: document.documentElement.clientWidth,
  }));
  expect(view.window.left).toBeGreaterThanOrEqual(0);
  expect(view.window.right).toBeLessThanOrEqual(view.width);
  await page.keyboard.press('Escape');
  await expect(page.locator('#FPlaene')).toBeHidden();
  expect(await activeId(page), 'the focus goes back').toBe('LBBoni');
  await phone.close();
});
