// Drives the planner page the way a user does, through real mouse and
// keyboard events, and reads what the page shows, by the element ids the
// page shares with the desktop program.
const { expect } = require('@playwright/test');

const SKILLS = 28;
// The class list, in the order of the catalogue.
const CLASSES = ['Gladiator', 'Seraphim', 'Waldelfin', 'Dunkelelf', 'Kampfmagier', 'Vampirin'];
const AVAILABLE = 'rgb(130, 255, 139)';
const LOCKED = 'rgb(255, 128, 128)';
// The desktop window's keyboard order of the skill fields.
const SKILL_TAB_ORDER = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 22, 20, 13, 14, 15, 16, 17, 18, 19, 21, 23, 24, 25, 26,
  27, 28];

const fieldId = (field) => (Number(field) === 0 ? 'SpEStufeH' : `SpEFert${field}`);

async function openPlanner(page, address = '/') {
  await page.goto(address);
  await page.evaluate(() => window.rollwerk.ready);
}

// Selects the field's whole text and types over it.
async function typeOver(page, id, text) {
  await page.click(`#${id}`);
  await page.keyboard.press('Control+A');
  await page.keyboard.type(text);
}

async function pickClass(page, name) {
  await page.click('#CBCharwahl-button');
  await page.locator('#CBCharwahl-list').getByRole('option', { name, exact: true }).click();
}

// One "do" line of the scenario table.
async function act(page, action) {
  const [verb, ...args] = action.split(' ');
  switch (verb) {
    case 'level': return typeOver(page, 'SpEStufeH', args[0]);
    case 'skill': return typeOver(page, fieldId(args[0]), args[1]);
    case 'up':
    case 'down': return page.click(`#${fieldId(args[0])}-${verb}`);
    case 'leave':
      await page.focus(`#${fieldId(args[0])}`);
      return page.click('#LBBoni');
    case 'pick': return pickClass(page, args[0]);
    case 'class': return typeOver(page, 'CBCharwahl', args[0]);
    default: throw new Error(`no action: ${action}`);
  }
}

// Everything the page shows of the plan.
function readPlan(page) {
  return page.evaluate((skills) => {
    const field = (id) => {
      const input = document.getElementById(id);
      return {
        text: input.value,
        minimum: input.getAttribute('aria-valuemin'),
        maximum: input.getAttribute('aria-valuemax'),
        enabled: !input.disabled,
        colour: getComputedStyle(input).backgroundColor,
      };
    };
    return {
      className: document.getElementById('CBCharwahl').value,
      level: field('SpEStufeH'),
      skills: Array.from({ length: skills }, (_, i) => ({
        ...field(`SpEFert${i + 1}`),
        captionDisabled: document.getElementById(`LFert${i + 1}Head`).getAttribute('aria-disabled') === 'true',
      })),
      freePoints: document.getElementById('LFertFrei').textContent,
      freeSlots: document.getElementById('LFertGesAnzeige').textContent,
      bonus: [...document.querySelectorAll('#LBBoni li')].map((li) => li.textContent),
    };
  }, SKILLS);
}

// The checks of the core's scenario test, on what the page shows.
function expectPlan(plan, expected) {
  expect(plan.className).toBe(expected.className);
  expect(plan.level.text).toBe(expected.level);
  const level = /^[+-]?\d+$/.test(plan.level.text) ? Number(plan.level.text) : Number(plan.level.minimum);
  plan.skills.forEach((skill, index) => {
    const s = index + 1;
    expect(skill.text, `skill ${s}`).toBe(expected.skills[s] ?? '0');
    expect(skill.maximum, `skill ${s} maximum`).toBe(String(level));
    if (expected.enabled) {
      const enabled = expected.enabled.includes(s);
      expect(skill.enabled, `skill ${s} enabled`).toBe(enabled);
      expect(skill.captionDisabled, `caption ${s} disabled`).toBe(!enabled);
      expect(skill.colour, `skill ${s} colour`).toBe(enabled ? AVAILABLE : LOCKED);
    }
  });
  expect(plan.freePoints).toBe(`Freie Fertigkeitspunkte: ${expected.freePoints}`);
  expect(plan.freeSlots).toBe(expected.freeSlots);
  if (expected.bonus) expect(plan.bonus).toEqual(expected.bonus);
}

const activeId = (page) => page.evaluate(() => document.activeElement?.id ?? '');

module.exports = {
  CLASSES, SKILLS, SKILL_TAB_ORDER, AVAILABLE, LOCKED, fieldId, openPlanner, typeOver, pickClass, act, readPlan,
  expectPlan, activeId,
};
