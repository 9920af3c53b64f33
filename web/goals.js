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
// limits, or set from the answer; the core checks every goal against them
// again). A value typed in counts at once; leaving the field (or Enter)
// brings what is out of range or no number back into the range.
function numberField(input, onChanged) {
  const clamped = (number) => Math.min(Number(input.max), Math.max(Number(input.min), number));
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

// A list scrolled just so far that one of its items shows whole.
function scrollTo(list, item) {
  const top = item.offsetTop - list.firstElementChild.offsetTop;
  if (top < list.scrollTop) list.scrollTop = top;
  else if (top + item.offsetHeight > list.scrollTop + list.clientHeight) {
    list.scrollTop = top + item.offsetHeight - list.clientHeight;
  }
}

// Chart width for the core to lay the curves out in: as wide as the box (its
// scroll bar left out), never narrower than a readable chart.
const chartWidth = (svg) => Math.max(CHART_WIDTH, svg.parentElement.clientWidth);

// Charts as the core laid them out (the bonus curves, the levelling path's
// objective): per chart its title, the axes, the line, one marker grey and
// one red; without charts, the texts the page carries from the core.
function drawCharts(document, svg, charts, height, width, empty) {
  setAttributes(svg, { width, height, viewBox: `0 0 ${width} ${height}` });
  setAttributes(svg, { 'aria-description': charts.length ? charts.map((c) => c.title).join('\n') : empty.description });
  if (!charts.length) {
    const text = element(document, 'text', { x: MARGIN, y: MARGIN + TEXT_HEIGHT - 4 }, SVG);
    text.textContent = empty.text;
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
  children(svg, charts.length, makeGroup).forEach((group, index) => {
    const chart = charts[index];
    const [tip, title, axes, line, current, proposed] = group.children;
    setText(tip, chart.title);
    setText(title, chart.title);
    setAttributes(title, { x: chart.titleAt[0], y: chart.titleAt[1] });
    setAttributes(axes, { d: chart.axes });
    setAttributes(line, { points: chart.points });
    const marker = (node, [cx, cy, r]) => setAttributes(node, { cx, cy, r });
    marker(current, chart.current);
    marker(proposed, chart.proposed);
  });
}

// The window bound to the page: view holds the planner; apply(code) enters
// the proposal's code as "Plan einfügen" does, takePath(code) the path's plan
// at a level; goalChanged() runs when the goal the link carries changes;
// onError shows an error of the core; contextMenu(menu, area, frame,
// commands) makes a context menu as the main window's; copy(text, failed)
// puts a text on the clipboard, or shows it with the message failed.
export function setUpGoals(document, core, view, { apply, takePath, goalChanged, onError, contextMenu, copy }) {
  const dialog = document.getElementById('FZiel');
  const byId = (id) => document.getElementById(id);
  const curvesView = byId('PBKurven');
  const pathView = byId('PBStufenweg');
  const rowsBox = byId('FZielZeilen');
  const body = rowsBox.querySelector('tbody');
  const lists = ['LBVorschlag', 'LBGrenzen', 'LBLetzterPunkt', 'LBVergleich', 'LBStufenweg'].map(byId);
  const [proposalList, limitList, lastPointList, comparisonList, pathList] = lists;
  const take = byId('BUebernehmen');
  const takePathButton = byId('BWegUebernehmen');
  const pathMenu = byId('StufenwegMenu');
  const noCurves = { description: curvesView.dataset.noCurvesDescription, text: curvesView.dataset.noCurvesText };
  let rows = null;
  let code = '';
  let path = null; // the answer's levelling path: rows, rowLevels, text, from, to, level, chart, code
  let level = null;
  let pathLevel = null;
  let pathLevelAsked = 0; // the level to mark on the path; 0: the goal's level
  let keep = null;
  let frame = null;
  let pending = 0;
  // The width the charts are laid out for, kept as the box's size changes:
  // read in refresh(), after the user's edit of a field, it would lay the
  // whole window out before the answer changes it again.
  let width = 0;
  const sized = new ResizeObserver(() => {
    const next = chartWidth(curvesView);
    if (next === width) return;
    width = next;
    refresh();
  });

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
      answer = core.goalAnswer(view.planner, target, keepSpent, weights, minimums, width, TEXT_HEIGHT, pathLevelAsked);
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
    showLines(document, limitList, answer.limits);
    showLines(document, lastPointList, answer.lastPoints, answer.lastPointTips);
    showLines(document, comparisonList, answer.comparison);
    drawCharts(document, curvesView, answer.curves, answer.chartsHeight, width, noCurves);
    code = answer.code;
    take.disabled = !answer.code;
    showPath(answer.path, width);
  };

  // The levelling path: its rows (the one holding the level of SpEWegStufe
  // marked, and scrolled to when that level moves), its chart with that
  // level marked, and the field's range from the path's first level to the goal's.
  const showPath = (answer, width) => {
    const moved = !path || path.level !== answer.level;
    path = answer;
    showLines(document, pathList, path.rows);
    [...pathList.children].forEach((item, index) => {
      const [from, to] = path.rowLevels[index];
      const marked = from <= path.level && path.level <= to;
      if (marked) item.setAttribute('aria-current', 'true');
      else item.removeAttribute('aria-current');
      if (marked && moved) scrollTo(pathList, item);
    });
    const charts = path.chart ? [path.chart] : [];
    drawCharts(document, pathView, charts, path.chartHeight, width, { description: '', text: '' });
    const input = byId('SpEWegStufe');
    input.disabled = !path.chart;
    if (path.chart) {
      setAttributes(input, { min: path.from, max: path.to });
      if (pathLevel.value !== path.level) pathLevel.value = path.level;
    }
    takePathButton.disabled = !path.code;
  };

  function changed() {
    refresh();
    goalChanged();
  }

  // A new target level marks the path at that level again.
  const targetChanged = () => {
    pathLevelAsked = 0;
    changed();
  };

  const setUp = () => {
    if (level) return;
    makeRows();
    level = numberField(byId('SpEZielStufe'), targetChanged);
    keep = byId('CBBehalten');
    keep.addEventListener('change', changed);
    take.addEventListener('click', () => {
      if (code) apply(code);
      refresh();
    });
    pathLevel = numberField(byId('SpEWegStufe'), () => {
      pathLevelAsked = pathLevel.value;
      refresh();
    });
    takePathButton.addEventListener('click', () => {
      if (path && path.code) takePath(path.code);
      refresh();
    });
    contextMenu(pathMenu, pathList, dialog, {
      copyPath: () => {
        if (path) copy(path.text, pathMenu.dataset.copyFailed);
      },
    });
    frame = toolWindow(document, dialog, { titleBar: byId('FZielTitel'), closeButton: byId('BSchliessen'),
      onClosed: goalChanged });
    sized.observe(curvesView.parentElement);
  };

  const show = () => {
    frame.show();
    width = chartWidth(curvesView);
    refresh();
    goalChanged();
    byId('SpEZielStufe').focus();
  };

  return {
    // "Plan optimieren …": the target level starts at the plan's level; the rest stays as it was.
    open: () => {
      setUp();
      level.value = level.clamped(view.fields[0].number);
      pathLevelAsked = 0;
      show();
    },
    // A goal read from a link: { level, keepSpent, weights, minimums }.
    openWith: (read) => {
      setUp();
      level.value = read.level;
      pathLevelAsked = 0;
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
