// What the keyboard does in a number field: the character filter, the
// 3-character limit, paste cut to the room left, Backspace. The level field,
// its text "1" selected first.
const { test, expect } = require('@playwright/test');
const { openPlanner, typeOver } = require('./planner-page');

test.use({ permissions: ['clipboard-read', 'clipboard-write'] });

// Typed text, or { press } for a key, or { paste } for the clipboard's text.
const TYPING = [
  { name: 'letters are refused', keys: ['2a5'], shown: '25' },
  { name: 'Enter is refused', keys: ['4', { press: 'Enter' }, '2'], shown: '42' },
  { name: 'three characters at most', keys: ['1234'], shown: '123' },
  { name: 'a sign is typed', keys: ['+7'], shown: '+7' },
  { name: 'Backspace deletes', keys: ['12', { press: 'Backspace' }], shown: '1' },
  { name: 'a paste is cut to the room left', keys: ['1', { paste: '2345' }], shown: '123' },
  { name: 'a level over 250 is set back to 1', keys: ['9', { paste: '87' }], shown: '1' },
  { name: 'a paste is not filtered', keys: [{ paste: '1x' }], shown: '1x' },
];

for (const row of TYPING) {
  test(`level field: ${row.name}`, async ({ page }) => {
    await openPlanner(page);
    await typeOver(page, 'SpEStufeH', '');
    for (const key of row.keys) {
      if (typeof key === 'string') {
        await page.keyboard.type(key);
      } else if (key.press) {
        await page.keyboard.press(key.press);
      } else {
        await page.evaluate((text) => navigator.clipboard.writeText(text), key.paste);
        await page.keyboard.press('Control+V');
      }
    }
    await expect(page.locator('#SpEStufeH')).toHaveValue(row.shown);
  });
}

// Keys that change nothing leave nothing behind: a digit over the field's
// maximum, a Backspace in an empty field. No element or text node is made
// for them (the text typed and the procedure's answer are written once, as
// the action ends), so the page's size stays flat however long it is used.
test('a few hundred keys into one field leave the node count flat', async ({ page }) => {
  await openPlanner(page);
  const session = await page.context().newCDPSession(page);
  // Counted without a garbage collection: nodes made and dropped count until one runs,
  // so the count is taken every few keys and the largest is compared.
  const nodes = async () => (await session.send('Memory.getDOMCounters')).nodes;
  await page.click('#SpEFert1');
  await page.keyboard.type('1');
  await session.send('HeapProfiler.collectGarbage');
  const before = await nodes();
  let most = before;
  const keys = [...Array(300).fill('1'), ...Array(100).fill('Backspace')];
  for (const [index, key] of keys.entries()) {
    await page.keyboard.press(key);
    if (index % 10 === 9) most = Math.max(most, await nodes());
  }
  expect(most - before).toBeLessThan(10);
});
