// The desktop's plan tools in the page: the skill fields' tooltips and the
// plan menu's commands, undo and redo among them. The core makes every text;
// the page only moves it between the planner, the clipboard and the screen.

const COPY_LINK_FAILED = 'Der Link konnte nicht kopiert werden. Die Adresse des Plans lautet:';
const COPY_PLAN_FAILED = 'Der Plan konnte nicht in die Zwischenablage kopiert werden. Hier ist er zum Kopieren:';
const COPY_BONUSES_FAILED = 'Die Boni konnten nicht in die Zwischenablage kopiert werden. Hier sind sie zum Kopieren:';
const NO_CLIPBOARD = 'Der Browser lässt die Seite die Zwischenablage nicht lesen.';
const PASTE_BY_HAND = `${NO_CLIPBOARD} Füge den Plan hier ein (Strg+V) und bestätige mit OK:`;
const COMPARE_BY_HAND =
  `${NO_CLIPBOARD} Füge den Plan, mit dem verglichen werden soll, hier ein (Strg+V) und bestätige mit OK:`;

// The clipboard as the page may use it: write(text, failed) puts a text on
// it, or where the browser offers no clipboard to the page (plain http from
// another host than this computer) or refuses it, shows the text selected
// with the message failed, for the user to copy; read(byHand) resolves with
// its text, or where the page may not read it, with what the user pastes
// into a field under the message byHand (null when cancelled).
export function pageClipboard(navigator, chrome) {
  return {
    write: async (text, failed) => {
      try {
        await navigator.clipboard.writeText(text);
      } catch {
        chrome.showText(failed, text);
      }
    },
    read: async (byHand) => {
      try {
        return await navigator.clipboard.readText();
      } catch {
        return chrome.askText(byHand);
      }
    },
  };
}

// The tooltip and accessible description of each skill field (and its
// caption's tooltip), written only where they changed from what the page shows.
export function skillTips(page) {
  const shown = page.fields.map((field) => field.input.title);
  return (texts) => {
    texts.forEach((text, index) => {
      const skill = index + 1;
      if (shown[skill] === text) return;
      shown[skill] = text;
      const { input } = page.fields[skill];
      input.title = text;
      input.setAttribute('aria-description', text);
      if (page.captions[skill]) page.captions[skill].title = text;
    });
  };
}

// "Rückgängig" and "Wiederholen" in both menus (the items that run undo and
// redo): each names its step after a colon, and is unavailable
// (aria-disabled) when there is none. Returns the function that shows the
// history's state; it writes only what changed.
export function historyItems(document) {
  // The history's state of each command: its text, and whether it can run.
  const enabledOf = { undo: 'canUndo', redo: 'canRedo' };
  const items = [...document.querySelectorAll('[data-command]')]
    .map((element) => ({ element, text: element.dataset.command, enabled: enabledOf[element.dataset.command] }))
    .filter((item) => item.enabled);
  return (state) => {
    for (const { element, text, enabled } of items) {
      if (element.textContent !== state[text]) element.textContent = state[text];
      const disabled = String(!state[enabled]);
      if (element.getAttribute('aria-disabled') !== disabled) element.setAttribute('aria-disabled', disabled);
    }
  };
}

// The commands of the menus. view runs planner calls; messages() gives the
// message box; link() gives the address of the shown plan; history() the plan's history.
export function planCommands(core, view, messages, navigator, link, history) {
  const chrome = {
    showMessage: (message) => messages().showMessage(message),
    showText: (message, text) => messages().showText(message, text),
    askText: (message) => messages().askText(message),
  };
  const clipboard = pageClipboard(navigator, chrome);
  const apply = (text) => {
    let result = null;
    if (view.call(() => (result = history().applyPlanText(text))) && result.message) {
      chrome.showMessage(result.message);
    }
  };
  return {
    undo: () => view.call(() => history().undo()),
    redo: () => view.call(() => history().redo()),
    copyLink: () => clipboard.write(link(), COPY_LINK_FAILED),
    copyPlan: () => clipboard.write(core.planSummary(view.planner), COPY_PLAN_FAILED),
    copyBonuses: () => clipboard.write(core.bonusText(view.planner), COPY_BONUSES_FAILED),
    pastePlan: async () => {
      const text = await clipboard.read(PASTE_BY_HAND);
      if (text !== null) apply(text);
    },
    // "Mit Plan vergleichen": the plan shown against the plan on the clipboard, in a message.
    comparePlan: async () => {
      const text = await clipboard.read(COMPARE_BY_HAND);
      let result = null;
      if (text !== null && view.call(() => (result = core.comparePlan(view.planner, text)))) {
        chrome.showMessage(result.message);
      }
    },
  };
}
