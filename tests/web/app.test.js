// The page as an installable app: after one visit it opens without a
// network, a link with a plan included, and its manifest is one that
// Chromium accepts for installing.
const { test, expect } = require('@playwright/test');
const { openPlanner, act, readPlan } = require('./planner-page');

// The page once the service worker it registered serves it.
async function openServedByWorker(page) {
  await openPlanner(page);
  await expect.poll(() => page.evaluate(() => navigator.serviceWorker.controller !== null)).toBe(true);
}

test('after one visit a link with a plan opens without a network', async ({ page, context }) => {
  await openServedByWorker(page);
  for (const action of ['pick Seraphim', 'level 12', 'skill 2 4', 'leave 2']) await act(page, action);
  await expect(page).toHaveURL(/#plan=/);
  await page.waitForTimeout(300); // the address follows the last change within 100 ms
  const address = page.url();
  const plan = await readPlan(page);

  await context.setOffline(true);
  const again = await context.newPage();
  await openPlanner(again, address);
  // Offline indeed: a file the site does not have is not fetched.
  const missing = () => fetch('nicht-im-cache.txt').then(() => 'fetched', () => 'offline');
  expect(await again.evaluate(missing)).toBe('offline');
  expect(await readPlan(again)).toEqual(plan);
  await again.reload();
  await again.evaluate(() => window.rollwerk.ready);
  expect(await readPlan(again)).toEqual(plan);
});

test('the manifest names the app, its start, the window\'s colours and its icons', async ({ page, context }) => {
  await openServedByWorker(page);
  const client = await context.newCDPSession(page);
  const { errors, data, manifest } = await client.send('Page.getAppManifest');
  expect(errors).toEqual([]);
  const written = JSON.parse(data);
  expect(written.name).toBe('Rollwerk');
  expect(written.short_name).toMatch(/^.{1,12}$/);
  const site = new URL('./', page.url()).href;
  // The window's colour as the browser reads both, e.g. rgba(166,202,240,1).
  const windowColour = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
  const colour = windowColour.replace(/^rgb\((.*)\)$/, 'rgba($1, 1)').replace(/\s/g, '');
  expect(manifest).toMatchObject({
    name: 'Rollwerk',
    startUrl: site,
    scope: site,
    display: 'kStandalone',
    themeColor: colour,
    backgroundColor: colour,
  });
  expect(manifest.icons.map((icon) => icon.sizes)).toEqual(['192x192', '512x512']);
  for (const icon of manifest.icons) {
    const response = await page.request.get(icon.url);
    expect(response.headers()['content-type']).toBe('image/png');
    const png = await response.body();
    expect(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, icon.url).toBe(icon.sizes);
  }
  // Nothing keeps it from being installed but the test browser's private window.
  const { installabilityErrors } = await client.send('Page.getInstallabilityErrors');
  expect(installabilityErrors.map((error) => error.errorId).filter((id) => id !== 'in-incognito')).toEqual([]);
});
