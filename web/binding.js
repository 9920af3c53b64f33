// The page's view of the core module (Binding.cpp): planners, their history,
// the plan tools and the goals window's calls, over the module's plain
// exported functions. Text goes in as UTF-8 written into the module's
// memory; every call's reply is one JSON text holding its result, what the
// models pushed to the view during the call, and the message of an error
// that escaped the core. The pushes reach the view before the call returns;
// an error then reaches the caller as an Error with the core's message.

import { loadOnce } from './load-once.js';

// What the module asks of its host: to hear that its memory grew (the views
// below are made anew from the memory on each use), and to end on abort.
const IMPORTS = {
  env: { emscripten_notify_memory_growth: () => {} },
  wasi_snapshot_preview1: {
    proc_exit: (code) => {
      throw new WebAssembly.RuntimeError(`the planner core stopped (${code})`);
    },
  },
};

// The page's core comes in two modules (split-module.py): what the page
// needs to start, and the tool windows' part, loaded when the goals or plans
// window is first opened. Until it is, the calls that need it reach a
// placeholder of the first module, which says so.
const placeholders = (module) =>
  Object.fromEntries(WebAssembly.Module.imports(module).filter((entry) => entry.module === 'placeholder')
    .map((entry) => [entry.name, () => {
      throw new Error('the tool windows\' part of the planner core is not loaded');
    }]));

// Instantiates the core from its compiled module (the page) or its bytes (node) and binds it.
// loadTools() resolves to the compiled tool windows' module, when the core is split.
export async function instantiateCore(source, loadTools = null) {
  const module = source instanceof WebAssembly.Module ? source : await WebAssembly.compile(source);
  const wasm = (await WebAssembly.instantiate(module, { ...IMPORTS, placeholder: placeholders(module) })).exports;
  wasm._initialize();
  // Its functions take their places in the first module's table, over the placeholders.
  const loadToolWindows = loadOnce(async () => {
    if (loadTools !== null) await WebAssembly.instantiate(await loadTools(), { primary: wasm });
  });
  return { ...bindCore(wasm), loadToolWindows };
}

function bindCore(wasm) {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  // Hands a text to the module: its address, in a buffer of its own that is
  // freed once the call it is passed to has replied.
  const handed = [];
  const text = (value) => {
    const bytes = encoder.encode(String(value));
    const buffer = wasm.rw_text_new(bytes.length);
    new Uint8Array(wasm.memory.buffer, buffer, bytes.length).set(bytes);
    handed.push(buffer);
    return buffer;
  };
  // Reads a call's reply: hands the pushes to the view, throws the core's error, returns the result.
  const reply = (address, view) => {
    for (const buffer of handed.splice(0)) wasm.rw_text_delete(buffer);
    const memory = new Uint8Array(wasm.memory.buffer);
    const json = decoder.decode(memory.subarray(address, memory.indexOf(0, address)));
    const { r: result, p: pushes, e: error } = JSON.parse(json);
    if (pushes && view) {
      for (const [method, ...values] of pushes) {
        if (typeof view[method] !== 'function') throw new Error(`the page's view has no ${method}`);
        view[method](...values);
      }
    }
    if (error !== undefined) throw new Error(error);
    return result;
  };
  // A goal crosses the module's edge as one list of numbers, both ways (the
  // module checks the count): level, keepSpent, then the weights and minimums
  // of rows 1 to 45.
  const goalText = (level, keepSpent, weights, minimums) =>
    text([level, keepSpent ? 1 : 0, ...weights, ...minimums].map((n) => Math.trunc(Number(n)) || 0).join(','));
  const goalOf = (numbersText) => {
    const numbers = numbersText.split(',').map(Number);
    const rows = (numbers.length - 2) / 2;
    return {
      level: numbers[0],
      keepSpent: numbers[1] !== 0,
      weights: numbers.slice(2, 2 + rows),
      minimums: numbers.slice(2 + rows),
    };
  };

  // One plan document with its view: new Planner(view) pushes what the
  // models show at once; new Planner(view, true) pushes only the history's
  // items and the code, for a view that shows the initial plan already.
  // After each user action the view hears what changed (Binding.cpp lists
  // the pushes), ending with recorded().
  class Planner {
    constructor(view, shown = false) {
      this.view = view;
      this.handle = reply(wasm.rw_planner_new(shown ? 1 : 0), view);
      this.history = new PlanHistory(this);
    }

    call(address) {
      return reply(address, this.view);
    }

    delete() {
      wasm.rw_planner_delete(this.handle);
      this.handle = 0;
    }

    classType(start, length, codePoint) { return this.call(wasm.rw_class_type(this.handle, start, length, codePoint)); }
    classBackspace(start, length) { return this.call(wasm.rw_class_backspace(this.handle, start, length)); }
    classEditText(value) { this.call(wasm.rw_class_edit_text(this.handle, text(value))); }
    classPick(index) { this.call(wasm.rw_class_pick(this.handle, index)); }
    classSelectAdjacent(direction) { this.call(wasm.rw_class_select_adjacent(this.handle, direction)); }

    typeCharacter(f, start, length, codePoint, separator) {
      return this.call(wasm.rw_type_character(this.handle, f, start, length, codePoint, separator));
    }
    paste(f, start, length, value) { return this.call(wasm.rw_paste(this.handle, f, start, length, text(value))); }
    editText(f, value) { this.call(wasm.rw_edit_text(this.handle, f, text(value))); }
    stepUp(f) { this.call(wasm.rw_step(this.handle, f, 1)); }
    stepDown(f) { this.call(wasm.rw_step(this.handle, f, -1)); }
    // A step button held down (direction +1 up, -1 down), timed by the core:
    // press and tick return the wait in ms before the next tick, 0 when the hold is over.
    holdPress(f, direction) { return this.call(wasm.rw_hold_press(this.handle, f, direction)); }
    holdTick() { return this.call(wasm.rw_hold_tick(this.handle)); }
    holdMove(over) { this.call(wasm.rw_hold_move(this.handle, over ? 1 : 0)); }
    holdLift(over) { this.call(wasm.rw_hold_lift(this.handle, over ? 1 : 0)); }
    holdRelease() { this.call(wasm.rw_hold_release(this.handle)); }
    focusLost(f) { this.call(wasm.rw_focus_lost(this.handle, f)); }

    planCode() { return this.call(wasm.rw_plan_code(this.handle)); }
    // The plan the page opens with, before which nothing can be undone.
    openFirst(code) { return this.call(wasm.rw_open_first(this.handle, text(code))); }
  }

  // The plan's history of a planner ("Rückgängig", "Wiederholen") and the
  // commands that replace the plan, each one step with its own name.
  class PlanHistory {
    constructor(planner) {
      this.planner = planner;
    }

    undo() { return this.planner.call(wasm.rw_history_move(this.planner.handle, -1)); }
    redo() { return this.planner.call(wasm.rw_history_move(this.planner.handle, 1)); }
    applyPlanText(value) { return this.planner.call(wasm.rw_history_apply_plan_text(this.planner.handle, text(value))); }
    newPlan() { this.planner.call(wasm.rw_history_new_plan(this.planner.handle)); }
    openPlanCode(code) { return this.planner.call(wasm.rw_history_open_plan_code(this.planner.handle, text(code))); }
    takeProposal(code) { return this.planner.call(wasm.rw_history_take_proposal(this.planner.handle, text(code))); }
    // "Plan dieser Stufe übernehmen": the code of the path's plan at a level (answer.path.code).
    takePathPlan(code) { return this.planner.call(wasm.rw_history_take_path_plan(this.planner.handle, text(code))); }
  }

  // The saved plans of a planner (the core's plan shelf), kept beside its
  // document: the page keeps their text (state().text, as "Alle kopieren"
  // writes it) in the browser's storage and loads it back.
  class PlanShelf {
    constructor(planner) {
      this.planner = planner;
    }

    // { rows: [{ name, text }], canRestore, text }
    state() { return this.planner.call(wasm.rw_plans_state(this.planner.handle)); }
    load(value) { this.planner.call(wasm.rw_plans_load(this.planner.handle, text(value))); }
    // { outcome: Saved, Replaced, AskFirst or Refused, name, message }
    save(name, replace) { return this.planner.call(wasm.rw_plans_save(this.planner.handle, text(name), replace ? 1 : 0)); }
    // One step of the plan's history: { applied, message }
    open(name) { return this.planner.call(wasm.rw_plans_open(this.planner.handle, text(name))); }
    // { message }, empty once removed
    remove(name) { return this.planner.call(wasm.rw_plans_remove(this.planner.handle, text(name))); }
    // The name the plan removed last is back under, empty when none was.
    restore() { return this.planner.call(wasm.rw_plans_restore(this.planner.handle)); }
    forgetRemoved() { this.planner.call(wasm.rw_plans_forget_removed(this.planner.handle)); }
    // { columns, rows: [{ title, cells: [{ text, differs }] }] }, the plan shown first
    compare() { return this.planner.call(wasm.rw_plans_compare(this.planner.handle)); }
    // { added: [names], message }
    paste(value) { return this.planner.call(wasm.rw_plans_paste(this.planner.handle, text(value))); }
  }

  return {
    Planner,
    PlanShelf,
    planSummary: (planner) => planner.call(wasm.rw_plan_summary(planner.handle)),
    bonusText: (planner) => planner.call(wasm.rw_bonus_text(planner.handle)),
    findPlanCode: (value) => reply(wasm.rw_find_plan_code(text(value))),
    comparePlan: (planner, value) => planner.call(wasm.rw_compare_plan(planner.handle, text(value))),
    goalRowNames: () => reply(wasm.rw_goal_row_names()),
    // The answer, with the curves' and the path's charts laid out for a view
    // of the given width and title line height, the path's chart marking
    // pathLevel (0: the goal's level).
    goalAnswer: (planner, level, keepSpent, weights, minimums, width, textHeight, pathLevel = 0) =>
      planner.call(wasm.rw_goal_answer(planner.handle, goalText(level, keepSpent, weights, minimums), width, textHeight,
        pathLevel)),
    goalLink: (level, keepSpent, weights, minimums) =>
      reply(wasm.rw_goal_link(goalText(level, keepSpent, weights, minimums))),
    readGoalLink: (value) => {
      const read = reply(wasm.rw_read_goal_link(text(value)));
      return { goal: read.goal === null ? null : goalOf(read.goal), message: read.message };
    },
  };
}
