// The page as an installable app: after one visit it opens without a
// network, a link with a plan included, a new build takes over as a whole,
// and its manifest is one that Chromium accepts for installing.
const { spawn } = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const { test, expect } = require('@playwright/test');
const { openPlanner, act, readPlan } = require('./planner-page');

const SITE = process.env.ROLLWERK_SITE || path.resolve(__dirname, '../../build-web/site');
const SERVER = path.resolve(__dirname, '../../scripts/serve-web.py');

// The page once the service worker it registered serves it.
async function openServedByWorker(page, address = '/') {
  await openPlanner(page, address);
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
  // The goals window's script, loaded only when it is opened, is kept too.
  await again.click('#Programm1');
  await again.click('#PlanOptimieren1');
  await expect(again.locator('#LZielWert')).toContainText('Zielwert');
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

// A copy of the site on a server of its own, so that a test can build it anew.
async function serveCopy() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'rollwerk-site-'));
  fs.cpSync(SITE, folder, { recursive: true });
  // Headless Chromium never finishes reading a page icon that a worker serves, which keeps the old
  // worker busy and the new one from taking over while the page is open: the copy has no page icon.
  const page = path.join(folder, 'index.html');
  const icon = '<link rel="icon" href="emblem.jpg">';
  expect(fs.readFileSync(page, 'utf8')).toContain(icon);
  const withoutIcon = fs.readFileSync(page, 'utf8').replace(icon, '');
  listInWorker(folder, 'index.html', withoutIcon);
  fs.writeFileSync(page, withoutIcon);
  const port = await new Promise((resolve) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => {
      const { port: free } = probe.address();
      probe.close(() => resolve(free));
    });
  });
  const server = spawn('python3', [SERVER, folder, String(port), '--quiet'], { stdio: 'ignore' });
  const address = `http://127.0.0.1:${port}/`;
  await expect.poll(() => fetch(address).then((response) => response.ok, () => false)).toBe(true);
  return {
    folder,
    address,
    stop: () => {
      server.kill();
      fs.rmSync(folder, { recursive: true, force: true });
    },
  };
}

// The new build's worker, as the page sees it: resolves once it has filled its cache and waits
// (installed), rejects when its install failed. However long that takes, it is the state the note
// follows, so the test waits for it instead of for a fixed time.
function nextWorkerInstalled(page) {
  return page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    const found = new Promise((resolve) => {
      registration.addEventListener('updatefound', () => resolve(registration.installing), { once: true });
    });
    const worker = registration.waiting || registration.installing || (await found);
    while (worker.state === 'installing') {
      await new Promise((resolve) => worker.addEventListener('statechange', resolve, { once: true }));
    }
    if (worker.state !== 'installed') throw new Error(`the new worker is ${worker.state}, not waiting`);
  });
}

// The worker's list of files gives a file the hash of this content, under the worker's cache name.
function listInWorker(folder, file, content, cache) {
  const integrity = `sha256-${crypto.createHash('sha256').update(content).digest('base64')}`;
  const worker = path.join(folder, 'sw.js');
  let listed = fs.readFileSync(worker, 'utf8').replace(new RegExp(`(\\["${file}","sha256-)[^"]+"`), `["${file}","${integrity}"`);
  if (cache) listed = listed.replace(/\bCACHE\s*=\s*(['"])rollwerk-\w+\1/, `CACHE = '${cache}'`);
  expect(listed).toContain(integrity);
  fs.writeFileSync(worker, listed);
}

// The next build of the page, "<!-- next build -->" appended, with its worker; the page itself
// published too, or not yet (the worker uploaded first). Returns what publishes the page.
function publishNextBuild(folder, { page = true } = {}) {
  const next = `${fs.readFileSync(path.join(folder, 'index.html'), 'utf8')}<!-- next build -->\n`;
  listInWorker(folder, 'index.html', next, 'rollwerk-next');
  const publishPage = () => fs.writeFileSync(path.join(folder, 'index.html'), next);
  if (page) publishPage();
  return publishPage;
}

test.describe('a new build', () => {
  test('a new build takes over as a whole once the page that says so is reloaded', async ({ page }) => {
    const site = await serveCopy();
    try {
      const build = () => page.evaluate(() => (document.lastChild.nodeType === Node.COMMENT_NODE ? 'new' : 'old'));
      const note = page.locator('#NeueVersion');
      await openServedByWorker(page, site.address);
      const oldCaches = await page.evaluate(() => caches.keys());
      expect(oldCaches).toHaveLength(1);
      await expect(note).toBeHidden();

      // The next build: another page and another worker.
      publishNextBuild(site.folder);

      // Reloaded, the page is still the build it came from, and says once that the next one is ready.
      await page.reload();
      await page.evaluate(() => window.rollwerk.ready);
      await nextWorkerInstalled(page);
      await expect(note).toBeVisible();
      await expect(note).toContainText('Eine neue Version ist bereit.');
      expect(await build()).toBe('old');
      expect(await page.evaluate(() => caches.keys())).toEqual([...oldCaches, 'rollwerk-next']);

      // The page reloads once: when the new worker has taken over, or a moment after asking it to.
      await Promise.all([page.waitForEvent('load'), note.getByRole('button', { name: 'Neu laden' }).click()]);
      await page.evaluate(() => window.rollwerk.ready);
      expect(await build()).toBe('new');
      await expect(note).toBeHidden();
      expect(await page.evaluate(() => caches.keys())).toEqual(['rollwerk-next']);
    } finally {
      site.stop();
    }
  });

  test('a new build found half published is refused until it is whole, and the old one keeps serving', async ({ page }) => {
    const site = await serveCopy();
    try {
      const build = () => page.evaluate(() => (document.lastChild.nodeType === Node.COMMENT_NODE ? 'new' : 'old'));
      await openServedByWorker(page, site.address);
      const oldCaches = await page.evaluate(() => caches.keys());

      // The next build's worker is on the server, its page still the old one.
      const publishPage = publishNextBuild(site.folder, { page: false });
      await page.reload();
      await page.evaluate(() => window.rollwerk.ready);
      await expect(nextWorkerInstalled(page)).rejects.toThrow('the new worker is redundant');
      expect(await build()).toBe('old');
      expect(await page.evaluate(() => caches.keys())).toEqual(oldCaches);
      await page.reload();
      await page.evaluate(() => window.rollwerk.ready);
      expect(await build()).toBe('old');
      await expect(page.locator('#NeueVersion')).toBeHidden();

      // Once the page is there too, the next visit takes the new build.
      publishPage();
      await page.reload();
      await page.evaluate(() => window.rollwerk.ready);
      await nextWorkerInstalled(page);
      await expect(page.locator('#NeueVersion')).toBeVisible();
      expect(await page.evaluate(() => caches.keys())).toEqual([...oldCaches, 'rollwerk-next']);
    } finally {
      site.stop();
    }
  });
});
