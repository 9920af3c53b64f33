// When the planner cannot start, the window says so in German and what to
// try, instead of showing a dead menu bar with errors in the console alone.
const path = require('node:path');
const { test, expect } = require('@playwright/test');

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
