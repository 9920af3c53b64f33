// Binds the planner's field models to the page's elements, the way the Qt
// views do: every DOM change comes from a model notification, which carries
// the new value, and an event handler only forwards what the user did. A
// notification only writes the page: it calls nothing in the module. The
// models count characters; the browser counts UTF-16 units, hence the
// conversions.


function charIndex(text, utf16Index) {
  return [...text.slice(0, utf16Index)].length;
}

function utf16Index(text, charPosition) {
  return [...text].slice(0, charPosition).join('').length;
}

function selectionOf(input) {
  const start = input.selectionStart ?? input.value.length;
  const end = input.selectionEnd ?? start;
  const first = charIndex(input.value, start);
  return { start: first, length: charIndex(input.value, end) - first };
}

function setCaret(input, charPosition, charLength = 0) {
  const start = utf16Index(input.value, charPosition);
  const end = utf16Index(input.value, charPosition + charLength);
  input.setSelectionRange(start, end);
}

// The system's decimal separator, as the desktop field takes it.
function decimalSeparator() {
  const part = new Intl.NumberFormat().formatToParts(1.5).find((p) => p.type === 'decimal');
  return (part ? part.value : '.').codePointAt(0);
}

// A refused key gives a brief visible cue instead of a beep.
function flash(element) {
  element.classList.remove('refused');
  void element.offsetWidth; // restarts the animation of a cue still running
  element.classList.add('refused');
  element.addEventListener('animationend', () => element.classList.remove('refused'), { once: true });
}

// An input method's composition edits the element directly. Once it is
// finished, the model's text is put back and the composed characters are
// typed one by one, so that the filter and the completion hold for them too.
// Returns whether a composition is in progress.
function forwardCompositions(input, restore, type) {
  let before = null;
  input.addEventListener('compositionstart', () => {
    before = { start: input.selectionStart, end: input.selectionEnd };
  });
  input.addEventListener('compositionend', (event) => {
    const saved = before;
    before = null;
    restore();
    if (saved) input.setSelectionRange(saved.start, saved.end);
    for (const ch of event.data || '') type(ch);
  });
  return () => before !== null;
}

// Shows a text in an element by changing its text node in place: a new node
// for every write would pile up until the next garbage collection.
function showText(element, text) {
  const node = element.firstChild;
  if (node && node.nodeType === node.TEXT_NODE && !node.nextSibling) {
    if (node.data !== text) node.data = text;
  } else if (element.textContent !== text) {
    element.textContent = text;
  }
}

function hasModifier(event) {
  return event.ctrlKey || event.altKey || event.metaKey;
}

// The core's key tables, which the page carries (generate-page.mjs): what a
// key does in a number field, and in the class box with its list open or closed.
function fieldKeyAction(keys, event) {
  return keys.field.find((entry) => entry.key === event.key)?.action;
}

function classKeyAction(keys, event, open) {
  const plain = !hasModifier(event);
  return keys.classBox.find((entry) => entry.key === event.key
    && (!entry.plainOnly || plain)
    && (entry.when === 'always' || (entry.when === 'listOpen') === open)
    && (entry.alt === 'any' || (entry.alt === 'held') === event.altKey))?.action;
}

// One number spin field (level field or skill field) and its caption.
class NumberFieldView {
  constructor(page, field, elements, caption) {
    this.page = page;
    this.field = field;
    this.input = elements.input;
    this.box = elements.box;
    this.up = elements.up;
    this.down = elements.down;
    this.caption = caption;
    // The model's text and the field's value, as last pushed (the generated page shows the first state).
    this.shownText = this.input.value;
    this.number = Number(this.input.getAttribute('aria-valuenow'));
    this.held = 0; // the direction of the step button held down, 0 for none
    this.timer = 0;
    this.listen();
  }

  get planner() {
    return this.page.planner;
  }

  // A property's new value, and the field's value read from its text.
  show(property, value, number) {
    const { input } = this;
    switch (property) {
      case 'text':
        this.shownText = value;
        this.syncText();
        break;
      case 'minimum':
        input.setAttribute('aria-valuemin', value);
        break;
      case 'maximum':
        input.setAttribute('aria-valuemax', value);
        break;
      case 'enabled': {
        const enabled = value;
        const hadFocus = !enabled && input.ownerDocument.activeElement === input;
        input.disabled = !enabled;
        this.up.disabled = !enabled;
        this.down.disabled = !enabled;
        if (!enabled) this.release();
        // As in the desktop window, a field locked while it has the focus hands it on.
        if (hadFocus) this.page.focusNext(input);
        break;
      }
      case 'colour':
        input.style.backgroundColor = value;
        break;
      case 'captionEnabled':
        if (this.caption) {
          if (value) this.caption.removeAttribute('aria-disabled');
          else this.caption.setAttribute('aria-disabled', 'true');
        }
        break;
    }
    this.number = number;
    if (input.getAttribute('aria-valuenow') !== String(number)) input.setAttribute('aria-valuenow', number);
  }

  // Shows the model's text again, over what the user's edit left in the element.
  syncText() {
    // Writing the value leaves the caret at the end, where a rewrite by a procedure puts it.
    if (this.input.value !== this.shownText) this.input.value = this.shownText;
    if (this.input.getAttribute('aria-valuetext') !== this.shownText) {
      this.input.setAttribute('aria-valuetext', this.shownText);
    }
  }

  listen() {
    const { input } = this;
    input.addEventListener('keydown', (event) => this.keyDown(event));
    input.addEventListener('beforeinput', (event) => this.beforeInput(event));
    const composing = forwardCompositions(input, () => this.syncText(), (ch) => this.type(ch));
    input.addEventListener('input', (event) => {
      if (!event.isComposing && !composing()) this.edited();
    });
    input.addEventListener('paste', (event) => this.paste(event));
    input.addEventListener('blur', () => {
      // Switching to another window is no focus loss of the field, as on the desktop.
      if (!input.disabled && document.hasFocus()) this.page.call(() => this.planner.focusLost(this.field));
    });
    for (const [button, direction] of [[this.up, 1], [this.down, -1]]) {
      button.addEventListener('pointerdown', (event) => this.press(event, button, direction));
      button.addEventListener('pointermove', (event) => this.move(event, button));
      button.addEventListener('pointerup', (event) => this.lift(event, button, direction));
      button.addEventListener('pointercancel', () => this.release());
      button.addEventListener('lostpointercapture', () => this.release());
    }
  }

  keyDown(event) {
    if (this.input.disabled) return;
    const action = fieldKeyAction(this.page.keys, event);
    if (!action) return;
    event.preventDefault();
    if (action === 'stepUp' || action === 'stepDown') this.step(action === 'stepUp' ? 1 : -1);
    else if (action === 'typeReturn' && !hasModifier(event)) this.type('\r');
  }

  beforeInput(event) {
    if (event.inputType !== 'insertText' || event.data === null) return;
    event.preventDefault();
    for (const ch of event.data) this.type(ch);
  }

  type(ch) {
    const selection = selectionOf(this.input);
    let typed = { outcome: 'NotTyped', caret: selection.start };
    const ok = this.page.call(() => {
      typed = this.planner.typeCharacter(
        this.field, selection.start, selection.length, ch.codePointAt(0), decimalSeparator());
    });
    if (!ok) return this.syncText();
    if (typed.outcome === 'Refused') {
      flash(this.box);
    } else if (typed.outcome === 'Unchanged' || typed.outcome === 'Inserted') {
      // The model says where: after the character, or at the end when a procedure rewrote the text.
      setCaret(this.input, typed.caret);
    }
  }

  paste(event) {
    event.preventDefault();
    if (this.input.disabled) return;
    const pasted = event.clipboardData ? event.clipboardData.getData('text/plain') : '';
    const selection = selectionOf(this.input);
    if (pasted === '' && selection.length === 0) return;
    let caret = selection.start;
    const ok = this.page.call(() => {
      caret = this.planner.paste(this.field, selection.start, selection.length, pasted);
    });
    this.syncText();
    if (ok) setCaret(this.input, caret);
  }

  // Any other editing (Backspace, Delete, cut, drop, undo) has happened in the element.
  edited() {
    if (this.input.value === this.shownText) return;
    const text = this.input.value;
    this.page.call(() => this.planner.editText(this.field, text));
    this.syncText();
  }

  step(direction) {
    const { planner, field } = this;
    return this.page.call(() => (direction > 0 ? planner.stepUp(field) : planner.stepDown(field)));
  }

  // A step button held down: the core decides when it steps and how long to
  // wait for the next tick; the page only waits and says where the pointer is.
  press(event, button, direction) {
    if (event.button !== 0 || this.input.disabled || this.held !== 0) return;
    event.preventDefault();
    this.input.focus();
    button.setPointerCapture(event.pointerId);
    let wait = 0;
    if (!this.page.call(() => (wait = this.planner.holdPress(this.field, direction))) || wait <= 0) return;
    this.held = direction;
    button.classList.add('pressed');
    this.timer = setTimeout(() => this.tick(), wait);
  }

  tick() {
    const direction = this.held;
    if (direction === 0) return;
    let wait = 0;
    const ok = this.page.call(() => (wait = this.planner.holdTick()));
    if (ok && wait > 0 && this.held === direction) this.timer = setTimeout(() => this.tick(), wait);
    else this.release();
  }

  move(event, button) {
    if (this.held === 0) return;
    const over = document.elementFromPoint(event.clientX, event.clientY) === button;
    if (over === button.classList.contains('pressed')) return;
    button.classList.toggle('pressed', over);
    this.page.call(() => this.planner.holdMove(over));
  }

  lift(event, button, direction) {
    if (this.held !== direction) return;
    const over = document.elementFromPoint(event.clientX, event.clientY) === button;
    this.stop();
    this.page.call(() => this.planner.holdLift(over));
  }

  // The pointer was taken away, or a step failed: the hold ends without a step.
  release() {
    if (this.held !== 0) this.page.call(() => this.planner.holdRelease());
    this.stop();
  }

  stop() {
    clearTimeout(this.timer);
    this.held = 0;
    this.up.classList.remove('pressed');
    this.down.classList.remove('pressed');
  }
}

// The class box: an editable text with completion, and its drop-down list.
class ClassBoxView {
  constructor(page, elements) {
    this.page = page;
    Object.assign(this, elements);
    this.active = -1;
    this.shownText = this.input.value;
    this.listen();
  }

  get planner() {
    return this.page.planner;
  }

  // The model's text: pushed, or shown again over what the user's edit left in the element.
  showText(text = this.shownText) {
    this.shownText = text;
    if (this.input.value !== text) this.input.value = text;
    this.options.forEach((option) => option.setAttribute('aria-selected', String(option.textContent === text)));
  }

  applyEdit(ok, edit) {
    this.showText();
    // A procedure that set another text during the notification wins; the caret then stays at the end.
    if (!ok || this.shownText !== edit.text) return;
    setCaret(this.input, edit.selectionStart, edit.selectionLength);
  }

  listen() {
    const { input, button, list } = this;
    input.addEventListener('keydown', (event) => this.keyDown(event));
    input.addEventListener('beforeinput', (event) => {
      if (event.inputType !== 'insertText' || event.data === null) return;
      event.preventDefault();
      for (const ch of event.data) this.type(ch);
    });
    const composing = forwardCompositions(input, () => this.showText(), (ch) => this.type(ch));
    input.addEventListener('input', (event) => {
      // Delete, cut, paste and drop: the text the edit produced.
      if (event.isComposing || composing() || input.value === this.shownText) return;
      const text = input.value;
      this.page.call(() => this.planner.classEditText(text));
      this.showText();
    });
    input.addEventListener('blur', () => this.close());
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      input.focus();
      if (list.hidden) this.open();
      else this.close();
    });
    list.addEventListener('pointerdown', (event) => event.preventDefault());
    // The row under the pointer is the highlighted one, as in the desktop list.
    list.addEventListener('pointermove', (event) => {
      const option = event.target.closest('[role=option]');
      if (option) this.highlight(this.options.indexOf(option));
    });
    list.addEventListener('click', (event) => {
      const option = event.target.closest('[role=option]');
      if (option) this.pick(this.options.indexOf(option));
    });
  }

  keyDown(event) {
    const open = !this.list.hidden;
    const action = classKeyAction(this.page.keys, event, open);
    if (!action) return;
    event.preventDefault();
    const highlight = (by) => this.highlight(Math.min(Math.max(this.active + by, 0), this.options.length - 1));
    const select = (direction) => {
      if (this.page.call(() => this.planner.classSelectAdjacent(direction))) this.showText();
      this.input.select();
    };
    const backspace = () => {
      const selection = selectionOf(this.input);
      let edit = null;
      const ok = this.page.call(() => {
        edit = this.planner.classBackspace(selection.start, selection.length);
      });
      this.applyEdit(ok, edit);
    };
    const actions = {
      selectPrevious: () => select(-1),
      selectNext: () => select(1),
      highlightPrevious: () => highlight(-1),
      highlightNext: () => highlight(1),
      openList: () => this.open(),
      toggleList: () => (open ? this.close() : this.open()),
      closeList: () => this.close(),
      pickHighlighted: () => this.active >= 0 && this.pick(this.active),
      backspace,
      swallow: () => {},
    };
    actions[action]();
  }

  type(ch) {
    const selection = selectionOf(this.input);
    let edit = null;
    const ok = this.page.call(() => {
      edit = this.planner.classType(selection.start, selection.length, ch.codePointAt(0));
    });
    this.applyEdit(ok, edit);
  }

  pick(index) {
    this.close();
    if (index < 0) return;
    // The focus comes first, as when the list was opened from the box, and
    // while the page's style is still clean: moved after the class change,
    // it would lay out the changed window at once instead of with its frame.
    this.input.focus();
    if (this.page.call(() => this.planner.classPick(index))) this.showText();
    this.input.select();
  }

  open() {
    this.list.hidden = false;
    this.input.setAttribute('aria-expanded', 'true');
    this.highlight(this.options.findIndex((option) => option.textContent === this.input.value));
  }

  close() {
    this.list.hidden = true;
    this.input.setAttribute('aria-expanded', 'false');
    this.input.removeAttribute('aria-activedescendant');
    this.highlight(-1);
  }

  highlight(index) {
    this.active = index;
    this.options.forEach((option, i) => option.classList.toggle('active', i === index));
    if (index >= 0) this.input.setAttribute('aria-activedescendant', this.options[index].id);
  }
}

// The bonus list: one row per line, single selection, rebuilt by the planner.
class BonusListView {
  constructor(page, list) {
    this.page = page;
    this.list = list;
    this.selected = -1;
    list.addEventListener('click', (event) => {
      const row = event.target.closest('li');
      if (row) this.select([...list.children].indexOf(row));
    });
    list.addEventListener('keydown', (event) => this.keyDown(event));
  }

  showLines(lines) {
    const document = this.list.ownerDocument;
    const rows = this.list.children;
    // The list is emptied and refilled, which clears the selection; rows
    // that keep their text are reused, since a class change rebuilds the
    // list a dozen times.
    while (rows.length > lines.length) this.list.lastElementChild.remove();
    lines.forEach((line, index) => {
      let row = rows[index];
      if (!row) {
        row = document.createElement('li');
        row.id = `LBBoni-row-${index}`;
        row.setAttribute('role', 'option');
        this.list.append(row);
      }
      showText(row, line);
      // The whole line is also the row's tooltip, for a row wider than the list.
      if (row.title !== line) row.title = line;
      row.setAttribute('aria-selected', 'false');
    });
    this.selected = -1;
    this.list.removeAttribute('aria-activedescendant');
  }

  select(index) {
    const rows = [...this.list.children];
    if (rows.length === 0) return;
    const target = Math.min(Math.max(index, 0), rows.length - 1);
    rows.forEach((row, i) => row.setAttribute('aria-selected', String(i === target)));
    this.selected = target;
    this.list.setAttribute('aria-activedescendant', rows[target].id);
    rows[target].scrollIntoView({ block: 'nearest' });
  }

  keyDown(event) {
    const last = this.list.children.length - 1;
    const moves = { ArrowUp: this.selected - 1, ArrowDown: this.selected + 1, Home: 0, End: last };
    if (!(event.key in moves) || hasModifier(event)) return;
    event.preventDefault();
    this.select(this.selected < 0 && event.key.startsWith('Arrow') ? 0 : moves[event.key]);
  }
}

// The view object handed to the core's Planner: it receives every model notification at once.
export class PlanView {
  // onError(error) shows an error that escaped the core; follow holds what the page does with the
  // rest of a record: { tips(texts), history(items), code(code), recorded() } (recorded ends each).
  constructor(page, onError, follow) {
    this.planner = null;
    this.onError = onError;
    this.follow = follow;
    this.keys = page.keys;
    this.fields = page.fields.map((elements, field) => new NumberFieldView(this, field, elements, page.captions[field]));
    this.classBox = new ClassBoxView(this, page.classBox);
    this.bonusList = new BonusListView(this, page.bonusList);
    this.labels = page.labels;
  }

  // Moves the focus to the next element in the keyboard order that takes it.
  focusNext(element) {
    const order = [...element.ownerDocument.getElementById('FMainContent').querySelectorAll('input, [tabindex="0"]')];
    const start = order.indexOf(element);
    for (let step = 1; step < order.length; ++step) {
      const next = order[(start + step) % order.length];
      if (!next.disabled) {
        next.focus();
        return;
      }
    }
  }

  // Binds a planner, which has pushed what its models hold when it was made
  // with this view, or found it drawn already.
  attach(planner) {
    this.planner = planner;
  }

  // Runs a user action on the planner; an error escaping it is shown and the page goes on.
  call(action) {
    try {
      action();
      return true;
    } catch (error) {
      this.onError(error);
      return false;
    }
  }

  // A notification runs inside the core: an error of the page must not
  // unwind through it, so it is reported once the core has returned.
  mirror(show) {
    try {
      show();
    } catch (error) {
      queueMicrotask(() => this.onError(error));
    }
  }

  fieldChanged(field, property, value, number) {
    this.mirror(() => this.fields[field].show(property, value, number));
  }

  classTextShown(text) {
    this.mirror(() => this.classBox.showText(text));
  }

  labelShown(name, text) {
    this.mirror(() => showText(this.labels[name], text));
  }

  bonusLinesShown(lines) {
    this.mirror(() => this.bonusList.showLines(lines));
  }

  tipsShown(texts) {
    this.mirror(() => this.follow.tips(texts));
  }

  historyShown(items) {
    this.mirror(() => this.follow.history(items));
  }

  codeShown(code) {
    this.mirror(() => this.follow.code(code));
  }

  recorded() {
    this.mirror(() => this.follow.recorded());
  }
}
