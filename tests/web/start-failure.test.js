// When the planner cannot start, the window says so in German and what to
// try, instead of showing a dead menu bar with errors in the console alone;
// a tool window that cannot load says so too.
const path = require('node:path');
const { test, expect } = require('@playwright/test');
const { openPlanner } = require('./planner-page');

const SITE = process.env.ROLLWERK_SITE || path.resolve(__dirname, '../../build-web/site');

// How the start fails: a file answered otherwise than built, or the page opened from a file.
const FAILURES = [
  { name: 'the WebAssembly module answered 404', file: 'rollwerk_core.wasm', answer: { status: 404 } },
  { name: 'the page\'s script answered 404', file: 'main.js', answer: { status: 404 } },
  { name: 'the WebAssembly module cut off', file: 'rollwerk_core.wasm', cut: true },
  { name: 'the WebAssembly module corrupt', file: 'rollwerk_core.wasm',
    answer: { contentType: 'application/wasm', body: Buffer.from('\0asm kaputt') } },
  { name: 'the page opened from a file', address: `file://${SITE}/index.html` },
];

for (const row of FAILURES) {
  test(`${row.name}: the window says that the planner could not start`, async ({ page }) => {
    if (row.file) {
      await page.route(`**/${row.file}`, async (route) => {
        if (!row.cut) return route.fulfill(row.answer);
        const body = await (await route.fetch()).body();
        return route.fulfill({ contentType: 'application/wasm', body: body.subarray(0, body.length >> 1) });
      });
    }
    await page.goto(row.address ?? '/');
    const note = page.locator('#Startfehler');
    await expect(note).toBeVisible();
    await expect(note).toHaveText(/Der Planer konnte nicht starten\..*neu\..*nicht als Datei.*make web-run/s);
    await expect(page.locator('#FMainContent')).toBeHidden();
  });
}

test.describe('without JavaScript', () => {
  test.use({ javaScriptEnabled: false });
  test('the window says that the planner could not start', async ({ page }) => {
    await page.goto('/');
    await expect(page.locator('#Startfehler')).toBeVisible();
  });
});

// The goals and plans windows need a second part of the core, which the page
// loads when one of them first opens: not at start, once for both, and asked
// again after it failed to load. Without the service worker, whose install would fetch it too.
test.describe('the tool windows', () => {
  test.use({ serviceWorkers: 'block' });
  test('the tool windows\' part of the core loads on the first opening, and again after a failure', async ({ page }) => {
    let requests = 0;
    await page.route('**/rollwerk_tool_windows.wasm', (route) => {
      requests += 1;
      return requests === 1 ? route.fulfill({ status: 404 }) : route.continue();
    });
    const open = async (menuItem) => {
      await page.click('#Programm1');
      await page.click(`#${menuItem}1`);
    };
    await openPlanner(page);
    expect(requests).toBe(0);

    await open('PlanOptimieren');
    await expect(page.locator('#MeldungText')).toHaveText(/^Dieses Fenster ließ sich nicht laden\. Ohne Netz/);
    await expect(page.locator('#FZiel')).toBeHidden();
    await page.click('#MeldungOk');

    await open('PlanOptimieren');
    await expect(page.locator('#FZiel')).toBeVisible();
    await expect(page.locator('#LZielWert')).toHaveText(/^Zielwert 0 \(jetzt 0\)/);
    await page.keyboard.press('Escape');
    await open('Plaene');
    await expect(page.locator('#FPlaene')).toBeVisible();
    await expect(page.locator('#LBPlaene li')).toHaveCount(0);
    expect(requests).toBe(2);
  });
});
