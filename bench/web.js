// Measures the web page in Debian's headless Chromium (see bench/web.sh):
//   - what the page loads at start (every file fetched until ready, fonts
//     included) and the site's weight without the fonts,
//   - navigation to the first drawn plan (window.rollwerk.ready), each run in
//     a fresh browser, beside the same figure for an empty page served the
//     same way and for the window drawn without its planner (the generated
//     page without the core and the page's script); the planner's own share
//     is the difference of the medians; and the page's thread's busy time,
//     which tells the work done from the time spent waiting,
//   - where that time goes: the page's fetches and its start-up marks,
//   - a class change in the page, its updates and the layout they cause
//     included: the first in a fresh page, at once when it is ready and once
//     it has been idle for a moment (as a user's first click comes), the
//     same with the list opened first as a user picks a class, and many in a
//     warm one,
//   - the goals window's hardest goal: level 250, every row weighted, minimums
//     on every row of eight skills at 100 (Wendigkeit and Parade among them),
//     the points free to move; from a changed weight to the drawn answer.
// Each is measured with DevTools' performance domain attached to the page
// and without it (attached, it slows the page's first change severalfold);
// beside the wall time, the CPU time of the page's main thread, read from
// the kernel's account of the renderer's thread, which needs no DevTools.
// Prints medians (and the fastest run) of several runs.
const fs = require('node:fs');
const path = require('node:path');
const { chromium } = require('playwright');

const [site, empty, address, emptyAddress, windowAddress, runsText] = process.argv.slice(2);
// How long a fresh page is left idle before its first class change: it has
// drawn its frames and run its timers, as before a user's first click.
const IDLE_MS = 500;
// The moment between two steps of a first class change: the class list
// opened and its option clicked, the empty evaluation and the click.
const MOMENT_MS = 150;
const runs = Number(runsText);
const ARGS = require('../tests/web/browser-args.js');

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const fastest = (values) => Math.min(...values);

function weight(folder, skip) {
  let bytes = 0;
  for (const entry of fs.readdirSync(folder, { withFileTypes: true })) {
    const file = path.join(folder, entry.name);
    if (skip.includes(entry.name)) continue;
    bytes += entry.isDirectory() ? weight(file, skip) : fs.statSync(file).size;
  }
  return bytes;
}

// The CPU time of every renderer's main thread so far, in ms, by process
// (the kernel's schedstat, in ns): read without DevTools.
function rendererThreadCpu() {
  const cpu = new Map();
  for (const pid of fs.readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const command = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      // (the browser's own interface, should a version load it despite ARGS, is not the page)
      if (!command.includes('--type=renderer') || command.includes('--top-chrome-webui')) continue;
      cpu.set(pid, Number(fs.readFileSync(`/proc/${pid}/task/${pid}/schedstat`, 'utf8').split(' ')[0]) / 1e6);
    } catch {
      // a process that ended meanwhile
    }
  }
  return cpu;
}

// The page's main thread's CPU time since `before` (a rendererThreadCpu()):
// the renderer that worked most meanwhile is the page's (one browser runs at a time).
function pageThreadCpuSince(before) {
  let most = 0;
  for (const [pid, ms] of rendererThreadCpu()) most = Math.max(most, ms - (before.get(pid) ?? 0));
  return most;
}

// A fresh browser with its page; withDevtools attaches DevTools' performance domain to the page.
async function freshPage(withDevtools, options = {}) {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ARGS });
  const page = await browser.newPage(options);
  let devtools = null;
  if (withDevtools) {
    devtools = await page.context().newCDPSession(page);
    await devtools.send('Performance.enable', { timeDomain: 'threadTicks' });
  }
  return { browser, page, devtools };
}

// From the start of the navigation to the resolved ready promise, in a
// fresh browser: measured by the page's own clock (navigation start is its
// time origin) and by the wall clock around page.goto; the main thread's CPU
// time; the bytes of every file fetched until then.
async function timeToReady(url, withDevtools) {
  const { browser, page, devtools } = await freshPage(withDevtools);
  await page.addInitScript(() => {
    let rollwerk;
    Object.defineProperty(window, 'rollwerk', {
      configurable: true,
      get: () => rollwerk,
      set: (value) => {
        rollwerk = value;
        value.ready.then(() => { window.readyAt = performance.now(); });
      },
    });
  });
  const start = performance.now();
  await page.goto(url, { waitUntil: 'commit' });
  const committed = rendererThreadCpu();
  // Polled through the DevTools protocol: the page's policy forbids the eval of waitForFunction.
  let inPage;
  while ((inPage = await page.evaluate(() => window.readyAt)) === undefined);
  const wall = performance.now() - start;
  const cpu = pageThreadCpuSince(committed);
  // With DevTools: the page's thread's busy time (its tasks) until ready, on that thread's own clock.
  let busy;
  if (devtools) {
    const { metrics } = await devtools.send('Performance.getMetrics');
    busy = metrics.find((metric) => metric.name === 'TaskDuration').value * 1000;
  }
  const loaded = await page.evaluate(() => {
    const sizes = new Map();
    for (const entry of [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')]) {
      sizes.set(entry.name.split('#')[0], Math.max(sizes.get(entry.name.split('#')[0]) ?? 0, entry.encodedBodySize));
    }
    return [...sizes.values()].reduce((sum, size) => sum + size, 0);
  });
  const phases = await page.evaluate(phasesInPage);
  await browser.close();
  return { inPage, wall, cpu, busy, loaded, phases };
}

// The first class change of a fresh page that has been idle for a moment:
// an option clicked while the level field has the focus, which moves to the
// class box in the same task; or as a user picks a class, the list opened
// first from the box's button (its own task, a moment before) and then
// the option clicked.
async function idleFirstChange(url, withDevtools, listOpenedFirst) {
  const { browser, page } = await freshPage(withDevtools);
  await page.goto(url);
  await page.evaluate(() => window.rollwerk.ready);
  await page.waitForTimeout(IDLE_MS);
  let opening;
  if (listOpenedFirst) {
    opening = await page.evaluate(() => {
      const start = performance.now();
      document.getElementById('CBCharwahl-button').dispatchEvent(new PointerEvent('pointerdown',
        { bubbles: true, cancelable: true, button: 0, isPrimary: true }));
      void document.body.offsetHeight;
      return performance.now() - start;
    });
    await page.waitForTimeout(MOMENT_MS);
  }
  // The CPU time below includes the protocol's own evaluation of the script
  // that clicks: an empty one, a moment before, shows how much.
  const idle = rendererThreadCpu();
  await page.evaluate(() => 0);
  const evaluation = pageThreadCpuSince(idle);
  await page.waitForTimeout(MOMENT_MS);
  const before = rendererThreadCpu();
  const phases = await page.evaluate(phasesInPage);
  const cpu = pageThreadCpuSince(before);
  await browser.close();
  return { wall: phases['first class change (duration)'], cpu, evaluation, opening };
}

// Where the time to a drawn plan goes, on the page's clock from navigation
// start: the end of each fetch (resource timing) and the page's own marks.
// An empty page has none of them.
function phasesInPage() {
  const at = {};
  const navigation = performance.getEntriesByType('navigation')[0];
  if (navigation) at['page received'] = navigation.responseEnd;
  for (const entry of performance.getEntriesByType('resource')) {
    const file = entry.name.split('/').pop();
    if (/\.(m?js|wasm|css|woff2)$/.test(file)) at[`${file} received`] = entry.responseEnd;
  }
  for (const mark of performance.getEntriesByType('mark')) {
    if (mark.name.startsWith('rollwerk:')) at[mark.name] = mark.startTime;
  }
  // The first class change of a fresh page, the page's updates and their layout included.
  const option = document.querySelector('#CBCharwahl-list [role=option]:nth-child(2)');
  if (option) {
    const start = performance.now();
    option.click();
    void document.body.offsetHeight;
    at['first class change (duration)'] = performance.now() - start;
  }
  return at;
}

// Milliseconds per class change: a click on an option of the class list,
// the page's updates, and the style and layout work they cause.
async function classChanges(url, count) {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ARGS });
  const page = await browser.newPage();
  await page.goto(url);
  await page.evaluate(() => window.rollwerk.ready);
  const times = await page.evaluate((n) => {
    const options = [...document.querySelectorAll('#CBCharwahl-list [role=option]')];
    const box = document.getElementById('CBCharwahl');
    const result = [];
    for (let i = 0; i < n; ++i) {
      const option = options[(i + 1) % options.length];
      const start = performance.now();
      option.click();
      void document.body.offsetHeight; // style and layout of the changed page
      result.push(performance.now() - start);
      if (box.value !== option.textContent) throw new Error(`class box shows ${box.value}`);
    }
    return result;
  }, count);
  await browser.close();
  return times;
}

// Types into a field of the page and leaves it with Tab, as a user does.
async function typeAndLeave(page, id, text) {
  await page.click(`#${id}`);
  await page.keyboard.press('Control+A');
  await page.keyboard.type(text);
  await page.keyboard.press('Tab');
}

// Milliseconds per answer of the goals window for the hardest goal of one
// class (the core's benchmark's): the plan holds the eight skills at 100,
// whose rows' values become the minimums; each run changes one weight.
async function hardestGoal(url, className, count, withDevtools) {
  const { browser, page } = await freshPage(withDevtools, { viewport: { width: 1000, height: 720 } });
  await page.goto(url);
  await page.evaluate(() => window.rollwerk.ready);
  await page.click('#CBCharwahl-button');
  await page.locator('#CBCharwahl-list').getByRole('option', { name: className, exact: true }).click();
  await typeAndLeave(page, 'SpEStufeH', '250');
  const chosen = await page.evaluate(() => {
    const skills = [22, 24];
    const field = (s) => document.getElementById(`SpEFert${s}`);
    for (let s = 1; s <= 28; ++s) if (field(s).getAttribute('aria-valuemin') === '1' && !skills.includes(s)) skills.push(s);
    for (let s = 1; s <= 28 && skills.length < 8; ++s) if (!field(s).disabled && !skills.includes(s)) skills.push(s);
    return skills;
  });
  for (const s of chosen) await typeAndLeave(page, `SpEFert${s}`, '100');
  await page.click('#Programm1');
  await page.click('#PlanOptimieren1');
  await page.locator('#LZielWert').filter({ hasText: 'Zielwert' }).waitFor(); // the window's module loads first
  await page.evaluate(() => {
    const set = (input, value) => {
      input.value = String(value);
      input.dispatchEvent(new Event('change'));
    };
    const box = document.getElementById('CBBehalten');
    box.checked = false;
    box.dispatchEvent(new Event('change'));
    const shown = [...document.querySelectorAll('#LBBoni li')].map((li) => li.textContent);
    for (let row = 1; row <= 45; ++row) {
      const weight = document.getElementById(`SpEGewicht${row}`);
      if (weight.disabled) continue;
      set(weight, 10);
      const name = document.getElementById(`LZiel${row}`).textContent;
      const line = shown.find((text) => text.startsWith(`${name}: `));
      if (line) set(document.getElementById(`SpEMindest${row}`), Math.abs(parseInt(line.slice(name.length + 2), 10)));
    }
  });
  const before = rendererThreadCpu();
  const times = await page.evaluate((n) => {
    const set = (input, value) => {
      input.value = String(value);
      input.dispatchEvent(new Event('change'));
    };
    const value = document.getElementById('LZielWert');
    const weight = document.getElementById('SpEGewicht23');
    const result = [];
    for (let i = 0; i < n; ++i) {
      const start = performance.now();
      set(weight, i % 2 ? 10 : 9);
      void document.body.offsetHeight; // style and layout of the drawn answer
      result.push(performance.now() - start);
      if (!value.textContent.startsWith('Zielwert')) throw new Error(value.textContent);
    }
    return result;
  }, count);
  const cpu = pageThreadCpuSince(before) / count;
  await browser.close();
  return { times, cpu };
}

(async () => {
  const ms = (value) => `${value.toFixed(2)} ms`;
  const row = (name, values) =>
    console.log(`${name.padEnd(44)} median ${ms(median(values))}, fastest ${ms(fastest(values))}`);
  const kb = (size) => `${(size / 1024).toFixed(1)} KB`;
  const of = (list, key) => list.map((run) => run[key]);
  const skip = ['fonts', path.basename(empty), path.basename(new URL(windowAddress).pathname)];
  const bytes = weight(site, skip);
  console.log(`site weight without fonts                    ${kb(bytes)} (${bytes} bytes)`);
  const files = fs.readdirSync(site).filter((file) => !skip.includes(file));
  const sizeOf = (file) => (fs.statSync(file).isDirectory() ? weight(file, skip) : fs.statSync(file).size);
  const sizes = files.map((file) => `${file} ${kb(sizeOf(path.join(site, file)))}`);
  console.log(`  of which: ${sizes.join(', ')}`);
  await timeToReady(address, false); // warm the disk cache once

  for (const withDevtools of [false, true]) {
    const planner = [];
    const blank = [];
    const bare = [];
    for (let i = 0; i < runs; ++i) {
      planner.push(await timeToReady(address, withDevtools));
      blank.push(await timeToReady(emptyAddress, withDevtools));
      bare.push(await timeToReady(windowAddress, withDevtools));
    }
    const idleChanges = [];
    const pickedChanges = [];
    for (let i = 0; i < runs; ++i) {
      idleChanges.push(await idleFirstChange(address, withDevtools, false));
      pickedChanges.push(await idleFirstChange(address, withDevtools, true));
    }
    console.log(`\n${withDevtools ? 'WITH' : 'WITHOUT'} DevTools' performance domain attached:`);
    const loaded = median(of(planner, 'loaded'));
    console.log(`loaded at start, fonts included              ${kb(loaded)} (${loaded} bytes; target < 250 KB)`);
    const clocks = [['page clock, from navigation start', 'inPage'], ['wall clock, around page.goto', 'wall'],
      ["the page's main thread's CPU time from the navigation's commit (kernel)", 'cpu']];
    for (const [clock, key] of clocks) {
      console.log(`${clock}, ${runs} runs each, a fresh browser per run:`);
      row('  navigation to the first drawn plan', of(planner, key));
      row('  navigation to an empty page, same way', of(blank, key));
      row('  navigation to the window without planner', of(bare, key));
      const share = median(of(planner, key)) - median(of(blank, key));
      console.log(`  planner's own share (difference of medians)  ${share.toFixed(2)} ms (target < 50 ms)`);
      const beyond = median(of(planner, key)) - median(of(bare, key));
      console.log(`  of which beyond the window drawn without it   ${beyond.toFixed(2)} ms`);
    }
    if (withDevtools) {
      console.log(`the page's thread busy until ready (DevTools' task time), ${runs} runs each:`);
      row('  the planner', of(planner, 'busy'));
      row('  the empty page', of(blank, 'busy'));
      row('  the window without planner', of(bare, 'busy'));
    }
    console.log(`where the time goes, page clock from navigation start, median of ${runs} runs:`);
    const names = [...new Set(planner.flatMap((run) => Object.keys(run.phases)))];
    const medianOf = (name) => median(planner.map((run) => run.phases[name]).filter((value) => value !== undefined));
    names.sort((a, b) => medianOf(a) - medianOf(b));
    for (const name of names.filter((entry) => !entry.includes('(duration)'))) {
      console.log(`  ${name.padEnd(42)} ${ms(medianOf(name))}`);
    }
    row('first class change in a fresh page, at ready', planner.map((run) => run.phases['first class change (duration)']));
    row(`  the same after ${IDLE_MS} ms idle, wall`, of(idleChanges, 'wall'));
    row(`  the same after ${IDLE_MS} ms idle, main thread CPU`, of(idleChanges, 'cpu'));
    row('  of which an empty evaluation, about', of(idleChanges, 'evaluation'));
    console.log(`  picked as a user does, after ${IDLE_MS} ms idle: the list opened, ${MOMENT_MS} ms later the option`);
    row('    opening the list, wall', of(pickedChanges, 'opening'));
    row('    the option clicked, wall', of(pickedChanges, 'wall'));
    row('    the option clicked, main thread CPU', of(pickedChanges, 'cpu'));
    row('    of which an empty evaluation, about', of(pickedChanges, 'evaluation'));
    console.log(`(first class change target < ${withDevtools ? 5 : 3} ms)`);
    console.log('hardest goal, from a changed weight to the drawn answer, 20 runs per class:');
    const classes = ['Gladiator', 'Seraphim', 'Waldelfin', 'Dunkelelf', 'Kampfmagier', 'Vampirin'];
    for (const className of classes) {
      const { times, cpu } = await hardestGoal(address, className, 20, withDevtools);
      row(`  ${className}`, times);
      console.log(`  ${''.padEnd(42)} main thread CPU ${ms(cpu)} per change (mean)`);
    }
    console.log('(goal target < 16 ms without DevTools)');
  }
  const changes = await classChanges(address, 600);
  row(`class change with the page's updates (${changes.length}), warm`, changes);
  console.log('(class change target < 2 ms)');
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
