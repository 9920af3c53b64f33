// The page's own chrome: the menu bar, the info dialog and the message box.
// None of it touches a rule; the menu commands are handed in.

function setUpMenu(document, commands) {
  const programm = document.getElementById('Programm1');
  const menu = document.getElementById('Programm1-menu');
  const items = [...menu.querySelectorAll('[role=menuitem]')];
  let returnFocus = null;

  const open = () => {
    returnFocus = document.activeElement;
    menu.hidden = false;
    programm.setAttribute('aria-expanded', 'true');
    items[0].focus();
  };
  const close = (restore) => {
    if (menu.hidden) return;
    menu.hidden = true;
    programm.setAttribute('aria-expanded', 'false');
    if (restore && returnFocus && returnFocus.isConnected) returnFocus.focus();
  };

  // The menu takes the focus only while it is open, so that a field keeps its text unclamped.
  for (const button of [programm, document.getElementById('Info1'), ...items]) {
    button.addEventListener('pointerdown', (event) => event.preventDefault());
  }
  programm.addEventListener('click', () => (menu.hidden ? open() : close(true)));
  menu.addEventListener('keydown', (event) => {
    const index = items.indexOf(document.activeElement);
    if (event.key === 'Escape') {
      event.preventDefault();
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
    if (!programm.contains(event.target) && !menu.contains(event.target)) close(false);
  });
  document.getElementById('LinkKopieren1').addEventListener('click', () => {
    close(true);
    commands.copyLink();
  });
  document.getElementById('NeuerPlan1').addEventListener('click', () => {
    close(true);
    commands.newPlan();
  });
  document.getElementById('Info1').addEventListener('click', () => commands.showInfo());
  // The access keys of the menu bar: Alt with the underlined first letter.
  document.addEventListener('keydown', (event) => {
    if (!event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    if (event.code === 'KeyP') {
      event.preventDefault();
      if (menu.hidden) open();
    } else if (event.code === 'KeyI') {
      event.preventDefault();
      close(false);
      commands.showInfo();
    }
  });
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

// A message in a small box, closed with its button (or Escape).
function setUpMessage(document, focusFirst) {
  const box = document.getElementById('Meldung');
  const text = document.getElementById('MeldungText');
  const ok = document.getElementById('MeldungOk');
  let returnFocus = null;
  const hide = () => {
    box.hidden = true;
    // A message shown while the page opened hands the focus to the first field.
    if (returnFocus && returnFocus.isConnected && returnFocus !== document.body) returnFocus.focus();
    else focusFirst();
  };
  ok.addEventListener('click', hide);
  box.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' || event.key === 'Enter') {
      event.preventDefault();
      hide();
    }
  });
  return (message) => {
    returnFocus = document.activeElement === ok ? returnFocus : document.activeElement;
    text.textContent = message;
    box.hidden = false;
    ok.focus();
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
  const showMessage = setUpMessage(document, commands.focusFirst);
  setUpMenu(document, { ...commands, showInfo });
  return { showMessage };
}
