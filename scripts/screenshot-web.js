// Takes the web page's screenshots in Debian's headless Chromium:
// docs/screenshot-phone.png, the page on a 390 x 844 phone,
// docs/screenshot-phone-goals.png, the goals window there with a goal, and
// docs/screenshot-installed.png, the page installed as an app and opened in
// its own window (display-mode: standalone) of the designed window's size,
// docs/screenshot-plans-web.png, the plans window with four saved plans
// beside the main window, and docs/screenshot-goals-web.png, the goals
// window with a goal from a link and its levelling path.
// Run by scripts/screenshot-web.sh, which serves the site.
//   node scripts/screenshot-web.js SITE_ADDRESS DOCS_DIR
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { chromium } = require('playwright');

const [site, docs] = process.argv.slice(2);
// A plan with points spent, so that the fields and the bonus list show something.
const PLAN = '#plan=RW1BjAAJiAIAAAAw';
const launch = {
  executablePath: process.env.ROLLWERK_CHROMIUM || '/usr/bin/chromium',
  args: require('../tests/web/browser-args.js'),
};

async function phone() {
  const browser = await chromium.launch(launch);
  const context = await browser.newContext({
    viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
  });
  const page = await context.newPage();
  await page.goto(site + PLAN);
  await page.evaluate(() => window.rollwerk.ready);
  await page.screenshot({ path: path.join(docs, 'screenshot-phone.png') });
  await page.tap('#Programm1');
  await page.tap('#PlanOptimieren1');
  await page.locator('#SpEGewicht3').fill('5');
  await page.locator('#LBVorschlag li').first().waitFor();
  await page.screenshot({ path: path.join(docs, 'screenshot-phone-goals.png') });
  await browser.close();
}

async function installed() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'rollwerk-app-'));
  const context = await chromium.launchPersistentContext(profile, { ...launch, viewport: null });
  try {
    const page = await context.newPage();
    await page.goto(site);
    await page.evaluate(() => window.rollwerk.ready);
    const client = await context.newCDPSession(page);
    const { installabilityErrors } = await client.send('Page.getInstallabilityErrors');
    if (installabilityErrors.length) throw new Error(`not installable: ${JSON.stringify(installabilityErrors)}`);
    const manifestId = new URL('./', site).href;
    await client.send('PWA.install', { manifestId });
    await client.send('PWA.changeAppUserSettings', { manifestId, displayMode: 'standalone' });
    const opened = context.waitForEvent('page');
    const { targetId } = await client.send('PWA.launch', { manifestId, url: site + PLAN });
    const app = await opened;
    await app.waitForLoadState();
    await app.evaluate(() => window.rollwerk.ready);
    if (!(await app.evaluate(() => matchMedia('(display-mode: standalone)').matches))) {
      throw new Error('the app did not open in a window of its own');
    }
    // The app window's inside as large as the designed window's menu bar and
    // client area, measured where the page draws the window (at its width and above).
    const { windowId } = await client.send('Browser.getWindowForTarget', { targetId });
    await client.send('Browser.setWindowBounds', { windowId, bounds: { width: 1400, height: 1000 } });
    await app.waitForFunction(() => innerWidth >= 1200);
    const size = await app.evaluate(() => {
      const frame = document.getElementById('FMain').getBoundingClientRect();
      return {
        width: Math.ceil(frame.width),
        height: Math.ceil(frame.bottom),
        frame: { width: outerWidth - innerWidth, height: outerHeight - innerHeight },
      };
    });
    await client.send('Browser.setWindowBounds', {
      windowId,
      bounds: { width: size.width + size.frame.width, height: size.height + size.frame.height },
    });
    await app.waitForFunction((want) => innerWidth === want.width && innerHeight === want.height, size);
    await app.screenshot({ path: path.join(docs, 'screenshot-installed.png') });
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

// Four plans saved from their links, the last one opened again and its level raised.
const PLANS = [['Endgültig', 'RW1LvAJOjoAAAAAb'], ['Leveln', 'RW1J3AImAAAAAe'], ['Janas Vampirin', 'RW1qzABGAACEgAAI'],
  ['Zweitcharakter', 'RW1BZE0JAAIAAAAp']];

async function plans() {
  const browser = await chromium.launch(launch);
  const page = await browser.newPage({ viewport: { width: 1920, height: 760 } });
  for (const [name, code] of PLANS) {
    await page.goto(`${site}#plan=${code}`);
    await page.evaluate(() => window.rollwerk.ready);
    await page.click('#Programm1');
    await page.click('#Plaene1');
    await page.fill('#EPlanName', name);
    await page.click('#BPlanSpeichern');
  }
  await page.click('#LBPlaene li >> nth=0');
  await page.click('#BPlanOeffnen');
  await page.click('#SpEStufeH-up');
  await page.screenshot({ path: path.join(docs, 'screenshot-plans-web.png') });
  await browser.close();
}

// Gladiator from level 1 to 120: sword attack, defence at least 100 %, life;
// the levelling path marked at level 60.
const GOAL = '#plan=RW1ABAAAAgAAAE&ziel=120,3:5,22:2:100,23:3';

async function goals() {
  const browser = await chromium.launch(launch);
  const page = await browser.newPage({ viewport: { width: 1960, height: 740 } });
  await page.goto(site + GOAL);
  await page.evaluate(() => window.rollwerk.ready);
  const way = page.locator('#SpEWegStufe');
  await way.waitFor();
  await way.fill('60');
  await way.press('Tab');
  await page.locator('#PBStufenweg text').filter({ hasText: 'Stufe 60 hat' }).waitFor();
  await page.locator('#FZiel').screenshot({ path: path.join(docs, 'screenshot-goals-web.png') });
  await browser.close();
}

(async () => {
  await phone();
  await installed();
  await plans();
  await goals();
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
