// The plans window "Pläne": the saved plans, their names, and the plan shown
// beside every saved one. The core keeps the plans (its plan shelf) and makes
// every text, row and cell; the page keeps the shelf's text in the browser's
// storage (plan-storage.js) and draws what the core answers. The window is
// not modal and follows every change of the plan.

import { planStorage } from './plan-storage.js';
import { toolWindow } from './tool-window.js';

function element(document, name, text = '', attributes = {}) {
  const node = document.createElement(name);
  for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
  if (text) node.textContent = text;
  return node;
}

// The comparison as the core lays it out: a column per plan, the shown one
// first, its head a row of column heads; a row per value, headed by its
// title; a cell that differs from the shown plan says by how much in its text
// and is marked (its colour, and its description for a screen reader). The
// titles and the shown plan stay in place as the table scrolls sideways.
function drawComparison(document, table, { columns, rows }, differsName) {
  const headRow = element(document, 'tr');
  headRow.append(element(document, 'td'),
    ...columns.map((name) => element(document, 'th', name, { scope: 'col' })));
  table.tHead.replaceChildren(headRow);
  table.tBodies[0].replaceChildren(...rows.map(({ title, cells }) => {
    const tr = element(document, 'tr');
    tr.append(element(document, 'th', title, { scope: 'row' }), ...cells.map((cell) => {
      const td = element(document, 'td', cell.text);
      if (cell.differs) {
        td.className = 'differs';
        td.setAttribute('aria-description', differsName);
      }
      return td;
    }));
    return tr;
  }));
  table.style.setProperty('--title-width', `${headRow.cells[0].offsetWidth}px`);
}

// The window's list of plans: one row each, single selection with the arrow
// keys or a click; choosing a row hands its plan's name on.
function planList(list, onChosen, onOpen) {
  const document = list.ownerDocument;
  let names = [];
  let selected = -1;
  const select = (index, announce = true) => {
    const rows = [...list.children];
    selected = rows.length ? Math.min(Math.max(index, 0), rows.length - 1) : -1;
    rows.forEach((row, i) => row.setAttribute('aria-selected', String(i === selected)));
    if (selected < 0) {
      list.removeAttribute('aria-activedescendant');
      return;
    }
    list.setAttribute('aria-activedescendant', rows[selected].id);
    rows[selected].scrollIntoView({ block: 'nearest' });
    if (announce) onChosen(names[selected]);
  };
  list.addEventListener('click', (event) => {
    const row = event.target.closest('li');
    if (row) select([...list.children].indexOf(row));
  });
  list.addEventListener('dblclick', (event) => {
    if (event.target.closest('li')) onOpen();
  });
  list.addEventListener('keydown', (event) => {
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    const last = list.children.length - 1;
    const moves = { ArrowUp: selected - 1, ArrowDown: selected + 1, Home: 0, End: last };
    if (event.key === 'Enter' && selected >= 0) {
      event.preventDefault();
      onOpen();
    } else if (event.key in moves && last >= 0) {
      event.preventDefault();
      select(selected < 0 ? 0 : moves[event.key]);
    }
  });
  return {
    // The rows [{name, text}]; the row of the plan named name stays chosen.
    show(rows, name) {
      names = rows.map((row) => row.name);
      list.replaceChildren(...rows.map((row, index) =>
        element(document, 'li', row.text, { id: `LBPlaene-row-${index}`, role: 'option', 'aria-selected': 'false' })));
      select(names.indexOf(name), false);
    },
  };
}

// The question before a saved plan is replaced, asked in the window as the
// desktop asks it: Enter or Escape keeps the plan that exists, since
// replacing it is the step that loses something. ask(question) resolves
// with whether to replace it.
function replaceQuestion(document) {
  const byId = (id) => document.getElementById(id);
  const box = byId('PlanErsetzen');
  const keep = byId('BPlanNichtErsetzen');
  let answer = null;
  let returnFocus = null;
  const finish = (replace) => {
    if (!answer) return;
    const done = answer;
    answer = null;
    box.hidden = true;
    if (returnFocus && returnFocus.isConnected) returnFocus.focus();
    done(replace);
  };
  byId('BPlanErsetzen').addEventListener('click', () => finish(true));
  keep.addEventListener('click', () => finish(false));
  box.addEventListener('keydown', (event) => {
    if (event.key !== 'Escape') return;
    event.preventDefault();
    event.stopPropagation();
    finish(false);
  });
  return (question) => new Promise((resolve) => {
    finish(false);
    answer = resolve;
    returnFocus = document.activeElement;
    byId('PlanErsetzenText').textContent = question;
    box.hidden = false;
    keep.focus();
  });
}

// The window bound to the page: view holds the planner and runs its calls;
// messages() gives the message box; clipboard copies and reads text as the
// plan menu does; onError shows an error of the core.
export function setUpPlans(document, core, view, { messages, clipboard, onError }) {
  const byId = (id) => document.getElementById(id);
  const dialog = byId('FPlaene');
  const nameField = byId('EPlanName');
  const restore = byId('BPlanWiederherstellen');
  const table = byId('TVPlanVergleich');
  const texts = dialog.dataset;
  const shelf = new core.PlanShelf(view.planner);
  let pending = 0;
  let rows = [];

  const askReplace = replaceQuestion(document);
  const list = planList(byId('LBPlaene'), (name) => {
    nameField.value = name;
  }, () => openPlan());

  const refreshComparison = () => {
    cancelAnimationFrame(pending);
    pending = 0;
    if (!dialog.open) return;
    try {
      drawComparison(document, table, shelf.compare(), texts.differs);
    } catch (error) {
      onError(error);
    }
  };

  // Shows the shelf and keeps its text, written after a change of the
  // page's own that changed it (and again while it could not be written).
  let kept = '';
  const show = (write) => {
    const state = shelf.state();
    rows = state.rows;
    list.show(rows, nameField.value);
    restore.hidden = !state.canRestore;
    if (write && state.text !== kept && storage.write(state.text)) kept = state.text;
    refreshComparison();
  };
  // The plans as the storage holds them.
  const load = (text) => {
    shelf.load(text);
    kept = shelf.state().text;
  };

  const storage = planStorage(document.defaultView, {
    onFailure: () => messages().showMessage(texts.notKept),
    onChanged: (text) => {
      load(text);
      show(false);
    },
  });
  byId('LPlaeneHinweis').textContent = storage.available ? texts.kept : texts.keptUntilClosed;
  load(storage.read());

  // Each change of the shelf first takes what another tab wrote since, so
  // that the change is made to the plans as they are now.
  const change = (action) => {
    const elsewhere = storage.changedElsewhere();
    if (elsewhere !== null) load(elsewhere);
    let result = null;
    const done = view.call(() => (result = action()));
    show(true);
    return done ? result : null;
  };

  const save = async () => {
    let saving = change(() => shelf.save(nameField.value, false));
    if (saving && saving.outcome === 'AskFirst') {
      if (!(await askReplace(saving.message))) return;
      saving = change(() => shelf.save(nameField.value, true));
    }
    if (!saving) return;
    if (saving.outcome === 'Refused') {
      messages().showMessage(saving.message);
      return;
    }
    nameField.value = saving.name;
    list.show(rows, saving.name);
  };

  function openPlan() {
    let result = null;
    if (view.call(() => (result = shelf.open(nameField.value))) && result.message) {
      messages().showMessage(result.message);
    }
  }

  const remove = () => {
    const removed = change(() => shelf.remove(nameField.value));
    if (removed && removed.message) messages().showMessage(removed.message);
    if (removed && !removed.message) restore.focus();
  };

  const bringBack = () => {
    const name = change(() => shelf.restore());
    if (name) {
      nameField.value = name;
      list.show(rows, name);
      nameField.focus();
    }
  };

  const pasteAll = async () => {
    const text = await clipboard.read(texts.pasteByHand);
    if (text === null) return;
    const pasting = change(() => shelf.paste(text));
    if (!pasting) return;
    // The last plan added is chosen, as on the desktop.
    if (pasting.added.length) {
      nameField.value = pasting.added[pasting.added.length - 1];
      list.show(rows, nameField.value);
    }
    messages().showMessage(pasting.message);
  };

  byId('BPlanSpeichern').addEventListener('click', save);
  byId('BPlanOeffnen').addEventListener('click', openPlan);
  byId('BPlanLoeschen').addEventListener('click', remove);
  restore.addEventListener('click', bringBack);
  byId('BPlaeneKopieren').addEventListener('click', () => clipboard.write(shelf.state().text, texts.copyByHand));
  byId('BPlaeneEinfuegen').addEventListener('click', pasteAll);
  nameField.addEventListener('keydown', (event) => {
    if (event.key === 'Enter') {
      event.preventDefault();
      save();
    }
  });
  // What was removed can be brought back until the window closes.
  const frame = toolWindow(document, dialog, { titleBar: byId('FPlaeneTitel'), closeButton: byId('BPlaeneSchliessen'),
    onClosed: () => {
      view.call(() => shelf.forgetRemoved());
      restore.hidden = true;
    } });

  return {
    open: () => {
      if (!dialog.open) {
        frame.show();
        dialog.scrollIntoView({ block: 'nearest' });
      }
      const elsewhere = storage.changedElsewhere();
      if (elsewhere !== null) load(elsewhere);
      show(false);
      nameField.focus();
      storage.tellIfUnavailable();
    },
    // After every change of the plan, once per frame at most.
    planChanged: () => {
      if (dialog.open && !pending) pending = requestAnimationFrame(refreshComparison);
    },
  };
}
