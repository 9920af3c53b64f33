// What Chromium's accessibility tree says about the page: roles, the
// desktop program's accessible names, ranges and locked fields.
const { test, expect } = require('@playwright/test');
const { openPlanner, typeOver } = require('./planner-page');

const CAPTIONS = ['Waffenkunde', 'Magiekunde', 'Faustkampf', 'Zwei-Waffenkampf', 'Schwertkunde', 'Axtkampf',
  'Klingenwaffen', 'Stangenwaffen', 'Fernkampf', 'Himmelsmagie', 'Feuermagie', 'Wassermagie', 'Luftmagie', 'Erdmagie',
  'Mondmagie', 'Ballistik', 'Blutrausch', 'Konzentration', 'Fallenkunst', 'Vampirismus', 'Meditation', 'Wendigkeit',
  'Konstitution', 'Parade', 'Rüstung', 'Handel', 'Reiten', 'Entwaffnung'];

// Element id, role, accessible name, and for number fields the range,
// whether the field is locked and the shown text, in the initial plan; the
// skill fields take their names from their captions.
const NODES = [
  { id: 'SpEStufeH', role: 'spinbutton', name: 'Stufe des Charakters', min: 1, max: 250, disabled: false, text: '1' },
  { id: 'CBCharwahl', role: 'combobox', name: 'Charakterklasse' },
  { id: 'LBBoni', name: 'resultierende Boni' },
  ...CAPTIONS.map((name, i) => ({
    id: `SpEFert${i + 1}`, role: 'spinbutton', name, min: i === 0 || i === 17 ? 1 : 0, max: 1,
    disabled: i !== 0 && i !== 17, text: i === 0 || i === 17 ? '1' : '0', label: `LFert${i + 1}Head`,
  })),
];

// The node of Chromium's accessibility tree for the element with this id.
async function axNode(client, id) {
  const expression = `document.getElementById(${JSON.stringify(id)})`;
  const { result } = await client.send('Runtime.evaluate', { expression });
  const { nodes } = await client.send('Accessibility.getPartialAXTree', {
    objectId: result.objectId,
    fetchRelatives: false,
  });
  const node = nodes.find((n) => !n.ignored) ?? nodes[0];
  const property = (name) => {
    const value = node.properties?.find((p) => p.name === name)?.value;
    return value?.relatedNodes ?? value?.value;
  };
  return {
    role: node.role?.value,
    name: node.name?.value,
    min: property('valuemin'),
    max: property('valuemax'),
    disabled: property('disabled') ?? false,
    text: property('valuetext'),
    labels: (property('labelledby') ?? []).map((related) => related.idref),
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
      expect(node.text, `${expected.id} value text`).toBe(expected.text);
    }
    if (expected.label) expect(node.labels, `${expected.id} label`).toEqual([expected.label]);
  }
});

test('the tree follows a change of the plan', async ({ page }) => {
  await openPlanner(page);
  await typeOver(page, 'SpEStufeH', '3');
  await typeOver(page, 'SpEFert3', '2');
  const client = await page.context().newCDPSession(page);
  await client.send('Accessibility.enable');
  expect(await axNode(client, 'SpEStufeH')).toMatchObject({ text: '3', min: 1, max: 250 });
  expect(await axNode(client, 'SpEFert3')).toMatchObject({ text: '2', min: 0, max: 3, disabled: false });
  expect(await axNode(client, 'SpEFert2')).toMatchObject({ text: '0', max: 3, disabled: true });
});

test('the plans window names its parts as the desktop window does, and a differing cell says so', async ({ page }) => {
  await openPlanner(page);
  await typeOver(page, 'SpEStufeH', '3');
  await page.click('#Programm1');
  await page.click('#Plaene1');
  await page.fill('#EPlanName', 'Dritte Stufe');
  await page.click('#BPlanSpeichern');
  await typeOver(page, 'SpEStufeH', '5');
  await page.keyboard.press('Tab');
  const client = await page.context().newCDPSession(page);
  await client.send('Accessibility.enable');
  const expected = {
    FPlaene: { role: 'dialog', name: 'Pläne' },
    LBPlaene: { role: 'listbox', name: 'Gespeicherte Pläne' },
    'LBPlaene-row-0': { role: 'option', name: expect.stringMatching(/^Dritte Stufe – Gladiator, Stufe 3, /) },
    EPlanName: { role: 'textbox', name: 'Name' },
    BPlanSpeichern: { role: 'button', name: 'Speichern' },
    BPlanOeffnen: { role: 'button', name: 'Öffnen' },
    BPlanLoeschen: { role: 'button', name: 'Löschen' },
    BPlaeneKopieren: { role: 'button', name: 'Alle kopieren' },
    BPlaeneEinfuegen: { role: 'button', name: 'Alle einfügen' },
    TVPlanVergleich: { role: 'table', name: 'Vergleich' },
  };
  for (const [id, node] of Object.entries(expected)) expect(await axNode(client, id), id).toMatchObject(node);
  const level = await page.evaluate(() => {
    const row = [...document.querySelectorAll('#TVPlanVergleich tbody tr')].find((tr) => tr.cells[0].textContent === 'Stufe');
    row.cells[2].id = 'gespeicherte-stufe';
    return row.cells[2].textContent;
  });
  expect(level).toBe('3 (−2)');
  const cell = await client.send('Runtime.evaluate', { expression: 'document.getElementById("gespeicherte-stufe")' });
  const { nodes } = await client.send('Accessibility.getPartialAXTree', { objectId: cell.result.objectId,
    fetchRelatives: false });
  const described = nodes.find((n) => !n.ignored);
  expect(described.role.value).toBe('cell');
  expect(described.description?.value).toBe('weicht vom angezeigten Plan ab');
});
