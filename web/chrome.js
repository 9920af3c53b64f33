// The page's own chrome: the menu bar, the info dialog and the message box.
// None of it touches a rule; the menu commands are handed in.

// A menu's keyboard and focus: the arrow keys move between its items,
// Escape closes it; it closes when the focus or a press goes elsewhere. Each
// item runs the command its data-command names once the menu is closed; an
// unavailable one (aria-disabled) does nothing and leaves the menu open.
// Returns { open, close(restore), hidden }.
function menuBehaviour(document, menu, opener, commands, onClosed = () => {}) {
  const items = [...menu.querySelectorAll('[role=menuitem]')];
  let returnFocus = null;
  const open = () => {
    returnFocus = document.activeElement;
    menu.hidden = false;
    items[0].focus();
  };
  const close = (restore) => {
    if (menu.hidden) return;
    menu.hidden = true;
    onClosed();
    if (restore && returnFocus && returnFocus.isConnected) returnFocus.focus();
  };
  for (const item of items) {
    const command = commands[item.dataset.command];
    if (!command) throw new Error(`no command ${item.dataset.command}`);
    // The menu takes the focus only while it is open, so that a field keeps its text unclamped.
    item.addEventListener('pointerdown', (event) => event.preventDefault());
    item.addEventListener('click', () => {
      if (item.getAttribute('aria-disabled') === 'true') return;
      close(true);
      command();
    });
  }
  menu.addEventListener('keydown', (event) => {
    const index = items.indexOf(document.activeElement);
    if (event.key === 'Escape') {
      // Closes the menu alone, not the window it opened in.
      event.preventDefault();
      event.stopPropagation();
      close(true);
    } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
      event.preventDefault();
      const step = event.key === 'ArrowDown' ? 1 : -1;
      items[(index + step + items.length) % items.length].focus();
    }
  });
  menu.addEventListener('focusout', (event) => {
    if (!menu.contains(event.relatedTarget)) close(false);
  });
  document.addEventListener('pointerdown', (event) => {
    if (!(opener && opener.contains(event.target)) && !menu.contains(event.target)) close(false);
  });
  return { open, close, get hidden() { return menu.hidden; } };
}

function setUpMenu(document, commands) {
  const programm = document.getElementById('Programm1');
  const menu = menuBehaviour(document, document.getElementById('Programm1-menu'), programm, commands, () =>
    programm.setAttribute('aria-expanded', 'false'));
  const open = () => {
    menu.open();
    programm.setAttribute('aria-expanded', 'true');
  };
  for (const button of [programm, document.getElementById('Info1')]) {
    button.addEventListener('pointerdown', (event) => event.preventDefault());
  }
  programm.addEventListener('click', () => (menu.hidden ? open() : menu.close(true)));
  document.getElementById('Info1').addEventListener('click', () => commands.showInfo());
  // The access keys of the menu bar: Alt with the underlined first letter.
  document.addEventListener('keydown', (event) => {
    if (!event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    if (event.code === 'KeyP') {
      event.preventDefault();
      if (menu.hidden) open();
    } else if (event.code === 'KeyI') {
      event.preventDefault();
      menu.close(false);
      commands.showInfo();
    }
  });
}

// A context menu of the page's own over an area, as on the desktop: the
// right button or the menu key in the area (but in its fields, which keep
// the browser's menu for their text) opens it where the pointer or the
// focus is, kept inside the frame it is placed in.
function contextMenu(document, element, area, frame, commands) {
  const menu = menuBehaviour(document, element, null, commands);
  area.addEventListener('contextmenu', (event) => {
    if (event.target.closest('input')) return;
    event.preventDefault();
    const bounds = frame.getBoundingClientRect();
    // The menu key reports no pointer: the menu opens at the element that has the focus.
    const anchor = event.target.getBoundingClientRect();
    const keyboard = event.clientX === 0 && event.clientY === 0;
    const x = keyboard ? anchor.left : event.clientX;
    const y = keyboard ? anchor.top + Math.min(anchor.height, 20) : event.clientY;
    element.hidden = false;
    const width = element.offsetWidth;
    const height = element.offsetHeight;
    element.style.left = `${Math.max(0, Math.min(x - bounds.left, frame.clientWidth - width))}px`;
    element.style.top = `${Math.max(0, Math.min(y - bounds.top, frame.clientHeight - height))}px`;
    menu.open();
  });
}

// The window's own context menu: anywhere in the window but in the fields and the class box.
function setUpPlanMenu(document, commands) {
  contextMenu(document, document.getElementById('PlanMenu'), document.getElementById('FMainContent'),
    document.getElementById('FMain'), commands);
}

// Keeps the info window inside the visible part of the page at any zoom: at
// its designed place where that is in view, otherwise moved into view, and
// narrowed (its text with it) where the view is narrower than the window.
function placeInView(dialog, text) {
  for (const element of [dialog, text]) element.style.removeProperty('width');
  dialog.style.removeProperty('left');
  dialog.style.removeProperty('top');
  const view = dialog.ownerDocument.documentElement;
  const frame = dialog.offsetParent.getBoundingClientRect();
  const box = dialog.getBoundingClientRect();
  const narrowBy = Math.max(0, box.width - view.clientWidth);
  if (narrowBy > 0) {
    text.style.width = `${text.offsetWidth - narrowBy}px`;
    dialog.style.width = `${box.width - narrowBy}px`;
  }
  const left = Math.max(0, Math.min(box.left, view.clientWidth - (box.width - narrowBy)));
  const top = Math.max(0, Math.min(box.top, view.clientHeight - box.height));
  if (left !== box.left) dialog.style.left = `${left - frame.left}px`;
  if (top !== box.top) dialog.style.top = `${top - frame.top}px`;
}

// The info window: shown beside the page, modeless; Escape or its close button hides it.
function setUpInfo(document) {
  const dialog = document.getElementById('FInfo');
  const text = document.getElementById('MInfo');
  let returnFocus = null;
  const hide = () => {
    if (!dialog.open) return;
    dialog.close();
    if (returnFocus && returnFocus.isConnected) returnFocus.focus();
  };
  dialog.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') {
      event.preventDefault();
      hide();
    }
  });
  document.getElementById('FInfoClose').addEventListener('click', hide);
  // A zoom changes the view's size in CSS pixels.
  document.defaultView.addEventListener('resize', () => {
    if (dialog.open) placeInView(dialog, text);
  });
  // Shown already: nothing happens.
  return () => {
    if (dialog.open) return;
    returnFocus = document.activeElement;
    // Showing focuses the dialog, which scrolls to its designed place: the view stays where it was.
    const { scrollX, scrollY } = document.defaultView;
    dialog.show();
    document.defaultView.scrollTo(scrollX, scrollY);
    placeInView(dialog, text);
    text.focus({ preventScroll: true });
    text.setSelectionRange(0, 0);
  };
}

// A message in a small box, closed with its button (or Escape). It can carry
// a text to copy by hand (selected, read-only) or a field to paste into.
function setUpMessage(document, focusFirst) {
  const box = document.getElementById('Meldung');
  const text = document.getElementById('MeldungText');
  const field = document.getElementById('MeldungFeld');
  const ok = document.getElementById('MeldungOk');
  const cancel = document.getElementById('MeldungAbbrechen');
  let returnFocus = null;
  let answer = null;
  let kind = '';
  const hide = (confirmed) => {
    if (box.hidden) return;
    box.hidden = true;
    const done = answer;
    answer = null;
    kind = '';
    // A message shown while the page opened hands the focus to the first field.
    if (returnFocus && returnFocus.isConnected && returnFocus !== document.body) returnFocus.focus();
    else focusFirst();
    if (done) done(confirmed ? field.value : null);
  };
  ok.addEventListener('click', () => hide(true));
  cancel.addEventListener('click', () => hide(false));
  box.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' || event.key === 'Enter') {
      event.preventDefault();
      hide(event.key === 'Enter');
    }
  });
  const show = (message, options = {}) => {
    if (box.hidden || !box.contains(document.activeElement)) returnFocus = document.activeElement;
    if (answer) answer(null);
    answer = options.answer ?? null;
    kind = options.kind ?? '';
    text.textContent = message;
    const withField = options.text !== undefined;
    field.hidden = !withField;
    field.readOnly = !options.answer;
    field.defaultValue = options.text ?? '';
    field.value = options.text ?? '';
    cancel.hidden = !options.answer;
    box.hidden = false;
    // Asked from a window below the main one, the message is scrolled to.
    box.scrollIntoView({ block: 'nearest' });
    if (withField) {
      field.focus();
      field.select();
    } else {
      ok.focus();
    }
  };
  return {
    showMessage: (message, kindOfMessage = '') => show(message, { kind: kindOfMessage }),
    // A text the page could not put on the clipboard, selected for the user to copy.
    showText: (message, copyText) => show(message, { text: copyText }),
    // Resolves with the text the user pasted, or null when cancelled.
    askText: (message) => new Promise((resolve) => show(message, { text: '', answer: resolve })),
    // Hides the message if it is of this kind.
    hideMessage: (kindOfMessage) => {
      if (kind === kindOfMessage) hide(false);
    },
  };
}

// A click on the window's background, a label or a picture leaves the focus
// where it is, as in the desktop window: otherwise the field would lose it
// and clamp its text.
function keepFocusOnBackground(document) {
  const content = document.getElementById('FMainContent');
  content.addEventListener('mousedown', (event) => {
    if (!event.target.closest('input, button, ul, [tabindex]')) event.preventDefault();
  });
}

export function setUpChrome(document, commands) {
  keepFocusOnBackground(document);
  const showInfo = setUpInfo(document);
  const message = setUpMessage(document, commands.focusFirst);
  setUpMenu(document, { ...commands, showInfo });
  setUpPlanMenu(document, commands);
  return {
    ...message,
    // A context menu of another window (the goals window's lists).
    contextMenu: (element, area, frame, menuCommands) => contextMenu(document, element, area, frame, menuCommands),
  };
}
