// What Chromium's accessibility tree says about the page: roles, the
// desktop program's accessible names, ranges and locked fields.
const { test, expect } = require('@playwright/test');
const { openPlanner } = require('./planner-page');

const CAPTIONS = ['Waffenkunde', 'Magiekunde', 'Faustkampf', 'Zwei-Waffenkampf', 'Schwertkunde', 'Axtkampf',
  'Klingenwaffen', 'Stangenwaffen', 'Fernkampf', 'Himmelsmagie', 'Feuermagie', 'Wassermagie', 'Luftmagie', 'Erdmagie',
  'Mondmagie', 'Ballistik', 'Blutrausch', 'Konzentration', 'Fallenkunst', 'Vampirismus', 'Meditation', 'Wendigkeit',
  'Konstitution', 'Parade', 'Rüstung', 'Handel', 'Reiten', 'Entwaffnung'];

// Element id, role, accessible name, and for number fields the range and
// whether the field is locked in the initial plan.
const NODES = [
  { id: 'SpEStufeH', role: 'spinbutton', name: 'Stufe des Charakters', min: 1, max: 250, disabled: false },
  { id: 'CBCharwahl', role: 'combobox', name: 'Charakterklasse' },
  { id: 'LBBoni', name: 'resultierende Boni' },
  ...CAPTIONS.map((name, i) => ({
    id: `SpEFert${i + 1}`, role: 'spinbutton', name, min: i === 0 || i === 17 ? 1 : 0, max: 1,
    disabled: i !== 0 && i !== 17,
  })),
];

// The node of Chromium's accessibility tree for the element with this id.
async function axNode(client, id) {
  const { result } = await client.send('Runtime.evaluate', { expression: `document.getElementById(${JSON.stringify(id)})` });
  const { nodes } = await client.send('Accessibility.getPartialAXTree', { objectId: result.objectId, fetchRelatives: false });
  const node = nodes.find((n) => !n.ignored) ?? nodes[0];
  const property = (name) => node.properties?.find((p) => p.name === name)?.value.value;
  return {
    role: node.role?.value,
    name: node.name?.value,
    min: property('valuemin'),
    max: property('valuemax'),
    disabled: property('disabled') ?? false,
  };
}

test('every field has its role and the desktop program\'s accessible name', async ({ page }) => {
  await openPlanner(page);
  const client = await page.context().newCDPSession(page);
  await client.send('Accessibility.enable');
  for (const expected of NODES) {
    const node = await axNode(client, expected.id);
    expect(node.name, expected.id).toBe(expected.name);
    if (expected.role) expect(node.role, expected.id).toBe(expected.role);
    if (expected.min !== undefined) {
      expect([node.min, node.max], `${expected.id} range`).toEqual([expected.min, expected.max]);
      expect(node.disabled, `${expected.id} locked`).toBe(expected.disabled);
    }
  }
});
