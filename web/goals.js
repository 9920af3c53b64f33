// The goals window "Plan optimieren": a target level, a weight and a minimum
// per bonus row; the core finds the best plan for them and makes every text
// shown here. The window is not modal and follows every change of the plan.

import { toolWindow } from './tool-window.js';

const SVG = 'http://www.w3.org/2000/svg';
const CHART_WIDTH = 240;
const MARGIN = 6;
const TEXT_HEIGHT = 16;

// A number field of the window: the value it holds is an integer in its
// range, the input's min and max (written with the page from the core's
// limits; the core checks every goal against them again). A value typed in
// counts at once; leaving the field (or Enter) brings what is out of range or
// no number back into the range.
function numberField(input, onChanged) {
  const minimum = Number(input.min);
  const maximum = Number(input.max);
  const clamped = (number) => Math.min(maximum, Math.max(minimum, number));
  let value = Number(input.value);
  const take = (settle) => {
    const typed = input.value.trim() === '' ? Number.NaN : Number(input.value);
    let next = value;
    if (Number.isFinite(typed)) next = clamped(Math.round(typed));
    else if (!settle) return;
    if (!settle && next !== typed) return;
    if (settle && input.value !== String(next)) input.value = String(next);
    if (next === value) return;
    value = next;
    onChanged();
  };
  input.addEventListener('input', () => take(false));
  input.addEventListener('change', () => take(true));
  return {
    get value() {
      return value;
    },
    set value(next) {
      value = next;
      input.value = String(next);
    },
    clamped,
  };
}

function element(document, name, attributes = {}, namespace = null) {
  const node = namespace ? document.createElementNS(namespace, name) : document.createElement(name);
  for (const [key, text] of Object.entries(attributes)) node.setAttribute(key, text);
  return node;
}

// A parent's children made to count, reusing those it has: a changed answer
// changes only the nodes that differ, instead of the page making them anew.
function children(parent, count, make) {
  while (parent.children.length > count) parent.lastElementChild.remove();
  while (parent.children.length < count) parent.append(make());
  return [...parent.children];
}

const setText = (node, text) => {
  if (node.textContent !== text) node.textContent = text;
};

function setAttributes(node, attributes) {
  for (const [key, value] of Object.entries(attributes)) {
    const text = String(value);
    if (node.getAttribute(key) !== text) node.setAttribute(key, text);
  }
}

// A list's lines, each with its tooltip.
function showLines(document, list, lines, tips = []) {
  children(list, lines.length, () => element(document, 'li')).forEach((item, index) => {
    setText(item, lines[index]);
    if (item.title !== (tips[index] ?? '')) item.title = tips[index] ?? '';
  });
}

// Chart width for the core to lay the curves out in: as wide as the box (its
// scroll bar left out), never narrower than a readable chart.
const chartWidth = (svg) => Math.max(CHART_WIDTH, svg.parentElement.clientWidth);

// The curves as the core laid them out: per curve its title, the axes, the
// line over the skill values 0 to the level, the current value grey and the
// proposed one red; without curves, the texts the page carries from the core.
function drawCurves(document, svg, { curves, chartsHeight: height }, width) {
  setAttributes(svg, { width, height, viewBox: `0 0 ${width} ${height}` });
  setAttributes(svg, {
    'aria-description': curves.length ? curves.map((c) => c.title).join('\n') : svg.dataset.noCurvesDescription,
  });
  if (!curves.length) {
    const text = element(document, 'text', { x: MARGIN, y: MARGIN + TEXT_HEIGHT - 4 }, SVG);
    text.textContent = svg.dataset.noCurvesText;
    svg.replaceChildren(text);
    return;
  }
  if (svg.firstElementChild && svg.firstElementChild.localName !== 'g') svg.replaceChildren();
  const makeGroup = () => {
    const group = element(document, 'g', { class: 'curve' }, SVG);
    group.append(element(document, 'title', {}, SVG), element(document, 'text', {}, SVG),
      element(document, 'path', { class: 'axes' }, SVG), element(document, 'polyline', { class: 'line' }, SVG),
      element(document, 'circle', { class: 'current' }, SVG), element(document, 'circle', { class: 'proposed' }, SVG));
    return group;
  };
  children(svg, curves.length, makeGroup).forEach((group, index) => {
    const curve = curves[index];
    const [tip, title, axes, line, current, proposed] = group.children;
    setText(tip, curve.title);
    setText(title, curve.title);
    setAttributes(title, { x: curve.titleAt[0], y: curve.titleAt[1] });
    setAttributes(axes, { d: curve.axes });
    setAttributes(line, { points: curve.points });
    const marker = (node, [cx, cy, r]) => setAttributes(node, { cx, cy, r });
    marker(current, curve.current);
    marker(proposed, curve.proposed);
  });
}

// The window bound to the page: view holds the planner; apply(code) enters a
// plan's code as "Plan einfügen" does; goalChanged() runs when the goal the
// link carries changes; onError shows an error of the core.
export function setUpGoals(document, core, view, { apply, goalChanged, onError }) {
  const dialog = document.getElementById('FZiel');
  const byId = (id) => document.getElementById(id);
  const curvesView = byId('PBKurven');
  const rowsBox = byId('FZielZeilen');
  const body = rowsBox.querySelector('tbody');
  const lists = ['LBVorschlag', 'LBLetzterPunkt', 'LBVergleich'].map(byId);
  const [proposalList, lastPointList, comparisonList] = lists;
  const take = byId('BUebernehmen');
  let rows = null;
  let code = '';
  let level = null;
  let keep = null;
  let frame = null;
  let pending = 0;

  // The rows are made when the window first opens, not while the page starts.
  const makeRows = () => {
    if (rows) return;
    const names = core.goalRowNames();
    rows = names.map((name, index) => {
      const row = index + 1;
      const tr = element(document, 'tr');
      const label = element(document, 'label', { id: `LZiel${row}`, for: `SpEGewicht${row}` });
      label.textContent = name;
      const cell = (input) => {
        const td = element(document, 'td');
        td.append(input);
        return td;
      };
      // A row's weight or minimum: its limit and its accessible name's start from the box's data.
      const number = (id, kind) => element(document, 'input', {
        id, type: 'number', inputmode: 'numeric', min: 0, max: rowsBox.dataset[`${kind}Max`], step: 1, value: 0,
        'aria-label': rowsBox.dataset[`${kind}Name`] + name,
      });
      const weightInput = number(`SpEGewicht${row}`, 'weight');
      const minimumInput = number(`SpEMindest${row}`, 'minimum');
      const nameCell = element(document, 'th', { scope: 'row' });
      nameCell.append(label);
      tr.append(nameCell, cell(weightInput), cell(minimumInput));
      body.append(tr);
      return {
        tr,
        inputs: [weightInput, minimumInput],
        weight: numberField(weightInput, changed),
        minimum: numberField(minimumInput, changed),
      };
    });
  };

  const goal = () => ({
    level: level.value,
    keepSpent: keep.checked,
    weights: rows.map((row) => row.weight.value),
    minimums: rows.map((row) => row.minimum.value),
  });

  const refresh = () => {
    cancelAnimationFrame(pending);
    pending = 0;
    if (!dialog.open) return;
    const { level: target, keepSpent, weights, minimums } = goal();
    let answer;
    try {
      answer = core.goalAnswer(view.planner, target, keepSpent, weights, minimums, chartWidth(curvesView), TEXT_HEIGHT);
    } catch (error) {
      onError(error);
      return;
    }
    answer.reachable.forEach((reachable, index) => {
      rows[index].tr.classList.toggle('disabled', !reachable);
      for (const input of rows[index].inputs) input.disabled = !reachable;
    });
    byId('LZielWert').textContent = answer.value;
    showLines(document, proposalList, answer.proposal, answer.proposalTips);
    showLines(document, lastPointList, answer.lastPoints, answer.lastPointTips);
    showLines(document, comparisonList, answer.comparison);
    drawCurves(document, curvesView, answer, chartWidth(curvesView));
    code = answer.code;
    take.disabled = !answer.found;
  };

  function changed() {
    refresh();
    goalChanged();
  }

  const setUp = () => {
    if (level) return;
    makeRows();
    level = numberField(byId('SpEZielStufe'), changed);
    keep = byId('CBBehalten');
    keep.addEventListener('change', changed);
    take.addEventListener('click', () => {
      if (code) apply(code);
      refresh();
    });
    frame = toolWindow(document, dialog, { titleBar: byId('FZielTitel'), closeButton: byId('BSchliessen'),
      onClosed: goalChanged });
  };

  const show = () => {
    frame.show();
    refresh();
    goalChanged();
    byId('SpEZielStufe').focus();
  };

  return {
    // "Plan optimieren …": the target level starts at the plan's level; the rest stays as it was.
    open: () => {
      setUp();
      level.value = level.clamped(view.fields[0].number);
      show();
    },
    // A goal read from a link: { level, keepSpent, weights, minimums }.
    openWith: (read) => {
      setUp();
      level.value = read.level;
      keep.checked = read.keepSpent;
      rows.forEach((row, index) => {
        row.weight.value = read.weights[index];
        row.minimum.value = read.minimums[index];
      });
      show();
    },
    // After every change of the plan, once per frame at most.
    planChanged: () => {
      if (dialog.open && !pending) pending = requestAnimationFrame(refresh);
    },
    refresh,
    // The goal as the link carries it, empty while the window is closed or weights and bounds nothing.
    linkPart: () => {
      if (!dialog.open) return '';
      const current = goal();
      if (![...current.weights, ...current.minimums].some((n) => n > 0)) return '';
      return core.goalLink(current.level, current.keepSpent, current.weights, current.minimums);
    },
  };
}
