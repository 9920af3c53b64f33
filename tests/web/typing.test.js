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
