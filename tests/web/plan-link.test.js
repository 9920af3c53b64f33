// The plan in the page's address: a changed plan opens again from its own
// address, and a broken link shows a message and the initial plan.
const { test, expect } = require('@playwright/test');
const { readScenarios } = require('./scenarios');
const { openPlanner, act, readPlan, expectPlan } = require('./planner-page');

const INITIAL = readScenarios().find((scenario) => scenario.name === 'start_up').expected;

// The page writes its address at most every 100 ms: the address once the last change is in it.
async function settledAddress(page) {
  await expect(page, 'the changed plan is written into the address').toHaveURL(/#plan=/);
  let address = '';
  await expect
    .poll(async () => {
      address = page.url();
      await page.waitForTimeout(300);
      return address === page.url() && address.includes('#plan=');
    })
    .toBe(true);
  return address;
}

test('a changed plan opens again from its own address', async ({ page, context }) => {
  await openPlanner(page);
  const entries = await page.evaluate(() => window.history.length);
  for (const action of ['pick Seraphim', 'level 12', 'skill 2 4', 'skill 1 3', 'leave 1']) await act(page, action);
  const address = await settledAddress(page);
  const plan = await readPlan(page);
  expect(plan.className).toBe('Seraphim');
  expect(await page.evaluate(() => window.history.length), 'no history entry per change').toBe(entries);

  const again = await context.newPage();
  await openPlanner(again, address);
  expect(await readPlan(again)).toEqual(plan);
  expect(again.url()).toBe(address);
});

// Links as people pass them on, made from the code of a good plan: the code
// is found in what follows #plan= as in a pasted text, and the address then
// holds that code alone; a link without one shows the core's German message,
// quoting what was there, and the initial plan, and stays in the address to
// be mended.
const LINK_FORMS = [
  { name: 'the code alone', link: (good) => good, opens: true },
  { name: 'a full stop after it', link: (good) => `${good}.`, opens: true },
  { name: 'a closing bracket after it', link: (good) => `${good})`, opens: true },
  { name: 'a slash after it', link: (good) => `${good}/`, opens: true },
  { name: 'a tracking parameter after it', link: (good) => `${good}&utm_source=chat`, opens: true },
  { name: 'an encoded space after it', link: (good) => `${good}%20`, opens: true },
  { name: 'no code in the link', link: () => 'kaputt', message: /„kaputt“[\s\S]*Kein Plan-Code gefunden/ },
  {
    name: 'one character of a good code changed',
    link: (good) => {
      const at = Math.floor(good.length / 2);
      return good.slice(0, at) + (good[at] === 'A' ? 'B' : 'A') + good.slice(at + 1);
    },
    message: /Plan-Code/,
  },
];

for (const row of LINK_FORMS) {
  test(`a link with ${row.name}`, async ({ page, context }) => {
    await openPlanner(page);
    await act(page, 'level 12');
    const address = await settledAddress(page);
    const good = new URL(address).hash.slice('#plan='.length);
    const plan = await readPlan(page);
    const other = await context.newPage();
    const link = `/#plan=${row.link(good)}`;
    await openPlanner(other, link);
    if (row.opens) {
      expect(await readPlan(other)).toEqual(plan);
      await expect(other).toHaveURL(address);
      await expect(other.locator('#Meldung')).toBeHidden();
    } else {
      const message = other.getByRole('alert');
      await expect(message).toBeVisible();
      await expect(message).toHaveText(row.message);
      expectPlan(await readPlan(other), INITIAL);
      await other.click('#MeldungOk');
      await act(other, 'leave 0');
      expect(other.url(), 'the bad link stays to be mended').toBe(new URL(link, address).href);
    }
  });
}

test('the address never loses the plan', async ({ page }) => {
  await openPlanner(page);
  await act(page, 'level 12');
  await act(page, 'skill 1 3');
  const address = await settledAddress(page);
  const plan = await readPlan(page);

  // A value no code can hold, while it is typed: the address keeps the last code that could be written.
  for (const value of ['300', '-9']) {
    await act(page, `skill 1 ${value}`);
    await page.waitForTimeout(300);
    expect(page.url(), value).toMatch(/#plan=RW1[\w-]+$/);
  }
  await act(page, 'skill 1 3');
  await act(page, 'leave 1');

  // A broken link set while a plan is shown changes nothing; Back takes its message away.
  await page.evaluate(() => {
    window.location.hash = '#plan=RW1kaputt';
  });
  await expect(page.getByRole('alert')).toHaveText(/„RW1kaputt“/);
  expect(await readPlan(page)).toEqual(plan);
  await page.waitForTimeout(300);
  expect(page.url()).toMatch(/#plan=RW1kaputt$/);
  await page.goBack();
  await expect(page.getByRole('alert')).toBeHidden();
  expect(await readPlan(page)).toEqual(plan);

  // Two quick steps and a reload: the last step is written out as the page is left, even when the
  // reload comes in the same task as the step, before the page has drawn it.
  await page.click('#SpEFert1-up');
  await page.focus('#SpEFert1');
  const reloaded = page.waitForEvent('load');
  const stepped = await page.evaluate(() => {
    const field = document.getElementById('SpEFert1');
    field.dispatchEvent(new KeyboardEvent('keydown', { key: 'ArrowUp', bubbles: true, cancelable: true }));
    const value = field.value;
    window.location.reload();
    return value;
  });
  await reloaded;
  await page.evaluate(() => window.rollwerk.ready);
  expect(stepped).toBe('5');
  expect((await readPlan(page)).skills[0].text).toBe(stepped);
});

// A bonus line wider than the list: the list scrolls sideways and the row's title is the whole line,
// so no number is cut off (the +100 % of this plan's longest line once showed as +1).
test('a bonus line wider than the list scrolls and is whole in its title', async ({ page }) => {
  await openPlanner(page, '/#plan=RW1BjAAJiAIAAAAw');
  const list = page.locator('#LBBoni');
  const row = list.locator('li', { hasText: 'Angriffsgeschwindigkeit beim Kampf mit Stangenwaffen' });
  await expect(row).toHaveText('Angriffsgeschwindigkeit beim Kampf mit Stangenwaffen: +100 %');
  for (const li of await list.locator('li').all()) expect(await li.getAttribute('title')).toBe(await li.textContent());
  // The user scrolls the list sideways (headless Chromium draws no scroll bars to drag) to the row's end,
  // which then lies inside the list's visible area.
  await list.hover();
  await page.mouse.wheel(1000, 0);
  await expect.poll(() => list.evaluate((ul) => ul.scrollLeft)).toBeGreaterThan(0);
  const end = await row.evaluate((li) => {
    const range = document.createRange();
    range.selectNodeContents(li);
    return range.getBoundingClientRect().right;
  });
  const visible = await list.evaluate((ul) => ul.getBoundingClientRect().left + ul.clientLeft + ul.clientWidth);
  expect(end).toBeLessThanOrEqual(visible + 0.5);
});
