// The worked examples of the core tests (tests/data/scenarios.txt, whose
// head explains the format), read for the browser.
const fs = require('node:fs');
const path = require('node:path');

const FILE = path.resolve(__dirname, '../data/scenarios.txt');

function readScenarios() {
  const scenarios = [];
  for (const line of fs.readFileSync(FILE, 'utf8').split('\n')) {
    if (line === '' || line.startsWith('#')) continue;
    const blank = line.indexOf(' ');
    const key = blank < 0 ? line : line.slice(0, blank);
    const values = blank < 0 ? '' : line.slice(blank + 1);
    if (key === 'scenario') {
      scenarios.push({ name: values, actions: [], expected: { className: 'Gladiator', level: '1', skills: {} } });
      continue;
    }
    const { actions, expected } = scenarios[scenarios.length - 1];
    const numbers = () => values.split(' ').map(Number);
    switch (key) {
      case 'do': actions.push(values); break;
      case 'class': expected.className = values; break;
      case 'level': expected.level = values; break;
      case 'free': expected.freePoints = values; break;
      case 'slots': expected.freeSlots = values; break;
      case 'enabled': expected.enabled = numbers(); break;
      case 'bonus': (expected.bonus ??= []).push(values); break;
      case 'runs': break; // how often the procedures ran: not visible in the page
      case 'skills':
        for (const pair of values.split(' ')) {
          const [skill, text] = pair.split('=');
          expected.skills[skill] = text;
        }
        break;
      default: throw new Error(`${FILE}: not understood: ${line}`);
    }
  }
  return scenarios;
}

module.exports = { readScenarios };
